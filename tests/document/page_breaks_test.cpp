// Page breaks: pagination of a document by the output device's page height,
// footers with their page numbers, the breaks' geometry, drawing and hit
// test, the condense pass at a format break, the footer settings in the
// binary file and on the class line of the text form, the set-up dialog
// (answered by a script natively) and printing a document page by page.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "document/registry.h"
#include "foundation/memory_binary_file.h"
#include "foundation/text_util.h"
#include "tests/document/score_file_support.h"
#include "tests/document/symbol_fixture.h"
#include "tests/support/fake_spooler.h"
#include "ui/dialog_box.h"
#include "ui/text_controls.h"
#include "ui/win_print.h"
#if !defined(_WIN32)
#include "tests/support/dialog_script.h"
#endif

namespace {

using test::Narrow;
using test::RaisedErrors;

constexpr int32_t kPage = 1000;

// A document whose children lie in order of y, as a score's do.
class cPagedDocument : public PointWindowObject {
public:
    using PointWindowObject::PointWindowObject;
    cPObjPoint *NewSameClass() const override { return new cPagedDocument(GetScoreWindow()); }
    int32_t GetChildOrder() const override { return 0; }
};

// A score window whose font dialog answers a font the test chose.
class cFontChoosingWindow : public test::cTestScoreWindow {
public:
    uint16_t ChooseFontDialog(uint16_t) override { return chosen; }
    uint16_t chosen = kFontNone;
};

// "Name@y", breaks with "#" and their page number.
std::string Describe(cPObjPoint *c) {
    std::string text = Narrow(c->GetTypeName()) + "@" + std::to_string(c->GetY());
    if (auto *b = dynamic_cast<cPObjBreak *>(c)) text += "#" + std::to_string(b->GetPageNumber());
    return text;
}

class PageBreakTest : public test::SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        ASSERT_EQ(test::BuildTestRegistry(), 0);
        // The stand-in printer first: a test window makes itself the current
        // window, and the score window must be the current one.
        printer = std::make_unique<test::cTestScoreWindow>();
        printer->SetSize(800, kPage);
        window = std::make_unique<cFontChoosingWindow>();
        window->SetSize(400, 300);
        document = new cPagedDocument(window.get());
        document->SetFileName(u"C:\\scores\\Song.pmr");
        cPObjBase::ResetPrototypes();
    }
    void TearDown() override {
        delete document;
        gOutputWindow = nullptr;
        window.reset();
        printer.reset();
        SymbolTest::TearDown();
    }

    // A child of the class at y; a scaled one with a height.
    cPObjPoint *Add(int16_t id, int32_t py, int32_t height = 0) {
        cPObjPoint *c = cPObjBase::NewById(id);
        c->SetPosition(5, py);
        if (height)
            if (auto *s = dynamic_cast<ScaledObject *>(c)) s->SetSize(10, height);
        EXPECT_TRUE(document->InsertChild(c));
        return c;
    }
    std::vector<std::string> Children() {
        std::vector<std::string> list;
        for (uint16_t i = 0; i < document->GetChildSlots(); ++i) list.push_back(Describe(document->GetChild(i)));
        return list;
    }

    // Footer settings of that capacity, as a file would give them.
    static void SetCapacity(uint16_t capacity) {
        const uint32_t version = gFileVersion;
        gFileVersion = cPObjBreak::kVersionFooterData;
        test::cScoreBytes b(0x20C0500);
        b.U16(0).U16(capacity).U16(0).U32(25).U32(uint32_t(-5));
        cMemoryBinaryFile file(u"settings", b.Bytes());
        std::unique_ptr<cPObjBreak> reader(new cPObjBreak);
        EXPECT_EQ(reader->LoadClassData(&file, int32_t(b.Size())), 0);
        gFileVersion = version;
    }

    std::unique_ptr<test::cTestScoreWindow> printer;
    std::unique_ptr<cFontChoosingWindow> window;
    PointWindowObject *document = nullptr;
};

// --- Pagination ---------------------------------------------------------------

TEST_F(PageBreakTest, PaginationPutsOneAutomaticBreakAtEachPageEnd) {
    struct sChild {
        int16_t id;
        int32_t y;
        int32_t height;
    };
    struct sCase {
        const char *name;
        std::vector<sChild> children;
        std::vector<std::string> after;
        int32_t total;
    };
    const sCase cases[] = {
        {"shorter than a page", {{1, 0, 0}, {1, 500, 0}}, {"Point@0", "Point@500"}, 1},
        {"0, 0.6 h and 1.2 h", {{1, 0, 0}, {1, 600, 0}, {1, 1200, 0}}, {"Point@0", "Point@600", "PageBreak@1000#1", "Point@1200"}, 2},
        {"a child at the page end starts the next page",
         {{1, 0, 0}, {1, 1000, 0}},
         {"Point@0", "PageBreak@1000#1", "Point@1000"},
         2},
        {"a format break moves the next page end",
         {{1, 0, 0}, {16, 500, 0}, {1, 1200, 0}, {1, 1600, 0}},
         {"Point@0", "FmtPageBreak@500#1", "Point@1200", "PageBreak@1500#2", "Point@1600"},
         3},
        {"a stale automatic break is made again at the page end",
         {{1, 0, 0}, {15, 300, 0}, {1, 1200, 0}},
         {"Point@0", "PageBreak@1000#1", "Point@1200"},
         2},
        {"the last child counts by its bottom",
         {{1, 0, 0}, {7, 900, 200}},
         {"Point@0", "Scaled@900", "PageBreak@1000#1"},
         2},
        {"one break per child, however far down it lies",
         {{1, 0, 0}, {1, 2500, 0}, {1, 2600, 0}},
         {"Point@0", "PageBreak@1000#1", "PageBreak@2000#2", "Point@2500", "Point@2600"},
         3},
        {"a child pages below the last end gets one break only",
         {{1, 0, 0}, {1, 3500, 0}},
         {"Point@0", "PageBreak@1000#1", "Point@3500"},
         2},
        {"a break above the top stays and pushes the page end down",
         {{15, -10, 0}, {1, 500, 0}, {1, 1500, 0}, {1, 2100, 0}},
         {"PageBreak@-10#1", "Point@500", "Point@1500", "PageBreak@2000#1", "Point@2100"},
         2},
        {"a last break above the top after what it followed goes",
         {{1, -50, 0}, {15, -10, 0}},
         {"Point@-50"},
         1},
    };
    gOutputWindow = printer.get();
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        document->Clear(0);
        for (const sChild &child : c.children) Add(child.id, child.y, child.height);
        cPObjBreak::SetPageTotal(9);
        // The walk's own insertions and deletions leave no flags behind; the
        // request for pagination is answered.
        gDocumentFlags = 0x21;
        document->Paginate();
        EXPECT_EQ(Children(), c.after);
        EXPECT_EQ(cPObjBreak::GetPageTotal(), c.total);
        EXPECT_EQ(gDocumentFlags, 0x1u);
    }
}

TEST_F(PageBreakTest, PaginationAgainKeepsTheBreaksWhereTheyAre) {
    gOutputWindow = printer.get();
    for (int32_t y : {0, 700, 1400, 2100, 2800}) Add(1, y);
    document->Paginate();
    const std::vector<std::string> first = Children();
    EXPECT_EQ(first, (std::vector<std::string>{"Point@0", "Point@700", "PageBreak@1000#1", "Point@1400",
                                               "PageBreak@2000#2", "Point@2100", "Point@2800"}));
    EXPECT_EQ(cPObjBreak::GetPageTotal(), 3);
    // The breaks of the first pass go and come back at the same places: a
    // selected one is gone with its selection.
    gSelectedObject = document->GetChild(2);
    cPObjBreak::SetPageTotal(9);
    document->Paginate();
    EXPECT_EQ(Children(), first);
    EXPECT_EQ(cPObjBreak::GetPageTotal(), 3);
    EXPECT_EQ(gSelectedObject, nullptr);
}

TEST_F(PageBreakTest, WithoutAnOutputDeviceOrAPageNothingChanges) {
    Add(1, 0);
    Add(15, 300);
    Add(1, 2500);
    cPObjBreak::SetPageTotal(5);
    gDocumentFlags = 0x23;
    document->Paginate();
    EXPECT_EQ(Children(), (std::vector<std::string>{"Point@0", "PageBreak@300#1", "Point@2500"}));
    EXPECT_EQ(cPObjBreak::GetPageTotal(), 5);
    EXPECT_EQ(gDocumentFlags, 0x3u);
    // A device without height has no pages to fill.
    printer->SetSize(800, 0);
    gOutputWindow = printer.get();
    document->Paginate();
    EXPECT_EQ(Children(), (std::vector<std::string>{"Point@0", "PageBreak@300#1", "Point@2500"}));
}

TEST_F(PageBreakTest, ThePageIsTheDevicesSizeInDocumentUnits) {
    EXPECT_EQ(cPObjBreak::PageHeight(), 0);
    // Without an output device the width is the score window's.
    window->SetZoomX(2.0f);
    EXPECT_EQ(cPObjBreak::PageWidth(), 200);
    printer->SetSize(801, 999);
    printer->SetZoomX(2.0f);
    printer->SetZoomY(0.5f);
    gOutputWindow = printer.get();
    EXPECT_EQ(cPObjBreak::PageWidth(), 400);
    EXPECT_EQ(cPObjBreak::PageHeight(), 1998);
}

// --- Footers ------------------------------------------------------------------

TEST_F(PageBreakTest, TheFooterNamesThePageAndThePageCount) {
    struct sCase {
        const char16_t *text;
        uint16_t capacity;
        int32_t page, total;
        const char16_t *shown;
    };
    const sCase cases[] = {
        {u"Song page # of ##", 100, 3, 7, u"Song page 3 of 7"},
        {u"Fine", 100, 3, 7, u"Fine"},
        {u"###", 100, 3, 7, u"73"},
        {u"#/##", 100, -2, 12, u"-2/12"},
        {u"", 100, 1, 2, u""},
    };
    for (const sCase &c : cases) {
        cPObjBreak::SetFooterText(c.text);
        cPObjBreak::SetPageTotal(c.total);
        EXPECT_EQ(cPObjBreak::ExpandFooter(c.page), c.shown) << Narrow(c.text);
    }
    cPObjBreak::SetFooterText(nullptr);
    EXPECT_EQ(cPObjBreak::ExpandFooter(1), u"");
}

// The expansion fills a buffer of max(2 x capacity, 50) characters, its end
// mark included; what would run past it is cut.
TEST_F(PageBreakTest, TheExpandedFooterNeverOutgrowsItsBuffer) {
    cPObjBreak::SetPageTotal(2000000000);
    std::u16string totals;
    for (int i = 0; i < 50; ++i) totals += u"2000000000";
    struct sCase {
        uint16_t capacity;
        size_t kept;
    };
    for (const sCase &c : {sCase{10, 49}, sCase{25, 49}, sCase{26, 51}, sCase{100, 199}}) {
        SetCapacity(c.capacity);
        // Page totals of ten digits each: far more than the buffer holds.
        cPObjBreak::SetFooterText(std::u16string(c.capacity, u'#').c_str());
        EXPECT_EQ(cPObjBreak::ExpandFooter(1), totals.substr(0, c.kept)) << c.capacity;
    }
    // A number is cut where the buffer ends; nothing follows it.
    SetCapacity(25);
    cPObjBreak::SetFooterText(u"#z#z#z#z#z");
    EXPECT_EQ(cPObjBreak::ExpandFooter(-1234567890), u"-1234567890z-1234567890z-1234567890z-1234567890z-");
}

TEST_F(PageBreakTest, TheFirstBreakOfADocumentGivesTheFooterItsNameAndTheWindowsFont) {
    const uint16_t font = window->FindFont(u"Serif", 20, 0);
    window->SetDefaultFont(font);
    EXPECT_EQ(cPObjBreak::GetFooterText(), nullptr);
    EXPECT_EQ(cPObjBreak::GetFooterFont(), -1);
    std::unique_ptr<cPObjBreak> first(new cPObjBreak);
    EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), u"Song page # of ##");
    EXPECT_EQ(cPObjBreak::GetFooterFont(), int16_t(font));
    cPObjBreak::SetPageTotal(7);
    EXPECT_EQ(cPObjBreak::ExpandFooter(3), u"Song page 3 of 7");
    // A text and a font once given stay.
    document->SetFileName(u"Other.pmr");
    window->SetDefaultFont(0);
    std::unique_ptr<cPObjFmtBreak> second(new cPObjFmtBreak);
    EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), u"Song page # of ##");
    EXPECT_EQ(cPObjBreak::GetFooterFont(), int16_t(font));
}

// The name is cut at its first dot; a name too long for the capacity is
// cut so that the whole tail fits.  A capacity too small for the tail grows.
TEST_F(PageBreakTest, TheDefaultFooterAlwaysKeepsItsWholeTail) {
    EXPECT_EQ(cPObjBreak::DefaultFooter(u"a.b.pmr", 100), u"a page # of ##");
    EXPECT_EQ(cPObjBreak::DefaultFooter(u"NoName", 100), u"NoName page # of ##");
    const std::u16string longName(95, u'x');
    const std::u16string made = cPObjBreak::DefaultFooter((longName + u".pmr").c_str(), 100);
    EXPECT_EQ(made, std::u16string(87, u'x') + u" page # of ##");
    EXPECT_EQ(cPObjBreak::DefaultFooter(u"Song.pmr", 5), u" page # of ##");

    document->SetFileName((longName + u".pmr").c_str());
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);
    EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), made);
    EXPECT_EQ(cPObjBreak::GetFooterCapacity(), 100);
}

TEST_F(PageBreakTest, AFooterTextIsCutToTheCapacity) {
    cPObjBreak::SetFooterText(std::u16string(150, u'y').c_str());
    EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), std::u16string(100, u'y'));
}

#if !defined(_WIN32)
TEST_F(PageBreakTest, TheLastPagesFooterIsDrawnOnlyForMoreThanOnePage) {
    cPObjBreak::SetFooterText(u"p # of ##");
    window->TakeOps();
    cPObjBreak::SetPageTotal(1);
    EXPECT_EQ(cPObjBreak::DrawLastFooter(kPage), 0);
    cPObjBreak::SetPageTotal(3);
    cPObjBreak::SetFooterText(u"");
    EXPECT_EQ(cPObjBreak::DrawLastFooter(kPage), 0);
    EXPECT_TRUE(window->TakeOps().empty());
    cPObjBreak::SetFooterText(u"p # of ##");
    const uint16_t font = window->FindFont(u"Serif", 20, 0);  // box (0, -15, 15, 20)
    cPObjBreak::SetFooterFont(int16_t(font));
    window->SetBackgroundMode(1);
    cPObjBreak::DrawLastFooter(kPage);
    const std::vector<sDrawRecord> records = window->Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].op, "DrawChars");
    EXPECT_EQ(records[0].text, u"p 3 of 3");
    EXPECT_EQ(records[0].font, font);
    // At the footer's x offset; 5 above the page's last unit, the text's
    // baseline 5 units (box height 20 less the 15 above the baseline)
    // higher again.
    EXPECT_EQ(records[0].args, (std::vector<int32_t>{25, kPage - 1 - 5 - 5}));
    EXPECT_EQ(window->GetBackgroundMode(), 1);
}
#endif

// --- Geometry, hits and drawing -------------------------------------------------

TEST_F(PageBreakTest, ABreakStandsAtTheLeftAndSpansTheWindow) {
    std::unique_ptr<cPObjFmtBreak> b(new cPObjFmtBreak);
    EXPECT_NE(b->GetTypeFlags(0) & kTypePageBreak, 0u);
    b->SetPosition(40, 500);
    EXPECT_EQ(b->x, 0);
    b->MoveXY(17, 3);
    EXPECT_EQ(b->x, 0);
    EXPECT_EQ(b->y, 503);
    EXPECT_EQ(b->GetRight(), window->GetWidth());
    EXPECT_EQ(b->GetBottom(), 504);
    gLastMouseX = 77;
    EXPECT_EQ(b->GetHandleX(), 77);
    EXPECT_EQ(b->GetHandleY(), 503);
    cPObjBreak::SetFooterText(nullptr);
    EXPECT_EQ(b->GetTop(), 502);
    // With a footer the break reaches up to the footer's top.
    cPObjBreak::SetFooterText(u"x");
    const int32_t boxHeight = cFontTable::GetCharBox(uint16_t(cPObjBreak::GetFooterFont()))->Height();
    EXPECT_EQ(b->GetTop(), 503 - 5 - 1 - boxHeight);
}

TEST_F(PageBreakTest, AFormatBreakIsHitFromAboveItsFooterToBelowItsLine) {
    auto *format = static_cast<cPObjFmtBreak *>(Add(16, 500));
    auto *automatic = static_cast<cPObjBreak *>(Add(15, 800));
    cPObjBreak::SetFooterText(u"x");
    const int32_t top = format->GetTop();
    ASSERT_LT(top, 499);
    struct sCase {
        int32_t x, y, hit;
    };
    for (const sCase &c : {sCase{0, top - 3, 0}, sCase{0, top - 2, 1}, sCase{-900, 500, 1}, sCase{5000, 502, 1},
                           sCase{0, 503, 0}}) {
        EXPECT_EQ(format->HitTest(c.x, c.y), c.hit) << c.x << "," << c.y;
    }
    for (int32_t py : {797, 798, 800, 802})
        EXPECT_EQ(automatic->HitTest(0, py), 0) << py;
    // The document finds the format break at the user's click, never the
    // automatic one.
    EXPECT_EQ(document->HitTestChildren(300, 501, 0, 0x30, 0, nullptr), format);
    EXPECT_EQ(document->HitTestChildren(300, 800, 0, 0x30, 0, nullptr), nullptr);
}

TEST_F(PageBreakTest, DestroyingABreakAsksForPagination) {
    gDocumentFlags = 0x1;
    delete new cPObjBreak;
    EXPECT_EQ(gDocumentFlags, 0x21u);
}

#if !defined(_WIN32)
TEST_F(PageBreakTest, ABreakDrawsItsPageEndAndItsFooter) {
    const uint16_t font = window->FindFont(u"Serif", 20, 0);
    cPObjBreak::SetFooterFont(int16_t(font));
    cPObjBreak::SetFooterText(u"Song page # of ##");
    cPObjBreak::SetPageTotal(3);
    printer->SetZoomX(2.0f);
    gOutputWindow = printer.get();
    auto *automatic = static_cast<cPObjBreak *>(Add(15, 1000));
    auto *format = static_cast<cPObjBreak *>(Add(16, 1500));
    format->SetPageNumber(2);
    struct sCase {
        cPObjBreak *brk;
        bool selected;
        int32_t y;
        const char16_t *text;
        tColour colour;
        int32_t style;
    };
    const sCase cases[] = {
        {automatic, false, 1000, u"Song page 1 of 3", 0x00C0F27D, 1},
        {automatic, true, 1000, u"Song page 1 of 3", 0x000337CF, 1},
        {format, false, 1500, u"Song page 2 of 3", 0x00C0F27D, 2},
    };
    for (const sCase &c : cases) {
        gSelectedObject = c.selected ? c.brk : nullptr;
        window->SetColour(0x123456);
        window->SetLineStyle(1);
        window->ClearRecords();
        c.brk->Draw();
        const std::vector<sDrawRecord> records = window->Records();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].op, "DrawLine");
        // Across the printer's page: 800 pixels at zoom 2.
        EXPECT_EQ(records[0].args, (std::vector<int32_t>{0, c.y, 399, c.y}));
        EXPECT_EQ(records[0].penColour, c.colour);
        EXPECT_EQ(records[0].lineStyle, c.style);
        EXPECT_EQ(records[1].op, "DrawChars");
        EXPECT_EQ(records[1].text, c.text);
        EXPECT_EQ(records[1].args, (std::vector<int32_t>{25, c.y - 5 - 5}));
        EXPECT_EQ(window->GetPenColour(), 0x123456u);
        EXPECT_EQ(window->GetLineStyle(), 1);
    }
    gSelectedObject = nullptr;
}
#endif

TEST_F(PageBreakTest, DrawingWithoutAScoreWindowIsReported) {
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);
    cPObjBreak::SetFooterText(u"x");
    cPObjBase::SetCurrentWindow(nullptr);
    RaisedErrors errors;
    b->Draw();
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
    EXPECT_EQ(cPObjBreak::DrawFooterText(1, 0, 0), 0);
    EXPECT_EQ(errors.Count(), 2);
}

// --- Condensing ------------------------------------------------------------------

TEST_F(PageBreakTest, AFormatBreakStartsANewPageInTheCondensePass) {
    std::unique_ptr<cPObjFmtBreak> format(new cPObjFmtBreak);
    cPObjBreak::SetFooterText(nullptr);
    format->SetPosition(0, 700);
    cPObjBase::sCmdCondense record;
    record.lastX = record.maxRight = 50;
    record.lastOldX = kFailed;
    record.gapX = 8;
    record.lastY = record.maxBottom = 600;
    record.lastOldY = kFailed;
    record.gapY = 10;
    record.pageLimit = 900;
    record.pageHeight = kPage;
    EXPECT_EQ(format->Condense(&record), 0);
    // Moved below what came before, never across.
    EXPECT_EQ(format->y, 611);
    EXPECT_EQ(format->x, 0);
    EXPECT_EQ(record.lastX, 50);
    EXPECT_EQ(record.maxRight, 50);
    EXPECT_EQ(record.gapX, 8);
    // What follows starts below it; its page ends a page height later.
    EXPECT_EQ(record.lastY, 612 + 10);
    EXPECT_EQ(record.maxBottom, 612 + 10);
    EXPECT_EQ(record.pageLimit, 611 + kPage);

    // Without page limits only the base step runs.
    record.pageLimit = record.pageHeight = kFailed;
    record.lastOldY = kFailed;
    record.lastY = record.maxBottom = 100;
    format->Condense(&record);
    EXPECT_EQ(format->y, 111);
    EXPECT_EQ(record.pageLimit, kFailed);
    // An automatic break never moves.
    std::unique_ptr<cPObjBreak> automatic(new cPObjBreak);
    automatic->SetPosition(0, 300);
    EXPECT_EQ(automatic->Condense(&record), 0);
    EXPECT_EQ(automatic->y, 300);
}

// --- Set-up -----------------------------------------------------------------------

TEST_F(PageBreakTest, TheClassSetUpCarriesTheFooterFont) {
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);
    cPObjBreak::SetFooterFont(3);
    std::unique_ptr<sCommandPrm> record(b->GetClassSetup(nullptr));
    auto *r = dynamic_cast<cPObjBreak::sCmdSetupBreak *>(record.get());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->GetSize(), 20);
    EXPECT_EQ(r->commandId, kCmdSetupBreak);
    EXPECT_EQ(r->footerFont, 3);
    r->footerFont = 5;
    EXPECT_EQ(b->SetClassSetup(r), 0);
    EXPECT_EQ(cPObjBreak::GetFooterFont(), 5);
    // Another command is refused, the font kept.
    r->footerFont = 6;
    r->commandId = kCmdSetupLine;
    EXPECT_EQ(b->SetClassSetup(r), kFailed);
    cLineObject::sCmdSetupLine line;
    EXPECT_EQ(b->SetClassSetup(&line), kFailed);
    EXPECT_EQ(cPObjBreak::GetFooterFont(), 5);
    EXPECT_EQ(b->Setup(&line), 0);
}

#if !defined(_WIN32)
TEST_F(PageBreakTest, TheSetUpDialogEditsTheFooterTextAndFont) {
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);
    const uint16_t serif = window->FindFont(u"Serif", -27, kFontBold);
    const uint16_t sans = window->FindFont(u"Sans", -40, 0);
    struct sCase {
        const char *name;
        const char16_t *typed;  // null: left as it is
        uint16_t chosen;        // kFontNone: no font chosen
        uint32_t end;
        int32_t answer;
        const char16_t *text;
        int16_t font;
    };
    const sCase cases[] = {
        {"text and font", u"Op. 9 - # of ##", sans, 1, 1, u"Op. 9 - # of ##", int16_t(sans)},
        {"nothing chosen", nullptr, kFontNone, 1, 1, u"Song page # of ##", int16_t(serif)},
        {"cancelled", u"lost", sans, 2, 0, u"Song page # of ##", int16_t(serif)},
        {"cut to the capacity", u"0123456789012345678901234567890123456789012345678901234567890123456789"
                                u"0123456789012345678901234567890123456789",
         kFontNone, 1, 1,
         u"0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789",
         int16_t(serif)},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        cPObjBreak::SetFooterText(u"Song page # of ##");
        cPObjBreak::sCmdSetupBreak record;
        record.footerFont = int16_t(serif);
        window->chosen = c.chosen;
        uint32_t templateId = 0;
        std::u16string shownText, shownFont, fontAfter;
        int32_t limit = 0;
        test::ScriptScope scope([&](cDialogBox &d) {
            templateId = d.GetTemplateId();
            auto *input = dynamic_cast<cTextInput *>(d.FindControl(102));
            auto *label = dynamic_cast<cStaticText *>(d.FindControl(26727));
            ASSERT_NE(input, nullptr);
            ASSERT_NE(label, nullptr);
            ASSERT_NE(d.FindControl(26725), nullptr);
            shownText = input->Item().text;
            limit = input->GetMaxChars();
            shownFont = label->GetText();
            if (c.typed) input->Item().text = c.typed;
            d.Command(26725);
            fontAfter = label->GetText();
            d.Command(c.end);
        });
        cPObjBase::ClearOwnerRedrawArea();
        EXPECT_EQ(b->Setup(&record), c.answer);
        EXPECT_EQ(templateId, 1015u);
        EXPECT_EQ(shownText, u"Song page # of ##");
        EXPECT_EQ(limit, 100);
        EXPECT_EQ(shownFont, cFontTable::GetDescription(serif, window->GetDpi()));
        if (c.chosen != kFontNone) {
            EXPECT_EQ(fontAfter, cFontTable::GetDescription(c.chosen, 96));
        }
        EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), c.text);
        EXPECT_EQ(record.footerFont, c.font);
        // The whole window is drawn again, whatever the answer.
        EXPECT_FALSE(cPObjBase::GetOwnerRedrawArea()->IsEmpty());
    }
}

TEST_F(PageBreakTest, TheClassSetUpStoresTheChosenFontAndAFirstFooter) {
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);
    const uint16_t sans = window->FindFont(u"Sans", -40, 0);
    window->chosen = sans;
    cPObjBreak::SetFooterText(nullptr);
    {
        // Cancelled, the footer still has a text now: an empty one.
        test::ScriptScope scope([](cDialogBox &d) { d.Command(2); });
        EXPECT_EQ(b->RunClassSetup(nullptr), kFailed);
        ASSERT_NE(cPObjBreak::GetFooterText(), nullptr);
        EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), u"");
    }
    test::ScriptScope scope([](cDialogBox &d) {
        d.FindControl(102)->Item().text = u"# / ##";
        d.Command(26725);
        d.Command(1);
    });
    EXPECT_EQ(b->RunClassSetup(nullptr), 0);
    EXPECT_EQ(cPObjBreak::GetFooterFont(), int16_t(sans));
    EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), u"# / ##");
}
#endif

TEST_F(PageBreakTest, TheSetUpNeedsAScoreWindow) {
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);
    cPObjBase::SetCurrentWindow(nullptr);
    cPObjBreak::sCmdSetupBreak record;
    RaisedErrors errors;
    EXPECT_EQ(b->Setup(&record), 0);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
}

// --- Printing ---------------------------------------------------------------------

class PrintPagesTest : public PageBreakTest {
protected:
    void SetUp() override {
        PageBreakTest::SetUp();
        previous = SetPrintSpooler(&spooler);
        spooler.defaultPrinter = u"Laser";
        spooler.local = {test::cFakeSpooler::Printer(u"Laser")};
    }
    void TearDown() override {
        SetPrintSpooler(previous);
        PageBreakTest::TearDown();
    }
    test::cFakeSpooler spooler;
    cPrintSpooler *previous = nullptr;
};

// The fake printer's page is 4800 x 6600 dots, at zoom 1 as many units.
TEST_F(PrintPagesTest, ADocumentOfThreePagesPrintsThreePagesEachWithItsFooter) {
    cWinPrint device;
    ASSERT_TRUE(device.HasPrinter());
    ASSERT_EQ(device.Open(), RC_OK);
    spooler.calls.clear();
    gOutputWindow = &device;
    cPObjBreak::SetFooterText(u"Song page # of ##");
    Add(1, 100);
    Add(1, 7000);
    Add(1, 14000);
    document->Paginate();
    ASSERT_EQ(Children(), (std::vector<std::string>{"Point@100", "PageBreak@6600#1", "Point@7000",
                                                    "PageBreak@13200#2", "Point@14000"}));
    ASSERT_EQ(cPObjBreak::GetPageTotal(), 3);
    device.SetOrigin(30, 40);
    document->DrawPages();
    // The score window is the current one again.
    EXPECT_EQ(gCurrentScoreWindow, window.get());
    EXPECT_EQ(device.Close(), RC_OK);
    EXPECT_EQ(spooler.JobCalls(),
              (std::vector<std::string>{"EndPage", "StartPage", "EndPage", "StartPage", "EndPage", "EndDoc"}));
#if !defined(_WIN32)
    // Each page: its symbol, then its footer, each from the page's origin.
    std::vector<std::string> drawn;
    for (const sDrawRecord &r : device.Records()) {
        std::string line = r.op + " " + std::to_string(r.args[0]) + "," + std::to_string(r.args[1]) + " from " +
                           std::to_string(r.originY);
        if (!r.text.empty()) line += " " + Narrow(r.text);
        drawn.push_back(line);
    }
    const int32_t up = 5 + cFontTable::GetCharBox(uint16_t(cPObjBreak::GetFooterFont()))->Height() +
                       cFontTable::GetCharBox(uint16_t(cPObjBreak::GetFooterFont()))->y;
    EXPECT_EQ(drawn, (std::vector<std::string>{
                         "DrawPoint 5,100 from 0",
                         "DrawChars 25," + std::to_string(6600 - up) + " from 0 Song page 1 of 3",
                         "DrawPoint 5,7000 from -6600",
                         "DrawChars 25," + std::to_string(13200 - up) + " from -6600 Song page 2 of 3",
                         "DrawPoint 5,14000 from -13200",
                         "DrawChars 25," + std::to_string(6600 - 1 - up) + " from 0 Song page 3 of 3",
                     }));
#endif
}

TEST_F(PrintPagesTest, PrintingWithoutAnOutputDeviceIsReported) {
    Add(1, 100);
    RaisedErrors errors;
    document->DrawPages();
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
    EXPECT_EQ(gCurrentScoreWindow, window.get());
}

// --- The footer settings in the files ------------------------------------------------

class PageBreakFileTest : public test::ScoreFileTest {
protected:
    void SetUp() override {
        ScoreFileTest::SetUp();
        cPObjBase::ResetPrototypes();
    }
};

TEST_F(PageBreakFileTest, TheClassLineOfTheTextForm) {
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);  // the document is named "NoName"
    std::ostringstream line;
    b->ExportClassData(line);
    EXPECT_EQ(line.str(), " = " + std::to_string(window->GetDefaultFont()) + ", 100, \\u\"NoName page # of ##\", 25, -5");
    cPObjBreak::SetFooterText(nullptr);
    cPObjBreak::SetFooterFont(-1);
    cPObjBreak::SetFooterOffsets(-3, 12);
    line.str("");
    b->ExportClassData(line);
    EXPECT_EQ(line.str(), " = -1, 100, \"\", -3, 12");
}

TEST_F(PageBreakFileTest, TheClassDataTakesFourteenBytesAndTwoPerCharacter) {
    cPObjBreak::SetFooterFont(0);
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);
    for (const char16_t *text : {static_cast<const char16_t *>(nullptr), u"", u"ab#"}) {
        cPObjBreak::SetFooterText(text);
        cMemoryBinaryFile file(u"mem", std::string(), cBinaryFileBase::kWrite);
        b->SaveClassData(&file);
        EXPECT_EQ(b->GetClassDataSize(), int16_t(14 + 2 * TextLength(text)));
        EXPECT_EQ(file.Bytes().size(), size_t(b->GetClassDataSize()));
    }
}

TEST_F(PageBreakFileTest, TheSettingsComeBackWithTheFileAndTheFooterSitsFiveAboveItsLine) {
    const uint16_t font = window->FindFont(u"Serif", -27, kFontItalic);
    const std::u16string description = cFontTable::GetDescription(font, 96);
    auto *format = new cPObjFmtBreak;
    format->SetPosition(0, 900);
    ASSERT_TRUE(doc->InsertChild(format));
    cPObjBreak::SetFooterFont(int16_t(font));
    const char16_t text[] = {u'O', u'p', u'.', u' ', 0x00E9, 0x266A, u' ', u'#', u'/', u'#', u'#', 0};
    cPObjBreak::SetFooterText(text);
    cPObjBreak::SetFooterOffsets(40, -12);
    SaveBytes("footer.pmr");

    // Another document's settings and fonts meanwhile.
    cPObjBreak::SetFooterText(u"other");
    cPObjBreak::SetFooterOffsets(1, 2);
    cFontTable::ResetToStockFont();
    ASSERT_EQ(doc->LoadFile((folder + u"footer.pmr").c_str()), 0);
    EXPECT_EQ(test::DescribeTree(doc), "Window@0,0 0x0[FmtPageBreak@0,900]");
    EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), text);
    EXPECT_EQ(cPObjBreak::GetFooterCapacity(), 100);
    EXPECT_EQ(cPObjBreak::GetFooterOffsetX(), 40);
    EXPECT_EQ(cPObjBreak::GetFooterOffsetY(), -5);
    // The footer font is the file's, found in the file's font table.
    const char16_t *loaded = cFontTable::GetDescription(uint16_t(cPObjBreak::GetFooterFont()), 96);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(std::u16string(loaded), description);
}

// Files before 2.4.3 carry no footer settings and two more positions in
// every break's record.
TEST_F(PageBreakFileTest, OlderFilesCarryTwoMorePositionsAndNoSettings) {
    struct sCase {
        uint32_t version;
        bool settings;
    };
    for (const sCase &c : {sCase{0x2040200, false}, sCase{0x2040300, true}}) {
        SCOPED_TRACE(c.version);
        test::cScoreBytes b(c.version);
        const std::string footer = "F # of ##";
        test::cScoreBytes defaults(c.version);
        if (c.settings) defaults.U16(0).U16(50).Str(footer).U32(30).U32(uint32_t(-20));
        b.Header().U16(1).U16(16);
        b.Entry(1, "Point", b.PointSize(0, 0));
        for (int id = 2; id <= 11; ++id) b.U16(0);
        b.Entry(12, "Window", b.OwnerSize(0, 0, 0, 0));
        for (int id = 13; id <= 14; ++id) b.U16(0);
        b.U16(15).Str("PageBreak").U16(b.PointSize(0, 0)).U16(uint16_t(defaults.Size())).Raw(defaults.Bytes());
        b.U16(0);
        const uint16_t breakSize = uint16_t(b.PointSize(0, 700) + (c.settings ? 0 : b.PosSize(5) + b.PosSize(6)));
        b.Root(b.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 2);
        b.Child(15, breakSize).PointRecord(0, 700);
        if (!c.settings) b.Pos(5).Pos(6);
        b.Child(1, b.PointSize(3, 800)).PointRecord(3, 800).NoFonts();

        cPObjBreak::SetFooterText(u"before");
        ASSERT_EQ(LoadBytes(b.Bytes()), 0);
        EXPECT_EQ(test::DescribeTree(doc), "Window@0,0 0x0[PageBreak@0,700 Point@3,800]");
        if (c.settings) {
            EXPECT_EQ(Narrow(cPObjBreak::GetFooterText()), footer);
            EXPECT_EQ(cPObjBreak::GetFooterCapacity(), 50);
            EXPECT_EQ(cPObjBreak::GetFooterOffsetX(), 30);
            EXPECT_EQ(cPObjBreak::GetFooterOffsetY(), -5);
        } else {
            // The load starts from the reset settings; the first break read
            // gives the footer the document's name.
            EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), u"in page # of ##");
            EXPECT_EQ(cPObjBreak::GetFooterCapacity(), 100);
            EXPECT_EQ(cPObjBreak::GetFooterOffsetX(), 25);
        }
    }
}

// The class data read trusts neither the capacity nor the text's length.
TEST_F(PageBreakFileTest, DamagedSettingsAreCutOrRefusedWithoutHarm) {
    gFileVersion = 0x20C0500;
    auto bytes = [](uint16_t capacity, const std::string &text, uint16_t statedLength, bool offsets) {
        test::cScoreBytes b(0x20C0500);
        b.U16(0).U16(capacity).U16(statedLength);
        for (char ch : text) b.U8(uint8_t(ch)).U8(0);
        if (offsets) b.U32(7).U32(8);
        return b.Bytes();
    };
    struct sCase {
        const char *name;
        std::string data;
        int32_t size;
        tStatus answer;
        uint16_t capacity;
        const char16_t *text;
    };
    const std::string tail(20, 'z');
    const sCase cases[] = {
        {"a huge capacity is held to the longest footer", bytes(0xFFFF, "short", 10, true), 24, 0,
         cPObjBreak::kMaxCapacity, u"short"},
        {"a text longer than the capacity is cut", bytes(3, "longer", 12, true), 26, 0, 3, u"lon"},
        {"a text running past the settings is refused", bytes(100, "abc", 400, true), 20, kFailed, 100, u"kept"},
        {"the offsets missing is refused", bytes(100, "abc", 6, false), 12, kFailed, 100, u"kept"},
        {"a size beyond the file is refused", bytes(100, "abc", 6, true), 200, kFailed, 100, u"kept"},
        {"a negative size is refused", bytes(100, "abc", 6, true), -4, kFailed, 100, u"kept"},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        cPObjBase::ResetPrototypes();
        cPObjBreak::SetFooterText(u"kept");
        std::unique_ptr<cPObjBreak> b(new cPObjBreak);
        cMemoryBinaryFile file(u"mem", c.data + tail);
        EXPECT_EQ(b->LoadClassData(&file, c.size), c.answer);
        EXPECT_EQ(cPObjBreak::GetFooterCapacity(), c.capacity);
        EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), c.text);
        // Nothing beyond the stated size is ever taken.
        EXPECT_LE(file.GetPosition(), uint32_t(std::max(c.size, 0)));
        if (c.answer < 0) {
            EXPECT_EQ(file.GetPosition(), 0u);
        }
    }
}

// A file whose footer settings are damaged still loads: the dictionary
// passes over them and the settings keep their reset values.
TEST_F(PageBreakFileTest, AFileWithDamagedSettingsStillLoads) {
    test::cScoreBytes b(0x20C0500);
    test::cScoreBytes defaults(0x20C0500);
    defaults.U16(0).U16(100).U16(0x7FF0).U32(0).U32(0);
    b.Header().U16(1).U16(15);
    b.Entry(1, "Point", b.PointSize(0, 0));
    for (int id = 2; id <= 11; ++id) b.U16(0);
    b.Entry(12, "Window", b.OwnerSize(0, 0, 0, 0));
    for (int id = 13; id <= 14; ++id) b.U16(0);
    b.U16(15).Str("PageBreak").U16(b.PointSize(0, 0)).U16(uint16_t(defaults.Size())).Raw(defaults.Bytes());
    b.Root(b.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 1);
    b.Child(15, b.PointSize(0, 700)).PointRecord(0, 700).NoFonts();
    ASSERT_EQ(LoadBytes(b.Bytes()), 0);
    EXPECT_EQ(test::DescribeTree(doc), "Window@0,0 0x0[PageBreak@0,700]");
    EXPECT_EQ(cPObjBreak::GetFooterCapacity(), 100);
    EXPECT_EQ(cPObjBreak::GetFooterOffsetX(), 25);
}

}  // namespace
