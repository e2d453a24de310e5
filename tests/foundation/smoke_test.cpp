#include <gtest/gtest.h>
#include "foundation/char_string.h"
TEST(Smoke, Builds) { EXPECT_EQ(std::u16string(TempConcat(u"ab", u"cd")), u"abcd"); }
