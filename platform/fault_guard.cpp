// The bookkeeping of the rescue points that both platform halves share: how
// guarded calls nest and which fault came back last.
#include "platform/fault_guard.h"

namespace {
sFaultRescue *gInnermost = nullptr;
int32_t gDepth = 0;
sFaultInfo gLastFault;
}  // namespace

void LinkFaultRescue(sFaultRescue *rescue, void *registrations) {
    rescue->registrations = registrations;
    rescue->outer = gInnermost;
    gInnermost = rescue;
    ++gDepth;
}

// Only the innermost point unlinks, so a point that was never linked (on
// another thread than the guarded one) leaves the chain alone.
void PopFaultRescue(sFaultRescue *rescue) {
    if (gInnermost != rescue) return;
    gInnermost = rescue->outer;
    --gDepth;
}

sFaultRescue *InnermostFaultRescue() { return gInnermost; }
void SetLastFault(const sFaultInfo &info) { gLastFault = info; }
const sFaultInfo &LastFault() { return gLastFault; }
int32_t FaultRescueDepth() { return gDepth; }
