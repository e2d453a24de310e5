#include "foundation/circle_arc.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

int32_t Wrap(int64_t v) { return static_cast<int32_t>(v); }

// Integer values and their squares go to float through double, which holds
// them exactly for any document coordinates: one rounding, done by SSE in
// every build (no x87 conversion whose precision the runtime sets).
float ToFloat(int64_t v) { return float(double(v)); }
float Square(int64_t v) { return float(double(v) * double(v)); }
float SquareSum(int64_t a, int64_t b) { return float(double(a) * double(a) + double(b) * double(b)); }
float SquareDifference(int64_t a, int64_t b) { return float(double(a) * double(a) - double(b) * double(b)); }

template <class F>
int32_t Round(F v) {
    if (std::isnan(v)) return 0;
    F r = v + F(0.5);
    if (r >= F(2147483647.0)) return INT32_MAX;
    if (r <= F(-2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(r);  // truncates toward zero
}

}  // namespace

int32_t AddHalfAndTruncate(float v) { return Round(v); }
int32_t AddHalfAndTruncate(double v) { return Round(v); }

int32_t cCircle::Area() const {
    double r = radius;
    return AddHalfAndTruncate(kPi * (r * r));
}

int32_t cCircle::Scale(float factor) {
    radius = AddHalfAndTruncate(ToFloat(radius) * factor);
    return radius;
}

int32_t cCircle::Right() const { return Wrap(int64_t(x) + radius); }
int32_t cCircle::Bottom() const { return Wrap(int64_t(y) + radius); }
int32_t cCircle::Left() const { return Wrap(int64_t(x) - radius); }
int32_t cCircle::Top() const { return Wrap(int64_t(y) - radius); }
int32_t cCircle::Width() const { return Wrap(int64_t(radius) * 2); }

void cCircle::SetRightBottom(int32_t r, int32_t b) {
    x = Wrap(int64_t(r) - radius);
    y = Wrap(int64_t(b) - radius);
}

void cCircle::SetRight(int32_t r) { x = Wrap(int64_t(r) - radius); }
void cCircle::SetBottom(int32_t b) { y = Wrap(int64_t(b) - radius); }

void cCircle::SetLeftTop(int32_t l, int32_t t) {
    x = Wrap(int64_t(l) + radius);
    y = Wrap(int64_t(t) + radius);
}

void cCircle::SetLeft(int32_t l) { x = Wrap(int64_t(l) + radius); }
void cCircle::SetTop(int32_t t) { y = Wrap(int64_t(t) + radius); }

void cCircle::SetEdges(int32_t l, int32_t t, int32_t r, int32_t b) {
    int64_t span = int64_t(r) - l;
    radius = Wrap(((span < 0 ? -span : span) + 1) >> 1);
    x = Wrap(int64_t(l) + radius);
    y = Wrap(int64_t(t) + radius);
}

int32_t cCircle::YAt(int32_t px, int32_t hintY) const {
    float under = SquareDifference(radius, int64_t(px) - x);
    int64_t e = under > 0.0f ? int64_t(std::sqrt(under)) : 0;
    return Wrap(hintY < y ? y - e : y + e);
}

void cCircleArc::SetEnd(int32_t ex, int32_t ey) {
    SetEndPoint(ex, ey);
    Recompute();
}

void cCircleArc::SetRadiusFactor(float f) {
    radiusFactor = f;
    arcHeight = 0;
}

void cCircleArc::SetHeight(int32_t h) {
    arcHeight = h;
    radiusFactor = 0.0f;
}

// All intermediate values are single-precision floats, as the curves were
// always computed; integer squares are taken exactly before conversion.
void cCircleArc::Recompute() {
    const float mx = ToFloat(int64_t(startX) + endX) * 0.5f;
    const float my = ToFloat(int64_t(startY) + endY) * 0.5f;
    float chord = std::sqrt(SquareSum(int64_t(startX) - endX, int64_t(startY) - endY));
    float half;
    float d;
    if (arcHeight != 0) {
        half = chord * 0.5f;
        if (half <= 1.0f) half = 1.0f;
        d = (half * half - Square(arcHeight)) / ToFloat(2 * int64_t(arcHeight));
        radius = AddHalfAndTruncate(ToFloat(arcHeight) + d);
    } else {
        if (chord <= 1.0f) chord = 1.0f;
        radius = AddHalfAndTruncate(chord * radiusFactor);
        half = chord * 0.5f;
        if (half <= 1.0f) half = 1.0f;
        const float under = Square(radius) - half * half;
        d = under > 0.0f ? std::sqrt(under) : 0.0f;
    }
    // The centre lies on the perpendicular through the midpoint, d away;
    // the direction is divided by half, which is raised to 1 for short
    // chords.
    x = AddHalfAndTruncate(mx - (my - ToFloat(endY)) * d / half);
    y = AddHalfAndTruncate(my - (ToFloat(endX) - mx) * d / half);
}

// The arc reaches beyond its end points only where the circle's extreme in
// that direction lies strictly between them.
int32_t cCircleArc::Right() const {
    int32_t minY = std::min(startY, endY), maxY = std::max(startY, endY);
    int32_t maxX = std::max(startX, endX);
    if (minY < y && y < maxY && x < maxX) return std::max(maxX, cCircle::Right());
    return maxX;
}

int32_t cCircleArc::Left() const {
    int32_t minY = std::min(startY, endY), maxY = std::max(startY, endY);
    int32_t minX = std::min(startX, endX);
    if (minY < y && y < maxY && minX < x) return std::min(minX, cCircle::Left());
    return minX;
}

int32_t cCircleArc::Bottom() const {
    int32_t minX = std::min(startX, endX), maxX = std::max(startX, endX);
    int32_t maxY = std::max(startY, endY);
    if (minX < x && x < maxX && y < maxY) return std::max(maxY, cCircle::Bottom());
    return maxY;
}

int32_t cCircleArc::Top() const {
    int32_t minX = std::min(startX, endX), maxX = std::max(startX, endX);
    int32_t minY = std::min(startY, endY);
    if (minX < x && x < maxX && minY < y) return std::min(minY, cCircle::Top());
    return minY;
}
