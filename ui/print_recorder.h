// A print system without a printer: it offers one printer, "Pelmora test
// printer" (an A4 page at 300 dots per inch), lets the job draw on a
// context that keeps nothing, and appends the calls of each job to a text
// file (UTF-8, one line each), so that a test of the running program sees
// what it printed:
//   doc <document name>
//   page <width> <height> <resolution>     (the page started, in dots)
//   endpage
//   enddoc
// The print setup dialog answers the test printer without showing.
#pragma once

#include <string>

#include "ui/print_spooler.h"

class cRecordingPrintSpooler : public cPrintSpooler {
public:
    static constexpr const char16_t *kPrinterName = u"Pelmora test printer";
    static constexpr uint32_t kResolution = 300;
    static constexpr int32_t kPageWidth = 2480;   // 210 mm
    static constexpr int32_t kPageHeight = 3508;  // 297 mm

    explicit cRecordingPrintSpooler(std::u16string path) : path(std::move(path)) {}

    tStatus GetDefaultPrinter(std::u16string &name) override;
    tStatus EnumPrinters(uint32_t flags, std::vector<sPrinterInfo> &list) override;
    tStatus ShowSetupDialog(tWindowHandle owner, std::u16string &deviceName) override;
    tDcHandle CreatePrinterDC(const sPrinterInfo &printer, bool nt) override;
    tDcHandle CreatePrinterIC(const sPrinterInfo &printer) override;
    void DeletePrinterDC(tDcHandle dc) override;
    int32_t StartDoc(tDcHandle dc, const char16_t *documentName) override;
    int32_t StartPage(tDcHandle dc) override;
    int32_t EndPage(tDcHandle dc) override;
    int32_t EndDoc(tDcHandle dc) override;
    tStatus ReadPage(tDcHandle dc, sPageMetrics &page) override;
    tStatus SelectPageClip(tDcHandle dc, int32_t right, int32_t bottom) override;

private:
    void Append(const std::string &line);

    std::u16string path;
};

// The context the recorder hands out (print_recorder_win.cpp: a memory
// context of the screen; natively a token).
tDcHandle NewRecordingContext();
void DeleteRecordingContext(tDcHandle dc);
