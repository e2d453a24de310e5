// The native build takes no faults back: a fault ends the test program, so
// the sanitizers can report it.  The rescue points are still kept, so that a
// C++ exception in a guarded call behaves as on Windows.
#include "platform/fault_guard.h"

namespace {
sFaultRescue *gInnermost = nullptr;
int32_t gDepth = 0;
sFaultInfo gLastFault;
}  // namespace

void InstallFaultGuard() {}

void PushFaultRescue(sFaultRescue *rescue) {
    rescue->registrations = nullptr;
    rescue->outer = gInnermost;
    gInnermost = rescue;
    ++gDepth;
}

void PopFaultRescue(sFaultRescue *rescue) {
    if (gInnermost != rescue) return;
    gInnermost = rescue->outer;
    --gDepth;
}

const sFaultInfo &LastFault() { return gLastFault; }
int32_t FaultRescueDepth() { return gDepth; }
