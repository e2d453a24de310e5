// The score window of the Windows tests of set-up dialogs: a hidden top
// window whose every dialog runs the test's event handler, which plays the
// user (it posts the clicks at an init event; they run once the dialog is
// up).  It remembers the template of the last dialog, and its font dialog
// answers the font the test chose.  While a cDialogSafety lives, a dialog
// that never ends is cancelled after ten seconds, so a failure cannot hang.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/win32_win.h"
#include "ui/dialog_box.h"
#include "ui/view_port_top.h"

namespace test {

class cHiddenScoreTop : public cViewPortTop {
public:
    cHiddenScoreTop(const char16_t *name, tDialogEventHandler user) : cViewPortTop(SW_HIDE, name), user(user) {
        SetWindowStyle(kOverlapped);
        Open();
    }
    ~cHiddenScoreTop() override {
        if (GetWindowHandle()) DestroyWindow(GetWindowHandle());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    cDialogBox *NewDialogBox(uint32_t templateId, uint32_t topic) override {
        cDialogBox *dialog = cViewPortTop::NewDialogBox(templateId, topic);
        lastTemplate = templateId;
        if (dialog) dialog->SetEventHandler(user, 0);
        return dialog;
    }
    uint16_t ChooseFontDialog(uint16_t) override { return chosenFont; }

    uint32_t lastTemplate = 0;
    uint16_t chosenFont = kFontNone;

private:
    static constexpr uint32_t kOverlapped = 0x00CF0000;  // WS_OVERLAPPEDWINDOW, hidden
    tDialogEventHandler user;
};

class cDialogSafety {
public:
    cDialogSafety() : timer(SetTimer(nullptr, 0, 10000, Cancel)) { Watch(nullptr); }
    ~cDialogSafety() {
        KillTimer(nullptr, timer);
        Watch(nullptr);
    }
    cDialogSafety(const cDialogSafety &) = delete;
    cDialogSafety &operator=(const cDialogSafety &) = delete;

    // The user's handler names the dialog that is up.
    static void Watch(HWND dialog) { Watched() = dialog; }

private:
    static HWND &Watched() {
        static HWND dialog = nullptr;
        return dialog;
    }
    static void CALLBACK Cancel(HWND, UINT, UINT_PTR, DWORD) {
        if (Watched()) PostMessageW(Watched(), WM_COMMAND, IDCANCEL, 0);
    }
    UINT_PTR timer;
};

// The text a control of the dialog shows.
inline std::wstring DialogItemText(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

}  // namespace test
