#pragma once
#include "framework/GdiObject.h"

class CDC;

class FW_API CBitmap : public CGdiObject {
public:
    CBitmap() {}
    static CBitmap* FromHandle(HBITMAP hBitmap) { return (CBitmap*)CGdiObject::FromHandle(hBitmap); }
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
    // Searches the registered resource modules in order.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    BOOL LoadOEMBitmap(UINT nIDBitmap) { return Attach(::LoadBitmap(NULL, MAKEINTRESOURCE(nIDBitmap))); }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) { return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits)); }
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) { return ::GetObject(m_hObject, sizeof(BITMAP), pBitMap); }
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const { return (DWORD)::GetBitmapBits((HBITMAP)m_hObject, (LONG)dwCount, lpBits); }
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits) { return (DWORD)::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits); }
};
