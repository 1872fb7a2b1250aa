#include "templates/DlgExports.h"

#include <commctrl.h>

#include "framework/DataExchange.h"
#include "templates/FolderBrowser.h"
#include "templates/GorvanelModule.h"
#include "templates/TemplatePaths.h"
#include "templates/XmlDocument.h"
#include "templates/resource.h"

namespace {

// One text buffer for every dialog of the library.
char g_szText[MAX_PATH];

const char kNull[] = "null";

}  // namespace

BEGIN_MESSAGE_MAP(CDlgExports, CDialog)
    ON_BN_CLICKED(IDC_GV_SELDIR, &CDlgExports::OnBtnSeldir1)
    ON_NOTIFY(NM_DBLCLK, IDC_GV_TEMPLATES, &CDlgExports::OnDblclkFolderIlist1)
    ON_NOTIFY(LVN_GETDISPINFOA, IDC_GV_TEMPLATES, &CDlgExports::OnGetdispinfoFolderIlist1)
    ON_NOTIFY(LVN_GETINFOTIPA, IDC_GV_TEMPLATES, &CDlgExports::OnInfoTip)
END_MESSAGE_MAP()

CDlgExports::CDlgExports(CWnd* pParent) : CDialog(IDD, pParent), m_pfnHostCallback(NULL) {}

CDlgExports::~CDlgExports() {}

void CDlgExports::SetTestPersonPath(CString strFolder) { m_strStartFolder = strFolder; }

const char* CDlgExports::TranslateString(UINT nID)
{
    g_szText[0] = '\0';
    if (m_pfnHostCallback != NULL)
        m_pfnHostCallback(NULL, nID, "String", g_szText, MAX_PATH);
    else
        ::LoadStringA(GorvanelInstance(), nID, g_szText, MAX_PATH);
    g_szText[MAX_PATH - 1] = '\0';
    return g_szText;
}

namespace {

// The four values of a template; "null" for what is missing. No exception
// leaves: the reader runs inside message handlers.
bool ReadTemplate(const CString& strPath, std::string values[4], std::string& error)
{
    static const char* const kPaths[4] = {"GrubMod:Author", "GrubMod:DateTime", "GrubMod:Description",
                                          "GrubMod:Contents"};
    try {
        gorvanel::XmlDocument doc;
        bool bRead = !strPath.IsEmpty() && doc.Load((LPCTSTR)strPath);
        error = strPath.IsEmpty() ? "not a plain template name" : doc.Error();
        for (int i = 0; i < 4; ++i)
            doc.GetValue(kPaths[i], kNull, values[i]);
        return bRead;
    } catch (...) {
        for (int i = 0; i < 4; ++i)
            values[i] = kNull;
        error = "out of memory";
        return false;
    }
}

}  // namespace

int CDlgExports::ReadModFile(CString& strPath)
{
    m_strAuthor.Empty();
    m_strDateTime.Empty();
    m_strDescription.Empty();
    m_strContents.Empty();
    std::string values[4], error;
    if (!ReadTemplate(strPath, values, error))
        GorvanelLog("Gorvanel: template %s skipped: %s\n", (LPCTSTR)strPath, error.c_str());
    m_strAuthor = values[0].c_str();
    m_strDateTime = values[1].c_str();
    m_strDescription = values[2].c_str();
    m_strContents = values[3].c_str();
    return 1;
}

void CDlgExports::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GV_FOLDER, m_edtFolder);
    DDX_Control(pDX, IDC_GV_TEMPLATES, m_lstTemplates);
    DDX_Text(pDX, IDC_GV_FOLDER, m_strFolder);
}

BOOL CDlgExports::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTemplateIcons(m_lstTemplates, m_imgList);
    m_lstTemplates.SetExtendedStyle(LVS_EX_INFOTIP);
    m_strFolder = m_strStartFolder;
    UpdateData(FALSE);
    ShowDirectory(m_strFolder);
    if (m_pfnHostCallback != NULL)
        m_pfnHostCallback(this, 0, "Dlg_GORVANL", NULL, 0);
    return TRUE;
}

void CDlgExports::ShowDirectory(CString strFolder)
{
    m_lstTemplates.DeleteAllItems();
    CString strPattern = WithBackslash(strFolder) + "*.gmd";
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strPattern, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (fd.cFileName[0] == '.' || (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        // the pattern also matches longer extensions through short names
        CString strName = fd.cFileName;
        if (strName.GetLength() <= 4 || strName.Right(4).CompareNoCase(".gmd") != 0)
            continue;
        m_lstTemplates.InsertItem(0, strName.Left(strName.GetLength() - 4));
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
}

CString CDlgExports::TemplatePath(const CString& strName) const
{
    return TemplateFilePath(m_strFolder, strName);
}

void CDlgExports::OnBtnSeldir1()
{
    CFolderBrowser browser;
    browser.SetFlags(BIF_NEWDIALOGSTYLE, 0);
    browser.SetTitle(TranslateString(IDS_GV_FOLDER_PROMPT));
    CFolderBrowser::SetStartFolder(m_strStartFolder);
    char szPath[MAX_PATH];
    int nResult = browser.Browse(m_hWnd, szPath);
    if (nResult == CFolderBrowser::kCancelled)
        return;
    if (nResult == CFolderBrowser::kNoPath) {
        // no folder, so no templates: OK must not read them from a drive root
        m_strFolder.Empty();
        m_edtFolder.SetWindowText(m_strFolder);
        m_lstTemplates.DeleteAllItems();
        return;
    }
    m_strFolder = szPath;
    m_edtFolder.SetWindowText(m_strFolder);
    UpdateData(FALSE);
    ShowDirectory(m_strFolder);
}

void CDlgExports::OnOK()
{
    int nItem = m_lstTemplates.GetNextItem(-1, LVNI_SELECTED);
    if (nItem < 0) {
        CString strText = TranslateString(IDS_GV_NOTHING_CHOSEN);
        CString strCaption = TranslateString(IDS_GV_CAPTION);
        MessageBox(strText, strCaption, MB_ICONINFORMATION);
        return;
    }
    CString strName = m_lstTemplates.GetItemText(nItem, 0);
    m_strFileName = strName + ".gmd";
    CString strPath = TemplatePath(strName);
    ReadModFile(strPath);
    CDialog::OnOK();
}

void CDlgExports::OnDblclkFolderIlist1(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnOK();
}

void CDlgExports::OnGetdispinfoFolderIlist1(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CDlgExports::OnInfoTip(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMLVGETINFOTIPA* pTip = reinterpret_cast<NMLVGETINFOTIPA*>(pNMHDR);
    CString strPath = TemplatePath(m_lstTemplates.GetItemText(pTip->iItem, 0));
    ReadModFile(strPath);
    CString strTip;
    if (m_strAuthor != kNull && m_strDateTime != kNull && m_strDescription != kNull)
        strTip = FormatTip(TranslateString(IDS_GV_TIP_FORMAT), m_strAuthor, m_strDateTime, m_strDescription);
    else
        strTip = TranslateString(IDS_GV_DAMAGED_TIP);
    CopyTipText(pTip->pszText, pTip->cchTextMax, strTip);
}
