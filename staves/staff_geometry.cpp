// Staff geometry: what a height on a staff means and where symbols go on
// it.  Every answer is integer arithmetic on the staff's own y (its top
// line), its part template and the running clef and key; the divisions
// truncate toward zero, as the placements of stored scores depend on it.
#include <algorithm>

#include "midi/music_track.h"
#include "staves/part_templates.h"
#include "staves/percussion_sets.h"
#include "staves/staff.h"
#include "ui/graph_dvc.h"

namespace {

// The pitch units (five per diatonic step plus the alteration) of a
// semitone offset within an octave, indexed -11..11: sharps upwards, and
// downwards the same spelling seen from below.
constexpr int32_t kPitchUnitsOfSemitone[23] = {
    -34, -30, -29, -25, -20, -19, -15, -14, -10, -9, -5,  // -11 .. -1
    0,                                                    // 0
    1,   5,   6,   10,  15,  16,  20,  21,  25,  26,  30,  // 1 .. 11
};

bool IsPercussionClef(int16_t clef) { return clef == kPercussionClef1Id || clef == kPercussionClef2Id; }

// The clef a query means: the given one, or the running one for 0.
int16_t ClefIdOf(int16_t clef) { return clef ? clef : gMusicState.clef; }

// The ledger lines of a note: where they start, how many, the y of the
// first (highest) and how long each is.
struct sLedgerLines {
    int32_t left = 0;
    int32_t width = 0;
    int32_t count = 0;
    int32_t firstY = 0;
};

}  // namespace

int32_t cStaffBase::LineSpacing() {
    const sTemplate *t = TemplateOf();
    // Only a damaged score file stores a staff of fewer than two lines, or
    // one so low that its lines would meet: such a staff is spaced as the
    // default template is, so that every half step has a height.
    if (!t || t->lines < 2 || t->LineSpacing() < 2) return sTemplate().LineSpacing();
    return t->LineSpacing();
}

int32_t cStaffBase::StepAtClef(int32_t py, int16_t headGlyph, int16_t clef) {
    const int32_t h = LineSpacing() >> 1;
    MusicBitMapClef *prototype = ClefPrototype(clef);
    if (!prototype) return 0;
    const int32_t middleC = prototype->GetMiddleCPosition();
    const int32_t step = (h * middleC + y - py) / h;
    if (!IsPercussionClef(ClefIdOf(clef))) return step;
    const sTemplate *t = TemplateOf();
    return t ? cPercussionSetup::MapPosition(step, headGlyph, t->percussionSet.c_str()) : step;
}

int32_t cStaffBase::StepAt(int32_t py, int16_t headGlyph) { return StepAtClef(py, headGlyph, 0); }

int32_t cStaffBase::AlterationAt(int32_t py, int16_t headGlyph, int16_t key, int16_t clef) {
    const int32_t step = int16_t(StepAtClef(py, headGlyph, clef));
    if (IsPercussionClef(ClefIdOf(clef))) {
        // The note then sounds exactly the semitone offset `step` from
        // middle C: the mapped percussion key.
        const int32_t q = step / 12, r = step % 12;
        return kPitchUnitsOfSemitone[r + 11] + 35 * q - 5 * step;
    }
    KeySignature *prototype = KeyPrototype(key);
    return prototype ? prototype->GetKeyAccidental(((step % 7) + 7) % 7) : 0;
}

int32_t cStaffBase::AlterationAtCurrent(int32_t py, int16_t headGlyph) { return AlterationAt(py, headGlyph, 0, 0); }

void cStaffBase::PlaceAtStep(cPObjBase *symbol, int32_t n) {
    if (symbol) symbol->SetY(y + n * (LineSpacing() >> 1));
}

int32_t cStaffBase::SnapToStep(int32_t py) {
    int32_t d = LineSpacing() >> 1;
    // Rounding away from the top line on both sides: a tie goes outwards.
    if (py < y) d = -d;
    return y + d * ((py - y + d / 2) / d);
}

int32_t cStaffBase::MoveOffLine(int32_t py) {
    const int32_t s = LineSpacing();
    return (py - y) % s == 0 ? py - (s / 2 - 1) : py;
}

void cStaffBase::PlaceKeySharp(cPObjBase *key) { PlaceKey(key, false); }
void cStaffBase::PlaceKeyFlat(cPObjBase *key) { PlaceKey(key, true); }

void cStaffBase::PlaceKey(cPObjBase *key, bool flat) {
    if (!key) return;
    const int32_t s = LineSpacing();
    const int16_t runningClef = gMusicState.clef, runningKey = gMusicState.key;
    if (runningClef == 0) {
        key->SetY(flat ? y + 2 * s + 1 : y);
        return;
    }
    RunContext(key->GetX(), kTypeClef | kTypeKey, nullptr);
    if (MusicBitMapClef *clef = ClefPrototype(0)) {
        const int32_t offset = flat ? clef->GetFirstFlatOffset() : clef->GetFirstSharpOffset();
        key->SetY(y + ((2 * clef->GetClefLine() + offset) * s) / 2);
    }
    gMusicState.SetClef(runningClef);
    gMusicState.SetKey(runningKey);
}

void cStaffBase::PlaceCentered(cMusicBase *symbol) {
    // The middle line of a five-line staff, whatever the line count.
    if (symbol) symbol->SetY(y + 2 * LineSpacing());
}

void cStaffBase::CenterText(cPObjBase *text) {
    if (text) text->SetX(x + (width - (text->GetRight() - text->GetLeft())) / 2);
}

void cStaffBase::RightAlignText(cPObjBase *text) {
    if (text) text->SetX(x + width - text->GetWidth());
}

namespace {

sLedgerLines LedgerLinesAt(cStaffBase &staff, int32_t noteX, int32_t noteY, int32_t width, int32_t bottom) {
    sLedgerLines lines;
    lines.width = width;
    lines.left = noteX - width / 2;
    const int32_t s = staff.LineSpacing();
    const int32_t top = staff.GetY();
    if (noteY <= top - s) {
        lines.count = (top - noteY) / s;
        lines.firstY = top - lines.count * s;
    } else if (noteY >= bottom + s) {
        lines.count = (noteY - bottom) / s;
        lines.firstY = bottom + s;
    }
    return lines;
}

}  // namespace

int32_t cStaffBase::LedgerWidth() {
    const sTemplate *t = TemplateOf();
    return t ? t->ledgerWidth : sTemplate().ledgerWidth;
}

void cStaffBase::DrawLedgerLines(cMusicBase *note) {
    if (!note || !gCurrentScoreWindow) return;
    const sLedgerLines lines = LedgerLinesAt(*this, note->GetTimeX(), note->GetY(), LedgerWidth(), y + height - 1);
    const int32_t s = LineSpacing();
    for (int32_t i = 0; i < lines.count; ++i) {
        const int32_t ly = lines.firstY + i * s;
        gCurrentScoreWindow->DrawLine(lines.left, ly, lines.left + lines.width - 1, ly);
    }
}

cRectangl *cStaffBase::LedgerLinesRect(cMusicBase *note) {
    if (!note) return cRectangl::Temp(x, y, 0, 0);
    const sLedgerLines lines = LedgerLinesAt(*this, note->GetX(), note->GetY(), LedgerWidth(), y + height - 1);
    if (lines.count == 0) return cRectangl::Temp(lines.left, note->GetY(), 0, 0);
    return cRectangl::Temp(lines.left, lines.firstY, lines.width, lines.count * LineSpacing());
}

void cStaffBase::ApplyMidiSetup(cPObjBase *symbol, cMusicTrack *track, int32_t time) {
    RunContext(symbol ? symbol->GetX() : x, -1, nullptr);
    const sTemplate *t = TemplateOf();
    if (!track || !t) return;
    track->SetChannel(uint8_t(t->channel & 0xFF));
    track->PutProgramChange(uint8_t(t->program & 0xFF), uint32_t(time));
    track->SetTranspose(std::clamp<int32_t>(t->transposition, -12, 12));
}
