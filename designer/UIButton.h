// CUIButton: the menu entry element: one selectable entry of the boot menu.
// Drawing is a labelled stand-in box for now.
#pragma once

#include "designer/UIControl.h"

class CUIButton : public CUIControl {
public:
    CUIButton();
    virtual ~CUIButton();

    virtual CUIControl* Clone() override;
    virtual void Draw(CDC* pDC, int left, int top, int right, int bottom) override;

    static CUIControl* CreateFromMarkup(CXmlDocument& doc);
    static CUIControl* CreateFromDefaultString(LPCTSTR lpszText);
};
