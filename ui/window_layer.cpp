#include "ui/window_layer.h"

#include <string>

#include "foundation/file_list.h"
#include "foundation/path_names.h"
#include "platform/op_sys_base.h"
#include "platform/window_layer.h"
#include "ui/font_table.h"
#include "ui/key_mouse_window.h"
#include "ui/menu_item.h"
#include "ui/view_help.h"
#include "ui/view_port_top.h"

namespace {

class cUiWindowLayer final : public cWindowLayer {
public:
    cViewHelp *NewHelpViewer() override { return new cViewHelp(); }
    void DeleteHelpViewer(cViewHelp *viewer) override { delete viewer; }

    cKeyMouseWin *OpenKeyMouseWindow(cMessageDvcBase *parent, const char16_t *title) override {
        auto *window = new cKeyMouseWin(parent, title);
        window->Open();
        window->InvalidateAll();
        return window;
    }
    void DeleteKeyMouseWindow(cKeyMouseWin *window) override { delete window; }
    uint8_t SetKeyMouseState(cKeyMouseWin *window, eKeyMouseState which, uint8_t value) override {
        switch (which) {
        case kLeftButton: return window->SetLeftButton(value);
        case kRightButton: return window->SetRightButton(value);
        case kShift: return window->SetShift(value);
        }
        return 0;
    }
    const char16_t *SetKeyMouseText(cKeyMouseWin *window, const char16_t *text) override {
        return window->SetKeyText(text);
    }
    void ShowKeyMouseInput(cKeyMouseWin *window, uint32_t message, tWParam wParam, tLParam lParam) override {
        sWinMessage record(message, wParam, lParam);
        window->OnInputEvent(record);
    }

    tStatus FillRecentFilesMenu(cSubMenuBase *menu, uint32_t firstId, const cFileList &recentFiles) override {
        constexpr uint32_t kLastRecentId = 199;
        if (!menu) return RC_OK;
        int32_t count = recentFiles.GetCount();
        for (int32_t i = 0; i < count && firstId + uint32_t(i) <= kLastRecentId; ++i) {
            uint32_t commandId = firstId + uint32_t(i);
            const std::u16string &path = recentFiles.GetEntry(i)->GetName();
            std::u16string label = GetFileName(path);
            std::u16string key = u"RecentFile/" + label;
            if (cMenuItemBase *item = menu->FindById(commandId)) {
                item->SetText(label.c_str());
                item->SetKeyName(key.c_str());
                item->SetHint(path.c_str());
            } else {
                menu->AddCommand(commandId, label.c_str(), path.c_str(), key.c_str());
            }
        }
        for (uint32_t commandId = firstId + uint32_t(count); commandId <= kLastRecentId; ++commandId)
            menu->DeleteCommand(commandId);
        return RC_OK;
    }

    tWindowHandle GetWindowHandle(cViewPortTop *window) override { return window->GetWindowHandle(); }
    uint32_t GetDpi(cViewPortTop *window) override { return window->GetDpi(); }

    void ReleaseFonts() override { cFontTable::Clear(); }
};

}  // namespace

void InstallWindowLayer() {
    static cUiWindowLayer layer;
    SetWindowLayer(&layer);
}
