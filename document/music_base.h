// The music layer between the symbol root and the point symbols: every score
// symbol gets the operations of the musical walk (time, pitch, duration,
// stems, sound and the score-command handlers).  The defaults here are the
// answers of an untimed, pitchless symbol; the notation classes override
// them, and the running musical context that the time walk carries comes
// with those classes.
#pragma once

#include <cstdint>

#include "document/symbol_base.h"
#include "midi/pitch.h"

class cMusicTrack;

class cMusicBase : public cPObjBase {
public:
    struct sCmdExport;
    struct sCmdTranspose;
    struct sCmdSongbook;
    struct sCmdStem;
    struct sCmdSetNoteHead;
    struct sCmdChords;
    struct sCmdBeams;
    struct sCmdBarNum;

    cMusicBase() : cPObjBase(0, 0) {}

    int32_t FreeClassData() override { return 0; }
    // 5/4 of the note-head width.
    int32_t GetSpacingToleranceX() override { return GetHeadWidth() * 5 / 4; }

    // The time walk.  Without the running context of the notation layer a
    // symbol stands at time 0 and keeps no pending ends.
    virtual void SeekContext(uint32_t flags, sCommandPrm *record) {}
    // The time-walk step: a symbol within the spacing tolerance of the
    // current step starts with it, one further right opens a new step at
    // the next pending end.
    virtual int32_t AssignTime(int32_t step);
    virtual int32_t GetCurrentTime() { return 0; }
    virtual int32_t GetNextEndTime() { return GetCurrentTime(); }
    virtual int32_t GetLastX() { return 0; }
    virtual int32_t SetCurrentTime(int32_t time, int32_t duration) { return duration; }
    virtual void SetLastX(int32_t value) {}
    virtual int32_t GetTimeX() { return x; }
    virtual int32_t GetHeadY() { return y; }
    virtual int32_t GetDrawX() { return x; }
    virtual int32_t GetDrawY() { return y; }
    // Snapping needs a staff above the symbol; without one y stays.
    virtual int32_t SnapToStaff() { return y; }
    virtual sPitch GetMidiPitch() { return sPitch(kNoPitch); }
    virtual int32_t GetDurationTicks() { return 0; }
    virtual int32_t GetBaseDuration() { return GetDurationTicks(); }
    virtual int32_t GetTimeStep() { return GetDurationTicks(); }
    virtual void Hilight() {}
    virtual void PlaySound() {}
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
    virtual tStatus OnExport(sCmdExport *record) { return 0; }
    virtual tStatus OnTranspose(sCmdTranspose *record);
    virtual tStatus OnSongbook(sCmdSongbook *record) { return 0; }
    virtual tStatus OnSetStem(sCmdStem *record) { return 0; }
    virtual tStatus OnSetNoteHead(sCmdSetNoteHead *record) { return 0; }
    virtual tStatus OnMakeChords(sCmdChords *record) { return 0; }
    virtual tStatus OnMakeBeams(sCmdBeams *record) { return 0; }
    virtual tStatus OnNumberBars(sCmdBarNum *record) { return 0; }

    int32_t GetStemXAtFlip() { return GetStemX(GetStemFlipY()); }

    // The heads whose widths set the stem offsets.
    static constexpr int16_t kHeadStemDown = 43;
    static constexpr int16_t kHeadStemUp = 44;
};

// The one track that placement sounds are written into; null until the
// score window hands over its player.
extern cMusicTrack *gSoundOutput;
