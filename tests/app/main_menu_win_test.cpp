// Menu 1000 and the accelerators as the resource compiler built them into
// the program's file, held against the menu's layout and the code tables:
// the tables follow the resource's tree, so neither can change alone.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "app/menu_texts.h"
#include "foundation/text_util.h"
#include "foundation/win32_win.h"
#include "tests/support/main_menu_layout.h"
#include "ui/menu_item.h"
#include "ui/view_port.h"

namespace {

// One entry of the Win32 menu, read without the menu tree: separators
// included.
struct sRawItem {
    int32_t depth;
    uint32_t id;  // 0 for a popup or a separator
    bool separator;
    std::u16string text;
};

void ReadRaw(HMENU menu, int32_t depth, std::vector<sRawItem> &out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t buffer[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = buffer;
        info.cch = 255;
        ASSERT_TRUE(GetMenuItemInfoW(menu, UINT(i), TRUE, &info));
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        out.push_back({depth, info.hSubMenu || separator ? 0u : info.wID, separator, std::u16string(U(buffer))});
        if (info.hSubMenu) ReadRaw(info.hSubMenu, depth + 1, out);
    }
}

TEST(MainMenuResource, HoldsTheLayoutWithItsSeparators) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMainMenuId));
    ASSERT_NE(menu, nullptr);
    std::vector<sRawItem> raw;
    ReadRaw(menu, 0, raw);
    DestroyMenu(menu);
    // The rows in order, each separator after the command it follows.
    const uint32_t separatorAfter[] = {111, 208, 310, 506};
    std::vector<sRawItem> expected;
    for (const test::sMenuRow &row : test::kMainMenuRows) {
        expected.push_back({row.depth, row.id, false, row.text});
        for (uint32_t id : separatorAfter)
            if (row.id == id) expected.push_back({row.depth, 0, true, u""});
    }
    // The separator after Exit is where the recent files go.
    ASSERT_EQ(raw.size(), expected.size());
    std::vector<std::string> faults;
    for (size_t i = 0; i < raw.size(); ++i) {
        const sRawItem &r = raw[i], &e = expected[i];
        if (r.depth != e.depth || r.id != e.id || r.separator != e.separator || r.text != e.text)
            faults.push_back("entry " + std::to_string(i) + ": " + ToUtf8(r.text) + " <" + std::to_string(r.id) +
                             "> where " + ToUtf8(e.text) + " <" + std::to_string(e.id) + "> belongs");
    }
    EXPECT_TRUE(faults.empty()) << faults.front();
}

TEST(MainMenuResource, LoadedWithTheTablesEveryNodeGetsItsTexts) {
    cViewPort view(nullptr, 0x00CF0000, u"MenuTables");
    ASSERT_EQ(LoadMainMenu(view), RC_OK);
    ASSERT_NE(gMainMenu, nullptr);
    EXPECT_EQ(std::u16string(gMainMenu->GetKeyName()), u"Menu");
    // The walk over the tree, as the state dump and the language file see it.
    struct sNode {
        int32_t depth;
        cMenuItemBase *item;
    };
    std::vector<sNode> nodes;
    auto walk = [&nodes](auto &self, cSubMenuBase *menu, int32_t depth) -> void {
        for (int32_t i = 0; i < menu->GetItemCount(); ++i) {
            cMenuItemBase *item = menu->GetItem(i);
            nodes.push_back({depth, item});
            if (auto *sub = dynamic_cast<cSubMenuBase *>(item)) self(self, sub, depth + 1);
        }
    };
    walk(walk, gMainMenu, 0);
    ASSERT_EQ(nodes.size(), std::size(test::kMainMenuRows));
    for (size_t i = 0; i < nodes.size(); ++i) {
        const test::sMenuRow &row = test::kMainMenuRows[i];
        cMenuItemBase *item = nodes[i].item;
        const std::string at = ToUtf8(row.text);
        EXPECT_EQ(nodes[i].depth, row.depth) << at;
        if (row.id) EXPECT_EQ(item->GetId(), row.id) << at;
        EXPECT_EQ(row.id == 0, dynamic_cast<cSubMenuBase *>(item) != nullptr) << at;
        EXPECT_EQ(std::u16string(item->GetText()), row.text) << at;
        EXPECT_EQ(std::u16string(item->GetKeyName()), row.keyName) << at;
        EXPECT_EQ(std::u16string(item->GetHint()), row.hint ? row.hint : u"") << at;
    }
    view.LoadMenuResource(0, nullptr, 0, nullptr, 0);
}

TEST(MainMenuResource, AcceleratorsAreFunctionKeysAndCtrlSAsItsCharacter) {
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), L"M_PELMORA");
    ASSERT_NE(table, nullptr);
    int count = CopyAcceleratorTableW(table, nullptr, 0);
    std::vector<ACCEL> entries(size_t(count > 0 ? count : 0));
    CopyAcceleratorTableW(table, entries.data(), count);
    DestroyAcceleratorTable(table);
    struct Case {
        WORD key;
        BYTE flags;
        WORD command;
    } cases[] = {
        {VK_F1, FVIRTKEY | FNOINVERT, 700}, {VK_F2, FVIRTKEY | FNOINVERT, 300}, {VK_F3, FVIRTKEY | FNOINVERT, 301},
        {VK_F4, FVIRTKEY | FNOINVERT, 302}, {VK_F5, FVIRTKEY | FNOINVERT, 303}, {VK_F6, FVIRTKEY | FNOINVERT, 304},
        {VK_F7, FVIRTKEY | FNOINVERT, 210}, {VK_F8, FVIRTKEY | FNOINVERT, 209}, {VK_F9, FVIRTKEY | FNOINVERT, 508},
        {VK_F10, FVIRTKEY | FNOINVERT, 507}, {19, FNOINVERT, 102},
    };
    ASSERT_EQ(entries.size(), std::size(cases));
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].key, cases[i].key) << i;
        // The loader marks the table's last entry; that bit is no flag.
        EXPECT_EQ(entries[i].fVirt & ~0x80, cases[i].flags) << i;
        EXPECT_EQ(entries[i].cmd, cases[i].command) << i;
    }
}

}  // namespace
