// Skins of the input controls: combo boxes and date-time pickers painted over
// the system's drawing, the month calendar recoloured, and edit controls with
// the skin's border, colours and scroll bars.
#pragma once

#include "skin/objects/SkinObject.h"

class CVZRSkinObjectComboBox : public CVZRSkinObject {
    DECLARE_DYNCREATE(CVZRSkinObjectComboBox)
public:
    CVZRSkinObjectComboBox();
    UINT GetCtlColorMessage();
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
    DECLARE_MESSAGE_MAP()

protected:
    BOOL m_bHot = FALSE;
};

class CVZRSkinObjectDateTime : public CVZRSkinObjectComboBox {
    DECLARE_DYNCREATE(CVZRSkinObjectDateTime)
public:
    CVZRSkinObjectDateTime() {}
    void OnDraw(HDC dc) override;
    void ReloadMetrics() override;

protected:
    afx_msg LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CVZRSkinObjectMonthCal : public CVZRSkinObject {
    DECLARE_DYNCREATE(CVZRSkinObjectMonthCal)
public:
    CVZRSkinObjectMonthCal() {}
    void ReloadMetrics() override;
};

class CVZRSkinObjectEdit : public CVZRSkinObject {
    DECLARE_DYNCREATE(CVZRSkinObjectEdit)
public:
    CVZRSkinObjectEdit();
    UINT GetCtlColorMessage();
};
