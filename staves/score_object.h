// The score: the root of the symbol tree shown in the score window.  Its
// children are systems (braces), free staffs and page breaks, in vertical
// order.  It keeps the score-wide playback settings (tempo and whether
// repeats are replayed) and the end times of the notes still sounding while
// the time walk runs; it decides which staff or system takes a symbol
// dropped into the score, loads files, selects the music font after a file
// was read, keeps bar numbers and pages up to date after every edit and
// re-spaces its systems.
#pragma once

#include <cstdint>

#include "document/document_root.h"
#include "midi/music_track.h"
#include "notation/symbol_classes.h"

class cStaffBase;

class ScoreObject : public lcSymbolClass<ScoreObject, 186, PointWindowObject> {
public:
    static constexpr uint16_t kDefaultTempo = 120;
    static constexpr int16_t kBraceId = 183;
    static constexpr int16_t kStaffId = 184;
    // The y of the score's first staff.
    static constexpr int32_t kFirstStaffY = 40;

    // The new score becomes the current document; it has no brace yet, plays
    // at 120 and replays repeats.
    explicit ScoreObject(cViewPortBase *window = nullptr);
    // Staffs, systems and page breaks run down the pages: the children are
    // kept by y, then x, which printing and pagination walk in turn.
    int32_t GetChildOrder() const override { return 0; }
    // The block marks among the children go first: they refer to what they
    // cover.
    ~ScoreObject() override;

    // The current document as a score; null when it is none.
    static ScoreObject *Current();

    // --- Playback settings --------------------------------------------------
    uint16_t GetTempo() const override { return tempo; }
    int32_t GetPlayRepeats() const override { return playRepeats; }
    void SetTempo(uint16_t value) { tempo = value; }
    void SetPlayRepeats(int32_t value) { playRepeats = value; }
    cPlayDuration *GetPendingEnds() override { return &endTimes; }
    // With a tempo other than 0 the score simply takes it; with 0 the "Set
    // Tempo" dialog runs (tempo_dialog.cpp).  Answers the tempo from before
    // the call.
    uint16_t TempoDialog(uint16_t newTempo);

    // --- Files ----------------------------------------------------------------
    // A Standard MIDI File becomes a score named after it with the extension
    // "pmr"; any other file is read as a score file or text form.  The bars
    // are numbered afterwards either way.
    tStatus LoadFile(const char16_t *path) override;
    // A file of the "Vesterin" format is told it is newer than the program
    // and refused unread; any other header is the document's to check.
    tStatus CheckHeader(const uint8_t *header, uint32_t length) override;
    // The music font of every glyph picture, measured again in the window.
    tStatus OnLoaded(sCmdLoaded *record) override;
    // The play-repeats switch and the tempo in front of the document's
    // record; older files keep the defaults or store the tempo elsewhere.
    uint16_t DataSize() override;
    tStatus SaveBinary(sCmdFileSave *record) override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    // " = tempo, repeats" after the document's fields.
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;

    // --- The staffs -------------------------------------------------------------
    // The score's first staff, emptied and put at y 40; a new score starts
    // unchanged.  Null does nothing; answers 0.
    int32_t AddStaff(cStaffBase *staff);
    // The current part template gives the window its zoom and every staff
    // and system its margin and width.
    virtual void ApplyStaffVisibility();
    // Playback following: the symbol shows itself.
    virtual void HilightObject(cPObjPoint *symbol);
    // The bars are numbered again when an edit asked for it (flag 0x40);
    // answers 0.
    virtual int32_t UpdateBarNumbers();

    // --- Owner operations -------------------------------------------------------
    // Braces, page breaks and (while there is no brace) staffs go into the
    // score; a staff overlapping a system joins it; anything else goes to the
    // nearer of the staff and the system at its place.  False when neither
    // is found.
    bool InsertChild(cPObjPoint *child) override;
    // An empty staff added over a system joins it.
    bool AddChild(cPObjPoint *child) override;
    // The part templates stay; the score has no brace afterwards.
    void Clear(int32_t mode) override;
    // When the last brace goes, hidden parts no longer collapse.
    cPObjPoint *RemoveChild(cPObjPoint *child) override;
    // Commands 15 (how many staffs a child walks) and 7 (each system is
    // re-spaced inside on its own; an empty one goes).
    tStatus CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                           cPObjPoint *previous, void **state) override;
    // Command 7: the systems are stacked and the last one's overflow goes on
    // into the next ones.
    tStatus AfterChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                              cPObjPoint *previous, void **state) override;

    // --- Edits, pages, printing -------------------------------------------------
    // Each edit ends with the bar numbers and pages brought up to date; a
    // drag step only renumbers.
    void DeleteHilighted() override;
    tStatus OnKey(int16_t key, int32_t px, int32_t py) override;
    cPObjPoint *OnMouseUp() override;
    void OnMouseMove(int32_t px, int32_t py) override;
    // Only a score with a staff is paginated, at the template's zoom.
    void Paginate() override;
    // Opens the output window, draws every page at the template's zoom and
    // closes it; PrintPages answers the opening's error or the closing's
    // result (0 without an output window).
    void DrawPages() override;
    tStatus PrintPages();

private:
    void RenumberBars();
    // After an edit: renumbering for flag 0x40, pagination for 0x20.
    void KeepUp(bool paginate);
    // The child of the class at the point, as the insertion finds it.
    cPObjPoint *FindAt(int32_t px, int32_t py, int16_t classId);
    bool HasBrace();
    // The re-spacing of one child with the horizontal or the vertical gap
    // switched off.
    tStatus CondenseChild(int16_t commandId, sCommandMask *mask, sCmdCondense *record, cPObjPoint *child,
                          cPObjPoint *previous, void **state, bool vertical);

    uint16_t tempo = kDefaultTempo;
    int32_t playRepeats = 1;
    cPlayDuration endTimes;
};
