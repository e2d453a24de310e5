// Viewports with real windows: the window procedure's routing of clicks at a
// zoom, the wheel and the scroll bars the system shows, painting, window
// classes, closing the top-level window, Alt+F4, the popup menu's handle and
// a dialog run through the dialog procedure.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "platform/op_sys_base.h"
#include "foundation/win32_win.h"
#include "ui/window_proc_win.h"
#include "tests/ui/local_program.h"
#include "tests/support/log_capture.h"
#include "ui/status_bar.h"
#include "ui/sub_menu.h"
#include "ui/tool_window.h"
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
        test::LocalProgram os("failing_handler", u"");
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

// ---- the window's menus, status bar and tool windows ------------------------

std::u16string MenuText(HMENU menu, UINT position) {
    wchar_t buf[128] = {};
    GetMenuStringW(menu, position, buf, 128, MF_BYPOSITION);
    return std::u16string(U(buf));
}

TEST(ViewPortMenus, TheLoadedMenuBecomesTheMainMenuWithItsHintsAndKeyNames) {
    const char16_t *hints[] = {u"Starts a new score", u"Opens a score"};
    const char16_t *keys[] = {u"Menu", u"File", u"File/New"};
    {
        cProbeView view(nullptr, kOverlapped, u"Menus");
        ASSERT_EQ(view.LoadMenuResource(1000, hints, 2, keys, 3), RC_OK);
        view.Open();
        HWND window = view.GetWindowHandle();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetMenu(window), view.GetMenuHandle());
        ASSERT_NE(gMainMenu, nullptr);
        EXPECT_EQ(gMainMenu->GetOwner(), &view);
        EXPECT_EQ(gMainMenu->GetId(), uint32_t(reinterpret_cast<uintptr_t>(view.GetMenuHandle())));
        // Names from the list first, derived ones after it.
        EXPECT_EQ(std::u16string(gMainMenu->GetKeyName()), u"Menu");
        EXPECT_EQ(std::u16string(gMainMenu->GetCommandKeyName(100)), u"File/New");
        EXPECT_EQ(std::u16string(gMainMenu->GetCommandKeyName(103)), u"File/SaveAs");
        EXPECT_EQ(std::u16string(gMainMenu->GetCommandKeyName(105)), u"File/Midi");
        EXPECT_EQ(std::u16string(gMainMenu->FindById(101)->GetHint()), u"Opens a score");
        EXPECT_EQ(std::u16string(gMainMenu->FindById(102)->GetHint()), u"");

        // Commands are logged under their key names; greying goes to Win32.
        test::LogCapture log("menu_commands");
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(103, 0), 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(4711, 0), 0);
        EXPECT_EQ(log.Text(), "Menus: Menu=File/SaveAs<103>\r\nMenus: Menu=4711<4711>\r\n");
        gMainMenu->DisableCommand(108);
        EXPECT_EQ(GetMenuState(view.GetMenuHandle(), 108, MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED));

        // Menu id 0 takes the menu and its tree away.
        EXPECT_EQ(view.LoadMenuResource(0, nullptr, 0, nullptr, 0), RC_FAIL);
        EXPECT_EQ(gMainMenu, nullptr);
        EXPECT_EQ(GetMenu(window), nullptr);
        EXPECT_EQ(view.GetMenuHandle(), nullptr);
        ASSERT_EQ(view.LoadMenuResource(1000, nullptr, 0, nullptr, 0), RC_OK);
        EXPECT_EQ(GetMenu(window), view.GetMenuHandle());
        ASSERT_NE(gMainMenu, nullptr);
    }
    // The window that loaded it takes the main menu with it.
    EXPECT_EQ(gMainMenu, nullptr);
}

TEST(ViewPortMenus, AMenuHintGoesToTheStatusBar) {
    cProbeView view(nullptr, kOverlapped, u"Hints");
    const char16_t *hints[] = {u"Starts a new score"};
    ASSERT_EQ(view.LoadMenuResource(1000, hints, 1, nullptr, 0), RC_OK);
    view.Open();
    auto *bar = static_cast<cStatusBar *>(view.CreateStatusBar(0));
    ASSERT_NE(bar, nullptr);
    bar->AppendPart(200, 0, 1);
    bar->Open();
    SendMessageW(view.GetWindowHandle(), WM_MENUSELECT, MAKEWPARAM(100, MF_STRING), LPARAM(view.GetMenuHandle()));
    EXPECT_EQ(std::u16string(bar->GetHelpText()), u"Starts a new score");
    gMainMenu->DisableCommand(100);
    SendMessageW(view.GetWindowHandle(), WM_MENUSELECT, MAKEWPARAM(100, MF_STRING), LPARAM(view.GetMenuHandle()));
    EXPECT_EQ(std::u16string(bar->GetHelpText()), u"");
}

TEST(ViewPortMenus, AReplacedStatusBarTakesItsControlAlong) {
    cProbeView view(nullptr, kOverlapped, u"Bars");
    view.Open();
    auto controls = [&] {
        int n = 0;
        for (HWND w = FindWindowExW(view.GetWindowHandle(), nullptr, L"msctls_statusbar32", nullptr); w;
             w = FindWindowExW(view.GetWindowHandle(), w, L"msctls_statusbar32", nullptr))
            ++n;
        return n;
    };
    auto *first = static_cast<cStatusBar *>(view.CreateStatusBar(0));
    first->Open();
    EXPECT_EQ(view.GetStatusBar(), first);
    EXPECT_EQ(controls(), 1);
    auto *second = static_cast<cStatusBar *>(view.CreateStatusBar(1));
    second->Open();
    EXPECT_EQ(view.GetStatusBar(), second);
    EXPECT_EQ(second->GetHelpPartIndex(), 1);
    EXPECT_EQ(controls(), 1);
}

TEST(ViewPortMenus, APopupMenuIsRebuiltOverANewHandleAndShownWithItsItems) {
    cProbeView view(nullptr, kOverlapped, u"Popups");
    const char16_t *keys[] = {u"Menu", u"File", u"File/New", u"File/Open"};
    ASSERT_EQ(view.LoadMenuResource(1000, nullptr, 0, keys, 4), RC_OK);
    view.Open();
    EXPECT_EQ(view.TrackPopupMenu(0, 0, nullptr), RC_FAIL);  // none made yet

    cSubMenuBase *popup = view.CreatePopupMenu(u"ObjectRBtn", 0, 0);
    ASSERT_NE(popup, nullptr);
    HMENU firstHandle = view.GetPopupHandle();
    EXPECT_EQ(std::u16string(popup->GetKeyName()), u"ObjectRBtn");
    popup->AddItemFrom(gMainMenu->FindById(101));
    popup = view.CreatePopupMenu(u"ObjectRBtn", 0, 0);
    EXPECT_FALSE(IsMenu(firstHandle));
    EXPECT_EQ(popup->GetItemCount(), 0);
    cMenuItemBase *item = popup->AddItemFrom(gMainMenu->FindById(100));
    popup->AddItem(u"Delete", 0x4000 | 200, 0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetId(), 0x4000u | 100);
    EXPECT_EQ(std::u16string(item->GetKeyName()), u"ObjectRBtnFile/New");

    // The menu loop runs until the timer ends it; the items are in it then.
    static HMENU shown;
    static std::vector<std::u16string> texts;
    static std::vector<UINT> ids;
    shown = view.GetPopupHandle();
    texts.clear();
    ids.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        for (int i = 0; i < GetMenuItemCount(shown); ++i) {
            texts.push_back(MenuText(shown, UINT(i)));
            ids.push_back(GetMenuItemID(shown, i));
        }
        EndMenu();
    });
    EXPECT_EQ(view.TrackPopupMenu(10, 10, nullptr), RC_OK);
    KillTimer(nullptr, timer);
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"New", u"Delete"}));
    EXPECT_EQ(ids, (std::vector<UINT>{0x4000 | 100, 0x4000 | 200}));

    // Its commands are logged under the popup's key names.
    test::LogCapture log("popup_commands");
    SendMessageW(view.GetWindowHandle(), WM_COMMAND, MAKEWPARAM(0x4000 | 100, 0), 0);
    EXPECT_EQ(log.Text(), "Popups: Menu=ObjectRBtnFile/New<16484>\r\n");
}

TEST(ViewPortMenus, ToolWindowsRegisterTheirOwnClassesAndBackground) {
    cProbeView frame(nullptr, kOverlapped, u"ToolFrame");
    frame.Open();
    cViewPortStaticToolWin docked(&frame);
    docked.Open();
    cViewPortPopupToolWin floating(&frame, u"All Symbols");
    floating.SetShowMode(SW_HIDE);
    floating.Open();
    struct sCase {
        HWND window;
        const char16_t *className, *title;
    } cases[] = {{docked.GetWindowHandle(), u"Tool_Bar_Window", u"ToolBarWin"},
                 {floating.GetWindowHandle(), u"AllToolsWindow", u"All Symbols"}};
    for (const sCase &c : cases) {
        SCOPED_TRACE(ToUtf8(c.className));
        ASSERT_NE(c.window, nullptr);
        wchar_t buf[64] = {};
        GetClassNameW(c.window, buf, 64);
        EXPECT_EQ(std::u16string(U(buf)), c.className);
        GetWindowTextW(c.window, buf, 64);
        EXPECT_EQ(std::u16string(U(buf)), c.title);
        LOGBRUSH brush{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HBRUSH>(GetClassLongPtrW(c.window, GCLP_HBRBACKGROUND)),
                               sizeof brush, &brush));
        EXPECT_EQ(brush.lbStyle, UINT(BS_SOLID));
        EXPECT_EQ(brush.lbColor, COLORREF(0xC0F27D));
    }
}

}  // namespace
