// Staff storage: the staff class data by file version, the templates a file
// cannot be trusted with, the current template index and the staff's text
// line.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "document/commands.h"
#include "foundation/memory_binary_file.h"
#include "document/score_file.h"
#include "platform/version_word.h"
#include "tests/staves/staff_fixture.h"

namespace {

constexpr uint32_t kCurrent = 0x20C0200;

class StaffStorage : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        savedVersion = gFileVersion;
        gFileVersion = kCurrent;
    }
    void TearDown() override {
        gFileVersion = savedVersion;
        StaffTest::TearDown();
    }

    // The staff base's class data (a staff's own is its gaps and defaults).
    static std::string SaveClassData(cStaffBase &prototype) {
        cMemoryBinaryFile file(u"data", std::string(), cBinaryFileBase::kWrite);
        prototype.cStaffBase::SaveClassData(&file);
        return file.Bytes();
    }

    static int32_t Load(cStaffBase &prototype, const std::string &bytes, uint32_t *consumed = nullptr) {
        cMemoryBinaryFile file(u"data", bytes);
        const int32_t result = prototype.cStaffBase::LoadClassData(&file, int32_t(bytes.size()));
        if (consumed) *consumed = file.GetPosition();
        return result;
    }

    // The head of the class data: mode, font, grid, current index, count.
    static std::string Head(int32_t mode, int16_t font, int16_t grid, uint16_t current, uint16_t count) {
        cMemoryBinaryFile file(u"head", std::string(), cBinaryFileBase::kWrite);
        file.WriteU32(uint32_t(mode));
        file.WriteU16(uint16_t(font));
        file.WriteU16(uint16_t(grid));
        file.WriteU16(current);
        file.WriteU16(count);
        return file.Bytes();
    }

    static std::string Record(const cStaffBase::sTemplate &t) {
        cMemoryBinaryFile file(u"record", std::string(), cBinaryFileBase::kWrite);
        cStaffBase::sTemplate::SaveBinary(t, &file);
        return file.Bytes();
    }

    static std::string NoSets() { return std::string(2, '\0'); }

    uint32_t savedVersion = 0;
};

TEST_F(StaffStorage, ClassDataRoundTripKeepsEveryTemplateFieldAndTheSizeIsTheBytesWritten) {
    StaffObject prototype;
    cStaffBase::sTemplate a(u"Violin \u00e9");
    a.program = 40, a.visible = 0, a.channel = 3, a.lines = 4, a.reserved1 = -7, a.nameOffsetX = 11;
    a.nameOffsetY = -13, a.reserved2 = 99, a.height = 300, a.heightUnits = 31, a.width = 6500, a.margin = 800;
    a.ledgerWidth = 17, a.transposition = -2;
    cStaffBase::sTemplate b(u"Cello");
    b.program = 42, b.channel = 5, b.transposition = 12;
    delete gStaffTemplates;
    gStaffTemplates = new cStaffBase::StaffTemplate;
    gStaffTemplates->Append(new cStaffBase::sTemplate(a));
    gStaffTemplates->Append(new cStaffBase::sTemplate(b));
    gCurrentTemplateIndex = 1;
    gBarNumberMode = 1;
    gNoteGrid = 3;
    gPartNameFont = 2;

    const std::string bytes = SaveClassData(prototype);
    EXPECT_EQ(uint32_t(uint16_t(prototype.cStaffBase::GetClassDataSize())), bytes.size()) << "the dictionary's size";
    EXPECT_EQ(bytes, SaveClassData(prototype)) << "measuring the size writes nothing else";

    cStaffBase::MakeDefaultTemplates();
    gBarNumberMode = gNoteGrid = 0;
    uint32_t consumed = 0;
    ASSERT_EQ(Load(prototype, bytes, &consumed), kClassDataReadByContent);
    EXPECT_EQ(consumed, bytes.size());
    ASSERT_EQ(gStaffTemplates->Count(), 2);
    EXPECT_EQ(gCurrentTemplateIndex, 1);
    EXPECT_EQ(gBarNumberMode, 1);
    EXPECT_EQ(gNoteGrid, 3);
    for (int32_t i = 0; i < 2; ++i) {
        const cStaffBase::sTemplate &want = i == 0 ? a : b;
        const cStaffBase::sTemplate &got = *gStaffTemplates->At(i);
        EXPECT_EQ(Record(got), Record(want)) << "template " << i;
        EXPECT_TRUE(got.name == want.name);
    }
}

TEST_F(StaffStorage, OlderFilesByTheirVersionGates) {
    StaffObject prototype;
    cStaffBase::sTemplate kept(u"Kept");
    kept.program = 7;
    auto keepOne = [&kept]() {
        delete gStaffTemplates;
        gStaffTemplates = new cStaffBase::StaffTemplate;
        gStaffTemplates->Append(new cStaffBase::sTemplate(kept));
    };

    // Below 2.0.0 nothing is read.
    keepOne();
    gFileVersion = 0x1090000;
    uint32_t consumed = 99;
    EXPECT_EQ(Load(prototype, Head(1, 1, 1, 0, 0), &consumed), 0);
    EXPECT_EQ(consumed, 0u);
    EXPECT_EQ(gStaffTemplates->At(0)->program, 7);

    // No templates: the list stays.
    keepOne();
    gFileVersion = kCurrent;
    EXPECT_EQ(Load(prototype, Head(1, 0, 0, 0, 0) + NoSets()), kClassDataReadByContent);
    ASSERT_EQ(gStaffTemplates->Count(), 1);
    EXPECT_TRUE(gStaffTemplates->At(0)->name == u"Kept");

    // 2.5.0: the stored mode 0 reads as 2; no percussion sets follow.
    keepOne();
    gFileVersion = 0x2050000;
    cStaffBase::sTemplate plain(u"Oboe");
    plain.program = 68;
    cMemoryBinaryFile old(u"old", std::string(), cBinaryFileBase::kWrite);
    {
        char name[32] = "Oboe";
        old.Write(name, sizeof name);
        for (uint16_t v : {uint16_t(68), uint16_t(1), uint16_t(2), uint16_t(5)}) old.WriteU16(v);
        old.WriteU32(0);
        old.WriteU16(0);
        old.WriteU16(uint16_t(-6));
        old.WriteU32(0);
        for (int16_t v : {int16_t(250), int16_t(25), int16_t(7000), int16_t(750), int16_t(15), int16_t(3)})
            old.WriteU16(uint16_t(v));
    }
    const std::string fixture = Head(0, 0, 2, 0, 1) + old.Bytes();
    EXPECT_EQ(Load(prototype, fixture, &consumed), kClassDataReadByContent);
    EXPECT_EQ(consumed, fixture.size());
    EXPECT_EQ(gBarNumberMode, 2);
    EXPECT_EQ(gNoteGrid, 2);
    ASSERT_EQ(gStaffTemplates->Count(), 1);
    const cStaffBase::sTemplate &got = *gStaffTemplates->At(0);
    EXPECT_TRUE(got.name == u"Oboe");
    EXPECT_EQ(got.program, 68);
    EXPECT_EQ(got.channel, 2);
    EXPECT_EQ(got.transposition, 3);
    EXPECT_TRUE(got.percussionSet.empty());

    // 2.0.0: the font and the count only, and templates of a name in the
    // code page and the first fields; the sizes and the transposition keep
    // the values of a new template, the mode and grid the program's.
    keepOne();
    gFileVersion = 0x2000000;
    gBarNumberMode = 1;
    cStaffBase::SetNoteGrid(4);
    cMemoryBinaryFile first(u"first", std::string(), cBinaryFileBase::kWrite);
    first.WriteU16(5);  // part-name font
    first.WriteU16(1);  // one template
    {
        char name[32] = "Fl\xe9te";
        first.Write(name, sizeof name);
        for (uint16_t v : {uint16_t(73), uint16_t(0), uint16_t(4), uint16_t(5)}) first.WriteU16(v);
        first.WriteU32(uint32_t(-3));
        first.WriteU16(8);
        first.WriteU16(uint16_t(-9));
        first.WriteU32(17);
    }
    const std::string firstBytes = first.Bytes();
    EXPECT_EQ(Load(prototype, firstBytes + "tail", &consumed), kClassDataReadByContent);
    EXPECT_EQ(consumed, firstBytes.size());
    EXPECT_EQ(gBarNumberMode, 1);
    EXPECT_EQ(gNoteGrid, 4);
    EXPECT_EQ(gPartNameFont, 5);
    ASSERT_EQ(gStaffTemplates->Count(), 1);
    const cStaffBase::sTemplate &early = *gStaffTemplates->At(0);
    cStaffBase::sTemplate want(u"Fl\u00e9te");
    want.program = 73, want.visible = 0, want.channel = 4, want.reserved1 = -3, want.nameOffsetX = 8;
    want.nameOffsetY = -9, want.reserved2 = 17;
    EXPECT_EQ(Record(early), Record(want));
    EXPECT_TRUE(early.name == want.name);

    // Before 2.0.2 the staff's own class data (stated as 10 bytes) carries
    // the staff base's, four skipped values, then the defaults: it is read
    // to its end, and the dictionary goes on from there.
    keepOne();
    gFileVersion = 0x2000100;
    gStaffDefaultClef = 102;
    cMemoryBinaryFile staffData(u"staff", std::string(), cBinaryFileBase::kWrite);
    staffData.Write(firstBytes.data(), uint32_t(firstBytes.size()));
    for (int i = 0; i < 4; ++i) staffData.WriteU16(uint16_t(0x7777));
    staffData.WriteU16(0);      // no clef: ClefG
    staffData.WriteU16(0);      // no key: KeySigC
    staffData.WriteU16(0x603);  // 6/8
    const std::string staffBytes = staffData.Bytes();
    {
        cMemoryBinaryFile file(u"data", staffBytes + "tail");
        EXPECT_EQ(prototype.LoadClassData(&file, 10), kClassDataReadByContent);
        EXPECT_EQ(file.GetPosition(), staffBytes.size());
    }
    ASSERT_EQ(gStaffTemplates->Count(), 1);
    EXPECT_TRUE(gStaffTemplates->At(0)->name == want.name);
    EXPECT_EQ(gStaffDefaultClef, 101);
    EXPECT_EQ(gStaffDefaultKey, 103);
    EXPECT_EQ(gStaffDefaultTime, 0x603);
    EXPECT_EQ(gMusicState.timeWord, 0x603);
}

TEST_F(StaffStorage, DamagedTemplatesTakeTheDefaultTemplatesValues) {
    StaffObject prototype;
    const cStaffBase::sTemplate fallback;
    struct Case {
        const char *label;
        uint16_t lines;
        int16_t heightUnits, height, width, margin;
        uint16_t wantLines;
        int16_t wantUnits, wantHeight, wantWidth, wantMargin;
    } cases[] = {
        {"sound", 4, 31, 300, 6000, 500, 4, 31, 300, 6000, 500},
        {"no lines", 0, 31, 300, 6000, 500, 5, 31, 300, 6000, 500},
        {"one line", 1, 31, 300, 6000, 500, 5, 31, 300, 6000, 500},
        {"height units 0", 5, 0, 300, 6000, 500, 5, 25, 300, 6000, 500},
        {"spacing 1", 20, 25, 300, 6000, 500, 5, 25, 300, 6000, 500},
        {"height 0", 5, 25, 0, 6000, 500, 5, 25, 250, 6000, 500},
        {"width negative", 5, 25, 300, -5, 500, 5, 25, 300, 7000, 500},
        {"margin 0", 5, 25, 300, 6000, 0, 5, 25, 300, 6000, 750},
    };
    for (const Case &c : cases) {
        cStaffBase::sTemplate t(u"T");
        t.lines = c.lines, t.heightUnits = c.heightUnits, t.height = c.height, t.width = c.width, t.margin = c.margin;
        ASSERT_EQ(Load(prototype, Head(2, 0, 0, 0, 1) + Record(t) + NoSets()), kClassDataReadByContent) << c.label;
        ASSERT_EQ(gStaffTemplates->Count(), 1) << c.label;
        const cStaffBase::sTemplate &got = *gStaffTemplates->At(0);
        EXPECT_EQ(got.lines, c.wantLines) << c.label;
        EXPECT_EQ(got.heightUnits, c.wantUnits) << c.label;
        EXPECT_EQ(got.height, c.wantHeight) << c.label;
        EXPECT_EQ(got.width, c.wantWidth) << c.label;
        EXPECT_EQ(got.margin, c.wantMargin) << c.label;
        EXPECT_GE(got.LineSpacing(), 2) << c.label;
        EXPECT_GT(cStaffBase::CurrentHalfSpacing(), 0) << c.label;
    }
    EXPECT_EQ(fallback.lines, 5);
}

TEST_F(StaffStorage, TheCurrentTemplateIndexIsClampedAndAListAlwaysExists) {
    StaffObject prototype;
    struct Case {
        const char *label;
        bool listBefore;
        uint16_t current, count;
        int32_t wantCount;
        uint16_t wantCurrent;
    } cases[] = {
        {"within the list", true, 1, 2, 2, 1},
        {"beyond the list", true, 9, 2, 2, 1},
        {"no records, a shorter list kept", true, 4, 0, 1, 0},
        {"no records and no list", false, 3, 0, 1, 0},
    };
    for (const Case &c : cases) {
        delete gStaffTemplates;
        gStaffTemplates = nullptr;
        if (c.listBefore) cStaffBase::MakeDefaultTemplates();
        std::string bytes = Head(2, 0, 0, c.current, c.count);
        for (uint16_t i = 0; i < c.count; ++i) bytes += Record(cStaffBase::sTemplate(u"P"));
        bytes += NoSets();
        ASSERT_EQ(Load(prototype, bytes), kClassDataReadByContent) << c.label;
        ASSERT_NE(gStaffTemplates, nullptr) << c.label;
        EXPECT_EQ(gStaffTemplates->Count(), c.wantCount) << c.label;
        EXPECT_EQ(gCurrentTemplateIndex, c.wantCurrent) << c.label;
        EXPECT_NE(cStaffBase::CurrentTemplate(), nullptr) << c.label;
    }
}

TEST_F(StaffStorage, AStaffWithoutAStoredYWritesNoStore) {
    Build();
    StaffObject staff;
    std::ostringstream out;
    cPObjBase::sCmdExpAsc record(&out);
    ASSERT_GE(staff.ExportText(&record), 0);
    const std::string line = out.str();
    EXPECT_NE(line.find(" = NoStore, 0, "), std::string::npos) << line;
    EXPECT_NE(line.find("\"ClefG\", \"KeySigC\""), std::string::npos) << line;
}

}  // namespace
