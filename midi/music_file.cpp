#include "midi/music_file.h"

#include "foundation/replacing_file_stream.h"

cMusicFile::cMusicFile(const char16_t *fileName, uint16_t tpq) : ticksPerQuarter(tpq) {
    if (fileName) name = fileName;
    state.Clear();
}

cMusicFile::~cMusicFile() = default;

cMusicTrack *cMusicFile::GetTrack(int32_t index) const {
    if (index < 0 || index >= GetTrackCount()) return nullptr;
    return tracks[size_t(index)].get();
}

int32_t cMusicFile::Read(std::ostream *) {
    DeleteTracks();
    return 0;
}

int32_t cMusicFile::EndAllTracks() {
    for (auto &track : tracks) track->PutEndOfTrack();
    return GetTrackCount();
}

tStatus cMusicFile::WriteText(const char16_t *textFileName, const char *heading) {
    std::vector<cMusicTrack *> all;
    for (auto &track : tracks) all.push_back(track.get());
    return WriteTracksText(textFileName, heading, all);
}

tStatus cMusicFile::WriteTracksText(const char16_t *textFileName, const char *heading,
                                    const std::vector<cMusicTrack *> &tracks) {
    if (!textFileName || !*textFileName) return RC_FAIL;
    cReplacingFileStream out(textFileName);
    if (!out.is_open()) return RC_FAIL;
    if (heading) out << heading << '\n';
    for (cMusicTrack *track : tracks)
        if (track) track->Dump(&out);
    return out.Close();
}

void cMusicFile::SetTimeSignature(int8_t numerator, uint8_t exponent) {
    state.timeNumerator = numerator;
    state.timeDenominator = exponent;
}
