// The browser's main frame: bars, the folder tree and file list panes, the
// image object and every command on images.
#pragma once
#include "browser/ImageFs.h"
#include "browser/app/ImageToolBar.h"
#include "controls/MenuBar.h"
#include "framework/FrameWnd.h"
#include "framework/ReBar.h"
#include "framework/SplitterWnd.h"
#include "framework/StatusBar.h"

#include <set>
#include <string>

class CLeftView;
class CPelsysView;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    enum { kExitTimer = 1 };  // test runs close the program with it

    CMainFrame();
    virtual ~CMainFrame();

    // Opens the image read-only and shows its folders. A failure keeps the
    // image, title and panes shown before.
    BOOL OpenImageFile(LPCTSTR path);
    void NewVirtualFs();
    void FillTree();
    void ListFolderItems(CFsNode* first);
    // An open-file dialog for menu images; FALSE when cancelled.
    static BOOL PromptForImageFile(CString& path, CWnd* pParent);

    // A new empty image whose root takes dropped files.
    CFsNode* StartDroppedImage();
    CFsNode* GetDropTarget() const { return m_pDropTarget; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    CImageFs& GetImageFs() { return m_imageFs; }
    CLeftView* GetLeftView() const { return m_pLeftView; }
    CPelsysView* GetListView() const;
    CFsNode* GetOpenedNode() const { return m_pOpenedNode; }
    CImageToolBar& GetToolBar() { return m_wndToolBar; }
    CMenuBar& GetMenuBar() { return m_wndMenuBar; }
    CReBar& GetReBar() { return m_wndReBar; }

    // Message boxes of the frame: the program's title, or the caption given.
    int ShowMessage(LPCTSTR text, UINT type, LPCTSTR caption = NULL);

    // Replaceable for tests: the message box and the shell's open.
    typedef int (*MessageBoxProc)(LPCTSTR text, LPCTSTR caption, UINT type);
    typedef HINSTANCE (*ShellOpenProc)(HWND hWnd, LPCTSTR file, LPCTSTR parameters);
    static MessageBoxProc s_pfnMessageBox;
    static ShellOpenProc s_pfnShellOpen;

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnFileOpen();
    afx_msg void OnFileNew();
    afx_msg void OnSaveNewFs();
    afx_msg void OnNewFsFromDirectory();
    afx_msg void OnViewStyle(UINT nID);
    afx_msg void OnUpdateViewStyle(CCmdUI* pCmdUI);
    afx_msg void OnViewArrange();
    afx_msg LRESULT OnShowFolder(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelectTreeItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenFileNode(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ClearPanes();
    CFsNode* FindTreeNode(CFsNode* node, void* hItem) const;

    BOOL m_bReadOnly;
    CImageFs m_imageFs;
    CSplitterWnd m_wndSplitter;
    CLeftView* m_pLeftView;
    CReBar m_wndReBar;
    CMenuBar m_wndMenuBar;
    CImageToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    CFsNode* m_pOpenedNode;
    CFsNode* m_pDropTarget;
    CString m_strShownPath;              // the file of the image shown, if any
    std::set<std::string> m_tempCopies;  // files extracted into the temp folder to open them
};
