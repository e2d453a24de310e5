#include "ui/status_slider.h"

#include <gtest/gtest.h>

#include "foundation/volume_control.h"
#include "ui/status_bar.h"

namespace {

TEST(StatusSliderLabels, ZoomIsTheSquareOfTheRatio) {
    struct Case {
        int32_t zoom, base;
        const char16_t *text;
    } cases[] = {
        {4, 4, u"Zoom 100%"}, {8, 4, u"Zoom 400%"}, {2, 4, u"Zoom 25%"}, {3, 4, u"Zoom 56%"},
        {12, 8, u"Zoom 225%"}, {0, 4, u"Zoom 0%"},  {5, 0, u"Zoom 2500%"},
    };
    for (const Case &c : cases) EXPECT_EQ(ZoomLabel(c.zoom, c.base), c.text) << c.zoom << "/" << c.base;
    EXPECT_EQ(VolumeLabel(0), u"Vol 0%");
    EXPECT_EQ(VolumeLabel(50), u"Vol 50%");
    EXPECT_EQ(VolumeLabel(100), u"Vol 100%");
}

class cVolumeRecorder : public cVolumeControl {
public:
    int32_t SetVolume(int32_t v) override {
        last = v;
        return 0;
    }
    int32_t last = -1;
};

struct StatusSliders : ::testing::Test {
    cStatusBar bar{nullptr, 0};
    void SetUp() override {
        const int32_t startParts[][3] = {{320, 0, 1}, {120, 0, 1}, {70, 100, 0}, {73, 100, 0}, {120, 0, 1}};
        for (const auto &p : startParts) bar.AppendPart(p[0], p[1], p[2]);
    }
};

TEST_F(StatusSliders, ValuesShowInTheirParts) {
    auto *volume = new cStatusVolume(&bar, 2, nullptr, nullptr);
    auto *zoom = new cStatusZoom(&bar, 3, nullptr, 8, 4, 24);
    EXPECT_EQ(volume->GetVolume(), 50);
    EXPECT_EQ(zoom->GetZoom(), 8);
    EXPECT_EQ(volume->GetFrameRect()->x, 509);
    EXPECT_EQ(zoom->GetFrameRect()->x, 682);
    // Without a player the volume slider only shows its value.
    volume->SetValueInt(70);
    EXPECT_EQ(std::u16string(bar.GetPartText(2)), u"Vol 70%");
    EXPECT_EQ(volume->ReleaseDraw(), RC_OK);
    zoom->SetValueInt(16);
    EXPECT_EQ(std::u16string(bar.GetPartText(3)), u"Zoom 400%");
    EXPECT_EQ(zoom->GetZoom(), 16);
}

TEST_F(StatusSliders, VolumeGoesToThePlayerOnRelease) {
    cVolumeRecorder player;
    auto *volume = new cStatusVolume(&bar, 2, &player, nullptr);
    volume->SetValueInt(30);
    EXPECT_EQ(player.last, -1) << "a set value only changes the text";
    volume->ReleaseDraw();
    EXPECT_EQ(player.last, 30);
    EXPECT_EQ(std::u16string(bar.GetPartText(2)), u"Vol 30%");
}

TEST_F(StatusSliders, SliderOnAMissingPartStillWorks) {
    auto *zoom = new cStatusZoom(&bar, 9, nullptr, 4, 2, 12);
    zoom->SetValueInt(6);
    EXPECT_EQ(zoom->GetZoom(), 6);
    EXPECT_EQ(bar.GetPartText(9), nullptr);
}

}  // namespace
