#include "designer/app/ZavomgrView.h"

#include "designer/app/GlobalSetDlg.h"
#include "designer/app/MainFrame.h"
#include "designer/core/ProjectPaths.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "designer/app/ZavomgrApp.h"
#include "designer/app/ZavomgrDoc.h"
#include "framework/FrameWnd.h"
#include "imaging/xImage.h"
#include "resources/zavomgr/resource.h"

IMPLEMENT_DYNCREATE(CZavomgrView, CView)

BEGIN_MESSAGE_MAP(CZavomgrView, CView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_COMMAND(ID_EDIT_UNDO, &CZavomgrView::OnUndo)
    ON_COMMAND(ID_EDIT_CUT, &CZavomgrView::OnCut)
    ON_COMMAND(ID_EDIT_COPY, &CZavomgrView::OnCopy)
    ON_COMMAND(ID_EDIT_PASTE, &CZavomgrView::OnPaste)
    ON_COMMAND(ID_SELECT_ALL, &CZavomgrView::OnSelectAll)
    ON_COMMAND(ID_ELEMENT_PROPERTIES, &CZavomgrView::OnElementProperties)
    ON_COMMAND(ID_PROJECT_PROPERTIES, &CZavomgrView::OnProjectProperties)
    ON_COMMAND(ID_NEW_BUTTON, &CZavomgrView::OnNewButton)
    ON_COMMAND(ID_NEW_PICTURE, &CZavomgrView::OnNewPicture)
    ON_COMMAND(ID_NEW_STATIC, &CZavomgrView::OnNewStatic)
    ON_COMMAND(ID_NEW_PROGRESS, &CZavomgrView::OnNewProgress)
    ON_COMMAND(ID_STOP_PLACING, &CZavomgrView::OnStopPlacing)
    ON_COMMAND(ID_MULTI_CREATE, &CZavomgrView::OnMultiCreate)
    ON_COMMAND_RANGE(ID_SCALE_25, ID_SCALE_DOWN, &CZavomgrView::OnScale)
    ON_COMMAND(ID_SHOW_GRID, &CZavomgrView::OnShowGrid)
    ON_COMMAND(ID_SNAP_GRID, &CZavomgrView::OnSnapGrid)
    ON_COMMAND(ID_SHOW_MARGINS, &CZavomgrView::OnShowMargins)
    ON_COMMAND(ID_KEEP_INSIDE, &CZavomgrView::OnKeepInside)
    ON_COMMAND(ID_ALIGN_LEFT, &CZavomgrView::OnAlignLeft)
    ON_COMMAND(ID_ALIGN_RIGHT, &CZavomgrView::OnAlignRight)
    ON_COMMAND(ID_ALIGN_TOP, &CZavomgrView::OnAlignTop)
    ON_COMMAND(ID_ALIGN_BOTTOM, &CZavomgrView::OnAlignBottom)
    ON_COMMAND(ID_SAME_SIZE, &CZavomgrView::OnSameSize)
    ON_COMMAND(ID_ORDER_UP, &CZavomgrView::OnOrderUp)
    ON_COMMAND(ID_ORDER_DOWN, &CZavomgrView::OnOrderDown)
    ON_COMMAND(ID_ORDER_TOP, &CZavomgrView::OnOrderTop)
    ON_COMMAND(ID_ORDER_BOTTOM, &CZavomgrView::OnOrderBottom)
    ON_COMMAND(ID_SHOW_NUMBERS, &CZavomgrView::OnShowNumbers)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CZavomgrView::OnUpdateUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CZavomgrView::OnUpdateCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CZavomgrView::OnUpdateCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CZavomgrView::OnUpdatePaste)
    ON_UPDATE_COMMAND_UI(ID_SELECT_ALL, &CZavomgrView::OnUpdateNeedElements)
    ON_UPDATE_COMMAND_UI(ID_CREATE_MENU, &CZavomgrView::OnUpdateNeedElements)
    ON_UPDATE_COMMAND_UI(ID_WEB_PREVIEW, &CZavomgrView::OnUpdateNeedElements)
    ON_UPDATE_COMMAND_UI(ID_ELEMENT_PROPERTIES, &CZavomgrView::OnUpdateNeedOne)
    ON_UPDATE_COMMAND_UI(ID_NEW_BUTTON, &CZavomgrView::OnUpdatePlacing)
    ON_UPDATE_COMMAND_UI(ID_NEW_PICTURE, &CZavomgrView::OnUpdatePlacing)
    ON_UPDATE_COMMAND_UI(ID_NEW_STATIC, &CZavomgrView::OnUpdatePlacing)
    ON_UPDATE_COMMAND_UI(ID_NEW_PROGRESS, &CZavomgrView::OnUpdatePlacing)
    ON_UPDATE_COMMAND_UI(ID_STOP_PLACING, &CZavomgrView::OnUpdateStopPlacing)
    ON_UPDATE_COMMAND_UI(ID_MULTI_CREATE, &CZavomgrView::OnUpdateMultiCreate)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SCALE_25, ID_SCALE_DOWN, &CZavomgrView::OnUpdateScale)
    ON_UPDATE_COMMAND_UI(ID_SHOW_GRID, &CZavomgrView::OnUpdateShowGrid)
    ON_UPDATE_COMMAND_UI(ID_SNAP_GRID, &CZavomgrView::OnUpdateSnapGrid)
    ON_UPDATE_COMMAND_UI(ID_SHOW_MARGINS, &CZavomgrView::OnUpdateShowMargins)
    ON_UPDATE_COMMAND_UI(ID_KEEP_INSIDE, &CZavomgrView::OnUpdateKeepInside)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_LEFT, &CZavomgrView::OnUpdateNeedTwo)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_RIGHT, &CZavomgrView::OnUpdateNeedTwo)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_TOP, &CZavomgrView::OnUpdateNeedTwo)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_BOTTOM, &CZavomgrView::OnUpdateNeedTwo)
    ON_UPDATE_COMMAND_UI(ID_SAME_SIZE, &CZavomgrView::OnUpdateNeedTwo)
    ON_UPDATE_COMMAND_UI(ID_ORDER_UP, &CZavomgrView::OnUpdateNeedOne)
    ON_UPDATE_COMMAND_UI(ID_ORDER_DOWN, &CZavomgrView::OnUpdateNeedOne)
    ON_UPDATE_COMMAND_UI(ID_ORDER_TOP, &CZavomgrView::OnUpdateNeedOne)
    ON_UPDATE_COMMAND_UI(ID_ORDER_BOTTOM, &CZavomgrView::OnUpdateNeedOne)
    ON_UPDATE_COMMAND_UI(ID_SHOW_NUMBERS, &CZavomgrView::OnUpdateShowNumbers)
    ON_UPDATE_COMMAND_UI_RANGE(168, 172, &CZavomgrView::OnUpdateSelectionIds)
    ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

namespace {

const int kInitialPageWidth = 640, kInitialPageHeight = 480;
const int kKeepInsideMargins = 2;
const int kFitSlack = 4, kFitOversize = 24, kFitShrink = 20;
const double kScaleSteps = 10.0;

}  // namespace

CZavomgrView::CZavomgrView() : m_bReady(FALSE), m_nPlacing(PlaceNone) {}

CZavomgrView::~CZavomgrView() {}

CZavomgrDoc* CZavomgrView::GetDocument() const { return static_cast<CZavomgrDoc*>(m_pDocument); }

void CZavomgrView::OnDraw(CDC*) {}

BOOL CZavomgrView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

BOOL CZavomgrView::OnEraseBkgnd(CDC*) { return TRUE; }

void CZavomgrView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (HasCanvas()) m_canvas.MoveWindow(0, 0, cx, cy);
}

// The canvas takes the keys: the frame hands the focus back to the view
// after a dialog, a menu or another program.
void CZavomgrView::OnSetFocus(CWnd* pOldWnd)
{
    if (HasCanvas())
        m_canvas.SetFocus();
    else
        CView::OnSetFocus(pOldWnd);
}

// The document keeps the project's settings; the canvas shows and edits them.
void CZavomgrView::PushSettingsToCanvas()
{
    CZavomgrDoc* doc = GetDocument();
    if (!doc) return;
    const CProjectSettings& s = doc->GetSettings();
    // the page size first: the wallpaper is drawn at it
    CSize page = CZavomgrDoc::SanePaperSize(doc->GetControlList().GetPaperSize());
    m_canvas.SetPageSize(page);
    ShowWallpaper(s.wallpaper);
    m_canvas.SetDefaultEntry(s.defaultEntry);
    m_canvas.SetTimeout(s.timeout);
    m_canvas.SetSingleGo(s.singleGo);
    m_canvas.SetCenterCursor(s.centerCursor);
    m_canvas.SetUseShellIcon(s.useShellIcon);
}

// Never the previous project's picture; a picture that does not load keeps
// its path, so a save does not lose it.
void CZavomgrView::ShowWallpaper(const CString& path)
{
    m_canvas.SetWallpaper("", FALSE);
    if (path.IsEmpty()) return;
    // the picture from the project's folder, the path as the project stores it
    m_canvas.SetWallpaper(CProjectPaths::Resolve(path));
    m_canvas.SetWallpaper(path, TRUE);
}

namespace {

// Setting up the canvas for a project changes it many times; it is painted
// once, at the end.
class CRedrawHold {
public:
    explicit CRedrawHold(CDesignCanvas& canvas) : m_canvas(canvas) { m_canvas.HoldRedraw(); }
    ~CRedrawHold() { m_canvas.ReleaseRedraw(); }

private:
    CRedrawHold(const CRedrawHold&);
    CRedrawHold& operator=(const CRedrawHold&);
    CDesignCanvas& m_canvas;
};

}  // namespace

void CZavomgrView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    CRedrawHold hold(m_canvas);
    CZavomgrDoc* doc = GetDocument();
    // showing the project is no change to it
    BOOL bModified = doc && doc->GetControlList().IsModified();
    if (HasCanvas()) {
        // the ready flag stays: the canvas is set up once for the frame's life
        m_canvas.Reset();
        if (doc) m_canvas.SetList(&doc->GetControlList());
    } else {
        CRect client;
        GetClientRect(&client);
        if (!m_canvas.Create(client, this, doc ? &doc->GetControlList() : NULL)) return;
        m_canvas.SetGridVisible(FALSE);
        m_canvas.SetPageSize(CSize(kInitialPageWidth, kInitialPageHeight));
        m_canvas.SetSnapToGrid(FALSE);
        m_canvas.SetMarginsVisible(FALSE);
        m_canvas.SetShowNumbers(FALSE);
        m_canvas.SetMultiCreate(FALSE);
        m_bReady = TRUE;
    }
    m_nPlacing = PlaceNone;
    // a new project starts without the second path; the project file does not keep it
    if (doc && doc->GetPathName().IsEmpty()) m_canvas.SetSplashPath("");
    PushSettingsToCanvas();
    m_canvas.SetKeepInside(kKeepInsideMargins);
    if (doc) doc->GetControlList().SetModified(bModified);
    CSize page = m_canvas.GetPageSize();
    if (CMainFrame* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame()))
        frame->SetPageSize(page.cx, page.cy);
    FitFrameToPage(page.cx, page.cy);
}

void CZavomgrView::FitFrameToPage(int width, int height)
{
    if (width == 0 || height == 0) {
        if (!m_bReady) return;
        CSize page = m_canvas.GetPageSize();
        width = page.cx;
        height = page.cy;
    }
    CWnd* frame = GetParentFrame();
    if (!frame) return;
    CRect client;
    GetClientRect(&client);
    if (client.Width() == width + kFitSlack && client.Height() == height + kFitSlack) return;
    CRect outer;
    frame->GetWindowRect(&outer);
    int cx = outer.Width() + (width + kFitOversize) - client.Width();
    int cy = outer.Height() + (height + kFitOversize) - client.Height();
    frame->ShowWindow(SW_HIDE);
    frame->MoveWindow(outer.left, outer.top, cx, cy);
    frame->MoveWindow(outer.left, outer.top, cx - kFitShrink, cy - kFitShrink);
    frame->CenterWindow();
    frame->ShowWindow(SW_SHOW);
}

// ---- editing commands ----

void CZavomgrView::OnUndo() { m_canvas.Undo(); }
void CZavomgrView::OnCut() { m_canvas.Cut(); }
void CZavomgrView::OnCopy() { m_canvas.Copy(); }
void CZavomgrView::OnPaste() { m_canvas.Paste(); }
void CZavomgrView::OnSelectAll() { m_canvas.SelectAll(); }
void CZavomgrView::OnElementProperties() { m_canvas.ShowSelectedProperties(); }
void CZavomgrView::OnAlignLeft() { m_canvas.AlignLeft(); }
void CZavomgrView::OnAlignRight() { m_canvas.AlignRight(); }
void CZavomgrView::OnAlignTop() { m_canvas.AlignTop(); }
void CZavomgrView::OnAlignBottom() { m_canvas.AlignBottom(); }
void CZavomgrView::OnSameSize() { m_canvas.SameSize(); }
void CZavomgrView::OnOrderUp() { m_canvas.OrderUp(); }
void CZavomgrView::OnOrderDown() { m_canvas.OrderDown(); }
void CZavomgrView::OnOrderTop() { m_canvas.OrderTop(); }
void CZavomgrView::OnOrderBottom() { m_canvas.OrderBottom(); }

void CZavomgrView::OnShowGrid() { m_canvas.SetGridVisible(!m_canvas.GetGridVisible()); }
void CZavomgrView::OnSnapGrid() { m_canvas.SetSnapToGrid(!m_canvas.GetSnapToGrid()); }
void CZavomgrView::OnShowMargins() { m_canvas.SetMarginsVisible(!m_canvas.GetMarginsVisible()); }
void CZavomgrView::OnKeepInside() { m_canvas.SetKeepInside(kKeepInsideMargins); }

void CZavomgrView::OnShowNumbers()
{
    m_canvas.SetShowNumbers(!m_canvas.GetShowNumbers());
    Invalidate();
    if (HasCanvas()) m_canvas.Invalidate();
}

// ---- placing new elements ----

void CZavomgrView::StartPlacing(CUIControl* pPrototype, int nMode)
{
    m_canvas.SetPrototype(pPrototype);
    m_nPlacing = nMode;
}

void CZavomgrView::OnNewButton() { StartPlacing(new CUIButton, PlaceButton); }
void CZavomgrView::OnNewPicture() { StartPlacing(new CUIPicture, PlacePicture); }
void CZavomgrView::OnNewStatic() { StartPlacing(new CUIStatic, PlaceStatic); }
void CZavomgrView::OnNewProgress() { StartPlacing(new CUIProgress, PlaceProgress); }
void CZavomgrView::OnStopPlacing() { StartPlacing(NULL, PlaceNone); }

void CZavomgrView::OnMultiCreate()
{
    m_canvas.SetMultiCreate(!m_canvas.GetMultiCreate());
    m_nPlacing = PlaceNone;
}

// ---- picture scale ----

void CZavomgrView::ScalePicture(double factor) { m_canvas.SetPictureScale(factor); }

void CZavomgrView::OnScale(UINT nID)
{
    double step = kScaleSteps * m_canvas.GetPictureScaleStep();
    switch (nID) {
    case ID_SCALE_25: ScalePicture(0.25); break;
    case ID_SCALE_50: ScalePicture(0.5); break;
    case ID_SCALE_100: ScalePicture(1.0); break;
    case ID_SCALE_150: ScalePicture(1.5); break;
    case ID_SCALE_200: ScalePicture(2.0); break;
    case ID_SCALE_UP: ScalePicture(m_canvas.GetPictureScale() + step); break;
    case ID_SCALE_DOWN: ScalePicture(m_canvas.GetPictureScale() - step); break;
    }
}

BOOL CZavomgrView::AnyPictureSelected() const
{
    CUIControlList* list = m_canvas.GetList();
    if (!list) return FALSE;
    for (int i = 0; CUIControl* c = list->GetAt(i); ++i)
        if (c->IsSelected() && dynamic_cast<CUIPicture*>(c)) return TRUE;
    return FALSE;
}

// ---- project properties ----

BOOL CZavomgrView::CanReadPicture(const CString& path)
{
    CxImage image;
    return image.Load(path);
}

void CZavomgrView::OnProjectProperties()
{
    CGlobalSetDlg dlg(this);
    CSize page = m_canvas.GetPageSize();
    CSize grid = m_canvas.GetGridSize();
    dlg.m_nPageWidth = page.cx;
    dlg.m_nPageHeight = page.cy;
    dlg.m_nResolutionIndex = CGlobalSetDlg::ResolutionIndexOf(page.cx);
    dlg.m_nGridWidth = grid.cx;
    dlg.m_nGridHeight = grid.cy;
    m_canvas.GetMargins(dlg.m_nMarginLeft, dlg.m_nMarginTop, dlg.m_nMarginRight, dlg.m_nMarginBottom);
    dlg.m_strSplash = m_canvas.GetSplashPath();
    // the path as the document stores it (Save As may have rewritten it)
    dlg.m_strWallpaper = GetDocument() ? GetDocument()->GetSettings().wallpaper : m_canvas.GetWallpaper();
    dlg.m_nDefaultEntry = m_canvas.GetDefaultEntry();
    dlg.m_nTimeout = m_canvas.GetTimeout();
    dlg.m_nVesaMode = m_canvas.GetVesaMode();
    dlg.m_nQuickGo = m_canvas.GetSingleGo();
    dlg.m_nCenterCursor = m_canvas.GetCenterCursor();
    if (dlg.DoModal() != IDOK) return;

    m_canvas.SetGridSize(dlg.m_nGridWidth, dlg.m_nGridHeight);
    m_canvas.SetPageSize(CSize(dlg.m_nPageWidth, dlg.m_nPageHeight));
    m_canvas.SetMargins(dlg.m_nMarginLeft, dlg.m_nMarginTop, dlg.m_nMarginRight, dlg.m_nMarginBottom);
    m_canvas.SetSplashPath(dlg.m_strSplash);
    // a new wallpaper that cannot be read changes nothing
    if (dlg.m_strWallpaper != m_canvas.GetWallpaper() && !dlg.m_strWallpaper.IsEmpty() &&
        !CanReadPicture(dlg.m_strWallpaper)) {
        if (CZavomgrApp* app = static_cast<CZavomgrApp*>(AfxGetApp()))
            app->m_langManager.MessageBox(this, "String", IDS_PT_UNREADABLE, MB_ICONINFORMATION);
        dlg.m_strWallpaper = m_canvas.GetWallpaper();
    }
    ShowWallpaper(dlg.m_strWallpaper);
    m_canvas.SetDefaultEntry(dlg.m_nDefaultEntry);
    m_canvas.SetTimeout(dlg.m_nTimeout);
    m_canvas.SetVesaMode(dlg.m_nVesaMode);
    m_canvas.SetSingleGo(dlg.m_nQuickGo);
    m_canvas.SetCenterCursor(dlg.m_nCenterCursor);
    if (CZavomgrDoc* doc = GetDocument()) {
        CProjectSettings& s = doc->GetSettings();
        s.wallpaper = dlg.m_strWallpaper;
        s.defaultEntry = dlg.m_nDefaultEntry;
        s.timeout = dlg.m_nTimeout;
        s.singleGo = dlg.m_nQuickGo;
        s.centerCursor = dlg.m_nCenterCursor;
        doc->GetControlList().SetPaperSize(dlg.m_nPageWidth, dlg.m_nPageHeight);
        doc->SetModifiedFlag(TRUE);
    }
    m_canvas.Redraw();
    if (CMainFrame* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame()))
        frame->SetPageSize(dlg.m_nPageWidth, dlg.m_nPageHeight);
    FitFrameToPage(dlg.m_nPageWidth, dlg.m_nPageHeight);
}

// ---- update rules ----

void CZavomgrView::OnUpdateUndo(CCmdUI* pCmdUI) { m_canvas.OnUpdateUndo(pCmdUI); }
void CZavomgrView::OnUpdateCopy(CCmdUI* pCmdUI) { m_canvas.OnUpdateCopy(pCmdUI); }
void CZavomgrView::OnUpdatePaste(CCmdUI* pCmdUI) { m_canvas.OnUpdatePaste(pCmdUI); }

void CZavomgrView::OnUpdateNeedElements(CCmdUI* pCmdUI) { pCmdUI->Enable(m_canvas.ElementCount() > 0); }
void CZavomgrView::OnUpdateNeedOne(CCmdUI* pCmdUI) { pCmdUI->Enable(m_canvas.SelectedCount() == 1); }
void CZavomgrView::OnUpdateNeedTwo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_canvas.SelectedCount() > 1); }

void CZavomgrView::OnUpdatePlacing(CCmdUI* pCmdUI)
{
    int mode = pCmdUI->m_nID == ID_NEW_BUTTON    ? PlaceButton
               : pCmdUI->m_nID == ID_NEW_PICTURE ? PlacePicture
               : pCmdUI->m_nID == ID_NEW_STATIC  ? PlaceStatic
                                                 : PlaceProgress;
    pCmdUI->SetCheck(m_canvas.IsAdding() && m_nPlacing == mode);
}

void CZavomgrView::OnUpdateStopPlacing(CCmdUI* pCmdUI) { pCmdUI->Enable(m_canvas.IsAdding()); }
void CZavomgrView::OnUpdateMultiCreate(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_canvas.GetMultiCreate()); }
void CZavomgrView::OnUpdateScale(CCmdUI* pCmdUI) { pCmdUI->Enable(AnyPictureSelected()); }
void CZavomgrView::OnUpdateShowGrid(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_canvas.GetGridVisible()); }
void CZavomgrView::OnUpdateSnapGrid(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_canvas.GetSnapToGrid()); }

void CZavomgrView::OnUpdateShowMargins(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_canvas.GetMarginsVisible());
}

void CZavomgrView::OnUpdateKeepInside(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_canvas.GetKeepInside() == kKeepInsideMargins);
}

void CZavomgrView::OnUpdateShowNumbers(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_canvas.GetShowNumbers()); }

void CZavomgrView::OnUpdateSelectionIds(CCmdUI* pCmdUI)
{
    if (HasCanvas()) pCmdUI->Enable(m_canvas.SelectedCount() == 1);
}
