#include "ui/graph_dvc.h"

#include "platform/op_sys_base.h"

PELMORA_ERROR_TABLE(kGraphDvcWinErrors, u"GraphDvcWin", u"No window handle", u"No Device Context",
                    u"Invalid object", u"Bitmap", u"LoadLibrary", u"No help file", u"Can't run help");

const uint32_t gBitmapRasterOps[4] = {0x00CC0020, 0x008800C6, 0x00EE0086, 0x00660046};

void ReportNoWindowHandle() { RaiseError(&kGraphDvcWinErrors, 0); }
void ReportNoDeviceContext() { RaiseError(&kGraphDvcWinErrors, 1); }
void ReportBitmapError() { RaiseError(&kGraphDvcWinErrors, 3); }

void ReportGdiFailure() {
    if (gOpSys) {
        // The OS error goes to the log only; the report below is the one the user may see.
        uint32_t mode = gOpSys->SetErrorMode(2);
        gOpSys->ShowLastError(nullptr);
        gOpSys->SetErrorMode(mode);
    }
    RaiseError(&kGraphDvcWinErrors, 2);
}

cGraphDvc::cGraphDvc(const char16_t *text) : cGraphDvcBase(text), rasterOp(gBitmapRasterOps[1]) {
    firstPen.style = kFirstPenStyle;
    secondPen.style = kFirstPenStyle;
    // The first graphics device makes the fallback font, entry 0 of the table.
    if (!gStockFont) {
        gStockFont = NewStockFont();
        if (AddFont(gStockFont) == kFontNone) gStockFont = nullptr;  // deleted by the table
    }
}

tStatus cGraphDvc::Clear() {
    EraseRect(-originX, -originY, deviceRect.Width(), deviceRect.Height());
    return cGraphDvcBase::Clear();
}

int32_t cGraphDvc::SetBitmapMode(int32_t index) {
    int32_t old = bitmapMode;
    if (index < 0 || index > 3) return old;
    bitmapMode = index;
    rasterOp = gBitmapRasterOps[index];
    return old;
}

uint16_t cGraphDvc::FindOrAddFont(cGraphDvcFontBase *font) {
    uint16_t found = cFontTable::Find(*font);
    if (found == kFontNone) return AddFont(font);
    delete font;
    return found;
}
