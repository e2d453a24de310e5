#include "foundation/circle_arc.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Circle {
    int32_t x, y, r;
    bool operator==(const Circle &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Circle &c) {
    return os << "centre (" << c.x << ", " << c.y << ") radius " << c.r;
}

Circle CircleOf(const cCircle &c) { return {c.x, c.y, c.radius}; }

}  // namespace

TEST(CircleArc, RoundingAddsAHalfAndTruncatesTowardZero) {
    struct Case {
        float v;
        int32_t rounded;
    } cases[] = {{14.5f, 15}, {2.4f, 2}, {-10.2f, -9}, {-10.0f, -9}, {-10.5f, -10}, {-0.4f, 0}, {0.49f, 0}};
    for (const Case &c : cases) EXPECT_EQ(AddHalfAndTruncate(c.v), c.rounded) << c.v;
    EXPECT_EQ(AddHalfAndTruncate(1e20f), INT32_MAX);
    EXPECT_EQ(AddHalfAndTruncate(-1e20f), INT32_MIN);
    EXPECT_EQ(AddHalfAndTruncate(std::nanf("")), 0);
}

TEST(CircleArc, WorkedArcsComeOutExactly) {
    struct Case {
        const char *name;
        int32_t sx, sy, ex, ey;
        int32_t height;  // 0: factor mode
        float factor;
        Circle circle;
    } cases[] = {
        {"height 4", 0, 0, 20, 0, 4, 0, {10, -10, 15}},
        {"ends exchanged", 20, 0, 0, 0, 4, 0, {10, 11, 15}},
        {"height -4", 0, 0, 20, 0, -4, 0, {10, 11, -14}},
        {"factor 1, chord 50", 0, 0, 30, 40, 0, 1.0f, {50, -5, 50}},
        {"factor 0.75", 0, 0, 100, 0, 0, 0.75f, {50, -55, 75}},
        {"both ends equal", 5, 5, 5, 5, 0, 1.0f, {5, 5, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        cCircleArc arc;
        if (c.height)
            arc.SetHeight(c.height);
        else
            arc.SetRadiusFactor(c.factor);
        arc.SetStart(c.sx, c.sy);
        arc.SetEnd(c.ex, c.ey);
        EXPECT_EQ(CircleOf(arc), c.circle);
    }
}

TEST(CircleArc, ExtremesOfTheArcItself) {
    cCircleArc arc;
    arc.SetHeight(4);
    arc.SetStart(0, 0);
    arc.SetEnd(20, 0);
    // Centre (10, -10), radius 15: the centre's y is not strictly between the
    // ends' ys, so left and right are the ends; the arc dips to -10 + 15.
    EXPECT_EQ(arc.Right(), 20);
    EXPECT_EQ(arc.Left(), 0);
    EXPECT_EQ(arc.Bottom(), 5);
    EXPECT_EQ(arc.Top(), 0);
    // The circle's own edges bound the drawing.
    EXPECT_EQ(arc.cCircle::Left(), -5);
    EXPECT_EQ(arc.cCircle::Bottom(), 5);
    EXPECT_EQ(arc.cCircle::Top(), -25);

    // A vertical chord bulging to the side: centre (-10, 10) left of the
    // ends, so the right edge is the centre plus the radius.
    cCircleArc side;
    side.SetHeight(4);
    side.SetStart(0, 0);
    side.SetEnd(0, 20);
    EXPECT_EQ(CircleOf(side), (Circle{11, 10, 15}));
    EXPECT_EQ(side.Left(), -4);   // 11 - 15
    EXPECT_EQ(side.Right(), 0);   // centre not left of the ends
    EXPECT_EQ(side.Top(), 0);
    EXPECT_EQ(side.Bottom(), 20);
    side.SetStart(0, 20);
    side.SetEnd(0, 0);
    EXPECT_EQ(CircleOf(side), (Circle{-10, 10, 15}));
    EXPECT_EQ(side.Right(), 5);
    EXPECT_EQ(side.Left(), 0);
}

TEST(CircleArc, ModeSwitchesWithTheLastSetter) {
    cCircleArc arc;
    EXPECT_EQ(arc.RadiusFactor(), 1.0f);
    EXPECT_EQ(arc.ArcHeight(), 0);
    arc.SetHeight(4);
    EXPECT_EQ(arc.RadiusFactor(), 0.0f);
    arc.SetRadiusFactor(0.75f);
    EXPECT_EQ(arc.ArcHeight(), 0);
    arc.SetStart(0, 0);
    arc.SetEnd(100, 0);
    EXPECT_EQ(CircleOf(arc), (Circle{50, -55, 75}));
    // SetStart alone keeps the previous computation.
    arc.SetStart(0, 50);
    EXPECT_EQ(CircleOf(arc), (Circle{50, -55, 75}));
    arc.SetEndPoint(1, 1);
    EXPECT_EQ(CircleOf(arc), (Circle{50, -55, 75}));
    arc.SetEndPoint(100, 0);
    arc.SetStart(0, 0);
    arc.Recompute();
    EXPECT_EQ(CircleOf(arc), (Circle{50, -55, 75}));
}

TEST(Circle, ShapeQuestionsAndSettings) {
    cCircle c;
    EXPECT_TRUE(c.IsEmpty());
    c.SetEdges(10, 20, 15, 999);
    EXPECT_EQ(CircleOf(c), (Circle{13, 23, 3}));
    c.SetEdges(10, 20, 5, 0);
    EXPECT_EQ(CircleOf(c), (Circle{13, 23, 3}));
    EXPECT_EQ(c.Left(), 10);
    EXPECT_EQ(c.Top(), 20);
    EXPECT_EQ(c.Right(), 16);
    EXPECT_EQ(c.Bottom(), 26);
    EXPECT_EQ(c.Width(), 6);
    EXPECT_EQ(c.Height(), 6);

    c.SetWidth(7);
    EXPECT_EQ(c.radius, 4);
    c.SetWidth(-3);
    EXPECT_EQ(c.radius, -1);
    c.SetHeight(8);
    EXPECT_EQ(c.radius, 4);
    c.SetSize(9, 100);
    EXPECT_EQ(c.radius, 9);

    c.SetRadius(10);
    EXPECT_EQ(c.Area(), 314);
    EXPECT_EQ(c.Scale(0.25f), 3);
    EXPECT_EQ(c.radius, 3);

    c.SetLeftTop(0, 0);
    EXPECT_EQ(CircleOf(c), (Circle{3, 3, 3}));
    c.SetRightBottom(10, 20);
    EXPECT_EQ(CircleOf(c), (Circle{7, 17, 3}));
    c.SetLeft(-3);
    c.SetTop(-3);
    EXPECT_EQ(CircleOf(c), (Circle{0, 0, 3}));
    c.SetRight(3);
    c.SetBottom(3);
    EXPECT_EQ(CircleOf(c), (Circle{0, 0, 3}));

    cRectangl box(0, 0, 11, 5);  // columns 0..10
    c.SetEdgesOf(box);
    EXPECT_EQ(CircleOf(c), (Circle{5, 5, 5}));

    // The point's own behaviour: test and text work on the centre.
    EXPECT_EQ(c.TestPoint(5, 5), RC_OK);
    EXPECT_EQ(c.TestPoint(6, 5), RC_FAIL);
    EXPECT_EQ(std::u16string(c.ToText()), u"5,5");
    c.Clear();
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.x, 5);
}

TEST(Circle, YAtOnTheSideOfTheHint) {
    cCircle c(0, 0, 5);
    EXPECT_EQ(c.YAt(3, -1), -4);
    EXPECT_EQ(c.YAt(3, 0), 4);
    EXPECT_EQ(c.YAt(3, 9), 4);
    EXPECT_EQ(c.YAt(-5, -1), 0);
    EXPECT_EQ(c.YAt(2, -1), -4);  // sqrt 21 = 4.58, truncated
    EXPECT_EQ(c.YAt(9, -1), 0);   // beyond the radius: the centre's y
    cCircle off(10, 20, 13);
    EXPECT_EQ(off.YAt(15, 0), 8);
    EXPECT_EQ(off.YAt(5, 30), 32);
}

// Both builds must place every curve identically: a sweep of arcs in both
// modes folded into one hash that must come out the same everywhere.
TEST(CircleArc, SweepAgreesBetweenBuilds) {
    uint32_t seed = 12345;
    auto next = [&seed](int32_t range) {
        seed = seed * 1103515245u + 12345u;
        return int32_t((seed >> 8) % uint32_t(range)) - range / 2;
    };
    uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](int32_t v) {
        for (int i = 0; i < 4; ++i) {
            hash ^= uint8_t(uint32_t(v) >> (8 * i));
            hash *= 1099511628211ull;
        }
    };
    cCircleArc arc;
    for (int i = 0; i < 4000; ++i) {
        if (i & 1)
            arc.SetRadiusFactor(float(next(400) + 200) / 97.0f);
        else
            arc.SetHeight(next(200));
        arc.SetStart(next(5000), next(5000));
        arc.SetEnd(next(5000), next(5000));
        mix(arc.x);
        mix(arc.y);
        mix(arc.radius);
        mix(arc.Left());
        mix(arc.Top());
        mix(arc.Right());
        mix(arc.Bottom());
        mix(arc.YAt(arc.StartX() + 1, arc.y - 1));
        mix(arc.Area());
    }
    EXPECT_EQ(hash, 0x46588e59ffb4f768ull) << std::hex << hash;
}
