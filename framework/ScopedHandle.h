// Scoped owners: each holds one handle and releases it when it goes out of
// scope, on every return path. Owners move but never copy; a moved-from owner
// holds nothing. With Owning = false the same type holds a borrowed handle
// (a stock object, a system brush, a caller's file) and never releases it.
#pragma once

#include <cstdio>

#include "framework/FwDefs.h"

template <class Traits, bool Owning = true>
class TScopedHandle {
public:
    typedef typename Traits::Type Type;

    TScopedHandle() : m_h(Traits::Null()) {}
    explicit TScopedHandle(Type h) : m_h(h) {}
    TScopedHandle(TScopedHandle&& other) : m_h(other.m_h) { other.m_h = Traits::Null(); }
    ~TScopedHandle() { Reset(); }

    TScopedHandle& operator=(TScopedHandle&& other)
    {
        if (this != &other) {
            Reset(other.m_h);
            other.m_h = Traits::Null();
        }
        return *this;
    }

    Type Get() const { return m_h; }
    operator Type() const { return m_h; }
    bool IsValid() const { return m_h != Traits::Null(); }

    // Releases the handle held (if owned) and holds h instead.
    void Reset(Type h = Traits::Null())
    {
        if (Owning && m_h != Traits::Null() && m_h != h)
            Traits::Release(m_h);
        m_h = h;
    }

    // Gives the handle up without releasing it.
    Type Detach()
    {
        Type h = m_h;
        m_h = Traits::Null();
        return h;
    }

private:
    TScopedHandle(const TScopedHandle&);
    TScopedHandle& operator=(const TScopedHandle&);

    Type m_h;
};

struct FileTraits {
    typedef FILE* Type;
    static Type Null() { return NULL; }
    static void Release(Type f) { fclose(f); }
};

// A stdio stream, closed at the end of its scope. A writer that must know
// whether the data reached the disk calls Close() and checks its result.
class CScopedFile : public TScopedHandle<FileTraits> {
public:
    CScopedFile() {}
    explicit CScopedFile(FILE* f) : TScopedHandle<FileTraits>(f) {}
    CScopedFile(CScopedFile&& other) : TScopedHandle<FileTraits>(static_cast<TScopedHandle<FileTraits>&&>(other)) {}
    CScopedFile& operator=(CScopedFile&& other)
    {
        TScopedHandle<FileTraits>::operator=(static_cast<TScopedHandle<FileTraits>&&>(other));
        return *this;
    }

    // fclose's result; the owner holds nothing afterwards.
    bool Close()
    {
        FILE* f = Detach();
        return f == NULL || fclose(f) == 0;
    }
};

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

#endif  // _WIN32
