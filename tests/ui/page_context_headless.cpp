// A token stands in for a printer's context: the headless device never looks
// into it.
#include "platform/os_handles.h"

tDcHandle NewPageContext() {
    static char token;
    return reinterpret_cast<tDcHandle>(&token);
}

void DeletePageContext(tDcHandle) {}
