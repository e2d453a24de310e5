// Menu 1000 built as a menu tree for native tests: each node with its text as
// the resource gives it, popups numbered from 0x10002 on.
#pragma once

#include <memory>
#include <vector>

#include "tests/support/main_menu_layout.h"
#include "tests/support/test_menu.h"

namespace test {

inline std::unique_ptr<cTestMenu> BuildMainMenuTree(cViewPortBase *owner, std::vector<cTestMenu::sInstall> *log) {
    auto root = std::make_unique<cTestMenu>(owner, 1, nullptr, log);
    root->SetFlagsAndText(0, u"Menu");
    std::vector<cTestMenu *> path = {root.get()};
    uint32_t popupId = 1;
    for (const sMenuRow &row : kMainMenuRows) {
        path.resize(size_t(row.depth) + 1);
        if (row.id == 0)
            path.push_back(path.back()->Sub(row.text, ++popupId + 0x10000));
        else
            path.back()->Leaf(row.text, row.id);
    }
    return root;
}

}  // namespace test
