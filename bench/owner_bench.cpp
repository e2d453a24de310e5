// The walks over the children of one owner: a command sent down to every
// child (every save, text export, play and load pass), the in-order
// insertion of children as a file load delivers them, and a NextOfSameKind
// walk from sibling to sibling.  Each must stay linear or close: compare the
// 2,000- and 20,000-child runs (ten times the children, at most about
// twelve times the time).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "document/base_classes.h"
#include "document/commands.h"
#include "document/file_class_map.h"
#include "document/registry.h"
#include "platform/op_sys.h"
#include "tests/midi/memory_file.h"

namespace {

// The operating-system object (and with it the error reporter), the
// registry of the document classes and a class map of the same ids.
void SetUp() {
    static cOpSysVirtual sys(nullptr, nullptr, u"");
    static bool built = false;
    if (built) return;
    built = true;
    cPObjBase::BuildRegistry([] { cPObjBase::RegisterBaseClasses(); });
    gFileClassMap = new sFileClassMap;
    gFileClassMap->lowest = 1;
    gFileClassMap->highest = 16;
    for (int16_t id = 1; id <= 16; ++id) {
        sFileClassEntry e;
        e.fileId = e.currentId = id;
        gFileClassMap->entries.push_back(e);
    }
    gFileVersion = 0x20C0500;
}

// A group of n children in x order, points and characters taking turns.
std::unique_ptr<cPObjGroup> NewGroup(int64_t n) {
    auto group = std::make_unique<cPObjGroup>();
    // Built through a load, so that building is quick whatever is measured.
    test::cMemoryFile file({}, cBinaryFileBase::kWrite);
    std::string bytes;
    auto u16 = [&](uint16_t v) {
        bytes.push_back(char(v & 0xFF));
        bytes.push_back(char(v >> 8));
    };
    cPObjBase::sCmdFileSave record(&file);
    group->SetPosition(0, 0);
    group->SaveBinary(&record);  // x, y, width, height, unit, a count of 0
    bytes = file.Bytes();
    bytes.resize(bytes.size() - 2);
    u16(uint16_t(n));
    for (int64_t i = 0; i < n; ++i) {
        std::unique_ptr<cPObjPoint> child(i % 2 ? static_cast<cPObjPoint *>(new CharObject) : new cPObjPoint);
        child->SetPosition(int32_t(i), int32_t(i % 7));
        test::cMemoryFile one({}, cBinaryFileBase::kWrite);
        cPObjBase::sCmdFileSave r(&one);
        child->SaveBinary(&r);
        u16(uint16_t(child->GetTypeId()));
        u16(child->DataSize());
        bytes += one.Bytes();
    }
    test::cMemoryFile in(bytes);
    group->LoadBinary(&in, group->DataSize());
    return group;
}

// The record of a group of n children, as a file holds it.
std::string GroupRecord(int64_t n) {
    std::unique_ptr<cPObjGroup> group = NewGroup(n);
    test::cMemoryFile file({}, cBinaryFileBase::kWrite);
    cPObjBase::sCmdFileSave record(&file);
    group->OnCommand(kCmdSaveBinary, nullptr, &record);
    return file.Bytes();
}

void BM_CommandWalk(benchmark::State &state) {
    SetUp();
    std::unique_ptr<cPObjGroup> group = NewGroup(state.range(0));
    if (group->GetChildCount() != state.range(0)) state.SkipWithError("not built");
    cPObjBase::sCmdLoaded record;
    for (auto _ : state) benchmark::DoNotOptimize(group->OnCommand(kCmdLoaded, nullptr, &record));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CommandWalk)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);

void BM_LoadInOrder(benchmark::State &state) {
    SetUp();
    const std::string bytes = GroupRecord(state.range(0));
    for (auto _ : state) {
        test::cMemoryFile in(bytes);
        cPObjGroup group;
        if (group.LoadBinary(&in, 7) != 0 || group.GetChildCount() != state.range(0)) state.SkipWithError("not read");
        state.PauseTiming();
        group.Clear(0);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadInOrder)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);

void BM_NextOfSameKind(benchmark::State &state) {
    SetUp();
    std::unique_ptr<cPObjGroup> group = NewGroup(state.range(0));
    int64_t steps = 0;
    for (auto _ : state) {
        steps = 0;
        for (cPObjPoint *c = group->FirstChildOfKind(3, 0); c; c = c->NextOfSameKind(0)) ++steps;
        benchmark::DoNotOptimize(steps);
    }
    if (steps != state.range(0) / 2) state.SkipWithError("walk fell short");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NextOfSameKind)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);

}  // namespace
