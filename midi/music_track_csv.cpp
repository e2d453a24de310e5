#include "midi/music_track_csv.h"

#include <fstream>
#include <ostream>

#include "foundation/replacing_file_stream.h"
#include "midi/gm_names.h"
#include "platform/op_sys_base.h"

cMusicTrackCsv::cMusicTrackCsv(std::ostream *stream, uint16_t tpq, uint32_t bufferSize, cMusicFile *owner)
    : cMusicTrack(tpq, bufferSize, owner), out(stream) {
    patch = 0;  // a list without programme changes names the piano
}

void cMusicTrackCsv::WriteHeader() {
    if (!out) return;
    *out << "pitch: 0 = middle C; step: " << 5 << "; quarter note ticks: " << ticksPerQuarter << "\n"
         << "channel,patch,pitch,Eq Tmp,start,duration,TimeTop,TimeBot,Key\n";
}

int32_t cMusicTrackCsv::PutNote(int32_t pitch, uint32_t start, uint32_t duration) {
    if (!out || pitch == kNoPitch) return 1;
    // Patches of 128 and above have no programme name: the field stays empty.
    const char16_t *name = patch < 128 ? GetGmName(patch) : nullptr;
    *out << unsigned(channel) << ',' << (name && gOpSys ? gOpSys->ToAnsiText(name) : "") << ',' << pitch << ','
         << PitchToSemitone(pitch) << ',' << start << ',' << duration << ',' << timeNumerator << ','
         << timeDenominator << ',' << int(keySignature) << "\n";
    return 1;
}

void cMusicTrackCsv::Close() {
    if (!out) return;
    out->flush();
    if (auto *replacing = dynamic_cast<cReplacingFileStream *>(out))
        replacing->Close();
    else if (auto *fileStream = dynamic_cast<std::ofstream *>(out))
        fileStream->close();
}
