// The class registry: one prototype and one hint text per class id.  New
// symbols are made by their class's prototype, files map their class ids to
// the program's through the prototypes' names, and the language files
// translate the hints under "Symbol_<name>_Hint".
#pragma once

#include <cstdint>
#include <string>

#include "document/point_symbol.h"
#include "foundation/index_buf.h"

// One registered class: its prototype (freed by FreeRegistry, not by the
// entry) and its hint text.
struct cPObjBase::sPointString {
    cPObjPoint *prototype = nullptr;
    std::u16string hint;
};

constexpr int16_t kFirstClassId = 1;
constexpr int16_t kLastClassId = 186;
// The id range that lookups by name, the file header and the text form walk:
// gLastClassId is 17 until a registry has been built, then 186.
extern int16_t gFirstClassId;
extern int16_t gLastClassId;
extern lcIndexSize<cPObjBase::sPointString> *gClassRegistry;
