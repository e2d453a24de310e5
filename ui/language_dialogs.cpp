#include "ui/language_dialogs.h"

#include "platform/op_sys_base.h"
#include "platform/translate_file.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/menu_item.h"
#include "ui/text_controls.h"
#include "ui/view_port_top.h"

namespace {

constexpr int32_t kHeaderChars = 70;

cViewPortTop *MainWindow() { return gOpSys ? gOpSys->GetMainWindow() : nullptr; }

// A dialog of the main window seen through the language operations' view.
class cLanguageDialogBox : public cLanguageDialog {
public:
    explicit cLanguageDialogBox(cDialogBox *made) : dialog(made) {}

    void NewRadioButton(uint32_t id, int32_t *variable, int32_t value, const char16_t *hint) override {
        dialog->NewRadioButton(id, variable, value)->SetHint(hint);
    }
    void NewTextInput(uint32_t id, std::u16string *variable, uint32_t maxChars) override {
        dialog->NewTextInput(id, variable, static_cast<int32_t>(maxChars));
    }
    tStatus Open() override { return dialog->Open(); }

private:
    std::unique_ptr<cDialogBox> dialog;
};

cWindowLanguageUi gWindowLanguageUi;

}  // namespace

std::unique_ptr<cLanguageDialog> cWindowLanguageUi::NewDialogBox(uint32_t templateId, uint32_t helpTopic) {
    cViewPortTop *main = MainWindow();
    cDialogBox *dialog = main ? main->NewDialogBox(templateId, helpTopic) : nullptr;
    if (!dialog) return nullptr;
    return std::make_unique<cLanguageDialogBox>(dialog);
}

const char16_t *cWindowLanguageUi::AskOpenFileName(const char16_t *filter, const char16_t *extension) {
    cViewPortTop *main = MainWindow();
    return main ? main->AskOpenFileName(filter, extension) : nullptr;
}

const char16_t *cWindowLanguageUi::AskSaveFileName(const char16_t *filter, const char16_t *extension) {
    cViewPortTop *main = MainWindow();
    return main ? main->AskSaveFileName(filter, extension) : nullptr;
}

bool cWindowLanguageUi::HasMainMenu() { return gMainMenu != nullptr; }

tStatus cWindowLanguageUi::ReadMenuTranslations(cIniFile &languageFile) {
    return gMainMenu ? gMainMenu->ReadTranslations(&languageFile) : RC_NO_MAIN_MENU;
}

tStatus cWindowLanguageUi::WriteMenuTranslations(cIniFile &languageFile) {
    return gMainMenu ? gMainMenu->WriteTranslations(&languageFile) : RC_NO_MAIN_MENU;
}

tStatus AskLanguageFileHeader(std::u16string &language, std::u16string &comment, std::u16string &translator) {
    cViewPortTop *main = MainWindow();
    std::unique_ptr<cDialogBox> dialog(main ? main->NewDialogBox(kLanguageFileDialogId, 0) : nullptr);
    if (!dialog) return RC_OK;
    dialog->NewTextInput(101, &language, kHeaderChars);
    dialog->NewTextInput(102, &comment, kHeaderChars);
    dialog->NewTextInput(103, &translator, kHeaderChars);
    return dialog->Open();
}

void InstallLanguageDialogs() {
    SetLanguageUi(&gWindowLanguageUi);
    cOpSysBase::cTranslateFile::SetHeaderDialog(AskLanguageFileHeader);
}
