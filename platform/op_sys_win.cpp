#include "platform/op_sys.h"

#include <string>

#include "foundation/binary_file.h"
#include "foundation/char_string.h"
#include "foundation/path_names.h"

cOpSysVirtual::cOpSysVirtual(HINSTANCE inst, HINSTANCE prev, const char16_t *cmd)
    : cOpSysBase(cmd), instance(inst), previousInstance(prev) {
    gOpSys = this;
    if (!commandLine.empty()) {
        workingFolder = GetDirectory(commandLine);
    } else {
        wchar_t buf[200];
        DWORD n = GetCurrentDirectoryW(200, buf);
        if (n > 0 && n < 200) {
            std::u16string cwd = U(buf);
            if (cwd.back() != u'\\') cwd += u'\\';
            workingFolder = cwd;
        }
    }
    wchar_t path[200];
    if (GetModuleFileNameW(nullptr, path, 200))
        programPath = U(path);
    else
        ShowLastError(nullptr);
    wchar_t user[200];
    DWORD size = 200;
    if (GetUserNameW(user, &size)) userName = U(user);
}

cOpSysVirtual::~cOpSysVirtual() = default;

const char16_t *cOpSysVirtual::GetDataFolder() {
    if (!dataFolder.empty()) {
        CreateDirectoryW(W(dataFolder.c_str()), nullptr);
        return TempStringOf(dataFolder);
    }
    wchar_t buf[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH, buf);
    std::u16string folder = n ? std::u16string(U(buf)) : std::u16string(u"c:\\");
    folder += u"Pelmora\\";
    CreateDirectoryW(W(folder.c_str()), nullptr);
    return TempStringOf(folder);
}

tStatus cOpSysVirtual::CopyFile(const char16_t *destination, const char16_t *source, uint32_t flags) {
    if (CopyFileW(W(source), W(destination), (flags & 1) ? FALSE : TRUE)) return RC_OK;
    ShowLastError(nullptr);
    return RC_FAIL;
}

tStatus cOpSysVirtual::DeleteFile(const char16_t *path) {
    if (DeleteFileW(W(path))) return RC_OK;
    ShowLastError(nullptr);
    return RC_FAIL;
}

tStatus cOpSysVirtual::FileExists(const char16_t *pattern) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(W(pattern), &data);
    if (h == INVALID_HANDLE_VALUE) return RC_FAIL;
    FindClose(h);
    return RC_OK;
}

tStatus cOpSysVirtual::IsFolder(const char16_t *path) {
    DWORD a = GetFileAttributesW(W(path));
    return (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) ? RC_OK : RC_FAIL;
}

tStatus cOpSysVirtual::CreateFolder(const std::u16string &path) {
    return CreateDirectoryW(W(path.c_str()), nullptr) ? RC_OK : RC_FAIL;
}

uint32_t cOpSysVirtual::GetFileAttributes(const char16_t *path) { return GetFileAttributesW(W(path)); }

int64_t cOpSysVirtual::GetFileTime(const char16_t *path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(W(path), GetFileExInfoStandard, &data)) return 0;
    uint64_t t = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return int64_t(t / 10000000ull) - 11644473600ll;  // 100 ns since 1601 to seconds since 1970
}

cBinaryFileBase *cOpSysVirtual::NewBinaryFile(const char16_t *path, uint32_t mode) {
    return new cBinaryFile(path, mode);
}

uint32_t cOpSysVirtual::GetLastErrorCode() { return GetLastError(); }

const char16_t *cOpSysVirtual::GetErrorText(uint32_t code) {
    wchar_t *buffer = nullptr;
    // Without IGNORE_INSERTS a message holding %1 reads through the absent
    // argument list, or fails.
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0x400, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    if (!n || !buffer) return cOpSysBase::GetErrorText(code);
    while (n > 1 && buffer[n - 1] < 32) --n;
    const char16_t *text = TempStringN(U(buffer), n);
    LocalFree(buffer);
    return text;
}

uint32_t cOpSysVirtual::GetPlatformId() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExW(&info) ? info.dwPlatformId : 0;
}

uint32_t cOpSysVirtual::GetOsMajorVersion() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExW(&info) ? info.dwMajorVersion : 0;
}

tStatus cOpSysVirtual::IsNonEnglishUser() { return (GetUserDefaultLangID() & 0x3FF) == LANG_ENGLISH ? 0 : -1; }
bool cOpSysVirtual::IsShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }
bool cOpSysVirtual::IsCtrlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

tStatus cOpSysVirtual::ShellOpen(const char16_t *file, const char16_t *parameters) {
    if (!mainWindow) return RC_FAIL;
    lastShellOpen = file ? file : u"";
    ShellExecuteW(nullptr, L"open", W(file), W(parameters), L"", SW_SHOW);
    return RC_OK;
}

void cOpSysVirtual::Beep() { MessageBeep(MB_ICONEXCLAMATION); }

int32_t cOpSysVirtual::ShowMessageBox(const char16_t *text, const char16_t *caption, uint32_t type) {
    return MessageBoxW(nullptr, W(text), W(caption), type);
}

const char *cOpSysVirtual::ToAnsi(const char16_t *text, uint32_t n) {
    std::string bytes;
    if (n && text) {
        // Sized from the conversion itself: a double-byte code page needs
        // more than one byte per character.
        int size = WideCharToMultiByte(CP_ACP, 0, W(text), int(n), nullptr, 0, nullptr, nullptr);
        if (size > 0) {
            bytes.resize(size_t(size));
            int written = WideCharToMultiByte(CP_ACP, 0, W(text), int(n), &bytes[0], size, nullptr, nullptr);
            bytes.resize(written > 0 ? size_t(written) : 0);
        }
    }
    return KeepAnsi(std::move(bytes));
}

const char16_t *cOpSysVirtual::ToWide(const char *bytes, uint32_t n) {
    if (!n || !bytes) return TempString(u"");
    std::u16string wide(size_t(n) + 1, u'\0');
    int written = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, bytes, int(n), W(&wide[0]), int(n) + 1);
    wide.resize(written > 0 ? size_t(written) : 0);
    return TempStringOf(wide);
}
