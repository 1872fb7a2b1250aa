// A toolbar with 24 x 24 true-colour icons: hot images as drawn, normal images a
// little lighter, disabled images a lighter grey.
#pragma once
#include "framework/ToolBar.h"
#include "framework/ImageList.h"
#include "controls/EffectBitmap.h"

class CImageToolBar : public CToolBar {
public:
    CImageToolBar();
    virtual ~CImageToolBar();

    // The buttons come from LoadToolBar, called before.
    void LoadImages(UINT nBitmapID, COLORREF crMask);

    CImageList m_ilHot;
    CImageList m_ilDisabled;
    CImageList m_ilNormal;
    CBitmap m_bmHot;
    CEffectBitmap m_bmDisabled;
    CEffectBitmap m_bmNormal;

private:
    static void MakeList(CImageList& list, CBitmap& bm, COLORREF crMask);
};
