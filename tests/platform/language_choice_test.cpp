// Language files and the choice of the interface language, with the window
// framework's dialogs, file dialogs and main menu played by a fake.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "foundation/path_names.h"
#include "platform/ini_file.h"
#include "platform/language_ui.h"
#include "platform/translate_file.h"
#include "tests/platform/local_op_sys.h"

namespace {

using tTranslateFile = cOpSysBase::cTranslateFile;

struct sControl {
    uint32_t id;
    int32_t value;
    std::u16string hint;
};

// Plays the window framework.  The dialog "clicks" the radio button whose
// value is `click` and ends with `dialogResult`; the file dialogs answer
// `chosenFile` (null: cancelled) and note where they started.
class FakeUi : public cLanguageUi {
public:
    class Dialog : public cLanguageDialog {
    public:
        explicit Dialog(FakeUi &ui) : ui(ui) {}
        void NewRadioButton(uint32_t id, int32_t *variable, int32_t value, const char16_t *hint) override {
            ui.controls.push_back({id, value, hint ? hint : u""});
            if (value == ui.click) clicked = variable;
        }
        void NewTextInput(uint32_t id, std::u16string *, uint32_t maxChars) override {
            ui.controls.push_back({id, int32_t(maxChars), u""});
        }
        tStatus Open() override {
            ++ui.dialogsOpened;
            if (clicked) *clicked = ui.click;
            return ui.dialogResult;
        }

    private:
        FakeUi &ui;
        int32_t *clicked = nullptr;
    };

    std::unique_ptr<cLanguageDialog> NewDialogBox(uint32_t templateId, uint32_t helpTopic) override {
        dialogs.push_back({templateId, helpTopic});
        if (!canMakeDialogs) return nullptr;
        return std::make_unique<Dialog>(*this);
    }
    const char16_t *AskOpenFileName(const char16_t *filter, const char16_t *extension) override {
        return Ask(u"open", filter, extension);
    }
    const char16_t *AskSaveFileName(const char16_t *filter, const char16_t *extension) override {
        return Ask(u"save", filter, extension);
    }
    bool HasMainMenu() override { return hasMenu; }
    tStatus ReadMenuTranslations(cIniFile &file) override {
        ++menuReads;
        const char16_t *label = file.GetValue(u"Menu_File/Open_Text");
        menuOpenLabel = label ? label : u"&Open...";
        return menuReadResult;
    }
    tStatus WriteMenuTranslations(cIniFile &file) override {
        ++menuWrites;
        file.SetOrRemove(u"Menu_File/Open_Text", menuOpenLabel.c_str());
        file.SetOrRemove(u"Menu_File/Open_Hint", u"Open a score");
        file.SetOrRemove(u"Menu_File/Exit_Hint", u"");
        return RC_OK;
    }

    // Script.
    int32_t click = 0;
    tStatus dialogResult = RC_OK;
    bool canMakeDialogs = true;
    const char16_t *chosenFile = nullptr;
    bool hasMenu = true;
    tStatus menuReadResult = RC_OK;
    // Record.
    std::vector<std::pair<uint32_t, uint32_t>> dialogs;
    std::vector<sControl> controls;
    int dialogsOpened = 0;
    std::vector<std::u16string> fileDialogs;  // kind, filter, extension, working folder
    int menuReads = 0, menuWrites = 0;
    std::u16string menuOpenLabel = u"&Open...";

private:
    const char16_t *Ask(const char16_t *kind, const char16_t *filter, const char16_t *extension) {
        fileDialogs.push_back(std::u16string(kind) + u"|" + filter + u"|" + extension + u"|" + gOpSys->GetWorkingFolder());
        return chosenFile;
    }
};

// One program run on a fresh operating-system object and settings file,
// with the fake installed and the header dialog answering OK.
class LanguageRun {
public:
    LanguageRun(const char *name, uint32_t userLanguage, const std::string &settings = "")
        : os(name, u""), previousUi(SetLanguageUi(&ui)),
          previousHeader(tTranslateFile::SetHeaderDialog(
              [](std::u16string &, std::u16string &, std::u16string &) { return RC_OK; })) {
        os->SetLanguageIdForTest(userLanguage);
        os->SetWorkingFolder(u"C:\\Scores\\x.pmr");
        settingsPath = os.Folder() + u"PelmoraSetup.ini";
        if (!settings.empty()) {
            test::WriteFileBytes(settingsPath, settings);
            os->Settings().Load(settingsPath.c_str());
        } else {
            os->Settings().SetFileName(settingsPath.c_str());
        }
    }
    ~LanguageRun() {
        SetLanguageUi(previousUi);
        tTranslateFile::SetHeaderDialog(previousHeader);
    }

    // The settings as saved on disk, read back.
    std::u16string SavedSetting(const char16_t *key) {
        cIniFile saved;
        if (saved.Load(settingsPath.c_str()) != RC_OK) return u"<no file>";
        const char16_t *value = saved.GetValue(key);
        return value ? value : u"<absent>";
    }
    std::u16string Setting(const char16_t *key) {
        const char16_t *value = os->Settings().GetValue(key);
        return value ? value : u"<absent>";
    }
    // A language file in the data folder.
    std::u16string WriteLanguageFile(const char16_t *name, const std::u16string &lines) {
        std::u16string path = os.Folder() + name;
        std::string bytes = "\xFF\xFE";
        for (char16_t c : lines) {
            bytes.push_back(char(c & 0xFF));
            bytes.push_back(char(c >> 8));
        }
        test::WriteFileBytes(path, bytes);
        return path;
    }

    test::LocalOpSys os;
    FakeUi ui;
    std::u16string settingsPath;

private:
    cLanguageUi *previousUi;
    tTranslateFile::tHeaderDialog previousHeader;
};

const std::u16string kGerman = u"PmrLangFile_language=Deutsch\nPmrLangFile_comment=Version 2\n"
                               u"PmrLangFile_translator=Team\nMenu_File/Open_Text=&\u00d6ffnen...\n"
                               u"Symbol_Note14_Hint=Viertelnote\n";

std::u16string Value(cIniFile &file, const char16_t *key) {
    const char16_t *value = file.GetValue(key);
    return value ? value : u"<absent>";
}

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
        if (c.loaded) EXPECT_NE(log.find("Selected language file " + test::Narrow(german) + "\r\n"), std::string::npos);
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
