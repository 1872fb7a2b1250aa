// CUIProgress: the progress bar element of the boot menu screen: a themed
// track with chunk pictures at a fixed preview position. The menu build takes
// its track and chunk bitmaps and the "[progress]" values from it.
#pragma once

#include "designer/model/UIControl.h"
#include "designer/model/ThemePicture.h"
#include "designer/model/ThemeSettings.h"

class CUIProgress : public CUIControl {
public:
    enum { TRACK = 0,
           CHUNK = 1,
           V_TRACK = 2,
           V_CHUNK = 3 };

    CUIProgress();
    virtual ~CUIProgress();

    virtual BOOL LoadTheme(LPCTSTR lpszTheme) override;
    virtual CUIControl* Clone() override;
    virtual BOOL ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder, int nIndex) override;
    virtual BOOL WriteMenuItem(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress,
                               int& nItem) override;
    virtual void Draw(CDC* pDC, int left, int top, int right, int bottom) override;

    static CUIControl* CreateFromMarkup(CXmlDocument& doc);
    static CUIControl* CreateFromDefaultString(LPCTSTR lpszText);

    // The preview range and position: only the constructor sets them.
    void SetRange(int nLower, int nUpper);
    BOOL SetPos(int nPos);
    int GetLower() const { return m_nLower; }
    int GetUpper() const { return m_nUpper; }
    int GetStep() const { return m_nStep; }
    int GetPos() const { return m_nPos; }

    // The built-in pictures (resources 146, 145, 136, 135).
    BOOL LoadDefaultTheme();
    // The four pictures from the theme archive that is open.
    BOOL ApplyTheme();
    const CThemeSettings& GetThemeSettings() const { return m_theme; }
    const CThemePicture& GetPicture(int nIndex) const { return m_images[nIndex]; }

    // The band of a bar rectangle where chunks go: inset by the clip box.
    CRect GetChunkBand(const CRect& rect) const;
    // Chunks shown at the preview position on a bar this wide.
    int GetChunkCount(int nBarWidth) const;

private:
    void UpdateStep();
    // Reads THEMEFILE, or the own chunk picture, when it changed.
    void LoadPendingTheme();
    BOOL LoadChunkFile(LPCTSTR lpszPath);

    CThemePicture m_images[CThemeSettings::IMAGE_COUNT];
    CThemeSettings m_theme;
    int m_nLower;
    int m_nUpper;
    int m_nStep;
    int m_nPos;
};
