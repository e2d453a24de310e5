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
    tStatus ShowSetupDialog(tWindowHandle, std::u16string &) override { return RC_FAIL; }
    tDcHandle CreatePrinterDC(const sPrinterInfo &, bool) override { return nullptr; }
    tDcHandle CreatePrinterIC(const sPrinterInfo &) override { return nullptr; }
    void DeletePrinterDC(tDcHandle) override {}
    int32_t StartDoc(tDcHandle, const char16_t *) override { return 0; }
    int32_t StartPage(tDcHandle) override { return 0; }
    int32_t EndPage(tDcHandle) override { return 0; }
    int32_t EndDoc(tDcHandle) override { return 0; }
    tStatus ReadPage(tDcHandle, sPageMetrics &) override { return RC_FAIL; }
    tStatus SelectPageClip(tDcHandle, int32_t, int32_t) override { return RC_FAIL; }
};

}  // namespace

cPrintSpooler &SystemPrintSpooler() {
    static cNoPrinters none;
    return none;
}
