// The language at start-up.  An English user is not asked: no question, no
// language file, and the settings keep whatever choice they held.  Any other
// user is asked once, at the first start, with a dialog whose Help button
// asks for help and whose other-language choice opens a language file.
#include <gtest/gtest.h>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"

using namespace gui;

namespace {

// Items of the "Select Language" dialog.
constexpr uint32_t kHelpButton = 9;
constexpr uint32_t kOtherLanguage = 102;

class LanguageChoice : public cRunningProgram {
protected:
    // Starts the program on the test's data folder, waits for its frame,
    // sees that nobody is asked, ends it by File > Exit.
    void RunAndExit() {
        Launch();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(program.WaitForWindow(u"Select Language", nullptr, 500), nullptr);
        ASSERT_EQ(Exit(), 0u);
    }
};

}  // namespace

TEST_F(LanguageChoice, EnglishUserIsNotAskedAndNothingIsStored) {
    if ((GetUserDefaultLangID() & 0x3FF) != LANG_ENGLISH) GTEST_SKIP() << "not an English user";
    Use("language_english");
    RunAndExit();
    std::string ini = Settings();
    ASSERT_FALSE(ini.empty());
    EXPECT_EQ(ini.find(Utf16Text(u"TranslationFile")), std::string::npos);
    EXPECT_EQ(CountOf(Log(), "Selected language file "), 0);
}

TEST_F(LanguageChoice, EnglishChosenBeforeStaysChosen) {
    Use("language_zero");
    WriteSettings(u"TranslationFile=0\n");
    RunAndExit();
    EXPECT_NE(Settings().find(Utf16Text(u"TranslationFile=0\n")), std::string::npos);
}

// Runs only where the user's language is not English: the "gui_german"
// test list starts this test once more with a German user; the help and
// the file dialog are the test settings' recorder and answers.
TEST_F(LanguageChoice, AnotherUserChoosesALanguageFileWithHelpAtHand) {
    if ((GetUserDefaultLangID() & 0x3FF) == LANG_ENGLISH) GTEST_SKIP() << "an English user";
    Use("language_german");
    std::u16string german = folder + u"Deutsch.PmrLang";
    WriteFile(german, Utf16File(u"PmrLangFile_language=Deutsch\n"));
    sStart how;
    how.dataFolder = folder;
    how.help = folder + u"help.txt";
    how.fileAnswers = {german};
    // No frame before the question is answered: the start-up waits on it.
    ASSERT_TRUE(program.Start(how));
    HWND dialog = program.WaitForWindow(u"Select Language");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, kHelpButton));
    // The dialog's topic in the program's help file, which need not exist.
    EXPECT_TRUE(program.WaitForText(how.help, "HtmlHelp 15 1052 ")) << ReadFile(how.help);
    EXPECT_NE(ReadFile(how.help).find("pelmora.chm\n"), std::string::npos) << ReadFile(how.help);
    ASSERT_TRUE(SetCheck(dialog, kOtherLanguage, true));
    ASSERT_TRUE(PressButton(dialog, IDOK));
    frame = program.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(Exit(), 0u);
    std::string log = Log();
    EXPECT_EQ(CountOf(log, "File dialog: Open: " + ToUtf8(german) + "\r\n"), 1) << log;
    EXPECT_EQ(CountOf(log, "Selected language file " + ToUtf8(german) + "\r\n"), 1) << log;
    EXPECT_NE(Settings().find(Utf16Text(u"TranslationFile=" + german + u"\n")), std::string::npos);
}
