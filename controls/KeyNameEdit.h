// An edit that captures a keyboard shortcut: it shows the name of the key
// pressed (a letter or digit as typed, or a function key) instead of text.
#pragma once
#include "framework/Edit.h"

class CKeyNameEdit : public CEdit {
public:
    CKeyNameEdit() : m_nLastChar(0), m_lKeyData(-1) {}

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnKeyReleased();
    void OnF10(LPARAM lKeyData);
    void ShowKeyText(const CString& strText);

    UINT m_nLastChar;   // code of the last WM_CHAR
    LPARAM m_lKeyData;  // data of the last key message, -1 when none
};
