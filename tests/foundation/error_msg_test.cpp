#include "foundation/error_msg.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "platform/op_sys_base.h"
#include "tests/test_support.h"
#include "tests/support/log_capture.h"

namespace {

PELMORA_ERROR_TABLE(kTwoMessages, u"ArrayBuf", u"Null buffer", u"Index out of range");
PELMORA_ERROR_TABLE(kOpSysLike, u"OpSys", u"m0", u"m1", u"m2", u"m3", u"m4", u"m5", u"m6", u"m7", u"m8", u"m9",
                    u"m10", u"m11", u"m12", u"m13", u"m14", u"m15", u"m16", u"m17", u"m18", u"Stack Overflow",
                    u"Unknown exception", u"Can't find setup folder. Try reinstalling.");
const char16_t *const kNoNameMessages[] = {u"first"};
const sErrorTable kNoName = {nullptr, 1, kNoNameMessages};

// Takes the registered reporter, the callback and the out-of-memory handler
// aside for one test, so that the test can register a fresh reporter whose
// first report is really the first; everything goes back afterwards.
class ReporterScope {
public:
    ReporterScope()
        : reporter(gErrorMsg), callback(gErrorCallback), handler(std::get_new_handler()) {
        gErrorMsg = nullptr;
    }
    ~ReporterScope() {
        gErrorMsg = reporter;
        gErrorCallback = callback;
        std::set_new_handler(handler);
    }

private:
    cErrorMsgBase *reporter;
    tErrorCallback callback;
    std::new_handler handler;
};

std::string ReportFileBytes() { return test::ReadFileBytes(gOpSys->GetErrorReportPath()); }

// The portable report seen through its character hook.
class TextReporter : public cErrorMsgBase {
public:
    void PutChar(char16_t c) override {
        text += c;
        // An out-of-memory report must run with the handler already gone.
        if (std::get_new_handler() != nullptr) handlerSeenInstalled = true;
    }
    void HandleFatal() override { ++fatal; }
    void HandleAbort() override {
        ++aborts;
        countAtAbort = ErrorCount();
    }
    std::u16string text;
    int fatal = 0, aborts = 0, countAtAbort = -1;
    bool handlerSeenInstalled = false;
};

// The program's reporter with its abort hook watched.
class WatchedReporter : public cErrorMsg {
public:
    void HandleAbort() override { ++aborts; }
    int aborts = 0;
};

int gCallbackCalls = 0;
int gCountSeenByCallback = -1;
void CountingCallback() {
    ++gCallbackCalls;
    gCountSeenByCallback = gErrorMsg->ErrorCount();
    LogText(u"diagnostic dump");
}
void RaisingCallback() {
    ++gCallbackCalls;
    RaiseError(&kTwoMessages, 1 | ERR_REPORT);
}

}  // namespace

TEST(ErrorMsg, ComposedTextsAndLogLines) {
    const struct {
        const sErrorTable *table;
        uint32_t flags;
        const char16_t *text;
    } cases[] = {
        {&kTwoMessages, 5, u"Error in ArrayBuf: 5"},
        {&kTwoMessages, 5 | ERR_REPORT, u"Error in ArrayBuf: 5"},
        {&kTwoMessages, 0 | ERR_REPORT, u"Error in ArrayBuf: Null buffer"},
        {&kTwoMessages, 1 | ERR_FATAL, u"Error in ArrayBuf: Index out of range"},
        {&kOpSysLike, 19 | ERR_REPORT, u"Error in OpSys: Stack Overflow"},
        {&kOpSysLike, 22 | ERR_REPORT, u"Error in OpSys: 22"},  // one past the last message
        {&kOpSysLike, 8 | ERR_REPORT, u"Error in OpSys: m8"},
        {&kOpSysLike, 0x100 | ERR_REPORT, u"Error in OpSys: 256"},  // higher bits belong to the index
        {&kTwoMessages, 1 | ERR_ABORT, u"Error in ArrayBuf: Index out of range. Aborting"},
        {&kTwoMessages, 7 | ERR_ABORT | ERR_REPORT, u"Error in ArrayBuf: 7. Aborting"},
    };
    for (const auto &c : cases) {
        ReporterScope scope;
        test::LogCapture log("error_texts");
        cErrorMsg reporter;
        RaiseError(c.table, c.flags);
        std::u16string text = reporter.LastText();
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(log.Text(), test::Narrow(text) + "\r\n");
        EXPECT_EQ(ReportFileBytes(), log.Text());  // the log is copied on every report
        EXPECT_EQ(reporter.ErrorCount(), 1);
    }
}

TEST(ErrorMsg, FirstReportedErrorCallsTheCallbackOnce) {
    ReporterScope scope;
    test::LogCapture log("error_callback_once");
    cErrorMsg reporter;
    EXPECT_EQ(gErrorCallback, nullptr);  // emptied by the constructor
    EXPECT_EQ(SetErrorCallback(CountingCallback), nullptr);
    gCallbackCalls = 0;

    RaiseError(&kTwoMessages, 0 | ERR_REPORT);
    EXPECT_EQ(gCallbackCalls, 1);
    EXPECT_EQ(gCountSeenByCallback, 1);  // raised while it runs
    EXPECT_EQ(reporter.ErrorCount(), 1);
    // The dump comes after the error line and is part of the report file.
    EXPECT_EQ(log.Text(), "Error in ArrayBuf: Null buffer\r\ndiagnostic dump\r\n");
    EXPECT_EQ(ReportFileBytes(), log.Text());

    RaiseError(&kTwoMessages, 1 | ERR_REPORT);
    RaiseError(&kTwoMessages, 1);
    EXPECT_EQ(gCallbackCalls, 1);
    EXPECT_EQ(reporter.ErrorCount(), 3);
    EXPECT_EQ(ReportFileBytes(), log.Text());
    EXPECT_EQ(SetErrorCallback(nullptr), CountingCallback);
}

TEST(ErrorMsg, AnErrorInsideTheCallbackIsOnlyLogged) {
    ReporterScope scope;
    test::LogCapture log("error_inside_callback");
    cErrorMsg reporter;
    SetErrorCallback(RaisingCallback);
    gCallbackCalls = 0;
    RaiseError(&kTwoMessages, 0 | ERR_REPORT);
    EXPECT_EQ(gCallbackCalls, 1);
    EXPECT_EQ(reporter.ErrorCount(), 2);
    EXPECT_EQ(log.Text(), "Error in ArrayBuf: Null buffer\r\nError in ArrayBuf: Index out of range\r\n");
}

TEST(ErrorMsg, FirstReportWithoutReportFlagRulesOutTheCallback) {
    const uint32_t firstFlags[] = {ERR_FATAL, 1, 0};
    for (uint32_t first : firstFlags) {
        ReporterScope scope;
        test::LogCapture log("error_first_not_reported");
        cErrorMsg reporter;
        SetErrorCallback(CountingCallback);
        gCallbackCalls = 0;
        RaiseError(&kTwoMessages, first);
        RaiseError(&kTwoMessages, 0 | ERR_REPORT);
        EXPECT_EQ(gCallbackCalls, 0) << first;
        EXPECT_EQ(reporter.ErrorCount(), 2);
    }
}

TEST(ErrorMsg, AbortAddsItsWordsAndTheProgramGoesOn) {
    ReporterScope scope;
    test::LogCapture log("error_abort");
    WatchedReporter reporter;
    RaiseError(&kTwoMessages, 0 | ERR_ABORT);
    EXPECT_EQ(reporter.aborts, 1);
    EXPECT_EQ(std::u16string(reporter.LastText()), u"Error in ArrayBuf: Null buffer. Aborting");
    RaiseError(&kTwoMessages, 1);
    EXPECT_EQ(reporter.aborts, 1);
    EXPECT_EQ(log.Text(), "Error in ArrayBuf: Null buffer. Aborting\r\nError in ArrayBuf: Index out of range\r\n");
}

TEST(ErrorMsgBase, ReportPutsNameMessageAndEndOfLineThroughPutChar) {
    const struct {
        const sErrorTable *table;
        uint32_t flags;
        const char16_t *put;
        const char *log;
        int fatal, aborts;
    } cases[] = {
        {&kTwoMessages, 0 | ERR_REPORT, u"ArrayBuf, Null buffer\r\n", "Null buffer\r\n\r\r\n", 0, 0},
        {&kTwoMessages, 5, u"ArrayBuf, 5\r\n", "5\r\n\r\r\n", 0, 0},
        {&kTwoMessages, 1 | ERR_ABORT, u"ArrayBuf, Index out of range\r\n", "Index out of range\r\n\r\r\n", 0, 1},
        {&kTwoMessages, 1 | ERR_FATAL, u"ArrayBuf, Index out of range\r\n", "Index out of range\r\n\r\r\n", 1, 0},
        {&kNoName, 0, u", first\r\n", "first\r\n\r\r\n", 0, 0},
    };
    for (const auto &c : cases) {
        ReporterScope scope;
        test::LogCapture log("error_base_report");
        TextReporter reporter;
        EXPECT_EQ(reporter.Options(), 14u);
        RaiseError(c.table, c.flags);
        EXPECT_EQ(reporter.text, c.put);
        EXPECT_EQ(log.Text(), c.log);
        EXPECT_EQ(reporter.fatal, c.fatal);
        EXPECT_EQ(reporter.aborts, c.aborts);
        EXPECT_EQ(reporter.ErrorCount(), 1);
        if (c.aborts) {
            EXPECT_EQ(reporter.countAtAbort, 1);  // counted before the hook
        }
    }
}

TEST(ErrorMsgBase, PutNumberWritesSignedDecimal) {
    TextReporter reporter;  // not registered: gErrorMsg exists already
    reporter.PutNumber(-42);
    reporter.PutText(u" ok");
    reporter.PutText(nullptr);
    reporter.PutNumber(INT32_MIN);
    EXPECT_EQ(reporter.text, u"-42 ok-2147483648");
}

TEST(ErrorMsgBase, BaseCallbackRunsOnlyForTheFirstReportedError) {
    ReporterScope scope;
    TextReporter reporter;
    SetErrorCallback(CountingCallback);
    gCallbackCalls = 0;
    RaiseError(&kTwoMessages, 0 | ERR_REPORT);
    RaiseError(&kTwoMessages, 0 | ERR_REPORT);
    EXPECT_EQ(gCallbackCalls, 1);
    EXPECT_EQ(gCountSeenByCallback, 0);  // the portable report calls it before counting
}

TEST(ErrorMsgBase, OnlyTheFirstReporterIsRegistered) {
    ReporterScope scope;
    std::set_new_handler(nullptr);
    {
        TextReporter first;
        EXPECT_EQ(gErrorMsg, &first);
        EXPECT_EQ(std::get_new_handler(), &OutOfMemoryHandler);
        {
            TextReporter second;
            EXPECT_EQ(gErrorMsg, &first);
            RaiseError(&kTwoMessages, 0);
            EXPECT_EQ(second.ErrorCount(), 0);
            EXPECT_EQ(first.ErrorCount(), 1);
        }
        EXPECT_EQ(gErrorMsg, &first);
        EXPECT_EQ(std::get_new_handler(), &OutOfMemoryHandler);
    }
    EXPECT_EQ(gErrorMsg, nullptr);
    EXPECT_EQ(std::get_new_handler(), nullptr);
}

namespace {
int gDeleted = 0;
class CountedReporter : public TextReporter {
public:
    ~CountedReporter() override { ++gDeleted; }
};
}  // namespace

TEST(ErrorMsgBase, DeleteErrorMsgDeletesTheRegisteredReporter) {
    ReporterScope scope;
    gDeleted = 0;
    DeleteErrorMsg();  // none registered: nothing happens
    new CountedReporter();
    DeleteErrorMsg();
    EXPECT_EQ(gDeleted, 1);
    EXPECT_EQ(gErrorMsg, nullptr);
}

TEST(ErrorMsg, LogTextWritesOneLineToTheSessionLog) {
    test::LogCapture log("error_log_text");
    LogText(u"Exception address: 0x1f");
    LogText(u"second");
    EXPECT_EQ(log.Text(), "Exception address: 0x1f\r\nsecond\r\n");
}

TEST(OutOfMemory, TheHandlerUninstallsItselfBeforeReporting) {
    ReporterScope scope;
    TextReporter reporter;
    ASSERT_EQ(std::get_new_handler(), &OutOfMemoryHandler);
    OutOfMemoryHandler();
    EXPECT_FALSE(reporter.handlerSeenInstalled);
    EXPECT_EQ(reporter.text, u"ErrorMsg, New failed\r\n");
    EXPECT_EQ(reporter.fatal, 1);
    EXPECT_EQ(std::get_new_handler(), nullptr);
}

TEST(OutOfMemory, FatalReportIsLoggedWithoutCallback) {
    ReporterScope scope;
    test::LogCapture log("out_of_memory_log");
    cErrorMsg reporter;
    SetErrorCallback(CountingCallback);
    gCallbackCalls = 0;
    OutOfMemoryHandler();
    EXPECT_EQ(log.Text(), "Error in ErrorMsg: New failed\r\n");
    EXPECT_EQ(ReportFileBytes(), log.Text());
    EXPECT_EQ(gCallbackCalls, 0);
    RaiseError(&kTwoMessages, 0 | ERR_REPORT);
    EXPECT_EQ(gCallbackCalls, 0);
}

namespace {
// Called through a volatile pointer so that the compiler cannot drop the
// allocation.
void *(*volatile gAllocate)(std::size_t) = static_cast<void *(*)(std::size_t)>(::operator new);
}  // namespace

TEST(OutOfMemory, AFailedAllocationIsReportedOnceAndThenThrows) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's allocator ends the process instead of calling the handler";
#else
    ReporterScope scope;
    test::LogCapture log("out_of_memory_real");
    cErrorMsg reporter;
    const std::size_t huge = std::size_t(1) << (sizeof(std::size_t) * 8 - 2);
    EXPECT_THROW(gAllocate(huge), std::bad_alloc);
    EXPECT_EQ(reporter.ErrorCount(), 1);
    EXPECT_EQ(std::get_new_handler(), nullptr);
    // Only the first event of a run is reported.
    EXPECT_THROW(gAllocate(huge), std::bad_alloc);
    EXPECT_EQ(reporter.ErrorCount(), 1);
    EXPECT_EQ(log.Text(), "Error in ErrorMsg: New failed\r\n");
#endif
}

#if GTEST_HAS_DEATH_TEST
namespace {
cErrorMsgBase *volatile gKeptReporter = nullptr;
void RaiseWithoutReporter() {
    gKeptReporter = gErrorMsg;  // still reachable, so the leak check stays quiet
    gErrorMsg = nullptr;
    RaiseError(&kTwoMessages, 0 | ERR_REPORT);
}
}  // namespace

TEST(ErrorMsgDeathTest, RaiseErrorWithoutReporterEndsTheProcessWithStatus1) {
    EXPECT_EXIT(RaiseWithoutReporter(), testing::ExitedWithCode(1), "");
}
#endif
