// Without a window system nothing is posted or painted.
#include "ui/tool_window.h"

void cViewPortStaticToolWin::PostToOwner(uint32_t, uintptr_t, const void *) {}

tStatus cViewPortStaticToolWin::OnPaint(sWinMessage &) {
    if (toolBar) toolBar->DrawItems();
    return RC_OK;
}
