// The symbols' set-up dialogs under the window system, built from the
// program's templates on a hidden window.  The window hands every dialog it
// makes an event handler that, at the init event of the dialog's last
// control, plays the user: it picks a combo entry, clicks a radio button and
// then OK (a thread timer cancels a dialog that never ends, so a failure
// cannot hang).
#include <gtest/gtest.h>

#include "document/line_symbol.h"
#include "foundation/win32_win.h"
#include "tests/document/symbol_fixture.h"
#include "tests/support/hidden_score_top_win.h"
#include "ui/dialog_box.h"

namespace {

// What the user does in the next dialog.
struct sUser {
    uint32_t lastControl = 0;
    int32_t comboEntry = -1;  // -1: leave the combo box
    uint32_t radio = 0;
};
sUser gUser;

int32_t PlayUser(uint32_t id, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    if (code != kDialogEventInit || id != gUser.lastControl) return code == kDialogEventClose ? RC_OK : RC_FAIL;
    HWND window = dialog->GetWindowHandle();
    test::cDialogSafety::Watch(window);
    if (gUser.comboEntry >= 0) SendDlgItemMessageW(window, 101, CB_SETCURSEL, WPARAM(gUser.comboEntry), 0);
    if (gUser.radio) PostMessageW(GetDlgItem(window, int(gUser.radio)), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    return RC_FAIL;
}

class SetupDialogTest : public test::SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        gUser = sUser();
        cPObjBase::SetCurrentWindow(&top);
    }
    test::cHiddenScoreTop top{u"SetupTop", PlayUser};
    test::cDialogSafety safety;
};

TEST_F(SetupDialogTest, TheEditDialogStoresTheChosenMode) {
    struct sCase {
        int32_t start;
        uint32_t radio;
        int32_t mode;
    };
    for (const sCase &c : {sCase{3, 26726, 2}, sCase{2, 26725, 3}, sCase{2, 0, 2}}) {
        ScaledObject *s = new ScaledObject;
        ScaledObject::sCmdSetupScaled record;
        record.editMode = c.start;
        gUser.lastControl = 26726;
        gUser.radio = c.radio;
        EXPECT_EQ(s->Setup(&record), 1);
        EXPECT_EQ(top.lastTemplate, 1018u);
        EXPECT_EQ(record.editMode, c.mode) << c.start << " " << c.radio;
        delete s;
    }
}

TEST_F(SetupDialogTest, TheLineDialogStoresTheChosenWidthAndMode) {
    struct sCase {
        int32_t entry;
        uint32_t radio;
        uint8_t width;
        int32_t mode;
    };
    for (const sCase &c : {sCase{11, 26727, 12, 2}, sCase{0, 26726, 1, 3}, sCase{-1, 0, 5, 3}}) {
        cLineObject *line = new cLineObject;
        cLineObject::sCmdSetupLine record;
        record.editMode = 3;
        record.lineWidth = 5;
        gUser.lastControl = 26727;
        gUser.comboEntry = c.entry;
        gUser.radio = c.radio;
        EXPECT_EQ(line->Setup(&record), 1);
        EXPECT_EQ(top.lastTemplate, 1014u);
        EXPECT_EQ(record.lineWidth, c.width) << c.entry;
        EXPECT_EQ(record.editMode, c.mode) << c.entry;
        delete line;
    }
}

}  // namespace
