// The writers of the music exports as a table, for the tests that make
// their saves fail (a disk that fills natively, a file held open under
// Windows): each writes a song of `notes` notes to the path and answers
// RC_OK or RC_FAIL.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "foundation/replacing_file_stream.h"
#include "midi/midi_file.h"
#include "midi/music_track_csv.h"

namespace test {

struct sExportWriter {
    const char *what;
    std::function<tStatus(const std::u16string &path)> write;
};

inline std::vector<sExportWriter> ExportWriters(uint32_t notes) {
    auto fillSong = [notes](cMidiFile &song) {
        cMusicTrack &t = *song.NewTrack();
        for (uint32_t i = 0; i < notes; ++i) t.PutNote(int32_t(i % 30) - 15, i * 120, 120);
        song.EndAllTracks();
    };
    return {
        {"MIDI file",
         [fillSong](const std::u16string &path) {
             cMidiFile song(path.c_str(), 480);
             fillSong(song);
             return song.Write() > 0 ? RC_OK : RC_FAIL;
         }},
        {"CSV note list",
         [notes](const std::u16string &path) {
             cReplacingFileStream out(path.c_str());
             cMusicTrackCsv list(&out, 480, 1024, nullptr);
             list.WriteHeader();
             for (uint32_t i = 0; i < notes; ++i) list.PutNote(int32_t(i % 30) - 15, i * 120, 120);
             list.Close();
             return out.fail() ? RC_FAIL : RC_OK;
         }},
        {"text dump",
         [fillSong](const std::u16string &path) {
             cMidiFile song(u"", 480);
             fillSong(song);
             return song.WriteText(path.c_str(), "song.mid");
         }},
    };
}

}  // namespace test
