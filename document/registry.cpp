#include "document/registry.h"

#include "document/base_classes.h"
#include "document/shape_images.h"
#include "document/undo_list.h"
#include "foundation/char_string.h"
#include "platform/ini_file.h"

int16_t gFirstClassId = kFirstClassId;
int16_t gLastClassId = 17;
lcIndexSize<cPObjBase::sPointString> *gClassRegistry = nullptr;

namespace {

using sPointString = cPObjBase::sPointString;

// The registry, or null after an "Invalid object" report.
lcIndexSize<sPointString> *Registry() {
    if (!gClassRegistry) cPObjBase::ErrorInvalidObject();
    return gClassRegistry;
}

// The entry of an id of the allocated range, without a report for a gap.
sPointString *EntryAt(uint32_t id) {
    if (!gClassRegistry || !gClassRegistry->IsAllocated() || id < gClassRegistry->MinKey() ||
        id > gClassRegistry->MaxKey())
        return nullptr;
    auto *slot = static_cast<cIndexSize::cIndex *>(gClassRegistry->Get(id));
    return slot ? static_cast<sPointString *>(slot->data) : nullptr;
}

// Every entry with a prototype, lowest id first.
template <class F>
void ForEachPrototype(F f) {
    if (!gClassRegistry || !gClassRegistry->IsAllocated()) return;
    for (uint64_t id = gClassRegistry->MinKey(); id <= gClassRegistry->MaxKey(); ++id) {
        sPointString *entry = EntryAt(uint32_t(id));
        if (entry && entry->prototype) f(*entry);
    }
}

const char16_t *HintKey(const cPObjPoint &prototype) {
    return TempConcat(TempConcat(u"Symbol_", prototype.GetTypeName()), u"_Hint");
}

// The base classes of the document layer, in id order.
template <class T>
cPObjPoint *Make() {
    return new T;
}
cPObjPoint *(*const kBaseClasses[])() = {
    Make<cPObjPoint>,        Make<ShapeObject>,       Make<CharObject>,         Make<TextObject>,
    Make<TextFontObject>,    Make<StaticTextObject>,  Make<ScaledObject>,       Make<cLineObject>,
    Make<SingleOwnerObject>, Make<PointPairObject>,   Make<cPObjGroup>,         Make<PointWindowObject>,
    Make<cPObjBlockGroup>,   Make<cPObjBlockMark>,    Make<cPObjBreak>,         Make<cPObjFmtBreak>,
};

}  // namespace

void cPObjBase::InitRegistry() {
    if (!Registry()) return;
    gClassRegistry->Allocate();
    if (!gPointUndo) gPointUndo = new cPointUndo;
}

void cPObjBase::FreeRegistry() {
    gCurrentScoreWindow = nullptr;
    ForEachPrototype([](sPointString &entry) {
        entry.prototype->FreeClassData();
        delete entry.prototype;
        entry.prototype = nullptr;
    });
    // The table deletes its entries and their hint texts.
    delete gClassRegistry;
    gClassRegistry = nullptr;
    delete gPointUndo;
    gPointUndo = nullptr;
}

int32_t cPObjBase::VerifyRegistry() { return Registry() ? gClassRegistry->CheckComplete() : 0; }

bool cPObjBase::RegistryAllocated() { return Registry() && gClassRegistry->IsAllocated(); }

void cPObjBase::ReserveRegistryIds(int16_t first, int16_t last) {
    if (Registry()) gClassRegistry->Reserve(uint32_t(first), uint32_t(last));
}

// The registry takes the prototype: one that cannot be stored is destroyed,
// and one that replaces another destroys the other.
void cPObjBase::RegisterEntry(int16_t id, cPObjPoint *prototype, const char16_t *hint) {
    if (!Registry()) {
        delete prototype;
        return;
    }
    sPointString *old = EntryAt(uint32_t(id));
    auto *entry = new sPointString{prototype, hint ? hint : u""};
    if (!gClassRegistry->SetData(uint32_t(id), entry)) {
        delete entry;
        delete prototype;
        return;
    }
    if (old) {
        if (old->prototype != prototype) delete old->prototype;
        delete old;
    }
}

void cPObjPoint::Register(const char16_t *hint) { RegisterEntry(GetTypeId(), this, hint); }

cPObjPoint *cPObjBase::PrototypeById(int16_t id) {
    if (!Registry()) return nullptr;
    auto *entry = static_cast<sPointString *>(gClassRegistry->GetData(uint32_t(uint16_t(id))));
    if (!entry || !entry->prototype) return nullptr;
    entry->prototype->RefreshClassName();
    return entry->prototype;
}

cPObjPoint *cPObjBase::NewById(int16_t id) {
    if (!Registry()) return nullptr;
    cPObjPoint *prototype = PrototypeById(id);
    if (!prototype) {
        ErrorInvalidObject();
        return nullptr;
    }
    return cPObjPoint::NewSameClassNamed(prototype);
}

cPObjPoint *cPObjBase::PrototypeByName(const char16_t *name) {
    if (!Registry() || !name) return nullptr;
    const std::u16string wanted(name);
    for (int32_t id = gFirstClassId; id <= gLastClassId; ++id) {
        cPObjPoint *prototype = PrototypeById(int16_t(id));
        if (prototype && wanted == prototype->GetTypeName()) return prototype;
    }
    return nullptr;
}

int32_t cPObjBase::ResetPrototypes() {
    ForEachPrototype([](sPointString &entry) { entry.prototype->ResetClassData(); });
    return 0;
}

void cPObjBase::RegisterBaseClasses() {
    cShapeImg::CreateTable();
    if (!RegistryAllocated()) {
        ReserveRegistryIds(1, 16);
        return;
    }
    for (auto make : kBaseClasses) make()->Register(nullptr);
}

int32_t cPObjBase::BuildRegistry(tPrototypeBuilder builder) {
    if (gClassRegistry) FreeRegistry();
    gClassRegistry = new lcIndexSize<sPointString>;
    builder();  // sizing: the slots do not exist yet
    InitRegistry();
    builder();  // storing
    int32_t result = VerifyRegistry();
    gLastClassId = kLastClassId;
    return result;
}

tStatus cPObjBase::LoadClassTexts(const cIniFile *languageFile) {
    if (!Registry()) return kFailed;
    if (!languageFile) return 0;
    ForEachPrototype([languageFile](sPointString &entry) {
        if (const char16_t *value = languageFile->GetValue(HintKey(*entry.prototype))) entry.hint = value;
    });
    return 0;
}

tStatus cPObjBase::WriteClassTexts(cIniFile *file) {
    if (!Registry()) return kFailed;
    if (!file) return 0;
    ForEachPrototype(
        [file](sPointString &entry) { file->SetOrRemove(HintKey(*entry.prototype), entry.hint.c_str()); });
    return 0;
}

const char16_t *cPObjBase::GetHint() {
    sPointString *entry = EntryAt(uint32_t(uint16_t(GetTypeId())));
    return entry ? TempStringOf(entry->hint) : nullptr;
}

void cPObjBase::SetHint(const char16_t *text) {
    if (sPointString *entry = EntryAt(uint32_t(uint16_t(GetTypeId())))) entry->hint = text ? text : u"";
}
