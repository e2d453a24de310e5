#include "foundation/win32_win.h"
#include "ui/key_mouse_window.h"

bool cKeyMouseWin::IsButtonHeld(int32_t virtualKey) { return (GetAsyncKeyState(virtualKey) & 0xFFFF) != 0; }
