#include "controls/PositionToolBar.h"
#include "framework/DC.h"
#include <algorithm>

BEGIN_MESSAGE_MAP(CPositionToolBar, CToolBar)
    ON_WM_CREATE()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

namespace {

struct Slot {
    int nKind;  // 0 caption, 1 field, 2 spin
    UINT nID;
    const char* pszText;
    int nChars;  // width in average character widths
};

const Slot kSlots[12] = {
    {0, 196, "  X", 4},
    {1, 188, "", 8},
    {2, 192, NULL, 3},
    {0, 197, " Y", 4},
    {1, 189, "", 8},
    {2, 193, NULL, 3},
    {0, 198, "CX", 4},
    {1, 190, "", 8},
    {2, 194, NULL, 3},
    {0, 199, "CY", 4},
    {1, 191, "", 8},
    {2, 195, NULL, 3},
};

}  // namespace

CPositionToolBar::CPositionToolBar() : m_nMaxLeft(0), m_nMaxTop(0), m_nMaxWidth(0), m_nMaxHeight(0)
{
}

CPositionToolBar::~CPositionToolBar()
{
}

int CPositionToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!LoadToolBar(TOOLBAR_ID))
        return -1;
    return CreateControls() ? 0 : -1;
}

// The bar repaints itself when the frame moves or widens it, over its
// controls: they are drawn again with it.
void CPositionToolBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CToolBar::OnWindowPosChanged(lpwndpos);
    if (!(lpwndpos->flags & SWP_NOSIZE) || !(lpwndpos->flags & SWP_NOMOVE))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL CPositionToolBar::CreateControls()
{
    if (!m_font.CreatePointFont(100, "MS Sans Serif"))
        return FALSE;
    TEXTMETRIC tm;
    ZeroMemory(&tm, sizeof(tm));
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, m_font.m_hObject);
    ::GetTextMetrics(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    const int cyLine = tm.tmHeight + tm.tmExternalLeading;
    const int cxUnit = std::max<int>(tm.tmAveCharWidth, 1);

    for (int slot = 0; slot < 12; ++slot) {
        const Slot& s = kSlots[slot];
        const int n = slot / 3;
        SetButtonInfo(slot, s.nID, TBBS_SEPARATOR, s.nChars * cxUnit);
        RECT rc;
        GetItemRect(slot, &rc);
        BOOL bOk = FALSE;
        switch (s.nKind) {
        case 0:
            rc.top += 2;
            rc.bottom = rc.top + cyLine + 6;
            bOk = m_captions[n].Create(s.pszText, WS_CHILD | WS_VISIBLE, rc, this, s.nID);
            if (bOk)
                m_captions[n].SetFont(&m_font, TRUE);
            break;
        case 1:
            rc.bottom = rc.top + cyLine + 6;
            bOk = m_fields[n].CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", 0x50010180, rc, this, s.nID);
            if (bOk)
                m_fields[n].SetFont(&m_font, TRUE);
            break;
        default:
            rc.bottom = rc.top + cyLine + 6;
            bOk = m_spins[n].Create(0x50000026, rc, this, s.nID);
            break;
        }
        if (!bOk)
            return FALSE;
    }
    // the resource's buttons past the twelve slots would show as blank buttons
    while (SendMessage(TB_BUTTONCOUNT) > 12)
        if (!SendMessage(TB_DELETEBUTTON, 12))
            return FALSE;
    SetRanges(640, 480, 640, 480, TRUE);
    return TRUE;
}

void CPositionToolBar::SetRanges(int nMaxLeft, int nMaxTop, int nMaxWidth, int nMaxHeight, BOOL bInit)
{
    m_nMaxLeft = nMaxLeft;
    m_nMaxTop = nMaxTop;
    m_nMaxWidth = nMaxWidth;
    m_nMaxHeight = nMaxHeight;
    const int maxima[4] = {nMaxLeft, nMaxTop, nMaxWidth, nMaxHeight};
    for (int i = 0; i < 4; ++i) {
        if (m_spins[i].m_hWnd == NULL)
            continue;
        m_spins[i].SendMessage(UDM_SETRANGE, 0, MAKELPARAM(maxima[i], 0));
        if (bInit) {
            m_spins[i].SendMessage(UDM_SETBUDDY, (WPARAM)m_fields[i].m_hWnd, 0);
            m_spins[i].SendMessage(UDM_SETPOS, 0, MAKELPARAM(0, 0));
        }
    }
}

void CPositionToolBar::SetPosition(int nLeft, int nTop)
{
    if (m_spins[0].m_hWnd == NULL)
        return;
    m_spins[0].SendMessage(UDM_SETPOS, 0, MAKELPARAM(LOWORD(nLeft), 0));
    m_spins[1].SendMessage(UDM_SETPOS, 0, MAKELPARAM(LOWORD(nTop), 0));
}

void CPositionToolBar::SetSize(int nWidth, int nHeight)
{
    if (m_spins[2].m_hWnd == NULL)
        return;
    m_spins[2].SendMessage(UDM_SETPOS, 0, MAKELPARAM(LOWORD(nWidth), 0));
    m_spins[3].SendMessage(UDM_SETPOS, 0, MAKELPARAM(LOWORD(nHeight), 0));
}

CEdit* CPositionToolBar::GetField(UINT nFieldID)
{
    return nFieldID >= FIELD_LEFT && nFieldID <= FIELD_HEIGHT ? &m_fields[nFieldID - FIELD_LEFT] : NULL;
}

CSpinButtonCtrl* CPositionToolBar::GetSpin(UINT nFieldID)
{
    return nFieldID >= FIELD_LEFT && nFieldID <= FIELD_HEIGHT ? &m_spins[nFieldID - FIELD_LEFT] : NULL;
}

int CPositionToolBar::TakeValue(UINT nFieldID, int nOther)
{
    CEdit* pField = GetField(nFieldID);
    CSpinButtonCtrl* pSpin = GetSpin(nFieldID);
    if (pField == NULL || pField->m_hWnd == NULL)
        return -1;
    int nLower = 0, nUpper = 0;
    pSpin->GetRange32(nLower, nUpper);
    BOOL bNumber = FALSE;
    int nValue = (int)::GetDlgItemInt(m_hWnd, (int)nFieldID, &bNumber, TRUE);
    if (!bNumber)
        nValue = (int)LOWORD(pSpin->SendMessage(UDM_GETPOS));
    nValue = std::max(nLower, std::min(nValue, nUpper));
    if (nValue + nOther > nUpper)
        nValue = nUpper - nOther;
    char text[16];
    wsprintfA(text, "%d", nValue);
    pField->SetWindowText(text);
    pField->SendMessage(EM_SETSEL, 0, -1);
    pField->SendMessage(EM_SCROLLCARET);
    return nValue;
}

BOOL CPositionToolBar::PreTranslateMessage(MSG* pMsg)
{
    // Ctrl+A in a field selects its text, not the page's elements
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'A' && (::GetKeyState(VK_CONTROL) & 0x8000) &&
        !(::GetKeyState(VK_MENU) & 0x8000)) {
        for (int i = 0; i < 4; ++i) {
            if (pMsg->hwnd == m_fields[i].m_hWnd && m_fields[i].m_hWnd != NULL) {
                m_fields[i].SendMessage(EM_SETSEL, 0, -1);
                return TRUE;
            }
        }
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        HWND hFocus = ::GetFocus();
        for (int i = 0; i < 4; ++i) {
            if (hFocus != NULL && hFocus == m_fields[i].m_hWnd) {
                HWND hFrame = ::GetParent(m_hWnd);
                while (hFrame != NULL && (::GetWindowLongPtr(hFrame, GWL_STYLE) & WS_CHILD) && ::GetParent(hFrame) != NULL)
                    hFrame = ::GetParent(hFrame);
                ::SendMessage(hFrame, WM_COMMAND, MAKEWPARAM(FIELD_LEFT + i, 0), 0);
                return CToolBar::PreTranslateMessage(pMsg);
            }
        }
        return TRUE;
    }
    return CToolBar::PreTranslateMessage(pMsg);
}
