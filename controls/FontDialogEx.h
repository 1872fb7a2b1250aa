// A font dialog whose colour is chosen with a colour button in place of the
// system's colour list. Started from a font (CF_INITTOLOGFONTSTRUCT), it shows
// that font's face, size and style, and OK without a change gives that font
// back as it was (the dialog's whole points and its listed faces never
// replace it).
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

    virtual INT_PTR DoModal() override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;

    // The name under which the system's face list shows the font GDI takes
    // for lf: the face itself when installed (under the list's own name for
    // it), else the installed face it stands for; empty when there is none.
    static CString ListedFaceName(const LOGFONT& lf);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CString ControlsLook() const;

    COLORREF m_crColor;
    CColorButton m_colorButton;
    CString m_strOwnFace;      // the starting font's face, shown even when not listed
    CString m_strLookAtStart;  // face, style, size and effects as the dialog opened
    BOOL m_bChanged;           // OK came after a change of the font
};
