// The music font's metrics table against GDI: the GDI device, with the font
// added from resources/pelmora_5a.ttf, measures every character of the
// table as the table says (ink box, cell, advance), and the table holds
// exactly the characters the font has.  The native build measures the
// music font from the table alone, so the two must never drift apart.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <vector>

#include "foundation/win32_win.h"
#include "tests/test_support.h"
#include "tests/ui/white_canvas_win.h"
#include "ui/graph_dvc.h"
#include "ui/music_font_metrics.h"

namespace {

using tBox = std::array<int32_t, 4>;

tBox BoxOf(const cRectangl &r) { return {r.x, r.y, r.Width(), r.Height()}; }

class MusicFontMetricsWin : public testing::Test {
protected:
    static void SetUpTestSuite() {
        fontPath = test::SourcePath("resources/pelmora_5a.ttf");
        added = AddFontResourceW(W(fontPath.c_str()));
    }
    static void TearDownTestSuite() {
        if (added > 0) RemoveFontResourceW(W(fontPath.c_str()));
    }

    void SetUp() override {
        ASSERT_GT(added, 0) << "the font file was not added";
        cFontTable::ResetToStockFont();
        device = std::make_unique<cGraphDvc>(u"metrics");
        device->SetDeviceContext(canvas.Dc());
        device->Open();
        ASSERT_EQ(device->Attach(), RC_OK);
        ASSERT_EQ(device->PrepareDraw(), RC_OK);
        // Found as the program finds it: by face, at its height.
        font = device->FindFont(kMusicFontFace, kMusicFontHeight, 0);
        ASSERT_NE(font, kFontNone);
        ASSERT_TRUE(IsMusicFontFace(cFontTable::GetFont(font)->GetFace()));
    }
    void TearDown() override {
        device->ReleaseDraw();
        device->Close();
        device.reset();
        cFontTable::ResetToStockFont();
    }

    static std::u16string fontPath;
    static int added;
    test::cWhiteCanvas canvas{64, 64};
    std::unique_ptr<cGraphDvc> device;
    uint16_t font = kFontNone;
};

std::u16string MusicFontMetricsWin::fontPath;
int MusicFontMetricsWin::added = 0;

TEST_F(MusicFontMetricsWin, EveryCharacterMeasuresAsTheTableSays) {
    const int32_t cellHeight = MusicCellHeight(kMusicFontHeight);
    EXPECT_EQ(device->GetTextHeightN(u"\xD118", 1, font), cellHeight);

    // Every character of the table, and a code the font lacks, which GDI
    // measures as the font's default glyph.
    std::vector<char16_t> codes;
    for (const sMusicGlyph &glyph : MusicGlyphs()) codes.push_back(glyph.code);
    codes.push_back(u'A');
    ASSERT_GT(codes.size(), 100u);
    for (char16_t c : codes) {
        SCOPED_TRACE(testing::Message() << "character 0x" << std::hex << unsigned(c));
        const sMusicGlyph &glyph = MusicGlyphOf(c);
        const tBox ink{glyph.x, glyph.y, glyph.width, glyph.height};
        EXPECT_EQ(BoxOf(*device->GetGlyphBox(c, font)), ink);
        EXPECT_EQ(BoxOf(MusicGlyphBox(c, kMusicFontHeight)), ink);
        const tBox cell{glyph.x, -MusicFontAscent(kMusicFontHeight), glyph.advance, cellHeight};
        EXPECT_EQ(BoxOf(*device->GetCharBox(c, font)), cell);
        EXPECT_EQ(BoxOf(MusicCharBox(c, kMusicFontHeight)), cell);
        EXPECT_EQ(device->GetTextWidthN(&c, 1, font), glyph.advance);
    }
    EXPECT_EQ(MusicGlyphOf(u'A').code, 0) << "A is not in the font";

    // A text is as wide as its characters' advances together.
    const char16_t mark[] = {0xD1E1, u' ', 0xD1E1, u' ', 0xD1E8, u' ', 0xD1E2, u' ', 0xD131, 0xD132, 0xD130};
    const uint32_t n = std::size(mark);
    EXPECT_EQ(device->GetTextWidthN(mark, n, font), MusicTextWidth(mark, n, kMusicFontHeight));
}

TEST_F(MusicFontMetricsWin, TheTableHoldsExactlyTheCharactersOfTheFont) {
    HGDIOBJ previous = cFontTable::SelectIntoDC(canvas.Dc(), font);
    DWORD size = GetFontUnicodeRanges(canvas.Dc(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<uint8_t> buffer(size);
    auto *set = reinterpret_cast<GLYPHSET *>(buffer.data());
    ASSERT_EQ(GetFontUnicodeRanges(canvas.Dc(), set), size);
    SelectObject(canvas.Dc(), previous);

    std::set<uint32_t> inFont;
    for (DWORD i = 0; i < set->cRanges; i++) {
        for (uint32_t k = 0; k < set->ranges[i].cGlyphs; k++) inFont.insert(set->ranges[i].wcLow + k);
    }
    std::set<uint32_t> inTable;
    for (const sMusicGlyph &glyph : MusicGlyphs()) inTable.insert(glyph.code);
    EXPECT_EQ(inTable, inFont);
}

}  // namespace
