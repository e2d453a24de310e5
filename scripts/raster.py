"""A small, exact and deterministic rasteriser for the picture scripts.

Shapes are polygons (curves flattened with a fixed number of steps, no
trigonometry), filled with the nonzero rule.  Coverage is exact across a row
and sampled on SUB lines within it, so edges are smooth where a picture wants
colour and can be cut at one half where it wants black and white.  The same
input gives the same pixels on every machine: only +, -, *, / on floats.

Coordinates: x to the right, y downwards, in pixels; (0, 0) is the top-left
corner of the top-left pixel.
"""

import struct
import zlib

from fontTools.pens.basePen import BasePen

SUB = 8          # sample lines per pixel row
CURVE_STEPS = 12
KAPPA = 0.5522847498307936   # circle by four cubic curves


class Path:
    """Closed polygons in pixel coordinates."""

    def __init__(self):
        self.polys = []
        self._cur = None

    def move(self, x, y):
        self._cur = [(x, y)]
        self.polys.append(self._cur)
        return self

    def line(self, x, y):
        self._cur.append((x, y))
        return self

    def cubic(self, x1, y1, x2, y2, x3, y3):
        x0, y0 = self._cur[-1]
        for i in range(1, CURVE_STEPS + 1):
            t = i / CURVE_STEPS
            u = 1 - t
            a, b, c, d = u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t
            self._cur.append((a * x0 + b * x1 + c * x2 + d * x3, a * y0 + b * y1 + c * y2 + d * y3))
        return self

    def quad(self, x1, y1, x2, y2):
        x0, y0 = self._cur[-1]
        for i in range(1, CURVE_STEPS + 1):
            t = i / CURVE_STEPS
            u = 1 - t
            a, b, c = u * u, 2 * u * t, t * t
            self._cur.append((a * x0 + b * x1 + c * x2, a * y0 + b * y1 + c * y2))
        return self

    def add(self, other):
        self.polys.extend(other.polys)
        return self

    # ---- shapes ----------------------------------------------------------

    def rect(self, x0, y0, x1, y1):
        return self.move(x0, y0).line(x1, y0).line(x1, y1).line(x0, y1)

    def ellipse(self, cx, cy, rx, ry):
        kx, ky = rx * KAPPA, ry * KAPPA
        self.move(cx + rx, cy)
        self.cubic(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry)
        self.cubic(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy)
        self.cubic(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry)
        self.cubic(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy)
        return self

    def round_rect(self, x0, y0, x1, y1, r):
        k = r * (1 - KAPPA)
        self.move(x0 + r, y0).line(x1 - r, y0)
        self.cubic(x1 - k, y0, x1, y0 + k, x1, y0 + r)
        self.line(x1, y1 - r)
        self.cubic(x1, y1 - k, x1 - k, y1, x1 - r, y1)
        self.line(x0 + r, y1)
        self.cubic(x0 + k, y1, x0, y1 - k, x0, y1 - r)
        self.line(x0, y0 + r)
        self.cubic(x0, y0 + k, x0 + k, y0, x0 + r, y0)
        return self

    def stroke_line(self, x0, y0, x1, y1, width):
        """A straight stroke with square-cut ends."""
        dx, dy = x1 - x0, y1 - y0
        n = (dx * dx + dy * dy) ** 0.5
        if n == 0:
            return self
        ox, oy = -dy / n * width / 2, dx / n * width / 2
        return self.move(x0 + ox, y0 + oy).line(x1 + ox, y1 + oy).line(x1 - ox, y1 - oy).line(x0 - ox, y0 - oy)

    def stroke_poly(self, points, width):
        """A stroke along an open polyline, as one outline: each vertex is
        moved sideways along the mean of the normals of its two segments."""
        normals = []
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            dx, dy = x1 - x0, y1 - y0
            n = (dx * dx + dy * dy) ** 0.5 or 1.0
            normals.append((-dy / n, dx / n))
        half = width / 2
        left, right = [], []
        for i, (x, y) in enumerate(points):
            a = normals[max(0, i - 1)]
            b = normals[min(len(normals) - 1, i)]
            nx, ny = a[0] + b[0], a[1] + b[1]
            d = nx * b[0] + ny * b[1]
            if d < 0.2:
                nx, ny, d = b[0], b[1], 1.0
            nx, ny = nx / d * half, ny / d * half
            left.append((x + nx, y + ny))
            right.append((x - nx, y - ny))
        self.move(*left[0])
        for pt in left[1:] + right[::-1]:
            self.line(*pt)
        return self


def cubic_points(p0, p1, p2, p3, steps=CURVE_STEPS * 2):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        a, b, c, d = u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t
        pts.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                    a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return pts


class _GlyphPen(BasePen):
    """Flattens a font glyph into a Path, font units to pixels."""

    def __init__(self, glyphset, path, scale, x, y, stretch=1.0):
        super().__init__(glyphset)
        self.path, self.s, self.x, self.y, self.k = path, scale, x, y, stretch

    def _p(self, pt):
        return self.x + pt[0] * self.s * self.k, self.y - pt[1] * self.s

    def _moveTo(self, pt):
        self.path.move(*self._p(pt))

    def _lineTo(self, pt):
        self.path.line(*self._p(pt))

    def _curveToOne(self, p1, p2, p3):
        self.path.cubic(*self._p(p1), *self._p(p2), *self._p(p3))

    def _qCurveToOne(self, p1, p2):
        self.path.quad(*self._p(p1), *self._p(p2))

    def _closePath(self):
        pass

    def _endPath(self):
        pass


class FontFace:
    """Glyph outlines of a font file, by character."""

    def __init__(self, path):
        from fontTools.ttLib import TTFont
        self.font = TTFont(path)
        self.glyphs = self.font.getGlyphSet()
        self.cmap = self.font.getBestCmap()
        self.upm = self.font["head"].unitsPerEm
        self.hmtx = self.font["hmtx"]

    def glyph(self, ch, size, x, y, path=None, stretch=1.0):
        """The outline of a character drawn at an em of 'size' pixels, its
        origin at (x, y) on the baseline, widened by 'stretch'."""
        path = path or Path()
        code = ch if isinstance(ch, int) else ord(ch)
        name = self.cmap[code]
        self.glyphs[name].draw(_GlyphPen(self.glyphs, path, size / self.upm, x, y, stretch))
        return path

    def advance(self, ch, size):
        code = ch if isinstance(ch, int) else ord(ch)
        return self.hmtx[self.cmap[code]][0] * size / self.upm

    def text(self, string, size, x, y, path=None, spacing=0.0):
        path = path or Path()
        for ch in string:
            if ch != " ":
                self.glyph(ch, size, x, y, path)
            x += self.advance(ch, size) + spacing
        return path

    def text_width(self, string, size, spacing=0.0):
        return sum(self.advance(ch, size) + spacing for ch in string) - spacing

    def bounds(self, ch, size, x=0.0, y=0.0):
        return bounds_of(self.glyph(ch, size, x, y))


def bounds_of(path):
    xs = [p[0] for poly in path.polys for p in poly]
    ys = [p[1] for poly in path.polys for p in poly]
    return min(xs), min(ys), max(xs), max(ys)


class Canvas:
    """An RGB picture with coverage-blended fills."""

    def __init__(self, width, height, colour=(255, 255, 255)):
        self.w, self.h = width, height
        self.px = [[list(colour) for _ in range(width)] for _ in range(height)]

    def coverage(self, path):
        """Per pixel coverage 0..1 of a path (nonzero rule), as rows."""
        cov = [None] * self.h
        edges = []
        for poly in path.polys:
            n = len(poly)
            for i in range(n):
                (x0, y0), (x1, y1) = poly[i], poly[(i + 1) % n]
                if y0 == y1:
                    continue
                d = 1 if y1 > y0 else -1
                if y0 > y1:
                    x0, y0, x1, y1 = x1, y1, x0, y0
                edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), d))
        if not edges:
            return cov
        ymin = max(0, int(min(e[0] for e in edges)))
        ymax = min(self.h - 1, int(max(e[1] for e in edges)))
        for row in range(ymin, ymax + 1):
            acc = None
            for k in range(SUB):
                sy = row + (k + 0.5) / SUB
                xs = []
                for y0, y1, x0, slope, d in edges:
                    if y0 <= sy < y1:
                        xs.append((x0 + (sy - y0) * slope, d))
                if not xs:
                    continue
                xs.sort()
                wind = 0
                for i, (x, d) in enumerate(xs):
                    before = wind
                    wind += d
                    if before == 0 and wind != 0:
                        start = x
                    elif before != 0 and wind == 0:
                        if acc is None:
                            acc = [0.0] * self.w
                        self._span(acc, start, x)
            if acc is not None:
                cov[row] = [min(1.0, a / SUB) for a in acc]
        return cov

    def _span(self, acc, xa, xb):
        if xb <= 0 or xa >= self.w:
            return
        xa, xb = max(0.0, xa), min(float(self.w), xb)
        ia, ib = int(xa), int(xb)
        if ia == ib:
            acc[ia] += xb - xa
            return
        acc[ia] += ia + 1 - xa
        for i in range(ia + 1, min(ib, self.w)):
            acc[i] += 1.0
        if ib < self.w:
            acc[ib] += xb - ib

    def fill(self, path, colour, opacity=1.0):
        cov = self.coverage(path)
        for y, row in enumerate(cov):
            if row is None:
                continue
            line = self.px[y]
            for x, a in enumerate(row):
                if a > 0:
                    a *= opacity
                    p = line[x]
                    for c in range(3):
                        p[c] = p[c] + (colour[c] - p[c]) * a
        return self

    def fill_sharp(self, path, colour, threshold=0.5):
        """Fill without blending: pixels covered at least 'threshold' take
        the colour (for black-and-white pictures)."""
        cov = self.coverage(path)
        for y, row in enumerate(cov):
            if row is None:
                continue
            for x, a in enumerate(row):
                if a >= threshold:
                    self.px[y][x] = list(colour)
        return self

    def set(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = list(colour)

    def hline(self, x0, x1, y, colour=(0, 0, 0)):
        for x in range(x0, x1 + 1):
            self.set(x, y, colour)

    def vline(self, x, y0, y1, colour=(0, 0, 0)):
        for y in range(y0, y1 + 1):
            self.set(x, y, colour)

    def box(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            self.hline(x0, x1, y, colour)

    def rgb(self):
        return [[tuple(int(c + 0.5) if c < 254.5 else 255 for c in p) for p in row] for row in self.px]


# ---- file writers -------------------------------------------------------

def _bmp_headers(width, height, bpp, palette, image_size):
    offset = 14 + 40 + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, 2835, 2835,
                       len(palette) // 4 if palette else 0, 0)
    return file_header + info + palette


def bmp_mono(rows):
    """A 1-bit BMP: rows of booleans, True = black ink (palette 0 black,
    1 white), so that a blit in the text colour paints the ink."""
    h, w = len(rows), len(rows[0])
    stride = ((w + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, ink in enumerate(row):
            if not ink:
                line[x >> 3] |= 0x80 >> (x & 7)
        data += line
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    return _bmp_headers(w, h, 1, palette, len(data)) + bytes(data)


def bmp_rgb(rows):
    """A 24-bit BMP from rows of (r, g, b)."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        data += line
    return _bmp_headers(w, h, 24, b"", len(data)) + bytes(data)


def ico(images):
    """An icon file from (rows of (r, g, b, a)) images, each stored as a
    32-bit DIB with its AND mask."""
    entries = bytearray()
    blobs = []
    offset = 6 + 16 * len(images)
    for rows in images:
        h, w = len(rows), len(rows[0])
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mstride = ((w + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            line = bytearray(mstride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    line[x >> 3] |= 0x80 >> (x & 7)
            mask += line
        blob = info + bytes(xor) + bytes(mask)
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + bytes(entries) + b"".join(blobs)


def png(rows):
    """An RGB PNG (for looking at pictures; not a resource)."""
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for p in row:
            raw += bytes(p[:3])

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
