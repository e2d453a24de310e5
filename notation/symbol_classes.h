// The music classes, ids 17 to 186, with the abstract bases of their
// families.  Every concrete class is one line: its name, its id and its base.
// The naming answers (persistent name, id, family bits, help topic, fixed
// duration, a new object of the class) come from one template that reads the
// catalogue (symbol_catalogue.h).  What each family does on the score is
// added to its bases and classes as the families grow.
#pragma once

#include <cstdint>
#include <type_traits>

#include "document/base_classes.h"
#include "document/shape_images.h"
#include "notation/staff_services.h"
#include "notation/symbol_catalogue.h"

// ---- the glyph symbols ----

// A symbol drawn as its class's picture, with no fields beyond its position.
// It is dragged sideways; only in the resize mode does it change height.
class MusicBitMap : public cCommonShapeImg {
public:
    // The horizontal middle of the picture, wherever its hot spot lies.
    int32_t GetAttachX() override { return GetLeft() + GetWidth() / 2; }
    void MoveBy(int32_t dx, int32_t dy) override;
    // The owning staff runs its context up to the symbol first, so that the
    // clef, key and time at the symbol hold while it is dragged.
    cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t hitKind) override;
};

// The time signatures' base: whatever y it is dropped at, a staff that
// takes it centres it on its middle line.
class MusicBitMapCentered : public MusicBitMap {
public:
    bool OnInsert() override;
};

// A clef: it sets the running clef wherever a walk meets it, and carries
// the constants with which a staff turns heights into steps and places key
// signatures.  Positions count half line spacings down from the staff's top
// line; lines count whole lines.  The constants are virtual, each class
// answering its own (clefs.cpp keeps them in one table).
class MusicBitMapClef : public MusicBitMap {
public:
    // The line of the clef's reference note.
    virtual int32_t GetClefLine();
    // Added to 2 x line: the position of a key signature's first flat, first
    // sharp, and of middle C.
    virtual int32_t GetFirstFlatOffset();
    virtual int32_t GetFirstSharpOffset();
    virtual int32_t GetMiddleCOffset();
    // Flats further up than this many positions above the first drop an
    // octave; sharps further down than this plus 6 positions below the first
    // rise one.
    virtual int32_t GetFlatWrapLimit();
    virtual int32_t GetSharpWrapLimit();
    // Where middle C lies: 2 x line + middle-C offset.
    int32_t GetMiddleCPosition() { return 2 * GetClefLine() + GetMiddleCOffset(); }

    // A clef moves sideways only, in every edit mode.
    void MoveBy(int32_t dx, int32_t dy) override;
    // Every walk that meets the clef (pitch, duration, layout, drawing)
    // makes it the running clef.
    sPitch GetMidiPitch() override;
    int32_t GetDurationTicks() override;
    void LayoutTime(cPObjBase *staff, int32_t limitX, uint8_t advance) override;
    cPObjPoint *Draw() override;
    // Exchanges the clef for the record's target clef (clefs.cpp).
    tStatus OnTranspose(sCmdTranspose *record) override;
    // In a staff the clef stands on its reference line.
    bool OnInsert() override;
    // A clef put into a staff becomes the clef new staffs start with.
    void SetOwner(cPObjOwnBase *newOwner) override;

    // A music-font clef is drawn with the glyph's origin on its position;
    // its hot spot places only the palette's bitmap.  Its edges and drawing
    // rectangle therefore lie around the glyph as drawn, not shifted by the
    // hot spot as the image's own edges would be.
    int32_t GetLeft() override;
    int32_t GetTop() override;
    int32_t GetRight() override;
    int32_t GetBottom() override;
    cRectangl *GetImageRect() override;

private:
    // What the image's edges subtract and the drawn glyph does not.
    int32_t GlyphShiftX();
    int32_t GlyphShiftY();
};

// A note or note glyph: the class ids of its head and flag pictures and its
// stem, downward from the head (negative: up; 0: none).  What notes do on
// the score is in notes.cpp.
class MusicBitMapNote : public MusicBitMap {
public:
    explicit MusicBitMapNote(int16_t head = 0, int16_t flag = 0) : headGlyph(head), flagGlyph(flag) {}

    int16_t GetHeadGlyph() const { return headGlyph; }
    // Answers the previous head.
    int16_t SetHeadGlyph(int16_t head) {
        const int16_t previous = headGlyph;
        headGlyph = head;
        return previous;
    }
    int16_t GetFlagGlyph() const { return flagGlyph; }
    void SetFlagGlyph(int16_t flag) { flagGlyph = flag; }
    int32_t GetStemLength() const { return stemLength; }
    void SetStemLength(int32_t length) { stemLength = length; }
    // What a new note of a class takes from the class's prototype.
    void CopyNoteFields(const MusicBitMapNote &from) {
        headGlyph = from.headGlyph;
        flagGlyph = from.flagGlyph;
        stemLength = from.stemLength;
    }
    // The head a note of the class gets for the kind of the given head (oval,
    // cross, triangle, diamond, circled cross); flip asks for the head of the
    // class's twin with the other stem direction.
    static int16_t ClassForHead(int16_t classId, int16_t head, bool flip);

    void CopyFrom(const cPObjBase &other) override;
    int32_t GetAttachY(int32_t side) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    uint16_t DataSize() override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    bool Recalculate() override;
    cRectangl *GetBounds() override;
    cRectangl *GetImageRect() override { return GetBounds(); }
    cRectangl *GetSpacingRect() override { return GetBounds(); }
    // Only the head is hit; with flag 0x400 the whole note is, stem, flag
    // and ledger lines included.
    int32_t HitTest(int32_t px, int32_t py) override;
    int32_t HitTest(int32_t px, int32_t py, int32_t flags) override;
    void MoveBy(int32_t dx, int32_t dy) override;
    int32_t Setup(sCommandPrm *record) override;
    sCommandPrm *GetClassSetup(sCommandPrm *record) override;
    sCommandPrm *GetObjectSetup(sCommandPrm *record) override;
    tStatus SetClassSetup(sCommandPrm *record) override;
    tStatus SetObjectSetup(sCommandPrm *record) override;

    int32_t GetTimeX() override { return GetHandleX(); }
    sPitch GetMidiPitch() override;
    int32_t GetStemX(int32_t targetY) override;
    int32_t GetHeadWidth() override;
    int16_t GetHeadTypeId() override { return headGlyph; }
    int32_t GetStemFlipY() override { return y + stemLength; }
    void DrawStem(int32_t toY, int32_t direction) override;
    tStatus OnTranspose(sCmdTranspose *record) override;
    tStatus OnSetStem(sCmdStem *record) override;
    tStatus OnSetNoteHead(sCmdSetNoteHead *record) override;

    cPObjPoint *Draw() override;
    void DrawPicture(int32_t px, int32_t py, cGraphDvc *window) override;
    bool OnInsert() override;
    int32_t GetKeyStepUp() override;
    int32_t GetKeyStepDown() override;
    cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t hitKind) override;
    cShapeImg *GetOwnShapeImage() override { return GetShapeImage(headGlyph); }

protected:
    // The head, stem and flag with the stem starting at (left, top), where
    // the head's glyph has its origin.
    void DrawWhole(int32_t left, int32_t top, cGraphDvc *window);

    int16_t headGlyph;
    int16_t flagGlyph;
    int32_t stemLength = 20;
};

class MusicBitMapNoteUp : public MusicBitMapNote {
public:
    explicit MusicBitMapNoteUp(int16_t head = 0, int16_t flag = 0) : MusicBitMapNote(head, flag) { stemLength = -20; }
};

// Whether Setup > Sound is ticked: placed and moved notes sound only then.
// Read from the frame menu; without one nothing sounds.
bool IsSoundTicked();

// The head, flag and stem a note class starts with; glyph classes other
// than notes answer zeros.
struct sNoteConstants {
    int16_t head;
    int16_t flag;
    int32_t stem;
};
constexpr sNoteConstants NoteConstantsOf(int16_t id) {
    if (id >= 17 && id <= 24) {
        // 64th, 32nd, 16th and 8th notes, stem down then up.
        const int16_t value = int16_t((id - 17) / 2);  // 0: 64th .. 3: 8th
        const bool up = (id - 17) % 2 != 0;
        const int16_t flag = int16_t(66 - 2 * value + (up ? 1 : 0));
        const int32_t stem = value == 0 ? 23 : value == 1 ? 22 : 20;
        return {int16_t(up ? 44 : 43), flag, up ? -stem : stem};
    }
    if (id == 25 || id == 26) return {int16_t(id == 26 ? 44 : 43), 0, id == 26 ? -20 : 20};
    if (id == 27 || id == 28) return {int16_t(id == 28 ? 46 : 45), 0, id == 28 ? -20 : 20};
    if (id == 29) return {29, 0, 0};
    if (id == 68) return {68, 0, 0};
    if (id == 47) return {43, 0, 20};
    // The head and flag glyphs: the lower id of each pair has its stem down.
    if ((id >= 43 && id <= 46) || (id >= 48 && id <= 67)) {
        const bool up = id <= 46 ? id % 2 == 0 : id % 2 != 0;
        return {int16_t(up ? 44 : 43), 0, up ? -20 : 20};
    }
    return {0, 0, 0};
}
// The note classes whose new objects start with their prototype's head,
// flag and stem: the notes and the grace-note head, not the glyph classes.
constexpr bool CopiesNoteFields(int16_t id) { return (id >= 17 && id <= 29) || id == 68; }

// ---- attachments, two-ended symbols and groups ----

// A symbol that decorates one note: it owns the note and stands in its
// place.  It answers its own family bits with those of the note it holds.
class AttachedMusicBitMap : public SingleOwnerObject {
public:
    const char16_t *GetTypeName() const override { return u"Owner"; }
    int16_t GetTypeId() const override { return 17; }
    int32_t GetHelpTopic() override { return 0; }
    // The family bits of the held note (0 without one).
    uint32_t HeldNoteFlags() const { return attached ? attached->GetTypeFlags(0) : 0u; }
};

class AttachedNoteBitMap : public AttachedMusicBitMap {};

// The begin of a symbol over several notes (tie, beam, tuplet, grace-note
// group), and the link that holds each later note.
class cDblEnd : public AttachedMusicBitMap {};
class cDblEndLink : public AttachedMusicBitMap {
public:
    // The begin draws the whole symbol.
    void DrawGroupParts() override {}
};

// The group form of notes: chords, and the ties, beams and tuplets of older
// files.
class cMusicGroup : public cPObjGroup {
public:
    const char16_t *GetTypeName() const override { return u"Group"; }
    int16_t GetTypeId() const override { return 17; }
};

// ---- other family bases ----

// A key signature: it sets the running key wherever a walk meets it and
// answers which letters it alters.  Its y is the height of its first
// accidental; the others are laid out from the running clef.  The count
// (sharps positive, flats negative) follows from the class id.
class KeySignature : public ShapeObject {
public:
    // One accidental to the next, in document units.
    static constexpr int32_t kAccidentalDistance = 7;
    // The half spacing a key signature outside a staff is laid out with.
    static constexpr int32_t kFreeHalfSpacing = 6;

    // +1 or -1 when the key alters the step's letter (0 = C .. 6 = B, any
    // octave), else 0.
    virtual int32_t GetKeyAccidental(int32_t step);
    // The staff places the first accidental (key_signatures.cpp).
    virtual void RegisterWithStaff(cStaffServices *staff);
    // The class id of the key transposed by the semitones.
    virtual int16_t GetTransposedKeyId(int32_t semitones);
    // 1 .. 7 sharps, -1 .. -7 flats, 0 for C.
    virtual int32_t GetAccidentalCount();
    // Fills the shared position array, one y per accidental drawn.
    virtual void ComputeAccidentalPositions();
    // Positions (in half spacings) from one accidental to the next.
    virtual int32_t GetAccidentalStep();
    // The class of the accidental glyph drawn.
    virtual int16_t GetAccidentalTypeId();
    virtual int32_t GetDrawCount();

    // The registered prototype of the key with the count, -7..7; null for
    // another count or before the registry exists.
    static KeySignature *PrototypeAt(int32_t count);
    // The class id of the key with the count, -7..7 (0 outside).
    static int16_t KeyIdOfCount(int32_t count);
    // Diatonic steps a note moves by under the transposition, from the
    // running key and clef; with a target clef (not 0) corrected so that
    // the note keeps its pitch under it.
    static int32_t TransposeSteps(int32_t semitones, int16_t targetClef);
    // The y of each accidental drawn, as the last ComputeAccidentalPositions
    // left them (one array shared by every key signature).
    static const int32_t *AccidentalPositions();

    // From x - 7 to 7 units per accidental drawn, over the accidentals'
    // pictures at their positions.
    int32_t GetLeft() override;
    int32_t GetTop() override;
    int32_t GetRight() override;
    int32_t GetBottom() override;
    // In a staff the first accidental goes where the clef in force puts it.
    bool Recalculate() override;
    // A key signature moves sideways only.
    void MoveBy(int32_t dx, int32_t dy) override;
    // Every walk that meets the key signature makes it the running key.
    sPitch GetMidiPitch() override;
    int32_t GetDurationTicks() override;
    void LayoutTime(cPObjBase *staff, int32_t limitX, uint8_t advance) override;
    // The export writes the running key at the start of each track instead.
    tStatus OnExport(sCmdExport *record) override { return 0; }
    // Exchanges the key signature for the transposed key (key_signatures.cpp).
    tStatus OnTranspose(sCmdTranspose *record) override;
    cPObjPoint *Draw() override;
    bool OnInsert() override;
    // A key signature put into a staff becomes the key new staffs start with.
    void SetOwner(cPObjOwnBase *newOwner) override;
};
// The sharp answers are KeySignature's own; flats go the other way.
class KeySharp : public KeySignature {};
class KeyFlat : public KeySignature {
public:
    void RegisterWithStaff(cStaffServices *staff) override;
    int32_t GetAccidentalStep() override;
    int16_t GetAccidentalTypeId() override;
    int32_t GetDrawCount() override;
};

// Bar lines: small groups holding the navigation signs and ending brackets
// of their measure.  The abstract base answers the group's naming.
#include "notation/bar_lines.h"

// The prototype of a clef or key signature by class id; 0 asks for the one
// running in gMusicState.  Until a clef or key has run (the running values
// are 0), and for an id that names no clef or key, the walks read the staff
// as under ClefG and KeySigC: every caller that needs "the running clef" or
// "the running key" asks here.  Null only before the registry exists.
MusicBitMapClef *ClefPrototype(int16_t id = 0);
KeySignature *KeyPrototype(int16_t id = 0);
constexpr int16_t kDefaultClefId = 101;  // ClefG
constexpr int16_t kDefaultKeyId = 103;   // KeySigC
constexpr int16_t kFirstClefId = 96, kLastClefId = 102;
constexpr int16_t kFirstKeyId = 103, kLastKeyId = 117;
constexpr int16_t kPercussionClef1Id = 96, kPercussionClef2Id = 97;

// Transposition exchanges a clef or key signature for the class with the
// id.  Where that class runs already the symbol would repeat it: it is taken
// out and deleted.  Otherwise a new object of the class takes the symbol's
// values and its owner puts it in the symbol's place (ReplaceChild with the
// mode; the owner deletes the symbol).
void ExchangeForClass(cPObjPoint *symbol, int16_t id, int16_t runningId, int32_t replaceMode);

// ---- the naming template ----

// The naming answers of the class with the id, read from the catalogue, over
// the family base.  Held-note bits join the family bits of attachments and
// two-ended symbols; note classes start with their head, flag and stem, and
// the notes take those of their prototype when copied.
template <class Self, int16_t Id, class Base>
class lcSymbolClass : public Base {
    static_assert(Id >= kFirstSymbolClassId && Id <= kLastSymbolClassId);

public:
    static constexpr int16_t kClassId = Id;

    lcSymbolClass() {
        if constexpr (std::is_base_of_v<MusicBitMapNote, Base>) {
            constexpr sNoteConstants c = NoteConstantsOf(Id);
            this->headGlyph = c.head;
            this->flagGlyph = c.flag;
            this->stemLength = c.stem;
        }
    }
    using Base::Base;

    const char16_t *GetTypeName() const override { return Info().name; }
    int16_t GetTypeId() const override { return Id; }
    uint32_t GetTypeFlags(int16_t typeId) const override {
        uint32_t flags = (typeId == Id ? uint32_t(kTypeIdMatch) : 0u) | Info().flags;
        if constexpr (std::is_base_of_v<AttachedMusicBitMap, Base>) flags |= this->HeldNoteFlags();
        return flags;
    }
    int32_t GetHelpTopic() override { return Info().helpTopic; }
    int32_t GetDurationTicks() override {
        if constexpr (Info().duration == kFamilyDuration) return Base::GetDurationTicks();
        return Info().duration;
    }
    cPObjPoint *NewSameClass() const override {
        auto *obj = new Self;
        if constexpr (CopiesNoteFields(Id)) obj->CopyNoteFields(*this);
        return obj;
    }

    static constexpr const sSymbolClassInfo &Info() { return SymbolClassInfo(Id); }
};

#define PELMORA_SYMBOL_CLASS(name, id, base) \
    class name : public lcSymbolClass<name, id, base> {}

// A class that overrides more than the naming opens its own body.
#define PELMORA_SYMBOL_CLASS_BODY(name, id, base) class name : public lcSymbolClass<name, id, base>

// ---- notes and note glyphs ----

PELMORA_SYMBOL_CLASS(Note164, 17, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(Note164Up, 18, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(Note132, 19, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(Note132Up, 20, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(Note116, 21, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(Note116Up, 22, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(Note18, 23, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(Note18Up, 24, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(Note14, 25, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(Note14Up, 26, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(Note12, 27, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(Note12Up, 28, MusicBitMapNoteUp);
// The whole note has no stem; its head is its own picture.
PELMORA_SYMBOL_CLASS_BODY(Note11, 29, MusicBitMapNote) {
public:
    int32_t GetHeadWidth() override;
    void DrawStem(int32_t toY, int32_t direction) override {}
};
PELMORA_SYMBOL_CLASS(NoteBlack, 43, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteBlackUp, 44, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteWhite, 45, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteWhiteUp, 46, MusicBitMapNoteUp);
// A note glyph taken from the music font by its character value.  It keeps
// the position it had when it was made as the place it is drawn at.
PELMORA_SYMBOL_CLASS_BODY(MusicFontNote, 47, MusicBitMapNote) {
public:
    // The prototype has no glyph value.
    MusicFontNote() = default;
    MusicFontNote(int16_t head, int32_t value) : glyphValue(value) { headGlyph = head; }

    int32_t GetGlyphValue() const { return glyphValue; }
    int32_t GetDrawX() override { return drawX; }
    int32_t GetDrawY() override { return drawY; }
    // A copy has the head and glyph value of the object asked.
    cPObjPoint *NewSameClass() const override;

private:
    int32_t glyphValue = 0;
    // Three words the font note carries without using them; always zero.
    int32_t spare[3] = {0, 0, 0};
    // Where the note stood when it was made.
    int32_t drawX = x;
    int32_t drawY = y;
    // The glyph's box, empty: the note is drawn from its head picture.
    cRectangl glyphRect{0, 0, 0, 0};
};
PELMORA_SYMBOL_CLASS(NoteCross, 48, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteCrossUp, 49, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteTriangleWhite, 50, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteTriangleWhiteUp, 51, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteTriangleBlack, 52, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteTriangleBlackUp, 53, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteDiamondWhite, 54, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteDiamondWhiteUp, 55, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteDiamondBlack, 56, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteDiamondBlackUp, 57, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteCircleX, 58, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteCircleXUp, 59, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteFlag8, 60, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteFlag8Up, 61, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteFlag16, 62, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteFlag16Up, 63, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteFlag32, 64, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteFlag32Up, 65, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(NoteFlag64, 66, MusicBitMapNote);
PELMORA_SYMBOL_CLASS(NoteFlag64Up, 67, MusicBitMapNoteUp);
PELMORA_SYMBOL_CLASS(GraceNoteHead, 68, MusicBitMapNote);

// ---- rests ----

PELMORA_SYMBOL_CLASS(Rest116, 74, MusicBitMap);
PELMORA_SYMBOL_CLASS(Rest164, 72, Rest116);
PELMORA_SYMBOL_CLASS(Rest132, 73, Rest116);
PELMORA_SYMBOL_CLASS(Rest18, 75, Rest116);
PELMORA_SYMBOL_CLASS(Rest14, 76, Rest116);
PELMORA_SYMBOL_CLASS(Rest12, 77, Rest116);
PELMORA_SYMBOL_CLASS(Rest11, 78, Rest116);

// ---- dots, accidentals, articulations and ornaments ----

// Dots are hit only on their own picture, not on the note they hold.
PELMORA_SYMBOL_CLASS_BODY(ArticDotObject, 30, AttachedNoteBitMap) {
public:
    uint32_t GetHitTestFlags() override { return 8; }
};
PELMORA_SYMBOL_CLASS_BODY(ArticDblDotObject, 31, AttachedNoteBitMap) {
public:
    uint32_t GetHitTestFlags() override { return 8; }
};
PELMORA_SYMBOL_CLASS(AccidSharpObject, 80, AttachedNoteBitMap);
PELMORA_SYMBOL_CLASS(AccidNaturalObject, 79, AccidSharpObject);
PELMORA_SYMBOL_CLASS(AccidFlatObject, 81, AccidSharpObject);
PELMORA_SYMBOL_CLASS(AccidDblSharpObject, 82, AccidSharpObject);
PELMORA_SYMBOL_CLASS(AccidDblFlatObject, 83, AccidSharpObject);
PELMORA_SYMBOL_CLASS(ArticAccentObject, 86, AttachedNoteBitMap);
PELMORA_SYMBOL_CLASS(ArticStacattoObject, 84, ArticAccentObject);
PELMORA_SYMBOL_CLASS(ArticDashObject, 85, ArticAccentObject);
PELMORA_SYMBOL_CLASS(ArticUpBowObject, 87, ArticAccentObject);
PELMORA_SYMBOL_CLASS(ArticDownBowObject, 88, ArticAccentObject);
PELMORA_SYMBOL_CLASS(OrnmTrillObject, 89, ArticAccentObject);
PELMORA_SYMBOL_CLASS(OrnmMordent1Object, 90, OrnmTrillObject);
PELMORA_SYMBOL_CLASS(OrnmMordent2Object, 91, OrnmTrillObject);
PELMORA_SYMBOL_CLASS(OrnmTurnUpObject, 92, OrnmTrillObject);
PELMORA_SYMBOL_CLASS(OrnmTurnDownObject, 93, OrnmTrillObject);
PELMORA_SYMBOL_CLASS(ArticFermataObject, 94, ArticAccentObject);
PELMORA_SYMBOL_CLASS(ArticFermataUpObject, 95, ArticFermataObject);
PELMORA_SYMBOL_CLASS(cNoteGrace, 42, AttachedMusicBitMap);

// ---- two-ended symbols ----

PELMORA_SYMBOL_CLASS(cBeam, 32, cDblEnd);
PELMORA_SYMBOL_CLASS(cTieBeg, 33, cDblEnd);
PELMORA_SYMBOL_CLASS(cTupletBeg, 35, cBeam);
PELMORA_SYMBOL_CLASS(cGraceNote, 36, cDblEnd);
PELMORA_SYMBOL_CLASS(cTieEnd, 39, cDblEndLink);
// A beam's end link draws nothing: the begin draws the beam and every stem.
// Symbols attached to its note go to the note's outer unit of notes and
// ornaments, short of a tie.
PELMORA_SYMBOL_CLASS_BODY(cBeamEnd, 40, cDblEndLink) {
public:
    cPObjPoint *Draw() override { return this; }
    cPObjPoint *ResolveAttachTarget(cPObjPoint *obj) override;
};
PELMORA_SYMBOL_CLASS(cTupletEnd, 70, cBeamEnd);
PELMORA_SYMBOL_CLASS_BODY(cGraceNoteEnd, 71, cDblEndLink) {
public:
    cPObjPoint *ResolveAttachTarget(cPObjPoint *obj) override;
};

// ---- groups ----

PELMORA_SYMBOL_CLASS(NoteChordObject, 34, cMusicGroup);
PELMORA_SYMBOL_CLASS(TieSlur, 38, cMusicGroup);
PELMORA_SYMBOL_CLASS(NoteBeamObject, 41, cMusicGroup);
PELMORA_SYMBOL_CLASS(cTuplet, 69, NoteBeamObject);

// ---- slurs and hairpins ----

PELMORA_SYMBOL_CLASS(ArticSlur, 37, ScaledObject);
PELMORA_SYMBOL_CLASS(DynamicCres, 149, ScaledObject);
PELMORA_SYMBOL_CLASS(DynamicDim, 150, DynamicCres);

// ---- clefs ----

PELMORA_SYMBOL_CLASS(ClefPercussion1, 96, MusicBitMapClef);
PELMORA_SYMBOL_CLASS(ClefPercussion2, 97, ClefPercussion1);
PELMORA_SYMBOL_CLASS(ClefAlto, 98, MusicBitMapClef);
PELMORA_SYMBOL_CLASS(ClefTenor, 99, MusicBitMapClef);
PELMORA_SYMBOL_CLASS(ClefG, 101, MusicBitMapClef);
PELMORA_SYMBOL_CLASS(ClefG8, 100, ClefG);
PELMORA_SYMBOL_CLASS(ClefF, 102, MusicBitMapClef);

// ---- key signatures ----

// C major draws seven naturals where the seven sharps stand.
PELMORA_SYMBOL_CLASS_BODY(KeySigC, 103, KeySharp) {
public:
    int16_t GetAccidentalTypeId() override;
    int32_t GetDrawCount() override;
};
PELMORA_SYMBOL_CLASS(KeySig1Sharp, 104, KeySharp);
PELMORA_SYMBOL_CLASS(KeySig2Sharp, 105, KeySharp);
PELMORA_SYMBOL_CLASS(KeySig3Sharp, 106, KeySharp);
PELMORA_SYMBOL_CLASS(KeySig4Sharp, 107, KeySharp);
PELMORA_SYMBOL_CLASS(KeySig5Sharp, 108, KeySharp);
PELMORA_SYMBOL_CLASS(KeySig6Sharp, 109, KeySharp);
PELMORA_SYMBOL_CLASS(KeySig7Sharp, 110, KeySharp);
PELMORA_SYMBOL_CLASS(KeySig1Flat, 111, KeyFlat);
PELMORA_SYMBOL_CLASS(KeySig2Flat, 112, KeyFlat);
PELMORA_SYMBOL_CLASS(KeySig3Flat, 113, KeyFlat);
PELMORA_SYMBOL_CLASS(KeySig4Flat, 114, KeyFlat);
PELMORA_SYMBOL_CLASS(KeySig5Flat, 115, KeyFlat);
PELMORA_SYMBOL_CLASS(KeySig6Flat, 116, KeyFlat);
PELMORA_SYMBOL_CLASS(KeySig7Flat, 117, KeyFlat);

// ---- time signatures and their digits ----

#include "notation/time_signatures.h"

// ---- texts and lines ----

PELMORA_SYMBOL_CLASS(MusicChar, 175, CharObject);
PELMORA_SYMBOL_CLASS(ChordText, 176, TextObject);
PELMORA_SYMBOL_CLASS(MusicLine, 177, cLineObject);
PELMORA_SYMBOL_CLASS(MusicText, 178, TextFontObject);
PELMORA_SYMBOL_CLASS(MusicSing, 179, TextObject);
PELMORA_SYMBOL_CLASS(MusicStaticText, 180, StaticTextObject);
PELMORA_SYMBOL_CLASS(MMSym, 128, MusicStaticText);

// ---- dynamics and marks ----

PELMORA_SYMBOL_CLASS(DynamicF, 140, MusicBitMap);
PELMORA_SYMBOL_CLASS(DynamicMF, 139, DynamicF);
PELMORA_SYMBOL_CLASS(DynamicFF, 141, DynamicF);
PELMORA_SYMBOL_CLASS(DynamicFFF, 142, DynamicF);
PELMORA_SYMBOL_CLASS(DynamicMP, 143, DynamicF);
PELMORA_SYMBOL_CLASS(DynamicP, 144, DynamicF);
PELMORA_SYMBOL_CLASS(DynamicPP, 145, DynamicF);
PELMORA_SYMBOL_CLASS(DynamicPPP, 146, DynamicF);
PELMORA_SYMBOL_CLASS(DynamicSf, 147, DynamicF);
PELMORA_SYMBOL_CLASS(DynamicFz, 148, DynamicF);
PELMORA_SYMBOL_CLASS(Simile1, 161, DynamicF);
PELMORA_SYMBOL_CLASS(TextPedal, 162, DynamicF);
PELMORA_SYMBOL_CLASS(TextPedalUp, 163, DynamicF);
PELMORA_SYMBOL_CLASS(Text8va, 164, DynamicF);
PELMORA_SYMBOL_CLASS(Text8vb, 165, DynamicF);

// ---- navigation marks and endings ----

PELMORA_SYMBOL_CLASS(Sign1, 151, MusicBitMap);
PELMORA_SYMBOL_CLASS(Sign2, 152, Sign1);
PELMORA_SYMBOL_CLASS(Coda, 153, Sign1);
PELMORA_SYMBOL_CLASS(TextDS, 154, Sign1);
PELMORA_SYMBOL_CLASS(TextDC, 155, Sign1);
PELMORA_SYMBOL_CLASS(TextFine, 156, Sign1);
PELMORA_SYMBOL_CLASS(TextDSFine, 157, Sign1);
PELMORA_SYMBOL_CLASS(TextDCFine, 158, Sign1);
PELMORA_SYMBOL_CLASS(TextDSCoda, 159, Sign1);
PELMORA_SYMBOL_CLASS(TextDCCoda, 160, Sign1);
PELMORA_SYMBOL_CLASS(RepeatEnding12, 173, cLineObject);
PELMORA_SYMBOL_CLASS(RepeatDrawEnding, 174, RepeatEnding12);

// ---- bar lines ----

// Their edges and lines are one table (bar_lines.cpp).
PELMORA_SYMBOL_CLASS(Bar, 166, BaseBar);
PELMORA_SYMBOL_CLASS(BarDouble, 167, BaseBar);
PELMORA_SYMBOL_CLASS(BarLeftDouble, 168, BaseBar);
PELMORA_SYMBOL_CLASS(BarRightDouble, 169, BarLeftDouble);
PELMORA_SYMBOL_CLASS(BarLeftRepeat, 170, BarLeftDouble);
PELMORA_SYMBOL_CLASS(BarRightRepeat, 171, BarRightDouble);
PELMORA_SYMBOL_CLASS(BarDoubleRepeat, 172, BaseBar);

// ---- staffs, systems, page breaks, blocks and the score ----

// The staff family (181 cStaffBase, 183 cMObjBrace, 184 StaffObject) and
// the score (186 ScoreObject) stand a layer above, in staves/: their classes
// plug their makers into the catalogue (SetSymbolMaker).
PELMORA_SYMBOL_CLASS(cMusicPageBreak, 182, cPObjFmtBreak);
// The block mark of staffs and systems: it always spans the whole height of
// the staff or system it marks, so moves follow it horizontally only.
PELMORA_SYMBOL_CLASS_BODY(cMusicBlock, 185, cPObjBlockMark) {
public:
    cMusicBlock() { followY = 0; }
    // From one line above its owner's top edge to one line below its bottom.
    bool OnInsert() override;
};
