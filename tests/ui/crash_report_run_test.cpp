// The crash report of a run: log lines, the fresh document dump, the copy
// to the error report and the restart, which the tests record instead of
// performing.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/crash_report.h"
#include "platform/fault_guard.h"
#include "tests/ui/local_program.h"

namespace {

int gDumps = 0;
void DumpDocument() {
    ++gDumps;
    LogText((u"[document " + std::u16string(1, char16_t(u'0' + gDumps)) + u"]").c_str());
}
void DumpThatThrows() {
    ++gDumps;
    throw std::runtime_error("document in pieces");
}
// A dump that crashes: the crash is reported while the dump still runs.
void DumpThatCrashes() {
    ++gDumps;
    sFaultInfo info;
    info.code = 0xC0000005;
    info.address = 0xbad;
    gOpSys->ReportException(info.code, info);
}
PELMORA_ERROR_TABLE(kEarlierErrors, u"MusicObj", u"Bad measure");

sFaultInfo AccessViolation() {
    sFaultInfo info;
    info.code = 0xC0000005;
    info.address = 0x4015f0;
    info.parameterCount = 2;
    info.parameters[0] = 1;
    info.parameters[1] = 0x10;
    return info;
}

class CrashReportRun : public testing::Test {
protected:
    void SetUp() override { gDumps = 0; }
};

TEST_F(CrashReportRun, FirstReportLogsDumpsCopiesAndRestarts) {
    test::LocalProgram os("crash_first", u"");
    os.MakeMainWindow();
    SetErrorCallback(DumpDocument);
    EXPECT_EQ(os->ReportException(0xC0000005, AccessViolation()), 1);

    std::string log = os.LogText();
    const std::string line = "Exception address: 0x4015f0 Data = 0x1, 0x10\r\n";
    const std::string error = "Error in OpSys: Access Violation\r\n";
    size_t atLine = log.find(line), atError = log.find(error), atDump = log.find("[document 1]");
    ASSERT_NE(atLine, std::string::npos) << log;
    ASSERT_NE(atError, std::string::npos) << log;
    ASSERT_NE(atDump, std::string::npos) << log;
    EXPECT_LT(atLine, atError);
    EXPECT_LT(atError, atDump);
    EXPECT_EQ(gDumps, 1);
    // The first report offers the on-line report (answered Cancel here),
    // after the log was copied.
    size_t atBox = log.find("Box: Warning: Error in OpSys: Access Violation");
    ASSERT_NE(atBox, std::string::npos);
    EXPECT_EQ(test::Occurrences(log, "Box: "), 1);
    EXPECT_EQ(os.ReportText(), log.substr(0, atBox));
    EXPECT_EQ(os->LastShellOpen(), std::u16string(os->GetProgramPath()) + u" " + os->GetErrorReportPath());
}

TEST_F(CrashReportRun, CrashAfterEarlierErrorStillWritesAFreshDump) {
    test::LocalProgram os("crash_after_error", u"");
    os.MakeMainWindow();
    SetErrorCallback(DumpDocument);
    RaiseError(&kEarlierErrors, 0 | ERR_REPORT);
    ASSERT_EQ(gDumps, 1);
    std::string before = os.LogText();

    sFaultInfo info;
    info.code = 0xC0000094;
    info.address = 0x1234;
    os->ReportException(info.code, info);

    EXPECT_EQ(gDumps, 2);
    std::string log = os.LogText();
    std::string crash = log.substr(before.size());
    EXPECT_EQ(crash.find("Exception address: 0x1234\r\nError in OpSys: Int divide by zero\r\n"), 0u) << crash;
    EXPECT_NE(crash.find("[document 2]"), std::string::npos) << crash;
    // The report file holds the new dump; the offer was the first error's.
    EXPECT_EQ(os.ReportText(), log);
    EXPECT_EQ(test::Occurrences(log, "Box: Warning: "), 1);
    EXPECT_EQ(crash.find("Box: "), std::string::npos);
    EXPECT_EQ(os->LastShellOpen(), std::u16string(os->GetProgramPath()) + u" " + os->GetErrorReportPath());
}

TEST_F(CrashReportRun, ADumpThatFailsStillLeavesReportAndRestart) {
    test::LocalProgram os("crash_dump_fails", u"");
    os.MakeMainWindow();
    SetErrorCallback(DumpThatThrows);
    EXPECT_EQ(os->ReportException(0xC0000005, AccessViolation()), 1);
    EXPECT_EQ(gDumps, 1);
    EXPECT_EQ(gErrorCallback, DumpThatThrows);  // the callback is the program's again
    std::string log = os.LogText();
    size_t atError = log.find("Error in OpSys: Access Violation\r\n");
    ASSERT_NE(atError, std::string::npos);
    EXPECT_EQ(os.ReportText(), log.substr(0, log.find("Box: ")));
    EXPECT_FALSE(os->LastShellOpen().empty());
}

TEST_F(CrashReportRun, ACrashInsideTheDumpDoesNotDumpAgain) {
    test::LocalProgram os("crash_inside_dump", u"");
    os.MakeMainWindow();
    SetErrorCallback(DumpThatCrashes);
    RaiseError(&kEarlierErrors, 0 | ERR_REPORT);
    EXPECT_EQ(gDumps, 1);
    std::string log = os.LogText();
    EXPECT_EQ(log.rfind("Error in MusicObj: Bad measure\r\nException address: 0xbad\r\n"
                        "Error in OpSys: Access Violation\r\n", 0),
              0u)
        << log;
    EXPECT_FALSE(os->LastShellOpen().empty());
}

TEST_F(CrashReportRun, InstanceStartedOnTheReportStaysQuiet) {
    for (const char16_t *commandLine : {u"c:\\Users\\Public\\Pelmora\\ErrorReport.txt",
                                        u"\"C:\\My Data\\ErrorReport.txt\"", u"x ErrorReport.txt y"}) {
        test::LocalProgram os("crash_restarted", commandLine);
        os.MakeMainWindow();
        SetErrorCallback(DumpDocument);
        EXPECT_EQ(os->ReportException(0xC0000005, AccessViolation()), 1);
        EXPECT_EQ(os.LogText(), "");
        EXPECT_FALSE(os.HasReport());
        EXPECT_EQ(gErrorMsg->ErrorCount(), 0);
        EXPECT_EQ(gDumps, 0);
        EXPECT_TRUE(os->LastShellOpen().empty());
    }
}

TEST_F(CrashReportRun, OtherSpellingsOfTheReportNameDoNotCount) {
    // The guard is an exact substring test: a differently spelt name is an
    // ordinary file, and its crash is reported and restarts on the report.
    test::LocalProgram os("crash_other_spelling", u"c:\\data\\errorreport.txt");
    os.MakeMainWindow();
    os->ReportException(0xC0000005, AccessViolation());
    EXPECT_NE(os.LogText().find("Exception address: 0x4015f0"), std::string::npos);
    EXPECT_FALSE(os->LastShellOpen().empty());
}

TEST_F(CrashReportRun, WithoutMainWindowNothingStartsAgain) {
    test::LocalProgram os("crash_no_window", u"");
    SetErrorCallback(DumpDocument);
    os->ReportException(0xC00000FD, AccessViolation());
    std::string log = os.LogText();
    EXPECT_NE(log.find("Error in OpSys: Stack Overflow\r\n"), std::string::npos);
    EXPECT_EQ(gDumps, 1);
    EXPECT_EQ(log.find("Box: "), std::string::npos);  // no window, no offer
    EXPECT_EQ(os.ReportText(), log);
    EXPECT_TRUE(os->LastShellOpen().empty());
}

}  // namespace
