#include "platform/win_types.h"
#include "ui/key_mouse_window.h"

bool cKeyMouseWin::IsButtonHeld(int32_t virtualKey) { return (GetAsyncKeyState(virtualKey) & 0xFFFF) != 0; }
