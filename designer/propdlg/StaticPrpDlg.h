// CStaticPrpDlg: the static text element's property dialog: the text, its
// preview, and the menu-entry part that the checkable group box turns on.
#pragma once

#include "designer/propdlg/EntryPrpDlg.h"
#include "controls/TextPreview.h"

class CStaticPrpDlg : public CEntryPrpDlg {
public:
    CStaticPrpDlg();
    virtual ~CStaticPrpDlg();

    virtual void InitControls() override;
    CTextPreview& GetPreview() { return m_preview; }

protected:
    virtual void OnApply() override;
    virtual void ShowFont() override;
    virtual void DoDataExchange(CDataExchange* pDX) override;

    CTextPreview m_preview;
};
