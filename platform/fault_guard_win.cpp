#include "platform/fault_guard.h"

#include "foundation/win32_win.h"

namespace {

DWORD gGuardedThread = 0;
uintptr_t gImageStart = 0;
uintptr_t gImageEnd = 0;
LPTOP_LEVEL_EXCEPTION_FILTER gPreviousFilter = nullptr;

// The trampoline runs here, so that a stack overflow still leaves room.
alignas(16) unsigned char gReserveStack[32 * 1024];

bool IsProcessorFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_FLT_DENORMAL_OPERAND:
        case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        case EXCEPTION_FLT_INEXACT_RESULT:
        case EXCEPTION_FLT_INVALID_OPERATION:
        case EXCEPTION_FLT_OVERFLOW:
        case EXCEPTION_FLT_STACK_CHECK:
        case EXCEPTION_FLT_UNDERFLOW:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_IN_PAGE_ERROR:
        case EXCEPTION_STACK_OVERFLOW:
        case EXCEPTION_NONCONTINUABLE_EXCEPTION:
        case EXCEPTION_INVALID_DISPOSITION:
            return true;
        default:
            return false;
    }
}

void FindOwnImage() {
    auto base = reinterpret_cast<const uint8_t *>(GetModuleHandleW(nullptr));
    if (!base) return;
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    gImageStart = reinterpret_cast<uintptr_t>(base);
    gImageEnd = gImageStart + nt->OptionalHeader.SizeOfImage;
}

[[noreturn]] void Trampoline() {
    sFaultRescue *rescue = InnermostFaultRescue();
#if defined(__i386__)
    // Registrations of the abandoned frames point below the rescue point.
    reinterpret_cast<NT_TIB *>(NtCurrentTeb())->ExceptionList = static_cast<EXCEPTION_REGISTRATION_RECORD *>(rescue->registrations);
#endif
    __builtin_longjmp(rescue->jumpBuffer, 1);
}

// Copies the record and sends the thread to the trampoline.
LONG Rescue(EXCEPTION_POINTERS *pointers) {
    const EXCEPTION_RECORD *record = pointers->ExceptionRecord;
    sFaultInfo fault;
    fault.code = record->ExceptionCode;
    fault.address = reinterpret_cast<uintptr_t>(record->ExceptionAddress);
    uint32_t n = record->NumberParameters;
    if (n > sFaultInfo::kMaxParameters) n = sFaultInfo::kMaxParameters;
    fault.parameterCount = n;
    for (uint32_t i = 0; i < n; ++i) fault.parameters[i] = record->ExceptionInformation[i];
    SetLastFault(fault);

    CONTEXT *context = pointers->ContextRecord;
    uintptr_t top = reinterpret_cast<uintptr_t>(gReserveStack + sizeof gReserveStack) - 64;
#if defined(__x86_64__)
    context->Rsp = top - 8;  // as right after a call
    context->Rip = reinterpret_cast<DWORD64>(&Trampoline);
#else
    context->Esp = top - 4;
    context->Eip = reinterpret_cast<DWORD>(&Trampoline);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

bool Guarded() { return InnermostFaultRescue() && GetCurrentThreadId() == gGuardedThread; }

}  // namespace

// First look at every exception: only a processor fault of the guarded
// thread in the program's own code is taken; everything else (C++
// exceptions, faults that system code handles itself) goes on as usual.
LONG CALLBACK MessageLoopFilter(EXCEPTION_POINTERS *pointers) {
    if (!Guarded() || !IsProcessorFault(pointers->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    uintptr_t at = reinterpret_cast<uintptr_t>(pointers->ExceptionRecord->ExceptionAddress);
    if (at < gImageStart || at >= gImageEnd) return EXCEPTION_CONTINUE_SEARCH;
    return Rescue(pointers);
}

// Last look: a fault that no frame wanted, while a guarded call runs.
LONG WINAPI UnhandledFaultFilter(EXCEPTION_POINTERS *pointers) {
    if (Guarded() && IsProcessorFault(pointers->ExceptionRecord->ExceptionCode)) return Rescue(pointers);
    return gPreviousFilter ? gPreviousFilter(pointers) : EXCEPTION_CONTINUE_SEARCH;
}

void InstallFaultGuard() {
    gGuardedThread = GetCurrentThreadId();
    static bool installed = false;
    if (installed) return;
    installed = true;
    FindOwnImage();
    AddVectoredExceptionHandler(1, MessageLoopFilter);
    gPreviousFilter = SetUnhandledExceptionFilter(UnhandledFaultFilter);
}

void PushFaultRescue(sFaultRescue *rescue) {
    if (!gGuardedThread || GetCurrentThreadId() != gGuardedThread) {
        rescue->outer = nullptr;
        return;  // not the guarded thread: nothing to come back to
    }
#if defined(__i386__)
    LinkFaultRescue(rescue, reinterpret_cast<NT_TIB *>(NtCurrentTeb())->ExceptionList);
#else
    LinkFaultRescue(rescue, nullptr);
#endif
}
