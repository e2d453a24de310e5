// A memory context stands in for a printer's: GDI draws on it.
#include "foundation/win32_win.h"
#include "platform/os_handles.h"

tDcHandle NewPageContext() { return CreateCompatibleDC(nullptr); }

void DeletePageContext(tDcHandle dc) { DeleteDC(dc); }
