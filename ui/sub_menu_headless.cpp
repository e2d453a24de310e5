// Without a window system there is no menu to read or write: the tree keeps
// its own state and every menu call succeeds without effect.
#include "ui/sub_menu.h"

cSubMenu::cSubMenu(cViewPortBase *menuOwner, uint32_t menuId, cSubMenuBase *menuParent, tMenuHandle menuHandle)
    : cSubMenuBase(menuOwner, menuId, menuParent), handle(menuHandle) {}

cSubMenu::~cSubMenu() = default;

tStatus cSubMenu::Install() { return parent ? parent->InstallItem(this) : RC_FAIL; }
tStatus cSubMenu::Reload() { return parent ? parent->ReloadItem(this) : RC_FAIL; }
tStatus cSubMenu::EditItemTranslation(cMenuItemBase *) { return RC_OK; }
tStatus cSubMenu::InstallPopup() { return RC_OK; }

cMenuItemBase *cSubMenu::AddCommand(uint32_t newId, const char16_t *newText, const char16_t *newHint,
                                    const char16_t *newKeyName) {
    if (!handle) return nullptr;
    return cSubMenuBase::AddCommand(newId, newText, newHint, newKeyName);
}

tStatus cSubMenu::DeleteCommand(uint32_t wanted) { return cSubMenuBase::DeleteCommand(wanted); }
tStatus cSubMenu::ReadTranslations(cIniFile *languageFile) { return cSubMenuBase::ReadTranslations(languageFile); }
tStatus cSubMenu::LoadFromHandle() { return RC_OK; }
tStatus cSubMenu::InstallItem(cMenuItemBase *) { return RC_OK; }
tStatus cSubMenu::ReloadItem(cMenuItemBase *) { return RC_OK; }
tMenuHandle cSubMenu::GetMenuHandle() { return handle; }
void cSubMenu::RedrawOwnerMenuBar() {}
