#include "designer/capture/ScreenCaptureDlg.h"

#include <string.h>
#include <windowsx.h>

#include "designer/app/LangManager.h"
#include "designer/propdlg/UIControlPrpDlg.h"
#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "framework/ResourceList.h"
#include "framework/WinApp.h"
#include "imaging/xImage.h"
#include "resources/zavomgr/resource.h"
#include "framework/ScopedHandle.h"

namespace {
const COLORREF kTrackerColor = RGB(10, 100, 130);
const COLORREF kLabelBorder = RGB(147, 147, 147);
const UINT kTrackerStyle = CSelectionTracker::solidLine | CSelectionTracker::resizeOutside |
                           CSelectionTracker::handlesOnLine;
const int kNewSelection = 4;
const int kLabelGap = 3;
const int kLabelLines = 6;
const UINT kAppIcon = 117;

CString LoadText(UINT nID, LPCTSTR lpszFallback, BOOL bBlank)
{
    CString text;
    if (CLangManager* pLang = CUIControlPrpDlg::GetLangManager())
        pLang->LoadString(text, nID, bBlank);
    else if (!text.LoadString(nID))
        text.Empty();
    if (text.IsEmpty())
        text = lpszFallback;
    return text;
}

HCURSOR LoadResourceCursor(UINT nID)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_GROUP_CURSOR);
    return ::LoadCursor(hInst, MAKEINTRESOURCE(nID));
}

HICON LoadResourceIcon(UINT nID, int cx, int cy)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_GROUP_ICON);
    return (HICON)::LoadImage(hInst, MAKEINTRESOURCE(nID), IMAGE_ICON, cx, cy, 0);
}

// A memory DC with one bitmap selected, both released on every path.
class CMemoryDC {
public:
    CMemoryDC(HDC hCompatible, HBITMAP hBitmap)
        : m_hDC(::CreateCompatibleDC(hCompatible)),
          m_hOld(m_hDC.IsValid() && hBitmap ? ::SelectObject(m_hDC, hBitmap) : NULL) {}
    ~CMemoryDC()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    BOOL IsValid() const { return m_hDC.IsValid() && m_hOld != NULL; }
    HDC Get() const { return m_hDC; }

private:
    CScopedMemDC m_hDC;
    HGDIOBJ m_hOld;
};

class CScreenDC {
public:
    CScreenDC() : m_hDC(::GetDC(NULL)) {}
    ~CScreenDC()
    {
        if (m_hDC)
            ::ReleaseDC(NULL, m_hDC);
    }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
};

class CClipboardGate {
public:
    explicit CClipboardGate(HWND hWnd) : m_bOpen(::OpenClipboard(hWnd)) {}
    ~CClipboardGate()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    CClipboardGate(const CClipboardGate&) = delete;
    CClipboardGate& operator=(const CClipboardGate&) = delete;
    BOOL IsOpen() const { return m_bOpen; }

private:
    BOOL m_bOpen;
};
}  // namespace

BEGIN_MESSAGE_MAP(CScreenCaptureDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CScreenCaptureDlg::CScreenCaptureDlg(CWnd* pParent)
    : CDialog(IDD_SCREENCAPTURE, pParent), m_cxScreen(::GetSystemMetrics(SM_CXSCREEN)),
      m_cyScreen(::GetSystemMetrics(SM_CYSCREEN)), m_bButtonDown(FALSE), m_bRubberBand(FALSE),
      m_bSelection(FALSE), m_bSaved(FALSE), m_ptStart(0, 0), m_hArrow(NULL),
      m_hRepaint(::CreateRectRgn(0, 0, 50, 50)), m_hIcon(NULL), m_hSmallIcon(NULL)
{
    FreezeScreen();
    m_tracker.m_rect = CRect(-1, -2, -3, -4);
    m_tracker.m_nStyle = kTrackerStyle;
    m_tracker.SetColor(kTrackerColor);
    m_tracker.LoadHandleSize();
    m_tracker.SetChangedCallback(OnTrackerChanged, this);
    LoadResources();
}

CScreenCaptureDlg::~CScreenCaptureDlg()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    if (m_hSmallIcon)
        ::DestroyIcon(m_hSmallIcon);
}

void CScreenCaptureDlg::FreezeScreen()
{
    if (m_cxScreen <= 0 || m_cyScreen <= 0)
        return;
    CScreenDC screen;
    if (!screen.Get())
        return;
    m_hScreen.Reset(::CreateCompatibleBitmap(screen.Get(), m_cxScreen, m_cyScreen));
    if (!m_hScreen.IsValid())
        return;
    CMemoryDC mem(screen.Get(), m_hScreen);
    if (!mem.IsValid() || !::BitBlt(mem.Get(), 0, 0, m_cxScreen, m_cyScreen, screen.Get(), 0, 0, SRCCOPY | CAPTUREBLT))
        ::PatBlt(mem.Get(), 0, 0, m_cxScreen, m_cyScreen, BLACKNESS);
}

void CScreenCaptureDlg::LoadResources()
{
    m_hArrow = LoadResourceCursor(IDC_CAPTURE_CROSS);
    static const UINT kCursors[CSelectionTracker::kHandles + 1] = {
        IDC_CAPTURE_NWSE, IDC_CAPTURE_NESW, IDC_CAPTURE_NWSE, IDC_CAPTURE_NESW, IDC_CAPTURE_NS,
        IDC_CAPTURE_WE, IDC_CAPTURE_NS, IDC_CAPTURE_WE, IDC_CAPTURE_MOVE};
    for (int i = 0; i <= CSelectionTracker::kHandles; ++i)
        m_tracker.SetCursor(i, LoadResourceCursor(kCursors[i]));
    m_hIcon = LoadResourceIcon(kAppIcon, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    m_hSmallIcon = LoadResourceIcon(kAppIcon, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    m_infoBox.LoadBackground(IDB_CAPTURE_INFO);
}

CString CScreenCaptureDlg::MakeTargetName(LPCTSTR lpszThemesFolder, LPCTSTR lpszStamp)
{
    CString name;
    if (!lpszThemesFolder || !lpszStamp)
        return name;
    // Checked before formatting: the pattern adds 32 characters.
    if (strlen(lpszThemesFolder) + strlen(lpszStamp) + 32 >= MAX_PATH)
        return name;
    name.Format("%s\\Pictures\\Screen\\screen_%s.png", lpszThemesFolder, lpszStamp);
    return name;
}

// The main window comes back without taking the activation: it is disabled
// while the dialog that opened the capture runs, and on top it would hold the
// only enabled window beneath it.
void CScreenCaptureDlg::ShowBeneath(HWND hMain, HWND hDialog)
{
    if (hDialog == NULL || hDialog == hMain || !::IsWindow(hDialog)) {
        ::ShowWindow(hMain, SW_SHOW);
        return;
    }
    ::SetWindowPos(hMain, hDialog, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(hDialog);
    ::SetActiveWindow(hDialog);
    HWND hFocus = ::GetFocus();
    if (hFocus != hDialog && !::IsChild(hDialog, hFocus))
        ::SetFocus(hDialog);
}

INT_PTR CScreenCaptureDlg::CaptureToFile(CWnd* pParent, LPCTSTR lpszThemesFolder, LPCTSTR lpszStamp,
                                         CString& strFile)
{
    const CString target = MakeTargetName(lpszThemesFolder, lpszStamp);
    if (target.IsEmpty() || !CUIControlPrpDlg::CreateFolderPath(target))
        return IDCANCEL;
    // The screen is frozen here, before the main window is hidden.
    CScreenCaptureDlg dlg(pParent);
    dlg.SetTargetFile(target);
    CWnd* pMain = AfxGetMainWnd();
    HWND hMain = pMain ? pMain->GetSafeHwnd() : NULL;
    const BOOL bHide = hMain && ::IsWindowVisible(hMain);
    if (bHide)
        ::ShowWindow(hMain, SW_HIDE);
    const INT_PTR result = dlg.DoModal();
    if (bHide)
        ShowBeneath(hMain, AfxGetModalOwner(pParent));
    if (result != IDOK)
        return result;
    // The dialog ends with OK also when the save failed: the caller must
    // not take a file that was never written.
    if (!dlg.WasSaved())
        return IDCANCEL;
    strFile = target;
    return IDOK;
}

BOOL CScreenCaptureDlg::ClipToScreen(CRect& rc, int cx, int cy)
{
    rc.NormalizeRect();
    if (rc.left < 0) rc.left = 0;
    if (rc.top < 0) rc.top = 0;
    if (rc.right > cx) rc.right = cx;
    if (rc.bottom > cy) rc.bottom = cy;
    if (rc.IsRectEmpty()) {
        rc = CRect(0, 0, 0, 0);
        return FALSE;
    }
    return TRUE;
}

BOOL CScreenCaptureDlg::SaveSelection(const CRect& rcSelection)
{
    CRect rc = rcSelection;
    if (!m_hScreen.IsValid() || m_strTargetFile.IsEmpty() || !ClipToScreen(rc, m_cxScreen, m_cyScreen))
        return FALSE;
    CScreenDC screen;
    if (!screen.Get())
        return FALSE;
    CScopedBitmap hPart(::CreateCompatibleBitmap(screen.Get(), rc.Width(), rc.Height()));
    if (!hPart.IsValid())
        return FALSE;
    BOOL bCopied;
    {
        CMemoryDC source(screen.Get(), m_hScreen);
        CMemoryDC target(screen.Get(), hPart);
        bCopied = source.IsValid() && target.IsValid() &&
                  ::BitBlt(target.Get(), 0, 0, rc.Width(), rc.Height(), source.Get(), rc.left, rc.top, SRCCOPY);
    }
    BOOL bSaved = FALSE;
    if (bCopied) {
        // The save waits for the clipboard, which is left as it was.
        CClipboardGate clipboard(GetSafeHwnd());
        if (clipboard.IsOpen()) {
            CxImage image;
            bSaved = image.CreateFromHBITMAP(hPart) && image.Save(m_strTargetFile, CXIMAGE_FORMAT_PNG);
        }
    }
    return bSaved;
}

CRect CScreenCaptureDlg::PlaceLabelBox(const CRect& selection, CSize box, int nScreenWidth)
{
    CRect sel = selection;
    sel.NormalizeRect();
    CRect rc(sel.left + kLabelGap, sel.top - kLabelGap - box.cy, sel.left + kLabelGap + box.cx, sel.top - kLabelGap);
    if (rc.right >= nScreenWidth) {
        rc.right = sel.left - kLabelGap;
        rc.left = rc.right - box.cx;
    }
    if (rc.top < 0) {
        rc.top = sel.top + kLabelGap;
        rc.bottom = rc.top + box.cy;
    }
    return rc;
}

BOOL CScreenCaptureDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_infoBox.SubclassDlgItem(IDC_CAPTURE_INFO, this);
    ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, m_cxScreen, m_cyScreen, SWP_SHOWWINDOW);
    if (m_infoBox.GetSafeHwnd()) {
        CRect rc;
        m_infoBox.GetWindowRect(&rc);
        CSize size = m_infoBox.GetBitmapSize();
        if (size.cx <= 0 || size.cy <= 0)
            size = rc.Size();
        m_infoBox.MoveWindow(10, 10, size.cx, size.cy);
    }
    UpdateInfoText();
    if (m_hIcon)
        SetIcon(m_hIcon, TRUE);
    if (m_hSmallIcon)
        SetIcon(m_hSmallIcon, FALSE);
    ::SetFocus(GetSafeHwnd());
    return FALSE;
}

void CScreenCaptureDlg::OnTrackerChanged(void* pContext)
{
    CScreenCaptureDlg* pDlg = static_cast<CScreenCaptureDlg*>(pContext);
    pDlg->Repaint();
    pDlg->UpdateWindow();
}

void CScreenCaptureDlg::Repaint()
{
    const HWND hWnd = GetSafeHwnd();
    if (!hWnd || !m_hRepaint.IsValid())
        return;
    CRect rc;
    GetClientRect(&rc);
    ::SetRectRgn(m_hRepaint, rc.left, rc.top, rc.right, rc.bottom);
    if (m_infoBox.GetSafeHwnd()) {
        CRect box;
        m_infoBox.GetWindowRect(&box);
        ScreenToClient(&box);
        CScopedRgn hBox(::CreateRectRgnIndirect(&box));
        if (hBox.IsValid())
            ::CombineRgn(m_hRepaint, m_hRepaint, hBox, RGN_DIFF);
    }
    ::InvalidateRgn(hWnd, m_hRepaint, TRUE);
}

void CScreenCaptureDlg::UpdateInfoText()
{
    if (!m_infoBox.GetSafeHwnd())
        return;
    CString text = "\r\n\r\n";
    if (!m_bRubberBand && !m_bSelection)
        text += LoadText(IDS_CAPTURE_START, "", TRUE);
    else if (m_bRubberBand && m_bSelection)
        text += LoadText(IDS_CAPTURE_DRAWING, "", TRUE);
    else if (!m_bRubberBand && m_bSelection)
        text += LoadText(IDS_CAPTURE_SELECTED, "", TRUE);
    m_infoBox.SetWindowText(text);
}

BOOL CScreenCaptureDlg::OnEraseBkgnd(CDC* pDC)
{
    if (!pDC || !pDC->GetSafeHdc())
        return FALSE;
    CMemoryDC mem(pDC->GetSafeHdc(), m_hScreen);
    if (mem.IsValid())
        ::BitBlt(pDC->GetSafeHdc(), 0, 0, m_cxScreen, m_cyScreen, mem.Get(), 0, 0, SRCCOPY);
    else
        ::PatBlt(pDC->GetSafeHdc(), 0, 0, m_cxScreen, m_cyScreen, BLACKNESS);
    return TRUE;
}

void CScreenCaptureDlg::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bSelection)
        return;
    m_tracker.Draw(&dc);
    if (m_bButtonDown)
        DrawLabelBox(&dc);
}

void CScreenCaptureDlg::DrawLabelBox(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    CFont font;
    if (!font.CreatePointFont(90, LoadText(IDS_CAPTURE_FONT, "Tahoma", FALSE), pDC))
        return;
    CScopedSelect selectFont(hDC, font.m_hObject);
    CScopedPen hPen(::CreatePen(PS_SOLID, 1, kLabelBorder));
    if (!hPen.IsValid())
        return;
    {
        CScopedSelect selectPen(hDC, hPen);
        CScopedSelect selectBrush(hDC, ::GetStockObject(NULL_BRUSH));
        const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
        TEXTMETRIC tm = {};
        ::GetTextMetrics(hDC, &tm);
        const int lineHeight = tm.tmHeight > 0 ? tm.tmHeight : 12;
        const CSize width = pDC->GetTextExtent(LoadText(IDS_CAPTURE_WIDTHTEXT, "abcdabcdab", FALSE));
        const CSize box(width.cx, lineHeight * kLabelLines + 4);
        const CRect rcBox = PlaceLabelBox(m_tracker.m_rect, box, m_cxScreen);
        ::Rectangle(hDC, rcBox.left, rcBox.top, rcBox.right, rcBox.bottom);

        CRect sel = m_tracker.m_rect;
        sel.NormalizeRect();
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        CString lines[kLabelLines];
        lines[0] = LoadText(IDS_CAPTURE_TOPLEFT, "", FALSE);
        lines[1].Format("(%d,%d)", sel.left, sel.top);
        lines[2] = LoadText(IDS_CAPTURE_SIZE, "", FALSE);
        lines[3].Format("(%d,%d)", sel.Width(), sel.Height());
        lines[4] = LoadText(IDS_CAPTURE_CURSOR, "", FALSE);
        lines[5].Format("(%d,%d)", cursor.x, cursor.y);
        for (int i = 0; i < kLabelLines; ++i) {
            CRect line(rcBox.left, rcBox.top + 2 + i * lineHeight, rcBox.right, rcBox.top + 2 + (i + 1) * lineHeight);
            pDC->DrawText(lines[i], &line, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        ::SetBkMode(hDC, oldMode);
    }
}

HBRUSH CScreenCaptureDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd && m_infoBox.GetSafeHwnd() && pWnd->GetSafeHwnd() == m_infoBox.GetSafeHwnd())
        return m_infoBox.CtlColor(pDC);
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CScreenCaptureDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
    if (m_bSelection && m_tracker.HitTest(point) >= 0) {
        m_bButtonDown = TRUE;
        Repaint();
        m_tracker.Track(this, point);
        // The tracking loop took the button's release.
        m_bButtonDown = FALSE;
        m_bRubberBand = FALSE;
        UpdateInfoText();
        Repaint();
        return;
    }
    if (m_bSelection)
        return;
    m_ptStart = point;
    m_bRubberBand = TRUE;
    m_bSelection = TRUE;
    m_tracker.m_rect = CRect(point.x, point.y, point.x + kNewSelection, point.y + kNewSelection);
    m_bButtonDown = TRUE;
    UpdateInfoText();
}

void CScreenCaptureDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CDialog::OnMouseMove(nFlags, point);
    if (m_infoBox.GetSafeHwnd()) {
        CRect box;
        m_infoBox.GetWindowRect(&box);
        ScreenToClient(&box);
        if (box.PtInRect(point))
            m_infoBox.ToggleCorner(m_cxScreen);
    }
    if (m_bRubberBand) {
        m_tracker.m_rect = CRect(m_ptStart.x + kNewSelection, m_ptStart.y + kNewSelection, point.x, point.y);
        Repaint();
    }
}

void CScreenCaptureDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonUp(nFlags, point);
    m_bButtonDown = FALSE;
    m_bRubberBand = FALSE;
    UpdateInfoText();
    Repaint();
}

void CScreenCaptureDlg::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDblClk(nFlags, point);
    if (!m_bSelection || m_tracker.HitTest(point) != CSelectionTracker::hitMiddle)
        return;
    m_bSaved = SaveSelection(m_tracker.m_rect);
    EndDialog(IDOK);
}

void CScreenCaptureDlg::DropSelection()
{
    m_bSelection = FALSE;
    m_bRubberBand = FALSE;
    m_tracker.m_rect = CRect(-1, -1, -1, -1);
    UpdateInfoText();
    Repaint();
}

void CScreenCaptureDlg::OnRButtonUp(UINT nFlags, CPoint point)
{
    CDialog::OnRButtonUp(nFlags, point);
    if (m_bSelection)
        DropSelection();
    else
        EndDialog(IDCANCEL);
}

void CScreenCaptureDlg::OnCancel()
{
    if (m_bSelection)
        DropSelection();
    else
        CDialog::OnCancel();
}

BOOL CScreenCaptureDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd != this || nHitTest != HTCLIENT)
        return CDialog::OnSetCursor(pWnd, nHitTest, message);
    if (m_bSelection && !m_bRubberBand && m_tracker.SetCursor(this, nHitTest))
        return TRUE;
    ::SetCursor(m_hArrow ? m_hArrow : ::LoadCursor(NULL, IDC_CROSS));
    return TRUE;
}
