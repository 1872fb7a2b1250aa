// The normal, hot and disabled image lists of a set of toolbar icons, made from
// one bitmap resource.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/ImageList.h"

class CDC;

class CToolBarImages {
public:
    enum { MODE_NORMAL = 0,
           MODE_HOT = 1,
           MODE_DISABLED = 2 };

    CToolBarImages();
    ~CToolBarImages();

    // bTrueColor 1: 32 bits with common controls 6 or later, else 24; any other value: 4.
    BOOL Create(int cx, int cy, int bTrueColor, int nInitial);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL Draw(CDC* pDC, int x, int y, int nMode, int nImage);

    int GetDepth() const { return m_nDepth; }
    int GetImageWidth() const { return m_cx; }
    int GetImageHeight() const { return m_cy; }
    CImageList& GetNormal() { return m_normal; }
    CImageList& GetHot() { return m_hot; }
    CImageList& GetDisabled() { return m_disabled; }
    // The list of a state (MODE_NORMAL, MODE_HOT, MODE_DISABLED).
    CImageList& GetList(int nMode);

    // The derived colours of the hot and disabled images.
    static COLORREF HotColor(COLORREF cr);
    static COLORREF DisabledColor(COLORREF cr);
    // The list depth for a true-colour request and a common controls major version.
    static int DepthFor(int bTrueColor, int nCommonControlsMajor);
    // Common controls major version (0 when it cannot be read).
    static int CommonControlsVersion();

private:
    CImageList m_normal;
    CImageList m_hot;
    CImageList m_disabled;
    int m_nDepth;
    int m_cx;
    int m_cy;

    CToolBarImages(const CToolBarImages&);
    CToolBarImages& operator=(const CToolBarImages&);
};
