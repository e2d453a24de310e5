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

// The class-name prefix of the program's frame window, whatever its title.
constexpr const char16_t *kFrameClass = u"VPClassPelmora";

// How a test starts the program: the test settings of app/test_settings_win.cpp.
struct sStart {
    std::u16string dataFolder;      // PELMORA_DATA_FOLDER; empty: the program's own rule
    int32_t boxAnswer = 1;          // PELMORA_TEST_BOX_ANSWER; 0: boxes are shown
    std::u16string commandLine;     // after the program's name
    std::u16string boxAnswers;      // a queue ("6,7,1"), in place of boxAnswer when given
    std::vector<std::u16string> fileAnswers;  // PELMORA_TEST_FILE_ANSWERS, one path each ("": Cancel)
    std::u16string midi;            // PELMORA_TEST_MIDI ("<factor>[,<file>]")
    std::u16string print;           // PELMORA_TEST_PRINT
    std::u16string help;            // PELMORA_TEST_HELP
    std::u16string fault;           // PELMORA_TEST_FAULT ("ask", or "1": about 100 ms after start)
    std::u16string shellCapture;    // PELMORA_TEST_SHELL_CAPTURE
    bool state = true;              // PELMORA_TEST_STATE in the data folder (needs dataFolder)
    // A data folder without settings makes a first run, which stops on the
    // modal welcome dialog.  So, unless a test asks for the first run (or
    // brings its own settings file), the driver puts the settings file that
    // a first run leaves behind into the folder before the start.
    bool firstRun = false;
};

// The name of the settings file and what a first run writes into it.
constexpr const char16_t *kSettingsName = u"PelmoraSetup.ini";
constexpr const char16_t *kFirstRunSettings = u"Language=0\n";

// One line of the state dump (app/test_state.h): its kind and its fields.
struct sStateLine {
    std::string kind;
    std::vector<std::string> fields;
};
using tStateDump = std::vector<sStateLine>;
// The lines of one kind ("menu", "status", "window").
std::vector<sStateLine> LinesOf(const tStateDump &dump, const char *kind);
// The menu line of the command id; null when the menu has none.
const sStateLine *MenuItem(const tStateDump &dump, uint32_t id);

class cProgram {
public:
    cProgram() = default;
    ~cProgram();  // kills a program still running
    cProgram(const cProgram &) = delete;
    cProgram &operator=(const cProgram &) = delete;

    bool Start(const sStart &how);
    // Started on a data folder, every other setting as sStart has it.
    bool Start(const std::u16string &dataFolder) {
        sStart how;
        how.dataFolder = dataFolder;
        return Start(how);
    }
    // The first visible top-level window of the program with that title (and
    // class name prefix, when given); null after the timeout.
    HWND WaitForWindow(const char16_t *title, const char16_t *classPrefix = nullptr, uint32_t timeoutMs = 30000);
    // The first visible top-level window whose class and title start with
    // the prefixes (null: any); null after the timeout.
    HWND WaitForWindowOf(const char16_t *classPrefix, const char16_t *titlePrefix, uint32_t timeoutMs = 30000);
    // The frame window, found by its class.
    HWND WaitForFrame(uint32_t timeoutMs = 30000) { return WaitForWindowOf(kFrameClass, nullptr, timeoutMs); }

    // The state channel (needs sStart::state): asks the program for its
    // state dump and reads it; empty after the timeout.
    tStateDump ReadState(HWND frame, uint32_t timeoutMs = 30000);
    // The modifier keys the program sees as held (kShift | kCtrl; 0 none),
    // from the next message it handles on.
    enum : uint32_t { kShift = 1, kCtrl = 2 };
    bool SetModifiers(HWND frame, uint32_t keys);
    // Posts the registered "PelmoraTestFault" (the program must have been
    // started with fault "ask").
    bool AskFault(HWND frame);
    // Waits until the file holds the text (the program appends to it).
    bool WaitForText(const std::u16string &path, const std::string &text, uint32_t timeoutMs = 30000);
    // Waits for the end; true with the exit code when it ended in time.
    bool WaitForExit(uint32_t timeoutMs, uint32_t &exitCode);
    void Kill();
    DWORD ProcessId() const { return processId; }

private:
    HANDLE process = nullptr;
    DWORD processId = 0;
    std::u16string statePath;
};

// Messages to a window of the program.
bool PostCommand(HWND window, uint32_t id);
bool PostClose(HWND window);
bool PostKey(HWND window, uint32_t virtualKey);
bool PostClick(HWND window, int32_t x, int32_t y);
bool PostRightClick(HWND window, int32_t x, int32_t y);
// Left button down at the start, `steps` moves to the end with the button
// held, up at the end.
bool PostDrag(HWND window, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t steps = 4);

// Dialogs and their items.  The setters change the control and tell its
// dialog as the control would when the user changed it.
HWND DialogItem(HWND dialog, uint32_t id);
// The first child window (at any depth) whose class name starts with the
// prefix, e.g. u"VPClassMusicWin" for the score window; null when none.
HWND ChildOfClass(HWND parent, const char16_t *classPrefix);
bool SetItemText(HWND dialog, uint32_t id, const std::u16string &text);
std::u16string ItemText(HWND dialog, uint32_t id);
bool SetCheck(HWND dialog, uint32_t id, bool checked);  // check box and radio button
bool SelectComboItem(HWND dialog, uint32_t id, int32_t index);
bool SelectListItem(HWND dialog, uint32_t id, int32_t index);
bool SetScrollPosition(HWND dialog, uint32_t id, int32_t position);  // a scroll-bar control
bool PressButton(HWND dialog, uint32_t id);
// The system's open or save dialog filled as a user fills it: the path typed
// into its file-name box, then its Open or Save button pressed.  False when
// the dialog has no file-name box.
bool AnswerFileDialog(HWND dialog, const std::u16string &path);
// Waits until the window is gone (a dialog closed); false after the timeout.
bool WaitUntilClosed(HWND window, uint32_t timeoutMs = 30000);

// The clipboard's text; empty when it holds none.
std::u16string ClipboardText();
// Writes what the window shows, whole, into a 24-bit BMP file (for a
// person to look at); false when it could not.
bool SaveScreenshot(HWND window, const std::u16string &path);

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
