// System errors shown and logged by the error mode; the "OpSys" table.
#include <gtest/gtest.h>

#include <string>

#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "tests/support/log_capture.h"

namespace {

struct ErrorModeScope {
    explicit ErrorModeScope(uint32_t mode) : previous(gOpSys->SetErrorMode(mode)) {}
    ~ErrorModeScope() { gOpSys->SetErrorMode(previous); }
    uint32_t previous;
};

std::string SystemText(uint32_t code) { return test::Narrow(gOpSys->GetErrorText(code)); }

TEST(ShowError, WritesWhatTheErrorModeAsks) {
    const std::string text = SystemText(2);
    const std::string box = "Box: Opening code 2: " + text + "\r\n";
    const std::string line = "Error: Opening code 2 - " + text + "\r\n";
    struct Case {
        uint32_t mode;
        std::string log;
    } cases[] = {
        {0, ""},
        {1, box},
        {2, line},
        {3, box + line},
    };
    for (const Case &c : cases) {
        test::LogCapture log("show_error_modes");
        ErrorModeScope mode(c.mode);
        EXPECT_EQ(gOpSys->ShowError(2, u"Opening"), RC_OK);
        EXPECT_EQ(log.Text(), c.log) << "mode " << c.mode;
    }
}

TEST(ShowError, WithoutContextTheCaptionIsError) {
    test::LogCapture log("show_error_no_context");
    ErrorModeScope mode(3);
    gOpSys->ShowError(5, nullptr);
    const std::string text = SystemText(5);
    EXPECT_EQ(log.Text(), "Box: Error code 5: " + text + "\r\nError: code 5 - " + text + "\r\n");
}

TEST(ShowError, LastErrorOfAFailedDeleteIsLogged) {
    std::u16string missing = test::MakeTempFolder("show_last_error") + u"missing.pmr";
    test::LogCapture log("show_last_error_log");
    ErrorModeScope mode(2);
    EXPECT_EQ(gOpSys->DeleteFile(missing.c_str()), RC_FAIL);
    // Both systems answer "file not found" (2) for a missing file.
    EXPECT_EQ(log.Text(), "Error: code 2 - " + SystemText(2) + "\r\n");
}

TEST(ErrorText, PortableTextIsErrorAndTheNumber) {
    EXPECT_EQ(std::u16string(gOpSys->cOpSysBase::GetErrorText(5)), u"Error 5");
    EXPECT_EQ(std::u16string(gOpSys->cOpSysBase::GetErrorText(0xFFFFFFFFu)), u"Error 4294967295");
}

TEST(ErrorText, SystemTextEndsWithoutLineBreaks) {
    for (uint32_t code : {2u, 5u, 87u}) {
        std::u16string text = gOpSys->GetErrorText(code);
        ASSERT_FALSE(text.empty()) << code;
        EXPECT_NE(text, u"Error " + FormatUnsigned(code)) << code;
        EXPECT_GE(text.back(), u' ') << code;
    }
}

TEST(OpSysTable, ExceptionNamesAndTheSetupMessage) {
    ASSERT_EQ(kOpSysErrors.messageCount, 22u);
    EXPECT_EQ(std::u16string(kOpSysErrors.moduleName), u"OpSys");
    EXPECT_EQ(std::u16string(kOpSysErrors.messages[0]), u"Access Violation");
    EXPECT_EQ(std::u16string(kOpSysErrors.messages[12]), u"Int divide by zero");
    EXPECT_EQ(std::u16string(kOpSysErrors.messages[19]), u"Stack Overflow");
    EXPECT_EQ(std::u16string(kOpSysErrors.messages[20]), u"Unknown exception");
    EXPECT_EQ(std::u16string(kOpSysErrors.messages[21]), u"Can't find setup folder. Try reinstalling.");
}

}  // namespace
