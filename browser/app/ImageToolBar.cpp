#include "browser/app/ImageToolBar.h"

#include "framework/ResourceList.h"

#include <vector>

CImageToolBar::CImageToolBar() {}

CImageToolBar::~CImageToolBar() {}

BOOL CImageToolBar::CreateEx(CWnd* pParentWnd, UINT nID)
{
    return CToolBar::CreateEx(pParentWnd, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT,
                              WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                              CRect(0, 0, 0, 0), nID);
}

BOOL CImageToolBar::LoadToolBar(UINT nIDResource, BOOL bTrueColor)
{
    LPCTSTR name = MAKEINTRESOURCE(nIDResource);
    HINSTANCE hInst = AfxFindResourceHandle(name, RT_TOOLBAR);
    if (!hInst)
        hInst = ::GetModuleHandle(NULL);
    HRSRC hRes = ::FindResource(hInst, name, RT_TOOLBAR);
    HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : NULL;
    const BYTE* data = hData ? (const BYTE*)::LockResource(hData) : NULL;
    CSize image;
    std::vector<UINT> ids;
    if (!data || !AfxParseToolBarResource(data, ::SizeofResource(hInst, hRes), image, ids))
        return FALSE;
    int count = 0;
    for (UINT id : ids)
        count += id != 0;
    if (!SetButtons(ids.data(), (int)ids.size()))
        return FALSE;
    SetSizes(CSize(image.cx + 8, image.cy + 7), image);
    if (!m_images.Create(image.cx, image.cy, bTrueColor ? 1 : 0, count) || !m_images.LoadBitmap(nIDResource))
        return FALSE;
    ::SendMessage(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)m_images.GetList(CToolBarImages::MODE_NORMAL).m_hImageList);
    if (bTrueColor) {
        ::SendMessage(m_hWnd, TB_SETHOTIMAGELIST, 0, (LPARAM)m_images.GetList(CToolBarImages::MODE_HOT).m_hImageList);
        ::SendMessage(m_hWnd, TB_SETDISABLEDIMAGELIST, 0,
                      (LPARAM)m_images.GetList(CToolBarImages::MODE_DISABLED).m_hImageList);
    }
    return TRUE;
}
