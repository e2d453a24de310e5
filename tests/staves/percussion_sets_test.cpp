// Percussion sets: the head kinds of the note-head classes, compiling a set
// of the settings into its table, the lookup by exact name, finding a set's
// sections, and the sets written into and read back from a score file.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/memory_binary_file.h"
#include "midi/gm_names.h"
#include "staves/percussion_sets.h"
#include "tests/staves/percussion_fixture.h"

namespace {

class PercussionSetsTest : public test::PercussionTest {
protected:
    // The bytes SaveSets writes for the names.
    static std::string Saved(const cStringArray &names) {
        cMemoryBinaryFile file(u"sets", std::string(), cBinaryFileBase::kWrite);
        EXPECT_EQ(cPercussionSetup::SaveSets(names, &file), RC_OK);
        return file.Bytes();
    }
    static tStatus Load(const std::string &bytes) {
        cMemoryBinaryFile file(u"sets", bytes);
        return cPercussionSetup::LoadSets(&file);
    }
    // A sets block written by hand: the count, then the text in UTF-16LE.
    static std::string Block(uint16_t count, const std::u16string &text) {
        std::string bytes{char(count & 0xFF), char(count >> 8)};
        for (char16_t c : text) {
            bytes += char(c & 0xFF);
            bytes += char(c >> 8);
        }
        return bytes;
    }
};

TEST_F(PercussionSetsTest, EveryHeadClassHasItsKind) {
    struct sCase {
        int16_t first, last;
        int32_t kind;
    };
    const sCase cases[] = {
        {48, 49, kHeadKindCross},   {50, 53, kHeadKindTriangle}, {54, 57, kHeadKindDiamond},
        {58, 59, kHeadKindCircleX}, {43, 47, kHeadKindOval},     {60, 60, kHeadKindOval},
        {0, 0, kHeadKindOval},      {-1, -1, kHeadKindOval},
    };
    for (const sCase &c : cases)
        for (int16_t id = c.first; id <= c.last; ++id) EXPECT_EQ(NoteHeadKindOf(id), c.kind) << id;
}

TEST_F(PercussionSetsTest, TheInstrumentLinesAreTheNoNameLineAndThePercussionNames) {
    const char16_t *const *lines = cPercussionSetup::InstrumentLines();
    int32_t n = 0;
    while (lines[n]) ++n;
    ASSERT_EQ(n, 48);
    EXPECT_EQ(std::u16string(lines[0]), u"  --  ");
    EXPECT_EQ(std::u16string(lines[1]), u"AcousticBassDrum");
    EXPECT_EQ(std::u16string(lines[16]), u"HighTom");  // key 50
    EXPECT_EQ(std::u16string(lines[47]), u"OpenTriangle");
}

TEST_F(PercussionSetsTest, ACompiledSetMapsEachHeadKindByItsOwnRow) {
    Store(u"Rock", kHeadKindCross, 0, u"HighTom");        // key 50
    Store(u"Rock", kHeadKindDiamond, 3, u"cowbell");      // key 56, any case
    Store(u"Rock", kHeadKindOval, -25, u"OpenTriangle");  // key 81
    Store(u"Rock", kHeadKindOval, 21, u"AcousticBassDrum");
    Store(u"Rock", kHeadKindOval, 1, u"  --  ");          // ignored
    Store(u"Rock", kHeadKindOval, 2, u"Kazoo");           // ignored
    Store(u"Rock", kHeadKindTriangle, 22, u"Claves");     // beyond the table
    cPercussionSetup::AddLookup(u"Rock");
    struct sCase {
        int32_t position;
        int16_t head;
        int32_t answer;
    };
    const sCase cases[] = {
        {0, 48, -10}, {0, 49, -10}, {0, 43, 0},  {0, 56, 0},  // only the Cross row has position 0
        {3, 55, -4},  {3, 54, -4},  {3, 43, 3},  {3, 48, 3},  // class 55 looks in the Diamond row
        {-25, 43, 21}, {21, 43, -25}, {1, 43, 1}, {2, 43, 2}, // unknown names keep the position
        {22, 50, 22}, {-26, 43, -26}, {100, 48, 100}, {-5, 58, -5},
    };
    for (const sCase &c : cases)
        EXPECT_EQ(cPercussionSetup::MapPosition(c.position, c.head, u"Rock"), c.answer)
            << c.position << " head " << c.head;
    // The name must match exactly; an unknown or missing name passes through.
    EXPECT_EQ(cPercussionSetup::MapPosition(0, 48, u"rock"), 0);
    EXPECT_EQ(cPercussionSetup::MapPosition(0, 48, u"Rock "), 0);
    EXPECT_EQ(cPercussionSetup::MapPosition(0, 48, u"Jazz"), 0);
    EXPECT_EQ(cPercussionSetup::MapPosition(0, 48, nullptr), 0);
    // A set compiled before its entries existed stays a pass-through table;
    // the first set of the name wins.
    gPercussionSets.DeleteAll();
    cPercussionSetup::AddLookup(u"Empty");
    cPercussionSetup::AddLookup(u"Rock");
    Store(u"Empty", kHeadKindCross, 0, u"HighTom");
    EXPECT_EQ(cPercussionSetup::MapPosition(0, 48, u"Empty"), 0);
    cPercussionSetup::AddLookup(u"Empty");
    EXPECT_EQ(cPercussionSetup::MapPosition(0, 48, u"Empty"), 0);
    EXPECT_EQ(cPercussionSetup::MapPosition(0, 48, u"Rock"), -10);
    EXPECT_EQ(gPercussionSets.size(), 3u);
}

TEST_F(PercussionSetsTest, EveryInstrumentNameCompilesToItsKey) {
    for (int32_t key = kGmPercussionLowKey; key <= kGmPercussionHighKey; ++key)
        Store(u"All", kHeadKindCircleX, 56 - key, kGmNames[kGmPercussionFirst + key - kGmPercussionLowKey]);
    cPercussionSetup::cMidiLookup all(u"All");
    EXPECT_EQ(all.name, u"All");
    for (int32_t key = kGmPercussionLowKey; key <= kGmPercussionHighKey; ++key) {
        const int32_t at = 56 - key;  // every position of the table, each key once
        EXPECT_EQ(all.Map(at, 58), key - 60) << key;
        EXPECT_EQ(all.Map(at, 43), at) << key;
    }
}

TEST_F(PercussionSetsTest, SetSectionsAreFoundIgnoringCaseAndMadeOnlyWhenAsked) {
    EXPECT_EQ(cPercussionSetup::FindSetNode(u"Rock", kHeadKindCross, 0), nullptr);
    EXPECT_EQ(SetsText(), u"");
    cIniFile *cross = cPercussionSetup::FindSetNode(u"Rock", kHeadKindCross, 1);
    ASSERT_NE(cross, nullptr);
    EXPECT_EQ(cross->GetTag(), u"NoteHead");
    EXPECT_EQ(cross->GetName(), u"Cross");
    EXPECT_EQ(cross->GetParent()->GetTag(), u"Percussion");
    EXPECT_EQ(cross->GetParent()->GetName(), u"Rock");
    EXPECT_EQ(cPercussionSetup::FindSetNode(u"ROCK", kHeadKindCross, 0), cross);
    EXPECT_EQ(cPercussionSetup::FindSetNode(u"rock", kHeadKindCross, 1), cross);
    EXPECT_EQ(cPercussionSetup::FindSetNode(u"Rock", kHeadKindOval, 0), nullptr);
    cIniFile *oval = cPercussionSetup::FindSetNode(u"Rock", kHeadKindOval, 1);
    ASSERT_NE(oval, nullptr);
    EXPECT_EQ(oval->GetName(), u"Oval");
    EXPECT_EQ(oval->GetParent(), cross->GetParent());
    // No kind outside 101..105, and no set without a name.
    EXPECT_EQ(cPercussionSetup::FindSetNode(u"Rock", 100, 1), nullptr);
    EXPECT_EQ(cPercussionSetup::FindSetNode(u"Rock", 106, 1), nullptr);
    EXPECT_EQ(cPercussionSetup::FindSetNode(u"", kHeadKindOval, 1), nullptr);
    EXPECT_EQ(cPercussionSetup::FindSetNode(nullptr, kHeadKindOval, 1), nullptr);
    cStringArray names;
    Settings().GetStringList(u"Percussion", names);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], u"Rock");
}

TEST_F(PercussionSetsTest, SetsGoIntoAScoreFileAndComeBack) {
    Store(u"Rock", kHeadKindCross, 0, u"HighTom");
    Store(u"Rock", kHeadKindOval, -3, u"Cowbell");
    Store(u"Jazz", kHeadKindCircleX, 5, u"RideBell");
    cStringArray names;
    for (const char16_t *name : {u"Jazz", u"Missing", u"Rock", u"ROCK"}) names.emplace_back(name);
    const std::string bytes = Saved(names);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(uint8_t(bytes[0]) | uint8_t(bytes[1]) << 8, 2);  // the missing set skipped, Rock once
    ClearSets();
    {
        cMemoryBinaryFile file(u"sets", bytes + "tail");
        EXPECT_EQ(cPercussionSetup::LoadSets(&file), RC_OK);
        // The block ends where its last set ends: the score goes on after it.
        EXPECT_EQ(file.BytesLeft(), 4u);
    }
    cStringArray loaded;
    Settings().GetStringList(u"Percussion", loaded);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0], u"Jazz");
    EXPECT_EQ(loaded[1], u"Rock");
    EXPECT_EQ(Stored(u"Rock", kHeadKindCross, 0), u"HighTom");
    EXPECT_EQ(Stored(u"Rock", kHeadKindOval, -3), u"Cowbell");
    EXPECT_EQ(Stored(u"Jazz", kHeadKindCircleX, 5), u"RideBell");
    // No set at all: a count of 0, which reads back as nothing.
    ClearSets();
    EXPECT_EQ(Saved(names), std::string(2, '\0'));
    EXPECT_EQ(Load(std::string(2, '\0')), RC_OK);
    EXPECT_EQ(SetsText(), u"");
}

TEST_F(PercussionSetsTest, ASetReadFromAScoreMergesIntoTheSetOfTheSameName) {
    Store(u"Rock", kHeadKindCross, 0, u"HighTom");
    Store(u"Rock", kHeadKindCross, 2, u"Claves");
    cStringArray names;
    names.Add(u"Rock");
    const std::string bytes = Saved(names);
    ClearSets();
    Store(u"rock", kHeadKindCross, 0, u"LowTom");
    Store(u"rock", kHeadKindOval, 1, u"Cowbell");
    Store(u"Jazz", kHeadKindOval, 1, u"RideBell");
    ASSERT_EQ(Load(bytes), RC_OK);
    cStringArray loaded;
    Settings().GetStringList(u"Percussion", loaded);
    ASSERT_EQ(loaded.size(), 2u);  // merged, not added
    EXPECT_EQ(Stored(u"Rock", kHeadKindCross, 0), u"HighTom");
    EXPECT_EQ(Stored(u"Rock", kHeadKindCross, 2), u"Claves");
    EXPECT_EQ(Stored(u"Rock", kHeadKindOval, 1), u"Cowbell");
    EXPECT_EQ(Stored(u"Jazz", kHeadKindOval, 1), u"RideBell");
}

TEST_F(PercussionSetsTest, ADamagedSetsBlockIsRefusedWhole) {
    const std::u16string rock = u"<Percussion name=Rock>\n<NoteHead name=Cross>\nInstrument[0]=HighTom\n"
                                u"</NoteHead>\n</Percussion>\n";
    const std::u16string jazz = u"<Percussion name=Jazz>\nx=1\n</Percussion>\n";
    ASSERT_EQ(Load(Block(2, rock + jazz)), RC_OK);
    EXPECT_EQ(Stored(u"Rock", kHeadKindCross, 0), u"HighTom");
    ClearSets();
    Store(u"Kept", kHeadKindOval, 0, u"Claves");
    const std::u16string kept = SetsText();
    const std::string whole = Block(2, rock + jazz);
    struct sCase {
        const char *name;
        std::string bytes;
    };
    const sCase cases[] = {
        {"empty", ""},
        {"half a count", std::string(1, '\x01')},
        {"a count and nothing", Block(1, u"")},
        {"more sets counted than there are", Block(3, rock + jazz)},
        {"a huge count", Block(0xFFFF, rock)},
        {"cut inside the last set", whole.substr(0, whole.size() - 10)},
        {"cut inside the closing line", whole.substr(0, whole.size() - 9)},
        {"no closing line", Block(1, u"<Percussion name=Rock>\nInstrument[0]=HighTom\n")},
        {"not a set", Block(1, u"<Language name=German>\nx=1\n</Language>\n")},
        {"a set without a name", Block(1, u"<Percussion name=>\nx=1\n</Percussion>\n")},
        {"keys before the section", Block(1, u"Instrument[0]=HighTom\n" + rock)},
        {"8-bit text", std::string("\x01\x00", 2) + "<Percussion name=Rock>\n</Percussion>\n"},
        {"garbage", std::string("\x02\x00\xFF\xFE\x00\xD8\x3C\x00\x0A\x00\x00\x00", 12)},
    };
    for (const sCase &c : cases) {
        EXPECT_EQ(Load(c.bytes), RC_FAIL) << c.name;
        EXPECT_EQ(SetsText(), kept) << c.name;
    }
}

// A set from a score brings only what a set holds into the settings: the
// head kinds' sections and their position keys.  A key the settings writer
// would turn into a tag line (it starts with "<", its value ends with ">")
// must not reach the settings, or the next save of the score writes a block
// that no longer reads.
TEST_F(PercussionSetsTest, ASetFromAScoreBringsOnlyHeadKindsAndPositions) {
    const std::u16string text = u"<Percussion name=Rock>\n"
                                u"<NoteHead name=Cross>\nInstrument[0]=HighTom\nInstrument[x]=Claves\n"
                                u"<Nont[-3]\r=Percussion name=Jazz>\nVolume=7\n</NoteHead>\n"
                                u"<NoteHead name=Square>\nInstrument[1]=Cowbell\n</NoteHead>\n"
                                u"<Other name=Cross>\nInstrument[2]=Cowbell\n</Other>\n"
                                u"Instrument[3]=LowTom\n</Percussion>\n";
    ASSERT_EQ(Load(Block(1, text)), RC_OK);
    EXPECT_EQ(SetsText(), u"<Percussion name=Rock>\n<NoteHead name=Cross>\nInstrument[0] = HighTom\n"
                          u"</NoteHead>\n</Percussion>\n");
    // What merged is written and read back as it is.
    cStringArray names;
    names.Add(u"Rock");
    const std::string again = Saved(names);
    const std::u16string merged = SetsText();
    ClearSets();
    ASSERT_EQ(Load(again), RC_OK);
    EXPECT_EQ(SetsText(), merged);
}

TEST_F(PercussionSetsTest, SectionsFromAScoreNestNoDeeperThanASettingsFile) {
    std::u16string text = u"<Percussion name=Deep>\n";
    for (int i = 0; i < 200; ++i) text += u"<NoteHead name=Oval>\n";
    text += u"Instrument[0]=HighTom\n";
    for (int i = 0; i < 200; ++i) text += u"</NoteHead>\n";
    text += u"</Percussion>\n";
    Load(Block(1, text));
    int32_t depth = 0;
    for (const cIniFile *at = Settings().FindFirstSection(u"Percussion", u"Deep"); at && !at->Children().empty();
         at = at->Children().front())
        ++depth;
    EXPECT_LE(depth, cIniFile::kMaxDepth);
}

}  // namespace
