// Windows of their own: the main window, tool windows, the status bar, the
// keyboard-and-mouse window and the score view are viewports.
// cViewPortBase adds the scrollable extent and the viewport's message steps
// (size, focus, commands, scrolling, menu hints, the wheel) in front of the
// router; cViewPort adds the window class, creation, painting, the window's
// menu, message boxes and the file dialogs.
#pragma once

#include <cstdint>

#include "ui/message_dvc.h"
#include "ui/view_scroll.h"

class cDialogBox;
class cSubMenuBase;

class cViewPortBase : public cMessageDvc {
public:
    cViewPortBase(cMessageDvcBase *owner, uint32_t style, const char16_t *name);
    // Deletes the window's popup menu, and the main menu when this window
    // loaded it.
    ~cViewPortBase() override;

    // The origin is clamped to the extent and the scroll bars follow it;
    // answers the last scroll-bar result, 0 without bars.
    tStatus SetOrigin(int32_t x, int32_t y) override;
    // The router first; the viewport's own messages only when it left them.
    tStatus OnMessage(uint32_t message, sWinMessage &record) override;

    virtual const char16_t *SetIconName(const char16_t *text) = 0;
    virtual const char16_t *SetIconId(uint16_t id) = 0;
    virtual tStatus MoveWindowTo(int32_t x, int32_t y, int32_t width, int32_t height);
    tStatus ShowMessage(const char16_t *text, const char16_t *caption) override;
    // Null here: only real windows make dialogs.
    cDialogBox *NewDialogBox(uint32_t templateId, uint32_t helpTopic) override;
    // Empties the popup menu and attaches it again under the title, id and
    // flags; the window fills it with AddItem and AddItemFrom.  Answers the
    // popup menu, null while the window has none.
    virtual cSubMenuBase *CreatePopupMenu(const char16_t *text, uint32_t menuId, uint32_t flags);
    // Shows the popup menu at x, y of the given window's outer rectangle
    // (this window's when null); the chosen item arrives as a command.
    // RC_FAIL without a popup menu.  Here only the translations are applied.
    virtual tStatus TrackPopupMenu(int32_t x, int32_t y, cDispDvcBase *window);
    cSubMenuBase *GetPopupMenu() const { return popupMenu; }
    // Add the scroll bars to the style; call before Open.
    virtual cViewPortBase *UseHorzScrollBar();
    virtual cViewPortBase *UseVertScrollBar();
    virtual tStatus OnSetFocus(sWinMessage &record);
    virtual tStatus OnKillFocus(sWinMessage &record);
    virtual tStatus OnHScroll(int32_t code, int32_t position, sWinMessage &record);
    virtual tStatus OnVScroll(int32_t code, int32_t position, sWinMessage &record);
    virtual tStatus OnMenuSelect(uintptr_t item, sWinMessage &record);
    // Every wheel message scrolls one line, whatever its number of notches.
    virtual tStatus OnMouseWheel(int32_t notches, sWinMessage &record);
    virtual tStatus OnSize(int32_t width, int32_t height, sWinMessage &record);

    // Negative sizes count as 0; the current origin is clamped again.
    tStatus SetScrollExtent(int32_t width, int32_t height);
    int32_t GetScrollExtentX() const { return extentX; }
    int32_t GetScrollExtentY() const { return extentY; }
    int32_t GetHorzPagePercent() const { return horzPage; }
    int32_t GetVertPagePercent() const { return vertPage; }

protected:
    // Shows page and position on one of the window's scroll bars (range 0 to
    // 99); answers the window system's result.  Without a window nothing is
    // shown.
    virtual tStatus SetScrollBarInfo(int32_t bar, const sScrollBarInfo &info);
    // The menu that owns a command id: the window's popup menu for ids with
    // the window-command bit, the main menu for the others; null while that
    // menu does not exist.
    cSubMenuBase *CommandMenu(uint32_t id) const;
    // The key name of a command id for the command log line, from the menu
    // that owns the id; null while that menu does not exist.
    virtual const char16_t *CommandKeyName(uint32_t id);
    // Lets the user edit the text of the item before its command runs (in
    // translate mode); nothing while the owning menu does not exist.
    virtual tStatus EditCommandTranslation(uint32_t id);
    // The item's hint goes to the status bar.
    virtual tStatus ShowMenuHint(uintptr_t item);
    // "name: " and the command line in the session log.
    void LogCommand(const sWinMessage &record);
    // The main menu is deleted when it belongs to this window.
    void ForgetMainMenu();

    cSubMenuBase *popupMenu = nullptr;  // owned
    int32_t extentX = 100;
    int32_t extentY = 100;
    int32_t horzPage = 50;
    int32_t vertPage = 50;
};

class cViewPort : public cViewPortBase {
public:
    // The frame rectangle starts at the system's default position and size.
    cViewPort(cMessageDvcBase *owner, uint32_t style, const char16_t *name);
    // Destroys a window that still exists; the handle's entry goes first, so
    // the destruction's messages never reach the half-deleted object.  The
    // popup menu's handle is destroyed with it.
    ~cViewPort() override;

    // Registers the class (once per name and style), creates, maps and shows
    // the window; answers the message device's open result.
    tStatus Open() override;
    void UseGrayBackground() override;
    void UseNoBackground() override;
    // Sizes the window so that its client area is width by height.
    tStatus SetSize(int32_t width, int32_t height) override;
    tStatus OnMessage(uint32_t message, sWinMessage &record) override;
    // Paints the area that record.lParam points at (an sDeviceBox in device
    // pixels) while the paint's context is held.
    tStatus OnPaint(sWinMessage &record) override;

    const char16_t *SetIconName(const char16_t *text) override;
    const char16_t *SetIconId(uint16_t id) override;
    // The outer window goes to x, y with that size; "No window handle"
    // without a window.
    tStatus MoveWindowTo(int32_t x, int32_t y, int32_t width, int32_t height) override;
    tStatus ShowMessage(const char16_t *text, const char16_t *caption) override;
    cDialogBox *NewDialogBox(uint32_t templateId, uint32_t helpTopic) override;
    // A viewport's controls have no dialog items: each makes its own window.
    tStatus RealizeControl(cGuiControl *control) override;
    // A new status bar, child of this window, replaces the window's own bar.
    cDispDvcBase *CreateStatusBar(int32_t helpPart) override;
    // The popup menu is made anew over a new window-system popup menu.
    cSubMenuBase *CreatePopupMenu(const char16_t *text, uint32_t menuId, uint32_t flags) override;
    tStatus TrackPopupMenu(int32_t x, int32_t y, cDispDvcBase *window) override;
    // The file dialogs: "description|pattern|..." filter, default extension.
    // The chosen path (also the current file) as a temporary string, null
    // when cancelled.
    virtual const char16_t *AskOpenFileName(const char16_t *filter, const char16_t *extension);
    virtual const char16_t *AskSaveFileName(const char16_t *filter, const char16_t *extension);
    // Loads the window's menu resource (before Open: the window is created
    // with it) and makes it the main menu, with hints and key names handed
    // out in tree order.  Menu id 0 only removes the current menu and
    // answers RC_FAIL.
    virtual tStatus LoadMenuResource(uint16_t menuId, const char16_t *const *hints, int32_t hintCount,
                                     const char16_t *const *keyNames, int32_t keyNameCount);

    virtual tMenuHandle GetMenuHandle();
    // IDYES 6 or IDNO 7.
    virtual int32_t AskYesNo(const char16_t *text, const char16_t *caption);
    // A box owned by this window; RC_FAIL without a window.  The focus comes
    // back to the window that had it.
    virtual int32_t ShowMessageBox(const char16_t *text, const char16_t *caption, uint32_t type);

    // The window-system handle of the window's popup menu.  A new one
    // replaces (and destroys) the previous one, so that a popup rebuilt on
    // every right click keeps one handle alive, not one per click.
    tMenuHandle AdoptPopupHandle(tMenuHandle popup);
    tMenuHandle GetPopupHandle() const { return popupHandle; }

    // The generated window class name ("VPClass" + name + style), once open.
    const char16_t *GetClassName() const { return className.Get(); }
    int32_t GetShowMode() const { return showMode; }
    void SetShowMode(int32_t mode) { showMode = mode; }

protected:
    tStatus SetScrollBarInfo(int32_t bar, const sScrollBarInfo &info) override;
    // "VPClass" + name + the style in decimal, kept as the class name; an
    // empty name becomes the class name too.
    virtual const char16_t *MakeClassName();
    // A new window-system popup menu, adopted as the window's popup handle;
    // null without a window system.
    tMenuHandle NewPopupHandle();
    // The router's paint branches: the window's paint, an owner-drawn item's.
    tStatus RoutePaint(sWinMessage &record);
    tStatus RouteDrawItem(sWinMessage &record);
    // Shows the installed popup menu at x, y of the window's outer rectangle.
    void ShowPopupAt(int32_t x, int32_t y, cDispDvcBase *window);
    // The system's box, owned by this window; RC_FAIL without a window.
    int32_t ShowWindowBox(const char16_t *text, const char16_t *caption, uint32_t type);
    // Stock brush of the class background: WHITE_BRUSH 0, LTGRAY_BRUSH 1,
    // NULL_BRUSH 5; kSolidBackground for a brush of backgroundColor.
    static constexpr int32_t kSolidBackground = -1;
    int32_t backgroundBrush = 0;
    uint32_t backgroundColor = 0;  // 0x00BBGGRR

    tMenuHandle menuHandle = nullptr;
    uint16_t menuId = 0;
    sWinResource iconName;
    tIconHandle icon = nullptr;
    sWinResource className;
    int32_t showMode = 5;  // SW_SHOW
    uint8_t painting = 0;
    tMenuHandle popupHandle = nullptr;
};

// The filter of a file dialog as the system reads it: every vertical bar
// becomes a NUL and two NULs end it.  Empty for no filter.
std::u16string FileDialogFilter(const char16_t *filter);
// A scripted answer for a file dialog of that kind ("Open", "Save"), when
// the tests scripted one: true with the answer in `chosen` (the path, made
// the current file, or null for Cancel); false when the real dialog runs.
bool TakeScriptedFileDialog(const char16_t *kind, const char16_t *&chosen);
