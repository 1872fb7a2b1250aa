#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/FwDefs.h"
#include "framework/Object.h"

class CDC;
class CBitmap;

class FW_API CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList() : m_hImageList(NULL) {}
    virtual ~CImageList() { DeleteImageList(); }
    HIMAGELIST m_hImageList;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST hImageList);
    static void DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL DeleteImageList();
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
    HICON ExtractIcon(int nImage) { return ImageList_ExtractIcon(NULL, m_hImageList, nImage); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
    BOOL SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
    BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
    {
        pimldp->cbSize = sizeof(*pimldp);
        pimldp->himl = m_hImageList;
        return ImageList_DrawIndirect(pimldp);
    }
    BOOL SetOverlayImage(int nImage, int nOverlay) { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }
    BOOL GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_hImageList, cx, cy); }

private:
    CImageList(const CImageList&);
    CImageList& operator=(const CImageList&);
};
