#pragma once
#include "framework/GdiObject.h"

class FW_API CRgn : public CGdiObject {
public:
    CRgn() {}
    static CRgn* FromHandle(HRGN hRgn) { return (CRgn*)CGdiObject::FromHandle(hRgn); }
    operator HRGN() const { return (HRGN)m_hObject; }
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) { return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3)); }
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) { return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode)); }
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) { return pRgn1 ? ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->m_hObject, pRgn2 ? (HRGN)pRgn2->m_hObject : NULL, nCombineMode) : ERROR; }
    int CopyRgn(const CRgn* pRgnSrc) { return pRgnSrc ? ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->m_hObject, NULL, RGN_COPY) : ERROR; }
    BOOL EqualRgn(const CRgn* pRgn) const { return pRgn && ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->m_hObject); }
    int OffsetRgn(int x, int y) { return ::OffsetRgn((HRGN)m_hObject, x, y); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
    BOOL RectInRegion(LPCRECT lpRect) const { return ::RectInRegion((HRGN)m_hObject, lpRect); }
    int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox((HRGN)m_hObject, lpRect); }
    void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2); }
};
