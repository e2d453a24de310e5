// The MIDI export, the CSV note list and the text dump over a file another
// program holds open: the previous file stays byte for byte, nothing is left
// beside it and the failure is reported.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/replacing_file_stream.h"
#include "midi/midi_file.h"
#include "midi/music_track_csv.h"
#include "tests/support/held_open_win.h"
#include "tests/support/log_capture.h"
#include "tests/test_support.h"

namespace {

void FillSong(cMidiFile &song) {
    cMusicTrack &t = *song.NewTrack();
    for (uint32_t i = 0; i < 200; ++i) t.PutNote(int32_t(i % 30) - 15, i * 120, 120);
    song.EndAllTracks();
}

TEST(HeldFile, ExportsKeepThePreviousFile) {
    using Export = std::function<tStatus(const std::u16string &path)>;
    const struct {
        const char *what;
        Export write;
    } cases[] = {
        {"MIDI file",
         [](const std::u16string &path) {
             cMidiFile song(path.c_str(), 480);
             FillSong(song);
             return song.Write() > 0 ? RC_OK : RC_FAIL;
         }},
        {"CSV note list",
         [](const std::u16string &path) {
             cReplacingFileStream out(path.c_str());
             cMusicTrackCsv list(&out, 480, 1024, nullptr);
             list.WriteHeader();
             for (uint32_t i = 0; i < 200; ++i) list.PutNote(int32_t(i % 30) - 15, i * 120, 120);
             list.Close();
             return out.fail() ? RC_FAIL : RC_OK;
         }},
        {"text dump",
         [](const std::u16string &path) {
             cMidiFile song(u"", 480);
             FillSong(song);
             return song.WriteText(path.c_str(), "song.mid");
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::u16string folder = test::MakeTempFolder("midi_held");
        std::u16string path = folder + u"export.out";
        const std::string previous = "what the last export wrote";
        test::WriteFileBytes(path, previous);
        test::LogCapture log("midi_held_log");
        tStatus result;
        {
            test::cHeldOpen held(path);
            ASSERT_TRUE(held.IsHeld());
            result = c.write(path);
        }
        EXPECT_EQ(result, RC_FAIL);
        EXPECT_EQ(test::ReadFileBytes(path), previous);
        EXPECT_EQ(test::FolderEntries(folder), std::vector<std::u16string>{u"export.out"});
        EXPECT_NE(log.Text().find("Error: code "), std::string::npos) << log.Text();
        EXPECT_EQ(c.write(path), RC_OK);
        EXPECT_NE(test::ReadFileBytes(path), previous);
    }
}

}  // namespace
