// Written pitch, the running accidentals of a measure and key signatures,
// with the conversions between written pitch and equal-tempered semitones
// that MIDI output and import use.
#pragma once

#include <cstdint>

// "No pitch": passes unchanged through every pitch operation.
constexpr int16_t kNoPitch = static_cast<int16_t>(0x8000);

// A written pitch: five units per diatonic step from middle C (0) plus an
// alteration of -2 (double flat) .. +2 (double sharp).  D is 5, C sharp 1,
// the B flat below middle C -6.
struct sPitch {
    int16_t value = 0;

    sPitch() = default;
    explicit sPitch(int16_t v) : value(v) {}

    int16_t SetSteps(int32_t steps);
    // The step's multiple of 5; value - RoundToStep() is the alteration.
    int32_t RoundToStep() const;
    // 0..6 for C..B.
    int32_t GetLetter() const;
    // Middle C's octave is 0; the octave below runs -1 from its C to its B.
    int32_t GetOctave() const;
    int32_t GetAlteration() const;
    // Equal-tempered semitones from middle C; kNoPitch for no pitch.
    int32_t GetSemitone() const;
    bool IsNone() const { return value == kNoPitch; }
};

// Semitones from middle C of a written pitch (kNoPitch passes through).
int32_t PitchToSemitone(int32_t pitch);
// The written pitch of a semitone number, spelt for the key (sharps when the
// key has sharps, flats when it has flats; with none, E flat and B flat take
// the flat form).  kNoPitch passes through.
int32_t SemitoneToPitch(int32_t semitones, int32_t key);

// The alteration in force for each letter C..B; kUnset where none is.
struct sKeyAccidentals {
    static constexpr int8_t kUnset = -128;
    int8_t entries[7];

    sKeyAccidentals() { Clear(); }
    void Clear();
    void Copy(const sKeyAccidentals &other);
    // The entry of the pitch's letter; kUnset for no pitch.
    int32_t Get(int32_t pitch) const;
    // Stores the pitch's alteration under its letter; answers the pitch, or
    // kUnset (storing nothing) for no pitch.
    int32_t Set(int32_t pitch);
};

// A key as sharps (positive) or flats (negative), -7..7.
struct sKeySignature {
    static constexpr int8_t kNone = -128;
    int8_t key = 0;

    sKeySignature() = default;
    explicit sKeySignature(int32_t v) : key(static_cast<int8_t>(v >= -7 && v <= 7 ? v : 0)) {}

    // Stores v only when it is in -7..7; answers the stored key.
    int32_t Set(int32_t v);
    // The major key's tonic: "C", "Bb", "f#" ... (lower case when upper is
    // false).  A temporary string.
    const char16_t *GetKeyName(bool upper) const;
    // Reads a key name ("Eb", "f#", "  c"); answers the index after it.  A
    // text without a letter A..G leaves the key kNone and answers the index
    // of the character that is not one.
    int32_t Parse(const char16_t *text);
    // Moves the key by a number of semitones; answers the new key.
    int32_t Transpose(int32_t semitones);
};
