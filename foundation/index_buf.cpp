#include "foundation/index_buf.h"

#include <cstdlib>

PELMORA_ERROR_TABLE(kIndexBufErrors, u"IndexBuf", u"Invalid index");

void RaiseIndexBufError(uint32_t index) { RaiseError(&kIndexBufErrors, index | ERR_REPORT); }

cIndexBuf::~cIndexBuf() {
    if (entries && deleteEntry) {
        for (uint64_t key = minKey; key <= maxKey; ++key) {
            void *entry = entries[key - minKey];
            if (entry) deleteEntry(entry);
        }
    }
    std::free(entries);
}

void cIndexBuf::Set(uint32_t key, void *entry) {
    if (entries) {
        // The array is not re-allocated: a key outside it cannot be stored.
        if (!InRange(key)) {
            RaiseIndexBufError(0);
            return;
        }
        Slot(key) = entry;
        return;
    }
    if (key < minKey) minKey = key;
    if (key > maxKey) maxKey = key;
}

void cIndexBuf::Reserve(uint32_t key1, uint32_t key2) {
    Set(key1, nullptr);
    Set(key2, nullptr);
}

uint32_t cIndexBuf::Allocate() {
    if (entries) return 0;
    if (maxKey < minKey) {
        RaiseIndexBufError(0);
        return 0;
    }
    uint64_t n = uint64_t(maxKey) - minKey + 1;
    // A range too wide for memory is as unusable as an empty one.
    if (n > SIZE_MAX / sizeof(void *) ||
        !(entries = static_cast<void **>(std::calloc(size_t(n), sizeof(void *))))) {
        RaiseIndexBufError(0);
        return 0;
    }
    return uint32_t(n);
}

void *cIndexBuf::Get(uint32_t key) {
    if (!InRange(key)) {
        RaiseIndexBufError(0);
        return nullptr;
    }
    return Slot(key);
}

void *cIndexBuf::GetNext(uint32_t &key) {
    if (key > maxKey) return nullptr;
    void *entry = Get(key);
    if (entry) ++key;
    return entry;
}

int32_t cIndexBuf::CheckComplete() {
    if (!entries || maxKey < minKey) return -1;
    uint64_t keys = uint64_t(maxKey) - minKey + 1;
    uint64_t found = 0;
    while (found < keys && entries[found]) ++found;
    if (found == keys) return 0;
    RaiseIndexBufError(0);
    return int32_t(int64_t(found) - int64_t(keys));
}

cIndexSize::cIndex::~cIndex() {
    if (data && deleteData) deleteData(data);
}

cIndexSize::~cIndexSize() {
    if (!IsAllocated()) return;
    for (uint64_t key = MinKey(); key <= MaxKey(); ++key) {
        void *&slot = Slot(uint32_t(key));
        delete static_cast<cIndex *>(slot);
        slot = nullptr;
    }
}

int32_t cIndexSize::CheckComplete() {
    int32_t result = cIndexBuf::CheckComplete();
    if (result != 0) return result;
    for (uint64_t key = MinKey(); key <= MaxKey(); ++key) {
        auto *entry = static_cast<cIndex *>(Slot(uint32_t(key)));
        if (!entry || !entry->data || entry->kind < cIndex::kKindValue) {
            RaiseIndexBufError(0);
            return int32_t(int64_t(key) - (int64_t(MaxKey()) + 1));
        }
    }
    return 0;
}

void *cIndexSize::GetData(uint32_t key) {
    if (!InRange(key) || !Slot(key)) {
        RaiseIndexBufError(0);
        return nullptr;
    }
    return static_cast<cIndex *>(Slot(key))->data;
}

void *cIndexSize::GetNextData(uint32_t &key) {
    if (key > MaxKey()) return nullptr;
    void *value = GetData(key);
    if (value) ++key;
    return value;
}

cIndexSize::cIndex *cIndexSize::SetData(uint32_t key, void *value) {
    auto *entry = static_cast<cIndex *>(Get(key));
    if (entry) {
        entry->data = value;
        return entry;
    }
    // Get has reported a key the table cannot hold.
    if (!InRange(key)) return nullptr;
    entry = new cIndex(value, deleteValue);
    Set(key, entry);
    return entry;
}
