// The arithmetic of the drawing devices: how logical units become device
// pixels (each primitive family rounds its own way), the clip outcodes, pen
// widths and styles, the geometry of thick lines and arcs, wrapping a text
// into lines and scoring font candidates.  Kept free of any window system so
// that both builds share and test it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/base_defs.h"

// Origin, zoom and orientation of a device: what every conversion needs.
struct sDeviceView {
    int32_t originX = 0;
    int32_t originY = 0;
    float zoomX = 1.0f;
    float zoomY = 1.0f;
    bool topDown = true;
};

struct sDevicePoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const sDevicePoint &o) const { return x == o.x && y == o.y; }
};

struct sDeviceBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const sDeviceBox &o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// floor(v + 0.5) as a 32-bit integer.
int32_t RoundHalfUp(double v);

// Pen rule (lines, pen moves): x * s + ox * zx rounded half up; y alike with
// oy * zy.  Every y of every rule is negated after rounding when the device
// is not top-down.
sDevicePoint PenRulePoint(const sDeviceView &v, int32_t x, int32_t y, float scale);
// Area rule (boxes, pixels, arcs, zoomed bitmaps): x truncated toward zero,
// y rounded half up.
int32_t AreaRuleX(const sDeviceView &v, int32_t x);
int32_t AreaRuleY(const sDeviceView &v, int32_t y);
sDevicePoint AreaRulePoint(const sDeviceView &v, int32_t x, int32_t y);
sDeviceBox AreaRuleBox(const sDeviceView &v, int32_t x, int32_t y, int32_t w, int32_t h);
// Text rule: both axes rounded half up after adding the origin.
sDevicePoint TextRulePoint(const sDeviceView &v, int32_t x, int32_t y);
// Caret rule: the caret's top-left pixel; y is the caret's bottom in logical units.
sDevicePoint CaretRulePoint(const sDeviceView &v, int32_t x, int32_t y, int32_t caretHeight);
int32_t CaretPixelHeight(const sDeviceView &v, int32_t caretHeight);
// Mouse rule (SetMousePos): the y is negated before converting on a device
// that is not top-down, and the result is not negated afterwards.
sDevicePoint MouseRulePoint(const sDeviceView &v, int32_t x, int32_t y);
// Pixels back to logical units, per axis.
int32_t PixelToLogical(int32_t pixel, float zoom, int32_t origin);

// Clip outcodes of the device (not those of cRectangl::TestPoint): the first
// side that holds, tested below, above, right, left.
constexpr tStatus kClipBelow = static_cast<tStatus>(0x80000008u);
constexpr tStatus kClipAbove = static_cast<tStatus>(0x80000004u);
constexpr tStatus kClipRight = static_cast<tStatus>(0x80000002u);
constexpr tStatus kClipLeft = static_cast<tStatus>(0x80000001u);
tStatus ClipCode(const sDeviceView &v, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 int32_t width, int32_t height);

// Line styles: 0 none, 1 solid, 3 dotted, any other dashed; the answer is the
// GDI pen style code for the low four bits of a pen style.
uint32_t PenStyleCode(int32_t lineStyle);
constexpr uint32_t kFirstPenStyle = 0x10200;   // geometric, flat end caps
constexpr uint32_t kSecondPenStyle = 0x11200;  // geometric, bevel joins, flat end caps
// Pixel width of the pens for a logical line width at the given zoom.
int32_t PenPixelWidth(int32_t lineWidth, float zoomX, float zoomY);

// What DrawLineScaled hands to GDI: a move and a LineTo (thin, horizontal or
// vertical lines) or a four-point polyline drawn with the second pen.
struct sLinePlan {
    bool empty = false;     // equal end points: nothing is drawn
    bool polyline = false;
    sDevicePoint points[4];  // move-to and line-to in [0], [1]; or the polyline
};
sLinePlan PlanLine(const sDeviceView &v, int32_t x1, int32_t y1, int32_t x2, int32_t y2, float scale,
                   int32_t penPixelWidth);

// What DrawArc hands to GDI: the bounding box and the start and end points.
struct sArcPlan {
    sDeviceBox box;
    sDevicePoint start;
    sDevicePoint end;
};
sArcPlan PlanArc(const sDeviceView &v, int32_t x, int32_t y, int32_t w, int32_t h, int32_t x1, int32_t y1,
                 int32_t x2, int32_t y2);

// Where a bitmap of w x h lands: position and size in device pixels.  At
// zoom 1 on both axes it is only moved by the origin.
struct sBlitPlan {
    bool stretch = false;
    int32_t x = 0, y = 0, width = 0, height = 0;
};
sBlitPlan PlanBitmap(const sDeviceView &v, int32_t x, int32_t y, int32_t w, int32_t h);

// One line of a wrapped text: its first character and its length.
struct sTextLine {
    uint32_t start = 0;
    uint32_t length = 0;
    bool operator==(const sTextLine &o) const { return start == o.start && length == o.length; }
};
// Wraps a zero-ended text at blanks (the blank is dropped) once the width of
// the characters from the line start up to the scanned one reaches the width,
// and at line feeds; a word longer than the width keeps its own line.
// measure(text, n) answers the width of n characters.
using tMeasureText = std::function<int32_t(const char16_t *text, uint32_t n)>;
std::vector<sTextLine> WrapTextLines(const char16_t *text, int32_t width, const tMeasureText &measure);

// Font lookup by face and style: the first candidate is always kept; a later
// one counts only when the wanted face equals its full name or face name
// (ignoring case); it replaces a kept candidate of another face, and one of
// the wanted face only with a strictly better style score.
constexpr int32_t kStyleBold = 1;
constexpr int32_t kStyleUnderline = 2;
constexpr int32_t kStyleItalic = 4;
constexpr int32_t kStyleC = 8;
int32_t FontStyleScore(int32_t wantedFlags, int32_t weight, bool italic, bool underline);

class cFontCandidatePicker {
public:
    cFontCandidatePicker(const char16_t *wantedFace, int32_t wantedFlags);
    // Offers one enumerated font; answers true when it became the kept one.
    bool Offer(const char16_t *fullName, const char16_t *faceName, int32_t weight, bool italic, bool underline);
    bool HasCandidate() const { return count > 0; }
    // The kept candidate's full name (at most 64 characters).
    const std::u16string &BestFace() const { return bestFace; }
    int32_t Count() const { return count; }

private:
    std::u16string wantedFace;
    int32_t wantedFlags;
    std::u16string bestFace;
    int32_t bestWeight = 0;
    bool bestItalic = false;
    bool bestUnderline = false;
    bool bestMatches = false;
    int32_t count = 0;
};

bool EqualsIgnoringCase(const char16_t *a, const char16_t *b);
