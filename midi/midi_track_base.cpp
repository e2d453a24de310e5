// Writing a Standard MIDI File track: the encoding of events and their
// insertion at an absolute time.
#include "midi/midi_track_base.h"

#include <algorithm>
#include <cstring>

#include "midi/midi_error.h"
#include "platform/op_sys_base.h"

namespace {

constexpr uint8_t kMetaText = 0x01;
constexpr uint8_t kMetaTrackName = 0x03;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint32_t kMaxMetaLength = 255;
constexpr uint32_t kLowestDrum = 35;
constexpr uint32_t kHighestDrum = 81;
constexpr uint8_t kPercussionChannel = 9;

bool IsSysEx(uint8_t status) { return status == 0xF0 || status == 0xF7; }

}  // namespace

cMidiTrackBase::cMidiTrackBase(uint16_t tpq, uint32_t bufferSize, cMusicFile *owner)
    : cMusicTrack(tpq, bufferSize, owner) {
    cursor.Clear();
    PutChunkHeader();
}

cMidiTrackBase::~cMidiTrackBase() = default;

void cMidiTrackBase::PutChunkHeader() {
    static const uint8_t kHeader[kHeaderSize] = {'M', 'T', 'r', 'k', 0, 0, 0, 0};
    PutBlock(kHeader, kHeaderSize);
    ForgetSeekHints();
    fileBytes = false;
    ForgetNoteLinks();
}

void cMidiTrackBase::ForgetSeekHints() {
    for (sSeekHint &h : hints) h.valid = false;
}

void cMidiTrackBase::Reset() {
    cMusicTrack::Reset();
    PutChunkHeader();
}

void cMidiTrackBase::ResetState() {
    cMusicTrack::ResetState();
    PutChunkHeader();
    velocity = 64;
    gap = 4;
}

uint8_t cMidiTrackBase::SetVelocity(uint8_t v) {
    uint8_t previous = velocity;
    velocity = v;
    return previous;
}

uint32_t cMidiTrackBase::SetGap(uint32_t ticks) {
    uint32_t previous = gap;
    gap = ticks;
    return previous;
}

bool cMidiTrackBase::Reserve(uint32_t n) {
    if (capacity - count >= n) return true;
    MakeRoom(std::max(n, capacity));
    return capacity - count >= n;
}

void cMidiTrackBase::AppendBytes(const uint8_t *bytes, uint32_t n) {
    if (!Reserve(n)) return;
    writePos = count;
    PutBlock(bytes, n);
    ForgetNoteLinks();
}

// ---- Delta times --------------------------------------------------------

uint32_t cMidiTrackBase::WriteDelta(uint32_t value, uint8_t *out) {
    if (value > kAppendTime) {
        RaiseMidiFileError(kMidiBadData);
        return 0;
    }
    uint32_t n = 1;
    while (n < 4 && (value >> (7 * n)) != 0) ++n;
    if (out) {
        for (uint32_t i = 0; i < n; ++i) {
            uint8_t group = uint8_t(value >> (7 * (n - 1 - i)) & 0x7F);
            out[i] = i + 1 < n ? uint8_t(group | 0x80) : group;
        }
    }
    return n;
}

uint32_t cMidiTrackBase::ReadDelta(const uint8_t *p, uint32_t available, uint32_t *countOut) {
    uint32_t value = 0;
    uint32_t n = 0;
    // At most four bytes: the format's largest value is 0x0FFFFFFF.
    while (n < available && n < 4) {
        uint8_t b = p[n++];
        value = value << 7 | (b & 0x7F);
        if (!(b & 0x80)) {
            if (countOut) *countOut = n;
            return value;
        }
    }
    if (countOut) *countOut = 0;
    return 0;
}

void cMidiTrackBase::Put24Bits(uint32_t value, uint8_t *out) {
    out[0] = uint8_t(value >> 16);
    out[1] = uint8_t(value >> 8);
    out[2] = uint8_t(value);
}

// ---- Event encoding -----------------------------------------------------

int32_t cMidiTrackBase::GetEventLength(const cMidiEvent &event) {
    int32_t length;
    switch (event.kind) {
    case kNoteOff: case kNoteOn: case kKeyPressure: case kControlChange: case kPitchBend:
        length = 3;
        break;
    case kProgramChange: case kChannelPressure:
        length = 2;
        break;
    case kSystem: {
        uint8_t status = uint8_t(0xF0 | event.channel);
        // Status, the meta type (not for SysEx), the length and the data.
        length = int32_t(1 + (IsSysEx(status) ? 0 : 1) + event.lengthSize + event.dataLength);
        break;
    }
    default:
        RaiseMidiFileError(kMidiBadFile);
        return -1;
    }
    return event.runningStatus ? length - 1 : length;
}

int32_t cMidiTrackBase::ParseEvent(const uint8_t *p, uint32_t available, cMidiEvent &ev) {
    if (available == 0) return -1;
    ev.lengthSize = 0;
    ev.data = nullptr;
    uint8_t first = p[0];
    if (first & 0x80) {
        ev.kind = first >> 4 & 7;
        ev.channel = first & 0x0F;
        ev.runningStatus = 0;
        if (ev.kind == kSystem) {
            uint32_t at = 1;
            if (first == kMetaStatus) {
                if (available < 2) return -1;
                ev.data1 = p[1];
                at = 2;
            } else if (IsSysEx(first)) {
                ev.data1 = first;
            } else {
                return -1;  // system common and real-time bytes have no place in a file
            }
            uint32_t lengthSize = 0;
            uint32_t length = ReadDelta(p + at, available - at, &lengthSize);
            if (lengthSize == 0 || length > available - at - lengthSize) return -1;
            ev.lengthSize = uint8_t(lengthSize);
            ev.dataLength = length;
            ev.data2 = uint16_t(length);
            ev.data = p + at + lengthSize;
            ev.data1Copy = ev.data1;
            // Meta and SysEx events leave the running status alone.
            return int32_t(at + lengthSize + length);
        }
        ev.status = first;
        uint32_t need = (ev.kind == kProgramChange || ev.kind == kChannelPressure) ? 2 : 3;
        if (available < need) return -1;
        ev.data1 = p[1];
        ev.data2 = need == 3 ? p[2] : 0;
        ev.data = p + need;
    } else {
        if (!(ev.status & 0x80)) {
            ev.kind = cMidiEvent::kNothing;  // a data byte with no status before it
            return -1;
        }
        ev.kind = ev.status >> 4 & 7;
        ev.channel = ev.status & 0x0F;
        ev.runningStatus = 1;
        uint32_t need = (ev.kind == kProgramChange || ev.kind == kChannelPressure) ? 1 : 2;
        if (available < need) return -1;
        ev.data1 = p[0];
        ev.data2 = need == 2 ? p[1] : 0;
        ev.data = p + need;
    }
    ev.dataLength = ev.data2;
    ev.data1Copy = ev.data1;
    if (ev.kind == kNoteOn && ev.data2 == 0) ev.kind = kNoteOff;
    return GetEventLength(ev);
}

void cMidiTrackBase::EncodeEvent(const cMidiEvent &ev, uint8_t *out) {
    uint8_t status = uint8_t(0x80 | ev.kind << 4 | (ev.channel & 0x0F));
    *out++ = status;
    if (ev.kind != kSystem) {
        *out++ = ev.data1 & 0x7F;
        if (ev.kind != kProgramChange && ev.kind != kChannelPressure) *out++ = uint8_t(ev.data2 & 0x7F);
        return;
    }
    if (!IsSysEx(status)) *out++ = ev.data1;
    out += WriteDelta(ev.dataLength, out);
    if (ev.dataLength && ev.data) std::memcpy(out, ev.data, ev.dataLength);
}

// ---- Insertion ----------------------------------------------------------

int32_t cMidiTrackBase::DecodeAt(uint32_t position, cMidiEvent &ev) {
    if (!buffer || position >= count) return -1;
    uint32_t available = count - position;
    const uint8_t *p = buffer + position;
    uint32_t deltaSize = 0;
    uint32_t delta = ReadDelta(p, available, &deltaSize);
    if (deltaSize == 0) return -1;
    ev.position = position;
    int32_t length = ParseEvent(p + deltaSize, available - deltaSize, ev);
    if (length < 0 || uint32_t(length) > available - deltaSize) return -1;
    ev.start += delta;
    ev.fileTime += delta;
    return int32_t(deltaSize) + length;
}

int32_t cMidiTrackBase::ReadEventAt(uint32_t position, cMidiEvent &ev) {
    if (!buffer) {
        RaiseMidiFileError(kMidiNullPointer);
        return -1;
    }
    int32_t n = DecodeAt(position, ev);
    if (n < 0) RaiseMidiFileError(kMidiBadFile);
    return n;
}

int32_t cMidiTrackBase::SeekTime(uint32_t time) {
    if (time >= kAppendTime) {
        RaiseMidiFileError(kMidiBadData);
        return -1;
    }
    uint32_t position = GetDataStart();
    cursor.start = 0;
    cursor.fileTime = 0;
    cursor.status = 0;
    // The latest hint not after the time.
    const sSeekHint *best = nullptr;
    for (const sSeekHint &h : hints)
        if (useSeekHint && !fileBytes && h.valid && h.time <= time && h.position >= position &&
            h.position <= count && (!best || h.time > best->time))
            best = &h;
    if (best) {
        position = best->position;
        cursor.start = cursor.fileTime = best->time;
    }
    while (position < count) {
        uint32_t deltaSize = 0;
        uint32_t delta = ReadDelta(buffer + position, count - position, &deltaSize);
        if (deltaSize == 0) break;
        if (uint64_t(cursor.start) + delta > time) return int32_t(position);
        int32_t n = DecodeAt(position, cursor);
        if (n < 0) break;
        position += uint32_t(n);
    }
    if (position != count) {  // bytes that are not an event
        RaiseMidiFileError(kMidiBadFile);
        return -1;
    }
    return int32_t(position);
}

int32_t cMidiTrackBase::InsertEvent(const cMidiEvent &source) {
    ticksPerQuarter = uint16_t(gTicksPerQuarter);
    uint8_t status = uint8_t(0x80 | (source.kind & 7) << 4 | (source.channel & 0x0F));
    if (source.kind >= 8 || (source.kind == kSystem && status != kMetaStatus && !IsSysEx(status))) {
        RaiseMidiFileError(kMidiBadData);
        return -1;
    }
    // A copy: the event may be the track's own cursor, which the seek moves.
    cMidiEvent ev = source;
    ev.runningStatus = 0;
    if (ev.kind == kSystem) ev.lengthSize = uint8_t(WriteDelta(std::min(ev.dataLength, kAppendTime), nullptr));

    bool append = ev.start >= kAppendTime;
    uint32_t position = count;
    uint32_t delta = 0;
    if (!append) {
        int32_t found = SeekTime(ev.start);
        if (found < 0) return -1;
        position = uint32_t(found);
        delta = ev.start - cursor.start;
    }
    int32_t eventLength = GetEventLength(ev);
    if (eventLength < 0 || ev.dataLength > kAppendTime) {
        RaiseMidiFileError(kMidiBadData);
        return -1;
    }
    uint32_t size = WriteDelta(delta, nullptr) + uint32_t(eventLength);

    // The following event's delta now counts from the inserted event.
    uint32_t nextSize = 0;
    uint32_t nextDelta = 0;
    if (position < count) {
        nextDelta = ReadDelta(buffer + position, count - position, &nextSize) - delta;
        if (nextSize == 0) {
            RaiseMidiFileError(kMidiBadFile);
            return -1;
        }
    }
    uint32_t newNextSize = nextSize ? WriteDelta(nextDelta, nullptr) : 0;
    // A following event of a file that leans on running status gets its
    // status byte back: the inserted event would otherwise become its status.
    bool restoreStatus = fileBytes && nextSize && position + nextSize < count &&
                         buffer[position + nextSize] < 0x80 && (cursor.status & 0x80);
    uint8_t runningStatus = cursor.status;
    uint32_t gapSize = size + newNextSize - nextSize + (restoreStatus ? 1 : 0);
    if (!Reserve(gapSize) || InsertGap(gapSize, nullptr, position) < 0) return -1;

    // Written front to back over the gap and the old following delta.
    uint8_t *out = buffer + position;
    out += WriteDelta(delta, out);
    EncodeEvent(ev, out);
    if (nextSize) WriteDelta(nextDelta, buffer + position + size);
    if (restoreStatus) buffer[position + size + newNextSize] = runningStatus;
    ForgetNoteLinks();

    for (sSeekHint &h : hints)
        if (h.valid && h.position > position) h.position += gapSize;
    if (!append) {
        sSeekHint &h = hints[nextHint];
        nextHint = (nextHint + 1) % kSeekHints;
        h.valid = true;
        h.position = position + size;
        h.time = ev.start;
    }
    return int32_t(position);
}

// ---- What the walk writes -----------------------------------------------

int32_t cMidiTrackBase::PutMetaEvent(const uint8_t *bytes, uint8_t metaType, uint32_t length, uint32_t time) {
    cMidiEvent ev;
    ev.kind = kSystem;
    ev.channel = 0x0F;
    ev.data1 = metaType;
    ev.dataLength = std::min(length, kMaxMetaLength);
    ev.data = bytes;
    ev.start = time;
    return InsertEvent(ev);
}

int32_t cMidiTrackBase::PutText(const char16_t *text) {
    const char *ansi = gOpSys ? gOpSys->ToAnsiText(text ? text : u"") : "";
    return PutMetaEvent(reinterpret_cast<const uint8_t *>(ansi), kMetaText, uint32_t(std::strlen(ansi)),
                        kAppendTime);
}

int32_t cMidiTrackBase::PutTrackName(const char16_t *name) {
    const char *ansi = gOpSys ? gOpSys->ToAnsiText(name ? name : u"") : "";
    return PutMetaEvent(reinterpret_cast<const uint8_t *>(ansi), kMetaTrackName, uint32_t(std::strlen(ansi)),
                        kAppendTime);
}

int32_t cMidiTrackBase::PutNote(int32_t pitch, uint32_t start, uint32_t duration) {
    if (pitch == kNoPitch) return 0;
    int32_t key = int16_t(PitchToSemitone(pitch) + 60 + transpose);
    if (channel == kPercussionChannel)
        key = std::clamp<int32_t>(key, kLowestDrum, kHighestDrum);
    else
        key = std::clamp<int32_t>(key, 0, 127);
    // The gap shortens the note so that repeated notes are heard apart; a
    // note shorter than two gaps keeps at least half its length, so that
    // its note-off never comes before its note-on.
    uint32_t held = duration > gap ? std::max(duration - gap, duration / 2) : duration / 2;
    if (start >= kAppendTime || held >= kAppendTime - start) {
        RaiseMidiFileError(kMidiBadData);  // a note-on without its note-off would hang
        return 0;
    }
    cMidiEvent ev;
    ev.channel = channel;
    ev.data1 = uint8_t(key);
    ev.data2 = velocity;
    ev.kind = kNoteOn;
    ev.start = start;
    int32_t on = InsertEvent(ev);
    if (on < 0) return 0;
    ev.kind = kNoteOff;
    ev.start = start + held;
    int32_t off = InsertEvent(ev);
    return on + (off < 0 ? 0 : off);
}

uint8_t cMidiTrackBase::PutProgramChange(uint8_t newPatch, uint32_t time) {
    if (newPatch & 0x80) {
        RaiseMidiFileError(kMidiBadData);
        return newPatch;
    }
    if (newPatch == patch && programChannel == channel) return newPatch;
    patch = newPatch;
    programChannel = channel;
    cMidiEvent ev;
    ev.kind = kProgramChange;
    ev.channel = channel;
    ev.data1 = newPatch;
    ev.start = time;
    InsertEvent(ev);
    return newPatch;
}

void cMidiTrackBase::PutTempo(int32_t bpm) {
    if (bpm < 1) bpm = 1;
    // 60000000 / bpm rounded half up; below 4 beats per minute the value no
    // longer fits the three bytes of the format, so it stops at their top.
    uint32_t microseconds = std::min<uint32_t>((120000000u / uint32_t(bpm) + 1) >> 1, 0xFFFFFF);
    uint8_t bytes[3];
    Put24Bits(microseconds, bytes);
    cursor.tempo = int32_t(microseconds);
    PutMetaEvent(bytes, kMetaTempo, 3, kAppendTime);
}

bool cMidiTrackBase::KeepTimeSignature(int32_t n, int32_t d, int32_t clocks, int32_t n32nds) {
    if (n < 1 || n >= 128 || d < 1 || d > 128) return false;
    uint8_t e = 0;
    while ((1 << e) < d) ++e;
    cursor.timeNumerator = int8_t(n);
    cursor.timeDenominator = e;
    cMusicTrack::PutTimeSignature(n, d, clocks, n32nds);
    return true;
}

void cMidiTrackBase::PutTimeSignature(int32_t n, int32_t d, int32_t clocks, int32_t n32nds) {
    if (!KeepTimeSignature(n, d, clocks, n32nds)) {
        RaiseMidiFileError(kMidiBadData);
        return;
    }
    const uint8_t bytes[8] = {0, kMetaStatus, 0x58, 4,
                              uint8_t(n), cursor.timeDenominator, uint8_t(clocks), uint8_t(n32nds)};
    AppendBytes(bytes, sizeof bytes);
}

int32_t cMidiTrackBase::PutKeySignature(int32_t sf, int32_t minor) {
    if (sf < -7 || sf > 7 || minor < 0 || minor > 1) {
        RaiseMidiFileError(kMidiBadData);
        return keySignature;
    }
    const uint8_t bytes[6] = {0, kMetaStatus, 0x59, 2, uint8_t(int8_t(sf)), uint8_t(minor)};
    AppendBytes(bytes, sizeof bytes);
    return cMusicTrack::PutKeySignature(sf, minor);
}

int32_t cMidiTrackBase::PutEndOfTrack() {
    static const uint8_t kEnd[4] = {0, kMetaStatus, 0x2F, 0};
    AppendBytes(kEnd, sizeof kEnd);
    if (count >= kHeaderSize) WriteBigEndian32(buffer + 4, count - kHeaderSize);
    return 4;
}
