// The palette on a real tool window: the catalogue built on a GDI device,
// the bar attached to a docked palette window inside a test frame, painted
// by the window's own paint, and the window's pixels read back.  Every
// button shows ink, the pressed one (the sixteenth note) is inverted, and a
// disabled bar shows its pictures grey, bitmaps as well as glyphs.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/win32_win.h"
#include "notation/palette.h"
#include "tests/notation/catalogue_fixture.h"
#include "tests/support/canvas_device_win.h"
#include "tests/ui/white_canvas_win.h"
#include "ui/tool_window.h"
#include "ui/view_port.h"

namespace {

constexpr uint32_t kFrameStyle = 0x10CF0000;  // WS_OVERLAPPEDWINDOW | WS_VISIBLE
// The palette window's background 0xC0F27D as its pixels read (0xRRGGBB),
// and inverted.
constexpr uint32_t kBackground = 0x7DF2C0;
constexpr uint32_t kInvertedBackground = 0x820D3F;
constexpr uint32_t kGrey = 0xB4B4B4;
constexpr int kWindowWidth = 680;
constexpr int kWindowHeight = 80;

class PaletteWindow : public test::SymbolTest, protected test::cCanvasDevice {
protected:
    PaletteWindow() : cCanvasDevice(200, 200) {}
    void SetUp() override {
        SymbolTest::SetUp();
        ASSERT_TRUE(OpenDevice());
        cPObjBase::SetCurrentWindow(device.get());
        test::PlugInStaffStandIns();
        CreateSymbolRegistry();
        ASSERT_EQ(cPObjBase::VerifyRegistry(), 0);
    }

    // The window painted now, its client area read back.
    static void Capture(cViewPortStaticToolWin &window, test::cWhiteCanvas &into) {
        window.InvalidateAll();
        HWND handle = window.GetWindowHandle();
        UpdateWindow(handle);
        HDC dc = GetDC(handle);
        BitBlt(into.Dc(), 0, 0, into.Width(), into.Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(handle, dc);
    }
    static int Count(const test::cWhiteCanvas &canvas, const cToolBarItem &item, uint32_t colour) {
        int n = 0;
        for (int y = item.GetY(); y < item.GetY() + item.GetHeight(); ++y)
            for (int x = item.GetX(); x < item.GetX() + item.GetWidth(); ++x) n += canvas.At(x, y) == colour;
        return n;
    }
    static bool IsGlyphPicture(int16_t classId) {
        const sSymbolGlyph &g = kSymbolGlyphTable[classId - kFirstSymbolClassId];
        return g.character != 0 && !g.bitmapName;
    }
};

TEST_F(PaletteWindow, TheNotesPageShowsEveryPictureWithTheSixteenthPressed) {
    cViewPort frame(nullptr, kFrameStyle, u"Palette test");
    frame.SetFrameRect(10, 10, kWindowWidth + 40, 200);
    frame.Open();
    auto *window = new cViewPortStaticToolWin(&frame);
    window->SetFrameRect(0, 0, kWindowWidth, kWindowHeight);
    window->Open();
    ASSERT_NE(window->GetWindowHandle(), nullptr);
    cMusicToolBar bar(kPalettePages, kPalettePageCount, window);
    window->SetToolBar(&bar);
    ASSERT_EQ(bar.GetCount(), 20u);
    ASSERT_LE(bar.GetWidth(), kWindowWidth);
    ASSERT_LE(bar.GetHeight(), kWindowHeight);
    cToolBarItem *pressed = bar.GetPressedItem();
    ASSERT_NE(pressed, nullptr);
    EXPECT_EQ(dynamic_cast<cMusicToolBarItem *>(pressed)->GetClassId(), Note116::kClassId);

    test::cWhiteCanvas shown(kWindowWidth, kWindowHeight);
    Capture(*window, shown);
    for (uint32_t i = 0; i < bar.GetCount(); ++i) {
        const cToolBarItem &item = *bar.GetItems()[i];
        SCOPED_TRACE(dynamic_cast<const cMusicToolBarItem &>(item).GetClassId());
        const int area = item.GetWidth() * item.GetHeight();
        const int ink = shown.DarkIn(item.GetX(), item.GetY(), item.GetX() + item.GetWidth() - 1,
                                     item.GetY() + item.GetHeight() - 1);
        if (&item == pressed) {
            EXPECT_GT(Count(shown, item, kInvertedBackground), area / 2);
            EXPECT_EQ(Count(shown, item, kBackground), 0);
        } else {
            EXPECT_GT(ink, 0) << "the picture shows";
            EXPECT_LT(ink, area / 2);
            EXPECT_GT(Count(shown, item, kBackground), area / 2);
        }
    }
    // Right of the last button the window shows its background only.
    const int right = bar.GetWidth();
    EXPECT_EQ(shown.DarkIn(right, 0, kWindowWidth - 1, kWindowHeight - 1), 0);

    // Disabled: every picture turns grey, the font's glyphs and the
    // bitmaps alike (a bitmap's grey ink is combined with the background);
    // nothing is inverted or black.
    bar.SetEnabled(0);
    test::cWhiteCanvas grey(kWindowWidth, kWindowHeight);
    Capture(*window, grey);
    int kinds[2] = {0, 0};
    for (uint32_t i = 0; i < bar.GetCount(); ++i) {
        const cToolBarItem &item = *bar.GetItems()[i];
        const int16_t id = dynamic_cast<const cMusicToolBarItem &>(item).GetClassId();
        SCOPED_TRACE(id);
        const bool glyph = IsGlyphPicture(id);
        ++kinds[glyph];
        EXPECT_EQ(Count(grey, item, kInvertedBackground), 0);
        EXPECT_EQ(Count(grey, item, 0x000000), 0);
        EXPECT_GT(Count(grey, item, glyph ? kGrey : kGrey & kBackground), 0);
    }
    EXPECT_GT(kinds[true], 10);
    EXPECT_GT(kinds[false], 2);
}

}  // namespace
