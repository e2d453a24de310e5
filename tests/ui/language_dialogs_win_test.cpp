// The framework's own dialog templates under the window system: each is in
// the resources, and the language choice and the language file's header
// run through the main window with a thread timer playing the user.
#include <gtest/gtest.h>

#include <string>

#include "platform/op_sys_base.h"
#include "foundation/win32_win.h"
#include "ui/dialog_box.h"
#include "ui/language_dialogs.h"
#include "ui/view_port_top.h"

namespace {

constexpr uint32_t kOverlapped = 0x00CF0000;  // WS_OVERLAPPEDWINDOW, hidden

class cHiddenTop : public cViewPortTop {
public:
    cHiddenTop() : cViewPortTop(SW_HIDE, u"LanguageTop") { SetWindowStyle(kOverlapped); }
    ~cHiddenTop() override {
        if (GetWindowHandle()) DestroyWindow(GetWindowHandle());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
};

TEST(FrameworkDialogs, EveryTemplateIsInTheResources) {
    for (uint32_t id : {kSelectLanguageDialogId, kTranslateDialogItemId, kTranslateToolHintId, kLanguageFileDialogId,
                        kTranslateMenuSelectionId}) {
        SCOPED_TRACE(id);
        EXPECT_NE(FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5)), nullptr);
    }
}

// What the user does in the dialog with that title, once it is up.
struct sUser {
    const wchar_t *title = L"";
    void (*act)(HWND dialog) = nullptr;
    bool done = false;
    std::wstring seenLabel;
};
sUser *gUser;

BOOL CALLBACK FindTitled(HWND window, LPARAM found) {
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (std::wstring(title) == gUser->title) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK PlayUser(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTitled, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || gUser->done) return;
    gUser->done = true;
    KillTimer(nullptr, timer);
    gUser->act(dialog);
}

// The timer cancels a dialog that the user never found, so nothing hangs.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTitled, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

std::wstring TextOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

TEST(FrameworkDialogs, TheLanguageChoiceStoresTheChosenButton) {
    cHiddenTop top;
    top.Open();
    sUser user;
    user.title = L"Select Language";
    user.act = [](HWND dialog) {
        gUser->seenLabel = TextOf(GetDlgItem(dialog, 102));
        PostMessageW(GetDlgItem(dialog, 102), BM_CLICK, 0, 0);
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    };
    gUser = &user;
    cWindowLanguageUi ui;
    int32_t choice = 1;
    auto dialog = ui.NewDialogBox(kSelectLanguageDialogId, 1052);
    ASSERT_NE(dialog, nullptr);
    dialog->NewRadioButton(101, &choice, 1, u"Select English");
    dialog->NewRadioButton(102, &choice, 2, u"Select other language");
    SetTimer(nullptr, 0, 50, PlayUser);
    UINT_PTR safety = SetTimer(nullptr, 0, 10000, GiveUp);
    EXPECT_EQ(dialog->Open(), RC_OK);
    KillTimer(nullptr, safety);
    EXPECT_TRUE(user.done);
    EXPECT_EQ(user.seenLabel, L"Not English");
    EXPECT_EQ(choice, 2);
}

TEST(FrameworkDialogs, TheLanguageFileHeaderIsEditedInItsDialog) {
    cHiddenTop top;
    top.Open();
    sUser user;
    user.title = L"Language File";
    user.act = [](HWND dialog) {
        gUser->seenLabel = TextOf(GetDlgItem(dialog, 101));
        SetDlgItemTextW(dialog, 101, L"Deutsch");
        SetDlgItemTextW(dialog, 103, L"Team");
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    };
    gUser = &user;
    std::u16string language = u"English", comment = u"first", translator;
    SetTimer(nullptr, 0, 50, PlayUser);
    UINT_PTR safety = SetTimer(nullptr, 0, 10000, GiveUp);
    EXPECT_EQ(AskLanguageFileHeader(language, comment, translator), RC_OK);
    KillTimer(nullptr, safety);
    EXPECT_EQ(user.seenLabel, L"English");
    EXPECT_EQ(language, u"Deutsch");
    EXPECT_EQ(comment, u"first");
    EXPECT_EQ(translator, u"Team");
}

}  // namespace
