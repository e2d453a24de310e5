#include "foundation/escaped_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "foundation/ascii_file.h"
#include "foundation/string_array.h"
#include "tests/test_support.h"

namespace {

std::u16string Folder() {
    static std::u16string folder = test::MakeTempFolder("escaped_text");
    return folder;
}

TEST(EscapedText, WrittenForms) {
    struct Case {
        std::string written;
        std::string bytes;
    } cases[] = {
        {EscapeStringText(u""), "\\u\"\""},
        {EscapeStringText(u"abc"), "\\u\"abc\""},
        {EscapeStringText(u"\"\\\n"), "\\u\"\\0022\\005c\\000a\""},
        {EscapeStringText(u"\u001f \u00ff\u0100\uffff"), "\\u\"\\001f \xff\\0100\\ffff\""},
        {EscapeStringText(u"\u20ac\U0001D11E"), "\\u\"\\20ac\\d834\\dd1e\""},
        {EscapeStringText(u"'\u007f\u0080\u00e9"), "\\u\"'\x7f\x80\xe9\""},
        {EscapeCharText(u'\''), "\\u'''"},
        {EscapeCharText(u'"'), "\\u'\\0022'"},
        {EscapeCharText(0xE9), "\\u'\xe9'"},
    };
    for (const Case &c : cases) EXPECT_EQ(c.written, c.bytes);
}

TEST(EscapedText, EscapeLeavesTheStreamDecimalWithSpaceFill) {
    std::ostringstream s;
    s << std::hex;
    s.fill('*');
    WriteEscapedChar(u'a', s);  // a plain byte leaves the settings alone
    s.width(3);
    s << 255;
    WriteEscapedChar(0x263A, s);
    s.width(3);
    s << 17;
    EXPECT_EQ(s.str(), "a*ff\\263a 17");
}

TEST(EscapedText, WriteQuotedString) {
    struct Case {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"a\"b\\c", "\"a\\\"b\\\\c\""},
        {u"", "\"\""},
        {u"Times \u00e9", "\"Times \xe9\""},
        // One byte cannot carry these: the escaped string form instead.
        {u"\u65e5\u672c", "\\u\"\\65e5\\672c\""},
        {u"a\nb", "\\u\"a\\000ab\""},
    };
    for (const Case &c : cases) {
        std::ostringstream s;
        WriteQuotedString(c.text.c_str(), s);
        EXPECT_EQ(s.str(), c.bytes);
    }
}

// Every code unit but 0 goes out through each writer and must come back
// through the reader unchanged.
TEST(EscapedText, EveryCodeUnitReadsBack) {
    std::u16string path = Folder() + u"all_units.txt";
    std::ostringstream out;
    for (uint32_t u = 1; u <= 0xFFFF; ++u) out << EscapeCharText(char16_t(u)) << ' ';
    out << '\n';
    std::u16string all;
    for (uint32_t u = 1; u <= 0xFFFF; ++u) all.push_back(char16_t(u));
    // The string forms end at a line end, so the units go out in lines: the
    // control characters, the units one byte carries (the plain quoted form),
    // then lines of 256.
    std::vector<std::u16string> lines = {all.substr(0, 0x1F), all.substr(0x1F, 0xE0)};
    for (size_t i = 0xFF; i < all.size(); i += 256) lines.push_back(all.substr(i, 256));
    for (const std::u16string &line : lines) out << EscapeStringText(line.c_str()) << '\n';
    for (const std::u16string &line : lines) {
        WriteQuotedString(line.c_str(), out);
        out << '\n';
    }
    test::WriteFileBytes(path, out.str());

    cAsciiFile in(path.c_str());
    ASSERT_TRUE(in.IsOpen());
    uint32_t wrong = 0;
    for (uint32_t u = 1; u <= 0xFFFF; ++u)
        if (in.ReadQuotedChar() != char16_t(u)) ++wrong;
    EXPECT_EQ(wrong, 0u);
    for (int pass = 0; pass < 2; ++pass) {
        std::u16string back;
        for (size_t i = 0; i < lines.size(); ++i) back += in.ReadQuotedString();
        EXPECT_EQ(back == all, true) << "pass " << pass;
    }
    EXPECT_EQ(in.GetErrorLatch(), 0);
}

}  // namespace
