#include "platform/translate_file.h"

#include "foundation/binary_file.h"
#include "foundation/path_names.h"

namespace {

tStatus AnswerCancel(std::u16string &, std::u16string &, std::u16string &) { return RC_FAIL; }

cOpSysBase::cTranslateFile::tHeaderDialog &HeaderDialog() {
    static cOpSysBase::cTranslateFile::tHeaderDialog dialog = AnswerCancel;
    return dialog;
}

}  // namespace

cOpSysBase::cTranslateFile::tHeaderDialog cOpSysBase::cTranslateFile::SetHeaderDialog(tHeaderDialog dialog) {
    tHeaderDialog previous = HeaderDialog();
    HeaderDialog() = std::move(dialog);
    return previous;
}

void cOpSysBase::cTranslateFile::SetHeader(const std::u16string &languageText, const std::u16string &commentText,
                                           const std::u16string &translatorText) {
    // Each text is written as one line.
    auto oneLine = [](std::u16string s) {
        for (char16_t &c : s)
            if (c == u'\r' || c == u'\n') c = u' ';
        return s;
    };
    language = oneLine(languageText);
    comment = oneLine(commentText);
    translator = oneLine(translatorText);
}

std::u16string cOpSysBase::cTranslateFile::HeaderPrefix() const {
    return std::u16string(GetExtension(GetFileName())) + u"File_";
}

tStatus cOpSysBase::cTranslateFile::Read(cBinaryFileBase &file) {
    const std::u16string prefix = HeaderPrefix();
    std::u16string key, value;
    for (int line = 0; line < 3; ++line) {
        // A line that is no key line ends the header and is dropped.
        if (ReadKeyValue(file, key, value) != RC_OK) break;
        if (key.compare(0, prefix.size(), prefix) != 0) {
            SetValue(key.c_str(), value.c_str());
            break;
        }
        // The three tests run one after the other on the same key; a header
        // key that passes none is dropped.
        if (key.find(u"language") == prefix.size()) language = value;
        if (key.find(u"comment") == prefix.size()) comment = value;
        if (key.find(u"translator") == prefix.size()) translator = value;
    }
    return cIniFile::Read(file);
}

tStatus cOpSysBase::cTranslateFile::Write(cBinaryFileBase &file) {
    const std::u16string prefix = HeaderPrefix();
    WriteKeyLine(file, prefix + u"language", language);
    WriteKeyLine(file, prefix + u"comment", comment);
    WriteKeyLine(file, prefix + u"translator", translator);
    return cIniFile::Write(file);
}

std::u16string &cOpSysBase::cTranslateFile::WriteSection(std::u16string &stream) { return cIniFile::WriteSection(stream); }

tStatus cOpSysBase::cTranslateFile::Save(const char16_t *newName) {
    if (!newName) return RC_FAIL;
    if (const tHeaderDialog &dialog = HeaderDialog()) {
        std::u16string l = language, c = comment, t = translator;
        // OK or Cancel: the texts are taken as the dialog leaves them and the
        // file is written either way; the name was chosen already.
        dialog(l, c, t);
        SetHeader(l, c, t);
    }
    return cIniFile::Save(newName);
}
