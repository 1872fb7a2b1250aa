// A tooltip drawn as a rounded box with a light-blue vertical gradient,
// placed under the window of the tool the pointer is on.
#pragma once
#include "framework/Pen.h"
#include "framework/ToolTipCtrl.h"

class CVistaToolTipCtrl : public CToolTipCtrl {
    DECLARE_DYNAMIC(CVistaToolTipCtrl)
public:
    CVistaToolTipCtrl();
    virtual ~CVistaToolTipCtrl();

    // Where the box goes for the text now (screen coordinates).
    RECT PlaceFor(POINT pointer, HWND hTool, const char *pszText) const;

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    HWND ToolWindow(POINT pointer) const;

    CPen m_borderPen;
    COLORREF m_crText;
};
