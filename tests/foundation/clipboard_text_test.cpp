// Clipboard text against the system clipboard (Windows build) or the
// in-memory one (native build): the same expectations hold for both.
#include "foundation/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/char_string.h"
#include "foundation/debug_log.h"
#include "foundation/rtf_file.h"
#include "tests/test_support.h"

namespace {

std::string Utf16Bytes(const std::u16string &text, bool terminate = true) {
    std::string bytes;
    for (char16_t c : text) {
        bytes.push_back(char(c & 0xFF));
        bytes.push_back(char(c >> 8));
    }
    if (terminate) bytes.append(2, '\0');
    return bytes;
}

std::u16string UnicodeOnClipboard() {
    auto text = static_cast<const char16_t *>(ClipboardGetData(kClipUnicodeText));
    return text ? std::u16string(text) : std::u16string(u"<absent>");
}

class ClipboardText : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(ClipboardEmptyForTest(), RC_OK);
        // Nothing left over from an earlier test.
        ClipboardPutText();
        ASSERT_EQ(ClipboardPendingLength(), 0u);
        ASSERT_EQ(ClipboardEmptyForTest(), RC_OK);
    }
};

TEST_F(ClipboardText, AppendedPiecesArePutAsOneUnicodeText) {
    ClipboardAppendText(u"ab");
    ClipboardAppendChars(u"cdXYZ", 2);
    EXPECT_EQ(ClipboardPendingLength(), 4u);
    ClipboardPutText();
    EXPECT_EQ(ClipboardPendingLength(), 0u);
    EXPECT_EQ(UnicodeOnClipboard(), u"abcd");
    EXPECT_EQ(ClipboardTextLength(kClipUnicodeText), 4u);

    // A put without appends leaves whatever is on the clipboard.
    ASSERT_EQ(ClipboardPutBytesForTest(kClipUnicodeText, Utf16Bytes(u"other"), true), RC_OK);
    ClipboardPutText();
    EXPECT_EQ(UnicodeOnClipboard(), u"other");
}

TEST_F(ClipboardText, UnicodeRoundTripGrowsTheBlock) {
    // Past the first 400 characters the block grows several times; the text
    // holds Latin-1, BMP and a surrogate pair.
    std::u16string piece = u"Caf\u00e9 \u20ac \U0001D11E \u6f22\u5b57\t|";
    std::u16string expected;
    for (int i = 0; i < 120; ++i) {
        ClipboardAppendText(piece.c_str());
        expected += piece;
    }
    ClipboardPutText();
    EXPECT_EQ(UnicodeOnClipboard(), expected);
    EXPECT_EQ(ClipboardTextLength(kClipUnicodeText), expected.size());
}

TEST_F(ClipboardText, TextLengthFallsBackToAnsiText) {
    EXPECT_EQ(ClipboardTextLength(kClipUnicodeText), 0u);
    EXPECT_EQ(ClipboardGetData(kClipUnicodeText), nullptr);
    ASSERT_EQ(ClipboardPutBytesForTest(kClipText, std::string("hello world", 12), true), RC_OK);
    EXPECT_EQ(ClipboardTextLength(kClipUnicodeText), 11u);
    auto text = static_cast<const char16_t *>(ClipboardGetData(kClipText));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text), u"hello world");
}

TEST_F(ClipboardText, RegisteredFormatIsFoundByNameWithoutCase) {
    uint32_t rtf = ClipboardRegisterFormat(u"Rich Text Format");
    ASSERT_GE(rtf, kClipFirstRegistered);
    EXPECT_EQ(ClipboardFindFormat(u"rich text format"), 0u);  // not on the clipboard yet
    ASSERT_EQ(ClipboardPutBytesForTest(rtf, std::string("{\\rtf1}", 8), true), RC_OK);
    EXPECT_EQ(ClipboardFindFormat(u"rich text format"), rtf);
    EXPECT_EQ(ClipboardFindFormat(u"RICH TEXT FORMAT"), rtf);
    EXPECT_EQ(ClipboardFindFormat(u"Rich Text"), 0u);
    EXPECT_EQ(ClipboardFindFormat(nullptr), 0u);
}

TEST_F(ClipboardText, RtfPrefersRichTextFormatOverRtfAsText) {
    uint32_t rtf = ClipboardRegisterFormat(u"Rich Text Format");
    uint32_t asText = ClipboardRegisterFormat(u"RTF As Text");
    EXPECT_EQ(ClipboardGetRtf(), nullptr);
    EXPECT_EQ(ClipboardRtfLength(), 0u);

    ASSERT_EQ(ClipboardPutBytesForTest(asText, std::string("{\\rtf1 second}", 15), true), RC_OK);
    ASSERT_NE(ClipboardGetRtf(), nullptr);
    EXPECT_EQ(std::string(ClipboardGetRtf()), "{\\rtf1 second}");

    ASSERT_EQ(ClipboardPutBytesForTest(rtf, std::string("{\\rtf1 first}", 14), false), RC_OK);
    ASSERT_NE(ClipboardGetRtf(), nullptr);
    EXPECT_EQ(std::string(ClipboardGetRtf()), "{\\rtf1 first}");
    EXPECT_EQ(ClipboardRtfLength(), 13u);
}

TEST_F(ClipboardText, RichTextRoundTripThroughTheRtfReader) {
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}}\r\n"
        "{\\*\\generator x;}\\viewkind4\\uc1\\pard\\lang9\\f0\\fs22 Caf\\'e9 \\u8364?\\par\r\n}";
    uint32_t format = ClipboardRegisterFormat(u"Rich Text Format");
    ASSERT_EQ(ClipboardPutBytesForTest(format, rtf + '\0', true), RC_OK);
    ASSERT_EQ(ClipboardRtfLength(), rtf.size());

    cRtfFile reader(ClipboardGetRtf());
    const char16_t *text = reader.PlainText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text), u"Caf\u00e9 \u20ac");
    EXPECT_EQ(std::u16string(reader.FontName()), u"Calibri");
    EXPECT_EQ(reader.FontSize(), 22);
}

TEST_F(ClipboardText, RegisteredDataIsReadWithinItsBlock) {
    // A block that holds no zero byte: the read stops at the block's end.
    uint32_t format = ClipboardRegisterFormat(u"Pelmora Test Unterminated");
    std::string bytes(4096, 'x');
    ASSERT_EQ(ClipboardPutBytesForTest(format, bytes, true), RC_OK);
    auto data = static_cast<const char *>(ClipboardGetData(format));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(gClipboardText.size(), 4096u);
    EXPECT_EQ(std::string(data), bytes);

    // A zero byte inside the block ends the text there.
    ASSERT_EQ(ClipboardPutBytesForTest(format, std::string("ab\0cd", 5), true), RC_OK);
    EXPECT_EQ(std::string(static_cast<const char *>(ClipboardGetData(format))), "ab");
}

TEST_F(ClipboardText, ListingStopsAfterTwentyFormats) {
    std::vector<uint32_t> ids;
    for (int i = 0; i < 22; ++i) {
        std::u16string name = u"Pelmora Test Format " + std::u16string(1, char16_t(u'A' + i));
        uint32_t id = ClipboardRegisterFormat(name.c_str());
        ASSERT_GE(id, kClipFirstRegistered);
        ASSERT_EQ(ClipboardPutBytesForTest(id, "x", i == 0), RC_OK);
        ids.push_back(id);
    }
    ASSERT_EQ(ClipboardListFormats(), 20u);
    ASSERT_EQ(gClipboardFormats.count, 20u);
    for (uint32_t i = 0; i < 20; ++i) {
        EXPECT_EQ(gClipboardFormats.entries[i].id, ids[i]) << i;
        std::u16string expected = u"Pelmora Test Format " + std::u16string(1, char16_t(u'A' + i));
        EXPECT_EQ(std::u16string(gClipboardFormats.entries[i].name), expected);
    }
    // The last two are beyond the listing, so they cannot be found by name.
    EXPECT_EQ(ClipboardFindFormat(u"Pelmora Test Format V"), 0u);
    EXPECT_EQ(ClipboardFindFormat(u"Pelmora Test Format T"), ids[19]);
}

TEST_F(ClipboardText, DumpWritesEveryFormatWithItsText) {
    std::u16string folder = test::MakeTempFolder("clipboard_dump");
    cDebugLog log;
    log.SetFileName((folder + u"dump.txt").c_str());

    uint32_t rtf = ClipboardRegisterFormat(u"Rich Text Format");
    uint32_t other = ClipboardRegisterFormat(u"Pelmora Test Other");
    ASSERT_EQ(ClipboardPutBytesForTest(kClipUnicodeText, Utf16Bytes(u"a\tb"), true), RC_OK);
    ASSERT_EQ(ClipboardPutBytesForTest(rtf, std::string("{\\rtf1\r\nx}", 11), false), RC_OK);
    ASSERT_EQ(ClipboardPutBytesForTest(other, std::string("hidden", 7), false), RC_OK);
    EXPECT_EQ(ClipboardDumpToLog(&log), RC_OK);

    std::string dump = test::ReadFileBytes(folder + u"dump.txt");
    EXPECT_EQ(dump.rfind("[Clipboard]\r\n", 0), 0u) << dump;
    EXPECT_NE(dump.find("\r\n13: UNICODETEXT = a\\tb\r\n"), std::string::npos) << dump;
    std::string rtfLine = "\r\n" + std::to_string(rtf) + ": Rich Text Format = {\\\\rtf1\\r\\nx}\r\n";
    EXPECT_NE(dump.find(rtfLine), std::string::npos) << dump;
    // Other registered formats show their name only.
    std::string otherLine = "\r\n" + std::to_string(other) + ": Pelmora Test Other\r\n";
    EXPECT_NE(dump.find(otherLine), std::string::npos) << dump;
    EXPECT_EQ(dump.find("hidden"), std::string::npos);
}

}  // namespace
