// The system's own MIDI driver on a machine without MIDI output (the native
// build never has one; Wine here has none): the player is made but has no
// stream, playing only logs "Stream error", and nothing hangs.
#include <gtest/gtest.h>

#include <memory>

#include "midi/metronome.h"
#include "midi/midi_devices.h"
#include "midi/midi_track.h"
#include "platform/op_sys.h"
#include "tests/foundation/raised_errors.h"

namespace {

class NoMidiDevice : public testing::Test {
protected:
    void SetUp() override {
        if (GetMidiDeviceCount() != 0) GTEST_SKIP() << "this system has MIDI output";
    }
};

TEST_F(NoMidiDevice, ThePlayerIsMadeWithoutAStream) {
    std::unique_ptr<cMidiTrack> player(gOpSys->NewMidiTrack(480, 1024));
    ASSERT_NE(player, nullptr);
    EXPECT_FALSE(player->HasStream());
    // The walk fills it as ever.
    player->Reset();
    player->PutTempo(120);
    player->PutPositionMark(1, 0);
    player->PutNote(0, 0, 480);
    player->PutEndOfTrack();
    EXPECT_EQ(player->Count(), 52u);

    test::RaisedErrors errors;
    player->Play();
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in WinMidi: Stream error");
    EXPECT_EQ(player->GetPlayState(), 0);
    player->Stop();
    player->Reset();
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(player->SetVolume(80), 50);
    EXPECT_EQ(player->GetVolume(), 50);
}

TEST_F(NoMidiDevice, PreviewAndMetronomeEndWithoutSound) {
    std::unique_ptr<cMidiTrack> player(gOpSys->NewMidiTrack(480, 1024));
    ASSERT_NE(player, nullptr);
    player->PlayNote(0, 48);
    player->PlayNote(5, 48);
    player->EndPreviewNote();
    EXPECT_EQ(player->GetPreviewTimer(), 0u);
    EXPECT_EQ(player->GetStoredNoteOff(), 0u);

    uint16_t bpm = 600;
    std::unique_ptr<cMetronome> metronome(gOpSys->NewMetronome(&bpm, player.get()));
    ASSERT_NE(metronome, nullptr);
    test::RaisedErrors errors;
    EXPECT_EQ(metronome->Start(), 0);
    EXPECT_EQ(metronome->Stop(), 1);
    EXPECT_EQ(metronome->GetTimerId(), 0u);
    EXPECT_EQ(errors.Count(), 0);  // no click to sound, nothing to report
    metronome->Start();
    metronome.reset();
    player.reset();
}

TEST_F(NoMidiDevice, TheReportSaysThereIsNoDevice) {
    EXPECT_EQ(std::u16string(GetMidiDeviceReport()), u"MIDI Mapper: invalid\nMIDI device 0: MidiOutDevice");
    EXPECT_EQ(std::u16string(GetMidiDeviceText(0)), u"invalid");
}

}  // namespace
