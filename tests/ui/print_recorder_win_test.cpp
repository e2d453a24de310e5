// What the print recorder lists of a page's drawing: each primitive of the
// printing device as the window system received it, between the page's
// lines, and nothing of the device's set-up or of its pens and brushes.
#include "foundation/win32_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support.h"
#include "ui/print_recorder.h"
#include "ui/win_print.h"

namespace {

class RecordedPrint : public testing::Test {
protected:
    void SetUp() override { previous = SetPrintSpooler(&recorder); }
    void TearDown() override { SetPrintSpooler(previous); }

    // Runs one job of one page with the drawing and answers the file's lines.
    template <class F>
    std::vector<std::string> PrintPage(F draw) {
        {
            cWinPrint printer;
            EXPECT_EQ(printer.Open(), RC_OK);
            draw(printer);
            EXPECT_EQ(printer.Close(), RC_OK);
        }
        return test::SplitLines(test::ReadFileBytes(path));
    }

    std::u16string path = test::MakeTempFolder("print_listing") + u"print.txt";
    cRecordingPrintSpooler recorder{path};
    cPrintSpooler *previous = nullptr;
};

std::vector<std::string> OnePage(std::vector<std::string> drawing) {
    std::vector<std::string> lines = {"doc PrintDoc", "page 2480 3508 300"};
    lines.insert(lines.end(), drawing.begin(), drawing.end());
    lines.insert(lines.end(), {"endpage", "enddoc"});
    return lines;
}

// Each primitive of the device, one a line, in the order drawn.  The
// coordinates follow the device's own rules at zoom 1: a line goes one
// pixel on along its longer axis, so that its end point is drawn; a box
// ends just outside its last row and column; fills and inversions are
// listed by their size.
TEST_F(RecordedPrint, EachPrimitiveIsListedWhereItWasDrawn) {
    std::vector<std::string> lines = PrintPage([](cWinPrint &p) {
        p.DrawLine(0, 0, 100, 50);
        p.DrawArc(10, 20, 40, 30, 10, 35, 50, 35);
        p.EraseRect(5, 6, 10, 12);
        p.FillEllipse(10, 10, 20, 20);
        p.DrawPoint(7, 8);
        p.FillRect(100, 200, 30, 40, MakeColour(0, 0, 0));
        p.InvertRect(1, 2, 3, 4);
        p.SetLineWidth(6);
        p.DrawLine(0, 100, 200, 100);
        p.DrawLine(0, 100, 200, 150);  // slanted and thick: a thin polygon
        BYTE zeros[2 * 10] = {};  // a black monochrome 10 x 10 bitmap (rows of 16 bits)
        HBITMAP block = CreateBitmap(10, 10, 1, 1, zeros);
        p.DrawBitmap(block, 50, 60, 10, 10);
        DeleteObject(block);
    });
    EXPECT_EQ(lines, OnePage({"  line 0 0 101 50", "  arc 10 20 50 50 10 35 50 35", "  rectangle 5 6 15 18",
                              "  ellipse 10 10 30 30", "  pixel 7 8", "  fill 100 200 30 40",
                              "  invert 1 2 3 4", "  line 0 100 201 100",
                              "  polyline 0 100 3 100 197 150 201 150", "  bitmap 50 60 10 10"}));
}

// Text names the font it was drawn in, so that a reader tells a music
// symbol from a word.
TEST_F(RecordedPrint, TextIsListedWithItsFont) {
    std::vector<std::string> lines = PrintPage([](cWinPrint &p) {
        uint16_t font = p.FindFont(u"DejaVu Sans", -40, 0);
        ASSERT_NE(font, kFontNone);
        p.DrawTextAt(u"Fine", 100, 200, font);
    });
    ASSERT_EQ(lines.size(), 5u) << test::ReadFileBytes(path);
    EXPECT_EQ(lines[2].rfind("  text 100 ", 0), 0u) << lines[2];
    EXPECT_NE(lines[2].find(" -40 DejaVu Sans Fine"), std::string::npos) << lines[2];
}

// Pages keep their own drawing; a page without drawing is not ended and
// takes the next drawing.
TEST_F(RecordedPrint, EachPageListsItsOwnDrawing) {
    std::vector<std::string> lines = PrintPage([](cWinPrint &p) {
        p.DrawPoint(1, 1);
        p.NewPage();
        p.NewPage();
        p.DrawPoint(2, 2);
    });
    EXPECT_EQ(lines, (std::vector<std::string>{"doc PrintDoc", "page 2480 3508 300", "  pixel 1 1", "endpage",
                                               "page 2480 3508 300", "  pixel 2 2", "endpage", "enddoc"}));
}

// Two jobs, one after the other, each whole.
TEST_F(RecordedPrint, JobsFollowEachOther) {
    PrintPage([](cWinPrint &p) { p.DrawPoint(1, 1); });
    std::vector<std::string> lines = PrintPage([](cWinPrint &p) { p.DrawPoint(3, 3); });
    std::vector<std::string> first = OnePage({"  pixel 1 1"}), second = OnePage({"  pixel 3 3"});
    first.insert(first.end(), second.begin(), second.end());
    EXPECT_EQ(lines, first);
}

}  // namespace
