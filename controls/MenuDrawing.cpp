#include "controls/MenuDrawing.h"
#include "framework/ControlHelpers.h"
#include "framework/DC.h"
#include "framework/ScopedHandle.h"
#include "framework/ToolBar.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

HFONT CreateMenuFont()
{
    // The metrics as they were before the padded border width: 340 bytes.
    NONCLIENTMETRICSA ncm;
    ZeroMemory(&ncm, sizeof(ncm));
    ncm.cbSize = 340;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0))
        return NULL;
    return ::CreateFontIndirectA(&ncm.lfMenuFont);
}

BOOL CToolBarResource::Load(HINSTANCE hInst, UINT nID)
{
    ids.clear();
    HRSRC hRes = ::FindResource(hInst, MAKEINTRESOURCE(nID), MAKEINTRESOURCE(241));
    if (hRes == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const BYTE* p = hGlobal ? (const BYTE*)::LockResource(hGlobal) : NULL;
    CSize sizeImage(0, 0);
    if (p == NULL || !AfxParseToolBarResource(p, ::SizeofResource(hInst, hRes), sizeImage, ids))
        return FALSE;
    nWidth = sizeImage.cx;
    nHeight = sizeImage.cy;
    return TRUE;
}

CHiddenToolBar::~CHiddenToolBar()
{
    if (m_hWnd != NULL)
        ::DestroyWindow(m_hWnd);
}

BOOL CHiddenToolBar::Create(HINSTANCE hInst, UINT nToolBarID)
{
    CToolBarResource res;
    if (!res.Load(hInst, nToolBarID))
        return FALSE;
    AfxEnsureCommonControls();
    CWnd* pMain = AfxGetMainWnd();
    HWND hParent = (pMain != NULL && ::IsWindow(pMain->m_hWnd)) ? pMain->m_hWnd : ::GetDesktopWindow();
    // Same style as a top toolbar with fly-by texts, but never visible.
    m_hWnd = ::CreateWindowEx(0, TOOLBARCLASSNAME, NULL, (0x50002800 & ~WS_VISIBLE) | CCS_NOPARENTALIGN | CCS_NORESIZE,
                              0, 0, 0, 0, hParent, (HMENU)(UINT_PTR)0xE800, ::GetModuleHandle(NULL), NULL);
    if (m_hWnd == NULL)
        return FALSE;
    ::SendMessage(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    int nImage = 0;
    for (UINT id : res.ids) {
        TBBUTTON b;
        ZeroMemory(&b, sizeof(b));
        b.idCommand = (int)id;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = id == 0 ? BTNS_SEP : BTNS_BUTTON;
        b.iBitmap = id == 0 ? 0 : nImage++;
        ::SendMessage(m_hWnd, TB_ADDBUTTONS, 1, (LPARAM)&b);
    }
    int n = (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        TBBUTTON b;
        ZeroMemory(&b, sizeof(b));
        ::SendMessage(m_hWnd, TB_GETBUTTON, i, (LPARAM)&b);
        Button btn = {(b.fsStyle & BTNS_SEP) ? 0u : (UINT)b.idCommand, b.iBitmap};
        m_buttons.push_back(btn);
    }
    return TRUE;
}

int BitmapResourceDepth(HINSTANCE hInst, UINT nID)
{
    HRSRC hRes = ::FindResource(hInst, MAKEINTRESOURCE(nID), RT_BITMAP);
    if (hRes == NULL)
        return 0;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const BITMAPINFOHEADER* bih = hGlobal ? (const BITMAPINFOHEADER*)::LockResource(hGlobal) : NULL;
    if (bih == NULL || ::SizeofResource(hInst, hRes) < sizeof(BITMAPCOREHEADER))
        return 0;
    if (bih->biSize == sizeof(BITMAPCOREHEADER))
        return ((const BITMAPCOREHEADER*)bih)->bcBitCount;
    if (::SizeofResource(hInst, hRes) < sizeof(BITMAPINFOHEADER))
        return 0;
    return bih->biBitCount;
}

namespace {

void ReplaceColors(HBITMAP hbm, COLORREF crFrom1, COLORREF crFrom2, COLORREF crTo)
{
    BITMAP bm;
    if (!::GetObject(hbm, sizeof(bm), &bm))
        return;
    CScopedMemDC hDC(::CreateCompatibleDC(NULL));
    CScopedSelect select(hDC, hbm);
    for (int y = 0; y < bm.bmHeight; ++y) {
        for (int x = 0; x < bm.bmWidth; ++x) {
            COLORREF c = ::GetPixel(hDC, x, y);
            if (c == crFrom1 || c == crFrom2)
                ::SetPixel(hDC, x, y, crTo);
        }
    }
}

}  // namespace

BOOL LoadToolbarBitmap(HINSTANCE hInst, UINT nID, HIMAGELIST hList, int cx, int cy, COLORREF crBackground)
{
    (void)cx;
    (void)cy;
    int nDepth = BitmapResourceDepth(hInst, nID);
    if (nDepth == 0 || hList == NULL)
        return FALSE;
    CScopedBitmap hbm;
    if (nDepth <= 4) {
        hbm.Reset((HBITMAP)::LoadImage(hInst, MAKEINTRESOURCE(nID), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    } else {
        hbm.Reset((HBITMAP)::LoadImage(hInst, MAKEINTRESOURCE(nID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (hbm.IsValid())
            ReplaceColors(hbm, crBackground, RGB(255, 0, 255), ::GetSysColor(COLOR_3DFACE));
    }
    if (!hbm.IsValid())
        return FALSE;
    return ImageList_AddMasked(hList, hbm, ::GetSysColor(COLOR_3DFACE)) >= 0;
}

void EmbossImage(HDC hDC, HIMAGELIST hList, int nImage, int x, int y, int cx, int cy,
                 COLORREF crFace, BOOL bHighlight)
{
    if (hList == NULL || cx <= 0 || cy <= 0)
        return;
    CScopedMemDC hColor(::CreateCompatibleDC(hDC));
    CScopedMemDC hMono(::CreateCompatibleDC(hDC));
    CScopedBitmap hbmColor(::CreateCompatibleBitmap(hDC, cx, cy));
    CScopedBitmap hbmMono(::CreateBitmap(cx, cy, 1, 1, NULL));
    CScopedSelect colorSelect(hColor, hbmColor);
    CScopedSelect monoSelect(hMono, hbmMono);
    RECT rc = {0, 0, cx, cy};
    FillSolid(hColor, rc, crFace);
    ImageList_Draw(hList, nImage, hColor, 0, 0, ILD_TRANSPARENT);
    // Pixels of the face colour become white (1) in the mask, the shape black (0).
    ::SetBkColor(hColor, crFace);
    ::BitBlt(hMono, 0, 0, cx, cy, hColor, 0, 0, SRCCOPY);
    COLORREF oldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    COLORREF oldBk = ::SetBkColor(hDC, RGB(255, 255, 255));
    const DWORD kPSDPxax = 0x00B8074A;  // brush where the source is black
    if (bHighlight) {
        CScopedBrush hbr(::CreateSolidBrush(::GetSysColor(COLOR_BTNHIGHLIGHT)));
        CScopedSelect select(hDC, hbr);
        ::BitBlt(hDC, x + 1, y + 1, cx, cy, hMono, 0, 0, kPSDPxax);
    }
    {
        CScopedBrush hbr(::CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW)));
        CScopedSelect select(hDC, hbr);
        ::BitBlt(hDC, x, y, cx, cy, hMono, 0, 0, kPSDPxax);
    }
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBk);
}

void FillSolid(HDC hDC, const RECT& rc, COLORREF cr)
{
    CScopedBrush hbr(::CreateSolidBrush(cr));
    ::FillRect(hDC, &rc, hbr);
}

void FrameSolid(HDC hDC, const RECT& rc, COLORREF cr)
{
    CScopedBrush hbr(::CreateSolidBrush(cr));
    ::FrameRect(hDC, &rc, hbr);
}
