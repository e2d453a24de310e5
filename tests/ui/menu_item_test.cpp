#include "ui/menu_item.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "platform/op_sys.h"
#include "tests/support/test_menu.h"
#include "tests/test_support.h"
#include "ui/status_bar.h"

namespace {

struct MenuTree : ::testing::Test {
    std::vector<test::cTestMenu::sInstall> installs;
    test::cTestMenu root{nullptr, 1, nullptr, &installs};
    test::cTestMenu *file = nullptr;
    test::cTestMenu *edit = nullptr;
    test::cTestMenu *language = nullptr;
    cMenuItemBase *newItem = nullptr;
    cMenuItemBase *saveAs = nullptr;
    cMenuItemBase *copy = nullptr;
    cMenuItemBase *deselect = nullptr;
    cMenuItemBase *load = nullptr;

    void SetUp() override {
        root.SetFlagsAndText(0, u"Menu");
        file = root.Sub(u"&File", 100);
        newItem = file->Leaf(u"&New\t^N", 101);
        saveAs = file->Leaf(u"Save as", 102);
        edit = root.Sub(u"&Edit", 200);
        copy = edit->Leaf(u"&Copy\t^C", 201, kMenuDisabled);
        deselect = edit->Leaf(u"Deselect", 202);
        test::cTestMenu *setup = root.Sub(u"Setup", 300);
        language = setup->Sub(u"Language", 310);
        load = language->Leaf(u"Load Language", 311);
        installs.clear();
    }
    void TearDown() override {
        if (gMainMenu == &root) gMainMenu = nullptr;
    }
};

TEST(MenuKeyName, DerivedFromTopLevelMenuAndOwnLabel) {
    struct Case {
        const char16_t *top;
        const char16_t *item;
        const char16_t *key;
    } cases[] = {
        {u"&File", u"Save as", u"File/SaveAs"},
        {u"My menu", u"save  as file", u"MyMenu/saveAsFile"},
        {u"&Edit", u"&&Paste 2", u"Edit/&Paste2"},
        {u"&View", u"z \u00e9t\u00e9", u"View/z\u00e9t\u00e9"},
        {u"&Help", u"About\tF1", u"Help/About"},
    };
    for (const Case &c : cases) {
        std::vector<test::cTestMenu::sInstall> log;
        test::cTestMenu root(nullptr, 1, nullptr, &log);
        root.SetFlagsAndText(0, u"Root menu");
        test::cTestMenu *top = root.Sub(c.top, 10);
        cMenuItemBase *item = top->Leaf(c.item, 11);
        EXPECT_EQ(std::u16string(item->GetKeyName()), c.key);
        // A root keeps its plain label with the blanks.
        EXPECT_EQ(std::u16string(root.GetKeyName()), u"Root menu");
    }
}

TEST_F(MenuTree, KeyNamesOfTopLevelDeepAndRootNodes) {
    EXPECT_EQ(std::u16string(file->GetKeyName()), u"File");
    EXPECT_EQ(std::u16string(edit->GetKeyName()), u"Edit");
    EXPECT_EQ(std::u16string(load->GetKeyName()), u"Setup/LoadLanguage");
    EXPECT_EQ(std::u16string(language->GetKeyName()), u"Setup/Language");
    EXPECT_EQ(std::u16string(root.GetKeyName()), u"Menu");
    // Once set, a key name survives any later text.
    saveAs->SetFlagsAndText(0, u"Something else");
    EXPECT_EQ(std::u16string(saveAs->GetKeyName()), u"File/SaveAs");
    EXPECT_EQ(load->GetTopLevelMenu(), root.GetItem(2));
    EXPECT_EQ(file->GetTopLevelMenu(), file);
    EXPECT_EQ(root.GetTopLevelMenu(), nullptr);
    EXPECT_EQ(load->GetRoot(), &root);
}

TEST_F(MenuTree, LabelViewsAndSetLabelKeepTheShortcut) {
    EXPECT_EQ(std::u16string(copy->GetText()), u"&Copy\t^C");
    EXPECT_EQ(std::u16string(copy->GetLabel()), u"&Copy");
    EXPECT_EQ(std::u16string(copy->GetPlainLabel()), u"Copy");
    EXPECT_EQ(copy->SetLabel(u"&Paste"), RC_OK);
    EXPECT_EQ(std::u16string(copy->GetText()), u"&Paste\t^C");
    EXPECT_EQ(saveAs->SetLabel(u"Keep"), RC_OK);
    EXPECT_EQ(std::u16string(saveAs->GetText()), u"Keep");
    EXPECT_EQ(saveAs->SetLabel(nullptr), RC_FAIL);
    EXPECT_EQ(std::u16string(saveAs->GetText()), u"Keep");
    ASSERT_EQ(installs.size(), 2u);
    EXPECT_EQ(installs[0].text, u"&Paste\t^C");
    EXPECT_EQ(std::u16string(cMenuItemBase::PlainLabelOf(u"&&x&y")), u"&x&y");
}

TEST_F(MenuTree, StateChangesInstallTheItem) {
    EXPECT_FALSE(copy->IsEnabled());
    copy->Check();
    ASSERT_EQ(installs.size(), 1u);
    EXPECT_EQ(installs[0].flags, kMenuDisabled | kMenuChecked);
    EXPECT_TRUE(root.IsCommandChecked(201));
    EXPECT_EQ(root.EnableCommand(201), RC_OK);
    EXPECT_TRUE(root.IsCommandEnabled(201));
    root.UncheckCommand(201);
    root.DisableCommand(101);
    EXPECT_FALSE(root.IsCommandEnabled(101));
    EXPECT_EQ(installs.size(), 4u);
    // Unknown ids find nothing and change nothing.
    EXPECT_EQ(root.EnableCommand(4711), RC_OK);
    EXPECT_FALSE(root.IsCommandEnabled(4711));
    EXPECT_EQ(root.SetCommandText(4711, u"x"), RC_FAIL);
    EXPECT_EQ(root.GetCommandText(4711), nullptr);
    EXPECT_EQ(root.GetCommandLabel(4711), nullptr);
    EXPECT_EQ(std::u16string(root.GetCommandKeyName(4711)), u"4711");
    EXPECT_EQ(std::u16string(root.GetCommandKeyName(311)), u"Setup/LoadLanguage");
    EXPECT_EQ(std::u16string(root.GetCommandPlainLabel(101)), u"New");
    EXPECT_EQ(root.EditCommandTranslation(4711), 1);
    EXPECT_EQ(root.EditCommandTranslation(101), 7);
    EXPECT_EQ(installs.size(), 4u);
    // The root has no parent to write it.
    EXPECT_EQ(root.Install(), RC_FAIL);
    EXPECT_EQ(root.FindById(1), &root);
    EXPECT_EQ(root.FindById(310), language);
    EXPECT_EQ(root.IndexOfItem(edit), 1);
    EXPECT_EQ(root.IndexOfItem(copy), -1);
    EXPECT_EQ(root.GetItem(3), nullptr);
}

TEST_F(MenuTree, HintListGoesToLeavesKeyListToEveryNode) {
    saveAs->SetHint(u"old");
    deselect->SetHint(u"kept");
    const char16_t *hints[] = {u"new file", u"save under a name", u"copy", u"unused"};
    EXPECT_EQ(root.TakeHintFromList(hints, 0, 3), 3);
    EXPECT_EQ(std::u16string(newItem->GetHint()), u"new file");
    EXPECT_EQ(std::u16string(saveAs->GetHint()), u"save under a name");
    EXPECT_EQ(std::u16string(copy->GetHint()), u"copy");
    EXPECT_EQ(std::u16string(deselect->GetHint()), u"kept");
    EXPECT_EQ(std::u16string(file->GetHint()), u"");

    const char16_t *keys[] = {u"Menu", u"F", u"F/N", u"F/S", u"E", u"E/C"};
    EXPECT_EQ(root.TakeKeyNameFromList(keys, 0, 6), 6);
    EXPECT_EQ(std::u16string(root.GetKeyName()), u"Menu");
    EXPECT_EQ(std::u16string(file->GetKeyName()), u"F");
    EXPECT_EQ(std::u16string(saveAs->GetKeyName()), u"F/S");
    EXPECT_EQ(std::u16string(copy->GetKeyName()), u"E/C");
    EXPECT_EQ(std::u16string(deselect->GetKeyName()), u"Edit/Deselect");
}

TEST_F(MenuTree, TranslationsRoundTripThroughALanguageFile) {
    newItem->SetHint(u"Makes a new score");
    cIniFile languages;
    languages.SetValue(u"Menu_File/SaveAs_Hint", u"stale");
    EXPECT_EQ(root.WriteTranslations(&languages), RC_OK);
    EXPECT_EQ(std::u16string(languages.GetValue(u"Menu_File/New_Text")), u"&New");
    EXPECT_EQ(std::u16string(languages.GetValue(u"Menu_File/New_Hint")), u"Makes a new score");
    EXPECT_EQ(std::u16string(languages.GetValue(u"Menu_File_Text")), u"&File");
    EXPECT_EQ(std::u16string(languages.GetValue(u"Menu_Menu_Text")), u"Menu");
    EXPECT_EQ(languages.GetValue(u"Menu_File/SaveAs_Hint"), nullptr);

    languages.SetValue(u"Menu_File/New_Text", u"&Neu");
    languages.SetValue(u"Menu_File/New_Hint", u"Neue Partitur");
    languages.SetValue(u"Menu_Edit/Copy_Text", u"&Kopieren");
    languages.RemoveKey(u"Menu_Edit/Deselect_Text");
    installs.clear();
    EXPECT_EQ(root.ReadTranslations(&languages), RC_OK);
    EXPECT_EQ(std::u16string(newItem->GetText()), u"&Neu\t^N");
    EXPECT_EQ(std::u16string(newItem->GetHint()), u"Neue Partitur");
    EXPECT_EQ(std::u16string(copy->GetText()), u"&Kopieren\t^C");
    EXPECT_EQ(std::u16string(deselect->GetText()), u"Deselect");
    EXPECT_FALSE(installs.empty());

    // A request of the wrong size or kind is ignored.
    cIniFile other;
    sTranslateRequest wrong;
    wrong.file = &other;
    wrong.size = 16;
    root.Translate(kTranslateWrite, &wrong);
    wrong.size = sTranslateRequest::kSize;
    wrong.kind = 2;
    root.Translate(kTranslateWrite, &wrong);
    EXPECT_TRUE(other.Keys().empty());
}

// Translators copy whole texts, shortcut and all.  A label is cut at its
// first tab before the item's own shortcut is added, so loading the same
// file again gives the same menu.
TEST_F(MenuTree, TabsInTranslatedLabelsAreCutAndLoadingTwiceChangesNothing) {
    const struct {
        cMenuItemBase *MenuTree::*item;
        const char16_t *key;
        const char16_t *label;
        const char16_t *text;
    } cases[] = {
        {&MenuTree::newItem, u"Menu_File/New_Text", u"&Neu\tStrg+N", u"&Neu\t^N"},
        {&MenuTree::copy, u"Menu_Edit/Copy_Text", u"&Kopieren\tStrg+C\tmehr", u"&Kopieren\t^C"},
        {&MenuTree::saveAs, u"Menu_File/SaveAs_Text", u"Sichern\tStrg+S", u"Sichern"},
        {&MenuTree::deselect, u"Menu_Edit/Deselect_Text", u"Abw\u00e4hlen  \t\tEsc \x01", u"Abw\u00e4hlen"},
        {&MenuTree::load, u"Menu_Setup/LoadLanguage_Text", u"Sprache laden", u"Sprache laden"},
    };
    std::u16string lines;
    for (const auto &c : cases) lines += std::u16string(c.key) + u"=" + c.label + u"\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t ch : lines) {
        bytes.push_back(char(ch & 0xFF));
        bytes.push_back(char(ch >> 8));
    }
    std::u16string folder = test::MakeTempFolder("menu_tabs");
    std::u16string path = folder + u"Deutsch.PmrLang";
    test::WriteFileBytes(path, bytes);
    // The file twice, then the file the menu writes back.
    const std::u16string written = folder + u"Written.PmrLang";
    for (const std::u16string &file : {path, path, written}) {
        SCOPED_TRACE(test::Narrow(file));
        cIniFile languages;
        ASSERT_EQ(languages.Load(file.c_str()), RC_OK);
        EXPECT_EQ(root.ReadTranslations(&languages), RC_OK);
        for (const auto &c : cases) EXPECT_EQ(std::u16string((this->*c.item)->GetText()), c.text) << test::Narrow(c.key);
        if (file == path) {
            cIniFile back;
            EXPECT_EQ(root.WriteTranslations(&back), RC_OK);
            ASSERT_EQ(back.Save(written.c_str()), RC_OK);
        }
    }
}

TEST_F(MenuTree, TranslateModeEnablesLeavesAndRestoresThem) {
    edit->Disable();
    root.Translate(kTranslateBegin, nullptr);
    EXPECT_TRUE(copy->IsEnabled());
    EXPECT_FALSE(edit->IsEnabled()) << "sub-menus keep their state";
    newItem->Disable();
    copy->Check();
    root.Translate(kTranslateEnd, nullptr);
    EXPECT_TRUE(newItem->IsEnabled()) << "enabled before translate mode";
    EXPECT_FALSE(copy->IsEnabled());
    EXPECT_TRUE(copy->IsChecked()) << "only the enable bit comes back";
}

TEST_F(MenuTree, PopupItemsTakeHintAndKeyFromTheFrameMenu) {
    gMainMenu = &root;
    deselect->SetHint(u"Nothing selected");
    std::vector<test::cTestMenu::sInstall> popupLog;
    test::cTestMenu popup(nullptr, 0, nullptr, &popupLog);
    popup.Attach(nullptr, u"ObjectRBtn", 9000, 0);
    EXPECT_EQ(std::u16string(popup.GetKeyName()), u"ObjectRBtn");
    cMenuItemBase *item = popup.AddItemFrom(deselect);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetId(), 202u | kWindowCommandBit);
    EXPECT_EQ(std::u16string(item->GetKeyName()), u"ObjectRBtnEdit/Deselect");
    EXPECT_EQ(std::u16string(item->GetHint()), u"Nothing selected");
    cMenuItemBase *own = popup.AddItem(u"Own thing", 9100, kMenuChecked);
    EXPECT_EQ(std::u16string(own->GetKeyName()), u"Own thing");
    EXPECT_TRUE(own->IsChecked());
    EXPECT_EQ(popup.AddItemFrom(nullptr), nullptr);
    EXPECT_EQ(popup.GetItemCount(), 2);
    EXPECT_TRUE(popupLog.empty());

    cMenuItem copyOf(0, nullptr, nullptr, 0);
    copyOf.CopyFrom(*copy);
    EXPECT_EQ(copyOf.GetId(), 201u | kWindowCommandBit);
    EXPECT_EQ(std::u16string(copyOf.GetText()), u"Copy");
    EXPECT_EQ(std::u16string(copyOf.GetKeyName()), u"Edit/Copy");
}

TEST(MenuTreeFault, AddItemWithoutAFrameMenuUsesTheText) {
    ASSERT_EQ(gMainMenu, nullptr);
    std::vector<test::cTestMenu::sInstall> log;
    test::cTestMenu popup(nullptr, 0, nullptr, &log);
    popup.Attach(nullptr, u"Popup", 1, 0);
    cMenuItemBase *item = popup.AddItem(u"Play", 12 | kWindowCommandBit, 0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(std::u16string(item->GetKeyName()), u"Play");
}

// A window whose status bar the test provides.
class cHintWindow : public cViewPort {
public:
    explicit cHintWindow(cStatusBarBase *statusBar) : cViewPort(nullptr, 0, u"HintWin"), bar(statusBar) {}
    cDispDvcBase *GetStatusBar() override { return bar; }
    cStatusBarBase *bar;
};

TEST(MenuHint, ShownInTheHelpPartEmptyWhenDisabled) {
    cStatusBar bar(nullptr, 0);
    bar.AppendPart(100, 0, 1);
    cHintWindow window(&bar);
    std::vector<test::cTestMenu::sInstall> log;
    test::cTestMenu root(&window, 1, nullptr, &log);
    root.SetFlagsAndText(0, u"Menu");
    test::cTestMenu *file = root.Sub(u"&File", 2);
    cMenuItemBase *open = file->Leaf(u"&Open", 3);
    cMenuItemBase *grey = file->Leaf(u"Grey", 4, kMenuDisabled);
    open->SetHint(u"Opens a score");
    grey->SetHint(u"never shown");
    EXPECT_EQ(root.ShowCommandHint(3), RC_OK);
    EXPECT_EQ(std::u16string(bar.GetHelpText()), u"Opens a score");
    root.ShowCommandHint(4);
    EXPECT_EQ(std::u16string(bar.GetHelpText()), u"");
    root.ShowCommandHint(3);
    EXPECT_EQ(root.ShowCommandHint(99), RC_FAIL);
    EXPECT_EQ(std::u16string(bar.GetHelpText()), u"");
}

// The recent files become commands of the File menu: an item already there
// takes the new label, key and hint; items beyond a shorter list go.
TEST_F(MenuTree, RecentFilesBecomeCommandsOfTheFileMenu) {
    cOpSysBase *saved = gOpSys;
    auto run = std::make_unique<cOpSysVirtual>(nullptr, nullptr, u"");
    for (const char16_t *p : {u"C:\\songs\\a.pmr", u"C:\\songs\\b.pmr", u"c:\\b.pmr"}) run->AddRecentFile(p, 3);
    EXPECT_EQ(run->FillRecentFilesMenu(file, 112), RC_OK);
    ASSERT_EQ(file->GetItemCount(), 5);
    EXPECT_EQ(std::u16string(file->GetCommandText(112)), u"a.pmr");
    EXPECT_EQ(std::u16string(file->GetCommandKeyName(113)), u"RecentFile/b.pmr");
    EXPECT_EQ(std::u16string(root.FindById(114)->GetHint()), u"c:\\b.pmr");

    run->AddRecentFile(u"C:\\songs\\a.pmr", 2);  // a moves to the end, two stay
    run->FillRecentFilesMenu(file, 112);
    EXPECT_EQ(file->GetItemCount(), 4);
    EXPECT_EQ(std::u16string(file->GetCommandText(112)), u"b.pmr");
    EXPECT_EQ(std::u16string(root.FindById(112)->GetHint()), u"c:\\b.pmr");
    EXPECT_EQ(std::u16string(file->GetCommandKeyName(113)), u"RecentFile/a.pmr");
    EXPECT_EQ(file->FindById(114), nullptr);
    EXPECT_EQ(file->DeleteCommand(114), RC_FAIL);
    run.reset();
    gOpSys = saved;
}

// The frame menu has one owner: a new menu replaces the old one, which is
// deleted then and only then; a menu deleted by its owner leaves no
// dangling main menu behind.
class cCountedMenu : public test::cTestMenu {
public:
    explicit cCountedMenu(int *deletions) : test::cTestMenu(nullptr, 0, nullptr, nullptr), deleted(deletions) {}
    ~cCountedMenu() override { ++*deleted; }
    int *deleted;
};

TEST(MainMenuOwner, ANewMenuReplacesAndDeletesTheOldOne) {
    int firstDeleted = 0, secondDeleted = 0;
    auto *first = new cCountedMenu(&firstDeleted);
    SetMainMenu(std::unique_ptr<cSubMenuBase>(first));
    EXPECT_EQ(gMainMenu, first);
    auto *second = new cCountedMenu(&secondDeleted);
    SetMainMenu(std::unique_ptr<cSubMenuBase>(second));
    EXPECT_EQ(firstDeleted, 1);
    EXPECT_EQ(secondDeleted, 0);
    EXPECT_EQ(gMainMenu, second);
    SetMainMenu(nullptr);
    EXPECT_EQ(secondDeleted, 1);
    EXPECT_EQ(gMainMenu, nullptr);
    EXPECT_EQ(firstDeleted, 1);
}

}  // namespace
