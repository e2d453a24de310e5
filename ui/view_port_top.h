// The program's one top-level window.  cViewPortTopBase makes a viewport
// into the main window: no owner, the overlapped style, and the register of
// every window object opened under it.  cViewPortTop adds the show mode.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/view_port.h"

class cViewPortTopBase : public cViewPort {
public:
    explicit cViewPortTopBase(const char16_t *name);
    // Frees the register's nodes, never the windows in it.
    ~cViewPortTopBase() override;

    // One entry per window: registering again changes nothing.
    cMessageDvcBase *RegisterWindow(cMessageDvcBase *window) override;
    // Removes the window's entry and answers it; null when it is not there.
    cMessageDvcBase *UnregisterWindow(cMessageDvcBase *window) override;
    // The window when it is open under this one, else null.
    cMessageDvcBase *FindRegisteredWindow(cMessageDvcBase *window) override;

    const std::vector<cMessageDvcBase *> &Register() const { return windows; }

private:
    std::vector<cMessageDvcBase *> windows;
};

class cViewPortTop : public cViewPortTopBase {
public:
    // Becomes the operating-system object's main window at once.
    cViewPortTop(int32_t showMode, const char16_t *name);
    // Unloads the help library.  While it is still the main window, the
    // keyboard-and-mouse window (owned by this one) goes with it and the
    // operating-system object forgets it.
    ~cViewPortTop() override;
};
