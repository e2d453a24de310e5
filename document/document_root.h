// The document root: the group that owns every top-level symbol of a score,
// knows the document's file and the score window that shows it, and turns
// that window's mouse and key events into edits of the symbol tree, each
// recorded in the undo list.  It draws the document whole, by rectangle or
// by the visible area, and keeps the pending redraw areas honest.  The score
// of the music layer derives from it.  Loading and saving the file are
// score_file.cpp's.
#pragma once

#include <cstdint>

#include "document/owner_groups.h"
#include "foundation/char_string.h"

class cAsciiFile;
class cBinaryFileBase;
class cDebugLog;
class cViewPortBase;

// The mouse position at which the last edit step was applied, in document
// units.  A drag moves the object by the distance from here, so steps too
// small to move it add up.
extern int32_t gLastMouseX;
extern int32_t gLastMouseY;

class PointWindowObject : public cPObjGroup {
public:
    // Drag kinds of SelectObject: a new object, a first click on an object,
    // a second click on the object that already has the focus.
    enum : int32_t { kDragNew = 2, kDragFirst = 3, kDragAgain = 4 };

    // The new document becomes the current one.  The window is the score
    // window that shows it.
    explicit PointWindowObject(cViewPortBase *window = nullptr);
    // Clears the selection, the children and the undo list, and forgets
    // being the current document.
    ~PointWindowObject() override;

    const char16_t *GetTypeName() const override { return u"Window"; }
    int16_t GetTypeId() const override { return 12; }
    cPObjPoint *NewSameClass() const override { return new PointWindowObject(scoreWindow); }

    // --- Operations of the document -------------------------------------
    // The index of the last child lying before the position in child order;
    // 0 when none does or when a coordinate is kNoPosition.
    virtual uint16_t FindChildIndexAt(int32_t px, int32_t py);
    // Draws the children that reach the visible area of the score window;
    // answers that area as a temporary rectangle.
    virtual cRectangl *Redraw(int16_t flags);
    // Ctrl+Z (26) undoes, Insert (29) toggles the insert mode; any other key
    // goes to the focus object at the last mouse position (kFailed without
    // one).
    virtual tStatus OnDocumentKey(int16_t key);
    virtual uint32_t GetChangeFlags() { return gDocumentFlags; }
    // The score-wide playback settings: the tempo in quarter beats per
    // minute and whether playback and export replay repeats.  A bare
    // document plays at 120 with repeats; the score keeps its own.
    virtual uint16_t GetTempo() const { return 120; }
    virtual int32_t GetPlayRepeats() const { return 1; }
    // Ends a mouse edit; answers the edited object, or null when it went.
    virtual cPObjPoint *OnMouseUp();
    // The header's bytes as read (length of them): the product word, as
    // UTF-16 or 8-bit text, ending in the end-of-text mark; otherwise the
    // user is told and kFailed answered.  Then VersionAlert's answer.
    virtual tStatus CheckHeader(const uint8_t *header, uint32_t length);
    // Tells the user when the file being read is newer than the program;
    // loading goes on (0).
    virtual tStatus VersionAlert();
    // The header, version word and class dictionary of a score file.
    virtual tStatus ReadHeader(cBinaryFileBase *file);
    // Empties the document and reads the file into it (the text form for a
    // ".txt" name, else the binary file).
    virtual tStatus LoadFile(const char16_t *path);
    // Empties the document and reads the text form from the reader, as
    // LoadFile does for a ".txt" path (the path names the file; the document
    // takes it with the extension "pmr").  A file that is not a text form of
    // this program, or whose objects cannot be read, is refused with "This is
    // not a valid Pelmora file."; what was read before the fault stays.
    tStatus LoadText(cAsciiFile &reader, const char16_t *path);
    // --- The text form (text_form.cpp) ----------------------------------
    // Writes the whole text form of the document (configuration, class
    // table, in debug mode the editing state and the undo list, the object
    // lines, the font table) into the log as one entry.  0 when it reached
    // the log whole; kFailed without a document or log, or when the entry
    // failed.  The mask picks the objects written (null: all of them).
    static tStatus WriteText(PointWindowObject *document, cDebugLog *log, sCommandMask *mask);
    // The same text into a file of its own, which replaces the file at the
    // path only once it is complete: a failed export keeps the previous
    // file.  RC_OK or RC_FAIL.
    tStatus ExportTextFile(const char16_t *path, sCommandMask *mask);
    // The text form of the current document into the session log; kFailed
    // without a current document.
    static tStatus WriteDiagnosticReport();
    // WriteDiagnosticReport as the error reporter's first-error callback.
    static void OnFirstReportedError();
    // A drag step to (x, y).
    virtual void OnMouseMove(int32_t px, int32_t py);
    // Null stores "NoName".
    virtual void SetFileName(const char16_t *path);
    // Starts a mouse edit at (x, y) with the palette's tool (a class id, 0
    // for none); answers the object now being edited, or null.
    virtual cPObjPoint *OnMouseDown(int16_t tool, int32_t px, int32_t py);
    // Places a new object, inserts it into the document, records its
    // creation and selects it; null when the document refuses it (the
    // caller still owns it then).
    virtual cPObjPoint *AddObject(cPObjPoint *obj, int32_t px, int32_t py, int32_t dragKind);
    // Selects the object and starts dragging it; answers gHoverObject.
    virtual cPObjPoint *SelectObject(cPObjPoint *obj, int32_t px, int32_t py, int32_t dragKind);
    // Scrolls the score window to the child after the children lying wholly
    // inside the rectangle; false when there is none.
    virtual bool ScrollToPage(const cRectangl &rect);
    // Rebuilds the automatic page breaks from the output device's page
    // height and numbers every break and the pages; nothing without an
    // output device.  The change flags stay as they were, less the request
    // for pagination.
    virtual void Paginate();
    // Prints the document page by page on the output device, which the
    // caller has opened: every page starts at the break before it and ends
    // with its footer.
    virtual void DrawPages();

    // The insert-mode flag (the main window shows "INS" while it is set).
    void ToggleFlag() { insertMode = insertMode ? 0 : 1; }
    uint8_t GetInsertMode() const { return insertMode; }
    const char16_t *GetFileName() const { return fileName.c_str(); }
    cViewPortBase *GetScoreWindow() const { return scoreWindow; }
    // The objects that move along with the dragged one in Move All mode.
    const cBlockPoint &GetMoveAlong() const { return moveAlong; }

    // --- Root and owner operations the document overrides ---------------
    // Frees the file class map, then the base work.
    int32_t FreeClassData() override;
    // The document itself never moves in a condense pass.
    tStatus Condense(sCmdCondense *record) override { return 0; }
    // The visible area of the score window goes to the pending area;
    // nothing without a window.
    void InvalidateBefore() override;
    void InvalidateAfter() override { RedrawWholeWindow(); }
    // The owner's record, then the font table (and, in old files, the file
    // name).
    uint16_t DataSize() override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    cPObjPoint *Draw() override;
    cRectangl *DrawRect(const cRectangl &rect, int16_t flags) override;
    // The music owner's step, then a condense pass moves a child that would
    // cross the page end to the top of the next page.
    tStatus CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                           cPObjPoint *previous, void **state) override;
    // The undo list goes first: its records name the children.
    void Clear(int32_t mode) override;
    uint32_t GetHitTestFlags() override { return 4; }
    // Marks the document changed, then inserts.
    bool InsertChild(cPObjPoint *child) override;
    // The document neither grows nor follows its children.
    void OnChildMoved(cPObjPoint *child, int32_t dx, int32_t dy) override {}
    // With a position, the search starts at the last child lying before it
    // and ends after the children at it.
    cPObjPoint *FindChild(const cPObjBase *obj, int32_t px = kNoPosition, int32_t py = kNoPosition) override;

protected:
    // The window the document draws on and reads the mouse from: as for
    // every symbol the current score window, else its own; null without
    // either.
    cGraphDvc *Window() const;
    // Whether a child lies before the position in the document's child
    // order (0: y first, else x first).
    bool LiesBefore(const cPObjBase &child, int32_t px, int32_t py) const;
    // The line at the page's right edge, from the top of the visible area to
    // its bottom; only with an output device.
    void DrawPageEdge();
    // The steps of a mouse-down: what the click hits for the tool (the
    // selected object first); taking the hit out of its owner into the
    // document (relocate mode); and choosing the object to edit with its
    // undo record, which may be a new unit of the tool attached to the hit.
    cPObjPoint *HitForTool(int16_t tool, const cPObjPoint *prototype, int32_t px, int32_t py);
    cPObjPoint *Relocate(cPObjPoint *hit, cPObjOwnBase *from, int32_t px, int32_t py);
    cPObjPoint *TakeForEdit(cPObjPoint *hit, int16_t tool, cPObjPoint *prototype, int32_t px, int32_t py,
                            int32_t &dragKind);

    // What every load does before reading: the document emptied (with the
    // undo list), the file name stored, the class data of every prototype
    // reset; answers the current document.  And after: the default font, the
    // "loaded" command (kind 1 binary, 2 text), the document's geometry and
    // change flags cleared, nothing selected, and the document that was
    // current before is current again (a file may hold a document as a
    // child, and a new document makes itself current); answers the result
    // of the reading.
    PointWindowObject *BeginLoad(const char16_t *fileName);
    tStatus EndLoad(tStatus result, int32_t kind, PointWindowObject *current);
    // The text form's configuration, version and object lines (text_form.cpp).
    tStatus ReadTextForm(cAsciiFile &reader);

    cCharString fileName;
    int32_t drawNesting = 0;
    cBlockPoint moveAlong;
    uint8_t insertMode = 0;
    cViewPortBase *scoreWindow = nullptr;  // borrowed
};

// The document most recently made; the undo list looks its records' owners
// up in it.
extern PointWindowObject *gCurrentDocument;
