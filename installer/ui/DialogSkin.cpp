#include "installer/ui/DialogSkin.h"

#include <cstring>

CDialogSkin::CDialogSkin() : m_hDialog(NULL), m_bApplied(FALSE) {}

CDialogSkin::~CDialogSkin()
{
    for (CSkinButton *p : m_buttons) {
        if (p->GetSafeHwnd())
            p->UnsubclassWindow();
        delete p;
    }
}

BOOL CALLBACK CDialogSkin::AddButton(HWND hChild, LPARAM lParam)
{
    CDialogSkin *pThis = reinterpret_cast<CDialogSkin *>(lParam);
    if (::GetParent(hChild) != pThis->m_hDialog)
        return TRUE;
    char className[16] = "";
    ::GetClassName(hChild, className, sizeof className);
    const DWORD kind = (DWORD)::GetWindowLongPtr(hChild, GWL_STYLE) & 0xFF;
    if (strcmp(className, "Button") != 0 || (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON))
        return TRUE;
    if (CWnd::FromHandlePermanent(hChild))
        return TRUE;
    CSkinButton *pButton = new CSkinButton;
    if (!pButton->SubclassWindow(hChild)) {
        delete pButton;
        return TRUE;
    }
    pButton->SetSkin(&pThis->m_buttonSkin);
    pThis->m_buttons.push_back(pButton);
    return TRUE;
}

BOOL CDialogSkin::LoadSkin(CWnd *pDialog, LPCTSTR lpszIni, BOOL bRequireAll)
{
    if (!pDialog || !pDialog->GetSafeHwnd())
        return FALSE;
    const BOOL bFrame = m_frame.LoadTheme(lpszIni);
    const BOOL bButtons = m_buttonSkin.Load(lpszIni);
    if (bRequireAll && (!bFrame || !bButtons))
        return FALSE;
    if (!m_bApplied) {
        m_bApplied = TRUE;
        m_hDialog = pDialog->GetSafeHwnd();
        m_frame.Attach(pDialog);
        ::EnumChildWindows(m_hDialog, AddButton, reinterpret_cast<LPARAM>(this));
    }
    ::SetWindowPos(pDialog->GetSafeHwnd(), NULL, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}
