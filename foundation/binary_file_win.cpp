// System primitives of cBinaryFile on Windows.
#include "foundation/binary_file.h"

#include "foundation/system_services.h"
#include "foundation/win32_win.h"

namespace {
HANDLE H(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
}  // namespace

bool cBinaryFile::SysOpen(const std::u16string &path) {
    DWORD access = 0, creation = 0;
    if (mode & kWrite) {
        access |= GENERIC_WRITE;
        creation = CREATE_ALWAYS;  // the new file beside the target
    }
    if (mode & kRead) {
        access |= GENERIC_READ;
        creation = OPEN_EXISTING;
    }
    // Without a creation rule the request is invalid and the open fails.
    HANDLE h = CreateFileW(W(path.c_str()), access, FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        systemError = int32_t(GetLastError());
        return false;
    }
    handle = reinterpret_cast<intptr_t>(h);
    size = GetFileSize(h, nullptr);
    if (size == INVALID_FILE_SIZE) size = 0;
    return true;
}

bool cBinaryFile::SysWrite(const void *bytes, uint32_t count, uint32_t &written) {
    DWORD n = 0;
    BOOL ok = WriteFile(H(handle), bytes, count, &n, nullptr);
    written = n;
    if (!ok) systemError = int32_t(GetLastError());
    else if (n != count) systemError = ERROR_DISK_FULL;
    return ok && n == count;
}

bool cBinaryFile::SysRead(void *buffer, uint32_t count, uint32_t &got) {
    DWORD n = 0;
    BOOL ok = ReadFile(H(handle), buffer, count, &n, nullptr);
    got = n;
    if (!ok) systemError = int32_t(GetLastError());
    return ok != FALSE;
}

bool cBinaryFile::SysSeek(uint32_t newPosition) {
    LONG high = 0;
    SetLastError(NO_ERROR);
    DWORD r = SetFilePointer(H(handle), LONG(newPosition), &high, FILE_BEGIN);
    if (r == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        systemError = int32_t(GetLastError());
        return false;
    }
    return true;
}

bool cBinaryFile::SysCut() {
    // The system pointer follows every write, so it stands at the position.
    if (!SysSeek(position)) return false;
    if (!SetEndOfFile(H(handle))) {
        systemError = int32_t(GetLastError());
        return false;
    }
    return true;
}

bool cBinaryFile::SysFlush() {
    if (!FlushFileBuffers(H(handle))) {
        systemError = int32_t(GetLastError());
        return false;
    }
    return true;
}

bool cBinaryFile::SysClose() {
    HANDLE h = H(handle);
    handle = kNoHandle;
    if (!CloseHandle(h)) {
        systemError = int32_t(GetLastError());
        return false;
    }
    return true;
}

void cBinaryFile::ReportSystemError() {
    if (System()) System()->ShowError(uint32_t(systemError), nullptr);
}
