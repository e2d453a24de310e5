// The program entry.
#include <vector>

#include "app/base_type_check.h"
#include "app/prog_win_class.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"

namespace {

bool ReadEnvironment(const wchar_t *name, std::u16string &value) {
    std::vector<wchar_t> buffer(32768);
    DWORD n = GetEnvironmentVariableW(name, buffer.data(), DWORD(buffer.size()));
    if (n == 0 || n >= buffer.size()) return false;
    value = U(buffer.data());
    return true;
}

// Settings for tests that drive the program: PELMORA_TEST_BOX_ANSWER answers
// every message box with that button id (the box is logged instead of
// shown); PELMORA_DATA_FOLDER replaces the per-user data folder.
void ApplyTestSettings(cOpSysVirtual &opSys) {
    std::u16string value;
    if (ReadEnvironment(L"PELMORA_TEST_BOX_ANSWER", value)) opSys.SetScriptedBoxAnswer(ParseLong(value.c_str(), 10));
    if (ReadEnvironment(L"PELMORA_DATA_FOLDER", value) && !value.empty()) {
        if (value.back() != u'\\') value.push_back(u'\\');
        opSys.SetDataFolderForTest(value);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, wchar_t *commandLine, int show) {
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
