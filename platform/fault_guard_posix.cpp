// The native build takes no faults back: a fault ends the test program, so
// the sanitizers can report it.  The rescue points are still kept, so that a
// C++ exception in a guarded call behaves as on Windows.
#include "platform/fault_guard.h"

void InstallFaultGuard() {}

void PushFaultRescue(sFaultRescue *rescue) { LinkFaultRescue(rescue, nullptr); }
