// The registry of the fuzz targets that read documents: the base classes
// and, for ids 17 to 186, plain symbols named "Music<id>", as the unit tests
// build it, so that every id has its class.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "document/registry.h"
#include "foundation/text_util.h"

namespace fuzz {

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

inline void BuildRangePrototypes() {
    if (!cPObjBase::RegistryAllocated()) {
        cPObjBase::ReserveRegistryIds(17, kLastClassId);
    } else {
        for (int16_t id = 17; id <= kLastClassId; ++id) (new cRangeSymbol(id))->Register(nullptr);
    }
    cPObjBase::RegisterBaseClasses();
}

}  // namespace fuzz
