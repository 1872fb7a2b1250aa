#pragma once
#include "framework/DC.h"

class FW_API CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    virtual ~CClientDC();

protected:
    HWND m_hWnd;
};
