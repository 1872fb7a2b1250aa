// Colour values of the mark-up text: "r,g,b", "#RRGGBB" or a colour name.
#pragma once
#include <windows.h>

class CHtmlColor {
public:
    explicit CHtmlColor(LPCTSTR lpszText);
    COLORREF GetColor() const { return m_crColor; }

private:
    COLORREF m_crColor;
};
