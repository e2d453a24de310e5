// Fuzz target of the font-table block of score files: the input after its
// first byte is read as the block (its strings in the 8-bit form of old
// files when that byte is odd).  The fonts read are written back as a block
// and must read back to the same faces, heights and styles.  Nothing may
// read outside a buffer or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "tests/midi/memory_file.h"
#include "ui/font_table.h"
#include "ui/graph_dvc.h"

namespace {

struct sFont {
    std::u16string face;
    int16_t height;
    int16_t flags;
    bool operator==(const sFont &) const = default;
};

// The fonts after the stock font, entry 0.
std::vector<sFont> TableFonts() {
    std::vector<sFont> fonts;
    for (int32_t i = 1; i < cFontTable::GetCount(); ++i) {
        cGraphDvcFontBase *f = cFontTable::GetFont(uint16_t(i));
        fonts.push_back({f->GetFace(), f->GetHeight(), f->GetFlags()});
    }
    return fonts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::System();
    static cGraphDvc device(u"fuzz");
    if (size < 1 || size > 65536) return 0;
    test::cMemoryFile input(std::string(reinterpret_cast<const char *>(data + 1), size - 1));
    input.SetAnsiStrings(data[0] & 1);
    if (cFontTable::Read(input) != RC_OK) return 0;
    const std::vector<sFont> read = TableFonts();

    std::vector<cGraphDvcFontBase *> list;
    for (int32_t i = 0; i < cFontTable::GetCount(); ++i) list.push_back(cFontTable::GetFont(uint16_t(i)));
    test::cMemoryFile output(std::string(), cBinaryFileBase::kWrite);
    if (cFontTable::WriteTable(output, &list) != RC_OK) std::abort();
    test::cMemoryFile again(output.Bytes());
    if (cFontTable::Read(again) != RC_OK || again.GetPosition() != output.Bytes().size()) std::abort();
    if (TableFonts() != read) std::abort();
    return 0;
}
