// The main menu's texts from the code tables, walked over a menu tree built
// as menu 1000 is laid out; translate mode and the reset to the built-in
// texts over that tree.
#include "app/menu_texts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/platform/language_fakes.h"
#include "tests/support/main_menu_layout.h"
#include "tests/support/main_menu_tree.h"
#include "tests/support/test_menu.h"
#include "ui/status_bar.h"

namespace {

std::u16string S(const char16_t *text) { return text ? std::u16string(text) : std::u16string(u"<null>"); }

std::unique_ptr<test::cTestMenu> BuildLayoutMenu(cViewPortBase *owner, std::vector<test::cTestMenu::sInstall> *log) {
    return test::BuildMainMenuTree(owner, log);
}

// The popup of that text anywhere in the tree; null when there is none.
cSubMenuBase *FindPopup(cSubMenuBase &menu, const char16_t *text) {
    for (int32_t i = 0; i < menu.GetItemCount(); ++i) {
        auto *sub = dynamic_cast<cSubMenuBase *>(menu.GetItem(i));
        if (!sub) continue;
        if (S(sub->GetText()) == text) return sub;
        if (cSubMenuBase *deeper = FindPopup(*sub, text)) return deeper;
    }
    return nullptr;
}

// A frame whose menu resource is the layout: every load makes a new tree
// and hands the tables out over it, as the window system's load does.
class cLayoutFrame : public cViewPort {
public:
    cLayoutFrame() : cViewPort(nullptr, 0, u"LayoutFrame") {
        auto *bar = new cStatusBar(this, 0);
        ReplaceStatusBar(bar);
        bar->AppendPart(320, 0, 1);
        bar->AppendPart(120, 0, 1);
    }
    ~cLayoutFrame() override { SetMainMenu(nullptr); }

    tStatus LoadMenuResource(uint16_t menuId, const char16_t *const *hints, int32_t hintCount,
                             const char16_t *const *keyNames, int32_t keyNameCount) override {
        ++loads;
        loadedId = menuId;
        std::unique_ptr<test::cTestMenu> root = BuildLayoutMenu(this, &installs);
        hintsTaken = root->TakeHintFromList(hints, 0, hintCount);
        keysTaken = root->TakeKeyNameFromList(keyNames, 0, keyNameCount);
        SetMainMenu(std::move(root));
        return RC_OK;
    }
    cStatusBarBase &Bar() { return *dynamic_cast<cStatusBarBase *>(GetStatusBar()); }

    std::vector<test::cTestMenu::sInstall> installs;
    int loads = 0;
    uint16_t loadedId = 0;
    int32_t hintsTaken = 0, keysTaken = 0;
};

TEST(MenuTexts, TheTablesCoverTheMenuTreeOnePerNode) {
    cLayoutFrame frame;
    ASSERT_EQ(LoadMainMenu(frame), RC_OK);
    EXPECT_EQ(frame.loadedId, kMainMenuId);
    // Every entry is taken; the rows below show that no node went without.
    EXPECT_EQ(frame.hintsTaken, 63);
    EXPECT_EQ(frame.keysTaken, 73);
    ASSERT_NE(gMainMenu, nullptr);
    EXPECT_EQ(S(gMainMenu->GetKeyName()), u"Menu");
    // Each node has its row's texts.
    for (const test::sMenuRow &row : test::kMainMenuRows) {
        cMenuItemBase *item = row.id ? gMainMenu->FindById(row.id) : FindPopup(*gMainMenu, row.text);
        ASSERT_NE(item, nullptr) << ToUtf8(row.text);
        EXPECT_EQ(S(item->GetKeyName()), S(row.keyName)) << ToUtf8(row.text);
        EXPECT_EQ(S(item->GetHint()), row.hint ? S(row.hint) : u"") << ToUtf8(row.text);
        EXPECT_EQ(S(item->GetText()), S(row.text)) << ToUtf8(row.text);
    }
}

TEST(MenuTexts, AHighlightedCommandPutsItsHintIntoTheHelpPart) {
    cLayoutFrame frame;
    ASSERT_EQ(LoadMainMenu(frame), RC_OK);
    struct Case {
        uint32_t id;
        const char16_t *status;
    } cases[] = {
        {111, u"Close Pelmora"},
        {106, u"Write a diagnostic report"},
        {707, u"Visit the website"},
        {4711, u""},  // no such command: the part is emptied
    };
    for (const Case &c : cases) {
        frame.Bar().SetPartText(0, u"before");
        EXPECT_EQ(gMainMenu->ShowCommandHint(c.id), c.id == 4711 ? RC_FAIL : RC_OK) << c.id;
        EXPECT_EQ(S(frame.Bar().GetPartText(0)), c.status) << c.id;
        EXPECT_EQ(S(frame.Bar().GetPartText(1)), u"") << c.id;
    }
    // A grey command shows no hint.
    gMainMenu->DisableCommand(204);
    gMainMenu->ShowCommandHint(204);
    EXPECT_EQ(S(frame.Bar().GetPartText(0)), u"");
}

// Translate mode and the reset on one program run with its own
// operating-system object, the language framework played by a fake.
class MenuLanguage : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(LoadMainMenu(frame), RC_OK);
        menu = gMainMenu;
        menu->DisableCommand(204);  // nothing to undo
        menu->CheckCommand(602);    // sound on
    }
    test::LanguageRun run{"menu_language", 0x409};
    cLayoutFrame frame;
    cSubMenuBase *menu = nullptr;
};

TEST_F(MenuLanguage, TranslateModeEnablesEverythingAndItsEndRestoresAndWritesTheFile) {
    const std::u16string file = run.os.Folder() + u"Mine.PmrLang";
    run.ui.chosenFile = file.c_str();
    ToggleTranslateMode(*run.os, menu);
    EXPECT_TRUE(run.os->IsTranslateMode());
    EXPECT_TRUE(menu->IsCommandChecked(609));
    EXPECT_TRUE(menu->IsCommandEnabled(204));
    EXPECT_TRUE(menu->IsCommandChecked(602));
    EXPECT_TRUE(run.ui.fileDialogs.empty());
    EXPECT_FALSE(test::FileExists(file));

    ToggleTranslateMode(*run.os, menu);
    EXPECT_FALSE(run.os->IsTranslateMode());
    EXPECT_FALSE(menu->IsCommandChecked(609));
    EXPECT_FALSE(menu->IsCommandEnabled(204));
    EXPECT_TRUE(menu->IsCommandEnabled(203));
    EXPECT_TRUE(menu->IsCommandChecked(602));
    // The user was asked for a language file, which was written.
    ASSERT_EQ(run.ui.fileDialogs.size(), 1u);
    EXPECT_EQ(run.ui.fileDialogs[0].substr(0, 5), u"save|");
    EXPECT_EQ(run.ui.menuWrites, 1);
    EXPECT_TRUE(test::FileExists(file));
}

TEST_F(MenuLanguage, EndingTranslateModeWithTheFileNameCancelledStillEndsIt) {
    run.ui.chosenFile = nullptr;
    ToggleTranslateMode(*run.os, menu);
    ToggleTranslateMode(*run.os, menu);
    EXPECT_FALSE(run.os->IsTranslateMode());
    EXPECT_FALSE(menu->IsCommandChecked(609));
    EXPECT_FALSE(menu->IsCommandEnabled(204));
    EXPECT_EQ(run.ui.fileDialogs.size(), 1u);
    EXPECT_EQ(run.ui.menuWrites, 0);
}

TEST_F(MenuLanguage, ResetBringsTheBuiltInTextsBackAndKeepsStatesAndRecentFiles) {
    // As after loading a language file.
    run.os->Settings().SetValue(u"TranslationFile", u"C:\\x\\Deutsch.PmrLang");
    run.os->Settings().SetInt(u"Language", 7);
    run.os->GetTranslateFile().SetValue(u"Menu_File/Exit_Text", u"Beenden");
    menu->FindById(111)->SetLabel(u"Beenden");
    menu->FindById(111)->SetHint(u"Pelmora schlie\u00dfen");
    run.os->AddRecentFile(u"C:\\Scores\\One.pmr", 4);
    run.os->AddRecentFile(u"C:\\Scores\\Two.pmr", 4);
    run.os->FillRecentFilesMenu(menu->FindById(kCmdNew)->GetParent(), kFirstRecentFileId);
    ASSERT_NE(menu->FindById(113), nullptr);

    ASSERT_EQ(ResetMenuTexts(*run.os, frame), RC_OK);
    EXPECT_EQ(frame.loads, 2);
    cSubMenuBase *fresh = gMainMenu;
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(S(fresh->GetCommandText(111)), u"Exit");
    EXPECT_EQ(S(fresh->FindById(111)->GetHint()), u"Close Pelmora");
    EXPECT_EQ(S(fresh->FindById(111)->GetKeyName()), u"File/Exit");
    // What the program had set stays as it was.
    EXPECT_FALSE(fresh->IsCommandEnabled(204));
    EXPECT_TRUE(fresh->IsCommandChecked(602));
    EXPECT_FALSE(fresh->IsCommandChecked(609));
    // The recent files follow the separator again.
    ASSERT_NE(fresh->FindById(112), nullptr);
    ASSERT_NE(fresh->FindById(113), nullptr);
    EXPECT_EQ(S(fresh->GetCommandText(112)), u"One.pmr");
    EXPECT_EQ(fresh->FindById(112)->GetParent(), fresh->FindById(kCmdNew)->GetParent());
    // The language is English again, in the settings on disk as well.
    EXPECT_EQ(run.Setting(u"TranslationFile"), u"0");
    EXPECT_EQ(run.SavedSetting(u"TranslationFile"), u"0");
    EXPECT_EQ(run.SavedSetting(u"Language"), u"0");
    EXPECT_EQ(test::Value(run.os->GetTranslateFile(), u"Menu_File/Exit_Text"), u"<absent>");
}

TEST_F(MenuLanguage, ResetIsIgnoredInTranslateMode) {
    run.os->Settings().SetValue(u"TranslationFile", u"C:\\x\\Deutsch.PmrLang");
    menu->FindById(111)->SetLabel(u"Beenden");
    run.ui.chosenFile = nullptr;
    ToggleTranslateMode(*run.os, menu);
    ASSERT_EQ(ResetMenuTexts(*run.os, frame), RC_OK);
    EXPECT_EQ(frame.loads, 1);
    EXPECT_EQ(gMainMenu, menu);
    EXPECT_EQ(S(menu->GetCommandText(111)), u"Beenden");
    EXPECT_EQ(run.Setting(u"TranslationFile"), u"C:\\x\\Deutsch.PmrLang");
    EXPECT_TRUE(run.os->IsTranslateMode());
    ToggleTranslateMode(*run.os, menu);
}

}  // namespace
