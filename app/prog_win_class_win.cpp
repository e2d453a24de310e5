#include "foundation/win32_win.h"
#include "app/prog_win_class.h"

#include "ui/tool_bar.h"

// Posted, so that it is handled after the handler that changed the page has
// finished, as the palette windows' own messages are.
void ProgWinClass::PostToolSelected() {
    if (HWND frame = GetWindowHandle()) PostMessageW(frame, kMsgToolSelected, 0, 0);
}
