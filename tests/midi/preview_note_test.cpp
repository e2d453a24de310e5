// The preview note: sounded at once, ended by its one-shot timer.  The
// fake driver's timers fire only when the test says so.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "midi/metronome.h"
#include "midi/midi_track.h"
#include "tests/midi/fake_midi_driver.h"

namespace {

constexpr uint32_t kNoteOn = 0x00403C90;   // middle C, velocity 64, channel 0
constexpr uint32_t kNoteOff = 0x00403C80;

class PreviewNote : public testing::Test {
protected:
    void SetUp() override { savedTicks = gTicksPerQuarter; }
    void TearDown() override { gTicksPerQuarter = savedTicks; }

    test::cFakeDriverScope fake;
    test::cFakeMidiDriver &driver = fake.driver;
    cMidiTrack track{480, 1024};
    uint32_t savedTicks = 0;
};

TEST_F(PreviewNote, SoundsAtOnceAndEndsWhenItsTimerFires) {
    gTicksPerQuarter = 480;
    track.PlayNote(0, 480);
    EXPECT_EQ(driver.ShortMessages(), std::vector<uint32_t>{kNoteOn});  // no patch: no programme change
    EXPECT_EQ(track.GetStoredNoteOff(), kNoteOff);
    auto timers = driver.TimersSet();
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0].delay, 600u);  // a quarter lasts 600 ms
    EXPECT_EQ(timers[0].resolution, 2u);
    EXPECT_EQ(track.GetPreviewTimer(), timers[0].id);

    ASSERT_TRUE(driver.FireTimer(timers[0].id));
    EXPECT_EQ(driver.ShortMessages(), (std::vector<uint32_t>{kNoteOn, kNoteOff}));
    EXPECT_EQ(track.GetStoredNoteOff(), 0u);
    EXPECT_EQ(track.GetPreviewTimer(), 0u);
    // Ending it again sends nothing.
    track.EndPreviewNote();
    EXPECT_EQ(driver.ShortMessages().size(), 2u);
}

TEST_F(PreviewNote, LengthFollowsTheTickResolution) {
    struct Case {
        uint32_t ticksPerQuarter, duration, ms;
    } cases[] = {{480, 480, 600}, {480, 120, 150}, {480, 60, 75}, {128, 128, 600}, {96, 1, 6}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ticksPerQuarter << " " << c.duration);
        gTicksPerQuarter = c.ticksPerQuarter;
        track.PlayNote(5, c.duration);
        EXPECT_EQ(driver.TimersSet().back().delay, c.ms);
    }
}

TEST_F(PreviewNote, ASecondNoteEndsTheFirstAtOnce) {
    gTicksPerQuarter = 480;
    track.SetPatch(40);
    track.SetChannel(2);
    track.PlayNote(0, 480);
    uint32_t first = track.GetPreviewTimer();
    track.PlayNote(5, 480);  // D
    // Programme change, the first note, its off at once, then the second.
    EXPECT_EQ(driver.ShortMessages(),
              (std::vector<uint32_t>{0x28C2, 0x00403C92, 0x00403C82, 0x28C2, 0x00403E92}));
    EXPECT_EQ(driver.TimersKilled(), std::vector<uint32_t>{first});
    EXPECT_FALSE(driver.FireTimer(first));
    EXPECT_EQ(driver.PendingTimers(), 1u);
    EXPECT_EQ(track.GetStoredNoteOff(), 0x00403E82u);
}

TEST_F(PreviewNote, AnEarlierTimerLeavesTheNewNoteAlone) {
    gTicksPerQuarter = 480;
    track.PlayNote(0, 480);
    uint32_t first = track.GetPreviewTimer();
    track.PlayNote(5, 480);
    uint32_t second = track.GetPreviewTimer();
    size_t sent = driver.ShortMessages().size();
    // The first timer's callback was already on its way when it was killed.
    driver.FireStale(first);
    EXPECT_EQ(driver.ShortMessages().size(), sent);
    EXPECT_EQ(track.GetStoredNoteOff(), 0x00403E80u);
    EXPECT_TRUE(driver.FireTimer(second));
    EXPECT_EQ(driver.ShortMessages().back(), 0x00403E80u);
}

TEST_F(PreviewNote, KeyTransposeAndRange) {
    gTicksPerQuarter = 480;
    struct Case {
        int32_t pitch;
        int32_t transpose;
        uint32_t key;
    } cases[] = {{0, 0, 60}, {35, 0, 72}, {0, -2, 58}, {-350, 0, 0}, {350, 12, 127}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pitch);
        track.SetTranspose(c.transpose);
        track.PlayNote(c.pitch, 120);
        EXPECT_EQ(driver.ShortMessages().back(), 0x00400090u | c.key << 8);
    }
}

TEST_F(PreviewNote, NoPitchOnlyEndsThePreviousNote) {
    track.PlayNote(0, 480);
    track.PlayNote(kNoPitch, 480);
    EXPECT_EQ(driver.ShortMessages(), (std::vector<uint32_t>{kNoteOn, kNoteOff}));
    EXPECT_EQ(driver.PendingTimers(), 0u);
    EXPECT_EQ(driver.TimersSet().size(), 1u);
}

TEST_F(PreviewNote, WithoutATimerNothingIsSent) {
    track.SetPatch(40);
    driver.timersFail = true;
    track.PlayNote(0, 480);
    // Nothing would end the note: neither programme change nor note-on.
    EXPECT_TRUE(driver.ShortMessages().empty());
    EXPECT_EQ(track.GetStoredNoteOff(), 0u);
    EXPECT_EQ(track.GetPreviewTimer(), 0u);
    // A sounding note is still ended by the next one, whose timer fails.
    driver.timersFail = false;
    track.PlayNote(0, 480);
    driver.timersFail = true;
    track.PlayNote(5, 480);
    EXPECT_EQ(driver.ShortMessages(), (std::vector<uint32_t>{0x28C0, kNoteOn, kNoteOff}));
    EXPECT_EQ(driver.PendingTimers(), 0u);
}

TEST_F(PreviewNote, ATimerThatFiresAtOnceNeverOvertakesTheNoteOn) {
    gTicksPerQuarter = 480;
    driver.threadedTimers = true;
    const int rounds = 300;
    for (int i = 0; i < rounds; ++i) {
        track.PlayNote(0, 0);  // due at once: it may fire before the note-on is out
        for (int wait = 0; wait < 2000 && driver.TimerFirings() < uint32_t(i + 1); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(driver.TimerFirings(), uint32_t(i + 1));
    }
    for (int wait = 0; wait < 2000 && track.GetStoredNoteOff() != 0; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // Every note-on is followed by its own note-off, and nothing is left on.
    std::vector<uint32_t> sent = driver.ShortMessages();
    ASSERT_EQ(sent.size(), size_t(2 * rounds));
    for (size_t k = 0; k < sent.size(); ++k) ASSERT_EQ(sent[k], k % 2 ? kNoteOff : kNoteOn) << k;
    EXPECT_EQ(track.GetPreviewTimer(), 0u);
}

TEST_F(PreviewNote, ResetAndDestructionEndTheNote) {
    track.PlayNote(0, 480);
    track.Reset();
    EXPECT_EQ(driver.ShortMessages().back(), kNoteOff);
    EXPECT_EQ(driver.PendingTimers(), 0u);
    {
        cMidiTrack other(480, 1024);
        other.PlayNote(5, 480);
    }
    EXPECT_EQ(driver.ShortMessages().back(), 0x00403E80u);
    EXPECT_EQ(driver.PendingTimers(), 0u);
}

TEST_F(PreviewNote, AMetronomeLeavesThePreviewLengthAlone) {
    gTicksPerQuarter = 480;
    uint16_t bpm = 60;
    {
        cMetronome metronome(&bpm, &track);
        driver.threadedTimers = true;
        metronome.Start();
        metronome.Stop();
    }
    EXPECT_EQ(gTicksPerQuarter, 480u);
    track.PlayNote(0, 480);
    EXPECT_EQ(driver.TimersSet().back().delay, 600u);
}

}  // namespace
