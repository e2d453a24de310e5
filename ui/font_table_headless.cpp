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
    sLogFont lf{};
    lf.height = 12;
    lf.pitchAndFamily = 0x31;  // FIXED_PITCH | FF_MODERN
    font->SetFromLogFont(u"Courier", lf);
    return font;
}

tFontHandle cFontTable::SelectIntoDC(tDcHandle, uint16_t) { return nullptr; }
