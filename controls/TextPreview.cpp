#include "controls/TextPreview.h"
#include "controls/ColorFont.h"
#include "framework/PaintDC.h"

BEGIN_MESSAGE_MAP(CTextPreview, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CTextPreview::CTextPreview() : m_pFont(new CColorFont("Tahoma")) {}

CTextPreview::~CTextPreview()
{
    delete m_pFont;
}

void CTextPreview::SetFont(const CColorFont& font)
{
    m_pFont->SetLogFont(font.GetLogFontData());
    if (m_hWnd != NULL)
        Invalidate();
}

// The text is drawn transparently: the old text must go first, in the colour the
// parent gives its static controls, or a smaller font leaves the bigger one behind.
BOOL CTextPreview::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    HWND hParent = ::GetParent(m_hWnd);
    HBRUSH hBrush = hParent != NULL ? (HBRUSH)::SendMessage(hParent, WM_CTLCOLORSTATIC,
                                                            (WPARAM)pDC->GetSafeHdc(), (LPARAM)m_hWnd)
                                    : NULL;
    ::FillRect(pDC->GetSafeHdc(), &client, hBrush != NULL ? hBrush : ::GetSysColorBrush(COLOR_3DFACE));
    return TRUE;
}

void CTextPreview::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void CTextPreview::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CString strText;
    GetWindowText(strText);
    m_pFont->DrawText(pDC, strText, &client);
}
