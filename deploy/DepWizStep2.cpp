#include "deploy/DepWizard.h"

#include "deploy/BootFileSet.h"
#include "deploy/WorkFolder.h"
#include "deploy/MenuPackage.h"
#include "deploy/iso/iso_build.h"
#include "designer/app/ZavomgrApp.h"
#include "designer/core/ArchiveFile.h"
#include "designer/core/DiskObject.h"
#include "designer/core/TextFileWriter.h"
#include "framework/DataExchange.h"
#include "framework/Sys.h"
#include "framework/WinThread.h"
#include "resources/zavomgr/resource.h"

#include <shellapi.h>

#include <cstdio>
#include <ctime>

namespace {

const char kStep2Section[] = "Dep_Step2_Dlg";
const char kHistory[] = "History";
const char kSourceValue[] = "ISO Source Path";
const char kTargetValue[] = "ISO Target Path";
const int kBrowseButtonWidth = 21;
const int kMaxBootPath = 53;

CZavomgrApp* App() { return static_cast<CZavomgrApp*>(AfxGetApp()); }

CString LoadAppString(UINT nId)
{
    CString text;
    if (nId != 0)
        if (CZavomgrApp* app = App())
            app->m_langManager.LoadString(text, nId, TRUE);
    return text;
}

int ShowText(CWnd* pOwner, LPCTSTR text, UINT nCaption, UINT nType)
{
    return ::MessageBoxA(pOwner ? pOwner->m_hWnd : NULL, text, LoadAppString(nCaption), nType);
}

// Clears the page's busy flag and its display when the build ends.
class CBusyScope {
public:
    explicit CBusyScope(CDepWizStep2& page) : m_page(page) {}
    ~CBusyScope() { m_page.SetBusyState(0, CDepWizStep2::BUSY_END); }

private:
    CDepWizStep2& m_page;
};

CString LastErrorText() { return FwFormatSystemMessage(FwGetLastError()); }

BOOL HasIsoExtension(const CString& path)
{
    return path.GetLength() > 4 && path.Right(4).CompareNoCase(".iso") == 0;
}

}  // namespace

// ---- the ISO step ----

BOOL CIsoImageBuilder::CheckPaths(LPCTSTR sourceFolder, LPCTSTR isoPath, CString& message, CString* probePath)
{
    CDiskObject disk;
    if (!disk.FolderExists(sourceFolder)) {
        message = LoadAppString(IDS_DW_NOSOURCE);
        return FALSE;
    }
    // a name the code page cannot hold comes back with '?' in it
    const CString target = isoPath;
    const int back = target.ReverseFind('\\'), forward = target.ReverseFind('/');
    const int slash = back > forward ? back : forward;
    const CString name = target.Mid(slash + 1);
    if (name.IsEmpty() || name.FindOneOf("?*\"<>|") >= 0) {
        message.Format(LoadAppString(IDS_DW_BADISONAME), isoPath);
        return FALSE;
    }
    const CString folder = slash >= 0 ? target.Left(slash + 1) : CString(".\\");
    if (!disk.FolderExists(folder)) {
        message.Format(LoadAppString(IDS_DW_NOISOFOLDER), (LPCTSTR)folder);
        return FALSE;
    }
    char probe[MAX_PATH] = "";
    if (!::GetTempFileNameA(folder, "ZIS", 0, probe)) {
        message = LoadAppString(IDS_DW_NOACCESS);
        return FALSE;
    }
    ::DeleteFileA(probe);
    if (probePath)
        *probePath = probe;
    return TRUE;
}

int CIsoImageBuilder::Build(LPCTSTR workFolder, LPCTSTR sourceFolder, LPCTSTR isoPath, CWnd* pOwner,
                            CWnd* pProgress)
{
    m_strError.Empty();
    CDiskObject disk;
    const CString caption = LoadAppString(IDS_APP_CAPTION);
    HWND owner = pOwner ? pOwner->m_hWnd : NULL;
    // the image is made beside the target, under the name the check tried,
    // and takes its place only when whole
    CString message, temp;
    if (!disk.FolderExists(workFolder))
        message = LoadAppString(IDS_DW_NOSOURCE);
    else
        CheckPaths(sourceFolder, isoPath, message, &temp);
    if (!message.IsEmpty()) {
        ::MessageBoxA(owner, message, caption, MB_ICONERROR);
        return 0;
    }
    if (pProgress)
        pProgress->ShowWindow(SW_SHOW);
    int result = iso_build(workFolder, sourceFolder, temp, pOwner ? (void*)pOwner->m_hWnd : NULL,
                           pProgress ? (void*)pProgress->m_hWnd : NULL);
    if (pProgress)
        pProgress->ShowWindow(SW_HIDE);
    if (!result) {
        m_strError = iso_last_error();
        ::DeleteFileA(temp);
        return 0;
    }
    if (!::MoveFileExA(temp, isoPath, MOVEFILE_REPLACE_EXISTING)) {
        m_strError.Format("%s: %s", isoPath, (LPCTSTR)LastErrorText());
        ::DeleteFileA(temp);
        return 0;
    }
    return result;
}

// ---- target page ----

BEGIN_MESSAGE_MAP(CDepWizStep2, CPropertyPage)
    ON_BN_CLICKED(IDC_DW_ISOBOX, &CDepWizStep2::OnIsoBox)
    ON_BN_CLICKED(IDC_DW_HDDBOX, &CDepWizStep2::OnHddBox)
    ON_BN_CLICKED(IDC_DW_MBRBOX, &CDepWizStep2::OnMbrBox)
    ON_CBN_SELCHANGE(IDC_DW_PARTITION, &CDepWizStep2::OnPartitionChanged)
    ON_NOTIFY(FEN_PREBROWSE, IDC_DW_ISOSOURCE, &CDepWizStep2::OnFieldNotify)
    ON_NOTIFY(FEN_PREBROWSE, IDC_DW_ISOTARGET, &CDepWizStep2::OnFieldNotify)
    ON_MESSAGE(ISO_PROGRESS_MESSAGE, &CDepWizStep2::OnIsoProgress)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDepWizStep2::CDepWizStep2() : CPropertyPage(IDD_DEPWIZ_STEP2), m_nMode(MODE_ISO), m_bBusy(FALSE)
{
    DepWizUseSectionTitle(m_strCaption, m_psp, kStep2Section);
}
CDepWizStep2::~CDepWizStep2() {}

CString CDepWizStep2::LoadText(UINT nId) const { return LoadAppString(nId); }

void CDepWizStep2::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DW_MBRBOX, m_mbrBox);
    DDX_Control(pDX, IDC_DW_STATUS, m_status);
    DDX_Control(pDX, IDC_DW_ANIMATION, m_animation);
    DDX_Control(pDX, IDC_DW_ISOBOX, m_isoBox);
    DDX_Control(pDX, IDC_DW_HDDBOX, m_hddBox);
    DDX_Control(pDX, IDC_DW_PARTITION, m_partitionBox);
    DDX_Control(pDX, IDC_DW_DISK, m_diskBox);
    DDX_FileEditCtrl(pDX, IDC_DW_ISOSOURCE, m_isoSource, FEF_FOLDER);
    DDX_FileEditCtrl(pDX, IDC_DW_ISOTARGET, m_isoTarget, FEF_OPEN);
    if (pDX->m_bSaveAndValidate) {
        const int sel = m_partitionBox.GetCurSel();
        if (sel >= 0)
            m_strPartitionRoot = (LPCTSTR)m_partitionBox.GetItemData(sel);
    }
}

BOOL CDepWizStep2::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_nMode = MODE_ISO;
    if (CZavomgrApp* app = App())
        app->m_langManager.TranslateDialog(this, kStep2Section);
    m_partitionBox.FillLogicalDrives(DRIVE_MASK_FIXED);
    m_partitionBox.SetCurSel(0);
    m_diskBox.FillPhysicalDrives();
    m_diskBox.SetCurSel(0);
    m_hddBox.SetTitleStyle(BS_AUTOCHECKBOX);
    m_hddBox.SetGroupId(1);
    m_isoBox.SetTitleStyle(BS_AUTOCHECKBOX);
    m_isoBox.SetGroupId(2);
    m_mbrBox.SetTitleStyle(BS_AUTOCHECKBOX);
    m_mbrBox.SetGroupId(3);
    m_hddBox.SetCheck(0);
    m_mbrBox.SetCheck(0);
    m_isoBox.SetCheck(1);
    CFileEditCtrl* fields[] = {&m_isoSource, &m_isoTarget};
    for (CFileEditCtrl* field : fields) {
        field->DragAcceptFiles(TRUE);
        field->SendMessage(EM_SETREADONLY, TRUE, 0);
        field->SetButtonWidth(kBrowseButtonWidth);
    }
    m_isoSource.ModifyFlags(FEF_OPEN, FEF_FOLDER);
    m_isoTarget.ModifyFlags(FEF_FOLDER, FEF_OPEN);
    if (OPENFILENAME* ofn = m_isoTarget.GetOpenFileName())
        ofn->Flags &= ~(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    m_animation.ShowWindow(SW_HIDE);
    m_status.SetWindowText("");
    m_isoSource.LoadState(kHistory, kSourceValue);
    m_isoTarget.LoadState(kHistory, kTargetValue);
    return TRUE;
}

BOOL CDepWizStep2::OnSetActive()
{
    CDepWizard* sheet = static_cast<CDepWizard*>(GetSheet());
    if (sheet) {
        ::PostMessage(sheet->m_hWnd, PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
        sheet->ActivatePage(this, IDI_DEPWIZ_TARGET, IDS_DW_STEP2TITLE, IDS_DW_STEP2DESC);
    }
    BOOL result = CPropertyPage::OnSetActive();
    if (sheet) {
        const CString create = LoadText(IDS_DW_CREATE);
        sheet->SendMessage(WM_DEPWIZ_SETITEMTEXT, ID_WIZFINISH, (LPARAM)(LPCTSTR)create);
    }
    return result;
}

BOOL CDepWizStep2::OnWizardFinish()
{
    if (!m_bBusy)
        OnBuild();
    return FALSE;
}

BOOL CDepWizStep2::OnQueryCancel() { return !m_bBusy; }

LRESULT CDepWizStep2::OnWizardBack() { return m_bBusy ? -1 : CPropertyPage::OnWizardBack(); }

void CDepWizStep2::SelectMode(int nMode)
{
    m_nMode = nMode;
    if (nMode != MODE_ISO)
        m_isoBox.SetCheck(0);
    if (nMode != MODE_HARD_DISK)
        m_hddBox.SetCheck(0);
    if (nMode != MODE_MBR)
        m_mbrBox.SetCheck(0);
}

void CDepWizStep2::OnIsoBox() { SelectMode(MODE_ISO); }
void CDepWizStep2::OnHddBox() { SelectMode(MODE_HARD_DISK); }
void CDepWizStep2::OnMbrBox() { SelectMode(MODE_MBR); }

void CDepWizStep2::OnPartitionChanged()
{
    const int sel = m_partitionBox.GetCurSel();
    CString drive = sel >= 0 ? CString((LPCTSTR)m_partitionBox.GetItemData(sel)).Left(2) : CString();
    drive.MakeUpper();
    SetDlgItemText(IDC_DW_DEVICE, m_driveMap.Lookup(drive) ? (LPCTSTR)drive : "hd?,?");
}

void CDepWizStep2::OnFieldNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // no second browse while a build runs
    if (m_bBusy) {
        *pResult = 1;
        return;
    }
    CFileEditCtrl& field = pNMHDR->idFrom == IDC_DW_ISOSOURCE ? m_isoSource : m_isoTarget;
    if (OPENFILENAME* ofn = field.GetOpenFileName())
        ofn->lpstrInitialDir = NULL;
    if (BROWSEINFO* info = field.GetBrowseInfo()) {
        info->lpfn = &CFileEditCtrl::BrowseCallback;
        info->lParam = (LPARAM)&field;
    }
}

LRESULT CDepWizStep2::OnIsoProgress(WPARAM, LPARAM)
{
    PumpMessages();
    return 0;
}

void CDepWizStep2::OnDestroy()
{
    CPropertyPage::OnDestroy();
    m_isoSource.SaveState(kHistory, kSourceValue);
    m_isoTarget.SaveState(kHistory, kTargetValue);
}

void CDepWizStep2::PumpMessages() { AfxPumpWaitingMessages(m_hWnd); }

int CDepWizStep2::MakeWorkFolderName(CString& name)
{
    char folder[MAX_PATH] = "", file[MAX_PATH] = "";
    DWORD n = ::GetTempPathA(MAX_PATH, folder);
    if (n == 0 || n >= MAX_PATH)
        folder[0] = '\0';
    ::GetTempFileNameA(folder, "KEL", 0, file);
    // only the file's own name: a '.' in the temp folder's path stays
    name = file;
    int slash = name.ReverseFind('\\');
    CString title = name.Mid(slash + 1);
    title.Replace('.', '_');
    name = name.Left(slash + 1) + title;
    return 1;
}

void CDepWizStep2::SetBusyState(UINT nStringId, int nState)
{
    const CString text = LoadText(nStringId);
    CWnd* boxes[] = {&m_isoBox, &m_hddBox, &m_mbrBox};
    CWnd* sheet = GetSheet();
    if (nState == BUSY_BEGIN) {
        m_bBusy = TRUE;
        m_animation.ShowWindow(SW_SHOW);
        m_status.SetWindowText(text);
        if (m_animation.Open(IDR_GENMENU_AVI))
            m_animation.Play(0, (UINT)-1, (UINT)-1);
        for (CWnd* box : boxes)
            box->EnableWindow(FALSE);
        if (sheet)
            sheet->SendMessage(WM_DEPWIZ_ENABLEBUTTONS, 0, 0);
    } else if (nState == BUSY_TEXT) {
        m_status.SetWindowText(text);
    } else {
        m_animation.ShowWindow(SW_HIDE);
        m_status.SetWindowText("");
        m_animation.Close();
        for (CWnd* box : boxes)
            box->EnableWindow(TRUE);
        // the boxes' own states decide what inside them is usable
        m_isoBox.SetCheck(m_nMode == MODE_ISO);
        m_hddBox.SetCheck(m_nMode == MODE_HARD_DISK);
        m_mbrBox.SetCheck(m_nMode == MODE_MBR);
        if (sheet)
            sheet->SendMessage(WM_DEPWIZ_ENABLEBUTTONS, 0, 1);
        m_bBusy = FALSE;
    }
    PumpMessages();
}

int CDepWizStep2::Fail(LPCTSTR lpszText)
{
    ShowText(this, lpszText, IDS_DW_BUILDCAPTION, MB_ICONERROR);
    return 0;
}

int CDepWizStep2::OnBuild()
{
    CZavomgrApp* app = App();
    SetBusyState(IDS_GM_COLLECT, BUSY_BEGIN);
    CBusyScope busy(*this);
    if (m_nMode == MODE_ISO) {
        m_isoSource.GetWindowText(m_strIsoSource);
        m_isoTarget.GetWindowText(m_strIsoPath);
        m_strIsoSource.TrimRight();
        m_strIsoPath.TrimRight();
        if (m_strIsoSource.IsEmpty() || m_strIsoPath.IsEmpty()) {
            if (app)
                app->m_langManager.MessageBoxWithCaption(this, "String", IDS_DW_NOISOPATH, IDS_DW_ISOCAPTION,
                                                         MB_ICONQUESTION);
            return 0;
        }
        if (!HasIsoExtension(m_strIsoPath))
            m_strIsoPath += ".iso";
        // refused now, not after the boot files and the image are made
        CString problem;
        if (!CIsoImageBuilder::CheckPaths(m_strIsoSource, m_strIsoPath, problem)) {
            ShowText(this, problem, IDS_APP_CAPTION, MB_ICONERROR);
            return 0;
        }
        if (::GetFileAttributesA(m_strIsoPath) != INVALID_FILE_ATTRIBUTES && app &&
            app->m_langManager.MessageBoxWithCaption(this, "String", IDS_DW_REPLACEISO, IDS_DW_ISOCAPTION,
                                                     MB_YESNO | MB_ICONQUESTION) != IDYES)
            return 0;
        m_strBootPath = "(cd)/kelboot";
        SetBusyState(IDS_DW_ISOMODE, BUSY_TEXT);
    } else if (m_nMode == MODE_HARD_DISK) {
        // the files go to the partition chosen now
        const int sel = m_partitionBox.GetCurSel();
        if (sel < 0) {
            ShowText(this, LoadText(IDS_DW_NOPARTITION), IDS_DW_BUILDCAPTION, MB_ICONINFORMATION);
            return 0;
        }
        m_strPartitionRoot = (LPCTSTR)m_partitionBox.GetItemData(sel);
        CString device;
        GetDlgItemText(IDC_DW_DEVICE, device);
        device.Trim();
        if (device.Left(3) != "(hd" || device.Right(1) != ")") {
            device = m_strPartitionRoot.Left(2);
            device.MakeUpper();
            if (!m_driveMap.Lookup(device)) {
                CString text;
                text.Format(LoadText(IDS_DW_NODEVICE), (LPCTSTR)m_strPartitionRoot);
                ShowText(this, text, IDS_DW_BUILDCAPTION, MB_ICONINFORMATION);
                return 0;
            }
        }
        m_strBootPath = device + "/kelboot";
        SetBusyState(IDS_DW_HDDMODE, BUSY_TEXT);
    } else {
        if (app)
            app->m_langManager.MessageBoxWithCaption(this, "String", IDS_DW_UNSUPPORTED, IDS_DW_BUILDCAPTION,
                                                     m_nMode == MODE_MBR ? MB_ICONINFORMATION : MB_ICONERROR);
        return 0;
    }
    if (m_strBootPath.GetLength() > kMaxBootPath) {
        CString text;
        text.Format(LoadText(IDS_DW_BOOTPATHLONG), (LPCTSTR)m_strBootPath);
        return Fail(text);
    }
    return BuildBootTree();
}

BOOL CDepWizStep2::UnpackMenuPackages(LPCTSTR folder, const CStringArray& packages, CString& error)
{
    for (int i = 0; i < packages.GetSize(); ++i) {
        const CString wanted = GetFileTitleNoExt(packages[i]) + ".gz";
        CArchiveFile archive;
        if (!archive.OpenArchive(packages[i])) {
            error.Format("%s: %s", (LPCTSTR)packages[i], (LPCTSTR)archive.GetErrorText());
            return FALSE;
        }
        BOOL found = FALSE;
        const int count = archive.GetEntryCount();
        for (int e = 0; e < count && !found; ++e) {
            CString name;
            BOOL isFile = FALSE;
            if (!archive.GetEntryName(e, name, isFile) || !isFile || name.CompareNoCase(wanted) != 0)
                continue;
            unsigned char* data = NULL;
            unsigned size = 0;
            if (!archive.GetEntry(e, data, size, isFile, name)) {
                error.Format("%s: %s", (LPCTSTR)packages[i], (LPCTSTR)archive.GetErrorText());
                return FALSE;
            }
            // under the name zavo.ini's menu= gives, not the stored case: a
            // boot reader that respects case must find it
            const CString target = CString(folder) + "\\" + wanted;
            FILE* out = FwOpenStdFile(target, "wb");
            const BOOL written = out && fwrite(data, 1, size, out) == size;
            const BOOL closed = out && fclose(out) == 0;
            if (!written || !closed) {
                error.Format("%s: %s", (LPCTSTR)target, (LPCTSTR)LastErrorText());
                return FALSE;
            }
            found = TRUE;
        }
        if (!found) {
            error.Format("%s: %s", (LPCTSTR)packages[i], (LPCTSTR)wanted);
            return FALSE;
        }
    }
    return TRUE;
}

int CDepWizStep2::BuildBootTree()
{
    CDepWizard* sheet = static_cast<CDepWizard*>(GetSheet());
    CDepWizStep1* options = sheet ? static_cast<CDepWizStep1*>(sheet->GetPage(0)) : NULL;
    if (!options)
        return 0;
    const BOOL iso = m_nMode == MODE_ISO;
    const char* bootFolder = iso ? "kelboot" : "Kelboot";
    CWorkFolder work;
    if (!work.Make(bootFolder))
        return Fail(work.Path() + "\n" + LastErrorText());
    const CString boot = work.Path() + "\\" + bootFolder;

    SetBusyState(IDS_DW_ZAVOINI, BUSY_TEXT);
    CTextFileWriter writer("ini", "\r\n");
    CStringArray lines;
    lines.Add(options->GetConfigText());
    if (!writer.Save(boot + "\\zavo.ini", lines))
        return Fail(writer.GetErrorText());

    SetBusyState(IDS_DW_MENUFILES, BUSY_TEXT);
    CString error;
    if (!UnpackMenuPackages(boot, options->GetTickedPackages(), error))
        return Fail(error);

    SetBusyState(IDS_DW_ZAVOSYS, BUSY_TEXT);
    if (!UnpackBootFileSet(boot, error))
        return Fail(error);

    SetBusyState(IDS_DW_ASSEMBLE, BUSY_TEXT);
    CString loader, system;
    if (!WriteBootFiles(iso ? BOOT_MODE_ISO : BOOT_MODE_HARD_DISK, work.Path(), loader, system, error) ||
        !PatchLoaderFiles(loader, system, iso, m_strBootPath, time(NULL), error))
        return Fail(error);

    BOOL test = FALSE;
    if (!iso) {
        SetBusyState(IDS_DW_DEPLOYING, BUSY_TEXT);
        CBootFileInstaller installer;
        if (!installer.Install(work.Path(), m_strPartitionRoot,
                               IsDlgButtonChecked(IDC_DW_KEEPKELBOOT) == BST_CHECKED, error))
            return Fail(error);
        CString text;
        text.Format(LoadText(IDS_DW_HDDDONE), (LPCTSTR)m_strPartitionRoot,
                    (LPCTSTR)(m_strPartitionRoot + "Zavo.sys"));
        ShowText(this, text, IDS_DW_ISOCAPTION, MB_ICONINFORMATION);
    } else {
        SetBusyState(IDS_DW_MAKEISO, BUSY_TEXT);
        CIsoImageBuilder builder;
        if (!builder.Build(work.Path(), m_strIsoSource, m_strIsoPath, this, GetDlgItem(IDC_DW_PROGRESS))) {
            if (!builder.GetError().IsEmpty())
                ShowText(this, builder.GetError(), IDS_APP_CAPTION, MB_ICONERROR);
            return 0;
        }
        CString text;
        // a drive root holds folders nobody can list: the image is made without them
        CString leftOut = iso_folders_left_out();
        leftOut.Replace('/', '\\');
        if (!leftOut.IsEmpty()) {
            text.Format(LoadText(IDS_DW_LEFTOUT), (LPCTSTR)leftOut);
            ShowText(this, text, IDS_DW_ISOCAPTION, MB_ICONWARNING);
        }
        text.Format(LoadText(IDS_DW_ISODONE), (LPCTSTR)m_strIsoPath);
        test = ShowText(this, text, IDS_DW_ISOCAPTION, MB_YESNO | MB_ICONINFORMATION) == IDYES;
    }
    if (test)
        RunEmulatorTest();
    SetBusyState(IDS_GM_DONE, BUSY_TEXT);
    return 1;
}

void CDepWizStep2::RunEmulatorTest()
{
    char shortPath[MAX_PATH] = "";
    if (!::GetShortPathNameA(m_strIsoPath, shortPath, MAX_PATH) || shortPath[0] == '\0')
        lstrcpynA(shortPath, m_strIsoPath, MAX_PATH);
    CZavomgrApp* app = App();
    const CString bin = app ? app->m_strBinPath : CString();
    const CString program = bin + "\\qemu.exe";
    CString params;
    params.Format("-L . -m 32 -no-kqemu -std-vga -cdrom \"%s\" -localtime -boot d", shortPath);
    HINSTANCE started = ::ShellExecuteA(m_hWnd, "open", program, params, bin, SW_SHOW);
    if ((INT_PTR)started <= 32) {
        CString text;
        text.Format(LoadText(IDS_DW_NOEMULATOR), (LPCTSTR)program);
        Fail(text);
    }
}
