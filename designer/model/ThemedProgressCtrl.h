// Live preview of a progress bar theme: the track picture stretched over the
// control and chunk pictures up to the position.
#pragma once

#include "designer/model/ThemeFileReader.h"
#include "designer/model/ThemePicture.h"
#include "framework/ProgressCtrl.h"

class CThemedProgressCtrl : public CProgressCtrl, public CThemeImageReader {
public:
    enum { TRACK = 0,
           CHUNK = 1,
           V_TRACK = 2,
           V_CHUNK = 3 };

    CThemedProgressCtrl();
    virtual ~CThemedProgressCtrl();

    // The built-in pictures (resources 146, 145, 136, 135).
    BOOL LoadDefaultTheme();
    void SetRange(int nLower, int nUpper);
    void SetPos(int nPos);
    int GetPos() const { return m_nPos; }
    int GetRangeSize() const { return m_nRange; }
    // The chunk picture from an image file; repaints on success.
    BOOL LoadChunkImage(LPCTSTR lpszPath);
    // How many chunks the position fills in a client area this wide.
    int GetChunkCount(int nClientWidth) const;

    // Paints the control into pDC (client coordinates).
    void Draw(CDC* pDC);

protected:
    virtual BOOL LoadThemeImage(int index, const unsigned char* data, unsigned size,
                                int left, int top, int right, int bottom);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CThemePicture m_images[CThemeSettings::IMAGE_COUNT];
    int m_nLower;
    int m_nUpper;
    int m_nRange;
    int m_nStep;
    int m_nPos;
};
