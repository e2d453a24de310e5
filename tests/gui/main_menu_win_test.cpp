// The running program's main menu: the menu bar holds the layout of menu
// 1000 with the code tables' key names and hints, a highlighted command
// shows its hint in the status bar, and translate mode enables every item,
// ends with a language file of the menu's texts and keeps the program from
// closing by File > Exit meanwhile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/support/main_menu_layout.h"
#include "tests/gui/running_program_win.h"
#include "ui/menu_item.h"

using namespace gui;

namespace {

constexpr uint32_t kMainMenuId = 1000;
constexpr uint32_t kCmdTranslate = 609;
constexpr uint32_t kCmdReset = 610;
constexpr uint32_t kCmdUndo = 204;
constexpr uint32_t kFirstRecentFile = 112;
// Items of the translation dialogs.
constexpr uint32_t kOk = 1;
constexpr uint32_t kCancel = 2;
constexpr uint32_t kLanguageName = 101;

class MainMenu : public cRunningProgram {
protected:
    // The help part after the command was highlighted in the menu bar.
    std::string HintShownFor(uint32_t id) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(frame, WM_MENUSELECT, MAKEWPARAM(id, MF_HILITE), LPARAM(GetMenu(frame)),
                            SMTO_ABORTIFHUNG, 10000, &answer);
        return HelpPart();
    }
};

std::string Utf8(const char16_t *text) { return ToUtf8(text ? std::u16string(text) : std::u16string()); }

// Copy, Cut, Paste, Delete, Undo, Deselect, Paste Lyrics, Paste Text and
// Properties follow the selection, the clipboard and the undo list.
bool IsGreyOnAFreshScore(uint32_t id) { return (id >= 200 && id <= 208) || id == 601; }

TEST_F(MainMenu, TheMenuBarHoldsEveryItemWithItsIdLabelKeyNameAndHint) {
    Start("main_menu_tree");
    tStateDump dump = program.ReadState(frame);
    std::vector<sStateLine> menu = LinesOf(dump, "menu");
    ASSERT_EQ(menu.size(), std::size(test::kMainMenuRows));
    for (size_t i = 0; i < menu.size(); ++i) {
        const test::sMenuRow &row = test::kMainMenuRows[i];
        const std::vector<std::string> &f = menu[i].fields;
        const std::string at = Utf8(row.text);
        ASSERT_EQ(f.size(), 7u) << at;
        EXPECT_EQ(f[0], std::to_string(row.depth)) << at;
        // A popup's id is its menu handle.
        if (row.id) EXPECT_EQ(f[1], std::to_string(row.id)) << at;
        EXPECT_EQ(f[2], ToUtf8(cMenuItemBase::LabelOf(row.text))) << at;
        // The score window greys what a fresh score cannot do yet (its own
        // test checks those); everything else is enabled.
        if (!IsGreyOnAFreshScore(row.id)) EXPECT_EQ(f[3], "1") << at;
        EXPECT_EQ(f[4], "0") << at;
        EXPECT_EQ(f[5], Utf8(row.keyName)) << at;
        EXPECT_EQ(f[6], Utf8(row.hint)) << at;
    }
    // The status bar's five parts, the hint part first.
    EXPECT_EQ(LinesOf(dump, "status").size(), 5u);
    // The shortcut texts, as the resource in the program's file has them.
    std::vector<std::u16string> edit = ResourceMenuLabels(kMainMenuId, 1);
    ASSERT_EQ(edit.size(), 12u);
    EXPECT_EQ(edit[0], u"&Copy\t^C");
    EXPECT_EQ(edit[9], u"");  // the separator
    EXPECT_EQ(edit[11], u"Resize\tF7");
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(MainMenu, AHighlightedCommandShowsItsHintInTheHelpPart) {
    Start("main_menu_hints");
    EXPECT_EQ(HintShownFor(111), "Close Pelmora");
    EXPECT_EQ(HintShownFor(106), "Write a diagnostic report");
    EXPECT_EQ(HintShownFor(610), "Reset translated menus and hints");
    EXPECT_EQ(Exit(), 0u);
}

// The status bar stays along the bottom edge, full width, when the frame
// changes its size.
TEST_F(MainMenu, TheStatusBarFollowsTheFramesBottomEdge) {
    Start("main_menu_status_bar");
    HWND bar = FindWindowExW(frame, nullptr, L"msctls_statusbar32", nullptr);
    ASSERT_NE(bar, nullptr);
    const SIZE sizes[] = {{700, 500}, {1000, 760}, {520, 380}};
    for (const SIZE &size : sizes) {
        ASSERT_TRUE(SetWindowPos(frame, nullptr, 10, 10, size.cx, size.cy, SWP_NOZORDER));
        ASSERT_FALSE(program.ReadState(frame).empty());
        RECT client{}, barRect{};
        GetClientRect(frame, &client);
        GetWindowRect(bar, &barRect);
        POINT corner{client.right, client.bottom};
        ClientToScreen(frame, &corner);
        EXPECT_EQ(barRect.bottom, corner.y) << size.cx;
        EXPECT_EQ(barRect.right, corner.x) << size.cx;
        EXPECT_GT(barRect.bottom - barRect.top, 10) << size.cx;
    }
    EXPECT_EQ(Exit(), 0u);
}

// The Edit menu dropped down from the menu bar by its mnemonic, left in a
// picture for a person to look at ("main_menu_open/menu.bmp").
TEST_F(MainMenu, TheEditMenuDropsDownBelowTheMenuBar) {
    Start("main_menu_open");
    ASSERT_TRUE(PostMessageW(frame, WM_SYSCOMMAND, SC_KEYMENU, 'e'));
    HWND popup = program.WaitForWindowOf(u"#32768", nullptr, 10000);
    ASSERT_NE(popup, nullptr);
    RECT frameRect{}, popupRect{}, client{};
    GetWindowRect(frame, &frameRect);
    GetWindowRect(popup, &popupRect);
    GetClientRect(frame, &client);
    POINT clientTop{0, 0};
    ClientToScreen(frame, &clientTop);
    // Under the menu bar, at the client area's top, inside the frame.
    EXPECT_GE(popupRect.top, clientTop.y - 4);
    EXPECT_LE(popupRect.top, clientTop.y + 4);
    EXPECT_GT(popupRect.left, frameRect.left);
    EXPECT_LT(popupRect.left, frameRect.left + client.right / 2);
    // Twelve rows of items and a separator: clearly more than a few pixels.
    EXPECT_GT(popupRect.bottom - popupRect.top, 150);
    EXPECT_TRUE(SaveScreenshot(GetDesktopWindow(), folder + u"menu.bmp"));
    ASSERT_TRUE(PostKey(frame, VK_ESCAPE));
    ASSERT_TRUE(PostKey(frame, VK_ESCAPE));
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(MainMenu, TranslateModeEnablesEverythingAndItsEndWritesTheLanguageFile) {
    const std::u16string languageFile = FreshFolder("main_menu_language") + u"Mine.PmrLang";
    sStart how;
    how.fileAnswers = {languageFile};
    Start("main_menu_translate", how);
    ASSERT_TRUE(PostCommand(frame, kCmdTranslate));
    tStateDump on = program.ReadState(frame);
    const sStateLine *translate = MenuItem(on, kCmdTranslate);
    ASSERT_NE(translate, nullptr);
    EXPECT_EQ(translate->fields[4], "1");
    for (const sStateLine &line : LinesOf(on, "menu")) EXPECT_EQ(line.fields[3], "1") << line.fields[2];

    // In translate mode a command first asks for its translation; Exit
    // then does nothing.
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    HWND dialog = program.WaitForWindow(u"Translate Menu Selection");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, kCancel));
    ASSERT_FALSE(program.ReadState(frame).empty());
    uint32_t code = 0;
    EXPECT_FALSE(program.WaitForExit(0, code));

    // Translate again ends the mode: its own translation offered first, then
    // the file's name (the test's answer) and its header.
    ASSERT_TRUE(PostCommand(frame, kCmdTranslate));
    dialog = program.WaitForWindow(u"Translate Menu Selection");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, kCancel));
    HWND header = program.WaitForWindow(u"Language File");
    ASSERT_NE(header, nullptr);
    ASSERT_TRUE(SetItemText(header, kLanguageName, u"Testish"));
    ASSERT_TRUE(PressButton(header, kOk));
    // Written under the key names of the table, with the built-in texts.
    ASSERT_TRUE(program.WaitForText(languageFile, Utf16Text(u"Menu_Help/Website_Hint=Visit the website")));
    const std::string written = ReadFile(languageFile);
    EXPECT_EQ(CountOf(written, Utf16Text(u"Menu_File/ASCII_Hint=Write a diagnostic report")), 1);
    EXPECT_EQ(CountOf(written, Utf16Text(u"Menu_File/MIDI_Text=Midi")), 1);
    EXPECT_EQ(CountOf(written, Utf16Text(u"Menu_Setup/German_Text=Pitch from Text")), 1);
    EXPECT_EQ(CountOf(written, Utf16Text(u"Testish")), 1);
    // The palette's symbols are translated too: every prototype's hint.
    EXPECT_EQ(CountOf(written, Utf16Text(u"Symbol_Note14_Hint=")), 1);
    EXPECT_GT(CountOf(written, Utf16Text(u"Symbol_")), 20);

    tStateDump off = program.ReadState(frame);
    translate = MenuItem(off, kCmdTranslate);
    ASSERT_NE(translate, nullptr);
    EXPECT_EQ(translate->fields[4], "0");
    // Back to the score's own states: nothing to undo on a fresh score.
    ASSERT_NE(MenuItem(off, kCmdUndo), nullptr);
    EXPECT_EQ(MenuItem(off, kCmdUndo)->fields[3], "0");
    EXPECT_EQ(Exit(), 0u);
}

// A language file loaded at start-up translates the menu; Reset brings the
// built-in texts back, keeps what the program had checked and the recent
// files, and stores the choice of English.
TEST_F(MainMenu, ResetAfterALanguageFileShowsTheBuiltInMenuAgain) {
    Use("main_menu_reset");
    const std::u16string german = folder + u"Deutsch.PmrLang";
    WriteFile(german, Utf16File(u"PmrLangFile_language=Deutsch\nMenu_File/Exit_Text=Beenden\n"
                                u"Menu_File/Exit_Hint=Pelmora schliessen\nMenu_Setup/Reset_Text=Englisch\n"));
    WriteFile(folder + kSettingsName,
              Utf16File(u"Language=7\nTranslationFile=" + german + u"\nRecentOpenedFiles[0]=C:\\Scores\\Waltz.pmr\n"));
    Launch();
    ASSERT_NE(frame, nullptr);
    tStateDump translated = program.ReadState(frame);
    ASSERT_NE(MenuItem(translated, kCmdExit), nullptr);
    EXPECT_EQ(MenuItem(translated, kCmdExit)->fields[2], "Beenden");
    EXPECT_EQ(MenuItem(translated, kCmdExit)->fields[6], "Pelmora schliessen");
    ASSERT_NE(MenuItem(translated, kFirstRecentFile), nullptr);
    ASSERT_TRUE(PostCommand(frame, kCmdReset));
    tStateDump english = program.ReadState(frame);
    ASSERT_NE(MenuItem(english, kCmdExit), nullptr);
    EXPECT_EQ(MenuItem(english, kCmdExit)->fields[2], "Exit");
    EXPECT_EQ(MenuItem(english, kCmdExit)->fields[6], "Close Pelmora");
    EXPECT_EQ(MenuItem(english, kCmdReset)->fields[2], "Reset");
    const sStateLine *recent = MenuItem(english, kFirstRecentFile);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->fields[2], "Waltz.pmr");
    EXPECT_EQ(recent->fields[6], "C:\\Scores\\Waltz.pmr");
    EXPECT_EQ(LinesOf(english, "menu").size(), std::size(test::kMainMenuRows) + 1);
    EXPECT_EQ(HintShownFor(kCmdExit), "Close Pelmora");
    EXPECT_EQ(Exit(), 0u);
    const std::string ini = Settings();
    EXPECT_NE(ini.find(Utf16Text(u"TranslationFile=0\n")), std::string::npos);
    EXPECT_NE(ini.find(Utf16Text(u"Language=0\n")), std::string::npos);
}

}  // namespace
