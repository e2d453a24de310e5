// The settings file at exit and a written language file whose previous file
// another program holds open: the previous file stays byte for byte, nothing
// is left beside it and the failure is in the log.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/platform/language_fakes.h"
#include "tests/support/held_open_win.h"

namespace {

using namespace test;

TEST(HeldFile, SavesKeepThePreviousFile) {
    using Save = std::function<void(LanguageRun &run, const std::u16string &language)>;
    const struct {
        const char *what;
        bool settings;
        Save save;
    } cases[] = {
        {"settings at exit", true,
         [](LanguageRun &run, const std::u16string &) {
             run.os->Settings().SetValue(u"Language", u"1031");
             run.os->Shutdown();
         }},
        {"language file", false,
         [](LanguageRun &run, const std::u16string &language) {
             run.os->GetTranslateFile().SetValue(u"Symbol_Note14_Hint", u"Viertel");
             EXPECT_EQ(run.os->WriteLanguageFile(language.c_str()), RC_FAIL);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        LanguageRun run("held_file", 0x0409);
        run.os->SetErrorMode(2);
        const std::string settings("\xFF\xFEL\0=\0""1\0\n\0", 10);
        WriteFileBytes(run.settingsPath, settings);
        std::u16string language = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
        const std::string languageBytes = ReadFileBytes(language);
        run.os->Log().WriteText(u"before the save", 1);
        std::vector<std::u16string> before = FolderEntries(run.os.Folder());
        {
            cHeldOpen held(c.settings ? run.settingsPath : language);
            ASSERT_TRUE(held.IsHeld());
            c.save(run, language);
        }
        EXPECT_EQ(ReadFileBytes(run.settingsPath), settings);
        EXPECT_EQ(ReadFileBytes(language), languageBytes);
        EXPECT_EQ(FolderEntries(run.os.Folder()), before);
        EXPECT_NE(run.os.LogText().find("Error: code "), std::string::npos) << run.os.LogText();
    }
}

}  // namespace
