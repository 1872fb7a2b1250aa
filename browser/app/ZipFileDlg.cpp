#include "browser/app/ZipFileDlg.h"

#include "browser/ImageSave.h"
#include "browser/app/MainFrame.h"
#include "framework/Sys.h"
#include "resources/pelsys/resource.h"

namespace {
// The record without the fields of later systems (76 bytes in 32-bit builds), and whole.
const DWORD kOldStructSize = OPENFILENAME_SIZE_VERSION_400A;
const DWORD kNewStructSize = sizeof(OPENFILENAMEA);
}  // namespace

CZipFileDlg::CZipFileDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         CWnd* pParent, BOOL bCompress, LPCTSTR lpszFilter)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParent), m_bCompress(bCompress)
{
    m_ofn.lStructSize = (::GetVersion() & 0x80000000) ? kOldStructSize : kNewStructSize;
    m_ofn.lpTemplateName = "SFILEDLG_TEMPLATE";
    m_ofn.Flags |= OFN_ENABLETEMPLATE;
}

CRect CZipFileDlg::CheckBoxRect(const CRect& client, DWORD structSize)
{
    int shift = structSize == kOldStructSize ? 0 : 90;
    return CRect(client.left + 20 + shift, client.bottom - 30, client.left + 130 + shift, client.bottom - 15);
}

void CZipFileDlg::OnInitDone()
{
    HWND hFrame = DialogFrame();
    if (!hFrame || m_compress.m_hWnd)
        return;
    CRect client;
    ::GetClientRect(hFrame, &client);
    CRect box = CheckBoxRect(client, m_ofn.lStructSize);
    ::MapWindowPoints(hFrame, m_hWnd, (LPPOINT)&box, 2);
    if (!m_compress.Create(" compress it.", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, box, this,
                           IDC_COMPRESS_BOX))
        return;
    m_compress.SetFont(GetFont(), FALSE);
    m_compress.SetCheck(m_bCompress ? BST_CHECKED : BST_UNCHECKED);
}

// The dialog itself asks about the typed name; a compressed save also
// replaces the zip beside it, so that one is asked about here.
BOOL CZipFileDlg::OnFileNameOK()
{
    if (m_compress.m_hWnd)
        m_bCompress = m_compress.GetCheck() == BST_CHECKED;
    if (!m_bCompress)
        return FALSE;
    CString zip = AddImageExtension(m_ofn.lpstrFile) + ".zip";
    if (!FwFileExists(zip) || FwDirectoryExists(zip))  // a folder is not replaced: the save fails
        return FALSE;
    CString format, ask;
    format.LoadString(IDS_REPLACE_ASK);
    ask.Format(format, (LPCTSTR)zip);
    return CMainFrame::s_pfnMessageBox(ask, NULL, MB_YESNO | MB_ICONEXCLAMATION) != IDYES;
}
