// The metronome on the fake driver.  Its timers fire on the driver's timer
// thread after a thousandth of their delay, so the tests check the delays
// asked for and the counts of beats, never the time they took.
#include <gtest/gtest.h>

#include <thread>

#include "midi/metronome.h"
#include "midi/midi_track.h"
#include "tests/midi/fake_midi_driver.h"

namespace {

using namespace std::chrono_literals;

class Metronome : public testing::Test {
protected:
    Metronome() { driver.threadedTimers = true; }

    // Waits (generously) until the driver fired at least n timers.
    bool WaitForFirings(uint32_t n) {
        for (int i = 0; i < 20000; ++i) {
            if (driver.TimerFirings() >= n) return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }

    // After Stop: no timer pending and none fires later.
    void ExpectStopped(const cMetronome &m) {
        EXPECT_EQ(m.GetTimerId(), 0u);
        EXPECT_FALSE(m.IsRunning());
        EXPECT_EQ(driver.PendingTimers(), 0u);
        uint32_t firings = driver.TimerFirings();
        size_t set = driver.TimersSet().size();
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(driver.TimerFirings(), firings);
        EXPECT_EQ(driver.TimersSet().size(), set);
    }

    test::cFakeDriverScope fake;
    test::cFakeMidiDriver &driver = fake.driver;
    cMidiTrack track{480, 1024};
    uint16_t bpm = 120;
};

TEST_F(Metronome, BeatsAtTheTempoUntilStopped) {
    cMetronome m(&bpm, &track);
    EXPECT_EQ(m.Start(), 0);
    EXPECT_TRUE(m.IsRunning());
    ASSERT_TRUE(WaitForFirings(5));
    EXPECT_EQ(m.Stop(), 1);
    ExpectStopped(m);
    auto timers = driver.TimersSet();
    ASSERT_GE(timers.size(), 5u);
    for (auto &t : timers) {
        EXPECT_EQ(t.delay, 500u);  // 60000 / 120
        EXPECT_EQ(t.resolution, 2u);
    }
    // Every beat but the one that found the flag clear sounded the click.
    auto calls = driver.Calls();
    EXPECT_GE(std::count(calls.begin(), calls.end(), "restart"), 5);
    EXPECT_EQ(driver.MaxPendingOfAClient(), 1u);
    EXPECT_EQ(driver.CallsFromDriverThread(), 0u);
}

TEST_F(Metronome, TheTrackHoldsOneClick) {
    uint32_t ticks = gTicksPerQuarter;
    cMetronome m(&bpm, &track);
    m.Start();
    m.Stop();
    // The resolution of the rest of the program is as it was.
    EXPECT_EQ(gTicksPerQuarter, ticks);
    auto records = test::DecodeRecords(track.Bytes(), track.Count());
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].word, 0x0107A120u);  // tempo 120
    EXPECT_EQ(records[1].word, 0x000000C0u);  // programme 0 on channel 0
    EXPECT_EQ(records[2].word, 0x00403C99u);  // key 60 on the percussion channel
    EXPECT_EQ(records[3].word, 0x00403C89u);
    EXPECT_EQ(records[3].time, 12u);  // 16 ticks less the gap of 4
    EXPECT_EQ(track.GetNotifyWindow(), nullptr);
}

TEST_F(Metronome, FollowsTheTempoValueAsItChanges) {
    cMetronome m(&bpm, &track);
    m.Start();
    ASSERT_TRUE(WaitForFirings(2));
    bpm = 240;
    uint32_t firings = driver.TimerFirings();
    ASSERT_TRUE(WaitForFirings(firings + 3));
    m.Stop();
    auto timers = driver.TimersSet();
    EXPECT_EQ(timers.front().delay, 500u);
    EXPECT_EQ(timers.back().delay, 250u);
}

TEST_F(Metronome, AtTempoZeroItWaitsSilently) {
    bpm = 0;
    cMetronome m(&bpm, &track);
    driver.ClearCalls();
    m.Start();
    ASSERT_TRUE(WaitForFirings(3));
    m.Stop();
    for (auto &t : driver.TimersSet()) EXPECT_EQ(t.delay, 200u);
    auto calls = driver.Calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "restart"), 0);
    ExpectStopped(m);
}

TEST_F(Metronome, StartTwiceKeepsOneChain) {
    cMetronome m(&bpm, &track);
    EXPECT_EQ(m.Start(), 0);
    EXPECT_EQ(m.Start(), 1);
    ASSERT_TRUE(WaitForFirings(4));
    EXPECT_EQ(m.Start(), 1);
    ASSERT_TRUE(WaitForFirings(8));
    EXPECT_EQ(m.Stop(), 1);
    ExpectStopped(m);
    EXPECT_EQ(driver.MaxPendingOfAClient(), 1u);
}

TEST_F(Metronome, StopRightAfterStartAndAgain) {
    cMetronome m(&bpm, &track);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(m.Start(), 0);
        EXPECT_EQ(m.Stop(), 1);
        EXPECT_EQ(m.GetTimerId(), 0u);
        EXPECT_EQ(driver.PendingTimers(), 0u);
    }
    EXPECT_EQ(m.Stop(), 0);
    ExpectStopped(m);
    EXPECT_EQ(driver.MaxPendingOfAClient(), 1u);
}

TEST_F(Metronome, StopWithoutATimerReturnsAtOnce) {
    cMetronome never(&bpm, &track);
    EXPECT_EQ(never.Stop(), 0);
    cMetronome noTrack(&bpm, nullptr);
    EXPECT_EQ(noTrack.Start(), 0);
    EXPECT_TRUE(driver.TimersSet().empty());
    EXPECT_EQ(noTrack.Stop(), 1);
    // Without a tempo value it beats silently at the slow pace.
    cMetronome noTempo(nullptr, &track);
    noTempo.Start();
    noTempo.Stop();
    ASSERT_FALSE(driver.TimersSet().empty());
    EXPECT_EQ(driver.TimersSet().front().delay, 200u);
}

TEST_F(Metronome, DeletingATickingMetronomeStopsIt) {
    {
        cMetronome m(&bpm, &track);
        m.Start();
        ASSERT_TRUE(WaitForFirings(3));
    }
    EXPECT_EQ(driver.PendingTimers(), 0u);
    uint32_t firings = driver.TimerFirings();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(driver.TimerFirings(), firings);
}

TEST_F(Metronome, ALostTimerDoesNotHangStop) {
    // Timers that never fire on their own: Stop gives up waiting after a
    // beat and kills the pending one.
    driver.threadedTimers = false;
    bpm = 6000;  // a beat of 10 ms
    cMetronome m(&bpm, &track);
    m.Start();
    uint32_t id = m.GetTimerId();
    ASSERT_NE(id, 0u);
    m.Stop();
    EXPECT_EQ(m.GetTimerId(), 0u);
    EXPECT_EQ(driver.TimersKilled(), std::vector<uint32_t>{id});
    EXPECT_EQ(driver.PendingTimers(), 0u);
}

}  // namespace
