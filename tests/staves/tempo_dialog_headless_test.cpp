// The "Set Tempo" dialog without a window system: a script plays the user
// while the metronome beats on the fake driver.  Its timers fire on the
// driver's thread after a thousandth of their delay, so the script checks
// the beat lengths asked for, never the time they took.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "document/music_base.h"
#include "midi/midi_track.h"
#include "staves/score_object.h"
#include "staves/tempo_dialog.h"
#include "tests/midi/fake_midi_driver.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/dialog_script.h"
#include "ui/dialog_box.h"
#include "ui/scroll_controls.h"

namespace {

using namespace std::chrono_literals;

constexpr uint32_t kOk = 1, kCancel = 2;

class TempoDialogScripted : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        Build();
        driver.threadedTimers = true;
        previous = gSoundOutput;
        gSoundOutput = &track;
    }
    void TearDown() override {
        gSoundOutput = previous;
        StaffTest::TearDown();
    }

    // Waits (generously) until the driver fired at least n timers.
    bool WaitForFirings(uint32_t n) {
        for (int i = 0; i < 20000; ++i) {
            if (driver.TimerFirings() >= n) return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }
    // The delay of the newest timer the metronome asked for.
    uint32_t LastBeat() {
        auto timers = driver.TimersSet();
        return timers.empty() ? 0 : timers.back().delay;
    }

    test::cFakeDriverScope fake;
    test::cFakeMidiDriver &driver = fake.driver;
    cMidiTrack track{480, 1024};
    cMusicTrack *previous = nullptr;
};

// What the dialog showed and what the user did in it.
struct sUser {
    int32_t slideTo = 0;  // 0: leave the slider
    bool clickRepeats = false;
    uint32_t end = kOk;
    // Seen.
    uint32_t templateId = 0, helpTopic = 0;
    int32_t slider = -1, box = -1;
    std::u16string text;
    uint32_t beatBefore = 0, beatAfter = 0;
    bool ranWhileOpen = false;
};

TEST_F(TempoDialogScripted, OkStoresTheSliderAndTheBoxCancelKeepsBoth) {
    struct sCase {
        uint16_t tempo;
        uint8_t repeats;
        int32_t slideTo;
        bool clickRepeats;
        uint32_t end;
        uint16_t tempoAfter;
        uint8_t repeatsAfter;
    };
    const sCase cases[] = {
        {120, 1, 60, true, kOk, 60, 0},        // the done-when run
        {120, 1, 60, true, kCancel, 120, 1},   // Cancel after moving keeps both
        {120, 0, 0, true, kOk, 120, 1},        // only the box
        {90, 1, 220, false, kOk, 220, 1},      // the top of the range
        {90, 1, 40, false, kCancel, 90, 1},
    };
    for (const sCase &c : cases) {
        sUser user;
        user.slideTo = c.slideTo;
        user.clickRepeats = c.clickRepeats;
        user.end = c.end;
        test::ScriptScope scope([&](cDialogBox &d) {
            user.templateId = d.GetTemplateId();
            user.helpTopic = d.GetHelpTopic();
            user.slider = d.GetControlInt(102);
            user.box = d.GetControlInt(103);
            const char16_t *text = d.GetControlText(101);
            user.text = text ? text : u"";
            // The metronome beats at the stored tempo before anything moves.
            ASSERT_TRUE(WaitForFirings(driver.TimerFirings() + 1));
            user.beatBefore = LastBeat();
            if (c.slideTo) {
                cGuiControl *slider = d.FindControl(102);
                sWinMessage record(kMsgHScroll, tWParam(uint32_t(c.slideTo - 40) << 16 | 4),
                                   reinterpret_cast<tLParam>(slider->GetWindowHandle()));
                slider->OnMessage(kMsgHScroll, record);
                // The beat after next is armed at the new tempo.
                ASSERT_TRUE(WaitForFirings(driver.TimerFirings() + 2));
                user.beatAfter = LastBeat();
            }
            if (c.clickRepeats) d.Command(103);
            // Still beating just before the dialog ends (a firing, not the
            // pending count: between a beat and its re-arm none is pending).
            user.ranWhileOpen = WaitForFirings(driver.TimerFirings() + 1);
            d.Command(c.end);
        });
        ScoreObject score;
        score.SetTempo(c.tempo);
        score.SetPlayRepeats(c.repeats);
        const std::string label = std::to_string(c.tempo) + " -> " + std::to_string(c.slideTo) + " end " + std::to_string(c.end);
        EXPECT_EQ(score.TempoDialog(0), c.tempo) << label;
        EXPECT_EQ(score.GetTempo(), c.tempoAfter) << label;
        EXPECT_EQ(score.GetPlayRepeats(), c.repeatsAfter) << label;
        EXPECT_EQ(user.templateId, 1006u);
        EXPECT_EQ(user.helpTopic, 1050u);
        EXPECT_EQ(user.slider, c.tempo) << label;
        const std::string digits = std::to_string(c.tempo);
        EXPECT_EQ(user.text, std::u16string(digits.begin(), digits.end())) << label;
        EXPECT_EQ(user.box, c.repeats) << label;
        EXPECT_EQ(user.beatBefore, 60000u / c.tempo) << label;
        if (c.slideTo) EXPECT_EQ(user.beatAfter, 60000u / uint32_t(c.slideTo)) << label;
        // The metronome beat only while the dialog was open.
        EXPECT_TRUE(user.ranWhileOpen) << label;
        EXPECT_EQ(driver.PendingTimers(), 0u) << label;
    }
}

TEST_F(TempoDialogScripted, AGivenTempoStartsNoMetronome) {
    bool opened = false;
    test::ScriptScope scope([&](cDialogBox &d) {
        opened = true;
        d.Command(kCancel);
    });
    ScoreObject score;
    EXPECT_EQ(score.TempoDialog(150), 120);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(driver.TimersSet().empty()) << "a tempo given opens no dialog and starts no metronome";
}

TEST_F(TempoDialogScripted, AStoredTempoOffTheRangeIsKeptUnlessOkStoresTheSlider) {
    for (uint32_t end : {kCancel, kOk}) {
        int32_t shown = -1;
        test::ScriptScope scope([&](cDialogBox &d) {
            shown = d.GetControlInt(102);
            d.Command(end);
        });
        ScoreObject score;
        score.SetTempo(300);
        EXPECT_EQ(score.TempoDialog(0), 300);
        if (end == kCancel) EXPECT_EQ(score.GetTempo(), 300);
        if (end == kOk) EXPECT_EQ(score.GetTempo(), uint16_t(shown)) << "OK stores what the slider holds";
    }
}

}  // namespace
