// Shows a picture element's normal picture, or its hover picture while the
// mouse is over the control, with the caption on top.
#pragma once
#include <windows.h>
#include "framework/Static.h"
#include "imaging/xImage.h"

class CColorFont;

class CPicturePreview : public CStatic {
public:
    CPicturePreview();
    virtual ~CPicturePreview();

    // Both pictures from resource nID of type "CTRL_IMGS".
    BOOL LoadResourceImages(UINT nID);
    // The hover picture, and the normal one too when bBoth; a file that does
    // not load changes neither (FALSE).
    BOOL LoadImageFile(LPCTSTR lpszPath, BOOL bBoth);
    // The caption font takes font's LOGFONT; the caption colour stays.
    void SetFont(const CColorFont& font);
    const CColorFont& GetCaptionFont() const { return *m_pFont; }
    BOOL IsHovering() const { return m_bHover; }
    void SetSmooth(BOOL bSmooth) { m_bSmooth = bSmooth; }

    // Paints the control's look into pDC (client coordinates).
    void Draw(CDC* pDC);

protected:
    virtual void PreSubclassWindow();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CxImage m_normal;
    CxImage m_hover;
    BOOL m_bSmooth;
    BOOL m_bHover;
    BOOL m_bTracking;
    CColorFont* m_pFont;
};
