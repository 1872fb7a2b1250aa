#include "designer/propdlg/EntryPrpDlg.h"

#include <time.h>

#include "controls/ColorFont.h"
#include "controls/FontDialogEx.h"
#include "designer/app/LangManager.h"
#include "framework/ColorDialog.h"
#include "framework/DataExchange.h"
#include "resources/zavomgr/resource.h"

CString CEntryPrpDlg::s_strThemesFolder;

BEGIN_MESSAGE_MAP(CEntryPrpDlg, CUIControlPrpDlg)
    ON_BN_CLICKED(IDC_PT_FONT, OnFontButton)
    ON_BN_CLICKED(IDC_PT_COLOR, OnColorButton)
    ON_BN_CLICKED(IDC_PT_LEFT, OnAlignLeft)
    ON_BN_CLICKED(IDC_PT_CENTER, OnAlignCenter)
    ON_BN_CLICKED(IDC_PT_RIGHT, OnAlignRight)
    ON_BN_CLICKED(IDC_PT_TEMPLATE, OnTemplateButton)
    ON_BN_CLICKED(IDC_PT_PASSMODE, OnPassModeBox)
    ON_BN_CLICKED(IDC_PT_ASMENU, OnAsMenuBox)
END_MESSAGE_MAP()

CEntryPrpDlg::CEntryPrpDlg(UINT nIDTemplate, LPCTSTR lpszSection, UINT nGroupBoxId, const UINT* pAlignFlags)
    : CUIControlPrpDlg(nIDTemplate, lpszSection, nGroupBoxId), m_pFont(NULL),
      m_dwColorFlags(COLOR_DIALOG_FLAGS), m_dwFontFlags(FONT_DIALOG_FLAGS)
{
    for (int i = 0; i < 3; ++i)
        m_alignFlags[i] = pAlignFlags[i];
}

CEntryPrpDlg::~CEntryPrpDlg()
{
    delete m_pFont;
}

void CEntryPrpDlg::SetThemesFolder(LPCTSTR lpszFolder)
{
    s_strThemesFolder = lpszFolder ? lpszFolder : "";
}

CString CEntryPrpDlg::GetThemesFolder()
{
    if (!s_strThemesFolder.IsEmpty())
        return s_strThemesFolder;
    return CLangManager::ProgramFolder() + "Themes";
}

CString CEntryPrpDlg::FileTimeStamp()
{
    time_t now = time(NULL);
    struct tm* utc = gmtime(&now);
    char text[32] = "";
    if (utc == NULL || strftime(text, sizeof(text), "%Y%m%d_%H%M%S", utc) == 0)
        return CString("00000000_000000");
    return CString(text);
}

void CEntryPrpDlg::Tell(UINT nTextID)
{
    ShowMessage(nTextID, MB_ICONINFORMATION, "String");
}

BOOL CEntryPrpDlg::ChoosePath(LPCTSTR lpszTitle, int nKind)
{
    return PickFile(lpszTitle, nKind);
}

BOOL CEntryPrpDlg::ChooseTemplate(CString& strTitle, CString& strCommands)
{
    return PickCommandTemplate(strTitle, strCommands);
}

BOOL CEntryPrpDlg::RunFontDialog(LOGFONT& lf, COLORREF& crColor)
{
    CFontDialogEx dlg(&lf, m_dwFontFlags, NULL, NULL);
    dlg.SetColor(crColor);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    lf = dlg.m_lf;
    crColor = dlg.GetColor();
    return TRUE;
}

BOOL CEntryPrpDlg::RunColorDialog(COLORREF& crColor)
{
    CColorDialog dlg(crColor, m_dwColorFlags, NULL);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    crColor = dlg.GetColor();
    return TRUE;
}

void CEntryPrpDlg::DoDataExchange(CDataExchange* pDX)
{
    CUIControlPrpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PT_SHORTKEY, m_shortKey);
}

BOOL CEntryPrpDlg::OnInitDialog()
{
    LimitFields();
    return CUIControlPrpDlg::OnInitDialog();
}

void CEntryPrpDlg::LimitFields()
{
    static const struct {
        int id;
        int limit;
    } kLimits[] = {
        {IDC_PT_TITLE, MAX_TITLE},
        {IDC_PT_CAPTION, MAX_CAPTION},
        {IDC_PT_COMMANDS, MAX_COMMANDS},
        {IDC_PT_SHORTKEY, MAX_SHORTKEY},
        {IDC_PT_PASSWORD, MAX_PASSWORD},
    };
    for (size_t i = 0; i < sizeof(kLimits) / sizeof(kLimits[0]); ++i)
        SendDlgItemMessage(kLimits[i].id, EM_LIMITTEXT, kLimits[i].limit, 0);
}

void CEntryPrpDlg::FillEntryControls()
{
    CUIControl* pControl = m_pControl;
    SetDlgItemText(IDC_PT_TITLE, pControl->GetTitle());
    SetDlgItemText(IDC_PT_CAPTION, pControl->GetCaption());
    SetDlgItemText(IDC_PT_COMMANDS, pControl->GetCmdLine());
    SetDlgItemText(IDC_PT_SHORTKEY, pControl->GetShortKey());
    CheckDlgButton(IDC_PT_QUICKGO, pControl->GetQuickGo() ? BST_CHECKED : BST_UNCHECKED);
    int nMode = pControl->GetEnablePass();
    CheckDlgButton(IDC_PT_PASSMODE, nMode < 0 ? 0 : (nMode > 2 ? 2 : nMode));
    SetDlgItemText(IDC_PT_PASSWORD, pControl->GetPassword());
    UpdatePasswordField();

    delete m_pFont;
    if (const CColorFont* pSource = pControl->GetFont()) {
        m_pFont = new CColorFont(pSource->GetLogFontData());
        m_pFont->SetTextFormat(pSource->GetTextFormat());
        m_pFont->SetColor(pSource->GetColor());
    } else {
        m_pFont = new CColorFont("Tahoma");
        m_pFont->SetTextFormat(m_alignFlags[1]);
    }
    ShowFont();

    CheckDlgButton(IDC_PT_LEFT, BST_UNCHECKED);
    CheckDlgButton(IDC_PT_CENTER, BST_UNCHECKED);
    CheckDlgButton(IDC_PT_RIGHT, BST_UNCHECKED);
    UINT nFormat = m_pFont->GetTextFormat();
    if (nFormat & DT_CENTER)
        CheckDlgButton(IDC_PT_CENTER, BST_CHECKED);
    else if (nFormat & DT_RIGHT)
        CheckDlgButton(IDC_PT_RIGHT, BST_CHECKED);
    else
        CheckDlgButton(IDC_PT_LEFT, BST_CHECKED);
}

void CEntryPrpDlg::ReadEntryControls(EntryFields& fields)
{
    GetDlgItemText(IDC_PT_CAPTION, fields.caption);
    GetDlgItemText(IDC_PT_TITLE, fields.title);
    GetDlgItemText(IDC_PT_COMMANDS, fields.commands);
    GetDlgItemText(IDC_PT_SHORTKEY, fields.shortKey);
    GetDlgItemText(IDC_PT_PASSWORD, fields.password);
    fields.bQuickGo = IsDlgButtonChecked(IDC_PT_QUICKGO) == BST_CHECKED;
    UINT nMode = IsDlgButtonChecked(IDC_PT_PASSMODE);
    fields.nPassMode = nMode > 2 ? 2 : (int)nMode;
}

BOOL CEntryPrpDlg::CheckEntryComplete(const EntryFields& fields)
{
    if (fields.title.IsEmpty() || fields.commands.IsEmpty() || fields.shortKey.IsEmpty() ||
        (fields.nPassMode != 0 && fields.password.IsEmpty())) {
        Tell(IDS_PT_INCOMPLETE);
        ApplyFailed();
        return FALSE;
    }
    return TRUE;
}

BOOL CEntryPrpDlg::CheckLengths(const EntryFields& fields, const CString& strPath1, const CString& strPath2)
{
    if (fields.title.GetLength() > MAX_TITLE || fields.caption.GetLength() > MAX_CAPTION ||
        fields.commands.GetLength() > MAX_COMMANDS || fields.shortKey.GetLength() > MAX_SHORTKEY ||
        fields.password.GetLength() > MAX_PASSWORD || strPath1.GetLength() > MAX_PATHTEXT ||
        strPath2.GetLength() > MAX_PATHTEXT) {
        Tell(IDS_PT_TOOLONG);
        ApplyFailed();
        return FALSE;
    }
    return TRUE;
}

void CEntryPrpDlg::WriteEntryHead(const EntryFields& fields, LPCTSTR lpszThemeFile)
{
    m_pControl->SetTitle(fields.title);
    m_pControl->SetCaption(fields.caption);
    m_pControl->SetName("");
    m_pControl->SetCmdLine(fields.commands);
    m_pControl->SetThemeFile(lpszThemeFile);
    if (m_pFont)
        m_pControl->SetFont(m_pFont);
    m_pControl->SetThemeReloadPending(TRUE);
}

void CEntryPrpDlg::WriteEntryTail(const EntryFields& fields)
{
    m_pControl->SetShortKey(fields.shortKey);
    m_pControl->SetQuickGo(fields.bQuickGo);
    m_pControl->SetEnablePass(fields.nPassMode);
    m_pControl->SetPassword(fields.password);
}

void CEntryPrpDlg::UpdatePasswordField()
{
    CWnd* pPassword = GetDlgItem(IDC_PT_PASSWORD);
    if (pPassword == NULL)
        return;
    // The group box enables everything inside it; the password follows its own box too.
    BOOL bGroupOn = m_groupBox.GetSafeHwnd() == NULL || m_groupBox.GetCheck() > 0;
    pPassword->EnableWindow(bGroupOn && IsDlgButtonChecked(IDC_PT_PASSMODE) != BST_UNCHECKED);
}

void CEntryPrpDlg::OnAsMenuBox()
{
    UpdatePasswordField();
}

void CEntryPrpDlg::OnCancel()
{
    delete m_pFont;
    m_pFont = NULL;
    CUIControlPrpDlg::OnCancel();
}

void CEntryPrpDlg::OnFontButton()
{
    if (m_pFont == NULL)
        return;
    static const int kButtons[] = {IDOK, IDCANCEL, IDC_PT_APPLY};
    for (int id : kButtons)
        if (CWnd* p = GetDlgItem(id))
            p->ShowWindow(SW_HIDE);
    LOGFONT lf = m_pFont->GetLogFontData();
    COLORREF crColor = m_pFont->GetColor();
    BOOL bChosen = RunFontDialog(lf, crColor);
    for (int id : kButtons)
        if (CWnd* p = GetDlgItem(id))
            p->ShowWindow(SW_SHOW);
    if (bChosen) {
        lf.lfFaceName[LF_FACESIZE - 1] = '\0';
        m_pFont->SetLogFont(lf);
        m_pFont->SetColor(crColor);
        ShowFont();
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE);
    }
    UpdateData(TRUE);
}

void CEntryPrpDlg::OnColorButton()
{
    if (m_pFont == NULL)
        return;
    COLORREF crColor = m_pFont->GetColor();
    if (RunColorDialog(crColor)) {
        m_pFont->SetColor(crColor);
        ShowFont();
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE);
    }
    UpdateData(TRUE);
}

void CEntryPrpDlg::SetAlignment(int nIndex)
{
    if (m_pFont == NULL)
        return;
    m_pFont->SetTextFormat(m_alignFlags[nIndex]);
    ShowFont();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE);
}

void CEntryPrpDlg::OnAlignLeft() { SetAlignment(0); }
void CEntryPrpDlg::OnAlignCenter() { SetAlignment(1); }
void CEntryPrpDlg::OnAlignRight() { SetAlignment(2); }

void CEntryPrpDlg::OnTemplateButton()
{
    CString title, commands;
    if (!ChooseTemplate(title, commands))
        return;
    SetDlgItemText(IDC_PT_TITLE, title);
    SetDlgItemText(IDC_PT_COMMANDS, commands);
}

void CEntryPrpDlg::OnPassModeBox()
{
    UpdatePasswordField();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE);
}
