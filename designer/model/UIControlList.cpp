#include "designer/model/UIControlList.h"

#include <cstdlib>
#include <new>

#include "controls/UniqueId.h"
#include "designer/core/StringSplitter.h"
#include "designer/core/XmlDocument.h"
#include "designer/model/WallpaperCanvas.h"

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

BOOL CUIControlList::ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder,
                                BOOL (*pfnAfterEach)(void*), void* pContext)
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
        if (pfnAfterEach && !pfnAfterEach(pContext))
            return FALSE;
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

// The element's markup without its position and group, which a snapshot
// keeps beside it: a move changes no body, so snapshots share them. Written
// straight as text where it can be; else cut from a document of its own.
CString CUIControlList::UndoBody(CUIControl* pControl)
{
    CString body;
    if (pControl->WriteUndoBody(body))
        return body;
    return DocumentBody(pControl);
}

CString CUIControlList::DocumentBody(CUIControl* pControl)
{
    CXmlDocument doc;
    doc.SetDoc(NULL);
    doc.AddElem("S");
    pControl->SaveToMarkup(doc);
    CString text = doc.GetDoc();
    int start = text.Find("<UICONTROL");
    int end = text.Find("</UICONTROL>");
    if (start < 0 || end < start)
        return CString();
    text = text.Mid(start, end + 12 - start);
    // user texts are escaped, so these tags are the element's own
    for (LPCTSTR tag : {"<ITEMPOS", "<GROUP>"}) {
        int from = text.Find(tag);
        int to = from < 0 ? -1 : text.Find('\n', from);
        if (from >= 0 && to > from)
            text.Delete(from, to + 1 - from);
    }
    return text;
}

CUIControl* CUIControlList::CreateFromBody(const CString& body)
{
    CXmlDocument doc;
    if (!doc.SetDoc(body) || !doc.FindElem("UICONTROL"))
        return NULL;
    return CUIControlFactory::CreateFromMarkup(doc, doc.GetAttrib("UITYPE"));
}

void CUIControlList::TakeSnapshot(Snapshot& shot) const
{
    const Snapshot* pLast = m_undo.IsEmpty() ? NULL : m_undo[m_undo.GetSize() - 1];
    shot.paper = m_paperSize;
    shot.entries.resize((size_t)GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        CUIControl* p = m_elements[i];
        SnapshotEntry& e = shot.entries[(size_t)i];
        e.source = p;
        e.body = UndoBody(p);
        // the same element unchanged since the last snapshot shares its text
        if (pLast && (size_t)i < pLast->entries.size()) {
            const SnapshotEntry& before = pLast->entries[(size_t)i];
            if (before.source == p && before.body == e.body)
                e.body = before.body;
        }
        const double rect[4] = {p->GetLeft(), p->GetTop(), p->GetRight(), p->GetBottom()};
        e.exact = true;
        for (int k = 0; k < 4; ++k) {
            e.rect[k] = (float)rect[k];
            e.exact = e.exact && (double)e.rect[k] == rect[k];
        }
        if (!e.exact)
            shot.exactRects.insert(shot.exactRects.end(), rect, rect + 4);
        e.group = p->GetGroup();
        e.selected = p->IsSelected() != FALSE;
    }
}

// Elements whose markup did not change since the snapshot stay as they are
// (no picture is read again); only the changed ones are made anew.
void CUIControlList::RestoreSnapshot(const Snapshot& shot)
{
    std::vector<CUIControl*> current(m_elements.GetData(), m_elements.GetData() + m_elements.GetSize());
    m_elements.RemoveAll();
    std::vector<bool> selected;
    size_t exactIndex = 0;
    for (const SnapshotEntry& e : shot.entries) {
        CUIControl* p = NULL;
        for (CUIControl*& c : current) {
            if (c != NULL && c == e.source && UndoBody(c) == e.body) {
                p = c;
                c = NULL;
                break;
            }
        }
        if (p == NULL)
            p = CreateFromBody(e.body);
        double rect[4] = {e.rect[0], e.rect[1], e.rect[2], e.rect[3]};
        if (!e.exact) {
            for (int k = 0; k < 4 && exactIndex < shot.exactRects.size(); ++k)
                rect[k] = shot.exactRects[exactIndex++];
        }
        if (p == NULL)
            continue;
        p->SetRect(rect[0], rect[1], rect[2], rect[3]);
        p->SetGroup(e.group);
        p->SetSelected(FALSE);
        Add(p);
        selected.push_back(e.selected);
    }
    for (CUIControl* c : current)
        delete c;
    // selection last: selecting a grouped element selects its whole group
    for (int i = 0; i < GetCount(); ++i) {
        if (selected[(size_t)i])
            m_elements[i]->SetSelected(TRUE);
    }
    m_paperSize = shot.paper;
    m_bModified = TRUE;
}

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
    try {
        TakeSnapshot(*pShot);
    } catch (const std::bad_alloc&) {
        delete pShot;
        return;
    }
    m_undo.Add(pShot);
}

void CUIControlList::Undo()
{
    if (m_undo.IsEmpty())
        return;
    Snapshot* pShot = m_undo[m_undo.GetSize() - 1];
    RestoreSnapshot(*pShot);
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
