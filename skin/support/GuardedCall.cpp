#include "skin/support/GuardedCall.h"

namespace {
// The state of one guarded call; the innermost of a thread is the one a fault returns to.
struct GuardFrame {
    void* jump[5];  // for __builtin_setjmp
    volatile LONG faulted;
    GuardFrame* outer;
#if defined(__i386__)
    void* exceptionList;
#endif
};

thread_local GuardFrame* t_guard = nullptr;

#if defined(__i386__)
// The head of the thread's chain of handler frames, at fs:0.
void* ExceptionList()
{
    void* head;
    __asm__ volatile("movl %%fs:0, %0"
                     : "=r"(head));
    return head;
}

void SetExceptionList(void* head) { __asm__ volatile("movl %0, %%fs:0"
                                                     :
                                                     : "r"(head)
                                                     : "memory"); }
#endif

bool IsFault(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_IN_PAGE_ERROR:
        return true;
    default:
        return false;
    }
}

// Runs on the faulting thread after the fault: back into the innermost guard.
__attribute__((noinline, noreturn)) void ReturnToGuard() { __builtin_longjmp(t_guard->jump, 1); }

// Marks the innermost guard as faulted and resumes the thread in ReturnToGuard, on
// a fresh part of its stack below the faulting code's, aligned as after a call.
LONG CALLBACK OnFault(PEXCEPTION_POINTERS info)
{
    GuardFrame* frame = t_guard;
    if (!frame || frame->faulted || !IsFault(info->ExceptionRecord->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    frame->faulted = 1;
    CONTEXT* context = info->ContextRecord;
#if defined(_WIN64)
    context->Rsp = ((context->Rsp - 256) & ~DWORD64(15)) - 8;
    context->Rip = reinterpret_cast<DWORD64>(ReturnToGuard);
#else
    context->Esp = ((context->Esp - 256) & ~DWORD(15)) - 4;
    context->Eip = reinterpret_cast<DWORD>(ReturnToGuard);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

// A handler registered for the length of one call, so that none is left behind
// when the library is unloaded.
class CScopedFaultHandler {
public:
    CScopedFaultHandler() : m_handle(AddVectoredExceptionHandler(1, OnFault)) {}
    ~CScopedFaultHandler()
    {
        if (m_handle)
            RemoveVectoredExceptionHandler(m_handle);
    }
    bool IsValid() const { return m_handle != NULL; }

private:
    PVOID m_handle;
    CScopedFaultHandler(const CScopedFaultHandler&);
    CScopedFaultHandler& operator=(const CScopedFaultHandler&);
};
}  // namespace

bool SkinCallGuarded(void (*call)(void* context), void* context)
{
    CScopedFaultHandler handler;
    if (!handler.IsValid()) {
        call(context);
        return true;
    }
    GuardFrame frame;
    frame.faulted = 0;
    frame.outer = t_guard;
#if defined(__i386__)
    frame.exceptionList = ExceptionList();
#endif
    if (__builtin_setjmp(frame.jump)) {
#if defined(__i386__)
        // Frames the faulting call registered lie below this one and are gone.
        SetExceptionList(frame.exceptionList);
#endif
        t_guard = frame.outer;
        return false;
    }
    t_guard = &frame;
    call(context);
    t_guard = frame.outer;
    return true;
}
