// The print system as the printer device sees it: the spooler's printer
// list and default printer, the print setup dialog, printer contexts, the
// calls of a print job and the page measures.  The Windows build talks to
// WINSPOOL and GDI (print_spooler_win.cpp); tests put a fake in its place;
// the native build has no printers at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/base_defs.h"
#include "platform/os_handles.h"

// One printer of the spooler's level-2 list.
struct sPrinterInfo {
    std::u16string printerName;
    std::u16string driverName;
    std::u16string portName;
    // The printer's DEVMODEW as the spooler filled it; empty when none.
    std::vector<uint8_t> devMode;
};

// What a printer context reports of its page.
struct sPageMetrics {
    uint32_t resolution = 0;  // LOGPIXELSX
    int32_t offsetX = 0;      // PHYSICALOFFSETX
    int32_t offsetY = 0;      // PHYSICALOFFSETY
    int32_t width = 0;        // HORZRES
    int32_t height = 0;       // VERTRES
};

// Enumeration flags of the spooler.
constexpr uint32_t kPrinterEnumDefault = 1;
constexpr uint32_t kPrinterEnumLocal = 2;
constexpr uint32_t kPrinterEnumConnectionsByName = 12;

class cPrintSpooler {
public:
    virtual ~cPrintSpooler() = default;

    // The default printer's name; RC_FAIL when there is none.
    virtual tStatus GetDefaultPrinter(std::u16string &name) = 0;
    // The printers of one enumeration; RC_FAIL when the spooler refuses.
    virtual tStatus EnumPrinters(uint32_t flags, std::vector<sPrinterInfo> &list) = 0;
    // The Print Setup dialog: RC_OK with the chosen device's name, RC_FAIL
    // when it was cancelled.
    virtual tStatus ShowSetupDialog(tWindowHandle owner, std::u16string &deviceName) = 0;
    // A printer context for a job; null on failure.  nt: the driver is "WINSPOOL".
    virtual tDcHandle CreatePrinterDC(const sPrinterInfo &printer, bool nt) = 0;
    // An information context of the printer (for font choices); null on failure.
    virtual tDcHandle CreatePrinterIC(const sPrinterInfo &printer) = 0;
    virtual void DeletePrinterDC(tDcHandle dc) = 0;
    // The job calls answer what the system answers: above 0 is success.
    virtual int32_t StartDoc(tDcHandle dc, const char16_t *documentName) = 0;
    virtual int32_t StartPage(tDcHandle dc) = 0;
    virtual int32_t EndPage(tDcHandle dc) = 0;
    virtual int32_t EndDoc(tDcHandle dc) = 0;
    virtual tStatus ReadPage(tDcHandle dc, sPageMetrics &page) = 0;
    // Clips drawing to (0, 0)-(right, bottom); RC_FAIL when the region
    // cannot be made or selected.
    virtual tStatus SelectPageClip(tDcHandle dc, int32_t right, int32_t bottom) = 0;
};

// The print system in use: the system's own unless a test put another in.
cPrintSpooler &GetPrintSpooler();
// Puts a print system in place (not owned; null goes back to the system's);
// answers the previous one.
cPrintSpooler *SetPrintSpooler(cPrintSpooler *spooler);
// The system's own print system.
cPrintSpooler &SystemPrintSpooler();
