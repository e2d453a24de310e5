// The client area's screen position of a window device.
#pragma once

#include "foundation/win32_win.h"
#include "ui/disp_dvc.h"

// Sets deviceRect's position from the window's context (taken for the call
// when the device holds none).
void ReadClientOrigin(cDispDvc &device, HWND window, cRectangl &deviceRect);
