#include "designer/UIProgress.h"

#include "controls/ColorFont.h"

CUIProgress::CUIProgress()
{
    SetTypeName("progress");
    SetName("progress");
    m_pFont = new CColorFont("Tahoma");
    m_pFont->SetColor(0);
    m_pFont->SetTextFormat(37);
    SetAsMenu(FALSE);
    m_nLower = 0;
    m_nUpper = 0;
    m_nStep = 1;
    m_nPos = 0;
    SetRange(0, 20);
    SetPos(5);
}

CUIProgress::~CUIProgress() {}

CUIControl* CUIProgress::Clone()
{
    CUIProgress* pCopy = new CUIProgress;
    pCopy->CopyFrom(this);
    return pCopy;
}

void CUIProgress::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    DrawLabelledBox(pDC, CRect(left, top, right, bottom), "Progress bar");
}

CUIControl* CUIProgress::CreateFromMarkup(CXmlDocument& doc)
{
    CUIProgress* pControl = new CUIProgress;
    if (pControl->LoadFromMarkup(doc))
        return pControl;
    delete pControl;
    return NULL;
}

CUIControl* CUIProgress::CreateFromDefaultString(LPCTSTR lpszText)
{
    CUIProgress* pControl = new CUIProgress;
    if (pControl->LoadFromDefaultString(lpszText))
        return pControl;
    delete pControl;
    return NULL;
}

void CUIProgress::UpdateStep()
{
    int step = m_nUpper - m_nLower;
    if (step < 0)
        step = -step;
    m_nStep = step == 0 ? 1 : step;
}

void CUIProgress::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    UpdateStep();
}

BOOL CUIProgress::SetPos(int nPos)
{
    if (nPos < m_nLower)
        nPos = m_nLower;
    if (nPos > m_nUpper)
        nPos = m_nUpper;
    m_nPos = nPos;
    return TRUE;
}
