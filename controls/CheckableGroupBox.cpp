#include "controls/CheckableGroupBox.h"

#include <vector>

IMPLEMENT_DYNAMIC(CCheckableGroupBox, CButton)
IMPLEMENT_DYNAMIC(CGroupLine, CStatic)

namespace {

CCheckableGroupBox* AsGroupBox(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CCheckableGroupBox)) ? static_cast<CCheckableGroupBox*>(pWnd)
                                                                     : NULL;
}

// Where the group box starts its caption, and the title's right edge plus a gap.
const int kCaptionLeft = 7;
const int kTitleRight = 24, kTitleGap = 3;

// Blanks in front of the caption that leave room for the title's box in the
// box's font: three at least.
CString TitlePadding(HWND hBox)
{
    int blank = 0;
    if (HDC hDC = ::GetDC(hBox)) {
        HFONT hFont = (HFONT)::SendMessage(hBox, WM_GETFONT, 0, 0);
        HGDIOBJ hOld = ::SelectObject(hDC, hFont ? (HGDIOBJ)hFont : ::GetStockObject(SYSTEM_FONT));
        SIZE size = {0, 0};
        if (::GetTextExtentPoint32(hDC, " ", 1, &size))
            blank = size.cx;
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(hBox, hDC);
    }
    int count = 3;
    if (blank > 0)
        while (kCaptionLeft + count * blank < kTitleRight + kTitleGap)
            ++count;
    return CString(' ', count);
}

}  // namespace

CCheckableGroupBox::CCheckableGroupBox() : m_nGroupId(0) {}

CCheckableGroupBox::~CCheckableGroupBox() {}

void CCheckableGroupBox::SetTitleStyle(UINT nType)
{
    CString caption;
    GetWindowText(caption);
    caption = TitlePadding(m_hWnd) + caption;
    SetWindowText(caption);
    if (nType != BS_AUTOCHECKBOX && nType != BS_AUTORADIOBUTTON)
        return;
    if (m_title.GetSafeHwnd())
        m_title.DestroyWindow();
    CRect rect(10, 0, 24, 14);
    if (!m_title.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | nType, rect, this, TITLE_ID))
        return;
    m_title.SendMessage(WM_SETFONT, SendMessage(WM_GETFONT), TRUE);
    m_title.EnableWindow(IsWindowEnabled());
    m_title.ShowWindow(SW_SHOW);
}

void CCheckableGroupBox::SetCheck(int nCheck)
{
    if (!m_title.GetSafeHwnd())
        return;
    m_title.SetCheck(nCheck);
    UpdateContents();
}

int CCheckableGroupBox::GetCheck() const
{
    if (!m_title.GetSafeHwnd() || !::IsWindow(m_title.GetSafeHwnd()))
        return -1;
    return m_title.GetCheck();
}

void CCheckableGroupBox::UpdateContents()
{
    CWnd* pParent = GetParent();
    if (!pParent || !m_title.GetSafeHwnd())
        return;
    const BOOL bEnable = m_title.GetCheck() == BST_CHECKED && m_title.IsWindowEnabled();
    CRect box;
    GetWindowRect(&box);
    std::vector<CCheckableGroupBox*> inner;
    for (HWND hChild = ::GetWindow(pParent->GetSafeHwnd(), GW_CHILD); hChild;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (hChild == m_hWnd || hChild == m_title.GetSafeHwnd())
            continue;
        CRect rect, common;
        ::GetWindowRect(hChild, &rect);
        // a window around the whole box (an outer box) is not its content
        if (!common.IntersectRect(&rect, &box) || common == box)
            continue;
        ::EnableWindow(hChild, bEnable);
        ::InvalidateRect(hChild, NULL, TRUE);
        if (CCheckableGroupBox* pBox = AsGroupBox(hChild))
            inner.push_back(pBox);
    }
    for (CCheckableGroupBox* pBox : inner)
        pBox->SetCheck(pBox->GetCheck());
}

void CCheckableGroupBox::OnTitleClicked()
{
    UpdateContents();
    CWnd* pParent = GetParent();
    if (!pParent)
        return;
    if ((m_title.GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
        for (HWND hChild = ::GetWindow(pParent->GetSafeHwnd(), GW_CHILD); hChild;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            CCheckableGroupBox* pBox = AsGroupBox(hChild);
            if (pBox && pBox != this && pBox->GetGroupId() == m_nGroupId)
                pBox->SetCheck(BST_UNCHECKED);
        }
    }
    pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

LRESULT CCheckableGroupBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == TITLE_ID && HIWORD(wParam) == BN_CLICKED) {
            OnTitleClicked();
            return 0;
        }
        break;
    case BM_SETCHECK:
        SetCheck((int)wParam);
        return 0;
    case BM_GETCHECK:
        return GetCheck();
    case WM_ENABLE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        if (m_title.GetSafeHwnd()) {
            m_title.EnableWindow((BOOL)wParam);
            UpdateContents();
        }
        return result;
    }
    case WM_SETFOCUS:
        if (m_title.GetSafeHwnd()) {
            m_title.SetFocus();
            return 0;
        }
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

CGroupLine::CGroupLine() {}

CGroupLine::~CGroupLine() {}

void CGroupLine::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(SS_SUNKEN, SS_SIMPLE | WS_DISABLED);
    ModifyStyleEx(WS_EX_STATICEDGE, 0);
}

void CGroupLine::Paint(HDC hDC)
{
    CString text;
    GetWindowText(text);
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    HGDIOBJ hOldFont = hFont ? ::SelectObject(hDC, hFont) : NULL;
    ::SetBkMode(hDC, TRANSPARENT);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(hDC, text, text.GetLength(), &size);
    TEXTMETRIC tm;
    ::GetTextMetrics(hDC, &tm);
    if (text.IsEmpty())
        size.cy = tm.tmHeight;
    CRect client;
    GetClientRect(&client);
    int textTop = 0;
    int lineY = size.cy / 2;
    if (GetStyle() & SS_CENTERIMAGE) {
        textTop = (client.Height() - size.cy) / 2;
        lineY = client.Height() / 2;
    }
    const int lineLeft = size.cx + size.cy / 2;
    if (lineLeft < client.right) {
        CRect highlight(lineLeft, lineY, client.right, lineY + 1);
        CRect shadow(lineLeft, lineY - 1, client.right, lineY);
        ::FillRect(hDC, &highlight, ::GetSysColorBrush(COLOR_3DHILIGHT));
        ::FillRect(hDC, &shadow, ::GetSysColorBrush(COLOR_3DSHADOW));
    }
    if (!text.IsEmpty())
        ::DrawState(hDC, NULL, NULL, (LPARAM)(LPCTSTR)text, text.GetLength(), 0, textTop, size.cx, size.cy,
                    DST_PREFIXTEXT | DSS_DISABLED);
    if (hOldFont)
        ::SelectObject(hDC, hOldFont);
}

LRESULT CGroupLine::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        Paint(hDC);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
