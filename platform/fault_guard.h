// Keeps a processor fault (access violation, division by zero, stack
// overflow ...) or a C++ exception in one of the program's message handlers
// from escaping through the system's message dispatch.
//
// g++ has no __try/__except.  Instead every guarded call (the window
// procedure, the main loop) records a rescue point with __builtin_setjmp.
// A vectored exception handler looks at faults of the GUI thread whose
// address lies in the program's own image; an unhandled-exception filter
// takes the remaining faults of that thread (those raised inside system
// code called by a handler, once no frame of the system wants them).  Either
// copies the exception record and resumes the thread at a small trampoline
// on a reserve stack, which jumps back to the innermost rescue point.  Only
// the frames between the guarded call and the fault are abandoned, and on
// the usual path those are the program's own: the system's dispatch frames
// above the window procedure are left normally, by returning.  The handler
// of the rescue point then reports the fault and ends the message loop.
//
// Faults of other threads, and faults while no rescue point is set (start-up
// before the loop, shutdown), are left to the system.
#pragma once

#include <cstdint>

#include "foundation/base_defs.h"

// What the filter copied from the exception record.
struct sFaultInfo {
    static constexpr uint32_t kMaxParameters = 15;
    // The code of a C++ exception caught by a guarded call (no address).
    static constexpr uint32_t kLanguageException = 0x20474343u;

    uint32_t code = 0;
    uintptr_t address = 0;
    uint32_t parameterCount = 0;
    uintptr_t parameters[kMaxParameters] = {};
};

// One rescue point; lives in the frame of the guarded call.
struct sFaultRescue {
    void *jumpBuffer[5];
    sFaultRescue *outer;
    // The head of the system's exception-registration chain at the rescue
    // point (32-bit Windows keeps it in the thread block); restored on landing.
    void *registrations;
};

// Installs the filters once and makes the calling thread the guarded one.
void InstallFaultGuard();
void PushFaultRescue(sFaultRescue *rescue);
void PopFaultRescue(sFaultRescue *rescue);
// The fault that brought the innermost rescue point back.
const sFaultInfo &LastFault();
// Number of guarded calls running now on the guarded thread.
int32_t FaultRescueDepth();

// The chain of rescue points, kept alike by both platform halves.
// Makes the rescue point the innermost one, keeping the registrations given.
void LinkFaultRescue(sFaultRescue *rescue, void *registrations);
// The rescue point a fault goes back to, null outside every guarded call.
sFaultRescue *InnermostFaultRescue();
// Keeps what the filter copied, for LastFault.
void SetLastFault(const sFaultInfo &info);

// Runs body(); when it faults or throws, runs onFault(info) instead and
// answers what onFault answers.  The function keeps its own frame (a
// returns-twice function is never inlined).
template <class Result, class Body, class OnFault>
__attribute__((noinline)) Result RunGuarded(Body &&body, OnFault &&onFault) {
    sFaultRescue rescue;
    if (__builtin_setjmp(rescue.jumpBuffer)) {
        PopFaultRescue(&rescue);
        return onFault(LastFault());
    }
    PushFaultRescue(&rescue);
    try {
        Result result = body();
        PopFaultRescue(&rescue);
        return result;
    } catch (...) {
        PopFaultRescue(&rescue);
        sFaultInfo info;
        info.code = sFaultInfo::kLanguageException;
        return onFault(info);
    }
}
