// Staff storage through whole score files: the part templates with their
// percussion sets come back from a saved score, files whose dictionary
// states the older size of the staff class data still load, a staff starts
// in the time the staff before it ended in, and the text form reads the
// staff lines it writes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "staves/score_object.h"
#include "foundation/memory_binary_file.h"
#include "foundation/text_util.h"
#include "platform/version_word.h"
#include "tests/staves/percussion_fixture.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"

namespace {

constexpr uint32_t kProgramWord = 0x020C0500;
constexpr char16_t kHeaderText[] = u"Pelmora Music File Oct 12 2013";

// The binary record of a template, to compare every field at once.
std::string Record(const cStaffBase::sTemplate &t) {
    cMemoryBinaryFile file(u"record", std::string(), cBinaryFileBase::kWrite);
    cStaffBase::sTemplate::SaveBinary(t, &file);
    return file.Bytes();
}

uint16_t U16At(const std::string &bytes, size_t at) {
    return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

// Where the stated class-data size of each dictionary entry stands and how
// many bytes of class data follow it, for the given class id.
struct sEntry {
    size_t sizeAt = 0;
    uint16_t size = 0;
};

bool FindEntry(const std::string &bytes, int16_t wanted, sEntry &found) {
    size_t at = 2 * (std::char_traits<char16_t>::length(kHeaderText) + 2) + 4;
    if (bytes.size() < at + 4) return false;
    const int16_t lowest = int16_t(U16At(bytes, at)), highest = int16_t(U16At(bytes, at + 2));
    at += 4;
    for (int32_t id = lowest; id <= highest; ++id) {
        if (at + 2 > bytes.size()) return false;
        const int16_t stored = int16_t(U16At(bytes, at));
        at += 2;
        if (stored == 0) continue;
        at += 2 + U16At(bytes, at);  // the name
        at += 2;                     // the record size
        if (at + 2 > bytes.size()) return false;
        const uint16_t size = U16At(bytes, at);
        if (stored == wanted) {
            found = {at, size};
            return true;
        }
        at += 2 + size;
    }
    return false;
}

void PutU16(std::string &bytes, size_t at, uint16_t value) {
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

class StaffStorageFile : public test::PercussionTest {
protected:
    void SetUp() override {
        PercussionTest::SetUp();
        gProgramStatus.word = kProgramWord;
        gFileVersion = kProgramWord;
        Build();
        cStaffBase::MakeDefaultTemplates();
        log = std::make_unique<test::LogCapture>("staff_storage_file_log");
        doc = root.get();
    }
    void TearDown() override {
        log.reset();
        gProgramStatus = InitProgramStatus();
        PercussionTest::TearDown();
    }

    StaffObject *AddStaff(int32_t top) { return AddStaffAt(top); }

    cPObjPoint *Put(StaffObject *staff, int16_t id, int32_t px) {
        return PutOn(staff, id, px, staff->y + 12);
    }

    StaffObject *StaffAt(uint16_t index) {
        return index < doc->GetChildCount() ? dynamic_cast<StaffObject *>(doc->GetChild(index)) : nullptr;
    }

    static void UseTemplates(std::initializer_list<cStaffBase::sTemplate> list) {
        delete gStaffTemplates;
        gStaffTemplates = new cStaffBase::StaffTemplate;
        for (const cStaffBase::sTemplate &t : list) gStaffTemplates->Append(new cStaffBase::sTemplate(t));
        gCurrentTemplateIndex = 0;
    }

    std::string Save(const char *name) {
        const std::u16string path = folder + WidenAscii(name);
        EXPECT_EQ(cPObjPoint::SaveFile(doc, path.c_str(), nullptr), 0);
        return test::ReadFileBytes(path);
    }

    tStatus Load(const char *name) { return doc->LoadFile((folder + WidenAscii(name)).c_str()); }

    tStatus LoadBytes(const char *name, const std::string &bytes) {
        test::WriteFileBytes(folder + WidenAscii(name), bytes);
        return Load(name);
    }

    std::unique_ptr<test::LogCapture> log;
    ScoreObject *doc = nullptr;  // the fixture's score
};

// Two parts, one of them on the percussion channel with a set of the
// settings: after the settings and the list are gone, loading the score
// brings back every template field and the set.
TEST_F(StaffStorageFile, TemplatesAndTheirPercussionSetsComeBackFromAScore) {
    cStaffBase::sTemplate violin(u"Violin \u00e9 \"1\"");
    violin.program = 40, violin.visible = 0, violin.channel = 3, violin.lines = 4, violin.reserved1 = -7;
    violin.nameOffsetX = 11, violin.nameOffsetY = -13, violin.reserved2 = 99, violin.height = 300;
    violin.heightUnits = 31, violin.width = 6500, violin.margin = 800, violin.ledgerWidth = 17;
    violin.transposition = -2;
    cStaffBase::sTemplate drums(u"Drums");
    drums.channel = 9, drums.percussionSet = u"Rock";
    Store(u"Rock", kHeadKindCross, 0, u"HighTom");
    Store(u"Rock", kHeadKindOval, -3, u"Cowbell");
    Store(u"Jazz", kHeadKindOval, 1, u"RideBell");  // named by no template: stays out of the file
    UseTemplates({violin, drums});
    gCurrentTemplateIndex = 1;
    AddStaff(40)->SetTemplateIndex(1);
    AddStaff(140);
    ASSERT_FALSE(Save("parts.pmr").empty());

    // What the set makes of a cross head on the middle line.
    constexpr int16_t kCrossHead = 48;
    cStaffBase::RebuildPercussionSets(gStaffTemplates);
    const int32_t mapped = cPercussionSetup::MapPosition(0, kCrossHead, u"Rock");

    ClearSets();
    cStaffBase::MakeDefaultTemplates();
    ASSERT_NE(cPercussionSetup::MapPosition(0, kCrossHead, u"Rock"), mapped);
    ASSERT_EQ(Load("parts.pmr"), 0);
    ASSERT_EQ(gStaffTemplates->Count(), 2);
    EXPECT_EQ(gCurrentTemplateIndex, 1);
    const cStaffBase::sTemplate *got[] = {gStaffTemplates->At(0), gStaffTemplates->At(1)};
    EXPECT_EQ(Record(*got[0]), Record(violin));
    EXPECT_EQ(Record(*got[1]), Record(drums));
    EXPECT_EQ(test::Narrow(got[0]->name), test::Narrow(violin.name));
    EXPECT_EQ(test::Narrow(got[1]->percussionSet), "Rock");
    EXPECT_EQ(Stored(u"Rock", kHeadKindCross, 0), u"HighTom");
    EXPECT_EQ(Stored(u"Rock", kHeadKindOval, -3), u"Cowbell");
    EXPECT_EQ(Stored(u"Jazz", kHeadKindOval, 1), u"");
    EXPECT_EQ(cPercussionSetup::MapPosition(0, kCrossHead, u"Rock"), mapped) << "the set is compiled again";
    ASSERT_NE(StaffAt(0), nullptr);
    EXPECT_EQ(StaffAt(0)->GetTemplateIndex(), 1);
    EXPECT_EQ(log->Text(), "");
}

// Writers before this one stated 12 + 112 bytes a template as the staff
// class data's size.  Such a file loads: the size may be more than the data
// (short names), less (a long name) or not fit 16 bits as a positive value.
TEST_F(StaffStorageFile, FilesStatingTheOlderClassDataSizeStillLoad) {
    const std::u16string longName(60, u'L');
    struct Case {
        const char *label;
        int32_t templates;
        const char16_t *name;
    } cases[] = {
        {"one short name: the size is too large", 1, u"Flute"},
        {"a long name: the size is too small", 1, longName.c_str()},
        {"300 templates: the size turns negative", 300, u"P"},
    };
    for (const Case &c : cases) {
        cStaffBase::sTemplate t(c.name);
        t.program = 71;
        delete gStaffTemplates;
        gStaffTemplates = new cStaffBase::StaffTemplate;
        for (int32_t i = 0; i < c.templates; ++i) gStaffTemplates->Append(new cStaffBase::sTemplate(t));
        gCurrentTemplateIndex = 0;
        doc->Clear(0);
        StaffObject *staff = AddStaff(60);
        Put(staff, 123, 300);  // 4/4
        gStaffDefaultClef = 102;
        std::string bytes = Save("old_size.pmr");
        // The staff base's data travels with every class of the staff family.
        int32_t patched = 0;
        for (int16_t id : {int16_t(181), int16_t(183)}) {
            sEntry entry;
            if (!FindEntry(bytes, id, entry)) continue;
            ASSERT_NE(entry.size, uint16_t(12 + 112 * c.templates)) << c.label;
            PutU16(bytes, entry.sizeAt, uint16_t(12 + 112 * c.templates));
            ++patched;
        }
        ASSERT_GT(patched, 0) << c.label;

        cStaffBase::MakeDefaultTemplates();
        gStaffDefaultClef = 101;
        ASSERT_EQ(LoadBytes("old_size_patched.pmr", bytes), 0) << c.label;
        ASSERT_EQ(gStaffTemplates->Count(), c.templates) << c.label;
        EXPECT_EQ(Record(*gStaffTemplates->At(c.templates - 1)), Record(t)) << c.label;
        EXPECT_EQ(gStaffDefaultClef, 102) << c.label << ": the staff's own class data after it";
        ASSERT_NE(StaffAt(0), nullptr) << c.label;
        ASSERT_EQ(StaffAt(0)->GetChildCount(), 1) << c.label;
        EXPECT_EQ(StaffAt(0)->GetChild(0)->GetTypeId(), 123) << c.label;
    }
    EXPECT_EQ(log->Text(), "");
}

// Staff class data that runs out (a template count beyond the records
// there) is not taken as read by content: the dictionary goes on after the
// size it states, so the classes after it and the score still load, with
// the templates that were there.
TEST_F(StaffStorageFile, AStaffClassDataThatRunsOutEndsAtItsStatedSize) {
    cStaffBase::sTemplate t(u"Horn");
    t.program = 60;
    UseTemplates({t});
    AddStaff(60);
    gStaffDefaultClef = 102;
    std::string bytes = Save("cut.pmr");
    sEntry entry;
    ASSERT_TRUE(FindEntry(bytes, 181, entry));
    // After the size: mode (4), font, grid and current index (2 each).
    const size_t countAt = entry.sizeAt + 2 + 4 + 2 + 2 + 2;
    ASSERT_EQ(U16At(bytes, countAt), 1);
    PutU16(bytes, countAt, 0x7000);
    cStaffBase::MakeDefaultTemplates();
    gStaffDefaultClef = 101;
    ASSERT_EQ(LoadBytes("cut_patched.pmr", bytes), 0);
    ASSERT_EQ(gStaffTemplates->Count(), 1);
    EXPECT_EQ(Record(*gStaffTemplates->At(0)), Record(t));
    EXPECT_EQ(gStaffDefaultClef, 102) << "the staff's class data after it";
    EXPECT_NE(StaffAt(0), nullptr);
    EXPECT_EQ(log->Text(), "");
}

// A staff's stored time word never wins over the time the staff before it
// ended in; the first staff keeps its own.
TEST_F(StaffStorageFile, AStaffStartsInTheTimeTheStaffBeforeItEndedIn) {
    StaffObject *first = AddStaff(40);
    first->SetStartTimeWord(0x302);
    Put(first, 25, 250);   // a quarter: a time signature first would be the staff's start
    Put(first, 123, 300);  // ends in 4/4
    StaffObject *second = AddStaff(140);
    second->SetStartTimeWord(0x302);
    ASSERT_EQ(first->GetStartTimeWord(), 0x302);
    ASSERT_EQ(second->GetStartTimeWord(), 0x302);
    ASSERT_FALSE(Save("times.pmr").empty());
    gStaffDefaultTime = 0x302;
    ASSERT_EQ(Load("times.pmr"), 0);
    ASSERT_NE(StaffAt(1), nullptr);
    EXPECT_EQ(StaffAt(0)->GetStartTimeWord(), 0x302);
    EXPECT_EQ(StaffAt(1)->GetStartTimeWord(), 0x402);
    EXPECT_EQ(log->Text(), "");
}

// The text form reads its staff lines back: a staff without a stored y
// ("NoStore"), the template index, a part name with quotes, a backslash and
// a character beyond 8 bits, and the starting clef and key by name.
TEST_F(StaffStorageFile, TheTextFormReadsTheStaffLinesItWrites) {
    UseTemplates({cStaffBase::sTemplate(u"First"), cStaffBase::sTemplate(u"Vl \"2\" \\ \u00e9\u0161")});
    StaffObject *a = AddStaff(40);
    a->SetStartClef(102);
    a->SetStartKey(112);
    StaffObject *b = AddStaff(140);
    b->SetTemplateIndex(1);
    doc->SetFileName((folder + u"staffs.pmr").c_str());
    const std::u16string path = folder + u"staffs.txt";
    ASSERT_EQ(doc->ExportTextFile(path.c_str(), nullptr), RC_OK);
    const std::string text = test::ReadFileBytes(path);
    EXPECT_NE(text.find(" = NoStore, 1, "), std::string::npos) << text;

    ASSERT_EQ(doc->LoadFile(path.c_str()), 0);
    ASSERT_EQ(doc->GetChildCount(), 2);
    const StaffObject *readA = StaffAt(0), *readB = StaffAt(1);
    ASSERT_NE(readA, nullptr);
    ASSERT_NE(readB, nullptr);
    EXPECT_EQ(readA->GetStoredY(), cStaffBase::kNoStoredY);
    EXPECT_EQ(readA->GetStartClef(), 102);
    EXPECT_EQ(readA->GetStartKey(), 112);
    EXPECT_EQ(readA->y, 40);
    EXPECT_EQ(readB->GetTemplateIndex(), 1);
    EXPECT_EQ(readB->GetStartClef(), 101);
    EXPECT_EQ(readB->y, 140);
    // The object lines are the same; the class defaults are written for the
    // reader of a report and a load resets some of them.
    auto objects = [](const std::string &all) {
        const size_t at = all.find("[file]\r\n");
        return at == std::string::npos ? all : all.substr(at);
    };
    const std::u16string again = folder + u"again.txt";
    ASSERT_EQ(doc->ExportTextFile(again.c_str(), nullptr), RC_OK);
    EXPECT_EQ(objects(test::ReadFileBytes(again)), objects(text));
    EXPECT_EQ(log->Text(), "");
}

}  // namespace
