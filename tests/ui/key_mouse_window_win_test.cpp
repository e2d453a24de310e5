// The keyboard-and-mouse window painted by GDI on a memory DIB: the program's
// own pictures land where they belong, the key field is yellow and the key's
// name is written over its key cap.
#include <gtest/gtest.h>

#include "foundation/win32_win.h"
#include "tests/ui/white_canvas_win.h"
#include "ui/key_mouse_window.h"

namespace {

constexpr int kWidth = 205, kHeight = 180;

// A picture of the program's resources, read pixel by pixel.
class cPicture {
public:
    explicit cPicture(const wchar_t *name) {
        bitmap = LoadBitmapW(GetModuleHandleW(nullptr), name);
        dc = CreateCompatibleDC(nullptr);
        if (bitmap) previous = SelectObject(dc, bitmap);
    }
    ~cPicture() {
        if (bitmap) SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    bool Loaded() const { return bitmap != nullptr; }
    // 0x00RRGGBB, as the DIB reads.
    uint32_t At(int x, int y) const {
        COLORREF c = GetPixel(dc, x, y);
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }

private:
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
};

TEST(KeyMouseWindowPainting, PicturesKeyFieldAndKeyName) {
    test::cWhiteCanvas dib(kWidth, kHeight);
    cKeyMouseWin window(nullptr, nullptr);
    gModuleInstance = GetModuleHandleW(nullptr);  // the pictures are in this program
    window.cDispDvcBase::Open();                  // a device on the DIB, no window
    window.SetDeviceContext(dib.Dc());
    ASSERT_EQ(window.Attach(), RC_OK);
    ASSERT_EQ(window.PrepareDraw(), RC_OK);
    window.SetShift(1);
    window.SetLeftButton(1);
    window.SetKeyText(u"F4");
    sWinMessage paint(WM_PAINT, 0, 0);
    EXPECT_EQ(window.OnPaint(paint), RC_OK);
    window.ReleaseDraw();

    cPicture keyboard(L"KeyboardGray150BMap"), mouse(L"MouseLeftBMap"), shift(L"KeyShiftBMap"),
        keyCap(L"KeyNoneBMap");
    ASSERT_TRUE(keyboard.Loaded() && mouse.Loaded() && shift.Loaded() && keyCap.Loaded());
    // The keyboard at (0, 91) where the key field leaves it visible.
    for (int y : {92, 100, 110, 162, 165})
        for (int x : {0, 2, 4, 147, 149}) EXPECT_EQ(dib.At(x, y), keyboard.At(x, y - 91)) << x << "," << y;
    // The mouse with its left button at (0, 0).
    for (int y : {0, 10, 30, 60, 85})
        for (int x : {0, 10, 23, 40, 45}) EXPECT_EQ(dib.At(x, y), mouse.At(x, y)) << x << "," << y;
    // The yellow key field (red 255, green 255, blue 55) around the pictures.
    for (int y : {111, 113, 158, 160}) EXPECT_EQ(dib.At(7, y), 0xFFFF37u) << y;
    EXPECT_EQ(dib.At(144, 135), 0xFFFF37u);
    // The Shift key copied at (10, 116).
    for (int y : {0, 20, 40})
        for (int x : {0, 40, 85}) EXPECT_EQ(dib.At(10 + x, 116 + y), shift.At(x, y)) << x << "," << y;
    // The key cap at (96, 116), with the key's name written over it.
    EXPECT_EQ(dib.At(96, 116), keyCap.At(0, 0));
    int written = 0;
    for (int y = 116; y < 157; ++y)
        for (int x = 105; x < 140; ++x)
            if (dib.At(x, y) != keyCap.At(x - 96, y - 116)) ++written;
    EXPECT_GT(written, 20);
}

}  // namespace
