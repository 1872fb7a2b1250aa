// The device context of a skin object's WM_PAINT: the DC the message carries,
// else BeginPaint; a failed BeginPaint leaves it without DC and paints nothing.
#pragma once

#include "framework/DC.h"

class CVZRSkinPaintDC : public CDC {
public:
    explicit CVZRSkinPaintDC(HWND window);
    ~CVZRSkinPaintDC();
    bool IsValid() const { return m_hDC != NULL; }
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
    bool m_bBeginPaint = false;
};
