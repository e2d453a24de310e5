#include "foundation/file_list.h"

#include "foundation/char_string.h"
#include "foundation/path_names.h"
#include "foundation/text_util.h"

uint32_t cFileListBase::SetFlags(uint32_t word) {
    uint32_t previous = flags;
    flags = word;
    return previous;
}

const char16_t *cFileListBase::SetFolder(const char16_t *pattern) {
    const char16_t *previous = TempStringOf(folder);
    folder = GetPathPrefix(pattern);
    return previous;
}

int32_t cFileListBase::IndexOf(const char16_t *text) const {
    std::u16string prefix = GetPathPrefix(text);
    std::u16string wanted = text ? text : u"";
    if (!prefix.empty() && !folder.empty()) {
        if (prefix != folder) return -1;
        wanted = StripPathPrefix(text);
    }
    for (int32_t i = 0; i < entries.Size(); ++i)
        if (entries[size_t(i)]->GetName() == wanted) return i;
    return -1;
}

bool cFileListBase::NameBefore(const cFileData &entry, int32_t i) const {
    // Code units as unsigned numbers, the shorter first on a common prefix.
    return entry.GetName() < entries[size_t(i)]->GetName();
}

bool cFileListBase::SameName(const cFileData &entry, int32_t i) const { return entry.IsNamed(*entries[size_t(i)]); }

int32_t cFileListBase::Insert(cFileData *entry) {
    for (int32_t i = 0; i < entries.Size(); ++i) {
        bool before = flags ? WrittenBefore(*entry, i) : NameBefore(*entry, i);
        if (before) {
            entries.insert(entries.begin() + i, entry);
            return 1;
        }
    }
    entries.push_back(entry);
    return 1;
}

int32_t cFileListBase::Append(cFileData *entry) {
    entries.push_back(entry);
    return 0;
}

tStatus cFileListBase::AddName(const char16_t *name) {
    Append(new cFileData(name));
    return RC_OK;
}

tStatus cFileListBase::AddRecent(const char16_t *name, int32_t n) {
    if (name) {
        int32_t i = IndexOf(name);
        if (i >= 0) entries.Delete(entries[size_t(i)]);
        Append(new cFileData(name));
    }
    if (n != 0) KeepLast(uint32_t(n));
    return RC_OK;
}

tStatus cFileListBase::KeepLast(uint32_t n) {
    while (uint32_t(entries.Size()) > n) delete entries.PopFront();
    return RC_OK;
}

const cFileData *cFileListBase::GetEntry(int32_t i) const {
    return i >= 0 && i < entries.Size() ? entries[size_t(i)] : nullptr;
}

uint64_t cFileList::WriteTimeOf(const cFileData &entry) {
    auto *found = dynamic_cast<const lcFileData<sFindData> *>(&entry);
    return found ? found->GetFindData().lastWriteTime : 0;
}

bool cFileList::SameWriteTime(const cFileData &entry, int32_t i) const {
    return WriteTimeOf(entry) == WriteTimeOf(*entries[size_t(i)]);
}

bool cFileList::WrittenBefore(const cFileData &entry, int32_t i) const {
    return WriteTimeOf(entry) < WriteTimeOf(*entries[size_t(i)]);
}

tStatus cFileList::Scan(const char16_t *pattern) {
    entries.DeleteAll();
    SetFolder(pattern);
    if (!pattern) return RC_OK;
    for (const sFindData &record : FindFiles(pattern)) AddFindDataIn(record.fileName.c_str(), record);
    return RC_OK;
}

int64_t cFileList::GetWriteTime(const sFindData &record) const {
    // File times count 100 ns from 1601; calendar time counts seconds from 1970.
    return int64_t(record.lastWriteTime / 10000000u) - 11644473600ll;
}

bool MatchesWildcard(const std::u16string &pattern, const std::u16string &name) {
    // A final ".*" also matches a name without an extension ("*.*" matches all).
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, u".*") == 0 &&
        MatchesWildcard(pattern.substr(0, pattern.size() - 2), name))
        return true;
    size_t p = 0, n = 0, starP = std::u16string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || ToAsciiUpper(pattern[p]) == ToAsciiUpper(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}
