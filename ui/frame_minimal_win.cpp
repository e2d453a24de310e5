#include "ui/frame_minimal.h"

#include "foundation/char_string.h"
#include "platform/fault_guard.h"
#include "platform/op_sys.h"

namespace {

constexpr DWORD kFrameStyle = 0x12CF0000;  // overlapped, visible, clipping children

// The one window procedure: finds the object, runs its handler inside a
// guarded call so that neither a fault nor a C++ exception leaves through
// the system's dispatch.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto create = reinterpret_cast<CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto frame = reinterpret_cast<cViewPortTop *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!frame) return DefWindowProcW(hwnd, message, wParam, lParam);
    return RunGuarded<LRESULT>([&]() { return frame->HandleMessage(hwnd, message, wParam, lParam); },
                               [](const sFaultInfo &info) -> LRESULT { return MessageLoopHandler(info); });
}

}  // namespace

cViewPortTop::cViewPortTop(int32_t show, const char16_t *text, uint32_t menu, uint32_t icon)
    : showMode(show), title(text ? text : u""), menuId(menu), iconId(icon) {
    if (gOpSys) gOpSys->SetMainWindow(this);
}

cViewPortTop::~cViewPortTop() {
    if (window) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        window = nullptr;
    }
    if (gOpSys && gOpSys->GetMainWindow() == this) gOpSys->SetMainWindow(nullptr);
}

tStatus cViewPortTop::Open() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    cCharString className(u"VPClass");
    className.append(title);
    className.AppendUnsigned(kFrameStyle);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(iconId));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = W(className.c_str());
    RegisterClassExW(&wc);
    HMENU menu = menuId ? LoadMenuW(instance, MAKEINTRESOURCEW(menuId)) : nullptr;
    window = CreateWindowExW(0, W(className.c_str()), W(title.c_str()), kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance, this);
    if (!window) {
        gOpSys->ShowLastError(nullptr);
        return RC_FAIL;
    }
    ShowWindow(window, showMode);
    UpdateWindow(window);
    return RC_OK;
}

HMENU cViewPortTop::GetMenuHandle() const { return window ? GetMenu(window) : nullptr; }

int32_t cViewPortTop::GetDpi() const {
    if (!window) return 96;
    HDC dc = GetDC(window);
    if (!dc) return 96;
    int32_t dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
    return dpi;
}

LRESULT cViewPortTop::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window) window = hwnd;
    switch (message) {
        case WM_COMMAND:
            if (OnCommand(LOWORD(wParam)) != MSG_NOT_HANDLED) return 0;
            break;
        case WM_CLOSE:
            if (CanClose() == RC_OK) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            // The window without owner ends the program.
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            window = nullptr;
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
