// Percussion sets: on a percussion staff the height of a note names an
// instrument, and the same height can name different instruments by the
// shape of the note head.  A set says, for each of five head kinds and each
// staff position, which General MIDI percussion key sounds.  Sets live in
// the settings under "Percussion", travel inside the score files that use
// them and are compiled into gPercussionSets.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/string_array.h"
#include "foundation/vector_ptr.h"
#include "staves/staff.h"

class cBinaryFileBase;
class cIniFile;
class cMusicTrack;
class cViewPortBase;

// The head kinds (the ids of the note-head radio buttons).
constexpr int32_t kHeadKindOval = 101;
constexpr int32_t kHeadKindDiamond = 102;
constexpr int32_t kHeadKindTriangle = 103;
constexpr int32_t kHeadKindCross = 104;
constexpr int32_t kHeadKindCircleX = 105;

// The head kind of a note-head class id.
int32_t NoteHeadKindOf(int16_t headClassId);

class cPercussionSetup {
public:
    // Positions a compiled set covers: -25..21 (keys 35..81 less 60).
    static constexpr int32_t kLowestPosition = -25;
    static constexpr int32_t kHighestPosition = 21;
    static constexpr int32_t kPositionCount = kHighestPosition - kLowestPosition + 1;

    // One compiled set.
    class cMidiLookup {
    public:
        // Compiles the set of that name from the settings.
        explicit cMidiLookup(const char16_t *setName);
        // A position outside -25..21 is answered unchanged.
        int32_t Map(int32_t position, int16_t headClassId) const;

        std::u16string name;
        int8_t map[5][kPositionCount];
    };

    // The first compiled set of exactly that name (case counts) maps the
    // position; without one the position is answered unchanged.
    static int32_t MapPosition(int32_t position, int16_t headClassId, const char16_t *setName);
    static void AddLookup(const char16_t *setName);
    // The set's section for the head kind in the settings; made when missing
    // and create is 1, else null when missing.
    static cIniFile *FindSetNode(const char16_t *setName, int32_t kind, int32_t create);
    // The sets inside a score file.
    static tStatus SaveSets(const cStringArray &names, cBinaryFileBase *file);
    static tStatus LoadSets(cBinaryFileBase *file);
};

// Every compiled set; exists for the whole run.
extern lcVectorPtr<cPercussionSetup::cMidiLookup> &gPercussionSets;
