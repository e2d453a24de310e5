// The tracks of one music file and its name.  cMidiFile is its Standard
// MIDI File form.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/base_defs.h"
#include "midi/music_track.h"

class cMusicFile {
public:
    cMusicFile(const char16_t *fileName, uint16_t ticksPerQuarter);
    virtual ~cMusicFile();
    cMusicFile(const cMusicFile &) = delete;
    cMusicFile &operator=(const cMusicFile &) = delete;

    // A new track appended to the file's tracks; none in the base.
    virtual cMusicTrack *NewTrack() { return nullptr; }
    virtual int32_t GetTrackCount() const { return int32_t(tracks.size()); }
    // Null when the index is not below the count.
    virtual cMusicTrack *GetTrack(int32_t index) const;
    // The base deletes every track; answers 0.
    virtual int32_t Read(std::ostream *dump);
    // PutEndOfTrack on every track in order; answers the track count.
    virtual int32_t EndAllTracks();
    virtual int32_t Write() { return 0; }
    // Writes the dump of every track as 8-bit text into the file, after the
    // heading line when one is given.  The file is replaced only when the
    // whole text was written; RC_FAIL (reported) otherwise.
    virtual tStatus WriteText(const char16_t *textFileName, const char *heading);
    // The same for tracks that belong to no file (the player's, before a
    // pass): the file is opened by its wide name, so a folder outside the
    // 8-bit code page takes it too.
    static tStatus WriteTracksText(const char16_t *textFileName, const char *heading,
                                   const std::vector<cMusicTrack *> &tracks);

    // The file's current time signature, taken by tracks whose own is unset.
    void SetTimeSignature(int8_t numerator, uint8_t exponent);
    const cMusicTrack::cEvent &State() const { return state; }
    const std::u16string &GetName() const { return name; }
    uint16_t GetTicksPerQuarter() const { return ticksPerQuarter; }

protected:
    void DeleteTracks() { tracks.clear(); }

    uint16_t ticksPerQuarter;
    std::u16string name;
    std::vector<std::unique_ptr<cMusicTrack>> tracks;
    cMusicTrack::cEvent state;
};
