#include "foundation/win32_win.h"
#include "platform/op_sys.h"

#include <string>
#include <vector>

#include "foundation/binary_file.h"
#include "foundation/char_string.h"
#include "foundation/file_io.h"
#include "foundation/path_names.h"
#include "foundation/text_util.h"
#include "platform/window_layer.h"

namespace {
// Long enough for any path the system gives; a cut path would be wrong.
constexpr DWORD kPathRoom = 32768;

// The main window's handle, through the window layer that made the window.
HWND MainWindowHandle(cViewPortTop *window) {
    cWindowLayer *layer = GetWindowLayer();
    return window && layer ? layer->GetWindowHandle(window) : nullptr;
}
}  // namespace

cOpSysVirtual::cOpSysVirtual(HINSTANCE inst, HINSTANCE prev, const char16_t *cmd)
    : cOpSysBase(cmd), instance(inst), previousInstance(prev) {
    gOpSys = this;
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;  // 276 bytes
    if (GetVersionExW(&info)) {
        osVersion.major = info.dwMajorVersion;
        osVersion.minor = info.dwMinorVersion;
        osVersion.build = info.dwBuildNumber;
        osVersion.platformId = info.dwPlatformId;
        osVersion.servicePack = U(info.szCSDVersion);
    }
    std::vector<wchar_t> buffer(kPathRoom);
    if (!commandLine.empty()) {
        // A path with blanks comes in quotes; the folder must not begin with one.
        workingFolder = GetDirectory(StripQuotes(commandLine.c_str()));
    } else {
        DWORD n = GetCurrentDirectoryW(kPathRoom, buffer.data());
        if (n > 0 && n < kPathRoom) {
            std::u16string cwd = U(buffer.data());
            if (cwd.back() != u'\\') cwd += u'\\';
            workingFolder = cwd;
        }
    }
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), kPathRoom);
    if (n > 0 && n < kPathRoom)
        programPath = U(buffer.data());
    else
        ShowLastError(nullptr);
    wchar_t user[257];
    DWORD size = 257;
    if (GetUserNameW(user, &size)) userName = U(user);
    RECT screen;
    if (GetWindowRect(GetDesktopWindow(), &screen)) desktop.SetEdges(screen.left, screen.top, screen.right - 1, screen.bottom - 1);
    // The system's own fault handling stays out of the way of the loop's.
    InstallFaultGuard();
    MakeHelpViewer();
}

cOpSysVirtual::~cOpSysVirtual() = default;

const char16_t *cOpSysVirtual::GetDataFolder() {
    if (!dataFolder.empty()) {
        CreateDirectoryW(W(dataFolder.c_str()), nullptr);
        return TempStringOf(dataFolder);
    }
    return FindDataFolder(usersRoot);
}

const char16_t *cOpSysVirtual::SetWorkingFolder(const char16_t *path) {
    const char16_t *previous = cOpSysBase::SetWorkingFolder(path);
    SetCurrentDirectoryW(W(workingFolder.c_str()));
    return previous;
}

const char16_t *cOpSysVirtual::GetStoredPathName(const char16_t *path) {
    std::u16string text = StripQuotes(path);
    size_t first = text.find(u'\\');
    if (first == std::u16string::npos || first + 1 == text.size()) return TempStringOf(text);
    std::u16string result = text.substr(0, first + 1);
    size_t start = first + 1;
    while (start <= text.size()) {
        size_t next = text.find(u'\\', start);
        size_t stop = next == std::u16string::npos ? text.size() : next;
        std::u16string upTo = text.substr(0, stop);
        WIN32_FIND_DATAW data;
        HANDLE h = stop > start ? FindFirstFileW(W(upTo.c_str()), &data) : INVALID_HANDLE_VALUE;
        if (h != INVALID_HANDLE_VALUE) {
            result += U(data.cFileName);
            FindClose(h);
        } else {
            // Not on disk (a file still to be made): the caller's spelling.
            result += text.substr(start, stop - start);
        }
        if (next == std::u16string::npos) break;
        result += u'\\';
        start = next + 1;
    }
    return TempStringOf(result);
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

uint32_t cOpSysVirtual::GetOsMajorVersion() { return osVersion.major; }

tStatus cOpSysVirtual::IsNonEnglishUser() { return (GetUserDefaultLangID() & 0x3FF) == LANG_ENGLISH ? 0 : -1; }
bool cOpSysVirtual::IsShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0 || (testModifiers & kTestShift); }
bool cOpSysVirtual::IsCtrlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0 || (testModifiers & kTestCtrl); }

tStatus cOpSysVirtual::ShellOpen(const char16_t *file, const char16_t *parameters) {
    if (!mainWindow) return RC_FAIL;
    lastShellOpen = file ? file : u"";
    if (!shellCapture.empty()) {
        if (parameters && *parameters) lastShellOpen += u" " + std::u16string(parameters);
        if (FILE *capture = OpenFileWide(shellCapture.c_str(), "ab")) {
            std::string line = ToUtf8(std::u16string(file ? file : u"") + u"|" + (parameters ? parameters : u"")) + "\n";
            std::fwrite(line.data(), 1, line.size(), capture);
            std::fclose(capture);
        }
        return RC_OK;
    }
    ShellExecuteW(MainWindowHandle(mainWindow), L"open", W(file), W(parameters), L"", SW_SHOW);
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

const char16_t *cOpSysVirtual::GetSystemInfo() {
    cCharString first(GetOsVersionText());
    if (mainWindow && GetWindowLayer()) {
        first.append(u", ");
        first.AppendInt(int32_t(GetWindowLayer()->GetDpi(mainWindow)));
        first.append(u"DPI");
    }
    return ComposeSystemInfo(first, GetUserDefaultLangID());
}

const char16_t *cOpSysVirtual::LoadString(uint32_t id) {
    std::vector<wchar_t> buffer(4100);
    int n = LoadStringW(instance, id, buffer.data(), 4099);
    if (n <= 0) return nullptr;
    return TempStringN(U(buffer.data()), uint32_t(n));
}

HACCEL cOpSysVirtual::LoadAccelerators(const char16_t *name) {
    accelerators = LoadAcceleratorsW(instance, W(name));
    return accelerators;
}

tStatus cOpSysVirtual::CloseMainWindow() {
    if (translateMode || !mainWindow) return RC_OK;
    SendMessageW(MainWindowHandle(mainWindow), WM_CLOSE, 0, 0);
    return RC_OK;
}

tStatus cOpSysVirtual::RemoveFontFile(const char16_t *path) {
    return RemoveFontResourceW(W(path)) ? RC_OK : RC_FAIL;
}

namespace {

// Set when a guarded handler faulted: the loop ends after the dispatch.
bool gLoopFaulted = false;
bool gFaultReported = false;

}  // namespace

// The handler of the exception frame: reports the first fault once and ends
// the message loop.  Handlers inside a modal loop of the system return to it
// normally; the quit message then ends that loop and the main one.
int32_t MessageLoopHandler(const sFaultInfo &info) {
    if (!gFaultReported) {
        gFaultReported = true;
        if (gOpSys) static_cast<cOpSysVirtual *>(gOpSys)->ReportException(info.code, info);
    }
    gLoopFaulted = true;
    PostQuitMessage(0);
    return 0;
}

int32_t cOpSysVirtual::RunMessageLoop(cViewPortTop *window) {
    mainWindow = window;
    gLoopFaulted = false;
    gFaultReported = false;
    InstallFaultGuard();
    MSG msg = {};
    auto loop = [&]() -> int32_t {
        while (GetMessageW(&msg, nullptr, 0, 0) == 1) {
            // The help window sees every message of the thread, whichever
            // window it is for, before any translation.
            if (cKeyMouseWin *keyMouse = GetKeyMouseWindow())
                GetWindowLayer()->ShowKeyMouseInput(keyMouse, msg.message, msg.wParam, msg.lParam);
            if (loopHook && loopHook(msg.message, msg.wParam, msg.lParam)) continue;
            HWND frame = MainWindowHandle(mainWindow);
            if (!(accelerators && frame && TranslateAcceleratorW(frame, accelerators, &msg))) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (gLoopFaulted) return 0;
        }
        return gLoopFaulted ? 0 : int32_t(msg.wParam);
    };
    int32_t result = RunGuarded<int32_t>(loop, MessageLoopHandler);
    if (gLoopFaulted) {
        // The quit message that ended the loop after the fault is spent.
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    return result;
}

namespace {
bool gWaitTimerFired = false;
}

void CALLBACK WaitTimerProc(HWND, UINT, UINT_PTR, DWORD) { gWaitTimerFired = true; }

tStatus cOpSysVirtual::Wait(uint32_t milliseconds) {
    if (milliseconds <= 50) {
        DWORD start = GetTickCount();
        if (milliseconds)
            while (GetTickCount() - start < milliseconds) {
            }
        return RC_OK;
    }
    UINT_PTR timer = SetTimer(nullptr, 0, milliseconds, WaitTimerProc);
    if (!timer) return RC_OK;
    gWaitTimerFired = false;
    bool quit = false;
    WPARAM quitCode = 0;
    MSG msg;
    while (!gWaitTimerFired) {
        BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == -1) break;
        if (r == 0) {
            // The quit request belongs to the main loop: hand it back after the wait.
            quit = true;
            quitCode = msg.wParam;
            continue;
        }
        DispatchMessageW(&msg);
    }
    KillTimer(nullptr, timer);
    if (quit) PostQuitMessage(int(quitCode));
    return RC_OK;
}

tStatus cOpSysVirtual::Shutdown() {
    DeleteHelpViewer();
    SaveSettingsAndEndSession();
    return RC_OK;
}
