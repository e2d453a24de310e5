#include "tests/gui/gui_driver_win.h"

#include <cstdio>
#include <ctime>

#include "foundation/text_util.h"
#include "tests/test_support.h"

namespace gui {

namespace {

struct sFind {
    DWORD processId;
    const char16_t *title;        // the whole title, or null
    const char16_t *titlePrefix;  // or null
    const char16_t *classPrefix;  // or null
    HWND found;
};

bool StartsWith(const std::u16string &text, const char16_t *prefix) { return !prefix || text.rfind(prefix, 0) == 0; }

BOOL CALLBACK FindProc(HWND window, LPARAM param) {
    auto *find = reinterpret_cast<sFind *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != find->processId || !IsWindowVisible(window)) return TRUE;
    std::u16string title = WindowTitle(window);
    if (find->title && title != find->title) return TRUE;
    if (!StartsWith(title, find->titlePrefix) || !StartsWith(WindowClass(window), find->classPrefix)) return TRUE;
    find->found = window;
    return FALSE;
}

void SetVariable(const wchar_t *name, const std::u16string &value) {
    SetEnvironmentVariableW(name, value.empty() ? nullptr : W(value.c_str()));
}

// Sends, and gives up on a program that hangs.
LRESULT SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &answer);
    return LRESULT(answer);
}

// Tells the dialog that its item changed, as the item does.
bool Notify(HWND dialog, uint32_t id, uint32_t code) {
    HWND item = GetDlgItem(dialog, int(id));
    return item && PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), LPARAM(item));
}

void PutLe(std::string &out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i) & 0xFF));
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

std::u16string FreshFolder(const char *name) { return test::MakeTempFolder(name); }

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
    const std::u16string settings = how.dataFolder + kSettingsName;
    if (!how.firstRun && !how.dataFolder.empty() && !FileExists(settings))
        WriteFile(settings, Utf16File(kFirstRunSettings));
    // The child inherits this process's environment with the test settings.
    SetEnvironmentVariableW(L"PELMORA_DATA_FOLDER", how.dataFolder.empty() ? nullptr : W(how.dataFolder.c_str()));
    std::u16string answer = FormatInt(how.boxAnswer);
    SetVariable(L"PELMORA_TEST_BOX_ANSWER", !how.boxAnswers.empty() ? how.boxAnswers : how.boxAnswer ? answer : u"");
    std::u16string answers;
    if (!how.fileAnswers.empty()) {
        answers = how.dataFolder + u"file_answers.txt";
        std::string lines;
        for (const std::u16string &path : how.fileAnswers) lines += ToUtf8(path) + "\r\n";
        WriteFile(answers, lines);
    }
    SetVariable(L"PELMORA_TEST_FILE_ANSWERS", answers);
    SetVariable(L"PELMORA_TEST_MIDI", how.midi);
    SetVariable(L"PELMORA_TEST_PRINT", how.print);
    SetVariable(L"PELMORA_TEST_HELP", how.help);
    SetVariable(L"PELMORA_TEST_FAULT", how.fault);
    SetVariable(L"PELMORA_TEST_SHELL_CAPTURE", how.shellCapture);
    statePath = how.state && !how.dataFolder.empty() ? how.dataFolder + u"state.txt" : u"";
    SetVariable(L"PELMORA_TEST_STATE", statePath);
    std::u16string exe = ProgramPath();
    std::u16string line = u"\"" + exe + u"\"";
    if (!how.commandLine.empty()) line += u" " + how.commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Wine has been seen to refuse a process start once in a full run, for
    // no reason the tests could see: a refused start is tried again, and
    // the error goes to the test's output.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(W(exe.c_str()), W(&line[0]), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &info);
        if (!started) fprintf(stderr, "CreateProcess failed (error %lu)\n", GetLastError());
    }
    if (!started) return false;
    CloseHandle(info.hThread);
    process = info.hProcess;
    processId = info.dwProcessId;
    WaitForInputIdle(process, 30000);
    return true;
}

HWND cProgram::WaitForWindow(const char16_t *title, const char16_t *classPrefix, uint32_t timeoutMs) {
    DWORD start = GetTickCount();
    do {
        sFind find = {processId, title, nullptr, classPrefix, nullptr};
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&find));
        if (find.found) return find.found;
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND cProgram::WaitForWindowOf(const char16_t *classPrefix, const char16_t *titlePrefix, uint32_t timeoutMs) {
    DWORD start = GetTickCount();
    do {
        sFind find = {processId, nullptr, titlePrefix, classPrefix, nullptr};
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

tStateDump cProgram::ReadState(HWND frame, uint32_t timeoutMs) {
    tStateDump dump;
    if (statePath.empty()) return dump;
    static const UINT message = RegisterWindowMessageW(L"PelmoraTestState");
    DeleteFileW(W(statePath.c_str()));
    if (!PostMessageW(frame, message, 0, 0) || !WaitForText(statePath, "end\n", timeoutMs)) return dump;
    std::string text = ReadFile(statePath);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        sStateLine line;
        std::string row = text.substr(start, end - start);
        size_t at = 0;
        for (size_t tab; (tab = row.find('\t', at)) != std::string::npos; at = tab + 1)
            line.fields.push_back(row.substr(at, tab - at));
        line.fields.push_back(row.substr(at));
        line.kind = line.fields.front();
        line.fields.erase(line.fields.begin());
        dump.push_back(line);
    }
    return dump;
}

bool cProgram::SetModifiers(HWND frame, uint32_t keys) {
    static const UINT message = RegisterWindowMessageW(L"PelmoraTestState");
    return PostMessageW(frame, message, 1, LPARAM(keys)) != 0;
}

bool cProgram::AskFault(HWND frame) {
    static const UINT message = RegisterWindowMessageW(L"PelmoraTestFault");
    return PostMessageW(frame, message, 0, 0) != 0;
}

bool cProgram::WaitForText(const std::u16string &path, const std::string &text, uint32_t timeoutMs) {
    DWORD start = GetTickCount();
    do {
        if (ReadFile(path).find(text) != std::string::npos) return true;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

std::vector<sStateLine> LinesOf(const tStateDump &dump, const char *kind) {
    std::vector<sStateLine> lines;
    for (const sStateLine &line : dump)
        if (line.kind == kind) lines.push_back(line);
    return lines;
}

const sStateLine *MenuItem(const tStateDump &dump, uint32_t id) {
    for (const sStateLine &line : dump)
        if (line.kind == "menu" && line.fields.size() >= 5 && line.fields[1] == std::to_string(id)) return &line;
    return nullptr;
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

bool PostRightClick(HWND window, int32_t x, int32_t y) {
    LPARAM at = MAKELPARAM(x, y);
    return PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, at) && PostMessageW(window, WM_RBUTTONUP, 0, at);
}

bool PostDrag(HWND window, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t steps) {
    bool ok = PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0)) != 0;
    for (int32_t i = 1; i <= steps; ++i) {
        int32_t x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
        ok = ok && PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    return ok && PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
}

HWND DialogItem(HWND dialog, uint32_t id) { return GetDlgItem(dialog, int(id)); }

bool SetItemText(HWND dialog, uint32_t id, const std::u16string &text) {
    HWND item = DialogItem(dialog, id);
    if (!item) return false;
    SendTimed(item, WM_SETTEXT, 0, LPARAM(W(text.c_str())));
    return Notify(dialog, id, EN_CHANGE);
}

std::u16string ItemText(HWND dialog, uint32_t id) {
    HWND item = DialogItem(dialog, id);
    wchar_t buf[1024] = {};
    if (item) SendTimed(item, WM_GETTEXT, 1024, LPARAM(buf));
    return U(buf);
}

bool SetCheck(HWND dialog, uint32_t id, bool checked) {
    HWND item = DialogItem(dialog, id);
    if (!item) return false;
    // A click, as the user's: the dialog hears of it as it would.
    bool now = SendTimed(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (now != checked) SendTimed(item, BM_CLICK, 0, 0);
    return (SendTimed(item, BM_GETCHECK, 0, 0) == BST_CHECKED) == checked;
}

bool SelectComboItem(HWND dialog, uint32_t id, int32_t index) {
    HWND item = DialogItem(dialog, id);
    if (!item || SendTimed(item, CB_SETCURSEL, WPARAM(index), 0) != index) return false;
    return Notify(dialog, id, CBN_SELCHANGE);
}

bool SelectListItem(HWND dialog, uint32_t id, int32_t index) {
    HWND item = DialogItem(dialog, id);
    if (!item || SendTimed(item, LB_SETCURSEL, WPARAM(index), 0) == LB_ERR) return false;
    return Notify(dialog, id, LBN_SELCHANGE);
}

bool SetScrollPosition(HWND dialog, uint32_t id, int32_t position) {
    HWND item = DialogItem(dialog, id);
    if (!item) return false;
    SetScrollPos(item, SB_CTL, position, TRUE);
    bool vertical = GetWindowLongPtrW(item, GWL_STYLE) & SBS_VERT;
    return PostMessageW(dialog, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position),
                        LPARAM(item)) != 0;
}

HWND ChildOfClass(HWND parent, const char16_t *classPrefix) {
    struct sSearch {
        const char16_t *prefix;
        HWND found;
    } search{classPrefix, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto *s = reinterpret_cast<sSearch *>(data);
            if (!StartsWith(WindowClass(child), s->prefix)) return TRUE;
            s->found = child;
            return FALSE;
        },
        LPARAM(&search));
    return search.found;
}

bool PressButton(HWND dialog, uint32_t id) { return Notify(dialog, id, BN_CLICKED); }

bool AnswerFileDialog(HWND dialog, const std::u16string &path) {
    // The explorer-style dialog names the file in a combo box with an edit
    // field (cmb13); Wine's and the older dialog in an edit box (edt1).
    constexpr uint32_t kNameCombo = 0x47C;
    constexpr uint32_t kNameEdit = 0x480;
    HWND box = DialogItem(dialog, kNameCombo);
    if (!box) box = DialogItem(dialog, kNameEdit);
    if (!box) return false;
    SendTimed(box, WM_SETTEXT, 0, LPARAM(W(path.c_str())));
    return PressButton(dialog, IDOK);
}

bool WaitUntilClosed(HWND window, uint32_t timeoutMs) {
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(50);
    }
    return true;
}

std::u16string ClipboardText() {
    std::u16string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto *chars = static_cast<const wchar_t *>(GlobalLock(data))) {
            text = U(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool SaveScreenshot(HWND window, const std::u16string &path) {
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    int32_t width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    // Copied from the screen, where the window is drawn as the user sees it.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap && bits;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, old);
    }
    uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    uint32_t size = stride * uint32_t(height);
    if (ok) {
        std::string file = "BM";
        PutLe(file, 14 + 40 + size, 4);
        PutLe(file, 0, 4);
        PutLe(file, 14 + 40, 4);
        file.append(reinterpret_cast<const char *>(&info.bmiHeader), 40);
        file.append(static_cast<const char *>(bits), size);
        WriteFile(path, file);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok && FileExists(path);
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
