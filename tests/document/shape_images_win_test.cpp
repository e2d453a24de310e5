// Shape images drawn by GDI on a white memory picture: a bitmap of the
// program's resources lands with its hot spot on the position, and a glyph
// of the music font, measured in that font, puts its ink where its image
// says, inside the edges of a symbol drawn from it.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/shape_images.h"
#include "foundation/win32_win.h"
#include "platform/op_sys_base.h"
#include "tests/document/symbol_fixture.h"
#include "tests/support/canvas_device_win.h"
#include "tests/test_support.h"

namespace {

constexpr int kSize = 200;

// The box of the dark pixels of a canvas, edges included; empty when none.
struct sInk {
    int left = kSize, top = kSize, right = -1, bottom = -1;
    bool Empty() const { return right < 0; }
};

sInk InkOf(const test::cWhiteCanvas &canvas) {
    sInk ink;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Dark(x, y)) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

class ShapeImageGdi : public test::SymbolTest, protected test::cCanvasDevice {
protected:
    ShapeImageGdi() : cCanvasDevice(kSize, kSize) {}
    void SetUp() override {
        SymbolTest::SetUp();
        ASSERT_TRUE(OpenDevice());
    }
    void TearDown() override {
        CloseDevice();
        SymbolTest::TearDown();
    }

    // Erases the canvas to white.
    void Clear() { device->FillRect(0, 0, kSize, kSize, 0xFFFFFF); }
};

TEST_F(ShapeImageGdi, ABitmapLandsWithItsHotSpotOnThePosition) {
    tBitmapHandle bitmap = device->LoadBitmapResource(u"REST12BMAP");
    ASSERT_NE(bitmap, nullptr);
    cShapeImgBitMap image(bitmap, 12, 8, 6, 4);
    image.DrawAt(50, 60, device.get());
    sInk ink = InkOf(canvas);
    ASSERT_FALSE(ink.Empty());
    // The picture covers 44..55 x 56..63; the edges lie one outside it.
    EXPECT_GE(ink.left, 44);
    EXPECT_LE(ink.right, 55);
    EXPECT_GE(ink.top, 56);
    EXPECT_LE(ink.bottom, 63);
    EXPECT_LT(image.LeftAt(50), ink.left);
    EXPECT_GT(image.RightAt(50), ink.right);
    EXPECT_LT(image.TopAt(60), ink.top);
    EXPECT_GT(image.BottomAt(60), ink.bottom);

    // From the top left the same picture lands at the point.
    Clear();
    image.DrawFromTopLeft(100, 120, device.get());
    sInk moved = InkOf(canvas);
    EXPECT_EQ(moved.left - ink.left, 100 - 44);
    EXPECT_EQ(moved.top - ink.top, 120 - 56);
    EXPECT_EQ(device->FreeBitmap(bitmap), RC_OK);
}

TEST_F(ShapeImageGdi, AGlyphOfTheMusicFontInksItsMeasuredBox) {
    ASSERT_EQ(device->AddFontFile(test::SourcePath("resources/pelmora_5a.ttf").c_str()), RC_OK);
    const uint16_t font = device->FindFont(u"PelmoraMusic5a", -24, 0);
    ASSERT_NE(font, kFontNone);
    constexpr int32_t kFromInk = cShapeBmpFont::kHotSpotFromInk;
    // A G clef, a quarter rest and a black note head.
    for (char16_t glyph : {char16_t(0xD17E), char16_t(0xD164), char16_t(0xD118)}) {
        SCOPED_TRACE(int(glyph));
        cShapeBmpFont image(nullptr, 0, 0, kFromInk, kFromInk, glyph, font, device.get());
        const cRectangl inkBox = *image.GetImageRect();
        ASSERT_GT(inkBox.width, 0);
        ASSERT_GT(inkBox.height, 0);

        // The glyph's origin at (60, 120): its ink is the measured box there.
        Clear();
        image.DrawAt(60, 120, device.get());
        sInk ink = InkOf(canvas);
        ASSERT_FALSE(ink.Empty());
        EXPECT_NEAR(ink.left, 60 + inkBox.x, 1);
        EXPECT_NEAR(ink.top, 120 + inkBox.y, 1);
        EXPECT_NEAR(ink.right, 60 + inkBox.x + inkBox.width - 1, 1);
        EXPECT_NEAR(ink.bottom, 120 + inkBox.y + inkBox.height - 1, 1);

        // A symbol at (100, 100) drawn from the top left of its edges: the
        // ink lies between the edges.
        Clear();
        const int32_t left = image.LeftAt(100), top = image.TopAt(100);
        const int32_t right = image.RightAt(100), bottom = image.BottomAt(100);
        EXPECT_EQ(right - left + 1, image.GetWidth());
        EXPECT_EQ(bottom - top + 1, image.GetHeight());
        image.DrawFromTopLeft(left + 1, top + 1, device.get());
        ink = InkOf(canvas);
        EXPECT_GT(ink.left, left);
        EXPECT_GT(ink.top, top);
        EXPECT_LT(ink.right, right);
        EXPECT_LT(ink.bottom, bottom);
        EXPECT_LE(ink.left, left + 2);
        EXPECT_LE(ink.top, top + 2);
        EXPECT_GE(ink.right, right - 2);
        EXPECT_GE(ink.bottom, bottom - 2);
    }
    EXPECT_EQ(gOpSys->RemoveAddedFontFile(), RC_OK);
}

}  // namespace
