// CUIPicture: the picture element: an image file stretched to the element
// with an optional caption. A plain picture is merged into the wallpaper by
// the menu build; a menu picture (ASMENU) is an entry with a hover picture
// (ADDPATH). THEMEFILE holds the picture's path.
#pragma once

#include "designer/model/DrawnPixels.h"
#include "designer/model/UIControl.h"
#include "imaging/xImage.h"

class CWallpaperCanvas;

class CUIPicture : public CUIControl {
public:
    CUIPicture();
    virtual ~CUIPicture();

    virtual CUIControl* Clone() override;
    virtual BOOL ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder, int nIndex) override;
    virtual BOOL WriteMenuItem(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress,
                               int& nItem) override;
    virtual BOOL MergesIntoWallpaper() const override { return !m_bAsMenu; }
    virtual double GetDefaultWidth() override;
    virtual double GetDefaultHeight() override;
    virtual void Draw(CDC* pDC, int left, int top, int right, int bottom) override;

    static CUIControl* CreateFromMarkup(CXmlDocument& doc);
    static CUIControl* CreateFromDefaultString(LPCTSTR lpszText);

    // The built-in picture (resource 149).
    BOOL LoadDefaultPicture();
    const CxImage& GetPicture() const { return m_picture; }

private:
    void LoadPendingPicture();
    // The picture stretched to the rectangle and the caption over it.
    void DrawFace(CDC* pDC, const CRect& rect);
    // Wallpaper, the picture stretched into the rectangle and the caption.
    void Compose(CWallpaperCanvas& canvas, const CxImage& picture, const CRect& rect);

    CxImage m_picture;
    // After every load of m_picture: a new stamp (also in a copy) and the
    // key of its content.
    void PictureLoaded();
    CChangeStamp m_pictureStamp;
    std::string m_pictureKey;
    CDrawnPixels m_drawnFace;
};
