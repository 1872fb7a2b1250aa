#include "designer/propdlg/ButtonPrpDlg.h"
#include "designer/core/ProjectPaths.h"

#include "controls/ColorFont.h"
#include "framework/DataExchange.h"
#include "resources/zavomgr/resource.h"

namespace {
// Left, centred and right: single line, vertically centred.
const UINT kAlignFlags[3] = {36, 37, 38};
}  // namespace

BEGIN_MESSAGE_MAP(CButtonPrpDlg, CEntryPrpDlg)
    ON_BN_CLICKED(IDC_PT_THEMEPICK, OnThemeButton)
END_MESSAGE_MAP()

CButtonPrpDlg::CButtonPrpDlg() : CEntryPrpDlg(IDD_BUTTONPRP, "ButtonPrp_Dlg", 0, kAlignFlags) {}

CButtonPrpDlg::~CButtonPrpDlg() {}

void CButtonPrpDlg::DoDataExchange(CDataExchange* pDX)
{
    CEntryPrpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PT_THEMEPREVIEW, m_preview);
}

void CButtonPrpDlg::ShowFont()
{
    if (m_pFont)
        m_preview.SetTextFont(*m_pFont);
}

void CButtonPrpDlg::InitControls()
{
    if (GetSafeHwnd() == NULL || m_pControl == NULL)
        return;
    FillEntryControls();
    SetDlgItemText(IDC_PT_THEMEFILE, m_pControl->GetThemeFile());
    m_strPickedFile = m_pControl->GetThemeFile();
    if (m_strPickedFile.IsEmpty())
        m_preview.LoadDefaultTheme();
    else
        m_preview.Open(CProjectPaths::Resolve(m_strPickedFile));
}

void CButtonPrpDlg::OnApply()
{
    if (m_pControl == NULL)
        return;
    EntryFields fields;
    ReadEntryControls(fields);
    CString theme;
    GetDlgItemText(IDC_PT_THEMEFILE, theme);
    if (!CheckLengths(fields, theme, CString()))
        return;
    if (fields.caption.IsEmpty() || theme.IsEmpty()) {
        Tell(IDS_PT_INCOMPLETE);
        ApplyFailed();
        return;
    }
    if (!CheckEntryComplete(fields))
        return;
    WriteEntryHead(fields, theme);
    WriteEntryTail(fields);
    RedrawOwner();
}

void CButtonPrpDlg::OnThemeButton()
{
    CString folder;
    folder.Format("%s\\Button\\", (LPCTSTR)GetThemesFolder());
    SetPickFolder(folder);
    CString title = CUIControl::LoadInterfaceString(IDS_GM_CHOOSETHEME, "");
    if (ChoosePath(title, PICK_THEME)) {
        m_preview.Open(CProjectPaths::Resolve(m_strPickedFile));
        SetDlgItemText(IDC_PT_THEMEFILE, m_strPickedFile);
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE);
}
