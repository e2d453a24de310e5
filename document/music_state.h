// The running musical context.  A score stores no times or pitches: every
// walk over it (play and export, time layout, beaming, transposition, note
// entry, MIDI import) works them out again, carrying one global record from
// symbol to symbol: the current time step, the measure, clef, key, time
// signature and the accidentals written so far in the measure.  A walk that
// must survive a nested walk copies the record whole and assigns it back.
#pragma once

#include <cstdint>

#include "midi/pitch.h"

constexpr int32_t kTicksPerQuarter = 480;
constexpr int32_t kTicksPerWhole = 1920;

// A time-signature word: numerator << 8 | log2 of the denominator.
constexpr uint16_t kDefaultTimeWord = 0x402;  // 4/4
// The shortest denominator a time signature may name: 2^6, a 64th.
constexpr int32_t kMaxTimeWordLog2 = 6;

// Whether a time word can set a measure: words come from score and MIDI
// files, and a numerator of 0 (measures of no length, which the bar walks
// divide by) or a denominator beyond a 64th (a shift past the tick
// resolution, undefined from 32 on) would break every walk after it.
bool IsUsableTimeWord(uint16_t word);
// The measure length of a word in ticks: (1920 >> log2 denominator) x
// numerator; 0 for a word that is not usable.
int32_t MeasureLengthOf(uint16_t word);

struct sMusicState {
    int32_t lastX = 0;          // x of the current time step
    int32_t currentTime = 0;    // start of the current time step
    int32_t measureStart = 0;   // start of the current measure
    // Agrees with the default word, so that a walk that meets no time
    // signature still has measures to count.
    int32_t measureLength = kTicksPerWhole;
    int32_t markTime = 0;       // the time mark repeats and alignment shift
    int16_t clef = 0;           // class id of the running clef; 0 none yet
    int16_t key = 0;            // class id of the running key; 0 none yet
    uint16_t timeWord = kDefaultTimeWord;
    // Per letter, not per octave: an accidental on one F alters every F of
    // the measure.
    sKeyAccidentals accidentals;

    // Copies take every field, the accidentals too.
    sMusicState() = default;
    sMusicState(const sMusicState &other) = default;
    sMusicState &operator=(const sMusicState &other) = default;

    // Each setter answers the previous value.
    int32_t SetLastX(int32_t value);
    int32_t SetCurrentTime(int32_t value);
    int32_t SetMeasureStart(int32_t value);
    int32_t SetMeasureLength(int32_t value);
    int32_t SetMarkTime(int32_t value);
    int16_t SetClef(int16_t value);
    int16_t SetKey(int16_t value);
    uint16_t SetTimeWord(uint16_t value);
    // The word only; the measure length stays.  Answers the previous word.
    uint16_t SetTimeSignature(int32_t numerator, int32_t log2Denominator);
    // Moves the current time, the measure start and the mark; answers 0.
    int32_t ShiftTimes(int32_t offset);
};

// The one running context; valid from before the program's entry.
extern sMusicState gMusicState;

// The running context's clef, key and time signature; each answers the
// previous value.
int16_t SetRunningClef(int16_t clef);
int16_t SetRunningKey(int16_t key);
uint16_t SetRunningTimeSignature(int32_t numerator, int32_t log2Denominator);
// Sets the measure length from the word, then the word.  A word that is not
// usable leaves the context as it was.  Answers the previous word.
uint16_t SetRunningTimeWord(uint16_t word);
