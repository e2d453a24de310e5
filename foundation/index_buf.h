// Sparse index tables: entries addressed by a small unsigned key whose range
// is learned before the table is filled.  A table is built in two passes:
// the first only announces keys (Set or Reserve before Allocate widens the
// range), Allocate makes one empty slot per key of the range, the second
// pass stores the entries, and CheckComplete confirms there is no gap.
#pragma once

#include <cstdint>

#include "foundation/error_msg.h"

// "IndexBuf": 0 "Invalid index".
extern const sErrorTable kIndexBufErrors;
void RaiseIndexBufError(uint32_t index);

// Deletes one entry or value with its own type's destructor.
using tDeleteFn = void (*)(void *);

template <class T>
void DeleteAs(void *p) {
    delete static_cast<T *>(p);
}

// A table of bare entry pointers.  With a delete function the table owns
// the entries still in it when it is destroyed; Set does not delete what it
// replaces.
class cIndexBuf {
public:
    explicit cIndexBuf(tDeleteFn deleteEntry = nullptr) : deleteEntry(deleteEntry) {}
    virtual ~cIndexBuf();
    cIndexBuf(const cIndexBuf &) = delete;
    cIndexBuf &operator=(const cIndexBuf &) = delete;

    // 0 when every key of the range has its entry; else a negative count
    // (entries found before the first gap - keys of the range) after an
    // "Invalid index" report; -1 without entries.
    virtual int32_t CheckComplete();
    // Makes one null entry per key of the range; answers that number, or 0
    // when the entries exist already or the range is empty.
    virtual uint32_t Allocate();
    // The entry at the key (null for a gap); null with "Invalid index" for
    // a key outside the range or a table without entries.
    virtual void *Get(uint32_t key);
    // A walk: null beyond max; otherwise Get, moving the key on when it
    // finds an entry, so a walk stops at the first gap.
    virtual void *GetNext(uint32_t &key);
    // Widens the range to the key; once allocated, stores the entry.  A key
    // outside an allocated range is refused with "Invalid index".
    virtual void Set(uint32_t key, void *entry);

    bool IsAllocated() const { return entries != nullptr; }
    void Reserve(uint32_t key1, uint32_t key2);

    uint32_t MinKey() const { return minKey; }
    uint32_t MaxKey() const { return maxKey; }

protected:
    bool InRange(uint32_t key) const { return entries && key >= minKey && key <= maxKey; }
    void *&Slot(uint32_t key) { return entries[key - minKey]; }

private:
    uint32_t minKey = 0xFFFFFFFF;
    uint32_t maxKey = 0;
    void **entries = nullptr;
    tDeleteFn deleteEntry;
};

// A table whose entries are records owning their values.
class cIndexSize : public cIndexBuf {
public:
    class cIndex {
    public:
        enum : uint32_t { kKindValue = 12 };
        explicit cIndex(void *value, tDeleteFn deleteData = nullptr)
            : kind(kKindValue), flags(0), data(value), deleteData(deleteData) {}
        virtual ~cIndex();
        cIndex(const cIndex &) = delete;
        cIndex &operator=(const cIndex &) = delete;

        uint32_t kind : 6;
        uint32_t flags : 26;
        void *data;

    private:
        tDeleteFn deleteData;
    };

    explicit cIndexSize(tDeleteFn deleteValue = nullptr) : deleteValue(deleteValue) {}
    // Deletes every entry, and with it its value, once.
    ~cIndexSize() override;

    // Besides the base's check, every key needs a value and an entry of
    // value kind: 0, or (first failing key) - (max + 1) after a report.
    int32_t CheckComplete() override;
    // The value at the key; null with "Invalid index" for a gap, a key
    // outside the range or a table without entries.
    virtual void *GetData(uint32_t key);
    virtual void *GetNextData(uint32_t &key);
    // Stores the value at a key of the allocated range and answers its
    // entry.  A value replaced in an existing entry is not deleted (fetch
    // it first when it must go).  Outside the range, or before Allocate,
    // nothing is stored, "Invalid index" is raised and null answered: the
    // value stays the caller's.
    virtual cIndex *SetData(uint32_t key, void *value);

private:
    tDeleteFn deleteValue;
};

// The typed tables: they add the element type, so that what the table
// deletes is deleted with its own destructor.
template <class T>
class lcIndexBuf : public cIndexBuf {
public:
    lcIndexBuf() : cIndexBuf(&DeleteAs<T>) {}
};

template <class T>
class lcIndexSize : public cIndexSize {
public:
    lcIndexSize() : cIndexSize(&DeleteAs<T>) {}
};
