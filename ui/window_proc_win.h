// The window and dialog procedures of every window object, built on
// DeliverWindowMessage and DeliverDialogMessage (ui/message_dvc.h).
#pragma once

#include "foundation/win32_win.h"

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
