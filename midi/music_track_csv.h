// A track that writes every note it is given as one line of a CSV note
// list instead of storing events.
#pragma once

#include <iosfwd>

#include "midi/music_track.h"

class cMusicTrackCsv : public cMusicTrack {
public:
    // The stream belongs to the creator: the track closes it (when it is a
    // file stream) but does not delete it.  A list saved over a file the
    // user keeps goes into a cReplacingFileStream, whose file takes the old
    // one's place only when the whole list was written.
    cMusicTrackCsv(std::ostream *stream, uint16_t ticksPerQuarter, uint32_t bufferSize, cMusicFile *owner);

    // The two heading lines.
    void WriteHeader() override;
    // One line per note; answers 1.  A note without a pitch writes nothing.
    int32_t PutNote(int32_t pitch, uint32_t start, uint32_t duration) override;
    // Flushes and closes the file (putting a replacing stream's file in
    // place); a failure sets the stream's failure state.
    void Close() override;

private:
    std::ostream *out;
};
