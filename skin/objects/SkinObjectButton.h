// The skin of buttons: push buttons, check boxes, radio buttons and group
// boxes, painted whole from the theme class "BUTTON".
#pragma once

#include "skin/objects/SkinObjectFrame.h"

class CVZRSkinObjectButton : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectButton)
public:
    CVZRSkinObjectButton();

    void OnSkinStateChange(BOOL bPrevState, BOOL bNewState) override;
    BOOL HandleSubclassMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;
    BOOL HandleDefProcMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;
    BOOL HandledInDefProc(UINT msg) override;
    virtual void OnDraw(HDC dc);

    BOOL IsHot() const { return m_bHot; }
    BOOL IsPushed() const { return m_bPushed; }

protected:
    afx_msg LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDefaultThenInvalidate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateUIState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()

private:
    // Types 0 to 10: owner-drawn buttons and newer types are the system's.
    bool IsSkinnedType() const;
    void SetHot(POINT pt);

    BYTE m_type = 255;
    BOOL m_bHot = FALSE;
    BOOL m_bPushed = FALSE;
};
