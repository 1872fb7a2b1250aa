#include "designer/UIStatic.h"

#include "controls/ColorFont.h"

CUIStatic::CUIStatic()
{
    SetTypeName("static");
    SetName("static");
    CString text = LoadInterfaceString(61467, "Boot from 1st hard disk.");
    SetCaption(text);
    SetTitle(text);
    SetCmdLine("chainloader (hd0,0)+1\r\nboot");
    m_pFont = new CColorFont("Tahoma");
    m_pFont->SetColor(0);
    m_pFont->SetTextFormat(5);
    SetAsMenu(FALSE);
}

CUIStatic::~CUIStatic() {}

CUIControl* CUIStatic::Clone()
{
    CUIStatic* pCopy = new CUIStatic;
    pCopy->CopyFrom(this);
    return pCopy;
}

void CUIStatic::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    DrawLabelledBox(pDC, CRect(left, top, right, bottom), "Text");
}

CUIControl* CUIStatic::CreateFromMarkup(CXmlDocument& doc)
{
    CUIStatic* pControl = new CUIStatic;
    if (pControl->LoadFromMarkup(doc))
        return pControl;
    delete pControl;
    return NULL;
}

CUIControl* CUIStatic::CreateFromDefaultString(LPCTSTR lpszText)
{
    CUIStatic* pControl = new CUIStatic;
    if (pControl->LoadFromDefaultString(lpszText))
        return pControl;
    delete pControl;
    return NULL;
}
