// The "ViewPortWin" error table of the window framework.
#pragma once

#include <cstdint>

#include "foundation/error_msg.h"

extern const sErrorTable kViewPortWinErrors;
// Raised with the message index alone: logged and counted, never shown.
void RaiseViewPortError(uint32_t index);

enum : uint32_t {
    kViewPortNoWindowHandle = 0,
    kViewPortNoDeviceContext = 1,
    kViewPortLoadLibrary = 7,
    kViewPortNoHelpFile = 8,
    kViewPortCantRunHelp = 9,
};
