// The frame's own commands on the score window of the headless device
// chain: Save Setup's keys, the help topic of Help > Draw, the support text
// and the forum page of Help > Help forum, and the end of translate mode
// before a close.
#include "app/prog_win_class.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/menu_texts.h"
#include "midi/midi_devices.h"
#include "notation/palette.h"
#include "platform/ini_file.h"
#include "platform/op_sys.h"
#include "tests/app/music_window_fixture.h"
#include "tests/platform/language_fakes.h"
#include "tests/support/fake_help_engine.h"
#include "tests/support/log_capture.h"
#include "ui/dialog_box.h"
#include "ui/view_help.h"
#include "ui/view_port_top.h"

namespace {

using test::S;

// A palette whose pressed tool the test chooses.
class cFakePalette : public cPaletteHost {
public:
    std::unique_ptr<cMusicToolBarItem> tool;
    cMusicToolBarItem *GetCurrentTool() override { return tool.get(); }
    bool IsPopupPaletteActive() override { return false; }
    void SelectPalettePage(uint32_t) override {}
};

// The main window that the shell opens pages for; the requests go to a
// file, so that no browser starts.
class cShellScope {
public:
    cShellScope() : os(static_cast<cOpSysVirtual *>(gOpSys)) {
        os->SetShellCaptureForTest(test::MakeTempFolder("frame_shell") + u"shell.txt");
    }
    ~cShellScope() { os->SetShellCaptureForTest(u""); }
    cOpSysVirtual *const os;
    cViewPortTop mainWindow{0, u"Pelmora"};
};

// Requests reach the engine whether or not a help file exists.
class cHelpWithoutFile : public test::cFakeHelp {
public:
    bool NeedsHelpFile() override { return false; }
};

class FrameCommands : public test::MusicWinTest {
protected:
    void SetUp() override {
        MusicWinTest::SetUp();
        previousEngine = SetHelpEngine(&help);
        viewer = gOpSys->GetHelpViewer();
        ASSERT_NE(viewer, nullptr);
        previousHelpFile = viewer->GetHelpFile();
        viewer->SetHelpFile(u"pelmora.chm");
        win->SetPaletteHost(&palette);
    }
    void TearDown() override {
        palette.tool.reset();
        viewer->SetHelpFile(previousHelpFile.c_str());
        SetHelpEngine(previousEngine);
        gOpSys->Settings().RemoveKey(u"LocalNet");
        MusicWinTest::TearDown();
    }
    void PressTool(int16_t classId) { palette.tool = std::make_unique<cMusicToolBarItem>(0, 0, classId, win.get()); }
    // The topic of the one help request since the last call; -1 for none,
    // -2 for more than one.
    int64_t AskedTopic() {
        std::vector<std::string> shown;
        for (const std::string &call : help.calls)
            if (call.rfind("HtmlHelp ", 0) == 0) shown.push_back(call);
        help.calls.clear();
        if (shown.size() != 1) return shown.empty() ? -1 : -2;
        return std::stoll(shown[0].substr(shown[0].rfind(' ') + 1));
    }

    cHelpWithoutFile help;
    cHelpEngine *previousEngine = nullptr;
    cViewHelp *viewer = nullptr;
    std::u16string previousHelpFile;
    cFakePalette palette;
};

TEST_F(FrameCommands, HelpOnDrawTakesTheSelectionThenTheRightClickThenTheToolThenTheQuarterNote) {
    win->Open();
    // Nothing at all: the quarter note, a note.
    ProgWinClass::ShowSymbolHelp(*frame, win.get());
    EXPECT_EQ(AskedTopic(), 1025);
    // The pressed tool: a rest.
    PressTool(Rest14::kClassId);
    ProgWinClass::ShowSymbolHelp(*frame, win.get());
    EXPECT_EQ(AskedTopic(), 1026);
    // A prototype right-clicked on the palette goes before the tool, once.
    win->SetRightClicked(cPObjBase::PrototypeById(ClefG::kClassId));
    ProgWinClass::ShowSymbolHelp(*frame, win.get());
    EXPECT_EQ(AskedTopic(), 1020);
    ProgWinClass::ShowSymbolHelp(*frame, win.get());
    EXPECT_EQ(AskedTopic(), 1026) << "the right click serves one command only";
    // The selection goes before everything.
    win->SetRightClicked(cPObjBase::PrototypeById(ClefG::kClassId));
    gSelectedObject = FirstStaff();
    ASSERT_NE(gSelectedObject, nullptr);
    ProgWinClass::ShowSymbolHelp(*frame, win.get());
    EXPECT_EQ(AskedTopic(), 1049);
    gSelectedObject = nullptr;
    ProgWinClass::ShowSymbolHelp(*frame, win.get());
    EXPECT_EQ(AskedTopic(), 1026) << "the selection took the right click along";
    // A family without a topic opens the help file at its start (topic 0).
    PressTool(37);
    ASSERT_NE(cPObjBase::PrototypeById(37), nullptr);
    ProgWinClass::ShowSymbolHelp(*frame, win.get());
    EXPECT_EQ(AskedTopic(), 0);
    // A tool of a class that is not registered asks for nothing.
    PressTool(4000);
    ProgWinClass::ShowSymbolHelp(*frame, win.get());
    EXPECT_EQ(AskedTopic(), -1);
    // The request is the frame's: the viewer records it as the asking window.
    EXPECT_EQ(viewer->GetRecordedWindow(), frame.get());
    viewer->CloseHelp();
}

TEST_F(FrameCommands, HelpOnDrawWithoutAScoreWindowAsksForTheQuarterNote) {
    win->Open();  // the registry
    ProgWinClass::ShowSymbolHelp(*frame, nullptr);
    EXPECT_EQ(AskedTopic(), 1025);
    viewer->CloseHelp();
}

TEST_F(FrameCommands, TheForumPageLiesOnTheForumHostOfLocalNetOrOfTheWebHost) {
    struct sCase {
        const char16_t *localNet;  // null: no key
        const char16_t *address;
    } cases[] = {
        {nullptr, u"http://forum.pelmora.org/forum.html"},
        {u"", u"http://forum.pelmora.org/forum.html"},
        {u"test.lan:8080", u"http://forum.test.lan:8080/forum.html"},
    };
    for (const sCase &c : cases) {
        gOpSys->Settings().SetOrRemove(u"LocalNet", c.localNet);
        if (c.localNet && !*c.localNet) gOpSys->Settings().SetValue(u"LocalNet", u"");
        EXPECT_EQ(ProgWinClass::ForumPageAddress(), c.address) << ToUtf8(S(c.localNet));
    }
}

TEST(FrameCommandTexts, TheSupportTextShowsEveryLineOnItsOwnLineInTheEditControl) {
    struct sCase {
        const char16_t *text, *shown;
    } cases[] = {
        {u"", u""},
        {u"one", u"one"},
        {u"one\ntwo\n", u"one\r\ntwo\r\n"},
        {u"one\r\ntwo", u"one\r\ntwo"},  // already paired: not doubled
        {u"\n\n", u"\r\n\r\n"},
        {u"lone\rcarriage", u"lonecarriage"},
        {u"\u00e9t\u00e9\n", u"\u00e9t\u00e9\r\n"},
    };
    for (const sCase &c : cases) EXPECT_EQ(ProgWinClass::WithEditLineEnds(c.text), c.shown) << ToUtf8(c.text);
}

TEST_F(FrameCommands, TheSupportTextNamesSystemPrinterMidiDevicesAndLog) {
    test::LogCapture session("frame_support_log");
    win->Open();
    const std::u16string system = gOpSys->GetSystemInfo();
    const std::u16string midi = GetMidiDeviceReport();
    const std::u16string log = session.Path();
    ASSERT_FALSE(system.empty());
    const std::u16string printer = win->GetPrinter()->Describe();
    EXPECT_EQ(ProgWinClass::SupportText(win.get()), system + printer + u"\n" + midi + u"\nLog file = " + log);
    // Without a score window there is no printer to describe.
    EXPECT_EQ(ProgWinClass::SupportText(nullptr), system + midi + u"\nLog file = " + log);
}

// Save Setup on a settings file of the test's own.
class FrameSaveSetup : public test::MusicWinTest {
protected:
    void SetUp() override {
        MusicWinTest::SetUp();
        path = test::MakeTempFolder("frame_save_setup") + u"PelmoraSetup.ini";
        settings.SetFileName(path.c_str());
        frame->SetRectFromText(u"12,34,640,480");
    }
    std::u16string Saved(const char16_t *key) {
        cIniFile saved;
        if (saved.Load(path.c_str()) != RC_OK) return u"<no file>";
        const char16_t *value = saved.GetValue(key);
        return value ? value : u"<absent>";
    }
    std::u16string path;
    cIniFile settings;
};

TEST_F(FrameSaveSetup, WritesTheFramesPlaceTheFloatingPalettesPlaceAndThePrinter) {
    win->Open();
    ASSERT_TRUE(win->GetPrinter()->HasPrinter());
    cViewPort floating(nullptr, 0, u"Floating");
    floating.SetRectFromText(u"700,40,300,220");
    ASSERT_EQ(ProgWinClass::SaveSetupTo(settings, *frame, &floating, win.get()), RC_OK);
    EXPECT_EQ(Saved(u"WindowSize"), u"12,34,640,480");
    EXPECT_EQ(Saved(u"WindowTools"), u"700,40,300,220");
    EXPECT_EQ(Saved(u"Printer"), u"Laser");

    // The floating window closed: the key goes, so that the next start-up
    // does not open it again.
    frame->SetRectFromText(u"0,0,800,600");
    ASSERT_EQ(ProgWinClass::SaveSetupTo(settings, *frame, nullptr, win.get()), RC_OK);
    EXPECT_EQ(Saved(u"WindowSize"), u"0,0,800,600");
    EXPECT_EQ(Saved(u"WindowTools"), u"<absent>");
    EXPECT_EQ(Saved(u"Printer"), u"Laser");
}

TEST_F(FrameSaveSetup, WithoutAPrinterTheEarlierPrinterStays) {
    settings.SetValue(u"Printer", u"Old Laser");
    // No score window at all, then one whose printer device found none.
    ASSERT_EQ(ProgWinClass::SaveSetupTo(settings, *frame, nullptr, nullptr), RC_OK);
    EXPECT_EQ(Saved(u"Printer"), u"Old Laser");
    spooler.defaultPrinter.clear();
    spooler.local.clear();
    win->Open();
    ASSERT_NE(win->GetPrinter(), nullptr);
    ASSERT_FALSE(win->GetPrinter()->HasPrinter());
    ASSERT_EQ(ProgWinClass::SaveSetupTo(settings, *frame, nullptr, win.get()), RC_OK);
    EXPECT_EQ(Saved(u"Printer"), u"Old Laser");
    EXPECT_EQ(Saved(u"WindowSize"), u"12,34,640,480");
}

TEST_F(FrameSaveSetup, AnswersTheSavesResult) {
    cIniFile nameless;
    EXPECT_EQ(ProgWinClass::SaveSetupTo(nameless, *frame, nullptr, nullptr), RC_FAIL);
    // A folder where the file should be cannot be opened as a file.
    cIniFile blocked;
    const std::u16string folder = test::MakeTempFolder("frame_save_setup_blocked");
    blocked.SetFileName(folder.substr(0, folder.size() - 1).c_str());
    EXPECT_LT(ProgWinClass::SaveSetupTo(blocked, *frame, nullptr, nullptr), 0);
}

#if !defined(_WIN32)
// The dialog as a user meets it: the support text in its field, Forum
// opening the page while the dialog stays, Cancel closing it.
TEST_F(FrameCommands, TheForumDialogShowsTheSupportTextAndForumOpensThePageAndStays) {
    win->Open();
    cShellScope shell;
    cOpSysVirtual *os = shell.os;
    gOpSys->Settings().SetValue(u"LocalNet", u"test.lan");
    struct sSeen {
        uint32_t templateId = 0;
        std::u16string text, opened;
        int32_t endAfterForum = -1;
        bool ran = false;
    } seen;
    std::u16string shellBefore = os->LastShellOpen();
    cDialogBox::tScript previous = cDialogBox::SetScript([&](cDialogBox &dialog) {
        seen.ran = true;
        seen.templateId = dialog.GetTemplateId();
        seen.text = S(dialog.GetControlText(102));
        // Opening the dialog opened no page.
        EXPECT_EQ(os->LastShellOpen(), shellBefore);
        dialog.Command(101);
        seen.opened = os->LastShellOpen();
        seen.endAfterForum = dialog.GetEndCode();
        dialog.Command(2);
    });
    ProgWinClass::ShowHelpForum(*frame, win.get());
    cDialogBox::SetScript(previous);
    ASSERT_TRUE(seen.ran);
    EXPECT_EQ(seen.templateId, ProgWinClass::kHelpForumDialogId);
    EXPECT_EQ(seen.text, ProgWinClass::WithEditLineEnds(ProgWinClass::SupportText(win.get())));
    EXPECT_NE(seen.text.find(u"\r\nLog file = "), std::u16string::npos);
    EXPECT_EQ(seen.opened, u"http://forum.test.lan/forum.html");
    EXPECT_EQ(seen.endAfterForum, 0) << "Forum leaves the dialog open";
}
#endif

TEST_F(FrameCommands, OnlyAClickOnForumOpensThePage) {
    cShellScope shell;
    cOpSysVirtual *os = shell.os;
    struct sCase {
        uint32_t control;
        int32_t code;
        bool opens;
    } cases[] = {
        {101, kDialogEventInit, false},
        {102, kDialogEventClick, false},
        {2, kDialogEventClick, false},
        {101, kDialogEventClick, true},
        {101, kDialogEventClose, true},  // any event of the button but its opening
    };
    for (const sCase &c : cases) {
        const std::u16string marker = u"nothing opened " + FormatInt(int32_t(c.control));
        os->ShellOpen(marker.c_str(), u"");
        EXPECT_EQ(ProgWinClass::ForumDialogEvent(c.control, c.code, nullptr, 0), 0);
        EXPECT_EQ(os->LastShellOpen(), c.opens ? ProgWinClass::ForumPageAddress() : marker) << c.control << " " << c.code;
    }
}

TEST(FrameClosing, ACloseInTranslateModeEndsItAndWritesTheLanguageFileFirst) {
    test::LanguageRun run{"frame_close_translate", 0x409};
    const std::u16string file = run.os.Folder() + u"Mine.PmrLang";
    run.ui.chosenFile = file.c_str();
    // Not in translate mode: nothing is asked.
    ProgWinClass::EndTranslateMode();
    EXPECT_TRUE(run.ui.fileDialogs.empty());
    EXPECT_FALSE(test::FileExists(file));

    ToggleTranslateMode(*run.os, gMainMenu);
    ASSERT_TRUE(run.os->IsTranslateMode());
    ProgWinClass::EndTranslateMode();
    EXPECT_FALSE(run.os->IsTranslateMode());
    EXPECT_EQ(run.ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(test::FileExists(file));
}

}  // namespace
