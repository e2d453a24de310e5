// The window side of the message devices and the two procedures that the
// window system calls for every window and dialog of the program.
#include "foundation/char_string.h"
#include "platform/fault_guard.h"
#include "platform/op_sys.h"
#include "foundation/win32_win.h"
#include "ui/client_origin_win.h"
#include "ui/window_proc_win.h"
#include "ui/message_dvc.h"

namespace {

intptr_t CallWindowProcedure(HWND window, uint32_t message, tWParam wParam, tLParam lParam) {
    return WindowProc(window, message, wParam, lParam);
}

}  // namespace

// The client area's screen position, from the window's context (taken for
// the call when the device holds none).
void ReadClientOrigin(cDispDvc &device, HWND window, cRectangl &deviceRect) {
    HDC dc = device.GetHeldDC();
    HDC taken = dc ? nullptr : GetDC(window);
    POINT origin{};
    if (GetDCOrgEx(dc ? dc : taken, &origin)) deviceRect.Set(origin.x, origin.y);
    if (taken) ReleaseDC(window, taken);
}


uint8_t cMessageDvc::SetEnabled(uint8_t flag) {
    uint8_t old = cMessageDvcBase::SetEnabled(flag);
    if (windowHandle && openCount > 0) EnableWindow(windowHandle, flag ? TRUE : FALSE);
    return old;
}

cMessageDvcBase *cMessageDvc::GetFocusObject() { return FindWindowObject(GetFocus()); }

cMessageDvcBase *cMessageDvc::TakeFocus() {
    cMessageDvcBase *previous = GetFocusObject();
    if (windowHandle) SetFocus(windowHandle);
    return previous;
}

tStatus cMessageDvc::Open() {
    tStatus result = cMessageDvcBase::Open();
    if (windowHandle && IsDisplayDevice()) {
        RECT outer{}, client{};
        if (GetWindowRect(windowHandle, &outer)) frameRect.SetEdges(outer.left, outer.top, outer.right, outer.bottom);
        if (GetClientRect(windowHandle, &client)) deviceRect.SetSize(client.right + 1, client.bottom + 1);
        ReadClientOrigin(*this, windowHandle, deviceRect);
    }
    return result;
}

tStatus cMessageDvc::OnClose(sWinMessage &record) {
    tStatus result = cMessageDvcBase::OnClose(record);
    if (result < 0) return result;
    if (windowHandle) DestroyWindow(windowHandle);
    return RC_OK;
}

tStatus cMessageDvc::OnDestroy(sWinMessage &) {
    if (!owner) PostQuitMessage(0);
    UnmapWindow(windowHandle);
    windowHandle = nullptr;
    return RC_OK;
}

const char16_t *cMessageDvc::GetWindowTitle() {
    HWND window = GetWindowHandle();
    int n = window ? GetWindowTextLengthW(window) : 0;
    if (n <= 0) return nullptr;
    std::u16string buffer(size_t(n) + 1, u'\0');
    int got = GetWindowTextW(window, W(&buffer[0]), n + 1);
    if (got <= 0) return nullptr;
    return TempStringN(buffer.c_str(), uint32_t(got));
}

tStatus cMessageDvc::SetWindowTitle(const char16_t *text) {
    SetWindowTextW(GetWindowHandle(), W(text ? text : u""));
    return RC_OK;
}

// Every handler runs inside a guarded call: neither a processor fault nor a
// C++ exception may leave through the system's dispatch.  The loop's handler
// reports it and ends the program's loop.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    tStatus result = RunGuarded<tStatus>([&]() { return DeliverWindowMessage(window, message, wParam, lParam); },
                                         [](const sFaultInfo &info) -> tStatus {
                                             MessageLoopHandler(info);
                                             return RC_OK;
                                         });
    if (result == MSG_NOT_HANDLED) return DefWindowProcW(window, message, wParam, lParam);
    return 0;
}

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunGuarded<INT_PTR>(
        [&]() -> INT_PTR { return DeliverDialogMessage(window, message, wParam, lParam, CallWindowProcedure); },
        [](const sFaultInfo &info) -> INT_PTR {
            MessageLoopHandler(info);
            return FALSE;
        });
}
