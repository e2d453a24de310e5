// Exporting the text form of a score of many symbols spread over a few
// owners.  The whole text is composed in memory and the file is opened once
// per export, whatever the number of lines: compare the 2,000- and
// 20,000-symbol runs (ten times the symbols, about ten times the time; at
// most about twelve) and the fitted O(N).  The log entries counted per
// export show the single open of the log's file.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/bench_documents.h"
#include "foundation/debug_log.h"

namespace {

using bench::Fill;
using bench::PathOf;
using bench::Prepare;
using bench::Sys;

// Into a log, as the diagnostic report writes it; the log is emptied
// between exports so that every export writes the same file.
void BM_WriteTextToLog(benchmark::State &state) {
    Prepare();
    std::unique_ptr<PointWindowObject> doc(new PointWindowObject);
    Fill(*doc, state.range(0));
    const std::u16string path = PathOf(u"bench_text_form.log");
    cDebugLog log;
    log.SetFileName(path.c_str());
    int64_t entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Sys().DeleteFile(path.c_str());
        const int32_t before = log.GetCount();
        state.ResumeTiming();
        if (PointWindowObject::WriteText(doc.get(), &log, nullptr) < 0) state.SkipWithError("not written");
        entries += log.GetCount() - before;
    }
    state.counters["entries_per_export"] = double(entries) / double(state.iterations());
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteTextToLog)->Arg(2000)->Arg(20000)->MinTime(2.0)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Into a file of its own, which replaces the previous export.
void BM_ExportTextFile(benchmark::State &state) {
    Prepare();
    std::unique_ptr<PointWindowObject> doc(new PointWindowObject);
    Fill(*doc, state.range(0));
    const std::u16string path = PathOf(u"bench_text_form.txt");
    for (auto _ : state)
        if (doc->ExportTextFile(path.c_str(), nullptr) < 0) state.SkipWithError("not exported");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExportTextFile)->Arg(2000)->Arg(20000)->MinTime(2.0)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
