// The recorder's context: a memory context of the screen, on which the
// printing device can draw as on a printer's.
#include "foundation/win32_win.h"
#include "ui/print_recorder.h"

tDcHandle NewRecordingContext() { return CreateCompatibleDC(nullptr); }

void DeleteRecordingContext(tDcHandle dc) {
    if (dc) DeleteDC(dc);
}
