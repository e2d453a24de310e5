// The crash report on Windows: a processor fault inside the document dump
// is taken back, and the restart goes to the shell.
#include <gtest/gtest.h>

#include <string>

#include "foundation/win32_win.h"
#include "foundation/text_util.h"
#include "platform/fault_guard.h"
#include "tests/ui/local_program.h"

namespace {

volatile uintptr_t gBadAddress = 0x20;
int gDumps = 0;
void DumpThatFaults() {
    ++gDumps;
    *reinterpret_cast<volatile int *>(gBadAddress) = 1;
}

TEST(CrashReportWin, AFaultInsideTheDumpStillLeavesReportAndRestart) {
    test::LocalProgram os("crash_dump_faults", u"");
    os.MakeMainWindow();
    SetErrorCallback(DumpThatFaults);
    gDumps = 0;
    sFaultInfo info;
    info.code = 0xC0000094;
    info.address = 0x401000;
    EXPECT_EQ(os->ReportException(info.code, info), 1);
    EXPECT_EQ(gDumps, 1);
    std::string log = os.LogText();
    EXPECT_EQ(log.rfind("Exception address: 0x401000\r\nError in OpSys: Int divide by zero\r\n", 0), 0u) << log;
    EXPECT_EQ(os.ReportText(), log.substr(0, log.find("Box: ")));
    std::string restart = ToUtf8(std::u16string(os->GetProgramPath()) + u"|" + os->GetErrorReportPath()) + "\n";
    EXPECT_EQ(os.ShellRequests(), restart);
}

}  // namespace
