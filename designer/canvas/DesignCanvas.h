// CDesignCanvas: the child window on which the menu screen is laid out. It
// draws the page of an element list at a zoom (wallpaper or plain colour,
// dot grid, margins, elements), scrolls it, edits the elements by mouse and
// keyboard, carries the editing commands, and holds the screen-wide project
// settings. CViewCanvas (ViewCanvas.h) is the form the view creates.
#pragma once

#include <windows.h>

#include "framework/CmdUI.h"
#include "framework/DC.h"
#include "framework/Geometry.h"
#include "framework/String.h"
#include "framework/ScopedHandle.h"
#include "framework/Wnd.h"
#include "imaging/xImage.h"

#include <vector>

class CUIControl;
class CUIControlList;
class CCanvasContextMenu;

// Framework edit commands the canvas carries (besides 300 to 400).
enum {
    CANVAS_ID_EDIT_COPY = 57634,
    CANVAS_ID_EDIT_CUT = 57635,
    CANVAS_ID_EDIT_PASTE = 57637,
    CANVAS_ID_EDIT_UNDO = 57643,
    CANVAS_ID_EDIT_GROUP = 57645,
    CANVAS_ID_EDIT_UNGROUP = 57646
};

// Drag modes.
enum {
    CANVAS_DRAG_NONE = 0,
    CANVAS_DRAG_RUBBER = 1,
    CANVAS_DRAG_MOVE = 2,
    CANVAS_DRAG_RESIZE = 3,
    CANVAS_DRAG_ADD = 4
};

class CDesignCanvas : public CWnd {
public:
    CDesignCanvas();
    virtual ~CDesignCanvas();

    // Creates the child window; without a list the canvas makes and owns one.
    virtual BOOL Create(const RECT& rect, CWnd* pParent, CUIControlList* pList,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = 0);
    // Back to zoom 1, no drag, no prototype, scroll positions 0.
    virtual void Reset();
    virtual void DrawPage(CDC* pDC, const CRect& rect);
    // Background and elements only (no grid, margins or handles); deselects
    // every element first.
    virtual void DrawPlain(CDC* pDC, const CRect& rect, double zoom);
    virtual void DrawBackground(CDC* pDC, const CRect& rect, double zoom);
    virtual void DrawFrameArea(CDC* pDC, const CRect& rect);
    virtual void DrawGrid(CDC* pDC, const CRect& rect, double zoom);
    virtual void DrawMargins(CDC* pDC, const CRect& rect, double zoom);
    virtual void DrawElements(CDC* pDC, double zoom);
    virtual void SetZoom(double zoom);
    virtual void SetPictureScale(double scale);
    virtual void AddElement(CUIControl* pControl);
    virtual void SetElementRect(CUIControl* pControl, const RECT& rect);
    // Takes ownership; the next click places a clone. NULL cancels placing.
    virtual void SetPrototype(CUIControl* pPrototype);
    virtual void SelectAll();
    virtual void DeselectAll();
    virtual void DeleteSelected();
    virtual void AlignLeft();
    virtual void AlignRight();
    virtual void AlignTop();
    virtual void AlignBottom();
    virtual void SameSize();
    virtual void Cut();
    virtual void Copy();
    virtual void Paste();
    virtual void Undo();
    virtual void DrawPanAnchor(CDC* pDC);
    virtual HCURSOR GetCursorForPoint(CPoint point);
    virtual void DoSize(UINT nType, int cx, int cy);
    virtual void DoHScroll(UINT nSBCode, UINT nPos);
    virtual void DoVScroll(UINT nSBCode, UINT nPos);
    virtual BOOL DoSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    virtual void DoLButtonDblClk(UINT nFlags, CPoint point);
    virtual void DoLButtonDown(UINT nFlags, CPoint point);
    virtual void DoLButtonUp(UINT nFlags, CPoint point);
    virtual void DoRButtonUp(UINT nFlags, CPoint point);
    virtual void DoRButtonDown(UINT nFlags, CPoint point);
    virtual void DoMouseMove(UINT nFlags, CPoint point);
    virtual void DoKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void DoElementCommand(UINT nID);
    virtual BOOL DoMouseWheel(UINT nFlags, short zDelta, CPoint point);
    virtual void DoMButtonDown(UINT nFlags, CPoint point);
    virtual void SetHScrollPos(int nPos);
    virtual void SetVScrollPos(int nPos);

    // Commands of the selection.
    void Group();
    void Ungroup();
    void DuplicateSelected();
    void OrderUp();
    void OrderDown();
    void OrderTop();
    void OrderBottom();
    void ShowSelectedProperties();
    void ShowContextMenu(CPoint screenPoint);
    // The canvas's popup, made on first use.
    CCanvasContextMenu* GetContextMenu();

    // Update rules for the view's commands.
    BOOL CanCopy() const { return AnySelected(); }
    BOOL CanPaste() const;
    BOOL CanUndo() const;
    void OnUpdateCopy(CCmdUI* pCmdUI);
    void OnUpdatePaste(CCmdUI* pCmdUI);
    void OnUpdateUndo(CCmdUI* pCmdUI);
    void OnUpdateGroup(CCmdUI* pCmdUI);
    void OnUpdateElementCommand(CCmdUI* pCmdUI);

    // Page size: the list's, the client size standing in while it has none.
    CSize GetPageSize() const;
    void SetPageSize(CSize size);

    // Coordinates: page (elements) and client (window) at the zoom and the
    // scroll positions.
    CPoint PageToClient(double x, double y) const;
    CPoint ClientToPage(CPoint point) const;
    CRect PageToClient(const RECT& rect) const;
    CRect ClientToPage(const RECT& rect) const;
    CSize ZoomSize(double cx, double cy) const;
    int GetHScrollPos() const;
    int GetVScrollPos() const;
    // Auto-scroll while dragging; the change actually made.
    int ScrollByX(int dx);
    int ScrollByY(int dy);
    void UpdateScrollBars();
    // Invalidate, erase and repaint at once.
    void Redraw();
    // While held, Redraw() only notes that a repaint is due; the last release
    // makes it, once.
    void HoldRedraw() { ++m_nRedrawHold; }
    void ReleaseRedraw();

    // The element list.
    CUIControlList* GetList() const { return m_pList; }
    void SetList(CUIControlList* pList);
    CUIControl* GetElementAt(int nIndex) const;
    void SetModified(BOOL bModified);
    BOOL AnySelected() const { return SelectedCount() > 0; }
    int SelectedCount() const;
    int ElementCount() const;
    CUIControl* GetSelectedElement() const;
    CSize GetContentExtent() const;
    BOOL GetSelectedRect(int& x, int& y, int& w, int& h) const;
    BOOL SetSelectedRect(int x, int y, int w, int h);

    // Placing.
    BOOL IsAdding() const { return m_bAddPending && m_pPrototype != NULL; }
    void SetMultiCreate(BOOL bOn);
    BOOL GetMultiCreate() const { return m_bMultiCreate; }
    int GetDragMode() const { return m_nDragMode; }

    // Display state.
    double GetZoom() const { return m_zoom; }
    double GetZoomStep() const { return m_zoomStep; }
    double GetPictureScale() const { return m_pictureScale; }
    double GetPictureScaleStep() const { return m_pictureScaleStep; }
    BOOL IsPanning() const { return m_bPanning; }
    void StopPanning();

    // Project settings.
    CString GetWallpaper() const { return m_strWallpaper; }
    // keepOnly stores the path alone; otherwise the image is loaded and
    // drawn at the page size. A path that fails to load changes nothing.
    BOOL SetWallpaper(LPCTSTR lpszPath, BOOL bKeepOnly = FALSE);
    CxImage GetWallpaperImage() const { return m_wallpaperImage; }
    CString GetSplashPath() const { return m_strSplash; }
    void SetSplashPath(LPCTSTR s) { m_strSplash = s; }
    int GetDefaultEntry() const { return m_nDefaultEntry; }
    void SetDefaultEntry(int n) { m_nDefaultEntry = n; }
    int GetTimeout() const { return m_nTimeout; }
    void SetTimeout(int n) { m_nTimeout = n; }
    int GetVesaMode() const { return m_nVesaMode; }
    void SetVesaMode(int n) { m_nVesaMode = n; }
    int GetSingleGo() const { return m_nSingleGo; }
    void SetSingleGo(int n) { m_nSingleGo = n; }
    int GetCenterCursor() const { return m_nCenterCursor; }
    void SetCenterCursor(int n) { m_nCenterCursor = n; }
    int GetUseShellIcon() const { return m_nUseShellIcon; }
    void SetUseShellIcon(int n) { m_nUseShellIcon = n; }
    BOOL GetShowNumbers() const { return m_bShowNumbers; }
    void SetShowNumbers(BOOL b) { m_bShowNumbers = b; }
    BOOL GetGridVisible() const { return m_bGridVisible; }
    void SetGridVisible(BOOL b);
    COLORREF GetGridColor() const { return m_crGrid; }
    void SetGridColor(COLORREF cr);
    CSize GetGridSize() const { return m_gridSize; }
    // Values below 1 are taken as 1.
    void SetGridSize(int cx, int cy);
    BOOL GetSnapToGrid() const { return m_bSnapToGrid; }
    void SetSnapToGrid(BOOL b) { m_bSnapToGrid = b; }
    BOOL GetMarginsVisible() const { return m_bMarginsVisible; }
    void SetMarginsVisible(BOOL b);
    void GetMargins(int& left, int& top, int& right, int& bottom) const;
    void SetMargins(int left, int top, int right, int bottom);
    int GetKeepInside() const { return m_nKeepInside; }
    void SetKeepInside(int nMode) { m_nKeepInside = nMode; }
    COLORREF GetFrameColor() const { return m_crFrame; }
    void SetFrameColor(COLORREF cr) { m_crFrame = cr; }

    // Keeping the selection inside the page or the margins.
    void ClampRect(double& l, double& t, double& r, double& b) const;
    void ClampPoint(double& x, double& y) const;
    void ClampMoveDelta(double& dx, double& dy) const;
    int SnapX(int x) const;
    int SnapY(int y) const;

protected:
    // An opaque 24-bit picture of the page's size, on a screen of 24 bits or
    // more: drawing it into a page bitmap gives its own pixels back.
    static BOOL IsPagePicture(const CxImage& picture, CSize page);
    // Everything the frame area, the background, the grid and the margins of
    // a paint depend on: when it is the same, so are their pixels.
    struct BackgroundKey {
        CSize client, page;
        int h, v;
        double zoom;
        COLORREF frame, grid, margin;
        BOOL gridVisible, marginsVisible;
        CSize gridSize;
        int margins[4];
        unsigned wallpaper;
        bool operator==(const BackgroundKey& o) const;
    };
    BackgroundKey GetBackgroundKey(const CRect& client, int h, int v, CSize zoomed) const;
    // Sets a scroll bar's range (from 0) and page without drawing the bar;
    // TRUE when they changed. Under Wine each drawing of a bar costs
    // milliseconds, so UpdateScrollBars has the frame drawn once afterwards.
    BOOL SetBarRange(int nBar, int nMax, int nPage);
    // Invalidates the frame (scroll bars) and not the client area.
    void RedrawFrame();
    // Whether a client area of that size is painted in the kept bitmap.
    BOOL FitsKeptBitmap(CSize client) const;
    // The kept background becomes the one before the last; none is kept.
    void KeepBackgroundAsPrevious();
    // Draws the whole client area as one paint does, into pDC.
    void PaintClient(CDC* pDC);
    // The layers under the elements: background, grid, margins.
    void DrawPageLayers(CDC* pDC, const CRect& rect);
    // The elements and the pan anchor.
    void DrawPageContents(CDC* pDC);
    BOOL GetKeepArea(double& l, double& t, double& r, double& b) const;
    BOOL PointInKeepArea(CPoint q) const;
    CUIControl* TopSelected() const;
    void AutoScroll(CPoint point, int& dx, int& dy);
    // Records where the pointer grabbed the element, in client pixels and
    // exactly in page units.
    // The phases of a left press: reset the drag, grab a multiple selection,
    // place the prototype (FALSE: nowhere to place it), select at the point.
    void BeginPress();
    void GrabSelection(CPoint pagePoint, CPoint point);
    BOOL PlacePrototype(CPoint pagePoint);
    void SelectAtPoint(CPoint point, BOOL bToggle);
    void RecordGrab(CUIControl* pControl, CPoint point);
    void MoveSelection(CPoint point);
    void ResizeSelection(CPoint point);
    void FinishDrag();
    void StepSelection(UINT nChar, BOOL bResize);
    void DeletePrototype();
    void ReleaseOwnList();
    void DrawRubberBand();
    void OnPanTimer();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnElementCommand(UINT nID);
    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    afx_msg void OnEditPaste();
    afx_msg void OnEditUndo();
    afx_msg void OnEditGroup();
    afx_msg void OnEditUngroup();

    double m_zoom;
    double m_zoomStep;
    double m_zoomMax;
    double m_zoomMin;
    double m_pictureScale;
    double m_pictureScaleStep;
    double m_pictureScaleMax;
    double m_pictureScaleMin;
    int m_nDragMode;
    int m_nDragHandle;
    CRect m_rubberBand;
    CPoint m_dragOffset;
    double m_grabX, m_grabY;
    BOOL m_bAddPending;
    BOOL m_bMultiCreate;
    CUIControl* m_pDragAnchor;
    COLORREF m_crFrame;
    BOOL m_bSnapToGrid;
    BOOL m_bGridVisible;
    CSize m_gridSize;
    COLORREF m_crGrid;
    BOOL m_bMarginsVisible;
    COLORREF m_crMargin;
    int m_margins[4];
    int m_nKeepInside;
    CPoint m_panAnchor;
    BOOL m_bPanning;
    UINT m_nPanTimer;
    CString m_strWallpaper;
    CString m_strSplash;
    int m_nDefaultEntry;
    int m_nTimeout;
    int m_nVesaMode;
    int m_nSingleGo;
    int m_nCenterCursor;
    int m_nUseShellIcon;
    BOOL m_bShowNumbers;
    CUIControlList* m_pList;
    CCanvasContextMenu* m_pContextMenu;
    CUIControl* m_pPrototype;
    CUIControlList* m_pOwnList;
    HCURSOR m_panCursors[8];
    CxImage m_wallpaperImage;
    BOOL m_bInScrollUpdate;
    int m_nRedrawHold;
    BOOL m_bRedrawPending;
    // While a paint runs: its memory DC and the top-down 32-bit pixels of
    // its bitmap, which the grid writes straight into.
    HDC m_hPaintDC;
    DWORD* m_pPaintBits;
    CSize m_paintSize;
    // The paint's bitmap, kept from one paint to the next while the client
    // area fits in it (its top left part is painted), and the pixels under
    // the elements of the last paint with what they were drawn from.
    CScopedBitmap m_paintBitmap;
    DWORD* m_pKeptBits;
    CSize m_keptSize;
    std::vector<DWORD> m_background;
    BackgroundKey m_backgroundKey;
    // The background before that one, so that the step back after a zoom
    // step or a scroll finds it.
    std::vector<DWORD> m_previousBackground;
    BackgroundKey m_previousBackgroundKey;
    // Changes with every change of the wallpaper's path or picture.
    unsigned m_nWallpaperChange;

    DECLARE_MESSAGE_MAP()

private:
    CDesignCanvas(const CDesignCanvas&);
    CDesignCanvas& operator=(const CDesignCanvas&);
};
