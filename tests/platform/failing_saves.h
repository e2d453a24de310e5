// The saves of the platform folder that replace a file the user keeps (the
// settings file at exit, a written language file), run while something makes
// them fail: the previous files must stay byte for byte, nothing may be left
// beside them, and the failure must be in the log.  The native tests fill
// the disk, the Windows tests hold the file open.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/platform/language_fakes.h"

namespace test {

// Makes the fault for the save of the target; it lasts while the answer lives.
using tSaveFault = std::function<std::shared_ptr<void>(const std::u16string &target)>;

// `keys` more keys go into the file saved, to make it as large as a fault needs.
inline void ExpectFailedSavesKeepThePreviousFiles(const char *folderName, int keys, const tSaveFault &fault,
                                                  const std::string &error) {
    auto addKeys = [keys](cIniFile &file, const char16_t *prefix) {
        for (int i = 0; i < keys; ++i)
            file.SetValue((std::u16string(prefix) + FormatInt(i)).c_str(), u"a value long enough to fill the disk");
    };
    const struct {
        const char *what;
        bool settings;
        std::function<void(LanguageRun &run, const std::u16string &language)> save;
    } cases[] = {
        {"settings at exit", true,
         [&](LanguageRun &run, const std::u16string &) {
             addKeys(run.os->Settings(), u"Key");
             run.os->Shutdown();
         }},
        {"language file", false,
         [&](LanguageRun &run, const std::u16string &language) {
             addKeys(run.os->GetTranslateFile(), u"Symbol_");
             EXPECT_EQ(run.os->WriteLanguageFile(language.c_str()), RC_FAIL);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        LanguageRun run(folderName, 0x0409);
        run.os->SetErrorMode(2);
        // The files as a previous run left them.
        const std::string settings("\xFF\xFEL\0=\0""1\0\n\0", 10);
        WriteFileBytes(run.settingsPath, settings);
        const std::u16string language = run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
        const std::string languageBytes = ReadFileBytes(language);
        run.os->Log().WriteText(u"before the save", 1);
        const std::vector<std::u16string> before = FolderEntries(run.os.Folder());
        {
            std::shared_ptr<void> made = fault(c.settings ? run.settingsPath : language);
            c.save(run, language);
        }
        EXPECT_EQ(ReadFileBytes(run.settingsPath), settings);
        EXPECT_EQ(ReadFileBytes(language), languageBytes);
        EXPECT_EQ(FolderEntries(run.os.Folder()), before);
        EXPECT_NE(run.os.LogText().find(error), std::string::npos) << run.os.LogText();
    }
}

}  // namespace test
