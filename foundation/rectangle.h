// Plane geometry on integer coordinates, x to the right and y downwards:
// the point that answers the questions every shape shares, and the
// rectangle with a signed width and height and inclusive edges.
#pragma once

#include <cstdint>

#include "foundation/base_defs.h"
#include "foundation/char_string.h"

// A point; the base of every shape.  Held by value inside its owners.
class cShapes {
public:
    cShapes() = default;
    cShapes(int32_t x, int32_t y) : x(x), y(y) {}

    virtual bool IsEmpty() const { return true; }
    virtual void Clear() {}
    virtual int32_t Area() const { return 0; }
    virtual int32_t Scale(float factor) { return 0; }
    virtual void SetRadius(int32_t radius) {}
    // 0 for exactly this point, else RC_FAIL.
    virtual tStatus TestPoint(int32_t px, int32_t py) const;
    virtual int32_t Right() const { return x; }
    virtual int32_t Bottom() const { return y; }
    virtual int32_t Left() const { return x; }
    virtual int32_t Top() const { return y; }
    // Distances between the edges, without sign.
    virtual int32_t Width() const;
    virtual int32_t Height() const;
    virtual void SetRightBottom(int32_t r, int32_t b) { x = r, y = b; }
    virtual void SetRight(int32_t r) { x = r; }
    virtual void SetBottom(int32_t b) { y = b; }
    virtual void SetLeftTop(int32_t l, int32_t t) { x = l, y = t; }
    virtual void SetLeft(int32_t l) { x = l; }
    virtual void SetTop(int32_t t) { y = t; }
    virtual void SetEdges(int32_t l, int32_t t, int32_t r, int32_t b) { x = l, y = t; }
    virtual void SetEdgesOf(const cShapes &other);
    virtual void SetSize(int32_t w, int32_t h) {}
    virtual void SetWidth(int32_t w) {}
    virtual void SetHeight(int32_t h) {}
    // "x,y" as a temporary string.
    virtual const char16_t *ToText() const;
    // Reads x and y (white space and commas between them); answers the
    // characters consumed.  A missing number reads as 0.
    virtual uint32_t FromText(const char16_t *text);

    void Set(int32_t px, int32_t py) { x = px, y = py; }
    void Offset(int32_t dx, int32_t dy) { x += dx, y += dy; }

    int32_t x = 0;
    int32_t y = 0;
};

// Codes of cRectangl::TestPoint, the first that holds.
constexpr tStatus kPointBelow = static_cast<tStatus>(0x80000001u);
constexpr tStatus kPointAbove = static_cast<tStatus>(0x80000002u);
constexpr tStatus kPointRight = static_cast<tStatus>(0x80000004u);
constexpr tStatus kPointLeft = static_cast<tStatus>(0x80000008u);

// A rectangle anchored at x, y.  A negative width runs left from x (x is
// then the right edge), a negative height runs up from y; edges are
// inclusive, so a width of w covers |w| columns.
class cRectangl : public cShapes {
public:
    // The single point 0,0.
    cRectangl() : width(1), height(1) {}
    cRectangl(int32_t x, int32_t y, int32_t w, int32_t h) : cShapes(x, y), width(w), height(h) {}
    // Copies the anchor as it is and the extents as their magnitudes.
    cRectangl(const cRectangl &other);
    cRectangl &operator=(const cRectangl &other) = default;

    bool IsEmpty() const override { return width == 0 && height == 0; }
    void Clear() override;
    int32_t Area() const override;
    // 0 inside (edges included), else kPointBelow, kPointAbove, kPointRight
    // or kPointLeft, tested in that order.
    tStatus TestPoint(int32_t px, int32_t py) const override;
    int32_t Right() const override;
    int32_t Bottom() const override;
    int32_t Left() const override;
    int32_t Top() const override;
    int32_t Width() const override { return Magnitude(width); }
    int32_t Height() const override { return Magnitude(height); }
    void SetRightBottom(int32_t r, int32_t b) override;
    void SetRight(int32_t r) override;
    void SetBottom(int32_t b) override;
    void SetLeftTop(int32_t l, int32_t t) override;
    // With a negative extent the anchor stays on the far edge, which keeps
    // its place, and the extent changes so that the near edge is l (t).
    void SetLeft(int32_t l) override;
    void SetTop(int32_t t) override;
    void SetEdges(int32_t l, int32_t t, int32_t r, int32_t b) override;
    void SetSize(int32_t w, int32_t h) override;
    void SetWidth(int32_t w) override { width = w; }
    void SetHeight(int32_t h) override { height = h; }
    // "x,y,w,h" with the stored, signed extents.
    const char16_t *ToText() const override;
    uint32_t FromText(const char16_t *text) override;
    // Copies x, y, width and height as they are.
    virtual void Assign(const cRectangl &other);

    // Moves a negative extent's anchor to the top-left corner.
    void Normalize();
    // Grows the extents away from their anchors.
    void GrowBy(int32_t dw, int32_t dh);
    cRectangl &Intersect(const cRectangl &other);
    cRectangl &Union(const cRectangl &other);
    // The stored values, signs included.
    bool IsEqual(const cRectangl &other) const;
    bool Contains(const cRectangl &other) const;

    // Temporary rectangles from the ring gTempRects: each stays valid until
    // 31 further ones have been taken.
    static cRectangl *Temp(int32_t x, int32_t y, int32_t w, int32_t h);
    static cRectangl *TempCopy(const cRectangl &r);
    static cRectangl *TempIntersection(const cRectangl &a, const cRectangl &b);
    static cRectangl *TempUnion(const cRectangl &a, const cRectangl &b);

    int32_t width;
    int32_t height;

private:
    // Plain 32-bit arithmetic: the most negative value stays itself.
    static int32_t Magnitude(int32_t v) { return v < 0 ? int32_t(0u - uint32_t(v)) : v; }
};

extern CircBuf<cRectangl> gTempRects;
