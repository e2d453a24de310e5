// The arithmetic of a scrolling window, one axis at a time: where the origin
// may go, what the scroll bar shows, how far one scroll message moves, and
// how the wheel and the command messages read.  Kept free of any window
// system so that both builds share and test it.
//
// A window shows its logical document through the origin: device pixel =
// (logical + origin) x zoom, so the origin is 0 or negative while scrolled.
// Every scroll bar has the fixed range 0 to 99; its thumb is a page percent.
#pragma once

#include <cstdint>
#include <string>

// The extent in pixels: the truncated product, or 0x7FFFFFFF when it would
// not fit 32 bits.
int32_t ScrollExtentPixels(int32_t extent, float zoom);

// The origin the window keeps: never above 0; 0 when the whole extent fits
// the client width; otherwise no further than the extent's far end allows.
int32_t ClampScrollOrigin(int32_t origin, int32_t clientPixels, float zoom, int32_t extent);

// What the scroll bar shows for a (clamped) origin: page percent and thumb
// position.  Page 100 and position 0 when everything fits or the extent is 0.
struct sScrollBarInfo {
    int32_t page = 100;
    int32_t pos = 0;
    bool operator==(const sScrollBarInfo &o) const { return page == o.page && pos == o.pos; }
};
sScrollBarInfo ScrollBarInfoFor(int32_t origin, int32_t clientPixels, float zoom, int32_t extent);

// Logical units of one line (a fifth of the client) and one page (nine
// tenths of it); the division by 5 or 10 is an integer one, the zoom's a
// truncated float one.
int32_t ScrollLineStep(int32_t clientPixels, float zoom);
int32_t ScrollPageStep(int32_t clientPixels, float zoom);

// Codes of scroll messages (the same on both axes).
enum : int32_t {
    kScrollLineUp = 0, kScrollLineDown = 1, kScrollPageUp = 2, kScrollPageDown = 3,
    kScrollThumbPosition = 4, kScrollThumbTrack = 5, kScrollTop = 6, kScrollBottom = 7, kScrollEnd = 8,
};

// The origin asked for by one scroll message, before clamping.  Thumb codes
// map the position over the scrollable range (the whole extent when the page
// percent is 100 or more); "bottom" asks for the smallest 32-bit number and
// lets the clamp find the far end; an unknown code keeps the origin.
int32_t ScrollTarget(int32_t code, int32_t position, int32_t origin, int32_t clientPixels, float zoom,
                     int32_t extent, int32_t pagePercent);

// Notches of a wheel delta (the high word of WM_MOUSEWHEEL's wParam): a
// partial notch counts as one, in either direction.
int32_t WheelNotches(int16_t delta);

// The outer rectangle for a client rectangle, as the window system adjusted
// it, moved so that neither its left nor its top edge is negative.
struct sFrameEdges {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const sFrameEdges &o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
sFrameEdges ShiftFrameOnScreen(sFrameEdges adjusted);

// The log text of a WM_COMMAND (without the window's name): "Menu=" or
// "Accelerator=" (notification 0 or 1), "translating: " in translate mode,
// the item's key name (none when the owning menu does not exist), then "<"
// id ">"; any other notification "control=" code ", " id ", " handle.
std::u16string FormatCommandLog(uint32_t wParam, uintptr_t lParam, bool translating, const char16_t *keyName);
