#include "foundation/rtf_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kHeader = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\froman Times New Roman;}}\r\n";

std::u16string Text(const char16_t *t) { return t ? std::u16string(t) : u"<absent>"; }

struct Read {
    std::u16string text, font;
    int32_t size;
};

Read ReadRtf(const std::string &rtf) {
    cRtfFile reader(rtf.c_str());
    Read r;
    r.text = Text(reader.PlainText());
    r.font = Text(reader.FontName());
    r.size = reader.fontSize;
    return r;
}

}  // namespace

TEST(RtfFile, WorkedExampleGivesTextFontAndSize) {
    std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}}\r\n"
        "{\\*\\generator x;}\\viewkind4\\uc1\\pard\\lang9\\f0\\fs22 Caf\\'e9 \\u8364?\\par\r\n}";
    Read r = ReadRtf(rtf);
    EXPECT_EQ(r.text, u"Caf\u00e9 \u20ac");
    EXPECT_EQ(r.font, u"Calibri");
    EXPECT_EQ(r.size, 22);
}

TEST(RtfFile, TextLineSubset) {
    struct Case {
        const char *name;
        std::string line;
        std::u16string text;
    } cases[] = {
        {"u then replacement", "a\\u8364?b", u"a\u20acb"},
        {"u then space", "\\u8364 A", u"\u20acA"},
        {"negative u", "\\u-3913?x", u"\uf0b7x"},
        {"negative u, CJK", "\\u-28020?", u"\u928c"},
        {"surrogate pair", "\\u-10179?\\u-8704?", u"\U0001F600"},
        {"u then hex replacement", "\\u20013\\'3f!", u"\u4e2d!"},
        {"u then control word", "\\u20013\\u25991 ", u"\u4e2d\u6587"},
        {"hex symbol", "\\'e9\\'E9", u"\u00e9\u00e9"},
        {"raw byte", "\xe9", u"\u00e9"},
        {"odd hex", "\\'eg\\'zzq", u"\u000eq"},  // a code 0 would end the text
        {"group skipped", "a{\\b bold} b", u"a b"},
        {"nested group", "{\\b {x} y}", u" y}"},  // the inner "}" ends the skip
        {"par adds nothing", "one\\par two", u"onetwo"},
        {"word ends at other byte", "\\b!x", u"!x"},
        {"control symbols", "\\\\\\{\\}\\~", u"\\{}~"},
        {"closing brace is text", "a}b", u"a}b"},
        {"negative other parameter", "\\fi-360 x", u"x"},
        {"only to the CR", "ab\rcd", u"ab"},
        {"u at the end", "x\\u8364", u"x\u20ac"},
        {"code 0 dropped", "a\\u0 b\\u-65536?c", u"abc"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRtf(kHeader + c.line + "\r\n}").text, c.text);
    }
}

TEST(RtfFile, FontSizeIsTheFirstFs) {
    struct Case {
        const char *line;
        int32_t size;
    } cases[] = {
        {"\\fs22 a\\fs30 b", 22},
        {"\\fs0 a", 12},  // 0 leaves it unset
        {"\\fs0 a\\fs30 b", 30},
        {"plain", 12},
        {"\\fs-4 x", 12},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ReadRtf(kHeader + c.line + "\r\n").size, c.size);
    }
    cRtfFile reader((kHeader + "\\fs18 x\r\n").c_str());
    reader.PlainText();
    reader.fontSize = 40;  // the size keeps its first value on a second read
    reader.PlainText();
    EXPECT_EQ(reader.fontSize, 40);
}

TEST(RtfFile, FontNameFromTheFirstFontWord) {
    struct Case {
        const char *name;
        std::string rtf;
        std::u16string font;
    } cases[] = {
        {"f1 before f0", kHeader + "\\f1 a\\f0 b\r\n", u"Times New Roman"},
        {"no f word: font 0", kHeader + "text\r\n", u"Calibri"},
        {"unknown font number, then font 0", kHeader + "\\f7 x\r\n", u"Calibri"},
        {"space before the first entry",
         "{\\rtf1{\\fonttbl {\\f0 Arial;}}\r\n\\f0 x\r\n", u""},
        {"line break before the first entry",
         "{\\rtf1{\\fonttbl\r\n{\\f0 Arial;}}\r\nx\r\n", u""},
        {"panose group ends the entry",
         "{\\rtf1{\\fonttbl{\\f0\\froman{\\*\\panose 02020603050405020304}Times;}}\r\nx\r\n", u""},
        {"no font table", "{\\rtf1\\ansi\r\n\\f0 x\r\n", u""},
        {"later entry", "{\\rtf1{\\fonttbl{\\f0 A;}{\\f12\\fswiss Segoe UI;}}\r\n\\f12 x\r\n", u"Segoe UI"},
        {"the first entry of a number counts",
         "{\\rtf1{\\fonttbl{\\f3 First;}{\\f3 Second;}}\r\n\\f3 x\r\n", u"First"},
        {"an unnamed first entry hides a later one, then font 0",
         "{\\rtf1{\\fonttbl{\\f0 A;}{\\f3\\fnil}{\\f3 Later;}}\r\n\\f3 x\r\n", u"A"},
        {"a name needs its semicolon inside the entry",
         "{\\rtf1{\\fonttbl{\\f0 A;}{\\f2 B}{\\f4 C;}}\r\n\\f2 y\\f4 z\r\n", u"C"},
        {"fonts the table lacks, many times",
         [] {
             std::string line;
             for (int i = 0; i < 2000; ++i) line += "\\f9 x";
             return "{\\rtf1{\\fonttbl{\\f0 A;}{\\f1 B;}}\r\n" + line + "\\f1 y\r\n";
         }(),
         u"B"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRtf(c.rtf).font, c.font);
    }
}

TEST(RtfFile, ReadFontTableDirectly) {
    cRtfFile reader((kHeader + "x\r\n").c_str());
    EXPECT_EQ(Text(reader.ReadFontTable(1)), u"Times New Roman");
    EXPECT_EQ(Text(reader.FontName()), u"Times New Roman");
    EXPECT_EQ(Text(reader.ReadFontTable(5)), u"Times New Roman");  // unchanged
    cRtfFile bare("{\\rtf1 no table\r\nx");
    EXPECT_EQ(bare.ReadFontTable(0), nullptr);
    EXPECT_EQ(Text(bare.FontName()), u"");
}

TEST(RtfFile, SourcesThatAreNotRtf) {
    struct Case {
        const char *name;
        const char *text;
    } cases[] = {
        {"upper case", "{\\RTF1{\\fonttbl{\\f0 Arial;}}\r\nx\r\n"},
        {"plain text", "hello\r\nworld"},
        {"short", "{\\rt"},
        {"empty", ""},
        {"absent", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        cRtfFile reader(c.text);
        EXPECT_EQ(reader.PlainText(), nullptr);
        EXPECT_EQ(Text(reader.FontName()), u"");
        EXPECT_EQ(reader.fontSize, 12);
    }
    // No CR LF: no text, but the font and size are still answered.
    Read r = ReadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}} x");
    EXPECT_EQ(r.text, u"<absent>");
    EXPECT_EQ(r.font, u"Arial");
    EXPECT_EQ(r.size, 12);
}
