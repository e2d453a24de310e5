// What the document benchmarks share: the system object, the registry of
// the document layer's classes, a document filled with many symbols spread
// over a few owners, and paths in the data folder.
#pragma once

#include <cstdint>
#include <string>

#include "document/base_classes.h"
#include "document/document_root.h"
#include "document/registry.h"
#include "platform/op_sys.h"

namespace bench {

inline cOpSysVirtual &Sys() {
    static cOpSysVirtual sys(nullptr, nullptr, u"");
    return sys;
}

constexpr int64_t kOwners = 8;

// A document of `symbols` symbols: points, scaled symbols and lines in
// kOwners groups.
inline void Fill(PointWindowObject &doc, int64_t symbols) {
    cPObjGroup *groups[kOwners];
    for (int64_t g = 0; g < kOwners; ++g) {
        groups[g] = new cPObjGroup;
        groups[g]->SetPosition(0, int32_t(g * 1000));
        groups[g]->SetSize(20000, 900);
        doc.InsertChild(groups[g]);
    }
    for (int64_t i = 0; i < symbols; ++i) {
        cPObjPoint *obj;
        switch (i % 3) {
        case 0: obj = new cPObjPoint; break;
        case 1: obj = new ScaledObject; break;
        default: obj = new cLineObject; break;
        }
        obj->SetPosition(int32_t(i % 20000), int32_t((i % kOwners) * 1000 + i % 900));
        groups[i % kOwners]->InsertChild(obj);
    }
}

inline std::u16string PathOf(const char16_t *name) { return std::u16string(Sys().GetDataFolder()) + name; }

// The system object and the registry, made once; the file version of the
// program.
inline void Prepare() {
    static bool built = [] {
        Sys();
        cPObjBase::BuildRegistry([] { cPObjBase::RegisterBaseClasses(); });
        return true;
    }();
    (void)built;
    gFileVersion = 0x20C0500;
}

}  // namespace bench
