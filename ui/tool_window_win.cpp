#include "foundation/win32_win.h"
#include "ui/tool_window.h"

void cViewPortStaticToolWin::PostToOwner(uint32_t message, uintptr_t wParam, const void *lParam) {
    auto *ownerWindow = dynamic_cast<cDispDvc *>(GetOwner());
    HWND target = ownerWindow ? ownerWindow->GetWindowHandle() : nullptr;
    if (target) PostMessageW(target, message, WPARAM(wParam), reinterpret_cast<LPARAM>(lParam));
}

tStatus cViewPortStaticToolWin::OnPaint(sWinMessage &) {
    // The viewport's paint pass holds the device context while this runs.
    if (HDC dc = GetHeldDC()) SetBkMode(dc, TRANSPARENT);
    if (toolBar) toolBar->DrawItems();
    return RC_OK;
}
