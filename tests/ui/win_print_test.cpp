// The printer device against a fake print system: the choice of a printer,
// the page sequence of a job and its failures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/op_sys_base.h"
#include "tests/foundation/raised_errors.h"
#include "tests/support/fake_spooler.h"
#include "tests/test_support.h"
#include "ui/print_recorder.h"
#include "ui/win_print.h"

namespace {


class WinPrint : public testing::Test {
protected:
    void SetUp() override {
        previous = SetPrintSpooler(&spooler);
        spooler.local = {test::cFakeSpooler::Printer(u"Laser"), test::cFakeSpooler::Printer(u"Inkjet")};
        spooler.connections = {test::cFakeSpooler::Printer(u"\\\\server\\Shared")};
    }
    void TearDown() override { SetPrintSpooler(previous); }

    test::cFakeSpooler spooler;
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

// The recorder that PELMORA_TEST_PRINT puts in place: a whole job lands in
// its file, with the page size of its one printer.
TEST(PrintRecorder, AJobIsRecordedWithItsPages) {
    std::u16string path = test::MakeTempFolder("print_recorder") + u"print.txt";
    cRecordingPrintSpooler recorder(path);
    cPrintSpooler *previous = SetPrintSpooler(&recorder);
    {
        cWinPrint printer;
        ASSERT_TRUE(printer.HasPrinter());
        EXPECT_EQ(std::u16string(printer.GetPrinterName()), u"Pelmora test printer");
        ASSERT_EQ(printer.Open(), RC_OK);
        EXPECT_EQ(printer.GetWidth(), 2480);
        printer.DrawLine(0, 0, 100, 100);
        printer.NewPage();
        printer.FillEllipse(10, 10, 20, 20);
        EXPECT_EQ(printer.Close(), RC_OK);
    }
    SetPrintSpooler(previous);
    // The job's own lines; the drawing between them, indented, is listed
    // only where something can be drawn (print_recorder_win_test.cpp).
    std::string job;
    std::string text = test::ReadFileBytes(path);
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        if (text.compare(start, 2, "  ") != 0) job += text.substr(start, end + 1 - start);
    EXPECT_EQ(job, "doc PrintDoc\npage 2480 3508 300\nendpage\npage 2480 3508 300\nendpage\nenddoc\n") << text;
}

// A context that ends without a job writes nothing; marks without a
// context are dropped.
TEST(PrintRecorderContext, AContextWithoutAJobListsNothing) {
    std::u16string path = test::MakeTempFolder("print_listing_empty") + u"print.txt";
    cRecordingPrintSpooler recorder(path);
    tDcHandle dc = recorder.CreatePrinterDC({}, true);
    ASSERT_NE(dc, nullptr);
    recorder.DeletePrinterDC(dc);
    EXPECT_FALSE(test::FileExists(path));
    MarkRecordingContext(nullptr, "doc x");
    EXPECT_TRUE(EndRecordingContext(nullptr).empty());
}

