// The pieces of the crash report that need no system: which "OpSys" message
// names an exception, and the log line that records where it happened.
#pragma once

#include <cstdint>
#include <string>

struct sFaultInfo;

// The text that marks an instance started on an error report: such an
// instance never reports a crash nor starts itself again.
constexpr const char16_t *kErrorReportName = u"ErrorReport.txt";

// The "OpSys" message index of an exception code; 20, "Unknown exception",
// for a code the table does not list.
uint32_t ExceptionMessageIndex(uint32_t code);

// "Exception address: 0x" and the address, then " Data = 0x" and the first
// parameter and ", 0x" and each further one, in lower-case hexadecimal.
std::u16string FormatExceptionLine(const sFaultInfo &info);
