#include "tests/gui/gui_driver_win.h"

#include <cstdio>
#include <ctime>

#include "foundation/text_util.h"

namespace gui {

namespace {

std::u16string TempRoot() {
    wchar_t buf[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH, buf);
    std::u16string root = n ? std::u16string(U(buf)) : std::u16string(u"c:\\");
    root += u"pelmora-gui-" + FormatUnsigned(GetCurrentProcessId()) + u"\\";
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
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + u"\\");
            } else {
                SetFileAttributesW(W(full.c_str()), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(W(full.c_str()));
            }
        } while (FindNextFileW(h, &data));
        FindClose(h);
    }
    RemoveDirectoryW(W(folder.c_str()));
}

struct sFind {
    DWORD processId;
    const char16_t *title;
    const char16_t *classPrefix;
    HWND found;
};

BOOL CALLBACK FindProc(HWND window, LPARAM param) {
    auto *find = reinterpret_cast<sFind *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != find->processId || !IsWindowVisible(window)) return TRUE;
    if (WindowTitle(window) != find->title) return TRUE;
    if (find->classPrefix && WindowClass(window).rfind(find->classPrefix, 0) != 0) return TRUE;
    find->found = window;
    return FALSE;
}

}  // namespace

std::u16string ProgramPath() {
    std::u16string path = WidenAscii(PELMORA_EXE_PATH);
    // The build names it by its Unix path; Wine sees the root as drive Z:.
    if (!path.empty() && path[0] == u'/') path = u"Z:" + path;
    for (char16_t &c : path)
        if (c == u'/') c = u'\\';
    return path;
}

std::u16string FreshFolder(const char *name) {
    static std::u16string root = TempRoot();
    std::u16string folder = root + WidenAscii(name) + u"\\";
    RemoveTree(folder);
    CreateDirectoryW(W(folder.c_str()), nullptr);
    return folder;
}

std::string ReadFile(const std::u16string &path) {
    std::string bytes;
    FILE *f = _wfopen(W(path.c_str()), L"rb");
    if (!f) return bytes;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
    return bytes;
}

void WriteFile(const std::u16string &path, const std::string &bytes) {
    FILE *f = _wfopen(W(path.c_str()), L"wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

bool FileExists(const std::u16string &path) { return GetFileAttributesW(W(path.c_str())) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::u16string> ListFiles(const std::u16string &folder, const char16_t *pattern) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(W((folder + pattern).c_str()), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(U(data.cFileName));
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return names;
}

void AgeFile(const std::u16string &path, int daysAgo) {
    HANDLE h = CreateFileW(W(path.c_str()), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= uint64_t(daysAgo) * 24 * 3600 * 10000000ull;
    FILETIME then;
    then.dwLowDateTime = t.LowPart;
    then.dwHighDateTime = t.HighPart;
    SetFileTime(h, nullptr, nullptr, &then);
    CloseHandle(h);
}

std::string Utf16File(const std::u16string &text) {
    std::string bytes("\xFF\xFE", 2);
    for (char16_t c : text) {
        bytes.push_back(char(c & 0xFF));
        bytes.push_back(char(c >> 8));
    }
    return bytes;
}

int CountOf(const std::string &bytes, const std::string &text) {
    int n = 0;
    for (size_t at = bytes.find(text); at != std::string::npos; at = bytes.find(text, at + text.size())) ++n;
    return n;
}

std::u16string TodaysLogName() {
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    char name[64];
    std::snprintf(name, sizeof name, "PelmoraLog_%02d_%02d_%02d.txt", local.tm_year % 100, local.tm_mon + 1,
                  local.tm_mday);
    return WidenAscii(name);
}

cProgram::~cProgram() { Kill(); }

bool cProgram::Start(const sStart &how) {
    // The child inherits this process's environment with the test settings.
    SetEnvironmentVariableW(L"PELMORA_DATA_FOLDER", how.dataFolder.empty() ? nullptr : W(how.dataFolder.c_str()));
    std::u16string answer = FormatInt(how.boxAnswer);
    SetEnvironmentVariableW(L"PELMORA_TEST_BOX_ANSWER", how.boxAnswer ? W(answer.c_str()) : nullptr);
    std::u16string exe = ProgramPath();
    std::u16string line = u"\"" + exe + u"\"";
    if (!how.commandLine.empty()) line += u" " + how.commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(W(exe.c_str()), W(&line[0]), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process = info.hProcess;
    processId = info.dwProcessId;
    WaitForInputIdle(process, 30000);
    return true;
}

HWND cProgram::WaitForWindow(const char16_t *title, const char16_t *classPrefix, uint32_t timeoutMs) {
    DWORD start = GetTickCount();
    do {
        sFind find = {processId, title, classPrefix, nullptr};
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&find));
        if (find.found) return find.found;
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool cProgram::WaitForExit(uint32_t timeoutMs, uint32_t &exitCode) {
    if (!process || WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    exitCode = code;
    CloseHandle(process);
    process = nullptr;
    return true;
}

void cProgram::Kill() {
    if (!process) return;
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
    process = nullptr;
}

bool PostCommand(HWND window, uint32_t id) { return PostMessageW(window, WM_COMMAND, id, 0) != 0; }
bool PostClose(HWND window) { return PostMessageW(window, WM_CLOSE, 0, 0) != 0; }

bool PostKey(HWND window, uint32_t virtualKey) {
    return PostMessageW(window, WM_KEYDOWN, virtualKey, 1) && PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

bool PostClick(HWND window, int32_t x, int32_t y) {
    LPARAM at = MAKELPARAM(x, y);
    return PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at) && PostMessageW(window, WM_LBUTTONUP, 0, at);
}

std::u16string WindowTitle(HWND window) {
    wchar_t buf[512];
    int n = GetWindowTextW(window, buf, 512);
    return std::u16string(U(buf), size_t(n > 0 ? n : 0));
}

std::u16string WindowClass(HWND window) {
    wchar_t buf[256];
    int n = GetClassNameW(window, buf, 256);
    return std::u16string(U(buf), size_t(n > 0 ? n : 0));
}

bool HasMenu(HWND window) { return GetMenu(window) != nullptr; }

namespace {
// The program file loaded as data, once.
HMODULE ProgramResources() {
    static HMODULE module = LoadLibraryExW(W(ProgramPath().c_str()), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}
}  // namespace

std::vector<std::u16string> ResourceMenuLabels(uint32_t menuId, int32_t popupIndex) {
    std::vector<std::u16string> labels;
    HMENU menu = LoadMenuW(ProgramResources(), MAKEINTRESOURCEW(menuId));
    HMENU popup = menu ? GetSubMenu(menu, popupIndex) : nullptr;
    int count = popup ? GetMenuItemCount(popup) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t buf[256];
        int n = GetMenuStringW(popup, UINT(i), buf, 256, MF_BYPOSITION);
        labels.push_back(std::u16string(U(buf), size_t(n > 0 ? n : 0)));
    }
    if (menu) DestroyMenu(menu);
    return labels;
}

std::u16string ResourceString(uint32_t id) {
    wchar_t buf[512];
    int n = LoadStringW(ProgramResources(), id, buf, 512);
    return std::u16string(U(buf), size_t(n > 0 ? n : 0));
}

bool ResourceIconExists(uint32_t id) {
    return FindResourceW(ProgramResources(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)) != nullptr;  // RT_GROUP_ICON
}

std::vector<std::pair<uint32_t, uint32_t>> ResourceAccelerators(const char16_t *name) {
    std::vector<std::pair<uint32_t, uint32_t>> entries;
    HACCEL table = LoadAcceleratorsW(ProgramResources(), W(name));
    if (!table) return entries;
    int n = CopyAcceleratorTableW(table, nullptr, 0);
    std::vector<ACCEL> accel(size_t(n > 0 ? n : 0));
    if (n > 0) CopyAcceleratorTableW(table, accel.data(), n);
    for (const ACCEL &a : accel) entries.emplace_back(a.key, a.cmd);
    DestroyAcceleratorTable(table);
    return entries;
}

}  // namespace gui
