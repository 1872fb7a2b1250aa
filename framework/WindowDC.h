#pragma once
#include "framework/DC.h"

class FW_API CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    virtual ~CWindowDC();

protected:
    HWND m_hWnd;
};
