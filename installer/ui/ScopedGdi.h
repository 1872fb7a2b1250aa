#pragma once
// Owners of the GDI handles the installer's drawing code makes.
#include <windows.h>

template <typename T>
class CUiGdiHandle {
public:
    explicit CUiGdiHandle(T handle = NULL) : m_handle(handle) {}
    ~CUiGdiHandle() { Reset(); }
    CUiGdiHandle(const CUiGdiHandle &) = delete;
    CUiGdiHandle &operator=(const CUiGdiHandle &) = delete;
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
    operator T() const { return m_handle; }

private:
    T m_handle;
};

class CUiMemDC {
public:
    explicit CUiMemDC(HDC compatible) : m_hDC(::CreateCompatibleDC(compatible)) {}
    ~CUiMemDC()
    {
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
    CUiMemDC(const CUiMemDC &) = delete;
    CUiMemDC &operator=(const CUiMemDC &) = delete;
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

// Selects an object into a DC and the previous one back.
class CUiSelect {
public:
    CUiSelect(HDC dc, HGDIOBJ object)
        : m_hDC(dc), m_hOld(dc && object ? ::SelectObject(dc, object) : NULL) {}
    ~CUiSelect()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }
    CUiSelect(const CUiSelect &) = delete;
    CUiSelect &operator=(const CUiSelect &) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
