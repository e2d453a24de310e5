// The score files with notes that the tests of the running program open
// (tests/gui/file_commands_win_test.cpp, closing_win_test.cpp) are written
// here by the score classes themselves, and the checked-in copies in
// tests/app/data/ must still equal what they write: a change of the file
// format shows up here first, with the way to write the files again.
//
//   melody.pmr     one staff: treble clef, C major, 4/4, C4 and D4
//                  quarters, an E4 half, a bar line
//   melody.csv     what Export > csv lists of it
//   two_pages.pmr  the melody on two staffs with a page break between them,
//                  its footer "Two pages, page # of ##"
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "document/music_commands.h"
#include "document/page_breaks.h"
#include "foundation/text_util.h"
#include "midi/music_track_csv.h"
#include "platform/version_word.h"
#include "tests/staves/staff_fixture.h"
#include "tests/app/music_window_fixture.h"
#include "tests/test_support.h"

namespace {

// Set to write the files into the source tree instead of comparing them.
constexpr const char *kRewriteSetting = "PELMORA_WRITE_FIXTURES";
constexpr const char16_t *kFooter = u"Two pages, page # of ##";

class ScoreFixtures : public test::MusicWinTest {
protected:
    void SetUp() override {
        MusicWinTest::SetUp();
        // Written as the program writes them: after its score window has
        // opened, which adds the default text font that the texts refer to.
        win->Open();
        win.reset();
        gProgramStatus = InitProgramStatus();
        gFileVersion = gProgramStatus.word;
        Build();
        cStaffBase::MakeDefaultTemplates();
        folder = test::MakeTempFolder("score_fixtures");
    }
    void TearDown() override {
        test::RemoveTree(folder);
        gFileVersion = 0;
        MusicWinTest::TearDown();
    }

    // The melody on a staff whose top line is at the y.
    void Melody(int32_t top) {
        StaffObject *staff = AddStaffAt(top);
        staff->SetStartClef(ClefG::kClassId);
        staff->SetStartKey(KeySigC::kClassId);
        const int32_t step = staff->LineSpacing() / 2;  // middle C is 10 steps below the top line
        PutOn(staff, Time44::kClassId, 80, top + 4 * step);  // after the clef
        PutOn(staff, Note14::kClassId, 100, top + 10 * step);
        PutOn(staff, Note14::kClassId, 130, top + 9 * step);
        PutOn(staff, Note12::kClassId, 160, top + 8 * step);
        PutOn(staff, Bar::kClassId, 220, top);
    }

    // What Export > csv writes of the score.
    std::string CsvList() {
        std::ostringstream out;
        {
            cMusicTrackCsv list(&out, 480, 1024, nullptr);
            list.WriteHeader();
            cMusicBase::ExportMidi(root.get(), &list, nullptr, nullptr);
        }
        return out.str();
    }

    // The score saved under the name; its bytes.
    std::string Save(const char16_t *name) {
        const std::u16string path = folder + name;
        EXPECT_EQ(cPObjPoint::SaveFile(root.get(), path.c_str(), nullptr), 0);
        return test::ReadFileBytes(path);
    }

    // Compares the bytes with the checked-in file, or writes them there.
    // Natively only: the files hold the fonts the program found, and the
    // system's fonts under Windows are not the headless table's.
    static void Check(const char *name, const std::string &bytes) {
#if defined(_WIN32)
        (void)name;
        (void)bytes;
        return;
#endif
        const std::string relative = std::string("tests/app/data/") + name;
        const std::u16string checkedIn = test::SourcePath(relative.c_str());
        const char *rewrite = std::getenv(kRewriteSetting);
        if (rewrite && *rewrite) {
            test::WriteFileBytes(checkedIn, bytes);
            return;
        }
        EXPECT_TRUE(test::ReadFileBytes(checkedIn) == bytes)
            << relative << " is not what the score classes write now. If the change is meant, write the files "
            << "again with `" << kRewriteSetting << "=1 <build>/tests/app_tests --gtest_filter=ScoreFixtures.*` "
            << "(natively), check that the tests of the running program still pass and commit them.";
    }

    std::u16string folder;
};

TEST_F(ScoreFixtures, TheMelodyAndItsCsvList) {
    Melody(40);
    root->SetFileName(u"melody.pmr");
    const std::string file = Save(u"melody.pmr");
    ASSERT_FALSE(file.empty());
    Check("melody.pmr", file);

    // Exported as the program exports it: from the score loaded from the file.
    root->Clear(0);
    ASSERT_EQ(root->LoadFile((folder + u"melody.pmr").c_str()), 0);
    const std::string csv = CsvList();
    const std::vector<std::string> lines = test::SplitLines(csv);
    ASSERT_EQ(lines.size(), 2u + 3u) << csv;
    EXPECT_EQ(lines[2], "0,Acoustic grand piano,0,0,0,480,4,2,0");
    EXPECT_EQ(lines[3], "0,Acoustic grand piano,5,2,480,480,4,2,0");
    EXPECT_EQ(lines[4], "0,Acoustic grand piano,10,4,960,960,4,2,0");
    Check("melody.csv", csv);
}

TEST_F(ScoreFixtures, TwoPagesWithTheirFooter) {
    root->SetFileName(u"two_pages.pmr");
    cPObjBreak::SetFooterText(kFooter);
    Melody(40);
    auto *pageBreak = new cMusicPageBreak;
    pageBreak->SetPosition(0, 200);
    ASSERT_TRUE(root->InsertChild(pageBreak));
    Melody(260);
    const std::string file = Save(u"two_pages.pmr");
    ASSERT_FALSE(file.empty());
    Check("two_pages.pmr", file);

    // The file carries the break and the footer.
    root->Clear(0);
    cPObjBreak::SetFooterText(nullptr);
    ASSERT_EQ(root->LoadFile((folder + u"two_pages.pmr").c_str()), 0);
    int32_t staffs = 0, breaks = 0;
    for (int32_t i = 0; i < root->GetChildCount(); ++i) {
        const int16_t id = root->GetChild(uint16_t(i))->GetTypeId();
        staffs += id == ScoreObject::kStaffId;
        breaks += id == cMusicPageBreak::kClassId;
    }
    EXPECT_EQ(staffs, 2);
    EXPECT_EQ(breaks, 1);
    ASSERT_NE(cPObjBreak::GetFooterText(), nullptr);
    EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), kFooter);
}

}  // namespace
