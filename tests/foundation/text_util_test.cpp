#include "foundation/text_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/test_support.h"

TEST(TextUtil, IntegerFormats) {
    EXPECT_EQ(FormatInt(0), u"0");
    EXPECT_EQ(FormatInt(-7), u"-7");
    EXPECT_EQ(FormatInt(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(FormatUnsigned(4294967295u), u"4294967295");
    EXPECT_EQ(FormatHex(0), u"0");
    EXPECT_EQ(FormatHex(0xABCDEF), u"abcdef");
    EXPECT_EQ(FormatHex(0x1F, 4), u"001f");
    EXPECT_EQ(FormatHex(0x12345, 4), u"12345");  // a minimum, not a cut
}

TEST(TextUtil, FloatsAsTheStreamsWriteThem) {
    const struct { double v; const char *text; } cases[] = {
        {0.5, "0.5"},        {100, "100"},          {1.0 / 3, "0.333333"}, {1e6, "1e+06"},
        {0.00001, "1e-05"},  {123456, "123456"},    {1234567, "1.23457e+06"}, {0, "0"},
        {-0.25, "-0.25"},    {0.0001, "0.0001"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FormatFloatNarrow(c.v), c.text);
        EXPECT_EQ(FormatFloat(c.v), WidenAscii(c.text));
    }
    EXPECT_EQ(FormatFloatNarrow(3.14159, 3), "3.14");
}

TEST(TextUtil, ParseLongTable) {
    const struct {
        const char16_t *text;
        int base;
        int32_t value;
        uint32_t consumed;
    } cases[] = {
        {u"42", 10, 42, 2},           {u"  -42x", 10, -42, 5},       {u"+", 10, 0, 0},
        {u"", 10, 0, 0},              {u"0x1f", 16, 31, 4},          {u"0X1F", 16, 31, 4},
        {u"0xg", 16, 0, 1},           {u"1f", 16, 31, 2},            {u"0x1f", 10, 0, 1},
        {u"017", 0, 15, 3},           {u"0x10", 0, 16, 4},           {u"19", 0, 19, 2},
        {u"2147483647", 10, INT32_MAX, 10}, {u"2147483648", 10, INT32_MAX, 10},
        {u"-2147483648", 10, INT32_MIN, 11}, {u"-99999999999999999999", 10, INT32_MIN, 21},
        {u"\v\f\r\n\t 5", 10, 5, 7},  {u"z", 36, 35, 1},
    };
    for (const auto &c : cases) {
        uint32_t consumed = 99;
        EXPECT_EQ(ParseLong(c.text, c.base, &consumed), c.value) << test::Narrow(c.text);
        EXPECT_EQ(consumed, c.consumed) << test::Narrow(c.text);
    }
    EXPECT_EQ(ParseLong(nullptr, 10), 0);
}

TEST(TextUtil, ParseUnsignedLongWrapsNegativesAndClampsOverflow) {
    EXPECT_EQ(ParseUnsignedLong(u"4294967295", 10), 4294967295u);
    EXPECT_EQ(ParseUnsignedLong(u"4294967296", 10), 4294967295u);
    EXPECT_EQ(ParseUnsignedLong(u"-1", 10), 4294967295u);
    EXPECT_EQ(ParseUnsignedLong(u"ffffffff", 16), 4294967295u);
}

TEST(TextUtil, WhiteSpaceIsTheSixCCharacters) {
    for (char16_t c = 0; c < 0x300; ++c) {
        bool expected = c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
        EXPECT_EQ(IsWhiteSpace(c), expected) << int(c);
    }
}

TEST(TextUtil, Utf8BothWays) {
    const struct { std::u16string wide; std::string utf8; } cases[] = {
        {u"abc", "abc"},
        {u"\u00E9", "\xC3\xA9"},
        {u"\u20AC", "\xE2\x82\xAC"},
        {u"\U0001D11E", "\xF0\x9D\x84\x9E"},  // a G clef, outside the 16-bit range
        {u"", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ToUtf8(c.wide), c.utf8);
        EXPECT_EQ(FromUtf8(c.utf8), c.wide);
    }
    // Broken input never reads past its end and marks what it cannot read.
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf8("a\xE2\x82"), u"a\uFFFD");
    EXPECT_EQ(FromUtf8("\xE2\x82" "A"), u"\uFFFD\uFFFDA");
    EXPECT_EQ(FromUtf8("\xFF" "b"), u"\uFFFDb");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");
}

TEST(TextUtil, Windows1252Table) {
    EXPECT_EQ(Cp1252ToUnicode(0x41), u'A');
    EXPECT_EQ(Cp1252ToUnicode(0x80), u'\u20AC');
    EXPECT_EQ(Cp1252ToUnicode(0x81), char16_t(0x81));  // a hole maps to itself
    EXPECT_EQ(Cp1252ToUnicode(0x9F), u'\u0178');
    EXPECT_EQ(Cp1252ToUnicode(0xE9), u'\u00E9');
    for (int b = 0; b < 256; ++b) EXPECT_EQ(Cp1252FromUnicode(Cp1252ToUnicode(uint8_t(b))), b) << b;
    EXPECT_EQ(Cp1252FromUnicode(u'\u263A'), -1);
    EXPECT_EQ(Cp1252FromUnicode(u'\u0100'), -1);
}

TEST(TextUtil, AsciiHelpers) {
    EXPECT_EQ(WidenAscii("a\xE9"), u"a\u00E9");
    EXPECT_EQ(WidenAscii(static_cast<const char *>(nullptr)), u"");
    EXPECT_EQ(NarrowAscii(u"a\u00E9"), "a?");
    EXPECT_EQ(ToAsciiLower(u'Q'), u'q');
    EXPECT_EQ(ToAsciiUpper(u'\u00E9'), u'\u00E9');
}
