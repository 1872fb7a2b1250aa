// A static text made into a hyperlink: link colours, underline on hover, the
// target as tooltip, a hand pointer, and the target opened on a click.
#pragma once
#include <windows.h>
#include "framework/Font.h"
#include "framework/Static.h"
#include "framework/ToolTipCtrl.h"

class CLinkStatic : public CStatic {
public:
    enum { kTimerId = 100,
           kTimerPeriod = 100 };

    CLinkStatic();
    virtual ~CLinkStatic();

    void SetURL(CString strURL);
    CString GetURL() const { return m_strURL; }
    // 1 always underlined, 0 never, -1 only while the pointer is over it.
    void SetUnderline(int nUnderline);
    int GetUnderline() const { return m_nUnderline; }
    void SetVisited(BOOL bVisited = TRUE);
    BOOL GetVisited() const { return m_bVisited; }
    void SetAutoSize(BOOL bAutoSize = TRUE) { m_bAdjustToFit = bAutoSize; }
    BOOL IsOver() const { return m_bOverControl; }
    HCURSOR GetLinkCursor() const { return m_hLinkCursor; }
    HFONT GetCurrentFont() const { return (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0); }

    // Opens the target with the shell; when the shell refuses, through the
    // command line registered for .htm files. Returns a result above 32 on success.
    static INT_PTR GotoURL(LPCTSTR url, int showcmd);
    // The .htm command line with its first "%1" (quoted or bare) replaced by
    // the quoted target, which is appended when there is none.
    static CString BrowserCommand(const CString& commandLine, LPCTSTR url);
    // The message for a failed open, after "Unable to open hyperlink:\n\n".
    static CString ReasonText(INT_PTR result);
    // A copy of cursor 106 of winhlp32.exe in the folder, or NULL.
    static HCURSOR LoadHandCursor(LPCTSTR folder);

    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    COLORREF m_crLinkColour;
    COLORREF m_crVisitedColour;
    COLORREF m_crHoverColour;

protected:
    // What a click opens the target with; tests override it.
    virtual INT_PTR OpenTarget(LPCTSTR url, int showcmd) { return GotoURL(url, showcmd); }
    // The pointer over the link: the help program's hand from the Windows folder.
    virtual HCURSOR LoadLinkCursor();

    virtual void PreSubclassWindow() override;
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnClicked();
    DECLARE_MESSAGE_MAP()

private:
    void PositionWindow();
    void Redraw();
    void Redraw(CRect rect);
    void SetDefaultCursor();
    void ReportError(INT_PTR result);

    BOOL m_bOverControl;
    BOOL m_bVisited;
    int m_nUnderline;
    BOOL m_bAdjustToFit;
    CString m_strURL;
    CFont m_UnderlineFont;
    CFont m_StdFont;
    HCURSOR m_hLinkCursor;
    CToolTipCtrl m_ToolTip;
    UINT_PTR m_nTimerID;
};
