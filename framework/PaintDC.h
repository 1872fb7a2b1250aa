#pragma once
#include "framework/DC.h"

class FW_API CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    virtual ~CPaintDC();
    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
