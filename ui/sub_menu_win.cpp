#include <vector>

#include "foundation/win32_win.h"
#include "platform/op_sys_base.h"
#include "platform/translate_file.h"
#include "ui/dialog_box.h"
#include "ui/sub_menu.h"
#include "ui/view_port.h"

namespace {

// The one record of every menu call; filled just before each call.
MENUITEMINFOW gMenuItemInfo;

void ClearMenuInfo() {
    gMenuItemInfo = MENUITEMINFOW{};
    gMenuItemInfo.cbSize = sizeof(MENUITEMINFOW);
}

// Reads an item's state, id, sub-menu and full text.  The length is asked
// first so that a label of any length comes back whole.
bool ReadMenuInfo(HMENU menu, UINT item, BOOL byPosition, std::vector<wchar_t> &buffer) {
    ClearMenuInfo();
    gMenuItemInfo.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    if (!GetMenuItemInfoW(menu, item, byPosition, &gMenuItemInfo)) {
        buffer.assign(1, L'\0');
        gMenuItemInfo.dwTypeData = buffer.data();
        return false;
    }
    UINT length = (gMenuItemInfo.fType & MFT_SEPARATOR) ? 0 : gMenuItemInfo.cch;
    buffer.assign(size_t(length) + 1, L'\0');
    gMenuItemInfo.dwTypeData = buffer.data();
    gMenuItemInfo.cch = length + 1;
    BOOL ok = TRUE;
    if (length) ok = GetMenuItemInfoW(menu, item, byPosition, &gMenuItemInfo);
    buffer.back() = L'\0';
    gMenuItemInfo.dwTypeData = buffer.data();
    return ok != FALSE;
}

}  // namespace

cSubMenu::cSubMenu(cViewPortBase *menuOwner, uint32_t menuId, cSubMenuBase *menuParent, HMENU menuHandle)
    : cSubMenuBase(menuOwner, menuId, menuParent), handle(menuHandle) {}

cSubMenu::~cSubMenu() = default;

tStatus cSubMenu::Install() { return parent ? parent->InstallItem(this) : RC_FAIL; }

tStatus cSubMenu::Reload() { return parent ? parent->ReloadItem(this) : RC_FAIL; }

HMENU cSubMenu::GetMenuHandle() { return handle; }

void cSubMenu::RedrawOwnerMenuBar() {
    auto *window = dynamic_cast<cDispDvc *>(owner);
    if (window && window->GetWindowHandle()) DrawMenuBar(window->GetWindowHandle());
}

tStatus cSubMenu::LoadFromHandle() {
    if (!handle) return RC_OK;
    id = uint32_t(reinterpret_cast<uintptr_t>(handle));
    std::vector<wchar_t> buffer;
    for (int i = 0; i < GetMenuItemCount(handle); ++i) {
        ReadMenuInfo(handle, UINT(i), TRUE, buffer);
        if (gMenuItemInfo.fType & MFT_SEPARATOR) continue;
        if (HMENU sub = gMenuItemInfo.hSubMenu) {
            auto *node = new cSubMenu(owner, uint32_t(reinterpret_cast<uintptr_t>(sub)), this, sub);
            children.push_back(node);
            ReloadItem(node);
            node->LoadFromHandle();
        } else {
            auto *item = new cMenuItem(gMenuItemInfo.wID, this, nullptr, 0);
            children.push_back(item);
            ReloadItem(item);
        }
    }
    return RC_OK;
}

tStatus cSubMenu::ReloadItem(cMenuItemBase *item) {
    if (!item) return RC_FAIL;
    std::vector<wchar_t> buffer;
    if (!ReadMenuInfo(handle, item->GetId(), FALSE, buffer)) {
        // Nothing was read: the item keeps its state and text.
        if (gOpSys) gOpSys->ShowLastError(u"MenuLoad");
        return RC_FAIL;
    }
    uint32_t newFlags = 0;
    if (gMenuItemInfo.fState & 3) newFlags |= kMenuDisabled;
    if (gMenuItemInfo.fState & MFS_CHECKED) newFlags |= kMenuChecked;
    return item->SetFlagsAndText(newFlags, reinterpret_cast<const char16_t *>(buffer.data()));
}

tStatus cSubMenu::InstallItem(cMenuItemBase *item) {
    if (!item) return RC_FAIL;
    std::u16string text = item->GetText();
    ClearMenuInfo();
    gMenuItemInfo.fMask = MIIM_STATE | MIIM_TYPE;
    gMenuItemInfo.fType = MFT_STRING;
    gMenuItemInfo.fState = (item->IsEnabled() ? 0 : MFS_GRAYED) | (item->IsChecked() ? MFS_CHECKED : 0);
    gMenuItemInfo.dwTypeData = const_cast<wchar_t *>(W(text.c_str()));
    gMenuItemInfo.cch = UINT(text.size());
    if (!SetMenuItemInfoW(handle, item->GetId(), FALSE, &gMenuItemInfo) && gOpSys)
        gOpSys->ShowLastError(u"MenuInstall");
    return RC_OK;
}

tStatus cSubMenu::InstallPopup() {
    for (int32_t p = 0; p < GetItemCount(); ++p) {
        cMenuItemBase *child = GetItem(p);
        std::u16string text = child->GetText();
        if (!InsertMenuW(handle, UINT(p), MF_BYPOSITION | MF_STRING, UINT_PTR(child->GetId()), W(text.c_str())) &&
            gOpSys)
            gOpSys->ShowLastError(u"PopupInstall");
    }
    return RC_OK;
}

cMenuItemBase *cSubMenu::AddCommand(uint32_t newId, const char16_t *newText, const char16_t *newHint,
                                    const char16_t *newKeyName) {
    if (!handle) return nullptr;
    cMenuItemBase *item = cSubMenuBase::AddCommand(newId, newText, newHint, newKeyName);
    std::u16string text = item->GetText();
    ClearMenuInfo();
    gMenuItemInfo.fMask = MIIM_STATE | MIIM_TYPE | MIIM_ID;
    gMenuItemInfo.fType = MFT_STRING;
    gMenuItemInfo.fState = (item->IsEnabled() ? 0 : MFS_GRAYED) | (item->IsChecked() ? MFS_CHECKED : 0);
    gMenuItemInfo.dwTypeData = const_cast<wchar_t *>(W(text.c_str()));
    gMenuItemInfo.cch = UINT(text.size());
    gMenuItemInfo.wID = newId;
    InsertMenuItemW(handle, newId, FALSE, &gMenuItemInfo);
    return item;
}

tStatus cSubMenu::DeleteCommand(uint32_t wanted) {
    tStatus result = cSubMenuBase::DeleteCommand(wanted);
    if (result == RC_OK && handle) DeleteMenu(handle, wanted, MF_BYCOMMAND);
    return result;
}

tStatus cSubMenu::ReadTranslations(cIniFile *languageFile) {
    tStatus result = cSubMenuBase::ReadTranslations(languageFile);
    RedrawOwnerMenuBar();
    return result;
}

tStatus cSubMenu::EditItemTranslation(cMenuItemBase *item) {
    if (!item || !owner) return RC_OK;
    cDialogBox *dialog = owner->NewDialogBox(28651, 0);
    if (!dialog) return RC_OK;
    std::u16string menuLabel = GetPlainLabel();
    std::u16string itemLabel = item->GetPlainLabel();
    std::u16string itemHint = item->GetHint();
    dialog->NewTextInput(101, &menuLabel, 30);
    dialog->NewTextInput(102, &itemLabel, 30);
    dialog->NewTextInput(103, &itemHint, 50);
    tStatus result = dialog->Open();
    tStatus answer = RC_OK;
    if (result >= 0) {
        SetLabel(menuLabel.c_str());
        item->SetLabel(itemLabel.c_str());
        item->SetHint(itemHint.c_str());
        if (gOpSys) WriteTranslations(&gOpSys->GetTranslateFile());
        RedrawOwnerMenuBar();
        answer = 1;
    }
    delete dialog;
    return answer;
}
