// The on-line report offer under the window system: the warning box is the
// main window's, so the window is disabled while the user decides.
#include <gtest/gtest.h>

#include <string>

#include "foundation/win32_win.h"
#include "tests/platform/local_op_sys.h"
#include "ui/view_port_top.h"

namespace {

PELMORA_ERROR_TABLE(kStaffErrors, u"StaffObj", u"No staff");

constexpr uint32_t kOverlapped = 0x00CF0000;  // WS_OVERLAPPEDWINDOW, hidden

class cHiddenTop : public cViewPortTop {
public:
    cHiddenTop() : cViewPortTop(SW_HIDE, u"ReportTop") { SetWindowStyle(kOverlapped); }
    ~cHiddenTop() override {
        if (GetWindowHandle()) DestroyWindow(GetWindowHandle());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
};

struct sSeen {
    bool found = false;
    HWND owner = nullptr;
    bool ownerEnabled = true;
};
sSeen gSeen;
HWND gTop = nullptr;

BOOL CALLBACK FindWarning(HWND window, LPARAM found) {
    wchar_t title[32] = {};
    GetWindowTextW(window, title, 32);
    if (std::wstring(title) == L"Warning") {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Looks at the box once it is up, then answers Cancel.
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindWarning, reinterpret_cast<LPARAM>(&box));
    if (!box || gSeen.found) return;
    KillTimer(nullptr, timer);
    gSeen.found = true;
    gSeen.owner = GetWindow(box, GW_OWNER);
    gSeen.ownerEnabled = IsWindowEnabled(gTop) != FALSE;
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

TEST(OnlineReportWin, TheWarningBoxBelongsToTheMainWindow) {
    test::LocalOpSys os("online_report_owner", u"");
    os->SetScriptedBoxAnswer(0);  // a real box, answered by the timer
    cHiddenTop top;
    top.Open();
    ASSERT_NE(top.GetWindowHandle(), nullptr);
    gTop = top.GetWindowHandle();
    os->SetMainWindow(&top);
    gSeen = sSeen();
    UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerBox);
    RaiseError(&kStaffErrors, 0 | ERR_REPORT);
    KillTimer(nullptr, timer);
    os->SetMainWindow(nullptr);
    ASSERT_TRUE(gSeen.found);
    EXPECT_EQ(gSeen.owner, top.GetWindowHandle());
    EXPECT_FALSE(gSeen.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(top.GetWindowHandle()));
    // Cancel: no page is opened.
    EXPECT_EQ(os.ShellRequests(), "");
}

}  // namespace
