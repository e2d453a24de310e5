// Directory lists: the result of a folder search (session logs to prune,
// language files to offer), kept in name order or oldest first, and plain
// lists of names in the order they were added (the recent-file list).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/base_defs.h"
#include "foundation/vector_ptr.h"

// What a folder search tells about one file, the same on every system.
// Times are file times: 100-ns ticks since 1 January 1601, UTC.
struct sFindData {
    std::u16string fileName;
    uint32_t attributes = 0;  // 0x10 folder, 0x20 archive, 0x01 read-only, as Windows reports them
    uint64_t creationTime = 0;
    uint64_t lastAccessTime = 0;
    uint64_t lastWriteTime = 0;
    uint64_t fileSize = 0;
};

// The files and folders whose names match the wildcard pattern ('*' and '?',
// letters in either case) in the pattern's folder, in the system's order.
// The platform halves are file_list_win.cpp and file_list_posix.cpp.
std::vector<sFindData> FindFiles(const char16_t *pattern);

// Whether a name matches a wildcard pattern as the system's file search does.
bool MatchesWildcard(const std::u16string &pattern, const std::u16string &name);

// One entry: a name.
class cFileData {
public:
    explicit cFileData(const char16_t *entryName) : name(entryName ? entryName : u"") {}
    virtual ~cFileData() = default;
    // Equal names, code unit for code unit.
    virtual bool IsNamed(const cFileData &other) const { return name == other.name; }
    const std::u16string &GetName() const { return name; }

private:
    std::u16string name;
};

// An entry with the record the search delivered.
template <class T>
class lcFileData : public cFileData {
public:
    lcFileData(const char16_t *entryName, const T &findData) : cFileData(entryName), record(findData) {}
    virtual T GetFindData() const { return record; }

private:
    T record;
};

template <>
struct lcVectorPtrTraits<cFileData> : lcVectorPtrTraitsBase<cFileData> {
    static bool IsEqual(const cFileData &key, const cFileData &element) { return key.IsNamed(element); }
};

class cFileListBase {
public:
    cFileListBase() = default;
    virtual ~cFileListBase() = default;
    cFileListBase(const cFileListBase &) = delete;
    cFileListBase &operator=(const cFileListBase &) = delete;

    // 0 keeps name order, anything else oldest first; answers the previous word.
    uint32_t SetFlags(uint32_t word);
    // The folder becomes the pattern's directory prefix; answers the previous
    // folder as a temporary text.
    const char16_t *SetFolder(const char16_t *pattern);

    // The index of the entry the text names (a path in the list's folder, or a
    // bare name); -1 when none, or when the text's folder is another one.
    virtual int32_t IndexOf(const char16_t *text) const;
    virtual bool NameBefore(const cFileData &entry, int32_t i) const;
    virtual bool SameName(const cFileData &entry, int32_t i) const;
    virtual bool SameWriteTime(const cFileData &entry, int32_t i) const = 0;
    virtual bool WrittenBefore(const cFileData &entry, int32_t i) const = 0;
    // Places the entry in list order, after the entries it ties with; answers 1.
    virtual int32_t Insert(cFileData *entry);
    virtual int32_t Append(cFileData *entry);
    virtual tStatus AddName(const char16_t *name);
    // Moves or adds the name to the end, then keeps the last n (0: all).
    virtual tStatus AddRecent(const char16_t *name, int32_t n);
    // Drops entries from the front until at most n are left.
    virtual tStatus KeepLast(uint32_t n);
    // Replaces the entries by the files that match the pattern.
    virtual tStatus Scan(const char16_t *pattern) = 0;

    int32_t GetCount() const { return entries.Size(); }
    // The entry at an index (0 = first); null out of range.
    const cFileData *GetEntry(int32_t i) const;
    const std::u16string &GetFolder() const { return folder; }
    uint32_t GetFlags() const { return flags; }

protected:
    lcVectorPtr<cFileData> entries;
    uint32_t flags = 0;
    std::u16string folder;
};

template <class T>
class lcFileList : public cFileListBase {
public:
    virtual int32_t AddFindData(const std::u16string &name, const T &record) {
        return Insert(new lcFileData<T>(name.c_str(), record));
    }
    virtual int32_t AddFindDataIn(const char16_t *name, const T &record) {
        return Insert(new lcFileData<T>(name, record));
    }
    // The record's last-write time in seconds since 1970 (UTC).
    virtual int64_t GetWriteTime(const T &record) const = 0;
};

class cFileList : public lcFileList<sFindData> {
public:
    bool SameWriteTime(const cFileData &entry, int32_t i) const override;
    bool WrittenBefore(const cFileData &entry, int32_t i) const override;
    tStatus Scan(const char16_t *pattern) override;
    int64_t GetWriteTime(const sFindData &record) const override;

private:
    // The last-write time of a find entry; 0 for a bare name.
    static uint64_t WriteTimeOf(const cFileData &entry);
};
