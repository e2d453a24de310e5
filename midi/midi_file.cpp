#include "midi/midi_file.h"

#include <memory>
#include <ostream>

#include "foundation/binary_file.h"
#include "foundation/char_string.h"
#include "midi/midi_error.h"
#include "platform/op_sys_base.h"

namespace {

constexpr uint32_t kTrackBufferSize = 1024;

// Reads exactly n bytes or reports that the file ended first.
bool ReadExactly(cBinaryFileBase &file, void *bytes, uint32_t n) {
    uint32_t before = file.GetPosition();
    return file.Read(bytes, n) >= 0 && file.GetPosition() - before == n;
}

struct FileCloser {
    void operator()(cBinaryFileBase *f) const {
        f->Close();
        delete f;
    }
};
using tOwnedFile = std::unique_ptr<cBinaryFileBase, FileCloser>;

tOwnedFile OpenFile(const std::u16string &path, uint32_t mode) {
    if (!gOpSys || path.empty()) return nullptr;
    return tOwnedFile(gOpSys->NewBinaryFile(path.c_str(), mode));
}

const char *FormatName(uint32_t format) {
    switch (format) {
    case 0: return "single track";
    case 1: return "multiple synchronized tracks";
    case 2: return "multiple asynchronous tracks";
    default: return "unknown";
    }
}

}  // namespace

// ---- Header -------------------------------------------------------------

tStatus sMidiHeader::Read(cBinaryFileBase &file) {
    // Field by field, as they stand in the file.
    bool ok = ReadExactly(file, magic, 4) && ReadExactly(file, length, 4) && ReadExactly(file, format, 2) &&
              ReadExactly(file, trackCount, 2) && ReadExactly(file, division, 2);
    return ok ? RC_OK : RC_FAIL;
}

tStatus sMidiHeader::Write(cBinaryFileBase &file) const {
    const uint8_t *fields[] = {magic, length, format, trackCount, division};
    const uint32_t sizes[] = {4, 4, 2, 2, 2};
    for (int i = 0; i < 5; ++i)
        if (file.Write(fields[i], sizes[i]) < 0) return RC_FAIL;
    return RC_OK;
}

tStatus sMidiHeader::Check() const {
    bool ok = magic[0] == 'M' && magic[1] == 'T' && magic[2] == 'h' && magic[3] == 'd' &&
              ReadBigEndian32(length) == 6;
    return ok ? RC_OK : RC_FAIL;
}

const char16_t *sMidiHeader::ToText() const {
    std::u16string s;
    HexDumpText(s, magic, 4);
    s += u' ';
    HexDumpText(s, length, 4);
    s += u' ';
    HexDumpText(s, format, 2);
    s += u' ';
    HexDumpText(s, trackCount, 2);
    s += u' ';
    HexDumpText(s, division, 2);
    return TempStringOf(s);
}

void sMidiHeader::Set(uint32_t fileFormat, uint32_t tracks, uint32_t tpq) {
    magic[0] = 'M';
    magic[1] = 'T';
    magic[2] = 'h';
    magic[3] = 'd';
    WriteBigEndian32(length, 6);
    WriteBigEndian16(format, fileFormat);
    WriteBigEndian16(trackCount, tracks);
    WriteBigEndian16(division, tpq);
}

// ---- File ---------------------------------------------------------------

cMidiFile::cMidiFile(const char16_t *fileName, uint16_t tpq) : cMusicFile(fileName, tpq) {}

cMidiFile::~cMidiFile() = default;

tStatus cMidiFile::IsMidiFile(const char16_t *path) {
    tOwnedFile file = OpenFile(path ? path : u"", cBinaryFileBase::kRead);
    if (!file || !file->IsOpen()) return RC_FAIL;
    sMidiHeader h;
    if (h.Read(*file) < 0) return RC_FAIL;
    return h.Check();
}

uint16_t cMidiFile::SetTicksPerQuarter(uint16_t tpq) {
    uint16_t previous = ticksPerQuarter;
    ticksPerQuarter = tpq;
    return previous;
}

cMidiTrackBase *cMidiFile::NewTrack() {
    gTicksPerQuarter = ticksPerQuarter;
    auto *track = new cMidiTrackBase(ticksPerQuarter, kTrackBufferSize, this);
    tracks.emplace_back(track);
    return track;
}

int32_t cMidiFile::Read(std::ostream *dump) {
    if (name.empty()) return 0;
    cMusicFile::Read(dump);
    tOwnedFile file = OpenFile(name, cBinaryFileBase::kRead);
    if (!file || !file->IsOpen()) {
        RaiseMidiFileError(kMidiStreamError);
        return 0;
    }
    return ReadFrom(*file, dump);
}

int32_t cMidiFile::ReadFrom(cBinaryFileBase &file, std::ostream *dump) {
    cMusicFile::Read(dump);
    // A division of 0 would leave no time resolution to compute with.
    if (header.Read(file) < 0 || header.Check() < 0 || header.GetDivision() == 0) {
        RaiseMidiFileError(kMidiStreamError);
        return 0;
    }
    uint16_t division = uint16_t(header.GetDivision());
    ticksPerQuarter = division;
    gTicksPerQuarter = division;
    state.Clear();
    if (dump) {
        *dump << "File header: " << header.GetTrackCount() << ' ' << FormatName(header.GetFormat()) << ", "
              << division << " ticks/quarter-note\n";
        const char *hex = gOpSys ? gOpSys->ToAnsiText(header.ToText()) : "";
        char fill = dump->fill(' ');
        *dump << hex << "\n\n";
        dump->fill(fill);
    }
    int32_t total = int32_t(sMidiHeader::kSize);
    for (uint32_t i = 0; i < header.GetTrackCount(); ++i) {
        cMidiTrackBase *track = NewTrack();
        uint32_t n = track->ReadChunk(&file);
        if (n == 0) {  // reported by the chunk reader
            DeleteTracks();
            return 0;
        }
        track->SetTicksPerQuarter(division);
        total += int32_t(n);
    }
    return total;
}

int32_t cMidiFile::Write() {
    if (name.empty()) return 0;
    tOwnedFile file = OpenFile(name, cBinaryFileBase::kWrite);
    if (!file || !file->IsOpen()) {
        RaiseMidiFileError(kMidiStreamError);
        return 0;
    }
    int32_t written = WriteTo(*file);
    // The close cuts the file where writing stopped, and a failed write or
    // close makes the whole result a failure.
    cBinaryFileBase *raw = file.release();
    tStatus closed = raw->Close();
    delete raw;
    if (written > 0 && closed < 0) {
        RaiseMidiFileError(kMidiStreamError);
        return 0;
    }
    return written;
}

int32_t cMidiFile::WriteTo(cBinaryFileBase &file) {
    if (tracks.empty()) {
        RaiseMidiFileError(kMidiStreamError);
        return 0;
    }
    header.Set(tracks.size() == 1 ? 0 : 1, uint32_t(tracks.size()), ticksPerQuarter);
    bool ok = header.Write(file) >= 0;
    int32_t total = int32_t(sMidiHeader::kSize);
    for (auto &track : tracks) {
        if (!ok) break;
        ok = file.Write(track->Bytes(), track->Count()) >= 0;
        total += int32_t(track->Count());
    }
    if (!ok || file.HasIoError()) {
        RaiseMidiFileError(kMidiStreamError);
        return 0;
    }
    return total;
}
