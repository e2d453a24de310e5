// The GDI device drawing on a memory DIB: pixels of lines, pens, bitmaps,
// fills and text, and the fonts of the table under GDI.
#include <gtest/gtest.h>

#include <memory>

#include "platform/op_sys_base.h"
#include "foundation/win32_win.h"
#include "tests/foundation/raised_errors.h"
#include "tests/support/canvas_device_win.h"
#include "ui/graph_dvc.h"
#include "tests/test_support.h"

namespace {

constexpr int kWidth = 160, kHeight = 140;
constexpr COLORREF kRed = 0x0000FF;  // COLORREF: 0x00BBGGRR
constexpr uint32_t kWhitePixel = 0xFFFFFF, kBlackPixel = 0, kRedPixel = 0xFF0000;  // DIB: 0x00RRGGBB

class GdiDevice : public testing::Test, protected test::cCanvasDevice {
protected:
    GdiDevice() : cCanvasDevice(kWidth, kHeight, u"dib") {}
    void SetUp() override { ASSERT_TRUE(OpenDevice()); }
};

TEST_F(GdiDevice, AttachReadsTheContext) {
    EXPECT_TRUE(device->IsTopDown());
    EXPECT_GT(device->GetDpi(), 0u);
    EXPECT_EQ(device->GetCurrentFont(), 0);
    EXPECT_NE(device->GetMemoryDC(), nullptr);
    // The stock font is entry 0 and keeps the system's stock handle.
    ASSERT_NE(gStockFont, nullptr);
    EXPECT_EQ(gStockFont->GetHandle(), GetStockObject(ANSI_FIXED_FONT));
    EXPECT_EQ(cFontTable::GetFont(0), gStockFont);
}

TEST_F(GdiDevice, LineWidthsInPixels) {
    device->DrawLine(10, 30, 40, 30);  // 1 pixel, end point included
    EXPECT_EQ(canvas.At(10, 30), kBlackPixel);
    EXPECT_EQ(canvas.At(40, 30), kBlackPixel);
    EXPECT_EQ(canvas.At(41, 30), kWhitePixel);
    EXPECT_EQ(canvas.At(25, 29), kWhitePixel);
    EXPECT_EQ(canvas.At(25, 31), kWhitePixel);

    EXPECT_EQ(device->SetLineWidth(3), 1);
    EXPECT_EQ(device->FirstPen().width, 3);
    device->DrawLine(10, 20, 40, 20);
    for (int y : {19, 20, 21}) EXPECT_EQ(canvas.At(25, y), kBlackPixel) << y;
    EXPECT_EQ(canvas.At(25, 18), kWhitePixel);
    EXPECT_EQ(canvas.At(25, 22), kWhitePixel);
    EXPECT_EQ(canvas.At(10, 20), kBlackPixel);
    EXPECT_EQ(canvas.At(9, 20), kWhitePixel);
    EXPECT_EQ(canvas.At(43, 20), kWhitePixel);

    // A thick slanted line is filled along its way.
    device->DrawLine(60, 10, 90, 40);
    EXPECT_EQ(canvas.At(75, 25), kBlackPixel);

    // The pens follow the zoom: the smaller zoom rounded, times the width.
    device->SetLineWidth(2);
    device->SetZoomX(1.6f);
    device->SetZoomY(2.4f);
    EXPECT_EQ(device->FirstPen().width, 4);
    EXPECT_EQ(device->SecondPen().width, 4);
}

TEST_F(GdiDevice, DottedAndInvisibleLines) {
    EXPECT_EQ(device->SetLineStyle(3), 1);
    EXPECT_EQ(device->SetLineStyle(3), 3);  // unchanged: nothing rebuilt
    device->DrawLine(10, 50, 90, 50);
    int dark = 0, light = 0;
    for (int x = 10; x <= 90; x++) (canvas.At(x, 50) == kBlackPixel ? dark : light)++;
    EXPECT_GT(dark, 10);
    EXPECT_GT(light, 10);
    device->SetLineStyle(0);
    device->DrawLine(10, 60, 90, 60);
    for (int x = 5; x <= 95; x++) EXPECT_EQ(canvas.At(x, 60), kWhitePixel) << x;
}

TEST_F(GdiDevice, ZoomedBitmapBlock) {
    BYTE zeros[2 * 10] = {};  // a black monochrome 10 x 10 bitmap (rows of 16 bits)
    HBITMAP block = CreateBitmap(10, 10, 1, 1, zeros);
    device->SetZoomX(2.0f);
    device->SetZoomY(2.0f);
    ASSERT_EQ(device->DrawBitmap(block, 1, 1, 10, 10), RC_OK);
    EXPECT_EQ(canvas.At(2, 2), kBlackPixel);
    EXPECT_EQ(canvas.At(21, 21), kBlackPixel);
    EXPECT_EQ(canvas.At(1, 1), kWhitePixel);
    EXPECT_EQ(canvas.At(22, 22), kWhitePixel);
    EXPECT_EQ(canvas.At(22, 10), kWhitePixel);
    // The bitmap colour stands in for the text colour during the blit.
    device->SetBitmapColour(kRed);
    device->SetZoomX(1.0f);
    device->SetZoomY(1.0f);
    device->SetOrigin(5, 0);
    device->DrawBitmap(block, 40, 40, 10, 10);
    EXPECT_EQ(canvas.At(45, 40), kRedPixel);
    EXPECT_EQ(canvas.At(54, 49), kRedPixel);
    EXPECT_EQ(canvas.At(44, 45), kWhitePixel);
    EXPECT_EQ(device->FreeBitmap(block), RC_OK);
}

TEST_F(GdiDevice, FillRectIgnoresOriginAndZoom) {
    device->SetZoomX(2.0f);
    device->SetZoomY(2.0f);
    device->SetOrigin(3, 3);
    EXPECT_FALSE(device->IsDirty());
    device->FillRect(5, 5, 10, 10, kRed);
    EXPECT_FALSE(device->IsDirty());  // filling does not mark the page
    EXPECT_EQ(canvas.At(5, 5), kRedPixel);
    EXPECT_EQ(canvas.At(14, 14), kRedPixel);
    EXPECT_EQ(canvas.At(15, 15), kWhitePixel);
    EXPECT_EQ(canvas.At(4, 4), kWhitePixel);
}

TEST_F(GdiDevice, ShapesAndModes) {
    device->DrawEllipse(0, 0, 9, 9);
    EXPECT_EQ(canvas.At(4, 0), kBlackPixel);
    EXPECT_EQ(canvas.At(4, 4), kWhitePixel);
    device->FillEllipse(100, 100, 20, 20);
    EXPECT_EQ(canvas.At(110, 110), kBlackPixel);
    device->EraseRect(100, 100, 20, 20);
    EXPECT_EQ(canvas.At(110, 110), kWhitePixel);
    device->DrawPoint(50, 120);
    EXPECT_EQ(canvas.At(50, 120), 0x010000u);  // the point's colour 0x000001
    EXPECT_EQ(device->SetBackgroundMode(2), 0);
    EXPECT_EQ(device->SetBackgroundMode(2), 2);
    EXPECT_EQ(device->SetBackgroundMode(0), 2);
}

TEST_F(GdiDevice, TrueTypeTextSitsOnItsBaseline) {
    uint16_t font = device->FindFont(u"DejaVu Sans", -20, 0);
    ASSERT_NE(font, kFontNone);
    auto *gdiFont = dynamic_cast<cGraphDvcFont *>(cFontTable::GetFont(font));
    ASSERT_NE(gdiFont, nullptr);
    ASSERT_TRUE(gdiFont->GetPitchAndFamily() & TMPF_TRUETYPE);
    device->SetBackgroundMode(2);
    device->DrawChars(u"H", 1, 10, 60, font);
    auto rows = canvas.DarkRows(10, 40);
    EXPECT_EQ(rows.second, 59);  // the ink of "H" ends on the row above the baseline
    EXPECT_LT(rows.first, 50);
    EXPECT_EQ(device->GetCurrentFont(), 0);  // the previous font is selected again

    // Measures are in unzoomed units, whatever the zoom.
    int32_t one = device->GetTextWidthN(u"H", 1, font);
    EXPECT_GT(one, 5);
    EXPECT_EQ(device->GetTextWidth(u"HHHH", font), 4 * one);
    int32_t height = device->GetTextHeightN(u"H", 1, font);
    EXPECT_GE(height, 20);
    device->SetZoomX(2.0f);
    device->SetZoomY(2.0f);
    EXPECT_EQ(device->GetTextWidthN(u"H", 1, font), one);
    EXPECT_EQ(device->GetTextHeight(u"H", font), height);
    cRectangl cell = *device->GetCharBox(u'H', font);
    EXPECT_LT(cell.y, -10);  // minus the ascent
    EXPECT_EQ(cell.Height(), height);
    cRectangl glyph = *device->GetGlyphBox(u'H', font);
    EXPECT_GT(glyph.Width(), 5);
    EXPECT_LT(glyph.Width(), one);
    EXPECT_LT(glyph.y, -10);
}

TEST_F(GdiDevice, TextOfTheStockFontStartsWhereItsCellSays) {
    // TrueType cells start at minus the ascent, raster cells at 0.
    cRectangl cell = *device->GetCharBox(u'H', 0);
    device->DrawChars(u"H", 1, 10, 100, 0);
    auto rows = canvas.DarkRows(10, 30);
    ASSERT_GE(rows.first, 0);
    EXPECT_GE(rows.first, 100 + cell.y);
    EXPECT_LT(rows.second, 100 + cell.y + cell.Height());
}

TEST_F(GdiDevice, WrappedTextLines) {
    uint16_t font = device->FindFont(u"DejaVu Sans", -12, 0);
    device->SetDefaultFont(font);
    int32_t line = device->GetTextHeightN(u"a", 1, font);
    int32_t last = device->DrawTextLines(2, 20, 1000, 0, u"first\nsecond");
    EXPECT_EQ(last, 20 + line);
    EXPECT_GT(canvas.DarkRows(0, kWidth - 1).second, 20 + line / 2);
}

// The metrics GDI gives for a font's handle.
TEXTMETRICW MetricsOf(HDC dc, cGraphDvcFont &font) {
    font.Realize();
    HGDIOBJ previous = SelectObject(dc, font.GetHandle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, previous);
    return tm;
}

TEST_F(GdiDevice, AddedFontsKeepTheirOwnMetrics) {
    auto *font = new cGraphDvcFont();
    font->SetFace(u"DejaVu Sans", -16, 0);
    TEXTMETRICW own = MetricsOf(canvas.Dc(), *font);
    TEXTMETRICW current = MetricsOf(canvas.Dc(), *gStockFont);
    ASSERT_NE(own.tmPitchAndFamily, current.tmPitchAndFamily);  // else the test proves nothing
    ASSERT_EQ(device->GetCurrentFont(), 0);
    uint16_t index = device->AddFont(font);
    ASSERT_NE(index, kFontNone);
    EXPECT_EQ(font->GetPitchAndFamily(), own.tmPitchAndFamily);
    EXPECT_EQ(font->GetFirstChar(), own.tmFirstChar);
    EXPECT_EQ(font->GetLastChar(), own.tmLastChar);
}

TEST_F(GdiDevice, FontLookups) {
    EXPECT_EQ(device->FindFont(std::u16string(32, u'x').c_str(), -10, 0), kFontNone);
    // A face that is not installed still finds some family.
    uint16_t any = device->FindFont(u"No Such Face Here", -10, 0);
    ASSERT_NE(any, kFontNone);
    EXPECT_FALSE(EqualsIgnoringCase(cFontTable::GetFont(any)->GetFace(), u"No Such Face Here"));
    // Found again from the table, not added twice.
    int32_t count = cFontTable::GetCount();
    EXPECT_EQ(device->FindFont(u"No Such Face Here", -10, 0), any);
    EXPECT_EQ(cFontTable::GetCount(), count);
}

struct sFaceSearch {
    const char16_t *face;
    bool found;
};

int CALLBACK NoteFaceNamed(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM data) {
    auto *search = reinterpret_cast<sFaceSearch *>(data);
    const auto *info = reinterpret_cast<const ENUMLOGFONTEXW *>(font);
    if (EqualsIgnoringCase(reinterpret_cast<const char16_t *>(info->elfFullName), search->face)) search->found = true;
    return 1;
}

// Whether a font whose own name is the face is installed, asked of the
// system directly.
bool IsFaceInstalled(HDC dc, const char16_t *face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    for (size_t i = 0; face[i] && i + 1 < LF_FACESIZE; ++i) wanted.lfFaceName[i] = wchar_t(face[i]);
    sFaceSearch search{face, false};
    EnumFontFamiliesExW(dc, &wanted, NoteFaceNamed, reinterpret_cast<LPARAM>(&search), 0);
    return search.found;
}

TEST_F(GdiDevice, AFontOfCellHeightIsReplacedByArialOrTimesOnlyWhenInstalled) {
    // The lookups answer some family even for a face that is missing, so the
    // replacement must be the installed face itself, else the font stays.
    const char16_t *replacement = nullptr;
    for (const char16_t *face : {u"arial", u"times"})
        if (!replacement && IsFaceInstalled(canvas.Dc(), face)) replacement = face;
    SCOPED_TRACE(replacement ? "a replacement is installed" : "no replacement is installed");
    uint16_t cell = device->FindFont(u"DejaVu Sans", 14, 0);
    ASSERT_NE(cell, kFontNone);
    uint16_t usable = device->GetUsableFont(cell);
    if (!replacement) {
        EXPECT_EQ(usable, cell);
    } else {
        ASSERT_NE(usable, cell);
        EXPECT_TRUE(EqualsIgnoringCase(cFontTable::GetFont(usable)->GetFace(), replacement));
        EXPECT_EQ(cFontTable::GetFont(usable)->GetHeight(), -13);
    }
    // A character height is usable as it is; no font at all gives the default.
    uint16_t character = device->FindFont(u"DejaVu Sans", -14, 0);
    ASSERT_NE(character, kFontNone);
    EXPECT_EQ(device->GetUsableFont(character), character);
    EXPECT_EQ(device->GetUsableFont(kFontNone), device->GetDefaultFont());
}

TEST(GdiFonts, ACopyDoesNotDeleteTheHandleItShares) {
    cGraphDvc device(u"fonts");
    auto original = std::make_unique<cGraphDvcFont>();
    original->SetFace(u"DejaVu Sans", -11, 0);
    original->Realize();
    HFONT handle = original->GetHandle();
    ASSERT_NE(handle, nullptr);
    {
        cGraphDvcFont copy;
        copy.CopyFrom(*original);
        EXPECT_EQ(copy.GetHandle(), handle);
    }
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_FONT));
    original.reset();
    EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(GdiFonts, AFontFileMakesItsFaceAvailable) {
    cGraphDvc device(u"fonts");
    const char16_t *face = u"PelmoraMusic5a";
    uint16_t before = device.FindFont(face, -24, 0);
    ASSERT_NE(before, kFontNone);
    EXPECT_FALSE(EqualsIgnoringCase(cFontTable::GetFont(before)->GetFace(), face));
    ASSERT_EQ(device.AddFontFile(test::SourcePath("resources/pelmora_5a.ttf").c_str()), RC_OK);
    uint16_t after = device.FindFont(face, -24, 0);
    ASSERT_NE(after, kFontNone);
    sFontInfo info;
    cFontTable::GetInfo(after, info);
    EXPECT_TRUE(EqualsIgnoringCase(info.face, face));
    EXPECT_EQ(info.height, -24);
    // The program removes exactly that path at exit.
    EXPECT_EQ(gOpSys->GetAddedFontFile(), test::SourcePath("resources/pelmora_5a.ttf"));
    EXPECT_EQ(gOpSys->RemoveAddedFontFile(), RC_OK);

    test::RaisedErrors errors;
    EXPECT_EQ(device.AddFontFile(u"Z:\\no\\such\\font.ttf"), RC_FAIL);
}

}  // namespace
