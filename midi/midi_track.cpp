// The player: stream records, chunks, playback and the stream callback.
#include "midi/midi_track.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>


PELMORA_ERROR_TABLE(kWinMidiErrors, u"WinMidi", u"Bad data", u"Bad file", u"NULL pointer", u"Stream error",
                    u"Buffer truncated");

void RaiseWinMidiError(uint32_t index) { RaiseError(&kWinMidiErrors, index); }

namespace {

constexpr uint8_t kMetaComment = 0x01;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint32_t kMaxCommentLength = 255;
constexpr uint32_t kTimerResolutionMs = 2;
// How long the caller waits for the driver to give buffers back before it
// resets the output, and again before it gives up.
constexpr auto kReleaseWait = std::chrono::seconds(2);

uint32_t ReadLe32(const uint8_t *p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void WriteLe32(uint8_t *p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

uint32_t PaddedLength(uint32_t length) { return (length + 3) & ~3u; }

void PauseBriefly() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

}  // namespace

cMidiTrack::cMidiTrack(uint16_t tpq, uint32_t bufferSize)
    : cMidiTrackBase(tpq, bufferSize, nullptr), driver(GetMidiDriver()), timeDivision(tpq) {
    EmptyBuffer();
    for (uint32_t i = 0; i < kMaxChunks; ++i) {
        headers[i] = std::make_unique<sMidiStreamBuffer>();
        headers[i]->user = i;
    }
    sMidiOutCaps caps;
    if (driver->GetDevCaps(kMidiMapper, caps) != kMidiOk) {
        // Without a mapper: the first device that can sound notes.  When
        // none can, the id is the device count and the open fails.
        uint32_t devices = driver->GetNumDevs();
        uint32_t id = 0;
        for (; id < devices; ++id) {
            sMidiOutCaps device;
            if (driver->GetDevCaps(id, device) == kMidiOk && device.voices != 0 && device.notes != 0) break;
        }
        deviceId = id;
    }
    volume = 50;
    if (driver->StreamOpen(deviceId, this, &stream) != kMidiOk)
        stream = nullptr;
    else
        driver->SetTimeDivision(stream, timeDivision);
}

cMidiTrack::~cMidiTrack() {
    EndPreviewNote();
    // A preview timer that fired just now may still be inside this object.
    auto until = std::chrono::steady_clock::now() + kReleaseWait;
    while (timerCallbacks.load() != 0 && std::chrono::steady_clock::now() < until) PauseBriefly();
    if (stream) {
        StopOutput(true);
        driver->StreamClose(stream);
        stream = nullptr;
    }
}

void cMidiTrack::EmptyBuffer() {
    Clear();
    ForgetSeekHints();
    ForgetNoteLinks();
    std::fill(std::begin(chunkEnds), std::end(chunkEnds), 0u);
    lastChunk = 0;
    truncationReported = false;
    currentChunk.store(0);
}

// ---- Records ------------------------------------------------------------

uint32_t cMidiTrack::ReadDelta(const uint8_t *p, uint32_t available, uint32_t *countOut) {
    if (available < 8) {
        if (countOut) *countOut = 0;
        return 0;
    }
    if (countOut) *countOut = 8;
    return ReadLe32(p);
}

uint32_t cMidiTrack::WriteDelta(uint32_t value, uint8_t *out) {
    if (out) {
        WriteLe32(out, value);
        WriteLe32(out + 4, 0);  // the stream id
    }
    return 8;
}

void cMidiTrack::Put24Bits(uint32_t value, uint8_t *out) {
    out[0] = uint8_t(value);
    out[1] = uint8_t(value >> 8);
    out[2] = uint8_t(value >> 16);
}

int32_t cMidiTrack::GetEventLength(const cMidiEvent &event) {
    if (event.kind < kSystem) return 4;
    if (event.kind == kSystem) {
        if (event.data1 == kMetaTempo) return 4;
        return int32_t(PaddedLength(std::min(event.dataLength, kMaxCommentLength)) + 4);
    }
    RaiseWinMidiError(kWinMidiBadFile);
    return -1;
}

int32_t cMidiTrack::ParseEvent(const uint8_t *p, uint32_t available, cMidiEvent &ev) {
    if (available < 4) return -1;
    uint32_t type = p[3] & ~kEventCallbackFlag;
    ev.runningStatus = 0;
    ev.lengthSize = 0;
    ev.data = nullptr;
    switch (type) {
    case kEventShortMsg: {
        uint8_t status = p[0];
        if (!(status & 0x80) || status >= 0xF0) return -1;
        ev.kind = status >> 4 & 7;
        ev.channel = status & 0x0F;
        ev.status = status;
        ev.data1 = p[1];
        ev.data2 = (ev.kind == kProgramChange || ev.kind == kChannelPressure) ? 0 : p[2];
        ev.dataLength = ev.data2;
        ev.data1Copy = ev.data1;
        if (ev.kind == kNoteOn && ev.data2 == 0) ev.kind = kNoteOff;
        return 4;
    }
    case kEventTempo:
        ev.kind = kSystem;
        ev.channel = 0x0F;
        ev.data1 = ev.data1Copy = kMetaTempo;
        ev.dataLength = ev.data2 = 3;
        ev.data = p;
        return 4;
    case kEventNop:
        ev.kind = cMidiEvent::kNothing;
        return 4;
    case kEventLongFlag:
    case kEventComment: {
        if (p[1] != 0 || p[2] != 0) return -1;
        uint32_t length = p[0];
        if (PaddedLength(length) > available - 4) return -1;
        ev.kind = kSystem;
        ev.channel = 0x0F;
        ev.data1 = ev.data1Copy = kMetaComment;
        ev.dataLength = ev.data2 = uint16_t(length);
        ev.data = p + 4;
        return int32_t(4 + PaddedLength(length));
    }
    default:
        return -1;
    }
}

void cMidiTrack::EncodeEvent(const cMidiEvent &ev, uint8_t *out) {
    if (ev.kind != kSystem) {
        uint32_t status = 0x80 | uint32_t(ev.kind) << 4 | (ev.channel & 0x0F);
        uint32_t word = status | uint32_t(ev.data1 & 0x7F) << 8;
        if (ev.kind != kProgramChange && ev.kind != kChannelPressure) word |= uint32_t(ev.data2 & 0x7F) << 16;
        WriteLe32(out, word | kEventShortMsg << 24);
        return;
    }
    if (ev.data1 == kMetaTempo) {
        for (uint32_t i = 0; i < 3; ++i) out[i] = ev.data && i < ev.dataLength ? ev.data[i] : 0;
        out[3] = kEventTempo;
        return;
    }
    uint32_t length = std::min(ev.dataLength, kMaxCommentLength);
    WriteLe32(out, length | kEventComment << 24);
    if (length && ev.data) std::memcpy(out + 4, ev.data, length);
    std::memset(out + 4 + length, 0, PaddedLength(length) - length);
}

int32_t cMidiTrack::InsertEvent(const cMidiEvent &event) {
    if (event.kind >= 8 || (event.kind == kSystem && event.channel != 0x0F)) {
        RaiseWinMidiError(kWinMidiBadData);
        return -1;
    }
    uint32_t before = count;
    int32_t at = cMidiTrackBase::InsertEvent(event);
    if (at < 0) return -1;
    uint32_t position = uint32_t(at);
    uint32_t inserted = count - before;
    // Every end behind the insertion point moves with the bytes behind it,
    // so that no chunk ends inside a record.
    for (uint32_t i = 0; i <= lastChunk; ++i)
        if (chunkEnds[i] > position) chunkEnds[i] += inserted;
    // A channel message other than a note-off extends the chunk being
    // filled.  Records of a closed chunk stay in it.
    if (event.kind != kSystem && event.kind != kNoteOff)
        chunkEnds[lastChunk] = std::max(chunkEnds[lastChunk], position + inserted);
    return at;
}

// ---- What the walk writes -----------------------------------------------

int32_t cMidiTrack::PutMetaEvent(const uint8_t *bytes, uint8_t metaType, uint32_t length, uint32_t time) {
    uint8_t type = metaType == kMetaTempo && length == 3 ? kMetaTempo : kMetaComment;
    return cMidiTrackBase::PutMetaEvent(bytes, type, length, time);
}

void cMidiTrack::PutPositionMark(uint32_t tag, uint32_t time) {
    uint8_t bytes[4];
    WriteLe32(bytes, tag);
    int32_t at = PutMetaEvent(bytes, kMetaComment, 4, time);
    if (at >= 0) buffer[uint32_t(at) + 11] |= kEventCallbackFlag;
}

void cMidiTrack::PutTimeSignature(int32_t n, int32_t d, int32_t clocks, int32_t n32nds) {
    if (!KeepTimeSignature(n, d, clocks, n32nds)) RaiseWinMidiError(kWinMidiBadData);
}

int32_t cMidiTrack::PutKeySignature(int32_t sharpsOrFlats, int32_t minor) {
    return cMusicTrack::PutKeySignature(sharpsOrFlats, minor);
}

void cMidiTrack::BreakChunk() {
    uint32_t start = GetChunkStart(lastChunk);
    if (count <= start || count - start <= kChunkSize) return;
    // A chunk that holds no record that could end it yet goes on.
    if (chunkEnds[lastChunk] <= start) return;
    if (lastChunk + 1 >= kMaxChunks) {
        // Once per pass: the walk asks at every break point.
        if (!truncationReported) RaiseWinMidiError(kWinMidiBufferTruncated);
        truncationReported = true;
        return;
    }
    ++lastChunk;
    chunkEnds[lastChunk] = chunkEnds[lastChunk - 1];
}

int32_t cMidiTrack::PutEndOfTrack() {
    if (count % 4 != 0) RaiseWinMidiError(kWinMidiBadData);
    chunkEnds[lastChunk] = count;
    return 0;
}

tStatus cMidiTrack::ReadNextEvent(cEvent *out) {
    uint32_t before = readPos;
    tStatus result = cMidiTrackBase::ReadNextEvent(out);
    // The reader takes tempo bytes most significant first; a tempo record
    // holds them the other way round.
    if (result == RC_OK && readPos != before && cursor.type == kTypeTempo && cursor.data) {
        const uint8_t *d = cursor.data;
        cursor.tempo = int32_t(uint32_t(d[0]) | uint32_t(d[1]) << 8 | uint32_t(d[2]) << 16);
        if (out) out->tempo = cursor.tempo;
    }
    return result;
}

// ---- Playback -----------------------------------------------------------

tStatus cMidiTrack::SetNotifyWindow(tWindowHandle window) {
    notifyWindow.store(window);
    return RC_OK;
}

tStatus cMidiTrack::PrepareChunk(uint32_t i) {
    UnprepareChunk(i);
    if (prepared[i]) {
        RaiseWinMidiError(kWinMidiStreamError);
        return RC_FAIL;
    }
    sMidiStreamBuffer &header = *headers[i];
    uint32_t start = GetChunkStart(i);
    header.data = buffer + start;
    header.bufferLength = header.bytesRecorded = chunkEnds[i] - start;
    header.user = i;
    header.offset.store(0);
    if (driver->PrepareHeader(stream, &header) != kMidiOk) {
        RaiseWinMidiError(kWinMidiStreamError);
        return RC_FAIL;
    }
    prepared[i] = true;
    return RC_OK;
}

void cMidiTrack::UnprepareChunk(uint32_t i) {
    if (!prepared[i]) return;
    auto until = std::chrono::steady_clock::now() + kReleaseWait;
    uint32_t result;
    while ((result = driver->UnprepareHeader(stream, headers[i].get())) == kMidiStillPlaying &&
           std::chrono::steady_clock::now() < until)
        PauseBriefly();
    // A buffer the driver still holds stays marked, so that it is asked again.
    if (result != kMidiStillPlaying) prepared[i] = false;
}

void cMidiTrack::UnprepareAll() {
    for (uint32_t i = 0; i < kMaxChunks; ++i) UnprepareChunk(i);
}

void cMidiTrack::StopOutput(bool reset) {
    streamState.store(0);
    playState = 0;
    if (!stream) return;
    if (reset)
        driver->OutReset(stream);
    else
        driver->StreamStop(stream);
    ReleaseChunks();
}

void cMidiTrack::ReleaseChunks() {
    auto until = std::chrono::steady_clock::now() + kReleaseWait;
    bool resetDone = false;
    while (returnedCount.load() < queuedCount.load()) {
        if (std::chrono::steady_clock::now() >= until) {
            if (resetDone) break;  // the driver keeps them: give up waiting
            driver->OutReset(stream);
            resetDone = true;
            until = std::chrono::steady_clock::now() + kReleaseWait;
        }
        PauseBriefly();
    }
    UnprepareAll();
    queuedCount.store(0);
    returnedCount.store(0);
}

void cMidiTrack::Play() {
    if (!stream) {
        RaiseWinMidiError(kWinMidiStreamError);
        return;
    }
    // The stream is paused and empty before a pass is queued, so no chunk
    // can come back before the pass is set up.
    StopOutput(false);
    uint32_t order[kMaxChunks];
    uint32_t n = 0;
    for (uint32_t i = 0; i <= lastChunk; ++i) {
        if (chunkEnds[i] <= GetChunkStart(i)) continue;
        if (PrepareChunk(i) < 0) break;
        order[n++] = i;
    }
    uint32_t queued = 0;
    if (n > 0) {
        lastQueued.store(order[n - 1]);
        currentChunk.store(order[0]);
        streamState.store(2);
        playState = 2;
        for (; queued < n; ++queued) {
            if (driver->StreamOut(stream, headers[order[queued]].get()) != kMidiOk) {
                RaiseWinMidiError(kWinMidiStreamError);
                break;
            }
            queuedCount.store(queued + 1);
        }
    }
    if (queued == 0) {
        // Nothing to play: the pass is over at once.
        streamState.store(0);
        playState = 0;
        UnprepareAll();
        if (tWindowHandle window = notifyWindow.load()) driver->PostNotice(window, kMomDone, 0);
        return;
    }
    lastQueued.store(order[queued - 1]);
    for (uint32_t k = queued; k < n; ++k) UnprepareChunk(order[k]);
    driver->StreamRestart(stream);
}

void cMidiTrack::Stop() { StopOutput(false); }

int32_t cMidiTrack::GetPlayState() { return streamState.load(); }

void cMidiTrack::Reset() {
    EndPreviewNote();
    StopOutput(true);
    cMidiTrackBase::Reset();
    EmptyBuffer();
}

void cMidiTrack::ResetState() {
    if (queuedCount.load() != 0 || std::any_of(std::begin(prepared), std::end(prepared), [](bool p) { return p; }))
        StopOutput(true);
    cMidiTrackBase::ResetState();
    EmptyBuffer();
    volume = 50;
}

// Runs on the driver's thread: nothing here calls the stream or waits.
void cMidiTrack::OnStreamMessage(uint32_t message, sMidiStreamBuffer *header) {
    if (message == kMomDone) {
        uint32_t index = header ? uint32_t(header->user) : currentChunk.load();
        currentChunk.store(index + 1);
        int32_t playing = 2;
        if (index == lastQueued.load() && streamState.compare_exchange_strong(playing, 0)) {
            if (tWindowHandle window = notifyWindow.load()) driver->PostNotice(window, kMomDone, 0);
        }
        // Last: once every chunk is counted back the caller may reuse them.
        returnedCount.fetch_add(1);
    } else if (message == kMomPositionCb) {
        tWindowHandle window = notifyWindow.load();
        if (!window || !header || !header->data || streamState.load() != 2) return;
        uint32_t offset = header->offset.load();
        if (offset > header->bytesRecorded || header->bytesRecorded - offset < kRecordHeaderSize + 4) return;
        // The window gets the mark's tag, which it maps back itself.
        uint32_t tag = ReadLe32(header->data + offset + kRecordHeaderSize);
        driver->PostNotice(window, kMomPositionCb, intptr_t(tag));
    }
}

// ---- Preview note and volume --------------------------------------------

void cMidiTrack::SendShortMessage(uint32_t message) {
    if (stream) driver->OutShortMsg(stream, message);
}

void cMidiTrack::PlayNote(int32_t pitch, uint32_t duration) {
    EndPreviewNote();
    if (int16_t(pitch) == kNoPitch) return;
    int32_t key = std::clamp<int32_t>(PitchToSemitone(int16_t(pitch)) + int16_t(transpose) + 60, 0, 127);
    uint32_t ch = channel & 0x0F;
    uint32_t vel = velocity & 0x7F;
    uint32_t tpq = gTicksPerQuarter & 0xFFFF;
    uint64_t ms = uint64_t(duration) * 600 / (tpq ? tpq : 1);  // a quarter lasts 600 ms
    // The timer comes first: without one nothing would end the note, so
    // nothing is sent.  Should it fire before the note-on is out, it leaves
    // the ending to this call, so that the note-off never overtakes it.
    previewStarting.store(true);
    uint32_t id = driver->SetTimer(uint32_t(std::min<uint64_t>(ms, UINT32_MAX)), kTimerResolutionMs, this);
    if (id == 0) {
        previewStarting.store(false);
        return;
    }
    previewTimer.store(id);
    // A patch of 255 is none: no programme change then.
    if (patch < 128) SendShortMessage(0xC0 | ch | uint32_t(patch) << 8);
    SendShortMessage(0x90 | ch | uint32_t(key) << 8 | vel << 16);
    noteOff.store(0x80 | ch | uint32_t(key) << 8 | vel << 16);
    if (!previewStarting.exchange(false)) EndPreviewNote();  // its timer has fired already
}

void cMidiTrack::EndPreviewNote() {
    if (uint32_t id = previewTimer.exchange(0)) driver->KillTimer(id);
    if (uint32_t message = noteOff.exchange(0)) SendShortMessage(message);
}

void cMidiTrack::OnTimer(uint32_t timerId) {
    timerCallbacks.fetch_add(1);
    // A timer of an earlier preview that fired while a new one was armed
    // leaves the new one alone.
    uint32_t current = previewTimer.load();
    if (current == 0 || current == timerId) {
        // A note still being started is ended by PlayNote once its note-on
        // is out.
        bool starting = true;
        if (!previewStarting.compare_exchange_strong(starting, false)) EndPreviewNote();
    }
    timerCallbacks.fetch_sub(1);
}

int32_t cMidiTrack::SetVolume(int32_t newVolume) {
    if (stream) {
        uint32_t word = uint32_t(std::clamp<int32_t>(newVolume, 0, 100)) * 655;
        driver->OutSetVolume(stream, word | word << 16);
    }
    return volume;
}

int32_t cMidiTrack::GetVolume() {
    uint32_t word = 0;
    if (stream && driver->OutGetVolume(stream, &word) == kMidiOk) volume = int32_t((word & 0xFFFF) / 655);
    return volume;
}
