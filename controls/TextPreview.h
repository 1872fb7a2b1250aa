// Shows the window text in a static text element's font and colour.
#pragma once
#include <windows.h>
#include "framework/Static.h"

class CColorFont;

class CTextPreview : public CStatic {
public:
    CTextPreview();
    virtual ~CTextPreview();

    // The text font takes font's LOGFONT; the text colour stays.
    void SetFont(const CColorFont& font);
    CColorFont& GetTextFont() { return *m_pFont; }
    void Draw(CDC* pDC);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CColorFont* m_pFont;
};
