#include "ui/print_recorder.h"

#include <cstdio>

#include "foundation/file_io.h"
#include "foundation/text_util.h"

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

// The test printer has no fonts of its own: the font dialog offers the
// screen's.
tDcHandle cRecordingPrintSpooler::CreatePrinterIC(const sPrinterInfo &) { return nullptr; }

// The job's listing goes into the file at once, so that a reader never
// sees half a job.
void cRecordingPrintSpooler::DeletePrinterDC(tDcHandle dc) {
    std::string text;
    for (const std::string &line : EndRecordingContext(dc)) text += line + "\n";
    if (text.empty()) return;
    if (FILE *f = OpenFileWide(path.c_str(), "ab")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

int32_t cRecordingPrintSpooler::StartDoc(tDcHandle dc, const char16_t *documentName) {
    if (!dc) return 0;
    MarkRecordingContext(dc, "doc " + ToUtf8(documentName ? documentName : u""));
    return 1;
}

int32_t cRecordingPrintSpooler::StartPage(tDcHandle dc) {
    if (!dc) return 0;
    MarkRecordingContext(dc, "page " + std::to_string(kPageWidth) + " " + std::to_string(kPageHeight) + " " +
                                 std::to_string(kResolution));
    return 1;
}

int32_t cRecordingPrintSpooler::EndPage(tDcHandle dc) {
    if (!dc) return 0;
    MarkRecordingContext(dc, "endpage");
    return 1;
}

int32_t cRecordingPrintSpooler::EndDoc(tDcHandle dc) {
    if (!dc) return 0;
    MarkRecordingContext(dc, "enddoc");
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
