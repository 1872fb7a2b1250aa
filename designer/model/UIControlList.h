// CUIControlList: the elements of one menu screen in z-order, with the page
// size, the undo snapshots, the modified flag and the element clipboard.
#pragma once

#include "designer/model/UIControl.h"
#include "designer/model/UIControlFactory.h"

#include <vector>

class CUIControlList {
public:
    explicit CUIControlList(CUIControlFactory* pClipboard = NULL);
    virtual ~CUIControlList();

    virtual CString GetPaperMarkup() const;
    virtual BOOL ParsePaper(LPCTSTR lpszText);
    // Every element runs; FALSE when any of them failed to write its part,
    // or at once when pfnAfterEach, told after each element, says stop.
    virtual BOOL ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder,
                            BOOL (*pfnAfterEach)(void*) = NULL, void* pContext = NULL);
    virtual BOOL WriteMenuItems(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress);
    virtual void SetClipboard(CUIControlFactory* pClipboard) { m_pClipboard = pClipboard; }
    virtual CUIControlFactory* GetClipboard();
    virtual CUIControl* GetAt(int nIndex) const;
    virtual void Add(CUIControl* pControl);
    virtual void DeleteAt(int nIndex);
    virtual void RemoveAll();
    virtual void DeleteSelected();
    virtual void Delete(CUIControl* pControl);
    virtual void SelectAll();
    virtual void DeselectAll();
    virtual void Undo();
    virtual void SaveUndo();
    virtual void ClearUndo();
    // The element's block cut from a document of its own, without its
    // position and group: what an undo body is written as the slow way.
    static CString DocumentBody(CUIControl* pControl);
    virtual void GroupSelected();
    virtual void UngroupSelected();
    virtual void Duplicate(CUIControl* pControl);
    virtual void Cut(CUIControl* pControl);
    virtual void Copy(CUIControl* pControl);
    virtual void MoveUp(CUIControl* pControl);
    virtual void MoveDown(CUIControl* pControl);
    virtual void BringToTop(CUIControl* pControl);
    virtual void SendToBottom(CUIControl* pControl);
    virtual void Paste();
    virtual void CopySelected();
    virtual int GetClipboardCount();
    virtual void ClearClipboard();
    virtual BOOL Broadcast(UINT nCommand, BOOL bSelectedOnly, CUIControl* pSender, CWnd* pParent);

    void Clear();
    int GetCount() const { return (int)m_elements.GetSize(); }
    int IndexOf(const CUIControl* pControl) const;
    void SetAt(int nIndex, CUIControl* pControl);
    void Swap(int i, int j);
    CSize GetPaperSize() const { return m_paperSize; }
    void SetPaperSize(int cx, int cy) { m_paperSize = CSize(cx, cy); }
    BOOL IsModified() const { return m_bModified; }
    void SetModified(BOOL b) { m_bModified = b; }
    int GetUndoCount() const { return (int)m_undo.GetSize(); }
    void SetUndoLimit(int n) { m_nUndoLimit = n; }
    int GetProgressWidth() const { return m_nProgressWidth; }
    void SetProgressWidth(int n) { m_nProgressWidth = n; }
    int CountSelected() const;
    BOOL ParsePaperValue(LPCTSTR lpszText);

private:
    // One element in an undo snapshot: its markup without position and
    // group (shared with the snapshot before while it does not change), its
    // place and the element it was taken from.
    struct SnapshotEntry {
        CString body;
        const CUIControl* source;
        float rect[4];  // exact copies of the coordinates, else in exactRects
        int group;
        bool selected;
        bool exact;
    };
    struct Snapshot {
        std::vector<SnapshotEntry> entries;
        std::vector<double> exactRects;  // four per entry whose rect is not exact in floats
        CSize paper;
    };

    CUIControlList(const CUIControlList&);
    CUIControlList& operator=(const CUIControlList&);
    BOOL ParsePaperText(LPCTSTR lpszText, BOOL bCheckKey);
    BOOL IsSkippedProgress(CUIControl* pControl, BOOL& bSeenProgress) const;
    void DeleteOldestSnapshot();
    static CString UndoBody(CUIControl* pControl);
    static CUIControl* CreateFromBody(const CString& body);
    void TakeSnapshot(Snapshot& shot) const;
    void RestoreSnapshot(const Snapshot& shot);

    CArray<CUIControl*, CUIControl*> m_elements;
    CArray<Snapshot*, Snapshot*> m_undo;
    int m_nUndoLimit;
    int m_nProgressWidth;
    CSize m_paperSize;
    CUIControlFactory* m_pClipboard;
    CUIControlFactory m_ownClipboard;
    BOOL m_bModified;
};
