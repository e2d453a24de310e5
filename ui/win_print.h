// The printer device: the score draws on it through the same operations as
// on a window, at the printer's resolution, page by page.  It chooses a
// printer by name from the spooler's list or through the Print Setup dialog,
// makes the printer context on demand and runs the print job.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/graph_dvc.h"
#include "ui/print_spooler.h"

extern const sErrorTable kWinPrintErrors;
void RaiseWinPrintError(uint32_t index);

class cWinPrint : public cGraphDvc {
public:
    cWinPrint();
    ~cWinPrint() override;

    // Also takes the page's metrics: the pages are laid out before anything
    // prints.
    tStatus Attach() override;
    tStatus PrepareDraw() override;
    tStatus Open() override;
    tStatus Close() override;
    void NewPage() override;
    const char16_t *Describe() override;
    tDcHandle GetDeviceContext() override;

    // Chooses a printer by name, or through the Print Setup dialog without
    // one.  A printer that cannot be found, or a cancelled dialog, keeps the
    // previous choice and answers RC_FAIL.
    virtual tStatus ChoosePrinter(cDispDvc *owner, const char16_t *name);

    // Fills gPrinterList from one enumeration and answers the index of the
    // printer of that exact name (the first one without a name or with the
    // default flag); RC_FAIL when there is none.
    int32_t FindPrinter(uint32_t flags, const char16_t *name);
    const char16_t *GetPrinterName() const { return printerName.c_str(); }
    int32_t GetChosenPrinter() const { return chosenPrinter; }
    bool HasPrinter() const;
    const std::u16string &GetDocumentName() const { return documentName; }
    // The chosen printer's record of gPrinterList; null while none is chosen.
    const sPrinterInfo *ChosenRecord() const;

private:
    // The page's size, resolution and printable offset as the spooler gives
    // them for the printer's device context.
    void TakePageMetrics();

    std::u16string printerName{u"None"};
    std::u16string documentName;
    int32_t chosenPrinter = -1;
};

// The printer device made first that still exists; the font dialog asks it
// for an information context.
extern cWinPrint *gCurrentPrinter;
// The printers of the last FindPrinter.
extern std::vector<sPrinterInfo> *gPrinterList;

// An information context of the current printer, or null.
tDcHandle GetPrinterInfoDC();
