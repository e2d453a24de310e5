// The language at start-up.  An English user is not asked: no question, no
// language file, and the settings keep whatever choice they held.  Any other
// user is asked once, at the first start, with a dialog whose Help button
// asks for help and whose other-language choice opens a language file.
#include <gtest/gtest.h>

#include "foundation/text_util.h"
#include "tests/gui/gui_driver_win.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdExit = 111;
// Items of the "Select Language" dialog.
constexpr uint32_t kHelpButton = 9;
constexpr uint32_t kOtherLanguage = 102;

// Starts the program, waits for its frame, ends it by File > Exit.
void RunAndExit(const std::u16string &folder) {
    cProgram program;
    ASSERT_TRUE(program.Start(folder));
    HWND frame = program.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(program.WaitForWindow(u"Select Language", nullptr, 500), nullptr);
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    uint32_t code = 0xDEAD;
    ASSERT_TRUE(program.WaitForExit(30000, code));
    EXPECT_EQ(code, 0u);
}

std::string Key(const std::u16string &line) { return Utf16File(line).substr(2); }

}  // namespace

TEST(LanguageChoice, EnglishUserIsNotAskedAndNothingIsStored) {
    if ((GetUserDefaultLangID() & 0x3FF) != LANG_ENGLISH) GTEST_SKIP() << "not an English user";
    std::u16string folder = FreshFolder("language_english");
    RunAndExit(folder);
    std::string ini = ReadFile(folder + u"PelmoraSetup.ini");
    ASSERT_FALSE(ini.empty());
    EXPECT_EQ(ini.find(Key(u"TranslationFile")), std::string::npos);
    EXPECT_EQ(CountOf(ReadFile(folder + TodaysLogName()), "Selected language file "), 0);
}

TEST(LanguageChoice, EnglishChosenBeforeStaysChosen) {
    std::u16string folder = FreshFolder("language_zero");
    WriteFile(folder + u"PelmoraSetup.ini", Utf16File(u"Language=0\nTranslationFile=0\n"));
    RunAndExit(folder);
    std::string ini = ReadFile(folder + u"PelmoraSetup.ini");
    EXPECT_NE(ini.find(Key(u"TranslationFile=0\n")), std::string::npos);
}

// Runs only where the user's language is not English: the "gui_german"
// test list starts this test once more with a German user; the help and
// the file dialog are the test settings' recorder and answers.
TEST(LanguageChoice, AnotherUserChoosesALanguageFileWithHelpAtHand) {
    if ((GetUserDefaultLangID() & 0x3FF) == LANG_ENGLISH) GTEST_SKIP() << "an English user";
    std::u16string folder = FreshFolder("language_german");
    std::u16string german = folder + u"Deutsch.PmrLang";
    WriteFile(german, Utf16File(u"PmrLangFile_language=Deutsch\n"));
    sStart how;
    how.dataFolder = folder;
    how.help = folder + u"help.txt";
    how.fileAnswers = {german};
    cProgram program;
    ASSERT_TRUE(program.Start(how));
    HWND dialog = program.WaitForWindow(u"Select Language");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, kHelpButton));
    // The dialog's topic in the program's help file, which need not exist.
    EXPECT_TRUE(program.WaitForText(how.help, "HtmlHelp 15 1052 ")) << ReadFile(how.help);
    EXPECT_NE(ReadFile(how.help).find("pelmora.chm\n"), std::string::npos) << ReadFile(how.help);
    ASSERT_TRUE(SetCheck(dialog, kOtherLanguage, true));
    ASSERT_TRUE(PressButton(dialog, IDOK));
    HWND frame = program.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    uint32_t code = 0xDEAD;
    ASSERT_TRUE(program.WaitForExit(30000, code));
    EXPECT_EQ(code, 0u);
    std::string log = ReadFile(folder + TodaysLogName());
    EXPECT_EQ(CountOf(log, "File dialog: Open: " + ToUtf8(german) + "\r\n"), 1) << log;
    EXPECT_EQ(CountOf(log, "Selected language file " + ToUtf8(german) + "\r\n"), 1) << log;
    EXPECT_NE(ReadFile(folder + u"PelmoraSetup.ini").find(Key(u"TranslationFile=" + german + u"\n")),
              std::string::npos);
}
