#include "designer/propdlg/ProgressPrpDlg.h"
#include "designer/core/ProjectPaths.h"

#include "designer/propdlg/EntryPrpDlg.h"
#include "framework/DataExchange.h"
#include "resources/zavomgr/resource.h"

BEGIN_MESSAGE_MAP(CProgressPrpDlg, CUIControlPrpDlg)
    ON_BN_CLICKED(IDC_PT_THEMEPICK, OnThemeButton)
    ON_BN_CLICKED(IDC_PT_MAKECHUNK, OnMakeChunkButton)
    ON_BN_CLICKED(IDC_PT_OVERLAY, OnOverlayBox)
    ON_MESSAGE(MSG_COLOR_ACCEPTED, OnColorAccepted)
END_MESSAGE_MAP()

CProgressPrpDlg::CProgressPrpDlg()
    : CUIControlPrpDlg(IDD_PROGRESSPRP, "ProgressPrp_Dlg", IDC_PT_OVERLAY),
      m_dwColorFlags(CEntryPrpDlg::COLOR_DIALOG_FLAGS), m_dwFontFlags(CEntryPrpDlg::FONT_DIALOG_FLAGS)
{
}

CProgressPrpDlg::~CProgressPrpDlg() {}

void CProgressPrpDlg::Tell(UINT nTextID)
{
    ShowMessage(nTextID, MB_ICONINFORMATION, "String");
}

BOOL CProgressPrpDlg::ChoosePath(LPCTSTR lpszTitle, int nKind)
{
    return PickFile(lpszTitle, nKind);
}

void CProgressPrpDlg::DoDataExchange(CDataExchange* pDX)
{
    CUIControlPrpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PT_COLORPREVIEW, m_colorPreview);
    DDX_Control(pDX, IDC_PT_COLOR, m_colorButton);
    DDX_Control(pDX, IDC_PT_BARPREVIEW, m_barPreview);
}

void CProgressPrpDlg::EnableApply(BOOL bEnable)
{
    if (CWnd* pApply = GetDlgItem(IDC_PT_APPLY))
        pApply->EnableWindow(bEnable);
}

void CProgressPrpDlg::InitControls()
{
    if (GetSafeHwnd() == NULL || m_pControl == NULL)
        return;
    SetDlgItemText(IDC_PT_BARTHEME, m_pControl->GetThemeFile());
    if (m_groupBox.GetSafeHwnd())
        m_groupBox.SetCheck(m_pControl->GetAsMenu() ? BST_CHECKED : BST_UNCHECKED);
    m_colorButton.SetColor(m_pControl->GetChunkColor());
    m_colorPreview.SetChunkColor(m_pControl->GetChunkColor());
    m_colorPreview.Redraw();
    m_strChunkFile = m_pControl->GetAddPath();
    m_strPickedFile = m_pControl->GetThemeFile();
    if (m_strPickedFile.IsEmpty())
        m_barPreview.LoadDefaultTheme();
    else
        m_barPreview.Open(CProjectPaths::Resolve(m_strPickedFile));
    m_barPreview.SetRange(0, 20);
    m_barPreview.SetPos(5);
    EnableApply(FALSE);
}

void CProgressPrpDlg::OnApply()
{
    if (m_pControl == NULL)
        return;
    CString theme;
    GetDlgItemText(IDC_PT_BARTHEME, theme);
    if (theme.GetLength() > CEntryPrpDlg::MAX_PATHTEXT ||
        m_strChunkFile.GetLength() > CEntryPrpDlg::MAX_PATHTEXT) {
        Tell(IDS_PT_TOOLONG);
        ApplyFailed();
        return;
    }
    m_pControl->SetAsMenu(IsDlgButtonChecked(IDC_PT_OVERLAY) != BST_UNCHECKED);
    m_pControl->SetChunkColor(m_colorButton.GetColor());
    m_pControl->SetAddPath(m_strChunkFile);
    m_pControl->SetThemeFile(theme);
    m_pControl->SetThemeReloadPending(TRUE);
    RedrawOwner();
    EnableApply(FALSE);
}

void CProgressPrpDlg::OnOK()
{
    CWnd* pApply = GetDlgItem(IDC_PT_APPLY);
    if (pApply && pApply->IsWindowEnabled()) {
        m_bApplySucceeded = TRUE;
        OnApply();
        if (!m_bApplySucceeded)
            return;
    }
    EndDialog(IDOK);
}

void CProgressPrpDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CProgressPrpDlg::OnThemeButton()
{
    CString folder;
    folder.Format("%s\\Progress\\", (LPCTSTR)CEntryPrpDlg::GetThemesFolder());
    SetPickFolder(folder);
    if (ChoosePath(CUIControl::LoadInterfaceString(IDS_PT_CHOOSEBARTHEME, ""), PICK_THEME) && m_pControl) {
        BOOL bChanged = m_strPickedFile.CompareNoCase(m_pControl->GetThemeFile()) != 0;
        if (bChanged) {
            m_barPreview.Open(CProjectPaths::Resolve(m_strPickedFile));
            SetDlgItemText(IDC_PT_BARTHEME, m_strPickedFile);
        }
        EnableApply(bChanged);
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE);
}

LRESULT CProgressPrpDlg::OnColorAccepted(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    m_colorPreview.SetChunkColor((COLORREF)wParam);
    m_colorPreview.Redraw();
    // The colour reaches the element through Apply, so it must be reachable.
    EnableApply(TRUE);
    return 0;
}

void CProgressPrpDlg::OnOverlayBox()
{
    EnableApply(TRUE);
}

void CProgressPrpDlg::OnMakeChunkButton()
{
    CString stored = m_strChunkFile;
    if (stored.IsEmpty())
        stored.Format("%s\\Pictures\\Chunks\\chunk_%s.png", (LPCTSTR)CEntryPrpDlg::GetThemesFolder(),
                      (LPCTSTR)CEntryPrpDlg::FileTimeStamp());
    // a relative path names a file in the project's folder, not the current one
    const CString target = CProjectPaths::Resolve(stored);
    if (target.GetLength() > CEntryPrpDlg::MAX_PATHTEXT || !CreateFolderPath(target))
        return;
    // A chunk that could not be written is not handed to the element.
    if (!m_colorPreview.SaveImage(target))
        return;
    m_barPreview.LoadChunkImage(target);
    m_strChunkFile = stored;
    EnableApply(TRUE);
}
