// One track of a Standard MIDI File, kept as the bytes of its "MTrk" chunk.
// Events are inserted at their absolute time, so the score walk may emit
// them in any order; the reader decodes the same bytes back into music
// events with note durations for the import.  The stream player derives
// from this class and keeps another event encoding in the same machinery.
#pragma once

#include <cstdint>
#include <vector>

#include "midi/music_track.h"
#include "platform/os_handles.h"

class cMidiTrackBase : public cMusicTrack {
public:
    // The decoding cursor: a music event plus the raw MIDI fields.
    class cMidiEvent : public cEvent {
    public:
        static constexpr uint8_t kNothing = 238;  // kind when nothing was decoded

        ~cMidiEvent() override = default;

        uint8_t kind = kNothing;  // status >> 4 & 7: 0 note-off .. 6 pitch bend, 7 system or meta
        uint8_t status = 0;       // the last channel status byte, kept for running status
        uint8_t data1Copy = 0;
        uint16_t data2 = 0;
        uint8_t runningStatus = 0;  // 1 when the event had no status byte of its own
        uint8_t lengthSize = 0;     // bytes of a meta or SysEx length
    };

    enum : uint8_t {
        kNoteOff = 0, kNoteOn, kKeyPressure, kControlChange, kProgramChange, kChannelPressure,
        kPitchBend, kSystem
    };
    static constexpr uint8_t kMetaStatus = 0xFF;
    static constexpr uint32_t kHeaderSize = 8;  // "MTrk" and the chunk length

    cMidiTrackBase(uint16_t ticksPerQuarter, uint32_t bufferSize, cMusicFile *owner);
    ~cMidiTrackBase() override;

    void Reset() override;
    void ResetState() override;
    int32_t PutTrackName(const char16_t *name) override;
    int32_t PutText(const char16_t *text) override;
    // Note-on at start, note-off before the note's end by the gap, but never
    // before the note-on; answers the sum of the two insertion positions, 0
    // (nothing written) for no pitch or a time that cannot be written.
    int32_t PutNote(int32_t pitch, uint32_t start, uint32_t duration) override;
    uint8_t PutProgramChange(uint8_t newPatch, uint32_t time) override;
    void PutTempo(int32_t beatsPerMinute) override;
    int32_t PutEndOfTrack() override;
    int32_t Dump(std::ostream *stream) override;
    tStatus ReadNextEvent(cEvent *out) override;
    uint32_t GetDataStart() override { return kHeaderSize; }
    void PutTimeSignature(int32_t numerator, int32_t denominator, int32_t clocksPerClick,
                          int32_t n32ndsPerQuarter) override;
    int32_t PutKeySignature(int32_t sharpsOrFlats, int32_t minor) override;
    // Reads one "MTrk" chunk from the file into the buffer; answers the bytes
    // read, 0 ("Stream error" raised) when the chunk is missing, not "MTrk"
    // or longer than what is left of the file.
    uint32_t ReadChunk(cBinaryFileBase *binaryFile) override;

    // Inserts a meta event (length at most 255) at a time, kAppendTime for
    // the end; answers its position or -1.
    virtual int32_t PutMetaEvent(const uint8_t *bytes, uint8_t metaType, uint32_t length, uint32_t time);
    // Decodes the event at p (after its delta), at most available bytes,
    // into the cursor; answers its length without the delta, or -1 when the
    // bytes are not a whole event.  Raises nothing.
    virtual int32_t ParseEvent(const uint8_t *p, uint32_t available, cMidiEvent &cursor);
    // Length of the cursor's event without the delta; -1 ("Bad file") when
    // it has no kind.
    virtual int32_t GetEventLength(const cMidiEvent &cursor);
    // A delta time at p, at most available bytes; *count receives the bytes
    // it took, 0 when the bytes are not a delta time.
    virtual uint32_t ReadDelta(const uint8_t *p, uint32_t available, uint32_t *count);
    // Writes the delta time into out (when not null); answers its length, 0
    // ("Bad data") for a value above kAppendTime.
    virtual uint32_t WriteDelta(uint32_t value, uint8_t *out);
    // Inserts the event at its start (kAppendTime: at the end); answers its
    // position or -1.
    virtual int32_t InsertEvent(const cMidiEvent &event);
    virtual void Play() {}
    virtual void Stop() {}
    // The window that receives the end notices (null: none).
    virtual tStatus SetNotifyWindow(tWindowHandle window) { return RC_FAIL; }
    // Three bytes, most significant first.
    virtual void Put24Bits(uint32_t value, uint8_t *out);

    // Decodes the delta and the event at a byte offset into the cursor,
    // adding the delta to its start and file time; answers the bytes of
    // both, or -1 ("NULL pointer" without a buffer, "Bad file" for bytes
    // that are not an event).
    int32_t ReadEventAt(uint32_t position, cMidiEvent &cursor);

    uint8_t SetVelocity(uint8_t v);
    uint32_t SetGap(uint32_t ticks);
    uint32_t GetReadPosition() const { return readPos; }
    const cMidiEvent &Cursor() const { return cursor; }

protected:
    // The encoded bytes of the event (without its delta) into out, which
    // holds GetEventLength bytes.
    virtual void EncodeEvent(const cMidiEvent &event, uint8_t *out);
    // The position where an event of the time goes: after every event at or
    // before it.  The cursor holds the time of the last of those.  -1 for a
    // time that is not one ("Bad data") or bytes that do not decode ("Bad
    // file").
    int32_t SeekTime(uint32_t time);
    // Decodes without raising; the look-ahead of the reader uses it.
    int32_t DecodeAt(uint32_t position, cMidiEvent &cursor);
    // Puts the empty chunk header back.
    void PutChunkHeader();
    // Keeps the signature in the cursor (the denominator as the power of two
    // the file stores) and in the track; false, raising nothing, for a
    // signature the file cannot hold.
    bool KeepTimeSignature(int32_t numerator, int32_t denominator, int32_t clocksPerClick,
                           int32_t n32ndsPerQuarter);
    // Appends raw event bytes (a zero delta and the event) at the end.
    void AppendBytes(const uint8_t *bytes, uint32_t n);
    void ForgetSeekHints();
    // The bytes changed: the note links must be found again.
    void ForgetNoteLinks() { linkedBuffer = nullptr; }
    // Makes room for n more bytes, growing geometrically, so that a long
    // track does not copy its bytes on every few hundred inserted.
    bool Reserve(uint32_t n);

    cMidiEvent cursor;
    uint8_t velocity = 64;
    uint32_t gap = 4;

    // Where recent insertions ended: every event before such a position is
    // at or before its time, so a later insertion at that time or after
    // need not decode the track from its start.  An insertion before a
    // position moves it on by the bytes inserted, which keeps it true.  A
    // score walk writes each note-on in time order and its note-off later;
    // the note-ons seek from the hint of an earlier note-on or note-off, so
    // writing a score is linear.  Only bytes written here have hints: they
    // never use running status, whose state a hint would have to carry.
    // Bytes read from a file may (fileBytes).
    struct sSeekHint {
        bool valid = false;
        uint32_t position = 0;
        uint32_t time = 0;
    };
    static constexpr uint32_t kSeekHints = 8;
    sSeekHint hints[kSeekHints];
    uint32_t nextHint = 0;
    bool fileBytes = false;
    bool useSeekHint = true;

private:
    // For every note-on of the track: the raw ticks to its note-off (the
    // first one of its channel and key after it) and to the next later
    // note-on of its channel.  Found in one pass over the track, so that
    // reading stays linear however far the notes reach.
    struct sNoteLink {
        uint32_t position;
        uint64_t time;
        uint32_t toNoteOff;
        uint32_t toNextOnset;
        bool hasNoteOff;
        bool hasNextOnset;
    };
    const sNoteLink *FindNoteLink(uint32_t position);
    void LinkNotes();

    std::vector<sNoteLink> noteLinks;
    uint32_t linkedCount = 0;
    const uint8_t *linkedBuffer = nullptr;

    void ReadNote();
    void QuantiseNote();
    void ReadMeta();
    void PrintDump(std::ostream &os, uint32_t maxSimultaneous);
};
