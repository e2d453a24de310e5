#!/usr/bin/python3
"""Draws the program's pictures into resources/bitmaps/ and lists them in
resources/art.rc ("make art"), with their sizes in resources/art_sizes.inc
for the native build, which loads no resources.

Every picture is drawn here, from vector shapes and from the glyphs of the
program's own music font (resources/pelmora_5a.ttf) and of its source fonts,
by the rasteriser in raster.py: nothing is taken from another program.

  * palette pictures (the "...BMAP" bitmaps): black and white, 1 bit per
    pixel, so that the palette can blit them in any text colour (grey for a
    disabled button).  32 x 20 pixels, the rests 12 x 8 with their rest in
    the middle, the alto and tenor clef pictures as large as the clef glyph's
    inked box plus 2 at the music font's size (the palette blits them at
    that size);
  * the keyboard-and-mouse window's pictures and the product window's
    picture: 24-bit colour at the sizes the windows blit them;
  * icon 100: 16, 32 and 48 pixels, 32-bit with transparency;
  * the icons of the language dialogs (28631 to 28639): 16 and 32 pixels,
    32-bit with transparency.

The output is the same byte for byte on every run.
"""

import argparse
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from fontTools.ttLib import TTFont  # noqa: E402

from make_font import gdi_metrics  # noqa: E402
from raster import (Canvas, FontFace, Path, bmp_mono, bmp_rgb, bounds_of,  # noqa: E402
                    cubic_points, ico, png)

ROOT = os.path.dirname(HERE)
MUSIC_FONT = os.path.join(ROOT, "resources", "pelmora_5a.ttf")
BRAVURA = os.path.join(ROOT, "resources", "font_sources", "Bravura.otf")
NOTO = "/usr/share/fonts/truetype/noto/"

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)

# Music-font characters used in the pictures.
HEAD_BLACK = 0xD118
HEAD_BLACK_UP = 0xD119
FLAG8_UP = 0xD10F
SHARP, FLAT, NATURAL = 0xD1A4, 0xD1A6, 0xD1A8
C_CLEF = 0xD17C
MET_QUARTER = 0xD1E8
MET_EQUALS = 0xD1E2


class Fonts:
    def __init__(self):
        self.music = FontFace(MUSIC_FONT)
        # code -> (x, y, width, height, advance) of the ink boxes GDI gives
        self.music_boxes = dict(gdi_metrics(TTFont(MUSIC_FONT))[2])
        self.bravura = FontFace(BRAVURA)
        self.serif_bold = FontFace(NOTO + "NotoSerif-Bold.ttf")
        self.serif_bold_italic = FontFace(NOTO + "NotoSerif-BoldItalic.ttf")
        self.sans_bold = FontFace(NOTO + "NotoSans-Bold.ttf")


# ---- black-and-white palette pictures -----------------------------------

class Mono:
    """A black-and-white picture; shapes are cut at a coverage threshold."""

    def __init__(self, w, h):
        self.c = Canvas(w, h)
        self.w, self.h = w, h

    def fill(self, path, threshold=0.45):
        self.c.fill_sharp(path, BLACK, threshold)
        return self

    def hline(self, x0, x1, y):
        self.c.hline(x0, x1, y)

    def vline(self, x, y0, y1):
        self.c.vline(x, y0, y1)

    def box(self, x0, y0, x1, y1):
        self.c.box(x0, y0, x1, y1, BLACK)

    def staff(self, top, spacing, x0=0, x1=None, lines=5):
        x1 = self.w - 1 if x1 is None else x1
        for i in range(lines):
            self.hline(x0, x1, top + i * spacing)

    def rows(self):
        return [[p[0] < 128 for p in row] for row in self.c.px]

    def bmp(self):
        return bmp_mono(self.rows())


def head(fonts, pic, cx, cy, em, up=False, threshold=0.45):
    """A filled note head of the music font centred on (cx, cy); answers the
    x of its stem side (right edge for stem up, left edge for stem down)."""
    code = HEAD_BLACK_UP if up else HEAD_BLACK
    x0, _, x1, _ = fonts.music.bounds(code, em)
    ox = cx - (x0 + x1) / 2
    pic.fill(fonts.music.glyph(code, em, ox, cy), threshold)
    return ox + (x1 if up else x0)


def pic_rest(half):
    """Half rest: a block on a line; whole rest: a block hanging from it."""
    p = Mono(12, 8)
    p.hline(1, 10, 4)
    if half:
        p.box(3, 1, 9, 3)
    else:
        p.box(3, 5, 9, 7)
    return p


def pic_beam(fonts):
    p = Mono(32, 20)
    em = 20
    s1 = head(fonts, p, 8, 15.5, em, up=True)
    s2 = head(fonts, p, 23, 12.5, em, up=True)
    x1, x2 = int(s1) - 1, int(s2) - 1
    p.vline(x1, 4, 15)
    p.vline(x2, 2, 12)
    beam = Path().move(x1, 2.5).line(x2 + 1, 0.5).line(x2 + 1, 4.0).line(x1, 6.0)
    p.fill(beam)
    return p


def pic_slur(fonts):
    p = Mono(32, 20)
    em = 20
    head(fonts, p, 6, 15.5, em)
    head(fonts, p, 26, 15.5, em)
    outer = cubic_points((4, 10), (10, 1.5), (22, 1.5), (28, 10))
    inner = cubic_points((28, 10), (22, 4.0), (10, 4.0), (4, 10))
    arc = Path().move(*outer[0])
    for pt in outer[1:] + inner[1:]:
        arc.line(*pt)
    p.fill(arc, 0.3)
    return p


def pic_chord(fonts):
    p = Mono(32, 20)
    em = 19
    stem = 0
    for cy in (17.0, 11.5, 6.0):
        stem = head(fonts, p, 14, cy, em, up=True, threshold=0.35)
    p.vline(int(stem) - 1, 0, 17)
    return p


def pic_tuplet(fonts):
    p = Mono(32, 20)
    em = 16
    stems = [head(fonts, p, cx, 17.0, em, up=True) for cx in (6, 15, 24)]
    xs = [int(s) - 1 for s in stems]
    for x in xs:
        p.vline(x, 10, 17)
    p.box(xs[0], 10, xs[-1], 11)
    # the bracket with its number
    digit = fonts.serif_bold_italic.text("3", 10, 0, 0)
    dx0, dy0, dx1, dy1 = bounds_of(digit)
    mid = (xs[0] + xs[-1]) / 2
    p.fill(fonts.serif_bold_italic.text("3", 10, mid - (dx0 + dx1) / 2, 7.5), 0.4)
    p.hline(2, int(mid - 4), 3)
    p.hline(int(mid + 4), 29, 3)
    p.vline(2, 3, 6)
    p.vline(29, 3, 6)
    return p


def key_positions(count):
    """Half spaces below the top line of the accidentals of a key signature
    on a treble staff: sharps F C G D A E B, flats B E A D G C F."""
    sharps = (0, 3, -1, 2, 5, 1, 4)
    flats = (4, 1, 5, 2, 6, 3, 7)
    if count >= 0:
        return [(SHARP, pos) for pos in sharps[:count]]
    return [(FLAT, pos) for pos in flats[:-count]]


def pic_key(fonts, count):
    p = Mono(32, 20)
    spacing, top = 3, 6
    p.staff(top, spacing)
    em = spacing * 4
    items = key_positions(count) if count else [(NATURAL, 0)]
    x = 3 if count else 13
    for code, pos in items:
        y = top + pos * spacing / 2
        x0, _, x1, _ = fonts.music.bounds(code, em)
        p.fill(fonts.music.glyph(code, em, x - x0, y), 0.3)
        x += 4
    return p


def pic_clef_c(fonts, line):
    """The C clef on a small staff, its middle on the given line (0 = top)."""
    # The glyph's inked box as GDI measures it at the music font's size,
    # plus 2: the palette blits the picture at that size.
    _, _, box_w, box_h, _ = fonts.music_boxes[C_CLEF]
    w = box_w + 2
    h = box_h + 2
    p = Mono(w, h)
    spacing = 4
    top = h // 2 - 2 * spacing
    p.staff(top, spacing)
    em = spacing * 4
    cx0, _, cx1, _ = fonts.music.bounds(C_CLEF, em)
    left = (w - (cx1 - cx0)) / 2 - cx0
    # the lines stop short of the clef, so that it stays readable this small
    p.c.box(int(left) - 1, 0, int(left + cx1 + 1), h - 1, WHITE)
    p.fill(fonts.music.glyph(C_CLEF, em, left, top + line * spacing), 0.5)
    return p


def pic_mm(fonts):
    p = Mono(32, 20)
    base = 15
    stem = head(fonts, p, 3.5, base - 2, 16, up=True)
    p.vline(int(stem) - 1, 2, base - 2)
    x = int(stem) + 2
    p.hline(x, x + 4, 8)
    p.hline(x, x + 4, 11)
    x += 7
    p.fill(fonts.serif_bold.text("120", 10, x, base, spacing=-0.3), 0.4)
    return p


def pic_hairpin(opening):
    p = Mono(32, 20)
    a, b = (3, 28) if opening else (28, 3)
    p.fill(Path().stroke_line(a, 10, b, 3.5, 1.2))
    p.fill(Path().stroke_line(a, 10, b, 16.5, 1.2))
    return p


def pic_bar(kind, fonts):
    p = Mono(32, 20)
    top, spacing = 2, 4
    p.staff(top, spacing)
    bottom = top + 4 * spacing

    def thin(x):
        p.vline(x, top, bottom)

    def thick(x):
        for i in range(3):
            p.vline(x + i, top, bottom)

    def dots(x):
        for y in (top + spacing + 2, top + 2 * spacing + 2):
            p.box(x, y - 1, x + 1, y)

    if kind == "single":
        thin(15)
    elif kind == "double":
        thin(14)
        thin(17)
    elif kind == "leftdouble":
        thick(13)
        thin(18)
    elif kind == "rightdouble":
        thin(13)
        thick(16)
    elif kind == "leftrepeat":
        thick(11)
        thin(16)
        dots(19)
    elif kind == "rightrepeat":
        dots(11)
        thin(15)
        thick(18)
    elif kind == "doublerepeat":
        dots(7)
        thick(11)
        thick(17)
        dots(23)
    return p


def pic_ending(fonts):
    p = Mono(32, 20)
    p.hline(2, 30, 2)
    p.vline(2, 2, 17)
    p.fill(fonts.serif_bold.text("1.", 11, 5, 12.5), 0.4)
    p.staff(17, 3, lines=1)
    return p


def pic_text(fonts, text, face, size, baseline=15):
    p = Mono(32, 20)
    shape = face.text(text, size, 0, 0)
    x0, _, x1, _ = bounds_of(shape)
    p.fill(face.text(text, size, (32 - (x1 - x0)) / 2 - x0, baseline), 0.4)
    return p


def pic_lyrics(fonts):
    p = Mono(32, 20)
    em = 16
    for cx in (8, 23):
        s = head(fonts, p, cx, 6.0, em, up=True)
        p.vline(int(s) - 1, 0, 6)
    face = fonts.sans_bold
    p.fill(face.text("la", 10, 3, 18), 0.45)
    p.fill(face.text("la", 10, 18, 18), 0.45)
    p.hline(13, 15, 15)
    return p


def pic_line():
    p = Mono(32, 20)
    p.fill(Path().stroke_line(3, 16, 28, 4, 1.4))
    return p


def pic_staff():
    p = Mono(32, 20)
    p.staff(2, 4, 1, 30)
    p.vline(1, 2, 18)
    p.vline(30, 2, 18)
    return p


def pic_page():
    p = Mono(32, 20)
    # the foot of one page and the head of the next, a dashed cut between
    p.vline(8, 0, 5)
    p.vline(23, 0, 5)
    p.hline(8, 23, 5)
    for x in range(2, 30, 4):
        p.hline(x, x + 1, 9)
    p.hline(8, 19, 13)
    p.vline(8, 13, 19)
    p.vline(23, 17, 19)
    p.fill(Path().move(19, 13).line(23.5, 17.5).line(19, 17.5))
    p.fill(Path().move(19.5, 13).line(24, 17.5).line(23, 17.5).line(19.5, 14))
    return p


def pic_brace(fonts):
    p = Mono(32, 20)
    p.staff(1, 2, 9, 31)
    p.staff(11, 2, 9, 31)
    p.vline(9, 1, 19)
    # the brace glyph of the source font, 20 rows high
    shape = fonts.bravura.glyph(0xE000, 20, 0, 0)
    x0, y0, x1, y1 = bounds_of(shape)
    scale = 19.0 / (y1 - y0)
    shape = fonts.bravura.glyph(0xE000, 20 * scale, 0, 0, stretch=2.5)
    x0, y0, x1, y1 = bounds_of(shape)
    p.fill(fonts.bravura.glyph(0xE000, 20 * scale, 8 - x1, 0.5 - y0, stretch=2.5), 0.35)
    return p


def pic_block():
    p = Mono(32, 20)
    for x in range(3, 29, 3):
        p.hline(x, x + 1, 3)
        p.hline(x, x + 1, 16)
    for y in range(3, 17, 3):
        p.vline(3, y, y + 1)
        p.vline(28, y, y + 1)
    for x, y in ((2, 2), (27, 2), (2, 15), (27, 15)):
        p.box(x, y, x + 2, y + 2)
    return p


# ---- colour pictures ----------------------------------------------------

YELLOW = (255, 255, 55)     # the window's highlight behind the key pictures


def key_cap(c, x0, y0, x1, y1):
    """A key seen from above: a light face on a darker rim."""
    c.fill(Path().round_rect(x0, y0, x1, y1, 5), (70, 70, 78))
    c.fill(Path().round_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 4), (150, 150, 160))
    c.fill(Path().round_rect(x0 + 4, y0 + 2, x1 - 4, y1 - 7, 3), (248, 248, 250))


def pic_key_cap(fonts, w, h, label):
    c = Canvas(w, h, YELLOW)
    key_cap(c, 0.5, 0.5, w - 0.5, h - 0.5)
    if label:
        face = fonts.sans_bold
        size = 15
        tw = face.text_width(label, size)
        c.fill(face.text(label, size, (w - tw) / 2, 25), (30, 30, 36))
    return c


def pic_keyboard():
    c = Canvas(150, 75, WHITE)
    c.fill(Path().round_rect(0.5, 0.5, 149.5, 74.5, 7), (96, 96, 104))
    c.fill(Path().round_rect(1.5, 1.5, 148.5, 73.5, 6), (178, 178, 186))
    key = (226, 226, 232)
    edge = (120, 120, 130)

    def k(x0, y0, x1, y1):
        c.fill(Path().round_rect(x0, y0, x1, y1, 1.5), edge)
        c.fill(Path().round_rect(x0 + 0.7, y0 + 0.5, x1 - 0.7, y1 - 1.5, 1.2), key)

    # function keys
    x = 6.0
    for i in range(13):
        k(x, 4, x + 8, 13)
        x += 10.5 if i % 4 != 0 else 12
    # four rows of letters, the space bar row below
    rows = ((6, 12, 1.0), (6, 12, 1.5), (6, 11, 1.8), (6, 10, 2.3))
    y = 21.0
    for x0, count, lead in rows:
        x = x0
        k(x, y, x + 9 * lead, y + 9)
        x += 9 * lead + 1.5
        for _ in range(count):
            k(x, y, x + 8.5, y + 9)
            x += 10
        if x < 138:
            k(x, y, 144, y + 9)
        y += 10.5
    k(6, y, 20, y + 9)
    k(21.5, y, 33, y + 9)
    k(34.5, y, 104, y + 9)
    k(105.5, y, 117, y + 9)
    k(118.5, y, 144, y + 9)
    return c


def pic_mouse(left, right, wheel):
    c = Canvas(46, 86, WHITE)
    lit = (235, 60, 50)
    body = (200, 200, 208)
    rim = (80, 80, 90)
    # cable
    c.fill(Path().stroke_poly(cubic_points((23, 0), (26, 4), (20, 7), (23, 12)), 2.0), (60, 60, 66))
    outline = Path().round_rect(3.5, 11.5, 42.5, 84.5, 18)
    c.fill(outline, rim)
    c.fill(Path().round_rect(5, 13, 41, 83, 16.5), body)
    # the two buttons: the upper part, split in the middle
    for lit_on, x0, x1 in ((left, 5.0, 22.5), (right, 23.5, 41.0)):
        shape = Path().round_rect(x0, 13, x1, 42, 8)
        c.fill(shape, lit if lit_on else (225, 225, 232))
    c.fill(Path().rect(5, 40, 41, 42.5), body)
    c.fill(Path().rect(22.5, 13, 23.5, 42), rim)
    c.fill(Path().rect(5, 42, 41, 43), rim)
    # the wheel
    c.fill(Path().round_rect(19.5, 19, 26.5, 35, 3), rim)
    c.fill(Path().round_rect(20.5, 20, 25.5, 34, 2.5), lit if wheel else (150, 150, 160))
    for y in (23, 27, 31):
        c.fill(Path().rect(21, y, 25, y + 0.8), (90, 90, 100))
    return c


def pic_player(fonts):
    """The product window's picture: a player of the pelmora, a long-necked
    lute, under an evening sky with notes rising from the strings."""
    w, h = 241, 454
    c = Canvas(w, h)
    # sky: dusk blue to warm near the horizon
    for y in range(h):
        t = y / (h - 1)
        if t < 0.7:
            u = t / 0.7
            col = (40 + 180 * u, 60 + 120 * u, 130 + 60 * u)
        else:
            u = (t - 0.7) / 0.3
            col = (220 - 40 * u, 180 - 50 * u, 190 - 110 * u)
        for x in range(w):
            c.px[y][x] = list(col)
    # stars
    for x, y in ((30, 40), (200, 25), (160, 70), (60, 110), (215, 130), (110, 30)):
        c.fill(Path().ellipse(x, y, 1.6, 1.6), (255, 250, 220))
    # a crescent moon: the outer half circle, back along a flatter arc
    cx, cy, r, k = 190.0, 70.0, 20.0, 20.0 * 0.5522847498307936
    moon = Path().move(cx, cy - r)
    moon.cubic(cx - k, cy - r, cx - r, cy - k, cx - r, cy)
    moon.cubic(cx - r, cy + k, cx - k, cy + r, cx, cy + r)
    moon.cubic(cx - 0.5 * k, cy + r, cx - 0.5 * r, cy + k, cx - 0.5 * r, cy)
    moon.cubic(cx - 0.5 * r, cy - k, cx - 0.5 * k, cy - r, cx, cy - r)
    c.fill(moon, (250, 240, 200))
    # hill
    hill = Path().move(0, 380)
    for pt in cubic_points((0, 380), (80, 340), (170, 360), (241, 345))[1:]:
        hill.line(*pt)
    hill.line(241, 454).line(0, 454)
    c.fill(hill, (70, 110, 60))
    # stool
    c.fill(Path().rect(70, 330, 170, 342), (110, 70, 40))
    c.fill(Path().rect(78, 342, 86, 400), (95, 60, 35))
    c.fill(Path().rect(154, 342, 162, 400), (95, 60, 35))
    # robe
    robe = Path().move(95, 175)
    for pt in cubic_points((95, 175), (70, 230), (60, 300), (55, 345))[1:]:
        robe.line(*pt)
    robe.line(185, 345)
    for pt in cubic_points((185, 345), (180, 300), (170, 230), (148, 175))[1:]:
        robe.line(*pt)
    c.fill(robe, (150, 40, 60))
    # legs and feet
    c.fill(Path().rect(85, 345, 105, 395), (120, 30, 50))
    c.fill(Path().rect(135, 345, 155, 395), (120, 30, 50))
    c.fill(Path().round_rect(78, 392, 110, 404, 5), (50, 35, 25))
    c.fill(Path().round_rect(130, 392, 162, 404, 5), (50, 35, 25))
    # neck and head
    c.fill(Path().rect(113, 150, 131, 180), (230, 190, 150))
    c.fill(Path().ellipse(122, 128, 27, 31), (235, 195, 155))
    hair = Path().move(95, 125)
    for pt in cubic_points((95, 125), (95, 85), (150, 85), (150, 125))[1:]:
        hair.line(*pt)
    hair.line(146, 112).line(100, 112)
    c.fill(hair, (70, 45, 30))
    c.fill(Path().ellipse(112, 130, 2.5, 3), (40, 30, 30))
    c.fill(Path().ellipse(132, 130, 2.5, 3), (40, 30, 30))
    c.fill(Path().stroke_poly(cubic_points((113, 143), (118, 148), (126, 148), (131, 143)), 2), (150, 70, 60))
    # the instrument: a pear-shaped body, a long neck to the upper left
    body = Path().move(150, 300)
    for pt in cubic_points((150, 300), (105, 300), (95, 250), (120, 225))[1:]:
        body.line(*pt)
    for pt in cubic_points((120, 225), (140, 205), (185, 215), (190, 250))[1:]:
        body.line(*pt)
    for pt in cubic_points((190, 250), (195, 285), (180, 300), (150, 300))[1:]:
        body.line(*pt)
    c.fill(body, (205, 140, 60))
    c.fill(Path().ellipse(150, 262, 13, 13), (70, 40, 20))
    neck = Path().stroke_line(128, 232, 30, 120, 11)
    c.fill(neck, (120, 75, 35))
    pegbox = Path().stroke_line(34, 124, 18, 104, 13)
    c.fill(pegbox, (100, 60, 30))
    for i in range(4):
        t = i / 3
        px, py = 33 - 14 * t, 122 - 17 * t
        c.fill(Path().ellipse(px - 8, py + 2, 3, 2.2), (60, 35, 20))
    for d in (-3, 0, 3):
        c.fill(Path().stroke_line(165 + d * 0.3, 282 + d, 34 + d * 0.7, 126 + d * 0.6, 0.8), (245, 235, 210))
    # arms
    c.fill(Path().stroke_poly(cubic_points((100, 190), (70, 215), (70, 170), (62, 160)), 14), (150, 40, 60))
    c.fill(Path().ellipse(60, 156, 9, 8), (235, 195, 155))
    c.fill(Path().stroke_poly(cubic_points((145, 190), (185, 230), (175, 255), (160, 262)), 14), (150, 40, 60))
    c.fill(Path().ellipse(157, 265, 9, 8), (235, 195, 155))
    # notes rising from the strings
    for code, x, y, size in ((0xD1E8, 180, 200, 44), (0xD1E7, 200, 150, 40),
                             (0xD1E9, 175, 105, 38), (0xD1E6, 40, 70, 36), (0xD1E8, 80, 40, 30)):
        c.fill(fonts.music.glyph(code, size, x, y), (255, 245, 200))
    return c


def pic_icon(fonts, size):
    c = Canvas(size, size, (0, 0, 0))
    cov_path = Path().round_rect(0, 0, size, size, size * 0.2)
    cov = c.coverage(cov_path)
    c.fill(cov_path, (30, 62, 140))
    em = size * 1.45
    shape = fonts.music.glyph(0xD1E7, em, 0, 0)
    x0, y0, x1, y1 = bounds_of(shape)
    c.fill(fonts.music.glyph(0xD1E7, em, (size - (x1 - x0)) / 2 - x0, (size - (y1 - y0)) / 2 - y0),
           (255, 255, 255))
    out = []
    for y, row in enumerate(c.rgb()):
        line = []
        for x, (r, g, b) in enumerate(row):
            a = cov[y][x] if cov[y] is not None else 0.0
            alpha = int(a * 255 + 0.5)
            if alpha == 0:
                line.append((0, 0, 0, 0))
            else:
                line.append((r, g, b, alpha))
        out.append(line)
    return out


# ---- icons of the language dialogs --------------------------------------

def _icon_rows(c, shape):
    """The canvas as icon rows: opaque where the shape covers it."""
    cov = c.coverage(shape)
    out = []
    for y, row in enumerate(c.rgb()):
        line = []
        for x, (r, g, b) in enumerate(row):
            alpha = int((cov[y][x] if cov[y] is not None else 0.0) * 255 + 0.5)
            line.append((r, g, b, alpha) if alpha else (0, 0, 0, 0))
        out.append(line)
    return out


def pic_badge(fonts, size, colour, mark):
    """A round badge with a white mark: "ok" a tick, "cancel" a cross,
    "help" a question mark (the pictures beside the dialog buttons)."""
    s = size / 32.0
    c = Canvas(size, size, colour)
    if mark == "ok":
        c.fill(Path().stroke_poly([(8.5 * s, 16.5 * s), (13.5 * s, 22 * s), (23.5 * s, 10 * s)], 3.8 * s), WHITE)
    elif mark == "cancel":
        c.fill(Path().stroke_line(10 * s, 10 * s, 22 * s, 22 * s, 3.8 * s), WHITE)
        c.fill(Path().stroke_line(22 * s, 10 * s, 10 * s, 22 * s, 3.8 * s), WHITE)
    else:
        em = 25 * s
        x0, y0, x1, y1 = fonts.sans_bold.bounds("?", em)
        c.fill(fonts.sans_bold.glyph("?", em, (size - (x1 - x0)) / 2 - x0, (size - (y1 - y0)) / 2 - y0), WHITE)
    return _icon_rows(c, Path().ellipse(size / 2, size / 2, size / 2 - 0.5, size / 2 - 0.5))


def pic_flag(size, kind):
    """A small flag with a dark frame, as the language dialogs show them
    beside their choices: "uk", "us", "de" or "fr"."""
    s = size / 32.0
    x0, y0, x1, y1 = 0.5 * s, 6.5 * s, size - 0.5 * s, size - 6.5 * s
    w, h = x1 - x0, y1 - y0
    c = Canvas(size, size, (255, 255, 255))
    red, blue = (200, 16, 46), (1, 33, 105)
    if kind == "uk":
        c.fill(Path().rect(x0, y0, x1, y1), blue)
        for a, b in (((x0, y0), (x1, y1)), ((x1, y0), (x0, y1))):
            c.fill(Path().stroke_line(a[0], a[1], b[0], b[1], 3.6 * s), WHITE)
            c.fill(Path().stroke_line(a[0], a[1], b[0], b[1], 1.2 * s), red)
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        c.fill(Path().rect(cx - 3 * s, y0, cx + 3 * s, y1).rect(x0, cy - 3 * s, x1, cy + 3 * s), WHITE)
        c.fill(Path().rect(cx - 1.8 * s, y0, cx + 1.8 * s, y1).rect(x0, cy - 1.8 * s, x1, cy + 1.8 * s), red)
    elif kind == "us":
        stripes = 9
        for i in range(stripes):
            c.fill(Path().rect(x0, y0 + h * i / stripes, x1, y0 + h * (i + 1) / stripes), red if i % 2 == 0 else WHITE)
        cw, ch = w * 0.45, h * 5 / stripes
        c.fill(Path().rect(x0, y0, x0 + cw, y0 + ch), blue)
        for row in range(3):
            for col in range(3):
                c.fill(Path().ellipse(x0 + cw * (col + 0.5) / 3, y0 + ch * (row + 0.5) / 3, 0.8 * s, 0.8 * s), WHITE)
    else:
        bands = {"de": [(0, 0, 0), (221, 0, 0), (255, 206, 0)], "fr": [(0, 35, 149), WHITE, (237, 41, 57)]}[kind]
        for i, colour in enumerate(bands):
            if kind == "de":
                c.fill(Path().rect(x0, y0 + h * i / 3, x1, y0 + h * (i + 1) / 3), colour)
            else:
                c.fill(Path().rect(x0 + w * i / 3, y0, x0 + w * (i + 1) / 3, y1), colour)
    e = 1.0 * s
    frame = Path().rect(x0, y0, x1, y1)
    frame.move(x0 + e, y0 + e).line(x0 + e, y1 - e).line(x1 - e, y1 - e).line(x1 - e, y0 + e)
    c.fill(frame, (70, 70, 70))
    return _icon_rows(c, Path().rect(x0, y0, x1, y1))


def dialog_icons(fonts):
    """(resource id, file name, pictures at 16 and 32 pixels) of the icons
    in the language dialogs: the flags beside the two choices and the marks
    under OK, Cancel and Help."""
    sizes = (16, 32)
    marks = ((28639, (34, 139, 34), "ok"), (28638, (200, 30, 30), "cancel"), (28637, (30, 90, 180), "help"))
    flags = ((28633, "uk"), (28634, "us"), (28632, "de"), (28631, "fr"))
    out = [(n, "icon%d.ico" % n, [pic_badge(fonts, z, colour, mark) for z in sizes]) for n, colour, mark in marks]
    out += [(n, "icon%d.ico" % n, [pic_flag(z, kind) for z in sizes]) for n, kind in flags]
    return out


# ---- the list -----------------------------------------------------------

def pictures(fonts):
    """(resource name, file name, picture) in the order of art.rc."""
    keys = (("KEYCBMAP", 0), ("KEYGBMAP", 1), ("KEYDBMAP", 2), ("KEYABMAP", 3), ("KEYEBMAP", 4),
            ("KEYBBMAP", 5), ("KEYFSHARPBMAP", 6), ("KEYCSHARPBMAP", 7), ("KEYFBMAP", -1),
            ("KEYBFLATBMAP", -2), ("KEYEFLATBMAP", -3), ("KEYAFLATBMAP", -4), ("KEYDFLATBMAP", -5),
            ("KEYGFLATBMAP", -6), ("KEYCFLATBMAP", -7))
    bars = (("BARBMAP", "single"), ("BARDOUBLEBMAP", "double"), ("BARLEFTDOUBLEBMAP", "leftdouble"),
            ("BARRIGHTDOUBLEBMAP", "rightdouble"), ("BARLEFTREPEATBMAP", "leftrepeat"),
            ("BARRIGHTREPEATBMAP", "rightrepeat"), ("BarDblRepeatBMap", "doublerepeat"))
    items = [
        ("NOTEBEAMBMAP", pic_beam(fonts)),
        ("ARTICSLURBMAP", pic_slur(fonts)),
        ("NOTECHORDBMAP", pic_chord(fonts)),
        ("TupletBMap", pic_tuplet(fonts)),
        ("REST12BMAP", pic_rest(True)),
        ("REST11BMAP", pic_rest(False)),
        ("AltoBMap", pic_clef_c(fonts, 2)),
        ("TenorBMap", pic_clef_c(fonts, 1)),
    ]
    items += [(name, pic_key(fonts, n)) for name, n in keys]
    items += [
        ("MMBMap", pic_mm(fonts)),
        ("DYNAMICCRESBMAP", pic_hairpin(True)),
        ("DYNAMICDIMBMAP", pic_hairpin(False)),
    ]
    items += [(name, pic_bar(kind, fonts)) for name, kind in bars]
    items += [
        ("RepeatEnding12BMap", pic_ending(fonts)),
        ("TEXTCHARBMAP", pic_text(fonts, "A", fonts.serif_bold, 17)),
        ("CHORDNAMEBMAP", pic_text(fonts, "C7", fonts.serif_bold_italic, 15)),
        ("LINEBMAP", pic_line()),
        ("TEXTSTRINGBMAP", pic_text(fonts, "Abc", fonts.serif_bold, 14)),
        ("TEXTSINGBMAP", pic_lyrics(fonts)),
        ("STAFFBMAP", pic_staff()),
        ("PAGEBMAP", pic_page()),
        ("BRACEBMAP", pic_brace(fonts)),
        ("BLOCKBMAP", pic_block()),
    ]
    out = [(name, name.lower() + ".bmp", "mono", pic) for name, pic in items]
    colour = [
        ("KeyboardGray150BMap", pic_keyboard()),
        ("MouseBMap", pic_mouse(False, False, False)),
        ("MouseLeftBMap", pic_mouse(True, False, False)),
        ("MouseRightBMap", pic_mouse(False, True, False)),
        ("MouseBothBMap", pic_mouse(True, True, False)),
        ("MouseWheelBMap", pic_mouse(False, False, True)),
        ("KeyShiftBMap", pic_key_cap(fonts, 86, 41, "Shift")),
        ("KeyAltBMap", pic_key_cap(fonts, 64, 41, "Alt")),
        ("KeyCtrlBMap", pic_key_cap(fonts, 64, 41, "Ctrl")),
        ("KeyNoneBMap", pic_key_cap(fonts, 44, 41, "")),
        ("PlayerBMap", pic_player(fonts)),
    ]
    out += [(name, name.lower() + ".bmp", "rgb", pic) for name, pic in colour]
    return out


RC_HEAD = """\
// Pictures of the program: the palette's symbols, the keyboard-and-mouse
// window, the product window, the program's icon and the icons of the
// language dialogs.  Made by scripts/make_art.py ("make art"); do not edit
// the pictures by hand.
"""


SIZES_HEAD = """\
// The size in pixels of every picture resources/art.rc lists, by resource
// name, in the order of art.rc.  Made by scripts/make_art.py ("make art")
// with the pictures; do not edit.
"""


def bmp_size(data):
    """Width and height of a BMP file as its info header gives them (a
    negative height marks a top-down picture)."""
    width, height = struct.unpack_from("<ii", data, 18)
    return width, abs(height)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out-dir", default=os.path.join(ROOT, "resources"),
                    help="folder that receives art.rc, art_sizes.inc and bitmaps/")
    ap.add_argument("--preview", help="also write a PNG of every picture into this folder")
    args = ap.parse_args()

    fonts = Fonts()
    bitmaps = os.path.join(args.out_dir, "bitmaps")
    os.makedirs(bitmaps, exist_ok=True)
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
    lines = [RC_HEAD, "100 ICON \"bitmaps/pelmora.ico\"\n"]
    sizes = [SIZES_HEAD, "\n", "constexpr sPictureSize kTablePictures[] = {\n"]
    for name, file_name, kind, pic in pictures(fonts):
        data = pic.bmp() if kind == "mono" else bmp_rgb(pic.rgb())
        with open(os.path.join(bitmaps, file_name), "wb") as f:
            f.write(data)
        lines.append("%s BITMAP \"bitmaps/%s\"\n" % (name, file_name))
        sizes.append("    {u\"%s\", %d, %d},\n" % ((name,) + bmp_size(data)))
        if args.preview:
            rgb = pic.c.rgb() if kind == "mono" else pic.rgb()
            with open(os.path.join(args.preview, file_name[:-4] + ".png"), "wb") as f:
                f.write(png(rgb))
    icons = [pic_icon(fonts, s) for s in (16, 32, 48)]
    with open(os.path.join(bitmaps, "pelmora.ico"), "wb") as f:
        f.write(ico(icons))
    if args.preview:
        for s, img in zip((16, 32, 48), icons):
            rows = [[tuple((v * p[3] + 255 * (255 - p[3])) // 255 for v in p[:3]) for p in row] for row in img]
            with open(os.path.join(args.preview, "icon%d.png" % s), "wb") as f:
                f.write(png(rows))
    picture_count = len(lines) - 2
    for number, file_name, images in dialog_icons(fonts):
        with open(os.path.join(bitmaps, file_name), "wb") as f:
            f.write(ico(images))
        lines.append("%d ICON \"bitmaps/%s\"\n" % (number, file_name))
    with open(os.path.join(args.out_dir, "art.rc"), "w") as f:
        f.write("".join(lines))
    sizes.append("};\n")
    with open(os.path.join(args.out_dir, "art_sizes.inc"), "w") as f:
        f.write("".join(sizes))
    print("make_art: %d pictures, the icon and %d dialog icons in %s"
          % (picture_count, len(lines) - 2 - picture_count, os.path.relpath(bitmaps, ROOT)))


if __name__ == "__main__":
    main()
