#include "framework/View.h"

#include "framework/DC.h"
#include "framework/Document.h"
#include "framework/FwRes.h"
#include "framework/PrintInfo.h"
#include "framework/WinApp.h"

CPrintInfo::CPrintInfo()
    : m_bDirect(FALSE), m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1),
      m_rectDraw(0, 0, 0, 0), m_lpUserData(NULL)
{
    ZeroMemory(&m_pd, sizeof(m_pd));
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintInfo::~CPrintInfo()
{
    // the device handles are the application's; only the DC is the job's
    if (m_pd.hDC != NULL)
        ::DeleteDC(m_pd.hDC);
}

UINT CPrintInfo::GetFromPage() const
{
    return (m_pd.Flags & PD_PAGENUMS) ? m_pd.nFromPage : m_pd.nMinPage;
}

UINT CPrintInfo::GetToPage() const
{
    return (m_pd.Flags & PD_PAGENUMS) ? m_pd.nToPage : m_pd.nMaxPage;
}

namespace {

// A DC for the printer that the device names and mode describe.
HDC CreatePrinterDC(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (hDevNames == NULL)
        return NULL;
    LPDEVNAMES names = (LPDEVNAMES)::GlobalLock(hDevNames);
    if (names == NULL)
        return NULL;
    const char* base = (const char*)names;
    LPDEVMODE mode = hDevMode != NULL ? (LPDEVMODE)::GlobalLock(hDevMode) : NULL;
    HDC hDC = ::CreateDC(base + names->wDriverOffset, base + names->wDeviceOffset,
                         base + names->wOutputOffset, mode);
    if (mode != NULL)
        ::GlobalUnlock(hDevMode);
    ::GlobalUnlock(hDevNames);
    return hDC;
}

void ReportPrintFailure()
{
    AfxMessageBox("Failed to start printing.", MB_ICONEXCLAMATION | MB_OK);
}

}  // namespace

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    if (pInfo->m_bDirect || pInfo->m_bPreview) {
        PRINTDLG pd = {};
        if (!pApp->GetPrinterDeviceDefaults(&pd)) {
            ReportPrintFailure();
            return FALSE;
        }
        pInfo->m_pd.hDevMode = pd.hDevMode;
        pInfo->m_pd.hDevNames = pd.hDevNames;
        pInfo->m_pd.hDC = CreatePrinterDC(pd.hDevNames, pd.hDevMode);
    } else {
        pInfo->m_pd.Flags |= PD_RETURNDC;
        pInfo->m_pd.Flags &= ~PD_PRINTSETUP;
        if (pApp->DoPrintDialog(&pInfo->m_pd) != IDOK)
            return FALSE;
    }
    return pInfo->m_pd.hDC != NULL;
}

void CView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pInfo;
    OnDraw(pDC);
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg != NULL && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info))
        return;
    if (info.m_pd.hDC == NULL) {
        ReportPrintFailure();
        return;
    }
    CDC dc;
    dc.Attach(info.m_pd.hDC);
    info.m_pd.hDC = NULL;  // the CDC deletes it now

    CString title;
    if (m_pDocument != NULL)
        title = m_pDocument->GetTitle();
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = title;
    OnBeginPrinting(&dc, &info);
    if (::StartDoc(dc.m_hDC, &di) <= 0) {
        OnEndPrinting(&dc, &info);
        ReportPrintFailure();
        return;
    }
    BOOL ok = TRUE;
    UINT last = info.GetToPage();
    for (info.m_nCurPage = info.GetFromPage(); ok && info.m_nCurPage <= last; ++info.m_nCurPage) {
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        info.m_rectDraw.SetRect(0, 0, ::GetDeviceCaps(dc.m_hDC, HORZRES), ::GetDeviceCaps(dc.m_hDC, VERTRES));
        ok = ::StartPage(dc.m_hDC) > 0;
        if (ok) {
            OnPrint(&dc, &info);
            ok = ::EndPage(dc.m_hDC) > 0;
        }
        // a view that does not count its pages prints one
        if (info.GetMaxPage() == 0xFFFF)
            break;
    }
    if (ok)
        ::EndDoc(dc.m_hDC);
    else
        ::AbortDoc(dc.m_hDC);
    OnEndPrinting(&dc, &info);
    if (!ok)
        ReportPrintFailure();
}

void CView::OnFilePrintPreview()
{
    AfxMessageBox("Print preview is not available.", MB_ICONINFORMATION | MB_OK);
}
