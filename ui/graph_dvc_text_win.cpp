// Text over GDI: writing characters (y on the baseline of TrueType fonts),
// measuring texts and glyphs, selecting table fonts at the device's zoom,
// the font lookup by face and style, font files and the font dialog.
#include <vector>

#include "platform/op_sys_base.h"
#include "foundation/win32_win.h"
#include "ui/log_font_win.h"
#include "ui/graph_dvc.h"
#include "ui/win_print.h"

namespace {

// The metrics of the last MeasureChar, read by GetGlyphBox right after it.
TEXTMETRICW gLastTextMetrics{};
GLYPHMETRICS gLastGlyphMetrics{};
bool gLastGlyphValid = false;

bool IsTrueType(const TEXTMETRICW &tm) { return (tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0; }

// The cell box of a character in the font selected into dc, in pixels:
// (0, -ascent) for TrueType fonts, so that y is the baseline; (0, 0) else.
cRectangl MeasureCharIn(HDC dc, char16_t c) {
    wchar_t wc = static_cast<wchar_t>(c);
    SIZE size{};
    GetTextExtentPoint32W(dc, &wc, 1, &size);
    cRectangl box(0, 0, size.cx, size.cy);
    gLastGlyphValid = false;
    GetTextMetricsW(dc, &gLastTextMetrics);
    if (!IsTrueType(gLastTextMetrics)) return box;
    box.Set(0, -gLastTextMetrics.tmAscent);
    if (GetOutlineTextMetricsW(dc, 0, nullptr) == 0 && gOpSys) {
        uint32_t mode = gOpSys->SetErrorMode(2);
        gOpSys->ShowLastError(u"TextMetrics");
        gOpSys->SetErrorMode(mode);
    }
    MAT2 identity{};
    identity.eM11.value = 1;
    identity.eM22.value = 1;
    DWORD need = GetGlyphOutlineW(dc, c, GGO_BITMAP, &gLastGlyphMetrics, 0, nullptr, &identity);
    if (need != GDI_ERROR) {
        std::vector<uint8_t> buffer((need + 3) & ~3u);
        GetGlyphOutlineW(dc, c, GGO_BITMAP, &gLastGlyphMetrics, static_cast<DWORD>(buffer.size()),
                         buffer.empty() ? nullptr : buffer.data(), &identity);
        gLastGlyphValid = true;
        box.Set(gLastGlyphMetrics.gmptGlyphOrigin.x, -gLastTextMetrics.tmAscent);
    }
    return box;
}

struct sFontSearch {
    cFontCandidatePicker picker;
    ENUMLOGFONTW best{};
    TEXTMETRICW bestMetric{};
};

int CALLBACK FontEnumProc(const LOGFONTW *font, const TEXTMETRICW *metric, DWORD, LPARAM data) {
    auto *search = reinterpret_cast<sFontSearch *>(data);
    const auto *info = reinterpret_cast<const ENUMLOGFONTW *>(font);
    std::u16string fullName(U(info->elfFullName));
    if (search->picker.Offer(fullName.c_str(), U(info->elfLogFont.lfFaceName), info->elfLogFont.lfWeight,
                             info->elfLogFont.lfItalic != 0, info->elfLogFont.lfUnderline != 0)) {
        search->best = *info;
        search->bestMetric = *metric;
    }
    return search->picker.Count();
}

}  // namespace

int32_t cGraphDvc::PutChar(char16_t c) {
    if (ReadyToMark() != RC_OK) return 1;
    sDevicePoint p = TextRulePoint(View(), penX, penY);
    wchar_t wc = static_cast<wchar_t>(c);
    TextOutW(deviceContext, p.x, p.y, &wc, 1);
    return 1;
}

tStatus cGraphDvc::DrawChars(const char16_t *text, uint32_t n, int32_t x, int32_t y, uint16_t font) {
    if (tStatus ready = ReadyToMark(); ready != RC_OK) return ready;
    uint16_t previous = SelectFont(font);
    sDevicePoint p = TextRulePoint(View(), x, y);
    if (n > 0 && text) p.y += MeasureCharIn(deviceContext, text[0]).y;
    TextOutW(deviceContext, p.x, p.y, W(text ? text : u""), static_cast<int>(n));
    SelectFontScaled(previous, 1.0f);
    return RC_OK;
}

tStatus cGraphDvc::DrawTextAt(const char16_t *text, int32_t x, int32_t y, uint16_t font) {
    return DrawChars(text, TextLength(text), x, y, font);
}

// The extent of n characters in a table font at scale 1.0, with the held
// context or one taken for the call; false (and "No Device Context")
// without any.
static bool TextExtent(cGraphDvc &device, const char16_t *text, uint32_t n, uint16_t font, SIZE &size) {
    cGraphDvc::cTakenDC taken(device, true);
    HDC dc = device.GetHeldDC();
    if (!dc) {
        ReportNoDeviceContext();
        return false;
    }
    uint16_t previous = device.SelectFontScaled(font, 1.0f);
    GetTextExtentPoint32W(dc, W(text ? text : u""), static_cast<int>(n), &size);
    device.SelectFontScaled(previous, 1.0f);
    return true;
}

int32_t cGraphDvc::GetTextWidthN(const char16_t *text, uint32_t n, uint16_t font) {
    SIZE size{};
    return TextExtent(*this, text, n, font, size) ? size.cx : static_cast<int32_t>(n * 10);
}

int32_t cGraphDvc::GetTextHeightN(const char16_t *text, uint32_t n, uint16_t font) {
    SIZE size{};
    return TextExtent(*this, text, n, font, size) ? size.cy : 20;
}

cRectangl *cGraphDvc::GetGlyphBox(char16_t c, uint16_t font) {
    cRectangl *box = cGraphDvcBase::GetGlyphBox(c, font);
    cTakenDC taken(*this, true);
    if (!deviceContext) return box;
    uint16_t previous = SelectFontScaled(font, 1.0f);
    MeasureCharIn(deviceContext, c);
    if (IsTrueType(gLastTextMetrics) && gLastGlyphValid) {
        box->Set(gLastGlyphMetrics.gmptGlyphOrigin.x, -gLastGlyphMetrics.gmptGlyphOrigin.y);
        box->SetSize(static_cast<int32_t>(gLastGlyphMetrics.gmBlackBoxX),
                     static_cast<int32_t>(gLastGlyphMetrics.gmBlackBoxY));
    }
    SelectFontScaled(previous, 1.0f);
    return box;
}

cRectangl *cGraphDvc::GetCharBox(char16_t c, uint16_t font) {
    cRectangl *glyph = GetGlyphBox(c, font);
    cTakenDC taken(*this, true);
    if (!deviceContext) return glyph;
    uint16_t previous = SelectFontScaled(font, 1.0f);
    cRectangl cell = MeasureCharIn(deviceContext, c);
    SelectFontScaled(previous, 1.0f);
    cRectangl *box = cRectangl::Temp(0, 0, 0, 0);
    box->Assign(cell);
    return box;
}

uint16_t cGraphDvc::SelectFontScaled(uint16_t index, float scale) {
    uint16_t previous = cGraphDvcBase::SelectFontScaled(index, scale);
    if (IsDisplayDevice() && currentFont != kFontNone && deviceContext) {
        cFontTable::SelectIntoDC(deviceContext, GetScaledFont(currentFont, scale));
    }
    return previous;
}

uint16_t cGraphDvc::AddFont(cGraphDvcFontBase *font) {
    uint16_t index = cFontTable::Append(font);
    if (index == kFontNone) return index;
    cTakenDC taken(*this, true);
    if (!deviceContext) return index;
    cFontTable::SelectIntoDC(deviceContext, index);
    // The metrics of the added font, read while it is the selected one.
    TEXTMETRICW tm{};
    if (GetTextMetricsW(deviceContext, &tm)) {
        cGraphDvcFontBase *added = cFontTable::GetFont(index);
        added->SetCharRange(tm.tmFirstChar, tm.tmLastChar);
        if (auto *gdiFont = dynamic_cast<cGraphDvcFont *>(added)) gdiFont->SetPitchAndFamily(tm.tmPitchAndFamily);
    }
    cFontTable::SelectIntoDC(deviceContext, currentFont);
    return index;
}

tStatus cGraphDvc::ReadFontTable(cBinaryFileBase &file) {
    tStatus result = cFontTable::Read(file);
    // Selecting each font once refreshes its character box and range.
    int32_t n = cFontTable::GetCount();
    for (int32_t i = 0; i < n; i++) GetCharBox(u'M', static_cast<uint16_t>(i));
    return result;
}

uint16_t cGraphDvc::FindFont(const char16_t *face, int16_t height, int16_t flags) {
    if (TextLength(face) >= 32) return kFontNone;
    sFontSearch search{cFontCandidatePicker(face, flags)};
    {
        cTakenDC taken(*this, true);
        if (!deviceContext) return kFontNone;
        EnumFontFamiliesW(deviceContext, W(face), FontEnumProc, reinterpret_cast<LPARAM>(&search));
        if (!search.picker.HasCandidate())
            EnumFontFamiliesW(deviceContext, nullptr, FontEnumProc, reinterpret_cast<LPARAM>(&search));
    }
    if (!search.picker.HasCandidate()) return kFontNone;
    LOGFONTW lf = search.best.elfLogFont;
    lf.lfHeight = height;
    auto *font = new cGraphDvcFont();
    font->SetFromLogFont(search.picker.BestFace().c_str(), FromLogFontW(lf));
    return FindOrAddFont(font);
}

tStatus cGraphDvc::AddFontFile(const char16_t *path) {
    if (!path || AddFontResourceW(W(path)) == 0) {
        if (gOpSys) gOpSys->ShowLastError(path);
        return RC_FAIL;
    }
    // The exact path added is the one removed at exit.
    if (gOpSys) gOpSys->SetAddedFontFile(path);
    return RC_OK;
}

uint16_t cGraphDvc::ChooseFontDialog(uint16_t index) {
    auto *font = new cGraphDvcFont();
    LOGFONTW lf = ToLogFontW(font->LogFont());
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = GetWindowHandle();
    HDC printer = GetPrinterInfoDC();
    choose.hDC = printer;
    choose.lpLogFont = &lf;
    choose.Flags = CF_SCREENFONTS | CF_FORCEFONTEXIST | CF_SCALABLEONLY;
    choose.nFontType = SCREEN_FONTTYPE;
    if (auto *current = dynamic_cast<cGraphDvcFont *>(cFontTable::GetFont(index))) {
        lf = ToLogFontW(current->LogFont());
        choose.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (printer) {
        choose.Flags |= CF_BOTH | CF_WYSIWYG;
        choose.nFontType = 0x6000;
    }
    uint16_t answer = kFontNone;
    if (ChooseFontW(&choose)) {
        font->SetFromLogFont(nullptr, FromLogFontW(lf));
        answer = FindOrAddFont(font);
    } else {
        delete font;
    }
    if (printer) DeleteDC(printer);
    return answer;
}
