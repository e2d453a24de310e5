// Point symbols: the first concrete class of the symbol chain and the base
// of every object placed in a score.  It adds destruction and cloning,
// drawing, hit rectangles, selection and focus, keyboard editing, dragging,
// owner links, detaching, the snapshots of block moves and proportional
// scaling.  Every symbol is allocated through its counted operator new.
#pragma once

#include <cstddef>
#include <cstdint>

#include "document/music_base.h"
#include "foundation/vector_ptr.h"
#include "platform/key_names.h"

// Live symbols made by the counted allocation and not yet destroyed.
extern uint32_t gLiveSymbolCount;
// Symbol draws left in this pass; each base Draw takes one.
extern uint32_t gDrawBudget;
extern int32_t gDragStartX;
extern int32_t gDragStartY;

// Hit kinds of BeginDrag.
enum : int32_t { kHitResize = 2, kHitMove = 3 };

class cPObjPoint : public cMusicBase {
public:
    class cBlockPoint;

    cPObjPoint() { owner = nullptr; }
    // Clears every global that still names the object; counts it down.
    ~cPObjPoint() override;

    static void *operator new(std::size_t size);
    static void operator delete(void *p);

    const char16_t *GetTypeName() const override { return u"Point"; }
    int16_t GetTypeId() const override { return 1; }
    void Hilight() override;

    // A new default object of the object's own class.
    virtual cPObjPoint *NewSameClass() const { return new cPObjPoint; }
    // 0 when the object concerns the rectangle (flags 0x40: inside it; 0x100:
    // its position only; otherwise its bounds meet it).
    virtual tStatus TestRect(const cRectangl &rect, int16_t flags);
    virtual cPObjPoint *Draw();
    virtual cRectangl *DrawRect(const cRectangl &rect, int16_t flags);
    virtual void DrawPicture(int32_t px, int32_t py, cGraphDvc *window);
    virtual void ClearSelection(int16_t typeId, uint32_t flags);
    virtual cPObjPoint *Select();
    virtual bool IsSelected() const { return this == gSelectedObject; }
    virtual cPObjPoint *OnSelect(cPObjPoint *previous) { return this; }
    virtual int32_t OnDeselect();
    virtual void DeleteHilighted();
    virtual void DeleteFocused();
    virtual void PlaceIn(cPObjOwnBase *newOwner, int32_t px, int32_t py);
    virtual bool OnInsert() { return true; }
    virtual bool IsUnit() { return false; }
    virtual tStatus OnKey(int16_t key, int32_t px, int32_t py);
    virtual int32_t GetKeyStepLeft() { return -1; }
    virtual int32_t GetKeyStepRight() { return 1; }
    virtual int32_t GetKeyStepUp() { return -1; }
    virtual int32_t GetKeyStepDown() { return 1; }
    virtual int32_t GetHandleX() { return x; }
    virtual int32_t GetHandleY() { return y; }
    virtual void MovePointerToHandle();
    virtual void SetOwner(cPObjOwnBase *newOwner) { owner = newOwner; }
    // Takes the object out of the tree; with deleteIt the undo list keeps
    // it, otherwise the caller owns it.
    virtual cPObjPoint *Detach(uint8_t deleteIt);
    virtual cBlockPoint *SaveToBlockPoint(cBlockPoint *node);
    virtual void LoadFromBlockPoint(const cBlockPoint *node);
    virtual cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t hitKind);
    virtual cPObjPoint *EndDrag();
    virtual int32_t AutoArrange() { return 0; }
    virtual int32_t OnEditModeChanged(int32_t change) { return 0; }
    virtual int32_t ApplyClassDefaults() {
        RefreshClassName();
        return 0;
    }
    virtual int32_t ClearChangeFlags() {
        gDocumentFlags = 0;
        return 0;
    }
    // Places the object inside a block that moves by dx, dy and changes
    // from oldW x oldH to newW x newH at x0, y0; the node keeps the unscaled
    // position, so repeated resizes never accumulate rounding.
    virtual cBlockPoint *ScaleTo(cBlockPoint *node, int32_t x0, int32_t y0, int32_t dx, int32_t dy, int32_t oldW,
                                 int32_t oldH, int32_t newW, int32_t newH);

    // Writes the score file of the object (normally the document) to the
    // path (the current document's file name when null), addressing the
    // objects of the mask (every object when null).  The previous file is
    // replaced only when every byte was written and the file closed; then
    // the change flags are cleared.  Any failure is reported, answers
    // kFailed and keeps both the previous file and the change flags.
    static tStatus SaveFile(cPObjPoint *object, const char16_t *path, sCommandMask *mask);
    // NewSameClass with the new object's class name set.
    static cPObjPoint *NewSameClassNamed(const cPObjPoint *obj);
    // Registers this object as its class's prototype.
    void Register(const char16_t *hint);

    // Scales one coordinate: from + (newSize * (at - from) + w / 2) / w with
    // w = oldSize or 1, truncating; computed in 64 bits, so positions far
    // from the origin keep their exact result.
    static int32_t ScaleCoordinate(int32_t from, int32_t at, int32_t oldSize, int32_t newSize);
};

// A node of the tree with which a block mark records what it covers.
class cPObjPoint::cBlockPoint {
public:
    // An empty node under a parent.
    explicit cBlockPoint(cBlockPoint *parent = nullptr) : parent(parent) {}
    // A node for an object; with notice the object fills it in.
    cBlockPoint(cBlockPoint *parent, cPObjPoint *obj, bool notice);
    virtual ~cBlockPoint() = default;
    cBlockPoint(const cBlockPoint &) = delete;
    cBlockPoint &operator=(const cBlockPoint &) = delete;

    void Set(cPObjPoint *obj, int32_t fx, int32_t fy, bool notice);
    void SetFactors(int32_t fx, int32_t fy) {
        factorX = fx;
        factorY = fy;
    }
    cBlockPoint *AddChild(cPObjPoint *obj, bool notice);
    // The object of the first child node, which goes; null without one.
    cPObjPoint *PopChild();
    cBlockPoint *ChildNode(int32_t index) const;
    cPObjPoint *ChildObject(int32_t index) const;
    void MoveChildren(int32_t dx, int32_t dy);
    void ScaleChildren(int32_t x0, int32_t y0, int32_t dx, int32_t dy, int32_t oldW, int32_t oldH, int32_t newW,
                       int32_t newH);

    bool operator==(const cBlockPoint &other) const { return object == other.object && x == other.x && y == other.y; }
    bool operator<(const cBlockPoint &other) const { return y < other.y || (y == other.y && x < other.x); }

    cPObjPoint *object = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    int32_t factorX = 1;
    int32_t factorY = 1;
    uint16_t firstIndex = 0;
    uint16_t lastIndex = 0;
    cBlockPoint *parent;
    lcVectorPtr<cBlockPoint> children;
};

// The shape symbol: a point symbol that draws a picture of its class.  Its
// pictures come with the shape images; here it is the base of the scaled
// and the text symbols.
class ShapeObject : public cPObjPoint {
public:
    const char16_t *GetTypeName() const override { return u"Shape"; }
    int16_t GetTypeId() const override { return 2; }
    cPObjPoint *NewSameClass() const override { return new ShapeObject; }
};
