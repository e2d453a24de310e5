#include "platform/translate_file.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/test_support.h"

namespace {

using Keys = std::map<std::u16string, std::u16string>;
using cTranslateFile = cOpSysBase::cTranslateFile;

std::u16string Folder() {
    static std::u16string folder = test::MakeTempFolder("translate_file");
    return folder;
}

std::string Utf16(const std::u16string &text) {
    std::string bytes("\xFF\xFE", 2);
    for (char16_t c : text) {
        bytes.push_back(char(c & 0xFF));
        bytes.push_back(char(c >> 8));
    }
    return bytes;
}

// Installs a dialog for one test and puts the previous one back.
class DialogScope {
public:
    explicit DialogScope(cTranslateFile::tHeaderDialog dialog) : previous(cTranslateFile::SetHeaderDialog(std::move(dialog))) {}
    ~DialogScope() { cTranslateFile::SetHeaderDialog(previous); }

private:
    cTranslateFile::tHeaderDialog previous;
};

tStatus AnswerOk(std::u16string &, std::u16string &, std::u16string &) { return RC_OK; }

struct Header {
    std::u16string language, comment, translator;
    bool operator==(const Header &) const = default;
};
Header HeaderOf(const cTranslateFile &f) { return {f.GetLanguage(), f.GetComment(), f.GetTranslator()}; }

TEST(TranslateFile, SaveWritesTheHeaderForTheFilesExtension) {
    DialogScope ok(AnswerOk);
    cTranslateFile lang;
    lang.SetHeader(u"Deutsch", u"", u"Team");
    lang.SetValue(u"Menu_File/Open_Text", u"&\u00d6ffnen");
    lang.SetValue(u"Dialog_28621_text", u"Sprache");
    struct Case {
        const char16_t *name;
        std::u16string prefix;
    } cases[] = {{u"Deutsch.PmrLang", u"PmrLangFile_"}, {u"Deutsch.txt", u"txtFile_"},
                 {u"Deutsch.alt.PmrLang", u"alt.PmrLangFile_"}, {u"Deutsch", u"File_"}};
    for (const Case &c : cases) {
        std::u16string path = Folder() + c.name;
        ASSERT_EQ(lang.Save(path.c_str()), RC_OK);
        EXPECT_EQ(test::ReadFileBytes(path),
                  Utf16(c.prefix + u"language=Deutsch\n" + c.prefix + u"comment=\n" + c.prefix +
                        u"translator=Team\nDialog_28621_text=Sprache\nMenu_File/Open_Text=&\u00d6ffnen\n"));
    }
}

TEST(TranslateFile, CancelStillWritesTheTextsAsTheyStand) {
    std::u16string path = Folder() + u"cancelled.PmrLang";
    cTranslateFile lang;
    lang.SetHeader(u"Deutsch", u"c", u"t");
    lang.SetValue(u"Symbol_Note14_Hint", u"Viertelnote");
    int asked = 0;
    cTranslateFile back;
    {
        // The default dialog answers Cancel and leaves the texts alone.
        EXPECT_EQ(lang.Save(path.c_str()), RC_OK);
        ASSERT_EQ(back.Load(path.c_str()), RC_OK);
        EXPECT_EQ(HeaderOf(back), (Header{u"Deutsch", u"c", u"t"}));
        EXPECT_EQ(back.Keys(), (Keys{{u"Symbol_Note14_Hint", u"Viertelnote"}}));
        // Closed with Cancel after an edit: the edited text is written.
        DialogScope cancel([&](std::u16string &l, std::u16string &, std::u16string &) {
            ++asked;
            l = u"changed";
            return RC_FAIL;
        });
        std::u16string other = Folder() + u"cancelled_edit.PmrLang";
        EXPECT_EQ(lang.Save(other.c_str()), RC_OK);
        EXPECT_EQ(lang.GetFileName(), other);
        ASSERT_EQ(back.Load(other.c_str()), RC_OK);
        EXPECT_EQ(HeaderOf(back), (Header{u"changed", u"c", u"t"}));
        // A null name asks nothing and writes nothing.
        EXPECT_EQ(lang.Save(nullptr), RC_FAIL);
    }
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(HeaderOf(lang), (Header{u"changed", u"c", u"t"}));

    DialogScope edit([](std::u16string &l, std::u16string &c, std::u16string &t) {
        l = u"Fran\u00e7ais";
        c = u"two\nlines";
        t += u"!";
        return RC_OK;
    });
    EXPECT_EQ(lang.Save(path.c_str()), RC_OK);
    EXPECT_EQ(HeaderOf(lang), (Header{u"Fran\u00e7ais", u"two lines", u"t!"}));
    ASSERT_EQ(back.Load(path.c_str()), RC_OK);
    EXPECT_EQ(HeaderOf(back), HeaderOf(lang));

    DialogScope none(nullptr);  // no window to ask: written as it stands
    lang.SetHeader(u"x", u"y", u"z");
    EXPECT_EQ(lang.Save(path.c_str()), RC_OK);
    back.Load(path.c_str());
    EXPECT_EQ(HeaderOf(back), (Header{u"x", u"y", u"z"}));
}

TEST(TranslateFile, HeaderPhaseTable) {
    Header before{u"old language", u"old comment", u"old translator"};
    struct Case {
        const char *what;
        std::string bytes;
        Header header;
        Keys keys;
    } cases[] = {
        {"example",
         Utf16(u"PmrLangFile_language=Deutsch\nPmrLangFile_comment=Version 2\nPmrLangFile_translator=Volunteer team\n"
               u"Dialog_ALL/CANCEL_text=Abbrechen\nSymbol_Note14_Hint=Viertelnote\n"),
         {u"Deutsch", u"Version 2", u"Volunteer team"},
         {{u"Dialog_ALL/CANCEL_text", u"Abbrechen"}, {u"Symbol_Note14_Hint", u"Viertelnote"}}},
        {"no header", Utf16(u"Menu_File/Open_Text=&\u00d6ffnen\nA=1\n"), before,
         {{u"Menu_File/Open_Text", u"&\u00d6ffnen"}, {u"A", u"1"}}},
        {"two header lines, then a key",
         Utf16(u"PmrLangFile_translator=Team\nPmrLangFile_language=Deutsch\nKey=v\nPmrLangFile_comment=late\n"),
         {u"Deutsch", u"old comment", u"Team"},
         {{u"Key", u"v"}, {u"PmrLangFile_comment", u"late"}}},
        {"fourth header line is a key",
         Utf16(u"PmrLangFile_language=a\nPmrLangFile_comment=b\nPmrLangFile_translator=c\nPmrLangFile_language=d\n"),
         {u"a", u"b", u"c"},
         {{u"PmrLangFile_language", u"d"}}},
        {"near-miss header keys",
         Utf16(u"PmrLangFile_languages=X\nPmrLangFile_Language=Y\npmrlangFile_language=Z\n"),
         {u"X", u"old comment", u"old translator"},
         {{u"pmrlangFile_language", u"Z"}}},
        {"a line without = ends the header and is lost", Utf16(u"PmrLangFile_comment=c\njunk\nPmrLangFile_language=l\n"),
         {u"old language", u"c", u"old translator"},
         {{u"PmrLangFile_language", u"l"}}},
        {"only the mark", Utf16(u""), before, {}},
        {"nothing", "", before, {}},
        {"8-bit header", "PmrLangFile_language = Deutsch\r\nA = 1\r\n", {u"Deutsch", u"old comment", u"old translator"},
         {{u"A", u"1"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::u16string path = Folder() + u"Deutsch.PmrLang";
        test::WriteFileBytes(path, c.bytes);
        cTranslateFile lang;
        lang.SetHeader(before.language, before.comment, before.translator);
        lang.SetValue(u"Stale", u"gone after the load");
        EXPECT_EQ(lang.Load(path.c_str()), RC_OK);
        EXPECT_EQ(HeaderOf(lang), c.header);
        EXPECT_EQ(lang.Keys(), c.keys);
    }
}

TEST(TranslateFile, FourthHeaderLineIsWrittenBackAsAKey) {
    DialogScope ok(AnswerOk);
    std::u16string path = Folder() + u"four.PmrLang";
    test::WriteFileBytes(path, Utf16(u"PmrLangFile_language=a\nPmrLangFile_comment=b\nPmrLangFile_translator=c\nPmrLangFile_language=d\n"));
    cTranslateFile lang;
    ASSERT_EQ(lang.Load(path.c_str()), RC_OK);
    ASSERT_EQ(lang.Save(path.c_str()), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(path), Utf16(u"PmrLangFile_language=a\nPmrLangFile_comment=b\nPmrLangFile_translator=c\n"
                                               u"PmrLangFile_language=d\n"));
    std::u16string text;
    lang.WriteSection(text);
    EXPECT_EQ(text, u"PmrLangFile_language = d\n");
}

}  // namespace
