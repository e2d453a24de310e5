// A menu tree for native tests, built in code instead of from a resource.
#pragma once

#include <string>
#include <vector>

#include "ui/menu_item.h"

namespace test {

// A menu node without a window-system menu: records what would be written.
class cTestMenu : public cSubMenuBase {
public:
    struct sInstall {
        uint32_t id;
        uint32_t flags;
        std::u16string text;
    };

    cTestMenu(cViewPortBase *menuOwner, uint32_t menuId, cSubMenuBase *menuParent, std::vector<sInstall> *log)
        : cSubMenuBase(menuOwner, menuId, menuParent), installs(log) {}

    tStatus Install() override { return parent ? parent->InstallItem(this) : RC_FAIL; }
    tStatus Reload() override { return parent ? parent->ReloadItem(this) : RC_FAIL; }
    tStatus EditItemTranslation(cMenuItemBase *) override { return 7; }
    tStatus LoadFromHandle() override { return RC_OK; }
    tStatus InstallItem(cMenuItemBase *item) override {
        installs->push_back({item->GetId(), item->GetFlags(), item->GetText()});
        return RC_OK;
    }
    tStatus ReloadItem(cMenuItemBase *) override { return RC_OK; }

    // A sub-menu read with its text, as the loader does.
    cTestMenu *Sub(const char16_t *label, uint32_t subId) {
        auto *sub = new cTestMenu(owner, subId, this, installs);
        children.push_back(sub);
        sub->SetFlagsAndText(0, label);
        return sub;
    }
    cMenuItemBase *Leaf(const char16_t *label, uint32_t leafId, uint32_t leafFlags = 0) {
        cMenuItemBase *item = AddCommand(leafId, nullptr, nullptr, nullptr);
        item->SetFlagsAndText(leafFlags, label);
        return item;
    }

    std::vector<sInstall> *installs;
};

}  // namespace test
