// Page breaks under the window system: the "Page Break Setup" dialog built
// from the program's template on a hidden window, with a user played by the
// dialog's event handler, and a document printed through the print
// recorder, which lists the text drawn on every page.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/registry.h"
#include "foundation/win32_win.h"
#include "tests/document/symbol_fixture.h"
#include "tests/support/hidden_score_top_win.h"
#include "tests/test_support.h"
#include "ui/dialog_box.h"
#include "ui/print_recorder.h"
#include "ui/win_print.h"

namespace {

using test::DialogItemText;

// What the user does in the dialog, and what the dialog showed.
struct sUser {
    const wchar_t *typed = nullptr;
    bool pressFont = false;
    uint32_t button = IDOK;
    std::wstring initialText;
    std::wstring fontShownAtClose;
};
sUser gUser;

// At the init event of the font's description (the last control bound)
// the dialog is up: the user types, presses the font button and ends.  At
// closing, the description shown is kept.
int32_t PlayUser(uint32_t id, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    HWND window = dialog->GetWindowHandle();
    if (code == kDialogEventClose) {
        gUser.fontShownAtClose = DialogItemText(window, 26727);
        return RC_OK;
    }
    if (code != kDialogEventInit || id != 26727) return RC_FAIL;
    test::cDialogSafety::Watch(window);
    gUser.initialText = DialogItemText(window, 102);
    if (gUser.typed) SetDlgItemTextW(window, 102, gUser.typed);
    if (gUser.pressFont) PostMessageW(GetDlgItem(window, 26725), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(window, int(gUser.button)), BM_CLICK, 0, 0);
    return RC_FAIL;
}

class PageBreakDialogTest : public test::SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        gUser = sUser();
        cPObjBase::SetCurrentWindow(&top);
        cPObjBase::ResetPrototypes();
    }
    test::cHiddenScoreTop top{u"PageBreakTop", PlayUser};
    test::cDialogSafety safety;
};

TEST_F(PageBreakDialogTest, TheDialogStoresTheFooterTextAndTheChosenFont) {
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);
    const uint16_t serif = top.FindFont(u"Times New Roman", -16, 0);
    const uint16_t sans = top.FindFont(u"Arial", -24, kFontBold);
    ASSERT_NE(serif, kFontNone);
    ASSERT_NE(sans, kFontNone);
    cPObjBreak::SetFooterText(u"Song page # of ##");
    cPObjBreak::SetFooterFont(int16_t(serif));
    top.chosenFont = sans;
    gUser.typed = L"Op. 9 \x2013 # of ##";
    gUser.pressFont = true;
    EXPECT_EQ(b->RunClassSetup(nullptr), 0);
    EXPECT_EQ(top.lastTemplate, 1015u);
    EXPECT_EQ(gUser.initialText, L"Song page # of ##");
    EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), u"Op. 9 \x2013 # of ##");
    EXPECT_EQ(cPObjBreak::GetFooterFont(), int16_t(sans));
    const std::u16string described = cFontTable::GetDescription(sans, 96);
    EXPECT_EQ(gUser.fontShownAtClose, std::wstring(described.begin(), described.end()));
}

TEST_F(PageBreakDialogTest, CancelKeepsTheFooter) {
    std::unique_ptr<cPObjBreak> b(new cPObjBreak);
    cPObjBreak::SetFooterText(u"Song page # of ##");
    cPObjBreak::SetFooterFont(0);
    top.chosenFont = top.FindFont(u"Arial", -24, 0);
    gUser.typed = L"lost";
    gUser.pressFont = true;
    gUser.button = IDCANCEL;
    EXPECT_EQ(b->RunClassSetup(nullptr), kFailed);
    EXPECT_EQ(top.lastTemplate, 1015u);
    EXPECT_EQ(std::u16string(cPObjBreak::GetFooterText()), u"Song page # of ##");
    EXPECT_EQ(cPObjBreak::GetFooterFont(), 0);
}

// A y-ordered document printed page by page: the recorder lists the text
// of each page, the footer that names it.
class cPagedDocument : public PointWindowObject {
public:
    using PointWindowObject::PointWindowObject;
    int32_t GetChildOrder() const override { return 0; }
};

class PageBreakPrintTest : public test::SymbolTest {};

TEST_F(PageBreakPrintTest, EveryPrintedPageCarriesItsFooter) {
    ASSERT_EQ(test::BuildTestRegistry(), 0);
    const std::u16string path = test::MakeTempFolder("page_break_print") + u"print.txt";
    cRecordingPrintSpooler recorder(path);
    cPrintSpooler *previous = SetPrintSpooler(&recorder);
    {
        test::cTestScoreWindow window;
        cWinPrint printer;
        ASSERT_EQ(printer.Open(), RC_OK);
        cPObjBase::SetOutputWindow(&printer);
        cPagedDocument document(&window);
        document.SetFileName(u"Song.pmr");
        cPObjBase::ResetPrototypes();
        const int32_t page = cPObjBreak::PageHeight();
        ASSERT_EQ(page, cRecordingPrintSpooler::kPageHeight);
        for (int32_t y : {100, page + 100, 2 * page + 100}) {
            cPObjPoint *c = new cPObjPoint;
            c->SetPosition(50, y);
            ASSERT_TRUE(document.InsertChild(c));
        }
        document.Paginate();
        ASSERT_EQ(cPObjBreak::GetPageTotal(), 3);
        document.DrawPages();
        EXPECT_EQ(printer.Close(), RC_OK);
        cPObjBase::SetOutputWindow(nullptr);
    }
    SetPrintSpooler(previous);
    // The pages and the texts on them: each ends with its footer.
    std::vector<std::string> pages;
    for (const std::string &line : test::SplitLines(test::ReadFileBytes(path))) {
        if (line.rfind("page ", 0) == 0) pages.push_back("page:");
        const size_t footer = line.find(" Song ");
        if (line.rfind("  text ", 0) == 0 && !pages.empty() && footer != std::string::npos)
            pages.back() += line.substr(footer);
    }
    EXPECT_EQ(pages, (std::vector<std::string>{"page: Song page 1 of 3", "page: Song page 2 of 3",
                                               "page: Song page 3 of 3"}));
}

}  // namespace
