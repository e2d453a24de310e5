// Character and text symbols under the window system: the character dialog
// built from its template on a hidden window, where the user circles the
// characters and picks a font, and characters and texts drawn by GDI on a
// memory picture, whose ink lies within the bounds they answer.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/win32_win.h"
#include "tests/document/text_symbols_fixture.h"
#include "tests/support/canvas_device_win.h"
#include "tests/support/hidden_score_top_win.h"
#include "ui/dialog_box.h"

namespace {

using test::DialogItemText;
using test::TextSymbolTest;

// What the user does in the next dialog, and what the dialog showed.
struct sUser {
    bool clickCircle = false;
    bool clickFont = false;
    int endButton = IDOK;
    UINT checkedAtOpen = 0;
    UINT checkedAtClose = 0;
    std::wstring shownAtOpen;
    std::wstring shownAtClose;
};
sUser gUser;

// At the init event of the description, the last control the symbol binds,
// the clicks are queued; they run once the dialog is up.  At closing, what
// the dialog shows is kept.
int32_t PlayUser(uint32_t id, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    HWND window = dialog->GetWindowHandle();
    if (code == kDialogEventClose) {
        gUser.checkedAtClose = IsDlgButtonChecked(window, CharObject::kCircledBox);
        gUser.shownAtClose = DialogItemText(window, CharObject::kFontText);
        return RC_OK;
    }
    if (code != kDialogEventInit || id != CharObject::kFontText) return RC_FAIL;
    test::cDialogSafety::Watch(window);
    gUser.checkedAtOpen = IsDlgButtonChecked(window, CharObject::kCircledBox);
    gUser.shownAtOpen = DialogItemText(window, CharObject::kFontText);
    if (gUser.clickCircle) PostMessageW(GetDlgItem(window, CharObject::kCircledBox), BM_CLICK, 0, 0);
    if (gUser.clickFont) PostMessageW(GetDlgItem(window, CharObject::kFontButton), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(window, gUser.endButton), BM_CLICK, 0, 0);
    return RC_FAIL;
}

class CharacterDialogTest : public TextSymbolTest {
protected:
    void SetUp() override {
        TextSymbolTest::SetUp();
        gUser = sUser();
        cPObjBase::SetCurrentWindow(&top);
    }
    test::cHiddenScoreTop top{u"TextSetupTop", PlayUser};
    test::cDialogSafety safety;
};

std::wstring Wide(const char16_t *text) {
    std::wstring wide;
    for (const char16_t *p = text; p && *p; ++p) wide.push_back(wchar_t(*p));
    return wide;
}

TEST_F(CharacterDialogTest, TheUserCirclesTheCharactersAndPicksAFont) {
    const uint16_t start = top.FindFont(u"DejaVu Sans", -13, 0);
    const uint16_t chosen = top.FindFont(u"DejaVu Serif", -27, kFontBold);
    ASSERT_NE(start, kFontNone);
    ASSERT_NE(chosen, kFontNone);
    ASSERT_NE(start, chosen);
    top.chosenFont = chosen;
    struct sCase {
        const char *name;
        uint8_t style;
        bool clickCircle, clickFont;
        int endButton;
        int32_t answer;
        uint8_t styleAfter;
        uint16_t fontAfter;
    };
    const sCase cases[] = {
        {"circle and font", 0, true, true, IDOK, 1, 8, chosen},
        {"uncircle", 8, true, false, IDOK, 1, 0, start},
        {"cancelled", 0, true, true, IDCANCEL, 0, 0, start},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CharObject> ch(new CharObject);
        CharObject::sCmdSetupChar record;
        record.frameStyle = c.style;
        record.fontIndex = int16_t(start);
        gUser.clickCircle = c.clickCircle;
        gUser.clickFont = c.clickFont;
        gUser.endButton = c.endButton;
        EXPECT_EQ(ch->Setup(&record), c.answer);
        EXPECT_EQ(top.lastTemplate, 1008u);
        EXPECT_EQ(gUser.checkedAtOpen, (c.style & 8) ? UINT(BST_CHECKED) : UINT(BST_UNCHECKED));
        EXPECT_EQ(gUser.shownAtOpen, Wide(cFontTable::GetDescription(start, top.GetDpi())));
        EXPECT_EQ(gUser.checkedAtClose != gUser.checkedAtOpen, c.clickCircle);
        // The description beside the button follows the font picked.
        EXPECT_EQ(gUser.shownAtClose, Wide(cFontTable::GetDescription(c.clickFont ? chosen : start, top.GetDpi())));
        EXPECT_EQ(record.frameStyle, c.styleAfter);
        EXPECT_EQ(record.fontIndex, int16_t(c.fontAfter));
    }
}

// ---- Ink on a memory picture --------------------------------------------------

constexpr int kWidth = 240, kHeight = 120;

class TextInkTest : public TextSymbolTest, protected test::cCanvasDevice {
protected:
    TextInkTest() : cCanvasDevice(kWidth, kHeight, u"dib") {}
    void SetUp() override {
        TextSymbolTest::SetUp();
        ASSERT_TRUE(OpenDevice());
        cPObjBase::SetCurrentWindow(device.get());
        font = device->FindFont(u"DejaVu Sans", -28, 0);
        ASSERT_NE(font, kFontNone);
    }
    void TearDown() override {
        cPObjBase::SetCurrentWindow(nullptr);
        CloseDevice();
        TextSymbolTest::TearDown();
    }

    // Ink within the bounds (a pixel of slack for edge smoothing) and none
    // outside; answers the ink inside.
    int InkWithin(const cRectangl &bounds) {
        const int left = bounds.Left() - 1, right = bounds.Right() + 1;
        const int top = bounds.Top() - 1, bottom = bounds.Bottom() + 1;
        const int all = canvas.DarkIn(0, 0, kWidth - 1, kHeight - 1);
        const int inside = canvas.DarkIn(left, top, right, bottom);
        EXPECT_EQ(all, inside) << "ink outside " << left << "," << top << " - " << right << "," << bottom;
        return inside;
    }

    uint16_t font = kFontNone;
};

TEST_F(TextInkTest, ACharacterAndItsCircleInkOnlyTheirBounds) {
    CharObject::SetClassFont(int16_t(font));
    for (uint8_t style : {uint8_t(0), uint8_t(8)}) {
        SCOPED_TRACE(int(style));
        device->FillRect(0, 0, kWidth, kHeight, 0xFFFFFF);
        std::unique_ptr<CharObject> ch(new CharObject);
        ch->SetPosition(60, 70);
        ch->SetChar(u'H');
        ch->SetFrameStyle(style);
        ch->Draw();
        const cRectangl bounds = *ch->GetBounds();
        EXPECT_GT(InkWithin(bounds), 20);
        // The glyph stands on the baseline, inside its cell.
        EXPECT_GT(canvas.DarkIn(60, 70 - 4, 60 + 4, 70 - 1), 0);
        if (style) {
            // The circle reaches the four sides of the bounds.
            const int midX = (bounds.Left() + bounds.Right()) / 2, midY = (bounds.Top() + bounds.Bottom()) / 2;
            EXPECT_GT(canvas.DarkIn(bounds.Left(), midY - 2, bounds.Left() + 1, midY + 2), 0);
            EXPECT_GT(canvas.DarkIn(bounds.Right() - 1, midY - 2, bounds.Right(), midY + 2), 0);
            EXPECT_GT(canvas.DarkIn(midX - 2, bounds.Top(), midX + 2, bounds.Top() + 1), 0);
            EXPECT_GT(canvas.DarkIn(midX - 2, bounds.Bottom() - 1, midX + 2, bounds.Bottom()), 0);
        }
    }
}

TEST_F(TextInkTest, ATextInksItsBoundsFromEndToEnd) {
    TextObject::SetClassFont(int16_t(font));
    std::unique_ptr<TextObject> text(new TextObject);
    text->SetPosition(30, 80);
    text->SetText(u"HHHHHH");
    text->Draw();
    const cRectangl bounds = *text->GetBounds();
    EXPECT_GT(bounds.Width(), 60);
    EXPECT_GT(InkWithin(bounds), 100);
    // Its first and its last character are drawn where the bounds end.
    EXPECT_GT(canvas.DarkIn(bounds.Left(), bounds.Top(), bounds.Left() + 8, bounds.Bottom()), 0);
    EXPECT_GT(canvas.DarkIn(bounds.Right() - 8, bounds.Top(), bounds.Right(), bounds.Bottom()), 0);
}

}  // namespace
