// The session log on a disk that is full: every entry must say so.
#include "foundation/debug_log.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/op_sys_base.h"
#include "tests/support/file_size_limit_posix.h"
#include "tests/test_support.h"

namespace {

using Entry = std::function<tStatus(cDebugLog &)>;

const struct {
    const char *what;
    Entry entry;
} kEntries[] = {
    {"text", [](cDebugLog &l) { return l.WriteText(u"a line", 1); }},
    {"text without a line end", [](cDebugLog &l) { return l.WriteText(u"x", 0); }},
    {"empty line", [](cDebugLog &l) { return l.EndLine(1); }},
    {"escaped text", [](cDebugLog &l) { return l.WriteEscapedText(u"tab\there", 1); }},
    {"session start", [](cDebugLog &l) { return l.StartSession(u"test"); }},
    {"session end", [](cDebugLog &l) { return l.EndSession(); }},
    {"mouse", [](cDebugLog &l) { return l.LogLeftDown(3, 4); }},
};

TEST(DebugLogPosix, EveryEntryOnAFullDeviceAnswersFailure) {
    cDebugLog log;
    log.SetFileName(u"\\dev\\full");
    for (const auto &e : kEntries) {
        SCOPED_TRACE(e.what);
        EXPECT_EQ(e.entry(log), RC_FAIL);
    }
}

TEST(DebugLogPosix, AnEntryPastTheSizeLimitAnswersFailureAndOneBeforeItSucceeds) {
    std::u16string path = test::MakeTempFolder("debug_log_limit") + u"log.txt";
    test::WriteFileBytes(path, std::string(100, '.'));
    cDebugLog log;
    log.SetFileName(path.c_str());
    test::cFileSizeLimit limit(104);
    EXPECT_EQ(log.WriteText(u"ab", 0), RC_OK);  // 102 bytes
    for (const auto &e : kEntries) {
        SCOPED_TRACE(e.what);
        EXPECT_EQ(e.entry(log), RC_FAIL);
    }
    EXPECT_LE(test::ReadFileBytes(path).size(), 104u);
}

// The error reporter writes into the log; a log that cannot write must not
// call the reporter back.
TEST(DebugLogPosix, AnErrorReportedIntoAFullLogReturns) {
    cDebugLog &log = gOpSys->Log();
    std::u16string saved = log.GetFileName();
    log.SetFileName(u"\\dev\\full");
    uint32_t mode = gOpSys->SetErrorMode(2);
    EXPECT_EQ(gOpSys->ShowError(28, u"Save"), RC_OK);
    EXPECT_EQ(log.WriteText(u"after", 1), RC_FAIL);
    gOpSys->SetErrorMode(mode);
    log.SetFileName(saved.c_str());
}

}  // namespace
