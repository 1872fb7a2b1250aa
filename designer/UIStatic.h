// CUIStatic: the static text element: a marked-up text over the wallpaper.
// Drawing is a labelled stand-in box for now.
#pragma once

#include "designer/UIControl.h"

class CUIStatic : public CUIControl {
public:
    CUIStatic();
    virtual ~CUIStatic();

    virtual CUIControl* Clone() override;
    virtual void Draw(CDC* pDC, int left, int top, int right, int bottom) override;

    static CUIControl* CreateFromMarkup(CXmlDocument& doc);
    static CUIControl* CreateFromDefaultString(LPCTSTR lpszText);
};
