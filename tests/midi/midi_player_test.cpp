// Playing the player's chunks on a stream: the device choice, preparing and
// queueing, the notices of position marks and of the end, stopping and
// resetting during playback.  The fake driver plays on a thread of its
// own, so these tests assert orders and counts, with generous waits.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "midi/midi_track.h"
#include "tests/foundation/raised_errors.h"
#include "tests/midi/fake_midi_driver.h"
#include "tests/test_support.h"

namespace {

using Notices = std::vector<test::cFakeMidiDriver::sNotice>;

const tWindowHandle kWindow = reinterpret_cast<tWindowHandle>(uintptr_t(0x5150));


size_t CountOf(const Notices &n, uintptr_t what) {
    return size_t(std::count_if(n.begin(), n.end(), [&](auto &x) { return x.wParam == what; }));
}

bool HasDone(const Notices &n) { return CountOf(n, kMomDone) > 0; }

// Notes in time order with a position mark (tag = onset index) before each,
// and a break point after each, as the export walk writes them.
void FillScore(cMidiTrack &t, uint32_t onsets, uint32_t step = 120) {
    t.Reset();
    t.PutTempo(120);
    t.PutProgramChange(0, 0);
    for (uint32_t i = 0; i < onsets; ++i) {
        uint32_t time = step * i;
        t.PutPositionMark(i, time);
        t.PutNote(int32_t(i % 20), time, step);
        t.PutNote(-15, time, step * 2);
        t.BreakChunk();
    }
    t.PutEndOfTrack();
}

class Player : public testing::Test {
protected:
    test::cFakeDriverScope fake;
    test::cFakeMidiDriver &driver = fake.driver;
    // The window that the player reports to.
    const tWindowHandle window = kWindow;
};

TEST_F(Player, ChoosesTheMapperElseTheFirstDeviceThatSounds) {
    sMidiOutCaps port;  // a MIDI port: no voices of its own
    port.technology = 1;
    sMidiOutCaps synth;
    synth.technology = 7;
    synth.voices = 16;
    synth.notes = 32;
    struct Case {
        const char *what;
        bool mapper;
        std::vector<sMidiOutCaps> devices;
        uint32_t id;
        bool stream;
    } cases[] = {
        {"mapper", true, {port, synth}, kMidiMapper, true},
        {"no mapper: the synthesiser", false, {port, synth}, 1, true},
        {"no mapper, no synthesiser", false, {port}, 1, false},
        {"nothing at all", false, {}, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        driver.hasMapper = c.mapper;
        driver.devices = c.devices;
        cMidiTrack track(480, 1024);
        EXPECT_EQ(track.GetDeviceId(), c.id);
        EXPECT_EQ(track.HasStream(), c.stream);
        EXPECT_EQ(driver.OpenStreams(), c.stream ? 1u : 0u);
        // The stream counts ticks as the constructor was told.
        if (c.stream) {
            EXPECT_EQ(driver.TimeDivision(), 480u);
        }
    }
    EXPECT_EQ(driver.OpenStreams(), 0u);
}

TEST_F(Player, PlaysEveryChunkInOrderAndReportsMarksAndTheEnd) {
    cMidiTrack track(480, 1024);
    const uint32_t onsets = 5000;
    FillScore(track, onsets, 24);
    ASSERT_GE(track.GetLastChunk(), 2u);
    const uint32_t chunks = track.GetLastChunk() + 1;
    track.SetNotifyWindow(window);
    driver.ClearCalls();
    track.Play();
    EXPECT_EQ(track.GetPlayState(), 2);
    ASSERT_TRUE(driver.WaitForNotices(HasDone));

    // Every chunk prepared, then all queued in order, then the stream started.
    std::vector<std::string> expected = {"stop"};
    for (uint32_t i = 0; i < chunks; ++i) expected.push_back("prepare " + std::to_string(i));
    for (uint32_t i = 0; i < chunks; ++i) expected.push_back("out " + std::to_string(i));
    expected.push_back("restart");
    EXPECT_EQ(driver.Calls(), expected);

    // One notice per mark, in time order, naming the mark's tag; one end
    // notice, the last.
    Notices notices = driver.Notices();
    ASSERT_EQ(notices.size(), onsets + 1);
    for (uint32_t i = 0; i < onsets; ++i) {
        EXPECT_EQ(notices[i].window, kWindow);
        EXPECT_EQ(notices[i].wParam, uintptr_t(kMomPositionCb));
        ASSERT_EQ(notices[i].lParam, intptr_t(i));
    }
    EXPECT_EQ(notices.back().wParam, uintptr_t(kMomDone));
    EXPECT_EQ(notices.back().lParam, 0);

    EXPECT_EQ(driver.Played().size(), 1 + 4 * size_t(onsets));
    EXPECT_EQ(driver.MalformedBuffers(), 0u);
    EXPECT_EQ(driver.ChangedWhileQueued(), 0u);
    EXPECT_EQ(driver.CallsFromDriverThread(), 0u);
    EXPECT_EQ(track.GetPlayState(), 0);
    // Nothing else arrives later.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(driver.Notices().size(), onsets + 1);

    // The next pass releases the chunks of the finished one first.
    track.Reset();
    EXPECT_EQ(driver.PreparedCount(), 0u);
}

// As the program sets the driver up for PELMORA_TEST_MIDI: a hundred times
// faster than real time, each played message recorded in a file with its
// time of music.
TEST_F(Player, TheDeviceLessDriverRecordsWhatItPlayedWithItsMusicTime) {
    std::u16string record = test::MakeTempFolder("midi_record") + u"played.txt";
    driver.recordPath = record;
    driver.musicScale = 0.01;
    cMidiTrack track(480, 1024);
    FillScore(track, 3, 120);
    track.SetNotifyWindow(window);
    track.Play();
    ASSERT_TRUE(driver.WaitForNotices(HasDone));
    Notices notices = driver.Notices();
    ASSERT_EQ(notices.size(), 4u);
    for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(notices[i].wParam, uintptr_t(kMomPositionCb));
    EXPECT_EQ(notices.back().wParam, uintptr_t(kMomDone));

    // One line per played message, its bytes as the stream held them; the
    // notes start 125 ms apart at 120 beats a minute and the last of the
    // long notes ends a little before 500 ms (the player ends notes early).
    std::vector<uint32_t> played = driver.Played();
    std::string text = test::ReadFileBytes(record);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    ASSERT_EQ(lines.size(), played.size()) << text;
    ASSERT_EQ(lines.size(), 13u) << text;
    for (size_t i = 0; i < lines.size(); ++i) {
        char bytes[16];
        std::snprintf(bytes, sizeof bytes, " %02X %02X %02X", played[i] & 0xFF, played[i] >> 8 & 0xFF,
                      played[i] >> 16 & 0xFF);
        EXPECT_EQ(lines[i].substr(lines[i].find(' ')), bytes) << i;
    }
    EXPECT_EQ(lines.front().substr(0, lines.front().find(' ')), "0");
    int lastTime = std::stoi(lines.back());
    EXPECT_GT(lastTime, 480);
    EXPECT_LE(lastTime, 500);
    EXPECT_EQ(lines.back().substr(lines.back().find(' '), 3), " 80");
    EXPECT_NE(text.find("\n125 9"), std::string::npos) << text;
    EXPECT_NE(text.find("\n250 9"), std::string::npos) << text;
}

TEST_F(Player, StopDuringPlaybackReturnsWithEveryChunkUnprepared) {
    cMidiTrack track(480, 1024);
    track.SetNotifyWindow(window);
    driver.musicScale = 0.02;  // slow enough that a pass is still playing
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        driver.synchronousStop = round % 2 == 1;
        FillScore(track, 1500, 60);
        ASSERT_GE(track.GetLastChunk(), 1u);
        driver.ClearNotices();
        track.Play();
        // Stop at various moments: at once, or after some marks passed.
        if (round % 3 != 0) {
            ASSERT_TRUE(driver.WaitForNotices([&](const Notices &n) { return n.size() >= size_t(round % 7); }));
        }
        track.Stop();
        EXPECT_EQ(track.GetPlayState(), 0);
        EXPECT_EQ(driver.QueuedCount(), 0u);
        EXPECT_EQ(driver.PreparedCount(), 0u);
        for (uint32_t i = 0; i <= track.GetLastChunk(); ++i) EXPECT_FALSE(track.IsChunkPrepared(i));
        // A stopped pass has no end, and no mark is reported after the stop.
        size_t seen = driver.Notices().size();
        std::this_thread::sleep_for(std::chrono::milliseconds(round % 10 == 0 ? 20 : 1));
        Notices after = driver.Notices();
        EXPECT_EQ(CountOf(after, kMomDone), 0u);
        EXPECT_EQ(after.size(), seen);
    }
    EXPECT_EQ(driver.ChangedWhileQueued(), 0u);
    EXPECT_EQ(driver.CallsFromDriverThread(), 0u);
    EXPECT_EQ(driver.QueuedUnprepared(), 0u);
}

TEST_F(Player, ResetAndDestructionDuringPlayback) {
    auto track = std::make_unique<cMidiTrack>(480, 1024);
    track->SetNotifyWindow(window);
    driver.musicScale = 0.02;
    FillScore(*track, 3000, 60);
    uint32_t chunks = track->GetLastChunk() + 1;
    track->Play();
    ASSERT_TRUE(driver.WaitForNotices([](const Notices &n) { return n.size() >= 3; }));
    driver.ClearCalls();
    track->Reset();
    EXPECT_EQ(track->Count(), 0u);
    EXPECT_EQ(driver.PreparedCount(), 0u);
    EXPECT_EQ(track->GetPlayState(), 0);
    // The output is reset (every note off), then each chunk let go.
    std::vector<std::string> expected = {"reset"};
    for (uint32_t i = 0; i < chunks; ++i) expected.push_back("unprepare " + std::to_string(i));
    EXPECT_EQ(driver.Calls(), expected);

    FillScore(*track, 3000, 60);
    track->Play();
    ASSERT_TRUE(driver.WaitForNotices([](const Notices &n) { return n.size() >= 6; }));
    track.reset();
    EXPECT_EQ(driver.OpenStreams(), 0u);
    EXPECT_EQ(driver.QueuedCount(), 0u);
    EXPECT_FALSE(HasDone(driver.Notices()));
}

TEST_F(Player, PlayingAgainRestartsThePass) {
    cMidiTrack track(480, 1024);
    track.SetNotifyWindow(window);
    FillScore(track, 200, 30);
    for (int pass = 1; pass <= 3; ++pass) {
        track.Play();
        ASSERT_TRUE(driver.WaitForNotices([&](const Notices &n) { return CountOf(n, kMomDone) == size_t(pass); }));
    }
    Notices n = driver.Notices();
    EXPECT_EQ(CountOf(n, kMomPositionCb), 600u);
    // A second Play while the first still plays stops it first: one end.
    driver.ClearNotices();
    driver.musicScale = 0.02;
    FillScore(track, 500, 60);
    track.Play();
    track.Play();
    ASSERT_TRUE(driver.WaitForNotices(HasDone));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(CountOf(driver.Notices(), kMomDone), 1u);
    EXPECT_EQ(driver.QueuedUnprepared(), 0u);
}

TEST_F(Player, WithoutANotifyWindowNothingIsPosted) {
    cMidiTrack track(480, 1024);
    FillScore(track, 50, 30);
    track.SetNotifyWindow(window);
    track.SetNotifyWindow(nullptr);
    EXPECT_EQ(track.GetNotifyWindow(), nullptr);
    track.Play();
    // The end still comes: the play state returns to 0.
    for (int i = 0; i < 20000 && track.GetPlayState() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(track.GetPlayState(), 0);
    EXPECT_TRUE(driver.Notices().empty());
}

TEST_F(Player, WithoutAStreamPlayOnlyReports) {
    driver.openFails = true;
    cMidiTrack track(480, 1024);
    EXPECT_FALSE(track.HasStream());
    FillScore(track, 10);  // the walk still fills the buffer
    EXPECT_GT(track.Count(), 0u);
    track.SetNotifyWindow(window);
    driver.ClearCalls();
    test::RaisedErrors errors;
    track.Play();
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in WinMidi: Stream error");
    EXPECT_EQ(track.GetPlayState(), 0);
    track.Stop();
    track.Reset();
    EXPECT_TRUE(driver.Calls().empty());
    EXPECT_TRUE(driver.Notices().empty());
}

TEST_F(Player, AChunkThatCannotBePreparedEndsThePassBeforeIt) {
    cMidiTrack track(480, 1024);
    track.SetNotifyWindow(window);
    FillScore(track, 4000, 24);
    ASSERT_GE(track.GetLastChunk(), 2u);
    driver.failPrepareOf = 1;
    test::RaisedErrors errors;
    track.Play();
    EXPECT_EQ(errors.LastText(), u"Error in WinMidi: Stream error");
    ASSERT_TRUE(driver.WaitForNotices(HasDone));
    auto calls = driver.Calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "out 0"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "out 1"), 0);
    Notices n = driver.Notices();
    EXPECT_EQ(CountOf(n, kMomDone), 1u);
    EXPECT_LT(CountOf(n, kMomPositionCb), 4000u);
}

TEST_F(Player, QueueingFailuresEndThePassWithWhatWasQueued) {
    cMidiTrack track(480, 1024);
    track.SetNotifyWindow(window);
    FillScore(track, 4000, 24);
    ASSERT_GE(track.GetLastChunk(), 2u);
    driver.failOutFrom = 1;
    test::RaisedErrors errors;
    track.Play();
    EXPECT_EQ(errors.LastText(), u"Error in WinMidi: Stream error");
    ASSERT_TRUE(driver.WaitForNotices(HasDone));
    // The chunks that were not queued are not left prepared.
    for (uint32_t i = 1; i <= track.GetLastChunk(); ++i) EXPECT_FALSE(track.IsChunkPrepared(i)) << i;
    track.Stop();
    EXPECT_EQ(driver.PreparedCount(), 0u);
}

TEST_F(Player, AnEmptyPassEndsAtOnce) {
    cMidiTrack track(480, 1024);
    track.SetNotifyWindow(window);
    track.Reset();
    track.PutEndOfTrack();
    driver.ClearCalls();
    track.Play();
    Notices n = driver.Notices();
    ASSERT_EQ(n.size(), 1u);
    EXPECT_EQ(n[0].wParam, uintptr_t(kMomDone));
    EXPECT_EQ(track.GetPlayState(), 0);
    EXPECT_EQ(driver.QueuedCount(), 0u);
}

TEST_F(Player, VolumeOfBothChannels) {
    cMidiTrack track(480, 1024);
    EXPECT_EQ(track.GetVolume(), 100);  // read from the device, which starts at 0xFFFFFFFF
    // Each step of the volume is 655 of the device's 16-bit level, on both
    // channels; a level reads back as the whole steps it holds.
    struct Case {
        int32_t volume;
        uint32_t word;
        int32_t read;
    } cases[] = {{100, 0xFFDCFFDC, 100}, {50, 0x7FEE7FEE, 50}, {1, 0x028F028F, 1}, {0, 0, 0}, {150, 0xFFDCFFDC, 100}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.volume);
        int32_t stored = track.GetVolume();
        // Setting answers the stored volume, which only a reading changes.
        EXPECT_EQ(track.SetVolume(c.volume), stored);
        EXPECT_EQ(driver.Volume(), c.word);
        EXPECT_EQ(track.GetVolume(), c.read);
    }
    // The left channel (the low word) is the volume read.
    struct Reading {
        uint32_t word;
        int32_t read;
    } readings[] = {{0x0000FFFF, 100}, {0xFFFF0000, 0}, {0x0000028E, 0}, {0x00008000, 50}};
    for (const Reading &r : readings) {
        SCOPED_TRACE(r.word);
        driver.SetVolumeWord(r.word);
        EXPECT_EQ(track.GetVolume(), r.read);
    }
    driver.openFails = true;
    cMidiTrack silent(480, 1024);
    EXPECT_EQ(silent.GetVolume(), 50);
    EXPECT_EQ(silent.SetVolume(80), 50);
    EXPECT_EQ(silent.GetVolume(), 50);
}

}  // namespace
