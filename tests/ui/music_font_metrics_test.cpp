// The tables made with the music font and the pictures, and the rules that
// scale the font's table to other heights: an ink box keeps holding the
// ink (each edge rounded outwards, less than a pixel off), advances and
// the cell are rounded to the nearest pixel, and the table's own height
// answers the table unchanged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "tests/test_support.h"
#include "ui/music_font_metrics.h"
#include "ui/picture_sizes.h"

namespace {

TEST(MusicFontTable, HoldsEveryCharacterOnceWithInk) {
    std::span<const sMusicGlyph> glyphs = MusicGlyphs();
    ASSERT_GT(glyphs.size(), 100u);
    for (const sMusicGlyph &glyph : glyphs) {
        SCOPED_TRACE(testing::Message() << "character 0x" << std::hex << unsigned(glyph.code));
        EXPECT_TRUE(glyph.code == u' ' || (glyph.code >= 0xD10C && glyph.code <= 0xD1FD));
        EXPECT_GE(glyph.width, 1);
        EXPECT_GE(glyph.height, 1);
        EXPECT_EQ(&MusicGlyphOf(glyph.code), &glyph);
    }
    // Codes between and beyond the font's take the default glyph.
    const sMusicGlyph &fallback = MusicGlyphOf(u'A');
    for (char16_t c : {char16_t(0), char16_t(0xD110), char16_t(0xD1FE), char16_t(0xFFFF)}) {
        EXPECT_EQ(&MusicGlyphOf(c), &fallback) << std::hex << unsigned(c);
    }
    EXPECT_GT(fallback.advance, 0);
    EXPECT_GT(MusicFontAscent(kMusicFontHeight), 0);
    EXPECT_GT(MusicCellHeight(kMusicFontHeight), MusicFontAscent(kMusicFontHeight));
}

TEST(MusicFontTable, KnowsItsFaceInAnyCase) {
    EXPECT_TRUE(IsMusicFontFace(u"PelmoraMusic5a"));
    EXPECT_TRUE(IsMusicFontFace(u"PELMORAMUSIC5A"));
    EXPECT_FALSE(IsMusicFontFace(u"PelmoraMusic5"));
    EXPECT_FALSE(IsMusicFontFace(u"PelmoraMusic5ab"));
    EXPECT_FALSE(IsMusicFontFace(u""));
    EXPECT_FALSE(IsMusicFontFace(nullptr));
}

TEST(MusicFontTable, TheTablesOwnHeightAnswersTheTable) {
    const int32_t cell = MusicCellHeight(kMusicFontHeight);
    // Its own height, as the em, as the cell, and 0 for the default.
    for (int16_t height : {kMusicFontHeight, static_cast<int16_t>(cell), int16_t(0)}) {
        SCOPED_TRACE(height);
        EXPECT_EQ(MusicCellHeight(height), cell);
        for (const sMusicGlyph &glyph : MusicGlyphs()) {
            cRectangl box = MusicGlyphBox(glyph.code, height);
            EXPECT_EQ(box.x, glyph.x);
            EXPECT_EQ(box.y, glyph.y);
            EXPECT_EQ(box.Width(), glyph.width);
            EXPECT_EQ(box.Height(), glyph.height);
            EXPECT_EQ(MusicTextWidth(&glyph.code, 1, height), glyph.advance);
        }
    }
}

// Whether r is v * num / den rounded down, up, or to the nearest (halves up).
bool IsFloor(int64_t v, int64_t num, int64_t den, int64_t r) { return r * den <= v * num && v * num < (r + 1) * den; }
bool IsCeil(int64_t v, int64_t num, int64_t den, int64_t r) { return (r - 1) * den < v * num && v * num <= r * den; }
bool IsNearest(int64_t v, int64_t num, int64_t den, int64_t r) {
    return (2 * r - 1) * den <= 2 * v * num && 2 * v * num < (2 * r + 1) * den;
}

TEST(MusicFontTable, OtherHeightsScaleBoxesOutwardsAndMeasuresToTheNearest) {
    const int32_t cell = MusicCellHeight(kMusicFontHeight);
    const int32_t ascent = MusicFontAscent(kMusicFontHeight);
    for (int16_t height : {-7, -12, -18, -30, -36, -48, -100, 20, 100}) {
        SCOPED_TRACE(height);
        // The factor on the table: em over 24, or cell over the table's cell.
        const int64_t num = std::abs(height);
        const int64_t den = height < 0 ? -kMusicFontHeight : cell;
        for (const sMusicGlyph &glyph : MusicGlyphs()) {
            SCOPED_TRACE(testing::Message() << "character 0x" << std::hex << unsigned(glyph.code));
            cRectangl box = MusicGlyphBox(glyph.code, height);
            const int64_t left = box.x, top = box.y;
            const int64_t right = left + box.Width(), bottom = top + box.Height();
            EXPECT_TRUE(IsFloor(glyph.x, num, den, left)) << left;
            EXPECT_TRUE(IsFloor(glyph.y, num, den, top)) << top;
            EXPECT_TRUE(IsCeil(glyph.x + glyph.width, num, den, right)) << right;
            EXPECT_TRUE(IsCeil(glyph.y + glyph.height, num, den, bottom)) << bottom;
            const int64_t advance = MusicTextWidth(&glyph.code, 1, height);
            EXPECT_TRUE(IsNearest(glyph.advance, num, den, advance)) << advance;
            // The cell starts at the ink's left edge.
            EXPECT_EQ(MusicCharBox(glyph.code, height).x, box.x);
        }
        const int64_t a = MusicFontAscent(height);
        const int64_t d = MusicCellHeight(height) - a;
        EXPECT_TRUE(IsNearest(ascent, num, den, a)) << a;
        EXPECT_TRUE(IsNearest(cell - ascent, num, den, d)) << d;
        cRectangl charBox = MusicCharBox(0xD118, height);
        EXPECT_EQ(charBox.y, -a);
        EXPECT_EQ(charBox.Height(), a + d);
    }
}

TEST(MusicFontTable, ATextIsAsWideAsItsCharacters) {
    const char16_t text[] = {0xD1E1, u' ', 0xD1E8, u'A', 0xD131};
    for (int16_t height : {kMusicFontHeight, int16_t(-30)}) {
        int32_t sum = 0;
        for (char16_t c : text) sum += MusicTextWidth(&c, 1, height);
        EXPECT_EQ(MusicTextWidth(text, 5, height), sum);
        EXPECT_EQ(MusicTextWidth(text, 2, height), MusicTextWidth(text, 1, height) + MusicTextWidth(text + 1, 1, height));
    }
    EXPECT_EQ(MusicTextWidth(text, 0, kMusicFontHeight), 0);
    EXPECT_EQ(MusicTextWidth(nullptr, 3, kMusicFontHeight), 0);
}

TEST(PictureSizeTable, NamesEveryPictureOnceWithASize) {
    std::span<const sPictureSize> pictures = ProgramPictures();
    ASSERT_GT(pictures.size(), 50u);
    for (size_t i = 0; i < pictures.size(); i++) {
        SCOPED_TRACE(test::Narrow(pictures[i].name));
        EXPECT_GT(pictures[i].width, 0);
        EXPECT_GT(pictures[i].height, 0);
        // Found at its own place, so no other name equals it in any case.
        EXPECT_EQ(FindProgramPicture(pictures[i].name), static_cast<int32_t>(i));
    }
    EXPECT_EQ(FindProgramPicture(u"playerbmap"), FindProgramPicture(u"PlayerBMap"));
    EXPECT_EQ(FindProgramPicture(u"PlayerBMa"), -1);
    EXPECT_EQ(FindProgramPicture(u""), -1);
    EXPECT_EQ(FindProgramPicture(nullptr), -1);
}

}  // namespace
