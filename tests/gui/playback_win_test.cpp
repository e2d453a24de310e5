// Score > Play, Stop Playback and Config in the running program, on the
// two-staff score that tests/app/music_playback_test.cpp writes
// (tests/gui/data/two_staffs.pmr: eight quarters on the first staff, three
// on the second).  With the device-less MIDI driver the score plays to its
// end: the driver records what it played, and the log shows each staff's
// highlight as its music starts and the end of the pass.  Without it, Wine
// here has no MIDI output device and Play only shows its message.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "foundation/text_util.h"
#include "tests/gui/running_program_win.h"
#include "tests/test_support.h"

using namespace gui;

namespace {

constexpr uint32_t kCmdOpen = 101;
constexpr uint32_t kCmdExportText = 106;
constexpr uint32_t kCmdExportCsv = 107;
constexpr uint32_t kCmdPlay = 400;
constexpr uint32_t kCmdStop = 401;
constexpr uint32_t kCmdPlayConfig = 402;
constexpr uint32_t kTempoText = 101;
constexpr uint32_t kTempoSlider = 102;
constexpr uint32_t kOk = 1;
constexpr const char *kDone = "Status: (MIDI done)";
constexpr const char *kHighlight = "Status: (MIDI at Staff @";

class Playback : public cRunningProgram {
protected:
    // Starts the program on a fresh data folder and opens the score there;
    // `midi` is the test MIDI setting (empty: the system's MIDI); an export
    // writes the file `exportName` there.
    void Start(const char *name, const std::u16string &midi, const std::u16string &exportName = u"score.txt") {
        Use(name);
        score = CopyIn("tests/gui/data/two_staffs.pmr", u"two_staffs.pmr");
        ASSERT_FALSE(ReadFile(score).empty());
        sStart how;
        how.midi = midi;
        how.fileAnswers = {score, folder + exportName};
        Launch(how);
        if (HasFatalFailure()) return;
        ASSERT_TRUE(PostCommand(frame, kCmdOpen));
        Settled();
        ASSERT_EQ(ToUtf8(WindowTitle(frame)), ToUtf8(score));
    }
    // The log lines that start with the text, in order.
    std::vector<std::string> LinesWith(const char *start) const {
        std::vector<std::string> found;
        for (const std::string &line : test::SplitLines(Log()))
            if (line.rfind(start, 0) == 0) found.push_back(line);
        return found;
    }
    // The keys of the note-ons the driver played, from its record
    // ("<ms> <status> <key> <velocity>", hexadecimal bytes).
    static std::vector<std::string> PlayedNoteOns(const std::string &record) {
        std::vector<std::string> keys;
        for (const std::string &line : test::SplitLines(record)) {
            std::istringstream fields(line);
            std::string ms, status, key, velocity;
            fields >> ms >> status >> key >> velocity;
            if (status == "90" && velocity != "00") keys.push_back(key);
        }
        return keys;
    }

    std::u16string score;
};

TEST_F(Playback, WithoutAnOutputDevicePlayShowsTheMidiError) {
    Start("playback_no_device", u"");
    ASSERT_TRUE(PostCommand(frame, kCmdPlay));
    Settled();
    EXPECT_EQ(CountOf(Log(), "Box: MIDI Error: Check your MIDI setup"), 1) << Log();
    EXPECT_TRUE(LinesWith(kHighlight).empty()) << Log();
    EXPECT_EQ(CountOf(Log(), kDone), 0) << Log();
}

TEST_F(Playback, EachStaffIsHighlightedAsItsMusicStartsAndThePassEnds) {
    const std::u16string record = FreshFolder("playback_record") + u"played.txt";
    Start("playback_to_the_end", u"20," + record);

    ASSERT_TRUE(PostCommand(frame, kCmdPlay));
    ASSERT_TRUE(program.WaitForText(LogPath(), kDone)) << Log();
    const std::vector<std::string> highlights = LinesWith(kHighlight);
    ASSERT_EQ(highlights.size(), 2u) << Log();
    EXPECT_NE(highlights[0], highlights[1]) << "one line for each staff";
    const std::string log = Log();
    EXPECT_LT(log.find(highlights[0]), log.find(highlights[1]));
    EXPECT_LT(log.find(highlights[1]), log.find(kDone));
    EXPECT_EQ(CountOf(log, "Box: "), 0) << log;
    EXPECT_EQ(PlayedNoteOns(ReadFile(record)),
              (std::vector<std::string>{"3C", "3E", "40", "41", "43", "45", "47", "48", "3C", "3E", "40"}))
        << ReadFile(record);
    SaveScreenshot(frame, folder + u"played.bmp");

    // Played again, it is followed and ends again.
    ASSERT_TRUE(PostCommand(frame, kCmdPlay));
    EXPECT_TRUE(WaitUntil([&] { return CountOf(Log(), kDone) == 2; })) << Log();
    EXPECT_EQ(LinesWith(kHighlight).size(), 4u) << Log();
}

// In real time the second staff's music starts four seconds after the
// first's: Stop comes long before.
TEST_F(Playback, StopMidWayGivesNoLaterHighlightAndNoEnd) {
    const std::u16string record = FreshFolder("playback_stop_record") + u"played.txt";
    Start("playback_stop", u"1," + record);
    ASSERT_TRUE(PostCommand(frame, kCmdPlay));
    ASSERT_TRUE(program.WaitForText(LogPath(), kHighlight)) << Log();
    SaveScreenshot(frame, folder + u"playing.bmp");
    ASSERT_TRUE(PostCommand(frame, kCmdStop));
    // Stopped, the player posts nothing more, and whatever it had posted
    // before has been handled once the program answers.
    Settled();
    EXPECT_EQ(LinesWith(kHighlight).size(), 1u) << Log();
    EXPECT_EQ(CountOf(Log(), kDone), 0) << Log();
    EXPECT_LT(PlayedNoteOns(ReadFile(record)).size(), 8u) << ReadFile(record);
}

// The tempo dialog's metronome clicks on the player: playback stops first,
// cleanly, and the tempo chosen is the score's.
TEST_F(Playback, ConfigDuringPlaybackStopsItAndTheTempoDialogSetsTheTempo) {
    Start("playback_config", u"1");
    ASSERT_TRUE(PostCommand(frame, kCmdPlay));
    ASSERT_TRUE(program.WaitForText(LogPath(), kHighlight)) << Log();
    ASSERT_TRUE(PostCommand(frame, kCmdPlayConfig));
    HWND dialog = program.WaitForWindowOf(u"#32770", u"Set Tempo");
    ASSERT_NE(dialog, nullptr) << "no tempo dialog";
    // The scroll bar counts from the slowest tempo, 40.
    ASSERT_TRUE(SetScrollPosition(dialog, kTempoSlider, 60 - 40));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(dialog, kTempoText) == u"60"; })) << ToUtf8(ItemText(dialog, kTempoText));
    ASSERT_TRUE(PressButton(dialog, kOk));
    ASSERT_TRUE(WaitUntilClosed(dialog));
    Settled();
    EXPECT_EQ(LinesWith(kHighlight).size(), 1u) << Log();
    EXPECT_EQ(CountOf(Log(), kDone), 0) << Log();
    EXPECT_EQ(CountOf(Log(), "Box: "), 0) << Log();

    ASSERT_TRUE(PostCommand(frame, kCmdExportText));
    Settled();
    const std::string text = ReadFile(folder + u"score.txt");
    EXPECT_EQ(CountOf(text, " = 60, 1"), 1) << text;
}

// Editing goes on while the score plays: a note of the second staff, still
// to come, is picked by a click and deleted.  The pass plays on to its end
// without a fault, and the note is gone from the score.
TEST_F(Playback, DeletingANoteStillToComeLetsThePassEnd) {
    Start("playback_delete", u"1", u"score.csv");
    ASSERT_TRUE(PostCommand(frame, kCmdPlay));
    ASSERT_TRUE(program.WaitForText(LogPath(), kHighlight)) << Log();
    HWND scoreWindow = ScoreWindow();
    ASSERT_NE(scoreWindow, nullptr);
    // The second staff's last note, as the ASCII export places it.
    ASSERT_TRUE(PostClick(scoreWindow, 114, 144));
    ASSERT_TRUE(PostKey(scoreWindow, VK_DELETE));
    Settled();
    EXPECT_EQ(CountOf(Log(), kDone), 0) << "the note was deleted while the pass still played";
    ASSERT_TRUE(program.WaitForText(LogPath(), kDone)) << Log();
    EXPECT_EQ(CountOf(Log(), "Box: "), 0) << Log();

    ASSERT_TRUE(PostCommand(frame, kCmdExportCsv));
    Settled();
    const std::vector<std::string> rows = test::SplitLines(ReadFile(folder + u"score.csv"));
    // The heading's two lines, then the notes: eight on the first staff, two
    // left on the second.
    EXPECT_EQ(rows.size(), 2u + 8u + 2u) << ReadFile(folder + u"score.csv");
}

}  // namespace
