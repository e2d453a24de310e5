#include "app/test_state.h"

#include "foundation/text_util.h"
#include "ui/menu_item.h"
#include "ui/status_bar.h"

namespace {

std::string Field(const char16_t *text) {
    std::u16string plain = text ? text : u"";
    for (char16_t &c : plain)
        if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
    return ToUtf8(plain);
}

void DumpMenu(cSubMenuBase &menu, int32_t depth, std::string &out) {
    for (int32_t i = 0; i < menu.GetItemCount(); ++i) {
        cMenuItemBase *item = menu.GetItem(i);
        if (!item) continue;
        out += "menu\t" + std::to_string(depth) + "\t" + std::to_string(item->GetId()) + "\t" +
               Field(item->GetLabel()) + "\t" + (item->IsEnabled() ? "1" : "0") + "\t" +
               (item->IsChecked() ? "1" : "0") + "\t" + Field(item->GetKeyName()) + "\t" + Field(item->GetHint()) +
               "\n";
        if (auto *sub = dynamic_cast<cSubMenuBase *>(item)) DumpMenu(*sub, depth + 1, out);
    }
}

void DumpWindows(const char *kind, const std::vector<sTestWindowInfo> &windows, std::string &out) {
    for (const sTestWindowInfo &w : windows)
        out += std::string(kind) + "\t" + Field(w.className.c_str()) + "\t" + Field(w.title.c_str()) + "\n";
}

}  // namespace

std::string ComposeTestStateDump(const sTestState &state) {
    std::string out;
    if (state.menu) DumpMenu(*state.menu, 0, out);
    if (state.statusBar)
        for (int32_t i = 0; i < state.statusBar->GetPartCount(); ++i)
            if (cStatusBarPart *part = state.statusBar->GetPart(i))
                out += "status\t" + std::to_string(i) + "\t" + Field(part->GetText()) + "\n";
    DumpWindows("window", state.windows, out);
    DumpWindows("page", state.pages, out);
    for (cSubMenuBase *popup : state.popups) {
        for (int32_t i = 0; popup && i < popup->GetItemCount(); ++i)
            if (cMenuItemBase *item = popup->GetItem(i))
                out += "popup\t" + Field(popup->GetText()) + "\t" + std::to_string(item->GetId()) + "\t" +
                       Field(item->GetLabel()) + "\n";
    }
    out += std::string("modifiers\t") + (state.shift ? "1" : "0") + "\t" + (state.ctrl ? "1" : "0") + "\n";
    out += "end\n";
    return out;
}
