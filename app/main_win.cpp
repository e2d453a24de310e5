// The program entry.
#include "foundation/win32_win.h"
#include "app/base_type_check.h"
#include "app/prog_win_class.h"
#include "app/test_settings.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "ui/window_layer.h"

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
