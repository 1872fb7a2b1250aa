#include "browser/app/MainFrame.h"

#include "browser/ImageSave.h"
#include "browser/NodeFiles.h"
#include "browser/app/BrowserMessages.h"
#include "browser/app/InflateProgressDlg.h"
#include "browser/app/LeftView.h"
#include "browser/app/NewFsFromDirDlg.h"
#include "browser/app/PelsysView.h"
#include "browser/app/ShellImageLists.h"
#include "browser/app/ZipFileDlg.h"
#include "framework/CmdUI.h"
#include "framework/FileDialog.h"
#include "framework/Sys.h"
#include "framework/WinApp.h"
#include "resources/pelsys/resource.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace {
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
const char kBuildCaption[] = "Pelsys";
// A name from an image stays this short in a message, which could not wrap it.
const int kMessageNameBytes = 64;

int DefaultMessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    if (!caption)
        return AfxMessageBox(text, type);
    CWnd* main = AfxGetMainWnd();
    return AfxShowMessageBox(main ? main->GetSafeHwnd() : NULL, text, caption, type);
}

HINSTANCE DefaultShellOpen(HWND hWnd, LPCTSTR file, LPCTSTR parameters)
{
    return ::ShellExecuteA(hWnd, "open", file, parameters, NULL, SW_SHOWNORMAL);
}

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

UINT ReasonText(int error)
{
    switch (error) {
    case CImageFs::OPEN_TRUNCATED:
        return IDS_REASON_TRUNCATED;
    case CImageFs::OPEN_CANNOT_READ:
        return IDS_REASON_CANNOT_READ;
    case CImageFs::OPEN_CANNOT_WRITE:
        return IDS_REASON_CANNOT_WRITE;
    case CImageFs::OPEN_NO_SPACE:
        return IDS_REASON_NO_SPACE;
    case CImageFs::OPEN_NAME_NOT_ALLOWED:
        return IDS_REASON_NAME;
    case CImageFs::OPEN_DAMAGED:
        return IDS_REASON_DAMAGED;
    default:
        return IDS_REASON_NOT_IMAGE;
    }
}

// "Cannot <do> <file>: <reason>" from the program's strings.
CString FailureText(UINT format, LPCTSTR file, UINT reason)
{
    CString text;
    text.Format(LoadText(format), file, (LPCTSTR)LoadText(reason));
    return text;
}
}  // namespace

CMainFrame::MessageBoxProc CMainFrame::s_pfnMessageBox = DefaultMessageBox;
CMainFrame::ShellOpenProc CMainFrame::s_pfnShellOpen = DefaultShellOpen;

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_COMMAND(ID_FILE_OPEN, &CMainFrame::OnFileOpen)
    ON_COMMAND(ID_FILE_NEW, &CMainFrame::OnFileNew)
    ON_COMMAND(ID_SAVE_NEWFS, &CMainFrame::OnSaveNewFs)
    ON_COMMAND(ID_NEWFS_FROM_DIR, &CMainFrame::OnNewFsFromDirectory)
    ON_COMMAND_RANGE(ID_VIEW_LARGEICON, ID_VIEW_DETAILS, &CMainFrame::OnViewStyle)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_LARGEICON, ID_VIEW_DETAILS, &CMainFrame::OnUpdateViewStyle)
    ON_COMMAND(ID_VIEW_ARRANGE, &CMainFrame::OnViewArrange)
    ON_MESSAGE(WM_SHOW_FOLDER, &CMainFrame::OnShowFolder)
    ON_MESSAGE(WM_SELECT_TREE_ITEM, &CMainFrame::OnSelectTreeItem)
    ON_MESSAGE(WM_OPEN_FILE_NODE, &CMainFrame::OnOpenFileNode)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_bReadOnly(FALSE), m_pLeftView(NULL), m_pOpenedNode(NULL), m_pDropTarget(NULL) {}

CMainFrame::~CMainFrame() {}

int CMainFrame::ShowMessage(LPCTSTR text, UINT type, LPCTSTR caption)
{
    return s_pfnMessageBox(text, caption, type);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    // the menu bar takes the place of the window's menu
    if (HMENU menu = ::GetMenu(m_hWnd)) {
        ::SetMenu(m_hWnd, NULL);
        ::DestroyMenu(menu);
    }
    m_hMenuDefault = NULL;
    if (!m_wndToolBar.CreateEx(this, AFX_IDW_TOOLBAR) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME, TRUE))
        return -1;
    if (!m_wndMenuBar.Create(this, 0) || !m_wndMenuBar.LoadMenu(IDR_MAINFRAME, TRUE))
        return -1;
    m_wndMenuBar.LoadToolBar(IDR_MAINFRAME);
    if (!m_wndReBar.Create(this) || !m_wndReBar.AddBar(&m_wndMenuBar, NULL, NULL, RBBS_GRIPPERALWAYS) ||
        !m_wndReBar.AddBar(&m_wndToolBar, NULL, NULL, RBBS_GRIPPERALWAYS | RBBS_BREAK))
        return -1;
    m_wndMenuBar.SetMenu(m_wndMenuBar.m_menu.m_hMenu);
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0])))
        return -1;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    return 0;
}

// The copies of opened files go with the program, as an inflated image does.
void CMainFrame::OnDestroy()
{
    for (const std::string& copy : m_tempCopies)
        FwDeleteFile(copy.c_str());
    m_tempCopies.clear();
    CFrameWnd::OnDestroy();
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kExitTimer) {
        KillTimer(kExitTimer);
        PostMessage(WM_CLOSE);
    }
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!m_wndSplitter.CreateStatic(this, 1, 2))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, pContext->m_pNewViewClass, CSize(150, 150), pContext) ||
        !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CPelsysView), CSize(100, 100), pContext)) {
        m_wndSplitter.DestroyWindow();
        return FALSE;
    }
    m_wndSplitter.SetColumnInfo(0, 150, 150);
    m_pLeftView = DYNAMIC_DOWNCAST(CLeftView, m_wndSplitter.GetPane(0, 0));
    return m_pLeftView != NULL;
}

void CMainFrame::OnUpdateFrameTitle(BOOL)
{
    // the title names the image, set by the commands themselves
    if (GetWindowTextLength() == 0)
        SetWindowText(m_strTitle);
}

CPelsysView* CMainFrame::GetListView() const
{
    return m_wndSplitter.m_hWnd ? DYNAMIC_DOWNCAST(CPelsysView, m_wndSplitter.GetPane(0, 1)) : NULL;
}

void CMainFrame::ClearPanes()
{
    if (m_pLeftView)
        m_pLeftView->GetTreeCtrl().DeleteAllItems();
    if (CPelsysView* list = GetListView())
        list->GetListCtrl().DeleteAllItems();
}

BOOL CMainFrame::PromptForImageFile(CString& path, CWnd* pParent)
{
    CFileDialog dlg(TRUE, "zmn", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    "zavo menu file(*.zmn;*.zrm;*.gz;*.zip)|*.zmn;*.zrm;*.gz;*.zip|All files (*.*)|*.*||", pParent);
    dlg.m_ofn.lpstrTitle = "Select a file";
    if (dlg.DoModal() != IDOK)
        return FALSE;
    path = dlg.GetPathName();
    return TRUE;
}

void CMainFrame::OnFileOpen()
{
    CString path;
    if (PromptForImageFile(path, this))
        OpenImageFile(path);
}

BOOL CMainFrame::OpenImageFile(LPCTSTR path)
{
    BOOL opened;
    {
        CInflateProgressDlg progress(this);
        m_imageFs.SetProgress(CInflateProgressDlg::Report, &progress);
        opened = m_imageFs.OpenImage(path);
        m_imageFs.SetProgress(NULL, NULL);
    }
    if (!opened) {
        int error = m_imageFs.GetOpenError();
        if (error != CImageFs::OPEN_CANCELLED)
            ShowMessage(FailureText(IDS_OPEN_FAILED, path, ReasonText(error)), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    m_strShownPath = path;
    m_bReadOnly = TRUE;
    m_pDropTarget = NULL;
    m_pOpenedNode = NULL;
    SetWindowText(path);
    // the rows point at the nodes of the image just replaced
    if (CPelsysView* list = GetListView())
        list->GetListCtrl().DeleteAllItems();
    FillTree();
    return TRUE;
}

void CMainFrame::OnFileNew()
{
    m_bReadOnly = FALSE;
    SetWindowText("New");
    NewVirtualFs();
}

void CMainFrame::NewVirtualFs()
{
    ClearPanes();
    m_strShownPath.Empty();
    m_pDropTarget = NULL;
    m_pOpenedNode = NULL;
    m_imageFs.NewImage(CImageFs::MODE_ROMFS, "C:\\demo.bin");
    FillTree();
}

CFsNode* CMainFrame::StartDroppedImage()
{
    NewVirtualFs();
    m_pDropTarget = m_imageFs.GetTree().GetRoot();
    return m_pDropTarget;
}

void CMainFrame::FillTree()
{
    if (!m_pLeftView)
        return;
    CTreeCtrl& tree = m_pLeftView->GetTreeCtrl();
    tree.DeleteAllItems();
    CFsNode* root = m_imageFs.GetActiveImage() ? m_imageFs.GetTree().GetRoot() : NULL;
    if (!root)
        return;
    int closed = CShellImageLists::FolderIcon(FALSE);
    int open = CShellImageLists::FolderIcon(TRUE);
    root->m_hParentItem = TVI_ROOT;
    root->m_hItem = tree.InsertItem(root->m_strName, closed, open, TVI_ROOT);
    // depth first, without recursion: images may nest deeply
    std::vector<CFsNode*> stack(1, root);
    while (!stack.empty()) {
        CFsNode* folder = stack.back();
        stack.pop_back();
        std::vector<CFsNode*> children;
        for (CFsNode* n = folder->m_pChild; n; n = n->m_pNext) {
            n->m_hItem = NULL;
            if (!n->IsFolder())
                continue;
            n->m_hParentItem = folder->m_hItem;
            n->m_hItem = tree.InsertItem(n->m_strName, closed, open, (HTREEITEM)folder->m_hItem);
            children.push_back(n);
        }
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    tree.Expand((HTREEITEM)root->m_hItem, TVE_EXPAND);
}

void CMainFrame::ListFolderItems(CFsNode* first)
{
    CPelsysView* list = GetListView();
    if (!list)
        return;
    list->SetRedraw(FALSE);
    for (CFsNode* n = first; n; n = n->m_pNext)
        list->InsertImageRow(n);
    list->SetRedraw(TRUE);
    list->Invalidate();
}

CFsNode* CMainFrame::FindTreeNode(CFsNode* node, void* hItem) const
{
    std::vector<CFsNode*> stack;
    if (node)
        stack.push_back(node);
    while (!stack.empty()) {
        CFsNode* n = stack.back();
        stack.pop_back();
        if (n->m_hItem == hItem)
            return n;
        for (CFsNode* c = n->m_pChild; c; c = c->m_pNext)
            if (c->IsFolder())
                stack.push_back(c);
    }
    return NULL;
}

LRESULT CMainFrame::OnShowFolder(WPARAM wParam, LPARAM)
{
    if (!m_imageFs.GetActiveImage() || !wParam)
        return 0;
    CFsNode* node = FindTreeNode(m_imageFs.GetTree().GetRoot(), (void*)wParam);
    CPelsysView* list = GetListView();
    if (!node || !list)
        return 0;
    list->GetListCtrl().DeleteAllItems();
    ListFolderItems(node->m_pChild);
    return 0;
}

LRESULT CMainFrame::OnSelectTreeItem(WPARAM wParam, LPARAM)
{
    if (m_pLeftView && wParam)
        ::SendMessage(m_pLeftView->m_hWnd, TVM_SELECTITEM, TVGN_CARET, (LPARAM)wParam);
    return 0;
}

LRESULT CMainFrame::OnOpenFileNode(WPARAM wParam, LPARAM)
{
    CFsNode* node = reinterpret_cast<CFsNode*>(wParam);
    if (!node)
        return 0;
    m_pOpenedNode = node;
    CString target = NodeTargetPath(FwGetTempPath(), node);
    int extracted;
    {
        CInflateProgressDlg progress(this, IDS_EXTRACTING);
        m_imageFs.SetProgress(CInflateProgressDlg::Report, &progress);
        extracted = m_imageFs.Extract(node, target, TRUE);
        m_imageFs.SetProgress(NULL, NULL);
    }
    if (extracted == CImageFs::EXTRACT_CANCELLED)
        return 0;
    if (extracted != CImageFs::EXTRACT_OK) {
        UINT reason = extracted == CImageFs::EXTRACT_NO_TARGET ? IDS_REASON_CANNOT_WRITE : IDS_REASON_CANNOT_READ;
        CString name = ShortenForMessage(node->m_strName, kMessageNameBytes);
        ShowMessage(FailureText(IDS_EXTRACT_FAILED, name, reason), MB_OK | MB_ICONSTOP);
        return 0;
    }
    m_tempCopies.insert((LPCTSTR)target);
    if ((INT_PTR)s_pfnShellOpen(m_hWnd, target, NULL) < 32) {
        CString select;
        select.Format("/e,/select,%s", (LPCTSTR)target);
        s_pfnShellOpen(m_hWnd, "explorer.exe", select);
    }
    return 0;
}

void CMainFrame::OnSaveNewFs()
{
    CPelsysView* list = GetListView();
    CPtrArray nodes;
    if (list)
        list->GetRowNodes(nodes, FALSE);
    if (nodes.GetSize() == 0 || m_bReadOnly) {
        ShowMessage(SaveResultText(nodes.GetSize() == 0 ? SAVE_NO_FILES : SAVE_READ_ONLY), MB_OK | MB_ICONINFORMATION);
        return;
    }
    CZipFileDlg dlg(FALSE, "zmn", NULL, CZipFileDlg::kSaveFlags, this, TRUE, "Zavo menu file (*.zmn)|*.zmn||");
    if (dlg.DoModal() != IDOK)
        return;
    CString image;
    SaveProblem problem;
    SaveResult result =
        SaveNodesAsImage(m_imageFs, nodes, dlg.GetPathName(), m_bReadOnly, dlg.m_bCompress, image, &problem);
    CString text;
    switch (result) {
    case SAVE_EXTRACT_FAILED:
        text = FailureText(IDS_EXTRACT_FAILED, problem.file, ReasonText(problem.reason));
        break;
    case SAVE_BUILD_FAILED:
        text = FailureText(IDS_BUILD_FAILED_FILE, problem.file, ReasonText(problem.reason));
        break;
    case SAVE_ZIP_FAILED:
        text.Format(LoadText(IDS_ZIP_FAILED), (LPCTSTR)problem.file, (LPCTSTR)LoadText(ReasonText(problem.reason)),
                    (LPCTSTR)image);
        break;
    default:
        text = SaveResultText(result);
    }
    BOOL ok = result == SAVE_CREATED || result == SAVE_ZIPPED;
    ShowMessage(text, MB_OK | (ok ? MB_ICONINFORMATION : MB_ICONSTOP));
}

void CMainFrame::OnNewFsFromDirectory()
{
    CNewFsFromDirDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    if (!FwDirectoryExists(dlg.m_strDir)) {  // before asking to replace anything
        ShowMessage(FailureText(IDS_BUILD_FAILED_FILE, dlg.m_strDir, IDS_REASON_CANNOT_READ), MB_OK | MB_ICONSTOP,
                    kBuildCaption);
        return;
    }
    if (FwFileExists(dlg.m_strFile)) {
        CString ask;
        ask.Format(LoadText(IDS_REPLACE_ASK), (LPCTSTR)dlg.m_strFile);
        if (ShowMessage(ask, MB_YESNO | MB_ICONQUESTION, kBuildCaption) != IDYES)
            return;
    }
    if (!m_imageFs.CreateImage(dlg.m_strDir, dlg.m_strFile, CImageFs::MODE_ROMFS, dlg.m_strVolume)) {
        int error = m_imageFs.GetBuildError();
        LPCTSTR file = error == CImageFs::OPEN_CANNOT_READ ? dlg.m_strDir : dlg.m_strFile;
        ShowMessage(FailureText(IDS_BUILD_FAILED_FILE, file, ReasonText(error)), MB_OK | MB_ICONSTOP, kBuildCaption);
        return;
    }
    // the tree must not go on showing what the file held before
    if (!m_strShownPath.IsEmpty() && FwGetFullPathName(m_strShownPath).CompareNoCase(FwGetFullPathName(dlg.m_strFile)) == 0) {
        OpenImageFile(dlg.m_strFile);
        return;
    }
    if (ShowMessage(LoadText(IDS_BUILD_DONE_OPEN), MB_YESNO | MB_ICONQUESTION, kBuildCaption) == IDYES)
        OpenImageFile(dlg.m_strFile);
}

void CMainFrame::OnViewStyle(UINT nID)
{
    static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    if (CPelsysView* list = GetListView())
        list->ModifyStyle(LVS_TYPEMASK, styles[nID - ID_VIEW_LARGEICON]);
}

void CMainFrame::OnUpdateViewStyle(CCmdUI* pCmdUI)
{
    static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    CPelsysView* list = GetListView();
    DWORD style = list ? (list->GetStyle() & LVS_TYPEMASK) : LVS_ICON;
    pCmdUI->SetRadio(style == styles[pCmdUI->m_nID - ID_VIEW_LARGEICON]);
}

void CMainFrame::OnViewArrange()
{
    if (CPelsysView* list = GetListView())
        ::SendMessage(list->m_hWnd, LVM_ARRANGE, LVA_SNAPTOGRID, 0);
}

// Without a window menu, Alt and F10 go to the menu bar in the rebar.
BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndMenuBar.TranslateFrameKey(pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}
