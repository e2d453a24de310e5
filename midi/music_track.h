// The music event track: the one interface through which the score writes
// or reads timed music events.  What becomes of the events is the derived
// class's business: Standard MIDI File bytes (cMidiTrackBase), stream records
// that are played (cMidiTrack), lines of a CSV note list (cMusicTrackCsv).
// Also the note-value arithmetic shared by import and rescaling, and the set
// of end times of the notes still sounding (cPlayDuration).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <set>

#include "foundation/array_buf.h"
#include "foundation/base_defs.h"
#include "foundation/vector_ptr.h"
#include "foundation/volume_control.h"
#include "midi/pitch.h"

class cMusicFile;
class cBinaryFileBase;

// The tick resolution of every note-value computation: written by each track
// constructor, SetTicksPerQuarter, file reading and the export walk.
extern uint32_t gTicksPerQuarter;

// gTicksPerQuarter shifted left by n (n >= 0) or right by -n.
uint32_t ScaleTicksPerQuarter(int32_t n);

// Times at or beyond this are not times: 0x0FFFFFFF means "append at the end".
constexpr uint32_t kAppendTime = 0x0FFFFFFF;

class cMusicTrack : public cArrayBuf, public cVolumeControl {
public:
    // A note value relative to the quarter: quarter x 2^exponent x
    // numerator / denominator.
    class cNoteTime {
    public:
        virtual ~cNoteTime() = default;

        // The value in ticks at tpq ticks per quarter.
        uint32_t ToTicks(uint32_t tpq) const;
        // Takes the value of t ticks at gTicksPerQuarter, rounded to the
        // nearest multiple of the finest unit (a sixty-fourth at 480: the
        // quarter halved at most four times); answers the rounded ticks.
        uint32_t FromTicks(uint32_t t);
        // Makes the value the shortest plain power-of-two note value not
        // shorter than it; answers its ticks at gTicksPerQuarter.
        uint32_t Normalise();

        int32_t numerator = 1;
        int32_t denominator = 1;
        int32_t exponent = 0;
    };

    // Event types, named as the dumps print them.
    enum : uint16_t {
        kTypeNone = 0, kTypeNote, kTypeRest, kTypeBeam, kTypeChord, kTypeMeasure, kTypeStaff,
        kTypePartId, kTypeTitle, kTypeText, kTypeInstrument, kTypeTempo, kTypeTimeSig,
        kTypeKeySig, kTypeData, kTypeOwnEnd, kTypePartEnd, kTypeTrackEnd, kTypeCount
    };
    static const char *TypeName(uint32_t type);

    // One music event.
    class cEvent : public cNoteTime {
    public:
        static constexpr int8_t kTimeUnset = -128;
        static constexpr int32_t kDefaultTempo = 500000;  // 120 beats per minute

        ~cEvent() override = default;

        // ClearNote, then start, file time, key, tonic, channel, channel mask,
        // programme, data1 and data length 0, time 4/2, the default tempo.
        virtual void Clear();
        // Type "TrackEnd", no pitch, duration, file duration, next onset 0.
        virtual void ClearNote();
        // Snaps a non-zero start to the note-value grid and moves a non-zero
        // duration so that the note's end snaps too.
        virtual void Quantise();
        // Converts a non-zero start and duration from gTicksPerQuarter to
        // tpq; with a stream and an owning track, prints the event.
        virtual void Rescale(uint32_t tpq, std::ostream *stream);
        virtual bool IsSameTime(const cEvent &other) const { return start == other.start; }
        virtual bool IsEarlier(const cEvent &other) const { return start < other.start; }
        // 60000000 / tempo; 0 for a tempo that is not positive.
        virtual int32_t GetBpm() const;

        cMusicTrack *track = nullptr;
        uint16_t type = kTypeTrackEnd;
        int16_t pitch = kNoPitch;
        uint32_t start = 0;          // absolute ticks
        uint32_t duration = 0;
        uint32_t fileTime = 0;       // summed raw deltas of a read file, never rounded
        uint32_t fileDuration = 0;   // raw ticks from a note-on to its note-off
        uint32_t nextOnset = 0;      // raw ticks to the next note-on of the channel
        int8_t key = 0;              // -7..7
        int8_t tonic = 0;            // letter 0..6 of the key's tonic
        int8_t timeNumerator = 4;    // kTimeUnset: the owning file's is taken
        uint8_t timeDenominator = 2; // exponent: 2 is a quarter
        int32_t tempo = kDefaultTempo;  // microseconds per quarter
        uint8_t channel = 0;
        uint32_t channelMask = 0;
        uint8_t programme = 0;
        uint8_t data1 = 0;           // key number or meta type
        uint32_t dataLength = 0;     // meta or SysEx length, or the second data byte
        const uint8_t *data = nullptr;  // inside the track buffer
        uint32_t position = 0;       // byte offset in the track buffer
    };

    cMusicTrack(uint16_t ticksPerQuarter, uint32_t bufferSize, cMusicFile *file);
    ~cMusicTrack() override;

    uint16_t SetTicksPerQuarter(uint16_t tpq);
    int32_t SetTranspose(int32_t semitones);
    uint16_t SetQuantum(uint16_t ticks);

    // Empties the event data; play state 0.
    virtual void Reset();
    virtual void WriteHeader() {}
    // Channel 0, no patch, transpose 0, empty buffer, time 4/2.
    virtual void ResetState();
    virtual void Close() {}
    virtual int32_t PutTrackName(const char16_t *name) { return 0; }
    virtual int32_t PutText(const char16_t *text) { return 0; }
    virtual void PlayNote(int32_t pitch, uint32_t duration) {}
    virtual uint8_t SetPatch(uint8_t newPatch);
    int32_t SetVolume(int32_t volume) override { return 0; }
    virtual int32_t GetVolume() { return 0; }
    virtual void PutPositionMark(uint32_t tag, uint32_t time) {}
    virtual void BreakChunk() {}
    virtual int32_t PutNote(int32_t pitch, uint32_t start, uint32_t duration) { return 0; }
    virtual uint8_t PutProgramChange(uint8_t newPatch, uint32_t time);
    virtual uint8_t SetChannel(uint8_t newChannel);
    virtual void PutTempo(int32_t beatsPerMinute) {}
    // One dump line for the event; nothing without a stream.
    virtual void PrintEvent(const cEvent &event, uint32_t tpq, std::ostream *stream);
    virtual int32_t PutEndOfTrack() { return 0; }
    virtual int32_t Dump(std::ostream *stream) { return 0; }
    // The next event into out: 0, or RC_FAIL when there is none.
    virtual tStatus ReadNextEvent(cEvent *out) { return RC_FAIL; }
    virtual uint32_t GetDataStart() { return 0; }
    virtual void PutTimeSignature(int32_t numerator, int32_t denominator, int32_t clocksPerClick,
                                  int32_t n32ndsPerQuarter);
    // Stores a key of -7..7; answers the stored key.
    virtual int32_t PutKeySignature(int32_t sharpsOrFlats, int32_t minor);
    virtual int32_t GetPlayState() { return playState; }
    virtual uint32_t ReadChunk(cBinaryFileBase *file) { return 0; }
    // Takes ownership and inserts the event among the pending events: after
    // every earlier one and before those of its own start.
    virtual cEvent *AddEvent(cEvent *event);

    uint16_t GetTicksPerQuarter() const { return ticksPerQuarter; }
    uint32_t GetTicksPerMeasure() const { return ticksPerMeasure; }
    uint16_t GetQuantum() const { return quantum; }
    uint8_t GetChannel() const { return channel; }
    uint8_t GetPatch() const { return patch; }
    int32_t GetTranspose() const { return transpose; }
    int8_t GetKeySignature() const { return keySignature; }
    int32_t GetTimeNumerator() const { return timeNumerator; }
    int32_t GetTimeDenominator() const { return timeDenominator; }
    cMusicFile *GetFile() const { return file; }
    const lcVectorPtr<cEvent> &PendingEvents() const { return pending; }
    const cEvent &LowestSummary() const { return lowest; }
    const cEvent &HighestSummary() const { return highest; }

    // Ticks of a measure of numerator beats of 2^-exponent wholes; 4 x tpq
    // when the numerator is unset, never 0.
    static uint32_t TicksPerMeasure(uint32_t tpq, int32_t numerator, uint32_t exponent);

protected:
    cEvent lowest;
    cEvent highest;
    lcVectorPtr<cEvent> pending;
    cMusicFile *file = nullptr;
    uint16_t ticksPerQuarter = 480;
    uint32_t ticksPerMeasure = 1920;
    uint16_t quantum = 0;
    uint8_t channel = 0;
    uint8_t patch = 255;
    uint8_t programChannel = 0;
    int32_t transpose = 0;
    int32_t playState = 0;
    int8_t keySignature = 0;
    int32_t timeNumerator = 4;
    int32_t timeDenominator = 2;
};

// Pending events are ordered by start through the event's own tests.
template <>
struct lcVectorPtrTraits<cMusicTrack::cEvent> : lcVectorPtrTraitsBase<cMusicTrack::cEvent> {
    static bool IsEqual(const cMusicTrack::cEvent &key, const cMusicTrack::cEvent &e) {
        return key.IsSameTime(e);
    }
    static bool IsBefore(const cMusicTrack::cEvent &key, const cMusicTrack::cEvent &e) {
        return key.IsEarlier(e);
    }
};

// The end times of the notes still sounding, each once, in order.
class cPlayDuration {
public:
    static constexpr uint32_t kNone = 0x0FFFFFFF;

    // Adds start + duration, then drops every end time not after start;
    // answers start.
    uint32_t Add(uint32_t start, uint32_t duration);
    // The earliest end time; kNone when nothing sounds.
    uint32_t Earliest() const;
    int32_t Clear();
    size_t Count() const { return ends.size(); }

private:
    std::set<uint32_t> ends;
};
