// CWnd: one object per window handle, a permanent handle map per thread,
// message maps, reflection of notifications back to controls.
// Overrides and handlers in a program must not throw: each module carries its
// own unwinder, so an exception thrown in the program cannot be caught here
// and ends the process.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/FwDefs.h"
#include "framework/CmdTarget.h"
#include "framework/String.h"
#include "framework/Geometry.h"

class CDC;
class CMenu;
class CFont;
class CScrollBar;

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// m_nFlags
#define WF_TEMPORARY 0x0001      // a wrapper made by FromHandle, freed at idle
#define WF_CONTINUEMODAL 0x0002  // RunModalLoop keeps going
#define WF_MODALLOOP 0x0004      // inside RunModalLoop
#define WF_SUBCLASSED 0x0008     // m_pfnSuper came from subclassing, restore on detach

#define AFX_IDW_PANE_FIRST 0xE900

class FW_API CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }  // call on valid objects only
    // The handle for a call that needs a live window; debug builds assert it is one.
    HWND LiveHwnd() const
    {
        ASSERT(::IsWindow(m_hWnd));
        return m_hWnd;
    }
    bool operator==(const CWnd& w) const { return m_hWnd == w.m_hWnd; }
    bool operator!=(const CWnd& w) const { return m_hWnd != w.m_hWnd; }

    // Handle map: a permanent object if one is attached, otherwise a temporary
    // wrapper that lives until the next idle time.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation. lpszClassName NULL uses the framework's default class.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    // Message handling
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PostNcDestroy();
    virtual void PreSubclassWindow();
    virtual void OnFinalRelease() {}
    LRESULT Default();
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    // Readies a dialog-coloured control's DC (transparent text in clrText);
    // FALSE for the controls that keep their own background (edits, lists).
    static BOOL PASCAL GrayCtlColor(HDC hDC, HWND hWnd, UINT nCtlColor, HBRUSH hbrGray, COLORREF clrText);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);
    static const MSG* GetCurrentMessage();
    // For window hooks outside the framework's window map: sets the message that
    // Default() and GetCurrentMessage() see, returning the one it replaces.
    static MSG SetCurrentMessage(const MSG& msg);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);

    // Modal loop (dialogs, property sheets)
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Idle-time command state updates of child windows
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    CWnd* GetParentFrame() const;
    virtual BOOL IsFrameWnd() const { return FALSE; }
    CWnd* GetTopLevelParent() const;
    virtual void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler)
    {
        (void)pTarget;
        (void)bDisableIfNoHndler;
    }

    // Thin wrappers
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessage(LiveHwnd(), message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessage(LiveHwnd(), message, wParam, lParam); }
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(LiveHwnd(), lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowText(LiveHwnd(), lpszStringBuf, nMaxCount); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(LiveHwnd()); }
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(LiveHwnd(), nID)); }
    void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(LiveHwnd(), nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(LiveHwnd()); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtr(LiveHwnd(), GWLP_ID, nID); }
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(LiveHwnd(), nID, lpszString); }
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const { return ::GetDlgItemText(LiveHwnd(), nID, lpStr, nMaxCount); }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(LiveHwnd(), nID, nValue, bSigned); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const { return ::GetDlgItemInt(LiveHwnd(), nID, lpTrans, bSigned); }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(LiveHwnd(), nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(LiveHwnd(), nIDButton); }
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) { ::CheckRadioButton(LiveHwnd(), nIDFirst, nIDLast, nIDCheck); }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendDlgItemMessage(LiveHwnd(), nID, message, wParam, lParam); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) { ::MoveWindow(LiveHwnd(), x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) { MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) { return ::SetWindowPos(LiveHwnd(), pWndInsertAfter ? pWndInsertAfter->m_hWnd : NULL, x, y, cx, cy, nFlags); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(LiveHwnd(), nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(LiveHwnd()); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(LiveHwnd()); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(LiveHwnd(), bEnable); }
    BOOL IsIconic() const { return ::IsIconic(LiveHwnd()); }
    BOOL IsZoomed() const { return ::IsZoomed(LiveHwnd()); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(LiveHwnd(), pWnd ? pWnd->m_hWnd : NULL); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(LiveHwnd(), NULL, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(LiveHwnd(), lpRect, bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(LiveHwnd(), lpRect); }
    void UpdateWindow() { ::UpdateWindow(LiveHwnd()); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, HRGN hrgn = NULL, UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) { return ::RedrawWindow(LiveHwnd(), lpRectUpdate, hrgn, flags); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(LiveHwnd(), lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(LiveHwnd(), lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(LiveHwnd(), lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(LiveHwnd(), lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    CWnd* GetParent() const { return FromHandle(::GetParent(LiveHwnd())); }
    CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(LiveHwnd(), pWndNewParent ? pWndNewParent->m_hWnd : NULL)); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(LiveHwnd(), GW_OWNER)); }
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(LiveHwnd(), nCmd)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(LiveHwnd())); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const { return FromHandle(::GetNextDlgTabItem(LiveHwnd(), pWndCtl ? pWndCtl->m_hWnd : NULL, bPrevious)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(LiveHwnd())); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(LiveHwnd())); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(LiveHwnd()); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(LiveHwnd())); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) { return FromHandle(::FindWindow(lpszClassName, lpszWindowName)); }
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtr(LiveHwnd(), GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongPtr(LiveHwnd(), GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL) { return ::SetTimer(LiveHwnd(), nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(LiveHwnd(), nIDEvent); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar() { ::DrawMenuBar(LiveHwnd()); }
    CMenu* GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)::SendMessage(LiveHwnd(), WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)::SendMessage(LiveHwnd(), WM_GETICON, bBigIcon, 0); }
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);
    BOOL ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { return ::ShowScrollBar(LiveHwnd(), nBar, bShow); }
    int GetScrollPos(int nBar) const { return ::GetScrollPos(LiveHwnd(), nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(LiveHwnd(), nBar, nPos, bRedraw); }
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpsi, BOOL bRedraw = TRUE) { return ::SetScrollInfo(LiveHwnd(), nBar, lpsi, bRedraw); }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpsi, UINT nMask = SIF_ALL)
    {
        lpsi->cbSize = sizeof(*lpsi);
        lpsi->fMask = nMask;
        return ::GetScrollInfo(LiveHwnd(), nBar, lpsi);
    }
    void DragAcceptFiles(BOOL bAccept = TRUE);
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    BOOL OpenClipboard() { return ::OpenClipboard(LiveHwnd()); }
    void BringWindowToTop() { ::BringWindowToTop(LiveHwnd()); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
    {
        lpwndpl->length = sizeof(*lpwndpl);
        return ::GetWindowPlacement(LiveHwnd(), lpwndpl);
    }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(LiveHwnd(), lpwndpl); }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessage(LiveHwnd(), WM_SETREDRAW, bRedraw, 0); }
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(class CDataExchange* pDX) { (void)pDX; }

    // Default message handlers: each passes the current message on.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnSysColorChange();
    afx_msg void OnCancelMode();

    WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }

    UINT m_nFlags;

protected:
    WNDPROC m_pfnSuper;   // the procedure messages go to when unhandled
    WNDPROC m_pfnSuperW;  // the same procedure in its Unicode form, for whole characters
    int m_nModalResult;

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const override;

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
    friend class CDialog;
};

FW_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// A key or mouse message for a window whose top-level window is disabled (a
// modal dialog holds it). The system gives such windows no input; posted
// input is dropped too, before pre-translation (accelerators) and dispatch.
FW_API BOOL AfxIsHeldInput(HWND hWnd, UINT nMsg);
FW_API LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Registers (once) a window class with DefWindowProc and returns its name; the
// name is kept by the framework.
FW_API LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL,
                                   HBRUSH hbrBackground = NULL, HICON hIcon = NULL);
FW_API BOOL AfxRegisterClass(WNDCLASS* lpWndClass);
// Makes the next window this thread creates belong to pWnd (creation hook).
FW_API void AfxHookWindowCreate(CWnd* pWnd);
FW_API BOOL AfxUnhookWindowCreate();

#define AFX_WND_CLASS "ZavoFwWnd"

// Window message handlers, with the typed signatures of CWnd's handlers.
#define AFX_SIG_WND(type, fn) reinterpret_cast<AFX_PMSG>(static_cast<type>(fn))
#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, AfxSig_is, AFX_SIG_WND(int(CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AfxSig_vv, AFX_SIG_WND(void(CWnd::*)(), &ThisClass::OnDestroy)},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, AfxSig_vv, AFX_SIG_WND(void(CWnd::*)(), &ThisClass::OnNcDestroy)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxSig_vv, AFX_SIG_WND(void(CWnd::*)(), &ThisClass::OnPaint)},
#define ON_WM_NCPAINT() {WM_NCPAINT, 0, 0, 0, AfxSig_vv, AFX_SIG_WND(void(CWnd::*)(), &ThisClass::OnNcPaint)},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, AfxSig_vwii, AFX_SIG_WND(void(CWnd::*)(UINT, int, int), &ThisClass::OnSize)},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, AfxSig_vii, AFX_SIG_WND(void(CWnd::*)(int, int), &ThisClass::OnMove)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, AfxSig_vt, AFX_SIG_WND(void(CWnd::*)(UINT_PTR), &ThisClass::OnTimer)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, AfxSig_vv, AFX_SIG_WND(void(CWnd::*)(), &ThisClass::OnClose)},
#define ON_WM_QUERYENDSESSION() {WM_QUERYENDSESSION, 0, 0, 0, AfxSig_bv, AFX_SIG_WND(BOOL(CWnd::*)(), &ThisClass::OnQueryEndSession)},
#define ON_WM_ENDSESSION() {WM_ENDSESSION, 0, 0, 0, AfxSig_vb, AFX_SIG_WND(void(CWnd::*)(BOOL), &ThisClass::OnEndSession)},
#define ON_WM_ERASEBKGND() {WM_ERASEBKGND, 0, 0, 0, AfxSig_bD, AFX_SIG_WND(BOOL(CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd)},
#define ON_WM_CTLCOLOR() {WM_CTLCOLOR, 0, 0, 0, AfxSig_hDWw, AFX_SIG_WND(HBRUSH(CWnd::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)},
#define ON_WM_CTLCOLOR_REFLECT() {WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxSig_hDw, AFX_SIG_WND(HBRUSH(CWnd::*)(CDC*, UINT), &ThisClass::CtlColor)},
#define ON_WM_DRAWITEM() {WM_DRAWITEM, 0, 0, 0, AfxSig_vis, AFX_SIG_WND(void(CWnd::*)(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)},
#define ON_WM_MEASUREITEM() {WM_MEASUREITEM, 0, 0, 0, AfxSig_vis, AFX_SIG_WND(void(CWnd::*)(int, LPMEASUREITEMSTRUCT), &ThisClass::OnMeasureItem)},
#define ON_WM_DRAWITEM_REFLECT() {WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vs, AFX_SIG_WND(void(CWnd::*)(LPDRAWITEMSTRUCT), &ThisClass::DrawItem)},
#define ON_WM_MEASUREITEM_REFLECT() {WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vs, AFX_SIG_WND(void(CWnd::*)(LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem)},
#define ON_WM_LBUTTONDOWN() {WM_LBUTTONDOWN, 0, 0, 0, AfxSig_vwp, AFX_SIG_WND(void(CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDown)},
#define ON_WM_LBUTTONUP() {WM_LBUTTONUP, 0, 0, 0, AfxSig_vwp, AFX_SIG_WND(void(CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonUp)},
#define ON_WM_LBUTTONDBLCLK() {WM_LBUTTONDBLCLK, 0, 0, 0, AfxSig_vwp, AFX_SIG_WND(void(CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDblClk)},
#define ON_WM_RBUTTONDOWN() {WM_RBUTTONDOWN, 0, 0, 0, AfxSig_vwp, AFX_SIG_WND(void(CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDown)},
#define ON_WM_RBUTTONUP() {WM_RBUTTONUP, 0, 0, 0, AfxSig_vwp, AFX_SIG_WND(void(CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonUp)},
#define ON_WM_RBUTTONDBLCLK() {WM_RBUTTONDBLCLK, 0, 0, 0, AfxSig_vwp, AFX_SIG_WND(void(CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDblClk)},
#define ON_WM_MBUTTONDOWN() {WM_MBUTTONDOWN, 0, 0, 0, AfxSig_vwp, AFX_SIG_WND(void(CWnd::*)(UINT, CPoint), &ThisClass::OnMButtonDown)},
#define ON_WM_MBUTTONUP() {WM_MBUTTONUP, 0, 0, 0, AfxSig_vwp, AFX_SIG_WND(void(CWnd::*)(UINT, CPoint), &ThisClass::OnMButtonUp)},
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, 0, 0, AfxSig_vwp, AFX_SIG_WND(void(CWnd::*)(UINT, CPoint), &ThisClass::OnMouseMove)},
#define ON_WM_MOUSEWHEEL() {WM_MOUSEWHEEL, 0, 0, 0, AfxSig_bwsp, AFX_SIG_WND(BOOL(CWnd::*)(UINT, short, CPoint), &ThisClass::OnMouseWheel)},
#define ON_WM_KEYDOWN() {WM_KEYDOWN, 0, 0, 0, AfxSig_vwww, AFX_SIG_WND(void(CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyDown)},
#define ON_WM_KEYUP() {WM_KEYUP, 0, 0, 0, AfxSig_vwww, AFX_SIG_WND(void(CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyUp)},
#define ON_WM_CHAR() {WM_CHAR, 0, 0, 0, AfxSig_vwww, AFX_SIG_WND(void(CWnd::*)(UINT, UINT, UINT), &ThisClass::OnChar)},
#define ON_WM_SYSKEYDOWN() {WM_SYSKEYDOWN, 0, 0, 0, AfxSig_vwww, AFX_SIG_WND(void(CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysKeyDown)},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, AfxSig_vW, AFX_SIG_WND(void(CWnd::*)(CWnd*), &ThisClass::OnSetFocus)},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, AfxSig_vW, AFX_SIG_WND(void(CWnd::*)(CWnd*), &ThisClass::OnKillFocus)},
#define ON_WM_CAPTURECHANGED() {WM_CAPTURECHANGED, 0, 0, 0, AfxSig_vW, AFX_SIG_WND(void(CWnd::*)(CWnd*), &ThisClass::OnCaptureChanged)},
#define ON_WM_CONTEXTMENU() {WM_CONTEXTMENU, 0, 0, 0, AfxSig_vWp, AFX_SIG_WND(void(CWnd::*)(CWnd*, CPoint), &ThisClass::OnContextMenu)},
#define ON_WM_HSCROLL() {WM_HSCROLL, 0, 0, 0, AfxSig_vwwx, AFX_SIG_WND(void(CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)},
#define ON_WM_VSCROLL() {WM_VSCROLL, 0, 0, 0, AfxSig_vwwx, AFX_SIG_WND(void(CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)},
#define ON_WM_SETCURSOR() {WM_SETCURSOR, 0, 0, 0, AfxSig_bWww, AFX_SIG_WND(BOOL(CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnSetCursor)},
#define ON_WM_GETMINMAXINFO() {WM_GETMINMAXINFO, 0, 0, 0, AfxSig_vs, AFX_SIG_WND(void(CWnd::*)(MINMAXINFO*), &ThisClass::OnGetMinMaxInfo)},
#define ON_WM_WINDOWPOSCHANGED() {WM_WINDOWPOSCHANGED, 0, 0, 0, AfxSig_vs, AFX_SIG_WND(void(CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanged)},
#define ON_WM_WINDOWPOSCHANGING() {WM_WINDOWPOSCHANGING, 0, 0, 0, AfxSig_vs, AFX_SIG_WND(void(CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanging)},
#define ON_WM_SHOWWINDOW() {WM_SHOWWINDOW, 0, 0, 0, AfxSig_vbw, AFX_SIG_WND(void(CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow)},
#define ON_WM_ACTIVATE() {WM_ACTIVATE, 0, 0, 0, AfxSig_vwWb, AFX_SIG_WND(void(CWnd::*)(UINT, CWnd*, BOOL), &ThisClass::OnActivate)},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, 0, AfxSig_vwl, AFX_SIG_WND(void(CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand)},
#define ON_WM_INITMENUPOPUP() {WM_INITMENUPOPUP, 0, 0, 0, AfxSig_vMwb, AFX_SIG_WND(void(CWnd::*)(CMenu*, UINT, BOOL), &ThisClass::OnInitMenuPopup)},
#define ON_WM_MENUSELECT() {WM_MENUSELECT, 0, 0, 0, AfxSig_vwwh, AFX_SIG_WND(void(CWnd::*)(UINT, UINT, HMENU), &ThisClass::OnMenuSelect)},
#define ON_WM_DROPFILES() {WM_DROPFILES, 0, 0, 0, AfxSig_vh, AFX_SIG_WND(void(CWnd::*)(HDROP), &ThisClass::OnDropFiles)},
#define ON_WM_NCHITTEST() {WM_NCHITTEST, 0, 0, 0, AfxSig_lp, AFX_SIG_WND(LRESULT(CWnd::*)(CPoint), &ThisClass::OnNcHitTest)},
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, AfxSig_vb, AFX_SIG_WND(void(CWnd::*)(BOOL), &ThisClass::OnEnable)},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, AfxSig_wv, AFX_SIG_WND(UINT(CWnd::*)(), &ThisClass::OnGetDlgCode)},
#define ON_WM_MOUSEACTIVATE() {WM_MOUSEACTIVATE, 0, 0, 0, AfxSig_iwWw, AFX_SIG_WND(int(CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnMouseActivate)},
#define ON_WM_SYSCOLORCHANGE() {WM_SYSCOLORCHANGE, 0, 0, 0, AfxSig_vv, AFX_SIG_WND(void(CWnd::*)(), &ThisClass::OnSysColorChange)},
#define ON_WM_CANCELMODE() {WM_CANCELMODE, 0, 0, 0, AfxSig_vv, AFX_SIG_WND(void(CWnd::*)(), &ThisClass::OnCancelMode)},
