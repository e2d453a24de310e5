// Drives the real program from the outside: starts pelmora.exe with a fresh
// data folder and every message box answered, finds its windows, sends
// commands, keys and clicks, waits for it to end and reads back its files.
// Every GUI test of the program uses it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/win32_win.h"

namespace gui {

// The program's path (as built) and a fresh, empty folder for one test.
std::u16string ProgramPath();
std::u16string FreshFolder(const char *name);

// Files, read and written as bytes; the folder's file names matching a
// pattern ("PelmoraLog*.txt").
std::string ReadFile(const std::u16string &path);
void WriteFile(const std::u16string &path, const std::string &bytes);
bool FileExists(const std::u16string &path);
std::vector<std::u16string> ListFiles(const std::u16string &folder, const char16_t *pattern);
// Sets a file's last-write time to `daysAgo` days before now.
void AgeFile(const std::u16string &path, int daysAgo);
// UTF-16 little-endian text with the FF FE mark, as the settings file is stored.
std::string Utf16File(const std::u16string &text);
// How often a text occurs in 8-bit file bytes.
int CountOf(const std::string &bytes, const std::string &text);
// The data folder's session log of today: "PelmoraLog_YY_MM_DD.txt".
std::u16string TodaysLogName();

struct sStart {
    std::u16string dataFolder;      // PELMORA_DATA_FOLDER; empty: the program's own rule
    int32_t boxAnswer = 1;          // PELMORA_TEST_BOX_ANSWER; 0: boxes are shown
    std::u16string commandLine;     // after the program's name
};

class cProgram {
public:
    cProgram() = default;
    ~cProgram();  // kills a program still running
    cProgram(const cProgram &) = delete;
    cProgram &operator=(const cProgram &) = delete;

    bool Start(const sStart &how);
    // The first visible top-level window of the program with that title (and
    // class name prefix, when given); null after the timeout.
    HWND WaitForWindow(const char16_t *title, const char16_t *classPrefix = nullptr, uint32_t timeoutMs = 30000);
    // Waits for the end; true with the exit code when it ended in time.
    bool WaitForExit(uint32_t timeoutMs, uint32_t &exitCode);
    void Kill();
    DWORD ProcessId() const { return processId; }

private:
    HANDLE process = nullptr;
    DWORD processId = 0;
};

// Messages to a window of the program.
bool PostCommand(HWND window, uint32_t id);
bool PostClose(HWND window);
bool PostKey(HWND window, uint32_t virtualKey);
bool PostClick(HWND window, int32_t x, int32_t y);

// Window state.
std::u16string WindowTitle(HWND window);
std::u16string WindowClass(HWND window);
bool HasMenu(HWND window);

// The program's own resources, read from its file (menus live in the
// program's process and cannot be read from outside it): the labels of the
// items of a top-level menu of a menu resource, in order (separators give an
// empty label); a string; whether an icon exists; the accelerator entries as
// (key, command) pairs.
std::vector<std::u16string> ResourceMenuLabels(uint32_t menuId, int32_t popupIndex);
std::u16string ResourceString(uint32_t id);
bool ResourceIconExists(uint32_t id);
std::vector<std::pair<uint32_t, uint32_t>> ResourceAccelerators(const char16_t *name);

}  // namespace gui
