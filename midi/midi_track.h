// The player: a MIDI track whose buffer holds stream records instead of
// Standard MIDI File bytes, cut into chunks that the MIDI stream plays one
// after the other.  The same object sounds the preview note of a placed
// note, sets the output volume, and is the metronome's click track.
//
// Stream record, all words little-endian: the delta time in ticks, the
// stream id (always 0), the event word (top byte: the record's type and
// flags), then for a comment its data padded to whole words.
//
// Threads: the caller's thread fills, plays, stops and resets; the
// driver's thread reports finished chunks and passed position marks.  That
// callback only updates the play state and counters and posts notices to
// the notify window; every stream call happens on the caller's thread, so
// the callback never waits for a thread that may be waiting for the driver.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "foundation/error_msg.h"
#include "midi/midi_driver.h"
#include "midi/midi_track_base.h"

// "WinMidi", logged only.
extern const sErrorTable kWinMidiErrors;
enum : uint32_t {
    kWinMidiBadData = 0,
    kWinMidiBadFile = 1,
    kWinMidiNullPointer = 2,
    kWinMidiStreamError = 3,
    kWinMidiBufferTruncated = 4,
};
void RaiseWinMidiError(uint32_t index);

class cMidiTrack : public cMidiTrackBase, private cMidiStreamClient, private cMidiTimerClient {
public:
    static constexpr uint32_t kMaxChunks = 64;
    // A chunk is cut once it holds more than this many bytes.
    static constexpr uint32_t kChunkSize = 0xC000;
    static constexpr uint32_t kRecordHeaderSize = 12;  // delta, stream id, event word

    // Event word types (top byte) and flags.
    enum : uint32_t {
        kEventShortMsg = 0x00,
        kEventTempo = 0x01,
        kEventNop = 0x02,
        kEventLongFlag = 0x80,
        kEventComment = 0x82,
        kEventCallbackFlag = 0x40,
    };

    // Opens a stream on the MIDI mapper, else on the first device with
    // voices and notes; without one the player has no stream and plays
    // nothing.  The stream's time division stays ticksPerQuarter.
    cMidiTrack(uint16_t ticksPerQuarter, uint32_t bufferSize);
    ~cMidiTrack() override;

    // Whether a stream is open: without one Play only logs "Stream error".
    bool HasStream() const { return stream != nullptr; }
    uint32_t GetDeviceId() const { return deviceId; }

    // Stops the output, unprepares every chunk and empties the buffer.
    void Reset() override;
    // Channel, patch, transpose, time signature, velocity, gap and volume
    // back to their first values; the buffer is emptied as by Reset.
    void ResetState() override;
    int32_t PutTrackName(const char16_t *) override { return 0; }
    void PlayNote(int32_t pitch, uint32_t duration) override;
    // Sets the device's volume (0..100 on both channels); answers the
    // stored volume, which only GetVolume changes.
    int32_t SetVolume(int32_t volume) override;
    int32_t GetVolume() override;
    // A comment record holding the tag, flagged so that the stream reports
    // the moment it is played.
    void PutPositionMark(uint32_t tag, uint32_t time) override;
    // Starts a new chunk when the one being filled holds more than
    // kChunkSize bytes.  The chunk ends after its last record that is not a
    // note-off, so the note-offs still to come go into the next one.
    void BreakChunk() override;
    // The chunk being filled takes the rest of the buffer.
    int32_t PutEndOfTrack() override;
    tStatus ReadNextEvent(cEvent *out) override;
    uint32_t GetDataStart() override { return 0; }
    // Only the cursor keeps the signature; the stream has no record for it.
    void PutTimeSignature(int32_t numerator, int32_t denominator, int32_t clocksPerClick,
                          int32_t n32ndsPerQuarter) override;
    // Keeps the key; the stream has no record for it.
    int32_t PutKeySignature(int32_t sharpsOrFlats, int32_t minor) override;

    // A tempo stays a tempo record; every other meta event becomes a comment.
    int32_t PutMetaEvent(const uint8_t *bytes, uint8_t metaType, uint32_t length, uint32_t time) override;
    int32_t ParseEvent(const uint8_t *p, uint32_t available, cMidiEvent &cursor) override;
    int32_t GetEventLength(const cMidiEvent &cursor) override;
    // The delta word and the stream id: always 8 bytes.
    uint32_t ReadDelta(const uint8_t *p, uint32_t available, uint32_t *count) override;
    uint32_t WriteDelta(uint32_t value, uint8_t *out) override;
    // Also keeps the chunk ends on record boundaries: an end after the
    // insertion point moves on by the bytes inserted.
    int32_t InsertEvent(const cMidiEvent &event) override;
    // Prepares every chunk, queues them all in order and starts the stream.
    void Play() override;
    // Stops the stream; returns once every chunk is back and unprepared.
    // A stopped pass sends no end notice.
    void Stop() override;
    // 2 from Play until the pass ends or is stopped, else 0.
    int32_t GetPlayState() override;
    tStatus SetNotifyWindow(tWindowHandle window) override;
    // Three bytes, least significant first, as a tempo record holds them.
    void Put24Bits(uint32_t value, uint8_t *out) override;
    // Ends the preview note: its timer is killed and its note-off sent.
    virtual void EndPreviewNote();

    uint32_t GetLastChunk() const { return lastChunk; }
    // Byte offset where chunk i ends (it starts where chunk i - 1 ends).
    uint32_t GetChunkEnd(uint32_t i) const { return i < kMaxChunks ? chunkEnds[i] : 0; }
    uint32_t GetChunkStart(uint32_t i) const { return i == 0 ? 0 : GetChunkEnd(i - 1); }
    // The chunk the stream is playing (advanced as chunks come back).
    uint32_t GetCurrentChunk() const { return currentChunk.load(); }
    tWindowHandle GetNotifyWindow() const { return notifyWindow.load(); }
    // Whether chunk i's buffer is prepared for the stream.
    bool IsChunkPrepared(uint32_t i) const { return i < kMaxChunks && prepared[i]; }
    uint32_t GetPreviewTimer() const { return previewTimer.load(); }
    uint32_t GetStoredNoteOff() const { return noteOff.load(); }

protected:
    void EncodeEvent(const cMidiEvent &event, uint8_t *out) override;

private:
    void OnStreamMessage(uint32_t message, sMidiStreamBuffer *header) override;
    void OnTimer(uint32_t timerId) override;

    tStatus PrepareChunk(uint32_t i);
    // Unprepares chunk i's buffer, retrying a while as the stream lets it go.
    void UnprepareChunk(uint32_t i);
    void UnprepareAll();
    // Play state 0, then the stream stopped (or reset, which also silences
    // every note) and its chunks released.
    void StopOutput(bool reset);
    // After a stop or reset of the stream: waits until every queued chunk
    // has come back from the driver, then unprepares them all.
    void ReleaseChunks();
    // Empties the buffer and the chunk list.
    void EmptyBuffer();
    void SendShortMessage(uint32_t message);

    cMidiDriver *driver;
    std::unique_ptr<sMidiStreamBuffer> headers[kMaxChunks];
    bool prepared[kMaxChunks] = {};
    tMidiStream stream = nullptr;
    std::atomic<tWindowHandle> notifyWindow{nullptr};
    uint32_t timeDivision;
    uint32_t deviceId = kMidiMapper;
    uint32_t chunkEnds[kMaxChunks] = {};
    uint32_t lastChunk = 0;
    bool truncationReported = false;
    int32_t volume = 50;

    // Shared with the driver's thread.
    std::atomic<int32_t> streamState{0};  // the play state as the callback sees it
    std::atomic<uint32_t> currentChunk{0};
    std::atomic<uint32_t> lastQueued{0};
    std::atomic<uint32_t> queuedCount{0};
    std::atomic<uint32_t> returnedCount{0};

    // Shared with the timer thread.
    std::atomic<uint32_t> noteOff{0};
    std::atomic<uint32_t> previewTimer{0};
    std::atomic<uint32_t> timerCallbacks{0};  // callbacks running now
    std::atomic<bool> previewStarting{false};  // PlayNote is between its timer and its note-on
};
