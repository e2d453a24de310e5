// Fuzz target of the binary score file: any bytes, loaded as a score file
// into a fresh document with the registry built (the base classes and, for
// ids 17 to 186, plain symbols, as the unit tests build it).  Nothing may
// read outside a buffer, crash, hang or leak a symbol.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "document/document_root.h"
#include "document/registry.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// A class of the catalogue's range, named "Music<id>".
class cRangeSymbol : public cPObjPoint {
public:
    explicit cRangeSymbol(int16_t id) : id(id) {}
    const char16_t *GetTypeName() const override {
        static std::map<int16_t, std::u16string> names;
        std::u16string &name = names[id];
        if (name.empty()) name = u"Music" + FormatInt(id);
        return name.c_str();
    }
    int16_t GetTypeId() const override { return id; }
    cPObjPoint *NewSameClass() const override { return new cRangeSymbol(id); }

private:
    int16_t id;
};

void BuildPrototypes() {
    if (!cPObjBase::RegistryAllocated()) {
        cPObjBase::ReserveRegistryIds(17, kLastClassId);
    } else {
        for (int16_t id = 17; id <= kLastClassId; ++id) (new cRangeSymbol(id))->Register(nullptr);
    }
    cPObjBase::RegisterBaseClasses();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const uint32_t prototypes = [] {
        fuzz::System();
        cPObjBase::BuildRegistry(BuildPrototypes);
        return gLiveSymbolCount;
    }();
    const std::u16string path = fuzz::WriteInput(u"score.pmr", std::string(reinterpret_cast<const char *>(data), size));
    gFileVersion = 0x1000000;
    {
        // Symbols are made only through their counted allocation.
        std::unique_ptr<PointWindowObject> doc(new PointWindowObject);
        doc->LoadFile(path.c_str());
        doc->FreeClassData();
    }
    // Every symbol the load made went with the document.
    if (gLiveSymbolCount != prototypes) std::abort();
    return 0;
}
