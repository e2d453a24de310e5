#include "ui/print_recorder.h"

#include <cstdio>

#include "foundation/file_io.h"
#include "foundation/text_util.h"

void cRecordingPrintSpooler::Append(const std::string &line) {
    FILE *f = OpenFileWide(path.c_str(), "ab");
    if (!f) return;
    std::fwrite(line.data(), 1, line.size(), f);
    std::fputc('\n', f);
    std::fclose(f);
}

tStatus cRecordingPrintSpooler::GetDefaultPrinter(std::u16string &name) {
    name = kPrinterName;
    return RC_OK;
}

tStatus cRecordingPrintSpooler::EnumPrinters(uint32_t flags, std::vector<sPrinterInfo> &list) {
    list.clear();
    if (flags & kPrinterEnumLocal) list.push_back({kPrinterName, u"Pelmora test driver", u"FILE:", {}});
    return RC_OK;
}

tStatus cRecordingPrintSpooler::ShowSetupDialog(tWindowHandle, std::u16string &deviceName) {
    deviceName = kPrinterName;
    return RC_OK;
}

tDcHandle cRecordingPrintSpooler::CreatePrinterDC(const sPrinterInfo &, bool) { return NewRecordingContext(); }
tDcHandle cRecordingPrintSpooler::CreatePrinterIC(const sPrinterInfo &) { return NewRecordingContext(); }
void cRecordingPrintSpooler::DeletePrinterDC(tDcHandle dc) { DeleteRecordingContext(dc); }

int32_t cRecordingPrintSpooler::StartDoc(tDcHandle dc, const char16_t *documentName) {
    if (!dc) return 0;
    Append("doc " + ToUtf8(documentName ? documentName : u""));
    return 1;
}

int32_t cRecordingPrintSpooler::StartPage(tDcHandle dc) {
    if (!dc) return 0;
    Append("page " + std::to_string(kPageWidth) + " " + std::to_string(kPageHeight) + " " +
           std::to_string(kResolution));
    return 1;
}

int32_t cRecordingPrintSpooler::EndPage(tDcHandle dc) {
    if (!dc) return 0;
    Append("endpage");
    return 1;
}

int32_t cRecordingPrintSpooler::EndDoc(tDcHandle dc) {
    if (!dc) return 0;
    Append("enddoc");
    return 1;
}

tStatus cRecordingPrintSpooler::ReadPage(tDcHandle dc, sPageMetrics &page) {
    if (!dc) return RC_FAIL;
    page.resolution = kResolution;
    page.offsetX = 0;
    page.offsetY = 0;
    page.width = kPageWidth;
    page.height = kPageHeight;
    return RC_OK;
}

tStatus cRecordingPrintSpooler::SelectPageClip(tDcHandle dc, int32_t, int32_t) { return dc ? RC_OK : RC_FAIL; }
