#include "templates/DlgInportAll.h"

#include <commctrl.h>

#include "framework/DataExchange.h"
#include "templates/FolderDialog.h"
#include "templates/GorvanelModule.h"
#include "templates/TemplatePaths.h"
#include "templates/resource.h"

namespace {

const char kLibraryFolder[] = "\xc4\xa3\xb0\xe5\xbf\xe2";
const char kTemplateFolder[] = "\xc4\xa3\xb0\xe5";
const char kPickTitle[] = "\xd1\xa1\xd4\xf1\xb5\xbc\xc8\xeb\xb5\xc4\xce\xc4\xbc\xfe\xbc\xd0";
const char kPickOk[] = "\xd1\xa1\xd4\xf1(&S)";
const char kImported[] =
    "\xc4\xe3\xcb\xf9\xd1\xa1\xd4\xf1\xb5\xc4\xc4\xbf\xc2\xbc\xcf\xc2\xb0\xfc\xba\xac\xd3\xd0\xd0\xa7\xb5\xc4"
    "\xb2\xe2\xca\xd4\xca\xfd\xbe\xdd\xa1\xa3\xb3\xc9\xb9\xa6\xb5\xbc\xc8\xeb %d \xd7\xe9\xca\xfd\xbe\xdd\xa1\xa3";
const char kNothingImported[] =
    "\xc4\xe3\xcb\xf9\xd1\xa1\xd4\xf1\xb5\xc4\xc4\xbf\xc2\xbc\xcf\xc2\xb2\xbb\xb0\xfc\xba\xac\xd3\xd0\xd0\xa7"
    "\xb5\xc4\xb2\xe2\xca\xd4\xca\xfd\xbe\xdd\xa1\xa3\xb9\xca\xce\xb4\xb5\xbc\xc8\xeb\xc8\xce\xba\xce\xca\xfd"
    "\xbe\xdd\xa1\xa3";

bool IsFolder(const CString& strPath)
{
    DWORD dwAttr = ::GetFileAttributesA(strPath);
    return dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY);
}

// The last component of a folder path, trailing '\' ignored.
CString LastComponent(CString strFolder)
{
    while (EndsWithBackslash(strFolder))
        strFolder = strFolder.Left(strFolder.GetLength() - 1);
    LPCSTR psz = strFolder;
    LPCSTR pName = psz;
    for (LPCSTR p = psz; *p != '\0'; p = ::CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':')
            pName = p + 1;
    return CString(pName);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgInportAll, CDialog)
    ON_BN_CLICKED(IDC_GV_IMPORT_SELDIR, &CDlgInportAll::OnBtnSeldir2)
END_MESSAGE_MAP()

CDlgInportAll::CDlgInportAll(CWnd* pParent) : CDialog(IDD, pParent)
{
    m_szIndexText[0] = '\0';
}

CDlgInportAll::~CDlgInportAll() {}

void CDlgInportAll::SetTestPersonPath(CString strFolder) { m_strStartFolder = strFolder; }

void CDlgInportAll::SetIndexInfo(CString strFolder, CString strText, char* pszFormat)
{
    m_strIndexFolder = WithBackslash(strFolder);
    m_strIndexText = strText;
    // taken as text: a caller's '%' has no arguments to read
    lstrcpynA(m_szIndexText, pszFormat ? pszFormat : "", kTextSize);
}

void CDlgInportAll::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GV_IMPORT_FOLDER, m_edtFolder);
    DDX_Control(pDX, IDC_GV_IMPORT_LIST, m_lstFolders);
    DDX_Text(pDX, IDC_GV_IMPORT_FOLDER, m_strChosenText);
}

BOOL CDlgInportAll::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTemplateIcons(m_lstFolders, m_imgList);
    ShowDirectory(m_strStartFolder);
    return TRUE;
}

void CDlgInportAll::ShowDirectory(CString strFolder)
{
    if (m_lstFolders.m_hWnd == NULL)
        return;
    m_lstFolders.DeleteAllItems();
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(WithBackslash(strFolder) + "*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (fd.cFileName[0] == '.' || !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (lstrcmpA(fd.cFileName, kLibraryFolder) == 0)
            continue;
        m_lstFolders.InsertItem(m_lstFolders.GetItemCount(), fd.cFileName, 0);
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
}

BOOL CDlgInportAll::CheckForFdrName(CString strName)
{
    return IsPlainName(strName) && strName != kLibraryFolder;
}

BOOL CDlgInportAll::DoInputMen(CString strSource, CString strName)
{
    if (!CheckForFdrName(strName) || m_strStartFolder.IsEmpty())
        return FALSE;
    CString strFrom = WithBackslash(strSource) + kTemplateFolder + "\\";
    CString strGroup = WithBackslash(m_strStartFolder) + strName + "\\";
    CString strTo = strGroup + kTemplateFolder + "\\";
    ::CreateDirectoryA(strGroup, NULL);
    ::CreateDirectoryA(strTo, NULL);
    if (!IsFolder(strTo))
        return FALSE;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strFrom + "*.gmd", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    int nFound = 0, nThere = 0;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        ++nFound;
        // an existing template of the same name is the user's: kept as it is
        CString strTarget = strTo + fd.cFileName;
        if (::CopyFileA(strFrom + fd.cFileName, strTarget, TRUE) ||
            ::GetFileAttributesA(strTarget) != INVALID_FILE_ATTRIBUTES)
            ++nThere;
        else
            GorvanelLog("Gorvanel: cannot import %s (error %lu)\n", (LPCSTR)(strFrom + fd.cFileName),
                        ::GetLastError());
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    return nFound > 0 && nThere == nFound;
}

int CDlgInportAll::ImportChosen()
{
    int nImported = 0;
    for (INT_PTR i = 0; i < m_arrChosenFolders.GetSize(); ++i) {
        CString strFolder = WithBackslash(m_arrChosenFolders[i]);
        if (!IsFolder(strFolder + kTemplateFolder))
            continue;
        if (DoInputMen(strFolder, LastComponent(strFolder)))
            ++nImported;
    }
    if (nImported > 0)
        ShowDirectory(m_strStartFolder);
    return nImported;
}

void CDlgInportAll::OnOK()
{
    UpdateData(TRUE);
    int nImported = ImportChosen();
    CString strText;
    if (nImported > 0)
        strText.Format(kImported, nImported);
    else
        strText = kNothingImported;
    MessageBox(strText, "", MB_OK);
}

void CDlgInportAll::OnBtnSeldir2()
{
    m_strChosenText.Empty();
    CFolderDialog dlg("C:\\", kPickOk,
                      OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_ENABLEHOOK | OFN_HIDEREADONLY, this);
    dlg.m_ofn.lpstrTitle = kPickTitle;
    if (dlg.DoModal() != IDOK)
        return;
    m_strChosenText = dlg.m_strNamesText;
    m_edtFolder.SetWindowText(m_strChosenText);
    m_arrChosenFolders.Copy(dlg.m_arrFolders);
    m_arrChosenNames.Copy(dlg.m_arrNames);
    m_strChosenIn = dlg.m_strCurrentFolder;
}
