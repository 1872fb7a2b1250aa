#include "installer/app/DriveMapDlg.h"

#include "installer/DialogText.h"
#include "installer/InstallerTexts.h"
#include "installer/PartitionMap.h"
#include "installer/app/TessumgrApp.h"
#include "installer/app/resource.h"

namespace {
CString Text(const char* section, const char* key) { return InstallerText(&g_langFile, section, key); }
}  // namespace

BEGIN_MESSAGE_MAP(CDriveMapDlg, CDialog)
    ON_BN_CLICKED(IDC_MAP_OK, &CDriveMapDlg::OnOkButton)
    ON_BN_CLICKED(IDC_MAP_CANCEL, &CDriveMapDlg::OnCancelButton)
END_MESSAGE_MAP()

CDriveMapDlg::CDriveMapDlg(const DiskSource* disks, CWnd* pParent) : CDialog(IDD_DRIVEMAP, pParent), m_pDisks(disks)
{
}

BOOL CDriveMapDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const int buttonIds[] = {IDC_MAP_OK, IDC_MAP_CANCEL};
    for (int i = 0; i < 2; ++i) {
        m_buttons[i].SubclassDlgItem(buttonIds[i], this);
        SetUpTessuButton(m_buttons[i]);
    }
    m_banner.SubclassDlgItem(IDC_MAP_BANNER, this);
    m_banner.SetImage(IDR_IMG_MAP_BANNER);
    m_alert.SubclassDlgItem(IDC_MAP_ALERT, this);
    m_alert.SetImage(IDR_IMG_ALERT);
    m_list.SubclassDlgItem(IDC_MAP_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_list.SetColours(RGB(123, 162, 231), RGB(99, 117, 214), 2);
    if (g_langFile.IsLoaded()) {
        SetDlgItemText(IDC_MAP_OK, g_langFile.GetValue("Button", "OK"));
        SetDlgItemText(IDC_MAP_CANCEL, g_langFile.GetValue("Button", "Cancel"));
        SetWindowText(g_langFile.GetValue("Drive Map", "Title"));
        SetDlgItemText(IDC_MAP_NOTE, g_langFile.GetValue("Drive Map", "Note"));
        if (m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX)) {
            m_toolTip.SetMaxTipWidth(400);
            m_toolTip.AddTool(GetDlgItem(IDC_MAP_NOTE), g_langFile.GetValue("Tool Tips", "Drive Map Tip"));
        }
    }
    AddColumns();
    AddRows();
    if (!m_strThemeIni.IsEmpty())
        m_skin.LoadSkin(this, m_strThemeIni, FALSE);
    return TRUE;
}

BOOL CDriveMapDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CDriveMapDlg::AddColumns()
{
    const char* keys[] = {"Win Drive Letter", "Grub Dev Number", "Partition Type", "File System"};
    for (int i = 0; i < 4; ++i) {
        const CString heading = Text("Drive Map", keys[i]);
        const int width = (int)::SendMessage(m_list.m_hWnd, LVM_GETSTRINGWIDTHA, 0, (LPARAM)(LPCTSTR)heading);
        m_list.InsertColumn(i, heading, LVCFMT_CENTER, width + 16);
    }
}

void CDriveMapDlg::AddRows()
{
    CPartitionMap map(m_pDisks);
    map.Build();
    const CString extended = Text("Drive Map", "Extended Partition");
    const CString unknown = Text("Drive Map", "Unknown Partition");
    const CString primary = g_langFile.IsLoaded() ? CString("Primary") : Text("Drive Map", "Primary");
    const CString logical = g_langFile.IsLoaded() ? CString("Extended") : Text("Drive Map", "Extended");
    int row = 0;
    for (const PartitionEntry& e : map.GetEntries()) {
        m_list.InsertItem(row, e.letter[0] ? e.letter : "N/A");
        m_list.SetItemText(row, 1, e.device);
        m_list.SetItemText(row, 2, e.kind == PARTITION_KIND_PRIMARY ? primary : logical);
        m_list.SetItemText(row, 3, FileSystemText(e.info.partitionType, extended, unknown));
        ++row;
    }
}
