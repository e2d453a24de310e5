// The arithmetic of scrolling windows: origin clamp, scroll-bar page and
// position, line and page steps, scroll targets, wheel notches, the frame
// shift and the command log text.
#include <gtest/gtest.h>

#include <climits>

#include "ui/view_scroll.h"

namespace {

struct sClampCase {
    int32_t origin, client;
    float zoom;
    int32_t extent, expected;
};

TEST(ViewScroll, OriginClamp) {
    const sClampCase cases[] = {
        {100, 500, 1.0f, 2000, 0},           // never above 0
        {-5000, 500, 1.0f, 2000, -1500},     // the far end: visible - extent
        {-5000, 400, 1.0f, 1500, -1100},
        {-750, 500, 1.0f, 2000, -750},       // inside the range: kept
        {-300, 800, 1.0f, 600, 0},           // everything fits: 0
        {-300, 500, 1.0f, 500, 0},           // exactly fits
        {-300, 500, 1.0f, 0, 0},             // no extent
        {INT32_MIN, 500, 1.0f, 2000, -1500}, // "bottom" asks for the far end
        {-5000, 500, 2.0f, 2000, -1750},     // zoom 2: 250 logical units visible
        {-5000, 500, 0.5f, 2000, -1000},     // zoom 0.5: 1000 logical units visible
        {-5000, 1000, 0.5f, 2000, 0},        // ... and the whole extent fits 1000 pixels
        {-10, 500, 1.0f, INT32_MAX, -10},    // huge extents do not overflow
        {INT32_MIN, 500, 1.0f, INT32_MAX, 500 - INT32_MAX},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.origin << " " << c.client << " " << c.zoom << " " << c.extent);
        EXPECT_EQ(ClampScrollOrigin(c.origin, c.client, c.zoom, c.extent), c.expected);
    }
}

TEST(ViewScroll, ExtentInPixels) {
    EXPECT_EQ(ScrollExtentPixels(2000, 1.0f), 2000);
    EXPECT_EQ(ScrollExtentPixels(2000, 1.5f), 3000);
    EXPECT_EQ(ScrollExtentPixels(3, 0.5f), 1);  // truncated
    EXPECT_EQ(ScrollExtentPixels(2000000000, 2.0f), 0x7FFFFFFF);
}

struct sBarCase {
    int32_t origin, client;
    float zoom;
    int32_t extent, page, pos;
};

TEST(ViewScroll, ScrollBarPageAndPosition) {
    const sBarCase cases[] = {
        {0, 500, 1.0f, 2000, 25, 0},
        {-750, 500, 1.0f, 2000, 25, 37},    // 750 x 75 / 1500
        {-1500, 500, 1.0f, 2000, 25, 75},   // the far end
        {-80, 400, 1.0f, 1500, 26, 5},      // 80 x 74 / 1100
        {0, 800, 1.0f, 600, 100, 0},        // everything fits: full thumb
        {0, 500, 1.0f, 0, 100, 0},          // no extent: no division
        {-250, 500, 2.0f, 2000, 12, 12},    // 250 x 88 / 1750 = 12.57
        {-875, 500, 2.0f, 2000, 12, 44},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.origin << " " << c.client << " " << c.zoom << " " << c.extent);
        sScrollBarInfo info = ScrollBarInfoFor(c.origin, c.client, c.zoom, c.extent);
        EXPECT_EQ(info.page, c.page);
        EXPECT_EQ(info.pos, c.pos);
    }
}

struct sStepCase {
    int32_t client;
    float zoom;
    int32_t line, page;
};

TEST(ViewScroll, LineAndPageSteps) {
    const sStepCase cases[] = {
        {500, 1.0f, 100, 450},
        {500, 2.0f, 50, 225},
        {400, 1.0f, 80, 360},
        {499, 1.0f, 99, 449},  // integer divisions first
        {500, 0.75f, 133, 600},
        {0, 1.0f, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.client << " " << c.zoom);
        EXPECT_EQ(ScrollLineStep(c.client, c.zoom), c.line);
        EXPECT_EQ(ScrollPageStep(c.client, c.zoom), c.page);
    }
}

struct sTargetCase {
    int32_t code, position, origin, expected;
};

TEST(ViewScroll, TargetsOfScrollCodes) {
    // Extent 2000, client 500, zoom 1, page 25.
    const sTargetCase cases[] = {
        {kScrollLineUp, 0, -750, -650},   {kScrollLineDown, 0, -750, -850},
        {kScrollPageUp, 0, -750, -300},   {kScrollPageDown, 0, -750, -1200},
        {kScrollThumbTrack, 75, 0, -1500}, {kScrollThumbPosition, 30, 0, -600},
        {kScrollTop, 0, -750, 0},         {kScrollBottom, 0, -750, INT32_MIN},
        {kScrollEnd, 0, -750, -750},      {99, 0, -750, -750},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code);
        EXPECT_EQ(ScrollTarget(c.code, c.position, c.origin, 500, 1.0f, 2000, 25), c.expected);
    }
    // With the whole extent on the page the thumb goes to the full extent.
    EXPECT_EQ(ScrollTarget(kScrollThumbTrack, 10, 0, 800, 1.0f, 600, 100), -600);
    // "Bottom" ends at the far end once clamped.
    EXPECT_EQ(ClampScrollOrigin(ScrollTarget(kScrollBottom, 0, 0, 500, 1.0f, 2000, 25), 500, 1.0f, 2000), -1500);
    // Steps at the ends do not wrap around.
    EXPECT_EQ(ScrollTarget(kScrollLineDown, 0, INT32_MIN, 500, 1.0f, 2000, 25), INT32_MIN);
}

TEST(ViewScroll, WheelNotches) {
    const int16_t deltas[] = {0, 1, 120, 121, 240, -1, -120, -240, -241, 32767, -32768};
    const int32_t notches[] = {0, 1, 1, 2, 2, -1, -1, -2, -3, 274, -274};
    for (size_t i = 0; i < sizeof deltas / sizeof deltas[0]; ++i) EXPECT_EQ(WheelNotches(deltas[i]), notches[i]) << deltas[i];
}

TEST(ViewScroll, FrameIsMovedOntoTheScreen) {
    EXPECT_EQ(ShiftFrameOnScreen({-4, -30, 504, 404}), (sFrameEdges{0, 0, 508, 434}));
    EXPECT_EQ(ShiftFrameOnScreen({10, 20, 30, 40}), (sFrameEdges{10, 20, 30, 40}));
    EXPECT_EQ(ShiftFrameOnScreen({-3, 5, 7, 9}), (sFrameEdges{0, 5, 10, 9}));
}

TEST(ViewScroll, CommandLogText) {
    struct sCase {
        uint32_t wParam;
        uintptr_t lParam;
        bool translating;
        const char16_t *keyName;
        const char16_t *expected;
    };
    const sCase cases[] = {
        {102, 0, false, u"102", u"Menu=102<102>"},
        {111, 0, false, nullptr, u"Menu=<111>"},
        {(1u << 16) | 0x4005, 0, false, nullptr, u"Accelerator=<16389>"},
        {(1u << 16) | 102, 0, false, u"File_Save", u"Accelerator=File_Save<102>"},
        {102, 0, true, u"File_Save", u"Menu=translating: File_Save<102>"},
        {(768u << 16) | 1001, 0x1234, false, nullptr, u"control=768, 1001, 4660"},
        {(0xFFFFu << 16) | 0xFFFF, 0, true, u"x", u"control=65535, 65535, 0"},
    };
    for (const auto &c : cases) EXPECT_EQ(FormatCommandLog(c.wParam, c.lParam, c.translating, c.keyName), c.expected);
}

}  // namespace
