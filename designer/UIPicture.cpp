#include "designer/UIPicture.h"

#include "controls/ColorFont.h"

CUIPicture::CUIPicture()
{
    SetTypeName("picture");
    SetName("picture");
    CString text = LoadInterfaceString(61467, "Boot from 1st hard disk.");
    SetCaption(text);
    SetTitle(text);
    SetCmdLine("chainloader (hd0,0)+1\r\nboot");
    m_pFont = new CColorFont("Tahoma");
    m_pFont->SetColor(0);
    m_pFont->SetTextFormat(53);
    SetAsMenu(FALSE);
}

CUIPicture::~CUIPicture() {}

CUIControl* CUIPicture::Clone()
{
    CUIPicture* pCopy = new CUIPicture;
    pCopy->CopyFrom(this);
    return pCopy;
}

void CUIPicture::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    DrawLabelledBox(pDC, CRect(left, top, right, bottom), "Picture");
}

CUIControl* CUIPicture::CreateFromMarkup(CXmlDocument& doc)
{
    CUIPicture* pControl = new CUIPicture;
    if (pControl->LoadFromMarkup(doc))
        return pControl;
    delete pControl;
    return NULL;
}

CUIControl* CUIPicture::CreateFromDefaultString(LPCTSTR lpszText)
{
    CUIPicture* pControl = new CUIPicture;
    if (pControl->LoadFromDefaultString(lpszText))
        return pControl;
    delete pControl;
    return NULL;
}
