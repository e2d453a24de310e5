// Reading a Standard MIDI File track: loading its chunk and turning its raw
// events into music events with note durations for the import.  Nothing in
// the file is trusted: every length is checked against the bytes that are
// really there.
#include <algorithm>

#include "foundation/binary_file.h"
#include "midi/midi_error.h"
#include "midi/midi_track_base.h"
#include "midi/music_file.h"

namespace {

// Letter index of the major key's tonic for 0..7 sharps; flats index it
// with sf + 7.
constexpr int8_t kTonicOfKey[8] = {0, 4, 1, 5, 2, 6, 3, 0};

// v rounded to the nearest multiple of g (a half rounds up).
int64_t RoundTo(int64_t v, int64_t g) {
    v += (g + 1) >> 1;
    return v - v % g;
}

}  // namespace

uint32_t cMidiTrackBase::ReadChunk(cBinaryFileBase *binaryFile) {
    if (!binaryFile) {
        RaiseMidiFileError(kMidiStreamError);
        return 0;
    }
    Clear();
    PutChunkHeader();
    uint32_t result = 0;
    uint8_t header[kHeaderSize];
    uint32_t before = binaryFile->GetPosition();
    bool ok = binaryFile->Read(header, kHeaderSize) >= 0 && binaryFile->GetPosition() - before == kHeaderSize &&
              header[0] == 'M' && header[1] == 'T' && header[2] == 'r' && header[3] == 'k';
    if (ok) {
        uint32_t length = ReadBigEndian32(header + 4);
        uint32_t position = binaryFile->GetPosition();
        uint32_t left = binaryFile->GetSize() > position ? binaryFile->GetSize() - position : 0;
        // A length past the end of the file is a truncated or damaged file.
        ok = length <= left && Reserve(length) && InsertGap(length, nullptr, kHeaderSize) >= 0;
        if (ok) {
            std::copy(header, header + kHeaderSize, buffer);
            ok = binaryFile->Read(buffer + kHeaderSize, length) >= 0 &&
                 binaryFile->GetPosition() - position == length;
        }
        if (ok) result = length + kHeaderSize;
    }
    if (!ok) {
        RaiseMidiFileError(kMidiStreamError);
        Clear();
        PutChunkHeader();
    }
    cursor.Clear();
    readPos = 0;
    ForgetSeekHints();
    fileBytes = true;  // they may use running status
    ticksPerMeasure = TicksPerMeasure(ticksPerQuarter, cursor.timeNumerator, cursor.timeDenominator);
    return result;
}

tStatus cMidiTrackBase::ReadNextEvent(cEvent *out) {
    if (!pending.empty()) {
        // A pending event goes first unless the next buffered one is earlier.
        uint64_t next = UINT64_MAX;
        uint32_t deltaSize = 0;
        if (buffer && readPos < count) {
            uint32_t delta = ReadDelta(buffer + readPos, count - readPos, &deltaSize);
            if (deltaSize) next = uint64_t(cursor.start) + delta;
        }
        if (next >= pending.front()->start) {
            if (!out) return RC_FAIL;
            cEvent *due = pending.PopFront();
            *out = *due;
            delete due;
            return RC_OK;
        }
    }
    cursor.ClearNote();
    cursor.track = this;
    cursor.position = readPos;
    cursor.kind = cMidiEvent::kNothing;
    if (readPos < count) {
        int32_t n = DecodeAt(readPos, cursor);
        if (n < 0) {
            cursor.kind = cMidiEvent::kNothing;
            RaiseMidiFileError(kMidiBadFile);
        } else {
            readPos += uint32_t(n);
        }
    }
    switch (cursor.kind) {
    case kNoteOn:
        ReadNote();
        break;
    case kProgramChange:
        cursor.type = kTypeInstrument;
        cursor.programme = cursor.data1;
        break;
    case kSystem:
        ReadMeta();
        break;
    case cMidiEvent::kNothing:
        cursor.type = kTypeTrackEnd;
        readPos = count;
        break;
    default:
        cursor.type = kTypeNone;
        break;
    }
    if (out) *out = static_cast<const cEvent &>(cursor);
    return RC_OK;
}

void cMidiTrackBase::ReadMeta() {
    const uint8_t *d = cursor.data;
    uint32_t n = cursor.dataLength;
    bool sysEx = cursor.channel != 0x0F;
    uint8_t metaType = cursor.data1;
    cursor.type = kTypeData;
    if (sysEx) return;
    if (metaType >= 1 && metaType <= 7) {
        cursor.type = kTypeText;
    } else if (metaType == 0x2F) {
        cursor.type = kTypeTrackEnd;
    } else if (metaType == 0x51) {
        uint32_t tempo = n >= 3 ? uint32_t(d[0]) << 16 | uint32_t(d[1]) << 8 | d[2] : 0;
        if (tempo == 0) {
            RaiseMidiFileError(kMidiBadData);  // no tempo: would divide by zero
            return;
        }
        cursor.type = kTypeTempo;
        cursor.tempo = int32_t(tempo);
    } else if (metaType == 0x58) {
        // Numerators from 1 to 127 and denominators up to 1/128, as written.
        if (n < 2 || d[0] == 0 || d[0] >= 128 || d[1] > 7) {
            RaiseMidiFileError(kMidiBadData);
            return;
        }
        cursor.type = kTypeTimeSig;
        cursor.timeNumerator = int8_t(d[0]);
        cursor.timeDenominator = d[1];
        if (file) file->SetTimeSignature(cursor.timeNumerator, cursor.timeDenominator);
        ticksPerMeasure = TicksPerMeasure(ticksPerQuarter, cursor.timeNumerator, cursor.timeDenominator);
    } else if (metaType == 0x59) {
        int32_t sf = int8_t(n >= 2 ? d[0] : 0x80);
        if (sf < -7 || sf > 7) {
            RaiseMidiFileError(kMidiBadData);
            return;
        }
        cursor.type = kTypeKeySig;
        cursor.key = int8_t(sf);
        int32_t tonic = kTonicOfKey[sf < 0 ? sf + 7 : sf];
        // The relative minor's tonic lies two letters lower.
        if (d[1] != 0) tonic = tonic >= 2 ? tonic - 2 : tonic + 5;
        cursor.tonic = int8_t(tonic);
    }
}

void cMidiTrackBase::LinkNotes() {
    noteLinks.clear();
    linkedCount = count;
    linkedBuffer = buffer;
    // Per channel and key the note-ons still waiting for their note-off,
    // per channel those waiting for a later note-on (indices into noteLinks).
    std::vector<std::vector<uint32_t>> open(16 * 256);
    std::vector<std::vector<uint32_t>> waiting(16);
    cMidiEvent scan;
    scan.Clear();
    uint64_t time = 0;
    for (uint32_t pos = GetDataStart(); pos < count;) {
        uint32_t before = scan.fileTime;
        int32_t n = DecodeAt(pos, scan);
        if (n < 0) break;
        time += uint32_t(scan.fileTime - before);
        if (scan.kind == kNoteOff) {
            for (uint32_t i : open[scan.channel * 256 + scan.data1]) {
                noteLinks[i].toNoteOff = uint32_t(time - noteLinks[i].time);
                noteLinks[i].hasNoteOff = true;
            }
            open[scan.channel * 256 + scan.data1].clear();
        } else if (scan.kind == kNoteOn) {
            std::vector<uint32_t> &w = waiting[scan.channel];
            size_t done = 0;
            while (done < w.size() && noteLinks[w[done]].time < time) {
                noteLinks[w[done]].toNextOnset = uint32_t(time - noteLinks[w[done]].time);
                noteLinks[w[done]].hasNextOnset = true;
                ++done;
            }
            w.erase(w.begin(), w.begin() + std::ptrdiff_t(done));
            uint32_t index = uint32_t(noteLinks.size());
            noteLinks.push_back({pos, time, 0, 0, false, false});
            open[scan.channel * 256 + scan.data1].push_back(index);
            w.push_back(index);
        }
        pos += uint32_t(n);
    }
}

const cMidiTrackBase::sNoteLink *cMidiTrackBase::FindNoteLink(uint32_t position) {
    if (!linkedBuffer || linkedCount != count || linkedBuffer != buffer) LinkNotes();
    auto at = std::lower_bound(noteLinks.begin(), noteLinks.end(), position,
                               [](const sNoteLink &l, uint32_t p) { return l.position < p; });
    return at != noteLinks.end() && at->position == position ? &*at : nullptr;
}

void cMidiTrackBase::ReadNote() {
    cursor.type = kTypeNote;
    if (const sNoteLink *link = FindNoteLink(cursor.position)) {
        if (link->hasNoteOff) {
            cursor.fileDuration = link->toNoteOff;
            cursor.duration = link->toNoteOff;
        }
        cursor.nextOnset = link->hasNextOnset ? link->toNextOnset : cursor.duration;
    }
    cursor.pitch = int16_t(SemitoneToPitch(int32_t(cursor.data1) - 60, cursor.key));
    QuantiseNote();
}

void cMidiTrackBase::QuantiseNote() {
    uint32_t q = quantum;
    if (q == 0) {
        if (cursor.duration) cursor.duration = cursor.FromTicks(cursor.duration);
        if (cursor.start) {
            cNoteTime startValue;  // keeps the event's own value that of its duration
            cursor.start = startValue.FromTicks(cursor.start);
        }
        return;
    }
    // Signed arithmetic: a start rounded up must not wrap a short duration.
    int64_t s = cursor.start;
    int64_t d = cursor.duration;
    int64_t next = cursor.nextOnset;
    int64_t g = q;
    if (q > d && q > next) {
        // A note shorter than the quantum and followed within it: half of
        // the shortest plain note value covering it.
        cNoteTime value;
        value.FromTicks(uint32_t(d));
        value.Normalise();
        g = std::max<int64_t>(1, ScaleTicksPerQuarter(value.exponent - 1));
    }
    int64_t rounded = RoundTo(s, g);
    int64_t shift = s - rounded;
    d = std::max<int64_t>(0, d + shift);  // the end stays where it was
    next = std::max<int64_t>(0, RoundTo(std::max<int64_t>(0, next + shift), g));
    if (q > d && q <= next) d = q;
    // A note that ends within one quantum of the next onset is held to it.
    if ((d >= next && d < next + q) || (d < next && next <= d + q)) d = next;
    d = RoundTo(d, g);
    cursor.start = uint32_t(std::min<int64_t>(rounded, UINT32_MAX));
    cursor.duration = uint32_t(std::min<int64_t>(d, UINT32_MAX));
    cursor.nextOnset = uint32_t(std::min<int64_t>(next, UINT32_MAX));
}
