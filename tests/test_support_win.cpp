// The Windows half of the test folders: the temporary root and removing a tree.
#include <string>

#include "foundation/text_util.h"
#include "foundation/win32_win.h"

namespace test {

std::u16string TempRoot() {
    wchar_t buf[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH, buf);
    std::u16string root = n ? std::u16string(U(buf)) : std::u16string(u"c:\\");
    root += u"pelmora-tests-" + FormatUnsigned(GetCurrentProcessId()) + u"\\";
    CreateDirectoryW(W(root.c_str()), nullptr);
    return root;
}

void RemoveTree(const std::u16string &folder) {
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
}

}  // namespace test
