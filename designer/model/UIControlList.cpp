#include "designer/model/UIControlList.h"

#include <cstdlib>
#include <new>

#include "controls/UniqueId.h"
#include "designer/core/StringSplitter.h"
#include "designer/model/WallpaperCanvas.h"

CUIControlList::Snapshot::~Snapshot()
{
    for (INT_PTR i = 0; i < elements.GetSize(); ++i)
        delete elements[i];
}

CUIControlList::CUIControlList(CUIControlFactory* pClipboard)
    : m_nUndoLimit(0), m_nProgressWidth(-1), m_paperSize(0, 0), m_pClipboard(pClipboard), m_bModified(FALSE)
{
    Clear();
}

CUIControlList::~CUIControlList()
{
    Clear();
}

void CUIControlList::Clear()
{
    RemoveAll();
    ClearUndo();
    m_bModified = FALSE;
}

CUIControlFactory* CUIControlList::GetClipboard()
{
    if (!m_pClipboard)
        m_pClipboard = &m_ownClipboard;
    return m_pClipboard;
}

CString CUIControlList::GetPaperMarkup() const
{
    CString s;
    s.Format("<PAPER>%i,%i;</PAPER>", m_paperSize.cx, m_paperSize.cy);
    return s;
}

BOOL CUIControlList::ParsePaperText(LPCTSTR lpszText, BOOL bCheckKey)
{
    CStringSplitter parts(lpszText, ':');
    if (parts.GetCount() != 2)
        return FALSE;
    CString key, value;
    parts.GetText(0, key);
    parts.GetText(1, value);
    key.Trim();
    value.Trim();
    if (bCheckKey && key != "paper")
        return FALSE;
    if (!value.IsEmpty())
        value = value.Left(value.GetLength() - 1);
    CStringSplitter numbers(value, ',');
    if (numbers.GetCount() != 2)
        return FALSE;
    int cx = 0, cy = 0;
    numbers.GetInt(0, cx);
    numbers.GetInt(1, cy);
    m_paperSize = CSize(cx, cy);
    return TRUE;
}

BOOL CUIControlList::ParsePaper(LPCTSTR lpszText) { return ParsePaperText(lpszText, TRUE); }

BOOL CUIControlList::ParsePaperValue(LPCTSTR lpszText) { return ParsePaperText(lpszText, FALSE); }

// Only the lowest progress element counts for the web page and the menu.
BOOL CUIControlList::IsSkippedProgress(CUIControl* pControl, BOOL& bSeenProgress) const
{
    if (pControl->GetTypeName().CompareNoCase("progress") != 0)
        return FALSE;
    if (bSeenProgress)
        return TRUE;
    bSeenProgress = TRUE;
    return FALSE;
}

BOOL CUIControlList::ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder)
{
    m_nProgressWidth = -1;
    BOOL seen = FALSE;
    BOOL all = TRUE;
    for (int i = 0; i < GetCount(); ++i) {
        CUIControl* pControl = m_elements[i];
        BOOL wasSeen = seen;
        if (IsSkippedProgress(pControl, seen))
            continue;
        if (seen && !wasSeen)
            m_nProgressWidth = pControl->GetRect().Width() - 10;
        if (!pControl->ExportHtml(strStyle, strPage, lpszFolder, i))
            all = FALSE;
    }
    return all;
}

BOOL CUIControlList::WriteMenuItems(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress)
{
    // Without a page from the caller the elements share one, and what they
    // merge into the wallpaper is saved once at the end.
    CWallpaperCanvas own;
    CWallpaperCanvas* pGiven = progress.canvas;
    if (!pGiven) {
        own.SetSaveDeferred(TRUE);
        progress.canvas = &own;
    }
    int item = 1;
    BOOL seen = FALSE;
    BOOL all = TRUE;
    for (int i = 0; i < GetCount(); ++i) {
        CUIControl* pControl = m_elements[i];
        if (!IsSkippedProgress(pControl, seen) && !pControl->WriteMenuItem(lines, lpszFolder, progress, item))
            all = FALSE;
    }
    progress.canvas = pGiven;
    if (!own.SaveIfChanged())
        all = FALSE;
    return all;
}

CUIControl* CUIControlList::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_elements[nIndex];
}

int CUIControlList::IndexOf(const CUIControl* pControl) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_elements[i] == pControl)
            return i;
    }
    return -1;
}

void CUIControlList::SetAt(int nIndex, CUIControl* pControl)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_elements[nIndex] = pControl;
    m_bModified = TRUE;
}

void CUIControlList::Swap(int i, int j)
{
    if (i < 0 || j < 0 || i >= GetCount() || j >= GetCount())
        return;
    CUIControl* t = m_elements[i];
    m_elements[i] = m_elements[j];
    m_elements[j] = t;
}

void CUIControlList::Add(CUIControl* pControl)
{
    pControl->SetOwner(this);
    m_elements.Add(pControl);
    m_bModified = TRUE;
}

void CUIControlList::DeleteAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    delete m_elements[nIndex];
    m_elements.RemoveAt(nIndex);
    m_bModified = TRUE;
}

void CUIControlList::RemoveAll()
{
    for (int i = 0; i < GetCount(); ++i)
        delete m_elements[i];
    m_elements.RemoveAll();
    m_bModified = TRUE;
}

void CUIControlList::DeleteSelected()
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (m_elements[i]->IsSelected())
            DeleteAt(i);
    }
}

void CUIControlList::Delete(CUIControl* pControl)
{
    int i = IndexOf(pControl);
    if (i >= 0)
        DeleteAt(i);
}

void CUIControlList::SelectAll()
{
    for (int i = 0; i < GetCount(); ++i)
        m_elements[i]->SetSelected(TRUE);
}

void CUIControlList::DeselectAll()
{
    for (int i = 0; i < GetCount(); ++i)
        m_elements[i]->SetSelected(FALSE);
}

int CUIControlList::CountSelected() const
{
    int n = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_elements[i]->IsSelected())
            ++n;
    }
    return n;
}

void CUIControlList::DeleteOldestSnapshot()
{
    delete m_undo[0];
    m_undo.RemoveAt(0);
}

// A clone is in no group; the snapshots keep each element's group so that
// undo does not dissolve groups.
void CUIControlList::SaveUndo()
{
    if (m_nUndoLimit > 0 && GetUndoCount() >= m_nUndoLimit)
        DeleteOldestSnapshot();
    Snapshot* pShot = new (std::nothrow) Snapshot;
    while (!pShot && GetUndoCount() > 0) {
        DeleteOldestSnapshot();
        pShot = new (std::nothrow) Snapshot;
    }
    if (!pShot)
        return;
    pShot->paper = m_paperSize;
    for (int i = 0; i < GetCount(); ++i) {
        CUIControl* pCopy = m_elements[i]->Clone();
        pCopy->SetGroup(m_elements[i]->GetGroup());
        pShot->elements.Add(pCopy);
    }
    m_undo.Add(pShot);
}

void CUIControlList::Undo()
{
    if (m_undo.IsEmpty())
        return;
    Snapshot* pShot = m_undo[m_undo.GetSize() - 1];
    RemoveAll();
    for (INT_PTR i = 0; i < pShot->elements.GetSize(); ++i) {
        CUIControl* pCopy = pShot->elements[i]->Clone();
        pCopy->SetGroup(pShot->elements[i]->GetGroup());
        Add(pCopy);
    }
    m_paperSize = pShot->paper;
    delete pShot;
    m_undo.RemoveAt(m_undo.GetSize() - 1);
}

void CUIControlList::ClearUndo()
{
    for (INT_PTR i = m_undo.GetSize() - 1; i >= 0; --i)
        delete m_undo[i];
    m_undo.RemoveAll();
}

void CUIControlList::GroupSelected()
{
    int group = NewUniqueId();
    for (int i = 0; i < GetCount(); ++i) {
        if (m_elements[i]->IsSelected())
            m_elements[i]->SetGroup(group);
    }
    m_bModified = TRUE;
}

void CUIControlList::UngroupSelected()
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_elements[i]->IsSelected())
            m_elements[i]->SetGroup(0);
    }
    m_bModified = TRUE;
}

void CUIControlList::Duplicate(CUIControl* pControl)
{
    if (IndexOf(pControl) < 0)
        return;
    CUIControl* pCopy = pControl->Clone();
    pCopy->SetRect(pCopy->GetLeft() + 10.0, pCopy->GetTop() + 10.0, pCopy->GetRight() + 10.0,
                   pCopy->GetBottom() + 10.0);
    Add(pCopy);
}

void CUIControlList::Cut(CUIControl* pControl)
{
    Copy(pControl);
    Delete(pControl);
}

void CUIControlList::Copy(CUIControl* pControl) { GetClipboard()->CopyOne(pControl); }

// A change of the z-order changes the saved file: it marks the list modified.
void CUIControlList::MoveUp(CUIControl* pControl)
{
    int i = IndexOf(pControl);
    if (i < 0 || i + 1 >= GetCount())
        return;
    Swap(i, i + 1);
    m_bModified = TRUE;
}

void CUIControlList::MoveDown(CUIControl* pControl)
{
    int i = IndexOf(pControl);
    if (i <= 0)
        return;
    Swap(i, i - 1);
    m_bModified = TRUE;
}

void CUIControlList::BringToTop(CUIControl* pControl)
{
    int i = IndexOf(pControl);
    if (i < 0)
        return;
    m_elements.RemoveAt(i);
    m_elements.Add(pControl);
    m_bModified = TRUE;
}

void CUIControlList::SendToBottom(CUIControl* pControl)
{
    int i = IndexOf(pControl);
    if (i < 0)
        return;
    m_elements.RemoveAt(i);
    m_elements.InsertAt(0, pControl);
    m_bModified = TRUE;
}

void CUIControlList::Paste() { GetClipboard()->PasteInto(this); }

void CUIControlList::CopySelected() { GetClipboard()->CopySelected(this); }

int CUIControlList::GetClipboardCount() { return GetClipboard()->GetCount(); }

void CUIControlList::ClearClipboard() { GetClipboard()->Clear(); }

BOOL CUIControlList::Broadcast(UINT nCommand, BOOL bSelectedOnly, CUIControl* pSender, CWnd* pParent)
{
    for (int i = 0; i < GetCount(); ++i) {
        CUIControl* pControl = m_elements[i];
        if (bSelectedOnly && !pControl->IsSelected())
            continue;
        m_bModified = TRUE;
        if (pControl->OnCommand(nCommand, pSender, pParent))
            return TRUE;
    }
    return FALSE;
}
