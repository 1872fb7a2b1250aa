// Scoped owners of Win32 handles (GDI objects, kernel handles, memory DCs),
// on the template of ScopedOwner.h. CScopedFile comes from ScopedFile.h.
#pragma once

#include "framework/FwDefs.h"
#include "framework/ScopedFile.h"
#include "framework/ScopedOwner.h"

#ifdef _WIN32

struct KernelHandleTraits {
    typedef HANDLE Type;
    static Type Null() { return INVALID_HANDLE_VALUE; }
    static void Release(Type h) { ::CloseHandle(h); }
};

// A kernel handle (file, event, process); INVALID_HANDLE_VALUE is empty.
typedef TScopedHandle<KernelHandleTraits> CScopedHandle;

template <class H>
struct GdiTraits {
    typedef H Type;
    static Type Null() { return NULL; }
    static void Release(Type h) { ::DeleteObject(h); }
};

// A GDI object: pen, brush, bitmap or DIB section, region, font.
template <class H, bool Owning = true>
using TGdiHandle = TScopedHandle<GdiTraits<H>, Owning>;

typedef TGdiHandle<HPEN> CScopedPen;
typedef TGdiHandle<HBRUSH> CScopedBrush;
typedef TGdiHandle<HBITMAP> CScopedBitmap;
typedef TGdiHandle<HRGN> CScopedRgn;
typedef TGdiHandle<HFONT> CScopedFont;
typedef TGdiHandle<HBRUSH, false> CBorrowedBrush;
typedef TGdiHandle<HBITMAP, false> CBorrowedBitmap;

struct MemoryDCTraits {
    typedef HDC Type;
    static Type Null() { return NULL; }
    static void Release(Type h) { ::DeleteDC(h); }
};

// A memory DC from CreateCompatibleDC.
typedef TScopedHandle<MemoryDCTraits> CScopedMemDC;

struct HookTraits {
    typedef HHOOK Type;
    static Type Null() { return NULL; }
    static void Release(Type h) { ::UnhookWindowsHookEx(h); }
};

// A hook from SetWindowsHookEx.
typedef TScopedHandle<HookTraits> CScopedHook;

#endif  // _WIN32
