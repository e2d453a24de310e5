// The menu node bound to a window-system menu handle: builds its subtree
// from the menu, writes each item's state and text back after every change,
// fills popup menus and runs the in-place translation dialog.  The node
// never owns the handle: the window that loaded or made the menu destroys it.
#pragma once

#include "platform/os_handles.h"
#include "ui/menu_item.h"

class cSubMenu : public cSubMenuBase {
public:
    // For the frame menu id is the handle's value, for a popup the caller's.
    cSubMenu(cViewPortBase *owner, uint32_t id, cSubMenuBase *parent, tMenuHandle handle);
    ~cSubMenu() override;

    tStatus Install() override;
    tStatus Reload() override;
    tStatus EditItemTranslation(cMenuItemBase *item) override;
    tStatus InstallPopup() override;
    // Null without a menu handle.
    cMenuItemBase *AddCommand(uint32_t newId, const char16_t *newText, const char16_t *newHint,
                              const char16_t *newKeyName) override;
    tStatus DeleteCommand(uint32_t wanted) override;
    tStatus ReadTranslations(cIniFile *languageFile) override;
    tStatus LoadFromHandle() override;
    tStatus InstallItem(cMenuItemBase *item) override;
    tStatus ReloadItem(cMenuItemBase *item) override;

    virtual tMenuHandle GetMenuHandle();

private:
    void RedrawOwnerMenuBar();

    tMenuHandle handle;
};
