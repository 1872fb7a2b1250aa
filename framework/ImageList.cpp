#include "framework/ImageList.h"
#include "framework/DC.h"
#include "framework/ResourceList.h"
#include "framework/WinState.h"
#include "framework/ControlHelpers.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (hImageList == NULL)
        return NULL;
    AfxThreadState* s = AfxGetThreadState();
    CImageList* p = AfxFindTemp(s->tempImageList, hImageList);
    if (p != NULL)
        return p;
    p = new CImageList;
    p->m_hImageList = hImageList;
    AfxAddTemp(s, s->tempImageList, hImageList, p);
    return p;
}

void CImageList::DeleteTempMap()
{
    AfxThreadState* s = AfxGetThreadState();
    AfxSweepTemps(s, s->tempImageList, [](CImageList* p) { p->m_hImageList = NULL; });
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == NULL || m_hImageList != NULL)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = NULL;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    AfxEnsureCommonControls();
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    AfxEnsureCommonControls();
    LPCTSTR name = MAKEINTRESOURCE(nBitmapID);
    HINSTANCE hInst = AfxFindResourceHandle(name, RT_BITMAP);
    return Attach(ImageList_LoadImage(hInst, name, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (pbmImage == NULL)
        return -1;
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->m_hObject,
                         pbmMask ? (HBITMAP)pbmMask->m_hObject : NULL);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (pbmImage == NULL)
        return -1;
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->m_hObject, crMask);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (pDC == NULL)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}
