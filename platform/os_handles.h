// The window system's handles and message parameters as the portable code
// names them.  The handle structs are only declared: the Windows headers
// define the same structs for their strict handle types, so a tWindowHandle
// is an HWND there and _win files pass one for the other without a cast;
// everywhere else the handles stay opaque.
#pragma once

#include <cstdint>

struct HWND__;
struct HDC__;
struct HMENU__;
struct HFONT__;
struct HBITMAP__;
struct HACCEL__;
struct HINSTANCE__;
struct HICON__;
struct HPEN__;
struct HBRUSH__;

using tWindowHandle = HWND__ *;
using tDcHandle = HDC__ *;
using tMenuHandle = HMENU__ *;
using tFontHandle = HFONT__ *;
using tBitmapHandle = HBITMAP__ *;
using tAccelHandle = HACCEL__ *;
using tInstanceHandle = HINSTANCE__ *;
// Icons and cursors share one handle type in the window system.
using tIconHandle = HICON__ *;
using tPenHandle = HPEN__ *;
using tBrushHandle = HBRUSH__ *;

// The two parameters of a window message and a procedure's answer:
// pointer-sized, so that they carry an address in a 64-bit build.
using tWParam = uintptr_t;
using tLParam = intptr_t;
using tMsgResult = intptr_t;

// A colour as the window system stores one: red in the low byte, then green,
// then blue, the high byte 0.
using tColour = uint32_t;
constexpr tColour MakeColour(uint8_t red, uint8_t green, uint8_t blue) {
    return tColour(red) | tColour(green) << 8 | tColour(blue) << 16;
}
