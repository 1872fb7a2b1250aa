#include "designer/app/GenMD5Dlg.h"

#include "designer/core/Md5Crypt.h"
#include "designer/app/ZavomgrApp.h"
#include "resources/zavomgr/resource.h"

BEGIN_MESSAGE_MAP(CGenMD5Dlg, CDialog)
    ON_BN_CLICKED(IDC_MD5_MAKE, &CGenMD5Dlg::OnMake)
    ON_BN_CLICKED(IDC_MD5_CHECK, &CGenMD5Dlg::OnCheck)
END_MESSAGE_MAP()

namespace {

CLangManager& Lang() { return static_cast<CZavomgrApp*>(AfxGetApp())->m_langManager; }

}  // namespace

CGenMD5Dlg::CGenMD5Dlg(CWnd* pParent) : CDialog(IDD_GENMD5, pParent) {}

BOOL CGenMD5Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_MD5_PASSWORD, EM_LIMITTEXT, kMaxPassword, 0);
    Lang().TranslateDialog(this, "GenMD5_Dlg");
    return TRUE;
}

void CGenMD5Dlg::Tell(UINT nTextID, UINT nType) { Lang().MessageBox(this, "String", nTextID, nType); }

void CGenMD5Dlg::OnMake()
{
    CString password;
    GetDlgItemText(IDC_MD5_PASSWORD, password);
    SetDlgItemText(IDC_MD5_HASH, "");
    if (password.IsEmpty()) {
        Tell(IDS_MD5_EMPTY, MB_ICONINFORMATION);
        return;
    }
    if (password.GetLength() > kMaxPassword) {
        Tell(IDS_MD5_TOOLONG, MB_ICONINFORMATION);
        return;
    }
    char hash[37];
    MakeMd5CryptPassword(password, hash);
    SetDlgItemText(IDC_MD5_HASH, hash);
}

void CGenMD5Dlg::OnCheck()
{
    CString password, hash;
    GetDlgItemText(IDC_MD5_PASSWORD, password);
    GetDlgItemText(IDC_MD5_HASH, hash);
    if (password.IsEmpty() || hash.IsEmpty()) {
        Tell(IDS_MD5_FILLIN, MB_ICONINFORMATION);
        return;
    }
    if (password.GetLength() > kMaxPassword) {
        Tell(IDS_MD5_TOOLONG, MB_ICONINFORMATION);
        return;
    }
    if (CheckMd5CryptPassword(password, hash) == 0)
        Tell(IDS_MD5_MATCH, MB_ICONINFORMATION);
    else
        Tell(IDS_MD5_MISMATCH, MB_ICONSTOP);
}
