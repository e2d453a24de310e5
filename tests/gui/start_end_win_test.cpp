// The program starts, shows its frame, keeps its settings, logs its session
// and ends.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/gui/gui_driver.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdExit = 111;

// Starts the program on the folder, checks the frame, ends it with `how`.
uint32_t RunOnce(const std::u16string &folder, bool byMenu) {
    cProgram program;
    EXPECT_TRUE(program.Start({folder}));
    HWND frame = program.WaitForWindow(u"Pelmora", u"VPClass");
    EXPECT_NE(frame, nullptr);
    if (!frame) return 0xDEAD;
    if (byMenu)
        PostCommand(frame, kCmdExit);
    else
        PostClose(frame);
    uint32_t code = 0xDEAD;
    EXPECT_TRUE(program.WaitForExit(30000, code));
    return code;
}

}  // namespace

TEST(ProgramRun, FrameEndsByExitAndLeavesLogAndSettings) {
    std::u16string folder = FreshFolder("first_run");
    cProgram program;
    ASSERT_TRUE(program.Start({folder}));
    HWND frame = program.WaitForWindow(u"Pelmora", u"VPClass");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowTitle(frame), u"Pelmora");
    EXPECT_TRUE(HasMenu(frame));
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    uint32_t code = 0xDEAD;
    ASSERT_TRUE(program.WaitForExit(30000, code));
    EXPECT_EQ(code, 0u);

    std::string log = ReadFile(folder + TodaysLogName());
    EXPECT_EQ(CountOf(log, "** Starting new session: "), 1);
    EXPECT_EQ(CountOf(log, "Windows Ver. "), 1);
    EXPECT_EQ(CountOf(log, "Default language = "), 1);
    EXPECT_EQ(CountOf(log, "pelmora.exe version "), 1);
    EXPECT_EQ(CountOf(log, "Status: Ending session @ "), 1);
    EXPECT_LT(log.find("** Starting new session: "), log.find("Status: Ending session @ "));

    std::string ini = ReadFile(folder + u"PelmoraSetup.ini");
    ASSERT_GE(ini.size(), 2u);
    EXPECT_EQ(ini.substr(0, 2), std::string("\xFF\xFE", 2));
    EXPECT_NE(ini.find(Utf16File(u"Language=0\n").substr(2)), std::string::npos);
}

TEST(ProgramRun, CloseEndsWithZeroAndSecondStartAppendsToTheSameLog) {
    std::u16string folder = FreshFolder("two_runs");
    EXPECT_EQ(RunOnce(folder, false), 0u);
    EXPECT_EQ(RunOnce(folder, true), 0u);
    std::string log = ReadFile(folder + TodaysLogName());
    EXPECT_EQ(CountOf(log, "** Starting new session: "), 2);
    EXPECT_EQ(CountOf(log, "Status: Ending session @ "), 2);
    EXPECT_EQ(ListFiles(folder, u"PelmoraLog*.txt").size(), 1u);
}

TEST(ProgramResources, MenuAcceleratorsHelpFileAndIcon) {
    std::vector<std::u16string> file = ResourceMenuLabels(1000, 0);
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(file.front(), u"New");
    EXPECT_NE(std::find(file.begin(), file.end(), u"Exit"), file.end());
    EXPECT_EQ(ResourceString(1002), u"pelmora.chm");
    EXPECT_TRUE(ResourceIconExists(100));
    auto keys = ResourceAccelerators(u"M_PELMORA");
    EXPECT_EQ(keys.size(), 11u);
    EXPECT_NE(std::find(keys.begin(), keys.end(), std::make_pair(uint32_t(19), uint32_t(102))), keys.end());
    EXPECT_NE(std::find(keys.begin(), keys.end(), std::make_pair(uint32_t(VK_F1), uint32_t(700))), keys.end());
}
