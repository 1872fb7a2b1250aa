// CUIPicture: the picture element: an image stretched to the element, with an optional caption.
// Drawing is a labelled stand-in box for now.
#pragma once

#include "designer/UIControl.h"

class CUIPicture : public CUIControl {
public:
    CUIPicture();
    virtual ~CUIPicture();

    virtual CUIControl* Clone() override;
    virtual void Draw(CDC* pDC, int left, int top, int right, int bottom) override;

    static CUIControl* CreateFromMarkup(CXmlDocument& doc);
    static CUIControl* CreateFromDefaultString(LPCTSTR lpszText);
};
