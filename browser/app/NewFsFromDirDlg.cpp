#include "browser/app/NewFsFromDirDlg.h"

#include "browser/app/MainFrame.h"
#include "framework/WinApp.h"
#include "resources/pelsys/resource.h"

#include <shlobj.h>

namespace {
const char kSection[] = "DumpDir";

// Frees a shell item list with the shell's allocator.
class CItemList {
public:
    explicit CItemList(LPITEMIDLIST p) : m_p(p) {}
    ~CItemList()
    {
        if (m_p)
            ::CoTaskMemFree(m_p);
    }
    LPITEMIDLIST Get() const { return m_p; }

private:
    LPITEMIDLIST m_p;
};
}  // namespace

BEGIN_MESSAGE_MAP(CNewFsFromDirDlg, CDialog)
    ON_BN_CLICKED(IDC_DIR_BROWSE, &CNewFsFromDirDlg::OnBrowseDir)
    ON_BN_CLICKED(IDC_FILE_BROWSE, &CNewFsFromDirDlg::OnBrowseFile)
END_MESSAGE_MAP()

CNewFsFromDirDlg::CNewFsFromDirDlg(CWnd* pParent) : CDialog(IDD_NEWFS_FROM_DIR, pParent) {}

BOOL CNewFsFromDirDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWinApp* app = AfxGetApp();
    SetDlgItemText(IDC_DIR_EDIT, app->GetProfileString(kSection, "dir", ""));
    SetDlgItemText(IDC_FILE_EDIT, app->GetProfileString(kSection, "file", ""));
    SetDlgItemText(IDC_VOLUME_EDIT, app->GetProfileString(kSection, "volume", ""));
    SendDlgItemMessage(IDC_DIR_EDIT, EM_LIMITTEXT, kMaxPath, 0);
    SendDlgItemMessage(IDC_FILE_EDIT, EM_LIMITTEXT, kMaxPath, 0);
    SendDlgItemMessage(IDC_VOLUME_EDIT, EM_LIMITTEXT, kMaxVolume, 0);
    return TRUE;
}

void CNewFsFromDirDlg::OnBrowseDir()
{
    CString title;
    title.LoadString(IDS_SELECT_SOURCE_DIR);
    BROWSEINFOA info = {};
    info.hwndOwner = m_hWnd;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    CItemList items(::SHBrowseForFolderA(&info));
    char path[MAX_PATH] = "";
    if (items.Get() && ::SHGetPathFromIDListA(items.Get(), path))
        SetDlgItemText(IDC_DIR_EDIT, path);
}

void CNewFsFromDirDlg::OnBrowseFile()
{
    CString path;
    if (CMainFrame::PromptForImageFile(path, this))
        SetDlgItemText(IDC_FILE_EDIT, path);
}

void CNewFsFromDirDlg::OnOK()
{
    GetDlgItemText(IDC_DIR_EDIT, m_strDir);
    GetDlgItemText(IDC_FILE_EDIT, m_strFile);
    GetDlgItemText(IDC_VOLUME_EDIT, m_strVolume);
    CString text;
    if (m_strDir.IsEmpty() || m_strFile.IsEmpty() || m_strVolume.IsEmpty()) {
        text.LoadString(IDS_FILL_ALL_FIELDS);
        CMainFrame::s_pfnMessageBox(text, NULL, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // bytes, not characters: the image's name field holds 15 bytes
    if (m_strVolume.GetLength() > kMaxVolume) {
        text.LoadString(IDS_VOLUME_TOO_LONG);
        CMainFrame::s_pfnMessageBox(text, NULL, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CWinApp* app = AfxGetApp();
    app->WriteProfileString(kSection, "dir", m_strDir);
    app->WriteProfileString(kSection, "file", m_strFile);
    app->WriteProfileString(kSection, "volume", m_strVolume);
    CDialog::OnOK();
}
