#include "ui/device_math.h"

#include <cmath>
#include <cstdlib>

#include "foundation/text_util.h"

namespace {

int32_t ToInt(double v) { return static_cast<int32_t>(v); }
int32_t FlipY(const sDeviceView &v, int32_t y) { return v.topDown ? y : -y; }

}  // namespace

int32_t RoundHalfUp(double v) { return ToInt(std::floor(v + 0.5)); }

sDevicePoint PenRulePoint(const sDeviceView &v, int32_t x, int32_t y, float scale) {
    sDevicePoint p;
    p.x = RoundHalfUp(double(x) * scale + double(v.originX) * v.zoomX);
    p.y = FlipY(v, RoundHalfUp(double(y) * scale + double(v.originY) * v.zoomY));
    return p;
}

int32_t AreaRuleX(const sDeviceView &v, int32_t x) {
    return ToInt(std::trunc((double(x) + v.originX) * v.zoomX));
}

int32_t AreaRuleY(const sDeviceView &v, int32_t y) {
    return FlipY(v, RoundHalfUp((double(y) + v.originY) * v.zoomY));
}

sDevicePoint AreaRulePoint(const sDeviceView &v, int32_t x, int32_t y) { return {AreaRuleX(v, x), AreaRuleY(v, y)}; }

sDeviceBox AreaRuleBox(const sDeviceView &v, int32_t x, int32_t y, int32_t w, int32_t h) {
    return {AreaRuleX(v, x), AreaRuleY(v, y), AreaRuleX(v, x + w), AreaRuleY(v, y + h)};
}

sDevicePoint TextRulePoint(const sDeviceView &v, int32_t x, int32_t y) {
    return {RoundHalfUp((double(x) + v.originX) * v.zoomX), FlipY(v, RoundHalfUp((double(y) + v.originY) * v.zoomY))};
}

sDevicePoint CaretRulePoint(const sDeviceView &v, int32_t x, int32_t y, int32_t caretHeight) {
    return {RoundHalfUp((double(x) + v.originX) * v.zoomX),
            FlipY(v, RoundHalfUp((double(y) + v.originY - caretHeight) * v.zoomY))};
}

int32_t CaretPixelHeight(const sDeviceView &v, int32_t caretHeight) {
    return ToInt(std::trunc(double(caretHeight) * v.zoomY));
}

sDevicePoint MouseRulePoint(const sDeviceView &v, int32_t x, int32_t y) {
    int32_t yy = v.topDown ? y : -y;
    return {RoundHalfUp((double(x) + v.originX) * v.zoomX), RoundHalfUp((double(yy) + v.originY) * v.zoomY)};
}

int32_t PixelToLogical(int32_t pixel, float zoom, int32_t origin) {
    float q = static_cast<float>((double(pixel) + zoom / 2.0) / zoom);
    return ToInt(std::floor(q)) - origin;
}

tStatus ClipCode(const sDeviceView &v, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width,
                 int32_t height) {
    double w = std::abs(double(width));
    double h = std::abs(double(height));
    if ((double(bottom) + v.originY) * v.zoomY >= h) return kClipBelow;
    if ((double(top) + v.originY) * v.zoomY < 0) return kClipAbove;
    if ((double(right) + v.originX) * v.zoomX >= w) return kClipRight;
    if ((double(left) + v.originX) * v.zoomX < 0) return kClipLeft;
    return RC_OK;
}

uint32_t PenStyleCode(int32_t lineStyle) {
    switch (lineStyle) {
    case 0: return 5;  // PS_NULL
    case 1: return 0;  // PS_SOLID
    case 3: return 2;  // PS_DOT
    default: return 1;  // PS_DASH
    }
}

int32_t PenPixelWidth(int32_t lineWidth, float zoomX, float zoomY) {
    double z = std::floor(double(zoomX < zoomY ? zoomX : zoomY) + 0.5);
    return ToInt(std::trunc(z * lineWidth));
}

sLinePlan PlanLine(const sDeviceView &v, int32_t x1, int32_t y1, int32_t x2, int32_t y2, float scale,
                   int32_t penPixelWidth) {
    sLinePlan plan;
    if (x1 == x2 && y1 == y2) {
        plan.empty = true;
        return plan;
    }
    int32_t dx = x2 - x1, dy = y2 - y1;
    if (penPixelWidth == 1 || dx == 0 || dy == 0) {
        // GDI leaves out the last pixel of a LineTo; going one unit further
        // in the major direction draws the end point too.
        int32_t ex = x2, ey = y2;
        if (std::abs(dx) >= std::abs(dy)) ex += dx > 0 ? 1 : -1;
        if (std::abs(dy) >= std::abs(dx)) ey += dy > 0 ? 1 : -1;
        plan.points[0] = PenRulePoint(v, x1, y1, scale);
        plan.points[1] = PenRulePoint(v, ex, ey, scale);
        return plan;
    }
    // A thick slanted line is a thin polygon drawn with the bevelled pen.
    int32_t half = penPixelWidth / 2;
    plan.polyline = true;
    plan.points[0] = PenRulePoint(v, x1, y1, scale);
    plan.points[1] = {plan.points[0].x + half, plan.points[0].y};
    sDevicePoint end = PenRulePoint(v, x2, y2, scale);
    plan.points[2] = {end.x - half, end.y};
    plan.points[3] = PenRulePoint(v, x2 + 1, y2, scale);
    return plan;
}

sArcPlan PlanArc(const sDeviceView &v, int32_t x, int32_t y, int32_t w, int32_t h, int32_t x1, int32_t y1, int32_t x2,
                 int32_t y2) {
    sArcPlan plan;
    plan.box = AreaRuleBox(v, x, y, w, h);
    sDeviceView upright = v;
    upright.topDown = true;
    int32_t sx = AreaRuleX(v, x1), sy = AreaRuleY(upright, y1);
    int32_t ex = AreaRuleX(v, x2), ey = AreaRuleY(upright, y2);
    // An end point one unit beside the start closes the outline exactly,
    // whatever the zoom does to the unit.
    if (x2 == x1 + 1) ex = sx + 1;
    if (y2 == y1 - 1) ey = sy - 1;
    plan.start = {sx, FlipY(v, sy)};
    plan.end = {ex, FlipY(v, ey)};
    return plan;
}

sBlitPlan PlanBitmap(const sDeviceView &v, int32_t x, int32_t y, int32_t w, int32_t h) {
    sBlitPlan plan;
    if (v.zoomX == 1.0f && v.zoomY == 1.0f) {
        plan.x = x + v.originX;
        plan.y = y + v.originY;
        plan.width = w;
        plan.height = h;
        return plan;
    }
    plan.stretch = true;
    plan.x = AreaRuleX(v, x);
    plan.y = AreaRuleY(v, y);
    plan.width = ToInt(std::trunc(double(w) * v.zoomX));
    plan.height = RoundHalfUp(double(v.zoomY) * h);
    return plan;
}

std::vector<sTextLine> WrapTextLines(const char16_t *text, int32_t width, const tMeasureText &measure) {
    std::vector<sTextLine> lines;
    uint32_t length = 0;
    while (text && text[length]) length++;
    uint32_t start = 0;
    int64_t blank = -1;
    uint32_t i = 1;  // a line holds at least its first character
    while (i < length) {
        char16_t c = text[i];
        if (c == u'\n') {
            lines.push_back({start, i - start});
            start = i + 1;
            blank = -1;
            i = start;
            continue;
        }
        if (c == u' ') blank = i;
        if (blank >= 0 && measure(text + start, i - start) >= width) {
            uint32_t at = static_cast<uint32_t>(blank);
            lines.push_back({start, at - start});
            start = at + 1;
            blank = -1;
            i = start;
            continue;
        }
        i++;
    }
    lines.push_back({start, length > start ? length - start : 0});
    return lines;
}

int32_t FontStyleScore(int32_t wanted, int32_t weight, bool italic, bool underline) {
    int32_t score = 0;
    if (((wanted & kStyleBold) != 0) == (weight == 700)) score++;
    if (((wanted & kStyleItalic) != 0) == italic) score++;
    if (((wanted & kStyleUnderline) != 0) == underline) score++;
    return score;
}

bool EqualsIgnoringCase(const char16_t *a, const char16_t *b) {
    if (!a || !b) return a == b;
    for (; *a && *b; a++, b++) {
        if (ToAsciiLower(*a) != ToAsciiLower(*b)) return false;
    }
    return *a == *b;
}

cFontCandidatePicker::cFontCandidatePicker(const char16_t *face, int32_t flags)
    : wantedFace(face ? face : u""), wantedFlags(flags) {}

bool cFontCandidatePicker::Offer(const char16_t *fullName, const char16_t *faceName, int32_t weight, bool italic,
                                 bool underline) {
    bool keep = false;
    bool matches = EqualsIgnoringCase(wantedFace.c_str(), fullName) || EqualsIgnoringCase(wantedFace.c_str(), faceName);
    if (count == 0) {
        keep = true;
    } else if (matches) {
        // The kept one is of another face until a candidate of the wanted face
        // was kept; among those of the wanted face the style decides.
        if (!bestMatches) {
            keep = true;
        } else {
            keep = FontStyleScore(wantedFlags, weight, italic, underline) >
                   FontStyleScore(wantedFlags, bestWeight, bestItalic, bestUnderline);
        }
    }
    if (keep) {
        bestFace.assign(fullName ? fullName : u"");
        if (bestFace.size() > 64) bestFace.resize(64);
        bestWeight = weight;
        bestItalic = italic;
        bestUnderline = underline;
        bestMatches = matches;
    }
    count++;
    return keep;
}
