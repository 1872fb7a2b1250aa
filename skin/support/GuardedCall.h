// Calls into foreign code that may fault: a fault inside the call is caught
// and reported, so that it does not end the host program.
#pragma once

#include <windows.h>

// Runs call(context) on this thread; false when the call faulted (a hardware
// fault such as an access violation or an illegal instruction). The fault is
// taken at first chance, so it is meant for calls into libraries that do not
// handle their own faults. The faulting call is left where it stood: nothing
// of it is unwound.
bool SkinCallGuarded(void (*call)(void* context), void* context);

// The same for a callable object: SkinGuarded(fn) runs fn().
template <typename F>
bool SkinGuarded(F& fn)
{
    return SkinCallGuarded([](void* context) { (*static_cast<F*>(context))(); }, &fn);
}
