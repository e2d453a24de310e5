#include "tests/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"

namespace test {

cOpSysVirtual &OpSys() { return *static_cast<cOpSysVirtual *>(gOpSys); }

// The halves of the two below: tests/test_support_win.cpp and
// tests/test_support_posix.cpp.
std::u16string TempRoot();
void RemoveTree(const std::u16string &folder);

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

std::string Narrow(const std::u16string &s) { return ToUtf8(s); }

}  // namespace test
