#include <gtest/gtest.h>

#include "ui/device_math.h"

namespace {

sDeviceView ViewOf(float zx, float zy, int32_t ox = 0, int32_t oy = 0, bool topDown = true) {
    sDeviceView v;
    v.zoomX = zx;
    v.zoomY = zy;
    v.originX = ox;
    v.originY = oy;
    v.topDown = topDown;
    return v;
}

TEST(DeviceRounding, PenAreaTextAndCaretRules) {
    // x = 3 at zoom 1.5: the pen rule rounds 4.5 up, the area rule truncates.
    sDeviceView z15 = ViewOf(1.5f, 1.5f);
    EXPECT_EQ(PenRulePoint(z15, 3, 3, 1.5f), (sDevicePoint{5, 5}));
    EXPECT_EQ(AreaRuleX(z15, 3), 4);
    EXPECT_EQ(AreaRuleY(z15, 3), 5);
    EXPECT_EQ(TextRulePoint(z15, 3, 3), (sDevicePoint{5, 5}));

    struct Case {
        float zoom;
        int32_t x, origin;
        int32_t pen, area, text;
    };
    const Case cases[] = {
        // (x + ox) * zx = -2.5: truncation gives -2, the pen rule floor(-2.0) = -2.
        {0.5f, -5, 0, -2, -2, -2},
        // -2.6: the pen rule gives -3, truncation still -2.
        {1.3f, -2, 0, -3, -2, -3},
        // The origin is added before zooming in the area and text rules and
        // zoomed on its own in the pen rule: the same here.
        {2.0f, 3, 4, 14, 14, 14},
        {0.75f, 1, 2, 2, 2, 2},
        {0.75f, 5, 0, 4, 3, 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.x);
        sDeviceView v = ViewOf(c.zoom, c.zoom, c.origin, c.origin);
        EXPECT_EQ(PenRulePoint(v, c.x, c.x, c.zoom).x, c.pen);
        EXPECT_EQ(AreaRuleX(v, c.x), c.area);
        EXPECT_EQ(TextRulePoint(v, c.x, c.x).x, c.text);
    }
    // A scale other than the zoom changes only the point, not the origin part.
    EXPECT_EQ(PenRulePoint(ViewOf(2.0f, 3.0f, 1, 1), 10, 10, 1.0f), (sDevicePoint{12, 13}));
    // The caret's y is its bottom: the top pixel is y - height, zoomed.
    EXPECT_EQ(CaretRulePoint(ViewOf(2.0f, 2.0f, 1, 1), 10, 20, 8), (sDevicePoint{22, 26}));
    EXPECT_EQ(CaretPixelHeight(ViewOf(1.0f, 1.7f), 8), 13);
}

TEST(DeviceRounding, BottomUpDevicesNegateEveryY) {
    sDeviceView v = ViewOf(1.0f, 1.0f, 0, 0, false);
    EXPECT_EQ(PenRulePoint(v, 10, 10, 1.0f).y, -10);
    EXPECT_EQ(AreaRuleY(v, 10), -10);
    EXPECT_EQ(TextRulePoint(v, 10, 10).y, -10);
    EXPECT_EQ(CaretRulePoint(v, 0, 18, 8).y, -10);
    // The mouse rule negates before converting, so the result is upright.
    EXPECT_EQ(MouseRulePoint(ViewOf(1.0f, 1.0f, 0, 30, false), 0, 10).y, 20);
    EXPECT_EQ(MouseRulePoint(ViewOf(1.0f, 1.0f, 0, 30, true), 0, 10).y, 40);
    sDeviceBox box = AreaRuleBox(v, 0, 10, 5, 5);
    EXPECT_EQ(box, (sDeviceBox{0, -10, 5, -15}));
}

TEST(DeviceRounding, PixelsBackToLogicalUnits) {
    EXPECT_EQ(PixelToLogical(10, 1.0f, 0), 10);
    EXPECT_EQ(PixelToLogical(10, 2.0f, 0), 5);
    EXPECT_EQ(PixelToLogical(11, 2.0f, 0), 6);  // (11 + 1) / 2
    EXPECT_EQ(PixelToLogical(9, 2.0f, 3), 2);
    EXPECT_EQ(PixelToLogical(0, 0.5f, 0), 0);
    EXPECT_EQ(PixelToLogical(3, 0.5f, 0), 6);
    EXPECT_EQ(PixelToLogical(-3, 2.0f, 0), -1);
}

TEST(DeviceClip, OutcodesInTheirOrder) {
    struct Case {
        int32_t x, y;
        tStatus code;
    };
    const int32_t W = 100, H = 50;
    const Case points[] = {
        {99, 0, 0},   {100, 10, kClipRight}, {0, 49, 0},     {0, 50, kClipBelow},   {-1, 10, kClipLeft},
        {10, -1, kClipAbove}, {-1, 60, kClipBelow},  // below is tested before left
        {200, -5, kClipAbove},                        // above before right
        {200, 10, kClipRight},
    };
    sDeviceView v = ViewOf(1.0f, 1.0f);
    for (const Case &c : points) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(ClipCode(v, c.x, c.y, c.x, c.y, W, H), c.code);
    }
    // The origin is added and the zoom applied before comparing; products are
    // compared exactly (49.5 is inside a height of 50).
    EXPECT_EQ(ClipCode(ViewOf(1.5f, 1.5f), 0, 33, 0, 33, W, H), 0);
    EXPECT_EQ(ClipCode(ViewOf(1.5f, 1.5f), 0, 34, 0, 34, W, H), kClipBelow);
    EXPECT_EQ(ClipCode(ViewOf(1.0f, 1.0f, -10, 0), 5, 5, 5, 5, W, H), kClipLeft);
    // Negative extents count by their size.
    EXPECT_EQ(ClipCode(v, 99, 0, 99, 0, -W, -H), 0);
    // Rectangles: the side they reach across first in the order below, above, right, left.
    EXPECT_EQ(ClipCode(v, -5, 0, 99, 49, W, H), kClipLeft);
    EXPECT_EQ(ClipCode(v, 10, 10, 20, 20, W, H), 0);
    EXPECT_EQ(ClipCode(v, -5, -5, 200, 200, W, H), kClipBelow);
}

TEST(DevicePens, StyleCodesAndPixelWidths) {
    EXPECT_EQ(PenStyleCode(0), 5u);
    EXPECT_EQ(PenStyleCode(1), 0u);
    EXPECT_EQ(PenStyleCode(3), 2u);
    EXPECT_EQ(PenStyleCode(2), 1u);
    EXPECT_EQ(PenStyleCode(7), 1u);
    // The smaller zoom rounded to whole pixels, times the width.
    EXPECT_EQ(PenPixelWidth(2, 1.6f, 2.4f), 4);
    EXPECT_EQ(PenPixelWidth(3, 1.0f, 1.0f), 3);
    EXPECT_EQ(PenPixelWidth(1, 0.4f, 1.0f), 0);
    EXPECT_EQ(PenPixelWidth(5, 2.5f, 2.5f), 15);
}

TEST(DeviceLines, ThinAndStraightLinesEndOneUnitFurther) {
    sDeviceView v = ViewOf(1.0f, 1.0f);
    struct Case {
        int32_t x1, y1, x2, y2, width;
        sDevicePoint to;
    };
    const Case cases[] = {
        {0, 0, 10, 0, 3, {11, 0}},   // horizontal, thick pen
        {0, 0, 0, 10, 3, {0, 11}},   // vertical
        {10, 0, 0, 0, 1, {-1, 0}},   // leftwards
        {0, 0, 10, 4, 1, {11, 4}},   // mostly horizontal, thin
        {0, 0, 4, -10, 1, {4, -11}}, // mostly vertical, upwards
        {0, 0, 5, 5, 1, {6, 6}},     // 45 degrees: both ends move
        {0, 0, -5, 5, 1, {-6, 6}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x2 << "," << c.y2);
        sLinePlan plan = PlanLine(v, c.x1, c.y1, c.x2, c.y2, 1.0f, c.width);
        EXPECT_FALSE(plan.empty);
        EXPECT_FALSE(plan.polyline);
        EXPECT_EQ(plan.points[0], (sDevicePoint{c.x1, c.y1}));
        EXPECT_EQ(plan.points[1], c.to);
    }
    EXPECT_TRUE(PlanLine(v, 3, 3, 3, 3, 1.0f, 3).empty);
}

TEST(DeviceLines, ThickSlantedLinesArePolylines) {
    sLinePlan plan = PlanLine(ViewOf(1.0f, 1.0f), 0, 0, 10, 5, 1.0f, 3);
    ASSERT_TRUE(plan.polyline);
    EXPECT_EQ(plan.points[0], (sDevicePoint{0, 0}));
    EXPECT_EQ(plan.points[1], (sDevicePoint{1, 0}));
    EXPECT_EQ(plan.points[2], (sDevicePoint{9, 5}));
    EXPECT_EQ(plan.points[3], (sDevicePoint{11, 5}));
    // At zoom 2 with the zoom as scale the points are zoomed, the half width is not.
    plan = PlanLine(ViewOf(2.0f, 2.0f), 0, 0, 10, 5, 2.0f, 4);
    ASSERT_TRUE(plan.polyline);
    EXPECT_EQ(plan.points[1], (sDevicePoint{2, 0}));
    EXPECT_EQ(plan.points[2], (sDevicePoint{18, 10}));
    EXPECT_EQ(plan.points[3], (sDevicePoint{22, 10}));
}

TEST(DeviceArcs, EllipseOutlineAndEndAdjustments) {
    // DrawEllipse (0, 0, 9, 9) is the arc from (4, 0) to (5, 0).
    sArcPlan plan = PlanArc(ViewOf(1.0f, 1.0f), 0, 0, 9, 9, 4, 0, 5, 0);
    EXPECT_EQ(plan.box, (sDeviceBox{0, 0, 9, 9}));
    EXPECT_EQ(plan.start, (sDevicePoint{4, 0}));
    EXPECT_EQ(plan.end, (sDevicePoint{5, 0}));
    // At zoom 1.5 the end stays one pixel beside the start instead of its own
    // conversion (trunc(7.5) = 7 would equal trunc(6.0) + 1 only by chance).
    plan = PlanArc(ViewOf(1.5f, 1.5f), 0, 0, 10, 10, 3, 0, 4, 0);
    EXPECT_EQ(plan.start.x, 4);
    EXPECT_EQ(plan.end.x, 5);
    EXPECT_EQ(plan.box, (sDeviceBox{0, 0, 15, 15}));
    // y2 = y1 - 1 puts the end one pixel above the start, before negation.
    plan = PlanArc(ViewOf(1.5f, 1.5f, 0, 0, false), 0, 0, 10, 10, 0, 3, 7, 2);
    EXPECT_EQ(plan.start.y, -5);
    EXPECT_EQ(plan.end.y, -4);
    EXPECT_EQ(plan.end.x, 10);
}

TEST(DeviceBitmaps, ZoomedBlitsStretchUnzoomedOnlyMove) {
    sBlitPlan plan = PlanBitmap(ViewOf(2.0f, 2.0f), 1, 1, 10, 10);
    EXPECT_TRUE(plan.stretch);
    EXPECT_EQ(plan.x, 2);
    EXPECT_EQ(plan.y, 2);
    EXPECT_EQ(plan.width, 20);
    EXPECT_EQ(plan.height, 20);
    plan = PlanBitmap(ViewOf(1.0f, 1.0f, 5, 7), 1, 1, 10, 12);
    EXPECT_FALSE(plan.stretch);
    EXPECT_EQ(plan.x, 6);
    EXPECT_EQ(plan.y, 8);
    EXPECT_EQ(plan.width, 10);
    EXPECT_EQ(plan.height, 12);
    // Width truncated, height rounded.
    plan = PlanBitmap(ViewOf(1.25f, 1.25f), 0, 0, 10, 10);
    EXPECT_EQ(plan.width, 12);
    EXPECT_EQ(plan.height, 13);
}

std::vector<std::u16string> Wrap(const char16_t *text, int32_t width) {
    auto measure = [](const char16_t *, uint32_t n) { return int32_t(n * 10); };
    std::vector<std::u16string> out;
    for (const sTextLine &line : WrapTextLines(text, width, measure)) out.emplace_back(text + line.start, line.length);
    return out;
}

TEST(DeviceTextWrap, BlanksLineFeedsAndLongWords) {
    using L = std::vector<std::u16string>;
    EXPECT_EQ(Wrap(u"ab\ncd", 1000), (L{u"ab", u"cd"}));
    EXPECT_EQ(Wrap(u"one two three", 1000), (L{u"one two three"}));
    // The width is reached at "t" of two: the line breaks at the blank before.
    EXPECT_EQ(Wrap(u"one two three", 50), (L{u"one", u"two", u"three"}));
    EXPECT_EQ(Wrap(u"one two three", 70), (L{u"one two", u"three"}));
    // A word longer than the width keeps its own line.
    EXPECT_EQ(Wrap(u"abcdefghij kl", 30), (L{u"abcdefghij", u"kl"}));
    EXPECT_EQ(Wrap(u"abcdefghij", 30), (L{u"abcdefghij"}));
    EXPECT_EQ(Wrap(u"a\n\nb", 1000), (L{u"a", u"", u"b"}));
    EXPECT_EQ(Wrap(u"", 100), (L{u""}));
    EXPECT_EQ(Wrap(u"x", 5), (L{u"x"}));
}

TEST(DeviceFontLookup, StyleScores) {
    EXPECT_EQ(FontStyleScore(0, 400, false, false), 3);
    EXPECT_EQ(FontStyleScore(0, 700, false, false), 2);
    EXPECT_EQ(FontStyleScore(kStyleBold, 700, false, false), 3);
    EXPECT_EQ(FontStyleScore(kStyleBold, 800, false, false), 2);  // bold means exactly 700
    EXPECT_EQ(FontStyleScore(kStyleBold | kStyleItalic, 700, true, true), 2);
    EXPECT_EQ(FontStyleScore(kStyleUnderline, 400, false, true), 3);
}

TEST(DeviceFontLookup, CandidatesOfTheWantedFaceWinByStyle) {
    cFontCandidatePicker picker(u"arial", kStyleBold);
    EXPECT_FALSE(picker.HasCandidate());
    // The first candidate is always kept, whatever its face.
    EXPECT_TRUE(picker.Offer(u"Arial", u"Arial", 400, false, false));
    EXPECT_FALSE(picker.Offer(u"Arial Italic", u"Arial", 400, true, false));
    EXPECT_TRUE(picker.Offer(u"Arial Bold", u"Arial", 700, false, false));
    // A kept candidate of the wanted face is replaced only by a better style,
    // also when its full name differs from the face.
    EXPECT_FALSE(picker.Offer(u"Arial Bold Italic", u"Arial", 700, true, false));
    EXPECT_FALSE(picker.Offer(u"Times", u"Times", 700, false, false));
    EXPECT_EQ(picker.BestFace(), u"Arial Bold");
    EXPECT_EQ(picker.Count(), 5);

    // A first candidate of another face gives way to the first of the wanted one.
    cFontCandidatePicker other(u"Courier", 0);
    EXPECT_TRUE(other.Offer(u"Symbol", u"Symbol", 400, false, false));
    EXPECT_FALSE(other.Offer(u"Tahoma", u"Tahoma", 400, false, false));
    EXPECT_TRUE(other.Offer(u"Courier Bold", u"COURIER", 700, false, false));
    EXPECT_TRUE(other.Offer(u"Courier", u"Courier", 400, false, false));
    EXPECT_FALSE(other.Offer(u"Courier Oblique", u"Courier", 400, true, false));
    EXPECT_EQ(other.BestFace(), u"Courier");

    // Full names are kept to 64 characters.
    cFontCandidatePicker longName(u"x", 0);
    longName.Offer(std::u16string(80, u'n').c_str(), u"n", 400, false, false);
    EXPECT_EQ(longName.BestFace().size(), 64u);
}

}  // namespace
