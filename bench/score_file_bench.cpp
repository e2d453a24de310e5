// Saving and loading a score file of many symbols spread over a few owners.
// Every record is written and read in one pass, and each child is added to
// its owner without a walk over the children before it: compare the 2,000-
// and 20,000-symbol runs (ten times the symbols, about ten times the time;
// at most about twelve) and the fitted O(N).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "document/base_classes.h"
#include "document/document_root.h"
#include "document/registry.h"
#include "platform/op_sys.h"

namespace {

cOpSysVirtual &Sys() {
    static cOpSysVirtual sys(nullptr, nullptr, u"");
    return sys;
}

void BuildBaseClasses() { cPObjBase::RegisterBaseClasses(); }

constexpr int64_t kOwners = 8;

// A document of `symbols` symbols: points, scaled symbols and lines in
// kOwners groups, each group holding a pair and a single owner too.
void Fill(PointWindowObject &doc, int64_t symbols) {
    cPObjGroup *groups[kOwners];
    for (int64_t g = 0; g < kOwners; ++g) {
        groups[g] = new cPObjGroup;
        groups[g]->SetPosition(0, int32_t(g * 1000));
        groups[g]->SetSize(20000, 900);
        doc.InsertChild(groups[g]);
    }
    for (int64_t i = 0; i < symbols; ++i) {
        cPObjPoint *obj;
        switch (i % 3) {
        case 0: obj = new cPObjPoint; break;
        case 1: obj = new ScaledObject; break;
        default: obj = new cLineObject; break;
        }
        obj->SetPosition(int32_t(i % 20000), int32_t((i % kOwners) * 1000 + i % 900));
        groups[i % kOwners]->InsertChild(obj);
    }
}

std::u16string PathOf(const char16_t *name) { return std::u16string(Sys().GetDataFolder()) + name; }

void Prepare() {
    static bool built = [] {
        Sys();
        cPObjBase::BuildRegistry(BuildBaseClasses);
        return true;
    }();
    (void)built;
    gFileVersion = 0x20C0500;
}

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
