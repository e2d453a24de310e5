// The program entry.
#include <vector>

#include "foundation/win32_win.h"
#include "app/base_type_check.h"
#include "app/prog_win_class.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "ui/window_layer.h"

namespace {

bool ReadEnvironment(const wchar_t *name, std::u16string &value) {
    std::vector<wchar_t> buffer(32768);
    DWORD n = GetEnvironmentVariableW(name, buffer.data(), DWORD(buffer.size()));
    if (n == 0 || n >= buffer.size()) return false;
    value = U(buffer.data());
    return true;
}

// A message handler that faults: the first timer message after the loop
// starts writes through a bad pointer.
volatile uintptr_t gFaultAddress = 0x10;
void CALLBACK FaultingTimer(HWND, UINT, UINT_PTR, DWORD) { *reinterpret_cast<volatile int *>(gFaultAddress) = 1; }

// Settings for tests that drive the program: PELMORA_TEST_BOX_ANSWER answers
// every message box with that button id (the box is logged instead of
// shown); PELMORA_DATA_FOLDER replaces the per-user data folder;
// PELMORA_TEST_SHELL_CAPTURE names a file that receives what the shell was
// asked to open (web pages, the restart after a crash) instead of opening
// it; PELMORA_TEST_FAULT makes a message handler fault once the loop runs.
void ApplyTestSettings(cOpSysVirtual &opSys) {
    std::u16string value;
    if (ReadEnvironment(L"PELMORA_TEST_SHELL_CAPTURE", value) && !value.empty()) opSys.SetShellCaptureForTest(value);
    if (ReadEnvironment(L"PELMORA_TEST_FAULT", value)) SetTimer(nullptr, 0, 100, FaultingTimer);
    if (ReadEnvironment(L"PELMORA_TEST_BOX_ANSWER", value)) opSys.SetScriptedBoxAnswer(ParseLong(value.c_str(), 10));
    if (ReadEnvironment(L"PELMORA_DATA_FOLDER", value) && !value.empty()) {
        if (value.back() != u'\\') value.push_back(u'\\');
        opSys.SetDataFolderForTest(value);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, wchar_t *commandLine, int show) {
    InstallWindowLayer();
    cOpSysVirtual opSys(instance, previous, U(commandLine));
    ApplyTestSettings(opSys);
    ProgWinClass frame(show, u"Pelmora");
    frame.Open();
    CheckBaseTypeSizes();
    int32_t exitCode = opSys.RunMessageLoop(&frame);
    opSys.Shutdown();
    // Exactly the font file that the start-up added, if it added one.
    opSys.RemoveAddedFontFile();
    return exitCode;
}
