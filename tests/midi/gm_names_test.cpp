#include <gtest/gtest.h>

#include <string>

#include "foundation/error_msg.h"
#include "midi/gm_names.h"

namespace {

TEST(GmNames, ProgrammesAndErrors) {
    EXPECT_EQ(std::u16string(GetGmName(0)), u"Acoustic grand piano");
    EXPECT_EQ(std::u16string(GetGmName(40)), u"Violin");
    EXPECT_EQ(std::u16string(GetGmName(127)), u"Gunshot");
    int32_t before = gErrorMsg->ErrorCount();
    EXPECT_EQ(GetGmName(128), nullptr);
    EXPECT_EQ(gErrorMsg->ErrorCount(), before + 1);
}

TEST(GmNames, TableLayout) {
    EXPECT_EQ(std::u16string(kGmNames[0]), u"Piano");
    EXPECT_EQ(std::u16string(kGmNames[15]), u"Sound Effects");
    EXPECT_EQ(std::u16string(kGmNames[16]), u"");
    EXPECT_EQ(std::u16string(kGmNames[145]), u"");
    EXPECT_EQ(std::u16string(kGmNames[kGmNoName]), u"  --  ");
    EXPECT_EQ(std::u16string(kGmNames[kGmPercussionFirst + 35 - kGmPercussionLowKey]), u"AcousticBassDrum");
    EXPECT_EQ(std::u16string(kGmNames[kGmPercussionFirst + 81 - kGmPercussionLowKey]), u"OpenTriangle");
    EXPECT_EQ(kGmPercussionFirst + kGmPercussionHighKey - kGmPercussionLowKey, kGmNameCount - 1);
    for (uint32_t i = 0; i < kGmNameCount; ++i) ASSERT_NE(kGmNames[i], nullptr) << i;
}

}  // namespace
