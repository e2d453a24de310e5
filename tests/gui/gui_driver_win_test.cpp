// The driver's dialog setters against a dialog of every control kind, run
// on a thread of the test's own: each setter changes its control and the
// dialog hears of it as from the user.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/gui/gui_driver_win.h"

using namespace gui;

namespace {

constexpr int kEveryControlDialog = 1990;

// What the dialog heard, as "command <id> <code>" and "scroll <code> <pos>".
std::mutex gHeardLock;
std::vector<std::string> gHeard;

void Hear(const std::string &what) {
    std::lock_guard<std::mutex> lock(gHeardLock);
    gHeard.push_back(what);
}

std::vector<std::string> Heard() {
    std::lock_guard<std::mutex> lock(gHeardLock);
    return gHeard;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        for (const wchar_t *text : {L"One", L"Two", L"Three"}) {
            SendDlgItemMessageW(dialog, 110, LB_ADDSTRING, 0, LPARAM(text));
            SendDlgItemMessageW(dialog, 111, CB_ADDSTRING, 0, LPARAM(text));
        }
        SetScrollRange(GetDlgItem(dialog, 109), SB_CTL, 0, 100, FALSE);
        return TRUE;
    case WM_COMMAND:
        Hear("command " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
        if (LOWORD(wParam) == IDOK) DestroyWindow(dialog);
        return TRUE;
    case WM_HSCROLL:
        Hear("scroll " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

// The dialog with its own message loop, on a thread of its own.
class DialogThread {
public:
    DialogThread() {
        thread = std::thread([this] {
            HWND made = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kEveryControlDialog), nullptr,
                                           DialogProc, 0);
            {
                std::lock_guard<std::mutex> lock(m);
                dialog = made;
                ready = true;
            }
            cv.notify_all();
            MSG msg;
            while (made && GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (IsDialogMessageW(made, &msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        });
        std::unique_lock<std::mutex> lock(m);
        cv.wait_for(lock, std::chrono::seconds(30), [this] { return ready; });
    }
    ~DialogThread() {
        if (dialog && IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        thread.join();
    }
    HWND dialog = nullptr;

private:
    std::thread thread;
    std::mutex m;
    std::condition_variable cv;
    bool ready = false;
};

// Waits until the dialog heard it.
bool WaitToHear(const std::string &what) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20))
        for (const std::string &h : Heard())
            if (h == what) return true;
    return false;
}

TEST(GuiDriver, DialogSettersChangeTheControlsAndTellTheDialog) {
    DialogThread run;
    HWND dialog = run.dialog;
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(DialogItem(dialog, 112), nullptr);
    EXPECT_EQ(DialogItem(dialog, 4711), nullptr);

    ASSERT_TRUE(SetItemText(dialog, 112, u"Allegro"));
    EXPECT_EQ(ItemText(dialog, 112), u"Allegro");
    EXPECT_TRUE(WaitToHear("command 112 " + std::to_string(EN_CHANGE)));

    EXPECT_TRUE(SetCheck(dialog, 106, true));
    EXPECT_TRUE(WaitToHear("command 106 " + std::to_string(BN_CLICKED)));
    EXPECT_TRUE(SetCheck(dialog, 106, false));
    EXPECT_TRUE(SetCheck(dialog, 105, true));  // a radio button of the group
    EXPECT_EQ(SendDlgItemMessageW(dialog, 105, BM_GETCHECK, 0, 0), BST_CHECKED);

    ASSERT_TRUE(SelectComboItem(dialog, 111, 2));
    EXPECT_EQ(SendDlgItemMessageW(dialog, 111, CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(WaitToHear("command 111 " + std::to_string(CBN_SELCHANGE)));
    EXPECT_FALSE(SelectComboItem(dialog, 111, 7));

    ASSERT_TRUE(SelectListItem(dialog, 110, 1));
    EXPECT_EQ(SendDlgItemMessageW(dialog, 110, LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(WaitToHear("command 110 " + std::to_string(LBN_SELCHANGE)));

    ASSERT_TRUE(SetScrollPosition(dialog, 109, 40));
    EXPECT_EQ(GetScrollPos(DialogItem(dialog, 109), SB_CTL), 40);
    EXPECT_TRUE(WaitToHear("scroll " + std::to_string(SB_THUMBPOSITION) + " 40"));

    ASSERT_TRUE(PressButton(dialog, 114));
    EXPECT_TRUE(WaitToHear("command 114 " + std::to_string(BN_CLICKED)));
}

TEST(GuiDriver, TheClipboardTextIsRead) {
    const std::u16string text = u"C D E \u00e9";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto *chars = static_cast<wchar_t *>(GlobalLock(memory));
    std::copy(text.begin(), text.end(), chars);
    chars[text.size()] = 0;
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    EXPECT_EQ(ClipboardText(), text);
}

}  // namespace
