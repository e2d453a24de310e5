// The frame's own commands in the running program: Save Setup writes the
// frame's place and drops the floating palette's, Help > Draw asks the help
// engine for the current symbol's topic, the help-forum dialog shows the
// support text and opens the forum page while it stays open, and a close
// in translate mode writes the language file before the program ends.
#include <gtest/gtest.h>

#include <string>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdDrawClefs = 308;
constexpr uint32_t kCmdTranslate = 609;
constexpr uint32_t kCmdSaveSetup = 611;
constexpr uint32_t kCmdHelpDraw = 701;
constexpr uint32_t kCmdHelpForum = 703;
// The help-forum dialog's items.
constexpr uint32_t kForum = 101;
constexpr uint32_t kSupportText = 102;
constexpr uint32_t kForumLabel = 26728;
constexpr uint32_t kCancel = 2;
constexpr uint32_t kOk = 1;
constexpr uint32_t kLanguageName = 101;

// The whole text of a dialog item, however long.
std::u16string WholeItemText(HWND dialog, uint32_t id) {
    HWND item = DialogItem(dialog, id);
    DWORD_PTR length = 0;
    if (!item || !SendMessageTimeoutW(item, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length)) return u"";
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(item, WM_GETTEXT, length + 1, LPARAM(&buffer[0]), SMTO_ABORTIFHUNG, 10000, &got);
    buffer.resize(got);
    return std::u16string(buffer.begin(), buffer.end());
}

class FrameCommands : public cRunningProgram {
protected:
    // Starts on a data folder whose settings file holds `settings` (so that
    // this is not a first run).
    void Start(const char *name, const std::u16string &settings, sStart how = {}) {
        Use(name);
        WriteSettings(settings);
        Launch(std::move(how));
    }
};

TEST_F(FrameCommands, SaveSetupWritesTheFramesClientAreaAndDropsAClosedFloatingPalette) {
    Start("frame_save_setup", u"WindowTools=700,40,300,220\n");
    ASSERT_TRUE(SetWindowPos(frame, nullptr, 30, 40, 720, 540, SWP_NOZORDER));
    // Draw > Clefs closes a floating palette window that the start-up opened.
    ASSERT_TRUE(PostCommand(frame, kCmdDrawClefs));
    ASSERT_TRUE(PostCommand(frame, kCmdSaveSetup));
    Settled();
    const std::string ini = Settings();
    RECT client{};
    ASSERT_TRUE(GetClientRect(frame, &client));
    POINT corner{0, 0};
    ClientToScreen(frame, &corner);
    const std::u16string size = FormatInt(corner.x) + u"," + FormatInt(corner.y) + u"," + FormatInt(client.right) +
                                u"," + FormatInt(client.bottom);
    EXPECT_NE(ini.find(Utf16Text(u"WindowSize=" + size + u"\n")), std::string::npos) << ToUtf8(size);
    EXPECT_EQ(ini.find(Utf16Text(u"WindowTools")), std::string::npos);
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(FrameCommands, HelpOnDrawWithNothingSelectedAsksForThePressedToolsTopic) {
    sStart how;
    how.help = FreshFolder("frame_help_draw_requests") + u"help.txt";
    Start("frame_help_draw", u"", how);
    ASSERT_TRUE(PostCommand(frame, kCmdHelpDraw));
    // The notes' topic: the Notes page's pressed quarter note, or the
    // quarter note itself without a palette.
    EXPECT_TRUE(program.WaitForText(how.help, "HtmlHelp 15 1025 ")) << ReadFile(how.help);
    EXPECT_NE(ReadFile(how.help).find("pelmora.chm\n"), std::string::npos) << ReadFile(how.help);
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(FrameCommands, TheForumDialogShowsTheSupportTextAndForumOpensThePageWhileItStays) {
    sStart how;
    how.shellCapture = FreshFolder("frame_forum_shell") + u"shell.txt";
    Start("frame_forum", u"LocalNet=test.lan\n", how);
    ASSERT_TRUE(PostCommand(frame, kCmdHelpForum));
    HWND dialog = program.WaitForWindow(u"Help forum");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ItemText(dialog, kForumLabel),
              u"Please include the information below in your post on the website forum.  "
              u"You may also attach the log file to your post.");
    EXPECT_EQ(ItemText(dialog, kForum), u"Forum");
    // Every line on a line of its own (CR LF), the log's path last.
    const std::u16string text = WholeItemText(dialog, kSupportText);
    const std::u16string last = u"\r\nLog file = " + folder + TodaysLogName();
    ASSERT_GE(text.size(), last.size());
    EXPECT_EQ(text.substr(text.size() - last.size()), last) << ToUtf8(text);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') EXPECT_TRUE(i > 0 && text[i - 1] == u'\r') << "a bare line feed at " << i;
        if (text[i] == u'\r') EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == u'\n') << "a bare return at " << i;
    }
    EXPECT_NE(text.find(u"Windows Ver. "), std::u16string::npos) << ToUtf8(text);
    EXPECT_NE(text.find(u"MIDI device 0: "), std::u16string::npos) << ToUtf8(text);
    EXPECT_TRUE(SaveScreenshot(GetDesktopWindow(), folder + u"forum.bmp"));

    ASSERT_TRUE(PressButton(dialog, kForum));
    EXPECT_TRUE(program.WaitForText(how.shellCapture, "http://forum.test.lan/forum.html|\n"))
        << ReadFile(how.shellCapture);
    EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "Forum closed the dialog";
    ASSERT_TRUE(PressButton(dialog, kCancel));
    EXPECT_TRUE(WaitUntilClosed(dialog));
    Settled();
    EXPECT_EQ(CountOf(ReadFile(how.shellCapture), "forum.html"), 1);
    EXPECT_EQ(Exit(), 0u);
}

// The close box (WM_CLOSE) and Alt+F4 (the system menu's Close) in
// translate mode: the mode ends as Translate ends it, asking for the
// language file and its header, and the program ends after the file is
// written.
TEST_F(FrameCommands, ACloseInTranslateModeWritesTheLanguageFileFirst) {
    struct sCase {
        const char *name;
        UINT message;
        WPARAM wParam;
    } cases[] = {
        {"frame_close_translate_box", WM_CLOSE, 0},
        {"frame_close_translate_alt_f4", WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string languageFile = FreshFolder((std::string(c.name) + "_file").c_str()) + u"Mine.PmrLang";
        sStart how;
        how.fileAnswers = {languageFile};
        Start(c.name, u"", how);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(PostCommand(frame, kCmdTranslate));
        ASSERT_FALSE(program.ReadState(frame).empty());
        ASSERT_TRUE(PostMessageW(frame, c.message, c.wParam, 0));
        HWND header = program.WaitForWindow(u"Language File");
        ASSERT_NE(header, nullptr);
        ASSERT_TRUE(SetItemText(header, kLanguageName, u"Testish"));
        ASSERT_TRUE(PressButton(header, kOk));
        uint32_t code = 0xDEAD;
        ASSERT_TRUE(program.WaitForExit(30000, code));
        frame = nullptr;
        EXPECT_EQ(code, 0u);
        const std::string written = ReadFile(languageFile);
        EXPECT_EQ(CountOf(written, Utf16Text(u"Testish")), 1);
        EXPECT_EQ(CountOf(written, Utf16Text(u"Menu_File/Exit_Text=Exit")), 1);
        EXPECT_GT(CountOf(written, Utf16Text(u"Symbol_")), 0);
    }
}

}  // namespace
