// Diagnostic text forms of MIDI data: one line per event, and the per-track
// dump with its summary pass, which the import also runs silently.
#include <algorithm>
#include <iomanip>
#include <ostream>

#include "midi/gm_names.h"
#include "midi/midi_track_base.h"
#include "midi/music_file.h"
#include "platform/op_sys_base.h"

namespace {

// Keeps the stream's number format as the caller had it.
class cStreamFormat {
public:
    explicit cStreamFormat(std::ostream &s) : os(s), flags(s.flags()), precision(s.precision()), fill(s.fill()) {}
    ~cStreamFormat() {
        os.flags(flags);
        os.precision(precision);
        os.fill(fill);
    }

private:
    std::ostream &os;
    std::ios::fmtflags flags;
    std::streamsize precision;
    char fill;
};

void PutMeasureAndBeat(std::ostream &os, uint32_t time, uint32_t measure, uint32_t tpq) {
    os << "(" << std::setw(4) << time / measure + 1 << "/" << std::setw(5) << double(time % measure) / tpq + 1
       << ")";
}

void PutPitch(std::ostream &os, int32_t pitch) {
    if (pitch == kNoPitch) {
        os << "     ";
        return;
    }
    static const char *const kAlterations[5] = {"bb", " b", "  ", " #", "##"};
    sPitch p(static_cast<int16_t>(pitch));
    os << kAlterations[p.GetAlteration() + 2] << "CDEFGAB"[p.GetLetter()] << std::setw(2) << p.GetOctave();
}

}  // namespace

void cMusicTrack::PrintEvent(const cEvent &ev, uint32_t tpq, std::ostream *stream) {
    if (!stream) return;
    std::ostream &os = *stream;
    cStreamFormat keep(os);
    os.precision(3);
    os.fill(' ');
    os << std::right;
    int32_t numerator = ev.timeNumerator;
    uint32_t exponent = ev.timeDenominator;
    if (numerator == cEvent::kTimeUnset && file) {
        numerator = file->State().timeNumerator;
        exponent = file->State().timeDenominator;
    }
    if (tpq == 0) tpq = 1;
    uint32_t measure = TicksPerMeasure(tpq, numerator, exponent);
    os << std::setw(9) << TypeName(ev.type) << " channel " << std::setw(3) << unsigned(ev.channel) << " time "
       << std::setw(8) << ev.start;
    PutMeasureAndBeat(os, ev.start, measure, tpq);
    os << " ";

    // Data bytes are printed only while they still lie in this track's buffer.
    bool hasData = ev.data && ev.track == this && ev.data >= Bytes() && ev.data <= Bytes() + Count() &&
                   ev.dataLength <= uint32_t(Bytes() + Count() - ev.data);
    switch (ev.type) {
    case kTypeNote: {
        uint32_t fileTpq = ticksPerQuarter ? ticksPerQuarter : 1;
        uint32_t fileMeasure = TicksPerMeasure(fileTpq, numerator, exponent);
        os << "duration " << std::setw(4) << ev.duration << "(" << std::setw(7) << double(ev.duration) / tpq << ")"
           << " pitch ";
        PutPitch(os, ev.pitch);
        os << " [File data " << std::setw(8) << ev.fileTime;
        PutMeasureAndBeat(os, ev.fileTime, fileMeasure, fileTpq);
        os << " duration " << std::setw(4) << ev.fileDuration << "(" << double(ev.fileDuration) / fileTpq << ")]";
        break;
    }
    case kTypeText:
        if (hasData) os.write(reinterpret_cast<const char *>(ev.data), std::streamsize(ev.dataLength));
        break;
    case kTypeInstrument:
        if (ev.programme < 128 && gOpSys) os << gOpSys->ToAnsiText(GetGmName(ev.programme));
        break;
    case kTypeTempo:
        os << " (MM " << ev.GetBpm() << ")";
        break;
    case kTypeTimeSig:
        os << int(ev.timeNumerator) << "/" << (ev.timeDenominator < 32 ? 1u << ev.timeDenominator : 0u);
        break;
    case kTypeKeySig:
        if (ev.key < 0)
            os << -ev.key << "b";
        else
            os << int(ev.key) << "#";
        break;
    case kTypeData:
        os << unsigned(ev.data1) << " : ";
        for (uint32_t i = 0; hasData && i < ev.dataLength; ++i) os << (i ? "," : "") << unsigned(ev.data[i]);
        break;
    default:
        break;
    }
    os << " @ " << ev.position << "\n";
}

int32_t cMidiTrackBase::Dump(std::ostream *stream) {
    cursor.Clear();
    readPos = GetDataStart();
    ReadNextEvent(nullptr);
    const cEvent &fileState = file ? file->State() : cursor;
    auto measureOf = [&](const cEvent &ev) {
        bool unset = ev.timeNumerator == cEvent::kTimeUnset;
        return TicksPerMeasure(ticksPerQuarter, unset ? fileState.timeNumerator : ev.timeNumerator,
                               unset ? fileState.timeDenominator : ev.timeDenominator);
    };
    ticksPerMeasure = measureOf(cursor);

    lowest = cursor;
    highest = cursor;
    lowest.type = highest.type = kTypeNote;
    lowest.duration = lowest.nextOnset = 16 * gTicksPerQuarter;
    lowest.fileDuration = 16u * ticksPerQuarter;
    lowest.channel = 255;
    highest.channel = 0;
    lowest.channelMask = highest.channelMask = 0;
    lowest.programme = highest.programme = 0;
    lowest.pitch = highest.pitch = kNoPitch;
    bool lowestKeySet = false;
    uint32_t maxSimultaneous = 0;
    uint32_t simultaneous = 0;
    uint32_t chordStart = 0;

    if (stream) *stream << "****** New Track : size = " << Count() << " ******\n";
    while (cursor.type != kTypeTrackEnd) {
        const cEvent &ev = cursor;
        switch (ev.type) {
        case kTypeNote:
            lowest.channel = std::min(lowest.channel, ev.channel);
            highest.channel = std::max(highest.channel, ev.channel);
            lowest.duration = std::min(lowest.duration, ev.duration);
            highest.duration = std::max(highest.duration, ev.duration);
            lowest.fileDuration = std::min(lowest.fileDuration, ev.fileDuration);
            highest.fileDuration = std::max(highest.fileDuration, ev.fileDuration);
            lowest.nextOnset = std::min(lowest.nextOnset, ev.nextOnset);
            highest.nextOnset = std::max(highest.nextOnset, ev.nextOnset);
            lowest.channelMask |= 1u << (ev.channel & 15);
            highest.channelMask |= 1u << (ev.channel & 15);
            if (lowest.pitch == kNoPitch || ev.pitch < lowest.pitch) lowest.pitch = ev.pitch;
            if (highest.pitch == kNoPitch || ev.pitch > highest.pitch) highest.pitch = ev.pitch;
            if (simultaneous && ev.start == chordStart) {
                ++simultaneous;
            } else {
                maxSimultaneous = std::max(maxSimultaneous, simultaneous);
                simultaneous = 1;
                chordStart = ev.start;
            }
            break;
        case kTypeInstrument:
            lowest.programme = highest.programme = ev.programme;
            break;
        case kTypeTimeSig:
            highest.timeNumerator = ev.timeNumerator;
            highest.timeDenominator = ev.timeDenominator;
            if (lowest.timeNumerator == cEvent::kTimeUnset) {
                lowest.timeNumerator = ev.timeNumerator;
                lowest.timeDenominator = ev.timeDenominator;
            }
            if (file) file->SetTimeSignature(ev.timeNumerator, ev.timeDenominator);
            break;
        case kTypeKeySig:
            highest.key = ev.key;
            highest.tonic = ev.tonic;
            if (!lowestKeySet) {
                lowest.key = ev.key;
                lowest.tonic = ev.tonic;
                lowestKeySet = true;
            }
            break;
        default:
            break;
        }
        if (stream && ev.type != kTypeNone) PrintEvent(ev, ticksPerQuarter, stream);
        // Pending events of the import are not part of the track's bytes.
        if (ReadNextEvent(nullptr) < 0) break;
    }
    maxSimultaneous = std::max(maxSimultaneous, simultaneous);
    if (stream) PrintDump(*stream, maxSimultaneous);
    ticksPerMeasure = measureOf(cursor);
    cursor.Clear();
    readPos = GetDataStart();
    return 0;
}

void cMidiTrackBase::PrintDump(std::ostream &os, uint32_t maxSimultaneous) {
    {
        cStreamFormat keep(os);
        os << "\nTrack Summary\n"
           << "Channels 0x" << std::hex << std::uppercase << highest.channelMask << "\n";
    }
    os << "Lowest/shortest Note: ";
    PrintEvent(lowest, ticksPerQuarter, &os);
    os << "Highest/longest Note: ";
    PrintEvent(highest, ticksPerQuarter, &os);
    os << maxSimultaneous << " simultaneous notes.\n";
    cStreamFormat keep(os);
    os << std::hex << std::nouppercase << std::setfill('0');
    for (uint32_t line = 0; line < Count(); line += 10) {
        os << std::dec << std::setw(5) << line << ":" << std::hex;
        for (uint32_t i = line; i < std::min(line + 10, Count()); ++i) os << " " << std::setw(2) << unsigned(buffer[i]);
        os << "\n";
    }
    os << "\n\n";
}
