// The settings file at exit and a written language file, on a disk that
// fills while they are saved: the previous file stays byte for byte, nothing
// is left beside it and the failure is in the log.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/platform/language_fakes.h"
#include "tests/support/file_size_limit_posix.h"

namespace {

using namespace test;

// Enough keys that the file outgrows the limit below.
void AddKeys(cIniFile &file, const char16_t *prefix) {
    for (int i = 0; i < 400; ++i)
        file.SetValue((std::u16string(prefix) + FormatInt(i)).c_str(), u"a value long enough to fill the disk");
}

TEST(FullDisk, SavesKeepThePreviousFile) {
    using Save = std::function<void(LanguageRun &run)>;
    const struct {
        const char *what;
        Save save;
    } cases[] = {
        {"settings at exit",
         [](LanguageRun &run) {
             AddKeys(run.os->Settings(), u"Key");
             cFileSizeLimit limit(8192);
             run.os->Shutdown();
         }},
        {"language file",
         [](LanguageRun &run) {
             std::u16string path = run.os.Folder() + u"Deutsch.PmrLang";
             AddKeys(run.os->GetTranslateFile(), u"Symbol_");
             cFileSizeLimit limit(8192);
             EXPECT_EQ(run.os->WriteLanguageFile(path.c_str()), RC_FAIL);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        LanguageRun run("full_disk", 0x0409);
        run.os->SetErrorMode(2);
        // The files as a previous run left them.
        const std::string settings("\xFF\xFEL\0=\0""1\0\n\0", 10);
        WriteFileBytes(run.settingsPath, settings);
        run.WriteLanguageFile(u"Deutsch.PmrLang", kGerman);
        const std::string language = ReadFileBytes(run.os.Folder() + u"Deutsch.PmrLang");
        run.os->Log().WriteText(u"before the save", 1);
        std::vector<std::u16string> before = FolderEntries(run.os.Folder());

        c.save(run);
        EXPECT_EQ(ReadFileBytes(run.settingsPath), settings);
        EXPECT_EQ(ReadFileBytes(run.os.Folder() + u"Deutsch.PmrLang"), language);
        EXPECT_EQ(FolderEntries(run.os.Folder()), before);
        EXPECT_NE(run.os.LogText().find("Error: code " + std::to_string(EFBIG)), std::string::npos)
            << run.os.LogText();
    }
}

}  // namespace
