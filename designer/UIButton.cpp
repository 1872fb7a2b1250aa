#include "designer/UIButton.h"

#include "controls/ColorFont.h"

CUIButton::CUIButton()
{
    SetTypeName("button");
    SetName("button");
    CString text = LoadInterfaceString(61467, "Boot from 1st hard disk.");
    SetCaption(text);
    SetTitle(text);
    SetCmdLine("chainloader (hd0,0)+1\r\nboot");
    m_pFont = new CColorFont("Tahoma");
    m_pFont->SetColor(0);
    m_pFont->SetTextFormat(37);
    SetAsMenu(TRUE);
}

CUIButton::~CUIButton() {}

CUIControl* CUIButton::Clone()
{
    CUIButton* pCopy = new CUIButton;
    pCopy->CopyFrom(this);
    return pCopy;
}

void CUIButton::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    DrawLabelledBox(pDC, CRect(left, top, right, bottom), "Menu entry");
}

CUIControl* CUIButton::CreateFromMarkup(CXmlDocument& doc)
{
    CUIButton* pControl = new CUIButton;
    if (pControl->LoadFromMarkup(doc))
        return pControl;
    delete pControl;
    return NULL;
}

CUIControl* CUIButton::CreateFromDefaultString(LPCTSTR lpszText)
{
    CUIButton* pControl = new CUIButton;
    if (pControl->LoadFromDefaultString(lpszText))
        return pControl;
    delete pControl;
    return NULL;
}
