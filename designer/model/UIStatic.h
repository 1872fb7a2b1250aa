// CUIStatic: the static text element: a mark-up text over the wallpaper. A
// plain text is merged into the wallpaper by the menu build; a menu text
// (ASMENU) is an entry whose pictures show the text in a dotted frame.
#pragma once

#include "designer/model/DrawnPixels.h"
#include "designer/model/UIControl.h"
#include "controls/HtmlTextRenderer.h"

class CWallpaperCanvas;

class CUIStatic : public CUIControl {
public:
    CUIStatic();
    virtual ~CUIStatic();

    virtual CUIControl* Clone() override;
    virtual BOOL ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder, int nIndex) override;
    virtual BOOL WriteMenuItem(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress,
                               int& nItem) override;
    virtual BOOL MergesIntoWallpaper() const override { return !m_bAsMenu; }
    virtual void Draw(CDC* pDC, int left, int top, int right, int bottom) override;

    static CUIControl* CreateFromMarkup(CXmlDocument& doc);
    static CUIControl* CreateFromDefaultString(LPCTSTR lpszText);

private:
    void DrawMarkup(CDC* pDC, const CRect& rect);
    // Wallpaper, frame (menu text) and text over the element grown by one
    // pixel; returns the grown rectangle.
    CRect Compose(CWallpaperCanvas& canvas);

    CHtmlTextRenderer m_renderer;
    CDrawnPixels m_drawnFace;
};
