// The File commands of the score window with scripted dialogs, a recording
// print spooler and files in a test folder: New, Open and the recent list,
// Save with its backup, Save as, the exports, Print, Example Files, and what
// translate mode leaves out.  A failed load, save or export keeps the user's
// file and says so.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/menu_texts.h"
#include "app/music_window.h"
#include "foundation/text_util.h"
#include "staves/score_object.h"
#include "staves/staff.h"
#include "tests/app/music_window_fixture.h"
#include "tests/support/log_capture.h"

namespace {

using test::S;

class MusicWinFiles : public test::MusicWinTest {
protected:
    void SetUp() override {
        MusicWinTest::SetUp();
        log = std::make_unique<test::LogCapture>("music_win_files");
        // A folder of each test's own: the recent list outlives the test.
        folder = test::MakeTempFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
        win->Open();
    }
    void TearDown() override {
        gOpSys->SetScriptedFileAnswers({});
        log.reset();
        test::RemoveTree(folder);
        MusicWinTest::TearDown();
    }

    ScoreObject *Score() { return win->GetScore(); }
    StaffObject *Staff() { return dynamic_cast<StaffObject *>(FirstStaff()); }
    // Three notes (C4, D4 quarters and an E4 half) after a 4/4 time.
    void PutNotes() {
        StaffObject *staff = Staff();
        ASSERT_NE(staff, nullptr);
        auto put = [&](int16_t id, int32_t x, int32_t steps) {
            PutOn(staff, id, x, staff->GetY() + steps * staff->LineSpacing() / 2);
        };
        put(Time44::kClassId, 60, 4);
        put(Note14::kClassId, 100, 10);
        put(Note14::kClassId, 130, 9);
        put(Note12::kClassId, 160, 8);
        put(Bar::kClassId, 220, 0);
    }
    // The score's notes as the CSV export lists them, by a scripted dialog.
    std::string Csv(const std::u16string &name) {
        gOpSys->SetScriptedFileAnswers({folder + name});
        win->OnExportCsv();
        return test::ReadFileBytes(folder + name);
    }
    void Answer(std::vector<std::u16string> answers) { gOpSys->SetScriptedFileAnswers(std::move(answers)); }
    size_t Count(const std::string &text) {
        const std::string all = log->Text();
        size_t n = 0;
        for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1)) ++n;
        return n;
    }
    std::u16string Title() { return S(frame->GetWindowTitle()); }
    // The recent files of this test's folder, oldest first.
    std::vector<std::u16string> Recent() {
        std::vector<std::u16string> names;
        for (int32_t i = 0; i < gOpSys->GetRecentFileCount(); ++i) {
            const std::u16string name = S(gOpSys->GetRecentFile(i));
            if (name.starts_with(folder)) names.push_back(name);
        }
        return names;
    }

    std::unique_ptr<test::LogCapture> log;
    std::u16string folder;
};

TEST_F(MusicWinFiles, SaveAsNamesTheScoreAndOpeningItGivesTheSameNotes) {
    PutNotes();
    const std::string csv = Csv(u"before.csv");
    ASSERT_EQ(test::SplitLines(csv).size(), 5u) << csv;

    const std::u16string path = folder + u"song.pmr";
    Answer({path});
    win->OnFileSaveAs();
    EXPECT_EQ(Title(), path);
    EXPECT_EQ(S(Score()->GetFileName()), path);
    EXPECT_EQ(Score()->GetChangeFlags(), 0u);
    ASSERT_TRUE(test::FileExists(path));
    EXPECT_EQ(Recent(), std::vector<std::u16string>{path});

    // New empties the score; opening the file brings the notes back.
    EXPECT_EQ(Command(kCmdNew), RC_OK);
    EXPECT_EQ(Title(), u"NoName.pmr");
    EXPECT_EQ(Score()->GetChildCount(), 0) << "a new score has no staff";
    EXPECT_EQ(Score()->GetChangeFlags(), 0u) << "nothing to save yet";
    EXPECT_EQ(test::SplitLines(Csv(u"empty.csv")).size(), 2u);

    Answer({path});
    EXPECT_EQ(Command(kMenuOpen), RC_OK);
    EXPECT_EQ(Title(), path);
    EXPECT_EQ(gOpSys->GetCurrentFile(), path);
    EXPECT_EQ(gOpSys->GetWorkingFolder(), folder);
    EXPECT_EQ(Csv(u"after.csv"), csv);
    EXPECT_EQ(Count("Status: File="), 1u);
    EXPECT_EQ(Count("Status: (Loaded file version: V"), 1u);

    // A cancelled open dialog leaves the score as it is.
    Answer({u""});
    EXPECT_EQ(Command(kMenuOpen), RC_OK);
    EXPECT_EQ(Title(), path);
    EXPECT_EQ(Csv(u"kept.csv"), csv);
}

TEST_F(MusicWinFiles, SavingTwiceKeepsOneBackupOfTheFirstState) {
    const std::u16string path = folder + u"twice.pmr";
    Score()->SetFileName(path.c_str());
    win->OnFileSave();
    const std::string first = test::ReadFileBytes(path);
    ASSERT_FALSE(first.empty());
    EXPECT_FALSE(test::FileExists(folder + u"twice.bak")) << "a first save has nothing to keep";

    PutNotes();
    EXPECT_EQ(Command(kMenuSave), RC_OK);
    const std::string second = test::ReadFileBytes(path);
    EXPECT_NE(second, first);
    EXPECT_EQ(test::ReadFileBytes(folder + u"twice.bak"), first);
    // One backup and the file, nothing else.
    EXPECT_EQ(test::FolderEntries(folder).size(), 2u);
}

TEST_F(MusicWinFiles, AFailedSaveKeepsTheNameTheFlagsAndTheFile) {
    // Save as into a folder that is not there.
    const std::u16string kept = folder + u"kept.pmr";
    Score()->SetFileName(kept.c_str());
    win->OnFileSave();
    const std::string before = test::ReadFileBytes(kept);
    PutNotes();
    gDocumentFlags = 1;
    Answer({folder + u"gone\\lost.pmr"});
    win->OnFileSaveAs();
    EXPECT_GE(Count("Box: Error"), 1u) << log->Text();
    EXPECT_EQ(S(Score()->GetFileName()), kept);
    EXPECT_NE(Score()->GetChangeFlags(), 0u) << "closing still asks";

    // Save over a file that cannot be replaced: its name is a folder's.
    const std::u16string blocked = folder + u"blocked.pmr";
    gOpSys->CreateFolder(blocked);
    Score()->SetFileName(blocked.c_str());
    const size_t shown = Count("Box: Error");
    win->OnFileSave();
    EXPECT_GT(Count("Box: Error"), shown);
    EXPECT_NE(Score()->GetChangeFlags(), 0u);
    EXPECT_EQ(gOpSys->IsFolder(blocked.c_str()), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(kept), before);
}

TEST_F(MusicWinFiles, AFailedLoadLeavesANewScoreOutOfTheRecentList) {
    // A saved score whose tail is cut off.
    PutNotes();
    const std::u16string good = folder + u"good.pmr";
    Answer({good});
    win->OnFileSaveAs();
    const std::string bytes = test::ReadFileBytes(good);
    const std::u16string damaged = folder + u"damaged.pmr";
    test::WriteFileBytes(damaged, bytes.substr(0, bytes.size() * 2 / 3));
    const std::u16string midi = folder + u"tune.mid";
    test::WriteFileBytes(midi, std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xFF\x2F\0", 26));

    for (const std::u16string &path : {damaged, midi, folder + u"missing.pmr"}) {
        SCOPED_TRACE(test::Narrow(path));
        const size_t shown = Count("Box: ");
        Answer({path});
        EXPECT_EQ(Command(kMenuOpen), RC_OK);
        EXPECT_EQ(Title(), u"NoName.pmr");
        EXPECT_EQ(S(Score()->GetFileName()), u"NoName.pmr");
        EXPECT_EQ(Score()->GetChildCount(), 0) << "nothing half-read stays";
        EXPECT_EQ(Score()->GetChangeFlags(), 0u);
        EXPECT_GT(Count("Box: "), shown) << "the failure is shown\n" << log->Text();
        EXPECT_EQ(Recent(), std::vector<std::u16string>{good});
    }
    // A Save now writes "NoName.pmr" in the current folder, never the
    // damaged file.
    const std::string damagedBytes = test::ReadFileBytes(damaged);
    win->OnFileSave();
    EXPECT_EQ(test::ReadFileBytes(damaged), damagedBytes);
    EXPECT_FALSE(test::FileExists(folder + u"damaged.bak"));
    EXPECT_TRUE(test::FileExists(u"NoName.pmr"));
    for (const char16_t *left : {u"NoName.pmr", u"NoName.bak"}) gOpSys->DeleteFile(left);
}

TEST_F(MusicWinFiles, TheRecentListKeepsTheLastFourFiles) {
    std::vector<std::u16string> paths;
    for (const char16_t *name : {u"a.pmr", u"b.pmr", u"c.pmr", u"d.pmr", u"e.pmr"}) {
        paths.push_back(folder + name);
        Score()->SetFileName(paths.back().c_str());
        win->OnFileSave();
    }
    for (int i : {0, 1, 0}) win->OnFileOpen(paths[i].c_str());
    EXPECT_EQ(Recent(), (std::vector<std::u16string>{paths[1], paths[0]}));
    for (int i : {2, 3, 4}) win->OnFileOpen(paths[i].c_str());
    EXPECT_EQ(Recent(), (std::vector<std::u16string>{paths[0], paths[2], paths[3], paths[4]}));

    // A recent command opens its entry (the first is the oldest); a number
    // beyond the list opens nothing, not even the dialog.
    EXPECT_EQ(Command(kFirstRecentFileId), RC_OK);
    EXPECT_EQ(Title(), paths[0]);
    Answer({paths[1]});
    EXPECT_EQ(Command(kFirstRecentFileId + 7), RC_OK);
    EXPECT_EQ(Title(), paths[0]);
    std::u16string unused;
    EXPECT_TRUE(gOpSys->TakeScriptedFileAnswer(u"Open", unused)) << "no dialog was asked";
}

TEST_F(MusicWinFiles, ExportsReplaceTheirFilesAndTakeAnyName) {
    PutNotes();
    // The text form over a longer file replaces it.
    const std::u16string text = folder + u"score.txt";
    std::string older;
    for (int i = 0; i < 200; ++i) older += "an older text that must not survive\r\n";
    test::WriteFileBytes(text, older);
    Answer({text});
    EXPECT_EQ(Command(kMenuExportText), RC_OK);
    const std::string written = test::ReadFileBytes(text);
    EXPECT_EQ(written.find("an older text"), std::string::npos) << "nothing of the old file is left";
    EXPECT_NE(written.find("Pelmora"), std::string::npos) << written.substr(0, 200);

    // The note list under a name outside any 8-bit code page.
    const std::u16string cyrillic = u"\u043d\u043e\u0442\u044b.csv";
    const std::string csv = Csv(cyrillic);
    const std::vector<std::string> lines = test::SplitLines(csv);
    ASSERT_EQ(lines.size(), 5u) << csv;
    EXPECT_EQ(lines[2], "0,Acoustic grand piano,0,0,0,480,4,2,0");

    // A MIDI file.
    Answer({folder + u"score.mid"});
    EXPECT_EQ(Command(kMenuExportMidi), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(folder + u"score.mid").substr(0, 4), "MThd");

    // Cancelled dialogs write nothing.
    const size_t entries = test::FolderEntries(folder).size();
    for (uint32_t id : {kMenuExportText, kMenuExportCsv, kMenuExportMidi, kMenuSaveAs}) {
        Answer({u""});
        EXPECT_EQ(Command(id), RC_OK);
    }
    EXPECT_EQ(test::FolderEntries(folder).size(), entries);
}

TEST_F(MusicWinFiles, TranslateModeLeavesOutTheCommandsThatWrite) {
    PutNotes();
    const std::u16string path = folder + u"translated.pmr";
    Score()->SetFileName(path.c_str());
    gOpSys->SetTranslateMode(true);
    for (uint32_t id : {kMenuSave, kMenuSaveAs, kMenuExportMidi, kMenuExportText, kMenuExportCsv}) {
        Answer({folder + u"written" + FormatUnsigned(id)});
        EXPECT_EQ(Command(id), RC_OK) << id;
        std::u16string unused;
        EXPECT_TRUE(gOpSys->TakeScriptedFileAnswer(u"Save", unused)) << id << " asked for a name";
    }
    EXPECT_TRUE(test::FolderEntries(folder).empty()) << test::Narrow(test::FolderEntries(folder)[0]);

    // Print, Songbook, Example Files, New and Open still work.
    EXPECT_EQ(Command(kMenuPrint), RC_OK);
    EXPECT_NE(std::count(spooler.calls.begin(), spooler.calls.end(), "StartPage"), 0);
    EXPECT_EQ(Command(kMenuSongbook), RC_OK);
    EXPECT_EQ(Command(kMenuExampleFiles), RC_OK);
    EXPECT_EQ(Count("Box: Install Error: Can't find any example files. Try re-installing."), 1u);
    gOpSys->SetTranslateMode(false);
    Answer({path});
    win->OnFileSaveAs();
    gOpSys->SetTranslateMode(true);
    EXPECT_EQ(Command(kCmdNew), RC_OK);
    EXPECT_EQ(Score()->GetChildCount(), 0);
    Answer({path});
    EXPECT_EQ(Command(kMenuOpen), RC_OK);
    EXPECT_EQ(Title(), path);
    EXPECT_NE(Score()->GetChildCount(), 0);
}

TEST_F(MusicWinFiles, PrintDrawsEveryPageAndExampleFilesOpenInTheDataFolder) {
    PutNotes();
    EXPECT_EQ(Command(kMenuPrint), RC_OK);
    EXPECT_FALSE(win->IsBusy());
    const auto count = [&](const char *call) { return std::count(spooler.calls.begin(), spooler.calls.end(), call); };
    EXPECT_EQ(count("StartDoc"), 1);
    EXPECT_GE(count("StartPage"), 1);
    EXPECT_EQ(count("StartPage"), count("EndPage"));

    // Example files: the open dialog starts in the data folder, which is
    // the working folder only meanwhile.
    const std::u16string data = gOpSys->GetDataFolder();
    const std::u16string example = data + u"example.pmr";
    Score()->SetFileName(example.c_str());
    win->OnFileSave();
    gOpSys->SetWorkingFolderString(folder);
    Answer({example});
    EXPECT_EQ(Command(kMenuExampleFiles), RC_OK);
    EXPECT_EQ(Title(), example);
    EXPECT_EQ(gOpSys->GetWorkingFolder(), folder);
    EXPECT_EQ(Count("Box: Install Error"), 0u);
    gOpSys->DeleteFile(example.c_str());
}

TEST_F(MusicWinFiles, ClosingAfterAFailedSaveDoesNotEmptyTheScore) {
    // New and Open ask about a changed score first; a save that fails keeps
    // the score and its name.
    PutNotes();
    const std::u16string blocked = folder + u"folder.pmr";
    gOpSys->CreateFolder(blocked);
    Score()->SetFileName(blocked.c_str());
    gDocumentFlags = 1;
    gOpSys->SetScriptedBoxAnswer(test::kYes);
    const int32_t children = Score()->GetChildCount();
    EXPECT_LT(win->ResetDocument(), 0);
    EXPECT_EQ(Command(kCmdNew), RC_OK);
    Answer({folder + u"other.pmr"});
    EXPECT_EQ(Command(kMenuOpen), RC_OK);
    EXPECT_EQ(Score()->GetChildCount(), children);
    EXPECT_EQ(S(Score()->GetFileName()), blocked);
}

}  // namespace
