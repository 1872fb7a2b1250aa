// Skins of the input controls: combo boxes and date-time pickers painted over
// the system's drawing, the month calendar recoloured, and edit controls with
// the skin's border, colours and scroll bars.
#pragma once

#include "skin/objects/SkinObjectFrame.h"

class CVZRSkinObjectComboBox : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectComboBox)
public:
    CVZRSkinObjectComboBox();
    // Read-only and disabled boxes ask for static colours.
    HBRUSH GetClientBrush(HDC dc) override;
    virtual void OnDraw(HDC dc);
    BOOL IsHot() const { return m_bHot; }

protected:
    afx_msg LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDefaultThenInvalidate(WPARAM wParam, LPARAM lParam);
    void SetHot(POINT pt);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()

protected:
    BOOL m_bHot = FALSE;
};

class CVZRSkinObjectDateTime : public CVZRSkinObjectComboBox {
    DECLARE_DYNCREATE(CVZRSkinObjectDateTime)
public:
    CVZRSkinObjectDateTime() {}
    void OnDraw(HDC dc) override;
    void DrawFrame(HDC dc) override;
    void ReloadMetrics() override;

protected:
    afx_msg LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CVZRSkinObjectMonthCal : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectMonthCal)
public:
    CVZRSkinObjectMonthCal() {}
    void ReloadMetrics() override;
};

class CVZRSkinObjectEdit : public CVZRSkinObjectScrollFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectEdit)
public:
    CVZRSkinObjectEdit();
    HBRUSH GetClientBrush(HDC dc) override;
    // An attached up-down control's two-pixel overlap stays undrawn.
    void DrawFrame(HDC dc) override;
};
