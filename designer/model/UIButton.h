// CUIButton: the menu entry element: one selectable entry of the boot menu,
// its caption on a themed button picture.
#pragma once

#include "designer/model/DrawnPixels.h"
#include "designer/model/UIControl.h"
#include "designer/model/ThemePicture.h"
#include "designer/model/ThemeSettings.h"

class CWallpaperCanvas;

class CUIButton : public CUIControl {
public:
    enum { NORMAL = 0,
           HOVER = 1,
           SELECTED = 2,
           DISABLED = 3 };

    CUIButton();
    virtual ~CUIButton();

    virtual BOOL LoadTheme(LPCTSTR lpszTheme) override;
    virtual CUIControl* Clone() override;
    virtual BOOL ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder, int nIndex) override;
    virtual BOOL WriteMenuItem(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress,
                               int& nItem) override;
    virtual void Draw(CDC* pDC, int left, int top, int right, int bottom) override;

    static CUIControl* CreateFromMarkup(CXmlDocument& doc);
    static CUIControl* CreateFromDefaultString(LPCTSTR lpszText);

    // The built-in pictures (resources 139, 138, 140, 137).
    BOOL LoadDefaultTheme();
    // The four pictures from the theme archive that is open.
    BOOL ApplyTheme();
    const CThemeSettings& GetThemeSettings() const { return m_theme; }
    const CThemePicture& GetPicture(int nState) const { return m_images[nState]; }

private:
    // Reads THEMEFILE when it changed since the last drawing.
    void LoadPendingTheme();
    // The normal picture and the caption over the background colour.
    void DrawFace(CDC* pTarget, const CRect& rect, COLORREF crBack);
    // Everything DrawFace depends on besides the size; FALSE when its caption
    // may reach out of the rectangle.
    BOOL GetFaceKey(COLORREF crBack, std::string& key) const;
    // Wallpaper, the state's picture and the caption, at the page's size.
    void Compose(CWallpaperCanvas& canvas, int nState, const CRect& rect);

    CThemePicture m_images[CThemeSettings::IMAGE_COUNT];
    CThemeSettings m_theme;
    CDrawnPixels m_drawnFace;
};
