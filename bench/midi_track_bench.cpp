// Writing and reading a MIDI track of many notes.  Events are inserted at
// their time, so a score written in time order must cost a constant per
// event: compare the 10,000- and 100,000-note runs (and the fitted O(N)),
// and the plain insertion that decodes the track from its start each time.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/error_msg.h"
#include "midi/midi_file.h"
#include "tests/midi/memory_file.h"

namespace {

// The benchmarks raise no errors; a reporter must exist all the same.
class cQuietErrors : public cErrorMsgBase {
public:
    void PutChar(char16_t) override {}
} gQuietErrors;

class cTrack : public cMidiTrackBase {
public:
    explicit cTrack(cMusicFile *file, bool hinted = true) : cMidiTrackBase(480, 1024, file) { useSeekHint = hinted; }
};

// A score's walk: a melody with a chord under every second beat, the
// notes of a chord written one after the other at the same time.
void WriteScore(cMidiTrackBase &t, int64_t notes) {
    t.PutTempo(100);
    t.PutTimeSignature(4, 4, 24, 8);
    uint32_t time = 0;
    for (int64_t i = 0; i < notes;) {
        t.PutNote(int32_t(i % 14) * 5 - 20, time, 240);
        ++i;
        if (i % 4 == 0) {
            for (int k = 0; k < 3 && i < notes; ++k, ++i) t.PutNote(-35 + 10 * k, time, 480);
        }
        time += 240;
    }
    t.PutEndOfTrack();
}

void BM_WriteTrack(benchmark::State &state) {
    for (auto _ : state) {
        cTrack t(nullptr);
        WriteScore(t, state.range(0));
        benchmark::DoNotOptimize(t.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);  // note-on and note-off
    state.SetComplexityN(state.range(0));
    state.counters["events"] = double(state.range(0) * 2);
}
BENCHMARK(BM_WriteTrack)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_WriteTrackPlainInsertion(benchmark::State &state) {
    for (auto _ : state) {
        cTrack t(nullptr, false);
        WriteScore(t, state.range(0));
        benchmark::DoNotOptimize(t.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteTrackPlainInsertion)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

// The file of one such track, as bytes.
std::string ScoreFile(int64_t notes) {
    cMidiFile file(u"", 480);
    WriteScore(*file.NewTrack(), notes);
    test::cMemoryFile out(std::string(), cBinaryFileBase::kWrite);
    file.WriteTo(out);
    return out.Bytes();
}

// What the import does: load the file, pre-scan the track, read every event.
void BM_ReadTrack(benchmark::State &state) {
    const std::string bytes = ScoreFile(state.range(0));
    int64_t events = 0;
    for (auto _ : state) {
        cMidiFile file(u"", 480);
        test::cMemoryFile in(bytes);
        file.ReadFrom(in, nullptr);
        cMusicTrack &t = *file.GetTrack(0);
        t.SetQuantum(120);
        t.Dump(nullptr);
        cMusicTrack::cEvent ev;
        events = 0;
        while (t.ReadNextEvent(&ev) == RC_OK && ev.type != cMusicTrack::kTypeTrackEnd) ++events;
        benchmark::DoNotOptimize(events);
    }
    state.SetItemsProcessed(state.iterations() * events);
    state.SetComplexityN(state.range(0));
    state.counters["events"] = double(events);
}
BENCHMARK(BM_ReadTrack)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
