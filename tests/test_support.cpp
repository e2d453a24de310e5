#include "tests/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace test {

cOpSysVirtual &OpSys() { return *static_cast<cOpSysVirtual *>(gOpSys); }

namespace {
std::u16string Root() {
#if defined(_WIN32)
    wchar_t buf[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH, buf);
    std::u16string root = n ? std::u16string(U(buf)) : std::u16string(u"c:\\");
    root += u"pelmora-tests-" + FormatUnsigned(GetCurrentProcessId()) + u"\\";
    CreateDirectoryW(W(root.c_str()), nullptr);
#else
    const char *tmp = std::getenv("TMPDIR");
    std::u16string root = FromUtf8(tmp && *tmp ? tmp : "/tmp") + u"\\pelmora-tests-" + FormatUnsigned(getpid()) + u"\\";
    OpSys().CreateFolder(root);
#endif
    return root;
}

void RemoveTree(const std::u16string &folder) {
#if defined(_WIN32)
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(W((folder + u"*").c_str()), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::u16string name = U(data.cFileName);
            if (name == u"." || name == u"..") continue;
            std::u16string full = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full + u"\\");
            else {
                SetFileAttributesW(W(full.c_str()), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(W(full.c_str()));
            }
        } while (FindNextFileW(h, &data));
        FindClose(h);
    }
    RemoveDirectoryW(W(folder.c_str()));
#else
    std::string cmd = "rm -rf '" + PlatformPath(folder.c_str()) + "'";
    if (std::system(cmd.c_str()) != 0) return;
#endif
}
}  // namespace

std::u16string MakeTempFolder(const char *name) {
    static std::u16string root = Root();
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
