// The program entry.
#include "platform/op_sys.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, wchar_t *commandLine, int show) {
    cOpSysVirtual opSys(instance, previous, U(commandLine));
    return 0;
}
