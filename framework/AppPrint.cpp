#include "framework/WinApp.h"

#include <commdlg.h>
#include "framework/PrintInfo.h"
#include "framework/Dialog.h"

void CPrinterHandles::Free()
{
    if (m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = NULL;
    m_hDevNames = NULL;
}

INT_PTR CWinApp::DoPrintDialog(PRINTDLG* pPD)
{
    CModalOwner owner(NULL, false);
    pPD->lStructSize = sizeof(PRINTDLG);
    pPD->hwndOwner = owner.GetOwner();
    for (int attempt = 0; attempt < 2; ++attempt) {
        pPD->hDevMode = m_printer.m_hDevMode;
        pPD->hDevNames = m_printer.m_hDevNames;
        BOOL ok = ::PrintDlg(pPD);
        // the dialog may have replaced the handles, whatever the outcome
        m_printer.m_hDevMode = pPD->hDevMode;
        m_printer.m_hDevNames = pPD->hDevNames;
        if (ok)
            return IDOK;
        DWORD error = ::CommDlgExtendedError();
        if (error == 0)
            return IDCANCEL;
        // a kept printer that went away: forget it and ask again with the default one
        if (attempt == 0 && (error == PDERR_PRINTERNOTFOUND || error == PDERR_DNDMMISMATCH) &&
            (m_printer.m_hDevMode != NULL || m_printer.m_hDevNames != NULL)) {
            m_printer.Free();
            continue;
        }
        return -1;
    }
    return -1;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPD)
{
    if (m_printer.m_hDevNames == NULL) {
        PRINTDLG pd = {};
        pd.lStructSize = sizeof(pd);
        pd.Flags = PD_RETURNDEFAULT;
        if (::PrintDlg(&pd)) {
            m_printer.Free();
            m_printer.m_hDevMode = pd.hDevMode;
            m_printer.m_hDevNames = pd.hDevNames;
        } else {
            if (pd.hDevMode != NULL)
                ::GlobalFree(pd.hDevMode);
            if (pd.hDevNames != NULL)
                ::GlobalFree(pd.hDevNames);
        }
    }
    if (m_printer.m_hDevNames == NULL)
        return FALSE;
    pPD->hDevMode = m_printer.m_hDevMode;
    pPD->hDevNames = m_printer.m_hDevNames;
    return TRUE;
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLG pd = {};
    pd.Flags = PD_PRINTSETUP;
    DoPrintDialog(&pd);
}
