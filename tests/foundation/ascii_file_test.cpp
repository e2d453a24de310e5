#include "foundation/ascii_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/text_util.h"
#include "tests/test_support.h"

namespace {

std::unique_ptr<cAsciiFile> Reader(const std::string &bytes, const char16_t *name = u"in.txt") {
    static std::u16string folder = test::MakeTempFolder("ascii_file");
    std::u16string path = folder + name;
    test::WriteFileBytes(path, bytes);
    return std::make_unique<cAsciiFile>(path.c_str());
}

// The byte the reader stands at, read as the next token's first character.
std::u16string Rest(cAsciiFile &f) { return f.ReadToken(); }

TEST(AsciiFile, ExpectMatchesPrefixesAndSkipsBlanks) {
    auto f = Reader("  Version\t3\n");
    EXPECT_EQ(f->Expect(u"Version"), RC_OK);
    EXPECT_EQ(Rest(*f), u"3");

    auto g = Reader("sizes x");
    EXPECT_EQ(g->Expect(u"size"), RC_OK);
    EXPECT_EQ(Rest(*g), u"s");
    EXPECT_EQ(g->GetErrorLatch(), 0);
}

TEST(AsciiFile, MismatchRestoresAndLatches) {
    auto f = Reader("Verse 1\n");
    EXPECT_EQ(f->Expect(u"Version"), RC_KEYWORD_MISMATCH);
    EXPECT_EQ(f->GetErrorLatch(), RC_KEYWORD_MISMATCH);
    EXPECT_EQ(Rest(*f), u"Verse");
    auto g = Reader("Verse 1\n");
    g->Expect(u"Version");
    // The keyword matches and is taken, but the latch answers.
    EXPECT_EQ(g->Expect(u"Verse"), RC_KEYWORD_MISMATCH);
    EXPECT_EQ(g->GetErrorLatch(), RC_KEYWORD_MISMATCH);
    EXPECT_EQ(Rest(*g), u"1");
}

TEST(AsciiFile, EndOfFileLatchesStreamFailed) {
    auto f = Reader("  \n");
    EXPECT_EQ(f->Expect(u"x"), RC_STREAM_FAILED);
    EXPECT_EQ(f->GetErrorLatch(), RC_STREAM_FAILED);

    // A mismatch latched before gives way to the end of the file.
    auto g = Reader("a");
    EXPECT_EQ(g->Expect(u"b"), RC_KEYWORD_MISMATCH);
    EXPECT_EQ(g->Expect(u"a"), RC_STREAM_FAILED);  // the look for blanks meets the end
    EXPECT_EQ(g->GetErrorLatch(), RC_STREAM_FAILED);
}

TEST(AsciiFile, MissingFileFailsEverything) {
    cAsciiFile f(u"no such folder\\nothing.txt");
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.ReadQuotedChar(), 0);
    EXPECT_EQ(f.GetErrorLatch(), RC_STREAM_FAILED);
    EXPECT_EQ(f.Expect(u"x"), RC_STREAM_FAILED);
    EXPECT_EQ(std::u16string(f.ReadQuotedString()), u"");
    EXPECT_EQ(f.SeekKeyword(u"x"), RC_STREAM_FAILED);
}

TEST(AsciiFile, QuotedCharForms) {
    struct Case {
        std::string bytes;
        char16_t unit;
    } cases[] = {
        {"\\u'\\00e9'", 0xE9}, {"\\u'\\00E9'", 0xE9}, {"\\u'''", u'\''}, {"'x'", u'x'},
        {"'ab'", 0},           {"x", 0},               {"'\\'", u'\\'},  {"  \"q\"", u'q'},
        {"'\xe9'", 0xE9},
    };
    for (const Case &c : cases) {
        auto f = Reader(c.bytes + "\n");
        EXPECT_EQ(f->ReadQuotedChar(), c.unit) << c.bytes;
    }
}

TEST(AsciiFile, QuotedStringForms) {
    struct Case {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"\\u\"a\\005cb\"", u"a\\b"},
        {"\\u\"\\000a\"", u"\n"},
        {"\"abc\nnext", u"abc"},
        {"\"a\\\"b\"", u"a\"b"},
        {"'it''", u"it"},
        {"\\u\"\\65E5\\672c!\"", u"\u65e5\u672c!"},
        {"x\"abc\"", u""},
    };
    for (const Case &c : cases) {
        auto f = Reader(c.bytes + "\n");
        EXPECT_EQ(std::u16string(f->ReadQuotedString()), c.text) << c.bytes;
        EXPECT_EQ(f->GetErrorLatch(), 0) << c.bytes;
    }
    auto f = Reader("\"abc");
    EXPECT_EQ(std::u16string(f->ReadQuotedString()), u"abc");
    EXPECT_EQ(f->GetErrorLatch(), RC_STREAM_FAILED);
}

TEST(AsciiFile, TokenStopsAtCommaAndBlanks) {
    auto f = Reader("  12,34 \xe9t\xe9 end\n");
    EXPECT_EQ(std::u16string(f->ReadToken()), u"12");
    EXPECT_EQ(f->Expect(u","), RC_OK);
    EXPECT_EQ(std::u16string(f->ReadToken()), u"34");
    EXPECT_EQ(std::u16string(f->ReadToken()), u"\u00e9t\u00e9");
    EXPECT_EQ(std::u16string(f->ReadToken()), u"end");
    EXPECT_EQ(f->GetErrorLatch(), 0);
}

TEST(AsciiFile, CrLfReadsAsOneLineFeed) {
    auto f = Reader("\"ab\r\ncd\r\n");
    EXPECT_EQ(std::u16string(f->ReadQuotedString()), u"ab");
    EXPECT_EQ(std::u16string(f->ReadToken()), u"cd");
}

TEST(AsciiFile, SkipLineTakesAtMost500Bytes) {
    auto f = Reader(std::string(500, 'a') + "Z" + std::string(99, 'b') + "\nnext\n");
    EXPECT_EQ(f->SkipLine(), 0);
    EXPECT_EQ(f->GetLastPosition(), 500);
    EXPECT_EQ(std::u16string(f->ReadToken()).substr(0, 2), u"Zb");
    f->SkipLine();
    EXPECT_EQ(std::u16string(f->ReadToken()), u"next");
}

TEST(AsciiFile, SeekKeywordFindsLineStarts) {
    auto f = Reader("a [file]\n  [file] 7\n");
    EXPECT_EQ(f->SeekKeyword(u"[file]"), RC_OK);
    EXPECT_EQ(std::u16string(f->ReadToken()), u"7");
    EXPECT_EQ(f->SeekKeyword(u"[file]"), RC_STREAM_FAILED);
}

TEST(AsciiFile, SeekKeywordTextStandsAfterTheLastMatch) {
    std::string text;
    for (int line = 1; line <= 10; ++line)
        text += (line == 2 || line == 9) ? "[config] " + std::to_string(line) + "\n" : "line\n";
    auto f = Reader(text);
    EXPECT_EQ(f->SeekKeywordText(u"[config]"), RC_OK);
    EXPECT_EQ(f->GetErrorLatch(), 0);
    EXPECT_EQ(std::u16string(f->ReadToken()), u"9");

    auto g = Reader("nothing\n");
    EXPECT_EQ(g->SeekKeywordText(u"[config]"), RC_STREAM_FAILED);
}

// Every line starts with the empty keyword: the search must answer at once
// instead of finding it again and again where it stands.
TEST(AsciiFile, SeekKeywordTextWithoutAKeywordAnswersAtOnce) {
    for (const char16_t *keyword : {u"", static_cast<const char16_t *>(nullptr)}) {
        auto f = Reader("first line\n[config] 2\n");
        EXPECT_EQ(f->Expect(u"first"), RC_OK);
        EXPECT_EQ(f->SeekKeywordText(keyword), RC_KEYWORD_MISMATCH);
        EXPECT_EQ(f->GetErrorLatch(), 0);
        EXPECT_EQ(std::u16string(f->ReadToken()), u"line");
    }
}

// Bytes in memory read as the same bytes in a file do.
TEST(AsciiFile, BytesInMemoryReadAsAFile) {
    const std::string texts[] = {
        "",
        "Version 3\r\n\"a\\\"b\" 'x' \\u'\\00e9' -12 4000000000 65536\r\n",
        "lone\rCR\r\r\nend\r",
        std::string("nul\0inside 7\n", 14),
        "[config] 1\n[config] 2\n",
    };
    auto walk = [](cAsciiFile &f) {
        std::u16string trace;
        for (int i = 0; i < 12 && f.PeekAfterWhiteSpace() >= 0; ++i) {
            trace += f.ReadToken();
            trace += u'|' + FormatInt(f.ReadInt()) + u'|' + f.ReadQuotedString() + u'|';
            trace += FormatInt(int32_t(f.GetLastPosition())) + u'\n';
            f.SkipLine();
        }
        return trace + FormatInt(f.GetErrorLatch());
    };
    for (const std::string &text : texts) {
        SCOPED_TRACE(text);
        auto fromFile = Reader(text);
        cAsciiFile fromMemory(text.data(), text.size());
        EXPECT_TRUE(fromMemory.IsOpen());
        EXPECT_EQ(walk(fromMemory), walk(*fromFile));
        cAsciiFile again(text.data(), text.size());
        auto fileAgain = Reader(text);
        EXPECT_EQ(again.SeekKeywordText(u"[config]"), fileAgain->SeekKeywordText(u"[config]"));
        EXPECT_EQ(again.GetLastPosition(), fileAgain->GetLastPosition());
    }
    cAsciiFile none(nullptr, 5);
    EXPECT_EQ(none.Expect(u"x"), RC_STREAM_FAILED);
}

TEST(AsciiFile, HexDigits) {
    int32_t acc = 0x12;
    EXPECT_EQ(HexDigitAccumulate(acc, u'f'), 0x12F);
    EXPECT_EQ(acc, 0x12F);
    for (char16_t c : {u'g', u':', u'@', u'G'}) {
        EXPECT_EQ(HexDigitAccumulate(acc, c), RC_KEYWORD_MISMATCH);
        EXPECT_EQ(acc, 0x12F);
    }
    auto f = Reader("12g4\n");
    EXPECT_EQ(f->ReadHex4(), 0x124);
}

TEST(AsciiFile, NumberReads) {
    auto f = Reader(" -12 +7 4294967295 -1 65536 70000 2147483648\n");
    EXPECT_EQ(f->ReadInt(), -12);
    EXPECT_EQ(f->ReadInt(), 7);
    EXPECT_EQ(f->ReadUnsigned(), 4294967295u);
    EXPECT_EQ(f->ReadUnsigned16(), 0xFFFF);  // a minus sign negates modulo the width
    EXPECT_EQ(f->ReadUnsigned(), 65536u);
    EXPECT_EQ(f->GetErrorLatch(), 0);
    EXPECT_EQ(f->ReadUnsigned16(), 0xFFFF);  // out of range
    EXPECT_EQ(f->GetErrorLatch(), RC_STREAM_FAILED);

    auto g = Reader("2147483648\n");
    EXPECT_EQ(g->ReadInt(), INT32_MAX);
    EXPECT_EQ(g->GetErrorLatch(), RC_STREAM_FAILED);

    auto h = Reader("-2147483648 x\n");
    EXPECT_EQ(h->ReadInt(), INT32_MIN);
    EXPECT_EQ(h->GetErrorLatch(), 0);
    EXPECT_EQ(h->ReadInt(), 0);  // no digits
    EXPECT_EQ(h->GetErrorLatch(), RC_STREAM_FAILED);
}

}  // namespace
