// The window framework's dialogs, file dialogs and main menu played by a
// fake, and one program run with its own operating-system object and
// settings file, for the tests of the language operations.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foundation/path_names.h"
#include "platform/ini_file.h"
#include "platform/language_ui.h"
#include "platform/translate_file.h"
#include "tests/platform/local_op_sys.h"

namespace test {

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
            WriteFileBytes(settingsPath, settings);
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
        WriteFileBytes(path, bytes);
        return path;
    }

    LocalOpSys os;
    FakeUi ui;
    std::u16string settingsPath;

private:
    cLanguageUi *previousUi;
    tTranslateFile::tHeaderDialog previousHeader;
};

inline const std::u16string kGerman = u"PmrLangFile_language=Deutsch\nPmrLangFile_comment=Version 2\n"
                               u"PmrLangFile_translator=Team\nMenu_File/Open_Text=&\u00d6ffnen...\n"
                               u"Symbol_Note14_Hint=Viertelnote\n";

inline std::u16string Value(cIniFile &file, const char16_t *key) {
    const char16_t *value = file.GetValue(key);
    return value ? value : u"<absent>";
}

}  // namespace test
