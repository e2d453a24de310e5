// Circles and the circular arc through two end points, the one piece of
// curve geometry of the program (slurs, ties, tuplet brackets, grace-note
// marks).  Results of floating-point formulas become integers by adding 0.5
// and truncating toward zero.  Only +, -, x, / and the square root are used,
// all correctly rounded in IEEE single precision, so every build answers
// the same integers.
#pragma once

#include <cstdint>

#include "foundation/rectangle.h"

// v + 0.5 truncated toward zero: 14.5 -> 15, -10.2 -> -9, -10.5 -> -10.
// Values outside the 32-bit range clamp to it; a NaN gives 0.
int32_t AddHalfAndTruncate(float v);
int32_t AddHalfAndTruncate(double v);

// A centre point (the base's x, y) and a radius.
class cCircle : public cShapes {
public:
    cCircle() = default;
    cCircle(int32_t cx, int32_t cy, int32_t r) : cShapes(cx, cy), radius(r) {}

    bool IsEmpty() const override { return radius == 0; }
    void Clear() override { radius = 0; }
    int32_t Area() const override;
    // Answers the new radius.
    int32_t Scale(float factor) override;
    void SetRadius(int32_t r) override { radius = r; }
    int32_t Right() const override;
    int32_t Bottom() const override;
    int32_t Left() const override;
    int32_t Top() const override;
    int32_t Width() const override;
    int32_t Height() const override { return Width(); }
    void SetRightBottom(int32_t r, int32_t b) override;
    void SetRight(int32_t r) override;
    void SetBottom(int32_t b) override;
    void SetLeftTop(int32_t l, int32_t t) override;
    void SetLeft(int32_t l) override;
    void SetTop(int32_t t) override;
    // Radius from the width (rounded down by a shift); bottom is not used.
    void SetEdges(int32_t l, int32_t t, int32_t r, int32_t b) override;
    // The radius becomes the width; the height is not used.
    void SetSize(int32_t w, int32_t h) override { radius = w; }
    void SetWidth(int32_t w) override { radius = (w + 1) >> 1; }
    void SetHeight(int32_t h) override { radius = (h + 1) >> 1; }
    // The y of the circle point at column px, above the centre when hintY
    // lies above it, else below.  Beyond the radius: the centre's y.
    virtual int32_t YAt(int32_t px, int32_t hintY) const;

    int32_t radius = 0;
};

// The circle through two end points, from either the height of the arc over
// the chord's midpoint or a radius factor (radius = factor x chord).  Its
// edge questions answer the extremes of the arc itself; the circle's own
// edges, which bound the drawing, stay reachable as the cCircle ones.
class cCircleArc : public cCircle {
public:
    cCircleArc() = default;

    int32_t Right() const override;
    int32_t Bottom() const override;
    int32_t Left() const override;
    int32_t Top() const override;

    void SetStart(int32_t sx, int32_t sy) { startX = sx, startY = sy; }
    void SetEndPoint(int32_t ex, int32_t ey) { endX = ex, endY = ey; }
    void SetEnd(int32_t ex, int32_t ey);
    // Factor mode: clears the height.
    void SetRadiusFactor(float f);
    // Height mode (the arc's height, not the circle's): clears the factor.
    // It takes the place of the circle's SetHeight, whose radius an arc
    // computes itself.
    void SetHeight(int32_t h) override;
    // Centre and radius from the ends and the height or factor.
    void Recompute();

    int32_t StartX() const { return startX; }
    int32_t StartY() const { return startY; }
    int32_t EndX() const { return endX; }
    int32_t EndY() const { return endY; }
    float RadiusFactor() const { return radiusFactor; }
    int32_t ArcHeight() const { return arcHeight; }

private:
    int32_t startX = 0;
    int32_t startY = 0;
    int32_t endX = 0;
    int32_t endY = 0;
    float radiusFactor = 1.0f;
    int32_t arcHeight = 0;
};
