// CFileEditCtrl: a single-line edit that holds one or more file paths, or one
// folder path, with a browse button drawn in its own non-client area.
//
// Binding in a dialog (the edit is in the dialog template):
//
//     void CMyPage::DoDataExchange(CDataExchange* pDX)
//     {
//         DDX_FileEditCtrl(pDX, IDC_SOURCE, m_source, FEF_FOLDER);
//     }
//
// The first exchange subclasses the edit and applies the flags; flags that are
// refused fail the exchange (UpdateData returns FALSE). Later saving exchanges
// re-parse the text. Read the paths with GetStartPosition/GetNextPathName.
//
// The parent is told through WM_NOTIFY (wParam = control id, lParam = a
// FileEditNotify*): FEN_PREBROWSE before a browse, FEN_POSTBROWSE after it
// (pNewText NULL when cancelled), FEN_DROP after files were dropped. A
// non-zero reply vetoes: no browse, or the text is kept as it was.
//
// Texts, the folder browser's status line, the button face, the tooltip
// control and a button image are parameters (SetTexts, SetButtonFace,
// SetToolTipCtrl, SetButtonImage), so a program with texts of its own uses the
// same control. Without SetTexts the texts are strings 61448 to 61452 of the
// resource module (separator, filter, dialog title, OK caption, button tip).
#pragma once

#include "controls/FECFileDialog.h"
#include "controls/ProfileEdit.h"
#include "framework/List.h"
#include "framework/ScopedHandle.h"
#include "framework/ToolTipCtrl.h"

#include <shlobj.h>

// Mode flags
#define FEF_OPEN 0x0001           // browse for existing files to open
#define FEF_MULTIPLE 0x0002       // several files
#define FEF_FOLDER 0x0004         // browse for a folder
#define FEF_TRAILINGSLASH 0x0008  // folder paths end with a backslash
#define FEF_BUTTONLEFT 0x0010     // button at the left of the text
#define FEF_BUTTONTIP 0x0020      // tooltip on the button
#define FEF_CLIENTTIP 0x0040      // tooltip on the text
#define FEF_WILDCARDS 0x0080      // "*" and "?" expand to the matching files
#define FEF_NODEREFERENCE 0x0100  // shortcuts (.lnk, .pif) stay as they are
#define FEF_FLAT 0x0400           // border and button raised only while hot or focused
#define FEF_GRAYSCALE 0x0800      // grey button while flat
#define FEF_SAVE 0x1000           // browse for a file to save

// Notification codes
#define FEN_PREBROWSE 1
#define FEN_POSTBROWSE 2
#define FEN_DROP 3

// String ids of the default texts
#define IDS_FEC_SEPARATOR 61448
#define IDS_FEC_FILTER 61449
#define IDS_FEC_TITLE 61450
#define IDS_FEC_OK 61451
#define IDS_FEC_BUTTONTIP 61452

class CFileEditCtrl;

struct FileEditNotify {
    NMHDR hdr;
    CFileEditCtrl* pFEC;
    CString* pNewText;  // the proposed text; NULL before a browse and when it was cancelled
};

// What the control shows the user.
struct FileEditTexts {
    CString strSeparator;  // its first character separates paths; "; " is written between them
    CString strFilter;     // file dialog filter, "Text|*.ext||"
    CString strTitle;      // file dialog title
    CString strOkCaption;  // file dialog OK button; empty keeps the system's
    CString strButtonTip;  // tooltip of the button
    BOOL bStatusLine;      // the folder browser shows the selected path under its tree

    FileEditTexts() : bStatusLine(TRUE) {}
    // Strings 61448 to 61452 of the resource module, with a status line.
    static FileEditTexts FromResources();
};

// A picture drawn on the button instead of the three dots. Draw gets the
// button rectangle and FEI_ bits; the control owns the object it is given.
#define FEI_CENTER 0x040
#define FEI_DISABLED 0x080
#define FEI_GRAY 0x100
class CFileEditImage {
public:
    virtual ~CFileEditImage() {}
    virtual void Draw(HDC hDC, const RECT& rect, UINT nBits) = 0;
};

class CFileEditCtrl : public CProfileEdit {
    DECLARE_DYNAMIC(CFileEditCtrl)
public:
    explicit CFileEditCtrl(BOOL bAutoDelete = FALSE);
    virtual ~CFileEditCtrl();

    // Creates an "EDIT" window and applies the flags; FALSE (and no window)
    // when the window cannot be made or the flags are refused.
    BOOL Create(DWORD dwFlags, DWORD dwExStyle, LPCTSTR lpszText, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID);

    // Exactly one browse mode: FEF_FOLDER, FEF_OPEN or FEF_SAVE; FALSE otherwise.
    BOOL SetFlags(DWORD dwFlags);
    BOOL ModifyFlags(DWORD dwRemove, DWORD dwAdd) { return SetFlags((GetFlags() & ~dwRemove) | dwAdd); }
    // FEF_MULTIPLE and FEF_NODEREFERENCE follow the file dialog's options.
    DWORD GetFlags() const;

    // The browse objects, for callers that change their options (NULL when
    // the mode has none). BrowseCallback is the field's own folder-browser
    // callback; it expects the field as its parameter.
    OPENFILENAME* GetOpenFileName() { return m_pFileDialog ? &m_pFileDialog->m_ofn : NULL; }
    BROWSEINFO* GetBrowseInfo() { return m_pBrowseInfo; }
    static int CALLBACK BrowseCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

    // -1: 8/10 of the client height. Returns the previous width.
    int SetButtonWidth(int nWidth = -1);
    int GetButtonWidth() const;

    POSITION GetStartPosition();
    CString GetNextPathName(POSITION& pos);

    // Runs the browse of the current mode; TRUE when the text was set (or
    // the parent vetoed the browse with a non-zero reply).
    BOOL ButtonClicked();

    void SetTexts(const FileEditTexts& texts);
    // Face colour of the button (CLR_DEFAULT: the 3-D face) and whether it is
    // drawn raised (otherwise a window-coloured frame).
    void SetButtonFace(COLORREF crFace, BOOL bRaised);
    // A tooltip control the field creates and uses instead of its own (not
    // owned; it must outlive the field's window). NULL: its own.
    void SetToolTipCtrl(CToolTipCtrl* pToolTip);
    // Tooltip of the text area (shown with FEF_CLIENTTIP).
    void SetToolTipText(LPCTSTR lpszText);
    // NULL: the three dots again. The control owns the image.
    void SetButtonImage(CFileEditImage* pImage);

    // The text of a profile value (FALSE for an empty section), from CProfileEdit.
    using CProfileEdit::LoadState;
    using CProfileEdit::SaveState;

    // The path list from the text now (data exchange calls it).
    void ParseText();

    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void PostNcDestroy() override;

    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnChange();
    afx_msg LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetReadOnly(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnToolTipTextEx(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    enum { kUp = 1,
           kDown = 2,
           kDisabled = 4,
           kIdle = 8 };

    BOOL BrowseForFile();
    BOOL BrowseForFolder();
    LRESULT Notify(UINT nCode, CString* pText);
    void AddPath(CString path);
    void AddWithWildcards(const CString& name);
    BOOL ResolvesLinks() const;
    char Separator();
    const FileEditTexts& Texts();
    void AddStatusLine(HWND hBrowser);
    void DrawButton(int nState);
    void DrawDots(CDC& dc, const CRect& rect, COLORREF cr, int nOffset) const;
    BOOL IsOnButton(CPoint screenPoint) const;
    void RecalcFrame();
    void SetIdle(BOOL bIdle);
    void RefreshFlat();
    void EnsureToolTip();
    BOOL HasTool(UINT_PTR nTool);
    void SetToolRects(const CRect& button, const CRect& client);
    CToolTipCtrl& ToolTip() { return m_pToolTip ? *m_pToolTip : m_ownToolTip; }
    void ReleaseButton();

    BOOL m_bAutoDelete;
    int m_nButtonSide;
    BOOL m_bButtonCaptured;
    BOOL m_bTextChanged;
    DWORD m_dwFlags;
    CStringList m_paths;
    int m_nButtonState;
    int m_nButtonWidth;
    BROWSEINFO* m_pBrowseInfo;
    CFECFileDialog* m_pFileDialog;
    CRect m_rcButton;     // relative to the window's top-left corner
    CString m_strFolder;  // drive and folder of the first path
    CString m_strClientTip;
    CString m_strStatusPath;  // the path the folder browser starts on
    FileEditTexts m_texts;
    BOOL m_bTextsSet;  // else the resource texts, loaded on first use
    CString m_strTitle;
    CString m_strInitialDir;  // the file dialog's start folder when the field chose it
    CString m_strTipShown;
    COLORREF m_crFace;
    BOOL m_bRaised;
    CToolTipCtrl m_ownToolTip;
    CToolTipCtrl* m_pToolTip;
    CFileEditImage* m_pImage;
    HWND m_hStatus;  // the folder browser's status line while it runs
    CScopedFont m_hStatusFont;
    BOOL m_bInitialDirOwned;
};

// Binds the dialog's edit nIDC to rControl with the flags (see above).
void DDX_FileEditCtrl(CDataExchange* pDX, int nIDC, CFileEditCtrl& rControl, DWORD dwFlags);
