// Folder search on POSIX systems: the pattern's folder is read and each name
// is matched as Windows matches it.
#include "foundation/file_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include "foundation/file_io.h"
#include "foundation/path_names.h"
#include "foundation/text_util.h"

namespace {
uint64_t FileTime(const struct timespec &t) {
    return (uint64_t(t.tv_sec) + 11644473600ull) * 10000000ull + uint64_t(t.tv_nsec) / 100;
}
}  // namespace

std::vector<sFindData> FindFiles(const char16_t *pattern) {
    std::vector<sFindData> found;
    if (!pattern || !*pattern) return found;
    std::u16string folder = GetPathPrefix(pattern);
    std::u16string namePattern = StripPathPrefix(pattern);
    std::string dir = folder.empty() ? std::string("./") : PlatformPath(folder.c_str());
    if (dir.back() != '/') dir += '/';
    DIR *d = ::opendir(dir.c_str());
    if (!d) return found;
    while (struct dirent *e = ::readdir(d)) {
        std::u16string name = FromUtf8(e->d_name);
        if (!MatchesWildcard(namePattern, name)) continue;
        struct stat st;
        if (::stat((dir + e->d_name).c_str(), &st) != 0) continue;
        sFindData record;
        record.fileName = name;
        record.attributes = S_ISDIR(st.st_mode) ? 0x10 : 0x20;
        if (!(st.st_mode & S_IWUSR)) record.attributes |= 0x01;
        record.creationTime = FileTime(st.st_ctim);
        record.lastAccessTime = FileTime(st.st_atim);
        record.lastWriteTime = FileTime(st.st_mtim);
        record.fileSize = S_ISDIR(st.st_mode) ? 0 : uint64_t(st.st_size);
        found.push_back(record);
    }
    ::closedir(d);
    return found;
}
