// The browser's file list: the entries of one image folder, or the files
// dropped into a new image.
#pragma once
#include "browser/ImageFs.h"
#include "browser/app/ShellImageLists.h"
#include "framework/Array.h"
#include "framework/CtrlView.h"
#include "framework/StringArray.h"

#include <vector>

class CMainFrame;

class CPelsysView : public CListView {
    DECLARE_DYNCREATE(CPelsysView)
public:
    enum { COL_NAME,
           COL_SIZE,
           COL_TYPE,
           COL_TIME };

    CPelsysView();
    virtual ~CPelsysView();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void OnInitialUpdate() override;

    // One row per node: name, shell icon and type, size and time.
    int InsertImageRow(CFsNode* node);
    int InsertNodeRow(CFsNode* node);
    CFsNode* GetRowNode(int row) const;
    // The nodes of every row, or of the selected rows, in list order.
    void GetRowNodes(CPtrArray& nodes, BOOL bSelectedOnly) const;
    int FindRow(LPCTSTR name) const;

    // Extracts the rows' files into the folder; the row count, 0 on failure.
    int ExtractRowsTo(LPCTSTR folder);
    // Extracts the selected files into the temp folder and builds the drop
    // block of their paths; 0 when no row is selected.
    int ExtractSelectionToTemp(CStringArray& paths);
    const std::vector<BYTE>& GetDropBlock() const { return m_dropBlock; }

    // Adds the dropped paths (the drop handler's work, callable with a list).
    void AddDroppedFiles(const CStringArray& paths);

protected:
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnDblclk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CMainFrame* Frame() const;
    void SetColumns();

    CShellImageLists m_images;
    BOOL m_bColumns;
    CStringArray m_dragPaths;
    std::vector<BYTE> m_dropBlock;
};
