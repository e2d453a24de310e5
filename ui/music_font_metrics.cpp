#include "ui/music_font_metrics.h"

#include <algorithm>

#include "ui/device_math.h"

namespace {

#include "resources/pelmora_5a_metrics.inc"

constexpr bool InCodeOrder() {
    for (size_t i = 1; i < std::size(kTableGlyphs); i++) {
        if (kTableGlyphs[i - 1].code >= kTableGlyphs[i].code) return false;
    }
    return true;
}
static_assert(InCodeOrder(), "the lookup searches the table by halves");

// A font height as the factor num / den on the table's measures.
struct sScale {
    int64_t num = 1;
    int64_t den = 1;
};

sScale ScaleOf(int16_t height) {
    if (height < 0) return {-int64_t(height), -int64_t(kMusicFontHeight)};
    if (height > 0) return {height, kTableCellHeight};
    return {};
}

// Divisions by a positive divisor, rounded down, up and to the nearest
// (halves up).
int32_t FloorDiv(int64_t a, int64_t b) { return int32_t(a >= 0 ? a / b : -((-a + b - 1) / b)); }
int32_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }
int32_t RoundDiv(int64_t a, int64_t b) { return FloorDiv(2 * a + b, 2 * b); }

int32_t ScaledAdvance(const sMusicGlyph &glyph, sScale s) { return RoundDiv(glyph.advance * s.num, s.den); }

}  // namespace

std::span<const sMusicGlyph> MusicGlyphs() { return kTableGlyphs; }

const sMusicGlyph &MusicGlyphOf(char16_t c) {
    const sMusicGlyph *end = std::end(kTableGlyphs);
    const sMusicGlyph *found =
        std::lower_bound(std::begin(kTableGlyphs), end, c, [](const sMusicGlyph &g, char16_t code) {
            return g.code < code;
        });
    return found != end && found->code == c ? *found : kTableDefaultGlyph;
}

bool IsMusicFontFace(const char16_t *face) { return face && EqualsIgnoringCase(face, kMusicFontFace); }

cRectangl MusicGlyphBox(char16_t c, int16_t height) {
    const sMusicGlyph &glyph = MusicGlyphOf(c);
    sScale s = ScaleOf(height);
    int32_t left = FloorDiv(glyph.x * s.num, s.den);
    int32_t top = FloorDiv(glyph.y * s.num, s.den);
    int32_t right = CeilDiv((glyph.x + glyph.width) * s.num, s.den);
    int32_t bottom = CeilDiv((glyph.y + glyph.height) * s.num, s.den);
    return cRectangl(left, top, std::max(right - left, 1), std::max(bottom - top, 1));
}

cRectangl MusicCharBox(char16_t c, int16_t height) {
    cRectangl ink = MusicGlyphBox(c, height);
    return cRectangl(ink.x, -MusicFontAscent(height), ScaledAdvance(MusicGlyphOf(c), ScaleOf(height)),
                     MusicCellHeight(height));
}

int32_t MusicTextWidth(const char16_t *text, uint32_t n, int16_t height) {
    if (!text) return 0;
    sScale s = ScaleOf(height);
    int32_t width = 0;
    for (uint32_t i = 0; i < n; i++) width += ScaledAdvance(MusicGlyphOf(text[i]), s);
    return width;
}

int32_t MusicFontAscent(int16_t height) {
    sScale s = ScaleOf(height);
    return RoundDiv(kTableAscent * s.num, s.den);
}

// Ascent and descent are each rounded, as the system rounds them.
int32_t MusicCellHeight(int16_t height) {
    sScale s = ScaleOf(height);
    return MusicFontAscent(height) + RoundDiv((kTableCellHeight - kTableAscent) * s.num, s.den);
}
