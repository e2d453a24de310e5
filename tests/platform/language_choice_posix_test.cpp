// The first run of users by their language: only the native build can play
// a user whose language is not English.
#include <gtest/gtest.h>

#include "tests/platform/language_fakes.h"

namespace {

using namespace test;

TEST(ChooseLanguage, FirstRunByUserLanguageAndAnswer) {
    enum { kNone = 0, kPickFile = 1, kNoFiles = 2, kCancelFile = 3 };
    const struct {
        const char *name;
        uint32_t userLanguage;
        int32_t click;             // radio value clicked (0: none)
        tStatus dialogResult;      // OK or Cancel
        bool canMakeDialog;
        int files;                 // what the data folder and the file dialog do
        tStatus result;
        const char16_t *stored;    // "TranslationFile" afterwards
        int dialogsShown;
        bool loaded;
    } cases[] = {
        {"english_us", 0x0409, 0, RC_OK, true, kNone, RC_FAIL, u"<absent>", 0, false},
        {"english_uk", 0x0809, 0, RC_OK, true, kNone, RC_FAIL, u"<absent>", 0, false},
        {"german_english", 0x0407, 1, RC_OK, true, kPickFile, RC_OK, u"0", 1, false},
        {"german_no_choice", 0x0407, 0, RC_FAIL, true, kPickFile, RC_OK, u"0", 1, false},
        {"german_other_ok", 0x0407, 2, RC_OK, true, kPickFile, RC_OK, nullptr, 1, true},
        {"german_other_cancel", 0x0407, 2, RC_FAIL, true, kPickFile, RC_OK, nullptr, 1, true},
        {"german_no_files", 0x0407, 2, RC_OK, true, kNoFiles, RC_OK, u"0", 1, false},
        {"german_cancel_file", 0x0407, 2, RC_OK, true, kCancelFile, RC_OK, u"0", 1, false},
        {"german_no_dialog", 0x0407, 2, RC_OK, false, kPickFile, RC_OK, u"0", 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        LanguageRun run(c.name, c.userLanguage);
        run.ui.click = c.click;
        run.ui.dialogResult = c.dialogResult;
        run.ui.canMakeDialogs = c.canMakeDialog;
        std::u16string german;
        if (c.files != kNoFiles) german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
        if (c.files == kPickFile) run.ui.chosenFile = german.c_str();

        EXPECT_EQ(run.os->ChooseLanguage(u"*.PmrLang"), c.result);
        std::u16string stored = c.stored ? c.stored : german;
        EXPECT_EQ(run.Setting(u"TranslationFile"), stored);
        EXPECT_EQ(run.ui.dialogsOpened, c.dialogsShown);
        EXPECT_EQ(Value(run.os->GetTranslateFile(), u"Symbol_Note14_Hint"), c.loaded ? u"Viertelnote" : u"<absent>");
        std::string log = run.os.LogText();
        EXPECT_EQ(test::Occurrences(log, "Selected language file "), c.loaded ? 1 : 0);
        if (c.loaded) {
            EXPECT_NE(log.find("Selected language file " + test::Narrow(german) + "\r\n"), std::string::npos);
        }
        if (c.result == RC_OK) {
            // The answer is kept on disk, so the question is not asked again.
            EXPECT_EQ(run.SavedSetting(u"TranslationFile"), stored);
        } else {
            EXPECT_EQ(run.SavedSetting(u"TranslationFile"), u"<no file>");
        }
    }
}

TEST(ChooseLanguage, TheDialogOffersEnglishAndOtherLanguage) {
    LanguageRun run("choose_dialog", 0x0407);
    run.ui.click = 1;
    run.os->ChooseLanguage(u"*.PmrLang");
    ASSERT_EQ(run.ui.dialogs.size(), 1u);
    EXPECT_EQ(run.ui.dialogs[0], std::make_pair(28621u, 1052u));
    ASSERT_EQ(run.ui.controls.size(), 2u);
    EXPECT_EQ(run.ui.controls[0].id, 101u);
    EXPECT_EQ(run.ui.controls[0].value, 1);
    EXPECT_EQ(run.ui.controls[0].hint, u"Select English");
    EXPECT_EQ(run.ui.controls[1].id, 102u);
    EXPECT_EQ(run.ui.controls[1].value, 2);
    EXPECT_EQ(run.ui.controls[1].hint, u"Select other language");
}

TEST(ChooseLanguage, OtherLanguageAsksForAFileInTheDataFolder) {
    LanguageRun run("choose_file_dialog", 0x0407);
    run.ui.click = 2;
    std::u16string german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
    run.ui.chosenFile = german.c_str();
    EXPECT_EQ(run.os->ChooseLanguage(u"*.PmrLang"), RC_OK);
    ASSERT_EQ(run.ui.fileDialogs.size(), 1u);
    std::u16string program = GetNameWithoutExtension(run.os->GetProgramPath());
    EXPECT_EQ(run.ui.fileDialogs[0], u"open|" + program + u" language files|*.PmrLang|PmrLang|" + run.os.Folder());
    // The working folder is given back after the dialog.
    EXPECT_EQ(run.os->GetWorkingFolder(), u"C:\\Scores\\");
    EXPECT_EQ(run.ui.menuOpenLabel, u"&\u00d6ffnen...");
}

}  // namespace
