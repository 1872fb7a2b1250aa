// The state of one print job: the print dialog's record (its device context
// belongs to the job, the device handles to the application) and the page.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include "framework/FwDefs.h"
#include "framework/Geometry.h"

class FW_API CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();

    void SetMinPage(UINT nMinPage) { m_pd.nMinPage = (WORD)nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_pd.nMaxPage = (WORD)nMaxPage; }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    // The pages chosen in the dialog, or all of them.
    UINT GetFromPage() const;
    UINT GetToPage() const;

    PRINTDLG m_pd;
    BOOL m_bDirect;  // no dialog: the default printer
    BOOL m_bPreview;
    BOOL m_bContinuePrinting;  // OnPrepareDC clears it to end the job
    UINT m_nCurPage;
    CRect m_rectDraw;  // the printable area of the current page
    LPVOID m_lpUserData;

private:
    CPrintInfo(const CPrintInfo&);
    CPrintInfo& operator=(const CPrintInfo&);
};
