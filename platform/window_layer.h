// What the operating-system object asks of the window layer, which stands
// above it: the help viewer, the keyboard-and-mouse help window, the
// recent-file commands of a menu, the main window's handle and resolution,
// and the release of the fonts at the very end.  The window layer installs
// its services at start-up, before the system object is made
// (InstallWindowLayer, ui/window_layer.h); without them the system object
// makes no window and leaves menus and fonts alone.
#pragma once

#include <cstdint>

#include "foundation/base_defs.h"
#include "platform/os_handles.h"

class cFileList;
class cKeyMouseWin;
class cMessageDvcBase;
class cSubMenuBase;
class cViewHelp;
class cViewPortTop;

class cWindowLayer {
public:
    virtual ~cWindowLayer() = default;

    virtual cViewHelp *NewHelpViewer() = 0;
    virtual void DeleteHelpViewer(cViewHelp *viewer) = 0;

    // The keyboard-and-mouse window made, opened and shown; deleted.
    virtual cKeyMouseWin *OpenKeyMouseWindow(cMessageDvcBase *parent, const char16_t *title) = 0;
    virtual void DeleteKeyMouseWindow(cKeyMouseWin *window) = 0;
    // Its Set operations; each answers the previous value.
    enum eKeyMouseState { kLeftButton, kRightButton, kShift };
    virtual uint8_t SetKeyMouseState(cKeyMouseWin *window, eKeyMouseState which, uint8_t value) = 0;
    virtual const char16_t *SetKeyMouseText(cKeyMouseWin *window, const char16_t *text) = 0;
    // A message of the loop, before any translation.
    virtual void ShowKeyMouseInput(cKeyMouseWin *window, uint32_t message, tWParam wParam, tLParam lParam) = 0;

    // One command per recent file (cOpSysBase::FillRecentFilesMenu).
    virtual tStatus FillRecentFilesMenu(cSubMenuBase *menu, uint32_t firstId, const cFileList &recentFiles) = 0;

    virtual tWindowHandle GetWindowHandle(cViewPortTop *window) = 0;
    virtual uint32_t GetDpi(cViewPortTop *window) = 0;

    // Deletes every font of the font table: no device is left to use them.
    virtual void ReleaseFonts() = 0;
};

// Installs the services (null: none) and answers the previous ones.
cWindowLayer *SetWindowLayer(cWindowLayer *layer);
cWindowLayer *GetWindowLayer();
