// The seams through which tests drive the running program: the state
// channel, modifier keys a test holds, right clicks and drags, screenshots,
// the device-less MIDI driver, the fault on demand, and the scripted answers
// of file dialogs and message boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"

using namespace gui;

namespace {

class Seams : public cRunningProgram {};

uint32_t Le32(const std::string &bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(bytes[at + size_t(i)]);
    return v;
}

TEST_F(Seams, TheStateDumpShowsTheMenuTreeAndTheWindows) {
    Start("seams_state");
    tStateDump dump = program.ReadState(frame);
    ASSERT_FALSE(dump.empty());
    EXPECT_EQ(dump.back().kind, "end");
    // The File menu holds the commands 100 to 111, all enabled today.
    for (uint32_t id = 100; id <= 111; ++id) {
        const sStateLine *item = MenuItem(dump, id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_EQ(item->fields[0], id == 104 || id == 105 || id == 106 || id == 107 ? "2" : "1") << id;
    }
    const sStateLine *saveAs = MenuItem(dump, 103);
    ASSERT_NE(saveAs, nullptr);
    EXPECT_EQ(saveAs->fields[2], "Save as");
    EXPECT_EQ(saveAs->fields[3], "1");  // enabled
    EXPECT_EQ(saveAs->fields[4], "0");  // not checked
    // The menu bar's items stand at depth 0.
    std::vector<sStateLine> menus = LinesOf(dump, "menu");
    ASSERT_FALSE(menus.empty());
    EXPECT_EQ(menus[0].fields[0], "0");
    EXPECT_EQ(menus[0].fields[2], "&File");
    // The status bar's parts, as many as the frame shows (each with its index).
    std::vector<sStateLine> status = LinesOf(dump, "status");
    for (size_t i = 0; i < status.size(); ++i) EXPECT_EQ(status[i].fields[0], std::to_string(i));
    // The frame among the program's windows, by class and title.
    bool frameSeen = false;
    for (const sStateLine &w : LinesOf(dump, "window"))
        frameSeen |= w.fields[0] == ToUtf8(WindowClass(frame)) && w.fields[1] == ToUtf8(WindowTitle(frame));
    EXPECT_TRUE(frameSeen);
    // The frame is found by the start of its title as well.
    std::u16string title = WindowTitle(frame);
    ASSERT_FALSE(title.empty());
    EXPECT_EQ(program.WaitForWindowOf(nullptr, title.substr(0, 3).c_str()), frame);
    EXPECT_EQ(program.WaitForWindowOf(kFrameClass, (title + u" and more").c_str(), 200), nullptr);
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(Seams, ShiftHeldThroughTheChannelMarksRightClicksAndDrags) {
    Start("seams_modifiers");
    ASSERT_TRUE(program.SetModifiers(frame, cProgram::kShift));
    tStateDump held = program.ReadState(frame);
    std::vector<sStateLine> modifiers = LinesOf(held, "modifiers");
    ASSERT_EQ(modifiers.size(), 1u);
    EXPECT_EQ(modifiers[0].fields, (std::vector<std::string>{"1", "0"}));
    ASSERT_TRUE(PostRightClick(frame, 40, 30));
    ASSERT_TRUE(PostDrag(frame, 10, 12, 70, 52));
    ASSERT_TRUE(program.SetModifiers(frame, cProgram::kCtrl));
    ASSERT_TRUE(PostClick(frame, 5, 6));
    ASSERT_TRUE(program.SetModifiers(frame, 0));
    ASSERT_TRUE(PostClick(frame, 7, 8));
    EXPECT_EQ(Exit(), 0u);
    std::string log = Log();
    EXPECT_EQ(CountOf(log, "Pelmora: Shift R+=40,30\r\n"), 1) << log;
    EXPECT_EQ(CountOf(log, "Pelmora: Shift L+=10,12\r\n"), 1) << log;
    EXPECT_EQ(CountOf(log, "Pelmora: Shift L-=70,52\r\n"), 1) << log;
    EXPECT_EQ(CountOf(log, "Pelmora: Ctrl L+=5,6\r\n"), 1) << log;
    EXPECT_EQ(CountOf(log, "Pelmora: L+=7,8\r\n"), 1) << log;
    EXPECT_LT(log.find("Shift L+=10,12"), log.find("Shift L-=70,52"));
}

TEST_F(Seams, AScreenshotOfTheFrameIsAnImageOfItsSize) {
    Start("seams_screenshot");
    // The frame has painted once the program answers the channel.
    ASSERT_FALSE(program.ReadState(frame).empty());
    std::u16string path = folder + u"frame.bmp";
    ASSERT_TRUE(SaveScreenshot(frame, path));
    RECT r;
    ASSERT_TRUE(GetWindowRect(frame, &r));
    std::string bmp = ReadFile(path);
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Le32(bmp, 2), bmp.size());
    EXPECT_EQ(Le32(bmp, 18), uint32_t(r.right - r.left));
    EXPECT_EQ(Le32(bmp, 22), uint32_t(r.bottom - r.top));
    uint32_t stride = (uint32_t(r.right - r.left) * 3 + 3) & ~3u;
    EXPECT_EQ(bmp.size(), 54u + stride * uint32_t(r.bottom - r.top));
    // Not one colour: the window's frame, menu and client differ.
    std::string pixels = bmp.substr(54);
    EXPECT_NE(pixels.find_first_not_of(pixels[0]), std::string::npos);
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(Seams, TheDeviceLessMidiDriverIsNamedInTheDeviceReport) {
    sStart how;
    how.midi = u"20";
    Start("seams_midi", how);
    EXPECT_EQ(Exit(), 0u);
    std::string log = Log();
    EXPECT_EQ(CountOf(log, "MIDI Mapper: Name Pelmora test MIDI (no device), "), 1) << log;
}

TEST_F(Seams, AFaultOnDemandIsReportedAndTheProgramAsksToRestart) {
    sStart how;
    how.fault = u"ask";
    std::u16string capture = FreshFolder("seams_fault_shell") + u"shell.txt";
    how.shellCapture = capture;
    Start("seams_fault", how);
    // It runs on, unasked: the channel answers.
    ASSERT_FALSE(program.ReadState(frame).empty());
    EXPECT_EQ(CountOf(Log(), "Exception address"), 0);
    ASSERT_TRUE(program.AskFault(frame));
    ASSERT_EQ(WaitForEnd(60000), 0u);
    std::string log = Log();
    EXPECT_EQ(CountOf(log, "Exception address: 0x"), 1) << log;
    EXPECT_EQ(CountOf(log, "\nError in OpSys: Access Violation\r\n"), 1) << log;
    EXPECT_FALSE(ReadFile(folder + u"ErrorReport.txt").empty());
    // The report page, then the restart on the report.
    std::string shell = ReadFile(capture);
    EXPECT_EQ(CountOf(shell, "\n"), 2) << shell;
    EXPECT_EQ(shell.find("http://www.pelmora.org/crashreport.php?"), 0u) << shell;
    EXPECT_NE(shell.find("ErrorReport.txt\n"), std::string::npos) << shell;
}

// While the settings name a pattern of language files instead of one file
// (a choice left open), the program asks for the file at every start with
// its open dialog.  The first start's empty line cancels the dialog and the
// pattern stays; the next start's queued path is loaded and becomes the
// settings' choice, which only a file that was read does.
TEST_F(Seams, TheOpenDialogTakesTheQueuedAnswers) {
    Use("seams_file_answers");
    std::u16string german = folder + u"Deutsch.PmrLang";
    WriteFile(german, Utf16File(u"PmrLangFile_language=Deutsch\n"));
    std::u16string pattern = folder + u"*.PmrLang";
    WriteSettings(u"TranslationFile=" + pattern + u"\n");
    auto stored = [this](const std::u16string &choice) {
        return Settings().find(Utf16Text(u"TranslationFile=" + choice + u"\n")) != std::string::npos;
    };
    {
        sStart how;
        how.fileAnswers = {u""};
        Launch(how);
        EXPECT_EQ(Exit(), 0u);
    }
    std::string log = Log();
    EXPECT_EQ(CountOf(log, "File dialog: Open: Cancel\r\n"), 1) << log;
    EXPECT_TRUE(stored(pattern));
    {
        sStart how;
        how.fileAnswers = {german, u""};
        Launch(how);
        EXPECT_EQ(Exit(), 0u);
    }
    log = Log();
    EXPECT_EQ(CountOf(log, "File dialog: Open: " + ToUtf8(german) + "\r\n"), 1) << log;
    // One dialog a start: the second line was never asked for.
    EXPECT_EQ(CountOf(log, "File dialog: Open: "), 2) << log;
    EXPECT_TRUE(stored(german));
}

// The queue's first answer goes to the program's first box: Cancel on the
// offer of an on-line report after a fault, so that only the restart on
// the report reaches the shell.
TEST_F(Seams, TheFirstQueuedBoxAnswerAnswersTheFirstBox) {
    sStart how;
    how.fault = u"ask";
    how.boxAnswers = u"2,1";
    std::u16string capture = FreshFolder("seams_box_queue_shell") + u"shell.txt";
    how.shellCapture = capture;
    Start("seams_box_queue", how);
    ASSERT_TRUE(program.AskFault(frame));
    ASSERT_EQ(WaitForEnd(60000), 0u);
    std::string log = Log();
    EXPECT_EQ(CountOf(log, "Box: Warning: Error in OpSys: Access Violation"), 1) << log;
    std::string shell = ReadFile(capture);
    EXPECT_EQ(CountOf(shell, "\n"), 1) << shell;
    EXPECT_EQ(CountOf(shell, "crashreport.php"), 0) << shell;
    EXPECT_NE(shell.find("ErrorReport.txt\n"), std::string::npos) << shell;
}

}  // namespace
