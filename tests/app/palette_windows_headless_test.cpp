// The frame without a window system: its symbol palette (the page the Draw
// menu shows, the current tool and its log line, the floating window of
// every symbol and what is left when the user closes it, the right-click
// menu, the hover hint and the hint dialog of translate mode), its layout
// and its command dispatch.  Without a window system nothing is posted: the
// frame handles its own tool message at once, and the tests hand it the
// palette windows' messages.
#include "app/prog_win_class.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "document/point_symbol.h"
#include "foundation/clipboard_text.h"
#include "platform/version_word.h"
#include "notation/palette.h"
#include "platform/op_sys_base.h"
#include "tests/midi/fake_midi_driver.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/dialog_script.h"
#include "tests/support/fake_spooler.h"
#include "tests/support/log_capture.h"
#include "tests/support/main_menu_tree.h"
#include "tests/test_support.h"
#include "foundation/text_util.h"
#include "ui/menu_item.h"
#include "ui/status_bar.h"
#include "ui/tool_window.h"

namespace {

std::u16string S(const char16_t *text) { return text ? std::u16string(text) : std::u16string(u"<null>"); }

constexpr uint32_t kNotes = 300, kRests = 301, kBars = 302, kText = 304, kClefs = 308, kNone = 310, kAll = 311;
constexpr int16_t kNote116 = 21, kNote18 = 20, kRest116 = 74, kBarId = 166, kMusicText = 178, kClefG = 101;
constexpr uint32_t kSetupDraw = 600;

// The frame with its children as the start-up makes them, without the
// session log, the settings and the language that the start-up also opens;
// menu 1000 as built from the code table.
class cPaletteFrame : public ProgWinClass {
public:
    cPaletteFrame() : ProgWinClass(0, u"Pelmora") {
        SetMainMenu(test::BuildMainMenuTree(this, &installs));
        cViewPortTop::Open();
        SetSize(800, 600);
        OpenStatusBar();
        // The window system gives the bar its own height; here it is set.
        if (auto *bar = dynamic_cast<cViewPort *>(GetStatusBar())) bar->SetSize(800, 22);
        OpenScoreWindow();
        OpenStaticPalette();
        Layout();
    }
    ~cPaletteFrame() override { SetMainMenu(nullptr); }

    std::vector<test::cTestMenu::sInstall> installs;
};

// A listener that sees every command before the frame and takes one id.
class cCommandListener : public cViewPort {
public:
    cCommandListener(std::vector<uint32_t> &seenIds, uint32_t takenId)
        : cViewPort(nullptr, 0, u"Listener"), seen(seenIds), taken(takenId) {}
    tStatus OnCommand(sWinMessage &record) override {
        seen.push_back(record.key);
        return record.key == taken ? RC_OK : RC_FAIL;
    }

private:
    std::vector<uint32_t> &seen;
    uint32_t taken;
};

class PaletteWindowsTest : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        previousSpooler = SetPrintSpooler(&spooler);
        gOpSys->SetScriptedBoxAnswer(1);
        log = std::make_unique<test::LogCapture>("palette_windows");
        frame = std::make_unique<cPaletteFrame>();
    }
    void TearDown() override {
        gOpSys->SetScriptedBoxAnswer(0);
        gOpSys->SetTranslateMode(false);
        frame.reset();
        log.reset();
        StaffTest::TearDown();
        SetPrintSpooler(previousSpooler);
    }

    tStatus Command(uint32_t id) {
        sWinMessage record(kMsgCommand, id, 0);
        return frame->OnCommand(record);
    }
    tStatus Post(uint32_t message, uintptr_t wParam, const void *item) {
        sWinMessage record(message, wParam, reinterpret_cast<tLParam>(item));
        return frame->OnMessage(message, record);
    }
    int16_t ToolId() {
        cMusicToolBarItem *tool = frame->GetCurrentTool();
        return tool ? tool->GetClassId() : 0;
    }
    // The button of the class on the bar's shown page; null when it is not
    // shown.
    static cToolBarItem *Button(cToolBar *bar, int16_t classId) {
        for (uint32_t i = 0; bar && i < bar->GetCount(); ++i) {
            auto *item = dynamic_cast<cMusicToolBarItem *>(bar->GetItems()[i]);
            if (item && item->GetClassId() == classId) return item;
        }
        return nullptr;
    }
    // Presses the button as a left click in its window does.
    void Press(cToolBar *bar, int16_t classId) {
        cToolBarItem *button = Button(bar, classId);
        ASSERT_NE(button, nullptr) << classId;
        bar->SelectAt(button->GetX() + 1, button->GetY() + 1);
        Post(kMsgToolSelected, 0, bar->GetPressedItem());
    }
    // Occurrences in the log, whose lines end in "\r\n" as on Windows.
    size_t Count(const std::string &text) {
        std::string all = log->Text();
        all.erase(std::remove(all.begin(), all.end(), '\r'), all.end());
        size_t n = 0;
        for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1)) ++n;
        return n;
    }
    std::u16string HelpPart() {
        return S(dynamic_cast<cStatusBarBase *>(frame->GetStatusBar())->GetPartText(0));
    }
    void CloseFloatingByHand() {
        sWinMessage record(kMsgClose, 0, 0);
        frame->GetPopupPaletteWin()->OnClose(record);
    }

    test::cFakeDriverScope midi;
    test::cFakeSpooler spooler;
    cPrintSpooler *previousSpooler = nullptr;
    std::unique_ptr<test::LogCapture> log;
    std::unique_ptr<cPaletteFrame> frame;
};

TEST_F(PaletteWindowsTest, TheStaticPaletteStartsOnTheNotesWithTheSixteenthPressed) {
    ASSERT_NE(frame->GetStaticPaletteBar(), nullptr);
    EXPECT_EQ(frame->GetStaticPaletteBar()->GetCount(), 20u);
    EXPECT_EQ(ToolId(), kNote116);
    EXPECT_EQ(frame->GetScoreWindow()->GetCurrentTool(), frame->GetCurrentTool()) << "the score window asks the frame";
    EXPECT_EQ(frame->GetActivePaletteWin(), frame->GetStaticPaletteWin());
    EXPECT_FALSE(frame->IsPopupPaletteActive());
    EXPECT_EQ(frame->GetPopupPaletteBar(), nullptr);
    // The tool message the bar's attachment posts.
    Post(kMsgToolSelected, 0, nullptr);
    EXPECT_EQ(Count("(Tool=Note116)\n"), 1u) << log->Text();
    // The score window lies between the palette and the status bar.
    const int32_t paletteHeight = frame->GetStaticPaletteBar()->GetHeight();
    EXPECT_GT(paletteHeight, 0);
    EXPECT_EQ(frame->GetStaticPaletteWin()->GetHeight(), paletteHeight);
    const int32_t barHeight = frame->GetStatusBar()->GetHeight();
    EXPECT_EQ(frame->GetScoreWindow()->GetHeight(), frame->GetHeight() - paletteHeight - barHeight);
}

TEST_F(PaletteWindowsTest, DrawPagesShowTheirButtonsAndKeepTheirSelection) {
    // F3 and F2 are Draw > Rests and Draw > Notes.
    EXPECT_EQ(Command(kRests), RC_OK);
    EXPECT_EQ(ToolId(), kRest116);
    EXPECT_EQ(Command(kNotes), RC_OK);
    EXPECT_EQ(ToolId(), kNote116);
    std::string text = log->Text();
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    const size_t rest = text.find("(Tool=Rest116)\n"), note = text.find("(Tool=Note116)\n");
    ASSERT_NE(rest, std::string::npos) << text;
    ASSERT_NE(note, std::string::npos) << text;
    EXPECT_LT(rest, note);

    // The Notes page remembers its pressed button across other pages.
    Press(frame->GetStaticPaletteBar(), kNote18);
    EXPECT_EQ(ToolId(), kNote18);
    Command(kRests);
    Command(kNotes);
    EXPECT_EQ(ToolId(), kNote18);

    // Each page's first show presses its initially selected class; the
    // popup copy of a page command (0x4000) does what the command does.
    struct Case {
        uint32_t page;
        uint32_t buttons;
        int16_t pressed;
    } cases[] = {{kBars, 8, kBarId}, {kText, 5, kMusicText}, {kWindowCommandBit | kClefs, 22, kClefG}, {kNone, 0, 0}};
    for (const Case &c : cases) {
        EXPECT_EQ(Command(c.page), RC_OK) << c.page;
        EXPECT_EQ(frame->GetStaticPaletteBar()->GetCount(), c.buttons) << c.page;
        EXPECT_EQ(ToolId(), c.pressed) << c.page;
    }
    // Page None leaves no palette above the score window.
    EXPECT_EQ(frame->GetStaticPaletteWin()->GetHeight(), 0);
    EXPECT_EQ(frame->GetScoreWindow()->GetHeight(), frame->GetHeight() - frame->GetStatusBar()->GetHeight());
    // Without a tool Setup > Draw is grey.
    EXPECT_FALSE(gMainMenu->IsCommandEnabled(kSetupDraw));
}

TEST_F(PaletteWindowsTest, DrawAllOpensTheFloatingWindowOfEverySymbol) {
    const int32_t paletteHeight = frame->GetStaticPaletteBar()->GetHeight();
    const int32_t scoreHeight = frame->GetScoreWindow()->GetHeight();
    EXPECT_EQ(Command(kAll), RC_OK);
    cViewPortPopupToolWin *popup = frame->GetPopupPaletteWin();
    ASSERT_NE(popup, nullptr);
    ASSERT_NE(frame->GetPopupPaletteBar(), nullptr);
    EXPECT_EQ(S(popup->GetName()), u"Draw All");
    EXPECT_TRUE(frame->IsPopupPaletteActive());
    EXPECT_EQ(frame->GetActivePaletteWin(), popup);
    // Every button of every page, the window sized to them; the static
    // palette empty and the score window moved up.
    uint32_t all = 0;
    for (const sPalettePage &page : kPalettePages) all += uint32_t(PaletteButtonCount(page));
    EXPECT_EQ(frame->GetPopupPaletteBar()->GetCount(), all);
    EXPECT_EQ(popup->GetWidth(), frame->GetPopupPaletteBar()->GetWidth());
    EXPECT_EQ(popup->GetHeight(), frame->GetPopupPaletteBar()->GetHeight());
    EXPECT_EQ(frame->GetStaticPaletteBar()->GetCount(), 0u);
    EXPECT_EQ(frame->GetScoreWindow()->GetHeight(), scoreHeight + paletteHeight);
    // The floating bar's selection is the tool.
    EXPECT_EQ(ToolId(), kNote116);
    Press(frame->GetPopupPaletteBar(), kClefG);
    EXPECT_EQ(ToolId(), kClefG);
    EXPECT_EQ(Count("(Tool=ClefG)\n"), 1u);

    // None greys it and keeps it; All enables the same window again.
    Command(kNone);
    EXPECT_EQ(frame->GetPopupPaletteWin(), popup);
    EXPECT_EQ(popup->IsToolBarEnabled(), 0);
    EXPECT_EQ(ToolId(), 0);
    for (uint32_t i = 0; i < frame->GetPopupPaletteBar()->GetCount(); ++i)
        EXPECT_EQ(frame->GetPopupPaletteBar()->GetItems()[i]->GetState(), kToolDisabled) << i;
    Command(kAll);
    EXPECT_EQ(frame->GetPopupPaletteWin(), popup);
    EXPECT_EQ(popup->IsToolBarEnabled(), 1);

    // Another page closes it and shows that page in the static palette.
    Command(kClefs);
    EXPECT_EQ(frame->GetPopupPaletteWin(), nullptr);
    EXPECT_EQ(frame->GetPopupPaletteBar(), nullptr);
    EXPECT_FALSE(frame->IsPopupPaletteActive());
    EXPECT_EQ(frame->GetStaticPaletteBar()->GetCount(), 22u);
    EXPECT_EQ(ToolId(), kClefG);
}

TEST_F(PaletteWindowsTest, ASavedPlaceOpensTheFloatingWindowThere) {
    frame->ShowAllToolsWindow(u"40,50,230,120");
    cViewPortPopupToolWin *popup = frame->GetPopupPaletteWin();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetScreenX(), 40);
    EXPECT_EQ(popup->GetScreenY(), 50);
    EXPECT_EQ(popup->GetWidth(), frame->GetPopupPaletteBar()->GetWidth());
    EXPECT_LE(popup->GetWidth(), 230) << "the buttons are laid out across the saved width";
}

// The user's close box: the window leaves its bar and the frame forgets
// both, so that nothing later deletes the closed window through a bar, and
// a button carried by a message posted before is not used.
TEST_F(PaletteWindowsTest, AClosedFloatingWindowIsForgottenAndNeverDeletedTwice) {
    Command(kAll);
    cToolBarItem *stale = Button(frame->GetPopupPaletteBar(), kMusicText);
    ASSERT_NE(stale, nullptr);
    CloseFloatingByHand();
    EXPECT_EQ(frame->GetPopupPaletteWin(), nullptr);
    EXPECT_EQ(frame->GetPopupPaletteBar(), nullptr);
    EXPECT_FALSE(frame->IsPopupPaletteActive());
    EXPECT_EQ(frame->GetActivePaletteWin(), frame->GetStaticPaletteWin());
    EXPECT_EQ(frame->GetStaticPaletteBar()->GetCount(), 0u) << "still on page None";

    // Messages that carry a button of the deleted bar change nothing.
    const std::u16string hint = HelpPart();
    Post(kMsgToolHover, 0, stale);
    EXPECT_EQ(HelpPart(), hint);
    Post(kMsgToolRightClick, 0, stale);
    EXPECT_EQ(frame->GetPopupMenu(), nullptr);
    EXPECT_EQ(frame->GetScoreWindow()->TakeCurrentSymbol(), nullptr);

    // A later Draw > All builds a fresh window; Draw > Rests deletes it, and
    // so does the frame's end (ASan sees a second deletion).
    Command(kAll);
    ASSERT_NE(frame->GetPopupPaletteWin(), nullptr);
    EXPECT_TRUE(frame->IsPopupPaletteActive());
    CloseFloatingByHand();
    Command(kAll);
    Command(kRests);
    EXPECT_EQ(ToolId(), kRest116);
    Command(kAll);
    CloseFloatingByHand();
    frame.reset();
}

TEST_F(PaletteWindowsTest, HoverShowsTheButtonsHint) {
    cToolBar *bar = frame->GetStaticPaletteBar();
    cToolBarItem *button = Button(bar, kNote116);
    Post(kMsgToolHover, 0, button);
    EXPECT_EQ(HelpPart(), S(cPObjBase::PrototypeById(kNote116)->GetHint()));
    EXPECT_FALSE(HelpPart().empty());
    // An empty area leaves the hint.
    Post(kMsgToolHover, 0, nullptr);
    EXPECT_EQ(HelpPart(), S(cPObjBase::PrototypeById(kNote116)->GetHint()));
}

TEST_F(PaletteWindowsTest, ARightClickedButtonGetsHelpAndItsSetupWhenItHasOne) {
    struct Case {
        uint32_t page;
        int16_t classId;
    } cases[] = {{kNotes, kNote116}, {kBars, kBarId}, {kText, kMusicText}, {kClefs, kClefG}};
    bool withSetup = false, without = false;
    for (const Case &c : cases) {
        Command(c.page);
        cPObjPoint *prototype = cPObjBase::PrototypeById(c.classId);
        const bool setup = prototype->HasClassSetup() == RC_OK;
        withSetup |= setup;
        without |= !setup;
        Post(kMsgToolRightClick, (7u << 16) | 5u, Button(frame->GetStaticPaletteBar(), c.classId));
        cSubMenuBase *menu = frame->GetPopupMenu();
        ASSERT_NE(menu, nullptr) << c.classId;
        EXPECT_EQ(S(menu->GetText()), u"ToolRBtn");
        ASSERT_EQ(menu->GetItemCount(), setup ? 2 : 1) << c.classId;
        EXPECT_EQ(menu->GetItem(0)->GetId(), kWindowCommandBit | 700u);
        EXPECT_EQ(S(menu->GetItem(0)->GetText()), u"Help");
        if (setup) {
            EXPECT_EQ(menu->GetItem(1)->GetId(), kWindowCommandBit | kSetupDraw);
            EXPECT_EQ(S(menu->GetItem(1)->GetText()), u"Setup Draw");
        }
        // The score window's commands use the prototype once.
        EXPECT_EQ(frame->GetScoreWindow()->TakeCurrentSymbol(), prototype);
        EXPECT_EQ(frame->GetScoreWindow()->TakeCurrentSymbol(), nullptr);
    }
    EXPECT_TRUE(withSetup && without) << "both menus are seen";
}

TEST_F(PaletteWindowsTest, SetupDrawFollowsTheToolsSetupRecord) {
    struct Case {
        uint32_t page;
    } cases[] = {{kNotes}, {kBars}, {kText}, {kClefs}, {kNone}};
    for (const Case &c : cases) {
        Command(c.page);
        cPObjPoint *prototype = cPObjBase::PrototypeById(ToolId());
        const bool setup = ToolId() != 0 && prototype && prototype->HasClassSetup() == RC_OK;
        EXPECT_EQ(gMainMenu->IsCommandEnabled(kSetupDraw), setup) << c.page;
    }
}

TEST_F(PaletteWindowsTest, InTranslateModeChoosingAToolEditsItsHint) {
    cPObjPoint *prototype = cPObjBase::PrototypeById(kRest116);
    const std::u16string original = S(prototype->GetHint());
    gOpSys->SetTranslateMode(true);
    std::u16string shown;
    uint32_t templateId = 0;
    {
        // Cancel keeps the hint.
        test::ScriptScope scope([&](cDialogBox &d) {
            templateId = d.GetTemplateId();
            shown = S(d.GetControlText(101));
            d.SetControlText(101, u"Pause");
            d.Command(2);
        });
        Command(kRests);
    }
    EXPECT_EQ(templateId, kToolHintDialogId);
    EXPECT_EQ(shown, original);
    EXPECT_EQ(S(prototype->GetHint()), original);
    EXPECT_EQ(Count("translating: (Tool=Rest116)\n"), 1u) << log->Text();
    {
        test::ScriptScope scope([&](cDialogBox &d) {
            d.SetControlText(101, u"Pause");
            d.Command(1);
        });
        Command(kRests);
    }
    EXPECT_EQ(S(prototype->GetHint()), u"Pause");
    // The hover shows the new hint.
    gOpSys->SetTranslateMode(false);
    Post(kMsgToolHover, 0, Button(frame->GetStaticPaletteBar(), kRest116));
    EXPECT_EQ(HelpPart(), u"Pause");
    prototype->SetHint(original.c_str());
}

// The floating window stays enabled while the hint dialog runs: a tool
// chosen there meanwhile is logged and becomes the tool, but its hint waits
// for a later choice instead of a second dialog over the first.
TEST_F(PaletteWindowsTest, InTranslateModeAToolChosenWhileTheHintDialogIsOpenOpensNoSecondDialog) {
    Command(kAll);
    ASSERT_NE(frame->GetPopupPaletteBar(), nullptr);
    cPObjPoint *rest = cPObjBase::PrototypeById(kRest116);
    cPObjPoint *clef = cPObjBase::PrototypeById(kClefG);
    const std::u16string restHint = S(rest->GetHint()), clefHint = S(clef->GetHint());
    gOpSys->SetTranslateMode(true);
    std::vector<std::u16string> shown;
    {
        test::ScriptScope scope([&](cDialogBox &d) {
            shown.push_back(S(d.GetControlText(101)));
            if (shown.size() == 1) Press(frame->GetPopupPaletteBar(), kClefG);
            d.SetControlText(101, u"Pause");
            d.Command(1);
        });
        Press(frame->GetPopupPaletteBar(), kRest116);
    }
    gOpSys->SetTranslateMode(false);
    EXPECT_EQ(shown, std::vector<std::u16string>{restHint}) << "one dialog, for the first choice";
    EXPECT_EQ(S(rest->GetHint()), u"Pause");
    EXPECT_EQ(S(clef->GetHint()), clefHint);
    EXPECT_EQ(Count("translating: (Tool=ClefG)\n"), 1u) << log->Text();
    EXPECT_EQ(ToolId(), kClefG);
    rest->SetHint(restHint.c_str());
}

// The listeners first: a command one of them takes never reaches the
// frame's switch.  What reaches it acts with bit 0x4000 cleared, and every
// command there, an unknown one too, forgets the right-clicked prototype.
TEST_F(PaletteWindowsTest, TheDispatcherAsksTheListenersFirstThenTheFramesOwnTable) {
    std::vector<uint32_t> seen;
    constexpr uint32_t kTakenByListener = 999, kUnknown = 998;
    frame->AddListener(new cCommandListener(seen, kTakenByListener));
    MusicWin *score = frame->GetScoreWindow();
    cPObjPoint *prototype = cPObjBase::PrototypeById(kNote116);

    score->SetRightClicked(prototype);
    EXPECT_EQ(Command(kTakenByListener), RC_OK);
    EXPECT_EQ(score->TakeCurrentSymbol(), prototype) << "the frame's switch was not reached";

    score->SetRightClicked(prototype);
    EXPECT_EQ(Command(kWindowCommandBit | kAll), RC_OK);
    EXPECT_NE(frame->GetPopupPaletteWin(), nullptr) << "0x4000 | 311 acts as 311";
    EXPECT_EQ(score->TakeCurrentSymbol(), nullptr);

    score->SetRightClicked(prototype);
    EXPECT_EQ(Command(kUnknown), RC_FAIL);
    EXPECT_EQ(score->TakeCurrentSymbol(), nullptr) << "an unknown id forgets it too";

    // The listener saw each command as it came, bit included.
    EXPECT_EQ(seen, (std::vector<uint32_t>{kTakenByListener, kWindowCommandBit | kAll, kUnknown}));
}

TEST_F(PaletteWindowsTest, AResizeKeepsTheScoreWindowBetweenPaletteAndStatusBar) {
    gProgramStatus.SetDebugMode(true);
    struct Case {
        int32_t width, height;
        uint32_t page;
    } cases[] = {{700, 500, kNotes}, {320, 900, kClefs}, {1000, 200, kNone}, {200, 60, kNotes}};  // the last: no room left
    for (const Case &c : cases) {
        Command(c.page);
        frame->SetSize(c.width, c.height);
        sWinMessage record(kMsgSize, 0, 0);
        frame->OnSize(c.width, c.height, record);
        const int32_t palette = frame->GetStaticPaletteBar()->GetHeight();
        const int32_t bar = frame->GetStatusBar()->GetHeight();
        EXPECT_EQ(frame->GetStaticPaletteWin()->GetHeight(), palette) << c.page;
        EXPECT_EQ(frame->GetStaticPaletteWin()->GetWidth(), frame->GetStaticPaletteBar()->GetWidth()) << c.page;
        EXPECT_EQ(frame->GetScoreWindow()->GetWidth(), c.width) << c.page;
        EXPECT_EQ(frame->GetScoreWindow()->GetHeight(), std::max(0, c.height - palette - bar)) << c.page;
        // In diagnostic mode part 1 shows the size.
        const std::u16string size = S(dynamic_cast<cStatusBarBase *>(frame->GetStatusBar())->GetPartText(1));
        EXPECT_EQ(size.rfind(u"Size ", 0), 0u) << test::Narrow(size);
        EXPECT_NE(size.find(u", " + FormatInt(c.height)), std::u16string::npos) << test::Narrow(size);
    }
    gProgramStatus.SetDebugMode(false);
}

TEST_F(PaletteWindowsTest, TheScoreWindowsSelectCommandsAreLoggedBeforeTheyRun) {
    struct Case {
        uint32_t id;
        const char *line;
    } cases[] = {{40, "Select Staff\n"}, {kWindowCommandBit | 41u, "Select Brace\n"}};
    for (const Case &c : cases) {
        sWinMessage record(kMsgCommand, c.id, 0);
        frame->PreviewMessage(kMsgCommand, record);
        EXPECT_EQ(Count(c.line), 1u) << log->Text();
    }
    sWinMessage other(kMsgCommand, 42, 0);
    frame->PreviewMessage(kMsgCommand, other);
    EXPECT_EQ(Count("Select"), 2u) << "no line for other commands";
}

TEST_F(PaletteWindowsTest, FocusEnablesThePasteItemsByTheClipboardExceptInTranslateMode) {
    constexpr uint32_t kPasteLyrics = 207, kPasteText = 208, kUnicodeText = 13;
    sWinMessage record(kMsgSetFocus, 0, 0);
    ClipboardEmptyForTest();
    frame->OnSetFocus(record);
    EXPECT_FALSE(gMainMenu->IsCommandEnabled(kPasteLyrics));
    ClipboardPutBytesForTest(kUnicodeText, std::string("l\0a\0", 4), true);
    frame->OnSetFocus(record);
    EXPECT_TRUE(gMainMenu->IsCommandEnabled(kPasteLyrics));
    EXPECT_FALSE(gMainMenu->IsCommandEnabled(kPasteText)) << "no text symbol selected";
    // Translate mode leaves the items as they are.
    gOpSys->SetTranslateMode(true);
    ClipboardEmptyForTest();
    frame->OnSetFocus(record);
    EXPECT_TRUE(gMainMenu->IsCommandEnabled(kPasteLyrics));
    gOpSys->SetTranslateMode(false);
    frame->OnSetFocus(record);
    EXPECT_FALSE(gMainMenu->IsCommandEnabled(kPasteLyrics));
}

}  // namespace
