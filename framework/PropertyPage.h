// One page of a property sheet: a dialog template whose window the sheet
// creates. The page object is attached to that window when it initialises, so
// its message map, data exchange and the sheet's notifications reach it.
#pragma once
#include "framework/Dialog.h"
#include <prsht.h>

class CPropertySheet;

class FW_API CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    virtual ~CPropertyPage();

    PROPSHEETPAGE m_psp;  // callers may change flags (PSP_HASHELP...) before the sheet runs

    void CancelToClose();
    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bModified; }
    CPropertySheet* GetSheet() const;

    // Notifications of the sheet. OnSetActive/OnKillActive return FALSE to
    // refuse; OnWizardBack/Next return 0 (neighbour), -1 (stay) or the
    // dialog id of the page to go to; OnWizardFinish returns FALSE to stay.
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual void OnOK() override;
    virtual void OnCancel() override;
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();

    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    // Fills m_psp for the sheet and returns the page handle for it.
    HPROPSHEETPAGE CreatePageHandle();

protected:
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
    LRESULT MapWizardResult(LRESULT lResult) const;
    afx_msg void OnClose();

    CString m_strCaption;
    BOOL m_bFirstSetActive;
    BOOL m_bModified;
    friend class CPropertySheet;
    friend INT_PTR CALLBACK AfxPropPageDlgProc(HWND, UINT, WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

FW_API INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
