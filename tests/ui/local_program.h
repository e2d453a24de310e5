// A run of the program for one test: its own operating-system object
// (tests/platform/local_op_sys.h) and, when asked for, a main window.
#pragma once

#include <memory>

#include "tests/platform/local_op_sys.h"
#include "ui/view_port_top.h"

namespace test {

class LocalProgram : public LocalOpSys {
public:
    using LocalOpSys::LocalOpSys;
    // The window goes before the system object it registered with.
    ~LocalProgram() { frame.reset(); }

    // A top-level window (never opened) becomes the main window.
    void MakeMainWindow() { frame = std::make_unique<cViewPortTop>(0, u"Pelmora"); }

private:
    std::unique_ptr<cViewPortTop> frame;
};

}  // namespace test
