// Device contexts. CDC owns an HDC it created (CreateCompatibleDC, CreateDC)
// and deletes it; the window DC classes release theirs. A DC that CDC owns
// gets back the pen, brush, font and bitmap it had before the first selection
// when it is released, and an object deleted while it is still selected
// through CDC is put out of the DC first (else it could not be deleted).
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Geometry.h"
#include "framework/Pen.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Bitmap.h"
#include "framework/Rgn.h"

class CWnd;

class FW_API CDC : public CObject {
    DECLARE_DYNCREATE(CDC)
public:
    CDC() : m_hDC(NULL), m_hAttribDC(NULL), m_hSaved{}, m_bTemporary(false) {}
    virtual ~CDC();
    HDC m_hDC;
    HDC m_hAttribDC;
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL DeleteDC();
    BOOL CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : NULL)); }
    BOOL CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData) { return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData)); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }
    CWnd* GetWindow() const;

    // Selection returns the previous object as a (temporary) wrapper, NULL on failure.
    CPen* SelectObject(CPen* pPen) { return CPen::FromHandle((HPEN)Select(pPen ? pPen->m_hObject : NULL)); }
    CBrush* SelectObject(CBrush* pBrush) { return CBrush::FromHandle((HBRUSH)Select(pBrush ? pBrush->m_hObject : NULL)); }
    CFont* SelectObject(CFont* pFont) { return CFont::FromHandle((HFONT)Select(pFont ? pFont->m_hObject : NULL)); }
    CBitmap* SelectObject(CBitmap* pBitmap) { return CBitmap::FromHandle((HBITMAP)Select(pBitmap ? pBitmap->m_hObject : NULL)); }
    int SelectObject(CRgn* pRgn) { return pRgn && m_hDC ? (int)(INT_PTR)::SelectObject(m_hDC, pRgn->m_hObject) : ERROR; }
    CGdiObject* SelectObject(CGdiObject* pObject) { return CGdiObject::FromHandle(Select(pObject ? pObject->m_hObject : NULL)); }
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return Select(hObject); }
    CGdiObject* SelectStockObject(int nIndex) { return CGdiObject::FromHandle(Select(::GetStockObject(nIndex))); }
    // Puts back the objects the DC had before the first selection through this object.
    void RestoreSelections();
    // Called before a GDI object is deleted: DCs of this thread holding it let it go.
    static void ReleaseFromSelections(HGDIOBJ hObject);
    CFont* GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }
    CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP)); }

    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    int SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
    int SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    int SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }
    UINT SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
    CPoint SetViewportOrg(int x, int y)
    {
        POINT p;
        ::SetViewportOrgEx(m_hDC, x, y, &p);
        return CPoint(p.x, p.y);
    }
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint GetViewportOrg() const
    {
        POINT p;
        ::GetViewportOrgEx(m_hDC, &p);
        return CPoint(p.x, p.y);
    }
    CPoint SetWindowOrg(int x, int y)
    {
        POINT p;
        ::SetWindowOrgEx(m_hDC, x, y, &p);
        return CPoint(p.x, p.y);
    }
    CPoint OffsetViewportOrg(int nWidth, int nHeight)
    {
        POINT p;
        ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &p);
        return CPoint(p.x, p.y);
    }
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(m_hDC, lpPoints, nCount); }
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { ::LPtoDP(m_hDC, lpPoints, nCount); }
    void DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hDC, (LPPOINT)lpRect, 2); }
    void LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hDC, (LPPOINT)lpRect, 2); }

    int SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, pRgn ? (HRGN)pRgn->m_hObject : NULL); }
    int IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
    int IntersectClipRect(LPCRECT lpRect) { return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
    int ExcludeClipRect(LPCRECT lpRect) { return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

    CPoint MoveTo(int x, int y)
    {
        POINT p;
        ::MoveToEx(m_hDC, x, y, &p);
        return CPoint(p.x, p.y);
    }
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
    BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
    BOOL Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    void FillRect(LPCRECT lpRect, CBrush* pBrush)
    {
        if (pBrush != NULL) ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->m_hObject);
    }
    void FrameRect(LPCRECT lpRect, CBrush* pBrush)
    {
        if (pBrush != NULL) ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->m_hObject);
    }
    void InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush) { return pRgn && pBrush && ::FillRgn(m_hDC, (HRGN)pRgn->m_hObject, (HBRUSH)pBrush->m_hObject); }
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) { return pRgn && pBrush && ::FrameRgn(m_hDC, (HRGN)pRgn->m_hObject, (HBRUSH)pBrush->m_hObject, nWidth, nHeight); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) { return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : NULL, xSrc, ySrc, dwRop); }
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, DWORD dwRop) { return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : NULL, xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop); }
    BOOL TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent);
    BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend);

    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOut(m_hDC, x, y, lpszString, nCount); }
    BOOL TextOut(int x, int y, const CString& str) { return ::TextOut(m_hDC, x, y, (LPCTSTR)str, str.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths) { return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths); }
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) { return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat); }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) { return ::DrawText(m_hDC, (LPCTSTR)str, str.GetLength(), lpRect, nFormat); }
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const
    {
        SIZE s = {0, 0};
        ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &s);
        return CSize(s.cx, s.cy);
    }
    CSize GetTextExtent(const CString& str) const { return GetTextExtent((LPCTSTR)str, str.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hDC, lpMetrics); }

private:
    HGDIOBJ Select(HGDIOBJ hObject);
    void ForgetSelections();
    HGDIOBJ m_hSaved[4];  // pen, brush, font, bitmap before our first selection
    bool m_bTemporary;    // a borrowed DC from FromHandle: selections stay as they are
    CDC(const CDC&);
    CDC& operator=(const CDC&);
};

// Puts an object into a DC and puts the previous one back when it goes out of scope.
class FW_API CScopedSelect {
public:
    CScopedSelect(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(hObject ? ::SelectObject(hDC, hObject) : NULL) {}
    CScopedSelect(CDC* pDC, CGdiObject* pObject) : CScopedSelect(pDC->m_hDC, pObject ? pObject->m_hObject : NULL) {}
    CScopedSelect(CDC& dc, CGdiObject& obj) : CScopedSelect(dc.m_hDC, obj.m_hObject) {}
    ~CScopedSelect()
    {
        if (m_hOld != NULL) ::SelectObject(m_hDC, m_hOld);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
    CScopedSelect(const CScopedSelect&);
    CScopedSelect& operator=(const CScopedSelect&);
};
