#include "tests/test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"

namespace test {

cOpSysVirtual &OpSys() { return *static_cast<cOpSysVirtual *>(gOpSys); }

// The halves of TempRoot and RemoveTree: tests/test_support_win.cpp and
// tests/test_support_posix.cpp.
std::u16string TempRoot();

std::u16string MakeTempFolder(const char *name) {
    static std::u16string root = TempRoot();
    std::u16string folder = root + WidenAscii(name) + u"\\";
    RemoveTree(folder);
    OpSys().CreateFolder(folder);
    return folder;
}

std::string ReadFileBytes(const std::u16string &path) {
    std::string bytes;
    ReadWholeFile(path.c_str(), bytes);
    return bytes;
}

bool FileExists(const std::u16string &path) {
    FILE *f = OpenFileWide(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

void WriteFileBytes(const std::u16string &path, const std::string &bytes) {
    FILE *f = OpenFileWide(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<std::u16string> FolderEntries(const std::u16string &folder) {
    std::vector<std::u16string> names;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(FsPath(folder), ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::u8string name = it->path().filename().u8string();
        names.push_back(FromUtf8(std::string(name.begin(), name.end())));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> SplitLines(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start - (end > start && text[end - 1] == '\r')));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

void KeepForCheck(const std::u16string &path, const char *name) {
#if defined(_WIN32)
    const char *folder = std::getenv("PELMORA_EXPORTS");
    if (!folder || !*folder) return;
    // A Unix path: under Wine the Unix root is drive Z:.
    std::u16string target = FromUtf8(std::string(folder) + "/" + name);
    if (!target.empty() && target[0] == u'/') target = u"Z:" + target;
    for (char16_t &c : target)
        if (c == u'/') c = u'\\';
    WriteFileBytes(target, ReadFileBytes(path));
#else
    (void)path;
    (void)name;
#endif
}

std::u16string SourcePath(const char *relative) {
    std::u16string path = FromUtf8(std::string(PELMORA_SOURCE_DIR) + "/" + relative);
#if defined(_WIN32)
    if (!path.empty() && path[0] == u'/') path = u"Z:" + path;
#endif
    for (char16_t &c : path)
        if (c == u'/') c = u'\\';
    return path;
}

std::filesystem::path FsPath(const std::u16string &path) {
#if defined(_WIN32)
    return std::filesystem::path(path);
#else
    return std::filesystem::path(PlatformPath(path.c_str()));
#endif
}

std::string Narrow(const std::u16string &s) { return ToUtf8(s); }

}  // namespace test
