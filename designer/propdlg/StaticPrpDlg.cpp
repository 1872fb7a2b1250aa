#include "designer/propdlg/StaticPrpDlg.h"

#include "controls/ColorFont.h"
#include "framework/DataExchange.h"
#include "resources/zavomgr/resource.h"

namespace {
// Left, centred and right: single line, vertically centred.
const UINT kAlignFlags[3] = {36, 37, 38};
}  // namespace

CStaticPrpDlg::CStaticPrpDlg() : CEntryPrpDlg(IDD_STATICPRP, "StaticPrp_Dlg", IDC_PT_ASMENU, kAlignFlags) {}

CStaticPrpDlg::~CStaticPrpDlg() {}

void CStaticPrpDlg::DoDataExchange(CDataExchange* pDX)
{
    CEntryPrpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PT_PREVIEW, m_preview);
}

void CStaticPrpDlg::ShowFont()
{
    if (m_pFont == NULL)
        return;
    m_preview.SetFont(*m_pFont);
    m_preview.GetTextFont().SetColor(m_pFont->GetColor());
    m_preview.GetTextFont().SetTextFormat(m_pFont->GetTextFormat());
    m_preview.Invalidate();
}

void CStaticPrpDlg::InitControls()
{
    if (GetSafeHwnd() == NULL || m_pControl == NULL)
        return;
    FillEntryControls();
    if (m_groupBox.GetSafeHwnd())
        m_groupBox.SetCheck(m_pControl->GetAsMenu() ? BST_CHECKED : BST_UNCHECKED);
    UpdatePasswordField();
}

void CStaticPrpDlg::OnApply()
{
    if (m_pControl == NULL)
        return;
    EntryFields fields;
    ReadEntryControls(fields);
    if (!CheckLengths(fields, CString(), CString()))
        return;
    BOOL bAsMenu = m_groupBox.GetSafeHwnd() && m_groupBox.GetCheck() > 0;
    if (bAsMenu && !CheckEntryComplete(fields))
        return;
    m_pControl->SetAsMenu(bAsMenu);
    WriteEntryHead(fields, "");
    WriteEntryTail(fields);
    RedrawOwner();
}
