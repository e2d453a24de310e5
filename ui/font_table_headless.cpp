// Fonts without a window system: descriptions only, no handles.
#include "ui/font_table.h"

tStatus cGraphDvcFont::Realize() { return RC_OK; }

void cGraphDvcFont::ReleaseHandle() {
    handle = nullptr;
    ownsHandle = false;
}

// A fixed-pitch stand-in for the system's stock font.
cGraphDvcFont *NewStockFont() {
    auto *font = new cGraphDvcFont();
    LOGFONTW lf{};
    lf.lfHeight = 12;
    lf.lfPitchAndFamily = 0x31;  // FIXED_PITCH | FF_MODERN
    font->SetFromLogFont(u"Courier", lf);
    return font;
}

HFONT cFontTable::SelectIntoDC(HDC, uint16_t) { return nullptr; }
