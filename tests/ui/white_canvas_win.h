// A white 32-bit top-down picture selected into a memory context, for tests
// that draw with GDI and read the result back pixel by pixel.
#pragma once

#include <cstdint>
#include <utility>

#include "foundation/win32_win.h"

namespace test {

class cWhiteCanvas {
public:
    cWhiteCanvas(int canvasWidth, int canvasHeight) : width(canvasWidth), height(canvasHeight) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void *pixels = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = static_cast<uint32_t *>(pixels);
        previous = SelectObject(dc, bitmap);
        if (bits)
            for (int i = 0; i < width * height; i++) bits[i] = 0xFFFFFF;
    }
    virtual ~cWhiteCanvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    cWhiteCanvas(const cWhiteCanvas &) = delete;
    cWhiteCanvas &operator=(const cWhiteCanvas &) = delete;

    HDC Dc() const { return dc; }
    bool Ok() const { return bits != nullptr; }
    int Width() const { return width; }
    int Height() const { return height; }

    // The pixels as GDI left them, 0x00RRGGBB, rows top down.
    const uint32_t *Pixels() const {
        GdiFlush();
        return bits;
    }
    uint32_t At(int x, int y) const { return Pixels()[y * width + x] & 0xFFFFFF; }
    // Every channel below half: black or a dark colour.  False outside.
    // The counts below use this rule.
    virtual bool Dark(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        uint32_t p = At(x, y);
        return ((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80;
    }
    // Dark pixels in the rectangle x0..x1, y0..y1 (edges included).
    int DarkIn(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += Dark(x, y) ? 1 : 0;
        return n;
    }
    // Rows of the first and last dark pixel within columns x0..x1; -1 when none.
    std::pair<int, int> DarkRows(int x0, int x1) const {
        int top = -1, bottom = -1;
        for (int y = 0; y < height; y++)
            for (int x = x0; x <= x1; x++)
                if (Dark(x, y)) {
                    if (top < 0) top = y;
                    bottom = y;
                }
        return {top, bottom};
    }
    bool SameAs(const cWhiteCanvas &other) const {
        if (other.width != width || other.height != height) return false;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x, y) != other.At(x, y)) return false;
        return true;
    }

private:
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t *bits = nullptr;
};

}  // namespace test
