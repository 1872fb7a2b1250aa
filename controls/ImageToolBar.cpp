#include "controls/ImageToolBar.h"

CImageToolBar::CImageToolBar() : m_bmDisabled(RGB(255, 255, 255)), m_bmNormal(RGB(255, 255, 255))
{
}

CImageToolBar::~CImageToolBar()
{
}

void CImageToolBar::MakeList(CImageList& list, CBitmap& bm, COLORREF crMask)
{
    list.DeleteImageList();
    if (list.Create(24, 24, ILC_COLOR24 | ILC_MASK, 1, 1) && bm.m_hObject != NULL)
        list.Add(&bm, crMask);
}

void CImageToolBar::LoadImages(UINT nBitmapID, COLORREF crMask)
{
    const COLORREF crKey = RGB(255, 0, 255);
    m_bmHot.DeleteObject();
    m_bmHot.LoadBitmap(nBitmapID);
    MakeList(m_ilHot, m_bmHot, crMask);
    SendMessage(TB_SETHOTIMAGELIST, 0, (LPARAM)m_ilHot.m_hImageList);

    m_bmDisabled.DeleteObject();
    if (m_bmDisabled.LoadBitmap(nBitmapID))
        m_bmDisabled.MakeDisabled(crKey);
    MakeList(m_ilDisabled, m_bmDisabled, crMask);
    SendMessage(TB_SETDISABLEDIMAGELIST, 0, (LPARAM)m_ilDisabled.m_hImageList);

    m_bmNormal.DeleteObject();
    if (m_bmNormal.LoadBitmap(nBitmapID))
        m_bmNormal.MakeNormal(crKey);
    MakeList(m_ilNormal, m_bmNormal, crMask);
    SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_ilNormal.m_hImageList);
}
