// The headless device measures the music font as GDI does, from the table
// made with the font (numbers below read from that table, which a window
// test holds against GDI), and every other font in cells of 8 x 10; the
// program's pictures load by name as tokens of the table's size.
#include <gtest/gtest.h>

#include <array>

#include "tests/foundation/raised_errors.h"
#include "tests/test_support.h"
#include "ui/graph_dvc.h"
#include "ui/music_font_metrics.h"
#include "ui/picture_sizes.h"

namespace {

using tBox = std::array<int32_t, 4>;

tBox BoxOf(const cRectangl *r) { return {r->x, r->y, r->Width(), r->Height()}; }

class HeadlessMeasures : public testing::Test {
protected:
    void SetUp() override { cFontTable::ResetToStockFont(); }
    void TearDown() override { cFontTable::ResetToStockFont(); }
    cGraphDvc device{u"score"};
};

struct sGlyphCase {
    char16_t c;
    tBox ink;         // GetGlyphBox
    int32_t advance;  // GetCharBox width and the text width
};

TEST_F(HeadlessMeasures, TheMusicFontMeasuresAsItsTable) {
    // Any case of the face finds it.
    uint16_t music = device.FindFont(u"pelmoramusic5A", -24, 0);
    ASSERT_NE(music, kFontNone);
    const sGlyphCase cases[] = {
        {0xD118, {0, -3, 8, 6}, 7},     // black head, stem down: left edge on the origin
        {0xD119, {-7, -3, 9, 6}, 1},    // black head, stem up: ink left of the origin
        {0xD17E, {0, -27, 17, 43}, 16},  // G clef
        {0xD1D7, {-1, -12, 93, 13}, 93},  // "D.S. al Coda"
        {u' ', {0, 0, 1, 1}, 6},        // no ink: GDI's 1 x 1 box at the origin
        {u'A', {1, -17, 10, 17}, 12},   // not in the font: its default glyph
    };
    for (const sGlyphCase &k : cases) {
        SCOPED_TRACE(testing::Message() << "character 0x" << std::hex << unsigned(k.c));
        EXPECT_EQ(BoxOf(device.GetGlyphBox(k.c, music)), k.ink);
        // The cell: from the ink's left edge, minus the ascent, the advance
        // wide and ascent plus descent high.
        EXPECT_EQ(BoxOf(device.GetCharBox(k.c, music)), (tBox{k.ink[0], -31, k.advance, 63}));
        EXPECT_EQ(device.GetTextWidthN(&k.c, 1, music), k.advance);
        EXPECT_EQ(device.MeasureCharHeight(k.c, music), 63);
    }
    EXPECT_EQ(device.GetTextWidth(u"\xD118\xD17E\xD118", music), 7 + 16 + 7);
    EXPECT_EQ(device.GetTextWidthN(nullptr, 3, music), 0);

    // The current and the default font, when they are the music font.
    device.SelectFont(music);
    EXPECT_EQ(BoxOf(device.GetGlyphBox(0xD17E, kFontKeep)), (tBox{0, -27, 17, 43}));
    device.SetDefaultFont(music);
    EXPECT_EQ(device.GetTextWidthN(u"\xD118", 1, kFontDefault), 7);
}

TEST_F(HeadlessMeasures, OtherHeightsOfTheMusicFontScaleTheTable) {
    // Twice the height: boxes, advances, ascent and descent twice as large
    // (GDI itself rounds each height on its own, within a pixel of these).
    uint16_t twice = device.FindFont(u"PelmoraMusic5a", -48, 0);
    EXPECT_EQ(BoxOf(device.GetGlyphBox(0xD118, twice)), (tBox{0, -6, 16, 12}));
    EXPECT_EQ(BoxOf(device.GetCharBox(0xD118, twice)), (tBox{0, -62, 14, 126}));
    // Half the height: the edges of an ink box go outwards, so that it still
    // holds the ink (-3 / 2 up to -2, 3 / 2 down to 2), the advance of 3.5
    // to the nearest, halves up.
    uint16_t half = device.FindFont(u"PelmoraMusic5a", -12, 0);
    EXPECT_EQ(BoxOf(device.GetGlyphBox(0xD118, half)), (tBox{0, -2, 4, 4}));
    EXPECT_EQ(device.GetTextWidthN(u"\xD118", 1, half), 4);
    EXPECT_EQ(device.GetTextHeightN(u"\xD118", 1, half), 32);
    // A positive height is the cell's: 63 is the cell at an em of 24.
    uint16_t cell = device.FindFont(u"PelmoraMusic5a", 63, 0);
    EXPECT_EQ(BoxOf(device.GetGlyphBox(0xD17E, cell)), (tBox{0, -27, 17, 43}));
    EXPECT_EQ(device.GetTextHeightN(u"\xD17E", 1, cell), 63);
}

TEST_F(HeadlessMeasures, OtherFontsKeepTheirCellsOfEightByTen) {
    uint16_t arial = device.FindFont(u"Arial", -24, 0);
    // A face that only begins like the music font's is another font.
    uint16_t longer = device.FindFont(u"PelmoraMusic5aX", -24, 0);
    for (uint16_t font : {uint16_t(0), arial, longer, kFontKeep}) {
        SCOPED_TRACE(font);
        EXPECT_EQ(BoxOf(device.GetGlyphBox(0xD118, font)), (tBox{0, 0, 8, 10}));
        EXPECT_EQ(BoxOf(device.GetCharBox(u'A', font)), (tBox{0, 0, 8, 10}));
        EXPECT_EQ(device.GetTextWidthN(u"Abc", 3, font), 24);
        EXPECT_EQ(device.GetTextHeightN(u"Abc", 3, font), 10);
    }
}

TEST_F(HeadlessMeasures, ProgramPicturesLoadAsTokensOfTheirSize) {
    device.Open();
    test::RaisedErrors errors;
    tBitmapHandle keyboard = device.LoadBitmapResource(u"KeyboardGray150BMap");
    ASSERT_NE(keyboard, nullptr);
    int32_t w = -1, h = -1;
    EXPECT_EQ(device.GetBitmapSize(keyboard, w, h), RC_OK);
    EXPECT_EQ(w, 150);
    EXPECT_EQ(h, 75);
    // Resource names do not care for case; each picture has its own token.
    EXPECT_EQ(device.LoadBitmapResource(u"KEYBOARDGRAY150BMAP"), keyboard);
    tBitmapHandle rest = device.LoadBitmapResource(u"rest12bmap");
    ASSERT_NE(rest, nullptr);
    EXPECT_NE(rest, keyboard);
    device.GetBitmapSize(rest, w, h);
    EXPECT_EQ(w, 12);
    EXPECT_EQ(h, 8);

    // Drawn at their size, or at the one asked; the record names the picture.
    device.ClearRecords();
    EXPECT_EQ(device.DrawBitmapNatural(keyboard, 5, 6), RC_OK);
    EXPECT_EQ(device.DrawBitmap(rest, 1, 2, 24, 16), RC_OK);
    ASSERT_EQ(device.Records().size(), 2u);
    EXPECT_EQ(device.Records()[0].args, (std::vector<int32_t>{5, 6, 150, 75}));
    EXPECT_EQ(device.Records()[0].text, u"KeyboardGray150BMap");
    EXPECT_EQ(device.Records()[1].args, (std::vector<int32_t>{1, 2, 24, 16}));
    EXPECT_EQ(device.Records()[1].text, u"REST12BMAP");
    EXPECT_EQ(device.FreeBitmap(keyboard), RC_OK);
    EXPECT_EQ(errors.Count(), 0);

    // Every picture of the table loads at its size.
    for (const sPictureSize &picture : ProgramPictures()) {
        SCOPED_TRACE(test::Narrow(picture.name));
        tBitmapHandle bitmap = device.LoadBitmapResource(picture.name);
        ASSERT_NE(bitmap, nullptr);
        device.GetBitmapSize(bitmap, w, h);
        EXPECT_EQ(w, picture.width);
        EXPECT_EQ(h, picture.height);
    }
}

TEST_F(HeadlessMeasures, OtherNamesLoadNothingAndAreReported) {
    device.Open();
    test::RaisedErrors errors;
    EXPECT_EQ(device.LoadBitmapResource(u"NoSuchBMap"), nullptr);
    EXPECT_EQ(device.LoadBitmapResource(u""), nullptr);
    EXPECT_EQ(device.LoadBitmapResource(nullptr), nullptr);
    // A numeric resource id is no address to read a name from.
    EXPECT_EQ(device.LoadBitmapResource(reinterpret_cast<const char16_t *>(uintptr_t(100))), nullptr);
    EXPECT_EQ(errors.Count(), 4);

    // A handle that is no token has no size and draws at the size asked.
    int32_t w = -1, h = -1;
    char other;
    tBitmapHandle foreign = reinterpret_cast<tBitmapHandle>(&other);
    device.GetBitmapSize(foreign, w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    device.ClearRecords();
    EXPECT_EQ(device.DrawBitmap(foreign, 3, 4, 10, 10), RC_OK);
    ASSERT_EQ(device.Records().size(), 1u);
    EXPECT_EQ(device.Records()[0].text, u"");
    EXPECT_EQ(device.FreeBitmap(nullptr), RC_FAIL);
}

TEST_F(HeadlessMeasures, TheCClefPicturesAreTheClefsInkBoxPlusTwo) {
    // The palette blits the alto and tenor clef pictures at the C clef's ink
    // box plus 2: the two tables agree.
    uint16_t music = device.FindFont(kMusicFontFace, kMusicFontHeight, 0);
    const cRectangl clef = *device.GetGlyphBox(0xD17C, music);
    for (const char16_t *name : {u"AltoBMap", u"TenorBMap"}) {
        int32_t index = FindProgramPicture(name);
        ASSERT_GE(index, 0);
        EXPECT_EQ(ProgramPictures()[index].width, clef.Width() + 2);
        EXPECT_EQ(ProgramPictures()[index].height, clef.Height() + 2);
    }
}

}  // namespace
