// Loading a settings or language file of many sections.  Each section read
// is looked up among the ones before it (a file may repeat a section), so
// the lookup must not walk them: compare the 4,000- and 40,000-section runs
// (ten times the sections, about ten times the time) and the fitted O(N).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "platform/ini_file.h"
#include "platform/op_sys.h"

namespace {

cOpSysVirtual &Sys() {
    static cOpSysVirtual sys(nullptr, nullptr, u"");
    return sys;
}

// A UTF-16 settings file of `sections` percussion sets in the data folder.
std::u16string SettingsFile(int64_t sections) {
    std::u16string text = u"Language=1033\n";
    for (int64_t i = 0; i < sections; ++i) {
        text += u"<Percussion name=Kit " + FormatInt(int32_t(i)) + u">\n";
        text += u"Instrument[42]=Closed Hi-Hat\n</Percussion>\n";
    }
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(char(c & 0xFF));
        bytes.push_back(char(c >> 8));
    }
    std::u16string path = std::u16string(Sys().GetDataFolder()) + u"bench_sections.ini";
    FILE *f = OpenFileWide(path.c_str(), "wb");
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

void BM_LoadSections(benchmark::State &state) {
    const std::u16string path = SettingsFile(state.range(0));
    for (auto _ : state) {
        cIniFile ini;
        if (ini.Load(path.c_str()) != RC_OK || ini.Children().Size() != state.range(0)) state.SkipWithError("not read");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
// Other builds on the machine disturb a single iteration of the large file.
BENCHMARK(BM_LoadSections)->Arg(4000)->Arg(40000)->MinTime(2.0)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Sections made in code, found again by name in another case.  The lookups
// cost the same in both runs; the larger run's index and sections no longer
// fit the processor's caches, which shows in its time per section.
void BM_GetSections(benchmark::State &state) {
    Sys();
    for (auto _ : state) {
        cIniFile ini;
        for (int64_t i = 0; i < state.range(0); ++i) ini.GetSection(u"Percussion", (u"Kit " + FormatInt(int32_t(i))).c_str());
        for (int64_t i = 0; i < state.range(0); ++i)
            benchmark::DoNotOptimize(ini.FindSection(u"PERCUSSION", (u"kit " + FormatInt(int32_t(i))).c_str()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GetSections)->Arg(4000)->Arg(40000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
