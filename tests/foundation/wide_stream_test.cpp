#include <gtest/gtest.h>

#include "foundation/char_string.h"
#include "foundation/debug_log.h"
#include "foundation/wide_stream.h"
#include "tests/test_support.h"

TEST(WideStream, BuildsTextWithDecimalAndHexNumbers) {
    cWideStream s;
    s << u"Exception address: 0x" ;
    s.Hex() << uint32_t(0xC0FFEE);
    s.Dec() << u" n=" << int32_t(-12) << u' ' << uint32_t(7);
    EXPECT_EQ(s.Text(), u"Exception address: 0xc0ffee n=-12 7");
    EXPECT_EQ(std::u16string(TempStreamText(s)), s.Text());
}

TEST(WideStream, ReadStreamTextJoinsLinesAndCountsTheLineFeeds) {
    cWideInStream in(u"ab\ncd\n");
    std::u16string out = u">";
    EXPECT_EQ(ReadStreamText(out, in), 6u);
    EXPECT_EQ(out, u">abcd");
    EXPECT_TRUE(in.Failed());
}

TEST(WideStream, ALineLongerThanTheBufferEndsTheReading) {
    std::u16string longLine(300, u'x');
    cWideInStream in(longLine + u"\nnext\n");
    std::u16string out;
    EXPECT_EQ(ReadStreamText(out, in), 255u);
    EXPECT_EQ(out, std::u16string(255, u'x'));
}

TEST(WideStream, StringBufReadsAWholeStream) {
    cWideInStream in(u"one\ntwo");
    cStringBuf buf;
    EXPECT_EQ(std::u16string(buf.ReadStream(in)), u"onetwo");
}

TEST(WideStream, LogWritesTheStreamAsOneEntry) {
    std::u16string path = test::MakeTempFolder("wide_stream_log") + u"log.txt";
    cDebugLog log;
    log.SetFileName(path.c_str());
    cWideStream s;
    s << u"a\nb";
    EXPECT_EQ(log.WriteWideStream(s, 1), RC_OK);
    EXPECT_EQ(log.GetCount(), 1);
    EXPECT_EQ(test::ReadFileBytes(path), "a\r\nb\r\n");
}
