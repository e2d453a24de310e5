// Standard MIDI Files: the "MThd" header and the file of "MTrk" tracks.
#pragma once

#include <cstdint>
#include <string>

#include "midi/midi_track_base.h"
#include "midi/music_file.h"

class cBinaryFileBase;

// The 14-byte file header, kept as the bytes of the file (big-endian).
struct sMidiHeader {
    static constexpr uint32_t kSize = 14;

    uint8_t magic[4] = {'M', 'T', 'h', 'd'};
    uint8_t length[4] = {0, 0, 0, 6};
    uint8_t format[2] = {0, 0};
    uint8_t trackCount[2] = {0, 0};
    uint8_t division[2] = {0, 0};

    // 0 when the 14 bytes were read, RC_FAIL at the end of the file.
    tStatus Read(cBinaryFileBase &file);
    tStatus Write(cBinaryFileBase &file) const;
    // 0 when the magic is "MThd" and the length 6.
    tStatus Check() const;
    // The 14 bytes in hexadecimal, a blank between fields.
    const char16_t *ToText() const;

    uint32_t GetFormat() const { return ReadBigEndian16(format); }
    uint32_t GetTrackCount() const { return ReadBigEndian16(trackCount); }
    uint32_t GetDivision() const { return ReadBigEndian16(division); }
    void Set(uint32_t fileFormat, uint32_t tracks, uint32_t ticksPerQuarter);
};

class cMidiFile : public cMusicFile {
public:
    cMidiFile(const char16_t *fileName, uint16_t ticksPerQuarter);
    ~cMidiFile() override;

    // 0 when the file begins with a valid header, RC_FAIL otherwise.
    static tStatus IsMidiFile(const char16_t *path);

    uint16_t SetTicksPerQuarter(uint16_t tpq);
    cMidiTrackBase *NewTrack() override;
    // Reads the named file; answers the bytes read, 0 ("Stream error") when
    // it cannot be read whole: bad header, division 0, a chunk missing,
    // damaged or cut short.  A file that cannot be read leaves no track.
    int32_t Read(std::ostream *dump) override;
    // The same from an open file.
    int32_t ReadFrom(cBinaryFileBase &file, std::ostream *dump);
    // Writes the header and every track's chunk; answers the bytes written,
    // 0 ("Stream error") when there is no track or the file cannot be
    // written whole.
    int32_t Write() override;
    int32_t WriteTo(cBinaryFileBase &file);

    const sMidiHeader &Header() const { return header; }

private:
    sMidiHeader header;
};
