// What the language operations of the operating-system object ask of the
// window framework: the main window's dialog factory and file dialogs, and
// the main menu's translations.  The main window installs its services once
// it exists; until then (and in a program without windows) there is no
// dialog to show, every file dialog is cancelled and there is no main menu.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/base_defs.h"

class cIniFile;

// A modal dialog being built from a template; the caller adds its controls,
// opens it and deletes it.
class cLanguageDialog {
public:
    virtual ~cLanguageDialog() = default;
    // A radio button that stores the value into the variable when clicked.
    virtual void NewRadioButton(uint32_t id, int32_t *variable, int32_t value, const char16_t *hint) = 0;
    // A text input showing the string when the dialog opens and storing the
    // text back when it closes, by OK or by Cancel.
    virtual void NewTextInput(uint32_t id, std::u16string *variable, uint32_t maxChars) = 0;
    // Shows the dialog: 0 when it ended with OK, RC_FAIL otherwise.
    virtual tStatus Open() = 0;
};

class cLanguageUi {
public:
    virtual ~cLanguageUi() = default;
    // A new dialog for the template with the help topic of its Help button,
    // or null when none can be made.
    virtual std::unique_ptr<cLanguageDialog> NewDialogBox(uint32_t templateId, uint32_t helpTopic) = 0;
    // The file dialogs ("description|pattern" filter, default extension
    // without dot), starting in the working folder: the chosen path as a
    // temporary text, or null when the user cancels.
    virtual const char16_t *AskOpenFileName(const char16_t *filter, const char16_t *extension) = 0;
    virtual const char16_t *AskSaveFileName(const char16_t *filter, const char16_t *extension) = 0;
    // The main menu: whether it exists, and its item texts read from or
    // written into the "Menu_<key name>_Text" and "_Hint" keys of a
    // language file.  Reading answers 0 or another non-negative result on
    // success.
    virtual bool HasMainMenu() = 0;
    virtual tStatus ReadMenuTranslations(cIniFile &languageFile) = 0;
    virtual tStatus WriteMenuTranslations(cIniFile &languageFile) = 0;
};

// Installs the services (null: none) and answers the previous ones.
cLanguageUi *SetLanguageUi(cLanguageUi *ui);
cLanguageUi *GetLanguageUi();
