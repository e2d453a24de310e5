// The recording music track of tests/support: what a walk puts into a
// music track, through the track's own interface, comes out as lines in
// the order it was put, and the track keeps the state a walk reads back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_music_track.h"

namespace {

TEST(RecordingMusicTrack, KeepsEveryEventInOrderAsTheWalkPutsIt) {
    test::cRecordingMusicTrack recorder;
    cMusicTrack &track = recorder;  // as the walk sees it
    track.PutTrackName(u"Fl\u00f6te");
    EXPECT_EQ(track.SetChannel(3), 0);
    track.PutTempo(96);
    track.PutTimeSignature(3, 2, 24, 8);
    EXPECT_EQ(track.PutKeySignature(-2, 1), -2);
    EXPECT_EQ(track.PutProgramChange(73, 0), 73);
    track.PutPositionMark(7, 0);
    track.PutNote(60, 0, 480);
    track.PutNote(64, 0, 480);
    track.PutPositionMark(8, 480);
    track.PutText(u"rit.");
    track.PutNote(-1, 480, 240);
    track.PutEndOfTrack();
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"name Fl\xC3\xB6te", "channel 3", "tempo 96", "time 3/2 24 8", "key -2 1",
                                        "program 73 0", "mark 7 0", "note 60 0 480", "note 64 0 480", "mark 8 480",
                                        "text rit.", "note -1 480 240", "end"}));
    // The state a walk reads back follows what it put.
    EXPECT_EQ(track.GetChannel(), 3);
    EXPECT_EQ(track.GetPatch(), 73);
    EXPECT_EQ(track.GetKeySignature(), -2);
    EXPECT_EQ(track.GetTimeNumerator(), 3);
    EXPECT_EQ(track.GetTimeDenominator(), 2);
}

// A key outside -7..7 is recorded as put, and the track keeps its key.
TEST(RecordingMusicTrack, AKeyOutOfRangeIsRecordedButNotKept) {
    test::cRecordingMusicTrack recorder;
    recorder.PutKeySignature(3, 0);
    EXPECT_EQ(recorder.PutKeySignature(9, 0), 3);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"key 3 0", "key 9 0"}));
    EXPECT_EQ(recorder.GetKeySignature(), 3);
}

}  // namespace
