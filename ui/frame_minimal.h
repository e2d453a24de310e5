// A stand-in for the window framework's top-level window: just enough of it
// for the program to start, show its frame with menu and icon, take menu
// commands and end.  The framework's own viewport classes replace this file
// and ui/frame_minimal_win.cpp when they arrive; nothing else should grow
// on it.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/base_defs.h"
#include "platform/win_types.h"

class cViewPortTop {
public:
    // The new window becomes the operating-system object's main window.
    cViewPortTop(int32_t showMode, const char16_t *title, uint32_t menuId, uint32_t iconId);
    virtual ~cViewPortTop();
    cViewPortTop(const cViewPortTop &) = delete;
    cViewPortTop &operator=(const cViewPortTop &) = delete;

    // Registers the class, creates and shows the window.
    virtual tStatus Open();
    HWND GetWindowHandle() const { return window; }
    HMENU GetMenuHandle() const;
    // Horizontal resolution of the window's screen; 96 before it exists.
    int32_t GetDpi() const;

    // A menu or accelerator command; RC_FAIL when nobody handles it.
    virtual tStatus OnCommand(uint32_t id) { return RC_FAIL; }
    // Answers 0 when the window may close.
    virtual tStatus CanClose() { return RC_OK; }

    // The window procedure's work for this window.
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    HWND window = nullptr;
    int32_t showMode;
    std::u16string title;
    uint32_t menuId;
    uint32_t iconId;
};
