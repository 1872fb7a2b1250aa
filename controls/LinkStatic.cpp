#include "controls/LinkStatic.h"

#include <cstdio>
#include <cstring>
#include <shellapi.h>
#include "framework/DC.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CLinkStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_CONTROL_REFLECT(STN_CLICKED, &CLinkStatic::OnClicked)
END_MESSAGE_MAP()

namespace {

const UINT kToolId = 1;

// The default value of a key under HKEY_CLASSES_ROOT.
bool ReadClassesValue(const CString& key, CString& value)
{
    HKEY hKey;
    if (::RegOpenKeyEx(HKEY_CLASSES_ROOT, key, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    char data[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH;
    DWORD type = 0;
    LONG rc = ::RegQueryValueEx(hKey, NULL, NULL, &type, (LPBYTE)data, &size);
    ::RegCloseKey(hKey);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    data[size < MAX_PATH ? size : MAX_PATH] = '\0';
    value = data;
    return true;
}

}  // namespace

CLinkStatic::CLinkStatic()
    : m_crLinkColour(RGB(0, 0, 238)), m_crVisitedColour(RGB(85, 26, 139)),
      m_crHoverColour(RGB(255, 0, 0)), m_bOverControl(FALSE), m_bVisited(FALSE),
      m_nUnderline(-1), m_bAdjustToFit(TRUE), m_hLinkCursor(NULL), m_nTimerID(kTimerId)
{
}

CLinkStatic::~CLinkStatic()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        DestroyWindow();
    if (m_hLinkCursor != NULL)
        ::DestroyCursor(m_hLinkCursor);
}

BOOL CLinkStatic::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.m_hWnd != NULL)
        m_ToolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CLinkStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(0, SS_NOTIFY);

    if (m_strURL.IsEmpty())
        GetWindowText(m_strURL);
    CString text;
    GetWindowText(text);
    if (text.IsEmpty())
        SetWindowText(m_strURL);

    HFONT hFont = GetCurrentFont();
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    LOGFONT lf;
    if (hFont != NULL && ::GetObject(hFont, sizeof(lf), &lf) == sizeof(lf)) {
        m_StdFont.CreateFontIndirect(&lf);
        lf.lfUnderline = TRUE;
        m_UnderlineFont.CreateFontIndirect(&lf);
    }

    PositionWindow();
    SetDefaultCursor();
    m_nUnderline = -1;
    if (m_StdFont.m_hObject != NULL)
        SetFont(&m_StdFont);

    CRect rect;
    GetClientRect(rect);
    // a target is shown as it stands: a mail link's "&body=" keeps its '&'
    if (m_ToolTip.Create(this, TTS_NOPREFIX))
        m_ToolTip.AddTool(this, m_strURL, rect, kToolId);
}

void CLinkStatic::SetURL(CString strURL)
{
    m_strURL = strURL;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        PositionWindow();
        if (m_ToolTip.m_hWnd != NULL)
            m_ToolTip.UpdateTipText(m_strURL, this, kToolId);
    }
}

void CLinkStatic::SetUnderline(int nUnderline)
{
    if (m_nUnderline == nUnderline)
        return;
    m_nUnderline = nUnderline;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        CFont* font = nUnderline == 1 ? &m_UnderlineFont : &m_StdFont;
        if (font->m_hObject != NULL)
            SetFont(font, FALSE);
        Redraw();
    }
}

void CLinkStatic::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        Redraw();
}

HBRUSH CLinkStatic::CtlColor(CDC* pDC, UINT nCtlColor)
{
    (void)nCtlColor;
    if (m_bOverControl)
        pDC->SetTextColor(m_crHoverColour);
    else if (m_bVisited)
        pDC->SetTextColor(m_crVisitedColour);
    else
        pDC->SetTextColor(m_crLinkColour);
    pDC->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

BOOL CLinkStatic::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor != NULL) {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CLinkStatic::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bOverControl) {
        m_bOverControl = TRUE;
        if (m_nUnderline == -1 && m_UnderlineFont.m_hObject != NULL)
            SetFont(&m_UnderlineFont, FALSE);
        Redraw();
        m_nTimerID = SetTimer(kTimerId, kTimerPeriod);
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CLinkStatic::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerId) {
        CStatic::OnTimer(nIDEvent);
        return;
    }
    DWORD pos = ::GetMessagePos();
    CPoint p((short)LOWORD(pos), (short)HIWORD(pos));
    ScreenToClient(&p);
    CRect rect;
    GetClientRect(rect);
    if (rect.PtInRect(p))
        return;
    m_bOverControl = FALSE;
    KillTimer(kTimerId);
    if (m_nUnderline != 1 && m_StdFont.m_hObject != NULL)
        SetFont(&m_StdFont, FALSE);
    // a little below the text too: the underline of some fonts reaches past the window
    rect.bottom += 10;
    Redraw(rect);
}

void CLinkStatic::Redraw(CRect rect)
{
    // the background is the parent's: without its repaint the old underline
    // and glyph edges would stay under the transparent text
    CWnd* parent = GetParent();
    if (parent != NULL) {
        ClientToScreen(rect);
        parent->ScreenToClient(rect);
        parent->RedrawWindow(rect, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    Invalidate(FALSE);
}

void CLinkStatic::Redraw()
{
    CRect rect;
    GetClientRect(rect);
    Redraw(rect);
}

BOOL CLinkStatic::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CLinkStatic::OnDestroy()
{
    KillTimer(kTimerId);
    CStatic::OnDestroy();
}

void CLinkStatic::OnClicked()
{
    m_bOverControl = FALSE;
    INT_PTR result = OpenTarget(m_strURL, SW_SHOW);
    if (result > 32)
        SetVisited(TRUE);
    else
        ReportError(result);
}

void CLinkStatic::ReportError(INT_PTR result)
{
    ::MessageBeep(MB_ICONEXCLAMATION);
    CString text = CString("Unable to open hyperlink:\n\n") + ReasonText(result);
    AfxShowMessageBox(GetSafeHwnd(), text, NULL, MB_ICONEXCLAMATION | MB_OK);
}

CString CLinkStatic::ReasonText(INT_PTR result)
{
    switch (result) {
    case 0: return "The operating system is out\nof memory or resources.";
    case SE_ERR_FNF: return "The specified file was not found.";
    case SE_ERR_PNF: return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED: return "The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM: return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE: return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE: return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL: return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE transactions\n"
               "were being processed.";
    case SE_ERR_NOASSOC: return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND: return "The specified dynamic-link library was not found.";
    default: {
        CString text;
        text.Format("Unknown Error (%d) occurred.", (int)result);
        return text;
    }
    }
}

CString CLinkStatic::BrowserCommand(const CString& commandLine, LPCTSTR url)
{
    // The target is one quoted argument: blanks stay inside it, and a quote
    // in it cannot end it early.
    CString target = url ? url : "";
    target.Replace("\"", "%22");
    const CString quoted = "\"" + target + "\"";
    CString command = commandLine;
    int pos = command.Find("\"%1\"");
    int length = 4;
    if (pos < 0) {
        pos = command.Find("%1");
        length = 2;
    }
    if (pos < 0)
        return command + " " + quoted;
    return command.Left(pos) + quoted + command.Mid(pos + length);
}

INT_PTR CLinkStatic::GotoURL(LPCTSTR url, int showcmd)
{
    INT_PTR result = (INT_PTR)::ShellExecute(NULL, "open", url, NULL, NULL, showcmd);
    if (result > 32)
        return result;
    CString type, command;
    if (!ReadClassesValue(".htm", type) || !ReadClassesValue(type + "\\shell\\open\\command", command))
        return result;
    return (INT_PTR)::WinExec(BrowserCommand(command, url), showcmd);
}

void CLinkStatic::SetDefaultCursor()
{
    if (m_hLinkCursor == NULL)
        m_hLinkCursor = LoadLinkCursor();
}

HCURSOR CLinkStatic::LoadLinkCursor()
{
    char folder[MAX_PATH];
    UINT len = ::GetWindowsDirectory(folder, MAX_PATH);
    if (len == 0 || len >= MAX_PATH)
        return NULL;
    return LoadHandCursor(folder);
}

HCURSOR CLinkStatic::LoadHandCursor(LPCTSTR folder)
{
    CString path = CString(folder) + "\\winhlp32.exe";
    HMODULE hModule = ::LoadLibraryEx(path, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (hModule == NULL)
        return NULL;
    HCURSOR hCopy = NULL;
    HCURSOR hCursor = ::LoadCursor(hModule, MAKEINTRESOURCE(106));
    if (hCursor != NULL)
        hCopy = (HCURSOR)::CopyImage(hCursor, IMAGE_CURSOR, 0, 0, 0);
    ::FreeLibrary(hModule);
    return hCopy;
}

void CLinkStatic::PositionWindow()
{
    if (!m_bAdjustToFit || m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    CRect wndRect, clientRect;
    GetWindowRect(wndRect);
    GetClientRect(clientRect);
    ClientToScreen(clientRect);
    CWnd* parent = GetParent();
    if (parent != NULL) {
        parent->ScreenToClient(wndRect);
        parent->ScreenToClient(clientRect);
    }

    CString text;
    GetWindowText(text);
    CDC* pDC = GetDC();
    if (pDC == NULL)
        return;
    CFont* old = m_UnderlineFont.m_hObject != NULL ? pDC->SelectObject(&m_UnderlineFont) : NULL;
    CSize extent = pDC->GetTextExtent(text);
    if (old != NULL)
        pDC->SelectObject(old);
    ReleaseDC(pDC);

    extent.cx += wndRect.Width() - clientRect.Width();
    extent.cy += wndRect.Height() - clientRect.Height();

    DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE) {
        int dy = (wndRect.Height() - extent.cy) / 2;
        wndRect.top += dy;
    }
    wndRect.bottom = wndRect.top + extent.cy;

    switch (style & SS_TYPEMASK) {
    case SS_CENTER: {
        int dx = (wndRect.Width() - extent.cx) / 2;
        wndRect.left += dx;
        wndRect.right = wndRect.left + extent.cx;
        break;
    }
    case SS_RIGHT:
        wndRect.left = wndRect.right - extent.cx;
        break;
    default:
        wndRect.right = wndRect.left + extent.cx;
        break;
    }
    SetWindowPos(NULL, wndRect.left, wndRect.top, wndRect.Width(), wndRect.Height(), SWP_NOZORDER);
}
