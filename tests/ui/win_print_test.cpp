// The printer device against a fake print system: the choice of a printer,
// the page sequence of a job and its failures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/op_sys_base.h"
#include "tests/foundation/raised_errors.h"
#include "ui/win_print.h"

// A printer context the build's GDI can draw on (page_context_win.cpp,
// page_context_headless.cpp).
tDcHandle NewPageContext();
void DeletePageContext(tDcHandle dc);

namespace {

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
        return NewPageContext();
    }
    tDcHandle CreatePrinterIC(const sPrinterInfo &) override { return nullptr; }
    void DeletePrinterDC(tDcHandle dc) override {
        if (!dc) return;
        calls.push_back("DeleteDC");
        liveContexts--;
        DeletePageContext(dc);
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

class WinPrint : public testing::Test {
protected:
    void SetUp() override {
        previous = SetPrintSpooler(&spooler);
        spooler.local = {cFakeSpooler::Printer(u"Laser"), cFakeSpooler::Printer(u"Inkjet")};
        spooler.connections = {cFakeSpooler::Printer(u"\\\\server\\Shared")};
    }
    void TearDown() override { SetPrintSpooler(previous); }

    cFakeSpooler spooler;
    cPrintSpooler *previous = nullptr;
};

TEST_F(WinPrint, WithoutAPrinterTheDeviceDescribesItsDefaults) {
    cWinPrint printer;
    EXPECT_FALSE(printer.HasPrinter());
    EXPECT_EQ(std::u16string(printer.Describe()), u"Printer=None, width=3000, height=2250, 300DPI");
    EXPECT_EQ(printer.GetOffsetX(), 150);
    EXPECT_TRUE(printer.FrameRect().IsEqual(cRectangl(0, 0, 3000, 2250)));
    // Nothing of a job can run.
    EXPECT_EQ(printer.Open(), RC_FAIL);
    EXPECT_EQ(printer.Attach(), RC_FAIL);
    EXPECT_EQ(printer.PrepareDraw(), RC_FAIL);
    EXPECT_EQ(printer.Close(), RC_FAIL);
    EXPECT_EQ(printer.IsOpen(), DVC_NOT_OPEN);
    EXPECT_EQ(GetPrinterInfoDC(), nullptr);
    EXPECT_TRUE(spooler.JobCalls().empty());
}

TEST_F(WinPrint, TheDefaultPrinterIsChosenAtConstruction) {
    spooler.defaultPrinter = u"Inkjet";
    cWinPrint printer;
    EXPECT_TRUE(printer.HasPrinter());
    EXPECT_EQ(printer.GetChosenPrinter(), 1);
    EXPECT_EQ(std::u16string(printer.GetPrinterName()), u"Inkjet");
    EXPECT_EQ(gCurrentPrinter, &printer);
}

TEST_F(WinPrint, FindingPrintersByName) {
    cWinPrint printer;
    EXPECT_EQ(printer.FindPrinter(kPrinterEnumLocal, u"Inkjet"), 1);
    // Names are compared exactly.
    EXPECT_EQ(printer.FindPrinter(kPrinterEnumLocal, u"inkjet"), RC_FAIL);
    // A connected printer is found by the second search.
    spooler.calls.clear();
    EXPECT_EQ(printer.FindPrinter(kPrinterEnumLocal, u"\\\\server\\Shared"), 0);
    EXPECT_EQ(spooler.calls, (std::vector<std::string>{"Enum2", "Enum12"}));
    // No name, or the default flag: the first printer.
    EXPECT_EQ(printer.FindPrinter(kPrinterEnumLocal, nullptr), 0);
    EXPECT_EQ(printer.FindPrinter(kPrinterEnumDefault, u"Inkjet"), 0);
    // An empty list has no first printer.
    spooler.local.clear();
    EXPECT_EQ(printer.FindPrinter(kPrinterEnumDefault, nullptr), RC_FAIL);
}

TEST_F(WinPrint, ChoosingAMissingPrinterKeepsTheWorkingOne) {
    spooler.defaultPrinter = u"Laser";
    cWinPrint printer;
    ASSERT_TRUE(printer.HasPrinter());
    EXPECT_EQ(printer.ChoosePrinter(nullptr, u"Gone"), RC_FAIL);
    EXPECT_TRUE(printer.HasPrinter());
    EXPECT_EQ(std::u16string(printer.GetPrinterName()), u"Laser");
    EXPECT_EQ(printer.GetChosenPrinter(), 0);
    EXPECT_EQ((*gPrinterList)[0].printerName, u"Laser");
    // A cancelled dialog keeps it too; a chosen one takes its place.
    EXPECT_EQ(printer.ChoosePrinter(nullptr, nullptr), RC_FAIL);
    EXPECT_EQ(std::u16string(printer.GetPrinterName()), u"Laser");
    spooler.dialogChoice = u"Inkjet";
    EXPECT_EQ(printer.ChoosePrinter(nullptr, nullptr), RC_OK);
    EXPECT_EQ(std::u16string(printer.GetPrinterName()), u"Inkjet");
    EXPECT_EQ(printer.GetChosenPrinter(), 1);
    // The chosen printer's page: read by PrepareDraw.
    EXPECT_EQ(std::u16string(printer.Describe()), u"Printer=Inkjet, width=4800, height=6600, 600DPI");
    EXPECT_EQ(printer.GetOffsetY(), 30);
    EXPECT_EQ(printer.ChoosePrinter(nullptr, u"Laser"), RC_OK);
    EXPECT_EQ(printer.GetChosenPrinter(), 0);
    EXPECT_EQ(spooler.liveContexts, 0);
}

TEST_F(WinPrint, AJobRunsItsPageSequence) {
    spooler.defaultPrinter = u"Laser";
    cWinPrint printer;
    spooler.calls.clear();
    ASSERT_EQ(printer.Open(), RC_OK);
    EXPECT_EQ(printer.IsOpen(), 1);
    EXPECT_EQ(spooler.documentName, u"PrintDoc");
    EXPECT_EQ(printer.GetWidth(), 4800);
    // A new page right after opening: nothing was drawn, nothing is ended.
    printer.NewPage();
    printer.DrawLine(0, 0, 100, 100);
    printer.NewPage();
    printer.NewPage();
    printer.FillEllipse(10, 10, 20, 20);
    EXPECT_EQ(printer.Close(), RC_OK);
    EXPECT_EQ(printer.IsOpen(), DVC_NOT_OPEN);
    EXPECT_EQ(spooler.JobCalls(), (std::vector<std::string>{"StartDoc", "StartPage", "Clip4799x6599", "EndPage",
                                                            "StartPage", "EndPage", "EndDoc"}));
    // The job's context is gone; between jobs the device holds none.
    EXPECT_EQ(spooler.liveContexts, 0);
    EXPECT_EQ(printer.GetHeldDC(), nullptr);
}

TEST_F(WinPrint, AFailedPageStartFailsTheOpen) {
    spooler.defaultPrinter = u"Laser";
    cWinPrint printer;
    spooler.startPageResult = 0;
    test::RaisedErrors errors;
    EXPECT_EQ(printer.Open(), RC_FAIL);
    // The open count stays raised: the caller's Close ends the empty job.
    EXPECT_EQ(printer.IsOpen(), 1);
    EXPECT_EQ(printer.Close(), RC_OK);
    EXPECT_EQ(spooler.liveContexts, 0);
}

TEST_F(WinPrint, AContextThatCannotBeMadeIsReported) {
    spooler.defaultPrinter = u"Laser";
    cWinPrint printer;
    spooler.failCreate = true;
    test::RaisedErrors errors;
    EXPECT_EQ(printer.GetDeviceContext(), nullptr);
    EXPECT_EQ(errors.LastText(), u"Error in WinPrint: Invalid Device Context");
}

TEST_F(WinPrint, OnlyTheFirstPrinterIsTheCurrentOne) {
    cWinPrint first;
    {
        cWinPrint second;
        EXPECT_EQ(gCurrentPrinter, &first);
    }
    EXPECT_EQ(gCurrentPrinter, &first);
}

}  // namespace
