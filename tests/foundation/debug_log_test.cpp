#include "foundation/debug_log.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "foundation/clock.h"
#include "foundation/text_util.h"
#include "foundation/time_stamp.h"
#include "platform/op_sys_base.h"
#include "tests/test_support.h"

namespace {

// 5 March 2014, 12:00 UTC: the same date in every time zone of the world
// but the few at +12 and beyond.
constexpr int64_t kNoon = 1394020800;
int64_t FixedNoon() { return kNoon; }

struct ClockScope {
    explicit ClockScope(tClockFunction clock) : previous(SetClockForTest(clock)) {}
    ~ClockScope() { SetClockForTest(previous); }
    tClockFunction previous;
};

// The time of day of kNoon in this machine's zone, as the log writes it.
std::string LocalTimeOfNoon() {
    std::tm t = LocalCalendar(kNoon);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

class DebugLog : public testing::Test {
protected:
    void SetUp() override {
        path = test::MakeTempFolder(testing::UnitTest::GetInstance()->current_test_info()->name()) + u"log.txt";
        log.SetFileName(path.c_str());
    }
    std::string Bytes() const { return test::ReadFileBytes(path); }

    std::u16string path;
    cDebugLog log;
};

}  // namespace

TEST_F(DebugLog, EntriesReachTheFileByteForByte) {
    using Write = std::function<void(cDebugLog &)>;
    const struct {
        const char *what;
        Write write;
        std::string bytes;
        int32_t count;
    } cases[] = {
        {"line feed inside a text", [](cDebugLog &l) { l.WriteText(u"a\nb", 1); }, "a\r\nb\r\n", 1},
        {"CR LF inside a text", [](cDebugLog &l) { l.WriteText(u"a\r\nb", 0); }, "a\r\r\nb", 1},
        {"lone CR", [](cDebugLog &l) { l.WriteText(u"a\rb", 0); }, "a\rb", 1},
        {"null text", [](cDebugLog &l) { l.WriteText(nullptr, 1); }, "\r\n", 1},
        {"pieces of one line",
         [](cDebugLog &l) {
             l.WriteInt(-5, 0);
             l.WriteChar(u',', 0);
             l.WriteUnsigned(7, 1);
         },
         "-5,7\r\n", 3},
        {"extreme integers",
         [](cDebugLog &l) {
             l.WriteInt(INT32_MIN, 0);
             l.WriteUnsigned(4294967295u, 0);
         },
         "-21474836484294967295", 2},
        {"wide string", [](cDebugLog &l) { l.WriteString(u"copy", 2); }, "copy\r\n\r\n", 1},
        {"8-bit text", [](cDebugLog &l) { l.WriteNarrowText("x\ny\xE9", 1); }, "x\r\ny\xE9\r\n", 1},
        {"8-bit stream",
         [](cDebugLog &l) {
             std::ostringstream s;
             s << 3 << " and " << 4;
             l.WriteNarrowStream(s, 1);
         },
         "3 and 4\r\n", 1},
        {"only end-of-lines", [](cDebugLog &l) { l.EndLine(2); }, "\r\n\r\n", 1},
        {"no end-of-line", [](cDebugLog &l) { l.EndLine(0); }, "", 1},
        {"8-bit code page", [](cDebugLog &l) { l.WriteText(u"caf\u00E9 \u20AC", 0); }, "caf\xE9 \x80", 1},
        {"a character", [](cDebugLog &l) { l.WriteChar(u'\u00E9', 0); }, "\xE9", 1},
        {"file", [](cDebugLog &l) { l.LogFile(u"C:\\Scores\\a.pmr"); }, "Status: File=C:\\Scores\\a.pmr\r\n", 0},
        {"mouse", [](cDebugLog &l) { l.LogMouse(10, 20); }, "Mouse=10,20\r\n", 0},
        {"left down", [](cDebugLog &l) { l.LogLeftDown(120, -4); }, "L+=120,-4\r\n", 0},
        {"left up", [](cDebugLog &l) { l.LogLeftUp(-1, 0); }, "L-=-1,0\r\n", 0},
        {"right down", [](cDebugLog &l) { l.LogRightDown(5, 6); }, "R+=5,6\r\n", 0},
        {"both down", [](cDebugLog &l) { l.LogBothDown(3, 4); }, "LR=3,4\r\n", 0},
    };
    for (const auto &c : cases) {
        SetUp();
        int32_t before = log.GetCount();
        c.write(log);
        EXPECT_EQ(Bytes(), c.bytes) << c.what;
        EXPECT_EQ(log.GetCount() - before, c.count) << c.what;
    }
}

TEST_F(DebugLog, FloatsUseSixSignificantDigits) {
    const struct { float value; const char *text; } cases[] = {
        {0.1f, "0.1"}, {1e6f, "1e+06"}, {1.5f, "1.5"}, {0.5f, "0.5"}, {100.0f, "100"},
        {1.0f / 3.0f, "0.333333"}, {0.00001f, "1e-05"}, {-2.25f, "-2.25"}, {123456.0f, "123456"},
        {0.0001f, "0.0001"},
    };
    for (const auto &c : cases) {
        SetUp();
        log.WriteFloat(c.value, 0);
        EXPECT_EQ(Bytes(), c.text);
    }
}

TEST_F(DebugLog, EscapedCharacters) {
    const struct { char16_t c; const char *text; } cases[] = {
        {u'\t', "\\t"},     {u'\n', "\\n"},           {u'\r', "\\r"},         {u'\\', "\\\\"},
        {0x1F, "\\x001f"},  {0x00, "\\x0000"},        {0x263A, "\\x263a"},    {0x100, "\\x0100"},
        {u'a', "a"},        {u' ', " "},              {0xE9, "\xE9"},         {0xFF, "\xFF"},
    };
    for (const auto &c : cases) {
        SetUp();
        int32_t before = log.GetCount();
        EXPECT_EQ(log.WriteEscapedChar(c.c, 0), RC_OK);
        EXPECT_EQ(Bytes(), c.text) << int(c.c);
        EXPECT_EQ(log.GetCount(), before + 1);
    }
}

TEST_F(DebugLog, EscapedTextIsOneEntryPerCharacterAndOneForTheEnd) {
    int32_t before = log.GetCount();
    EXPECT_EQ(log.WriteEscapedText(u"a\tb", 1), RC_OK);
    EXPECT_EQ(log.GetCount() - before, 4);
    EXPECT_EQ(Bytes(), "a\\tb\r\n");

    log.WriteEscapedString(std::u16string(u"\n\\"), 0);
    EXPECT_EQ(log.GetCount() - before, 7);
    EXPECT_EQ(Bytes(), "a\\tb\r\n\\n\\\\");

    log.WriteEscapedText(nullptr, 1);  // only the end-of-line entry
    EXPECT_EQ(log.GetCount() - before, 8);
    EXPECT_EQ(Bytes(), "a\\tb\r\n\\n\\\\\r\n");
}

TEST_F(DebugLog, EntriesAppendToWhatTheFileHolds) {
    test::WriteFileBytes(path, "old\n");
    log.WriteText(u"new", 1);
    EXPECT_EQ(Bytes(), "old\nnew\r\n");
}

TEST_F(DebugLog, SessionLinesCarryTheLocalTime) {
    ClockScope clock(FixedNoon);
    const std::string time = "Wed Mar  5 " + LocalTimeOfNoon() + " 2014\r\n";

    log.SetCount(9);
    EXPECT_EQ(log.StartSession(), RC_OK);
    EXPECT_EQ(log.GetCount(), 0);
    EXPECT_EQ(Bytes(), "** Starting new session: " + time);
    log.WriteText(u"next", 1);  // starts a line of its own
    EXPECT_EQ(log.EndSession(), RC_OK);
    EXPECT_EQ(log.GetCount(), 1);
    // The time ends its line; the end-of-line then leaves an empty one.
    EXPECT_EQ(Bytes(), "** Starting new session: " + time + "next\r\nStatus: Ending session @ " + time + "\r\n");
}

TEST_F(DebugLog, SessionTextsStandOnTheLineAfterTheTime) {
    ClockScope clock(FixedNoon);
    const std::string time = "Wed Mar  5 " + LocalTimeOfNoon() + " 2014\r\n";
    log.StartSession(u"first");
    log.EndSession(u"last");
    EXPECT_EQ(Bytes(), "** Starting new session: " + time + "firstStatus: Ending session @ " + time + "last\r\n");
}

TEST(DebugLogWithoutFile, EveryWriterFailsQuietlyAndStillCounts) {
    using Write = std::function<tStatus(cDebugLog &)>;
    const struct {
        const char *what;
        Write write;
        int32_t count;
    } cases[] = {
        {"WriteText", [](cDebugLog &l) { return l.WriteText(u"x", 1); }, 1},
        {"WriteString", [](cDebugLog &l) { return l.WriteString(u"x", 1); }, 1},
        {"WriteChar", [](cDebugLog &l) { return l.WriteChar(u'x', 1); }, 1},
        {"WriteInt", [](cDebugLog &l) { return l.WriteInt(1, 1); }, 1},
        {"WriteUnsigned", [](cDebugLog &l) { return l.WriteUnsigned(1, 1); }, 1},
        {"WriteFloat", [](cDebugLog &l) { return l.WriteFloat(1, 1); }, 1},
        {"WriteNarrowText", [](cDebugLog &l) { return l.WriteNarrowText("x", 1); }, 1},
        {"WriteEscapedChar", [](cDebugLog &l) { return l.WriteEscapedChar(u'x', 1); }, 1},
        {"WriteEscapedText", [](cDebugLog &l) { return l.WriteEscapedText(u"xy", 1); }, 3},
        {"EndLine", [](cDebugLog &l) { return l.EndLine(1); }, 1},
        {"EndSession", [](cDebugLog &l) { return l.EndSession(); }, 0},
        {"LogFile", [](cDebugLog &l) { return l.LogFile(u"a"); }, 0},
        {"LogMouse", [](cDebugLog &l) { return l.LogMouse(1, 2); }, 0},
        {"LogBothDown", [](cDebugLog &l) { return l.LogBothDown(1, 2); }, 0},
        {"Open", [](cDebugLog &l) { return l.Open(); }, 0},
        {"EndLinesAndClose", [](cDebugLog &l) { return l.EndLinesAndClose(1); }, 0},
    };
    cDebugLog log;
    for (const auto &c : cases) {
        int32_t before = log.GetCount();
        EXPECT_EQ(c.write(log), RC_FAIL) << c.what;
        EXPECT_EQ(log.GetCount() - before, c.count) << c.what;
    }
    log.SetCount(5);
    EXPECT_EQ(log.StartSession(), RC_FAIL);
    EXPECT_EQ(log.GetCount(), 0);
}

TEST(DebugLogWithoutFile, AFileThatCannotBeOpenedIsTriedAgainNextTime) {
    std::u16string folder = test::MakeTempFolder("log_unopenable");
    std::u16string path = folder + u"missing\\log.txt";
    cDebugLog log;
    log.SetFileName(path.c_str());
    EXPECT_EQ(log.WriteText(u"lost", 1), RC_FAIL);
    EXPECT_EQ(log.GetCount(), 1);
    EXPECT_FALSE(test::FileExists(path));

    gOpSys->CreateFolder(folder + u"missing");
    EXPECT_EQ(log.WriteText(u"kept", 1), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(path), "kept\r\n");
}

TEST(DebugLogWithoutFile, NamesAndCountsAreSwappedNotOpened) {
    cDebugLog log;
    EXPECT_EQ(std::u16string(log.SetFileName(u"C:\\first.txt")), u"");
    EXPECT_EQ(std::u16string(log.GetFileName()), u"C:\\first.txt");
    EXPECT_EQ(std::u16string(log.SetFileName(nullptr)), u"C:\\first.txt");
    EXPECT_EQ(std::u16string(log.GetFileName()), u"");
    EXPECT_EQ(log.SetCount(4), 0);
    EXPECT_EQ(log.SetCount(0), 4);
}
