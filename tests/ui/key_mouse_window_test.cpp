// The keyboard-and-mouse help window: what it shows after each message, when
// it repaints, and what it paints for a state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/op_sys_base.h"
#include "ui/key_mouse_window.h"

namespace {

constexpr tLParam kAlt = tLParam(1) << 29;
tLParam Scan(uint32_t scan) { return tLParam(scan << 16) | 1; }

// The window with scripted mouse hardware and counted repaints.
class cKeyMouseProbe : public cKeyMouseWin {
public:
    cKeyMouseProbe() : cKeyMouseWin(nullptr, nullptr) {}
    tStatus InvalidateAll() override {
        ++repaints;
        return RC_OK;
    }
    int repaints = 0;
    bool leftHeld = false, rightHeld = false;

protected:
    bool IsButtonHeld(int32_t virtualKey) override { return virtualKey == 1 ? leftHeld : rightHeld; }
};

struct sStep {
    uint32_t message;
    tWParam wParam;
    tLParam lParam;
    // What shows afterwards, and whether the step repainted.
    const char16_t *keyText;
    bool shift, alt, ctrl;
    uint32_t buttons;
    bool repainted;
};

void RunSteps(cKeyMouseProbe &window, const std::vector<sStep> &steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
        const sStep &s = steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i << " message " << s.message);
        int before = window.repaints;
        sWinMessage record(s.message, s.wParam, s.lParam);
        EXPECT_EQ(window.OnInputEvent(record), RC_OK);
        sKeyMouseState state = window.State();
        EXPECT_EQ(state.keyText, s.keyText);
        EXPECT_EQ(state.shift, s.shift);
        EXPECT_EQ(state.alt, s.alt);
        EXPECT_EQ(state.ctrl, s.ctrl);
        EXPECT_EQ(state.buttons, s.buttons);
        EXPECT_EQ(window.repaints > before, s.repainted);
    }
}

TEST(KeyMouseWindow, ModifiersAndKeys) {
    cKeyMouseProbe window;
    EXPECT_EQ(std::u16string(window.GetName()), u"Keyboard and Mouse");
    EXPECT_EQ(window.FrameRect().x, 800);
    EXPECT_EQ(window.FrameRect().height, 180);
    EXPECT_EQ(window.GetWindowStyle(), 0x948C0000u);
    RunSteps(window, {
        // Shift down shows; Shift up with no key shown clears without a
        // repaint, so the picture stays until something else repaints.
        {kMsgKeyDown, 0x10, Scan(0x2A), u"", true, false, false, 0, true},
        {kMsgKeyUp, 0x10, Scan(0x2A) | (tLParam(3) << 30), u"", false, false, false, 0, false},
        // A letter: its key-down has no code, its character names it; the
        // key-up empties the text without a repaint.
        {kMsgKeyDown, 'A', Scan(0x1E), u"", false, false, false, 0, false},
        {kMsgChar, 'a', Scan(0x1E), u"a", false, false, false, 0, true},
        {kMsgChar, 'a', Scan(0x1E), u"a", false, false, false, 0, true},  // fed twice: the same text
        {kMsgKeyUp, 'A', Scan(0x1E), u"", false, false, false, 0, false},
        // Alt+F4: the Alt picture and "F4", no "Alt" prefix.
        {kMsgSysKeyDown, 0x12, kAlt | Scan(0x38), u"", false, true, false, 0, true},
        {kMsgSysKeyDown, 0x73, kAlt | Scan(0x3E), u"F4", false, true, false, 0, true},
        {kMsgSysKeyUp, 0x73, kAlt | Scan(0x3E), u"", false, true, false, 0, false},
        {kMsgSysKeyUp, 0x12, Scan(0x38), u"", false, false, false, 0, false},
        // Ctrl+S arrives as character 19 and shows as the letter S; a special
        // key with Ctrl keeps its own name.
        {kMsgKeyDown, 0x11, Scan(0x1D), u"", false, false, true, 0, true},
        {kMsgChar, 19, Scan(0x1F), u"S", false, false, true, 0, true},
        {kMsgKeyDown, 0x70, Scan(0x3B), u"F1", false, false, true, 0, true},
        {kMsgKeyUp, 0x11, Scan(0x1D), u"F1", false, false, false, 0, true},
        // A command (a menu taken with Alt) clears Alt and repaints.
        {kMsgSysKeyDown, 0x12, kAlt | Scan(0x38), u"F1", false, true, false, 0, true},
        {kMsgCommand, 111, 0, u"F1", false, false, false, 0, true},
    });
}

TEST(KeyMouseWindow, ButtonsAndWheel) {
    cKeyMouseProbe window;
    window.leftHeld = true;
    RunSteps(window, {{kMsgLeftDown, 1, 0, u"", false, false, false, kKeyMouseLeft, true}});
    // The right button with the left held: both.
    window.rightHeld = true;
    RunSteps(window, {{kMsgRightDown, 1, 0, u"", false, false, false, kKeyMouseLeft | kKeyMouseRight, true}});
    window.rightHeld = false;
    RunSteps(window, {{kMsgRightUp, 1, 0, u"", false, false, false, kKeyMouseLeft, true}});
    window.leftHeld = false;
    RunSteps(window, {
        // The hardware says the left button is up: any message clears it.
        {0x0020, 0, 0, u"", false, false, false, 0, true},
        {kMsgMouseWheel, 0xFF880000, 0, u"", false, false, false, kKeyMouseWheel, true},
        {kMsgMouseWheel, 0xFF880000, 0, u"", false, false, false, kKeyMouseWheel, false},
        {kMsgMouseMove, 0, 0, u"", false, false, false, 0, true},
        {kMsgMouseWheel, 0x00780000, 0, u"", false, false, false, kKeyMouseWheel, true},
        // A key press ends the wheel state without a repaint of its own.
        {kMsgKeyDown, 'A', Scan(0x1E), u"", false, false, false, 0, false},
    });
    window.leftHeld = true;
    RunSteps(window, {
        // Held in hardware but not yet shown: shown.
        {0x0020, 0, 0, u"", false, false, false, kKeyMouseLeft, true},
        {kMsgNcLeftUp, 0, 0, u"", false, false, false, 0, true},
    });
    window.leftHeld = false;
    RunSteps(window, {
        {kMsgNcRightDown, 0, 0, u"", false, false, false, kKeyMouseRight, true},
        {kMsgNcRightUp, 0, 0, u"", false, false, false, 0, true},
    });
}

TEST(KeyMouseWindow, SettersAnswerTheOldState) {
    cKeyMouseProbe window;
    EXPECT_EQ(window.SetLeftButton(1), 0);
    EXPECT_EQ(window.SetLeftButton(1), 1);
    EXPECT_EQ(window.IsLeftButton(), 1);
    // Setting a button ends the wheel; clearing one clears the wheel too.
    window.SetWheel(1);
    EXPECT_EQ(window.IsWheel(), 1);
    window.SetRightButton(1);
    EXPECT_EQ(window.IsWheel(), 0);
    window.SetWheel(1);
    window.SetRightButton(0);
    EXPECT_EQ(window.IsWheel(), 0);
    EXPECT_EQ(window.IsLeftButton(), 1);
    EXPECT_EQ(window.SetShift(1), 0);
    EXPECT_EQ(window.IsShift(), 1);
    EXPECT_EQ(std::u16string(window.SetKeyText(u"F4")), u"");
    EXPECT_EQ(std::u16string(window.GetKeyText()), u"F4");
    int before = window.repaints;
    uint16_t font = window.GetFontIndex();
    EXPECT_EQ(window.SetFontIndex(3), font);
    EXPECT_EQ(window.GetFontIndex(), 3);
    EXPECT_GT(window.repaints, before);
}

TEST(KeyMouseWindow, TheOperatingSystemObjectMakesItOnceAndDeletesIt) {
    cKeyMouseProbe parent;
    EXPECT_EQ(gOpSys->GetKeyMouseWindow(), nullptr);
    EXPECT_EQ(gOpSys->KeyMouseSetShift(1), 0);  // no window: 0
    cKeyMouseWin *window = gOpSys->ShowKeyMouseHelp(&parent, u"Keys");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(std::u16string(window->GetName()), u"Keys");
    EXPECT_EQ(window->OpenCount(), 1);
    EXPECT_EQ(gOpSys->ShowKeyMouseHelp(&parent, u"Other"), window);  // once; the title stays
    EXPECT_EQ(std::u16string(window->GetName()), u"Keys");
    EXPECT_EQ(gOpSys->KeyMouseSetShift(1), 0);
    EXPECT_EQ(gOpSys->KeyMouseSetShift(1), 1);
    EXPECT_EQ(gOpSys->KeyMouseSetLeftButton(1), 0);
    EXPECT_EQ(window->IsLeftButton(), 1);
    // WM_CHAR on its way to any window is shown, even for a handle without
    // an object.
    EXPECT_EQ(DeliverWindowMessage(reinterpret_cast<tWindowHandle>(uintptr_t(0x7E000010)), kMsgChar, 'q', Scan(0x10)),
              MSG_NOT_HANDLED);
    EXPECT_EQ(std::u16string(window->GetKeyText()), u"q");
    // Closing it through its window deletes it.
    sWinMessage close(kMsgClose, 0, 0);
    window->OnMessage(kMsgClose, close);
    EXPECT_EQ(gOpSys->GetKeyMouseWindow(), nullptr);
    EXPECT_EQ(gOpSys->ShowKeyMouseHelp(nullptr, nullptr), nullptr);
}

struct sDrawExpect {
    sKeyMouseDraw::Kind kind;
    const char16_t *name;
    int32_t x, y, w, h;
    bool copy;
};

void ExpectPlan(const sKeyMouseState &state, const std::vector<sDrawExpect> &expected) {
    std::vector<sKeyMouseDraw> plan = KeyMousePaintPlan(state);
    ASSERT_EQ(plan.size(), expected.size());
    for (size_t i = 0; i < plan.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plan[i].kind, expected[i].kind);
        EXPECT_EQ(plan[i].name, expected[i].name);
        EXPECT_EQ(plan[i].x, expected[i].x);
        EXPECT_EQ(plan[i].y, expected[i].y);
        if (plan[i].kind != sKeyMouseDraw::kText) {
            EXPECT_EQ(plan[i].width, expected[i].w);
            EXPECT_EQ(plan[i].height, expected[i].h);
        }
        EXPECT_EQ(plan[i].copyMode, expected[i].copy);
        if (plan[i].kind == sKeyMouseDraw::kFill) {
            EXPECT_EQ(plan[i].colour, 0x37FFFFu);
        }
    }
}

TEST(KeyMousePainting, PicturesForTheState) {
    using K = sKeyMouseDraw;
    ExpectPlan({}, {{K::kBitmap, u"KeyboardGray150BMap", 0, 91, 150, 75, false},
                    {K::kBitmap, u"MouseBMap", 0, 0, 46, 86, false}});
    sKeyMouseState altF4;
    altF4.alt = true;
    altF4.keyText = u"F4";
    ExpectPlan(altF4, {{K::kBitmap, u"KeyboardGray150BMap", 0, 91, 150, 75, false},
                       {K::kBitmap, u"MouseBMap", 0, 0, 46, 86, false},
                       {K::kFill, u"", 5, 111, 140, 50, false},
                       {K::kBitmap, u"KeyAltBMap", 32, 116, 64, 41, true},
                       {K::kBitmap, u"KeyNoneBMap", 96, 116, 44, 41, true},
                       {K::kText, u"F4", 105, 141, 0, 0, false}});
    // Shift wins over Alt, Alt over Ctrl; the mouse shows both buttons.
    sKeyMouseState all;
    all.shift = all.alt = all.ctrl = true;
    all.buttons = 3;
    ExpectPlan(all, {{K::kBitmap, u"KeyboardGray150BMap", 0, 91, 150, 75, false},
                     {K::kBitmap, u"MouseBothBMap", 0, 0, 46, 86, false},
                     {K::kFill, u"", 5, 111, 140, 50, false},
                     {K::kBitmap, u"KeyShiftBMap", 10, 116, 86, 41, true}});
    sKeyMouseState ctrl;
    ctrl.ctrl = true;
    EXPECT_EQ(KeyMousePaintPlan(ctrl)[3].name, u"KeyCtrlBMap");
    const char16_t *mice[] = {u"MouseBMap",      u"MouseLeftBMap",  u"MouseRightBMap", u"MouseBothBMap",
                              u"MouseWheelBMap", u"MouseWheelBMap", u"MouseWheelBMap", u"MouseWheelBMap"};
    for (uint32_t bits = 0; bits < 8; ++bits) EXPECT_EQ(std::u16string(MousePictureName(bits)), mice[bits]) << bits;
}

}  // namespace
