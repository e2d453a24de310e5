// A clipboard that cannot be opened, which only the in-memory clipboard can
// arrange on demand.
#include "foundation/clipboard_text.h"

#include <gtest/gtest.h>

namespace {

struct FailingOpen {
    FailingOpen() { ClipboardFailOpenForTest(true); }
    ~FailingOpen() { ClipboardFailOpenForTest(false); }
};

std::u16string UnicodeOnClipboard() {
    auto text = static_cast<const char16_t *>(ClipboardGetData(kClipUnicodeText));
    return text ? std::u16string(text) : std::u16string(u"<absent>");
}

TEST(ClipboardTextClosed, PutKeepsTheTextUntilTheClipboardOpens) {
    ASSERT_EQ(ClipboardEmptyForTest(), RC_OK);
    ASSERT_EQ(ClipboardPutBytesForTest(kClipUnicodeText, std::string("o\0l\0d\0\0\0", 8), true), RC_OK);
    {
        FailingOpen closed;
        ClipboardAppendText(u"first ");
        ClipboardPutText();
        EXPECT_EQ(ClipboardPendingLength(), 6u);
        EXPECT_EQ(ClipboardGetData(kClipUnicodeText), nullptr);
        EXPECT_EQ(ClipboardTextLength(kClipUnicodeText), 0u);
        EXPECT_EQ(ClipboardListFormats(), 0u);
        EXPECT_EQ(ClipboardGetRtf(), nullptr);
    }
    EXPECT_EQ(UnicodeOnClipboard(), u"old");
    ClipboardAppendText(u"second");
    ClipboardPutText();
    EXPECT_EQ(ClipboardPendingLength(), 0u);
    EXPECT_EQ(UnicodeOnClipboard(), u"first second");
}

}  // namespace
