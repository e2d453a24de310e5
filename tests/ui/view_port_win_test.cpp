// Viewports with real windows: the window procedure's routing of clicks at a
// zoom, the wheel and the scroll bars the system shows, painting, window
// classes, closing the top-level window, Alt+F4, the popup menu's handle and
// a dialog run through the dialog procedure.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/op_sys_base.h"
#include "platform/win_types.h"
#include "tests/platform/local_op_sys.h"
#include "tests/platform/log_capture.h"
#include "ui/view_port_top.h"

namespace {

// Test windows stay hidden: showing a top-level window makes the display
// server wait for it, and nothing here needs to be seen.
constexpr uint32_t kOverlapped = 0x00CF0000;  // WS_OVERLAPPEDWINDOW

// Runs the thread's messages until `done` holds or the time is up.
template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    while (!done()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(int(msg.wParam));  // left for the test to see
                return done();
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(5);
    }
    return true;
}

// Takes a pending quit message; true when there was one.
bool TakeQuit() {
    MSG msg;
    bool found = false;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) found = true;
    return found;
}

class cProbeView : public cViewPort {
public:
    cProbeView(cMessageDvcBase *owner, uint32_t style, const char16_t *name) : cViewPort(owner, style, name) {
        SetShowMode(SW_HIDE);
    }
    tStatus OnLeftDown(int32_t x, int32_t y, sWinMessage &) override {
        calls.push_back("LeftDown " + std::to_string(x) + "," + std::to_string(y));
        return RC_OK;
    }
    tStatus OnPaint(sWinMessage &record) override {
        auto *update = reinterpret_cast<const RECT *>(record.lParam);
        calls.push_back("Paint " + std::string(GetHeldDC() ? "dc " : "no dc ") +
                        (update ? std::to_string(update->right - update->left) : std::string("-")));
        return RC_OK;
    }
    tStatus CanClose() override {
        calls.push_back("CanClose");
        return RC_OK;
    }
    tStatus OnClose(sWinMessage &record) override {
        calls.push_back("Close");
        return cViewPort::OnClose(record);
    }
    void ForceDeviceSize(int32_t w, int32_t h) { cGraphDvcBase::SetSize(w, h); }
    std::vector<std::string> calls;
};

class cProbeTop : public cViewPortTop {
public:
    cProbeTop() : cViewPortTop(SW_HIDE, u"ProbeTop") { SetWindowStyle(kOverlapped); }
    ~cProbeTop() override { TakeQuit(); }
};

TEST(ViewPortWindow, AClickAtZoomTwoReachesTheHandlerInLogicalUnits) {
    cProbeView view(nullptr, kOverlapped, u"Clicks");
    view.Open();
    HWND window = view.GetWindowHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowObject(window), &view);
    view.SetZoomX(2.0f);
    view.SetZoomY(2.0f);
    view.calls.clear();
    test::LogCapture log("click_zoom2");
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(41, 21));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"LeftDown 21,11"}));
    EXPECT_EQ(log.Text(), "Clicks: L+=21,11\r\n");
    EXPECT_EQ(view.GetMouseX(), 21);
}

TEST(ViewPortWindow, TheWheelScrollsOneLineAndTheBarsShowPageAndPosition) {
    cProbeView frame(nullptr, kOverlapped, u"Frame");
    frame.Open();
    auto *view = new cProbeView(&frame, 0, u"Scrolled");
    frame.AddListener(view);
    view->UseHorzScrollBar();
    view->UseVertScrollBar();
    view->SetFrameRect(0, 0, 540, 440);
    view->Open();
    HWND window = view->GetWindowHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), frame.GetWindowHandle());
    view->ForceDeviceSize(500, 400);
    view->SetScrollExtent(2000, 1500);
    view->SetOrigin(-750, 0);

    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(window, SB_HORZ, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 99);
    EXPECT_EQ(info.nPage, 25u);
    EXPECT_EQ(info.nPos, 37);

    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-360)), 0);  // three notches: one line
    EXPECT_EQ(view->GetOriginY(), -80);
    ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &info));
    EXPECT_EQ(info.nPage, 26u);
    EXPECT_EQ(info.nPos, 5);
    SendMessageW(window, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), 0);
    EXPECT_EQ(view->GetOriginX(), -1500);
    ASSERT_TRUE(GetScrollInfo(window, SB_HORZ, &info));
    EXPECT_EQ(info.nPos, 75);
}

TEST(ViewPortWindow, PaintingHandsTheWindowContextAndTheUpdateArea) {
    cProbeView view(nullptr, kOverlapped | WS_VISIBLE, u"Painted");  // only a shown window paints
    view.SetShowMode(SW_SHOWNOACTIVATE);
    view.Open();
    HWND window = view.GetWindowHandle();
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    view.calls.clear();
    RECT area{10, 10, 50, 30};
    InvalidateRect(window, &area, FALSE);
    UpdateWindow(window);
    ASSERT_EQ(view.calls.size(), 1u);
    EXPECT_EQ(view.calls[0].substr(0, 9), "Paint dc ");
    EXPECT_EQ(view.GetHeldDC(), nullptr);  // given back after the paint
}

TEST(ViewPortWindow, ClassNamesAndSharedClasses) {
    cProbeView unnamed(nullptr, 0x12CF0000, u"");
    unnamed.Open();
    wchar_t buf[128];
    ASSERT_GT(GetClassNameW(unnamed.GetWindowHandle(), buf, 128), 0);
    EXPECT_EQ(std::u16string(U(buf)), u"VPClass315555840");
    GetWindowTextW(unnamed.GetWindowHandle(), buf, 128);
    EXPECT_EQ(std::u16string(U(buf)), u"VPClass315555840");

    // The second viewport of a name and style keeps the first one's class.
    cProbeView grey(nullptr, kOverlapped, u"Twin");
    grey.UseGrayBackground();
    grey.Open();
    cProbeView white(nullptr, kOverlapped, u"Twin");
    white.Open();
    auto brush = [](HWND w) { return GetClassLongPtrW(w, GCLP_HBRBACKGROUND); };
    EXPECT_EQ(brush(white.GetWindowHandle()), reinterpret_cast<ULONG_PTR>(GetStockObject(LTGRAY_BRUSH)));
    EXPECT_EQ(brush(grey.GetWindowHandle()), brush(white.GetWindowHandle()));
}

TEST(ViewPortWindow, ClosingTheTopWindowAsksDestroysQuitsAndEmptiesTheMap) {
    size_t before = WindowMapCount();
    cProbeTop top;
    top.Open();
    HWND topWindow = top.GetWindowHandle();
    ASSERT_NE(topWindow, nullptr);
    auto *listener = new cProbeView(&top, 0x50000000, u"Listener");
    top.AddListener(listener);
    listener->Open();
    cProbeView child(&top, 0x50000000, u"Child");
    child.Open();
    HWND listenerWindow = listener->GetWindowHandle(), childWindow = child.GetWindowHandle();
    EXPECT_EQ(WindowMapCount(), before + 3);
    EXPECT_NE(top.FindRegisteredWindow(&child), nullptr);
    TakeQuit();

    SendMessageW(topWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(listener->calls, (std::vector<std::string>{"CanClose", "Close", "CanClose"}));
    EXPECT_FALSE(IsWindow(topWindow));
    EXPECT_FALSE(IsWindow(listenerWindow));
    EXPECT_FALSE(IsWindow(childWindow));
    EXPECT_EQ(WindowMapCount(), before);
    EXPECT_EQ(top.GetWindowHandle(), nullptr);
    EXPECT_EQ(top.FindRegisteredWindow(&top), nullptr);  // closed: unregistered
    EXPECT_TRUE(TakeQuit());
}

TEST(ViewPortWindow, AltF4ReachesTheSystemAndClosesTheTopWindow) {
    cProbeTop top;
    top.Open();
    HWND window = top.GetWindowHandle();
    ASSERT_NE(window, nullptr);
    TakeQuit();
    const LPARAM altF4 = (LPARAM(1) << 29) | (LPARAM(0x3E) << 16) | 1;
    SendMessageW(window, WM_SYSKEYDOWN, VK_F4, altF4);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
    EXPECT_TRUE(TakeQuit());
}

TEST(ViewPortWindow, APopupHandleLivesUntilTheNextOneOrTheWindowGoes) {
    HMENU first = CreatePopupMenu(), second = CreatePopupMenu();
    {
        cProbeView view(nullptr, kOverlapped, u"Popups");
        view.AdoptPopupHandle(first);
        EXPECT_TRUE(IsMenu(first));
        view.AdoptPopupHandle(second);
        EXPECT_FALSE(IsMenu(first));
        EXPECT_TRUE(IsMenu(second));
        EXPECT_EQ(view.GetPopupHandle(), second);
    }
    EXPECT_FALSE(IsMenu(second));
}

TEST(ViewPortWindow, DeletingAWindowObjectDestroysItsWindowWithoutQuitting) {
    HWND window = nullptr;
    TakeQuit();
    {
        cProbeView view(nullptr, kOverlapped, u"Short");
        view.Open();
        window = view.GetWindowHandle();
        ASSERT_NE(window, nullptr);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowObject(window), nullptr);
    EXPECT_FALSE(TakeQuit());
}

// A dialog object that ends its dialog with the command it receives.
class cProbeDialog : public cMessageDvc {
public:
    cProbeDialog() : cMessageDvc(nullptr, 0, 0, u"Dialog", 0) {}
    tStatus OnMessage(uint32_t message, sWinMessage &record) override {
        HWND window = cDispDvc::GetWindowHandle();
        if (message == WM_INITDIALOG) {
            mappedAtInit = FindWindowObject(window) == this;
            PostMessageW(window, WM_COMMAND, 7, 0);
            return RC_OK;
        }
        if (message == WM_COMMAND) {
            EndDialog(window, INT_PTR(record.key & 0xFFFF));
            return RC_OK;
        }
        return MSG_NOT_HANDLED;
    }
    bool mappedAtInit = false;
};

TEST(ViewPortWindow, TheDialogProcedureMapsTheDialogAndPassesItsCommands) {
    struct alignas(4) sTemplate {
        DLGTEMPLATE head;
        WORD menu, windowClass, title;
    } tpl{};
    tpl.head.style = WS_POPUP | WS_CAPTION;
    tpl.head.cx = 100;
    tpl.head.cy = 50;
    cProbeDialog dialog;
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &tpl.head, nullptr, DialogProc,
                                             reinterpret_cast<LPARAM>(&dialog));
    EXPECT_EQ(result, 7);
    EXPECT_TRUE(dialog.mappedAtInit);
    // A dialog never sees its WM_DESTROY: the entry stays until the object goes.
    HWND window = dialog.cDispDvc::GetWindowHandle();
    EXPECT_EQ(FindWindowObject(window), &dialog);
}

// A view whose handlers fail: the left button throws, the right button
// writes through a null pointer.
class cFaultyView : public cViewPort {
public:
    cFaultyView() : cViewPort(nullptr, kOverlapped, u"Faulty") { SetShowMode(SW_HIDE); }
    tStatus OnLeftDown(int32_t, int32_t, sWinMessage &) override { throw std::runtime_error("handler failed"); }
    tStatus OnRightDown(int32_t, int32_t, sWinMessage &) override {
        *nowhere = 1;
        return RC_OK;
    }
    int *volatile nowhere = nullptr;
};

TEST(ViewPortWindow, AFailingHandlerComesBackThroughTheWindowProcedureAndIsReported) {
    struct sCase {
        UINT message;
        const char *error;
    };
    const sCase cases[] = {
        {WM_LBUTTONDOWN, "Error in OpSys: Unknown exception\r\n"},
        {WM_RBUTTONDOWN, "Error in OpSys: Access Violation\r\n"},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.message);
        test::LocalOpSys os("failing_handler", u"");
        // A loop that ended at once: fresh loop state, this thread guarded.
        PostQuitMessage(0);
        EXPECT_EQ(os->RunMessageLoop(nullptr), 0);
        os.MakeMainWindow();  // the restart is asked of the shell through it
        cFaultyView view;
        view.Open();
        ASSERT_NE(view.GetWindowHandle(), nullptr);
        // The failure stays inside the window procedure: the send returns.
        EXPECT_EQ(SendMessageW(view.GetWindowHandle(), c.message, 0, 0), 0);
        EXPECT_TRUE(TakeQuit());  // the program's loop ends
        std::string log = os.LogText();
        EXPECT_NE(log.find("Exception address: 0x"), std::string::npos) << log;
        EXPECT_NE(log.find(c.error), std::string::npos) << log;
        EXPECT_NE(os.ShellRequests().find("ErrorReport.txt"), std::string::npos) << os.ShellRequests();
    }
}

}  // namespace
