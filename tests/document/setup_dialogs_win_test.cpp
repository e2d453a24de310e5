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
#include "ui/dialog_box.h"
#include "ui/view_port_top.h"

namespace {

constexpr uint32_t kOverlapped = 0x00CF0000;  // WS_OVERLAPPEDWINDOW, hidden

// What the user does in the next dialog.
struct sUser {
    uint32_t lastControl = 0;
    int32_t comboEntry = -1;  // -1: leave the combo box
    uint32_t radio = 0;
    uint32_t templateId = 0;
    UINT_PTR safety = 0;
    HWND dialog = nullptr;
};
sUser gUser;

int32_t PlayUser(uint32_t id, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    if (code != kDialogEventInit || id != gUser.lastControl) return code == kDialogEventClose ? RC_OK : RC_FAIL;
    HWND window = dialog->GetWindowHandle();
    gUser.dialog = window;
    if (gUser.comboEntry >= 0) SendDlgItemMessageW(window, 101, CB_SETCURSEL, WPARAM(gUser.comboEntry), 0);
    if (gUser.radio) PostMessageW(GetDlgItem(window, int(gUser.radio)), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    return RC_FAIL;
}

void CALLBACK Safety(HWND, UINT, UINT_PTR, DWORD) {
    if (gUser.dialog) PostMessageW(gUser.dialog, WM_COMMAND, IDCANCEL, 0);
}

// The score window of these tests: hidden, and every dialog it makes plays
// the user.
class cScoreTop : public cViewPortTop {
public:
    cScoreTop() : cViewPortTop(SW_HIDE, u"SetupTop") {
        SetWindowStyle(kOverlapped);
        Open();
    }
    ~cScoreTop() override {
        if (GetWindowHandle()) DestroyWindow(GetWindowHandle());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    cDialogBox *NewDialogBox(uint32_t templateId, uint32_t topic) override {
        cDialogBox *dialog = cViewPortTop::NewDialogBox(templateId, topic);
        gUser.templateId = templateId;
        if (dialog) dialog->SetEventHandler(PlayUser, 0);
        return dialog;
    }
};

class SetupDialogTest : public test::SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        gUser = sUser();
        gUser.safety = SetTimer(nullptr, 0, 10000, Safety);
        cPObjBase::SetCurrentWindow(&top);
    }
    void TearDown() override {
        KillTimer(nullptr, gUser.safety);
        SymbolTest::TearDown();
    }
    cScoreTop top;
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
        EXPECT_EQ(gUser.templateId, 1018u);
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
        EXPECT_EQ(gUser.templateId, 1014u);
        EXPECT_EQ(record.lineWidth, c.width) << c.entry;
        EXPECT_EQ(record.editMode, c.mode) << c.entry;
        delete line;
    }
}

}  // namespace
