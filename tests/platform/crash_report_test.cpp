// The exception names and the log line of the crash report.
#include "platform/crash_report.h"

#include <gtest/gtest.h>

#include "platform/fault_guard.h"
#include "platform/op_sys_base.h"

namespace {

TEST(CrashReport, ExceptionCodesSelectTheirMessages) {
    const struct {
        uint32_t code;
        const char16_t *message;
    } cases[] = {
        {0xC0000005, u"Access Violation"},      {0x80000003, u"Breakpoint"},
        {0x80000002, u"Datatype misalignment"}, {0x80000004, u"Single step"},
        {0xC000008C, u"Array bounds exceeded"}, {0xC000008D, u"Flt denormal operand"},
        {0xC000008E, u"Flt divide by zero"},    {0xC000008F, u"Flt inexact result"},
        {0xC0000090, u"Flt invalid operation"}, {0xC0000091, u"Flt overflow"},
        {0xC0000092, u"Flt stack check"},       {0xC0000093, u"Flt underflow"},
        {0xC0000094, u"Int divide by zero"},    {0xC0000095, u"Int overflow"},
        {0xC0000096, u"Priv instruction"},      {0xC0000025, u"Noncontinuable exception"},
        {0xC000001D, u"Illegal instruction"},   {0xC0000006, u"Page Error"},
        {0xC0000026, u"Invalid Disposition"},   {0xC00000FD, u"Stack Overflow"},
        // Codes the table does not list, a C++ exception among them.
        {0xE06D7363, u"Unknown exception"},     {sFaultInfo::kLanguageException, u"Unknown exception"},
        {0, u"Unknown exception"},
    };
    for (const auto &c : cases) {
        uint32_t index = ExceptionMessageIndex(c.code);
        ASSERT_LT(index, 21u) << std::hex << c.code;
        EXPECT_EQ(std::u16string(kOpSysErrors.messages[index]), c.message) << std::hex << c.code;
    }
}

TEST(CrashReport, ExceptionLineHoldsAddressAndParameters) {
    sFaultInfo info;
    info.address = 0x401a2b;
    EXPECT_EQ(FormatExceptionLine(info), u"Exception address: 0x401a2b");

    info.parameterCount = 2;
    info.parameters[0] = 1;
    info.parameters[1] = 0xdeadbeef;
    EXPECT_EQ(FormatExceptionLine(info), u"Exception address: 0x401a2b Data = 0x1, 0xdeadbeef");

    info.address = 0;
    info.parameterCount = 1;
    info.parameters[0] = 0;
    EXPECT_EQ(FormatExceptionLine(info), u"Exception address: 0x0 Data = 0x0");

    // A count beyond the record's room stops at the parameters it holds.
    info.parameterCount = 1000;
    std::u16string line = FormatExceptionLine(info);
    size_t commas = 0;
    for (char16_t c : line) commas += c == u',';
    EXPECT_EQ(commas, sFaultInfo::kMaxParameters - 1);
}

}  // namespace
