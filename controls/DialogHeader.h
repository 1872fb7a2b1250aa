// A white band across the top of a dialog with an icon, a bold title and a
// description, closed by an etched line. Init grows the dialog by the band's
// height; MoveCtrls pushes the dialog's controls down.
#pragma once
#include <windows.h>
#include "framework/Wnd.h"
#include "framework/Font.h"

class CDialogHeader : public CWnd {
public:
    enum { ALIGN_LEFT = 0,
           ALIGN_CENTER = 1,
           ALIGN_RIGHT = 2 };

    CDialogHeader();
    virtual ~CDialogHeader();

    void SetTitleText(LPCTSTR lpszText);
    void SetDescText(LPCTSTR lpszText);
    void SetIcon(HICON hIcon);
    HICON GetIcon() const { return m_hIcon; }
    // A 48 x 48 icon from the application's resources, at the right when bRight.
    void SetIconResource(BOOL bRight, UINT nID);
    // The larger of the request and the room the icon and both texts need.
    void SetHeaderHeight(int nHeight);
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    void SetTextAlign(int nAlign)
    {
        m_nTextAlign = nAlign;
        Repaint();
    }

    // Grows the dialog by the band's height and creates the band on its top.
    void Init(CWnd* pDialog);
    // Moves every child of the dialog but the band down by the band's height.
    void MoveCtrls(CWnd* pDialog);
    void MoveCtrl(CWnd* pCtrl);

    // Paints the whole band into pDC (client coordinates).
    void Draw(CDC* pDC);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void Repaint();
    int MinimumHeight() const;
    void ReleaseLoadedIcon();

    int m_nTitleFontHeight;
    int m_nDescFontHeight;
    int m_nHeaderHeight;
    int m_nIconWidth;
    int m_nIconHeight;
    int m_nBorderHeight;
    int m_nRightInset;
    int m_nIconMargin;
    int m_nTitleIndent;
    int m_nDescIndent;
    int m_nTextAlign;
    BOOL m_bFontsSet;
    BOOL m_bKeepIconRoom;
    HICON m_hIcon;
    HICON m_hLoadedIcon;  // the icon SetIconResource loaded; destroyed with the band
    CFont m_titleFont;
    CFont m_descFont;
    CString m_strTitle;
    CString m_strDesc;
    COLORREF m_crBackground;
    BOOL m_bIconRight;
};
