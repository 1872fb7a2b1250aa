#include "designer/app/MainFrame.h"

#include "designer/canvas/DesignCanvas.h"
#include "designer/app/GenMD5Dlg.h"
#include "designer/app/ZavomgrApp.h"
#include "designer/app/ZavomgrView.h"
#include "framework/FwRes.h"
#include "resources/zavomgr/resource.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_GETMINMAXINFO()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_MENUCHAR, &CMainFrame::OnMenuChar)
    ON_MESSAGE(WM_TASKBARNOTIFIERCLICKED, &CMainFrame::OnNotifierClicked)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CMainFrame::OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CMainFrame::OnToolTipText)
    ON_COMMAND(ID_VIEW_TOOLBAR, &CMainFrame::OnViewToolBar)
    ON_COMMAND(ID_VIEW_ELEMENTBAR, &CMainFrame::OnViewElementBar)
    ON_COMMAND(ID_VIEW_POSITIONBAR, &CMainFrame::OnViewPositionBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CMainFrame::OnUpdateViewToolBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ELEMENTBAR, &CMainFrame::OnUpdateViewElementBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_POSITIONBAR, &CMainFrame::OnUpdateViewPositionBar)
    ON_COMMAND(ID_HELP_CONTENTS, &CMainFrame::OnHelpContents)
    ON_COMMAND(ID_TOOL_GRUBMD5, &CMainFrame::OnGrubMd5)
    ON_COMMAND(ID_TOOL_TESSUMGR, &CMainFrame::OnTessumgr)
    ON_COMMAND(ID_TOOL_PELSYS, &CMainFrame::OnPelsys)
    ON_COMMAND(ID_TOOL_CMDPROMPT, &CMainFrame::OnCommandPrompt)
    ON_COMMAND_RANGE(IDC_POS_LEFT, IDC_POS_HEIGHT, &CMainFrame::OnPositionField)
    ON_UPDATE_COMMAND_UI_RANGE(IDC_POS_LEFT, IDC_POS_HEIGHT_SPIN, &CMainFrame::OnUpdatePositionField)
    ON_UPDATE_COMMAND_UI_RANGE(IDC_POS_LEFT_CAP, IDC_POS_HEIGHT_CAP, &CMainFrame::OnUpdatePositionCaption)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_POSITION, &CMainFrame::OnUpdateSelectionPanes)
END_MESSAGE_MAP()

CMainFrame::HtmlHelpProc CMainFrame::s_pfnHtmlHelp = NULL;

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_POSITION, ID_INDICATOR_SIZE,
                            ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
const int kPositionPane = 1, kSizePane = 2;
const char kZeroPair[] = " 0, 0";
const UINT kHelpDisplayTopic = 0;  // HH_DISPLAY_TOPIC
const int kTipLength = 80;

CZavomgrApp* App() { return static_cast<CZavomgrApp*>(AfxGetApp()); }

// The text after the first line break, or an empty text without one.
CString AfterFirstBreak(const CString& text)
{
    int n = text.FindOneOf("\r\n");
    return n < 0 ? CString() : text.Mid(n + 1);
}

// At most `limit` bytes of the text, never half of a double-byte character.
CString CutBytes(const CString& text, int limit)
{
    int n = 0;
    while (n < text.GetLength()) {
        int step = ::IsDBCSLeadByte((BYTE)text[n]) && n + 1 < text.GetLength() ? 2 : 1;
        if (n + step > limit) break;
        n += step;
    }
    return text.Left(n);
}

}  // namespace

CMainFrame::CMainFrame() : m_bMenuBuilt(FALSE) {}

CMainFrame::~CMainFrame() { CUIControl::SetPositionDisplay(NULL); }

BOOL CMainFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                           CCreateContext* pContext)
{
    CString title;
    App()->m_langManager.LoadString(title, nIDResource, FALSE);
    int nl = title.FindOneOf("\r\n");
    if (nl >= 0) title = title.Left(nl);
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    if (!title.IsEmpty()) {
        SetTitle(title);
        OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

HMENU CMainFrame::BuildOwnerDrawMenu()
{
    // the records of an installed menu must outlive it: one menu per frame
    if (m_bMenuBuilt || !m_menu.LoadMenu(IDR_ZAVOMGRTYPE)) return NULL;
    m_bMenuBuilt = TRUE;
    m_menu.AddToolbarIcons(IDR_MENUIMAGES);
    App()->m_langManager.TranslateMenu(&m_menu, "Menu");
    return m_menu.Detach();
}

// ---- creation ----

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    BOOL bSkin = App()->m_bSkin;
    if (bSkin && !CreateMenuBar()) return -1;
    if (!CreateToolBars() || !CreateStatusBar() || !CreateReBar(bSkin) || !CreatePositionBar())
        return -1;
    m_wndStatusBar.SetPaneInfo(kPositionPane, ID_INDICATOR_POSITION, SBPS_OWNERDRAW, kPaneWidth);
    m_wndStatusBar.SetPaneInfo(kSizePane, ID_INDICATOR_SIZE, SBPS_OWNERDRAW, kPaneWidth);
    m_wndStatusBar.SetPaneText(kPositionPane, kZeroPair);
    m_wndStatusBar.SetPaneText(kSizePane, kZeroPair);
    CreateNotifier();
    CUIControl::SetPositionDisplay(this);
    return 0;
}

BOOL CMainFrame::CreateMenuBar()
{
    if (HMENU menu = ::GetMenu(m_hWnd)) {
        ::SetMenu(m_hWnd, NULL);
        ::DestroyMenu(menu);
    }
    m_hMenuDefault = NULL;
    if (!m_wndMenuBar.Create(this, 0) || !m_wndMenuBar.LoadMenu(IDR_ZAVOMGRTYPE, TRUE)) return FALSE;
    m_wndMenuBar.LoadToolBar(IDR_MENUIMAGES);
    App()->m_langManager.TranslatePlainMenu(m_wndMenuBar.m_menu.m_hMenu, "Menu");
    return TRUE;
}

BOOL CMainFrame::CreateToolBars()
{
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS,
                               CRect(0, 0, 0, 0), ID_VIEW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_ZAVOMGRTYPE))
        return FALSE;
    m_wndToolBar.LoadImages(IDB_MAINTOOLBAR, RGB(255, 0, 255));
    if (!m_wndElementBar.CreateEx(this, TBSTYLE_FLAT,
                                  WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS,
                                  CRect(0, 0, 0, 0), ID_VIEW_ELEMENTBAR) ||
        !m_wndElementBar.LoadToolBar(IDR_ELEMENTBAR))
        return FALSE;
    m_wndElementBar.LoadImages(IDB_ELEMENTTOOLBAR, RGB(255, 0, 255));
    return TRUE;
}

BOOL CMainFrame::CreateStatusBar()
{
    return m_wndStatusBar.Create(this) &&
           m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0]));
}

BOOL CMainFrame::CreateReBar(BOOL bSkin)
{
    if (!m_wndReBar.Create(this)) return FALSE;
    if (bSkin) {
        if (!m_wndReBar.AddBar(&m_wndMenuBar, NULL, NULL, RBBS_GRIPPERALWAYS)) return FALSE;
        m_wndMenuBar.SetMenu(m_wndMenuBar.m_menu.m_hMenu);
    }
    return m_wndReBar.AddBar(&m_wndToolBar, NULL, NULL, RBBS_NOGRIPPER);
}

BOOL CMainFrame::CreatePositionBar()
{
    m_wndElementBar.EnableDocking(CBRS_ALIGN_TOP);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndElementBar);
    if (!m_wndPositionBar.CreateEx(this, TBSTYLE_FLAT,
                                   WS_CHILD | WS_VISIBLE | CBRS_BOTTOM | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                       CBRS_FLYBY,
                                   CRect(0, 0, 0, 0), ID_VIEW_POSITIONBAR))
        return FALSE;
    m_wndPositionBar.SetWindowText("Ctrl Position");
    m_wndPositionBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    DockControlBar(&m_wndPositionBar, AFX_IDW_DOCKBAR_BOTTOM);
    ShowControlBar(&m_wndPositionBar, FALSE, FALSE);
    return TRUE;
}

void CMainFrame::CreateNotifier()
{
    if (!m_wndNotifier.Create(this)) return;
    m_wndNotifier.SetSkin(IDB_NOTIFIER_SKIN, -1, -1, -1);
    m_wndNotifier.SetTextFont("Tahoma", 90, TN_TEXT_NORMAL, TN_TEXT_UNDERLINE);
    m_wndNotifier.SetTextColor(RGB(0, 0, 0), (COLORREF)0xC80000);
    CRect text(66, 40, m_wndNotifier.GetSkinWidth() - 10, m_wndNotifier.GetSkinHeight() - 25);
    m_wndNotifier.SetTextRect(text);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kExitTimer) {
        KillTimer(kExitTimer);
        PostMessage(WM_CLOSE);
    }
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    lpMMI->ptMinTrackSize.x = kMinTrackWidth;
    lpMMI->ptMinTrackSize.y = kMinTrackHeight;
}

// ---- owner-drawn menu plumbing ----

void CMainFrame::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS->CtlType == ODT_MENU && COwnerDrawMenu::IsRecord((COwnerDrawItem*)lpMIS->itemData)) {
        m_menu.MeasureItem(lpMIS);
        return;
    }
    CFrameWnd::OnMeasureItem(nIDCtl, lpMIS);
}

void CMainFrame::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS->CtlType == ODT_MENU && COwnerDrawMenu::IsRecord((COwnerDrawItem*)lpDIS->itemData)) {
        m_menu.DrawItem(lpDIS);
        return;
    }
    CFrameWnd::OnDrawItem(nIDCtl, lpDIS);
}

LRESULT CMainFrame::OnMenuChar(WPARAM wParam, LPARAM lParam)
{
    HMENU menu = (HMENU)lParam;
    if (COwnerDrawMenu::IsOwnerDrawMenu(menu))
        return COwnerDrawMenu::FindMnemonic(LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle(menu));
    return Default();
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && COwnerDrawMenu::IsOwnerDrawMenu(pPopupMenu)) COwnerDrawMenu::UpdateMenu(pPopupMenu);
}

// ---- texts ----

void CMainFrame::GetMessageString(UINT nID, CString& rMessage) const
{
    if (nID == 0 || nID == AFX_IDS_IDLEMESSAGE) {
        CFrameWnd::GetMessageString(nID, rMessage);
        return;
    }
    App()->m_langManager.LoadString(rMessage, nID, TRUE);
    int n = rMessage.FindOneOf("\r\n");
    if (n >= 0) rMessage = rMessage.Left(n);
}

BOOL CMainFrame::OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    bool bWide = pNMHDR->code == TTN_NEEDTEXTW;
    UINT_PTR id = pNMHDR->idFrom;
    UINT uFlags = bWide ? ((TOOLTIPTEXTW*)pNMHDR)->uFlags : ((TOOLTIPTEXTA*)pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND) id = (UINT_PTR)::GetDlgCtrlID((HWND)id);
    CString text;
    if (id != 0) App()->m_langManager.LoadString(text, (UINT)id, TRUE);
    CString tip = AfterFirstBreak(text);
    if (tip.IsEmpty()) return CFrameWnd::OnToolTipText(nID, pNMHDR, pResult);
    if (bWide) {
        // a longer tip is cut, not lost: convert it whole first
        std::vector<WCHAR> wide(tip.GetLength() + 1);
        int n = ::MultiByteToWideChar(CP_ACP, 0, tip, tip.GetLength(), &wide[0], (int)wide.size());
        if (n > kTipLength - 1) n = kTipLength - 1;
        TOOLTIPTEXTW* p = (TOOLTIPTEXTW*)pNMHDR;
        memcpy(p->szText, &wide[0], n * sizeof(WCHAR));
        p->szText[n] = 0;
    } else {
        lstrcpynA(((TOOLTIPTEXTA*)pNMHDR)->szText, CutBytes(tip, kTipLength - 1), kTipLength);
    }
    *pResult = 0;
    return TRUE;
}

// ---- position and size display ----

CZavomgrView* CMainFrame::GetZavomgrView() const
{
    CView* view = m_pViewActive;
    if (!view) {
        HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
        CWnd* wnd = pane ? CWnd::FromHandlePermanent(pane) : NULL;
        view = wnd ? DYNAMIC_DOWNCAST(CView, wnd) : NULL;
    }
    return view ? DYNAMIC_DOWNCAST(CZavomgrView, view) : NULL;
}

CDesignCanvas* CMainFrame::GetCanvas() const
{
    CZavomgrView* view = GetZavomgrView();
    return view && view->HasCanvas() ? &view->GetCanvas() : NULL;
}

void CMainFrame::ShowPosition(CPoint point, BOOL bFromToolbar)
{
    CString text;
    if (point.x == -1 && point.y == -1)
        text = kZeroPair;
    else
        text.Format(" %d, %d", point.x, point.y);
    if (m_wndStatusBar.m_hWnd) m_wndStatusBar.SetPaneText(kPositionPane, text);
    CDesignCanvas* canvas = GetCanvas();
    if (!bFromToolbar && canvas && canvas->SelectedCount() == 1 && m_wndPositionBar.m_hWnd)
        m_wndPositionBar.SetPosition(point.x, point.y);
}

void CMainFrame::ShowSize(CSize size, BOOL bFromToolbar)
{
    CString text;
    if (size.cx == -1 && size.cy == -1)
        text = kZeroPair;
    else
        text.Format(" %d x %d", size.cx, size.cy);
    if (m_wndStatusBar.m_hWnd) m_wndStatusBar.SetPaneText(kSizePane, text);
    CDesignCanvas* canvas = GetCanvas();
    if (!bFromToolbar && canvas && canvas->SelectedCount() == 1 && m_wndPositionBar.m_hWnd)
        m_wndPositionBar.SetSize(size.cx, size.cy);
}

// The position and size panes follow the selection: the drawing of a
// selected element shows its place; with none selected they read as at start-up.
void CMainFrame::OnUpdateSelectionPanes(CCmdUI*)
{
    CDesignCanvas* canvas = GetCanvas();
    if (canvas && canvas->SelectedCount() > 0) return;
    ShowPosition(CPoint(-1, -1), TRUE);
    ShowSize(CSize(-1, -1), TRUE);
    CUIControl::ForgetShownPlace();
}

void CMainFrame::SetPageSize(int cx, int cy)
{
    if (m_wndPositionBar.m_hWnd) m_wndPositionBar.SetRanges(cx, cy, cx, cy, FALSE);
}

// ---- position toolbar ----

void CMainFrame::OnPositionField(UINT nID)
{
    CDesignCanvas* canvas = GetCanvas();
    if (!canvas || !m_wndPositionBar.IsVisible()) return;
    int x = 0, y = 0, w = 0, h = 0;
    BOOL bSelected = canvas->SelectedCount() == 1 && canvas->GetSelectedRect(x, y, w, h);
    if (!bSelected) {
        // without an element the other fields stand for its rectangle
        x = (int)::GetDlgItemInt(m_wndPositionBar.m_hWnd, IDC_POS_LEFT, NULL, TRUE);
        y = (int)::GetDlgItemInt(m_wndPositionBar.m_hWnd, IDC_POS_TOP, NULL, TRUE);
        w = (int)::GetDlgItemInt(m_wndPositionBar.m_hWnd, IDC_POS_WIDTH, NULL, TRUE);
        h = (int)::GetDlgItemInt(m_wndPositionBar.m_hWnd, IDC_POS_HEIGHT, NULL, TRUE);
    }
    int* target = nID == IDC_POS_LEFT ? &x : nID == IDC_POS_TOP ? &y
                                         : nID == IDC_POS_WIDTH ? &w
                                                                : &h;
    int other = nID == IDC_POS_LEFT ? w : nID == IDC_POS_TOP ? h
                                      : nID == IDC_POS_WIDTH ? x
                                                             : y;
    int value = m_wndPositionBar.TakeValue(nID, other);
    BOOL bPosition = nID == IDC_POS_LEFT || nID == IDC_POS_TOP;
    if (!bSelected || value < 0 || (!bPosition && value == 0)) return;
    *target = value;
    canvas->SetSelectedRect(x, y, w, h);
    canvas->Redraw();
}

void CMainFrame::OnUpdatePositionField(CCmdUI* pCmdUI)
{
    if (CDesignCanvas* canvas = GetCanvas()) pCmdUI->Enable(canvas->SelectedCount() == 1);
}

void CMainFrame::OnUpdatePositionCaption(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

// ---- bars ----

void CMainFrame::FitToPage()
{
    if (CZavomgrView* view = GetZavomgrView()) view->FitFrameToPage(0, 0);
}

void CMainFrame::ToggleBar(CControlBar* pBar)
{
    ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
    FitToPage();
}

void CMainFrame::OnViewToolBar() { ToggleBar(&m_wndToolBar); }
void CMainFrame::OnViewElementBar() { ToggleBar(&m_wndElementBar); }
void CMainFrame::OnViewPositionBar() { ToggleBar(&m_wndPositionBar); }

void CMainFrame::OnUpdateViewToolBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndToolBar.IsVisible()); }

void CMainFrame::OnUpdateViewElementBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndElementBar.IsVisible());
}

void CMainFrame::OnUpdateViewPositionBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndPositionBar.IsVisible());
}

// ---- tools ----

CString CMainFrame::HelpTopicPath(const CString& appPath)
{
    CString path = appPath;
    if (path.IsEmpty() || path[path.GetLength() - 1] != '\\') path += '\\';
    return path + "Zavomgr.chm::/html/Welcome.htm";
}

CString CMainFrame::CommandInterpreter()
{
    const char* comspec = getenv("ComSpec");
    return comspec && *comspec ? CString(comspec) : CString("C:\\Windows\\system32\\Cmd.exe");
}

void CMainFrame::OnHelpContents()
{
    HtmlHelpProc viewer = s_pfnHtmlHelp;
    if (!viewer) {
        static HMODULE s_hhctrl = ::LoadLibraryA("hhctrl.ocx");
        if (s_hhctrl) viewer = (HtmlHelpProc)(void*)::GetProcAddress(s_hhctrl, "HtmlHelpA");
    }
    CString path = HelpTopicPath(App()->m_strAppPath);
    if (viewer && viewer(m_hWnd, path, kHelpDisplayTopic, 0)) return;
    CString text, caption;
    App()->m_langManager.LoadString(text, IDS_HELP_MISSING, TRUE);
    App()->m_langManager.LoadString(caption, IDS_HELP_CAPTION, TRUE);
    AfxShowMessageBox(m_hWnd, text, caption, MB_ICONINFORMATION);
}

void CMainFrame::OnGrubMd5()
{
    CGenMD5Dlg dlg(this);
    dlg.DoModal();
}

void CMainFrame::StartSibling(LPCTSTR lpszProgram)
{
    CString path = App()->m_strAppPath + lpszProgram;
    ::ShellExecuteA(m_hWnd, "open", path, NULL, NULL, SW_SHOWNORMAL);
}

void CMainFrame::OnTessumgr() { StartSibling("\\Tessumgr.exe"); }
void CMainFrame::OnPelsys() { StartSibling("\\Pelsys.exe"); }

void CMainFrame::OnCommandPrompt()
{
    ::ShellExecuteA(m_hWnd, "open", CommandInterpreter(), "/k", App()->m_strBinPath, SW_SHOWNORMAL);
}

LRESULT CMainFrame::OnNotifierClicked(WPARAM, LPARAM)
{
    if (!m_strNotifierTarget.IsEmpty())
        ::ShellExecuteA(m_hWnd, "open", m_strNotifierTarget, NULL, NULL, SW_SHOWNORMAL);
    return 0;
}

// Without a window menu, Alt and F10 go to the menu bar in the rebar.
BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndMenuBar.TranslateFrameKey(pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}
