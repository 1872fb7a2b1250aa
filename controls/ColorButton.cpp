#include "controls/ColorButton.h"
#include "controls/ColorPickerNav.h"
#include "framework/ClientDC.h"
#include "framework/PaintDC.h"
#include "framework/ScopedHandle.h"

#include <commdlg.h>
#include <vector>

namespace {

struct NamedColor {
    COLORREF color;
    const char* name;
};

const NamedColor kColors[CColorPickerPopup::ColorCount] = {
    {RGB(0, 0, 0), "Black"},
    {RGB(165, 42, 0), "Brown"},
    {RGB(0, 64, 64), "Dark Olive Green"},
    {RGB(0, 85, 0), "Dark Green"},
    {RGB(0, 0, 94), "Dark Teal"},
    {RGB(0, 0, 139), "Dark blue"},
    {RGB(75, 0, 130), "Indigo"},
    {RGB(40, 40, 40), "Dark grey"},
    {RGB(139, 0, 0), "Dark red"},
    {RGB(255, 104, 32), "Orange"},
    {RGB(139, 139, 0), "Dark yellow"},
    {RGB(0, 147, 0), "Green"},
    {RGB(56, 142, 142), "Teal"},
    {RGB(0, 0, 255), "Blue"},
    {RGB(123, 123, 192), "Blue-grey"},
    {RGB(102, 102, 102), "Grey - 40"},
    {RGB(255, 0, 0), "Red"},
    {RGB(255, 173, 91), "Light orange"},
    {RGB(50, 205, 50), "Lime"},
    {RGB(60, 179, 113), "Sea green"},
    {RGB(127, 255, 212), "Aqua"},
    {RGB(125, 158, 192), "Light blue"},
    {RGB(128, 0, 128), "Violet"},
    {RGB(127, 127, 127), "Grey - 50"},
    {RGB(255, 192, 203), "Pink"},
    {RGB(255, 215, 0), "Gold"},
    {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 255, 0), "Bright green"},
    {RGB(64, 224, 208), "Turquoise"},
    {RGB(192, 255, 255), "Skyblue"},
    {RGB(72, 0, 72), "Plum"},
    {RGB(192, 192, 192), "Light grey"},
    {RGB(255, 228, 225), "Rose"},
    {RGB(210, 180, 140), "Tan"},
    {RGB(255, 255, 224), "Light yellow"},
    {RGB(152, 251, 152), "Pale green "},
    {RGB(175, 238, 238), "Pale turquoise"},
    {RGB(104, 131, 139), "Pale blue"},
    {RGB(230, 230, 250), "Lavender"},
    {RGB(255, 255, 255), "White"},
};

// "Automatic" and "More..." in the Chinese code page.
const char kDefaultText[] = "\xD7\xD4\xB6\xAF";
const char kCustomText[] = "\xB8\xFC\xB6\xE0...";

COLORREF g_customColors[16];

void FillBox(HDC hDC, const RECT& rc, COLORREF cr)
{
    CScopedBrush hBrush(::CreateSolidBrush(cr));
    ::FillRect(hDC, &rc, hBrush);
}

void FrameBox(HDC hDC, const RECT& rc, COLORREF crPen, HBRUSH hFill)
{
    CScopedPen hPen(::CreatePen(PS_SOLID, 1, crPen));
    CScopedSelect selPen(hDC, hPen);
    CScopedSelect selBrush(hDC, hFill != NULL ? (HGDIOBJ)hFill : ::GetStockObject(NULL_BRUSH));
    ::Rectangle(hDC, rc.left, rc.top, rc.right, rc.bottom);
    ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
}

}  // namespace

// ---------------------------------------------------------------- button

IMPLEMENT_DYNCREATE(CColorButton, CButton)

CColorButton::CColorButton()
    : m_crColor(CLR_DEFAULT), m_crDefault(::GetSysColor(COLOR_APPWORKSPACE)),
      m_strDefaultText(kDefaultText), m_strCustomText(kCustomText), m_bPopupOpen(FALSE),
      m_bTrackSelection(FALSE)
{
}

void CColorButton::SetColor(COLORREF crColor)
{
    m_crColor = crColor;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CColorButton::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CColorButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        OnClicked();
        if (pResult != NULL)
            *pResult = 0;
        return TRUE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

void CColorButton::OnClicked()
{
    if (m_bPopupOpen)
        return;
    m_bPopupOpen = TRUE;
    CRect rc;
    GetWindowRect(&rc);
    CColorPickerPopup* pPopup = new CColorPickerPopup(CPoint(rc.left, rc.bottom), m_crColor, this,
                                                      m_strDefaultText, m_strCustomText);
    if (!pPopup->Create(CPoint(rc.left, rc.bottom))) {
        delete pPopup;
        m_bPopupOpen = FALSE;
        return;
    }
    NotifyParent(MSG_COLOR_DROPDOWN, m_crColor);
    Invalidate();
}

void CColorButton::NotifyParent(UINT message, COLORREF crColor)
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != NULL)
        ::SendMessage(hParent, message, (WPARAM)crColor, (LPARAM)GetDlgCtrlID());
}

LRESULT CColorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    COLORREF cr = (COLORREF)wParam;
    switch (message) {
    case MSG_COLOR_ACCEPTED: {
        COLORREF crOld = m_crColor;
        m_bPopupOpen = FALSE;
        SetColor(cr);
        NotifyParent(MSG_COLOR_CLOSEUP, cr);
        NotifyParent(MSG_COLOR_ACCEPTED, cr);
        if (cr != crOld)
            NotifyParent(MSG_COLOR_CHANGED, cr);
        return TRUE;
    }
    case MSG_COLOR_CANCELLED:
        m_bPopupOpen = FALSE;
        SetColor(cr);
        NotifyParent(MSG_COLOR_CLOSEUP, cr);
        NotifyParent(MSG_COLOR_CANCELLED, cr);
        return TRUE;
    case MSG_COLOR_CHANGED:
        if (m_bTrackSelection) {
            SetColor(cr);
            NotifyParent(MSG_COLOR_CHANGED, cr);
        }
        return TRUE;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    HDC hDC = lpDIS->hDC;
    UINT state = lpDIS->itemState;
    if (m_bPopupOpen)
        state |= ODS_SELECTED | ODS_FOCUS;
    CRect rc(lpDIS->rcItem);

    UINT frame = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (state & ODS_SELECTED)
        frame |= DFCS_PUSHED;
    if (state & ODS_DISABLED)
        frame |= DFCS_INACTIVE;
    ::DrawFrameControl(hDC, &rc, DFC_BUTTON, frame);
    if (state & ODS_SELECTED)
        ::OffsetRect(&rc, 1, 1);
    if (state & ODS_FOCUS) {
        CRect rcFocus(rc.left, rc.top, rc.right - 1, rc.bottom);
        ::DrawFocusRect(hDC, &rcFocus);
    }
    int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    rc.DeflateRect(cxEdge, cyEdge);

    // Arrow: 4 wide, 2 high, pointing down.
    int arrowRight = rc.right - cxEdge / 2;
    int arrowLeft = arrowRight - 4;
    int arrowTop = rc.top + rc.Height() / 2 - 1;
    POINT pts[3] = {{arrowLeft, arrowTop}, {arrowRight, arrowTop}, {arrowLeft + 2, arrowTop + 2}};
    COLORREF crArrow = (state & ODS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    {
        CScopedPen hPen(::CreatePen(PS_SOLID, 1, crArrow));
        CScopedBrush hBrush(::CreateSolidBrush(crArrow));
        CScopedSelect selPen(hDC, hPen);
        CScopedSelect selBrush(hDC, hBrush);
        ::Polygon(hDC, pts, 3);
    }

    int lineRight = arrowLeft - cxEdge / 2;
    CRect rcLine(lineRight - cxEdge, rc.top, lineRight, rc.bottom);
    ::DrawEdge(hDC, &rcLine, EDGE_ETCHED, BF_RIGHT);

    if (state & ODS_DISABLED)
        return;
    CRect rcSwatch(rc.left, rc.top, rcLine.left - (2 * cxEdge + 1), rc.bottom);
    if (rcSwatch.IsRectEmpty())
        return;
    FillBox(hDC, rcSwatch, m_crColor == CLR_DEFAULT ? m_crDefault : m_crColor);
    ::FrameRect(hDC, &rcSwatch, (HBRUSH)::GetStockObject(BLACK_BRUSH));
}

// ---------------------------------------------------------------- popup

COLORREF CColorPickerPopup::GetTableColor(int nIndex)
{
    return (nIndex >= 0 && nIndex < ColorCount) ? kColors[nIndex].color : CLR_DEFAULT;
}

LPCTSTR CColorPickerPopup::GetTableName(int nIndex)
{
    return (nIndex >= 0 && nIndex < ColorCount) ? kColors[nIndex].name : "";
}

CColorPickerPopup::CColorPickerPopup(CPoint, COLORREF crInitial, CColorButton* pOwner,
                                     LPCTSTR lpszDefaultText, LPCTSTR lpszCustomText)
    : m_nRows((ColorCount + Columns - 1) / Columns), m_nBoxSize(18),
      m_nMargin(::GetSystemMetrics(SM_CXEDGE)), m_nHot(PICK_NONE), m_nChosen(PICK_NONE),
      m_strDefaultText(lpszDefaultText ? lpszDefaultText : ""),
      m_strCustomText(lpszCustomText ? lpszCustomText : ""),
      m_crInitial(crInitial), m_crChosen(crInitial), m_pOwner(pOwner),
      m_bColorDialogOpen(FALSE), m_bEnded(FALSE), m_bCreating(FALSE)
{
    if (m_nBoxSize - 2 * (m_nMargin + 1) < 5)
        m_nBoxSize = 2 * m_nMargin + 7;

    NONCLIENTMETRICS ncm;
    ZeroMemory(&ncm, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_font.CreateFontIndirect(&ncm.lfMessageFont);

    std::vector<BYTE> buf(sizeof(LOGPALETTE) + ColorCount * sizeof(PALETTEENTRY));
    LOGPALETTE* pPal = (LOGPALETTE*)buf.data();
    pPal->palVersion = 0x300;
    pPal->palNumEntries = ColorCount;
    for (int i = 0; i < ColorCount; ++i) {
        pPal->palPalEntry[i].peRed = GetRValue(kColors[i].color);
        pPal->palPalEntry[i].peGreen = GetGValue(kColors[i].color);
        pPal->palPalEntry[i].peBlue = GetBValue(kColors[i].color);
        pPal->palPalEntry[i].peFlags = 0;
    }
    m_hPalette.Reset(::CreatePalette(pPal));
}

BOOL CColorPickerPopup::Create(CPoint ptTopLeft)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_CLASSDC | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW,
                                            ::LoadCursor(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1), NULL);
    HWND hOwner = m_pOwner != NULL ? m_pOwner->m_hWnd : NULL;
    // Losing the activation while being set up must not end (and free) the popup.
    m_bCreating = TRUE;
    if (!CreateEx(0, lpszClass, NULL, WS_VISIBLE | WS_POPUP, ptTopLeft.x, ptTopLeft.y, 100, 100,
                  hOwner, NULL))
        return FALSE;
    Layout(ptTopLeft);
    CreateToolTips();
    ChooseInitialCell();
    SetFocus();
    SetCapture();
    m_bCreating = FALSE;
    return TRUE;
}

void CColorPickerPopup::Layout(CPoint ptTopLeft)
{
    int m = m_nMargin;
    m_rcWindow.SetRect(ptTopLeft.x, ptTopLeft.y, ptTopLeft.x + Columns * m_nBoxSize + 2 * m,
                       ptTopLeft.y + m_nRows * m_nBoxSize + 2 * m);
    BOOL bDefault = !m_strDefaultText.IsEmpty();
    BOOL bCustom = !m_strCustomText.IsEmpty();
    if (bDefault || bCustom) {
        CClientDC dc(this);
        CScopedSelect selFont(&dc, &m_font);
        CSize szDefault = bDefault ? dc.GetTextExtent(m_strDefaultText) : CSize(0, 0);
        CSize szCustom = bCustom ? dc.GetTextExtent(m_strCustomText) : CSize(0, 0);
        int textWidth = (szDefault.cx > szCustom.cx ? szDefault.cx : szCustom.cx) + 2 * m;
        int textHeight = (szDefault.cy > szCustom.cy ? szDefault.cy : szCustom.cy) + 4 * m + 2;
        if (m_rcWindow.Width() < textWidth)
            m_rcWindow.right = m_rcWindow.left + textWidth;
        int width = m_rcWindow.Width();
        if (bDefault) {
            m_rcDefault.SetRect(m, m, width - m, m + textHeight);
            m_rcWindow.bottom += textHeight + 2 * m;
        }
        if (bCustom) {
            int top = GetCellRect(ColorCount - 1).bottom + m;
            m_rcCustom.SetRect(m, top, width - m, top + textHeight);
            m_rcWindow.bottom += textHeight + 2 * m;
        }
    }

    // Keep the popup on the screen; above the button when there is no room below.
    int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    if (m_rcWindow.right > cxScreen)
        ::OffsetRect(&m_rcWindow, cxScreen - m_rcWindow.right, 0);
    if (m_rcWindow.left < 0)
        ::OffsetRect(&m_rcWindow, -m_rcWindow.left, 0);
    if (m_rcWindow.bottom > cyScreen) {
        CRect rcOwner(0, 0, 0, 0);
        if (m_pOwner != NULL)
            m_pOwner->GetWindowRect(&rcOwner);
        ::OffsetRect(&m_rcWindow, 0, -(m_rcWindow.Height() + rcOwner.Height()));
    }
    SetWindowPos(NULL, m_rcWindow.left, m_rcWindow.top, m_rcWindow.Width(), m_rcWindow.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CColorPickerPopup::CreateToolTips()
{
    if (!m_toolTip.Create(this))
        return;
    for (int i = 0; i < ColorCount; ++i) {
        CRect rc = GetCellRect(i);
        m_toolTip.AddTool(this, kColors[i].name, &rc, 1);
    }
}

void CColorPickerPopup::ChooseInitialCell()
{
    m_nChosen = PICK_NONE;
    if (m_crInitial == CLR_DEFAULT && !m_strDefaultText.IsEmpty()) {
        m_nChosen = PICK_DEFAULT;
        return;
    }
    for (int i = 0; i < ColorCount; ++i)
        if (kColors[i].color == m_crInitial) {
            m_nChosen = i;
            return;
        }
    if (!m_strCustomText.IsEmpty())
        m_nChosen = PICK_CUSTOM;
}

CRect CColorPickerPopup::GetCellRect(int nCell) const
{
    if (nCell == PICK_DEFAULT)
        return m_rcDefault;
    if (nCell == PICK_CUSTOM)
        return m_rcCustom;
    if (nCell < 0 || nCell >= ColorCount)
        return CRect(0, 0, 0, 0);
    int left = (nCell % Columns) * m_nBoxSize + m_nMargin;
    int top = (nCell / Columns) * m_nBoxSize + m_nMargin;
    if (!m_strDefaultText.IsEmpty())
        top += m_rcDefault.Height() + m_nMargin;
    return CRect(left, top, left + m_nBoxSize, top + m_nBoxSize);
}

int CColorPickerPopup::HitTest(CPoint pt) const
{
    if (!m_strCustomText.IsEmpty() && m_rcCustom.PtInRect(pt))
        return PICK_CUSTOM;
    if (!m_strDefaultText.IsEmpty() && m_rcDefault.PtInRect(pt))
        return PICK_DEFAULT;
    CRect rcFirst = GetCellRect(0);
    int x = pt.x - rcFirst.left;
    int y = pt.y - rcFirst.top;
    if (x < 0 || y < 0)
        return PICK_NONE;
    int col = x / m_nBoxSize;
    int row = y / m_nBoxSize;
    if (col >= Columns || row >= m_nRows)
        return PICK_NONE;
    int cell = row * Columns + col;
    return cell < ColorCount ? cell : PICK_NONE;
}

void CColorPickerPopup::SetHot(int nCell)
{
    if (nCell == m_nHot || m_hWnd == NULL)
        return;
    int nOld = m_nHot;
    m_nHot = nCell;
    {
        CClientDC dc(this);
        if (nOld != PICK_NONE)
            DrawCell(dc, nOld);
        if (nCell != PICK_NONE)
            DrawCell(dc, nCell);
    }
    COLORREF cr;
    if (nCell == PICK_CUSTOM) {
        cr = m_crInitial;
    } else if (nCell == PICK_DEFAULT) {
        cr = m_crChosen = CLR_DEFAULT;
    } else if (nCell >= 0) {
        cr = m_crChosen = kColors[nCell].color;
    } else {
        return;
    }
    if (m_pOwner != NULL)
        m_pOwner->SendMessage(MSG_COLOR_CHANGED, (WPARAM)cr, 0);
}

void CColorPickerPopup::MoveKey(UINT nChar)
{
    ColorPickerGrid grid = {ColorCount, Columns, !m_strDefaultText.IsEmpty(), !m_strCustomText.IsEmpty()};
    int from = m_nHot != PICK_NONE ? m_nHot : m_nChosen;
    int to = PICK_NONE;
    switch (nChar) {
    case VK_RIGHT: to = PickerStepRight(grid, from); break;
    case VK_LEFT: to = PickerStepLeft(grid, from); break;
    case VK_DOWN: to = PickerStepDown(grid, from); break;
    case VK_UP: to = PickerStepUp(grid, from); break;
    default: return;
    }
    SetHot(to);
}

void CColorPickerPopup::End(BOOL bAccept)
{
    if (m_bEnded || m_bColorDialogOpen || m_bCreating)
        return;
    ::ReleaseCapture();
    if (bAccept && m_nHot == PICK_CUSTOM) {
        CHOOSECOLOR cc;
        ZeroMemory(&cc, sizeof(cc));
        cc.lStructSize = sizeof(cc);
        cc.hwndOwner = m_hWnd;
        cc.rgbResult = m_crInitial == CLR_DEFAULT
                           ? (m_pOwner != NULL ? m_pOwner->GetDefaultColor() : 0)
                           : m_crInitial;
        cc.lpCustColors = g_customColors;
        cc.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
        m_bColorDialogOpen = TRUE;
        BOOL bOk = ::ChooseColor(&cc);
        m_bColorDialogOpen = FALSE;
        if (bOk)
            m_crChosen = cc.rgbResult;
        else
            bAccept = FALSE;
    }
    if (!bAccept)
        m_crChosen = m_crInitial;
    m_bEnded = TRUE;
    // The report may close the owner, and this popup with it.
    HWND hWnd = m_hWnd;
    if (m_pOwner != NULL)
        m_pOwner->SendMessage(bAccept ? MSG_COLOR_ACCEPTED : MSG_COLOR_CANCELLED, (WPARAM)m_crChosen, 0);
    if (::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
}

BOOL CColorPickerPopup::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd != NULL)
        m_toolTip.RelayEvent(pMsg);
    if (!m_bEnded && !m_bColorDialogOpen && ::GetCapture() != m_hWnd)
        SetCapture();
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CColorPickerPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEMOVE: {
        int cell = HitTest(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        if (cell != PICK_NONE)
            SetHot(cell);
        return 0;
    }
    case WM_LBUTTONUP: {
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        ClientToScreen(&pt);
        CRect rc;
        GetWindowRect(&rc);
        End(rc.PtInRect(pt));
        return 0;
    }
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_RIGHT:
        case VK_LEFT:
        case VK_DOWN:
        case VK_UP:
            MoveKey((UINT)wParam);
            return 0;
        case VK_RETURN:
        case VK_SPACE:
            End(TRUE);
            return 0;
        case VK_ESCAPE:
            End(FALSE);
            return 0;
        }
        break;
    case WM_KILLFOCUS:
        if (!m_bColorDialogOpen)
            ::ReleaseCapture();
        break;
    case WM_ACTIVATEAPP:
        if (!wParam)
            End(FALSE);
        break;
    case WM_QUERYNEWPALETTE:
        Invalidate();
        return TRUE;
    case WM_PALETTECHANGED:
        if ((HWND)wParam != m_hWnd)
            Invalidate();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CColorPickerPopup::PostNcDestroy()
{
    delete this;
}

void CColorPickerPopup::OnPaint()
{
    CPaintDC dc(this);
    if (!m_strDefaultText.IsEmpty())
        DrawCell(dc, PICK_DEFAULT);
    for (int i = 0; i < ColorCount; ++i)
        DrawCell(dc, i);
    if (!m_strCustomText.IsEmpty())
        DrawCell(dc, PICK_CUSTOM);
    CRect rc;
    GetClientRect(&rc);
    ::DrawEdge(dc.m_hDC, &rc, EDGE_RAISED, BF_RECT);
}

void CColorPickerPopup::DrawBoxEdges(CDC& dc, const CRect& rc, int nCell)
{
    CRect r(rc);
    if (nCell == m_nHot)
        ::DrawEdge(dc.m_hDC, &r, BDR_RAISEDINNER, BF_RECT);
    else if (nCell == m_nChosen)
        ::DrawEdge(dc.m_hDC, &r, BDR_SUNKENOUTER, BF_RECT);
}

void CColorPickerPopup::DrawTextBox(CDC& dc, int nCell)
{
    HDC hDC = dc.m_hDC;
    BOOL bHotOnly = nCell == m_nHot && nCell != m_nChosen;
    CRect rc = GetCellRect(nCell);
    const CString& strText = nCell == PICK_DEFAULT ? m_strDefaultText : m_strCustomText;
    if (nCell == PICK_DEFAULT) {
        FillBox(hDC, rc, ::GetSysColor(COLOR_3DFACE));
        CRect inner(rc);
        inner.DeflateRect(1, 1);
        FillBox(hDC, inner, ::GetSysColor(bHotOnly ? COLOR_3DLIGHT : COLOR_3DFACE));
        CRect frame(rc);
        frame.DeflateRect(2 * m_nMargin, 2 * m_nMargin);
        FrameBox(hDC, frame, ::GetSysColor(COLOR_3DSHADOW), NULL);
    } else {
        FillBox(hDC, CRect(rc.left + 2 * m_nMargin, rc.top, rc.right - 2 * m_nMargin, rc.top + 1),
                ::GetSysColor(COLOR_3DSHADOW));
        FillBox(hDC, CRect(rc.left + 2 * m_nMargin, rc.top + 1, rc.right - 2 * m_nMargin, rc.top + 2),
                ::GetSysColor(COLOR_3DHILIGHT));
        rc.top += 2;
        FillBox(hDC, rc, ::GetSysColor(bHotOnly ? COLOR_3DLIGHT : COLOR_3DFACE));
    }
    DrawBoxEdges(dc, rc, nCell);
    CScopedSelect selFont(&dc, &m_font);
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    ::DrawText(hDC, strText, strText.GetLength(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(hDC, nOldMode);
}

void CColorPickerPopup::DrawCell(CDC& dc, int nCell)
{
    if (nCell == PICK_DEFAULT || nCell == PICK_CUSTOM) {
        DrawTextBox(dc, nCell);
        return;
    }
    if (nCell < 0 || nCell >= ColorCount)
        return;
    HDC hDC = dc.m_hDC;
    HPALETTE hOldPal = NULL;
    if (m_hPalette.IsValid() && (::GetDeviceCaps(hDC, RASTERCAPS) & RC_PALETTE)) {
        hOldPal = ::SelectPalette(hDC, m_hPalette, FALSE);
        ::RealizePalette(hDC);
    }
    CRect rc = GetCellRect(nCell);
    BOOL bChosenOnly = nCell == m_nChosen && nCell != m_nHot;
    FillBox(hDC, rc, ::GetSysColor(bChosenOnly ? COLOR_3DHILIGHT : COLOR_3DFACE));
    DrawBoxEdges(dc, rc, nCell);

    COLORREF cr = kColors[nCell].color;
    CScopedBrush hBrush(::CreateSolidBrush(PALETTERGB(GetRValue(cr), GetGValue(cr), GetBValue(cr))));
    CRect swatch(rc);
    swatch.DeflateRect(m_nMargin + 1, m_nMargin + 1);
    FrameBox(hDC, swatch, ::GetSysColor(COLOR_3DSHADOW), hBrush);
    if (hOldPal != NULL)
        ::SelectPalette(hDC, hOldPal, FALSE);
}
