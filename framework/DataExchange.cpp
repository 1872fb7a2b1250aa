#include "framework/DataExchange.h"
#include "framework/Wnd.h"
#include "framework/WinApp.h"
#include "framework/CreateContext.h"
#include "framework/FwRes.h"
#include <stdio.h>
#include <stdlib.h>
#include <errno.h>
#include <climits>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(NULL),
      m_bEditLastControl(FALSE), m_bFailed(FALSE) {}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_idLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bFailed)
        return;
    m_bFailed = TRUE;
    if (!m_bSaveAndValidate || m_idLastControl == NULL)
        return;
    ::SetFocus(m_idLastControl);
    if (m_bEditLastControl)
        ::SendMessage(m_idLastControl, EM_SETSEL, 0, -1);
}

static CString ControlText(HWND hWndCtrl)
{
    CString s;
    int n = ::GetWindowTextLength(hWndCtrl);
    ::GetWindowText(hWndCtrl, s.GetBuffer(n + 1), n + 1);
    s.ReleaseBuffer();
    return s;
}

// The prompt nID with %1 and %2 replaced by the limits, if it has them.
static void Prompt(CDataExchange* pDX, UINT nID, LPCTSTR lpsz1 = NULL, LPCTSTR lpsz2 = NULL)
{
    CString strText = AfxLoadFwString(nID);
    if (lpsz1 != NULL)
        strText.Replace("%1", lpsz1);
    if (lpsz2 != NULL)
        strText.Replace("%2", lpsz2);
    AfxMessageBox(strText, MB_ICONEXCLAMATION, nID);
    pDX->Fail();
}

static CString Decimal(long long n)
{
    char buf[32];
    sprintf(buf, "%lld", n);
    return buf;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWndCtrl);
    else
        ::SetWindowText(hWndCtrl, value);
}

// Reads a whole number; text after it (other than blanks) is an error.
static bool ParseLong(const CString& text, bool bUnsigned, long long& out)
{
    CString s(text);
    s.Trim();
    if (s.IsEmpty())
        return false;
    const char* p = s;
    if (bUnsigned && *p == '-')
        return false;
    char* pEnd = NULL;
    errno = 0;
    out = strtoll(p, &pEnd, 10);
    return errno == 0 && pEnd != p && *pEnd == 0;
}

static void TextNumber(CDataExchange* pDX, int nIDC, long long& v, bool bUnsigned,
                       long long lo, long long hi)
{
    if (pDX->m_bFailed)
        return;
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate) {
        long long n = 0;
        if (!ParseLong(ControlText(hWndCtrl), bUnsigned, n) || n < lo || n > hi) {
            Prompt(pDX, bUnsigned ? AFX_IDP_PARSE_UINT : AFX_IDP_PARSE_INT);
            return;
        }
        v = n;
    } else {
        char buf[32];
        sprintf(buf, "%lld", v);
        ::SetWindowText(hWndCtrl, buf);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    long long v = value;
    TextNumber(pDX, nIDC, v, false, INT_MIN, INT_MAX);
    if (pDX->m_bSaveAndValidate && !pDX->m_bFailed) value = (int)v;
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    long long v = value;
    TextNumber(pDX, nIDC, v, false, LONG_MIN, LONG_MAX);
    if (pDX->m_bSaveAndValidate && !pDX->m_bFailed) value = (long)v;
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    long long v = value;
    TextNumber(pDX, nIDC, v, true, 0, UINT_MAX);
    if (pDX->m_bSaveAndValidate && !pDX->m_bFailed) value = (UINT)v;
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    long long v = value;
    TextNumber(pDX, nIDC, v, true, 0, 0xFFFFFFFFLL);
    if (pDX->m_bSaveAndValidate && !pDX->m_bFailed) value = (DWORD)v;
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)(value >= 0 && value <= 2 ? value : 0), 0);
}

// nIDC is the first radio button of a group (WS_GROUP); value is the index of
// the checked one, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            } else {
                ::SendMessage(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            }
            iButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLongPtr(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

// The selected index of a combo or list box, with its get and set messages.
static void ExchangeSelection(CDataExchange* pDX, int nIDC, int& index, UINT getMsg, UINT setMsg)
{
    if (pDX->m_bFailed)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, getMsg, 0, 0);
    else
        ::SendMessage(hWndCtrl, setMsg, (WPARAM)index, 0);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeSelection(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = ControlText(hWndCtrl);
    } else {
        if (::SendMessage(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR)
            ::SetWindowText(hWndCtrl, value);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeSelection(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->m_bFailed || rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL || !rControl.SubclassWindow(hWndCtrl))
        pDX->Fail();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal) {
        Prompt(pDX, AFX_IDP_PARSE_INT_RANGE, Decimal(minVal), Decimal(maxVal));
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal) {
        Prompt(pDX, AFX_IDP_PARSE_UINT_RANGE, Decimal(minVal), Decimal(maxVal));
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bFailed)
        return;
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            Prompt(pDX, AFX_IDP_PARSE_STRING_SIZE, Decimal(nChars));
        }
    } else if (pDX->m_idLastControl != NULL && pDX->m_bEditLastControl) {
        ::SendMessage(pDX->m_idLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}
