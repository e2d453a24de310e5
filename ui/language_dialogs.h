// The window framework's side of the language operations of the
// operating-system object: the language choice and the language file's
// header are dialogs of the main window, the file dialogs are the main
// window's, and the main menu gives and takes its translations.  Installed
// once by the frame before the language is chosen; every call looks up the
// main window anew, so there is nothing to ask while none exists.
#pragma once

#include "platform/language_ui.h"

class cWindowLanguageUi : public cLanguageUi {
public:
    std::unique_ptr<cLanguageDialog> NewDialogBox(uint32_t templateId, uint32_t helpTopic) override;
    const char16_t *AskOpenFileName(const char16_t *filter, const char16_t *extension) override;
    const char16_t *AskSaveFileName(const char16_t *filter, const char16_t *extension) override;
    bool HasMainMenu() override;
    tStatus ReadMenuTranslations(cIniFile &languageFile) override;
    tStatus WriteMenuTranslations(cIniFile &languageFile) override;
};

// Installs the services above and the "Language File" dialog (template
// 28650) that asks for a language file's header before it is saved.
void InstallLanguageDialogs();

// The header dialog itself: three fields of at most 70 characters.  With
// no main window there is nobody to ask and the texts stay (answers 0).
tStatus AskLanguageFileHeader(std::u16string &language, std::u16string &comment, std::u16string &translator);
