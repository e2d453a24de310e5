// The settings with which tests drive the real program.  Each is an
// environment variable read once at start-up; none is set when a user runs
// the program, and then nothing here changes what it does.
#include "foundation/win32_win.h"
#include "app/test_settings.h"

#include <memory>
#include <string>
#include <vector>

#include "app/test_state.h"
#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "midi/recording_midi_driver.h"
#include "platform/op_sys.h"
#include "ui/help_recorder.h"
#include "ui/menu_item.h"
#include "ui/print_recorder.h"
#include "ui/status_bar.h"
#include "ui/view_port_top.h"

namespace {

bool ReadEnvironment(const wchar_t *name, std::u16string &value) {
    std::vector<wchar_t> buffer(32768);
    DWORD n = GetEnvironmentVariableW(name, buffer.data(), DWORD(buffer.size()));
    if (n == 0 || n >= buffer.size()) return false;
    value = U(buffer.data());
    return true;
}

// The fields of a comma-separated value.
std::vector<std::u16string> SplitAtCommas(const std::u16string &value) {
    std::vector<std::u16string> fields(1);
    for (char16_t c : value)
        if (c == u',')
            fields.emplace_back();
        else
            fields.back().push_back(c);
    return fields;
}

// A message handler that faults: writes through a bad pointer.
volatile uintptr_t gFaultAddress = 0x10;
void Fault() { *reinterpret_cast<volatile int *>(gFaultAddress) = 1; }
void CALLBACK FaultingTimer(HWND, UINT, UINT_PTR, DWORD) { Fault(); }

// The registered messages a test posts to the frame, and what the state
// message's wParam asks for.
UINT gFaultMessage = 0;
UINT gStateMessage = 0;
constexpr uintptr_t kWriteState = 0;
constexpr uintptr_t kSetModifiers = 1;  // lParam: cOpSysBase::kTestShift | kTestCtrl
std::u16string gStatePath;

// The replacements the settings put in place; they live as long as the
// program.
std::unique_ptr<cRecordingMidiDriver> gTestMidi;
std::unique_ptr<cRecordingHelpEngine> gTestHelp;
std::unique_ptr<cRecordingPrintSpooler> gTestPrint;

BOOL CALLBACK AddWindow(HWND window, LPARAM param) {
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t name[256], title[512];
    int n = GetClassNameW(window, name, 256);
    int t = GetWindowTextW(window, title, 512);
    reinterpret_cast<std::vector<sTestWindowInfo> *>(param)->push_back(
        {std::u16string(U(name), size_t(n > 0 ? n : 0)), std::u16string(U(title), size_t(t > 0 ? t : 0))});
    return TRUE;
}

// Writes the dump beside its file and then puts it in its place, so that a
// test never reads half a dump.
void WriteStateDump(cOpSysVirtual &opSys) {
    sTestState state;
    state.menu = gMainMenu;
    if (cViewPortTop *frame = opSys.GetMainWindow()) {
        state.statusBar = dynamic_cast<cStatusBarBase *>(frame->GetStatusBar());
        // The popup menus stay built after they closed: a test reads the
        // last one shown after it has dismissed it.
        if (frame->GetPopupMenu()) state.popups.push_back(frame->GetPopupMenu());
        for (cMessageDvcBase *listener : frame->Listeners())
            if (auto *window = dynamic_cast<cViewPortBase *>(listener))
                if (window->GetPopupMenu()) state.popups.push_back(window->GetPopupMenu());
    }
    EnumThreadWindows(GetCurrentThreadId(), AddWindow, reinterpret_cast<LPARAM>(&state.windows));
    state.shift = opSys.IsShiftDown();
    state.ctrl = opSys.IsCtrlDown();
    std::string dump = ComposeTestStateDump(state);
    std::u16string part = gStatePath + u".part";
    FILE *f = OpenFileWide(part.c_str(), "wb");
    if (!f) return;
    std::fwrite(dump.data(), 1, dump.size(), f);
    std::fclose(f);
    MoveFileExW(W(part.c_str()), W(gStatePath.c_str()), MOVEFILE_REPLACE_EXISTING);
}

bool TakeTestMessage(cOpSysVirtual &opSys, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message == 0) return false;
    if (message == gFaultMessage) {
        Fault();
        return true;
    }
    if (message != gStateMessage) return false;
    if (wParam == kSetModifiers)
        opSys.SetTestModifiers(uint32_t(lParam));
    else if (wParam == kWriteState)
        WriteStateDump(opSys);
    return true;
}

void InstallLoopHook(cOpSysVirtual &opSys) {
    opSys.SetLoopHook([&opSys](uint32_t message, uintptr_t wParam, intptr_t lParam) {
        return TakeTestMessage(opSys, message, wParam, lParam);
    });
}

// ---- The settings ----------------------------------------------------------

void BoxAnswers(cOpSysVirtual &opSys, const std::u16string &value) {
    std::vector<int32_t> answers;
    for (const std::u16string &field : SplitAtCommas(value)) answers.push_back(ParseLong(field.c_str(), 10));
    opSys.SetScriptedBoxAnswers(answers);
}

void DataFolder(cOpSysVirtual &opSys, const std::u16string &value) {
    if (value.empty()) return;
    std::u16string folder = value;
    if (folder.back() != u'\\') folder.push_back(u'\\');
    opSys.SetDataFolderForTest(folder);
}

void ShellCapture(cOpSysVirtual &opSys, const std::u16string &value) {
    if (!value.empty()) opSys.SetShellCaptureForTest(value);
}

void FaultOnStart(cOpSysVirtual &opSys, const std::u16string &value) {
    if (value == u"ask") {
        gFaultMessage = RegisterWindowMessageW(L"PelmoraTestFault");
        InstallLoopHook(opSys);
        return;
    }
    SetTimer(nullptr, 0, 100, FaultingTimer);
}

void FileAnswers(cOpSysVirtual &opSys, const std::u16string &value) {
    std::string bytes;
    ReadWholeFile(value.c_str(), bytes);
    // An editor may have put a byte-order mark before the first path.
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    std::vector<std::u16string> answers;
    std::u16string text = FromUtf8(bytes);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        answers.push_back(line);
        start = end + 1;
    }
    opSys.SetScriptedFileAnswers(answers);
}

void MidiWithoutDevice(cOpSysVirtual &, const std::u16string &value) {
    std::vector<std::u16string> fields = SplitAtCommas(value);
    double factor = ParseLong(fields[0].c_str(), 10);
    gTestMidi = std::make_unique<cRecordingMidiDriver>();
    gTestMidi->mapperCaps.name = u"Pelmora test MIDI (no device)";
    gTestMidi->musicScale = factor >= 1 ? 1.0 / factor : 1.0;
    gTestMidi->threadedTimers = true;
    gTestMidi->timerScale = gTestMidi->musicScale;
    gTestMidi->noticeSink = &SystemMidiDriver();
    if (fields.size() > 1) gTestMidi->recordPath = fields[1];
    SetMidiDriver(gTestMidi.get());
}

void PrintRecorder(cOpSysVirtual &, const std::u16string &value) {
    gTestPrint = std::make_unique<cRecordingPrintSpooler>(value);
    SetPrintSpooler(gTestPrint.get());
}

void HelpRecorder(cOpSysVirtual &, const std::u16string &value) {
    gTestHelp = std::make_unique<cRecordingHelpEngine>(value);
    SetHelpEngine(gTestHelp.get());
}

void StateChannel(cOpSysVirtual &opSys, const std::u16string &value) {
    if (value.empty()) return;
    gStatePath = value;
    gStateMessage = RegisterWindowMessageW(L"PelmoraTestState");
    InstallLoopHook(opSys);
}

struct sTestSetting {
    const wchar_t *name;
    void (*apply)(cOpSysVirtual &opSys, const std::u16string &value);
};

// Every setting, with what it does.
const sTestSetting kTestSettings[] = {
    // Message boxes are logged ("Box: " caption ": " text) instead of shown
    // and answered by these button ids, one box each ("6,7,1"); the last
    // answers every later box.
    {L"PELMORA_TEST_BOX_ANSWER", BoxAnswers},
    // The per-user data folder (settings, session logs, error report).
    {L"PELMORA_DATA_FOLDER", DataFolder},
    // A file that receives what the shell was asked to open (web pages, the
    // restart after a crash) instead of opening it.
    {L"PELMORA_TEST_SHELL_CAPTURE", ShellCapture},
    // "ask": a message handler faults when a test posts the registered
    // message "PelmoraTestFault" to the program; any other value: the first
    // timer message, about 100 ms after the loop starts, faults.
    {L"PELMORA_TEST_FAULT", FaultOnStart},
    // A UTF-8 file of answers for the open and save dialogs, one path a
    // line, each dialog taking the next line; an empty line is Cancel.  Each
    // use is logged ("File dialog: Open: " path).
    {L"PELMORA_TEST_FILE_ANSWERS", FileAnswers},
    // "<factor>[,<file>]": MIDI plays on the device-less driver of
    // midi/recording_midi_driver.h, <factor> times faster than real time
    // (1: real time), recording each played message into <file>.
    {L"PELMORA_TEST_MIDI", MidiWithoutDevice},
    // A file into which the print jobs are recorded (ui/print_recorder.h)
    // instead of going to a printer.
    {L"PELMORA_TEST_PRINT", PrintRecorder},
    // A file to which help requests are appended (ui/help_recorder.h)
    // instead of going to the help engine; no help file is needed.
    {L"PELMORA_TEST_HELP", HelpRecorder},
    // The state channel: the program answers the registered message
    // "PelmoraTestState" posted to it.  wParam 0 writes the dump of
    // app/test_state.h into this file; wParam 1 sets the modifier keys the
    // program sees as held to lParam (1 Shift, 2 Ctrl; 0 releases them).
    {L"PELMORA_TEST_STATE", StateChannel},
};

}  // namespace

void ApplyTestSettings(cOpSysVirtual &opSys) {
    std::u16string value;
    for (const sTestSetting &setting : kTestSettings)
        if (ReadEnvironment(setting.name, value)) setting.apply(opSys, value);
}
