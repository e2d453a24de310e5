// A message handler faults: the program logs the exception, reports it,
// leaves the log in "ErrorReport.txt", asks the shell to start it again on
// that file and ends with 0.  The shell's requests are captured in a file,
// and the test starts the second instance itself, the way the shell would,
// so that both instances can be waited for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/gui/gui_driver_win.h"
#include "tests/test_support.h"

using namespace gui;

namespace {

uint32_t RunToEnd(const std::u16string &folder, const std::u16string &commandLine) {
    cProgram program;
    sStart how;
    how.dataFolder = folder;
    how.fault = u"1";  // about 100 ms after the start
    how.shellCapture = folder + u"shell.txt";
    how.boxAnswer = 1;  // OK: the report page is asked for, and captured
    how.commandLine = commandLine;
    EXPECT_TRUE(program.Start(how));
    uint32_t code = 0xDEAD;
    EXPECT_TRUE(program.WaitForExit(60000, code));
    return code;
}

}  // namespace

TEST(CrashReport, FaultInAHandlerIsReportedAndTheProgramRestartsOnTheReport) {
    std::u16string folder = FreshFolder("crash_report");
    std::u16string capture = folder + u"shell.txt";

    EXPECT_EQ(RunToEnd(folder, u""), 0u);

    std::string log = ReadFile(folder + TodaysLogName());
    std::u16string reportPath = folder + u"ErrorReport.txt";
    std::string report = ReadFile(reportPath);
    ASSERT_FALSE(report.empty());
    // The exception line: the faulting address, then the record's two
    // parameters (a write, to address 0x10).
    size_t atLine = log.find("Exception address: 0x");
    ASSERT_NE(atLine, std::string::npos) << log;
    std::string line = log.substr(atLine, log.find("\r\n", atLine) - atLine);
    EXPECT_NE(line.find(" Data = 0x1, 0x10"), std::string::npos) << line;
    EXPECT_LT(atLine, log.find("Error in OpSys: Access Violation\r\n"));
    // The report is the log as it stood when the error was reported; only
    // the offer's box and the end of the session come after it.
    EXPECT_EQ(log.substr(0, report.size()), report);
    EXPECT_NE(report.find("Error in OpSys: Access Violation\r\n"), std::string::npos);
    std::string after = log.substr(report.size());
    EXPECT_EQ(after.rfind("Box: Warning: Error in OpSys: Access Violation", 0), 0u) << after;
    EXPECT_EQ(CountOf(after, "Status: Ending session @ "), 1);

    // The shell was asked for the report page, then for the restart.
    std::vector<std::string> requests = test::SplitLines(ReadFile(capture));
    ASSERT_EQ(requests.size(), 2u) << ReadFile(capture);
    EXPECT_EQ(requests[0].rfind("http://www.pelmora.org/crashreport.php?msg=Error%20in%20OpSys%3a%20Access%20Violation", 0),
              0u)
        << requests[0];
    EXPECT_NE(requests[0].find("&file=&log="), std::string::npos) << requests[0];
    std::string restart = ToUtf8(ProgramPath()) + "|" + ToUtf8(reportPath);
    // The program names itself by its own spelling of the path; compare
    // without regard to case.
    ASSERT_EQ(requests[1].size(), restart.size()) << requests[1];
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, requests[1].c_str(), -1, restart.c_str(), -1),
              CSTR_EQUAL)
        << requests[1];

    // The restarted instance, started as the shell would start it, faults
    // too: it neither reports nor asks to start again, and ends with 0.
    std::string parameters = requests[1].substr(requests[1].find('|') + 1);
    EXPECT_EQ(RunToEnd(folder, FromUtf8(parameters)), 0u);
    std::string both = ReadFile(folder + TodaysLogName());
    EXPECT_EQ(CountOf(both, "** Starting new session: "), 2);
    std::string second = both.substr(log.size());
    EXPECT_NE(second.find("Command line "), std::string::npos) << second;
    EXPECT_NE(second.find("ErrorReport.txt"), std::string::npos) << second;
    EXPECT_EQ(CountOf(second, "Exception address"), 0);
    EXPECT_EQ(CountOf(second, "Error in OpSys"), 0);
    EXPECT_EQ(CountOf(second, "Status: Ending session @ "), 1);
    EXPECT_EQ(test::SplitLines(ReadFile(capture)).size(), 2u);
    EXPECT_EQ(ReadFile(reportPath), report);
}
