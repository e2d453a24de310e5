// The music layer between the symbol root and the point symbols: every score
// symbol gets the operations of the musical walk (time, pitch, duration,
// stems, sound and the score-command handlers).  The defaults here are the
// answers of an untimed, pitchless symbol; the notation classes override
// them.  The time walk carries the running musical context (music_state.h)
// and the pending note ends of the score that owns the symbol.
#pragma once

#include <cstdint>

#include "document/music_state.h"
#include "document/symbol_base.h"
#include "midi/pitch.h"

class cMidiFile;
class cMusicTrack;
class cMusicOwner;
class cPlayDuration;

class cMusicBase : public cPObjBase {
public:
    // The records (music_commands.h).
    struct sCmdExport;
    struct sCmdStfTmpl;
    struct sCmdStfHide;
    struct sCmdTranspose;
    struct sCmdSongbook;
    struct sCmdStem;
    struct sCmdSetNoteHead;
    struct sCmdChords;
    struct sCmdBeams;
    struct sCmdBarNum;

    cMusicBase() : cPObjBase(0, 0) {}

    // --- Score commands (notation/score_commands.cpp) -------------------
    // Each launcher fills a fresh record, sends it from the root (the score
    // or another symbol) through the mask (null: every symbol) and answers
    // the send's result.
    static tStatus ApplyStaffTemplate(cPObjBase *root, int32_t templateIndex, sCommandMask *mask);
    static tStatus Transpose(cPObjBase *root, int32_t semitones, int32_t targetClef, sCommandMask *mask);
    static tStatus MakeSongbook(cPObjBase *root, sCommandMask *mask);
    static tStatus NumberBars(cPObjBase *root, sCommandMask *mask);
    static tStatus SetStems(cPObjBase *root, int32_t direction, sCommandMask *mask);
    static tStatus MakeChords(cPObjBase *root, sCommandMask *mask);
    static tStatus MakeBeams(cPObjBase *root, int32_t maxStep, int32_t reserved, int32_t groupLength,
                             sCommandMask *mask);
    // The export-and-play walk (notation/export_walk.cpp): exactly one of
    // the sink (the player or the CSV writer) and the MIDI file is given.
    static tStatus ExportMidi(cPObjBase *root, cMusicTrack *sink, cMidiFile *midiFile, sCommandMask *mask);

    // The music layer's commands (15 to 24) reach their handlers below;
    // every other command goes to the symbol root's handling.
    tStatus OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) override;

    int32_t FreeClassData() override { return 0; }
    // The drawing rectangle of the class's shape image at the symbol's
    // position; the bounds for a class without an image.
    cRectangl *GetImageRect() override;
    // 5/4 of the note-head width.
    int32_t GetSpacingToleranceX() override { return GetHeadWidth() * 5 / 4; }

    // The time walk.  The owning staff runs its context up to the symbol's
    // time x; outside a staff nothing happens.
    virtual void SeekContext(uint32_t flags, sCommandPrm *record);
    // The time-walk step: a symbol within the spacing tolerance of the
    // current step starts with it, one further right opens a new step at
    // the next pending end.
    virtual int32_t AssignTime(int32_t step);
    virtual int32_t GetCurrentTime() { return gMusicState.currentTime; }
    // The earliest end among the notes still sounding in the score that owns
    // the symbol; the current time when none sounds or there is no score.
    virtual int32_t GetNextEndTime();
    virtual int32_t GetLastX() { return gMusicState.lastX; }
    // Notes the end of a step of the duration starting at the time (a step
    // of 0 forgets every pending end) and makes the time current.  Outside a
    // score nothing changes.  Answers the duration.
    virtual int32_t SetCurrentTime(int32_t time, int32_t duration);
    virtual void SetLastX(int32_t value) { gMusicState.SetLastX(value); }
    virtual int32_t GetTimeX() { return x; }
    virtual int32_t GetHeadY() { return y; }
    virtual int32_t GetDrawX() { return x; }
    virtual int32_t GetDrawY() { return y; }
    // Moves y onto the nearest step of the owning staff; without a staff y
    // stays.  Answers y.
    virtual int32_t SnapToStaff();
    virtual sPitch GetMidiPitch() { return sPitch(kNoPitch); }
    virtual int32_t GetDurationTicks() { return 0; }
    virtual int32_t GetBaseDuration() { return GetDurationTicks(); }
    virtual int32_t GetTimeStep() { return GetDurationTicks(); }
    virtual void Hilight() {}
    // Sounds the symbol for a 32nd note at the score's tempo on the
    // placement output, when Setup > Sound is ticked and the output is idle
    // (notes.cpp).
    virtual void PlaySound();
    virtual void ExportInGroup(sCommandPrm *record, int32_t time) {}
    // Sets the track that placement sounds go to; answers the previous one.
    virtual cMusicTrack *SetSoundOutput(cMusicTrack *track);

    // Stems.
    virtual int32_t GetStemX(int32_t targetY);
    // The width of the stem-up head (class 44) or stem-down head (43)
    // prototype; 8 without one.
    virtual int32_t GetHeadWidth();
    virtual int16_t GetHeadTypeId() { return kHeadStemDown; }
    virtual int32_t GetStemFlipY() { return y - 20; }
    virtual bool IsStemUp() { return y >= GetStemFlipY(); }
    virtual void DrawStem(int32_t toY, int32_t direction);
    virtual cMusicBase *GetMainNote() { return this; }
    virtual void LayoutTime(cPObjBase *staff, int32_t limitX, uint8_t advance);

    // Score-command handlers.
    // The default export step: a timed symbol takes its time step and, with
    // a pitch, sounds for its whole duration into the record's sink.
    // Untimed symbols neither take time nor sound.  Answers 0; 1 would end
    // the walk.
    virtual tStatus OnExport(sCmdExport *record);
    virtual tStatus OnTranspose(sCmdTranspose *record);
    virtual tStatus OnSongbook(sCmdSongbook *record) { return 0; }
    virtual tStatus OnSetStem(sCmdStem *record) { return 0; }
    virtual tStatus OnSetNoteHead(sCmdSetNoteHead *record) { return 0; }
    // The chord and beam builders (notation/score_commands.cpp): they apply
    // to every symbol the chord or beam prototype accepts.
    virtual tStatus OnMakeChords(sCmdChords *record);
    virtual tStatus OnMakeBeams(sCmdBeams *record);
    virtual tStatus OnNumberBars(sCmdBarNum *record) { return 0; }

    int32_t GetStemXAtFlip() { return GetStemX(GetStemFlipY()); }

    // A new rest of the duration (notation/rests.cpp), the value cut down to
    // one that can be written; a dotted value answers the dot that owns the
    // rest.
    static cPObjPoint *RestForDuration(int32_t ticks);

    // A new stem-up note of the longest value the ticks spell (at most a
    // whole note), held by a dot or double dot when the value is dotted
    // (notes.cpp).
    static cPObjPoint *NoteForDuration(int32_t ticks);

protected:
    // The music owner of the class above the symbol, at any depth; null when
    // there is none.
    cMusicOwner *FindMusicOwner(int16_t typeId) const;
    // The pending note ends of the score: this symbol's own when it is the
    // score, else those of the score above it; null outside a score.
    cPlayDuration *FindPendingEnds();

    // The class ids of the owners the time walk and the context look up.
    static constexpr int16_t kScoreTypeId = 186;
    // The context flags of clef, key and time signature only: what a walk
    // that starts in the middle of a staff re-runs first.
    static constexpr uint32_t kContextSigns = 0x980;
    static constexpr int16_t kStaffTypeId = 184;
    // What the chord and beam builders make, and the link that holds each
    // later note of a beam.
    static constexpr int16_t kChordTypeId = 34;
    static constexpr int16_t kBeamTypeId = 32;
    static constexpr int16_t kBeamEndTypeId = 40;

    // The heads whose widths set the stem offsets.
    static constexpr int16_t kHeadStemDown = 43;
    static constexpr int16_t kHeadStemUp = 44;
};

// The one track that placement sounds are written into; null until the
// score window hands over its player.
extern cMusicTrack *gSoundOutput;
