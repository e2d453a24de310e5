// The state a test of the running program reads through the state channel:
// a text dump of what the user sees, written on request into the file that
// PELMORA_TEST_STATE names (app/test_settings_win.cpp).  Menus and status
// texts live inside the program's process; this is how a test outside it
// reads them.
//
// The dump is UTF-8, one record a line, fields separated by tabs:
//   menu    <depth> <id> <label> <enabled 0|1> <checked 0|1> <key name> <hint>
//           (the label without its key text)
//           the main menu tree, depth-first in menu order, depth 0 for the
//           items of the menu bar; a separator has id 0 and an empty label
//   status  <part index> <text>
//           the main window's status-bar parts, when it has a status bar
//   window  <class> <title>
//           the program's visible top-level windows, in the system's order
//   page    <class> <title>
//           the pages of the palette windows, when there are any
//   popup   <menu name> <id> <label>
//           one line per item of the windows' popup menus (the main
//           window's and its listeners'), as last built ("ToolRBtn")
//   modifiers <shift 0|1> <ctrl 0|1>
//           the modifier keys as the program sees them
// A line "end" closes the dump, so that a reader knows it read all of it.
// Tabs and line breaks inside a text are written as blanks.
#pragma once

#include <string>
#include <vector>

class cSubMenuBase;
class cStatusBarBase;

struct sTestWindowInfo {
    std::u16string className;
    std::u16string title;
};

struct sTestState {
    cSubMenuBase *menu = nullptr;
    cStatusBarBase *statusBar = nullptr;
    std::vector<sTestWindowInfo> windows;
    std::vector<sTestWindowInfo> pages;
    std::vector<cSubMenuBase *> popups;
    bool shift = false;
    bool ctrl = false;
};

std::string ComposeTestStateDump(const sTestState &state);
