// CUIProgress: the progress bar element of the boot menu screen.
// Drawing is a labelled stand-in box for now.
#pragma once

#include "designer/UIControl.h"

class CUIProgress : public CUIControl {
public:
    CUIProgress();
    virtual ~CUIProgress();

    virtual CUIControl* Clone() override;
    virtual void Draw(CDC* pDC, int left, int top, int right, int bottom) override;

    static CUIControl* CreateFromMarkup(CXmlDocument& doc);
    static CUIControl* CreateFromDefaultString(LPCTSTR lpszText);

    // The preview range and position: only the constructor sets them.
    void SetRange(int nLower, int nUpper);
    BOOL SetPos(int nPos);
    int GetLower() const { return m_nLower; }
    int GetUpper() const { return m_nUpper; }
    int GetStep() const { return m_nStep; }
    int GetPos() const { return m_nPos; }

private:
    void UpdateStep();

    int m_nLower;
    int m_nUpper;
    int m_nStep;
    int m_nPos;
};
