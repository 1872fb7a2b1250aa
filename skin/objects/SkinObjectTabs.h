// Skins of the tab control and the toolbar, painted whole into a memory DC.
#pragma once

#include "skin/objects/SkinObjectFrame.h"

class CVZRSkinObjectTab : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectTab)
public:
    CVZRSkinObjectTab();
    int GetHotItem() const { return m_hotItem; }

protected:
    afx_msg LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()

private:
    void SetHot(POINT pt);
    int m_hotItem = -1;
};

class CVZRSkinObjectToolBar : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectToolBar)
public:
    CVZRSkinObjectToolBar();

protected:
    afx_msg LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()
};
