#!/usr/bin/python3
"""Builds the music font resources/pelmora_5a.ttf ("PelmoraMusic5a").

The program draws every music symbol as one character of this font, created
at height -24: the em is 24 document units, so with staff lines 6 units apart
one staff space is a quarter em, the size the SMuFL fonts are drawn for.  The
shapes come from Bravura (SIL Open Font License 1.1, the unmodified source is
in resources/font_sources/); the few texts that no music font holds ("Fine",
"D.S. al Coda", ...) and the lead-in of the metronome mark come from Noto
Serif Bold Italic (SIL Open Font License 1.1, Debian's fonts-noto-core).

The characters are the 16-bit codes 0xD10C..0xD1FD the program asks for, plus
the space.  These codes lie in the high-surrogate block; a format 4 cmap
subtable maps 16-bit values and does not care, and GDI maps each UTF-16 code
unit of a string on its own, so TextOutW and GetGlyphOutlineW reach them.

Where each glyph's origin sits follows how the program places the symbols:
  * a symbol's glyph is drawn with its origin on the symbol's point, y on the
    baseline (y grows downwards on the screen, upwards in font units);
  * note heads are centred on their line or space (the baseline); the stem
    is drawn from the head's origin, so a stem-down head has its origin on
    its left edge and a stem-up head on its right edge (the ink reaching one
    unit past the origin, so the one-unit stem line lies inside the head);
  * flags have their origin at the stem's end, on the stem's left edge;
  * articulations and ornaments that are drawn above and below a note with
    the same glyph are centred on their origin both ways; the two fermatas
    have a glyph each: the upper one sits on its origin, the lower hangs;
  * augmentation dots are centred on their origin (a double dot: the first);
  * accidentals end 5 units right of their origin: attached 10 units left of
    a note they end just before its head, and a key signature steps by 7;
  * clefs stand with their reference line on the baseline, left edge at the
    origin (the C clef is scaled to span exactly four spaces); whole-note
    heads are centred on the origin, as ledger lines are;
  * time-signature digits stand on the baseline, two staff spaces high, so
    a numerator drawn on the middle line fills the upper half of the staff
    and a denominator one digit lower the lower half; the fixed signatures
    stack both around the baseline;
  * the metronome mark is text on a baseline ("M. M. <note> = 120"): its
    lead-in, note, equals sign and digits stand on the baseline and none
    rises above the lead-in, whose inked top is the mark's top.

Choices the program leaves to the font, made here:
  * "mordent1" (0xD1F8) is the mordent with the vertical stroke (lower
    mordent), "mordent2" (0xD1F7) the inverted (upper) mordent without it;
  * "TurnUp" (0xD1EF) is the turn that starts on the upper note, "TurnDown"
    (0xD1F0) the inverted turn;
  * the lead-in 0xD1E1 is "M.", drawn twice it reads "M. M.";
  * 0xD1E2 is the equals sign, 0xD1E3 a dotted quarter, 0xD1E4..0xD1EA the
    64th to the whole note, all small upright notes;
  * "Sign2" (0xD1DB) is the serpent form of the segno;
  * the complete notes 0xD144..0xD151 (the note classes' own pictures) are
    head, stem and flag as the program draws them, the whole note centred;
  * the 32nd and 64th notes of the metronome mark are scaled down to the
    height of the others.

Beside the font it writes resources/pelmora_5a_metrics.inc, the metrics GDI
gives for every character at height -24: the ink box (GetGlyphOutlineW's
glyph origin and black box) and the advance, and the font's ascent and cell
height.  The native build measures the music font from this table (it has no
rasteriser); a window test compares it with GDI for every character.

The output is the same byte for byte on every run: fixed timestamps, fixed
glyph order, no randomness.  Run "make font" to rebuild both files and
"make font-check" to compare a rebuild with the committed files.
"""

import argparse
import hashlib
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables import ttProgram

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
BRAVURA = os.path.join(ROOT, "resources", "font_sources", "Bravura.otf")
BRAVURA_SHA256 = "7607b10b208767a82b5c330ba4e17f9863831a1baef61dcca0919959db1d36fa"
TEXT_FONT = "/usr/share/fonts/truetype/noto/NotoSerif-BoldItalic.ttf"
TEXT_FONT_SHA256 = "78a6d685e5690b7dcda0f336b689193afc03b6bab5cf18fc1a9ecc3aa0600059"
OUTPUT = os.path.join(ROOT, "resources", "pelmora_5a.ttf")
METRICS_OUTPUT = os.path.join(ROOT, "resources", "pelmora_5a_metrics.inc")

FAMILY = "PelmoraMusic5a"
UPM = 1000
SP = UPM / 4        # one staff space
UNIT = UPM / 24     # one document unit (one pixel at zoom 1)
STEM_W = UNIT       # the program's stems are one unit wide
FIXED_TIME = "2024-01-01 00:00:00"
PIXEL_EM = 24       # the program creates the font at height -24

# The font's control-value program: dropout control at every size, so that
# one-unit stems and thin lines keep their pixels when a score is drawn
# small.  It matters for a second reason: a TrueType font without any
# program is taken for one its maker never hinted, and FreeType (GDI under
# Wine) then runs its own auto-hinter over the outlines, which moves edges
# by up to a pixel in ways that cannot be worked out from the outlines.
# With a program the glyphs, which carry no instructions, are only scaled,
# as GDI on Windows does with them, and their ink boxes follow from the
# outlines (see gdi_metrics).
CONTROL_PROGRAM = ["PUSHW[ ]", "511", "SCANCTRL[ ]", "PUSHB[ ]", "4", "SCANTYPE[ ]"]

# Digits and the notes of the metronome mark are a hair under two spaces
# high, so that rounding to pixels never makes them taller than two spaces;
# the lead-in "M." is a little taller, so that its top is the mark's top.
DIGIT_H = 2 * SP
DIGIT_INK = 496
TEXT_SCALE = 0.63   # navigation texts: cap height about 1.8 spaces
LEAD_SCALE = 0.73   # "M.": cap height 0.52 em
MET_SCALE = 0.60    # metronome notes


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


class Source:
    """A source font: its glyph set, cmap, advances, and whether its
    outlines are cubic (CFF, counter-clockwise) or quadratic (clockwise)."""

    def __init__(self, path):
        self.font = TTFont(path)
        self.glyphs = self.font.getGlyphSet()
        self.cmap = self.font.getBestCmap()
        self.hmtx = self.font["hmtx"]
        self.cubic = "CFF " in self.font

    def name(self, code):
        if code not in self.cmap:
            sys.exit("make_font: the source font has no U+%04X" % code)
        return self.cmap[code]

    def advance(self, code):
        return self.hmtx[self.name(code)][0]


class Shape:
    """An outline put together from source glyphs and rectangles, each
    scaled and moved; 'shift' moves the whole shape at the end."""

    def __init__(self):
        self.parts = []     # (source or None, glyph name or rect, scale, dx, dy)
        self.advance = None

    def add(self, src, code, scale=1.0, dx=0.0, dy=0.0):
        self.parts.append((src, src.name(code), scale, dx, dy))
        return self

    def add_rect(self, x0, y0, x1, y1):
        self.parts.append((None, (x0, y0, x1, y1), 1.0, 0.0, 0.0))
        return self

    def add_shape(self, other, dx=0.0, dy=0.0):
        for src, g, s, x, y in other.parts:
            self.parts.append((src, g, s, x + dx, y + dy))
        return self

    def shift(self, dx, dy=0.0):
        self.parts = [(src, g, s, x + dx, y + dy) for src, g, s, x, y in self.parts]
        return self

    def _draw_part(self, part, pen):
        src, g, s, dx, dy = part
        if src is None:
            x0, y0, x1, y1 = g
            # counter-clockwise, as the cubic sources; reversed with them
            pen.moveTo((x0 + dx, y0 + dy))
            pen.lineTo((x1 + dx, y0 + dy))
            pen.lineTo((x1 + dx, y1 + dy))
            pen.lineTo((x0 + dx, y1 + dy))
            pen.closePath()
        else:
            src.glyphs[g].draw(TransformPen(pen, (s, 0, 0, s, dx, dy)))

    def bounds(self):
        bp = BoundsPen(None)
        for part in self.parts:
            self._draw_part(part, bp)
        return bp.bounds

    def to_glyph(self):
        pen = TTGlyphPen(None)
        for part in self.parts:
            src = part[0]
            if src is None or src.cubic:
                self._draw_part(part, Cu2QuPen(pen, 0.5, reverse_direction=True))
            else:
                self._draw_part(part, pen)
        return pen.glyph()


class Catalogue:
    """The glyphs of the font, in code order."""

    def __init__(self, brav, text):
        self.b = brav
        self.t = text
        self.entries = []   # (code, glyph name, Shape)

    def put(self, code, name, shape, advance=None):
        if advance is not None:
            shape.advance = advance
        self.entries.append((code, name, shape))

    # ---- building blocks -------------------------------------------------

    def smufl(self, code, scale=1.0, dx=0.0, dy=0.0):
        return Shape().add(self.b, code, scale, dx, dy)

    def text(self, string, scale, src=None):
        src = src or self.t
        shape = Shape()
        x = 0.0
        for ch in string:
            code = ord(ch)
            if ch != " ":
                shape.add(src, code, scale, x, 0.0)
            x += src.advance(code) * scale
        shape.advance = round(x)
        return shape

    def centred(self, shape, horizontal=True, vertical=True):
        x0, y0, x1, y1 = shape.bounds()
        return shape.shift(-(x0 + x1) / 2 if horizontal else 0.0,
                           -(y0 + y1) / 2 if vertical else 0.0)

    def head(self, code, stem_up):
        """A note head centred on the baseline; origin on the stem side."""
        shape = self.smufl(code)
        x0, _, x1, _ = shape.bounds()
        if stem_up:
            return shape.shift(UNIT - x1)
        return shape.shift(-x0)

    def digit(self, d, top=True):
        """A time-signature digit standing on the baseline (top) or hanging
        from it, DIGIT_INK high."""
        code = 0xE080 + d
        _, y0, _, y1 = self.smufl(code).bounds()
        scale = DIGIT_INK / (y1 - y0)
        shape = self.smufl(code, scale, 0.0, -y0 * scale if top else -y1 * scale)
        shape.advance = round(self.b.advance(code) * scale)
        return shape

    def stacked(self, top, bottom):
        """A fixed time signature centred on the baseline."""
        a = self.digit(top)
        b = self.digit(bottom, top=False)
        wa = a.bounds()[2] - a.bounds()[0]
        wb = b.bounds()[2] - b.bounds()[0]
        w = max(wa, wb)
        a.shift((w - wa) / 2 - a.bounds()[0])
        b.shift((w - wb) / 2 - b.bounds()[0])
        shape = Shape().add_shape(a).add_shape(b)
        shape.advance = round(w)
        return shape

    def note(self, head_code, flag_code, stem_units, stem_up):
        """A complete note as the program draws one: the head, a stem of one
        unit from the head's origin over the stem length, the flag at its end."""
        shape = Shape().add_shape(self.head(head_code, stem_up))
        length = stem_units * UNIT
        if stem_up:
            shape.add_rect(0, 0, STEM_W, length)
            if flag_code:
                shape.add_shape(self.smufl(flag_code), 0, length)
        else:
            shape.add_rect(0, -length, STEM_W, 0)
            if flag_code:
                shape.add_shape(self.smufl(flag_code), 0, -length)
        return shape

    def met_note(self, code, height=None):
        """A small upright note of the metronome mark, head on the baseline."""
        shape = self.smufl(code, MET_SCALE)
        x0, y0, x1, y1 = shape.bounds()
        if height is not None and y1 - y0 > height:
            scale = MET_SCALE * height / (y1 - y0)
            shape = self.smufl(code, scale)
            x0, y0, x1, y1 = shape.bounds()
        shape.shift(-x0, -y0)
        shape.advance = round(x1 - x0 + 0.15 * SP)
        return shape

    def accidental(self, code):
        shape = self.smufl(code)
        x0, _, x1, _ = shape.bounds()
        return shape.shift(5 * UNIT - x1)

    # ---- the table -------------------------------------------------------

    def build(self):
        put = self.put
        # Flags, at the stem's end.  Stem up: the flag hangs from the top.
        for code, smufl, name in ((0xD10C, 0xE246, "flag64thUp"), (0xD10D, 0xE244, "flag32ndUp"),
                                  (0xD10E, 0xE242, "flag16thUp"), (0xD10F, 0xE240, "flag8thUp"),
                                  (0xD111, 0xE247, "flag64thDown"), (0xD112, 0xE245, "flag32ndDown"),
                                  (0xD113, 0xE243, "flag16thDown"), (0xD114, 0xE241, "flag8thDown")):
            put(code, name, self.smufl(smufl))

        # Heads: even codes for stem-down notes, odd for stem-up.
        heads = ((0xD118, 0xE0A4, "noteheadBlack"), (0xD11A, 0xE0A3, "noteheadHalf"),
                 (0xD11C, 0xE0DB, "noteheadDiamondBlack"), (0xD11E, 0xE0DD, "noteheadDiamondWhite"),
                 (0xD120, 0xE0BE, "noteheadTriangleBlack"), (0xD122, 0xE0BD, "noteheadTriangleWhite"),
                 (0xD124, 0xE0A9, "noteheadX"), (0xD126, 0xE0B3, "noteheadCircleX"))
        for code, smufl, name in heads:
            put(code, name + ".down", self.head(smufl, False))
            put(code + 1, name + ".up", self.head(smufl, True))

        put(0xD12E, "timeSigCutCommon", self.smufl(0xE08B))
        put(0xD12F, "timeSigCommon", self.smufl(0xE08A))
        for d in range(10):
            put(0xD130 + d, "digit%d" % d, self.digit(d))
        for code, (n, m) in ((0xD13A, (2, 8)), (0xD13B, (2, 4)), (0xD13C, (3, 8)), (0xD13D, (3, 4)),
                             (0xD13E, (4, 8)), (0xD13F, (4, 4)), (0xD140, (6, 8))):
            put(code, "timeSig%d_%d" % (n, m), self.stacked(n, m))

        # Complete notes (the pictures of the note classes).
        values = ((0xE246, 0xE247, 23, "64th"), (0xE244, 0xE245, 22, "32nd"),
                  (0xE242, 0xE243, 20, "16th"), (0xE240, 0xE241, 20, "8th"),
                  (None, None, 20, "Quarter"), (None, None, 20, "Half"))
        for i, (flag_up, flag_down, stem, name) in enumerate(values):
            head = 0xE0A3 if name == "Half" else 0xE0A4
            put(0xD144 + i, "note%sDown" % name, self.note(head, flag_down, stem, False))
            put(0xD14B + i, "note%sUp" % name, self.note(head, flag_up, stem, True))
        put(0xD151, "noteWhole", self.centred(self.smufl(0xE0A2), vertical=False))

        # The grace note: a small stem-up note, the head's right edge on the origin.
        grace = self.smufl(0xE560)
        put(0xD159, "graceNote", grace.shift(UNIT - 195))

        for code, smufl, name in ((0xD160, 0xE4E9, "rest64th"), (0xD161, 0xE4E8, "rest32nd"),
                                  (0xD162, 0xE4E7, "rest16th"), (0xD163, 0xE4E6, "rest8th"),
                                  (0xD164, 0xE4E5, "restQuarter")):
            put(code, name, self.smufl(smufl))

        put(0xD16C, "simile", self.smufl(0xE500))
        put(0xD16E, "augmentationDot", self.centred(self.smufl(0xE1E7)))
        double = self.centred(self.smufl(0xE1E7))
        double.add_shape(self.centred(self.smufl(0xE1E7)), 0.7 * SP)
        put(0xD16F, "augmentationDotDouble", double)

        # The C clef spans the staff exactly (its palette pictures are made
        # as large as its inked box, which then falls on whole pixels).
        c_clef = self.smufl(0xE05C)
        _, y0, _, y1 = c_clef.bounds()
        put(0xD17C, "cClef", self.smufl(0xE05C, 4 * SP / (y1 - y0)))
        for code, smufl, name in ((0xD17A, 0xE062, "fClef"),
                                  (0xD17D, 0xE052, "gClef8vb"), (0xD17E, 0xE050, "gClef"),
                                  (0xD180, 0xE069, "percussionClef1"), (0xD181, 0xE06A, "percussionClef2")):
            put(code, name, self.smufl(smufl))

        put(0xD184, "ottavaAlta", self.smufl(0xE511))
        put(0xD185, "ottavaBassaVb", self.smufl(0xE51C))

        for code, smufl, name in ((0xD1A4, 0xE262, "accidentalSharp"), (0xD1A5, 0xE263, "accidentalDoubleSharp"),
                                  (0xD1A6, 0xE260, "accidentalFlat"), (0xD1A7, 0xE264, "accidentalDoubleFlat"),
                                  (0xD1A8, 0xE261, "accidentalNatural")):
            put(code, name, self.accidental(smufl))

        for code, smufl, name in ((0xD1B4, 0xE52A, "dynamicPPP"), (0xD1B5, 0xE52B, "dynamicPP"),
                                  (0xD1B6, 0xE520, "dynamicP"), (0xD1B7, 0xE52C, "dynamicMP"),
                                  (0xD1B8, 0xE52D, "dynamicMF"), (0xD1B9, 0xE522, "dynamicF"),
                                  (0xD1BA, 0xE52F, "dynamicFF"), (0xD1BB, 0xE530, "dynamicFFF"),
                                  (0xD1BE, 0xE536, "dynamicSF"), (0xD1BF, 0xE535, "dynamicFZ")):
            put(code, name, self.smufl(smufl))

        for code, words, name in ((0xD1CF, "D.C.", "textDC"), (0xD1D0, "D.S.", "textDS"),
                                  (0xD1D2, "Fine", "textFine"), (0xD1D6, "D.S. al Fine", "textDSalFine"),
                                  (0xD1D7, "D.S. al Coda", "textDSalCoda"), (0xD1D8, "D.C. al Fine", "textDCalFine"),
                                  (0xD1D9, "D.C. al Coda", "textDCalCoda")):
            put(code, name, self.text(words, TEXT_SCALE))

        put(0xD1DA, "segno", self.smufl(0xE047))
        put(0xD1DB, "segnoSerpent", self.smufl(0xE04A))
        put(0xD1DC, "coda", self.smufl(0xE048))

        # The metronome mark.
        lead = self.text("M.", LEAD_SCALE)
        lead.shift(0.0, -lead.bounds()[1])
        put(0xD1E1, "metLeadIn", lead)
        equals = self.smufl(0xE08F, 0.8)
        x0, y0, x1, y1 = equals.bounds()
        equals.shift(0.1 * SP - x0, DIGIT_H / 2 - (y0 + y1) / 2)
        put(0xD1E2, "metEquals", equals, round(x1 - x0 + 0.2 * SP))
        dotted = self.met_note(0xECA5, DIGIT_INK)
        head_y = 141 * MET_SCALE      # the head's centre, its bottom now on the baseline
        dot = self.smufl(0xECB7, MET_SCALE)
        dx0, dy0, dx1, dy1 = dot.bounds()
        dot_x = dotted.advance + 0.05 * SP
        dotted.add_shape(dot, dot_x - dx0, head_y - (dy0 + dy1) / 2)
        dotted.advance = round(dot_x + (dx1 - dx0) + 0.15 * SP)
        put(0xD1E3, "metNoteQuarterDotted", dotted)
        for i, (smufl, name) in enumerate(((0xECAD, "64th"), (0xECAB, "32nd"), (0xECA9, "16th"),
                                           (0xECA7, "8th"), (0xECA5, "Quarter"), (0xECA3, "Half"),
                                           (0xECA2, "Whole"))):
            put(0xD1E4 + i, "metNote" + name, self.met_note(smufl, DIGIT_INK))

        # Signs drawn above or below a note with the same glyph: centred.
        for code, smufl, name in ((0xD1EF, 0xE567, "ornamentTurn"), (0xD1F0, 0xE568, "ornamentTurnInverted"),
                                  (0xD1F1, 0xE566, "ornamentTrill"), (0xD1F2, 0xE610, "stringsDownBow"),
                                  (0xD1F3, 0xE612, "stringsUpBow"), (0xD1F4, 0xE4A0, "articAccent"),
                                  (0xD1F5, 0xE4A4, "articTenuto"), (0xD1F6, 0xE4A2, "articStaccato"),
                                  (0xD1F7, 0xE56C, "ornamentInvertedMordent"), (0xD1F8, 0xE56D, "ornamentMordent")):
            put(code, name, self.centred(self.smufl(smufl)))
        put(0xD1FA, "fermataAbove", self.centred(self.smufl(0xE4C0), vertical=False))
        put(0xD1FB, "fermataBelow", self.centred(self.smufl(0xE4C1), vertical=False))

        put(0xD1FC, "keyboardPedalPed", self.smufl(0xE650))
        put(0xD1FD, "keyboardPedalUp", self.smufl(0xE655))
        return self.entries


def build_font(brav, text, out_path):
    cat = Catalogue(brav, text)
    entries = sorted(cat.build(), key=lambda e: e[0])
    codes = [c for c, _, _ in entries]
    assert len(codes) == len(set(codes))

    order = [".notdef", "space"] + [name for _, name, _ in entries]
    assert len(order) == len(set(order))
    glyphs = {}
    metrics = {}
    # .notdef: an empty box, so a code the font lacks still shows.
    pen = TTGlyphPen(None)
    for x0, y0, x1, y1, cw in ((50, 0, 450, 700, False), (100, 50, 400, 650, True)):
        pts = [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]
        if cw:
            pts.reverse()
        pen.moveTo(pts[0])
        for p in pts[1:]:
            pen.lineTo(p)
        pen.closePath()
    glyphs[".notdef"] = pen.glyph()
    metrics[".notdef"] = (500, 50)
    glyphs["space"] = TTGlyphPen(None).glyph()
    metrics["space"] = (round(SP), 0)

    top = bottom = 0
    for code, name, shape in entries:
        g = shape.to_glyph()
        glyphs[name] = g
        x0, y0, x1, y1 = shape.bounds()
        if not (x1 > x0 and y1 > y0):
            sys.exit("make_font: glyph %s (0x%04X) has no ink" % (name, code))
        top, bottom = max(top, y1), min(bottom, y0)
        advance = shape.advance if shape.advance is not None else max(0, round(x1))
        metrics[name] = (advance, 0)     # the left side bearing is set below

    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(order)
    cmap = {0x20: "space"}
    cmap.update({code: name for code, name, _ in entries})
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    glyf = fb.font["glyf"]
    for name in order:
        g = glyf[name]
        g.recalcBounds(glyf)
        metrics[name] = (metrics[name][0], getattr(g, "xMin", 0))
    fb.setupHorizontalMetrics(metrics)

    ascent = int(-(-top // 1)) + 1
    descent = int(-bottom // 1) + 1
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent)
    stamp = timestampFromString("Mon Jan  1 00:00:00 2024")
    fb.setupHead(unitsPerEm=UPM, created=stamp, modified=stamp, fontRevision=1.0)
    fb.setupMaxp()
    prep = newTable("prep")
    prep.program = ttProgram.Program()
    prep.program.fromAssembly(CONTROL_PROGRAM)
    fb.font["prep"] = prep
    fb.font["maxp"].maxStackElements = 2
    copyright_text = ("Copyright (c) 2018, Steinberg Media Technologies GmbH (http://www.steinberg.net/), "
                      "with Reserved Font Name \"Bravura\". Copyright 2015 Google LLC. "
                      "Modified for Pelmora: glyphs selected, moved and combined, new character codes.")
    fb.setupNameTable({
        "copyright": copyright_text,
        "familyName": FAMILY,
        "styleName": "Regular",
        "uniqueFontIdentifier": FAMILY + " 1.000",
        "fullName": FAMILY,
        "version": "Version 1.000",
        "psName": FAMILY,
        "description": "Music symbols of the Pelmora notation program, drawn from Bravura "
                       "(SIL Open Font License 1.1) and Noto Serif Bold Italic "
                       "(SIL Open Font License 1.1).",
        "licenseDescription": "This Font Software is licensed under the SIL Open Font License, "
                              "Version 1.1. This license is available with a FAQ at: "
                              "https://openfontlicense.org",
        "licenseInfoURL": "https://openfontlicense.org",
    }, mac=False)
    fb.setupOS2(version=4, achVendID="PLMR", fsType=0, fsSelection=0x40, usWeightClass=400,
                sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
                usWinAscent=ascent, usWinDescent=descent,
                ulUnicodeRange1=1, ulUnicodeRange2=0, ulUnicodeRange3=0, ulUnicodeRange4=0,
                ulCodePageRange1=1, ulCodePageRange2=0,
                sxHeight=round(SP * 2), sCapHeight=round(SP * 2),
                usDefaultChar=0, usBreakChar=0x20, usMaxContext=0)
    fb.setupPost(keepGlyphNames=True)
    fb.font.recalcTimestamp = False
    fb.save(out_path)
    return entries


# ---- the metrics table -------------------------------------------------------

def _div_fix(a, b):
    """a / b in 16.16, rounded as FreeType's FT_DivFix (b > 0, a >= 0)."""
    return (a * 65536 + b // 2) // b


def _mul_fix(a, b):
    """a * b / 65536 rounded half away from zero, as FreeType's FT_MulFix."""
    product = abs(a) * abs(b)
    value = (product + 0x8000) >> 16
    return -value if (a < 0) != (b < 0) else value


def _mul_div(a, b, c):
    """a * b / c rounded half away from zero, as Windows' MulDiv (all > 0)."""
    return (a * b + c // 2) // c


def gdi_metrics(font, ppem=PIXEL_EM):
    """What GDI measures of the font at height -ppem: the ascent and the
    cell height, and for every character (the codes of the character map,
    and None for the default glyph that stands in for any other code) its
    ink box x, y, width, height in pixels relative to the glyph origin with
    y growing downwards, and its advance.

    The glyphs carry no instructions, so the rasteriser only scales them:
    each point of the outline becomes a 26.6 fixed-point pixel position
    (FT_MulFix by the scale FT_DivFix(ppem * 64, units per em), the
    arithmetic of FreeType, which GDI under Wine measures with), and the
    ink box is the outline's control box (all points, off-curve ones too)
    widened to whole pixels.  GDI clips the box to the font's ascent and
    descent (a few glyphs reach a fraction of a pixel beyond them), and
    answers a 1 x 1 box at the origin for a glyph without ink.  The advance
    is the scaled advance width rounded to a whole pixel."""
    upm = font["head"].unitsPerEm
    scale = _div_fix(ppem * 64, upm)
    em_scale = _mul_div(ppem, 1 << 16, upm)
    os2 = font["OS/2"]
    ascent = _mul_fix(os2.usWinAscent, em_scale)
    descent = _mul_fix(os2.usWinDescent, em_scale)
    glyf = font["glyf"]
    hmtx = font["hmtx"]

    def measure(name):
        glyph = glyf[name]
        advance = (_mul_fix(hmtx[name][0], scale) + 32) // 64
        if glyph.numberOfContours == 0:
            return (0, 0, 1, 1, advance)
        points = glyph.getCoordinates(glyf)[0]
        xs = [_mul_fix(x, scale) for x, _ in points]
        ys = [_mul_fix(y, scale) for _, y in points]
        top = min(max(ys), ascent * 64)
        bottom = max(min(ys), -descent * 64)
        left = min(xs) // 64
        right = -(-max(xs) // 64)
        top = -(-top // 64)
        bottom = bottom // 64
        return (left, -top, max(right - left, 1), max(top - bottom, 1), advance)

    glyphs = [(code, measure(name)) for code, name in sorted(font.getBestCmap().items())]
    glyphs.append((None, measure(font.getGlyphOrder()[0])))
    return ascent, ascent + descent, glyphs


METRICS_HEAD = """\
// The music font resources/pelmora_5a.ttf at height -%d, as GDI measures
// it.  Made by scripts/make_font.py ("make font") with the font; do not
// edit.  Ink boxes are left, top, width and height relative to the glyph
// origin on the baseline, y downwards (GetGlyphOutlineW's glyph origin and
// black box); the advance is the pen's step.
"""


def write_metrics(font_path, out_path):
    ascent, height, glyphs = gdi_metrics(TTFont(font_path))
    lines = [METRICS_HEAD % PIXEL_EM, "\n",
             "constexpr int32_t kTableAscent = %d;\n" % ascent,
             "constexpr int32_t kTableCellHeight = %d;\n" % height,
             "\n",
             "// code, x, y, width, height, advance; in code order\n",
             "constexpr sMusicGlyph kTableGlyphs[] = {\n"]
    default = None
    for code, (x, y, w, h, advance) in glyphs:
        if code is None:
            default = (x, y, w, h, advance)
            continue
        lines.append("    {0x%04X, %d, %d, %d, %d, %d},\n" % (code, x, y, w, h, advance))
    lines.append("};\n\n")
    lines.append("// The glyph of every code the font lacks.\n")
    lines.append("constexpr sMusicGlyph kTableDefaultGlyph = {0x0000, %d, %d, %d, %d, %d};\n" % default)
    with open(out_path, "w") as f:
        f.write("".join(lines))
    return len(glyphs) - 1


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=OUTPUT, help="font file to write")
    ap.add_argument("--metrics-out", default=METRICS_OUTPUT, help="metrics table to write")
    ap.add_argument("--list", action="store_true", help="print the codes and their glyphs")
    args = ap.parse_args()

    for path, want in ((BRAVURA, BRAVURA_SHA256), (TEXT_FONT, TEXT_FONT_SHA256)):
        if not os.path.exists(path):
            sys.exit("make_font: %s is missing (scripts/setup font installs the text font)" % path)
        if sha256(path) != want:
            sys.exit("make_font: %s is not the version this font was built from" % path)
    entries = build_font(Source(BRAVURA), Source(TEXT_FONT), args.out)
    measured = write_metrics(args.out, args.metrics_out)
    if args.list:
        for code, name, _ in entries:
            print("0x%04X %s" % (code, name))
    print("make_font: %s: %d music characters and the space" % (os.path.relpath(args.out, ROOT), len(entries)))
    print("make_font: %s: %d characters and the default glyph"
          % (os.path.relpath(args.metrics_out, ROOT), measured))


if __name__ == "__main__":
    main()
