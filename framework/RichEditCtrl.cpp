#include "framework/RichEditCtrl.h"

#include "framework/ControlHelpers.h"

#include <vector>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

namespace {
HMODULE g_hRichEdit = NULL;  // stays loaded until the process ends
}

BOOL AfxInitRichEdit()
{
    if (g_hRichEdit == NULL)
        g_hRichEdit = ::LoadLibraryA("riched20.dll");
    return g_hRichEdit != NULL;
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit())
        return FALSE;
    return CreateEx(0, RICHEDIT_CLASSA, NULL, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

CString CRichEditCtrl::GetText() const
{
    GETTEXTLENGTHEX length = {GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
    const long bytes = (long)::SendMessage(m_hWnd, EM_GETTEXTLENGTHEX, (WPARAM)&length, 0);
    if (bytes <= 0)
        return CString();
    std::vector<char> buffer(size_t(bytes) + 2, 0);
    GETTEXTEX get = {};
    get.cb = DWORD(buffer.size());
    get.flags = GT_USECRLF;
    get.codepage = CP_ACP;
    const long got = (long)::SendMessage(m_hWnd, EM_GETTEXTEX, (WPARAM)&get, (LPARAM)buffer.data());
    return CString(buffer.data(), got > 0 ? int(got) : 0);
}
