// The start-up self-check of the basic type widths.
#include <gtest/gtest.h>

#include "app/base_type_check.h"
#include "tests/support/log_capture.h"

TEST(BaseTypeCheck, TheBuildHasTheExpectedWidths) { EXPECT_EQ(CheckBaseTypeSizes(), 0); }

TEST(BaseTypeCheck, EachMismatchIsReportedUnderBaseDefsByItsRow) {
    const struct {
        uint32_t sBaseTypeSizes::*field;
        uint32_t wrong;
        const char *line;
    } cases[] = {
        {&sBaseTypeSizes::intSize, 8, "Error in BaseDefs: Int size"},
        {&sBaseTypeSizes::floatSize, 8, "Error in BaseDefs: Float size"},
        {&sBaseTypeSizes::charSize, 4, "Error in BaseDefs: Char size"},
        {&sBaseTypeSizes::i8Size, 2, "Error in BaseDefs: i8 size"},
        {&sBaseTypeSizes::i16Size, 4, "Error in BaseDefs: i16 size"},
        {&sBaseTypeSizes::i32Size, 8, "Error in BaseDefs: i32 size"},
        {&sBaseTypeSizes::f32Size, 8, "Error in BaseDefs: f32 size"},
    };
    for (const auto &c : cases) {
        test::LogCapture log("base_defs");
        sBaseTypeSizes sizes;
        sizes.*c.field = c.wrong;
        EXPECT_EQ(CheckBaseTypeSizes(sizes), 1);
        EXPECT_NE(log.Text().find(c.line), std::string::npos) << c.line;
    }
    EXPECT_EQ(kBaseDefsErrors.messageCount, 7u);
}
