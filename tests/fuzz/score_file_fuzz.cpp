// Fuzz target of the binary score file: any bytes, loaded as a score file
// into a fresh score with the registry built (the base classes and, for
// ids 17 to 186, plain symbols, as the unit tests build it).  Nothing may
// read outside a buffer, crash, hang or leak a symbol.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "document/registry.h"
#include "staves/score_object.h"
#include "tests/fuzz/fuzz_registry.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const uint32_t prototypes = [] {
        fuzz::System();
        cPObjBase::BuildRegistry(fuzz::BuildRangePrototypes);
        return gLiveSymbolCount;
    }();
    const std::u16string path = fuzz::WriteInput(u"score.pmr", std::string(reinterpret_cast<const char *>(data), size));
    gFileVersion = 0x1000000;
    {
        // Symbols are made only through their counted allocation.
        std::unique_ptr<ScoreObject> doc(new ScoreObject);
        doc->LoadFile(path.c_str());
        doc->FreeClassData();
    }
    // Every symbol the load made went with the document.
    if (gLiveSymbolCount != prototypes) std::abort();
    return 0;
}
