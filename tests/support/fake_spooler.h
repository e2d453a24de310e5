// A print system for tests: a configurable printer list and default, a
// setup dialog that answers what the test chose, and a record of every call
// of a print job.  Its contexts are those of the print recorder, on which
// the printing device can draw.
#pragma once

#include <string>
#include <vector>

#include "ui/print_recorder.h"
#include "ui/print_spooler.h"

namespace test {

class cFakeSpooler : public cPrintSpooler {
public:
    std::u16string defaultPrinter;
    std::vector<sPrinterInfo> local;
    std::vector<sPrinterInfo> connections;
    std::u16string dialogChoice;  // empty: the dialog is cancelled
    bool failCreate = false;
    int32_t startPageResult = 1;
    std::vector<std::string> calls;
    int32_t liveContexts = 0;

    static sPrinterInfo Printer(const char16_t *name) {
        sPrinterInfo p;
        p.printerName = name;
        p.driverName = u"Driver";
        return p;
    }

    tStatus GetDefaultPrinter(std::u16string &name) override {
        if (defaultPrinter.empty()) return RC_FAIL;
        name = defaultPrinter;
        return RC_OK;
    }
    tStatus EnumPrinters(uint32_t flags, std::vector<sPrinterInfo> &list) override {
        calls.push_back("Enum" + std::to_string(flags));
        list = flags == kPrinterEnumConnectionsByName ? connections : local;
        return RC_OK;
    }
    tStatus ShowSetupDialog(tWindowHandle, std::u16string &name) override {
        calls.push_back("Dialog");
        if (dialogChoice.empty()) return RC_FAIL;
        name = dialogChoice;
        return RC_OK;
    }
    tDcHandle CreatePrinterDC(const sPrinterInfo &printer, bool) override {
        calls.push_back("CreateDC");
        if (failCreate) return nullptr;
        liveContexts++;
        return NewRecordingContext();
    }
    tDcHandle CreatePrinterIC(const sPrinterInfo &) override { return nullptr; }
    void DeletePrinterDC(tDcHandle dc) override {
        if (!dc) return;
        calls.push_back("DeleteDC");
        liveContexts--;
        DeleteRecordingContext(dc);
    }
    int32_t StartDoc(tDcHandle, const char16_t *name) override {
        calls.push_back("StartDoc");
        documentName = name;
        return 1;
    }
    int32_t StartPage(tDcHandle) override {
        calls.push_back("StartPage");
        return startPageResult;
    }
    int32_t EndPage(tDcHandle) override {
        calls.push_back("EndPage");
        return 1;
    }
    int32_t EndDoc(tDcHandle) override {
        calls.push_back("EndDoc");
        return 1;
    }
    tStatus ReadPage(tDcHandle, sPageMetrics &page) override {
        page = {600, 25, 30, 4800, 6600};
        return RC_OK;
    }
    tStatus SelectPageClip(tDcHandle, int32_t right, int32_t bottom) override {
        calls.push_back("Clip" + std::to_string(right) + "x" + std::to_string(bottom));
        return RC_OK;
    }

    std::u16string documentName;

    // The calls of one kind, in order.
    std::vector<std::string> JobCalls() const {
        std::vector<std::string> out;
        for (const std::string &c : calls)
            if (c.rfind("Enum", 0) != 0 && c != "CreateDC" && c != "DeleteDC") out.push_back(c);
        return out;
    }
};

}  // namespace test
