// Fuzz target of the Standard MIDI File reader: any bytes are loaded as a
// file with the reader's dump on, every track is dumped and read to its end
// with a quantum taken from the input, a note is inserted into the read
// bytes, and the file is written back and read again.  Nothing may read
// outside a buffer, divide by zero or hang.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "midi/midi_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/midi/memory_file.h"

namespace {

void ReadAllTracks(cMidiFile &file, uint16_t quantum) {
    for (int32_t i = 0; i < file.GetTrackCount(); ++i) {
        auto *track = static_cast<cMidiTrackBase *>(file.GetTrack(i));
        track->SetQuantum(quantum);
        std::ostringstream dump;
        track->Dump(&dump);
        cMusicTrack::cEvent ev;
        // Every read moves on by at least one byte or ends the track.
        for (uint32_t n = 0; n <= track->Count() + 1; ++n) {
            if (track->ReadNextEvent(&ev) < 0 || ev.type == cMusicTrack::kTypeTrackEnd) break;
            ev.Rescale(480, nullptr);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::QuietErrors();
    if (size > 1 << 20) return 0;
    std::string bytes(reinterpret_cast<const char *>(data), size);
    uint16_t quantum = size ? uint16_t(data[size - 1]) : 0;

    cMidiFile file(u"", 480);
    test::cMemoryFile input(bytes);
    std::ostringstream readDump;
    if (file.ReadFrom(input, &readDump) <= 0) return 0;
    ReadAllTracks(file, quantum);

    // Inserting into bytes that came from outside walks them with the seek.
    if (auto *track = static_cast<cMidiTrackBase *>(file.GetTrack(0))) {
        track->PutNote(0, quantum * 7u, 480);
        track->PutTempo(quantum);
    }

    test::cMemoryFile output(std::string(), cBinaryFileBase::kWrite);
    if (file.WriteTo(output) <= 0) return 0;
    cMidiFile again(u"", 480);
    test::cMemoryFile reread(output.Bytes());
    std::ostringstream rereadDump;
    if (again.ReadFrom(reread, &rereadDump) > 0) ReadAllTracks(again, 0);
    return 0;
}
