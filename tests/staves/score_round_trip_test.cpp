// A staff holding one symbol of every class of notes, note heads and flags,
// rests, time signatures and bar lines, with a clef and a key change in
// mid-staff, stored in both forms: the binary file saved, loaded and saved
// again is the same bytes, the text exported, imported and exported again
// is the same text, and the loaded staff holds the same classes at the same
// places with the same fields.
//
// The binary file this test saves first is the fuzz seed
// tests/fuzz/corpus/score_file/staff_every_class.pmr.  To write it again
// after the records change, run the test natively and copy the file it
// leaves in its folder:
//   build/<dir>/tests/staves_tests --gtest_filter='ScoreRoundTrip.*'
//   cp /tmp/pelmora-tests-<pid>/score_round_trip/first.pmr
//      tests/fuzz/corpus/score_file/staff_every_class.pmr
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "document/base_classes.h"
#include "document/document_root.h"
#include "foundation/text_util.h"
#include "platform/version_word.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"

namespace {

// A word of a current version: every record carries its newest fields.
constexpr uint32_t kProgramWord = 0x020C0500;

// "Name@x,y" and the fields a class stores: a note's head, flag and stem, a
// time signature's numbers and tempo, a bar line's size and number and its
// members in brackets.
std::string Describe(cPObjPoint *obj) {
    std::ostringstream out;
    out << test::Narrow(obj->GetTypeName()) << "@" << obj->x << "," << obj->y;
    if (auto *note = dynamic_cast<MusicBitMapNote *>(obj))
        out << " head " << note->GetHeadGlyph() << " flag " << note->GetFlagGlyph() << " stem " << note->GetStemLength();
    if (auto *time = dynamic_cast<TimeC *>(obj))
        out << " " << time->GetNumerator() << "/" << (1 << time->GetLog2Denominator()) << " tempo " << time->GetTempo();
    if (auto *bar = dynamic_cast<BaseBar *>(obj)) {
        out << " " << bar->GetSizeWidth() << "x" << bar->GetSizeHeight() << " #" << bar->GetBarNumber() << " [";
        for (uint16_t i = 0; i < bar->GetChildSlots(); ++i)
            if (cPObjPoint *member = bar->GetChild(i)) out << Describe(member) << ";";
        out << "]";
    }
    return out.str();
}

// The staff's own fields and its children, one a line.
std::string DescribeStaff(cPObjPoint *obj) {
    auto *staff = dynamic_cast<StaffObject *>(obj);
    if (!staff) return "no staff";
    std::ostringstream out;
    out << "StaffObject@" << staff->x << "," << staff->y << " " << staff->GetSizeWidth() << "x"
        << staff->GetSizeHeight() << "\n";
    for (uint16_t i = 0; i < staff->GetChildSlots(); ++i)
        if (cPObjPoint *child = staff->GetChild(i)) out << Describe(child) << "\n";
    return out.str();
}

class ScoreRoundTrip : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        gProgramStatus.word = kProgramWord;
        // Positions take the fewest bytes only in files of a current version.
        gFileVersion = kProgramWord;
        Build();
        cStaffBase::MakeDefaultTemplates();
        folder = test::MakeTempFolder("score_round_trip");
        log = std::make_unique<test::LogCapture>("score_round_trip_log");
        doc = root.get();
    }
    void TearDown() override {
        log.reset();
        gProgramStatus = InitProgramStatus();
        StaffTest::TearDown();
    }

    cPObjPoint *Put(int16_t id, int32_t px, int32_t py) { return PutOn(staff, id, px, py); }

    // Every class of the round, left to right 30 apart, at heights that
    // vary; the glyph classes with heads and flags that differ from their
    // defaults, stems of both directions.
    void BuildStaff(int32_t top = kTop) {
        staff = new StaffObject;
        staff->SetPosition(0, top);
        ASSERT_TRUE(doc->InsertChild(staff));
        const int32_t h = staff->LineSpacing() / 2;
        int32_t x = 200;
        auto next = [&x] { return x += 30; };
        Put(102, next(), top + 2 * h);  // a bass clef in mid-staff
        Put(112, next(), top + 2 * h);  // two flats
        for (int16_t id = 17; id <= 29; ++id) Put(id, next(), top + (id % 9) * h);
        for (int16_t id = 43; id <= 68; ++id) {
            auto *note = dynamic_cast<MusicBitMapNote *>(Put(id, next(), top + (id % 7) * h));
            if (!note) continue;
            note->SetStemLength(id % 2 ? -(20 + id) : 20 + id);
            // Each storable head once, on the class of its own id.
            if (id <= 59 && id != 47) note->SetHeadGlyph(id);
            if (id >= 60 && id <= 67) note->SetFlagGlyph(int16_t(127 - id));
        }
        for (int16_t id = 72; id <= 78; ++id) Put(id, next(), top + 4 * h);
        for (int16_t id = 118; id <= 127; ++id) {
            auto *time = dynamic_cast<TimeC *>(Put(id, next(), top + 4 * h));
            if (time) time->SetTempo(uint16_t(60 + id));
        }
        if (auto *free = dynamic_cast<TimeAny *>(staff->GetChild(uint16_t(staff->GetChildSlots() - 1)))) {
            free->SetNumbers(7, 3);
            free->SetTempo(132);
        }
        ASSERT_NE(FindFirst(127), nullptr);
        for (int16_t id = 166; id <= 172; ++id) Put(id, next(), top);
        // A segno above the measure after the first bar line is its member.
        auto *sign = new Sign1;
        sign->SetPosition(FindFirst(166)->x + 10, top - 30);
        ASSERT_TRUE(staff->InsertChild(sign));
        ASSERT_EQ(sign->FindOwner(0, 0), FindFirst(166));
    }

    cPObjPoint *FindFirst(int16_t id) {
        for (uint16_t i = 0; i < staff->GetChildSlots(); ++i)
            if (cPObjPoint *child = staff->GetChild(i); child && child->GetTypeId() == id) return child;
        return nullptr;
    }

    std::string Save(const char *name) {
        const std::u16string path = folder + WidenAscii(name);
        EXPECT_EQ(cPObjPoint::SaveFile(doc, path.c_str(), nullptr), 0);
        return test::ReadFileBytes(path);
    }

    std::string Export(const char *name) {
        const std::u16string path = folder + WidenAscii(name);
        EXPECT_EQ(doc->ExportTextFile(path.c_str(), nullptr), RC_OK);
        return test::ReadFileBytes(path);
    }

    cPObjPoint *LoadedStaff() { return doc->GetChildCount() == 1 ? doc->GetChild(0) : nullptr; }

    static constexpr int32_t kTop = 100;
    // A clef, a key, 13 notes, 26 head and flag classes, 7 rests, 10 time
    // signatures and 7 bar lines.
    static constexpr uint16_t kChildren = 2 + 13 + 26 + 7 + 10 + 7;
    std::u16string folder;
    std::unique_ptr<test::LogCapture> log;
    ScoreObject *doc = nullptr;    // the fixture's score
    StaffObject *staff = nullptr;  // owned by doc
};

TEST_F(ScoreRoundTrip, BinaryFileSavedLoadedAndSavedAgainIsTheSame) {
    BuildStaff();
    // A loaded score has its bars numbered.
    cMusicBase::NumberBars(doc, nullptr);
    const std::string before = DescribeStaff(staff);
    ASSERT_EQ(staff->GetChildCount(), kChildren);
    EXPECT_NE(before.find("TimeAny@"), std::string::npos);
    EXPECT_NE(before.find(" 7/8 tempo 132\n"), std::string::npos);
    EXPECT_NE(before.find(" [Sign1@"), std::string::npos);
    // Loading leaves the defaults of new staffs at the clef, key and time
    // the staff ends in and the part-name font at the window's: a file
    // written after one load is the one that then stays the same.
    const int16_t clef = staff->GetStartClef(), key = staff->GetStartKey();
    const uint16_t time = staff->GetStartTimeWord(), templateIndex = staff->GetTemplateIndex();
    ASSERT_FALSE(Save("settle.pmr").empty());
    ASSERT_EQ(doc->LoadFile((folder + u"settle.pmr").c_str()), 0);
    ASSERT_EQ(DescribeStaff(LoadedStaff()), before);
    const auto *settled = dynamic_cast<StaffObject *>(LoadedStaff());
    ASSERT_NE(settled, nullptr);
    EXPECT_EQ(settled->GetStartClef(), clef);
    EXPECT_EQ(settled->GetStartKey(), key);
    EXPECT_EQ(settled->GetStartTimeWord(), time);
    EXPECT_EQ(settled->GetTemplateIndex(), templateIndex);
    const std::string first = Save("first.pmr");
    ASSERT_FALSE(first.empty());

    ASSERT_EQ(doc->LoadFile((folder + u"first.pmr").c_str()), 0);
    EXPECT_EQ(gFileVersion, kProgramWord);
    EXPECT_EQ(DescribeStaff(LoadedStaff()), before);
    EXPECT_EQ(Save("second.pmr"), first);
    EXPECT_EQ(log->Text(), "");
}

TEST_F(ScoreRoundTrip, TextExportedImportedAndExportedAgainIsTheSame) {
    BuildStaff();
    cMusicBase::NumberBars(doc, nullptr);
    const std::string before = DescribeStaff(staff);
    doc->SetFileName((folder + u"trip.pmr").c_str());
    const std::string first = Export("trip.txt");
    ASSERT_NE(first.find("TimeAny"), std::string::npos);

    ASSERT_EQ(doc->LoadFile((folder + u"trip.txt").c_str()), 0);
    EXPECT_EQ(DescribeStaff(LoadedStaff()), before);
    // The class defaults are written for the reader of a report and never
    // read back (a load resets them); the symbols' lines are the same.
    auto withoutDefaults = [](const std::string &text) {
        const size_t from = text.find("[symbols] "), to = text.find("[file]\r\n");
        return from == std::string::npos || to == std::string::npos ? text : text.substr(0, from) + text.substr(to);
    };
    EXPECT_EQ(withoutDefaults(Export("again.txt")), withoutDefaults(first));
    EXPECT_EQ(log->Text(), "");
}

// The score of two parts, with a tempo and a repeat switch of its own: the
// first staff holds every class of the round above, the second, of another
// part, starts with another clef and key and holds every clef and key
// signature.  The binary file saved, loaded and
// saved again is the same bytes, and the text exported, imported and
// exported again the same text (after one load settles the defaults of new
// staffs, which follow the last clef, key and time placed).
//
// The files this test writes first are fuzz seeds:
// tests/fuzz/corpus/score_file/two_staffs.pmr and
// tests/fuzz/corpus/text_form/two_staffs.txt, and the same with a first
// byte 0 or 1 in tests/fuzz/corpus/music_score/.  To write them again, run
// the test natively and copy first.pmr and first.txt from the folder
// /tmp/pelmora-tests-<pid>/score_round_trip/.
TEST_F(ScoreRoundTrip, TwoStaffsOfEveryClassSurviveBothForms) {
    cStaffBase::sTemplate violin(u"Violin \"1\" \u00e9");
    violin.program = 40, violin.channel = 2, violin.transposition = -2, violin.nameOffsetX = 3;
    cStaffBase::sTemplate cello(u"Cello");
    // All parts share one staff size: the sizes stay those of a new template.
    cello.program = 42, cello.channel = 5, cello.nameOffsetY = -8, cello.ledgerWidth = 12;
    delete gStaffTemplates;
    gStaffTemplates = new cStaffBase::StaffTemplate;
    gStaffTemplates->Append(new cStaffBase::sTemplate(violin));
    gStaffTemplates->Append(new cStaffBase::sTemplate(cello));
    gBarNumberMode = 1;
    gNoteGrid = 3;
    doc->SetTempo(96);
    doc->SetPlayRepeats(0);

    BuildStaff(kTop);
    StaffObject *second = new StaffObject;
    second->SetTemplateIndex(1);
    second->SetPosition(0, kTop + 200);
    ASSERT_TRUE(doc->InsertChild(second));
    second->SetStartClef(97);  // alto
    second->SetStartKey(105);  // two sharps
    const int32_t h = second->LineSpacing() / 2;
    int32_t px = 200;
    for (int16_t id = 96; id <= 117; ++id) {
        cPObjPoint *obj = dynamic_cast<cPObjPoint *>(cPObjBase::NewById(id));
        ASSERT_NE(obj, nullptr) << id;
        obj->SetPosition(px += 40, second->y + (id % 5) * h);
        ASSERT_TRUE(second->InsertChild(obj)) << id;
    }
    ASSERT_EQ(doc->GetChildCount(), 2);
    cMusicBase::NumberBars(doc, nullptr);
    const std::string before = DescribeStaff(doc->GetChild(0)) + DescribeStaff(doc->GetChild(1));
    EXPECT_NE(before.find("KeySig7Flat@"), std::string::npos) << before;
    EXPECT_NE(before.find("ClefPercussion1@"), std::string::npos) << before;

    // Binary.
    ASSERT_FALSE(Save("settle.pmr").empty());
    ASSERT_EQ(doc->LoadFile((folder + u"settle.pmr").c_str()), 0);
    const std::string first = Save("first.pmr");
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(doc->LoadFile((folder + u"first.pmr").c_str()), 0);
    ASSERT_EQ(doc->GetChildCount(), 2);
    EXPECT_EQ(DescribeStaff(doc->GetChild(0)) + DescribeStaff(doc->GetChild(1)), before);
    auto *loaded = dynamic_cast<StaffObject *>(doc->GetChild(1));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetTemplateIndex(), 1);
    EXPECT_EQ(loaded->GetStartClef(), 97);
    EXPECT_EQ(loaded->GetStartKey(), 105);
    ASSERT_EQ(gStaffTemplates->Count(), 2);
    EXPECT_TRUE(gStaffTemplates->At(0)->name == violin.name);
    EXPECT_EQ(gStaffTemplates->At(1)->ledgerWidth, 12);
    EXPECT_EQ(doc->GetTempo(), 96);
    EXPECT_EQ(doc->GetPlayRepeats(), 0);
    EXPECT_EQ(Save("second.pmr"), first);

    // Text.
    // The configuration names the document: the same name for every export.
    auto exportAs = [this](const char *name) {
        doc->SetFileName((folder + u"trip.pmr").c_str());
        return Export(name);
    };
    const std::string exported = exportAs("settle.txt");
    ASSERT_EQ(doc->LoadFile((folder + u"settle.txt").c_str()), 0);
    const std::string text = exportAs("first.txt");
    ASSERT_NE(text.find("Violin"), std::string::npos);
    doc->SetTempo(120);
    doc->SetPlayRepeats(1);
    ASSERT_EQ(doc->LoadFile((folder + u"first.txt").c_str()), 0);
    EXPECT_EQ(doc->GetTempo(), 96);
    EXPECT_EQ(doc->GetPlayRepeats(), 0);
    ASSERT_EQ(doc->GetChildCount(), 2);
    EXPECT_EQ(DescribeStaff(doc->GetChild(0)) + DescribeStaff(doc->GetChild(1)), before);
    EXPECT_EQ(exportAs("again.txt"), text);
    const size_t objects = exported.find("[file]\r\n");
    ASSERT_NE(objects, std::string::npos);
    EXPECT_EQ(text.substr(text.find("[file]\r\n")), exported.substr(objects)) << "the object lines from the start";
    EXPECT_EQ(log->Text(), "");
}

}  // namespace
