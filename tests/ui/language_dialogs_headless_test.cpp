// The language operations through the window framework's dialogs: the
// first-run language choice (dialog 28621) and the header of a language
// file (dialog 28650), with a script playing the user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "platform/translate_file.h"
#include "tests/ui/local_program.h"
#include "ui/dialog_box.h"
#include "ui/language_dialogs.h"
#include "ui/text_controls.h"
#include "tests/support/dialog_script.h"

namespace {

// Installs the framework's language services for one test.
class LanguageDialogsScope {
public:
    LanguageDialogsScope()
        : previousUi(GetLanguageUi()), previousHeader(cOpSysBase::cTranslateFile::SetHeaderDialog(nullptr)) {
        InstallLanguageDialogs();
    }
    ~LanguageDialogsScope() {
        SetLanguageUi(previousUi);
        cOpSysBase::cTranslateFile::SetHeaderDialog(previousHeader);
    }

private:
    cLanguageUi *previousUi;
    cOpSysBase::cTranslateFile::tHeaderDialog previousHeader;
};

struct sSeen {
    uint32_t templateId = 0;
    uint32_t helpTopic = 0;
    std::vector<std::u16string> hints;
};

TEST(LanguageDialogs, AGermanUsersFirstRunAsksWithTheSelectLanguageDialog) {
    test::LocalProgram os("language_dialogs_choice", u"");
    os->SetLanguageIdForTest(0x407);
    os->Settings().SetFileName((os.Folder() + u"PelmoraSetup.ini").c_str());
    os.MakeMainWindow();
    LanguageDialogsScope installed;
    static sSeen seen;
    seen = sSeen();
    test::ScriptScope script([](cDialogBox &d) {
        seen.templateId = d.GetTemplateId();
        seen.helpTopic = d.GetHelpTopic();
        for (uint32_t id : {101u, 102u})
            if (cGuiControl *button = d.FindControl(id)) seen.hints.emplace_back(button->GetHint());
        d.Command(102);
        d.Command(1);
    });
    EXPECT_EQ(os->ChooseLanguage(u"*.PmrLang"), RC_OK);
    EXPECT_EQ(seen.templateId, kSelectLanguageDialogId);
    EXPECT_EQ(seen.helpTopic, 1052u);
    EXPECT_EQ(seen.hints, (std::vector<std::u16string>{u"Select English", u"Select other language"}));
    // No language file in the data folder: English stays, asked once.
    EXPECT_EQ(std::u16string(os->Settings().GetValue(u"TranslationFile")), u"0");
}

TEST(LanguageDialogs, SavingALanguageFileAsksForItsHeaderFirst) {
    test::LocalProgram os("language_dialogs_header", u"");
    os.MakeMainWindow();
    LanguageDialogsScope installed;
    static uint32_t shownTemplate;
    static std::u16string shownLanguage;
    static uint32_t answer;
    test::ScriptScope script([](cDialogBox &d) {
        shownTemplate = d.GetTemplateId();
        shownLanguage = static_cast<cGuiControl *>(d.FindControl(101))->Item().text;
        static_cast<cGuiControl *>(d.FindControl(101))->Item().text = u"Deutsch";
        static_cast<cGuiControl *>(d.FindControl(102))->Item().text = std::u16string(90, u'c');
        static_cast<cGuiControl *>(d.FindControl(103))->Item().text = u"Team";
        d.Command(answer);
    });
    cOpSysBase::cTranslateFile &file = os->GetTranslateFile();
    file.SetHeader(u"English", u"", u"");
    file.SetValue(u"Dialog_1005_text", u"Transponieren");

    // Cancel and OK alike: the file is written with the texts as they
    // stand in the inputs.
    for (uint32_t button : {2u, 1u}) {
        SCOPED_TRACE(button);
        answer = button;
        file.SetHeader(u"English", u"", u"");
        std::u16string path = os.Folder() + u"German" + FormatUnsigned(button) + u".PmrLang";
        EXPECT_EQ(file.Save(path.c_str()), RC_OK);
        EXPECT_EQ(shownTemplate, kLanguageFileDialogId);
        EXPECT_EQ(shownLanguage, u"English");
        cOpSysBase::cTranslateFile reread;
        ASSERT_EQ(reread.Load(path.c_str()), RC_OK);
        EXPECT_EQ(reread.GetLanguage(), u"Deutsch");
        EXPECT_EQ(reread.GetComment(), std::u16string(70, u'c'));  // at most 70 characters
        EXPECT_EQ(reread.GetTranslator(), u"Team");
        EXPECT_EQ(std::u16string(reread.GetValue(u"Dialog_1005_text")), u"Transponieren");
    }
}

TEST(LanguageDialogs, WithoutAMainWindowThereIsNothingToAsk) {
    test::LocalProgram os("language_dialogs_none", u"");
    LanguageDialogsScope installed;
    ASSERT_NE(GetLanguageUi(), nullptr);
    EXPECT_EQ(GetLanguageUi()->NewDialogBox(kSelectLanguageDialogId, 1052), nullptr);
    EXPECT_EQ(GetLanguageUi()->AskOpenFileName(u"x|*.x", u"x"), nullptr);
    EXPECT_FALSE(GetLanguageUi()->HasMainMenu());
    std::u16string language = u"L", comment = u"C", translator = u"T";
    EXPECT_EQ(AskLanguageFileHeader(language, comment, translator), RC_OK);
    EXPECT_EQ(language + comment + translator, u"LCT");
}

}  // namespace
