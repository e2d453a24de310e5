#include "ui/view_scroll.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "foundation/text_util.h"

namespace {

// A truncated value as a 32-bit number; out-of-range values saturate and a
// zoom of 0 (not a number) gives 0.
int32_t Trunc32(double v) {
    if (std::isnan(v)) return 0;
    v = std::trunc(v);
    if (v >= double(INT32_MAX)) return INT32_MAX;
    if (v <= double(INT32_MIN)) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// trunc(pixels / zoom): a pixel count in logical units.
int32_t LogicalOf(int64_t pixels, float zoom) { return Trunc32(double(pixels) / zoom); }

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

int32_t ScrollExtentPixels(int32_t extent, float zoom) {
    if (!(double(extent) < 2147483648.0 / double(zoom))) return 0x7FFFFFFF;
    return Trunc32(double(extent) * zoom);
}

int32_t ClampScrollOrigin(int32_t origin, int32_t clientPixels, float zoom, int32_t extent) {
    int32_t extentPixels = ScrollExtentPixels(extent, zoom);
    int32_t visible = LogicalOf(clientPixels, zoom);
    int32_t x = std::min(origin, 0);
    if (clientPixels >= extentPixels) return 0;
    return Clamp32(std::max<int64_t>(x, int64_t(visible) - extent));
}

sScrollBarInfo ScrollBarInfoFor(int32_t origin, int32_t clientPixels, float zoom, int32_t extent) {
    sScrollBarInfo info;
    int32_t extentPixels = ScrollExtentPixels(extent, zoom);
    if (extent == 0 || clientPixels >= extentPixels || extentPixels <= 0) return info;
    int32_t visible = LogicalOf(clientPixels, zoom);
    info.page = static_cast<int32_t>(std::min<int64_t>(int64_t(clientPixels) * 100 / extentPixels, 100));
    // The scrollable range is positive here (the client is narrower than
    // the extent); 64-bit products keep large documents from overflowing.
    int64_t range = int64_t(extent) - visible;
    info.pos = range > 0 ? Clamp32(-int64_t(origin) * (100 - info.page) / range) : 0;
    return info;
}

int32_t ScrollLineStep(int32_t clientPixels, float zoom) { return LogicalOf(clientPixels / 5, zoom); }

int32_t ScrollPageStep(int32_t clientPixels, float zoom) {
    return LogicalOf(int64_t(clientPixels) * 9 / 10, zoom);
}

int32_t ScrollTarget(int32_t code, int32_t position, int32_t origin, int32_t clientPixels, float zoom,
                     int32_t extent, int32_t pagePercent) {
    switch (code) {
    case kScrollLineUp: return Clamp32(int64_t(origin) + ScrollLineStep(clientPixels, zoom));
    case kScrollLineDown: return Clamp32(int64_t(origin) - ScrollLineStep(clientPixels, zoom));
    case kScrollPageUp: return Clamp32(int64_t(origin) + ScrollPageStep(clientPixels, zoom));
    case kScrollPageDown: return Clamp32(int64_t(origin) - ScrollPageStep(clientPixels, zoom));
    case kScrollThumbPosition:
    case kScrollThumbTrack: {
        if (pagePercent >= 100) return -extent;
        double visible = double(clientPixels) / zoom;
        return Trunc32(-(double(extent) - visible) * position / (100 - pagePercent));
    }
    case kScrollTop: return 0;
    case kScrollBottom: return INT32_MIN;
    default: return origin;
    }
}

int32_t WheelNotches(int16_t delta) {
    int32_t d = delta;
    return d >= 0 ? (d + 119) / 120 : (d - 119) / 120;
}

sFrameEdges ShiftFrameOnScreen(sFrameEdges r) {
    if (r.top < 0) {
        r.bottom -= r.top;
        r.top = 0;
    }
    if (r.left < 0) {
        r.right -= r.left;
        r.left = 0;
    }
    return r;
}

std::u16string FormatCommandLog(uint32_t wParam, uintptr_t lParam, bool translating, const char16_t *keyName) {
    uint32_t code = wParam >> 16;
    uint32_t id = wParam & 0xFFFF;
    if (code > 1) {
        return u"control=" + FormatUnsigned(code) + u", " + FormatUnsigned(id) + u", " + FormatUnsigned(lParam);
    }
    std::u16string text = code == 1 ? u"Accelerator=" : u"Menu=";
    if (translating) text += u"translating: ";
    if (keyName) text += keyName;
    return text + u"<" + FormatUnsigned(id) + u">";
}
