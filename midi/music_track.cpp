#include "midi/music_track.h"

#include "foundation/char_string.h"

uint32_t gTicksPerQuarter = 480;

namespace {

// Shifts that stay defined for any count: beyond the width everything is
// shifted out.
uint64_t ShiftBy(uint64_t v, int32_t n) {
    if (n >= 0) return n >= 32 ? 0 : v << n;
    return n <= -64 ? 0 : v >> -n;
}

uint32_t ClampTicks(uint64_t v) { return v > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(v); }

}  // namespace

uint32_t ScaleTicksPerQuarter(int32_t n) { return ClampTicks(ShiftBy(gTicksPerQuarter & 0xFFFF, n)); }

// ---- Note values --------------------------------------------------------

uint32_t cMusicTrack::cNoteTime::ToTicks(uint32_t tpq) const {
    int64_t ticks = int64_t(ShiftBy(tpq, exponent)) * numerator;
    if (denominator != 0) ticks /= denominator;
    return ticks < 0 ? 0 : ClampTicks(uint64_t(ticks));
}

uint32_t cMusicTrack::cNoteTime::FromTicks(uint32_t t) {
    uint32_t tpq = gTicksPerQuarter & 0xFFFF;
    uint32_t unit = tpq;
    exponent = 0;
    for (int i = 0; i < 4 && unit != 0 && unit % 2 == 0; ++i) {
        unit /= 2;
        --exponent;
    }
    if (unit == 0) unit = 1;  // no resolution: nothing to round to
    if (t < unit) t = unit;
    uint32_t n = t / unit;
    // Exactly half a unit rounds down.
    if (2ull * (t % unit) > unit) ++n;
    while (n != 0 && n % 2 == 0) {
        n /= 2;
        ++exponent;
    }
    numerator = int32_t(n);
    denominator = 1;
    return ToTicks(tpq);
}

uint32_t cMusicTrack::cNoteTime::Normalise() {
    if (numerator > 1) {
        uint32_t n = 2 * HighestBit(uint32_t(numerator));
        while (n % 2 == 0) {
            n /= 2;
            ++exponent;
        }
        numerator = int32_t(n);
    }
    return ToTicks(gTicksPerQuarter & 0xFFFF);
}

// ---- Events -------------------------------------------------------------

const char *cMusicTrack::TypeName(uint32_t type) {
    static const char *const kNames[kTypeCount] = {
        "None", "Note", "Rest", "Beam", "Chord", "Measure", "Staff", "PartId", "Title",
        "Text", "Instr.", "Tempo", "TimeSig", "KeySig", "Data", "OwnEnd", "PartEnd", "TrackEnd"};
    return type < kTypeCount ? kNames[type] : "?";
}

void cMusicTrack::cEvent::ClearNote() {
    type = kTypeTrackEnd;
    pitch = kNoPitch;
    duration = 0;
    fileDuration = 0;
    nextOnset = 0;
}

void cMusicTrack::cEvent::Clear() {
    ClearNote();
    start = 0;
    fileTime = 0;
    key = 0;
    tonic = 0;
    channel = 0;
    channelMask = 0;
    programme = 0;
    data1 = 0;
    dataLength = 0;
    timeNumerator = 4;
    timeDenominator = 2;
    tempo = kDefaultTempo;
}

void cMusicTrack::cEvent::Quantise() {
    uint32_t oldStart = start;
    if (start != 0) start = FromTicks(start);
    if (duration != 0) {
        uint32_t end = FromTicks(oldStart + duration);
        duration = end > start ? end - start : 0;
    }
}

void cMusicTrack::cEvent::Rescale(uint32_t tpq, std::ostream *stream) {
    if (start != 0) {
        FromTicks(start);
        start = ToTicks(tpq);
    }
    if (duration != 0) {
        FromTicks(duration);
        duration = ToTicks(tpq);
    }
    if (stream && track) track->PrintEvent(*this, tpq, stream);
}

int32_t cMusicTrack::cEvent::GetBpm() const { return tempo > 0 ? 60000000 / tempo : 0; }

// ---- The track ----------------------------------------------------------

cMusicTrack::cMusicTrack(uint16_t tpq, uint32_t bufferSize, cMusicFile *owner)
    : cArrayBuf(bufferSize), file(owner), ticksPerQuarter(tpq) {
    lowest.Clear();
    highest.Clear();
    gTicksPerQuarter = tpq;
    ticksPerMeasure = TicksPerMeasure(tpq, timeNumerator, uint32_t(timeDenominator));
}

cMusicTrack::~cMusicTrack() = default;  // the pending list deletes its events

uint16_t cMusicTrack::SetTicksPerQuarter(uint16_t tpq) {
    uint16_t previous = ticksPerQuarter;
    ticksPerQuarter = tpq;
    gTicksPerQuarter = tpq;
    return previous;
}

int32_t cMusicTrack::SetTranspose(int32_t semitones) {
    int32_t previous = transpose;
    transpose = semitones;
    return previous;
}

uint16_t cMusicTrack::SetQuantum(uint16_t ticks) {
    uint16_t previous = quantum;
    quantum = ticks;
    return previous;
}

void cMusicTrack::Reset() {
    Clear();
    playState = 0;
}

void cMusicTrack::ResetState() {
    channel = 0;
    patch = 255;
    programChannel = 0;
    transpose = 0;
    Clear();
    timeNumerator = 4;
    timeDenominator = 2;
}

uint8_t cMusicTrack::SetPatch(uint8_t newPatch) {
    uint8_t previous = patch;
    patch = newPatch;
    return previous;
}

uint8_t cMusicTrack::PutProgramChange(uint8_t newPatch, uint32_t) {
    patch = newPatch;
    return newPatch;
}

uint8_t cMusicTrack::SetChannel(uint8_t newChannel) {
    uint8_t previous = channel;
    channel = newChannel;
    return previous;
}

void cMusicTrack::PutTimeSignature(int32_t numerator, int32_t denominator, int32_t, int32_t) {
    timeNumerator = numerator;
    timeDenominator = denominator;
}

int32_t cMusicTrack::PutKeySignature(int32_t sharpsOrFlats, int32_t) {
    if (sharpsOrFlats >= -7 && sharpsOrFlats <= 7) keySignature = int8_t(sharpsOrFlats);
    return keySignature;
}

cMusicTrack::cEvent *cMusicTrack::AddEvent(cEvent *event) {
    if (!event) return nullptr;
    pending.InsertSorted(event, false);
    return event;
}

uint32_t cMusicTrack::TicksPerMeasure(uint32_t tpq, int32_t numerator, uint32_t exponent) {
    uint64_t whole = 4ull * (tpq & 0xFFFF);
    if (numerator == cEvent::kTimeUnset) return whole ? uint32_t(whole) : 1;
    uint64_t beat = exponent >= 32 ? 0 : whole >> exponent;
    uint64_t m = beat * uint64_t(numerator > 0 ? numerator : 0);
    if (m == 0) return 1;
    return ClampTicks(m);
}

// ---- Sounding notes -----------------------------------------------------

uint32_t cPlayDuration::Add(uint32_t start, uint32_t duration) {
    ends.insert(start + duration);
    while (!ends.empty() && *ends.begin() <= start) ends.erase(ends.begin());
    return start;
}

uint32_t cPlayDuration::Earliest() const { return ends.empty() ? kNone : *ends.begin(); }

int32_t cPlayDuration::Clear() {
    ends.clear();
    return 0;
}
