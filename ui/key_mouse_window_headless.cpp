#include "ui/key_mouse_window.h"

// Without a window system no button is ever down.
bool cKeyMouseWin::IsButtonHeld(int32_t) { return false; }
