// Without a window system there is no printer: every request fails.
#include "ui/print_spooler.h"

namespace {

class cNoPrinters : public cPrintSpooler {
public:
    tStatus GetDefaultPrinter(std::u16string &) override { return RC_FAIL; }
    tStatus EnumPrinters(uint32_t, std::vector<sPrinterInfo> &list) override {
        list.clear();
        return RC_OK;
    }
    tStatus ShowSetupDialog(HWND, std::u16string &) override { return RC_FAIL; }
    HDC CreatePrinterDC(const sPrinterInfo &, bool) override { return nullptr; }
    HDC CreatePrinterIC(const sPrinterInfo &) override { return nullptr; }
    void DeletePrinterDC(HDC) override {}
    int32_t StartDoc(HDC, const char16_t *) override { return 0; }
    int32_t StartPage(HDC) override { return 0; }
    int32_t EndPage(HDC) override { return 0; }
    int32_t EndDoc(HDC) override { return 0; }
    tStatus ReadPage(HDC, sPageMetrics &) override { return RC_FAIL; }
    tStatus SelectPageClip(HDC, int32_t, int32_t) override { return RC_FAIL; }
};

}  // namespace

cPrintSpooler &SystemPrintSpooler() {
    static cNoPrinters none;
    return none;
}
