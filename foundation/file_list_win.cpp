// Folder search on Windows.
#include "foundation/file_list.h"

#include "foundation/win32_win.h"

namespace {
uint64_t Ticks(const FILETIME &t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }
}  // namespace

std::vector<sFindData> FindFiles(const char16_t *pattern) {
    std::vector<sFindData> found;
    if (!pattern || !*pattern) return found;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(W(pattern), &data);
    if (h == INVALID_HANDLE_VALUE) return found;
    do {
        sFindData record;
        record.fileName = U(data.cFileName);
        record.attributes = data.dwFileAttributes;
        record.creationTime = Ticks(data.ftCreationTime);
        record.lastAccessTime = Ticks(data.ftLastAccessTime);
        record.lastWriteTime = Ticks(data.ftLastWriteTime);
        record.fileSize = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        found.push_back(record);
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return found;
}
