#include "installer/app/TessumgrDlg.h"

#include "designer/core/DiskObject.h"
#include "installer/DialogText.h"
#include "installer/IniFile.h"
#include "installer/LoaderFields.h"
#include "installer/ZipUnpacker.h"
#include "installer/ui/InstallerFileEdit.h"
#include "installer/app/DriveMapDlg.h"
#include "installer/app/MenuEditDlg.h"
#include "installer/app/ShellCall.h"
#include "installer/app/TessumgrAboutDlg.h"
#include "installer/app/TessumgrApp.h"
#include "installer/app/resource.h"

#include <memory>

namespace {
const UINT kAboutCommand = 16;  // system commands 16 to 31 open the About box
const char kHistory[] = "History";
const char kExpertTip[] = " I'm here! ;^)\n ---\n Welcome to Funny Stage of Tessumgr 2007 ";
const char kSetupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char kImages[] = "VISTA_IMGS";

// The picture controls and their images.
const struct {
    int id;
    UINT image;
} kPictures[] = {
    {IDC_PIC_BOOTINI, IDR_IMG_BUTTON},
    {IDC_PIC_FLOPPY, IDR_IMG_VDISK},
    {IDC_PIC_QUICK, IDR_IMG_QUICK},
    {IDC_PIC_RELOAD_IMAGE, IDR_IMG_RELOAD},
    {IDC_PIC_RELOAD_LOADER, IDR_IMG_RELOAD},
    {IDC_PIC_OPEN_BOOTINI, IDR_IMG_OPEN},
    {IDC_PIC_DRIVEMAP, IDR_IMG_DRIVEMAP},
    {IDC_PIC_ABOUT, IDR_IMG_ABOUT},
    {IDC_PIC_WEB, IDR_IMG_WEB},
};

const int kVirtualDiskControls[] = {IDC_LABEL_IMAGE, IDC_LABEL_IMAGE2, IDC_IMAGE_PATH, IDC_PIC_RELOAD_IMAGE,
                                    IDC_PIC_FLOPPY};
const int kBootLoaderControls[] = {IDC_LABEL_LOADER, IDC_LOADER_PATH, IDC_PIC_RELOAD_LOADER};

struct RegKeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
typedef std::unique_ptr<std::remove_pointer<HKEY>::type, RegKeyCloser> CScopedRegKey;

UINT BoxType(IInstallerUi::Style style)
{
    switch (style) {
    case IInstallerUi::STYLE_YESNO_INFO:
        return MB_YESNO | MB_ICONINFORMATION;
    case IInstallerUi::STYLE_YESNO_QUESTION:
        return MB_YESNO | MB_ICONQUESTION;
    case IInstallerUi::STYLE_OKCANCEL_QUESTION:
        return MB_OKCANCEL | MB_ICONQUESTION;
    case IInstallerUi::STYLE_OK_PLAIN:
        return MB_OK;
    default:
        return MB_OK | MB_ICONINFORMATION;
    }
}

CString LoadResString(UINT id)
{
    char buffer[512] = {};
    ::LoadStringA(AfxGetInstanceHandle(), id, buffer, sizeof(buffer));
    return buffer;
}

CString SetupBootDir()
{
    HKEY raw = NULL;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetupKey, 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return CString();
    CScopedRegKey key(raw);
    char value[MAX_PATH] = {};
    DWORD size = sizeof(value) - 1, type = 0;
    if (::RegQueryValueExA(key.get(), "BootDir", NULL, &type, (BYTE*)value, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return CString();
    return value;
}
}  // namespace

BEGIN_MESSAGE_MAP(CTessumgrDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_RADIO_VDISK, &CTessumgrDlg::OnRadioVirtualDisk)
    ON_BN_CLICKED(IDC_RADIO_LOADER, &CTessumgrDlg::OnRadioBootLoader)
    ON_BN_CLICKED(IDC_ASSEMBLE, &CTessumgrDlg::OnAssemble)
    ON_STN_CLICKED(IDC_PIC_QUICK, &CTessumgrDlg::OnQuickApply)
    ON_STN_CLICKED(IDC_PIC_FLOPPY, &CTessumgrDlg::OnInstallFloppyImage)
    ON_STN_CLICKED(IDC_PIC_RELOAD_IMAGE, &CTessumgrDlg::OnReloadImage)
    ON_STN_CLICKED(IDC_PIC_RELOAD_LOADER, &CTessumgrDlg::OnReloadLoader)
    ON_STN_CLICKED(IDC_PIC_OPEN_BOOTINI, &CTessumgrDlg::OnOpenBootIni)
    ON_STN_CLICKED(IDC_PIC_WEB, &CTessumgrDlg::OnWebSite)
    ON_STN_CLICKED(IDC_PIC_ABOUT, &CTessumgrDlg::OnAboutMe)
    ON_STN_CLICKED(IDC_PIC_DRIVEMAP, &CTessumgrDlg::OnDriveMap)
    ON_NOTIFY_RANGE(FEN_POSTBROWSE, IDC_IMAGE_PATH, IDC_BOOTINI_PATH, &CTessumgrDlg::OnFieldPostBrowse)
    ON_NOTIFY_RANGE(FEN_DROP, IDC_IMAGE_PATH, IDC_BOOTINI_PATH, &CTessumgrDlg::OnFieldDrop)
    ON_MESSAGE(WM_TESSU_EXPERT, &CTessumgrDlg::OnExpertMode)
END_MESSAGE_MAP()

CTessumgrDlg::CTessumgrDlg(const DiskSource* disks, CWnd* pParent)
    : CDialog(IDD_TESSUMGR_DIALOG, pParent), m_assembler(*this, &g_langFile, disks), m_pDisks(disks),
      m_hIcon(NULL), m_bSkinned(FALSE), m_bEditorAllowed(TRUE)
{
}

CTessumgrDlg::~CTessumgrDlg() { RemoveTheme(); }

void CTessumgrDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_FileEditCtrl(pDX, IDC_IMAGE_PATH, m_editImage, FEF_OPEN);
    DDX_FileEditCtrl(pDX, IDC_LOADER_PATH, m_editLoader, FEF_OPEN);
    DDX_FileEditCtrl(pDX, IDC_BOOTINI_PATH, m_editBootIni, FEF_OPEN);
}

BOOL CTessumgrDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AddSystemMenuItem();
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_hIcon);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_hIcon);
    SetUpFields();
    SetUpPictures();

    CheckDlgButton(IDC_RADIO_VDISK, BST_UNCHECKED);
    CheckDlgButton(IDC_RADIO_LOADER, BST_CHECKED);
    LocateBootIni();
    m_assembler.m_nMode = CAssembler::MODE_VIRTUAL_DISK;
    SetMode(CAssembler::MODE_VIRTUAL_DISK);

    CBitmapPushButton* buttons[] = {&m_buttonAssemble, &m_buttonExit};
    const int buttonIds[] = {IDC_ASSEMBLE, IDCANCEL};
    for (int i = 0; i < 2; ++i) {
        buttons[i]->SubclassDlgItem(buttonIds[i], this);
        SetUpTessuButton(*buttons[i]);
    }

    ApplyLanguageTexts();
    PrepareTheme();
    m_brushKey.CreateSolidBrush(RGB(255, 0, 255));
    return TRUE;
}

void CTessumgrDlg::SetUpPictures()
{
    m_header.SubclassDlgItem(IDC_HEADER, this);
    m_header.SetMovingImage(IDR_BANNER_MOVING, kImages);
    m_header.SetBackground(IDR_BANNER_BACK, kImages);
    CRect client;
    GetClientRect(&client);
    m_header.MoveWindow(0, 0, client.Width(), m_header.GetBackgroundHeight());
    for (size_t i = 0; i < sizeof(kPictures) / sizeof(kPictures[0]); ++i) {
        m_pictures[i].SubclassDlgItem(kPictures[i].id, this);
        m_pictures[i].SetImage(kPictures[i].image);
    }
    m_info.SubclassDlgItem(IDC_INFO_BAND, this);
    m_radioDisk.SubclassDlgItem(IDC_RADIO_VDISK, this);
    m_radioLoader.SubclassDlgItem(IDC_RADIO_LOADER, this);
    m_radioDisk.SetBitmaps(IDR_IMG_RADIO_ON, IDR_IMG_RADIO_OFF);
    m_radioLoader.SetBitmaps(IDR_IMG_RADIO_ON, IDR_IMG_RADIO_OFF);
}

CPictureStatic* CTessumgrDlg::Picture(int id)
{
    for (size_t i = 0; i < sizeof(kPictures) / sizeof(kPictures[0]); ++i)
        if (kPictures[i].id == id)
            return &m_pictures[i];
    return NULL;
}

void CTessumgrDlg::AddSystemMenuItem()
{
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    const CString text = g_langFile.IsLoaded() ? g_langFile.GetValue("Application", "About Tessumgr")
                                               : LoadResString(IDS_ABOUTBOX);
    if (!menu || text.IsEmpty())
        return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(menu, MF_STRING, kAboutCommand, text);
}

void CTessumgrDlg::SetUpFields()
{
    CFileEditCtrl* fields[] = {&m_editImage, &m_editLoader, &m_editBootIni};
    for (CFileEditCtrl* field : fields) {
        HICON icon = (HICON)::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDI_BROWSE), IMAGE_ICON, 16, 16, 0);
        SetupInstallerFileEdit(*field, &g_langFile, &m_fieldTip, icon, TRUE);
    }
}

void CTessumgrDlg::ShowModeControls(int mode)
{
    CheckDlgButton(IDC_RADIO_VDISK, mode == CAssembler::MODE_VIRTUAL_DISK ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_RADIO_LOADER, mode == CAssembler::MODE_BOOT_LOADER ? BST_CHECKED : BST_UNCHECKED);
    m_editImage.EnableWindow(mode == CAssembler::MODE_VIRTUAL_DISK);
    for (int id : kVirtualDiskControls)
        ::ShowWindow(::GetDlgItem(m_hWnd, id), mode == CAssembler::MODE_VIRTUAL_DISK ? SW_SHOW : SW_HIDE);
    for (int id : kBootLoaderControls)
        ::ShowWindow(::GetDlgItem(m_hWnd, id), mode == CAssembler::MODE_BOOT_LOADER ? SW_SHOW : SW_HIDE);
}

void CTessumgrDlg::SetMode(int mode)
{
    m_assembler.m_nMode = mode;
    ShowModeControls(mode);
    if (m_info.m_hWnd) {
        m_info.SetImage(mode == CAssembler::MODE_VIRTUAL_DISK ? IDR_IMG_VDISK : IDR_IMG_QUICK, kImages, KO_TYPE_PNG);
        m_info.Refresh();
    }
    if (mode == CAssembler::MODE_VIRTUAL_DISK) {
        OnReloadImage();
    } else {
        m_bEditorAllowed = FALSE;
        OnReloadLoader();
        m_bEditorAllowed = TRUE;
    }
    // an empty path reloads nothing: the band still changes to this mode
    UpdateInfoText();
}

void CTessumgrDlg::OnRadioVirtualDisk()
{
    if (m_assembler.m_nMode != CAssembler::MODE_VIRTUAL_DISK)
        SetMode(CAssembler::MODE_VIRTUAL_DISK);
}

void CTessumgrDlg::OnRadioBootLoader()
{
    if (m_assembler.m_nMode == CAssembler::MODE_VIRTUAL_DISK)
        SetMode(CAssembler::MODE_BOOT_LOADER);
}

void CTessumgrDlg::LocateBootIni()
{
    m_editImage.LoadState(kHistory, "Disk Image File");
    m_editLoader.LoadState(kHistory, "Boot Loader");
    m_editBootIni.LoadState(kHistory, "Boot Ini");
    CString path = FieldText(m_editBootIni);
    if (!IsDriveRootedPath(path))
        path = BootIniFromBootDir(SetupBootDir());
    m_editBootIni.SetWindowText(path);
    m_assembler.m_strBootIniPath = path;
}

void CTessumgrDlg::SaveHistory()
{
    m_editImage.SaveState(kHistory, "Disk Image File");
    m_editLoader.SaveState(kHistory, "Boot Loader");
    m_editBootIni.SaveState(kHistory, "Boot Ini");
}

CString CTessumgrDlg::FieldText(const CFileEditCtrl& field) const
{
    CString text;
    if (field.m_hWnd)
        field.GetWindowText(text);
    return text;
}

CString CTessumgrDlg::GetInfoText() const { return m_strInfoTitle + "\r\n" + m_strInfoText; }

void CTessumgrDlg::UpdateInfoText()
{
    if (m_assembler.m_nMode == CAssembler::MODE_VIRTUAL_DISK) {
        m_strInfoTitle = InstallerText(&g_langFile, "Application", "V Disk");
        m_assembler.m_image.GetCaption(m_strInfoText);
    } else {
        m_strInfoTitle = InstallerText(&g_langFile, "Application", "B Loader");
        m_assembler.m_loader.GetCaption(m_strInfoText);
    }
    if (m_info.m_hWnd) {
        m_info.SetTexts(m_strInfoTitle, m_strInfoText);
        m_info.Refresh();
    }
    ::InvalidateRect(::GetDlgItem(m_hWnd, IDC_PIC_FLOPPY), NULL, TRUE);
}

void CTessumgrDlg::SetTip(int id, LPCTSTR key)
{
    CPictureStatic* picture = Picture(id);
    if (!picture)
        return;
    const CString tip = InstallerText(&g_langFile, "Tool Tips", key);
    picture->SetTooltipText(tip);
    // the picture's own text is never drawn but read out: the tip's first
    // line, in the language file's tongue rather than the resource's
    if (g_langFile.IsLoaded()) {
        CString name = tip.SpanExcluding("\n");
        picture->SetWindowText(name.Trim());
    }
}

void CTessumgrDlg::ApplyLanguageTexts()
{
    if (g_langFile.IsLoaded()) {
        struct Text {
            int id;
            const char* section;
            const char* key;
        };
        static const Text kTexts[] = {
            {IDC_ASSEMBLE, "Button", "Assemble"},
            {IDCANCEL, "Button", "Cancel"},
            {IDC_RADIO_VDISK, "Virtual Image", "VD Lable"},
            {IDC_LABEL_IMAGE, "Virtual Image", "Comment1"},
            {IDC_LABEL_IMAGE2, "Virtual Image", "Comment2"},
            {IDC_RADIO_LOADER, "Boot Loader", "BL Lable"},
            {IDC_LABEL_LOADER, "Boot Loader", "Comment1"},
            {IDC_LABEL_BOOTINI, "Boot INI", "Comment"},
        };
        SetWindowText(g_langFile.GetValue("Application", "Title"));
        for (const Text& t : kTexts)
            SetDlgItemText(t.id, g_langFile.GetValue(t.section, t.key));
    }
    SetTip(IDC_PIC_OPEN_BOOTINI, "Open BootINI");
    SetTip(IDC_PIC_DRIVEMAP, "Drive Map");
    SetTip(IDC_PIC_ABOUT, "About Me");
    SetTip(IDC_PIC_WEB, "Web Site");
    SetTip(IDC_PIC_RELOAD_IMAGE, "Reload VD");
    SetTip(IDC_PIC_RELOAD_LOADER, "Reload BL");
    SetTip(IDC_PIC_QUICK, "Quick App");
    const bool loaded = g_langFile.IsLoaded() != FALSE;
    m_editImage.SetToolTipText(loaded ? g_langFile.GetValue("Tool Tips", "VD Tip") : LoadResString(IDS_VD_TIP));
    m_editLoader.SetToolTipText(loaded ? g_langFile.GetValue("Tool Tips", "BL Tip") : LoadResString(IDS_BL_TIP));
    m_editBootIni.SetToolTipText(loaded ? g_langFile.GetValue("Tool Tips", "BI Tip") : LoadResString(IDS_BI_TIP));
}

void CTessumgrDlg::PrepareTheme()
{
    char tempName[MAX_PATH] = {};
    const CString temp = TessuApp() ? TessuApp()->m_strTempPath : CString("C:\\");
    bool ok = ::GetTempFileNameA(temp, "tsu", 0, tempName) != 0;
    if (ok) {
        ::DeleteFileA(tempName);
        ok = ::CreateDirectoryA(tempName, NULL) != 0;
    }
    if (ok) {
        m_strThemeFolder = tempName;
        const CString zip = m_strThemeFolder + "\\theme.zip";
        CZipUnpacker unpacker;
        ok = WriteResourceToFile("VISTA_IMGS", IDR_THEME_PACKAGE, zip) && unpacker.Open(zip) &&
             unpacker.UnzipTo(m_strThemeFolder + "\\theme");
        unpacker.Close();
    }
    if (ok) {
        m_strThemeIni = m_strThemeFolder + "\\theme\\Black\\theme.ini";
        m_bSkinned = LoadSkin(m_strThemeIni);
    }
    if (!m_bSkinned)
        UseUnskinnedLayout();
}

BOOL CTessumgrDlg::LoadSkin(LPCTSTR themeIni) { return m_skin.LoadSkin(this, themeIni, TRUE); }

void CTessumgrDlg::UseUnskinnedLayout()
{
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(NULL, 0, 0, window.Width(), window.Height() - 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CWnd* band = GetDlgItem(IDC_INFO_BAND);
    if (!band)
        return;
    CRect client, rect;
    GetClientRect(&client);
    band->GetWindowRect(&rect);
    ScreenToClient(&rect);
    const int height = rect.Height();
    band->MoveWindow(0, client.bottom - height, window.Width() - 6, height);
}

void CTessumgrDlg::RemoveTheme()
{
    if (m_strThemeFolder.IsEmpty())
        return;
    CDiskObject().RemoveFolderTree(m_strThemeFolder);
    m_strThemeFolder.Empty();
    m_strThemeIni.Empty();
}

void CTessumgrDlg::OnDestroy()
{
    CDialog::OnDestroy();
    SaveHistory();
    RemoveTheme();
}

void CTessumgrDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    // the system keeps its own flags in the low four bits
    if ((nID & 0xFFF0) == kAboutCommand) {
        OnAboutMe();
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}

int CTessumgrDlg::ShowMessage(LPCTSTR text, LPCTSTR caption, UINT type)
{
    return AfxShowMessageBox(m_hWnd, text, caption, type);
}

int CTessumgrDlg::Show(LPCTSTR text, LPCTSTR caption, Style style)
{
    return ShowMessage(text, caption, BoxType(style));
}

CString CTessumgrDlg::EditText(const CString& text, int maxLength, int fieldType)
{
    CMenuEditDlg dlg(this);
    dlg.m_strText = text;
    dlg.m_nMaxLength = maxLength;
    dlg.m_nFieldType = fieldType;
    dlg.m_strThemeIni = m_strThemeIni;
    if (dlg.DoModal() != IDOK)
        return CString();
    return dlg.m_strText;
}

void CTessumgrDlg::OnImagePathChanged(LPCTSTR path)
{
    m_editImage.SetWindowText(path);
    ShowModeControls(m_assembler.m_nMode);
}

void CTessumgrDlg::OnAssemble()
{
    m_assembler.m_strImagePath = FieldText(m_editImage);
    m_assembler.m_strLoaderPath = FieldText(m_editLoader);
    m_assembler.OnAssemble();
}

void CTessumgrDlg::OnQuickApply()
{
    m_assembler.m_strLoaderPath = FieldText(m_editLoader);
    m_assembler.OnQuickApply();
}

void CTessumgrDlg::OnInstallFloppyImage()
{
    if (!m_assembler.m_bExpert)
        return;
    m_assembler.OnInstallFloppyImage();
    ShowModeControls(m_assembler.m_nMode);  // the image installs in virtual-disk mode
}

void CTessumgrDlg::OnReloadImage()
{
    const CString path = FieldText(m_editImage);
    if (path.IsEmpty())
        return;
    m_assembler.m_image.Analyse(path);
    UpdateInfoText();
}

void CTessumgrDlg::OnReloadLoader()
{
    const CString path = FieldText(m_editLoader);
    if (path.IsEmpty())
        return;
    m_assembler.m_loader.Detect(path);
    UpdateInfoText();
    const int type = m_assembler.m_loader.m_nType;
    if (m_bEditorAllowed && (type == CBootLoaderInfo::TYPE_TESSU || type == CBootLoaderInfo::TYPE_ZAVO ||
                             type == CBootLoaderInfo::TYPE_GRUB2))
        EditLoaderParameters(path, type, *this, &g_langFile);
}

void CTessumgrDlg::OnOpenBootIni() { TessuShellOpen(m_hWnd, "notepad.exe", m_assembler.m_strBootIniPath); }

void CTessumgrDlg::OnWebSite() { TessuShellOpen(m_hWnd, kTessuWebPage); }

void CTessumgrDlg::OnAboutMe()
{
    CTessumgrAboutDlg dlg(this);
    dlg.m_strThemeIni = m_strThemeIni;
    dlg.DoModal();
}

void CTessumgrDlg::OnDriveMap()
{
    if (TessuApp() && !TessuApp()->m_bNT) {
        Show(PromptText(&g_langFile, "Drive Map For NT"), kTessumgrCaption, STYLE_OK_INFO);
        return;
    }
    CDriveMapDlg dlg(m_pDisks, this);
    dlg.m_strThemeIni = m_strThemeIni;
    dlg.DoModal();
}

BOOL CTessumgrDlg::TakeFieldPath(UINT nID, const CString& path)
{
    switch (nID) {
    case IDC_IMAGE_PATH:
        m_assembler.m_image.Analyse(path);
        UpdateInfoText();
        return TRUE;
    case IDC_LOADER_PATH:
        m_assembler.m_loader.Detect(path);
        UpdateInfoText();
        return TRUE;
    case IDC_BOOTINI_PATH: {
        if (IsDriveRootedPath(path) && !CIniFile(path).GetValue("boot loader", "timeout").IsEmpty()) {
            m_assembler.m_strBootIniPath = path;
            return TRUE;
        }
        Show(PromptText(&g_langFile, "Invalid Bootini"), kTessumgrCaption, STYLE_OK_INFO);
        m_editBootIni.SetWindowText(m_assembler.m_strBootIniPath);
        return FALSE;
    }
    default:
        return TRUE;
    }
}

void CTessumgrDlg::OnFieldPostBrowse(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    const FileEditNotify* notify = reinterpret_cast<const FileEditNotify*>(pNMHDR);
    const CString path = notify->pNewText ? *notify->pNewText : CString();
    *pResult = path.IsEmpty() || TakeFieldPath(nID, path) ? 0 : 1;
}

void CTessumgrDlg::OnFieldDrop(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) { OnFieldPostBrowse(nID, pNMHDR, pResult); }

LRESULT CTessumgrDlg::OnExpertMode(WPARAM, LPARAM)
{
    if (CPictureStatic* picture = Picture(IDC_PIC_FLOPPY)) {
        picture->SetTooltipText(kExpertTip);
        picture->ModifyStyle(0, SS_NOTIFY);
    }
    m_assembler.m_bExpert = TRUE;
    return 0;
}
