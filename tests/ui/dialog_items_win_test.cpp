// Items of a dialog template that have no id (pictures, frames) under
// translate mode: the program's dialogs grey them, so that a translator's
// clicks reach only items with texts to translate; the framework's own
// dialogs (the language choice among them) are left as they are.
#include <gtest/gtest.h>

#include <vector>

#include "platform/op_sys_base.h"
#include "foundation/win32_win.h"
#include "ui/dialog_box.h"
#include "ui/text_controls.h"
#include "ui/view_port_top.h"

namespace {

constexpr uint32_t kOverlapped = 0x00CF0000;  // WS_OVERLAPPEDWINDOW, hidden
constexpr uint32_t kProgramDialog = 1992;     // tests/ui/test_dialogs.rc

class cHiddenTop : public cViewPortTop {
public:
    cHiddenTop() : cViewPortTop(SW_HIDE, u"ItemsTop") { SetWindowStyle(kOverlapped); }
    ~cHiddenTop() override {
        if (GetWindowHandle()) DestroyWindow(GetWindowHandle());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
};

struct sSeen {
    HWND dialog = nullptr;
    bool looked = false;
    std::vector<bool> enabled;  // of each item without an id
};
sSeen *gSeen;

BOOL CALLBACK CollectItemsWithoutId(HWND child, LPARAM) {
    if ((GetWindowLongW(child, GWL_ID) & 0xFFFF) == 0xFFFF) gSeen->enabled.push_back(IsWindowEnabled(child) != 0);
    return TRUE;
}

// Runs once the dialog is set up: looks, then leaves translate mode so that
// Cancel ends the dialog instead of opening the translation editor.
void CALLBACK Look(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EnumChildWindows(gSeen->dialog, CollectItemsWithoutId, 0);
    gSeen->looked = true;
    gOpSys->SetTranslateMode(false);
    PostMessageW(gSeen->dialog, WM_COMMAND, IDCANCEL, 0);
}

int32_t StartLooking(uint32_t, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    if (code == kDialogEventInit && !gSeen->dialog) {
        gSeen->dialog = dialog->GetWindowHandle();
        SetTimer(nullptr, 0, 20, Look);
    }
    return code == kDialogEventClose ? RC_OK : RC_FAIL;
}

TEST(DialogItems, TranslateModeGreysItemsWithoutAnIdOnlyInTheProgramsDialogs) {
    struct sCase {
        uint32_t dialog;
        std::vector<bool> enabled;
    };
    const sCase cases[] = {
        {kProgramDialog, {false}},
        {kSelectLanguageDialogId, std::vector<bool>(7, true)},
    };
    cHiddenTop top;
    top.Open();
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.dialog);
        sSeen seen;
        gSeen = &seen;
        gOpSys->SetTranslateMode(true);
        cDialogBox *dialog = top.NewDialogBox(c.dialog, 0);
        dialog->NewStaticText(101, nullptr, 0);
        dialog->SetEventHandler(StartLooking, 0);
        tStatus result = dialog->Open();
        delete dialog;
        gOpSys->SetTranslateMode(false);
        EXPECT_EQ(result, RC_FAIL);
        EXPECT_TRUE(seen.looked);
        EXPECT_EQ(seen.enabled, c.enabled);
    }
}

}  // namespace
