// The program starts, shows its frame, keeps its settings, logs its session
// and ends.
#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"
#include "tests/test_support.h"

using namespace gui;

namespace {

class ProgramRun : public cRunningProgram {
protected:
    // Starts the program on the test's data folder as it stands, checks the
    // frame, ends it by File > Exit or by the close box.
    uint32_t RunOnce(bool byMenu) {
        Launch();
        if (!frame) return 0xDEAD;
        if (byMenu) return Exit();
        PostClose(frame);
        return WaitForEnd();
    }
};

}  // namespace

TEST_F(ProgramRun, FrameEndsByExitAndLeavesLogAndSettings) {
    Start("first_run");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowTitle(frame), u"NoName.pmr");
    EXPECT_TRUE(HasMenu(frame));
    ASSERT_EQ(Exit(), 0u);

    std::string log = Log();
    EXPECT_EQ(CountOf(log, "** Starting new session: "), 1);
    EXPECT_EQ(CountOf(log, "Windows Ver. "), 1);
    EXPECT_EQ(CountOf(log, "Default language = "), 1);
    EXPECT_EQ(CountOf(log, "pelmora.exe version "), 1);
    EXPECT_EQ(CountOf(log, "Status: Ending session @ "), 1);
    EXPECT_LT(log.find("** Starting new session: "), log.find("Status: Ending session @ "));
    // Without MIDI output (as under Wine here) the device report says so.
    EXPECT_EQ(CountOf(log, "MIDI Mapper: invalid\r\nMIDI device 0: MidiOutDevice\r\n[edit]\r\n"), 1) << log;

    std::string ini = Settings();
    ASSERT_GE(ini.size(), 2u);
    EXPECT_EQ(ini.substr(0, 2), std::string("\xFF\xFE", 2));
    EXPECT_NE(ini.find(Utf16Text(u"Language=0\n")), std::string::npos);
}

TEST_F(ProgramRun, CloseEndsWithZeroAndSecondStartAppendsToTheSameLog) {
    Use("two_runs");
    EXPECT_EQ(RunOnce(false), 0u);
    EXPECT_EQ(RunOnce(true), 0u);
    std::string log = Log();
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

// The build puts the music font beside the program, which adds it from
// there at start: the same bytes as the committed font.
TEST(ProgramResources, TheMusicFontLiesBesideTheProgram) {
    std::u16string program = ProgramPath();
    std::u16string font = program.substr(0, program.rfind(u'\\') + 1) + u"pelmora_5a.ttf";
    std::string shipped = ReadFile(font);
    ASSERT_FALSE(shipped.empty()) << ToUtf8(font);
    EXPECT_TRUE(shipped == test::ReadFileBytes(test::SourcePath("resources/pelmora_5a.ttf")));
}

TEST_F(ProgramRun, OnlyTheNewestThreeLogsRemain) {
    Use("prune_logs");
    const char16_t *old[] = {u"PelmoraLog_20_01_01.txt", u"PelmoraLog_20_01_02.txt", u"PelmoraLog_20_01_03.txt",
                             u"PelmoraLog_20_01_04.txt"};
    for (int i = 0; i < 4; ++i) {
        WriteFile(folder + old[i], "old\r\n");
        AgeFile(folder + old[i], 40 - i);  // 01 is the oldest
    }
    EXPECT_EQ(RunOnce(true), 0u);
    std::vector<std::u16string> left = ListFiles(folder, u"PelmoraLog*.txt");
    EXPECT_EQ(left.size(), 3u);
    for (const char16_t *gone : {old[0], old[1]}) EXPECT_FALSE(FileExists(folder + gone));
    EXPECT_TRUE(FileExists(folder + old[3]));
    EXPECT_TRUE(FileExists(folder + TodaysLogName()));
}

TEST_F(ProgramRun, RecentFilesInTheSettingsSurviveTheRun) {
    Use("recent");
    WriteSettings(u"RecentOpenedFiles[0]=C:\\Scores\\Waltz.pmr\nRecentOpenedFiles[1]=C:\\Lied.pmr\n");
    EXPECT_EQ(RunOnce(true), 0u);
    std::string log = Log();
    EXPECT_NE(log.find("RecentOpenedFiles[0] = C:\\Scores\\Waltz.pmr"), std::string::npos);  // as read at start
    std::string ini = Settings();
    EXPECT_NE(ini.find(Utf16Text(u"RecentOpenedFiles[0]=C:\\Scores\\Waltz.pmr\n")), std::string::npos);
    EXPECT_NE(ini.find(Utf16Text(u"RecentOpenedFiles[1]=C:\\Lied.pmr\n")), std::string::npos);
}

TEST_F(ProgramRun, SettingsThatCannotBeReadAreNotReplaced) {
    Use("locked_settings");
    std::u16string path = folder + kSettingsName;
    std::string original = Utf16File(u"Language=0\nSound=1\nRecentOpenedFiles[0]=C:\\a.pmr\n");
    WriteFile(path, original);
    // Held without sharing while the program starts, so it cannot read it.
    HANDLE held = CreateFileW(W(path.c_str()), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Launch();
    CloseHandle(held);  // from now on a save would succeed
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(Exit(), 0u);
    EXPECT_EQ(ReadFile(path), original);
    // The failure was shown in a box, which the test setting answered and logged.
    std::string log = Log();
    EXPECT_NE(log.find("Box: "), std::string::npos) << log;
    EXPECT_EQ(CountOf(log, "Status: Ending session @ "), 1);
}
