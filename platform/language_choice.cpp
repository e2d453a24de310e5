// Language files and the interface language: loading and writing a language
// file (with a file dialog when given a pattern), the choice at start-up,
// the reset to English and the translate-mode flag.
#include <string>

#include "foundation/file_list.h"
#include "foundation/path_names.h"
#include "platform/ini_file.h"
#include "platform/language_ui.h"
#include "platform/op_sys.h"
#include "platform/translate_file.h"

namespace {

cLanguageUi *gLanguageUi = nullptr;

constexpr uint32_t kSelectLanguageDialog = 28621;
constexpr uint32_t kSelectLanguageHelp = 1052;
constexpr uint32_t kEnglishButton = 101;
constexpr uint32_t kOtherLanguageButton = 102;
constexpr int32_t kEnglish = 1;
constexpr int32_t kOtherLanguage = 2;

constexpr const char16_t *kTranslationFileKey = u"TranslationFile";
constexpr const char16_t *kEnglishChosen = u"0";

// Asks for a language file when the name part of the text is "*": the
// dialog starts in the data folder, whatever folder the pattern names.
// Answers the text itself otherwise; empty when the user cancels.
std::u16string LanguageFileName(cOpSysBase &os, const char16_t *text, bool save) {
    std::u16string name = text ? text : u"*.*";
    if (std::u16string(GetNameWithoutExtension(name)) != u"*") return name;
    std::u16string extension = GetExtension(name);
    std::u16string filter = GetNameWithoutExtension(os.GetProgramPath());
    filter += u" language files|*.";
    filter += extension;
    std::u16string previous = os.SetWorkingFolder(os.GetDataFolder());
    const char16_t *chosen = nullptr;
    if (cLanguageUi *ui = GetLanguageUi())
        chosen = save ? ui->AskSaveFileName(filter.c_str(), extension.c_str())
                      : ui->AskOpenFileName(filter.c_str(), extension.c_str());
    name = chosen ? chosen : u"";
    os.SetWorkingFolderString(previous);
    return name;
}

}  // namespace

cLanguageUi *SetLanguageUi(cLanguageUi *ui) {
    cLanguageUi *previous = gLanguageUi;
    gLanguageUi = ui;
    return previous;
}

cLanguageUi *GetLanguageUi() { return gLanguageUi; }

void cOpSysBase::sTranslateFileDeleter::operator()(cTranslateFile *file) const { delete file; }

cOpSysBase::cTranslateFile &cOpSysBase::GetTranslateFile() {
    // Made on first use: an empty language file, so every lookup fails and
    // the texts stay English.
    if (!translateFile) translateFile.reset(new cTranslateFile);
    return *translateFile;
}

tStatus cOpSysBase::LoadLanguageFile(const char16_t *path) {
    // The file is read into a new object and takes the place of the current
    // translations only when it was read: a missing file leaves the
    // translations in use as they were.  Header lines that the file lacks
    // keep the texts of the current file.
    cTranslateFile &current = GetTranslateFile();
    std::unique_ptr<cTranslateFile, sTranslateFileDeleter> loaded(new cTranslateFile);
    loaded->SetHeader(current.GetLanguage(), current.GetComment(), current.GetTranslator());
    tStatus result = loaded->Load(path);
    if (result != RC_OK) return result;
    translateFile = std::move(loaded);
    cLanguageUi *ui = GetLanguageUi();
    if (!ui || !ui->HasMainMenu()) return RC_NO_MAIN_MENU;
    result = ui->ReadMenuTranslations(*translateFile);
    if (result >= 0) {
        settingsFile.SetValue(kTranslationFileKey, GetTranslateFile().GetFileName().c_str());
        settingsFile.Save(nullptr);
    }
    return result;
}

tStatus cOpSysBase::WriteLanguageFile(const char16_t *path) {
    if (!path) return RC_FAIL;
    cLanguageUi *ui = GetLanguageUi();
    if (ui && ui->HasMainMenu()) ui->WriteMenuTranslations(GetTranslateFile());
    return GetTranslateFile().Save(path);
}

tStatus cOpSysVirtual::LoadLanguageFile(const char16_t *text) {
    std::u16string name = LanguageFileName(*this, text, false);
    if (name.empty()) return RC_FAIL;
    return cOpSysBase::LoadLanguageFile(name.c_str());
}

tStatus cOpSysVirtual::WriteLanguageFile(const char16_t *text) {
    std::u16string name = LanguageFileName(*this, text, true);
    if (name.empty()) return RC_FAIL;
    return cOpSysBase::WriteLanguageFile(name.c_str());
}

tStatus cOpSysBase::ChooseLanguage(const char16_t *pattern) {
    const char16_t *stored = settingsFile.GetValue(kTranslationFileKey);
    std::u16string file = stored ? stored : u"";
    if (!file.empty()) {
        if (file == kEnglishChosen) return RC_FAIL;
        return LoadLanguageFile(file.c_str());
    }
    if (IsNonEnglishUser() == 0) return RC_FAIL;
    // Asked once only, whatever the answer.
    settingsFile.SetValue(kTranslationFileKey, kEnglishChosen);

    int32_t choice = kEnglish;
    if (cLanguageUi *ui = GetLanguageUi()) {
        if (auto dialog = ui->NewDialogBox(kSelectLanguageDialog, kSelectLanguageHelp)) {
            dialog->NewRadioButton(kEnglishButton, &choice, kEnglish, u"Select English");
            dialog->NewRadioButton(kOtherLanguageButton, &choice, kOtherLanguage, u"Select other language");
            // OK and Cancel alike leave the choice as the buttons set it.
            dialog->Open();
        }
    }
    if (choice == kOtherLanguage) {
        std::u16string search = GetDataFolder();
        SetFileName(search, pattern);
        cFileList files;
        files.Scan(search.c_str());
        if (files.GetCount() > 0 && LoadLanguageFile(pattern) == RC_OK) {
            const std::u16string &name = GetTranslateFile().GetFileName();
            settingsFile.SetValue(kTranslationFileKey, name.c_str());
            log.WriteString(u"Selected language file " + name, 1);
        }
    }
    settingsFile.Save(nullptr);
    return RC_OK;
}

tStatus cOpSysBase::ResetLanguage() {
    languageId = 0;
    cTranslateFile &file = GetTranslateFile();
    while (!file.Keys().empty()) {
        std::u16string key = file.Keys().begin()->first;
        file.RemoveKey(key.c_str());
    }
    settingsFile.SetInt(u"Language", 0);
    settingsFile.SetOrRemove(kTranslationFileKey, kEnglishChosen);
    settingsFile.Save(nullptr);
    return RC_OK;
}

bool cOpSysBase::SetTranslateMode(bool on) {
    bool previous = translateMode;
    translateMode = on;
    return previous;
}
