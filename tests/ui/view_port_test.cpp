// Viewports without their window: origin clamp and scroll bars, the scroll,
// wheel and size messages, the command log line, message boxes and the file
// dialog filter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/foundation/raised_errors.h"
#include "tests/support/log_capture.h"
#include "ui/status_bar.h"
#include "ui/sub_menu.h"
#include "ui/view_port.h"

namespace {

// A viewport that records what it shows on its scroll bars and each repaint.
class cScrollProbe : public cViewPort {
public:
    explicit cScrollProbe(const char16_t *name = u"View", uint32_t style = 0) : cViewPort(nullptr, style, name) {}

    tStatus InvalidateAll() override {
        events.push_back("repaint");
        return RC_OK;
    }
    tStatus OnCommand(sWinMessage &record) override {
        events.push_back("command " + std::to_string(record.key & 0xFFFF));
        return 5;
    }
    std::vector<std::string> events;

protected:
    tStatus SetScrollBarInfo(int32_t bar, const sScrollBarInfo &info) override {
        events.push_back((bar == kScrollBarHorz ? "H " : "V ") + std::to_string(info.page) + " " +
                         std::to_string(info.pos));
        return info.pos;
    }
};

tStatus Send(cMessageDvcBase &window, uint32_t message, tWParam wParam, tLParam lParam) {
    sWinMessage record(message, wParam, lParam);
    return window.OnMessage(message, record);
}

tWParam ScrollCode(int32_t code, int32_t position = 0) { return tWParam((uint32_t(position) << 16) | uint32_t(code)); }

// The document of 2000 by 1500 units seen through 500 by 400 pixels.
class ScrolledView : public testing::Test {
protected:
    void SetUp() override {
        view.UseHorzScrollBar();
        view.UseVertScrollBar();
        view.SetSize(500, 400);
        view.SetScrollExtent(2000, 1500);
        view.events.clear();
    }
    cScrollProbe view;
};

TEST_F(ScrolledView, OriginIsClampedAndBothBarsFollow) {
    EXPECT_EQ(view.GetWindowStyle(), 0x50300000u);
    view.SetOrigin(100, 100);
    EXPECT_EQ(view.GetOriginX(), 0);
    EXPECT_EQ(view.GetOriginY(), 0);
    view.SetOrigin(-5000, -5000);
    EXPECT_EQ(view.GetOriginX(), -1500);
    EXPECT_EQ(view.GetOriginY(), -1100);
    view.events.clear();
    // The last bar's result is the answer.
    EXPECT_EQ(view.SetOrigin(-750, -80), 5);
    EXPECT_EQ(view.events, (std::vector<std::string>{"H 25 37", "V 26 5"}));
    EXPECT_EQ(view.GetHorzPagePercent(), 25);
    EXPECT_EQ(view.GetVertPagePercent(), 26);
}

TEST_F(ScrolledView, ScrollMessagesMoveTheOriginAndRepaint) {
    struct sCase {
        uint32_t message;
        int32_t code, position;
        int32_t x, y;
    };
    const sCase cases[] = {
        {kMsgHScroll, kScrollLineDown, 0, -100, 0},     {kMsgHScroll, kScrollPageDown, 0, -550, 0},
        {kMsgHScroll, kScrollBottom, 0, -1500, 0},      {kMsgHScroll, kScrollLineUp, 0, -1400, 0},
        {kMsgHScroll, kScrollTop, 0, 0, 0},             {kMsgHScroll, kScrollThumbTrack, 75, -1500, 0},
        {kMsgHScroll, kScrollEnd, 0, -1500, 0},         {kMsgVScroll, kScrollLineDown, 0, -1500, -80},
        {kMsgVScroll, kScrollThumbPosition, 10, -1500, -148},  // -1100 x 10 / 74
        {kMsgVScroll, kScrollBottom, 0, -1500, -1100},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.message << " " << c.code);
        view.events.clear();
        EXPECT_EQ(Send(view, c.message, ScrollCode(c.code, c.position), 0), RC_OK);
        EXPECT_EQ(view.GetOriginX(), c.x);
        EXPECT_EQ(view.GetOriginY(), c.y);
        ASSERT_FALSE(view.events.empty());
        EXPECT_EQ(view.events.back(), "repaint");
    }
}

TEST_F(ScrolledView, StepsFollowTheZoom) {
    view.SetZoomX(2.0f);
    Send(view, kMsgHScroll, ScrollCode(kScrollLineDown), 0);
    EXPECT_EQ(view.GetOriginX(), -50);
    Send(view, kMsgHScroll, ScrollCode(kScrollPageDown), 0);
    EXPECT_EQ(view.GetOriginX(), -275);
}

TEST_F(ScrolledView, EveryWheelMessageScrollsOneLine) {
    struct sCase {
        int16_t delta;
        int32_t y;
    };
    const sCase cases[] = {{-360, -80}, {-1, -160}, {0, -80}, {240, 0}, {120, 0}};
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.delta);
        EXPECT_EQ(Send(view, kMsgMouseWheel, tWParam(uint32_t(uint16_t(c.delta)) << 16), 0), RC_OK);
        EXPECT_EQ(view.GetOriginY(), c.y);
    }
}

TEST_F(ScrolledView, ResizingClampsAgainAndRewritesTheBarsBeforeTheRepaint) {
    view.SetOrigin(-1500, -1100);
    view.FrameRect().Set(10, 10);
    view.FrameRect().SetSize(520, 450);
    view.events.clear();
    EXPECT_EQ(Send(view, kMsgSize, 0, tLParam((600u << 16) | 800u)), RC_OK);
    EXPECT_EQ(view.GetWidth(), 800);
    EXPECT_EQ(view.GetHeight(), 600);
    EXPECT_EQ(view.FrameRect().width, 820);
    EXPECT_EQ(view.FrameRect().height, 650);
    EXPECT_EQ(view.GetOriginX(), -1200);
    EXPECT_EQ(view.GetOriginY(), -900);
    EXPECT_EQ(view.events, (std::vector<std::string>{"H 40 60", "V 40 60", "repaint"}));
}

TEST(ViewPort, SmallOrEmptyExtentsShowFullThumbs) {
    cScrollProbe view;
    view.UseHorzScrollBar();
    view.SetSize(500, 400);
    view.SetScrollExtent(300, 300);
    view.SetOrigin(-100, -100);
    EXPECT_EQ(view.GetOriginX(), 0);
    EXPECT_EQ(view.events.back(), "H 100 0");
    view.SetScrollExtent(-5, 0);
    EXPECT_EQ(view.GetScrollExtentX(), 0);
    EXPECT_EQ(view.events.back(), "H 100 0");
    // A window without bars shows nothing and answers 0.
    cScrollProbe plain;
    plain.SetSize(100, 100);
    EXPECT_EQ(plain.SetScrollExtent(1000, 1000), RC_OK);
    EXPECT_TRUE(plain.events.empty());
    EXPECT_EQ(plain.GetHorzPagePercent(), 50);
}

TEST(ViewPort, CommandsAreLoggedThenHandled) {
    struct sCase {
        tWParam wParam;
        tLParam lParam;
        const char *line;
    };
    const sCase cases[] = {
        {102, 0, "Score: Menu=<102>\r\n"},
        {(1u << 16) | 0x4005, 0, "Score: Accelerator=<16389>\r\n"},
        {(768u << 16) | 1001, 0x1234, "Score: control=768, 1001, 4660\r\n"},
    };
    for (const sCase &c : cases) {
        test::LogCapture log("view_commands");
        cScrollProbe view(u"Score");
        EXPECT_EQ(Send(view, kMsgCommand, c.wParam, c.lParam), 5);
        EXPECT_EQ(log.Text(), c.line);
        EXPECT_EQ(view.events, (std::vector<std::string>{"command " + std::to_string(c.wParam & 0xFFFF)}));
    }
}

TEST(ViewPort, MessagesTheViewportDoesNotKnowGoToTheDefault) {
    cScrollProbe view;
    EXPECT_EQ(Send(view, 0x0020, 0, 0), MSG_NOT_HANDLED);  // WM_SETCURSOR
    EXPECT_EQ(Send(view, kMsgMenuSelect, 7, 0), RC_OK);
    EXPECT_EQ(Send(view, kMsgSetFocus, 0, 0), RC_OK);
    EXPECT_EQ(Send(view, kMsgKillFocus, 0, 0), RC_OK);
}

TEST(ViewPort, ScriptedBoxesAnswerForTheUser) {
    test::LogCapture log("view_boxes");
    cScrollProbe view;
    EXPECT_EQ(view.AskYesNo(u"Do you want to save?", u"Score has changed"), 1);  // the test main's answer
    EXPECT_EQ(view.ShowMessage(u"Check your MIDI setup", u"MIDI Error"), 1);
    EXPECT_EQ(log.Text(), "Box: Score has changed: Do you want to save?\r\nBox: MIDI Error: Check your MIDI setup\r\n");
}

// Scripted file dialogs: no dialog opens; the path becomes the current
// file, an empty answer is Cancel.
TEST(ViewPort, ScriptedFileDialogsAnswerForTheUser) {
    test::LogCapture log("view_file_dialogs");
    cScrollProbe view;
    std::u16string before = gOpSys->GetCurrentFile();
    gOpSys->SetScriptedFileAnswers({u"c:\\music\\song.pmr", u"", u"c:\\out.mid"});
    const char16_t *chosen = view.AskOpenFileName(u"Scores|*.pmr", u"pmr");
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(std::u16string(chosen), u"c:\\music\\song.pmr");
    EXPECT_EQ(gOpSys->GetCurrentFile(), u"c:\\music\\song.pmr");
    EXPECT_EQ(view.AskSaveFileName(u"Scores|*.pmr", u"pmr"), nullptr);
    EXPECT_EQ(gOpSys->GetCurrentFile(), u"c:\\music\\song.pmr");
    chosen = view.AskSaveFileName(u"MIDI|*.mid", u"mid");
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(std::u16string(chosen), u"c:\\out.mid");
    EXPECT_EQ(log.Text(), "File dialog: Open: c:\\music\\song.pmr\r\nFile dialog: Save: Cancel\r\n"
                          "File dialog: Save: c:\\out.mid\r\n");
    gOpSys->SetScriptedFileAnswers({});
    gOpSys->SetCurrentFile(before.c_str());
}

TEST(ViewPort, MovingAWindowThatDoesNotExist) {
    test::RaisedErrors errors;
    cScrollProbe view;
    EXPECT_EQ(view.MoveWindowTo(10, 10, 300, 200), RC_FAIL);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in ViewPortWin: No window handle");
    EXPECT_EQ(view.GetWidth(), 300);
}

TEST(ViewPort, FileDialogFilterSeparatesWithNuls) {
    std::u16string expected(u"Text files\0*.txt\0All files\0*.*\0\0", 32);
    EXPECT_EQ(FileDialogFilter(u"Text files|*.txt|All files|*.*"), expected);
    EXPECT_EQ(FileDialogFilter(nullptr), u"");
    EXPECT_EQ(FileDialogFilter(u""), std::u16string(u"\0\0", 2));
}

// The main menu and the window's popup menu each own their command ids: the
// log line names the command by its key name and the hint goes to the bar.
TEST(ViewPortMenus, CommandsAndHintsGoToTheMenuThatOwnsTheId) {
    {
        cScrollProbe view(u"Score");
        auto *bar = dynamic_cast<cStatusBar *>(view.CreateStatusBar(0));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(view.GetStatusBar(), bar);
        bar->AppendPart(200, 0, 1);
        auto *frameMenu = new cSubMenu(&view, 1, nullptr, nullptr);
        SetMainMenu(std::unique_ptr<cSubMenuBase>(frameMenu));
        cMenuItemBase *copy = frameMenu->AddItem(u"&Copy", 300, 0);
        copy->SetKeyName(u"Edit/Copy");
        copy->SetHint(u"Copies the selection");
        EXPECT_EQ(view.TrackPopupMenu(0, 0, nullptr), RC_FAIL);  // no popup menu yet
        cSubMenuBase *popup = view.CreatePopupMenu(u"ObjectRBtn", 0, 0);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(view.GetPopupMenu(), popup);
        popup->AddItemFrom(copy);
        EXPECT_EQ(view.TrackPopupMenu(0, 0, nullptr), RC_OK);

        struct sCase {
            tWParam wParam;
            const char *line;
        } cases[] = {
            {300, "Score: Menu=Edit/Copy<300>\r\n"},
            {102, "Score: Menu=102<102>\r\n"},
            {0x4000 | 300, "Score: Menu=ObjectRBtnEdit/Copy<16684>\r\n"},
            {(1u << 16) | 0x4005, "Score: Accelerator=16389<16389>\r\n"},
        };
        for (const sCase &c : cases) {
            test::LogCapture log("menu_owners");
            Send(view, kMsgCommand, c.wParam, 0);
            EXPECT_EQ(log.Text(), c.line);
        }

        struct sHint {
            uint32_t item;
            const char16_t *hint;
        } hints[] = {{300, u"Copies the selection"}, {999, u""}, {0x4000 | 300, u"Copies the selection"},
                     {0x4000 | 999, u""}};
        for (const sHint &h : hints) {
            bar->SetHelpText(u"old");
            Send(view, kMsgMenuSelect, h.item, 0);
            EXPECT_EQ(std::u16string(bar->GetHelpText()), h.hint) << h.item;
        }

        // A rebuilt popup starts empty; a new status bar replaces the old one.
        popup = view.CreatePopupMenu(u"ObjectRBtn", 0, 0);
        EXPECT_EQ(popup->GetItemCount(), 0);
        cDispDvcBase *second = view.CreateStatusBar(1);
        EXPECT_NE(second, bar);
        EXPECT_EQ(view.GetStatusBar(), second);
    }
    // The window the main menu belongs to takes it along.
    EXPECT_EQ(gMainMenu, nullptr);
}

}  // namespace
