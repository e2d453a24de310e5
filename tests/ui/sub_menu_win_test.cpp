// The menu tree bound to real window-system menus: a tree built from the
// test menu 1991 of tests/ui/test_dialogs.rc, state and texts written
// through the tree and read back from the menus, long labels in both
// directions and through a language file, popups filled from a tree and
// commands added to a menu.  Every Win32 failure the binding meets goes to
// the session log, which each test captures and expects free of errors.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "platform/op_sys.h"
#include "foundation/text_util.h"
#include "foundation/win32_win.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"
#include "ui/sub_menu.h"

namespace {

constexpr uint32_t kTestMenu = 1991;
// Labels longer than any fixed read buffer of old: 40 characters each.
const std::u16string kPrintLabel = u"Print every staff of the score as a file";
const std::u16string kSpreadLabel = u"Spread the selected bars on a new system";
const std::u16string kGermanLabel = u"Druckt jede Notenzeile der Partitur aus!";

uint32_t IdOf(HMENU menu) { return uint32_t(reinterpret_cast<uintptr_t>(menu)); }

HMENU LoadTestMenu() { return LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kTestMenu)); }

// The whole text of an item as the menu holds it (by MF_BYCOMMAND or
// MF_BYPOSITION).
std::u16string MenuText(HMENU menu, UINT item, UINT byWhat) {
    int length = GetMenuStringW(menu, item, nullptr, 0, byWhat);
    if (length <= 0) return u"";
    std::vector<wchar_t> buffer(size_t(length) + 1, L'\0');
    GetMenuStringW(menu, item, buffer.data(), length + 1, byWhat);
    return std::u16string(U(buffer.data()));
}

// fState of an item found by command; all bits set when there is none.
UINT MenuStateOf(HMENU menu, UINT id) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(menu, id, FALSE, &info)) return 0xFFFFFFFFu;
    return info.fState;
}

void SetMenuState(HMENU menu, UINT id, UINT state) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    info.fState = state;
    ASSERT_TRUE(SetMenuItemInfoW(menu, id, FALSE, &info));
}

void SetMenuText(HMENU menu, UINT id, const std::u16string &text) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t *>(W(text.c_str()));
    ASSERT_TRUE(SetMenuItemInfoW(menu, id, FALSE, &info));
}

std::u16string S(const char16_t *text) { return text ? std::u16string(text) : std::u16string(u"<null>"); }

// The test menu loaded and mirrored by a root node, as the frame does with
// its menu: the root's id is the handle's value.
class MenuBinding : public testing::Test {
protected:
    void SetUp() override {
        menu = LoadTestMenu();
        ASSERT_NE(menu, nullptr);
        root = MakeTree(menu);
        ASSERT_EQ(root->GetItemCount(), 2);
        file = dynamic_cast<cSubMenu *>(root->GetItem(0));
        edit = dynamic_cast<cSubMenu *>(root->GetItem(1));
        ASSERT_NE(file, nullptr);
        ASSERT_NE(edit, nullptr);
        ASSERT_EQ(file->GetItemCount(), 4);
        exportMenu = dynamic_cast<cSubMenu *>(file->GetItem(2));
        ASSERT_NE(exportMenu, nullptr);
    }
    void TearDown() override {
        root.reset();
        if (menu) DestroyMenu(menu);
        if (!errorsExpected) {
            EXPECT_EQ(log.Text().find("Error"), std::string::npos) << log.Text();
        }
    }

    static std::unique_ptr<cSubMenu> MakeTree(HMENU handle) {
        auto tree = std::make_unique<cSubMenu>(nullptr, IdOf(handle), nullptr, handle);
        tree->SetKeyName(u"Main");
        EXPECT_EQ(tree->LoadFromHandle(), RC_OK);
        return tree;
    }

    cMenuItemBase *Item(uint32_t id) {
        cMenuItemBase *item = root->FindById(id);
        EXPECT_NE(item, nullptr) << id;
        return item;
    }

    test::LogCapture log{"sub_menu_win"};
    bool errorsExpected = false;
    HMENU menu = nullptr;
    std::unique_ptr<cSubMenu> root;
    cSubMenu *file = nullptr;
    cSubMenu *edit = nullptr;
    cSubMenu *exportMenu = nullptr;
};

TEST_F(MenuBinding, TheTreeMirrorsTheMenuWithoutSeparators) {
    HMENU fileHandle = GetSubMenu(menu, 0);
    HMENU exportHandle = GetSubMenu(fileHandle, 3);
    ASSERT_NE(exportHandle, nullptr);
    EXPECT_EQ(root->GetId(), IdOf(menu));
    EXPECT_EQ(root->GetMenuHandle(), menu);
    EXPECT_EQ(file->GetMenuHandle(), fileHandle);
    EXPECT_EQ(file->GetId(), IdOf(fileHandle));
    EXPECT_EQ(edit->GetMenuHandle(), GetSubMenu(menu, 1));
    EXPECT_EQ(exportMenu->GetMenuHandle(), exportHandle);
    EXPECT_EQ(exportMenu->GetId(), IdOf(exportHandle));
    EXPECT_EQ(exportMenu->GetParent(), file);

    // The separator has no node: after it, menu positions run one ahead of
    // the tree's indexes.
    EXPECT_EQ(GetMenuItemCount(fileHandle), 5);
    EXPECT_EQ(GetMenuItemID(fileHandle, 4), 2003u);
    EXPECT_EQ(file->GetItem(3)->GetId(), 2003u);
    EXPECT_EQ(file->IndexOfItem(exportMenu), 2);
    EXPECT_EQ(exportMenu->GetItemCount(), 2);
    EXPECT_EQ(edit->GetItemCount(), 2);

    struct sRow {
        cMenuItemBase *item;
        uint32_t id;
        std::u16string text;
        std::u16string key;
        bool enabled;
        bool checked;
    };
    const sRow rows[] = {
        {file, IdOf(fileHandle), u"&File", u"File", true, false},
        {file->GetItem(0), 2001, u"&New\tCtrl+N", u"File/New", true, false},
        {file->GetItem(1), 2002, u"Save as", u"File/SaveAs", false, false},
        {exportMenu, IdOf(exportHandle), u"Export", u"File/Export", true, false},
        {exportMenu->GetItem(0), 2011, u"Midi", u"File/Midi", true, false},
        {exportMenu->GetItem(1), 2012, u"Song book", u"File/SongBook", true, true},
        {file->GetItem(3), 2003, kPrintLabel + u"\tCtrl+P", u"File/PrintEveryStaffOfTheScoreAsAFile", true, false},
        {edit->GetItem(0), 2101, u"&Copy", u"Edit/Copy", true, true},
        {edit->GetItem(1), 2102, u"Select all", u"Edit/SelectAll", true, false},
    };
    for (const sRow &row : rows) {
        SCOPED_TRACE(test::Narrow(row.key));
        ASSERT_NE(row.item, nullptr);
        EXPECT_EQ(row.item->GetId(), row.id);
        EXPECT_EQ(S(row.item->GetText()), row.text);
        EXPECT_EQ(S(row.item->GetKeyName()), row.key);
        EXPECT_EQ(row.item->IsEnabled(), row.enabled);
        EXPECT_EQ(row.item->IsChecked(), row.checked);
        EXPECT_EQ(root->FindById(row.id), row.item);
    }
    EXPECT_EQ(S(file->GetItem(3)->GetLabel()), kPrintLabel);
}

TEST_F(MenuBinding, StateChangesThroughTheTreeReachTheMenu) {
    HMENU fileHandle = file->GetMenuHandle();
    cMenuItemBase *newItem = Item(2001);
    ASSERT_NE(newItem, nullptr);
    newItem->Disable();
    newItem->Check();
    EXPECT_EQ(MenuStateOf(menu, 2001), UINT(MFS_GRAYED | MFS_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 2001, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED | MF_CHECKED),
              UINT(MF_GRAYED | MF_DISABLED | MF_CHECKED));
    // Writing the state writes the text too: it stays whole.
    EXPECT_EQ(MenuText(menu, 2001, MF_BYCOMMAND), u"&New\tCtrl+N");

    struct sCase {
        const char *what;
        uint32_t id;
        tStatus (cSubMenuBase::*change)(uint32_t);
        UINT state;
    };
    const sCase cases[] = {
        {"enable the greyed item", 2002, &cSubMenuBase::EnableCommand, 0},
        {"uncheck the checked item", 2101, &cSubMenuBase::UncheckCommand, 0},
        {"check a nested item", 2011, &cSubMenuBase::CheckCommand, MFS_CHECKED},
        {"grey the disabled and checked item back", 2001, &cSubMenuBase::EnableCommand, MFS_CHECKED},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(((*root).*c.change)(c.id), RC_OK);
        EXPECT_EQ(MenuStateOf(menu, c.id), c.state);
    }

    // A sub-menu's own entry lives in its parent's menu; greying it keeps
    // the popup and its text.
    exportMenu->Disable();
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoW(fileHandle, 3, TRUE, &info));
    EXPECT_EQ(info.fState, UINT(MFS_GRAYED));
    EXPECT_EQ(info.hSubMenu, exportMenu->GetMenuHandle());
    EXPECT_EQ(MenuText(fileHandle, 3, MF_BYPOSITION), u"Export");
}

TEST_F(MenuBinding, ReloadReadsEitherDisableBitAndTheCheck) {
    cMenuItemBase *selectAll = Item(2102);
    ASSERT_NE(selectAll, nullptr);
    struct sCase {
        UINT state;
        bool enabled;
        bool checked;
    };
    const sCase cases[] = {
        {MF_GRAYED, false, false},
        {MF_DISABLED, false, false},
        {MFS_GRAYED | MFS_CHECKED, false, true},
        {MFS_CHECKED, true, true},
        {0, true, false},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.state);
        SetMenuState(menu, 2102, c.state);
        EXPECT_EQ(edit->ReloadItem(selectAll), RC_OK);
        EXPECT_EQ(selectAll->IsEnabled(), c.enabled);
        EXPECT_EQ(selectAll->IsChecked(), c.checked);
        EXPECT_EQ(S(selectAll->GetText()), u"Select all");
    }
}

TEST_F(MenuBinding, AnItemGoneFromTheMenuKeepsItsStateAndTextOnReload) {
    errorsExpected = true;
    cMenuItemBase *item = file->AddCommand(120, u"&3 Quartet", u"Opens the score", u"File/Recent3");
    ASSERT_NE(item, nullptr);
    item->Check();
    ASSERT_TRUE(DeleteMenu(file->GetMenuHandle(), 120, MF_BYCOMMAND));
    EXPECT_EQ(item->Reload(), RC_FAIL);
    EXPECT_EQ(S(item->GetText()), u"&3 Quartet");
    EXPECT_TRUE(item->IsChecked());
    EXPECT_TRUE(item->IsEnabled());
    EXPECT_NE(log.Text().find("Error: MenuLoad"), std::string::npos) << log.Text();
}

TEST_F(MenuBinding, LongLabelsComeBackWholeInBothDirections) {
    cMenuItemBase *newItem = Item(2001);
    cMenuItemBase *selectAll = Item(2102);
    cMenuItemBase *copy = Item(2101);
    ASSERT_TRUE(newItem && selectAll && copy);

    // Written through the tree: the shortcut tail stays, the menu holds all.
    EXPECT_EQ(newItem->SetLabel(kSpreadLabel.c_str()), RC_OK);
    EXPECT_EQ(MenuText(menu, 2001, MF_BYCOMMAND), kSpreadLabel + u"\tCtrl+N");
    EXPECT_EQ(file->ReloadItem(newItem), RC_OK);
    EXPECT_EQ(S(newItem->GetText()), kSpreadLabel + u"\tCtrl+N");
    EXPECT_EQ(S(newItem->GetKeyName()), u"File/New") << "a key name, once made, stays";

    // Written by the window system and read back; much longer ones too.
    for (const std::u16string &text :
         {kGermanLabel, kGermanLabel + u" " + kPrintLabel + u" " + kSpreadLabel + u"\tShift+Ctrl+F12"}) {
        SCOPED_TRACE(text.size());
        SetMenuText(menu, 2101, text);
        EXPECT_EQ(edit->ReloadItem(copy), RC_OK);
        EXPECT_EQ(S(copy->GetText()), text);
        EXPECT_TRUE(copy->IsChecked()) << "the state comes with the text";
        // A label is the text before the first tab: what follows it is the
        // item's own shortcut, which Select All has none of.
        EXPECT_EQ(selectAll->SetLabel(text.c_str()), RC_OK);
        EXPECT_EQ(MenuText(menu, 2102, MF_BYCOMMAND), cMenuItemBase::LabelOf(text));
        EXPECT_EQ(selectAll->SetLabel(cMenuItemBase::LabelOf(text).c_str()), RC_OK);
        EXPECT_EQ(MenuText(menu, 2102, MF_BYCOMMAND), cMenuItemBase::LabelOf(text));
    }
}

TEST_F(MenuBinding, ALanguageFileCarriesLongLabelsIntoAFreshTree) {
    cMenuItemBase *selectAll = Item(2102);
    ASSERT_NE(selectAll, nullptr);
    selectAll->SetLabel(kSpreadLabel.c_str());
    selectAll->SetHint(u"Spreads the bars");

    cIniFile written;
    EXPECT_EQ(root->WriteTranslations(&written), RC_OK);
    EXPECT_EQ(S(written.GetValue(u"Main_File/PrintEveryStaffOfTheScoreAsAFile_Text")), kPrintLabel);
    EXPECT_EQ(S(written.GetValue(u"Main_Edit/SelectAll_Text")), kSpreadLabel);
    EXPECT_EQ(S(written.GetValue(u"Main_Edit/SelectAll_Hint")), u"Spreads the bars");
    EXPECT_EQ(S(written.GetValue(u"Main_File_Text")), u"&File");
    written.SetValue(u"Main_Edit/Copy_Text", kGermanLabel.c_str());
    written.SetValue(u"Main_File/New_Text", u"&Neu");

    // Through a file on disk, as a language file travels.
    std::u16string path = test::MakeTempFolder("sub_menu_win_language") + u"language.ini";
    ASSERT_EQ(written.Save(path.c_str()), RC_OK);
    cIniFile language;
    ASSERT_EQ(language.Load(path.c_str()), RC_OK);

    HMENU fresh = LoadTestMenu();
    ASSERT_NE(fresh, nullptr);
    {
        std::unique_ptr<cSubMenu> tree = MakeTree(fresh);
        EXPECT_EQ(tree->ReadTranslations(&language), RC_OK);
        struct sCase {
            uint32_t id;
            std::u16string text;
        };
        const sCase cases[] = {
            {2003, kPrintLabel + u"\tCtrl+P"},
            {2102, kSpreadLabel},
            {2101, kGermanLabel},
            {2001, u"&Neu\tCtrl+N"},
        };
        for (const sCase &c : cases) {
            SCOPED_TRACE(c.id);
            cMenuItemBase *item = tree->FindById(c.id);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(S(item->GetText()), c.text);
            EXPECT_EQ(MenuText(fresh, c.id, MF_BYCOMMAND), c.text);
        }
        EXPECT_EQ(S(tree->FindById(2102)->GetHint()), u"Spreads the bars");
        EXPECT_TRUE(tree->FindById(2101)->IsChecked()) << "a translation changes texts only";
    }
    DestroyMenu(fresh);
}

TEST_F(MenuBinding, APopupGetsItsChildrensIdsAndTextsInOrder) {
    HMENU handle = CreatePopupMenu();
    ASSERT_NE(handle, nullptr);
    {
        cSubMenu popup(nullptr, 9000, nullptr, handle);
        popup.Attach(nullptr, u"Score popup", 9000, 0);
        popup.AddItem(u"&Play", 12 | kWindowCommandBit, 0);
        popup.AddItem(kPrintLabel.c_str(), 13 | kWindowCommandBit, 0);
        popup.AddItemFrom(Item(2001));
        EXPECT_EQ(popup.InstallPopup(), RC_OK);
        const std::vector<std::pair<UINT, std::u16string>> expected = {
            {12 | kWindowCommandBit, u"&Play"},
            {13 | kWindowCommandBit, kPrintLabel},
            {2001 | kWindowCommandBit, u"New"},
        };
        ASSERT_EQ(GetMenuItemCount(handle), int(expected.size()));
        for (size_t p = 0; p < expected.size(); ++p) {
            SCOPED_TRACE(p);
            EXPECT_EQ(GetMenuItemID(handle, int(p)), expected[p].first);
            EXPECT_EQ(MenuText(handle, UINT(p), MF_BYPOSITION), expected[p].second);
        }
    }
    EXPECT_TRUE(IsMenu(handle)) << "the node never destroys the menu";
    DestroyMenu(handle);
}

TEST_F(MenuBinding, AddCommandNeedsAMenuAndInsertsIntoIt) {
    cSubMenu unbound(nullptr, 1, nullptr, nullptr);
    EXPECT_EQ(unbound.LoadFromHandle(), RC_OK);
    EXPECT_EQ(unbound.AddCommand(112, u"&1 Sonata", u"Opens the score", u"File/Recent1"), nullptr);
    EXPECT_EQ(unbound.GetItemCount(), 0);

    HMENU fileHandle = file->GetMenuHandle();
    const std::u16string recent = u"&2 " + kGermanLabel;
    cMenuItemBase *item = file->AddCommand(113, recent.c_str(), u"Opens the score", u"File/Recent2");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(GetMenuItemCount(fileHandle), 6);
    EXPECT_EQ(MenuText(fileHandle, 113, MF_BYCOMMAND), recent);
    EXPECT_EQ(MenuStateOf(fileHandle, 113), 0u);
    EXPECT_EQ(file->GetItemCount(), 5);
    EXPECT_EQ(root->FindById(113), item);
    EXPECT_EQ(S(item->GetHint()), u"Opens the score");
    EXPECT_EQ(S(item->GetKeyName()), u"File/Recent2");
    // The new node is bound to the new menu item.
    root->DisableCommand(113);
    EXPECT_EQ(MenuStateOf(fileHandle, 113), UINT(MFS_GRAYED));
}

// The recent-file commands the system object puts into a menu.
std::vector<std::u16string> Labels(HMENU menu) {
    std::vector<std::u16string> labels;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t buf[256];
        int n = GetMenuStringW(menu, UINT(i), buf, 256, MF_BYPOSITION);
        labels.push_back(std::u16string(U(buf), size_t(n > 0 ? n : 0)) + u"=" + FormatUnsigned(GetMenuItemID(menu, i)));
    }
    return labels;
}

TEST(RecentFilesMenu, ItemsFollowTheListAndLeftoversAreRemoved) {
    cOpSysBase *saved = gOpSys;
    {
        cOpSysVirtual run(nullptr, nullptr, u"");
        HMENU bar = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, 100, L"New");
        AppendMenuW(file, MF_STRING, 111, L"Exit");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
        cSubMenu root(nullptr, 0, nullptr, bar);
        root.LoadFromHandle();
        cMenuItemBase *newItem = root.FindById(100);
        ASSERT_NE(newItem, nullptr);
        cSubMenuBase *fileMenu = newItem->GetParent();
        ASSERT_NE(fileMenu, nullptr);
        EXPECT_EQ(run.FillRecentFilesMenu(nullptr, 112), RC_OK);

        for (const char16_t *p : {u"C:\\1.pmr", u"C:\\2.pmr", u"C:\\3.pmr", u"C:\\4.pmr", u"C:\\5.pmr", u"no_folder.pmr"})
            run.AddRecentFile(p, 0);
        run.FillRecentFilesMenu(fileMenu, 112);
        EXPECT_EQ(Labels(file), (std::vector<std::u16string>{u"New=100", u"Exit=111", u"1.pmr=112", u"2.pmr=113",
                                                             u"3.pmr=114", u"4.pmr=115", u"5.pmr=116",
                                                             u"no_folder.pmr=117"}));
        run.AddRecentFile(u"C:\\2.pmr", 4);  // moves 2 to the end and keeps four
        run.FillRecentFilesMenu(fileMenu, 112);
        EXPECT_EQ(Labels(file), (std::vector<std::u16string>{u"New=100", u"Exit=111", u"4.pmr=112", u"5.pmr=113",
                                                             u"no_folder.pmr=114", u"2.pmr=115"}));
        EXPECT_EQ(std::u16string(run.GetRecentFile(3)), u"C:\\2.pmr");
        // The tree follows: key names, hints, and no node for a removed item.
        EXPECT_EQ(fileMenu->GetItemCount(), 6);
        EXPECT_EQ(std::u16string(fileMenu->GetCommandKeyName(115)), u"RecentFile/2.pmr");
        EXPECT_EQ(std::u16string(root.FindById(115)->GetHint()), u"C:\\2.pmr");
        EXPECT_EQ(root.FindById(116), nullptr);
        EXPECT_EQ(run.GetRecentFile(4), nullptr);  // what a removed item would have named
        DestroyMenu(bar);
    }
    gOpSys = saved;
}

}  // namespace
