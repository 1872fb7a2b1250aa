// Live preview of a menu entry theme: an owner-drawn button painted with the
// theme's normal, hover, selected and disabled pictures.
#pragma once

#include "designer/model/ThemeFileReader.h"
#include "designer/model/ThemePicture.h"
#include "framework/Button.h"

class CColorFont;

class CThemedButton : public CButton, public CThemeImageReader {
public:
    enum { NORMAL = 0,
           HOVER = 1,
           SELECTED = 2,
           DISABLED = 3 };

    CThemedButton();
    virtual ~CThemedButton();

    // The built-in pictures (resources 139, 138, 140, 137) with margins 3.
    BOOL LoadDefaultTheme();
    // Face, size and style, alignment flags and colour of the caption.
    void SetTextFont(const CColorFont& font);
    const CColorFont& GetTextFont() const { return *m_pFont; }
    BOOL IsHovering() const { return m_bHover; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    virtual BOOL LoadThemeImage(int index, const unsigned char* data, unsigned size,
                                int left, int top, int right, int bottom);
    virtual void PreSubclassWindow();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CThemePicture m_images[CThemeSettings::IMAGE_COUNT];
    CColorFont* m_pFont;
    BOOL m_bTracking;
    BOOL m_bHover;
};
