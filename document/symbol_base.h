// The root of every object that can stand in a score document, and the
// module-wide state of the symbol model.  cPObjBase holds a position and the
// link to the owner and introduces the operations that every symbol class
// shares: naming, geometry, navigation of the tree, redraw areas, commands,
// set-up, storage and hints.  Symbols never get their device as an argument:
// they draw on, measure with and ask through gCurrentScoreWindow.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "foundation/base_defs.h"
#include "foundation/rectangle.h"

class cAsciiFile;
class cBinaryFileBase;
class cIniFile;
class cGraphDvc;
class cViewPortBase;
class cPObjBase;
class cPObjPoint;
class cPObjOwnBase;
struct sCommandPrm;
struct sCommandMask;

// Family bits answered by GetTypeFlags; masks and searches filter on them.
enum : uint32_t {
    kTypeIdMatch = 0x1,
    kTypeText = 0x2,
    kTypeBlockMark = 0x4,
    kTypePageBreak = 0x8,
    kTypeNote = 0x10,
    kTypeChord = 0x20,
    kTypeRest = 0x40,
    kTypeClef = 0x80,
    kTypeKey = 0x100,
    kTypeDot = 0x200,
    kTypeAccidental = 0x400,
    kTypeTime = 0x800,
    kTypeBar = 0x1000,
    kTypeStaff = 0x2000,
    kTypeChordText = 0x4000,
    kTypeTie = 0x8000,
    kTypeBeam = 0x10000,
    kTypeOrnament = 0x20000,
    kTypeSign = 0x40000,
    kTypeEnding = 0x80000,
};

// Edit mode: the low four bits say how a drag acts; the block bit is set
// while a block operation runs.
enum : uint32_t {
    kEditModeMask = 0xF,
    kEditMove = 2,
    kEditResize = 3,
    kEditBlock = 0x20,
};

// The first file version word whose positions are 32-bit, and the first
// whose positions are variable-length.
constexpr uint32_t kVersionPositions32 = 0x1050000;
constexpr uint32_t kVersionVarInt = 0x1060000;

// A coordinate not given (searches by position take any).
constexpr int32_t kNoPosition = INT32_MIN;

// Module state of the symbol model; all of it lives on the GUI thread.
extern uint32_t gFileVersion;
extern int32_t gSortMode;
extern uint32_t gDocumentFlags;
extern cPObjPoint *gSelectedObject;
extern cPObjPoint *gFocusObject;
extern cPObjPoint *gHoverObject;
extern cGraphDvc *gCurrentScoreWindow;
extern cGraphDvc *gOutputWindow;
extern cRectangl gRedrawArea;
extern cRectangl gOwnerRedrawArea;
extern uint32_t gEditMode;
extern uint32_t gEditFlags;
extern uint8_t gRelocate;

class cPObjBase {
public:
    class cPointUndo;
    struct sPointString;
    struct sCmdExpAsc;
    struct sCmdImpAsc;
    struct sCmdFileSave;
    struct sCmdCondense;
    struct sCmdLoaded;

    cPObjBase(int32_t x, int32_t y) : x(x), y(y) {}
    virtual ~cPObjBase() = default;
    cPObjBase(const cPObjBase &) = delete;
    cPObjBase &operator=(const cPObjBase &) = delete;

    // Naming and class data.
    virtual const char16_t *GetTypeName() const = 0;
    virtual int16_t GetTypeId() const = 0;
    virtual uint32_t GetTypeFlags(int16_t typeId) const;
    virtual int32_t ResetClassData() { return 0; }
    virtual int32_t FreeClassData() { return 0; }
    virtual int32_t ReinsertInOwner();
    virtual void Assign(const cPObjBase &other) { CopyFrom(other); }
    virtual void CopyFrom(const cPObjBase &other);
    virtual cPObjBase *TakeSettingsFrom(cPObjBase *other) { return this; }
    virtual int32_t GetHotSpotX() { return 0; }
    virtual int32_t GetHotSpotY() { return 0; }
    virtual int32_t Relink() { return 0; }
    virtual bool IsOwner() const { return false; }
    virtual bool IsVisible() { return true; }

    // Navigation of the tree.
    virtual cPObjOwnBase *FindOwner(int16_t typeId, uint32_t flags) const;
    virtual cPObjOwnBase *FindAncestor(const cPObjBase *obj) const;
    virtual uint32_t GetInheritedTypeFlags() const;
    virtual cPObjBase *GetRoot();
    virtual cPObjBase *GetOuterUnit(int32_t wantFlags, uint32_t stopFlags);
    virtual int32_t GetAttachX() { return x; }
    virtual int32_t GetAttachY(int32_t side) { return y; }
    virtual uint16_t FindSiblingFrom(uint16_t index, int16_t typeId, uint32_t flags, cPObjPoint **out);
    virtual cPObjPoint *NextSibling(const cPObjBase *after, int16_t typeId, uint32_t flags, uint8_t crossOwners);
    virtual cPObjPoint *NextOfSameKind(uint8_t crossOwners);
    virtual cPObjPoint *PrevSibling(const cPObjBase *before, int16_t typeId, uint32_t flags, uint8_t crossOwners);
    virtual cPObjPoint *PrevOfSameKind(uint8_t crossOwners);
    virtual uint16_t GetOrdinalOfKind(int16_t typeId, uint32_t flags);
    virtual uint16_t GetIndexInOwner(const cPObjBase *obj);
    virtual cPObjBase *GetEditTarget() { return this; }
    virtual tStatus CheckTypeId(int16_t typeId) const { return typeId == GetTypeId() ? 0 : kFailed; }

    // Commands (symbol_commands.cpp).
    virtual tStatus RepeatCommand();
    virtual tStatus OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record);
    virtual tStatus ExportText(sCmdExpAsc *record);
    virtual tStatus ImportText(sCmdImpAsc *record);
    virtual tStatus SaveBinary(sCmdFileSave *record);
    virtual tStatus Condense(sCmdCondense *record);
    virtual tStatus OnLoaded(sCmdLoaded *record) { return 0; }
    virtual tStatus MatchesMask(sCommandMask *mask);

    // Geometry.
    virtual int32_t GetX() const { return x; }
    virtual int32_t GetY() const { return y; }
    virtual int32_t GetLeft() { return x; }
    virtual int32_t GetTop() { return y; }
    virtual int32_t GetRight() { return x; }
    virtual int32_t GetBottom() { return y; }
    virtual int32_t GetSpacingToleranceX() { return 0; }
    virtual int32_t GetSpacingToleranceY() { return 0; }
    virtual int32_t GetWidth() { return GetRight() - GetLeft() + 1; }
    virtual int32_t GetHeight() { return GetBottom() - GetTop() + 1; }
    virtual void SetX(int32_t value) { x = value; }
    virtual void SetY(int32_t value) { y = value; }
    virtual bool Recalculate() { return true; }
    virtual cRectangl *GetBounds();
    virtual cRectangl *GetImageRect() { return GetBounds(); }
    virtual cRectangl *GetTotalBounds() { return GetBounds(); }
    virtual cRectangl *GetSpacingRect() { return GetBounds(); }
    virtual int32_t HitTest(int32_t px, int32_t py);
    // The hit test of a caller that passes hit-test flags.  Most symbols
    // answer the same whatever the flags; owners and notes look at them.
    virtual int32_t HitTest(int32_t px, int32_t py, int32_t flags) { return HitTest(px, py); }
    virtual void InvalidateBefore();
    virtual void AddRedrawArea(const cRectangl &rect);
    virtual void InvalidateAfter();
    virtual bool IsSamePosition(const cPObjBase &other) const { return x == other.x && y == other.y; }
    virtual bool SortsBefore(const cPObjBase &other) const;
    virtual int32_t GetChildOrder() const { return 1; }
    virtual void MoveXY(int32_t dx, int32_t dy) {
        MoveX(dx);
        MoveY(dy);
    }
    virtual void MoveX(int32_t dx) { x += dx; }
    virtual void MoveY(int32_t dy) { y += dy; }
    virtual void MoveBy(int32_t dx, int32_t dy);
    virtual void ResizeBy(int32_t dw, int32_t dh) {}
    virtual tStatus AcceptsObject(cPObjBase *obj) { return kFailed; }
    virtual void SetPosition(int32_t px, int32_t py) {
        SetX(px);
        SetY(py);
    }

    // Set-up through dialogs on command records (symbol_setup.cpp).
    virtual int32_t Setup(sCommandPrm *record);
    virtual tStatus HasClassSetup();
    virtual tStatus RunClassSetup(sCommandPrm *record);
    virtual sCommandPrm *GetClassSetup(sCommandPrm *record) { return nullptr; }
    virtual tStatus SetClassSetup(sCommandPrm *record) { return 0; }
    virtual tStatus HasObjectSetup();
    virtual tStatus RunObjectSetup(sCommandPrm *record);
    virtual sCommandPrm *GetObjectSetup(sCommandPrm *record) { return nullptr; }
    virtual tStatus SetObjectSetup(sCommandPrm *record) { return 0; }

    // Storage (symbol_files.cpp).
    virtual int16_t GetClassDataSize() { return 0; }
    virtual int32_t LoadClassData(cBinaryFileBase *file, int32_t size) { return 0; }
    virtual void SaveClassData(cBinaryFileBase *file) {}
    virtual void ExportClassData(std::ostream &stream) {}
    virtual void ExportImageKind(std::ostream &stream);
    virtual uint16_t DataSize();
    virtual tStatus LoadBinary(cBinaryFileBase *file, uint16_t size);
    // The score file's header text, version word and class dictionary
    // (score_file.cpp); false when a write failed or a class wrote class
    // defaults of another size than it stated.
    virtual bool WriteFileHeader(cBinaryFileBase *file);

    // Hints and the rest.
    virtual int32_t GetHelpTopic() { return 0; }
    virtual const char16_t *GetHint();
    virtual void SetHint(const char16_t *text);
    virtual tStatus SupportsControl(uint32_t controlId) { return 0; }
    virtual int32_t RestoreFrom(const cPObjBase &copy);
    virtual int32_t AttachTo(cPObjOwnBase *newOwner);
    virtual int32_t DeleteDependents() { return 0; }

    // The "PointObj" errors.
    static void Error(uint32_t code);
    static void ErrorInvalidStream() { Error(0); }
    static void ErrorInvalidDevice() { Error(1); }
    static void ErrorInvalidObject() { Error(2); }
    // Lives for one draw pass of the document.  Meanwhile the model's errors
    // are held, not shown: a box's modal loop would repaint, re-enter the
    // draw and fail again, box after box.  When the outermost pass ends it
    // raises them in order, only the first one for the user to see.
    class cDrawPass {
    public:
        cDrawPass();
        ~cDrawPass();
        cDrawPass(const cDrawPass &) = delete;
        cDrawPass &operator=(const cDrawPass &) = delete;
    };

    // Current windows: answers the previous one.
    static cGraphDvc *SetCurrentWindow(cGraphDvc *window);
    static cGraphDvc *SetOutputWindow(cGraphDvc *window);

    // Pending redraw areas.
    static cRectangl *GetRedrawArea() { return cRectangl::TempCopy(gRedrawArea); }
    static cRectangl *GetOwnerRedrawArea() { return cRectangl::TempCopy(gOwnerRedrawArea); }
    static void ClearRedrawArea() { gRedrawArea = cRectangl(0, 0, 0, 0); }
    static void ClearOwnerRedrawArea() { gOwnerRedrawArea = cRectangl(0, 0, 0, 0); }
    static void RedrawWholeWindow();

    // Edit state: each setter answers the previous value and tells the
    // focus object.
    static uint32_t SetEditMode(uint32_t mode);
    static uint32_t SetEditFlags(uint32_t flags);
    static uint32_t ChangeEditFlags(uint32_t set, uint32_t clear);

    // Position integers of the binary score file, by gFileVersion.
    static uint8_t VarIntSize(int32_t value);
    static tStatus WriteVarInt(cBinaryFileBase *file, int32_t value);
    // Reads an i16, i32 or variable-length integer by the file version;
    // RC_FAIL (value 0) when the file ends or fails first.  A variable-length
    // integer never takes more than 4 bytes, whatever the file says.
    static tStatus ReadPosition(cBinaryFileBase *file, int32_t &value);
    // The current class id of a class id of the file being read (its class
    // map, file_class_map.h); 0 outside the map's range or without a map.
    static int16_t MapFileClassId(int16_t fileId);

    // Reads exactly n bytes; false when the file ends or fails first (a
    // short read moves the position less than asked).
    static bool ReadBytes(cBinaryFileBase *file, void *buffer, uint32_t n);

    // Reads the object's line of the text form and, for an owner, its
    // children's lines: the class name that opens the line (the object is
    // of its class already), then command 5 to the object.  The command's
    // answer, or the reader's error latch when that is negative.
    static tStatus ImportTextFile(cPObjBase *object, cAsciiFile *reader, sCommandMask *mask);

    // The object's reference in a text stream: in debug mode "(" + its
    // reference number in hexadecimal + ")", then its persistent name;
    // "none" for no object.
    static void WriteObjectRef(std::ostream &stream, const cPObjBase *obj);

    // Sends a command for target (the sender when null) through the
    // target's owner, or straight to the target without one.
    static tStatus SendCommand(cPObjBase *sender, int16_t commandId, sCommandMask *mask, sCommandPrm *record,
                               cPObjBase *target);
    // The kept copies: each setter frees the previous copy and keeps a copy
    // of a non-null record; the getters answer the module's copy.
    static void SetLastCommand(const sCommandPrm *record);
    static sCommandPrm *GetLastCommand();
    static void SetRepeatCommand(const sCommandPrm *record);
    static sCommandPrm *GetRepeatCommand();
    static void FreeCommandCopies();

    // The class registry (symbol_registry.cpp).  Each operation reports
    // "Invalid object" without a registry object and answers its failure
    // value.
    static void InitRegistry();
    static void FreeRegistry();
    static int32_t VerifyRegistry();
    static bool RegistryAllocated();
    static void ReserveRegistryIds(int16_t first, int16_t last);
    static void RegisterEntry(int16_t id, cPObjPoint *prototype, const char16_t *hint);
    static cPObjPoint *PrototypeById(int16_t id);
    static cPObjPoint *NewById(int16_t id);
    static cPObjPoint *PrototypeByName(const char16_t *name);
    static int32_t ResetPrototypes();
    static void RegisterBaseClasses();
    static tStatus LoadClassTexts(const cIniFile *languageFile);
    static tStatus WriteClassTexts(cIniFile *file);
    // Builds the registry: the old one freed, a new one sized by a first
    // run of the builder, its slots and the undo list made, filled by a
    // second run, checked, and the id range closed at kLastClassId.  The
    // builder adds the classes from 17 on and calls RegisterBaseClasses.
    using tPrototypeBuilder = void (*)();
    static int32_t BuildRegistry(tPrototypeBuilder builder);

    // Stores the relocate option and shows it as the check mark of Format >
    // Relocate in the main window's menu; answers the previous value.
    static uint8_t SetRelocate(uint8_t on);

    // Frees the registry, the undo list, the shape images and the kept
    // command copies.
    static void ShutDown();

    // The class name refreshed from GetTypeName (after cloning, placing,
    // loading and fetching as a prototype).
    const char16_t *GetClassName() const { return className; }
    void RefreshClassName() { className = GetTypeName(); }

    int32_t x;
    int32_t y;

protected:
    friend class cPObjPoint;
    friend class cPObjOwnBase;
    // Moves the object the difference to (x, y) without a notice.
    void MoveTo(int32_t px, int32_t py) { MoveXY(px - x, py - y); }

    cPObjOwnBase *owner = nullptr;
    const char16_t *className = u"cPObjBase";
};

// "PointObj": the module's error table.
enum : uint32_t {
    kPointObjInvalidStream = 0,
    kPointObjInvalidDevice = 1,
    kPointObjInvalidObject = 2,
    kPointObjTotalPoints = 3,
    kPointObjNestedDraw = 4,
    kPointObjBlock = 5,
    kPointObjTypeMismatch = 6,
    kPointObjDataSize = 7,
};

// True when an object's type flags meet a kind filter (0 = any id, 0 = any
// flags).
bool IsOfKind(const cPObjBase *obj, int16_t typeId, uint32_t flags);
