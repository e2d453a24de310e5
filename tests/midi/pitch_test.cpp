#include <gtest/gtest.h>

#include <string>

#include "midi/pitch.h"

namespace {

struct PitchCase {
    int16_t value;
    int32_t letter, octave, alteration, semitone;
};

TEST(Pitch, Decomposition) {
    const PitchCase cases[] = {
        {0, 0, 0, 0, 0},        // middle C
        {5, 1, 0, 0, 2},        // D
        {1, 0, 0, 1, 1},        // C sharp
        {-5, 6, -1, 0, -1},     // B below middle C
        {-6, 6, -1, -1, -2},    // B flat below
        {35, 0, 1, 0, 12},      // the C an octave up
        {-35, 0, -1, 0, -12},   // the C an octave down
        {-3, 6, -1, 2, 1},      // B double sharp below middle C
        {-1, 0, 0, -1, -1},     // C flat
        {-2, 0, 0, -2, -2},     // C double flat
        {3, 1, 0, -2, 0},       // D double flat
        {28, 6, 0, -2, 9},      // B double flat
        {33, 0, 1, -2, 10},     // C double flat an octave up
        {-36, 0, -1, -1, -13},  // C flat an octave down
        {-40, 6, -2, 0, -13},   // the B below the C an octave down
        {20, 4, 0, 0, 7},       // G
        {64, 6, 1, -1, 22},     // B flat in the octave above
    };
    for (const PitchCase &c : cases) {
        sPitch p(c.value);
        SCOPED_TRACE(c.value);
        EXPECT_EQ(p.GetLetter(), c.letter);
        EXPECT_EQ(p.GetOctave(), c.octave);
        EXPECT_EQ(p.GetAlteration(), c.alteration);
        EXPECT_EQ(p.GetSemitone(), c.semitone);
        EXPECT_EQ(PitchToSemitone(c.value), c.semitone);
        EXPECT_EQ(p.RoundToStep() % 5, 0);
        EXPECT_EQ(p.value - p.RoundToStep(), c.alteration);
    }
}

TEST(Pitch, NoPitchPassesThrough) {
    sPitch none(kNoPitch);
    EXPECT_EQ(PitchToSemitone(kNoPitch), kNoPitch);
    EXPECT_EQ(SemitoneToPitch(kNoPitch, 3), kNoPitch);
    EXPECT_EQ(none.GetSemitone(), kNoPitch);
    EXPECT_EQ(none.GetAlteration(), kNoPitch);
}

TEST(Pitch, SetSteps) {
    sPitch p;
    EXPECT_EQ(p.value, 0);
    EXPECT_EQ(p.SetSteps(-7), -35);
    EXPECT_EQ(p.value, -35);
}

struct SemitoneCase {
    int32_t semitones, key, pitch;
};

TEST(Pitch, SemitoneToPitchSpelling) {
    const SemitoneCase cases[] = {
        {0, 0, 0},     {1, 0, 1},     {3, 0, 9},      {1, -1, 4},    {-2, 0, -6},
        {-3, 2, -10},  {-4, 2, -14},  {-4, -1, -11},  {10, 0, 29},   {10, 3, 26},
        {6, 0, 16},    {6, -2, 19},   {-1, 0, -5},    {-12, 0, -35}, {-13, -3, -40},
        {-11, -1, -31}, {-11, 0, -34}, {12, 0, 35},    {13, 0, 36},   {-24, 0, -70},
    };
    for (const SemitoneCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.semitones << " in key " << c.key);
        EXPECT_EQ(SemitoneToPitch(c.semitones, c.key), c.pitch);
    }
}

TEST(Pitch, SemitoneRoundTripOverFourOctaves) {
    for (int32_t key : {-7, -1, 0, 1, 7}) {
        for (int32_t s = -30; s <= 30; ++s) {
            int32_t p = SemitoneToPitch(s, key);
            EXPECT_EQ(PitchToSemitone(p), s) << "key " << key;
            int32_t alteration = sPitch(static_cast<int16_t>(p)).GetAlteration();
            EXPECT_LE(alteration, 1);
            EXPECT_GE(alteration, -1);
        }
    }
}

TEST(KeyAccidentals, SetGetClear) {
    sKeyAccidentals acc;
    for (int i = 0; i < 7; ++i) EXPECT_EQ(acc.entries[i], sKeyAccidentals::kUnset);
    EXPECT_EQ(acc.Get(9), sKeyAccidentals::kUnset);
    EXPECT_EQ(acc.Set(9), 9);  // E flat
    EXPECT_EQ(acc.Get(10), -1);  // any E now reads the flat
    EXPECT_EQ(acc.Get(-25), -1);
    EXPECT_EQ(acc.Set(kNoPitch), sKeyAccidentals::kUnset);
    EXPECT_EQ(acc.Get(kNoPitch), sKeyAccidentals::kUnset);
    sKeyAccidentals copy;
    copy.Copy(acc);
    EXPECT_EQ(copy.Get(10), -1);
    acc.Clear();
    EXPECT_EQ(acc.Get(10), sKeyAccidentals::kUnset);
}

TEST(KeySignature, ConstructAndSet) {
    EXPECT_EQ(sKeySignature(7).key, 7);
    EXPECT_EQ(sKeySignature(8).key, 0);
    EXPECT_EQ(sKeySignature(-8).key, 0);
    sKeySignature k(3);
    EXPECT_EQ(k.Set(9), 3);
    EXPECT_EQ(k.Set(-7), -7);
}

TEST(KeySignature, NamesOfAllKeys) {
    const char16_t *upper[15] = {u"Cb", u"Gb", u"Db", u"Ab", u"Eb", u"Bb", u"F", u"C",
                                 u"G",  u"D",  u"A",  u"E",  u"B",  u"F#", u"C#"};
    for (int k = -7; k <= 7; ++k) {
        EXPECT_EQ(std::u16string(sKeySignature(k).GetKeyName(true)), upper[k + 7]);
    }
    EXPECT_EQ(std::u16string(sKeySignature(6).GetKeyName(false)), u"f#");
    EXPECT_EQ(std::u16string(sKeySignature(-7).GetKeyName(true)), u"Cb");
}

TEST(KeySignature, ParseNames) {
    struct Case {
        const char16_t *text;
        int32_t key, index;
    } cases[] = {
        {u"  eb", -3, 4}, {u"B#", 0, 2},  {u"Fb", 4, 2},  {u"xC", sKeySignature::kNone, 0},
        {u"C", 0, 1},     {u"Cb", -7, 2}, {u"C#", 7, 2},  {u"F#", 6, 2},
        {u"g", 1, 1},     {u"Ab", -4, 2}, {u"D#", -3, 2}, {u"  ", sKeySignature::kNone, 2},
    };
    for (const Case &c : cases) {
        sKeySignature k;
        SCOPED_TRACE(std::string(c.text, c.text + std::u16string(c.text).size()));
        EXPECT_EQ(k.Parse(c.text), c.index);
        EXPECT_EQ(k.key, c.key);
    }
}

TEST(KeySignature, NameParsesBack) {
    for (int k = -7; k <= 7; ++k) {
        sKeySignature parsed;
        parsed.Parse(sKeySignature(k).GetKeyName(k % 2 == 0));
        EXPECT_EQ(parsed.key, k);
    }
}

TEST(KeySignature, Transpose) {
    struct Case {
        int32_t key, by, result;
    } cases[] = {{0, 1, -5}, {5, 2, 7}, {6, 2, -4}, {0, -1, 5}, {0, 12, 0}, {-3, -14, -5}, {2, 7, 3}};
    for (const Case &c : cases) {
        sKeySignature k(c.key);
        EXPECT_EQ(k.Transpose(c.by), c.result) << c.key << " by " << c.by;
        EXPECT_EQ(k.key, c.result);
    }
}

}  // namespace
