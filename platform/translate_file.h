// The language file: a settings file whose top-level keys are the
// translations of the user interface, behind three header lines that name
// the language, carry a comment and name the translator.  The header keys
// begin with the file's extension and "File_" ("PmrLangFile_language", ...).
#pragma once

#include <functional>
#include <string>

#include "platform/ini_file.h"
#include "platform/op_sys_base.h"

class cOpSysBase::cTranslateFile : public cIniFile {
public:
    // The "Language File" dialog: shows the three header texts for editing
    // and leaves them as they stand in its inputs; answers 0 with OK or
    // RC_FAIL with Cancel, which Save does not look at.
    using tHeaderDialog = std::function<tStatus(std::u16string &language, std::u16string &comment, std::u16string &translator)>;
    // Installs the dialog that Save shows (the window framework installs the
    // real one); answers the previous one.  Until then the texts stay as they
    // are.  An empty dialog stands for "no window to ask": Save writes at once.
    static tHeaderDialog SetHeaderDialog(tHeaderDialog dialog);

    cTranslateFile() = default;
    ~cTranslateFile() override = default;

    // Reads up to three header lines, then the rest as any settings file.
    tStatus Read(cBinaryFileBase &file) override;
    // Writes the three header lines, then the keys and sections.
    tStatus Write(cBinaryFileBase &file) override;
    std::u16string &WriteSection(std::u16string &stream) override;
    // Asks for the header texts, then saves under the name, whether the
    // dialog was closed with OK or Cancel.  RC_FAIL for a null name, with no
    // dialog and nothing written.
    tStatus Save(const char16_t *newName) override;

    const std::u16string &GetLanguage() const { return language; }
    const std::u16string &GetComment() const { return comment; }
    const std::u16string &GetTranslator() const { return translator; }
    void SetHeader(const std::u16string &languageText, const std::u16string &commentText, const std::u16string &translatorText);

    // The extension of the file's name followed by "File_".
    std::u16string HeaderPrefix() const;

private:
    std::u16string language;
    std::u16string comment;
    std::u16string translator;
};
