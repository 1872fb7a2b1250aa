#include "installer/app/TessumgrAboutDlg.h"

#include "installer/app/ShellCall.h"
#include "installer/app/TessumgrApp.h"
#include "installer/app/resource.h"

const char kTessuWebPage[] = "http://www.example.org/tessu/";

namespace {
const int kContactIds[] = {IDC_LINK_MAIL1, IDC_LINK_MAIL2, IDC_LINK_MAIL3};
const COLORREF kTitleColour = RGB(40, 88, 236);
const int kTitleIconSize = 32;
const char kEnglishMail[] = "?subject=About Tessu%2FTessumgr &body=Hello!%0D%0A%0D%0A";
// 关于 Tessu%2FTessumgr / 你好！
const char kChineseMail[] = "?subject=\xB9\xD8\xD3\xDA Tessu%2FTessumgr &body=\xC4\xE3\xBA\xC3\xA3\xA1%0D%0A%0D%0A";
}  // namespace

INT_PTR CTessuLink::OpenTarget(LPCTSTR url, int)
{
    const INT_PTR result = TessuShellOpen(GetParent() ? GetParent()->m_hWnd : NULL, url);
    if (m_hWndNotify)
        ::SendMessage(m_hWndNotify, WM_TESSU_EXPERT, 0, 0);
    return result;
}

BEGIN_MESSAGE_MAP(CTessumgrAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_OK, &CTessumgrAboutDlg::OnOkButton)
END_MESSAGE_MAP()

CTessumgrAboutDlg::CTessumgrAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUTBOX, pParent) {}

CString CTessumgrAboutDlg::MailTarget(LPCTSTR address, BOOL english)
{
    return CString("mailto:") + address + (english ? kEnglishMail : kChineseMail);
}

BOOL CTessumgrAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_title.SubclassDlgItem(IDC_ABOUT_TITLE, this);
    m_title.SetColours(kTitleColour, kTitleColour);
    m_title.SetIcon(IDR_MAINFRAME, 0, kTitleIconSize);
    HWND notify = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
    for (int i = 0; i < 3; ++i) {
        m_links[i].SubclassDlgItem(kContactIds[i], this);
        CString address;
        m_links[i].GetWindowText(address);
        m_links[i].SetURL(MailTarget(address, g_langFile.IsLoaded()));
        m_links[i].m_hWndNotify = notify;
    }
    m_webLink.SubclassDlgItem(IDC_LINK_WEB, this);
    m_webLink.SetURL(kTessuWebPage);
    if (g_langFile.IsLoaded()) {
        SetWindowText(g_langFile.GetValue("About", "Title"));
        m_title.SetWindowText(g_langFile.GetValue("About", "Heading"));
        SetDlgItemText(IDC_ABOUT_COPYRIGHT, g_langFile.GetValue("About", "Copyright"));
        SetDlgItemText(IDC_ABOUT_CONTACT, g_langFile.GetValue("About", "Contact"));
        SetDlgItemText(IDC_ABOUT_OK, g_langFile.GetValue("Button", "OK"));
    }
    if (!m_strThemeIni.IsEmpty())
        m_skin.LoadSkin(this, m_strThemeIni, FALSE);
    return TRUE;
}

void CTessumgrAboutDlg::OnOkButton() { EndDialog(IDOK); }
