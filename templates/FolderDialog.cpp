#include "templates/FolderDialog.h"

#include <commctrl.h>
#include <dlgs.h>

#include "templates/TemplatePaths.h"

IMPLEMENT_DYNAMIC(CFolderDialog, CFileDialog)

namespace {

const char kOldProc[] = "Gorvanel.FolderDialog.Proc";
const char kDefaultTitle[] = "\xd1\xa1\xd4\xf1\xce\xc4\xbc\xfe\xbc\xd0:";
const char kNameLabel[] = "\xce\xc4\xbc\xfe\xbc\xd0:";

// The list view inside the dialog's shell view.
HWND ShellList(HWND hFrame)
{
    HWND hView = ::GetDlgItem(hFrame, lst2);
    return hView ? ::FindWindowExA(hView, NULL, WC_LISTVIEWA, NULL) : NULL;
}

}  // namespace

CFolderDialog::CFolderDialog(LPCTSTR lpszStartPath, LPCTSTR lpszOkText, DWORD dwFlags, CWnd* pParentWnd)
    : CFileDialog(TRUE, NULL, "*..*", dwFlags, NULL, pParentWnd),
      m_strStartFolder(lpszStartPath ? lpszStartPath : ""),
      m_strOkText(lpszOkText ? lpszOkText : "")
{
    int nCut = m_strStartFolder.ReverseFind('\\');
    if (nCut >= 0)
        m_strStartFolder = m_strStartFolder.Left(nCut);
    if (m_strStartFolder.GetLength() == 2 && m_strStartFolder[1] == ':')
        m_strStartFolder += '\\';
    m_ofn.lpstrInitialDir = m_strStartFolder;
    m_ofn.Flags |= OFN_NOCHANGEDIR;
}

CFolderDialog::~CFolderDialog() {}

INT_PTR CFolderDialog::DoModal()
{
    char szCurrent[MAX_PATH];
    DWORD nCurrent = ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
    m_ofn.lpstrInitialDir = m_strStartFolder;
    INT_PTR nResult = CFileDialog::DoModal();
    if ((m_ofn.Flags & OFN_NOCHANGEDIR) && nCurrent > 0 && nCurrent < MAX_PATH)
        ::SetCurrentDirectoryA(szCurrent);
    return nResult;
}

LRESULT CALLBACK CFolderDialog::FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnOld = (WNDPROC)::GetPropA(hWnd, kOldProc);
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) {
        ::EndDialog(hWnd, IDOK);
        return 0;
    }
    if (message == WM_NCDESTROY && pfnOld != NULL) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnOld);
        ::RemovePropA(hWnd, kOldProc);
    }
    return pfnOld ? ::CallWindowProcA(pfnOld, hWnd, message, wParam, lParam)
                  : ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void CFolderDialog::OnInitDone()
{
    HWND hFrame = DialogFrame();
    if (hFrame == NULL)
        return;
    HideControl(cmb1);
    HideControl(stc2);
    if (!m_strOkText.IsEmpty())
        SetControlText(IDOK, m_strOkText);
    ::SetWindowTextA(hFrame, m_ofn.lpstrTitle ? m_ofn.lpstrTitle : kDefaultTitle);
    SetControlText(stc3, kNameLabel);
    SetControlText(edt1, m_strNamesText);
    SetControlText(cmb13, m_strNamesText);
    if (::GetPropA(hFrame, kOldProc) == NULL) {
        ::SetPropA(hFrame, kOldProc, (HANDLE)::GetWindowLongPtrA(hFrame, GWLP_WNDPROC));
        ::SetWindowLongPtrA(hFrame, GWLP_WNDPROC, (LONG_PTR)FrameProc);
    }
}

void CFolderDialog::OnFolderChange()
{
    m_strCurrentFolder = GetFolderPath();
}

void CFolderDialog::OnFileNameChange()
{
    CollectSelection();
}

void CFolderDialog::CollectSelection()
{
    m_strCurrentFolder = GetFolderPath();
    m_arrNames.RemoveAll();
    m_arrFolders.RemoveAll();
    m_strNamesText.Empty();
    HWND hList = ShellList(DialogFrame());
    if (hList == NULL)
        return;
    for (int i = ListView_GetNextItem(hList, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(hList, i, LVNI_SELECTED)) {
        char szName[MAX_PATH];
        szName[0] = '\0';
        ListView_GetItemText(hList, i, 0, szName, MAX_PATH);
        if (szName[0] == '\0')
            continue;
        CString strPath = WithBackslash(m_strCurrentFolder) + szName;
        DWORD dwAttr = ::GetFileAttributesA(strPath);
        if (dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_DIRECTORY))
            m_arrFolders.Add(strPath);
        m_arrNames.Add(strPath);
        m_strNamesText += CString("\"") + szName + "\" ";
    }
    SetControlText(edt1, m_strNamesText);
    SetControlText(cmb13, m_strNamesText);
}
