// Fuzz target of the reader of the text form: the first bytes of the input
// are a tape of operations (keywords, quoted texts, tokens, numbers, line
// skips, keyword searches, font descriptions as the font table parses them),
// the rest is the text they read, from memory.  Each operation's position
// must stay inside the text; nothing may read outside a buffer or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/ascii_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "ui/font_table.h"
#include "ui/graph_dvc.h"

namespace {

constexpr size_t kTapeLength = 16;
constexpr int kSteps = 64;

const char16_t *const kKeywords[] = {u"Version", u"[file]", u"font", u",", u"\"", u"", nullptr};
constexpr size_t kKeywordCount = sizeof kKeywords / sizeof kKeywords[0];

void Step(cAsciiFile &in, uint8_t op) {
    const char16_t *keyword = kKeywords[(op >> 4) % kKeywordCount];
    switch (op & 15) {
    case 0: in.Expect(keyword); break;
    case 1: in.ReadQuotedChar(); break;
    case 2: in.ReadQuotedString(); break;
    case 3: in.ReadToken(); break;
    case 4: in.SkipLine(); break;
    case 5: in.SeekKeyword(keyword); break;
    case 6: in.SeekKeywordText(keyword); break;
    case 7: in.ReadHex4(); break;
    case 8: in.ReadInt(); break;
    case 9: in.ReadUnsigned(); break;
    case 10: in.ReadUnsigned16(); break;
    case 11: in.PeekAfterWhiteSpace(); break;
    default: cFontTable::ParseSpec(in); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::System();
    // The first device makes the stock font, entry 0 of the font table.
    static cGraphDvc device(u"fuzz");
    cFontTable::ResetToStockFont();
    if (size <= kTapeLength) return 0;
    const char *text = reinterpret_cast<const char *>(data + kTapeLength);
    const size_t length = size - kTapeLength;
    cAsciiFile in(text, length);
    for (int i = 0; i < kSteps; ++i) {
        Step(in, data[i % kTapeLength]);
        if (in.GetLastPosition() < -1 || in.GetLastPosition() > int64_t(length)) std::abort();
    }
    return 0;
}
