// The status bar over the window system's status control, in a hidden
// top-level window: the fields laid out from the parts (a borderless filler
// for every gap), the part texts as the control shows them, and the volume
// and zoom sliders in the gaps driven by the scroll messages their windows
// send to the bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/win32_win.h"
// After the window types it needs.
#include <commctrl.h>
#include "ui/status_bar.h"
#include "ui/status_slider.h"

namespace {

constexpr uint32_t kOverlapped = 0x00CF0000;  // WS_OVERLAPPEDWINDOW, hidden

// The frame's start-up parts: width, gap, style.
constexpr int32_t kFrameParts[][3] = {{320, 0, 1}, {120, 0, 1}, {70, 100, 0}, {73, 100, 0}, {120, 0, 1}};

// A hidden top-level window that holds the status bar as its own.
class cBarFrame : public cViewPort {
public:
    cBarFrame() : cViewPort(nullptr, kOverlapped, u"BarFrame") {
        SetShowMode(SW_HIDE);
        SetFrameRect(0, 0, 1100, 300);
    }
    using cMessageDvcBase::ReplaceStatusBar;
};

// Stands for the score window: records the scroll messages handed to it.
class cScoreProbe : public cViewPort {
public:
    cScoreProbe() : cViewPort(nullptr, 0, u"ScoreProbe") {}
    tStatus OnMessage(uint32_t message, sWinMessage &record) override {
        if (message != kMsgHScroll) return cViewPort::OnMessage(message, record);
        scrolls.push_back(record);
        return RC_OK;
    }
    std::vector<sWinMessage> scrolls;
};

std::vector<int> ControlEdges(HWND control) {
    int edges[32] = {};
    auto count = int(SendMessageW(control, SB_GETPARTS, 32, reinterpret_cast<LPARAM>(edges)));
    return std::vector<int>(edges, edges + (count > 0 && count <= 32 ? count : 0));
}

std::u16string FieldText(HWND control, int field) {
    auto length = LOWORD(SendMessageW(control, SB_GETTEXTLENGTHW, WPARAM(field), 0));
    std::vector<wchar_t> buffer(size_t(length) + 1, L'\0');
    SendMessageW(control, SB_GETTEXTW, WPARAM(field), reinterpret_cast<LPARAM>(buffer.data()));
    return std::u16string(U(buffer.data()));
}

bool FieldIsBorderless(HWND control, int field) {
    return (HIWORD(SendMessageW(control, SB_GETTEXTLENGTHW, WPARAM(field), 0)) & SBT_NOBORDERS) != 0;
}

std::u16string S(const char16_t *text) { return text ? std::u16string(text) : std::u16string(u"<null>"); }

class StatusBarWindow : public testing::Test {
protected:
    void SetUp() override {
        bar = new cStatusBar(&frame, 0);
        frame.ReplaceStatusBar(bar);
        for (const auto &p : kFrameParts) bar->AppendPart(p[0], p[1], p[2]);
        // Before the bar is open: kept for the field.
        EXPECT_EQ(bar->SetHelpText(u"Ready"), RC_OK);
        frame.Open();
        ASSERT_NE(frame.GetWindowHandle(), nullptr);
        bar->Open();
        control = bar->GetControlHandle();
        ASSERT_NE(control, nullptr);
        ASSERT_NE(bar->GetWindowHandle(), frame.GetWindowHandle());
    }

    // The bar window's client point of a child window's top left corner.
    RECT RectInBar(HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, bar->GetWindowHandle(), reinterpret_cast<POINT *>(&r), 2);
        return r;
    }

    // What the system does when the user pages a slider: the slider's
    // window tells its parent, the bar.
    void PageRight(cGuiControl *slider) {
        SendMessageW(bar->GetWindowHandle(), WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0),
                     reinterpret_cast<LPARAM>(slider->GetWindowHandle()));
    }

    cScoreProbe score;  // outlives the sliders that point at it
    cBarFrame frame;
    cStatusBar *bar = nullptr;  // owned by the frame
    HWND control = nullptr;
};

TEST_F(StatusBarWindow, TheControlGetsAFieldPerPartAndAFillerPerGap) {
    EXPECT_EQ(GetParent(control), frame.GetWindowHandle());
    EXPECT_EQ(GetDlgCtrlID(control), 1000);
    EXPECT_EQ(ControlEdges(control), (std::vector<int>{319, 439, 509, 609, 682, 782, 902, -1}));
    std::vector<int32_t> indexes;
    for (int32_t i = 0; i < bar->GetPartCount(); ++i) indexes.push_back(bar->GetPart(i)->GetControlIndex());
    EXPECT_EQ(indexes, (std::vector<int32_t>{0, 1, 2, 4, 6}));

    // The help text set before the bar was open is in the help part's field.
    EXPECT_EQ(FieldText(control, 0), u"Ready");

    // Parts 2 and 3 (style 0), the fillers and the rest of the bar have no
    // border; a text written later keeps the part's style.
    EXPECT_EQ(bar->SetPartText(2, u"Vol"), RC_OK);
    EXPECT_EQ(bar->SetPartText(4, u"Bar 12"), RC_OK);
    const bool borderless[] = {false, false, true, true, true, true, false, true};
    for (int field = 0; field < 8; ++field) {
        SCOPED_TRACE(field);
        EXPECT_EQ(FieldIsBorderless(control, field), borderless[field]);
    }
    EXPECT_EQ(FieldText(control, 2), u"Vol");
    EXPECT_EQ(FieldText(control, 6), u"Bar 12");
    EXPECT_EQ(S(bar->GetPartText(4)), u"Bar 12");
    EXPECT_EQ(bar->SetPartText(5, u"none"), RC_FAIL);
    EXPECT_EQ(FieldText(control, 7), u"  ");
}

TEST_F(StatusBarWindow, AnAddedPartLaysTheFieldsOutAgainAndKeepsTheTexts) {
    bar->SetPartText(1, u"Page 3");
    bar->SetHelpText(u"Opens a score");
    // Starts right after the last part: no filler before it.
    EXPECT_EQ(bar->AppendPart(50, 0, 1), 5);
    EXPECT_EQ(ControlEdges(control), (std::vector<int>{319, 439, 509, 609, 682, 782, 902, 952, -1}));
    EXPECT_EQ(bar->GetPart(5)->GetControlIndex(), 7);
    EXPECT_EQ(FieldText(control, 0), u"Opens a score");
    EXPECT_EQ(FieldText(control, 1), u"Page 3");
    // A part between two others: a filler on each side of it.
    EXPECT_EQ(bar->AddPart(1000, 30, 0, 1), 6);
    EXPECT_EQ(ControlEdges(control), (std::vector<int>{319, 439, 509, 609, 682, 782, 902, 952, 999, 1029, -1}));
    EXPECT_EQ(bar->GetPart(6)->GetControlIndex(), 9);
    bar->SetPartText(6, u"Ins");
    EXPECT_EQ(FieldText(control, 9), u"Ins");
}

TEST_F(StatusBarWindow, SlidersSitInTheGapsAndShowTheirValuesInTheirParts) {
    auto *volume = new cStatusVolume(bar, 2, nullptr, nullptr);
    auto *zoom = new cStatusZoom(bar, 3, &score, 8, 4, 24);
    struct sPlace {
        cGuiControl *slider;
        LONG x;
        int range;
        int position;
    };
    const sPlace places[] = {{volume, 509, 100, 50}, {zoom, 682, 20, 4}};
    for (const sPlace &p : places) {
        SCOPED_TRACE(p.x);
        HWND window = p.slider->GetWindowHandle();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetParent(window), bar->GetWindowHandle());
        RECT r = RectInBar(window);
        EXPECT_EQ(r.left, p.x);
        EXPECT_EQ(r.right - r.left, 100);
        EXPECT_EQ(r.bottom - r.top, 12);
        EXPECT_EQ(r.top, (bar->GetHeight() - 12) / 2);
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_POS;
        ASSERT_TRUE(GetScrollInfo(window, SB_CTL, &info));
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax, p.range);
        EXPECT_EQ(info.nPos, p.position);
    }

    // Zoom 8 of 4..24 pages a quarter of the range: 13, (13/8)^2 = 264 %.
    PageRight(zoom);
    EXPECT_EQ(zoom->GetZoom(), 13);
    EXPECT_EQ(GetScrollPos(zoom->GetWindowHandle(), SB_CTL), 9);
    EXPECT_EQ(S(bar->GetPartText(3)), u"Zoom 264%");
    EXPECT_EQ(FieldText(control, 4), u"Zoom 264%");
    EXPECT_TRUE(FieldIsBorderless(control, 4));
    ASSERT_EQ(score.scrolls.size(), 1u);
    EXPECT_EQ(score.scrolls[0].lParam, reinterpret_cast<LPARAM>(zoom->GetWindowHandle()));
    EXPECT_EQ(score.scrolls[0].key & 0xFFFF, uint32_t(SB_PAGERIGHT));

    // The volume slider has no score window: only its own part changes.
    PageRight(volume);
    EXPECT_EQ(volume->GetVolume(), 75);
    EXPECT_EQ(GetScrollPos(volume->GetWindowHandle(), SB_CTL), 75);
    EXPECT_EQ(S(bar->GetPartText(2)), u"Vol 75%");
    EXPECT_EQ(FieldText(control, 2), u"Vol 75%");
    EXPECT_EQ(FieldText(control, 4), u"Zoom 264%");
    EXPECT_EQ(score.scrolls.size(), 1u);

    // Paging on stops at the end of the range: 24 is three times the base.
    for (int i = 0; i < 3; ++i) PageRight(zoom);
    EXPECT_EQ(zoom->GetZoom(), 24);
    EXPECT_EQ(GetScrollPos(zoom->GetWindowHandle(), SB_CTL), 20);
    EXPECT_EQ(FieldText(control, 4), u"Zoom 900%");
    EXPECT_EQ(score.scrolls.size(), 4u);

    // A scroll message from some other window moves no slider.
    SendMessageW(bar->GetWindowHandle(), WM_HSCROLL, MAKEWPARAM(SB_PAGELEFT, 0),
                 reinterpret_cast<LPARAM>(frame.GetWindowHandle()));
    EXPECT_EQ(zoom->GetZoom(), 24);
    EXPECT_EQ(volume->GetVolume(), 75);
    EXPECT_EQ(score.scrolls.size(), 4u);
}

}  // namespace
