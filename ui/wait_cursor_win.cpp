#include "foundation/win32_win.h"
#include "ui/wait_cursor.h"

cWaitCursor::cWaitCursor() { SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }

cWaitCursor::~cWaitCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }
