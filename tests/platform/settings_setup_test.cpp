// Finding or making the settings file, the recent-file list kept in it, the
// shutdown that writes it back, and the pruning of old logs.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "tests/test_support.h"

namespace {

std::u16string Utf16(const std::u16string &text) {
    std::u16string s;
    s.push_back(u'\xFEFF');
    s += text;
    return s;
}

void WriteSettings(const std::u16string &path, const std::u16string &text) {
    std::u16string marked = Utf16(text);
    std::string bytes;
    for (char16_t c : marked) {
        bytes.push_back(char(c & 0xFF));
        bytes.push_back(char(c >> 8));
    }
    test::WriteFileBytes(path, bytes);
}

void Age(const std::u16string &path, int hours) {
    auto fp = test::FsPath(path);
    std::filesystem::last_write_time(fp, std::filesystem::last_write_time(fp) - std::chrono::hours(hours));
}

// A run of the program: its own operating-system object with a program
// folder and a data folder of the test.  The test object comes back after.
class ProgramRun {
public:
    ProgramRun(const std::u16string &programFolder, const std::u16string &dataFolder)
        : saved(gOpSys), sys(nullptr, nullptr, u"") {
        sys.SetProgramPathForTest(programFolder + u"app.exe");
        sys.SetDataFolderForTest(dataFolder);
        sys.SetScriptedBoxAnswer(1);
    }
    ~ProgramRun() { gOpSys = saved; }
    cOpSysBase *saved;
    cOpSysVirtual sys;
};

struct Folders {
    explicit Folders(const char *name)
        : program(test::MakeTempFolder((std::string(name) + "_prog").c_str())),
          data(test::MakeTempFolder((std::string(name) + "_data").c_str())) {}
    std::u16string program, data;
};

}  // namespace

TEST(SettingsSetup, WithoutAnyFileTheFirstRunPreparesOneInTheDataFolder) {
    Folders f("setup_none");
    ProgramRun run(f.program, f.data);
    run.sys.SetLanguageId(3);
    EXPECT_EQ(run.sys.SetupIniFileInDataFolder(u"PelmoraSetup.ini"), RC_FAIL);
    EXPECT_EQ(run.sys.Settings().GetFileName(), f.data + u"PelmoraSetup.ini");
    ASSERT_EQ(run.sys.Settings().Keys().size(), 1u);
    EXPECT_EQ(run.sys.Settings().GetInt(u"Language"), 3);
    EXPECT_FALSE(test::FileExists(f.data + u"PelmoraSetup.ini"));
    EXPECT_EQ(run.sys.GetRecentFileCount(), 0);
}

TEST(SettingsSetup, TheProgramFolderWinsOverTheDataFolder) {
    Folders f("setup_both");
    WriteSettings(f.program + u"PelmoraSetup.ini", u"Language=7\nWhere=program\n");
    WriteSettings(f.data + u"PelmoraSetup.ini", u"Language=5\nWhere=data\n");
    ProgramRun run(f.program, f.data);
    EXPECT_EQ(run.sys.SetupIniFileInDataFolder(u"PelmoraSetup.ini"), RC_OK);
    EXPECT_EQ(std::u16string(run.sys.Settings().GetValue(u"Where")), u"program");
    EXPECT_EQ(run.sys.GetLanguageId(), 7);
}

TEST(SettingsSetup, TheOlderProgramNamedFileIsTakenOver) {
    Folders f("setup_older");
    WriteSettings(f.program + u"app.ini", u"Language=2\nRecentOpenedFiles[0]=C:\\a.pmr\n");
    ProgramRun run(f.program, f.data);
    EXPECT_EQ(run.sys.SetupIniFileInDataFolder(u"PelmoraSetup.ini"), RC_OK);
    EXPECT_TRUE(test::FileExists(f.data + u"PelmoraSetup.ini"));
    EXPECT_TRUE(test::FileExists(f.program + u"app.ini"));
    EXPECT_EQ(run.sys.Settings().GetFileName(), f.data + u"PelmoraSetup.ini");
    EXPECT_EQ(run.sys.GetLanguageId(), 2);
    EXPECT_EQ(std::u16string(run.sys.GetRecentFile(0)), u"C:\\a.pmr");
}

TEST(SettingsSetup, AnEmptyNameUsesTheProgramNamedFile) {
    Folders f("setup_default");
    WriteSettings(f.data + u"app.ini", u"Language=4\n");
    ProgramRun run(f.program, f.data);
    EXPECT_EQ(run.sys.SetupDefaultIniFile(), RC_OK);
    EXPECT_EQ(run.sys.Settings().GetFileName(), f.data + u"app.ini");
    EXPECT_EQ(run.sys.GetLanguageId(), 4);
}

TEST(SettingsSetup, OnlyANonNegativeLanguageIsTaken) {
    const struct {
        const char16_t *file;
        int32_t id;
    } cases[] = {{u"Language=7\n", 7}, {u"Language=-1\n", 0}, {u"Other=1\n", 0}, {u"Language=abc\n", 0}};
    for (const auto &c : cases) {
        Folders f("setup_language");
        WriteSettings(f.data + u"PelmoraSetup.ini", c.file);
        ProgramRun run(f.program, f.data);
        run.sys.SetupIniFileInDataFolder(u"PelmoraSetup.ini");
        EXPECT_EQ(run.sys.GetLanguageId(), c.id) << test::Narrow(c.file);
    }
}

TEST(RecentFiles, AGapInTheIndexesEndsTheListAndShutdownRenumbers) {
    Folders f("recent_gap");
    WriteSettings(f.data + u"PelmoraSetup.ini",
                  u"RecentOpenedFiles[0]=C:\\a.pmr\nRecentOpenedFiles[1]=C:\\b.pmr\nRecentOpenedFiles[3]=C:\\d.pmr\n");
    ProgramRun run(f.program, f.data);
    run.sys.SetupIniFileInDataFolder(u"PelmoraSetup.ini");
    ASSERT_EQ(run.sys.GetRecentFileCount(), 2);
    EXPECT_EQ(run.sys.GetRecentFile(2), nullptr);
    EXPECT_EQ(run.sys.GetRecentFile(-1), nullptr);
    run.sys.Shutdown();
    const cIniFile &s = run.sys.Settings();
    EXPECT_EQ(std::u16string(s.GetValue(u"RecentOpenedFiles[0]")), u"C:\\a.pmr");
    EXPECT_EQ(std::u16string(s.GetValue(u"RecentOpenedFiles[1]")), u"C:\\b.pmr");
    EXPECT_EQ(s.GetValue(u"RecentOpenedFiles[3]"), nullptr);
}

TEST(RecentFiles, AddingMovesToTheEndAndKeepsTheNewestFour) {
    Folders f("recent_add");
    ProgramRun run(f.program, f.data);
    for (const char16_t *p : {u"C:\\a.pmr", u"C:\\b.pmr", u"C:\\a.pmr", u"C:\\A.pmr", u"C:\\c.pmr", u"C:\\d.pmr"})
        run.sys.AddRecentFile(p, 4);
    const char16_t *expected[] = {u"C:\\a.pmr", u"C:\\A.pmr", u"C:\\c.pmr", u"C:\\d.pmr"};
    ASSERT_EQ(run.sys.GetRecentFileCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(std::u16string(run.sys.GetRecentFile(i)), expected[i]);
    EXPECT_EQ(run.sys.GetRecentFile(4), nullptr);
}

TEST(RecentFiles, FilesAddedInOneRunAreReadBackInTheNext) {
    Folders f("recent_runs");
    {
        ProgramRun first(f.program, f.data);
        EXPECT_EQ(first.sys.SetupIniFileInDataFolder(u"PelmoraSetup.ini"), RC_FAIL);
        first.sys.AddRecentFile(u"C:\\Scores\\Waltz.pmr", 4);
        first.sys.AddRecentFile(u"D:\\Lied \u00e4\u65e5.pmr", 4);
        first.sys.Shutdown();
    }
    std::string bytes = test::ReadFileBytes(f.data + u"PelmoraSetup.ini");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    ProgramRun second(f.program, f.data);
    EXPECT_EQ(second.sys.SetupIniFileInDataFolder(u"PelmoraSetup.ini"), RC_OK);
    ASSERT_EQ(second.sys.GetRecentFileCount(), 2);
    EXPECT_EQ(std::u16string(second.sys.GetRecentFile(0)), u"C:\\Scores\\Waltz.pmr");
    EXPECT_EQ(std::u16string(second.sys.GetRecentFile(1)), u"D:\\Lied \u00e4\u65e5.pmr");
}

TEST(SettingsSetup, AFileThatCannotBeReadIsNotReplacedAtShutdown) {
    Folders f("setup_unreadable");
    // A folder of that name exists but cannot be read as a file.
    std::u16string path = f.data + u"PelmoraSetup.ini";
    ASSERT_EQ(test::OpSys().CreateFolder(path), RC_OK);
    ProgramRun run(f.program, f.data);
    run.sys.SetErrorMode(2);
    EXPECT_EQ(run.sys.SetupIniFileInDataFolder(u"PelmoraSetup.ini"), RC_OK);  // not a first run
    EXPECT_TRUE(run.sys.SettingsUnreadable());
    std::u16string logPath = f.data + u"log.txt";
    run.sys.Log().SetFileName(logPath.c_str());
    run.sys.AddRecentFile(u"C:\\x.pmr", 4);
    run.sys.Shutdown();
    // No attempt to write: no failure to open the settings file is logged.
    std::string log = test::ReadFileBytes(logPath);
    EXPECT_EQ(log.find("Error"), std::string::npos) << log;
    EXPECT_NE(log.find("Status: Ending session @ "), std::string::npos);
}

TEST(PruneFiles, TheOldestByWriteTimeGoWhateverTheirNames) {
    Folders f("prune");
    const char16_t *names[] = {u"PelmoraLog_26_12_09.txt", u"PelmoraLog_26_12_06.txt", u"PelmoraLog_26_12_08.txt",
                               u"PelmoraLog_26_12_07.txt"};
    int hours[] = {400, 100, 300, 200};  // the name dated 06 is the newest
    for (int i = 0; i < 4; ++i) {
        test::WriteFileBytes(f.data + names[i], "x");
        Age(f.data + names[i], hours[i]);
    }
    test::WriteFileBytes(f.data + u"Other.txt", "x");
    Age(f.data + u"Other.txt", 1000);
    std::u16string pattern = f.data + u"PelmoraLog*.txt";
    EXPECT_EQ(test::OpSys().PruneFiles(pattern.c_str(), 10), RC_OK);
    for (const char16_t *n : names) EXPECT_TRUE(test::FileExists(f.data + n));
    EXPECT_EQ(test::OpSys().PruneFiles(pattern.c_str(), 2), RC_OK);
    EXPECT_FALSE(test::FileExists(f.data + names[0]));
    EXPECT_FALSE(test::FileExists(f.data + names[2]));
    EXPECT_TRUE(test::FileExists(f.data + names[1]));
    EXPECT_TRUE(test::FileExists(f.data + names[3]));
    EXPECT_TRUE(test::FileExists(f.data + u"Other.txt"));
}
