// The system's colour dialog. Each dialog keeps its 16 custom colours.
#pragma once
#include "framework/CommonDialog.h"

class FW_API CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    CHOOSECOLOR m_cc;

    virtual INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    COLORREF* GetSavedCustomColors() { return m_clrCustom; }
    void SetCurrentColor(COLORREF clr);  // while running

protected:
    COLORREF m_clrCustom[16];
};

FW_API UINT_PTR CALLBACK AfxColorDlgHookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
