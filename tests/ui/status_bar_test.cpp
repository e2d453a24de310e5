#include "ui/status_bar.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int32_t> EdgesOf(cStatusBarBase &bar, std::vector<int32_t> *indexes) {
    std::vector<const cStatusBarPart *> parts;
    for (int32_t i = 0; i < bar.GetPartCount(); ++i) parts.push_back(bar.GetPart(i));
    return StatusFieldEdges(parts, indexes);
}

TEST(StatusBarParts, FrameLayoutGivesFillersForTheGaps) {
    cStatusBar bar(nullptr, 0);
    const int32_t startParts[][3] = {{320, 0, 1}, {120, 0, 1}, {70, 100, 0}, {73, 100, 0}, {120, 0, 1}};
    for (const auto &p : startParts) bar.AppendPart(p[0], p[1], p[2]);
    std::vector<int32_t> lefts;
    for (int32_t i = 0; i < bar.GetPartCount(); ++i) lefts.push_back(bar.GetPart(i)->GetLeft());
    EXPECT_EQ(lefts, (std::vector<int32_t>{0, 320, 440, 610, 783}));
    std::vector<int32_t> indexes;
    EXPECT_EQ(EdgesOf(bar, &indexes), (std::vector<int32_t>{319, 439, 509, 609, 682, 782, 902, -1}));
    EXPECT_EQ(indexes, (std::vector<int32_t>{0, 1, 2, 4, 6}));
    EXPECT_EQ(bar.GetPart(2)->GetRight(), 509);
    EXPECT_EQ(bar.GetPart(2)->GetEnd(), 609);
}

TEST(StatusBarParts, AppendAfterGapAndReplaceSameLeft) {
    cStatusBar bar(nullptr, 0);
    EXPECT_EQ(bar.AppendPart(50, 10, 1), 0);
    EXPECT_EQ(bar.GetPart(0)->GetLeft(), 0);
    EXPECT_EQ(bar.AppendPart(100, 20, 1), 1);
    EXPECT_EQ(bar.GetPart(1)->GetLeft(), 60);
    std::vector<int32_t> indexes;
    EXPECT_EQ(EdgesOf(bar, &indexes), (std::vector<int32_t>{49, 59, 159, -1}));
    EXPECT_EQ(indexes, (std::vector<int32_t>{0, 2}));

    // A part with an existing left edge replaces it; sorted by left edge.
    EXPECT_EQ(bar.AddPart(60, 30, 0, 0), 1);
    EXPECT_EQ(bar.GetPartCount(), 2);
    EXPECT_EQ(bar.GetPart(1)->GetRight(), 89);
    EXPECT_EQ(bar.AddPart(55, 5, 0, 1), 1);
    EXPECT_EQ(bar.GetPart(2)->GetLeft(), 60);
    EXPECT_EQ(bar.InsertPart(nullptr), -1);
    // Parts that touch need no filler; the last field reaches the end.
    EXPECT_EQ(EdgesOf(bar, &indexes), (std::vector<int32_t>{49, 54, 59, 89, -1}));
    EXPECT_EQ(indexes, (std::vector<int32_t>{0, 2, 3}));
    EXPECT_EQ(StatusFieldEdges({}, &indexes), (std::vector<int32_t>{-1}));
}

TEST(StatusBarParts, TextsAndIndexesOutOfRange) {
    cStatusBar bar(nullptr, 1);
    bar.AppendPart(100, 0, 1);
    // Help part 1 does not exist yet.
    EXPECT_EQ(bar.SetHelpText(u"early"), RC_FAIL);
    EXPECT_EQ(bar.GetHelpText(), nullptr);
    bar.AppendPart(100, 0, 1);
    EXPECT_EQ(bar.SetHelpText(u"Opens a score"), RC_OK);
    EXPECT_EQ(std::u16string(bar.GetHelpText()), u"Opens a score");
    EXPECT_EQ(bar.SetPartText(0, u"left"), RC_OK);
    EXPECT_EQ(bar.SetPartText(0, nullptr), RC_OK);
    EXPECT_EQ(std::u16string(bar.GetPartText(0)), u"");
    EXPECT_EQ(bar.SetPartText(2, u"x"), RC_FAIL);
    EXPECT_EQ(bar.SetPartText(-1, u"x"), RC_FAIL);
    EXPECT_EQ(bar.GetPartText(2), nullptr);
    EXPECT_EQ(bar.GetPart(-1), nullptr);
    EXPECT_EQ(bar.SetPartString(1, u"string"), RC_OK);
    EXPECT_EQ(std::u16string(bar.GetHelpText()), u"string");
}

}  // namespace
