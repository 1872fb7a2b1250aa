// Dialog data exchange. A failed validation marks the exchange failed, puts the
// focus on the control and skips the remaining exchanges (no exceptions).
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/String.h"

class CWnd;

class FW_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;
    HWND m_idLastControl;
    BOOL m_bEditLastControl;
    BOOL m_bFailed;

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Reports the failure once: focus (and selection) on the last control.
    void Fail();
};

FW_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
FW_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
FW_API void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
FW_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
FW_API void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
FW_API void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
FW_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
FW_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
FW_API void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
FW_API void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
