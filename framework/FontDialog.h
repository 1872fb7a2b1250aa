// The system's font dialog. The chosen font is kept in m_lf (m_cf points
// at it); the colour in m_cf.rgbColors (with CF_EFFECTS).
#pragma once
#include "framework/CommonDialog.h"

class CDC;

class FW_API CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LPLOGFONT lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = NULL, CWnd* pParentWnd = NULL);
    virtual ~CFontDialog();

    CHOOSEFONT m_cf;
    LOGFONT m_lf;

    virtual INT_PTR DoModal() override;

    void GetCurrentFont(LPLOGFONT lplf);  // while running: the dialog's current choice
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    CString GetStyleName() const { return CString(m_szStyleName); }
    int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return (int)m_lf.lfWeight; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }

protected:
    TCHAR m_szStyleName[64];
};

FW_API UINT_PTR CALLBACK AfxFontDlgHookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
