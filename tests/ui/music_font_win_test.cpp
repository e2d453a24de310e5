// The music font file resources/pelmora_5a.ttf under GDI: added the way the
// program adds it, found by its face, a glyph for every character the
// symbols draw, each placed where the drawing code expects its origin, and
// drawn by TextOutW although the codes lie in the high-surrogate block.
// A staff drawn with it is saved as music_font_staff.bmp beside the test.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/win32_win.h"
#include "tests/test_support.h"
#include "tests/ui/white_canvas_win.h"

namespace {

const char16_t kFace[] = u"PelmoraMusic5a";
const int kFontHeight = -24;   // the height the program creates it at

// Every music-font character the symbols draw.
const char16_t kMusicChars[] = {
    // flags: stem up 64th..8th, stem down 64th..8th
    0xD10C, 0xD10D, 0xD10E, 0xD10F, 0xD111, 0xD112, 0xD113, 0xD114,
    // heads, stem down and stem up: black, white, diamonds, triangles, cross, circled cross
    0xD118, 0xD119, 0xD11A, 0xD11B, 0xD11C, 0xD11D, 0xD11E, 0xD11F,
    0xD120, 0xD121, 0xD122, 0xD123, 0xD124, 0xD125, 0xD126, 0xD127,
    // cut and common time, the digits, the fixed time signatures
    0xD12E, 0xD12F, 0xD130, 0xD131, 0xD132, 0xD133, 0xD134, 0xD135, 0xD136, 0xD137,
    0xD138, 0xD139, 0xD13A, 0xD13B, 0xD13C, 0xD13D, 0xD13E, 0xD13F, 0xD140,
    // complete notes: stem down 64th..half, stem up 64th..half, whole
    0xD144, 0xD145, 0xD146, 0xD147, 0xD148, 0xD149,
    0xD14B, 0xD14C, 0xD14D, 0xD14E, 0xD14F, 0xD150, 0xD151,
    // grace note, rests 64th..quarter, simile, dots
    0xD159, 0xD160, 0xD161, 0xD162, 0xD163, 0xD164, 0xD16C, 0xD16E, 0xD16F,
    // clefs F, C, G8, G, percussion; 8va, 8vb
    0xD17A, 0xD17C, 0xD17D, 0xD17E, 0xD180, 0xD181, 0xD184, 0xD185,
    // accidentals
    0xD1A4, 0xD1A5, 0xD1A6, 0xD1A7, 0xD1A8,
    // dynamics
    0xD1B4, 0xD1B5, 0xD1B6, 0xD1B7, 0xD1B8, 0xD1B9, 0xD1BA, 0xD1BB, 0xD1BE, 0xD1BF,
    // D.C., D.S., Fine and their combinations; segno, segno 2, coda
    0xD1CF, 0xD1D0, 0xD1D2, 0xD1D6, 0xD1D7, 0xD1D8, 0xD1D9, 0xD1DA, 0xD1DB, 0xD1DC,
    // metronome mark: lead-in, equals, dotted quarter, 64th..whole
    0xD1E1, 0xD1E2, 0xD1E3, 0xD1E4, 0xD1E5, 0xD1E6, 0xD1E7, 0xD1E8, 0xD1E9, 0xD1EA,
    // turns, trill, bowings, accent, dash, staccato, mordents, fermatas, pedal
    0xD1EF, 0xD1F0, 0xD1F1, 0xD1F2, 0xD1F3, 0xD1F4, 0xD1F5, 0xD1F6, 0xD1F7, 0xD1F8,
    0xD1FA, 0xD1FB, 0xD1FC, 0xD1FD,
};

// Ink box of a glyph in pixels, y upwards from the baseline as GDI gives it.
struct Ink {
    int left, right, top, bottom;   // right = left + width, bottom = top - height
};

class MusicFontWin : public testing::Test {
protected:
    static void SetUpTestSuite() {
        sPath = test::SourcePath("resources/pelmora_5a.ttf");
        sAdded = AddFontResourceW(W(sPath.c_str()));
    }
    static void TearDownTestSuite() {
        if (sAdded > 0) {
            RemoveFontResourceW(W(sPath.c_str()));
        }
    }

    void SetUp() override {
        ASSERT_GT(sAdded, 0) << "AddFontResourceW failed for the font file";
        mDc = CreateCompatibleDC(nullptr);
        ASSERT_NE(mDc, nullptr);
        // The font description the program's fonts make (face, height, ANSI
        // character set, TrueType precision, embedded clipping, proof quality).
        mFont = CreateFontW(kFontHeight, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                            CLIP_EMBEDDED, PROOF_QUALITY, VARIABLE_PITCH, W(kFace));
        ASSERT_NE(mFont, nullptr);
        mOldFont = SelectObject(mDc, mFont);
    }
    void TearDown() override {
        if (mDc != nullptr) {
            SelectObject(mDc, mOldFont);
            DeleteDC(mDc);
        }
        if (mFont != nullptr) {
            DeleteObject(mFont);
        }
    }

    bool Metrics(uint16_t ch, GLYPHMETRICS &gm, UINT format = GGO_METRICS) {
        const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        return GetGlyphOutlineW(mDc, ch, format, &gm, 0, nullptr, &identity) != GDI_ERROR;
    }

    Ink InkOf(uint16_t ch) {
        GLYPHMETRICS gm = {};
        EXPECT_TRUE(Metrics(ch, gm)) << std::hex << ch;
        int left = gm.gmptGlyphOrigin.x;
        int top = gm.gmptGlyphOrigin.y;
        return {left, left + int(gm.gmBlackBoxX), top, top - int(gm.gmBlackBoxY)};
    }

    // Number of inked pixels of the glyph as GGO_BITMAP renders it, the
    // format the program measures glyphs with.
    int InkedPixels(uint16_t ch) {
        const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        GLYPHMETRICS gm = {};
        DWORD size = GetGlyphOutlineW(mDc, ch, GGO_BITMAP, &gm, 0, nullptr, &identity);
        if (size == GDI_ERROR || size == 0) {
            return 0;
        }
        std::vector<unsigned char> bits((size + 3) & ~3u);
        if (GetGlyphOutlineW(mDc, ch, GGO_BITMAP, &gm, DWORD(bits.size()), bits.data(), &identity) == GDI_ERROR) {
            return 0;
        }
        int count = 0;
        for (unsigned char b : bits) {
            for (; b != 0; b &= b - 1) {
                ++count;
            }
        }
        return count;
    }

    static std::u16string sPath;
    static int sAdded;
    HDC mDc = nullptr;
    HFONT mFont = nullptr;
    HGDIOBJ mOldFont = nullptr;
};

std::u16string MusicFontWin::sPath;
int MusicFontWin::sAdded = 0;

int CALLBACK CollectFullName(const LOGFONTW *lf, const TEXTMETRICW *, DWORD, LPARAM param) {
    const auto *elf = reinterpret_cast<const ENUMLOGFONTW *>(lf);
    reinterpret_cast<std::u16string *>(param)->assign(reinterpret_cast<const char16_t *>(elf->elfFullName));
    return 0;
}

TEST_F(MusicFontWin, IsFoundByItsFaceAndFullName) {
    char16_t face[LF_FACESIZE] = {};
    ASSERT_GT(GetTextFaceW(mDc, LF_FACESIZE, W(face)), 0);
    EXPECT_EQ(std::u16string(face), kFace);

    // The program's font search enumerates the face and keeps the full name.
    std::u16string fullName;
    EnumFontFamiliesW(mDc, W(kFace), CollectFullName, reinterpret_cast<LPARAM>(&fullName));
    EXPECT_EQ(fullName, kFace);

    // A TrueType font whose characters go past 8999: what the program takes
    // for a wide outline font.
    TEXTMETRICW tm = {};
    ASSERT_TRUE(GetTextMetricsW(mDc, &tm));
    EXPECT_NE(tm.tmPitchAndFamily & TMPF_TRUETYPE, 0);
    EXPECT_GE(unsigned(tm.tmLastChar), 0xD1FDu);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -kFontHeight);
}

TEST_F(MusicFontWin, EveryCharacterHasAGlyphOfItsOwnWithInk) {
    const int n = int(sizeof kMusicChars / sizeof kMusicChars[0]);
    ASSERT_EQ(n, 122);
    std::vector<WORD> index(n);
    ASSERT_EQ(GetGlyphIndicesW(mDc, W(kMusicChars), n, index.data(),
                               GGI_MARK_NONEXISTING_GLYPHS),
              DWORD(n));
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(testing::Message() << "character 0x" << std::hex << unsigned(kMusicChars[i]));
        EXPECT_NE(index[i], 0xFFFF);
        EXPECT_NE(index[i], 0);
        for (int j = 0; j < i; ++j) {
            EXPECT_NE(index[i], index[j]) << "same glyph as 0x" << std::hex << unsigned(kMusicChars[j]);
        }
        GLYPHMETRICS gm = {};
        ASSERT_TRUE(Metrics(kMusicChars[i], gm));
        // Plausible at an em of 24 pixels: a staccato dot is 2 pixels wide,
        // "D.C. al Coda" four ems; no ink is taller than two ems (the black
        // box, widened to whole pixels, by up to a pixel more at each end).
        EXPECT_GE(gm.gmBlackBoxX, 2u);
        EXPECT_GE(gm.gmBlackBoxY, 2u);
        EXPECT_LE(gm.gmBlackBoxX, 100u);
        EXPECT_LE(gm.gmBlackBoxY, 50u);
        EXPECT_GT(InkedPixels(kMusicChars[i]), 2);
    }
}

// Where a glyph's ink lies around its origin, as the symbols place them.
enum class Place {
    HeadStemDown,   // head on the baseline, its left edge on the origin
    HeadStemUp,     // head on the baseline, its right edge one unit past it
    Centred,        // centred on the origin both ways
    OnBaseline,     // stands on the baseline
    HangsFromBaseline,
    CentredOnBaseline,
    EndsFiveRight,  // accidentals: ink ends 5 units right of the origin
};

struct PlaceCase {
    uint16_t ch;
    Place place;
};

const PlaceCase kPlaces[] = {
    {0xD118, Place::HeadStemDown}, {0xD119, Place::HeadStemUp},
    {0xD11A, Place::HeadStemDown}, {0xD11B, Place::HeadStemUp},
    {0xD11C, Place::HeadStemDown}, {0xD11D, Place::HeadStemUp},
    {0xD11E, Place::HeadStemDown}, {0xD11F, Place::HeadStemUp},
    {0xD120, Place::HeadStemDown}, {0xD121, Place::HeadStemUp},
    {0xD122, Place::HeadStemDown}, {0xD123, Place::HeadStemUp},
    {0xD124, Place::HeadStemDown}, {0xD125, Place::HeadStemUp},
    {0xD126, Place::HeadStemDown}, {0xD127, Place::HeadStemUp},
    {0xD151, Place::Centred},      // whole note, centred on its ledger lines
    {0xD16E, Place::Centred},      // augmentation dot
    {0xD1EF, Place::Centred}, {0xD1F0, Place::Centred}, {0xD1F1, Place::Centred},
    {0xD1F2, Place::Centred}, {0xD1F3, Place::Centred}, {0xD1F4, Place::Centred},
    {0xD1F5, Place::Centred}, {0xD1F6, Place::Centred}, {0xD1F7, Place::Centred},
    {0xD1F8, Place::Centred},
    {0xD1FA, Place::OnBaseline},          // fermata above the note
    {0xD1FB, Place::HangsFromBaseline},   // fermata below the note
    {0xD130, Place::OnBaseline}, {0xD134, Place::OnBaseline}, {0xD139, Place::OnBaseline},
    {0xD13A, Place::CentredOnBaseline}, {0xD13F, Place::CentredOnBaseline},
    {0xD140, Place::CentredOnBaseline}, {0xD12F, Place::CentredOnBaseline},
    {0xD1A4, Place::EndsFiveRight}, {0xD1A5, Place::EndsFiveRight}, {0xD1A6, Place::EndsFiveRight},
    {0xD1A7, Place::EndsFiveRight}, {0xD1A8, Place::EndsFiveRight},
};

TEST_F(MusicFontWin, GlyphsLieWhereTheSymbolsPutTheirOrigin) {
    for (const PlaceCase &c : kPlaces) {
        SCOPED_TRACE(testing::Message() << "character 0x" << std::hex << c.ch);
        const Ink ink = InkOf(c.ch);
        const int midX2 = ink.left + ink.right;   // twice the middle
        const int midY2 = ink.top + ink.bottom;
        switch (c.place) {
        case Place::HeadStemDown:
            EXPECT_NEAR(ink.left, 0, 1);
            EXPECT_NEAR(midY2, 0, 2);
            EXPECT_NEAR(ink.right - ink.left, 7, 2);
            break;
        case Place::HeadStemUp:
            EXPECT_NEAR(ink.right, 1, 1);
            EXPECT_NEAR(midY2, 0, 2);
            EXPECT_NEAR(ink.right - ink.left, 7, 2);
            break;
        case Place::Centred:
            EXPECT_NEAR(midX2, 0, 2);
            EXPECT_NEAR(midY2, 0, 2);
            break;
        case Place::OnBaseline:
            EXPECT_NEAR(ink.bottom, 0, 1);
            EXPECT_GT(ink.top, 3);
            break;
        case Place::HangsFromBaseline:
            EXPECT_NEAR(ink.top, 0, 1);
            EXPECT_LT(ink.bottom, -3);
            break;
        case Place::CentredOnBaseline:
            EXPECT_NEAR(midY2, 0, 2);
            break;
        case Place::EndsFiveRight:
            EXPECT_NEAR(ink.right, 5, 1);
            break;
        }
    }

    // Time-signature digits are two staff spaces high, so that a numerator
    // on the middle line fills the upper half of the staff.
    for (uint16_t d = 0xD130; d <= 0xD139; ++d) {
        const Ink ink = InkOf(d);
        EXPECT_NEAR(ink.top - ink.bottom, 12, 1) << std::hex << d;
    }
    // The G clef stands on its line: the curl around the baseline, the top
    // above the staff's top line (three spaces up), the tail below the bottom one.
    const Ink clef = InkOf(0xD17E);
    EXPECT_GT(clef.top, 18);
    EXPECT_LT(clef.bottom, -6);
}

TEST_F(MusicFontWin, MetronomeMarkStaysBetweenTheLeadInTopAndTheBaseline) {
    // The mark's top edge is the inked top of the lead-in; its bottom the
    // baseline plus one.
    const Ink lead = InkOf(0xD1E1);
    EXPECT_NEAR(lead.bottom, 0, 1);
    for (uint16_t ch = 0xD1E2; ch <= 0xD1EA; ++ch) {
        const Ink ink = InkOf(ch);
        EXPECT_LE(ink.top, lead.top) << std::hex << ch;
        EXPECT_GE(ink.bottom, -1) << std::hex << ch;
    }
    for (uint16_t ch = 0xD130; ch <= 0xD139; ++ch) {
        EXPECT_LE(InkOf(ch).top, lead.top) << std::hex << ch;
    }
    // The text of a new mark: each code unit is measured on its own, a
    // high-surrogate code unit is never joined to its neighbour.
    const char16_t mark[] = {0xD1E1, u' ', 0xD1E1, u' ', 0xD1E8, u' ', 0xD1E2, u' ', 0xD131, 0xD132, 0xD130};
    const int n = int(sizeof mark / sizeof mark[0]);
    SIZE whole = {};
    ASSERT_TRUE(GetTextExtentPoint32W(mDc, W(mark), n, &whole));
    int sum = 0;
    for (char16_t ch : mark) {
        SIZE one = {};
        ASSERT_TRUE(GetTextExtentPoint32W(mDc, W(&ch), 1, &one));
        EXPECT_GT(one.cx, 0);
        sum += one.cx;
    }
    EXPECT_EQ(whole.cx, sum);
}

// A white canvas for glyphs: a pixel is dark when its grey level, the mean
// of its channels, is below half.
class Picture : public test::cWhiteCanvas {
public:
    Picture(int w, int h) : cWhiteCanvas(w, h) {
        SetBkMode(Dc(), TRANSPARENT);
        SetTextColor(Dc(), RGB(0, 0, 0));
    }
    bool Dark(int x, int y) const override {
        if (x < 0 || y < 0 || x >= Width() || y >= Height()) return false;
        uint32_t p = At(x, y);
        return (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF) < 3 * 128;
    }
    bool SaveBmp(const std::u16string &path) const {
        BITMAPFILEHEADER fh = {};
        BITMAPINFOHEADER ih = {};
        const DWORD bytes = DWORD(Width()) * DWORD(Height()) * 4;
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof ih;
        fh.bfSize = fh.bfOffBits + bytes;
        ih.biSize = sizeof ih;
        ih.biWidth = Width();
        ih.biHeight = -Height();
        ih.biPlanes = 1;
        ih.biBitCount = 32;
        ih.biCompression = BI_RGB;
        FILE *f = _wfopen(W(path.c_str()), L"wb");
        if (f == nullptr) {
            return false;
        }
        bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1 &&
                  std::fwrite(Pixels(), bytes, 1, f) == 1;
        return std::fclose(f) == 0 && ok;
    }
};

TEST_F(MusicFontWin, TextOutDrawsTheCodeUnitAsItsGlyph) {
    // GDI maps each UTF-16 code unit through the font's cmap on its own: a
    // code from the high-surrogate block draws the same glyph as its index.
    const char16_t chars[] = {0xD17E, 0xD118, 0xD1A4, 0xD164, 0xD13F, 0xD1D7};
    for (char16_t ch : chars) {
        SCOPED_TRACE(testing::Message() << "character 0x" << std::hex << unsigned(ch));
        WORD index = 0;
        ASSERT_EQ(GetGlyphIndicesW(mDc, W(&ch), 1, &index,
                                   GGI_MARK_NONEXISTING_GLYPHS),
                  1u);
        Picture byCode(120, 60), byIndex(120, 60);
        ASSERT_TRUE(byCode.Ok() && byIndex.Ok());
        HGDIOBJ a = SelectObject(byCode.Dc(), mFont);
        HGDIOBJ b = SelectObject(byIndex.Dc(), mFont);
        TextOutW(byCode.Dc(), 10, 5, W(&ch), 1);
        ExtTextOutW(byIndex.Dc(), 10, 5, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<const wchar_t *>(&index), 1,
                    nullptr);
        SelectObject(byCode.Dc(), a);
        SelectObject(byIndex.Dc(), b);
        EXPECT_GT(byCode.DarkIn(0, 0, 119, 59), 3);
        EXPECT_TRUE(byCode.SameAs(byIndex));
    }
}

TEST_F(MusicFontWin, DrawsAStaff) {
    // One staff at the program's size and the same at three times it, as
    // the score window draws them: lines 6 units apart, every glyph with its
    // origin on the symbol's point and y on the baseline.
    const int kWidth = 560, kHeight = 300;
    Picture pic(kWidth, kHeight);
    ASSERT_TRUE(pic.Ok());
    struct Row {
        int zoom, top, left;
        int clefX;
    } rows[] = {{1, 40, 10, 14}, {3, 150, 10, 22}};
    for (const Row &r : rows) {
        const int z = r.zoom;
        HFONT font = CreateFontW(kFontHeight * z, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                                 CLIP_EMBEDDED, PROOF_QUALITY, VARIABLE_PITCH, W(kFace));
        ASSERT_NE(font, nullptr);
        HGDIOBJ old = SelectObject(pic.Dc(), font);
        TEXTMETRICW tm = {};
        ASSERT_TRUE(GetTextMetricsW(pic.Dc(), &tm));
        const int s = 6 * z;   // line spacing
        const int right = r.left + (z == 1 ? 170 : 530);
        for (int i = 0; i < 5; ++i) {
            PatBlt(pic.Dc(), r.left, r.top + i * s, right - r.left, z, BLACKNESS);
        }
        // DrawChars: the text-rule point moved up by the ascent.
        auto glyph = [&](char16_t ch, int x, int y) {
            TextOutW(pic.Dc(), x, y - tm.tmAscent, W(&ch), 1);
        };
        // A note as the notes draw one: the head's hot spot is the middle of
        // its inked box, the stem runs from the head's origin, the flag sits
        // at the stem's end.
        auto note = [&](char16_t head, int x, int y, int stem, char16_t flag) {
            const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
            GLYPHMETRICS gm = {};
            GetGlyphOutlineW(pic.Dc(), head, GGO_METRICS, &gm, 0, nullptr, &identity);
            const int ox = x - (gm.gmptGlyphOrigin.x + int(gm.gmBlackBoxX) / 2);
            glyph(head, ox, y);
            PatBlt(pic.Dc(), ox, stem < 0 ? y + stem : y, z, stem < 0 ? -stem : stem, BLACKNESS);
            if (flag != 0) {
                glyph(flag, ox, y + stem);
            }
        };
        const int t = r.top;
        const int x0 = r.clefX;
        glyph(0xD17E, x0, t + 3 * s);                         // G clef on the G line
        glyph(0xD1A4, x0 + 20 * z, t);                        // key of one sharp: F on the top line
        glyph(0xD13F, x0 + 30 * z, t + 2 * s);                // 4/4 on the middle line
        note(0xD119, x0 + 60 * z, t + 3 * s, -20 * z, 0);     // G, stem up
        note(0xD118, x0 + 75 * z, t + s, 20 * z, 0);          // D, stem down
        glyph(0xD1A4, x0 + 85 * z, t + 3 * s + s / 2);       // sharp 10 units before the F
        note(0xD119, x0 + 95 * z, t + 3 * s + s / 2, -20 * z, 0xD10F);   // F sharp eighth, stem up
        glyph(0xD164, x0 + 110 * z, t + 2 * s);              // quarter rest
        glyph(0xD151, x0 + 135 * z, t + 2 * s + s / 2);      // whole note in the third space
        SelectObject(pic.Dc(), old);
        DeleteObject(font);

        SCOPED_TRACE(testing::Message() << "zoom " << z);
        // The clef: ink in its box, above the top line and below the bottom line.
        EXPECT_GT(pic.DarkIn(x0, t - 2 * s, x0 + 15 * z, t + 6 * s), 40 * z * z);
        EXPECT_GT(pic.DarkIn(x0, t - 2 * s, x0 + 15 * z, t - z), 3 * z);
        EXPECT_GT(pic.DarkIn(x0, t + 4 * s + z, x0 + 15 * z, t + 6 * s), 2 * z);
        // Heads centred on the note's point: dark there, and clear half a
        // space above it; the sharp ends before the head begins.
        EXPECT_TRUE(pic.Dark(x0 + 60 * z, t + 3 * s));
        EXPECT_TRUE(pic.Dark(x0 + 75 * z, t + s));
        EXPECT_FALSE(pic.Dark(x0 + 75 * z, t + s - 4 * z));
        EXPECT_TRUE(pic.Dark(x0 + 95 * z, t + 3 * s + s / 2));
        EXPECT_EQ(pic.DarkIn(x0 + 95 * z - 4 * z, t + 3 * s + s / 2 + 1, x0 + 95 * z - 4 * z, t + 4 * s - 1), 0);
        // The rest and the time signature have ink around the middle line.
        EXPECT_GT(pic.DarkIn(x0 + 110 * z, t + s, x0 + 118 * z, t + 3 * s), 10 * z);
        EXPECT_GT(pic.DarkIn(x0 + 30 * z, t, x0 + 40 * z, t + 4 * s), 20 * z);
    }
    // Kept for a look at the drawn staff when a check above fails.
    EXPECT_TRUE(pic.SaveBmp(test::MakeTempFolder("music_font_staff") + u"staff.bmp"));
}

}  // namespace
