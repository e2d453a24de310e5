// What GDI measures of the music font resources/pelmora_5a.ttf: the ink box
// and the advance of every character at the height the program creates the
// font at, and the font's ascent and cell height there.  The table is made
// with the font (scripts/make_font.py) and held against GDI by a window
// test; the native build, which has no rasteriser, measures the music font
// from it.
#pragma once

#include <cstdint>
#include <span>

#include "foundation/rectangle.h"

// The face the program finds the music font by, and the height it asks for
// (an em of 24 pixels).
constexpr char16_t kMusicFontFace[] = u"PelmoraMusic5a";
constexpr int16_t kMusicFontHeight = -24;

// One character at kMusicFontHeight.  The ink box is relative to the glyph
// origin on the baseline with y downwards: x, y are its left and top edges
// (GetGlyphOutlineW's glyph origin, y negated), width and height its black
// box.  The advance is the step of the pen.
struct sMusicGlyph {
    char16_t code;
    int16_t x;
    int16_t y;
    uint16_t width;
    uint16_t height;
    uint16_t advance;
};

// Every character of the font, in code order.
std::span<const sMusicGlyph> MusicGlyphs();
// The glyph drawn for a code: its own, else the font's default glyph.
const sMusicGlyph &MusicGlyphOf(char16_t c);
// Whether a face names the music font (case does not matter).
bool IsMusicFontFace(const char16_t *face);

// The measures at a font height, as a font record holds it: negative for
// the em, positive for the cell (ascent and descent); 0 counts as
// kMusicFontHeight.  Other heights than kMusicFontHeight scale the table:
// ink boxes have their edges rounded outwards, so that they still hold the
// ink, advances and the cell are rounded to the nearest pixel.
//
// The ink box of a glyph (GetGlyphBox).
cRectangl MusicGlyphBox(char16_t c, int16_t height);
// The cell of a character (GetCharBox): from the ink's left edge and minus
// the ascent, the advance wide and the cell high.
cRectangl MusicCharBox(char16_t c, int16_t height);
// The sum of the characters' advances.
int32_t MusicTextWidth(const char16_t *text, uint32_t n, int16_t height);
int32_t MusicFontAscent(int16_t height);
int32_t MusicCellHeight(int16_t height);
