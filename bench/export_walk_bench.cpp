// The export-and-play walk over a score of many notes, into a Standard MIDI
// File and into the CSV note list.  Every note is one step of the walk and
// one insertion into its part's track, which must stay linear inside a real
// walk: compare the 2,000- and 20,000-note runs (ten times the notes, at
// most about twelve times the time) and the fitted O(N).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "bench/bench_documents.h"
#include "document/music_commands.h"
#include "midi/midi_file.h"
#include "midi/music_track_csv.h"
#include "notation/symbol_classes.h"
#include "staves/score_object.h"
#include "staves/score_registry.h"
#include "staves/staff.h"
#include "ui/view_port.h"

namespace {

// Notes per staff: 25 measures of 4/4, each of three quarters, two eighths
// and a bar line.
constexpr int64_t kNotesPerStaff = 125;
constexpr int32_t kStaffHeight = 100;

// The score window the classes measure their pictures in, and the score's
// registry, made once.
void Prepare() {
    static bool built = [] {
        bench::Sys();
        static cViewPort window(nullptr, 0x50000000, u"MusicWin");
        window.Open();
        window.Attach();
        window.PrepareDraw();
        cPObjBase::SetCurrentWindow(&window);
        CreateScoreRegistry();
        cStaffBase::MakeDefaultTemplates();
        return true;
    }();
    (void)built;
}

void Put(StaffObject &staff, int16_t classId, int32_t x, int32_t steps) {
    auto *obj = dynamic_cast<cPObjPoint *>(cPObjBase::NewById(classId));
    if (!obj) return;
    obj->SetPosition(x, staff.GetY() + steps * staff.LineSpacing() / 2);
    if (!staff.InsertChild(obj)) delete obj;
}

// A score of free staffs of one part, each going on where the one above
// ends, the notes climbing and falling over a tenth.
std::unique_ptr<ScoreObject> NewScore(int64_t notes) {
    auto score = std::make_unique<ScoreObject>();
    for (int64_t made = 0, s = 0; made < notes; ++s) {
        auto *staff = new StaffObject;
        staff->SetPosition(0, int32_t(40 + s * kStaffHeight));
        score->InsertChild(staff);
        int32_t x = 40;
        for (int64_t i = 0; i < kNotesPerStaff && made < notes; ++i, ++made) {
            const int16_t id = i % 5 < 3 ? Note14::kClassId : Note18::kClassId;
            Put(*staff, id, x += 30, int32_t(2 + made % 10));
            if (i % 5 == 4) Put(*staff, Bar::kClassId, x += 20, 0);
        }
    }
    return score;
}

void BM_ExportMidiFile(benchmark::State &state) {
    Prepare();
    std::unique_ptr<ScoreObject> score = NewScore(state.range(0));
    const std::u16string path = bench::PathOf(u"bench_export.mid");
    size_t bytes = 0;
    for (auto _ : state) {
        cMidiFile file(path.c_str(), 480);
        // The walk answers the least answer of its symbols (an empty bar
        // line answers a failure): the tracks tell what was written.
        cMusicBase::ExportMidi(score.get(), nullptr, &file, nullptr);
        bytes = file.GetTrackCount() > 1 ? file.GetTrack(1)->Count() : 0;
    }
    // A note-on and a note-off per note: at least seven bytes.
    if (bytes < size_t(state.range(0)) * 7) state.SkipWithError("notes missing from the track");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
    state.counters["track_bytes"] = double(bytes);
}
BENCHMARK(BM_ExportMidiFile)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The list's lines counted and dropped: a list kept in memory would
// measure the growth of one large string, which a file stream never has.
class cLineCounter : public std::streambuf {
public:
    size_t lines = 0;

protected:
    int_type overflow(int_type c) override {
        if (c == '\n') ++lines;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char *s, std::streamsize n) override {
        lines += size_t(std::count(s, s + n, '\n'));
        return n;
    }
};

void BM_ExportCsvList(benchmark::State &state) {
    Prepare();
    std::unique_ptr<ScoreObject> score = NewScore(state.range(0));
    size_t lines = 0;
    for (auto _ : state) {
        cLineCounter counter;
        std::ostream out(&counter);
        cMusicTrackCsv list(&out, 480, 1024, nullptr);
        cMusicBase::ExportMidi(score.get(), &list, nullptr, nullptr);
        lines = counter.lines;
    }
    if (lines != size_t(state.range(0))) state.SkipWithError("a note line is missing");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExportCsvList)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
