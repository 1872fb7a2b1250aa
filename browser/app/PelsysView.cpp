#include "browser/app/PelsysView.h"

#include "browser/ImageSave.h"
#include "browser/NodeFiles.h"
#include "browser/app/BrowserMessages.h"
#include "browser/app/MainFrame.h"
#include "framework/OleDataSource.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>

namespace {
const char kTimeFormat[] = "%Y-%m-%d %H:%M:%S";
const char kFolderType[] = "\xce\xc4\xbc\xfe\xbc\xd0";  // "文件夹" in the Chinese code page
const char kReadOnlyDrop[] = "This is a read-only fs, please create a new viturl fs to add new files.     ";
const char kFolderDrop[] =
    "Sorry, Directory doesn't support yet!     \n\nIf you want to have Directories, please use 'CTRL+D'.     ";

// Frees the list of a drop when the handler ends.
class CDropOwner {
public:
    explicit CDropOwner(HDROP h) : m_h(h) {}
    ~CDropOwner() { ::DragFinish(m_h); }

private:
    HDROP m_h;
};
}  // namespace

IMPLEMENT_DYNCREATE(CPelsysView, CListView)

BEGIN_MESSAGE_MAP(CPelsysView, CListView)
    ON_WM_DROPFILES()
    ON_WM_KEYDOWN()
    ON_WM_SIZE()
    ON_NOTIFY_REFLECT(NM_DBLCLK, &CPelsysView::OnDblclk)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, &CPelsysView::OnBeginDrag)
END_MESSAGE_MAP()

CPelsysView::CPelsysView() : m_bColumns(FALSE) {}

CPelsysView::~CPelsysView() {}

CMainFrame* CPelsysView::Frame() const
{
    return DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame());
}

BOOL CPelsysView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= LVS_ICON | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE;
    return CListView::PreCreateWindow(cs);
}

void CPelsysView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    ::DragAcceptFiles(m_hWnd, TRUE);
    ::SendMessage(m_hWnd, LVM_SETIMAGELIST, LVSIL_NORMAL, (LPARAM)m_images.Large());
    ::SendMessage(m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)m_images.Small());
    GetListCtrl().SetExtendedStyle(LVS_EX_FULLROWSELECT);
    SetColumns();
}

void CPelsysView::SetColumns()
{
    if (m_bColumns)
        return;
    CRect rc;
    GetClientRect(&rc);
    int w = rc.Width() > 0 ? rc.Width() : 400;
    CListCtrl& list = GetListCtrl();
    list.InsertColumn(COL_NAME, "Name", LVCFMT_LEFT, w * 2 / 5);
    list.InsertColumn(COL_SIZE, "Size", LVCFMT_LEFT, w / 5);
    list.InsertColumn(COL_TYPE, "Type", LVCFMT_LEFT, w / 5);
    list.InsertColumn(COL_TIME, "Time", LVCFMT_LEFT, w - w * 2 / 5 - 2 * (w / 5));
    m_bColumns = TRUE;
}

namespace {
int AddRow(CListCtrl& list, CFsNode* node, int icon, const CString& size, const CString& type)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = list.GetItemCount();
    item.pszText = const_cast<LPSTR>((LPCTSTR)node->m_strName);
    item.iImage = icon;
    item.lParam = (LPARAM)node;
    int row = list.InsertItem(&item);
    if (row < 0)
        return row;
    list.SetItemText(row, CPelsysView::COL_SIZE, size);
    list.SetItemText(row, CPelsysView::COL_TYPE, type);
    list.SetItemText(row, CPelsysView::COL_TIME, node->m_time.Format(kTimeFormat));
    return row;
}
}  // namespace

int CPelsysView::InsertImageRow(CFsNode* node)
{
    if (node->IsFolder())
        return AddRow(GetListCtrl(), node, CShellImageLists::FolderIcon(), CString(), kFolderType);
    CString type;
    int icon = CShellImageLists::FileIcon(MakeSafeFileName(node->m_strName), FALSE, &type);
    char size[64] = "";
    ::StrFormatByteSizeA(node->m_dwSize, size, sizeof(size));
    return AddRow(GetListCtrl(), node, icon, size, type);
}

int CPelsysView::InsertNodeRow(CFsNode* node)
{
    CString type;
    int icon = CShellImageLists::FileIcon(node->m_strSource, TRUE, &type);
    if (node->IsFolder())
        return AddRow(GetListCtrl(), node, icon, CString(), "Folder");
    return AddRow(GetListCtrl(), node, icon, FormatSizeText(node->m_dwSize), type);
}

CFsNode* CPelsysView::GetRowNode(int row) const
{
    return reinterpret_cast<CFsNode*>(GetListCtrl().GetItemData(row));
}

void CPelsysView::GetRowNodes(CPtrArray& nodes, BOOL bSelectedOnly) const
{
    CListCtrl& list = GetListCtrl();
    for (int row = list.GetNextItem(-1, bSelectedOnly ? LVNI_SELECTED : LVNI_ALL); row >= 0;
         row = list.GetNextItem(row, bSelectedOnly ? LVNI_SELECTED : LVNI_ALL))
        nodes.Add(GetRowNode(row));
}

int CPelsysView::FindRow(LPCTSTR name) const
{
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = name;
    int row = (int)::SendMessage(m_hWnd, LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
    // the control matches without regard to case: the name must be the same text
    while (row >= 0 && GetListCtrl().GetItemText(row, COL_NAME) != name)
        row = (int)::SendMessage(m_hWnd, LVM_FINDITEMA, row, (LPARAM)&find);
    return row;
}

int CPelsysView::ExtractRowsTo(LPCTSTR folder)
{
    CPtrArray nodes;
    GetRowNodes(nodes, FALSE);
    return ExtractNodesTo(Frame()->GetImageFs(), nodes, folder);
}

int CPelsysView::ExtractSelectionToTemp(CStringArray& paths)
{
    CPtrArray nodes;
    GetRowNodes(nodes, TRUE);
    if (nodes.GetSize() == 0)
        return 0;
    ExtractNodesToTemp(Frame()->GetImageFs(), nodes, paths);
    BuildDropFilesBlock(paths, m_dropBlock);
    return 1;
}

void CPelsysView::AddDroppedFiles(const CStringArray& paths)
{
    CMainFrame* frame = Frame();
    if (frame->IsReadOnly()) {
        frame->ShowMessage(kReadOnlyDrop, MB_OK | MB_ICONINFORMATION);
        return;
    }
    int selected = GetListCtrl().GetNextItem(-1, LVNI_SELECTED);
    CFsNode* folder = DropFolderFor(selected >= 0 ? GetRowNode(selected) : NULL, frame->GetDropTarget());
    if (!folder)
        folder = frame->StartDroppedImage();
    if (!folder)
        return;
    for (int i = 0; i < (int)paths.GetSize(); ++i) {
        CFsNode* added = NULL;
        switch (AddDroppedFile(frame->GetImageFs(), folder, paths[i], FALSE, &added)) {
        case DROP_FOLDER:
            frame->ShowMessage(kFolderDrop, MB_OK | MB_ICONINFORMATION);
            break;
        case DROP_ADDED:
            InsertNodeRow(added);
            break;
        case DROP_DUPLICATE: {
            // a row deleted before comes back with the file dropped now
            CFsNode node;
            if (!MakeDiskFileNode(paths[i], node, CFsNode::TYPE_FILE) || FindRow(node.m_strName) >= 0)
                break;
            for (CFsNode* n = folder->m_pChild; n; n = n->m_pNext) {
                if (n->m_strName.CompareNoCase(node.m_strName) == 0 && n->IsDiskFile()) {
                    n->m_strSource = node.m_strSource;
                    n->m_dwSize = node.m_dwSize;
                    n->m_time = node.m_time;
                    InsertNodeRow(n);
                    break;
                }
            }
            break;
        }
        default:
            break;
        }
    }
}

void CPelsysView::OnDropFiles(HDROP hDropInfo)
{
    CDropOwner owner(hDropInfo);
    CStringArray paths;
    UINT count = ::DragQueryFileA(hDropInfo, 0xFFFFFFFF, NULL, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH] = "";
        if (::DragQueryFileA(hDropInfo, i, path, sizeof(path)))
            paths.Add(path);
    }
    AddDroppedFiles(paths);
}

void CPelsysView::OnDblclk(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMITEMACTIVATE* act = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    if (act->iItem < 0)
        return;
    CFsNode* node = GetRowNode(act->iItem);
    CFrameWnd* frame = GetParentFrame();
    if (!node || !frame)
        return;
    if (node->IsFolder())
        frame->SendMessage(WM_SELECT_TREE_ITEM, (WPARAM)node->m_hItem, 0);
    else
        frame->SendMessage(WM_OPEN_FILE_NODE, (WPARAM)node, 0);
}

void CPelsysView::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_dragPaths.RemoveAll();
    if (!ExtractSelectionToTemp(m_dragPaths) || m_dragPaths.GetSize() == 0)
        return;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, m_dropBlock.size());
    if (!block)
        return;
    if (void* p = ::GlobalLock(block)) {
        memcpy(p, m_dropBlock.data(), m_dropBlock.size());
        ::GlobalUnlock(block);
    }
    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, block);
    source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

void CPelsysView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE && GetListCtrl().GetSelectedCount() > 0) {
        CListCtrl& list = GetListCtrl();
        for (int row = list.GetItemCount() - 1; row >= 0; --row)
            if (list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)
                list.DeleteItem(row);
        return;
    }
    CListView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CPelsysView::OnSize(UINT nType, int cx, int cy)
{
    CListView::OnSize(nType, cx, cy);
    ::SendMessage(m_hWnd, LVM_ARRANGE, LVA_DEFAULT, 0);
}
