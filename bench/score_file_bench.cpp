// Saving and loading a score file of many symbols spread over a few owners.
// Every record is written and read in one pass, and each child is added to
// its owner without a walk over the children before it: compare the 2,000-
// and 20,000-symbol runs (ten times the symbols, about ten times the time;
// at most about twelve) and the fitted O(N).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/bench_documents.h"

namespace {

using bench::Fill;
using bench::kOwners;
using bench::PathOf;
using bench::Prepare;

void BM_SaveScore(benchmark::State &state) {
    Prepare();
    std::unique_ptr<PointWindowObject> doc(new PointWindowObject);
    Fill(*doc, state.range(0));
    const std::u16string path = PathOf(u"bench_score_save.pmr");
    for (auto _ : state)
        if (cPObjPoint::SaveFile(doc.get(), path.c_str(), nullptr) < 0) state.SkipWithError("not saved");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SaveScore)->Arg(2000)->Arg(20000)->MinTime(2.0)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_LoadScore(benchmark::State &state) {
    Prepare();
    const std::u16string path = PathOf(u"bench_score_load.pmr");
    {
        std::unique_ptr<PointWindowObject> source(new PointWindowObject);
        Fill(*source, state.range(0));
        if (cPObjPoint::SaveFile(source.get(), path.c_str(), nullptr) < 0) state.SkipWithError("not saved");
    }
    std::unique_ptr<PointWindowObject> doc(new PointWindowObject);
    for (auto _ : state) {
        if (doc->LoadFile(path.c_str()) < 0 || doc->CountDescendants() != uint32_t(state.range(0) + kOwners))
            state.SkipWithError("not loaded");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadScore)->Arg(2000)->Arg(20000)->MinTime(2.0)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
