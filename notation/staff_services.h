// What a symbol standing on a staff asks of it.  The staff classes live a
// layer above the symbols (staves/), so the symbols reach their staff
// through this interface: where a height lies in steps, which alteration the
// key gives a step, where a clef, key signature or time signature goes, the
// ledger lines of a note and the MIDI set-up of the staff's part.  Every
// value is in document units, y growing downwards; a staff's y is its top
// line.
#pragma once

#include <cstdint>

#include "document/base_classes.h"

class cMusicTrack;

class cStaffServices {
public:
    virtual ~cStaffServices() = default;

    // The line spacing of the staff's own part template.
    virtual int32_t LineSpacing() = 0;
    // Half the line spacing of the score's current template (the step the
    // arrow keys move notes by).
    virtual int32_t GetCurrentHalfSpacing() = 0;
    // The diatonic step (0 = middle C) at y under the clef (0: the running
    // one); on a percussion staff the step of the instrument that the head
    // kind and the part's percussion set give.
    virtual int32_t StepAtClef(int32_t y, int16_t headGlyph, int16_t clef) = 0;
    virtual int32_t StepAt(int32_t y, int16_t headGlyph) = 0;
    // The alteration in pitch units to add to 5 x step (key and clef 0: the
    // running ones).
    virtual int32_t AlterationAt(int32_t y, int16_t headGlyph, int16_t key, int16_t clef) = 0;
    virtual int32_t AlterationAtCurrent(int32_t y, int16_t headGlyph) = 0;
    // Puts the symbol n half spacings below the top line.
    virtual void PlaceAtStep(cPObjBase *symbol, int32_t n) = 0;
    // A y moved off a line (augmentation dots).
    virtual int32_t MoveOffLine(int32_t y) = 0;
    // The y of a key signature's first accidental, from the clef in force at
    // its x.
    virtual void PlaceKeySharp(cPObjBase *key) = 0;
    virtual void PlaceKeyFlat(cPObjBase *key) = 0;
    // The ledger lines of a note, drawn on the current score window, and the
    // rectangle they cover (a temporary rectangle).
    virtual void DrawLedgerLines(cMusicBase *note) = 0;
    virtual cRectangl *LedgerLinesRect(cMusicBase *note) = 0;
    // Runs the context up to the symbol and gives the track the part's
    // channel, program (at the time) and transposition.
    virtual void ApplyMidiSetup(cPObjBase *symbol, cMusicTrack *track, int32_t time) = 0;
    // The last clef, key or time signature put into a staff becomes the
    // start of the next new staff, and the running one.  Each answers the
    // previous default.
    virtual int16_t SetDefaultClef(int16_t clef) = 0;
    virtual int16_t SetDefaultKey(int16_t key) = 0;
    virtual uint16_t SetDefaultTime(int32_t numerator, int32_t log2Denominator) = 0;

    // Where bar lines reach: from the top line to the bottom line.
    virtual int32_t GetTopLineY() { return 0; }
    virtual int32_t GetBottomLineY() { return GetTopLineY(); }
    // The number above a bar line at x and the rectangle it covers (a
    // temporary rectangle; null when none is drawn), and the repeat dots of a
    // repeat bar line after or before x.  A staff that draws none of them
    // keeps these.
    virtual cRectangl *GetBarNumberRect(int32_t number, int32_t x) { return nullptr; }
    virtual void DrawBarNumber(int32_t number, int32_t x) {}
    virtual void DrawRepeatDotsAfter(int32_t x) {}
    virtual void DrawRepeatDotsBefore(int32_t x) {}
};

// The staff services of the staff (class id 184) that owns the symbol, at
// any depth; null outside a staff.
cStaffServices *StaffServicesOf(const cPObjBase *symbol);
