// CScreenCaptureDlg: freezes the screen when created, covers it, lets the
// user draw and adjust a selection and, on a double click inside it, saves
// that part of the frozen screen as a PNG file and ends with OK.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/Geometry.h"
#include "framework/String.h"
#include "designer/capture/CaptureInfoBox.h"
#include "designer/capture/SelectionTracker.h"
#include "framework/ScopedHandle.h"

class CDC;

class CScreenCaptureDlg : public CDialog {
public:
    explicit CScreenCaptureDlg(CWnd* pParent = NULL);
    virtual ~CScreenCaptureDlg();

    void SetTargetFile(LPCTSTR lpszFile) { m_strTargetFile = lpszFile ? lpszFile : ""; }
    const CString& GetTargetFile() const { return m_strTargetFile; }

    // "<themes>\Pictures\Screen\screen_<stamp>.png"; empty when the name
    // would not fit a path.
    static CString MakeTargetName(LPCTSTR lpszThemesFolder, LPCTSTR lpszStamp);
    // Makes the folders, freezes the screen, hides the main window while the
    // dialog runs and gives the written file on IDOK; a capture whose file
    // could not be written gives IDCANCEL.
    static INT_PTR CaptureToFile(CWnd* pParent, LPCTSTR lpszThemesFolder, LPCTSTR lpszStamp, CString& strFile);

    // Normalises the rectangle and clips it to a cx x cy screen; FALSE when
    // nothing is left.
    static BOOL ClipToScreen(CRect& rc, int cx, int cy);
    // Where the label box of a selection goes on a screen of the given width.
    static CRect PlaceLabelBox(const CRect& selection, CSize box, int nScreenWidth);
    // Saves the part of the frozen screen (clipped) under the target file;
    // FALSE when nothing was written.
    BOOL SaveSelection(const CRect& rc);

    BOOL HasSelection() const { return m_bSelection; }
    BOOL IsDrawingSelection() const { return m_bRubberBand; }
    const CRect& GetSelection() const { return m_tracker.m_rect; }
    CSize GetScreenSize() const { return CSize(m_cxScreen, m_cyScreen); }
    BOOL HasFrozenScreen() const { return m_hScreen.IsValid(); }
    // TRUE once a double click wrote the target file.
    BOOL WasSaved() const { return m_bSaved; }

    virtual BOOL OnInitDialog() override;
    // Esc drops the selection first; without one it closes the dialog.
    virtual void OnCancel() override;
    // Enter saves nothing and keeps the dialog open.
    virtual void OnOK() override {}

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    void FreezeScreen();
    void LoadResources();
    // Invalidates the window without the information box, with erase.
    void Repaint();
    void UpdateInfoText();
    void DrawLabelBox(CDC* pDC);
    void DropSelection();
    static void OnTrackerChanged(void* pContext);
    static void ShowBeneath(HWND hMain, HWND hDialog);

    int m_cxScreen;
    int m_cyScreen;
    BOOL m_bButtonDown;
    BOOL m_bRubberBand;
    BOOL m_bSelection;
    BOOL m_bSaved;
    CPoint m_ptStart;
    CSelectionTracker m_tracker;
    CScopedBitmap m_hScreen;
    HCURSOR m_hArrow;
    CScopedRgn m_hRepaint;
    CString m_strTargetFile;
    CCaptureInfoBox m_infoBox;
    HICON m_hIcon;
    HICON m_hSmallIcon;
};
