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
    m_list.SubclassDlgItem(IDC_MAP_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    if (g_langFile.IsLoaded()) {
        SetDlgItemText(IDC_MAP_OK, g_langFile.GetValue("Button", "OK"));
        SetDlgItemText(IDC_MAP_CANCEL, g_langFile.GetValue("Button", "Cancel"));
        SetWindowText(g_langFile.GetValue("Drive Map", "Title"));
    }
    AddColumns();
    AddRows();
    return TRUE;
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
