// Fuzz target of the text form: any bytes, read from memory as the text form
// of a score into a fresh score root with the registry built as the unit
// tests build it (other names are unknown lines).  Nothing may read outside a
// buffer, crash, recurse without bound, hang or leak a symbol.  A text that
// loads must also write itself out again, and that text must load to the
// same text: what the reader accepts, the writer can express.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "document/registry.h"
#include "foundation/ascii_file.h"
#include "staves/score_object.h"
#include "tests/fuzz/fuzz_registry.h"
#include "tests/fuzz/fuzz_support.h"
#include "ui/font_table.h"

namespace {

// The text form of the document as the export writes it; empty when it
// could not be written.
std::string Export(PointWindowObject &doc, const std::u16string &path) {
    if (doc.ExportTextFile(path.c_str(), nullptr) < 0) return std::string();
    std::string bytes;
    ReadWholeFile(path.c_str(), bytes);
    return bytes;
}

// The text without the class table: class defaults are written for the
// reader of a report, never read back, and a load resets them.
std::string WithoutClassTable(const std::string &text) {
    const size_t from = text.find("[symbols] "), to = text.find("[file]\r\n");
    return from == std::string::npos || to == std::string::npos ? text : text.substr(0, from) + text.substr(to);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const uint32_t prototypes = [] {
        fuzz::System();
        cPObjBase::BuildRegistry(fuzz::BuildRangePrototypes);
        return gLiveSymbolCount;
    }();
    static const std::u16string path = fuzz::Folder() + u"score.txt";
    // Fonts named by a text are added to the font table: each input starts
    // from the stock font alone.
    cFontTable::ResetToStockFont();
    gFileVersion = 0x1000000;
    {
        // Symbols are made only through their counted allocation.
        std::unique_ptr<ScoreObject> doc(new ScoreObject);
        cAsciiFile reader(reinterpret_cast<const char *>(data), size);
        if (doc->LoadText(reader, path.c_str()) >= 0) {
            const std::string first = Export(*doc, path);
            if (first.empty()) std::abort();
            cAsciiFile again(first.data(), first.size());
            if (doc->LoadText(again, path.c_str()) < 0) std::abort();
            if (WithoutClassTable(Export(*doc, path)) != WithoutClassTable(first)) std::abort();
        }
        doc->FreeClassData();
    }
    // Every symbol the load made went with the document.
    if (gLiveSymbolCount != prototypes) std::abort();
    return 0;
}
