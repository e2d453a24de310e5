// The File menu in the running program, on the score files with notes that
// tests/app/score_fixtures_test.cpp writes (tests/app/data/): opening
// through the system's own dialog, Save as and reopening, the backup of
// Save, the recent-file list, the exports (over an older file, to a name
// outside the ANSI code page, a MIDI file for midicsv), printing every page
// with its footer, Example Files without examples and a damaged file that a
// later Save must not overwrite.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"
#include "tests/test_support.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdNew = 100;
constexpr uint32_t kCmdOpen = 101;
constexpr uint32_t kCmdSave = 102;
constexpr uint32_t kCmdSaveAs = 103;
constexpr uint32_t kCmdExportMidi = 105;
constexpr uint32_t kCmdExportText = 106;
constexpr uint32_t kCmdExportCsv = 107;
constexpr uint32_t kCmdPrint = 108;
constexpr uint32_t kCmdExampleFiles = 110;
constexpr uint32_t kFirstRecentFile = 112;
constexpr uint32_t kLastRecentFile = 199;

// The melody's CSV list, as the native test checks it.
std::string MelodyList() { return test::ReadFileBytes(test::SourcePath("tests/app/data/melody.csv")); }

class FileCommands : public cRunningProgram {
protected:
    // A checked-in score file copied into the folder under the name.
    std::u16string Copy(const char *fixture, const std::u16string &as) {
        return CopyIn((std::string("tests/app/data/") + fixture).c_str(), as);
    }
    // The file dialogs answered, in turn, by these names in the folder.
    sStart Answers(std::initializer_list<const char16_t *> names) {
        sStart how;
        for (const char16_t *name : names) how.fileAnswers.push_back(folder + name);
        return how;
    }
    // The recent files of the File menu, oldest first: (label, path).
    static std::vector<std::pair<std::string, std::string>> RecentItems(const tStateDump &dump) {
        std::vector<std::pair<std::string, std::string>> items;
        for (uint32_t id = kFirstRecentFile; id <= kLastRecentFile; ++id)
            if (const sStateLine *item = MenuItem(dump, id))
                items.emplace_back(item->fields[2], item->fields.size() > 6 ? item->fields[6] : "");
        return items;
    }
};

TEST_F(FileCommands, TheOpenDialogFilledByItsControlsOpensTheScoreAndItsCsvListsTheNotes) {
    Use("files_open_dialog");
    const std::u16string melody = Copy("melody.pmr", u"melody.pmr");
    Launch();  // no scripted answers: the system's dialogs show

    ASSERT_TRUE(PostCommand(frame, kCmdOpen));
    HWND open = program.WaitForWindowOf(u"#32770", u"Open");
    ASSERT_NE(open, nullptr) << "no open dialog";
    ASSERT_TRUE(AnswerFileDialog(open, melody));
    ASSERT_TRUE(WaitUntilClosed(open));
    Settled();
    EXPECT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(melody));
    SaveScreenshot(frame, folder + u"opened.bmp");
    EXPECT_EQ(CountOf(Log(), "Status: File=" + ToUtf8(melody)), 1) << Log();

    const std::u16string list = folder + u"listed.csv";
    ASSERT_TRUE(PostCommand(frame, kCmdExportCsv));
    HWND save = program.WaitForWindowOf(u"#32770", nullptr);
    ASSERT_NE(save, nullptr) << "no save dialog";
    ASSERT_TRUE(AnswerFileDialog(save, list));
    ASSERT_TRUE(WaitUntilClosed(save));
    Settled();
    EXPECT_EQ(ReadFile(list), MelodyList());
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(FileCommands, SaveAsNamesTheScoreAfterItsNewFileWhichOpensToTheSameList) {
    Use("files_save_as");
    const std::u16string melody = Copy("melody.pmr", u"melody.pmr");
    const std::string original = ReadFile(melody);
    Launch(Answers({u"melody.pmr", u"copy.pmr", u"first.csv", u"copy.pmr", u"second.csv"}));

    PostCommand(frame, kCmdOpen);
    PostCommand(frame, kCmdSaveAs);
    Settled();
    EXPECT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(folder + u"copy.pmr"));
    EXPECT_TRUE(FileExists(folder + u"copy.pmr"));
    PostCommand(frame, kCmdExportCsv);
    PostCommand(frame, kCmdNew);
    Settled();
    EXPECT_EQ(WindowTitle(frame), u"NoName.pmr");

    PostCommand(frame, kCmdOpen);
    PostCommand(frame, kCmdExportCsv);
    Settled();
    EXPECT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(folder + u"copy.pmr"));
    EXPECT_EQ(ReadFile(folder + u"first.csv"), MelodyList());
    EXPECT_EQ(ReadFile(folder + u"second.csv"), MelodyList());
    EXPECT_TRUE(ReadFile(melody) == original) << "Save as wrote over the file it came from";
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(FileCommands, SavingTwiceLeavesOneBackup) {
    Use("files_backup");
    const std::u16string work = Copy("melody.pmr", u"work.pmr");
    Launch(Answers({u"work.pmr"}));
    PostCommand(frame, kCmdOpen);
    PostCommand(frame, kCmdSave);
    Settled();
    EXPECT_EQ(ListFiles(folder, u"*.bak"), std::vector<std::u16string>{u"work.bak"});
    PostCommand(frame, kCmdSave);
    Settled();
    EXPECT_EQ(ListFiles(folder, u"*.bak"), std::vector<std::u16string>{u"work.bak"});
    const std::string saved = ReadFile(work);
    EXPECT_FALSE(saved.empty());
    // The backup holds what the second save found: the first save's file.
    EXPECT_TRUE(ReadFile(folder + u"work.bak") == saved);
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(FileCommands, TheRecentListKeepsOneEntryAFileAndDropsTheOldestOfFive) {
    Use("files_recent");
    const char16_t *names[] = {u"a.pmr", u"b.pmr", u"c.pmr", u"d.pmr", u"e.pmr"};
    for (const char16_t *name : names) Copy("melody.pmr", name);
    Launch(Answers({u"a.pmr", u"a.pmr", u"b.pmr", u"c.pmr", u"d.pmr", u"e.pmr"}));

    PostCommand(frame, kCmdOpen);
    PostCommand(frame, kCmdOpen);
    auto recent = RecentItems(Settled());
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent[0].first, "a.pmr");
    EXPECT_EQ(recent[0].second, ToUtf8(folder + u"a.pmr"));

    for (int i = 0; i < 4; ++i) PostCommand(frame, kCmdOpen);
    recent = RecentItems(Settled());
    ASSERT_EQ(recent.size(), 4u);
    const char *oldestFirst[] = {"b.pmr", "c.pmr", "d.pmr", "e.pmr"};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(recent[i].first, oldestFirst[i]) << i;
    EXPECT_EQ(Exit(), 0u);

    const std::string ini = Settings();
    for (int i = 0; i < 4; ++i) {
        const std::u16string line = u"RecentOpenedFiles[" + FormatInt(i) + u"]=" + folder + names[i + 1];
        EXPECT_NE(ini.find(Utf16Text(line + u"\n")), std::string::npos) << ToUtf8(line);
    }
    EXPECT_EQ(ini.find(Utf16Text(u"a.pmr")), std::string::npos) << "the oldest entry stayed";
    EXPECT_EQ(ini.find(Utf16Text(u"RecentOpenedFiles[4]")), std::string::npos);
}

TEST_F(FileCommands, ExportAsciiReplacesAnOlderFile) {
    Use("files_ascii");
    Copy("melody.pmr", u"melody.pmr");
    const std::u16string out = folder + u"out.txt";
    std::string older;
    for (int i = 0; i < 200; ++i) older += "an older text that must not survive\r\n";
    WriteFile(out, older);
    Launch(Answers({u"fresh.txt", u"melody.pmr", u"out.txt", u"out.txt"}));

    // The program starts on a new score: one staff and nothing on it.
    PostCommand(frame, kCmdExportText);
    Settled();
    EXPECT_EQ(WindowTitle(frame), u"NoName.pmr");
    const std::string fresh = ReadFile(folder + u"fresh.txt");
    EXPECT_EQ(CountOf(fresh, "\tStaff "), 1) << fresh;
    EXPECT_EQ(CountOf(fresh, "\t\t"), 0) << fresh;

    PostCommand(frame, kCmdOpen);
    PostCommand(frame, kCmdExportText);
    Settled();
    const std::string first = ReadFile(out);
    EXPECT_EQ(first.find("an older text"), std::string::npos) << first;
    EXPECT_EQ(CountOf(first, "Version "), 1) << first;
    EXPECT_EQ(CountOf(first, "\tStaff "), 1) << first;
    EXPECT_EQ(CountOf(first, "\t\tNote1"), 3) << first;
    // Again over its own output: the same text, not twice.
    PostCommand(frame, kCmdExportText);
    Settled();
    EXPECT_EQ(ReadFile(out), first);
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(FileCommands, ExportCsvWritesANameOutsideTheAnsiCodePage) {
    Use("files_cyrillic");
    Copy("melody.pmr", u"melody.pmr");
    const char16_t *name = u"\u041C\u0435\u043B\u043E\u0434\u0438\u044F.csv";  // "Melodiya" in Cyrillic letters
    Launch(Answers({u"melody.pmr", name}));
    PostCommand(frame, kCmdOpen);
    PostCommand(frame, kCmdExportCsv);
    Settled();
    EXPECT_EQ(ReadFile(folder + name), MelodyList());
    // No other file took the list (a name with '?' for each letter).
    EXPECT_EQ(ListFiles(folder, u"*.csv"), std::vector<std::u16string>{name});
    EXPECT_EQ(Exit(), 0u);
}

// The melody is the score of the export walk's golden file: the program
// writes the same bytes.  The file is also left for midicsv, which reads
// it after the Windows tests (ExportedFiles in
// tests/midi/real_files_posix_test.cpp).
TEST_F(FileCommands, ExportMidiWritesTheFileThatMidicsvReads) {
    Use("files_midi");
    Copy("melody.pmr", u"melody.pmr");
    Launch(Answers({u"melody.pmr", u"melody.mid"}));
    PostCommand(frame, kCmdOpen);
    PostCommand(frame, kCmdExportMidi);
    Settled();
    const std::string written = ReadFile(folder + u"melody.mid");
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.substr(0, 4), "MThd");
    EXPECT_TRUE(written == test::ReadFileBytes(test::SourcePath("tests/staves/data/golden_export.mid")));
    test::KeepForCheck(folder + u"melody.mid", "file_commands_melody.mid");
    EXPECT_EQ(Exit(), 0u);
}

// Printed on the recording spooler, which lists every page with the texts
// drawn on it.
TEST_F(FileCommands, PrintPrintsEveryPageWithItsFooter) {
    Use("files_print");
    Copy("two_pages.pmr", u"two_pages.pmr");
    const std::u16string record = folder + u"print.txt";
    sStart how = Answers({u"two_pages.pmr"});
    how.print = record;
    Launch(how);
    PostCommand(frame, kCmdOpen);
    PostCommand(frame, kCmdPrint);
    ASSERT_TRUE(program.WaitForText(record, "enddoc")) << ReadFile(record);
    Settled();

    const std::vector<std::string> lines = test::SplitLines(ReadFile(record));
    std::vector<std::vector<std::string>> pages;
    int docs = 0;
    for (const std::string &line : lines) {
        if (line.rfind("doc ", 0) == 0) ++docs;
        if (line.rfind("page ", 0) == 0) pages.emplace_back();
        if (line.rfind("  text ", 0) == 0 && !pages.empty()) pages.back().push_back(line);
    }
    EXPECT_EQ(docs, 1);
    ASSERT_EQ(pages.size(), 2u) << ReadFile(record);
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string footer = "Two pages, page " + std::to_string(i + 1) + " of 2";
        int found = 0;
        for (const std::string &text : pages[i]) found += text.size() >= footer.size() && text.ends_with(footer);
        EXPECT_EQ(found, 1) << "page " << i + 1 << " lacks its footer \"" << footer << "\"";
    }
    EXPECT_EQ(CountOf(ReadFile(record), "endpage"), 2);
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(FileCommands, ExampleFilesWithoutAnyScoreInTheDataFolderSaySo) {
    Use("files_examples");
    Launch();
    PostCommand(frame, kCmdExampleFiles);
    EXPECT_TRUE(program.WaitForText(LogPath(),
                                    "Box: Install Error: Can't find any example files. Try re-installing."))
        << Log();
    Settled();
    EXPECT_EQ(WindowTitle(frame), u"NoName.pmr");
    EXPECT_EQ(Exit(), 0u);
}

// A file that fails to load leaves an empty score named "NoName.pmr": what
// was read before the fault is nobody's score, and a Save must not put it
// over the file.  Nor does the file go into the recent list.
TEST_F(FileCommands, ADamagedFileLeavesNoNameAndIsNotOverwrittenBySave) {
    const std::string melody = test::ReadFileBytes(test::SourcePath("tests/app/data/melody.pmr"));
    ASSERT_GT(melody.size(), 40u);
    struct sCase {
        const char *what;
        std::string bytes;
    } cases[] = {
        {"the first half of a score file", melody.substr(0, melody.size() / 2)},
        {"no score file at all", "These are not the bytes of a score.\r\n"},
    };
    int run = 0;
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.what);
        Use(("files_damaged_" + std::to_string(run++)).c_str());
        const std::u16string damaged = folder + u"damaged.pmr";
        WriteFile(damaged, c.bytes);
        Launch(Answers({u"damaged.pmr"}));
        PostCommand(frame, kCmdOpen);
        Settled();
        EXPECT_EQ(WindowTitle(frame), u"NoName.pmr");
        // The loader showed why.
        EXPECT_GE(CountOf(Log(), "Box: "), 1) << Log();
        PostCommand(frame, kCmdSave);
        Settled();
        EXPECT_TRUE(ReadFile(damaged) == c.bytes) << "the damaged file was written over";
        EXPECT_FALSE(FileExists(folder + u"damaged.bak"));
        EXPECT_TRUE(RecentItems(Settled()).empty());
        EXPECT_EQ(Exit(), 0u);
        EXPECT_EQ(Settings().find(Utf16Text(u"damaged.pmr")), std::string::npos);
    }
}

}  // namespace
