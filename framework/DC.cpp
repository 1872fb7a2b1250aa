#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "framework/ClientDC.h"
#include "framework/WindowDC.h"
#include "framework/Wnd.h"
#include "framework/WinState.h"
#include "framework/ResourceList.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

CDC::~CDC()
{
    if (m_hDC != NULL) {
        RestoreSelections();
        ::DeleteDC(Detach());
    }
    ForgetSelections();
}

namespace {
int SelectionSlot(DWORD dwType)
{
    switch (dwType) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return 0;
    case OBJ_BRUSH: return 1;
    case OBJ_FONT: return 2;
    case OBJ_BITMAP: return 3;
    default: return -1;
    }
}
const DWORD kSlotTypes[4] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP};
}  // namespace

HGDIOBJ CDC::Select(HGDIOBJ hObject)
{
    if (hObject == NULL || m_hDC == NULL)
        return NULL;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hObject);
    if (hOld == NULL || hOld == HGDI_ERROR)
        return NULL;
    int nSlot = SelectionSlot(::GetObjectType(hObject));
    if (!m_bTemporary && nSlot >= 0 && m_hSaved[nSlot] == NULL) {
        m_hSaved[nSlot] = hOld;
        AfxGetThreadState()->selectingDC.insert(this);
    }
    return hOld;
}

void CDC::ForgetSelections()
{
    bool bAny = false;
    for (HGDIOBJ& h : m_hSaved) {
        bAny = bAny || h != NULL;
        h = NULL;
    }
    if (bAny)
        AfxGetThreadState()->selectingDC.erase(this);
}

void CDC::RestoreSelections()
{
    if (m_hDC != NULL) {
        for (HGDIOBJ h : m_hSaved) {
            if (h != NULL)
                ::SelectObject(m_hDC, h);
        }
    }
    ForgetSelections();
}

void CDC::ReleaseFromSelections(HGDIOBJ hObject)
{
    int nSlot = SelectionSlot(::GetObjectType(hObject));
    if (nSlot < 0)
        return;
    for (CDC* pDC : AfxGetThreadState()->selectingDC) {
        HGDIOBJ hSaved = pDC->m_hSaved[nSlot];
        if (hSaved != NULL && pDC->m_hDC != NULL &&
            ::GetCurrentObject(pDC->m_hDC, kSlotTypes[nSlot]) == hObject)
            ::SelectObject(pDC->m_hDC, hSaved);
    }
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (hDC == NULL)
        return NULL;
    AfxThreadState* s = AfxGetThreadState();
    CDC* p = AfxFindTemp(s->tempDC, hDC);
    if (p != NULL)
        return p;
    p = new CDC;
    p->m_hDC = p->m_hAttribDC = hDC;
    p->m_bTemporary = true;
    AfxAddTemp(s, s->tempDC, hDC, p);
    return p;
}

void CDC::DeleteTempMap()
{
    AfxThreadState* s = AfxGetThreadState();
    AfxSweepTemps(s, s->tempDC, [](CDC* p) { p->m_hDC = p->m_hAttribDC = NULL; });
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == NULL || m_hDC != NULL)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

// Hands the DC over as it is: its selections are the new owner's.
HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = NULL;
    ForgetSelections();
    return h;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    RestoreSelections();
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r = {x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                         int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    if (pSrcDC == NULL)
        return FALSE;
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc,
                            ySrc, nSrcWidth, nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                     int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    if (pSrcDC == NULL)
        return FALSE;
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, blend);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    RestoreSelections();
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : NULL)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != NULL) {
        RestoreSelections();
        ::ReleaseDC(m_hWnd, Detach());
    }
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : NULL)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != NULL) {
        RestoreSelections();
        ::ReleaseDC(m_hWnd, Detach());
    }
}

// ---- GDI objects needing a DC or a resource module ----

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush((HBITMAP)pBitmap->m_hObject));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf;
    ZeroMemory(&lf, sizeof(lf));
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    lstrcpyn(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    HDC hDC = pDC ? pDC->m_hDC : ::GetDC(NULL);
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720)};
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = {0, 0};
    ::DPtoLP(hDC, &ptOrg, 1);
    lf.lfHeight = -abs(pt.y - ptOrg.y);
    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmap(hInst, lpszResourceName));
}
