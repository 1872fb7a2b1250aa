#include "designer/propdlg/UIControlPrpDlg.h"

#include "controls/FileDialogEx.h"
#include "designer/core/DiskObject.h"
#include "designer/app/LangManager.h"
#include "framework/WinApp.h"

CLangManager* CUIControlPrpDlg::s_pLang = NULL;
CString CUIControlPrpDlg::s_strTemplateFolder;
CUIControlPrpDlg::TemplateRunner CUIControlPrpDlg::s_pfnTemplateRunner = NULL;

namespace {

const char kSettings[] = "Settings";
const char kCmdTemplate[] = "Cmd Template";
const char kThemeFilter[] = "Файлы оформления (*.zmt)|*.zmt|Все файлы (*.*)|*.*||";
const char kPictureFilter[] = "Поддерживаемые форматы|*.bmp;*.gif;*.jpg;*.png|BMP (*.bmp)|*.bmp|"
                              "Gif (*.gif)|*.gif|JPG (*.jpg)|*.jpg|PNG (*.png)|*.png|Все файлы (*.*)|*.*||";
const char kBadTemplate[] = "Неправильная команда";
const char kNoTemplate[] = "null";  // what the library reads for a missing text
const int kMaxPath = 259;

CString InterfaceString(UINT nID, LPCTSTR lpszFallback)
{
    CString text;
    if (CLangManager* pLang = CUIControlPrpDlg::GetLangManager())
        pLang->LoadString(text, nID, FALSE);
    else if (!text.LoadString(nID))
        text.Empty();
    if (text.IsEmpty())
        text = lpszFallback;
    return text;
}

// A title line: its first word is "title", in any case.
BOOL IsTitleLine(const CString& line)
{
    return line.GetLength() >= 5 && line.Left(5).CompareNoCase("title") == 0 &&
           (line.GetLength() == 5 || line[5] == ' ' || line[5] == '\t');
}

}  // namespace

BEGIN_MESSAGE_MAP(CUIControlPrpDlg, CDialog)
    ON_BN_CLICKED(IDC_PRP_APPLY, OnApplyButton)
END_MESSAGE_MAP()

CUIControlPrpDlg::CUIControlPrpDlg(UINT nIDTemplate, LPCTSTR lpszSection, UINT nGroupBoxId, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_strPickFolder("C:\\"), m_pControl(NULL), m_pOwnerWnd(NULL),
      m_strSection(lpszSection ? lpszSection : ""), m_nGroupBoxId(nGroupBoxId), m_bApplySucceeded(TRUE)
{
}

CUIControlPrpDlg::~CUIControlPrpDlg() {}

CLangManager* CUIControlPrpDlg::GetLangManager()
{
    return s_pLang ? s_pLang : CUIControl::GetLangManager();
}

CString CUIControlPrpDlg::GetDefaultTemplateFolder()
{
    if (!s_strTemplateFolder.IsEmpty())
        return s_strTemplateFolder;
    CString folder = CLangManager::ProgramFolder();
    if (folder.Right(1) == "\\")
        folder = folder.Left(folder.GetLength() - 1);
    return folder + "\\Cmd Templates";
}

void CUIControlPrpDlg::RedrawOwner()
{
    if (m_pOwnerWnd && ::IsWindow(m_pOwnerWnd->GetSafeHwnd()))
        m_pOwnerWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CUIControlPrpDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CLangManager* pLang = GetLangManager())
        pLang->TranslateDialog(this, m_strSection);
    if (m_nGroupBoxId && GetDlgItem(m_nGroupBoxId)) {
        if (!m_groupBox.GetSafeHwnd())
            m_groupBox.SubclassDlgItem(m_nGroupBoxId, this);
        m_groupBox.SetTitleStyle(BS_AUTOCHECKBOX);
        m_groupBox.SetGroupId(1);
    }
    InitControls();
    return TRUE;
}

void CUIControlPrpDlg::OnApplyButton()
{
    m_bApplySucceeded = TRUE;
    OnApply();
}

void CUIControlPrpDlg::OnOK()
{
    OnApplyButton();
    if (m_bApplySucceeded)
        EndDialog(IDOK);
}

void CUIControlPrpDlg::OnCancel()
{
    if (m_pControl)
        m_pControl->SetThemeReloadPending(FALSE);
    EndDialog(IDCANCEL);
}

int CUIControlPrpDlg::ShowMessage(UINT nTextID, UINT nType, LPCTSTR lpszSection)
{
    if (CLangManager* pLang = GetLangManager())
        return pLang->MessageBox(this, lpszSection, nTextID, nType);
    CString text;
    text.LoadString(nTextID);
    return AfxShowMessageBox(GetSafeHwnd(), text, "Zavo Studio", nType);
}

BOOL CUIControlPrpDlg::PickFile(LPCTSTR lpszTitle, int nKind)
{
    const BOOL bPicture = nKind == PICK_PICTURE;
    // whole: the framework's filter buffer has no length limit
    const CString filter = bPicture ? InterfaceString(IDS_PRP_PICTURE_FILTER, kPictureFilter)
                                    : InterfaceString(IDS_PRP_THEME_FILTER, kThemeFilter);
    CFileDialogEx dlg(TRUE, bPicture ? "png" : "zmt", NULL, OFN_HIDEREADONLY, filter, this);
    dlg.m_ofn.lpstrInitialDir = m_strPickFolder;
    dlg.m_ofn.lpstrTitle = lpszTitle;
    dlg.m_ofn.Flags |= OFN_HIDEREADONLY;
    dlg.SetViewMode(bPicture ? CFileDialogEx::ViewThumbnails : CFileDialogEx::ViewLargeIcons);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    m_strPickedFile = dlg.GetPathName();
    return TRUE;
}

void CUIControlPrpDlg::ParseTemplateText(const CString& strText, CString& strTitle, CString& strCommands)
{
    int start = 0;
    const int length = strText.GetLength();
    while (start < length) {
        int end = strText.Find('\n', start);
        if (end < 0)
            end = length;
        CString line = strText.Mid(start, end - start);
        start = end + 1;
        if (line.Right(1) == "\r")
            line = line.Left(line.GetLength() - 1);
        line.TrimLeft();
        line.TrimRight();
        if (line.IsEmpty() || line[0] == '#')
            continue;  // blank, or a comment: '#' first on the line
        if (IsTitleLine(line)) {
            strTitle = line.Mid(5);
            strTitle.TrimLeft();
        } else {
            strCommands += line + "\r\n";
        }
    }
}

BOOL CUIControlPrpDlg::PickCommandTemplate(CString& strTitle, CString& strCommands)
{
    CWinApp* pApp = AfxGetApp();
    CString folder = pApp ? pApp->GetProfileString(kSettings, kCmdTemplate, "") : CString();
    if (folder.IsEmpty())
        folder = GetDefaultTemplateFolder();
    CString contents, chosenFolder;
    if (!s_pfnTemplateRunner || s_pfnTemplateRunner(folder, contents, chosenFolder) != IDOK)
        return FALSE;
    CString text = contents;
    text.TrimLeft();
    text.TrimRight();
    if (text.IsEmpty() || text == kNoTemplate) {
        ShowMessage(IDS_PRP_BAD_TEMPLATE, MB_ICONINFORMATION, "String");
        return FALSE;
    }
    if (chosenFolder != folder && pApp)
        pApp->WriteProfileString(kSettings, kCmdTemplate, chosenFolder);
    ParseTemplateText(contents, strTitle, strCommands);
    return TRUE;
}

int __stdcall CUIControlPrpDlg::TemplateCallback(CWnd* pDialog, UINT nID, LPCSTR lpszSection, LPSTR lpszBuffer,
                                                 int nBufferSize)
{
    if (pDialog) {
        CLangManager* pLang = GetLangManager();
        if (pLang && lpszSection)
            pLang->TranslateDialog(pDialog, lpszSection);
        return 0;
    }
    if (!lpszBuffer || nBufferSize <= 0)
        return 0;
    const CString text = InterfaceString(nID, "");
    if (text.GetLength() < nBufferSize)
        memcpy(lpszBuffer, (LPCTSTR)text, text.GetLength() + 1);
    return 0;
}

BOOL CUIControlPrpDlg::CreateFolderPath(LPCTSTR lpszPath)
{
    if (!lpszPath || !*lpszPath || strlen(lpszPath) > (size_t)kMaxPath)
        return FALSE;
    CString path = lpszPath;
    path.Replace('/', '\\');
    const int last = path.ReverseFind('\\');
    if (last < 0)
        return TRUE;
    // "C:\" or "\" alone names no folder to make.
    const CString folder = path.Left(last);
    if (folder.IsEmpty() || (folder.GetLength() == 2 && folder[1] == ':'))
        return TRUE;
    CDiskObject disk;
    return disk.CreateFolderPath(folder);
}
