// The program's start-up: the first start greets the user once and leaves a
// settings file before the main loop runs; the log tells what the program
// found; the palette, the title and the status bar are as the start-up
// made them; a saved window size comes back; the score window stays
// between the palette and the status bar whatever the frame's size.
#include <gtest/gtest.h>

#include <string>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"
#include "tests/test_support.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdSaveAs = 103;
constexpr uint32_t kVideoButton = 101;
constexpr uint32_t kWelcomeOk = 2;

class Startup : public cRunningProgram {
protected:
    // A child window's rectangle in the frame's client coordinates.
    RECT ChildRect(HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT *>(&r), 2);
        return r;
    }
};

TEST_F(Startup, TheFirstStartGreetsOnceAndLeavesItsSettingsBeforeTheLoop) {
    Use("startup_first");
    const std::u16string settings = folder + kSettingsName;
    sStart how;
    how.firstRun = true;
    how.shellCapture = folder + u"shell.txt";
    how.dataFolder = folder;
    // No frame before the welcome is closed: the start-up waits on it.
    ASSERT_TRUE(program.Start(how));
    HWND welcome = program.WaitForWindow(u"Welcome to Pelmora");
    ASSERT_NE(welcome, nullptr) << "no welcome on the first start";
    SaveScreenshot(welcome, folder + u"welcome.bmp");
    EXPECT_EQ(ItemText(welcome, kVideoButton), u"Online Video");
    EXPECT_EQ(ItemText(welcome, kWelcomeOk), u"OK");
    // The video opens in the browser and the dialog stays.
    ASSERT_TRUE(PressButton(welcome, kVideoButton));
    EXPECT_TRUE(program.WaitForText(how.shellCapture, "http://www.pelmora.org/PelmoraDemo.wmv|"))
        << ReadFile(how.shellCapture);
    EXPECT_TRUE(IsWindow(welcome));
    ASSERT_TRUE(PressButton(welcome, kWelcomeOk));
    ASSERT_TRUE(WaitUntilClosed(welcome));

    frame = program.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    const tStateDump dump = Settled();
    EXPECT_TRUE(FileExists(settings)) << "written before the main loop";
    EXPECT_EQ(WindowTitle(frame), u"NoName.pmr");
    EXPECT_EQ(StatusPart(dump, "0"), "Edit: Resize");
    // The log: session header, the devices, "[edit]", then the first tool.
    const std::string log = Log();
    const size_t header = log.find("** Starting new session: ");
    const size_t midi = log.find("MIDI Mapper: ");
    const size_t edit = log.find("[edit]\r\n");
    const size_t tool = log.find("(Tool=Note116)\r\n");
    ASSERT_NE(header, std::string::npos) << log;
    ASSERT_NE(midi, std::string::npos) << log;
    ASSERT_NE(edit, std::string::npos) << log;
    ASSERT_NE(tool, std::string::npos) << log;
    EXPECT_LT(header, midi);
    EXPECT_LT(midi, edit);
    EXPECT_LT(edit, tool);
    ASSERT_NE(StaticPalette(), nullptr);
    SaveScreenshot(frame, folder + u"first_start.bmp");
    EXPECT_EQ(Exit(), 0u);

    // The second start greets nobody: it reaches its loop without a dialog.
    Launch();
    ASSERT_NE(frame, nullptr);
    Settled();
    EXPECT_EQ(CountOf(Log(), "Dialog_Welcome to Pelmora<1003>:<Cancel>"), 1) << "closed once, by its OK (button 2)";
    for (const sStateLine &window : LinesOf(program.ReadState(frame), "window"))
        EXPECT_NE(window.fields.size() > 1 ? window.fields[1] : "", "Welcome to Pelmora");
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(Startup, TheFileOfTheCommandLineNamesTheFrame) {
    Use("startup_command_line");
    const std::u16string tune = folder + u"tune.pmr";
    // A score saved by the program, under a name given to Save as.
    sStart save;
    save.fileAnswers = {tune};
    Launch(save);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowTitle(frame), u"NoName.pmr");
    ASSERT_TRUE(PostCommand(frame, kCmdSaveAs));
    Settled();
    EXPECT_EQ(Exit(), 0u);
    ASSERT_TRUE(FileExists(tune));

    sStart how;
    how.commandLine = u"\"" + tune + u"\"";
    Launch(how);
    ASSERT_NE(frame, nullptr);
    Settled();
    EXPECT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(tune));
    const std::string log = Log();
    EXPECT_EQ(log.find("File Error"), std::string::npos) << log;
    // The second session loaded it.
    EXPECT_LT(log.rfind("** Starting new session: "), log.rfind("Status: File=" + ToUtf8(tune))) << log;
    EXPECT_EQ(Exit(), 0u);
}

// The client area comes back as saved; after a resize the score window
// fills the width, from the palette's lower edge to the status bar.
TEST_F(Startup, ASavedSizeComesBackAndTheScoreWindowFillsTheMiddle) {
    Use("startup_size");
    WriteSettings(u"WindowSize=60,70,700,460\n");
    Launch();
    ASSERT_NE(frame, nullptr);
    Settled();
    RECT client{};
    GetClientRect(frame, &client);
    EXPECT_EQ(client.right - client.left, 700);
    EXPECT_EQ(client.bottom - client.top, 460);

    for (const SIZE size : {SIZE{900, 640}, SIZE{520, 380}}) {
        SetWindowPos(frame, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        Settled();
        GetClientRect(frame, &client);
        HWND palette = StaticPalette();
        HWND score = ScoreWindow();
        HWND status = ChildOfClass(frame, u"msctls_statusbar32");
        ASSERT_TRUE(palette && score && status);
        const RECT p = ChildRect(palette), s = ChildRect(score), b = ChildRect(status);
        EXPECT_EQ(p.top, 0);
        EXPECT_GT(p.bottom, 0) << "the Notes page";
        EXPECT_EQ(s.left, 0);
        EXPECT_EQ(s.right, client.right);
        EXPECT_EQ(s.top, p.bottom);
        EXPECT_EQ(s.bottom, b.top);
        EXPECT_EQ(b.bottom, client.bottom);
    }
    EXPECT_EQ(Exit(), 0u);
}

}  // namespace
