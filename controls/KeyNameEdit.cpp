#include "controls/KeyNameEdit.h"

#include <ctype.h>

namespace {

// GetKeyNameText with room for at most four characters.
CString KeyName(LPARAM lKeyData)
{
    char szName[5] = {0};
    int n = ::GetKeyNameText((LONG)lKeyData, szName, sizeof(szName));
    if (n <= 0)
        return CString();
    szName[n < 4 ? n : 4] = '\0';
    return CString(szName);
}

}  // namespace

LRESULT CKeyNameEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_lKeyData = (message >= WM_KEYFIRST && message <= WM_KEYLAST) ? lParam : -1;
    switch (message) {
    case WM_KEYDOWN:
        return 0;
    case WM_CHAR:
        m_nLastChar = (UINT)wParam;
        return 0;
    case WM_KEYUP:
        OnKeyReleased();
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10) {
            OnF10(lParam);
            return 0;
        }
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

void CKeyNameEdit::ShowKeyText(const CString& strText)
{
    SetWindowText(strText);
    int nLen = GetWindowTextLength();
    SetSel(nLen, nLen);
}

void CKeyNameEdit::OnKeyReleased()
{
    CString strName = KeyName(m_lKeyData);
    if (strName.GetLength() == 1) {
        if (!isalnum((unsigned char)strName[0]))
            return;
        CString strChar;
        strChar.Format("%c", (int)(unsigned char)m_nLastChar);
        ShowKeyText(strChar);
    } else if (strName.GetLength() > 1 && strName[0] == 'F') {
        ShowKeyText(strName);
    }
}

void CKeyNameEdit::OnF10(LPARAM lKeyData)
{
    ShowKeyText(KeyName(lKeyData));
    SendMessage(WM_LBUTTONDBLCLK, 0, 0);
    SendMessage(WM_KEYDOWN, VK_TAB, 0);
    SendMessage(WM_KEYUP, VK_TAB, 0);
}
