// A font dialog whose colour is chosen with a colour button in place of the
// system's colour list.
#pragma once
#include "framework/FontDialog.h"
#include "controls/ColorButton.h"

class CFontDialogEx : public CFontDialog {
public:
    enum { IDC_COLOR_BUTTON = 1280 };

    explicit CFontDialogEx(LPLOGFONT lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                           CDC* pdcPrinter = NULL, CWnd* pParentWnd = NULL);

    // The colour shown at the start and, after DoModal, the one chosen.
    COLORREF GetColor() const { return m_crColor; }
    void SetColor(COLORREF crColor)
    {
        m_crColor = crColor;
        m_cf.rgbColors = crColor;
    }
    CColorButton& GetColorButton() { return m_colorButton; }

    virtual BOOL OnInitDialog() override;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COLORREF m_crColor;
    CColorButton m_colorButton;
};
