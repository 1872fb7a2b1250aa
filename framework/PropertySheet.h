// A property sheet (tabbed or wizard) made by the system's PropertySheet,
// always modeless; DoModal runs it in the framework's modal loop. The sheet
// object is attached to the sheet window before it initialises, the pages
// to theirs as they are created, so message maps work on both.
#pragma once
#include "framework/Wnd.h"
#include <prsht.h>
#include "framework/Array.h"

// Button ids of a wizard sheet; DoModal returns ID_WIZFINISH after Finish.
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

class CPropertyPage;
class CTabCtrl;

class FW_API CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    PROPSHEETHEADER m_psh;  // callers may change flags (PSH_HASHELP...) before DoModal

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    BOOL IsWizard() const { return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0; }
    void SetWizardButtons(DWORD dwFlags);
    void SetFinishText(LPCTSTR lpszText);
    BOOL PressButton(int nButton);
    CTabCtrl* GetTabControl() const;
    void EndDialog(int nEndID);

    // Modal: IDOK (or ID_WIZFINISH in wizard mode) when accepted, IDCANCEL
    // when cancelled, -1 when the sheet could not be made.
    virtual INT_PTR DoModal();
    // Modeless: the sheet stays until OK, Cancel or Finish, then destroys itself.
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);

    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual BOOL ContinueModal() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd;

protected:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    BOOL BuildHeader(HWND hWndParent, DWORD dwExtraFlags);
    BOOL CreateSheet();
    void AttachSheet(HWND hWnd);
    void NoteResult(int nResult) { m_nResult = nResult; }
    LRESULT SheetMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    void CloseIfEnded();

    CPtrArray m_pages;
    CString m_strCaption;
    HPROPSHEETPAGE* m_phPages;
    BOOL m_bModeless;
    int m_nResult;
    friend class CPropertyPage;
    friend int CALLBACK AfxPropSheetCallback(HWND, UINT, LPARAM);
};

FW_API int CALLBACK AfxPropSheetCallback(HWND hWnd, UINT message, LPARAM lParam);
