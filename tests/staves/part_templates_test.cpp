// Part templates: derived sizes, the list, the set-up exchange with the
// staff dialog, the text line, the binary record and the set-up records.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "document/symbol_base.h"
#include "foundation/memory_binary_file.h"
#include "platform/ini_file.h"
#include "platform/op_sys_base.h"
#include "staves/part_templates.h"
#include "tests/staves/staff_fixture.h"

namespace {

using Template = cStaffBase::sTemplate;
using TemplateList = cStaffBase::StaffTemplate;

class PartTemplateTest : public test::StaffTest {
protected:
    void TearDown() override {
        gOutputWindow = nullptr;
        test::StaffTest::TearDown();
    }

    // A list of the given names.
    static TemplateList *ListOf(std::initializer_list<const char16_t *> names) {
        auto *list = new TemplateList;
        for (const char16_t *name : names) list->Append(new Template(name));
        return list;
    }
};

// ---- Derived values --------------------------------------------------------

struct sSizeCase {
    const char *what;
    bool outputWindow;
    uint16_t lines;
    int16_t height, heightUnits, width, margin;
    int32_t spacing, widthUnits, marginUnits;
};

const sSizeCase kSizeCases[] = {
    {"default on an output window", true, 5, 250, 25, 7000, 750, 6, 700, 75},
    {"default without an output window", false, 5, 250, 25, 7000, 750, 6, 700, 50},
    // The unprintable quarter inch is more than the margin: the staff
    // starts at the left edge rather than far off to the right.
    {"margin below the unprintable part", false, 5, 250, 25, 7000, 200, 6, 700, 0},
    {"double height halves the units", true, 5, 500, 25, 7000, 750, 6, 350, 38},
    {"three lines", true, 3, 250, 25, 7000, 750, 12, 700, 75},
    // A single-line staff read from a damaged file must not divide by zero.
    {"one line", true, 1, 250, 25, 7000, 750, 24, 700, 75},
};

TEST_F(PartTemplateTest, DerivedSizes) {
    Build();
    // The test window is a screen: nothing unprintable at its left.
    ASSERT_EQ(window->GetOffsetX(), 0);
    for (const sSizeCase &c : kSizeCases) {
        SCOPED_TRACE(c.what);
        gOutputWindow = c.outputWindow ? window.get() : nullptr;
        Template t;
        t.lines = c.lines;
        t.height = c.height;
        t.heightUnits = c.heightUnits;
        t.width = c.width;
        t.margin = c.margin;
        EXPECT_EQ(t.LineSpacing(), c.spacing);
        EXPECT_EQ(t.WidthUnits(), c.widthUnits);
        EXPECT_EQ(t.MarginUnits(), c.marginUnits);
    }

    // The zoom shows a quarter-inch staff 25 units high at its true size.
    gOutputWindow = window.get();
    Template t;
    EXPECT_EQ(t.ApplyZoom(), 0);
    EXPECT_FLOAT_EQ(window->GetZoomX(), float(window->GetDpi()) / 100);
    EXPECT_FLOAT_EQ(window->GetZoomY(), float(window->GetDpi()) / 100);
}

TEST_F(PartTemplateTest, DefaultsNamesAndListText) {
    Template unnamed;
    EXPECT_EQ(unnamed.name, u"Part");
    EXPECT_EQ(unnamed.program, 0);
    EXPECT_EQ(unnamed.visible, 1);
    EXPECT_EQ(unnamed.lines, 5);
    EXPECT_EQ(unnamed.nameOffsetY, -6);
    EXPECT_EQ(unnamed.ledgerWidth, 15);
    EXPECT_TRUE(unnamed.percussionSet.empty());
    EXPECT_EQ(unnamed.ListText(), u"+ Part");
    Template hidden(u"Oboe");
    hidden.visible = 0;
    EXPECT_EQ(hidden.ListText(), u"- Oboe");

    // Without a list the drawing code still gets a spacing.
    EXPECT_EQ(cStaffBase::CurrentTemplate(), nullptr);
    EXPECT_EQ(cStaffBase::CurrentLineSpacing(), 6);
    EXPECT_EQ(cStaffBase::CurrentHalfSpacing(), 3);

    gCurrentTemplateIndex = 4;
    cStaffBase::MakeDefaultTemplates();
    ASSERT_NE(gStaffTemplates, nullptr);
    ASSERT_EQ(gStaffTemplates->Count(), 1);
    EXPECT_EQ(gStaffTemplates->At(0)->name, u"Part 1");
    EXPECT_EQ(gCurrentTemplateIndex, 0);
    EXPECT_EQ(gStaffTemplates->At(1), nullptr);

    // An index beyond the list uses the last template.
    gStaffTemplates->Append(new Template(u"Bass"));
    gStaffTemplates->At(1)->heightUnits = 37;
    gCurrentTemplateIndex = 9;
    EXPECT_EQ(cStaffBase::CurrentTemplate(), gStaffTemplates->At(1));
    EXPECT_EQ(cStaffBase::CurrentLineSpacing(), 9);
    EXPECT_EQ(cStaffBase::CurrentHalfSpacing(), 4);
}

TEST_F(PartTemplateTest, ListCopyAndRemove) {
    std::unique_ptr<TemplateList> list(ListOf({u"A", u"B"}));
    list->At(1)->percussionSet = u"Rock";
    TemplateList copy(list.get());
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_NE(copy.At(1), list->At(1));
    EXPECT_EQ(copy.At(1)->name, u"B");
    EXPECT_EQ(copy.At(1)->percussionSet, u"Rock");

    std::unique_ptr<Template> taken(list->Remove(0));
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->name, u"A");
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Remove(5), nullptr);
    EXPECT_EQ(list->Remove(-1), nullptr);
}

TEST_F(PartTemplateTest, TemplatesAddedUpToAnIndex) {
    Build();
    cStaffBase::MakeDefaultTemplates();
    auto *staff = new StaffObject;

    cStaffBase::AddTemplatesUpTo(staff, 3);
    ASSERT_EQ(gStaffTemplates->Count(), 4);
    EXPECT_EQ(gStaffTemplates->At(0)->name, u"Part 1");
    for (int32_t i = 1; i < 4; ++i) EXPECT_EQ(gStaffTemplates->At(i)->name, u"Part 4") << i;
    EXPECT_EQ(staff->GetTemplateIndex(), 3);
    EXPECT_EQ(staff->TemplateOf(), gStaffTemplates->At(3));

    // An index that exists adds nothing.
    cStaffBase::AddTemplatesUpTo(staff, 1);
    EXPECT_EQ(gStaffTemplates->Count(), 4);
    EXPECT_EQ(staff->GetTemplateIndex(), 1);

    // At most a hundred parts.
    cStaffBase::AddTemplatesUpTo(staff, 150);
    ASSERT_EQ(gStaffTemplates->Count(), 100);
    EXPECT_EQ(gStaffTemplates->At(99)->name, u"Part 100");
    EXPECT_EQ(staff->GetTemplateIndex(), 99);

    // The staff's template setters reach its template only.
    staff->SetTemplateProgram(40);
    staff->SetTemplateChannel(9);
    staff->SetPartName(u"Violin");
    EXPECT_EQ(gStaffTemplates->At(99)->program, 40);
    EXPECT_EQ(gStaffTemplates->At(99)->channel, 9);
    EXPECT_EQ(gStaffTemplates->At(99)->name, u"Violin");
    EXPECT_EQ(gStaffTemplates->At(98)->program, 0);

    // A list cut short under the staff: its template is the last one.
    delete gStaffTemplates->Remove(99);
    EXPECT_EQ(staff->TemplateOf(), gStaffTemplates->At(98));
    staff->ClampTemplateIndex();
    EXPECT_EQ(staff->GetTemplateIndex(), 98);
    delete staff;
}

TEST_F(PartTemplateTest, NegativeIndexAddsNothing) {
    Build();
    cStaffBase::MakeDefaultTemplates();
    auto *staff = new StaffObject;
    cStaffBase::AddTemplatesUpTo(staff, -3);
    EXPECT_EQ(gStaffTemplates->Count(), 1);
    EXPECT_EQ(staff->GetTemplateIndex(), 0);
    delete staff;
}

TEST_F(PartTemplateTest, SmallStateSetters) {
    Build();
    cStaffBase::SetBraceFlag();
    EXPECT_EQ(cStaffBase::GetScoreStaffFlags(), 1u);
    cStaffBase::ClearScoreStaffFlags();
    EXPECT_EQ(gScoreStaffFlags, 0u);
    EXPECT_EQ(cStaffBase::SetNoteGrid(3), 0);
    EXPECT_EQ(cStaffBase::SetNoteGrid(0), 3);
    std::unique_ptr<cPObjPoint> bar(new StaffObject);
    EXPECT_EQ(cStaffBase::SetPendingBar(bar.get()), nullptr);
    EXPECT_EQ(cStaffBase::SetPendingBar(nullptr), bar.get());
}

// ---- Exchange with the staff set-up dialog ---------------------------------------

class TemplateSetupTest : public PartTemplateTest {
protected:
    void SetUp() override {
        PartTemplateTest::SetUp();
        // The sets of this test are the only ones in the settings.
        cIniFile &settings = gOpSys->Settings();
        ASSERT_EQ(settings.FindSection(u"Percussion", nullptr), nullptr);
        for (const char16_t *name : kSetNames) settings.GetSection(u"Percussion", name);
        list.reset(ListOf({u"Flute", u"Drums", u"Bass"}));
        setup.list = list.get();
    }
    void TearDown() override {
        for (const char16_t *name : kSetNames) gOpSys->Settings().RemoveSection(u"Percussion", name);
        PartTemplateTest::TearDown();
    }

    static constexpr const char16_t *kSetNames[] = {u"Jazz", u"Rock"};

    std::unique_ptr<TemplateList> list;
    cStaffBase::sTemplateSetup setup;
};

TEST_F(TemplateSetupTest, FillShowsTheTemplate) {
    Template &t = *list->At(0);
    t.program = 73;
    t.transposition = -2;
    t.visible = 0;
    list->At(2)->visible = 0;
    Template::FillSetup(setup, t);
    EXPECT_EQ(setup.name, u"Flute");
    EXPECT_EQ(setup.program, 73);
    EXPECT_EQ(setup.family, 9);
    EXPECT_EQ(setup.channel, 0);
    EXPECT_EQ(setup.transposition, -2);
    EXPECT_EQ(setup.widthText, u"7.000");
    EXPECT_EQ(setup.heightText, u"0.250");
    EXPECT_EQ(setup.marginText, u"0.750");
    // Visibility counts only in a score with a brace.
    EXPECT_EQ(setup.visible, 1);
    EXPECT_EQ(setup.listTexts, (std::vector<std::u16string>{u"- Flute", u"+ Drums", u"- Bass"}));

    gScoreStaffFlags = 1;
    Template::FillSetup(setup, t);
    EXPECT_EQ(setup.visible, 0);
}

TEST_F(TemplateSetupTest, PercussionChannelShowsAsItsOwnEntry) {
    Template &drums = *list->At(1);
    drums.channel = 9;
    drums.percussionSet = u"Rock";
    Template::FillSetup(setup, drums);
    EXPECT_EQ(setup.channel, 16);
    ASSERT_EQ(setup.setNames.Size(), 2);
    EXPECT_EQ(setup.setNames.At(0), u"Jazz");
    EXPECT_EQ(setup.setNames.At(1), u"Rock");
    EXPECT_EQ(setup.family, 1);

    // A set the settings no longer hold shows the first.
    drums.percussionSet = u"Gone";
    Template::FillSetup(setup, drums);
    EXPECT_EQ(setup.family, 0);

    // Choosing the entry and a set stores channel 9 with the set's name.
    Template &bass = *list->At(2);
    Template::FillSetup(setup, bass);
    setup.channel = 16;
    setup.family = 1;
    EXPECT_EQ(Template::ReadSetup(bass, setup), 3);
    EXPECT_EQ(bass.channel, 9);
    EXPECT_EQ(bass.percussionSet, u"Rock");

    // Channel entry 10 is the percussion channel too.
    Template::FillSetup(setup, *list->At(0));
    setup.channel = 9;
    setup.family = 0;
    Template::ReadSetup(*list->At(0), setup);
    EXPECT_EQ(list->At(0)->channel, 9);
    EXPECT_EQ(list->At(0)->percussionSet, u"Jazz");
}

struct sSizeTextCase {
    const char16_t *width, *height, *margin;
    int16_t expectWidth, expectHeight, expectMargin;
};

const sSizeTextCase kSizeTextCases[] = {
    {u"9", u"", u"", 7000, 250, 750},               // too wide: kept
    {u"2.5", u"", u"", 2500, 250, 750},             // taken
    {u"2", u"0.1", u"0.2", 2000, 100, 200},         // lower bounds included
    {u"8", u"3", u"6", 8000, 3000, 6000},           // upper bounds included
    {u"1.999", u"0.09", u"6.01", 7000, 250, 750},   // just outside: kept
    {u"7.5", u"0.3", u"1.25", 7500, 300, 1250},     // every part takes them
    {u"wide", u"-1", u" ", 7000, 250, 750},         // not numbers: kept
    {u"3.0004", u"0.2996", u"", 3000, 300, 750},    // thousandths rounded
};

TEST_F(TemplateSetupTest, SizeTextsWithinTheirRanges) {
    for (const sSizeTextCase &c : kSizeTextCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kSizeTextCases));
        list.reset(ListOf({u"Flute", u"Drums", u"Bass"}));
        setup.list = list.get();
        Template::FillSetup(setup, *list->At(1));
        setup.widthText = c.width;
        setup.heightText = c.height;
        setup.marginText = c.margin;
        ASSERT_EQ(Template::ReadSetup(*list->At(1), setup), 3);
        for (int32_t i = 0; i < 3; ++i) {
            EXPECT_EQ(list->At(i)->width, c.expectWidth) << i;
            EXPECT_EQ(list->At(i)->height, c.expectHeight) << i;
            EXPECT_EQ(list->At(i)->margin, c.expectMargin) << i;
        }
    }
}

TEST_F(TemplateSetupTest, ReadTakesTheOtherValues) {
    Template added;
    Template::FillSetup(setup, added);
    setup.name = u"Cello";
    setup.program = 42;
    setup.channel = 3;
    setup.transposition = 12;
    setup.visible = 0;
    setup.heightText = u"0.5";
    EXPECT_EQ(Template::ReadSetup(added, setup), 3);
    EXPECT_EQ(added.name, u"Cello");
    EXPECT_EQ(added.program, 42);
    EXPECT_EQ(added.channel, 3);
    EXPECT_EQ(added.transposition, 12);
    EXPECT_TRUE(added.percussionSet.empty());
    // Without a brace every part stays shown.
    EXPECT_EQ(added.visible, 1);
    // A template not yet in the list takes the shared size too.
    EXPECT_EQ(added.height, 500);
    EXPECT_EQ(list->At(0)->height, 500);

    // An empty name keeps the name; in a braced score the visibility counts.
    gScoreStaffFlags = 1;
    setup.name.clear();
    Template::ReadSetup(added, setup);
    EXPECT_EQ(added.name, u"Cello");
    EXPECT_EQ(added.visible, 0);
}

// ---- Text line and binary record -----------------------------------------------

TEST_F(PartTemplateTest, TextLineOfTheDefaultTemplate) {
    std::ostringstream line;
    Template::WriteText(Template(), line);
    EXPECT_EQ(line.str(), "\\u\"Part\", 0, 1, 0, 5, 0, 0, -6, 0, 250, 25, 7000, 750, 15, 0, \\u\"\"");

    Template t(u"Caf\u00e9 \"1\"");
    t.channel = 9;
    t.transposition = -12;
    t.percussionSet = u"Rock";
    std::ostringstream other;
    Template::WriteText(t, other);
    EXPECT_EQ(other.str(),
              "\\u\"Caf\xe9 \\0022" "1\\0022\", 0, 1, 9, 5, 0, 0, -6, 0, 250, 25, 7000, 750, 15, -12, \\u\"Rock\"");
}

TEST_F(PartTemplateTest, BinaryRecordRoundTrip) {
    Template t(u"Horn in F");
    t.program = 60;
    t.visible = 0;
    t.channel = 9;
    t.lines = 1;
    t.reserved1 = -7;
    t.nameOffsetX = -20;
    t.nameOffsetY = 12;
    t.reserved2 = 0x12345678;
    t.height = 300;
    t.heightUnits = 30;
    t.width = 7500;
    t.margin = 500;
    t.ledgerWidth = 18;
    t.transposition = -7;
    t.percussionSet = u"Jazz";

    cMemoryBinaryFile out(u"t", std::string(), cBinaryFileBase::kWrite);
    ASSERT_GE(Template::SaveBinary(t, &out), 0);
    const std::string bytes = out.Bytes();
    // 32 fixed bytes, then two strings of 2 + 2 per character.
    ASSERT_EQ(bytes.size(), 32u + 2 + 18 + 2 + 8);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x3c\x00\x00\x00", 4));

    cMemoryBinaryFile in(u"t", bytes);
    Template back;
    ASSERT_GE(Template::LoadBinary(back, &in), 0);
    EXPECT_EQ(in.GetPosition(), bytes.size());
    std::ostringstream a, b;
    Template::WriteText(t, a);
    Template::WriteText(back, b);
    EXPECT_EQ(b.str(), a.str());

    // Cut anywhere, the record is refused and the template stays as it was.
    for (size_t cut : {size_t(0), size_t(10), size_t(31), size_t(33), size_t(40), bytes.size() - 1}) {
        SCOPED_TRACE(cut);
        cMemoryBinaryFile shortFile(u"t", bytes.substr(0, cut));
        Template kept(u"Kept");
        EXPECT_LT(Template::LoadBinary(kept, &shortFile), 0);
        EXPECT_EQ(kept.name, u"Kept");
        EXPECT_EQ(kept.program, 0);
        EXPECT_EQ(shortFile.GetPosition(), 0u);
    }
}

// ---- Staff set-up records ------------------------------------------------------------

TEST_F(PartTemplateTest, SetupRecordsOwnTheirTemplates) {
    cStaffBase::sCmdStaffSetStat stat;
    EXPECT_EQ(stat.GetSize(), 28);
    EXPECT_EQ(stat.familyId, 30);
    EXPECT_EQ(stat.commandId, 30);
    EXPECT_EQ(stat.templateIndex, 0);
    EXPECT_EQ(stat.repeat, 0);
    EXPECT_EQ(stat.barNumbers, 0);
    EXPECT_EQ(stat.templates, nullptr);

    auto *prop = new cStaffBase::sCmdStaffSetProp;
    EXPECT_EQ(prop->GetSize(), 28);
    EXPECT_EQ(prop->familyId, 30);
    EXPECT_EQ(prop->commandId, 31);
    prop->templateIndex = 1;
    prop->repeat = 1;
    prop->templates = ListOf({u"A", u"B"});

    std::unique_ptr<sCommandPrm> clone(prop->Clone());
    auto *copy = dynamic_cast<cStaffBase::sCmdStaffSetProp *>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->commandId, 31);
    EXPECT_EQ(copy->templateIndex, 1);
    EXPECT_EQ(copy->repeat, 1);
    ASSERT_NE(copy->templates, nullptr);
    ASSERT_NE(copy->templates, prop->templates);
    ASSERT_EQ(copy->templates->Count(), 2);
    EXPECT_NE(copy->templates->At(1), prop->templates->At(1));
    prop->templates->At(1)->name = u"Changed";
    EXPECT_EQ(copy->templates->At(1)->name, u"B");
    // The original goes first: the copy must not share anything with it.
    delete prop;
    EXPECT_EQ(copy->templates->At(0)->name, u"A");
}

TEST_F(PartTemplateTest, ObjectSetupOfAStaff) {
    Build();
    cStaffBase::MakeDefaultTemplates();
    cStaffBase::AddTemplatesUpTo(nullptr, 2);
    auto *staff = new StaffObject;
    staff->SetTemplateIndex(7);  // beyond the list: the last part
    gBarNumberMode = 2;

    std::unique_ptr<sCommandPrm> record(staff->GetObjectSetup(nullptr));
    auto *setup = dynamic_cast<cStaffBase::sCmdStaffSetProp *>(record.get());
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->templateIndex, 2);
    EXPECT_EQ(setup->barNumbers, 1);
    ASSERT_NE(setup->templates, nullptr);
    EXPECT_NE(setup->templates, gStaffTemplates);
    EXPECT_EQ(setup->templates->Count(), 3);

    // Another family is refused and changes nothing.
    cMusicBase::sCmdStfTmpl other(1);
    const cStaffBase::StaffTemplate *before = gStaffTemplates;
    EXPECT_EQ(staff->SetObjectSetup(&other), static_cast<tStatus>(0x80000000u));
    EXPECT_EQ(staff->SetObjectSetup(nullptr), static_cast<tStatus>(0x80000000u));
    EXPECT_EQ(gStaffTemplates, before);
    EXPECT_EQ(gBarNumberMode, 2);
    EXPECT_EQ(staff->GetTemplateIndex(), 2);

    // Applying replaces the score's list by a copy and selects the part.
    setup->templates->Append(new Template(u"Tuba"));
    setup->templateIndex = 3;
    setup->barNumbers = 0;
    EXPECT_EQ(staff->SetObjectSetup(setup), 0);
    ASSERT_NE(gStaffTemplates, setup->templates);
    ASSERT_EQ(gStaffTemplates->Count(), 4);
    EXPECT_EQ(gStaffTemplates->At(3)->name, u"Tuba");
    EXPECT_NE(gStaffTemplates->At(3), setup->templates->At(3));
    EXPECT_EQ(staff->GetTemplateIndex(), 3);
    EXPECT_EQ(gBarNumberMode, 0);

    // A record of another kind given to fill is not taken.
    EXPECT_EQ(staff->GetObjectSetup(&other), nullptr);
    delete staff;
}

}  // namespace
