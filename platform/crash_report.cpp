// The crash report: an exception that escaped a message handler is logged,
// reported as an "OpSys" error and the program starts itself again on the
// error report, whose log ends with the text form of the document.
#include "platform/crash_report.h"

#include "foundation/error_msg.h"
#include "foundation/text_util.h"
#include "platform/fault_guard.h"
#include "platform/op_sys.h"

namespace {

// The system's exception codes in the order of the "OpSys" messages.
constexpr uint32_t kExceptionCodes[] = {
    0xC0000005,  // access violation
    0x80000003,  // breakpoint
    0x80000002,  // datatype misalignment
    0x80000004,  // single step
    0xC000008C,  // array bounds exceeded
    0xC000008D,  // float denormal operand
    0xC000008E,  // float divide by zero
    0xC000008F,  // float inexact result
    0xC0000090,  // float invalid operation
    0xC0000091,  // float overflow
    0xC0000092,  // float stack check
    0xC0000093,  // float underflow
    0xC0000094,  // integer divide by zero
    0xC0000095,  // integer overflow
    0xC0000096,  // privileged instruction
    0xC0000025,  // noncontinuable exception
    0xC000001D,  // illegal instruction
    0xC0000006,  // in-page error
    0xC0000026,  // invalid disposition
    0xC00000FD,  // stack overflow
};
constexpr uint32_t kUnknownException = 20;

// The document's dump after a crash runs on whatever state the fault left
// behind.  A second fault inside it is taken back, so that the log is still
// copied to the report and the program still starts again.
tErrorCallback gCrashDump = nullptr;
void GuardedCrashDump() {
    RunGuarded<int32_t>([] { gCrashDump(); return 0; }, [](const sFaultInfo &) { return 0; });
}

}  // namespace

uint32_t ExceptionMessageIndex(uint32_t code) {
    for (uint32_t i = 0; i < std::size(kExceptionCodes); ++i)
        if (kExceptionCodes[i] == code) return i;
    return kUnknownException;
}

std::u16string FormatExceptionLine(const sFaultInfo &info) {
    std::u16string line = u"Exception address: 0x" + FormatHex(info.address);
    uint32_t n = info.parameterCount < sFaultInfo::kMaxParameters ? info.parameterCount : sFaultInfo::kMaxParameters;
    for (uint32_t i = 0; i < n; ++i) {
        line += i == 0 ? u" Data = 0x" : u", 0x";
        line += FormatHex(info.parameters[i]);
    }
    return line;
}

int32_t cOpSysBase::ReportException(uint32_t code, const sFaultInfo &info) {
    uint32_t index = ExceptionMessageIndex(code);
    // This instance was started on an error report: a crash in it must not
    // start yet another one.
    if (commandLine.find(kErrorReportName) != std::u16string::npos) return 1;
    LogText(FormatExceptionLine(info).c_str());
    // The restarted program reads the document back from the report, so the
    // dump is written now even when an earlier error had its first report.
    if (auto *reporter = dynamic_cast<cErrorMsg *>(gErrorMsg)) reporter->RequestFreshDump();
    tErrorCallback dump = gErrorCallback;
    if (dump) {
        gCrashDump = dump;
        gErrorCallback = GuardedCrashDump;
    }
    RaiseOpSysError(index);
    if (dump) gErrorCallback = dump;
    std::u16string program = GetProgramPath();
    std::u16string report = GetErrorReportPath();
    ShellOpen(program.c_str(), report.c_str());
    return 1;
}
