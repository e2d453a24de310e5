// Language files, the stored language choice, the reset to English,
// translate mode and the translation template.
#include <gtest/gtest.h>

#include "tests/platform/language_fakes.h"

namespace {

using namespace test;

TEST(ChooseLanguage, LaterRunsFollowTheStoredChoice) {
    {
        // English chosen before: nothing asked, nothing loaded.
        LanguageRun run("later_english", 0x0407, "TranslationFile=0\n");
        EXPECT_EQ(run.os->ChooseLanguage(u"*.PmrLang"), RC_FAIL);
        EXPECT_TRUE(run.ui.dialogs.empty());
        EXPECT_TRUE(run.ui.fileDialogs.empty());
    }
    {
        // Only "0" itself means English: "00" is a path, and a missing one.
        LanguageRun run("later_blank_zero", 0x0407, "TranslationFile=00\n");
        EXPECT_EQ(run.os->ChooseLanguage(u"*.PmrLang"), RC_FAIL);
        EXPECT_EQ(run.Setting(u"TranslationFile"), u"00");
        EXPECT_TRUE(run.ui.dialogs.empty());
    }
    {
        // A stored path is loaded without a dialog and stored again.
        LanguageRun run("later_path", 0x0409);
        std::u16string german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
        run.os->Settings().SetValue(u"TranslationFile", german.c_str());
        EXPECT_EQ(run.os->ChooseLanguage(u"*.PmrLang"), RC_OK);
        EXPECT_TRUE(run.ui.fileDialogs.empty());
        EXPECT_EQ(run.ui.menuReads, 1);
        EXPECT_EQ(Value(run.os->GetTranslateFile(), u"Menu_File/Open_Text"), u"&\u00d6ffnen...");
        EXPECT_EQ(run.SavedSetting(u"TranslationFile"), german);
    }
    {
        // A stored path that is gone: English for this run, the path stays.
        LanguageRun run("later_missing", 0x0407);
        std::u16string gone = run.os.Folder() + u"Gone.PmrLang";
        run.os->Settings().SetValue(u"TranslationFile", gone.c_str());
        EXPECT_EQ(run.os->ChooseLanguage(u"*.PmrLang"), RC_FAIL);
        EXPECT_EQ(run.Setting(u"TranslationFile"), gone);
        EXPECT_EQ(run.ui.menuReads, 0);
    }
    {
        // A stored pattern asks at every start until a file is chosen.
        LanguageRun run("later_pattern", 0x0409);
        run.os->Settings().SetValue(u"TranslationFile", u"C:\\Lang\\*.PmrLang");
        EXPECT_EQ(run.os->ChooseLanguage(u"*.PmrLang"), RC_FAIL);
        ASSERT_EQ(run.ui.fileDialogs.size(), 1u);
        EXPECT_EQ(run.Setting(u"TranslationFile"), u"C:\\Lang\\*.PmrLang");
    }
}

TEST(LanguageFile, AFailedLoadKeepsTheTranslationsInUse) {
    LanguageRun run("load_keeps", 0x0407);
    std::u16string german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
    ASSERT_EQ(run.os->LoadLanguageFile(german.c_str()), RC_OK);
    tTranslateFile &loaded = run.os->GetTranslateFile();
    ASSERT_EQ(Value(loaded, u"Symbol_Note14_Hint"), u"Viertelnote");

    std::u16string gone = run.os.Folder() + u"Gone.PmrLang";
    EXPECT_EQ(run.os->LoadLanguageFile(gone.c_str()), RC_FAIL);
    tTranslateFile &after = run.os->GetTranslateFile();
    EXPECT_EQ(Value(after, u"Symbol_Note14_Hint"), u"Viertelnote");
    EXPECT_EQ(after.GetFileName(), german);
    EXPECT_EQ(after.GetLanguage(), u"Deutsch");
    EXPECT_EQ(run.Setting(u"TranslationFile"), german);
}

TEST(LanguageFile, LoadKeepsHeaderTextsTheFileLacks) {
    LanguageRun run("load_header", 0x0407);
    std::u16string german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
    std::u16string other = run.WriteLanguageFile(u"Other.PmrLang", u"PmrLangFile_translator=Else\nMenu_X_Text=x\n");
    ASSERT_EQ(run.os->LoadLanguageFile(german.c_str()), RC_OK);
    ASSERT_EQ(run.os->LoadLanguageFile(other.c_str()), RC_OK);
    tTranslateFile &file = run.os->GetTranslateFile();
    EXPECT_EQ(file.GetLanguage(), u"Deutsch");
    EXPECT_EQ(file.GetComment(), u"Version 2");
    EXPECT_EQ(file.GetTranslator(), u"Else");
    EXPECT_EQ(Value(file, u"Symbol_Note14_Hint"), u"<absent>");  // the keys are the new file's only
    EXPECT_EQ(Value(file, u"Menu_X_Text"), u"x");
}

TEST(LanguageFile, WithoutMainMenuTheFileIsKeptButNotStored) {
    LanguageRun run("load_no_menu", 0x0407);
    run.ui.hasMenu = false;
    std::u16string german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
    EXPECT_EQ(run.os->LoadLanguageFile(german.c_str()), RC_NO_MAIN_MENU);
    EXPECT_EQ(Value(run.os->GetTranslateFile(), u"Symbol_Note14_Hint"), u"Viertelnote");
    EXPECT_EQ(run.Setting(u"TranslationFile"), u"<absent>");
}

TEST(LanguageFile, AMenuThatRefusesTheTranslationsStoresNothing) {
    LanguageRun run("load_menu_fails", 0x0407);
    run.ui.menuReadResult = RC_FAIL;
    std::u16string german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
    EXPECT_EQ(run.os->LoadLanguageFile(german.c_str()), RC_FAIL);
    EXPECT_EQ(run.Setting(u"TranslationFile"), u"<absent>");
}

TEST(LanguageFile, PatternsAskAndPathsLoadAtOnce) {
    LanguageRun run("load_patterns", 0x0407);
    std::u16string german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
    std::u16string program = GetNameWithoutExtension(run.os->GetProgramPath());
    const struct {
        const char16_t *text;
        const char16_t *dialog;  // filter and extension; null: no dialog
    } cases[] = {
        {u"C:\\Lang\\*.PmrLang", u"|*.PmrLang|PmrLang|"},
        {u"*", u"|*.||"},
        {nullptr, u"|*.*|*|"},
        {u"", nullptr},
    };
    for (const auto &c : cases) {
        run.ui.fileDialogs.clear();
        run.ui.chosenFile = nullptr;  // cancelled
        EXPECT_EQ(run.os->LoadLanguageFile(c.text), RC_FAIL);
        if (c.dialog) {
            ASSERT_EQ(run.ui.fileDialogs.size(), 1u);
            EXPECT_EQ(run.ui.fileDialogs[0], u"open|" + program + u" language files" + c.dialog + run.os.Folder());
        } else {
            EXPECT_TRUE(run.ui.fileDialogs.empty());
        }
    }
    run.ui.fileDialogs.clear();
    EXPECT_EQ(run.os->LoadLanguageFile(german.c_str()), RC_OK);
    EXPECT_TRUE(run.ui.fileDialogs.empty());
    EXPECT_EQ(run.os->GetWorkingFolder(), u"C:\\Scores\\");
}

TEST(ResetLanguage, EnglishAgainWithTheHeaderKept) {
    LanguageRun run("reset", 0x0407);
    std::u16string german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
    ASSERT_EQ(run.os->LoadLanguageFile(german.c_str()), RC_OK);
    run.os->SetLanguageId(7);
    EXPECT_EQ(run.os->ResetLanguage(), RC_OK);
    EXPECT_EQ(run.os->GetLanguageId(), 0);
    tTranslateFile &file = run.os->GetTranslateFile();
    EXPECT_TRUE(file.Keys().empty());
    EXPECT_EQ(file.GetLanguage(), u"Deutsch");
    EXPECT_EQ(file.GetTranslator(), u"Team");
    EXPECT_EQ(file.GetFileName(), german);
    EXPECT_EQ(run.SavedSetting(u"Language"), u"0");
    EXPECT_EQ(run.SavedSetting(u"TranslationFile"), u"0");
    // The next start asks nothing and stays English.
    EXPECT_EQ(run.os->ChooseLanguage(u"*.PmrLang"), RC_FAIL);
    EXPECT_TRUE(run.ui.dialogs.empty());
}

TEST(TranslateMode, SettingAnswersThePreviousFlag) {
    LanguageRun run("translate_mode", 0x0409);
    EXPECT_FALSE(run.os->IsTranslateMode());
    EXPECT_FALSE(run.os->SetTranslateMode(true));
    EXPECT_TRUE(run.os->SetTranslateMode(true));
    EXPECT_TRUE(run.os->IsTranslateMode());
    EXPECT_TRUE(run.os->SetTranslateMode(false));
    EXPECT_FALSE(run.os->IsTranslateMode());
}

TEST(TranslationTemplate, WrittenTemplateReadsBackWithTheSameKeys) {
    LanguageRun run("template", 0x0407);
    std::u16string german = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
    ASSERT_EQ(run.os->LoadLanguageFile(german.c_str()), RC_OK);
    // Texts entered in translate mode and the symbol hints of switching off.
    run.os->SetTranslateMode(true);
    tTranslateFile &file = run.os->GetTranslateFile();
    file.SetOrRemove(u"Dialog_28621_text", u"Sprache");
    file.SetOrRemove(u"Dialog_ALL/CANCEL_text", u"Abbrechen");
    file.SetOrRemove(u"Symbol_ClefG_Hint", u"Violinschl\u00fcssel");
    run.os->SetTranslateMode(false);

    std::u16string target = run.os.Folder() + u"Template.PmrLang";
    run.ui.chosenFile = target.c_str();
    EXPECT_EQ(run.os->WriteLanguageFile(u"*.PmrLang"), RC_OK);
    ASSERT_EQ(run.ui.fileDialogs.size(), 1u);
    std::u16string program = GetNameWithoutExtension(run.os->GetProgramPath());
    EXPECT_EQ(run.ui.fileDialogs[0], u"save|" + program + u" language files|*.PmrLang|PmrLang|" + run.os.Folder());
    EXPECT_EQ(run.ui.menuWrites, 1);
    // Writing a language file leaves the stored choice alone.
    EXPECT_EQ(run.Setting(u"TranslationFile"), german);

    tTranslateFile readBack;
    ASSERT_EQ(readBack.Load(target.c_str()), RC_OK);
    EXPECT_EQ(readBack.Keys(), file.Keys());
    EXPECT_EQ(Value(readBack, u"Menu_File/Open_Text"), u"&\u00d6ffnen...");
    EXPECT_EQ(Value(readBack, u"Menu_File/Open_Hint"), u"Open a score");
    EXPECT_EQ(Value(readBack, u"Symbol_ClefG_Hint"), u"Violinschl\u00fcssel");
    EXPECT_EQ(readBack.GetLanguage(), u"Deutsch");
    EXPECT_EQ(readBack.GetComment(), u"Version 2");
    EXPECT_EQ(readBack.GetTranslator(), u"Team");
    // The header lines come first.
    std::string bytes = test::ReadFileBytes(target);
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) text.push_back(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    EXPECT_EQ(text.rfind(u"PmrLangFile_language=Deutsch\nPmrLangFile_comment=Version 2\nPmrLangFile_translator=Team\n", 0),
              0u);
}

TEST(TranslationTemplate, CancelledSaveDialogWritesNothingAndKeepsTheKeys) {
    LanguageRun run("template_cancel", 0x0407);
    run.os->GetTranslateFile().SetOrRemove(u"Dialog_28621_text", u"Sprache");
    run.ui.chosenFile = nullptr;
    EXPECT_EQ(run.os->WriteLanguageFile(u"*.PmrLang"), RC_FAIL);
    EXPECT_EQ(run.ui.menuWrites, 0);
    EXPECT_EQ(Value(run.os->GetTranslateFile(), u"Dialog_28621_text"), u"Sprache");
    EXPECT_EQ(run.os->WriteLanguageFile(nullptr), RC_FAIL);  // "*.*": asks, cancelled again
    EXPECT_EQ(run.ui.fileDialogs.size(), 2u);
    EXPECT_EQ(run.os->cOpSysBase::WriteLanguageFile(nullptr), RC_FAIL);
    EXPECT_EQ(run.ui.fileDialogs.size(), 2u);
}

}  // namespace
