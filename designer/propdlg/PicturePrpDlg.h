// CPicturePrpDlg: the picture element's property dialog: the picture and its
// hover picture, the caption with its font, and the menu-entry part that
// the checkable group box turns on.
#pragma once

#include "designer/propdlg/EntryPrpDlg.h"
#include "controls/PicturePreview.h"
#include "controls/ImageButton.h"

class CPicturePrpDlg : public CEntryPrpDlg {
public:
    CPicturePrpDlg();
    virtual ~CPicturePrpDlg();

    virtual void InitControls() override;
    CPicturePreview& GetPreview() { return m_preview; }
    // Writes the picture file (the built-in picture when empty) brightened
    // by 20; FALSE when the folders or the file cannot be made.
    static BOOL MakeHoverPicture(LPCTSTR lpszPicture, LPCTSTR lpszTarget);

protected:
    virtual void OnApply() override;
    virtual void ShowFont() override;
    virtual void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnPictureButton();
    afx_msg void OnHoverButton();
    afx_msg void OnMakeHoverButton();
    afx_msg void OnCaptureButton();
    DECLARE_MESSAGE_MAP()

protected:
    CImageButton m_captureButton;
    CPicturePreview m_preview;
};
