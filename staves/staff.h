// Staffs: the owners of the symbols of one part on one line of music.
//
// cStaffBase (class 181) holds what staffs and systems share: the staff's
// rectangle (x its left edge, y its top line, width and height from its part
// template), the index of its part template and the y it had before hidden
// parts were collapsed.  It answers the staff geometry (staff_geometry.cpp):
// where a height lies in steps, the alteration of a step, where clefs, keys
// and time signatures go, ledger lines and the MIDI set-up of its part.
// StaffObject (184) is one staff: the clef, key and time word in force at its
// start (drawn in its header, not members), its members sorted by x, and the
// running context from its start up to any x.  The brace cMObjBrace (183),
// a system of staffs, derives from cStaffBase too.
//
// The part templates (part_templates.h) and the class-wide state below are
// shared by every staff of the score.
#pragma once

#include <cstdint>

#include "document/base_classes.h"
#include "document/music_commands.h"
#include "notation/staff_services.h"
#include "notation/symbol_classes.h"

class cMusicTrack;

class cStaffBase : public lcSymbolClass<cStaffBase, 181, cPObjGroup>, public cStaffServices {
public:
    // Part templates and the records that carry them (part_templates.h).
    struct sTemplate;
    class StaffTemplate;
    struct sTemplateSetup;
    struct sCmdStaffSetStat;
    struct sCmdStaffSetProp;

    // No y stored: the staff is where it stands.
    static constexpr int32_t kNoStoredY = static_cast<int32_t>(0x80000000u);

    // Raises a "StaffObj" error (kStaffObjInvalidObject ..) for the user.
    static void Error(uint32_t index);

    // Takes the current template (making the default list when there is
    // none), clamps the indexes, and the score window's default font for the
    // part names when none is chosen yet.
    cStaffBase();
    // Bar numbers are out of date once a staff goes.
    ~cStaffBase() override;

    // --- Root operations --------------------------------------------------
    // Deletes the template list.
    int32_t FreeClassData() override;
    // False only for a staff (not a brace) whose part is hidden in a score
    // with a brace.
    bool IsVisible() override;
    tStatus OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) override;
    // --- Storage (staff_storage.cpp) ----------------------------------------
    // The class data: the size is the count of bytes SaveClassData writes;
    // the reader goes by the content, not by the size in the dictionary.
    int16_t GetClassDataSize() override;
    int32_t LoadClassData(cBinaryFileBase *file, int32_t size) override;
    void SaveClassData(cBinaryFileBase *file) override;
    void ExportClassData(std::ostream &stream) override;
    // The part-name font becomes the score window's default font.
    tStatus OnLoaded(sCmdLoaded *record) override;
    uint16_t DataSize() override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    bool IsSamePosition(const cPObjBase &other) const override;
    bool SortsBefore(const cPObjBase &other) const override;
    // Staffs move vertically only.
    void MoveBy(int32_t dx, int32_t dy) override;
    // Takes only objects of the staff family.
    tStatus AcceptsObject(cPObjBase *obj) override;
    // A staff is dragged vertically: its handle x is the mouse's.
    int32_t GetHandleX() override;
    int32_t GetHandleY() override { return y; }
    int32_t OnEditModeChanged(int32_t change) override;
    // The staff set-up: a copy of the template list, the selected template
    // and the bar-number flag; applying replaces the score's list.
    sCommandPrm *GetClassSetup(sCommandPrm *record) override;
    tStatus SetClassSetup(sCommandPrm *record) override;
    sCommandPrm *GetObjectSetup(sCommandPrm *record) override;
    tStatus SetObjectSetup(sCommandPrm *record) override;

    // --- Music layer --------------------------------------------------------
    // Scrolls the staff into view (playback following).
    void Hilight() override;
    tStatus OnExport(sCmdExport *record) override;
    tStatus CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                           cPObjPoint *previous, void **state) override;
    int32_t SnapToStep(int32_t y) override;
    void PlaceCentered(cMusicBase *symbol) override;

    // --- The staff family ----------------------------------------------------
    // The object at the same place in the next system (or the next sibling
    // of its class outside a brace).
    virtual cPObjPoint *NextInSystem(cPObjPoint *obj);
    virtual cPObjPoint *NextStaffInSystem();
    // The member whose bounds begin furthest left / the last of a kind.
    virtual cPObjPoint *FindLastSymbol();
    virtual cPObjPoint *FindLastOfKind(int16_t typeId, uint32_t flags);
    virtual int32_t GetBottomLineY();
    virtual int32_t GetTopLineY();
    virtual void ClearStaffs();
    // A free time signature at x, inserted and made the default.
    virtual cPObjPoint *InsertTimeSignature(int32_t px, int32_t numerator, int32_t log2Denominator);
    virtual int32_t CountStaffs() { return 0; }
    virtual cStaffBase *GetFirstStaff() { return nullptr; }
    virtual int32_t GetStoredY() const { return storedY; }

    // --- Part templates --------------------------------------------------------
    uint16_t GetTemplateIndex() const { return templateIndex; }
    void SetTemplateIndex(uint16_t index) { templateIndex = index; }
    // The staff's template, the index clamped to the last one; null without
    // a list.
    sTemplate *TemplateOf();
    void SetTemplateProgram(int32_t program);
    void SetTemplateChannel(int32_t channel);
    void SetPartName(const char16_t *name);
    // The template index of the other staff, with x, width and height from
    // that template.
    void TakeTemplateOf(cStaffBase *other);
    // The staff's index and the current index, each clamped to the list.
    void ClampTemplateIndex();

    static void MakeDefaultTemplates();
    static sTemplate *CurrentTemplate();
    static int32_t CurrentLineSpacing();
    static int32_t CurrentHalfSpacing();
    static void AddTemplatesUpTo(cStaffBase *staff, int32_t index);
    static void RebuildPercussionSets(StaffTemplate *list);
    // A template read from a file: fewer than two lines, a line spacing
    // below 2 units and sizes that are not positive take the values of a
    // new template (each would divide by zero somewhere).
    static void SanitizeTemplate(sTemplate &t);
    // Makes the default list when there is none and clamps the current
    // index to the list.
    static void SettleTemplateList();

    static uint32_t GetScoreStaffFlags();
    static void ClearScoreStaffFlags();
    static void SetBraceFlag();
    static int16_t SetNoteGrid(int16_t value);
    static cPObjPoint *SetPendingBar(cPObjPoint *bar);

    // --- Drawing (staff_drawing.cpp) --------------------------------------------
    // A hidden part draws nothing, takes an empty rectangle at its place and
    // cannot be hit when the hit test skips hidden parts (flag 0x20).
    cPObjPoint *Draw() override;
    cRectangl *DrawRect(const cRectangl &rect, int16_t flags) override;
    cRectangl *GetBounds() override;
    // x, or a brace owner's left when it lies further left.
    int32_t GetLeft() override;
    // y; in a score with a brace the part name above the staff is inside.
    int32_t GetTop() override;
    // The members' bounds; without members an empty rectangle where the
    // content starts on the top line.  A hidden part's has no size.
    cRectangl *GetTotalBounds() override;
    cPObjPoint *HitTestChildren(int32_t px, int32_t py, int16_t typeId, uint32_t flags, uint32_t excludeFlags,
                                const cPObjBase *excluded) override;
    // The note grid.
    void DrawGroupParts() override;
    // The template's name in front of the staff; answers 0.
    virtual int32_t DrawPartName();
    // Bar numbers above the staff (none while numbering is off: the
    // rectangle is then 1 x 1 on the top line).
    cRectangl *GetBarNumberRect(int32_t number, int32_t px) override;
    void DrawBarNumber(int32_t number, int32_t px) override;
    // The output window's zoom from the current template; 0 without one.
    static float ApplyTemplateZoom();
    // The ticks of one measure of the time word under the grid (2 quarter,
    // 3 eighth, 4 sixteenth); 0 for any other grid value.
    static int32_t NoteGridCells(uint16_t timeWord, int32_t grid);

    // --- Staff geometry (cStaffServices, staff_geometry.cpp) ------------------
    int32_t LineSpacing() override;
    int32_t GetCurrentHalfSpacing() override { return CurrentHalfSpacing(); }
    int32_t StepAtClef(int32_t y, int16_t headGlyph, int16_t clef) override;
    int32_t StepAt(int32_t y, int16_t headGlyph) override;
    int32_t AlterationAt(int32_t y, int16_t headGlyph, int16_t key, int16_t clef) override;
    int32_t AlterationAtCurrent(int32_t y, int16_t headGlyph) override;
    void PlaceAtStep(cPObjBase *symbol, int32_t n) override;
    int32_t MoveOffLine(int32_t y) override;
    void PlaceKeySharp(cPObjBase *key) override;
    void PlaceKeyFlat(cPObjBase *key) override;
    void DrawLedgerLines(cMusicBase *note) override;
    cRectangl *LedgerLinesRect(cMusicBase *note) override;
    void ApplyMidiSetup(cPObjBase *symbol, cMusicTrack *track, int32_t time) override;
    void CenterText(cPObjBase *text);
    void RightAlignText(cPObjBase *text);

    // The defaults of new staffs; each also sets the running value and
    // answers the previous default.
    int16_t SetDefaultClef(int16_t clef) override;
    int16_t SetDefaultKey(int16_t key) override;
    uint16_t SetDefaultTime(int32_t numerator, int32_t log2Denominator) override;
    // The default clef without the running one.
    static int16_t SetDefaultClefOnly(int16_t clef);

protected:
    // The command after the mask test (its answer given): hidden-part moves,
    // templates and bar numbers here, the score commands of the music layer
    // on the staff itself, then its members.
    tStatus HandleCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record, tStatus match);
    // Command 17: back to the stored y (flags 0), the y kept while hidden
    // parts collapse (flag 1), the template's margin and width (flag 2).
    void OnStaffHide(sCmdStfHide *record);
    // The first accidental of a key signature, from the clef in force at it.
    void PlaceKey(cPObjBase *key, bool flat);
    // The length of a ledger line, in units.
    int32_t LedgerWidth();
    void DrawNoteGrid();
    int32_t BarNumberY();
    // The staff-base class data by the file's version (older files carry
    // it inside the staff's).
    static int32_t ReadStaffBaseData(cBinaryFileBase *file);

    uint16_t templateIndex = 0;
    int32_t storedY = kNoStoredY;
};

// "StaffObj": the module's error table.
enum : uint32_t {
    kStaffObjInvalidObject = 0,
    kStaffObjInvalidDevice = 1,
    kStaffObjFileExport = 2,
};

class StaffObject : public lcSymbolClass<StaffObject, 184, cStaffBase> {
public:
    // x at the template's margin, y 0, width and height from the current
    // template; the default clef, key and time, each also made the running
    // one.
    StaffObject();

    int16_t GetClassDataSize() override;
    int32_t LoadClassData(cBinaryFileBase *file, int32_t size) override;
    void SaveClassData(cBinaryFileBase *file) override;
    void ExportClassData(std::ostream &stream) override;
    uint16_t DataSize() override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;

    int16_t GetStartClef() const { return clef; }
    int16_t GetStartKey() const { return key; }
    uint16_t GetStartTimeWord() const { return timeWord; }
    void SetStartClef(int16_t id) { clef = id; }
    void SetStartKey(int16_t id) { key = id; }
    void SetStartTimeWord(uint16_t word) { timeWord = word; }

    // The owner values, clef, key, time word and the clamped template index;
    // another class raises "Invalid object".
    void CopyFrom(const cPObjBase &other) override;
    // From a staff: its context run to its end gives the clef, key and time.
    cPObjBase *TakeSettingsFrom(cPObjBase *other) override;
    tStatus OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) override;
    // Only y changes.
    void SetPosition(int32_t px, int32_t py) override;
    tStatus OnExport(sCmdExport *record) override;
    tStatus OnTranspose(sCmdTranspose *record) override;
    bool OnInsert() override;
    tStatus CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                           cPObjPoint *previous, void **state) override;
    tStatus BeforeChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                               cPObjPoint *previous, void **state) override;
    // After the header: the header key's right edge, else the clef's.
    int32_t GetContentLeft() override;
    // Header clefs and keys become the staff's start; measure symbols go to
    // their bar line; time signatures set the running time.
    bool InsertChild(cPObjPoint *child) override;
    void RunContext(int32_t limitX, int32_t flags, sCommandPrm *record) override;

    // The bottom line of a five-line staff of the current template.
    int32_t GetBottomLineY() override;
    int32_t CountStaffs() override { return 1; }
    cStaffBase *GetFirstStaff() override { return this; }

    // The header's parts: the width of the starting clef's picture, the x
    // where the header key signature stands and its width (0 for KeySigC).
    int32_t HeaderClefWidth();
    int32_t HeaderKeyX();
    int32_t HeaderKeyWidth();
    // Puts the prototypes of the starting clef and key where the header
    // shows them; answers the header's last symbol (null without a
    // registry).
    cPObjPoint *PlaceHeader();

    // Lines, header and note grid; a staff starts in the time in which the
    // staff before it in its owner ended.
    void DrawGroupParts() override;
    // The header clef and key reach above and below the lines.
    int32_t GetTop() override;
    int32_t GetBottom() override;
    // Two dots right or left of a repeat bar line at x.
    void DrawRepeatDotsAfter(int32_t px) override;
    void DrawRepeatDotsBefore(int32_t px) override;

private:
    void DrawHeader();
    int32_t RepeatDots(int32_t dotX);

    // The export of the staff's part begins before its first member: its
    // part's track of a MIDI file becomes the sink, which takes the part's
    // channel, program and transposition.
    void StartPart(sCmdExport *record, cPObjPoint *first);

    int16_t clef;
    int16_t key;
    uint16_t timeWord;
};

// A system of staffs (its own behaviour comes with the systems).
class cMObjBrace : public lcSymbolClass<cMObjBrace, 183, cStaffBase> {
public:
    // A system's staffs lie one below the other: kept by y, then x.
    int32_t GetChildOrder() const override { return 0; }
};

// ---- Class-wide state of the staffs ----
extern cStaffBase::StaffTemplate *gStaffTemplates;
extern uint16_t gCurrentTemplateIndex;
// 1: the score has a brace; 2: a hidden part exists among braced staffs.
extern uint32_t gScoreStaffFlags;
extern int16_t gPartNameFont;  // 0xFFFF (-1): none chosen yet
extern int16_t gNoteGrid;
extern int32_t gBarNumberMode;
extern int16_t gStaffClefGap;
extern int16_t gStaffKeyGap;
extern int16_t gStaffDefaultClef;
extern int16_t gStaffDefaultKey;
extern uint16_t gStaffDefaultTime;
