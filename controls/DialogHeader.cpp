#include "controls/DialogHeader.h"
#include "controls/BarPainter.h"
#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "framework/WinApp.h"

namespace {

const int kBigIcon = 48;

UINT AlignFlags(int nAlign)
{
    UINT nFlags = DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS;
    if (nAlign == CDialogHeader::ALIGN_CENTER)
        return nFlags | DT_CENTER;
    if (nAlign == CDialogHeader::ALIGN_RIGHT)
        return nFlags | DT_RIGHT;
    return nFlags | DT_LEFT;
}

void MakeFont(CFont& font, int nHeight, int nWeight)
{
    font.DeleteObject();
    font.CreateFont(nHeight, 0, 0, 0, nWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialogHeader, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CDialogHeader::CDialogHeader()
    : m_nTitleFontHeight(15), m_nDescFontHeight(13), m_nHeaderHeight(60),
      m_nIconWidth(::GetSystemMetrics(SM_CXICON)), m_nIconHeight(::GetSystemMetrics(SM_CYICON)),
      m_nBorderHeight(::GetSystemMetrics(SM_CXEDGE)), m_nRightInset(1), m_nIconMargin(10),
      m_nTitleIndent(10), m_nDescIndent(10), m_nTextAlign(ALIGN_LEFT), m_bFontsSet(FALSE),
      m_bKeepIconRoom(TRUE), m_hIcon(NULL), m_hLoadedIcon(NULL), m_crBackground(::GetSysColor(COLOR_WINDOW)),
      m_bIconRight(FALSE)
{
}

CDialogHeader::~CDialogHeader()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    ReleaseLoadedIcon();
}

void CDialogHeader::ReleaseLoadedIcon()
{
    if (m_hLoadedIcon == NULL)
        return;
    if (m_hIcon == m_hLoadedIcon)
        m_hIcon = NULL;
    ::DestroyIcon(m_hLoadedIcon);
    m_hLoadedIcon = NULL;
}

void CDialogHeader::Repaint()
{
    if (m_hWnd != NULL)
        Invalidate();
}

void CDialogHeader::SetTitleText(LPCTSTR lpszText)
{
    m_strTitle = lpszText ? lpszText : "";
    Repaint();
}

void CDialogHeader::SetDescText(LPCTSTR lpszText)
{
    m_strDesc = lpszText ? lpszText : "";
    Repaint();
}

void CDialogHeader::SetIcon(HICON hIcon)
{
    if (hIcon != m_hLoadedIcon)
        ReleaseLoadedIcon();
    m_hIcon = hIcon;
    Repaint();
}

void CDialogHeader::SetIconResource(BOOL bRight, UINT nID)
{
    m_bIconRight = bRight;
    m_nIconWidth = m_nIconHeight = kBigIcon;
    ReleaseLoadedIcon();
    m_hLoadedIcon = (HICON)::LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(nID), IMAGE_ICON,
                                       kBigIcon, kBigIcon, LR_DEFAULTCOLOR);
    m_hIcon = m_hLoadedIcon;
    Repaint();
}

int CDialogHeader::MinimumHeight() const
{
    int nForIcon = m_nIconHeight + 2 * m_nIconMargin + m_nRightInset;
    int nForText = m_nTitleFontHeight + 2 * m_nIconMargin + 2 + m_nDescFontHeight + m_nRightInset;
    return nForIcon > nForText ? nForIcon : nForText;
}

void CDialogHeader::SetHeaderHeight(int nHeight)
{
    int nMinimum = MinimumHeight();
    m_nHeaderHeight = nHeight > nMinimum ? nHeight : nMinimum;
    Repaint();
}

void CDialogHeader::Init(CWnd* pDialog)
{
    if (pDialog == NULL || pDialog->GetSafeHwnd() == NULL || m_hWnd != NULL)
        return;
    SetHeaderHeight(m_nHeaderHeight);
    CRect rect;
    pDialog->GetWindowRect(&rect);
    pDialog->SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height() + m_nHeaderHeight,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    CreateEx(0, lpszClass, "", WS_CHILD | WS_VISIBLE, -1, -1, rect.Width(), m_nHeaderHeight,
             pDialog->GetSafeHwnd(), NULL);
}

void CDialogHeader::MoveCtrl(CWnd* pCtrl)
{
    if (pCtrl == NULL || pCtrl->GetSafeHwnd() == NULL)
        return;
    HWND hParent = ::GetParent(pCtrl->GetSafeHwnd());
    CRect rect;
    pCtrl->GetWindowRect(&rect);
    POINT pt = {rect.left, rect.top};
    if (hParent != NULL)
        ::ScreenToClient(hParent, &pt);
    pCtrl->SetWindowPos(NULL, pt.x, pt.y + m_nHeaderHeight, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialogHeader::MoveCtrls(CWnd* pDialog)
{
    if (pDialog == NULL || pDialog->GetSafeHwnd() == NULL)
        return;
    for (HWND hChild = ::GetWindow(pDialog->GetSafeHwnd(), GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (hChild != m_hWnd)
            MoveCtrl(CWnd::FromHandle(hChild));
    }
}

BOOL CDialogHeader::OnEraseBkgnd(CDC* pDC)
{
    return EraseBackgroundNone(pDC);
}

void CDialogHeader::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void CDialogHeader::Draw(CDC* pDC)
{
    if (!m_bFontsSet) {
        MakeFont(m_descFont, m_nDescFontHeight, FW_NORMAL);
        MakeFont(m_titleFont, m_nTitleFontHeight, FW_BOLD);
    }
    CRect client;
    GetClientRect(&client);
    CRect band = client;
    band.bottom -= m_nBorderHeight;
    pDC->FillSolidRect(&band, m_crBackground);
    pDC->Draw3dRect(client.left, client.bottom - 2, client.Width(), 2,
                    ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHIGHLIGHT));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOldText = pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));

    if (m_hIcon != NULL) {
        if (m_bIconRight)
            ::DrawIconEx(pDC->GetSafeHdc(), client.right - m_nIconWidth - m_nIconMargin - 5,
                         m_nIconMargin, m_hIcon, kBigIcon, kBigIcon, 0, NULL, DI_NORMAL);
        else
            pDC->DrawIcon(m_nIconMargin, m_nIconMargin, m_hIcon);
    }

    CRect title(client.left + m_nTitleIndent, m_nIconMargin, client.right - m_nRightInset - m_nIconMargin,
                m_nIconMargin + m_nTitleFontHeight);
    if (!m_bIconRight && (m_hIcon != NULL || m_bKeepIconRoom))
        title.left += m_nIconMargin + m_nIconWidth;
    if (m_nTextAlign == ALIGN_CENTER)
        title.right += title.left - client.left;
    {
        CScopedSelect select(pDC, &m_titleFont);
        pDC->DrawText(m_strTitle, &title, AlignFlags(m_nTextAlign));
    }

    CRect desc(title.left, title.bottom + 5, title.right, client.bottom);
    if (m_nTextAlign == ALIGN_LEFT && !m_bIconRight)
        desc.left += m_nDescIndent;
    if (m_nTextAlign == ALIGN_RIGHT)
        desc.right -= m_nDescIndent;
    {
        CScopedSelect select(pDC, &m_descFont);
        pDC->DrawText(m_strDesc, &desc, AlignFlags(m_nTextAlign));
    }
    pDC->SetTextColor(crOldText);
    pDC->SetBkMode(nOldMode);
}
