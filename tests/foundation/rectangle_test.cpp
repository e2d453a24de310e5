#include "foundation/rectangle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Edges {
    int32_t left, top, right, bottom;
    bool operator==(const Edges &) const = default;
};

Edges EdgesOf(const cShapes &s) { return {s.Left(), s.Top(), s.Right(), s.Bottom()}; }

// x, y, width, height as stored.
std::u16string Stored(const cRectangl &r) {
    cRectangl copy(0, 0, 0, 0);
    copy.Assign(r);
    return copy.ToText();
}

}  // namespace

TEST(Rectangle, EdgesFollowTheSignOfTheExtents) {
    struct Case {
        int32_t x, y, w, h;
        Edges edges;
        int32_t width, height, area;
    } cases[] = {
        {0, 0, 1, 1, {0, 0, 0, 0}, 1, 1, 1},
        {10, 10, -5, 3, {6, 10, 10, 12}, 5, 3, 15},
        {10, 20, 5, 5, {10, 20, 14, 24}, 5, 5, 25},
        {10, 20, 0, 0, {10, 20, 9, 19}, 0, 0, 0},
        {-3, -4, -2, -6, {-4, -9, -3, -4}, 2, 6, 12},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << "," << c.w << "," << c.h);
        cRectangl r(c.x, c.y, c.w, c.h);
        EXPECT_EQ(EdgesOf(r), c.edges);
        EXPECT_EQ(r.Width(), c.width);
        EXPECT_EQ(r.Height(), c.height);
        EXPECT_EQ(r.Area(), c.area);
    }
    cRectangl def;
    EXPECT_EQ(EdgesOf(def), (Edges{0, 0, 0, 0}));
    EXPECT_EQ(def.Width(), 1);
    EXPECT_FALSE(def.IsEmpty());
    EXPECT_TRUE(cRectangl(5, 5, 0, 0).IsEmpty());
    EXPECT_FALSE(cRectangl(5, 5, 0, 1).IsEmpty());
}

TEST(Rectangle, TestPointAnswersTheFirstCodeThatHolds) {
    struct Case {
        cRectangl rect;
        int32_t px, py;
        uint32_t code;
    } cases[] = {
        {cRectangl(), 0, 0, 0},
        {cRectangl(), 1, 0, 0x80000004u},
        {cRectangl(10, 10, -5, 3), 6, 11, 0},
        {cRectangl(10, 10, -5, 3), 11, 11, 0x80000004u},
        {cRectangl(10, 10, -5, 3), 5, 11, 0x80000008u},
        {cRectangl(10, 20, 5, 5), 12, 25, 0x80000001u},
        {cRectangl(10, 20, 5, 5), 12, 19, 0x80000002u},
        {cRectangl(10, 20, 5, 5), 15, 22, 0x80000004u},
        {cRectangl(10, 20, 5, 5), 9, 22, 0x80000008u},
        {cRectangl(10, 20, 5, 5), 15, 25, 0x80000001u},
        {cRectangl(10, 20, 5, 5), 9, 19, 0x80000002u},
        {cRectangl(10, 20, 5, 5), 14, 24, 0},
        {cRectangl(10, 20, 5, 5), 10, 20, 0},
        {cRectangl(0, 0, 3, 3), -1, -1, 0x80000002u},  // signed comparisons
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << Stored(c.rect).size() << " point " << c.px << "," << c.py);
        EXPECT_EQ(uint32_t(c.rect.TestPoint(c.px, c.py)), c.code);
    }
    EXPECT_EQ(kPointBelow, static_cast<tStatus>(0x80000001u));
    EXPECT_EQ(kPointLeft, static_cast<tStatus>(0x80000008u));
}

TEST(Rectangle, TextFormKeepsSigns) {
    EXPECT_EQ(std::u16string(cRectangl(10, 10, -5, 3).ToText()), u"10,10,-5,3");
    EXPECT_EQ(std::u16string(cShapes(-7, 8).ToText()), u"-7,8");
    struct Case {
        const char16_t *text;
        std::u16string stored;
        uint32_t consumed;
    } cases[] = {
        {u"1, 2 ,3,4", u"1,2,3,4", 9},
        {u"7", u"7,0,0,0", 1},
        {u"-3,-4,-5,-6 tail", u"-3,-4,-5,-6", 11},
        {u"  5 6 7 8", u"5,6,7,8", 9},
        {u"", u"0,0,0,0", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
        cRectangl r(9, 9, 9, 9);
        EXPECT_EQ(r.FromText(c.text), c.consumed);
        EXPECT_EQ(Stored(r), c.stored);
    }
    cShapes p(1, 1);
    EXPECT_EQ(p.FromText(u"12 ,-13,99"), 7u);
    EXPECT_EQ(p.x, 12);
    EXPECT_EQ(p.y, -13);
}

TEST(Rectangle, NormalizeAndCopyConstruction) {
    cRectangl r(10, 10, -5, 3);
    cRectangl copy(r);
    EXPECT_EQ(Stored(copy), u"10,10,5,3");  // magnitudes, anchor unmoved
    cRectangl assigned(0, 0, 0, 0);
    assigned = r;
    EXPECT_EQ(Stored(assigned), u"10,10,-5,3");
    r.Normalize();
    EXPECT_EQ(Stored(r), u"6,10,5,3");
    cRectangl up(0, 0, 4, -4);
    up.Normalize();
    EXPECT_EQ(Stored(up), u"0,-3,4,4");
    EXPECT_EQ(EdgesOf(up), (Edges{0, -3, 3, 0}));
}

TEST(Rectangle, EdgeSettersChangeTheQuantityThatCarriesTheEdge) {
    cRectangl r(10, 0, 5, 1);
    r.SetRight(13);
    EXPECT_EQ(Stored(r), u"10,0,4,1");
    EXPECT_EQ(r.Right(), 13);

    cRectangl n(10, 0, -5, 1);
    n.SetRight(3);
    EXPECT_EQ(Stored(n), u"3,0,-5,1");

    cRectangl m(10, 0, 5, 5);
    m.SetLeft(20);  // moves, keeps its width
    EXPECT_EQ(Stored(m), u"20,0,5,5");
    m.SetBottom(9);
    EXPECT_EQ(m.height, 10);

    // Negative extents keep the far edge where it was.
    cRectangl l(10, 10, -5, -5);
    l.SetLeftTop(2, 3);
    EXPECT_EQ(EdgesOf(l), (Edges{2, 3, 10, 10}));
    EXPECT_LT(l.width, 0);

    cRectangl e;
    e.SetEdges(4, 5, 6, 9);
    EXPECT_EQ(Stored(e), u"4,5,3,5");
    cRectangl f;
    f.SetEdgesOf(cRectangl(10, 10, -5, 3));
    EXPECT_EQ(Stored(f), u"6,10,5,3");
    f.SetRightBottom(20, 20);
    EXPECT_EQ(EdgesOf(f), (Edges{6, 10, 20, 20}));
}

TEST(Rectangle, GrowByMovesAwayFromTheAnchor) {
    cRectangl r(0, 0, -5, 4);
    r.GrowBy(2, 3);
    EXPECT_EQ(r.width, -7);
    EXPECT_EQ(r.height, 7);
}

TEST(Rectangle, IntersectAndUnion) {
    struct Case {
        const char *name;
        cRectangl a, b;
        std::u16string intersection, unionOf;
    } cases[] = {
        {"overlap", {0, 0, 10, 10}, {5, 5, 10, 10}, u"5,5,5,5", u"0,0,15,15"},
        {"abutting", {0, 0, 10, 10}, {10, 0, 5, 5}, u"0,0,0,0", u"0,0,15,10"},
        {"one column", {0, 0, 10, 10}, {9, 0, 5, 5}, u"9,0,1,5", u"0,0,14,10"},
        {"apart", {0, 0, 2, 2}, {5, 5, 2, 2}, u"0,0,0,0", u"0,0,7,7"},
        {"negative extent", {10, 10, -5, -5}, {8, 8, 10, 10}, u"8,8,3,3", u"6,6,12,12"},
        {"cleared first", {0, 0, 0, 0}, {5, 5, 2, 2}, u"0,0,0,0", u"5,5,2,2"},
        {"cleared second", {5, 5, -2, 2}, {0, 0, 0, 0}, u"0,0,0,0", u"4,5,2,2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        cRectangl a(0, 0, 0, 0);
        a.Assign(c.a);
        EXPECT_EQ(Stored(a.Intersect(c.b)), c.intersection);
        a.Assign(c.a);
        EXPECT_EQ(Stored(a.Union(c.b)), c.unionOf);
        EXPECT_EQ(Stored(*cRectangl::TempIntersection(c.a, c.b)), c.intersection);
        EXPECT_EQ(Stored(*cRectangl::TempUnion(c.a, c.b)), c.unionOf);
    }
}

TEST(Rectangle, ContainsComparesTheStoredIntersection) {
    cRectangl outer(0, 0, 10, 10);
    EXPECT_TRUE(outer.Contains(cRectangl(2, 2, 3, 3)));
    EXPECT_TRUE(outer.Contains(outer));
    EXPECT_FALSE(outer.Contains(cRectangl(8, 8, 5, 5)));
    // Lying inside, but stored with a negative extent: the intersection is
    // stored with positive extents and so differs.
    EXPECT_FALSE(outer.Contains(cRectangl(5, 5, -3, 3)));
}

TEST(Rectangle, ClearAndPointDefaults) {
    cRectangl r(3, 4, 5, 6);
    r.Clear();
    EXPECT_EQ(Stored(r), u"0,0,0,0");
    r.Assign(cRectangl(1, 2, 3, 4));
    EXPECT_EQ(r.Scale(2.0f), 0);
    r.SetRadius(9);
    EXPECT_EQ(Stored(r), u"1,2,3,4");

    cShapes p(5, -6);
    EXPECT_TRUE(p.IsEmpty());
    EXPECT_EQ(p.Area(), 0);
    EXPECT_EQ(p.Width(), 0);
    EXPECT_EQ(EdgesOf(p), (Edges{5, -6, 5, -6}));
    EXPECT_EQ(p.TestPoint(5, -6), RC_OK);
    EXPECT_EQ(p.TestPoint(5, -5), RC_FAIL);
    EXPECT_EQ(p.TestPoint(6, -6), RC_FAIL);
    p.SetEdges(1, 2, 30, 40);
    EXPECT_EQ(EdgesOf(p), (Edges{1, 2, 1, 2}));
    p.Offset(-2, 3);
    EXPECT_EQ(std::u16string(p.ToText()), u"-1,5");
}

TEST(Rectangle, TemporariesComeFromARingOf32) {
    cRectangl *first = cRectangl::Temp(1, 2, 3, 4);
    EXPECT_EQ(Stored(*first), u"1,2,3,4");
    cRectangl *last = nullptr;
    for (int i = 1; i <= 31; ++i) {
        last = cRectangl::Temp(i, i, i, i);
        EXPECT_NE(last, first);
    }
    EXPECT_EQ(Stored(*first), u"1,2,3,4");  // survives 31 further takes
    cRectangl *again = cRectangl::TempCopy(cRectangl(7, 7, -7, 7));
    EXPECT_EQ(again, first);  // the 32nd reuses the slot
    EXPECT_EQ(Stored(*first), u"7,7,-7,7");
    EXPECT_EQ(gTempRects.SlotCount(), 32u);
}
