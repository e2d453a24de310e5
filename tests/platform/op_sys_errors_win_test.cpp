// The system's message texts of the Windows build.
#include <gtest/gtest.h>

#include <string>

#include "foundation/win32_win.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"

namespace {

TEST(ErrorTextWin, MessagesWithInsertsAreTakenAsTheyStand) {
    // Error 107 reads "Insert disk for drive %1." on the systems the program
    // runs on here; with no arguments to fill in, the text must still come
    // back, not the fallback number.
    std::u16string text = gOpSys->GetErrorText(107);
    EXPECT_NE(text, u"Error 107");
    ASSERT_FALSE(text.empty());
    EXPECT_GE(text.back(), u' ');
}

TEST(ErrorTextWin, CodeWithoutMessageGivesThePortableText) {
    EXPECT_EQ(std::u16string(gOpSys->GetErrorText(0x20000001u)), u"Error 536870913");
}

}  // namespace
