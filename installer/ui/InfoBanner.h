// The banner that shows what the installer found: a picture of the mode, a
// title and a detail line over a three-colour gradient with a highlight.
#pragma once
#include "framework/Font.h"
#include "framework/Static.h"
#include "framework/String.h"
#include "installer/ui/GradientPainter.h"
#include "installer/ui/KoImage.h"

class CInfoBanner : public CStatic {
    DECLARE_DYNAMIC(CInfoBanner)
public:
    // bUseGradientFill FALSE: the 255-band gradient, as without msimg32.
    explicit CInfoBanner(BOOL bUseGradientFill = TRUE);
    virtual ~CInfoBanner();

    BOOL SetImage(UINT nResId, LPCTSTR lpszResType, int nImageType);
    void SetTexts(LPCTSTR lpszTitle, LPCTSTR lpszDetail);
    void Refresh();
    const CKoImage &GetHighlight() const { return m_highlight; }
    // The whole banner into a DC, from (0, 0) over the rectangle.
    void Paint(HDC hDC, const RECT &client);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CKoImage m_image;
    UINT m_nResId;
    CKoImage m_highlight;
    CString m_strTitle, m_strDetail;
    CFont m_titleFont, m_detailFont;
    COLORREF m_crTitle, m_crDetail;
    COLORREF m_crGradient[3];
    CGradientPainter m_gradient;
};
