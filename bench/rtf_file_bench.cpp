// Reading the plain text of rich text pasted from another program.  A text
// that names fonts its table lacks, again and again, must read in time that
// grows with its length: compare the 100 KB and 1 MB runs of each shape
// (ten times the size should take about ten times as long, at most about
// twelve) and the fitted O(N).
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/rtf_file.h"
#include "platform/op_sys.h"

namespace {

// The reader converts the font name through the system object.
void NeedSystem() { static cOpSysVirtual sys(nullptr, nullptr, u""); }

// A font table of `fonts` entries, then one text line of `size` bytes that
// switches to font 9999, which the table lacks, every few letters.
std::string PastedText(size_t size, int fonts) {
    std::string rtf = "{\\rtf1\\ansi";
    if (fonts > 0) {
        rtf += "{\\fonttbl";
        for (int i = 0; i < fonts; ++i) rtf += "{\\f" + std::to_string(i) + "\\fnil Font " + std::to_string(i) + ";}";
        rtf += "}";
    }
    rtf += "\r\n";
    const size_t end = rtf.size() + size;
    while (rtf.size() < end) rtf += "\\f9999 abc ";
    return rtf + "\r\n}";
}

void ReadText(benchmark::State &state, int fonts) {
    NeedSystem();
    const std::string rtf = PastedText(size_t(state.range(0)), fonts);
    for (auto _ : state) {
        cRtfFile reader(rtf.c_str());
        benchmark::DoNotOptimize(reader.PlainText());
    }
    state.SetBytesProcessed(state.iterations() * int64_t(rtf.size()));
    state.SetComplexityN(state.range(0));
}

// No font table at all: each font word once searched the whole text for one.
void BM_PlainTextWithoutFontTable(benchmark::State &state) { ReadText(state, 0); }
BENCHMARK(BM_PlainTextWithoutFontTable)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// A table of a hundred fonts, as word processors write them.
void BM_PlainTextWithFontTable(benchmark::State &state) { ReadText(state, 100); }
BENCHMARK(BM_PlainTextWithFontTable)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
