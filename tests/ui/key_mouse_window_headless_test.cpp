// The keyboard-and-mouse window paints its plan on the recording device:
// pictures at their places, the key field, the key's name, and the bitmap
// and background modes restored.
#include <gtest/gtest.h>

#include "ui/key_mouse_window.h"

namespace {

TEST(KeyMousePainting, OnPaintDrawsThePlan) {
    cKeyMouseWin window(nullptr, nullptr);
    window.Open();
    window.SetShift(1);
    window.SetKeyText(u"F4");
    int32_t bitmapMode = window.GetBitmapMode();
    int32_t backgroundMode = window.GetBackgroundMode();
    window.ClearRecords();
    sWinMessage paint(0x0F, 0, 0);
    EXPECT_EQ(window.OnPaint(paint), RC_OK);
    const auto &r = window.Records();
    ASSERT_EQ(r.size(), 6u);
    struct sExpect {
        const char *op;
        std::vector<int32_t> args;
    };
    const sExpect expected[] = {
        {"DrawBitmap", {0, 91, 150, 75}},  {"DrawBitmap", {0, 0, 46, 86}},
        {"FillRect", {5, 111, 140, 50, 0x37FFFF}}, {"DrawBitmap", {10, 116, 86, 41}},
        {"DrawBitmap", {96, 116, 44, 41}}, {"DrawChars", {105, 141}},
    };
    for (size_t i = 0; i < r.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r[i].op, expected[i].op);
        EXPECT_EQ(r[i].args, expected[i].args);
    }
    EXPECT_EQ(r[5].text, u"F4");
    EXPECT_EQ(window.GetBitmapMode(), bitmapMode);
    EXPECT_EQ(window.GetBackgroundMode(), backgroundMode);
}

}  // namespace
