// Owners of GDI handles: each deletes or releases what it holds.
#pragma once

#include <windows.h>

template <typename T>
class CVZRGdiHandle {
public:
    explicit CVZRGdiHandle(T handle = NULL) : m_handle(handle) {}
    ~CVZRGdiHandle() { Reset(); }
    void Reset(T handle = NULL)
    {
        if (m_handle)
            ::DeleteObject(m_handle);
        m_handle = handle;
    }
    T Release()
    {
        T h = m_handle;
        m_handle = NULL;
        return h;
    }
    T Get() const { return m_handle; }
    operator T() const { return m_handle; }

private:
    T m_handle;
    CVZRGdiHandle(const CVZRGdiHandle&);
    CVZRGdiHandle& operator=(const CVZRGdiHandle&);
};

class CVZRMemDC {
public:
    explicit CVZRMemDC(HDC compatible) : m_hDC(::CreateCompatibleDC(compatible)) {}
    ~CVZRMemDC()
    {
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
    CVZRMemDC(const CVZRMemDC&);
    CVZRMemDC& operator=(const CVZRMemDC&);
};

class CVZRScreenDC {
public:
    CVZRScreenDC() : m_hDC(::GetDC(NULL)) {}
    ~CVZRScreenDC()
    {
        if (m_hDC)
            ::ReleaseDC(NULL, m_hDC);
    }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
    CVZRScreenDC(const CVZRScreenDC&);
    CVZRScreenDC& operator=(const CVZRScreenDC&);
};

// Selects an object into a DC and selects the previous one back.
class CVZRSelect {
public:
    CVZRSelect(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(dc && object ? ::SelectObject(dc, object) : NULL) {}
    ~CVZRSelect()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
    CVZRSelect(const CVZRSelect&);
    CVZRSelect& operator=(const CVZRSelect&);
};
