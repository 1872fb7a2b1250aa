#include "controls/FileEditCtrl.h"

#include "framework/DataExchange.h"
#include "framework/FileFind.h"
#include "framework/WinApp.h"
#include "framework/WindowDC.h"

#include <objbase.h>
#include <shellapi.h>
#include <stdlib.h>

#include <memory>
#include <new>

IMPLEMENT_DYNAMIC(CFileEditCtrl, CProfileEdit)

namespace {
const UINT_PTR kButtonTool = 1;
const UINT_PTR kClientTool = 2;
const int kStatusLineGap = 155;
const int kTreeWidth = 290;
const int kTreeHeight = 170;
const int kStatusHeight = 32;

// The program's own texts where it has them (a language file), else the string table.
CString LoadText(UINT nID, LPCTSTR lpszDefault)
{
    CString text;
    CWinApp* app = AfxGetApp();
    if (!(app ? app->LoadLibraryString(nID, text) : text.LoadString(nID)) || text.IsEmpty())
        text = lpszDefault;
    return text;
}

BOOL HasDriveColon(const CString& path) { return path.GetLength() >= 2 && path[1] == ':'; }

BOOL IsLinkName(const CString& path)
{
    CString ext = path.Right(4);
    ext.MakeLower();
    return ext == ".lnk" || ext == ".pif";
}

CString FullPath(const CString& path)
{
    char szFull[_MAX_PATH];
    if (path.IsEmpty() || _fullpath(szFull, path, _MAX_PATH) == NULL)
        return path;
    return szFull;
}

// The drive and folder part of a path, with its trailing backslash.
CString FolderPart(const CString& path)
{
    LPCTSTR p = path;
    LPCTSTR lpszName = p;
    for (LPCTSTR q = p; *q; q = ::CharNext(q)) {
        if (*q == '\\' || *q == '/' || *q == ':')
            lpszName = q + 1;
    }
    return path.Left((int)(lpszName - p));
}

BOOL EndsWithBackslash(const CString& path)
{
    if (path.IsEmpty())
        return FALSE;
    LPCTSTR p = path;
    LPCTSTR last = p;
    for (LPCTSTR q = p; *q; q = ::CharNext(q))
        last = q;
    return *last == '\\';
}

BOOL IsFolder(const CString& path)
{
    DWORD attr = ::GetFileAttributes(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

// COM for the calling thread while it lives, undone only when it was done here.
class CComScope {
public:
    CComScope() : m_bEntered(SUCCEEDED(::CoInitialize(NULL))) {}
    ~CComScope()
    {
        if (m_bEntered)
            ::CoUninitialize();
    }

private:
    CComScope(const CComScope&);
    CComScope& operator=(const CComScope&);
    BOOL m_bEntered;
};

template <class T>
struct ComRelease {
    void operator()(T* p) const
    {
        if (p)
            p->Release();
    }
};

// The target of a shell link; FALSE leaves the path as it was.
BOOL ResolveLink(CString& path)
{
    CComScope com;
    IShellLinkA* pRawLink = NULL;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&pRawLink)))
        return FALSE;
    std::unique_ptr<IShellLinkA, ComRelease<IShellLinkA>> link(pRawLink);
    IPersistFile* pRawFile = NULL;
    if (FAILED(link->QueryInterface(IID_IPersistFile, (void**)&pRawFile)))
        return FALSE;
    std::unique_ptr<IPersistFile, ComRelease<IPersistFile>> file(pRawFile);
    WCHAR wszPath[_MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, path, -1, wszPath, _MAX_PATH) == 0)
        return FALSE;
    if (FAILED(file->Load(wszPath, STGM_READ)))
        return FALSE;
    char szTarget[_MAX_PATH] = "";
    if (FAILED(link->GetPath(szTarget, _MAX_PATH, NULL, 0)) || szTarget[0] == '\0')
        return FALSE;
    path = szTarget;
    return TRUE;
}

// The text after the leading separators and blanks, and the token up to the
// next separator, trailing blanks cut. Double-byte characters stay whole.
LPCTSTR NextToken(LPCTSTR p, char chSeparator, CString& token)
{
    while (*p == chSeparator || *p == ' ')
        ++p;
    LPCTSTR start = p;
    while (*p && *p != chSeparator)
        p = ::CharNext(p);
    token = CString(start, (int)(p - start));
    token.TrimRight(' ');
    return p;
}

COLORREF GreyOf(COLORREF cr)
{
    int g = (GetRValue(cr) * 30 + GetGValue(cr) * 59 + GetBValue(cr) * 11) / 100;
    return RGB(g, g, g);
}
}  // namespace

FileEditTexts FileEditTexts::FromResources()
{
    FileEditTexts texts;
    texts.strSeparator = LoadText(IDS_FEC_SEPARATOR, ";");
    texts.strFilter = LoadText(IDS_FEC_FILTER, "*.*|*.*||");
    texts.strTitle = LoadText(IDS_FEC_TITLE, "");
    texts.strOkCaption = LoadText(IDS_FEC_OK, "");
    texts.strButtonTip = LoadText(IDS_FEC_BUTTONTIP, "");
    texts.bStatusLine = TRUE;
    return texts;
}

BEGIN_MESSAGE_MAP(CFileEditCtrl, CProfileEdit)
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_SIZE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_DROPFILES()
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
    ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
    ON_MESSAGE(WM_NCLBUTTONDBLCLK, OnNcLButtonDown)
    ON_MESSAGE(WM_NCMOUSEMOVE, OnNcMouseMove)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(EM_SETREADONLY, OnSetReadOnly)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipTextEx)
END_MESSAGE_MAP()

CFileEditCtrl::CFileEditCtrl(BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete), m_nButtonSide(-1), m_bButtonCaptured(FALSE), m_bTextChanged(TRUE), m_dwFlags(0),
      m_paths(10), m_nButtonState(kUp), m_nButtonWidth(-1), m_pBrowseInfo(NULL), m_pFileDialog(NULL),
      m_rcButton(0, 0, 0, 0), m_bTextsSet(FALSE), m_crFace(CLR_DEFAULT), m_bRaised(TRUE), m_pToolTip(NULL),
      m_pImage(NULL), m_hStatus(NULL), m_bInitialDirOwned(FALSE)
{
}

CFileEditCtrl::~CFileEditCtrl()
{
    delete m_pBrowseInfo;
    delete m_pFileDialog;
    delete m_pImage;
}

void CFileEditCtrl::PostNcDestroy()
{
    if (m_ownToolTip.m_hWnd)
        m_ownToolTip.DestroyWindow();
    CProfileEdit::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}

const FileEditTexts& CFileEditCtrl::Texts()
{
    if (!m_bTextsSet) {
        m_texts = FileEditTexts::FromResources();
        m_bTextsSet = TRUE;
    }
    return m_texts;
}

void CFileEditCtrl::SetTexts(const FileEditTexts& texts)
{
    m_texts = texts;
    m_bTextsSet = TRUE;
    m_bTextChanged = TRUE;
    if (m_pFileDialog) {
        // the filter is held by the dialog: make it again with the new one
        DWORD dwFlags = m_dwFlags;
        delete m_pFileDialog;
        m_pFileDialog = NULL;
        SetFlags(dwFlags);
    }
}

char CFileEditCtrl::Separator()
{
    const CString& sep = Texts().strSeparator;
    return sep.IsEmpty() ? ';' : sep[0];
}

BOOL CFileEditCtrl::Create(DWORD dwFlags, DWORD dwExStyle, LPCTSTR lpszText, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    if (!CreateEx(dwExStyle, "EDIT", lpszText, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    if (!SetFlags(dwFlags)) {
        DestroyWindow();
        return FALSE;
    }
    if (pParentWnd)
        SetFont(pParentWnd->GetFont());
    return TRUE;
}

BOOL CFileEditCtrl::SetFlags(DWORD dwFlags)
{
    m_bTextChanged = TRUE;
    if (dwFlags & FEF_FOLDER) {
        if (dwFlags & (FEF_OPEN | FEF_SAVE))
            return FALSE;
        if (!m_pBrowseInfo) {
            m_pBrowseInfo = new (std::nothrow) BROWSEINFO;
            if (!m_pBrowseInfo)
                return FALSE;
            ZeroMemory(m_pBrowseInfo, sizeof(BROWSEINFO));
            m_pBrowseInfo->ulFlags = BIF_RETURNONLYFSDIRS;
            m_pBrowseInfo->lpfn = BrowseCallback;
            m_pBrowseInfo->lParam = (LPARAM)this;
        }
        m_pBrowseInfo->hwndOwner = m_hWnd;
        delete m_pFileDialog;
        m_pFileDialog = NULL;
    } else {
        const BOOL bOpen = (dwFlags & FEF_OPEN) != 0;
        if (bOpen == ((dwFlags & FEF_SAVE) != 0))
            return FALSE;
        if (!m_pFileDialog) {
            m_pFileDialog = new (std::nothrow)
                CFECFileDialog(bOpen, NULL, NULL, OFN_HIDEREADONLY | OFN_NOCHANGEDIR, Texts().strFilter, this);
            if (!m_pFileDialog)
                return FALSE;
        }
        delete m_pBrowseInfo;
        m_pBrowseInfo = NULL;
        OPENFILENAME& ofn = m_pFileDialog->m_ofn;
        m_pFileDialog->m_bOpenFileDialog = bOpen;
        ofn.Flags &= ~(OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_NODEREFERENCELINKS);
        ofn.Flags |= bOpen ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT;
        if (dwFlags & FEF_MULTIPLE)
            ofn.Flags |= OFN_ALLOWMULTISELECT;
        if (dwFlags & FEF_NODEREFERENCE)
            ofn.Flags |= OFN_NODEREFERENCELINKS;
        ofn.hwndOwner = m_hWnd;
        m_strTitle = Texts().strTitle;
        ofn.lpstrTitle = m_strTitle.IsEmpty() ? NULL : (LPCTSTR)m_strTitle;
        m_pFileDialog->SetOkCaption(Texts().strOkCaption);
    }

    const int nSide = (dwFlags & FEF_BUTTONLEFT) ? 1 : 0;
    const BOOL bFlatChanged = ((dwFlags ^ m_dwFlags) & FEF_FLAT) != 0;
    m_dwFlags = dwFlags;
    if (nSide != m_nButtonSide) {
        m_nButtonSide = nSide;
        RecalcFrame();
        if ((dwFlags & FEF_FLAT) && m_hWnd)
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    }
    if (bFlatChanged)
        RefreshFlat();
    return TRUE;
}

DWORD CFileEditCtrl::GetFlags() const
{
    DWORD dwFlags = m_dwFlags;
    if (m_pFileDialog) {
        const DWORD ofnFlags = m_pFileDialog->m_ofn.Flags;
        dwFlags &= ~(FEF_MULTIPLE | FEF_NODEREFERENCE);
        if (ofnFlags & OFN_ALLOWMULTISELECT)
            dwFlags |= FEF_MULTIPLE;
        if (ofnFlags & OFN_NODEREFERENCELINKS)
            dwFlags |= FEF_NODEREFERENCE;
    }
    return dwFlags;
}

BOOL CFileEditCtrl::ResolvesLinks() const
{
    const DWORD dwFlags = GetFlags();
    return (dwFlags & FEF_OPEN) && !(dwFlags & FEF_NODEREFERENCE);
}

int CFileEditCtrl::SetButtonWidth(int nWidth)
{
    const int nOld = GetButtonWidth();
    m_nButtonWidth = nWidth < 0 ? -1 : nWidth;
    RecalcFrame();
    return nOld;
}

int CFileEditCtrl::GetButtonWidth() const
{
    if (m_nButtonWidth >= 0 || !m_hWnd)
        return m_nButtonWidth;
    return m_rcButton.Width();
}

void CFileEditCtrl::RecalcFrame()
{
    if (m_hWnd)
        SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Parsing

void CFileEditCtrl::ParseText()
{
    m_bTextChanged = FALSE;
    m_strFolder.Empty();
    m_paths.RemoveAll();
    if (!m_hWnd)
        return;
    CString text;
    GetWindowText(text);
    const char chSep = Separator();
    CString token;
    LPCTSTR p = NextToken(text, chSep, token);
    if (token.IsEmpty())
        return;
    const DWORD dwFlags = GetFlags();
    if (dwFlags & FEF_FOLDER) {
        CString path = FullPath(token);
        if (dwFlags & FEF_TRAILINGSLASH) {
            if (!EndsWithBackslash(path))
                path += '\\';
        } else if (EndsWithBackslash(path) && path.GetLength() > 3) {
            path = path.Left(path.GetLength() - 1);
        }
        m_paths.AddTail(path);
        return;
    }
    m_strFolder = FolderPart(token);
    AddWithWildcards(token.Mid(m_strFolder.GetLength()));
    while ((dwFlags & FEF_MULTIPLE) && *p) {
        p = NextToken(p, chSep, token);
        if (!token.IsEmpty())
            AddWithWildcards(token);
    }
}

void CFileEditCtrl::AddWithWildcards(const CString& name)
{
    const DWORD dwFlags = GetFlags();
    if (!(dwFlags & FEF_WILDCARDS) || name.FindOneOf("*?") < 0) {
        AddPath(name);
        return;
    }
    CString pattern = name;
    if (!HasDriveColon(pattern) && pattern[0] != '\\')
        pattern = m_strFolder + pattern;
    pattern = FullPath(pattern);
    CFileFind find;
    BOOL bMore = find.FindFile(pattern);
    while (bMore) {
        bMore = find.FindNextFile();
        if (find.IsDirectory())
            continue;
        AddPath(find.GetFilePath());
        if (!(dwFlags & FEF_MULTIPLE))
            break;
    }
}

void CFileEditCtrl::AddPath(CString path)
{
    if (ResolvesLinks() && IsLinkName(path)) {
        // a relative link name is found beside the first path
        CString full = path;
        if (!HasDriveColon(full) && (full.IsEmpty() || full[0] != '\\'))
            full = m_strFolder + full;
        if (ResolveLink(full))
            path = full;
    }
    if (!m_strFolder.IsEmpty() && path.GetLength() >= m_strFolder.GetLength() &&
        path.Left(m_strFolder.GetLength()).CompareNoCase(m_strFolder) == 0)
        path = path.Mid(m_strFolder.GetLength());
    m_paths.AddTail(path);
}

POSITION CFileEditCtrl::GetStartPosition()
{
    if (m_bTextChanged)
        ParseText();
    return m_paths.GetHeadPosition();
}

CString CFileEditCtrl::GetNextPathName(POSITION& pos)
{
    if (pos == NULL)
        return CString();
    CString entry = m_paths.GetNext(pos);
    CString path;
    if (entry.IsEmpty())
        path = m_strFolder;
    else if (!HasDriveColon(entry) && entry[0] != '\\')
        path = m_strFolder + entry;  // every relative entry, one-letter names too
    else
        path = entry;
    path = FullPath(path);
    if (ResolvesLinks() && IsLinkName(path))
        ResolveLink(path);
    return path;
}

// Browsing

LRESULT CFileEditCtrl::Notify(UINT nCode, CString* pText)
{
    CWnd* pParent = GetParent();
    if (!pParent)
        return 0;
    FileEditNotify notify;
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    notify.hdr.code = nCode;
    notify.pFEC = this;
    notify.pNewText = pText;
    return pParent->SendMessage(WM_NOTIFY, (WPARAM)notify.hdr.idFrom, (LPARAM)&notify);
}

BOOL CFileEditCtrl::ButtonClicked()
{
    if (LRESULT veto = Notify(FEN_PREBROWSE, NULL))
        return (BOOL)veto;
    const DWORD dwFlags = GetFlags();
    if (dwFlags & FEF_FOLDER)
        return BrowseForFolder();
    if (dwFlags & (FEF_OPEN | FEF_SAVE))
        return BrowseForFile();
    return FALSE;
}

BOOL CFileEditCtrl::BrowseForFile()
{
    if (!m_pFileDialog)
        return FALSE;
    OPENFILENAME& ofn = m_pFileDialog->m_ofn;
    ofn.hwndOwner = m_hWnd;
    const BOOL bOwnFolder = ofn.lpstrInitialDir == NULL || ofn.lpstrInitialDir == (LPCTSTR)m_strInitialDir;
    if (bOwnFolder) {
        m_strInitialDir.Empty();
        ofn.lpstrFile[0] = '\0';
        POSITION pos = GetStartPosition();
        if (pos) {
            CString path = GetNextPathName(pos);
            DWORD attr = ::GetFileAttributes(path);
            BOOL bExists = attr != INVALID_FILE_ATTRIBUTES;
            BOOL bName = !(bExists && (attr & FILE_ATTRIBUTE_DIRECTORY)) &&
                         (bExists || !(ofn.Flags & OFN_FILEMUSTEXIST));
            CString name = path.Mid(FolderPart(path).GetLength());
            if (bName && name.GetLength() < (int)ofn.nMaxFile)
                lstrcpyn(ofn.lpstrFile, name, ofn.nMaxFile);
            CString folder = path;
            while (!folder.IsEmpty() && !IsFolder(folder)) {
                int cut = folder.ReverseFind('\\');
                folder = cut > 0 ? folder.Left(cut) : CString();
            }
            if (!folder.IsEmpty() && !EndsWithBackslash(folder))
                folder += '\\';
            m_strInitialDir = folder;
        }
        ofn.lpstrInitialDir = m_strInitialDir.IsEmpty() ? NULL : (LPCTSTR)m_strInitialDir;
    }
    INT_PTR result = m_pFileDialog->DoModal();
    BOOL bSet = FALSE;
    if (result != IDOK) {
        Notify(FEN_POSTBROWSE, NULL);
    } else {
        CString text;
        const CString between = CString(Separator()) + " ";
        POSITION pos = m_pFileDialog->GetStartPosition();
        for (BOOL bFirst = TRUE; pos; bFirst = FALSE) {
            CString path = m_pFileDialog->GetNextPathName(pos);
            text += bFirst ? path : between + path.Mid(FolderPart(path).GetLength());
        }
        if (!Notify(FEN_POSTBROWSE, &text)) {
            SetWindowText(text);
            bSet = TRUE;
        }
    }
    if (bOwnFolder) {
        ofn.lpstrInitialDir = NULL;
        m_strInitialDir.Empty();
    }
    SetFocus();
    return bSet;
}

BOOL CFileEditCtrl::BrowseForFolder()
{
    if (!m_pBrowseInfo)
        return FALSE;
    m_pBrowseInfo->hwndOwner = m_hWnd;
    BOOL bSet = FALSE;
    LPITEMIDLIST pidl = ::SHBrowseForFolder(m_pBrowseInfo);
    m_hStatus = NULL;
    if (pidl) {
        char szPath[_MAX_PATH] = "";
        BOOL bPath = ::SHGetPathFromIDList(pidl, szPath);
        ::CoTaskMemFree(pidl);
        CString path = bPath ? szPath : "";
        if ((GetFlags() & FEF_TRAILINGSLASH) && !path.IsEmpty() && !EndsWithBackslash(path))
            path += '\\';
        if (!Notify(FEN_POSTBROWSE, &path)) {
            SetWindowText(path);
            bSet = TRUE;
        }
    } else {
        Notify(FEN_POSTBROWSE, NULL);
    }
    SetFocus();
    return bSet;
}

int CALLBACK CFileEditCtrl::BrowseCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    CFileEditCtrl* pThis = reinterpret_cast<CFileEditCtrl*>(lpData);
    if (!pThis)
        return 0;
    if (uMsg == BFFM_INITIALIZED) {
        pThis->m_strStatusPath.Empty();
        POSITION pos = pThis->GetStartPosition();
        if (pos) {
            CString path = pThis->GetNextPathName(pos);
            if (EndsWithBackslash(path) && path.GetLength() != 3)
                path = path.Left(path.GetLength() - 1);
            if (path.Left(2) != "\\\\")
                pThis->m_strStatusPath = path;
        }
        if (!pThis->m_strStatusPath.IsEmpty())
            ::SendMessage(hWnd, BFFM_SETSELECTION, TRUE, (LPARAM)(LPCTSTR)pThis->m_strStatusPath);
        if (pThis->Texts().bStatusLine)
            pThis->AddStatusLine(hWnd);
        if (!pThis->m_strStatusPath.IsEmpty())
            ::SendMessage(hWnd, BFFM_SETSELECTION, TRUE, (LPARAM)(LPCTSTR)pThis->m_strStatusPath);
    } else if (uMsg == BFFM_SELCHANGED && pThis->m_hStatus && ::IsWindow(pThis->m_hStatus)) {
        char szPath[_MAX_PATH];
        if (lParam && ::SHGetPathFromIDList((LPCITEMIDLIST)lParam, szPath))
            ::SetWindowText(pThis->m_hStatus, szPath);
    }
    return 0;
}

void CFileEditCtrl::AddStatusLine(HWND hBrowser)
{
    HWND hTree = ::FindWindowEx(hBrowser, NULL, "SysTreeView32", NULL);
    if (!hTree) {
        // the new-style browser keeps its tree one level down
        for (HWND hChild = ::GetWindow(hBrowser, GW_CHILD); hChild && !hTree; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            hTree = ::FindWindowEx(hChild, NULL, "SysTreeView32", NULL);
    }
    if (!hTree)
        return;
    RECT rcBrowser, rcTree;
    ::GetWindowRect(hBrowser, &rcBrowser);
    ::GetWindowRect(hTree, &rcTree);
    POINT top = {rcTree.left, rcTree.top};
    ::ScreenToClient(::GetParent(hTree), &top);
    m_hStatus = ::CreateWindowEx(0, "STATIC", "", WS_CHILD | SS_LEFT | SS_PATHELLIPSIS, top.x,
                                 top.y - 20 + kStatusLineGap + 20, kTreeWidth, kStatusHeight, ::GetParent(hTree), NULL,
                                 NULL, NULL);
    if (!m_hStatus)
        return;
    if (!m_hStatusFont.IsValid())
        m_hStatusFont.Reset(::CreateFont(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma"));
    ::SendMessage(m_hStatus, WM_SETFONT, (WPARAM)m_hStatusFont.Get(), FALSE);
    ::SetWindowText(m_hStatus, m_strStatusPath);
    ::SetWindowPos(hTree, NULL, top.x, top.y - 20, kTreeWidth, kTreeHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(m_hStatus, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::ShowWindow(m_hStatus, SW_SHOW);
}

// Drop

void CFileEditCtrl::OnDropFiles(HDROP hDropInfo)
{
    if (GetCapture() == this)
        ::ReleaseCapture();
    const DWORD dwFlags = GetFlags();
    UINT nCount = ::DragQueryFile(hDropInfo, 0xFFFFFFFF, NULL, 0);
    if ((dwFlags & FEF_FOLDER) || ((dwFlags & FEF_OPEN) && !(dwFlags & FEF_MULTIPLE)))
        nCount = nCount ? 1 : 0;
    const CString between = CString(Separator()) + " ";
    CString text, folder;
    for (UINT i = 0; i < nCount; ++i) {
        char szPath[_MAX_PATH] = "";
        if (!::DragQueryFile(hDropInfo, i, szPath, _MAX_PATH))
            continue;
        CString path = szPath;
        if (ResolvesLinks() && IsLinkName(path))
            ResolveLink(path);
        if (text.IsEmpty()) {
            text = path;
            folder = FolderPart(path);
        } else {
            if (!folder.IsEmpty() && path.Left(folder.GetLength()).CompareNoCase(folder) == 0)
                path = path.Mid(folder.GetLength());
            text += between + path;
        }
    }
    ::DragFinish(hDropInfo);
    if (!Notify(FEN_DROP, &text))
        SetWindowText(text);
}

// Frame and button

LRESULT CFileEditCtrl::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    RECT* pRect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    const POINT origin = {pRect->left, pRect->top};
    LRESULT result = DefWindowProc(WM_NCCALCSIZE, wParam, lParam);
    int nWidth = m_nButtonWidth >= 0 ? m_nButtonWidth : (pRect->bottom - pRect->top) * 8 / 10;
    if (nWidth > pRect->right - pRect->left)
        nWidth = pRect->right - pRect->left;
    if (nWidth < 0)
        nWidth = 0;
    CRect button(*pRect);
    if (m_dwFlags & FEF_BUTTONLEFT) {
        button.right = button.left + nWidth;
        pRect->left += nWidth;
    } else {
        button.left = button.right - nWidth;
        pRect->right -= nWidth;
    }
    CRect client(*pRect);
    button.OffsetRect(-client.left, -client.top);
    client.OffsetRect(-client.left, -client.top);
    SetToolRects(button, client);
    button.OffsetRect(pRect->left - origin.x, pRect->top - origin.y);
    m_rcButton = button;
    return result;
}

LRESULT CFileEditCtrl::OnNcHitTest(CPoint point)
{
    LRESULT result = CProfileEdit::OnNcHitTest(point);
    if (result == HTNOWHERE && IsOnButton(point))
        result = HTBORDER;
    return result;
}

BOOL CFileEditCtrl::IsOnButton(CPoint point) const
{
    CRect window;
    GetWindowRect(window);
    point.Offset(-window.left, -window.top);
    return m_rcButton.PtInRect(point);
}

void CFileEditCtrl::OnSize(UINT nType, int cx, int cy)
{
    CProfileEdit::OnSize(nType, cx, cy);
    RecalcFrame();
}

void CFileEditCtrl::OnNcPaint()
{
    if (m_nButtonState & kIdle) {
        // the outer border pixels show the parent, which repaints them
        CRect window, client;
        GetWindowRect(window);
        GetClientRect(client);
        ClientToScreen(client);
        client.OffsetRect(-window.left, -window.top);
        client.UnionRect(client, m_rcButton);
        client.InflateRect(1, 1);
        CWindowDC dc(this);
        CBrush brush(::GetSysColor(COLOR_WINDOW));
        dc.FrameRect(client, &brush);
    } else {
        Default();
    }
    DrawButton(m_nButtonState);
}

void CFileEditCtrl::DrawDots(CDC& dc, const CRect& rect, COLORREF cr, int nOffset) const
{
    const int w = rect.Width(), h = rect.Height();
    const int d = w / 10, step = w / 4;
    const int x0 = w / 2 - step - (w % 4 == 0 ? 1 : 0) + nOffset;
    const int y = h / 2 - d / 2 + nOffset;
    CPen pen(PS_SOLID, 1, cr);
    CBrush brush(cr);
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    for (int i = 0; i < 3; ++i) {
        const int x = x0 + i * step;
        if (d >= 2)
            dc.Ellipse(x, y, x + d, y + d);
        else
            ::SetPixel(dc, x, y, cr);
    }
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectStockObject(WHITE_BRUSH);
}

void CFileEditCtrl::DrawButton(int nState)
{
    if (!m_hWnd || m_rcButton.Width() < 3 || m_rcButton.Height() < 3)
        return;
    int nDraw = IsWindowEnabled() ? (nState & ~kIdle) : kDisabled;
    nDraw |= m_nButtonState & kIdle;
    const BOOL bIdle = (nDraw & kIdle) != 0;
    const CRect rect(0, 0, m_rcButton.Width(), m_rcButton.Height());

    CWindowDC windowDC(this);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&windowDC) || !bitmap.CreateCompatibleBitmap(&windowDC, rect.Width(), rect.Height()))
        return;
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(rect, m_crFace == CLR_DEFAULT ? ::GetSysColor(COLOR_3DFACE) : m_crFace);

    const COLORREF crText = ::GetSysColor(COLOR_BTNTEXT);
    if (nDraw & kDown) {
        CBrush shadow(::GetSysColor(COLOR_3DSHADOW));
        dc.FrameRect(rect, &shadow);
        CRect image = rect;
        image.OffsetRect(1, 1);
        if (m_pImage)
            m_pImage->Draw(dc, image, FEI_CENTER);
        else
            DrawDots(dc, rect, crText, 1);
    } else {
        CRect edge = rect;
        if (!m_bRaised) {
            CBrush window(::GetSysColor(COLOR_WINDOW));
            dc.FrameRect(edge, &window);
        } else if (bIdle) {
            const int x = (m_dwFlags & FEF_BUTTONLEFT) ? rect.right - 1 : 0;
            dc.FillSolidRect(x, 0, 1, rect.Height(), ::GetSysColor(COLOR_WINDOW));
        } else {
            dc.DrawEdge(edge, EDGE_RAISED, BF_RECT);
        }
        const BOOL bGrey = bIdle && (m_dwFlags & FEF_GRAYSCALE);
        if (m_pImage) {
            m_pImage->Draw(dc, rect, FEI_CENTER | ((nDraw & kDisabled) ? FEI_DISABLED : 0) | (bGrey ? FEI_GRAY : 0));
        } else if (nDraw & kDisabled) {
            DrawDots(dc, rect, ::GetSysColor(COLOR_3DHIGHLIGHT), 1);
            DrawDots(dc, rect, ::GetSysColor(COLOR_3DSHADOW), 0);
        } else {
            DrawDots(dc, rect, bGrey ? GreyOf(crText) : crText, 0);
        }
    }
    ::BitBlt(windowDC, m_rcButton.left, m_rcButton.top, rect.Width(), rect.Height(), dc, 0, 0, SRCCOPY);
    m_nButtonState = nDraw;
}

void CFileEditCtrl::SetButtonFace(COLORREF crFace, BOOL bRaised)
{
    m_crFace = crFace;
    m_bRaised = bRaised;
    DrawButton(m_nButtonState);
}

void CFileEditCtrl::SetButtonImage(CFileEditImage* pImage)
{
    if (pImage != m_pImage)
        delete m_pImage;
    m_pImage = pImage;
    DrawButton(m_nButtonState);
}

// Flat look

void CFileEditCtrl::SetIdle(BOOL bIdle)
{
    const BOOL bWasIdle = (m_nButtonState & kIdle) != 0;
    if (bIdle)
        m_nButtonState |= kIdle;
    else
        m_nButtonState &= ~kIdle;
    if (!m_hWnd || bIdle == bWasIdle)
        return;
    if (bIdle) {
        // the parent paints what the 3-D border covered
        CWnd* pParent = GetParent();
        if (pParent) {
            CRect window;
            GetWindowRect(window);
            pParent->ScreenToClient(window);
            pParent->RedrawWindow(window, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

void CFileEditCtrl::RefreshFlat()
{
    SetIdle((m_dwFlags & FEF_FLAT) && m_hWnd && ::GetFocus() != m_hWnd && GetCapture() != this);
}

void CFileEditCtrl::ReleaseButton()
{
    m_bButtonCaptured = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    DrawButton(kUp);
}

// Mouse and keys

LRESULT CFileEditCtrl::OnNcLButtonDown(WPARAM wParam, LPARAM lParam)
{
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    if (!IsOnButton(point) || !IsWindowEnabled())
        return DefWindowProc(GetCurrentMessage()->message, wParam, lParam);
    SetFocus();
    SetCapture();
    m_bButtonCaptured = TRUE;
    DrawButton(kDown);
    return 0;
}

void CFileEditCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    if ((m_dwFlags & FEF_FLAT) && GetCapture() == this && IsOnButton(screen) && IsWindowEnabled()) {
        SetFocus();
        SetCapture();
        m_bButtonCaptured = TRUE;
        DrawButton(kDown);
        return;
    }
    CProfileEdit::OnLButtonDown(nFlags, point);
}

void CFileEditCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }

void CFileEditCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bButtonCaptured) {
        CProfileEdit::OnLButtonUp(nFlags, point);
        return;
    }
    ReleaseButton();
    CPoint screen = point;
    ClientToScreen(&screen);
    if (IsOnButton(screen))
        ButtonClicked();
    RefreshFlat();
}

void CFileEditCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    if (m_bButtonCaptured) {
        const int nWant = IsOnButton(screen) ? kDown : kUp;
        if ((m_nButtonState & (kDown | kUp)) != nWant)
            DrawButton(nWant);
        return;
    }
    if ((m_dwFlags & FEF_FLAT) && ::GetFocus() != m_hWnd) {
        CRect window;
        GetWindowRect(window);
        if (GetCapture() == this && !window.PtInRect(screen)) {
            ::ReleaseCapture();
            SetIdle(TRUE);
            return;
        }
        if (GetCapture() != this) {
            SetCapture();
            SetIdle(FALSE);
        }
        CRect client;
        GetClientRect(client);
        ::SetCursor(::LoadCursor(NULL, client.PtInRect(point) ? IDC_IBEAM : IDC_ARROW));
        return;
    }
    CProfileEdit::OnMouseMove(nFlags, point);
}

LRESULT CFileEditCtrl::OnNcMouseMove(WPARAM wParam, LPARAM lParam)
{
    if ((m_dwFlags & FEF_FLAT) && ::GetFocus() != m_hWnd && GetCapture() != this) {
        SetCapture();
        SetIdle(FALSE);
    }
    return DefWindowProc(WM_NCMOUSEMOVE, wParam, lParam);
}

void CFileEditCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == VK_OEM_PERIOD || nChar == VK_DECIMAL) && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        ButtonClicked();
        return;
    }
    CProfileEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CFileEditCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CProfileEdit::OnSetFocus(pOldWnd);
    if (m_dwFlags & FEF_FLAT)
        SetIdle(FALSE);
    SetSel(0, -1);
}

void CFileEditCtrl::OnKillFocus(CWnd* pNewWnd)
{
    if (m_bButtonCaptured)
        ReleaseButton();
    CProfileEdit::OnKillFocus(pNewWnd);
    if (GetCapture() == this)
        ::ReleaseCapture();
    RefreshFlat();
}

void CFileEditCtrl::OnEnable(BOOL bEnable)
{
    CProfileEdit::OnEnable(bEnable);
    RefreshFlat();
    DrawButton(bEnable ? kUp : kDisabled);
}

LRESULT CFileEditCtrl::OnSetReadOnly(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProc(EM_SETREADONLY, wParam, lParam);
    RefreshFlat();
    return result;
}

LRESULT CFileEditCtrl::OnSetText(WPARAM wParam, LPARAM lParam)
{
    m_bTextChanged = TRUE;
    return DefWindowProc(WM_SETTEXT, wParam, lParam);
}

BOOL CFileEditCtrl::OnChange()
{
    m_bTextChanged = TRUE;
    return FALSE;  // the parent gets it too
}

// Tooltips

void CFileEditCtrl::SetToolTipCtrl(CToolTipCtrl* pToolTip)
{
    if (m_ownToolTip.m_hWnd)
        m_ownToolTip.DestroyWindow();
    m_pToolTip = pToolTip;
}

void CFileEditCtrl::SetToolTipText(LPCTSTR lpszText) { m_strClientTip = lpszText ? lpszText : ""; }

void CFileEditCtrl::EnsureToolTip()
{
    CToolTipCtrl& tip = ToolTip();
    if (!(m_dwFlags & (FEF_BUTTONTIP | FEF_CLIENTTIP)))
        return;
    if (!tip.m_hWnd) {
        // a shared tip belongs to the dialog, not to the field that made it
        CWnd* pOwner = m_pToolTip && GetParent() ? GetParent() : this;
        if (!tip.Create(pOwner))
            return;
        tip.Activate(TRUE);
        tip.SetFont(GetFont());
    }
    if (HasTool(kClientTool))
        return;
    CRect window, button(m_rcButton), client;
    GetWindowRect(window);
    button.OffsetRect(window.left, window.top);
    ScreenToClient(button);
    GetClientRect(client);
    tip.AddTool(this, LPSTR_TEXTCALLBACK, button, kButtonTool);
    tip.AddTool(this, LPSTR_TEXTCALLBACK, client, kClientTool);
}

BOOL CFileEditCtrl::HasTool(UINT_PTR nTool)
{
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = m_hWnd;
    ti.uId = nTool;
    return ToolTip().m_hWnd && ::SendMessage(ToolTip().m_hWnd, TTM_GETTOOLINFO, 0, (LPARAM)&ti);
}

// Both rectangles in client coordinates.
void CFileEditCtrl::SetToolRects(const CRect& button, const CRect& client)
{
    const UINT_PTR tools[] = {kButtonTool, kClientTool};
    const CRect* rects[] = {&button, &client};
    for (int i = 0; i < 2; ++i) {
        if (!HasTool(tools[i]))
            continue;
        TOOLINFO ti = {};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.hwnd = m_hWnd;
        ti.uId = tools[i];
        ti.rect = *rects[i];
        ::SendMessage(ToolTip().m_hWnd, TTM_NEWTOOLRECT, 0, (LPARAM)&ti);
    }
}

BOOL CFileEditCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_dwFlags & (FEF_BUTTONTIP | FEF_CLIENTTIP)) {
        EnsureToolTip();
        if (ToolTip().m_hWnd)
            ToolTip().RelayEvent(pMsg);
    }
    return CProfileEdit::PreTranslateMessage(pMsg);
}

BOOL CFileEditCtrl::OnToolTipTextEx(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    if (pNMHDR->hwndFrom != ToolTip().m_hWnd)
        return FALSE;
    if (pNMHDR->idFrom == kButtonTool && (m_dwFlags & FEF_BUTTONTIP))
        m_strTipShown = Texts().strButtonTip;
    else if (pNMHDR->idFrom == kClientTool && (m_dwFlags & FEF_CLIENTTIP))
        m_strTipShown = m_strClientTip;
    else
        m_strTipShown.Empty();
    pInfo->lpszText = const_cast<LPSTR>((LPCTSTR)m_strTipShown);
    *pResult = 0;
    return TRUE;
}

// Data exchange

void DDX_FileEditCtrl(CDataExchange* pDX, int nIDC, CFileEditCtrl& rControl, DWORD dwFlags)
{
    if (pDX->m_bFailed)
        return;
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (rControl.m_hWnd == NULL) {
        // first use: the dialog's edit becomes the control
        if (hWndCtrl == NULL || !rControl.SubclassWindow(hWndCtrl)) {
            pDX->Fail();
            return;
        }
        if (!rControl.SetFlags(dwFlags)) {
            rControl.UnsubclassWindow();
            pDX->Fail();
            return;
        }
        rControl.SetWindowPos(NULL, 0, 0, 0, 0,
                              SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (pDX->m_bSaveAndValidate) {
        rControl.ParseText();
    }
}
