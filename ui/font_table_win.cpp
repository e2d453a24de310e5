// The GDI half of the font classes: font handles and their metrics.
#include "foundation/win32_win.h"
#include "ui/log_font_win.h"

tStatus cGraphDvcFont::Realize() {
    if (!handle) {
        LOGFONTW lf = ToLogFontW(logFont);
        handle = CreateFontIndirectW(&lf);
        ownsHandle = handle != nullptr;
    }
    return RC_OK;
}

void cGraphDvcFont::ReleaseHandle() {
    if (handle && ownsHandle) DeleteObject(handle);
    handle = nullptr;
    ownsHandle = false;
}

cGraphDvcFont *NewStockFont() {
    auto *font = new cGraphDvcFont();
    HFONT stock = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    LOGFONTW lf{};
    if (stock) GetObjectW(stock, sizeof lf, &lf);
    font->SetFromLogFont(nullptr, FromLogFontW(lf));
    font->AdoptStockHandle(stock);
    return font;
}

HFONT cFontTable::SelectIntoDC(HDC dc, uint16_t index) {
    if (index == kFontNone) return nullptr;
    auto *font = dynamic_cast<cGraphDvcFont *>(GetFont(index));
    if (!font || !dc) return nullptr;
    font->Realize();
    HFONT previous = static_cast<HFONT>(SelectObject(dc, font->GetHandle()));
    TEXTMETRICW tm{};
    if (GetTextMetricsW(dc, &tm)) {
        font->SetCharBox(tm.tmHeight, tm.tmMaxCharWidth, -tm.tmAscent);
        font->SetCharRange(tm.tmFirstChar, tm.tmLastChar);
    }
    return previous;
}
