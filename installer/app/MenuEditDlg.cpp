#include "installer/app/MenuEditDlg.h"

#include "framework/WinApp.h"
#include "installer/DialogText.h"
#include "installer/InstallerTexts.h"
#include "installer/LoaderFields.h"
#include "installer/app/TessumgrApp.h"
#include "installer/app/resource.h"

BEGIN_MESSAGE_MAP(CMenuEditDlg, CDialog)
    ON_BN_CLICKED(IDC_EDIT_OK, &CMenuEditDlg::OnOkButton)
    ON_BN_CLICKED(IDC_EDIT_CANCEL, &CMenuEditDlg::OnCancelButton)
END_MESSAGE_MAP()

CMenuEditDlg::CMenuEditDlg(CWnd* pParent) : CDialog(IDD_MENUEDIT, pParent), m_nMaxLength(314), m_nFieldType(0) { AfxInitRichEdit(); }

int CMenuEditDlg::ShowMessage(LPCTSTR text, UINT type) { return AfxShowMessageBox(m_hWnd, text, "", type); }

BOOL CMenuEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_edit.SubclassDlgItem(IDC_EDIT_TEXT, this);
    m_edit.LimitText(m_nMaxLength);
    m_edit.SetWindowText(FieldTextToEditor(m_strText));
    m_edit.SetModify(FALSE);
    const int buttonIds[] = {IDC_EDIT_OK, IDC_EDIT_CANCEL};
    for (int i = 0; i < 2; ++i) {
        m_buttons[i].SubclassDlgItem(buttonIds[i], this);
        SetUpTessuButton(m_buttons[i]);
    }
    if (g_langFile.IsLoaded()) {
        SetDlgItemText(IDC_EDIT_OK, g_langFile.GetValue("Menu Edit", "OK"));
        SetDlgItemText(IDC_EDIT_CANCEL, g_langFile.GetValue("Menu Edit", "Cancel"));
    }
    if (!m_strThemeIni.IsEmpty())
        m_skin.LoadSkin(this, m_strThemeIni, FALSE);
    return TRUE;
}

void CMenuEditDlg::OnOK()
{
    // the limit counts the bytes the field stores, with its own line ends
    const CString text = EditorTextToField(m_edit.GetText(), m_strText);
    if (text.GetLength() > m_nMaxLength) {
        ShowMessage("Menu is too large! Please retry.", MB_OK);
        return;
    }
    if (m_nFieldType && !text.IsEmpty() && !LoaderFieldAccepts(m_nFieldType, text)) {
        ShowMessage(PromptText(&g_langFile, "Loader Value Invalid"), MB_OK | MB_ICONINFORMATION);
        return;
    }
    m_strText = text;
    EndDialog(IDOK);
}

void CMenuEditDlg::OnCancel()
{
    m_strText.Empty();
    EndDialog(IDCANCEL);
}
