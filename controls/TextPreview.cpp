#include "controls/TextPreview.h"
#include "controls/ColorFont.h"
#include "framework/PaintDC.h"

BEGIN_MESSAGE_MAP(CTextPreview, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CTextPreview::CTextPreview() : m_pFont(new CColorFont("Tahoma")) {}

CTextPreview::~CTextPreview()
{
    delete m_pFont;
}

void CTextPreview::SetFont(const CColorFont& font)
{
    COLORREF crColor = m_pFont->GetColor();
    CColorFont* pNew = new CColorFont(font.GetLogFontData());
    pNew->SetColor(crColor);
    delete m_pFont;
    m_pFont = pNew;
    if (m_hWnd != NULL)
        Invalidate();
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
    CScopedSelect select(pDC, m_pFont);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOld = pDC->SetTextColor(m_pFont->GetColor());
    pDC->DrawText(strText, &client, m_pFont->GetTextFormat());
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
}
