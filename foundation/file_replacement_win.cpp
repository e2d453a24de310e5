// System primitives of cFileReplacement on Windows.
#include "foundation/file_replacement.h"

#include "foundation/win32_win.h"

bool cFileReplacement::SysCheckTarget() {
    DWORD attributes = GetFileAttributesW(W(target.c_str()));
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // a new file
    // The move would fail on a read-only target only after the whole write.
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        systemError = int32_t(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

cFileReplacement::eCreated cFileReplacement::SysCreateNew(const std::u16string &candidate) {
    HANDLE h = CreateFileW(W(candidate.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        systemError = int32_t(error);
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? eCreated::kExists : eCreated::kFailed;
    }
    CloseHandle(h);
    return eCreated::kCreated;
}

bool cFileReplacement::SysMoveOverTarget() {
    // Write-through: the call returns once the move is on the disk.
    if (!MoveFileExW(W(path.c_str()), W(target.c_str()), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        systemError = int32_t(GetLastError());
        return false;
    }
    return true;
}

void cFileReplacement::SysRemove() { DeleteFileW(W(path.c_str())); }
