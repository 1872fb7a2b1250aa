// Dialogs from templates found in the registered resource modules: modal
// (own loop, parent disabled) and modeless.
#pragma once
#include "framework/Wnd.h"

class FW_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual ~CDialog();

    virtual INT_PTR DoModal();
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, HINSTANCE hInst = NULL);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    void NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl)
    {
        if (pWndCtrl) ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1L);
    }
    void SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
    BOOL IsModal() const { return (m_nFlags & WF_MODALLOOP) != 0; }

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    LPCTSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    BOOL CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent, HINSTANCE hInst);
    BOOL LoadTemplate(LPCDLGTEMPLATE* ppTemplate, HINSTANCE* phInst) const;
    HWND ModelessParent() const;
    DECLARE_MESSAGE_MAP()
};

FW_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The owner of a modal window whose parent is pParentWnd: that window's
// top-level window. Without a parent: the last active popup of the main
// window's top-level window (a running dialog), so modals stack. phWndTop
// receives the window at the end of the owner's owner chain (may equal the
// owner), found the same way with a parent and without.
FW_API HWND AfxGetModalOwner(CWnd* pParentWnd, HWND* phWndTop = NULL);

// The owner side of a running modal window: the owner (when the framework
// runs the loop) and the top-level window behind it stay disabled; Restore
// or the destructor enables again what was enabled before.
class FW_API CModalOwner {
public:
    CModalOwner(CWnd* pParentWnd, bool bDisableOwner);
    CModalOwner(HWND hWndOwner, HWND hWndTop, bool bDisableOwner);
    ~CModalOwner() { Restore(); }
    CModalOwner(const CModalOwner&) = delete;
    CModalOwner& operator=(const CModalOwner&) = delete;
    HWND GetOwner() const { return m_hWndOwner; }
    void Restore();
    // Ends the modal run of hWndModal: the owner side is enabled before the
    // window hides, so the activation goes back to the owner when it had it.
    void RestoreAndHide(HWND hWndModal);

private:
    void Lock(HWND hWndTop, bool bDisableOwner);
    HWND m_hWndOwner;
    HWND m_hWndOwnerDisabled;
    HWND m_hWndTopDisabled;
};
