// The records of the score commands of the music layer (ids 15 to 24): what
// each command carries down the symbol tree.  The launchers that fill and
// send them are cMusicBase's (notation/score_commands.cpp).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "document/commands.h"
#include "document/music_base.h"
#include "document/music_state.h"
#include "midi/pitch.h"

class cMidiFile;
class cMusicTrack;

// Command 15: export and play.  Notes go to the sink; during a file export
// each staff makes its part's track of the file the sink, so that staffs of
// one part name share a track.
struct cMusicBase::sCmdExport : lcCommandRecord<sCmdExport> {
    sCmdExport() : lcCommandRecord(112, kCmdExport, kCmdExport) {}

    // Live play: a sink and no MIDI file.
    bool IsLive() const { return sink != nullptr && midiFile == nullptr; }

    cMusicTrack *sink = nullptr;
    cMidiFile *midiFile = nullptr;
    // File export only: the track of each part name.  Owned by the walk's
    // driver; the tracks belong to the file.
    std::map<std::u16string, cMusicTrack *> *trackMap = nullptr;
    int32_t timeStep = 0;
    int32_t pass = 1;
    uint8_t playRepeats = 0;
    cPObjBase *stopObject = nullptr;
    cPObjBase *segno = nullptr;
    cPObjBase *repeatStart = nullptr;
    cPObjBase *coda = nullptr;
    cPObjBase *fine = nullptr;
    // 0 at the segno, 1 at the last left repeat, 2 the walk's start, 3 at
    // the coda, 4 at the end of a first ending's measure.
    sMusicState states[5];
};

// Command 16: every addressed staff takes the part template.
struct cMusicBase::sCmdStfTmpl : lcCommandRecord<sCmdStfTmpl> {
    explicit sCmdStfTmpl(int32_t index = 0) : lcCommandRecord(20, kCmdStaffTemplate, kCmdStaffTemplate), templateIndex(index) {}
    int32_t templateIndex;
};

// Command 17: hidden parts.  Flags 0 put every staff back at its stored y;
// flag 1 collapses hidden parts (their y kept); flag 2 re-applies the
// template's margin and width.  A staff that changed sets the changed flag.
struct cMusicBase::sCmdStfHide : lcCommandRecord<sCmdStfHide> {
    explicit sCmdStfHide(int32_t f = 0) : lcCommandRecord(24, kCmdStaffHide, kCmdStaffHide), flags(f) {}
    int32_t flags;
    int32_t changed = 0;
};

// Command 18: transposition.  The running clef and key travel with the walk
// as they were before their own transposition, so that the notes after a
// clef or key move from the old one.
struct cMusicBase::sCmdTranspose : lcCommandRecord<sCmdTranspose> {
    sCmdTranspose(int32_t semitones = 0, int32_t targetClef = 0)
        : lcCommandRecord(32, kCmdTranspose, kCmdTranspose), semitones(semitones), targetClef(targetClef) {}
    int32_t semitones;
    int32_t targetClef;  // a clef class id, 0 keeps the clefs
    int16_t clef = 0;
    int16_t key = 0;
    sKeyAccidentals accidentals;
};

// Command 19: the songbook text of the lyrics and music texts.
struct cMusicBase::sCmdSongbook : lcCommandRecord<sCmdSongbook> {
    static constexpr int32_t kTextCapacity = 800;
    sCmdSongbook() : lcCommandRecord(1636, kCmdSongbook, kCmdSongbook) {}
    int32_t lineY = -1;
    char16_t text[kTextCapacity] = {};
    int32_t length = 0;
    std::vector<cPObjBase *> texts;
};

// Command 20: bar numbers.
struct cMusicBase::sCmdBarNum : lcCommandRecord<sCmdBarNum> {
    sCmdBarNum() : lcCommandRecord(32, kCmdBarNumbers, kCmdBarNumbers) {}
    int32_t first = 1;
    int32_t staffShown = 0;
    cPObjBase *endingStart = nullptr;
    int32_t endingState = 0;
};

// Command 21: stem directions.  direction 0 turns every stem up, 1 reverses
// each stem, 2 turns every stem down; beams read the first note's y and
// note whether a stem moved.
struct cMusicBase::sCmdStem : lcCommandRecord<sCmdStem> {
    explicit sCmdStem(int32_t direction = 1) : lcCommandRecord(24, kCmdStems, kCmdStems), direction(direction) {}
    int32_t direction;
    int32_t firstNoteY = 0;
    int32_t moved = 0;
};

// Command 22: the note-head set-up: the head chosen and the class it was
// chosen for.
struct cMusicBase::sCmdSetNoteHead : lcCommandRecord<sCmdSetNoteHead> {
    sCmdSetNoteHead(int16_t head = 43, int16_t classId = 25)
        : lcCommandRecord(16, kCmdNoteHead, kCmdNoteHead), headGlyph(head), classId(classId) {}
    int16_t headGlyph;
    int16_t classId;
};

// Command 23: chords.  The chord being filled while an owner's children
// pass; the owner closes it when its children end.
struct cMusicBase::sCmdChords : lcCommandRecord<sCmdChords> {
    sCmdChords() : lcCommandRecord(20, kCmdMakeChords, kCmdMakeChords) {}
    cPObjOwnBase *openChord = nullptr;
};

// Command 24: beams.  The beam being filled, the last note that was not
// beamed, where the open beam started and the measure it started in; the
// longest step a beam takes and the length of a beat group (ticks).
struct cMusicBase::sCmdBeams : lcCommandRecord<sCmdBeams> {
    sCmdBeams(int32_t maxStep = 479, int32_t reserved = 2, int32_t groupLength = 960)
        : lcCommandRecord(44, kCmdMakeBeams, kCmdMakeBeams),
          maxStep(maxStep),
          reserved(reserved),
          groupLength(groupLength) {}
    cPObjOwnBase *openBeam = nullptr;
    cPObjPoint *lastNote = nullptr;
    int32_t beamStart = 0;
    int32_t beamMeasure = 0;
    int32_t maxStep;
    int32_t reserved;
    int32_t groupLength;
};
