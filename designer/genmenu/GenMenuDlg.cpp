#include "designer/genmenu/GenMenuDlg.h"

#include "designer/core/ArchiveFile.h"
#include "designer/core/DiskObject.h"
#include "designer/core/MenuPackageText.h"
#include "designer/core/PackageFiles.h"
#include "designer/core/RomfsBuilder.h"
#include "designer/core/TextFileWriter.h"
#include "designer/core/ThemePointerPacker.h"
#include "designer/core/ZipEntryInfo.h"
#include "designer/model/UIControlList.h"
#include "designer/canvas/ViewCanvas.h"
#include "designer/model/WallpaperCanvas.h"
#include "designer/app/ZavomgrApp.h"
#include "deploy/DepWizard.h"
#include "deploy/WorkFolder.h"
#include "deploy/core/BootFields.h"
#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "framework/ScopedHandle.h"
#include "framework/Sys.h"
#include "framework/WinThread.h"
#include "imaging/xImage.h"
#include "resources/zavomgr/resource.h"

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>

#include <zip.h>

#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

BEGIN_MESSAGE_MAP(CGenMenuDlg, CDialog)
    ON_BN_CLICKED(IDC_GM_GENERATE, &CGenMenuDlg::OnGenerate)
    ON_BN_CLICKED(IDC_GM_BROWSE, &CGenMenuDlg::OnBrowseCursorTheme)
    ON_WM_HSCROLL()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

const char kSection[] = "GenMenu_Dlg";

CZavomgrApp* App() { return static_cast<CZavomgrApp*>(AfxGetApp()); }

BOOL FileHasData(const CString& path)
{
    CScopedFile f(fopen(FwNativePath(path), "rb"));
    return f.IsValid() && fgetc(f) != EOF;
}

// Clears and restores the member that points at the current run's work folder.
class CBusyScope {
public:
    CBusyScope(BOOL& busy, CString& work) : m_busy(busy), m_work(work) { m_busy = TRUE; }
    ~CBusyScope()
    {
        m_busy = FALSE;
        m_work.Empty();
    }

private:
    BOOL& m_busy;
    CString& m_work;
};

// Threads kept for the jobs: starting a thread costs more than some steps.
// A job goes to an idle thread, or to a new one when none is idle. Never
// freed: its threads may still wait on it while the process ends.
class CJobThreads {
public:
    static CJobThreads& Get()
    {
        static CJobThreads* threads = new CJobThreads;
        return *threads;
    }
    // FALSE when no thread could be had for the job.
    bool Post(std::function<void()> job)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(job));
        if (m_idle >= (int)m_queue.size()) {
            m_wake.notify_one();
            return true;
        }
        try {
            std::thread(&CJobThreads::Serve, this).detach();
        } catch (const std::system_error&) {
            m_queue.pop_back();
            return false;
        }
        return true;
    }

private:
    void Serve()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            while (m_queue.empty()) {
                ++m_idle;
                m_wake.wait(lock);
                --m_idle;
            }
            std::function<void()> job = std::move(m_queue.front());
            m_queue.pop_front();
            lock.unlock();
            job();
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_queue;
    int m_idle = 0;
};

// Runs a job; what it throws comes back as its fault text, so that a fault
// fails the job's step instead of ending the process on a kept thread.
std::string RunCaught(const std::function<void()>& job)
{
    try {
        job();
    } catch (const std::exception& e) {
        return *e.what() ? e.what() : "exception";
    } catch (...) {
        return "exception";
    }
    return std::string();
}

// One job on a thread of the kept ones; Wait (or the end of the scope) waits
// for it. Without a thread the job runs at once. Fault() is empty unless the
// job threw.
class CBackgroundJob {
public:
    CBackgroundJob() {}
    ~CBackgroundJob() { Wait(); }
    CBackgroundJob(const CBackgroundJob&) = delete;
    CBackgroundJob& operator=(const CBackgroundJob&) = delete;

    void Start(const std::function<void()>& job)
    {
        Wait();
        m_fault.clear();
        std::shared_ptr<State> state = std::make_shared<State>();
        if (CJobThreads::Get().Post([job, state]() {
                std::string fault = RunCaught(job);
                std::lock_guard<std::mutex> lock(state->mutex);
                state->fault = fault;
                state->done = true;
                state->finished.notify_all();
            }))
            m_state = state;
        else
            m_fault = RunCaught(job);
    }
    void Wait()
    {
        if (!m_state) return;
        std::unique_lock<std::mutex> lock(m_state->mutex);
        m_state->finished.wait(lock, [this]() { return m_state->done; });
        m_fault = m_state->fault;
        lock.unlock();
        m_state.reset();
    }
    const std::string& Fault() const { return m_fault; }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        std::string fault;
    };
    std::shared_ptr<State> m_state;
    std::string m_fault;
};

// The JPEG wallpaper, encoded on a thread while the elements are drawn:
// from a picture, or from the page's 32-bit rows.
struct CJpegJob {
    CxImage wallpaper;
    std::vector<DWORD> rows;
    CSize size;
    int quality = 85;
    std::vector<BYTE> bytes;
    BOOL encoded = FALSE;

    void Run()
    {
        const int q = quality < 1 ? 1 : quality > 100 ? 100
                                                      : quality;
        if (!rows.empty()) {
            // the JPEG of the page's rows is that of the 24-bit picture of them
            encoded = rows.size() == (size_t)size.cx * size.cy && size.cx > 0 &&
                      CxImage::EncodeJpegRows(&rows[0], (DWORD)size.cx, (DWORD)size.cy, q, bytes);
            std::vector<DWORD>().swap(rows);
        } else {
            wallpaper.SetJpegQuality((BYTE)q);
            encoded = wallpaper.Encode(bytes, CXIMAGE_FORMAT_JPG) && !bytes.empty();
        }
        if (!encoded) bytes.clear();
    }
};

// The work after kelmenu.ini that needs no window: the kept copy, the romfs
// image and its gzip file. It runs on a thread while the preview is drawn;
// the dialog tells its steps afterwards.
struct CPackingJob {
    CPackageFiles* files = nullptr;
    std::string kelboot;
    std::string keepFolder;  // empty: no copy
    std::string packedPath;

    BOOL copied = FALSE, romfs = FALSE, packed = FALSE;
    std::string copyError, romfsError, gzipError;

    // The job threw: the step it was in fails with what was thrown.
    void Faulted(const std::string& fault)
    {
        if (!copied) {
            copyError = romfsError = fault;
        } else if (!romfs) {
            romfsError = fault;
        } else {
            packed = FALSE;
            gzipError = fault;
        }
    }

    void Run()
    {
        copied = KeepCopy();
        romfs = copied && BuildImage();
        if (romfs) {
            CArchiveFile gzip;
            packed = gzip.GzipData(m_image.data(), m_image.size(), packedPath.c_str()) &&
                     FileHasData(packedPath.c_str());
            if (!packed) gzipError = (LPCTSTR)gzip.GetErrorText();
        }
    }

private:
    BOOL KeepCopy()
    {
        if (keepFolder.empty()) return TRUE;
        CDiskObject disk;
        if (!disk.CreateFolderPath(keepFolder.c_str()) || !disk.CopyFolderFiles(kelboot.c_str(), keepFolder.c_str())) {
            copyError = (LPCTSTR)disk.GetErrorText();
            return FALSE;
        }
        std::string failed;
        if (!files->WriteTo(keepFolder, failed)) {
            copyError = failed;
            return FALSE;
        }
        return TRUE;
    }
    BOOL BuildImage()
    {
        CRomfsBuilder builder;
        if (builder.BuildRomfsImage(kelboot.c_str(), files, m_image, "DemoRomfs")) return TRUE;
        romfsError = (LPCTSTR)builder.GetErrorText();
        return FALSE;
    }

    std::vector<unsigned char> m_image;
};

}  // namespace

CGenMenuDlg::CGenMenuDlg(CWnd* pParent)
    : CDialog(IDD_GENMENU, pParent), m_pControlList(NULL), m_pCanvas(NULL), m_nQuality(85), m_nKeepFiles(0),
      m_hCursor(NULL), m_bBusy(FALSE)
{
    if (CZavomgrApp* app = App()) m_strMenusFolder = app->m_strMenusPath;
}

CGenMenuDlg::~CGenMenuDlg() {}

void CGenMenuDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GM_PREVIEW, m_cursorPreview);
    DDX_Control(pDX, IDC_GM_QUALITYBAR, m_qualityBar);
    DDX_Control(pDX, IDC_GM_QUALITY, m_qualityEdit);
    DDX_Control(pDX, IDC_GM_STATUS, m_status);
    DDX_Control(pDX, IDC_GM_ANIMATION, m_animation);
    DDX_Text(pDX, IDC_GM_THEMEPATH, m_strCursorThemePath);
    DDX_Text(pDX, IDC_GM_NAME, m_strName);
    DDX_Text(pDX, IDC_GM_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_GM_QUALITY, m_nQuality);
    DDV_MinMaxInt(pDX, m_nQuality, 1, 100);
    DDX_Check(pDX, IDC_GM_KEEPFILES, m_nKeepFiles);
}

CString CGenMenuDlg::LoadText(UINT nId)
{
    CString text;
    if (nId == 0) return text;
    if (CZavomgrApp* app = App())
        app->m_langManager.LoadString(text, nId, FALSE);
    else
        text.LoadString(nId);
    return text;
}

BOOL CGenMenuDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CZavomgrApp* app = App()) app->m_langManager.TranslateDialog(this, kSection);
    m_banner.SetTitleText(LoadText(IDS_GM_BANNERTITLE));
    m_banner.SetDescText(LoadText(IDS_GM_BANNERTEXT));
    m_banner.SetIconResource(FALSE, IDR_ZAVOMGRTYPE);
    m_banner.Init(this);
    m_banner.MoveCtrls(this);
    m_animation.ShowWindow(SW_HIDE);
    m_status.SetWindowText("");

    ::SendMessage(m_qualityBar.m_hWnd, TBM_SETBUDDY, FALSE, (LPARAM)m_qualityEdit.m_hWnd);
    CRect bar, edit;
    m_qualityBar.GetWindowRect(&bar);
    m_qualityEdit.GetWindowRect(&edit);
    ScreenToClient(&bar);
    ScreenToClient(&edit);
    m_qualityEdit.MoveWindow(edit.left, bar.top + 3, edit.Width(), edit.Height());
    m_qualityBar.SetRange(1, 100);
    m_qualityBar.SetPos(85);
    m_qualityBar.SetTicFreq(1);
    m_qualityBar.SetPageSize(10);
    m_qualityEdit.SetWindowText("85");
    m_nQuality = m_qualityBar.GetPos();
    return TRUE;
}

void CGenMenuDlg::OnOK() {}

void CGenMenuDlg::OnCancel()
{
    // the job's message pump must not close the dialog under it
    if (m_bBusy) return;
    CDialog::OnCancel();
}

BOOL CGenMenuDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && m_qualityEdit.m_hWnd &&
        ::GetFocus() == m_qualityEdit.m_hWnd) {
        SyncQuality(FALSE);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CGenMenuDlg::SyncQuality(BOOL bFromTrackbar)
{
    if (!UpdateData(TRUE)) return;
    if (bFromTrackbar)
        m_nQuality = m_qualityBar.GetPos();
    else
        m_qualityBar.SetPos(m_nQuality);
    UpdateData(FALSE);
}

void CGenMenuDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    SyncQuality(TRUE);
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CGenMenuDlg::SetCursorPreview(HCURSOR hCursor) { m_hCursor = hCursor; }

BOOL CGenMenuDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CDialog::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CGenMenuDlg::BrowseCursorTheme(UINT nTitleId)
{
    CString title = LoadText(nTitleId), filter = LoadText(IDS_GM_THEMEFILTER), folder;
    if (CZavomgrApp* app = App()) folder.Format("%s\\Cursor\\", (LPCTSTR)app->m_strThemesPath);
    CFileDialog dlg(TRUE, "zmt", NULL, OFN_HIDEREADONLY, filter, this);
    dlg.m_ofn.lpstrInitialDir = folder;
    dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK) return FALSE;
    m_strCursorThemePath = dlg.GetPathName();
    return TRUE;
}

void CGenMenuDlg::OnBrowseCursorTheme()
{
    if (!UpdateData(TRUE)) return;
    if (!BrowseCursorTheme(IDS_GM_CHOOSETHEME)) return;
    m_cursorPreview.LoadCursors(m_strCursorThemePath);
    SetDlgItemText(IDC_GM_THEMEPATH, m_strCursorThemePath);
}

void CGenMenuDlg::EnableInputs(BOOL bEnable)
{
    static const int ids[] = {IDC_GM_NAME, IDC_GM_DESCRIPTION, IDC_GM_THEMEPATH, IDC_GM_BROWSE,
                              IDC_GM_QUALITYBAR, IDC_GM_QUALITY, IDC_GM_KEEPFILES, IDC_GM_GENERATE,
                              IDCANCEL};
    for (int id : ids)
        if (HWND h = ::GetDlgItem(m_hWnd, id)) ::EnableWindow(h, bEnable);
}

void CGenMenuDlg::SetStatus(UINT nStringId, int nMode)
{
    CString text = LoadText(nStringId);
    static const int ids[] = {IDC_GM_HIDDEN, IDC_GM_NAME, IDC_GM_DESCRIPTION, IDC_GM_THEMEPATH,
                              IDC_GM_BROWSE, IDC_GM_KEEPFILES, IDC_GM_GENERATE, IDCANCEL};
    if (!m_hWnd) return;
    if (nMode == STATUS_BEGIN) {
        m_animation.ShowWindow(SW_SHOW);
        m_status.SetWindowText(text);
        if (m_animation.Open(IDR_GENMENU_AVI)) m_animation.Play(0, (UINT)-1, (UINT)-1);
        for (int id : ids) ::EnableWindow(::GetDlgItem(m_hWnd, id), FALSE);
    } else if (nMode == STATUS_TEXT) {
        m_status.SetWindowText(text);
    } else {
        m_animation.ShowWindow(SW_HIDE);
        m_status.SetWindowText("");
        m_animation.Stop();
        for (int id : ids) ::EnableWindow(::GetDlgItem(m_hWnd, id), TRUE);
    }
    AfxPumpWaitingMessages(m_hWnd);
}

void CGenMenuDlg::PlayResultSound(BOOL bSuccess)
{
    LPCTSTR alias = bSuccess ? "SystemAsterisk" : "SystemHand";
    if (!::PlaySoundA(alias, NULL, SND_ALIAS | SND_APPLICATION | SND_SYNC | SND_NODEFAULT)) ::Sleep(500);
}

BOOL CGenMenuDlg::Fail(LPCTSTR lpszDetail)
{
    if (m_strError.IsEmpty()) m_strError = lpszDetail;
    return FALSE;
}

BOOL CGenMenuDlg::Fail(UINT nTextId, LPCTSTR lpszDetail)
{
    CString text = LoadText(nTextId);
    if (lpszDetail) text.Format(CString(text), lpszDetail);
    return Fail(text);
}

BOOL CGenMenuDlg::FailJob(UINT nTextId, const std::string& fault)
{
    if (fault.empty()) return Fail(nTextId);
    return Fail(LoadText(nTextId) + "\n" + fault.c_str());
}

void CGenMenuDlg::OnGenerate()
{
    if (m_bBusy) return;
    if (!UpdateData(TRUE)) return;
    EnableInputs(FALSE);
    const BOOL ok = Generate();
    EnableInputs(TRUE);
    // the disabled button took the focus with it: without a focused control
    // Escape no longer reaches the dialog
    GotoDlgCtrl(GetDlgItem(IDC_GM_GENERATE));
    if (ok) AfxShowMessageBox(m_hWnd, LoadText(IDS_GM_ZIPPED), NULL, MB_OK | MB_ICONINFORMATION);
}

BOOL CGenMenuDlg::IsValidMenuName(LPCTSTR lpszName) { return MenuPackageText::IsValidMenuName(lpszName); }

CString CGenMenuDlg::IniValue(LPCTSTR lpszText) { return MenuPackageText::IniValue(lpszText); }

int CGenMenuDlg::VesaModeOf(int nPageWidth) { return MenuPackageText::VesaModeOf(nPageWidth); }

CString CGenMenuDlg::ResolutionText(int nVesaMode) { return MenuPackageText::ResolutionText(nVesaMode); }

CString CGenMenuDlg::MakeIniHeader()
{
    const std::string when = FormatGmtTime(time(NULL));
    CString header;
    header.Format(
        ";\r\n; Zavo Graphic Menu System Configuration File.\r\n; Automatically Generated by : Zavo Studio "
        "2007\r\n;                         ver: %s\r\n;                         at : %s\r\n",
        kKelMenuVersion, when.c_str());
    return header;
}

CString CGenMenuDlg::MakeIniSections(const CViewCanvas& canvas, int nVesaMode, const MenuProgressRecord& record)
{
    CString text;
    text.Format(
        "[common]\r\nversion=%s\r\ndefault=%d\r\ntimeout=%d\r\nvesamode=0x%x\r\nquickgo=%d\r\n"
        "centercursor=%d\r\nwallpaper=(rd)/wallpaper.jpg\r\ncursorimage=(rd)/cursor.bmp\r\n"
        "handimage=(rd)/hand.bmp\r\n\r\n[progress]\r\npleft=%d\r\nptop=%d\r\npwidth=%d\r\npheight=%d\r\n"
        "pchkleft=%d\r\nptrack=%s\r\npchunk=%s\r\n\r\n",
        kKelMenuVersion, canvas.GetDefaultEntry(), canvas.GetTimeout(), nVesaMode ? nVesaMode : canvas.GetVesaMode(),
        canvas.GetSingleGo(), canvas.GetCenterCursor(),
        record.pleft, record.ptop, record.pwidth, record.pheight, record.pchkleft,
        (LPCTSTR)IniValue(record.ptrack), (LPCTSTR)IniValue(record.pchunk));
    return text;
}

CString CGenMenuDlg::MakeZipComment(LPCTSTR lpszDescription, int nVesaMode, LPCTSTR lpszProjectPath)
{
    return MenuPackageText::ZipComment(lpszDescription, nVesaMode, lpszProjectPath);
}

CSize CGenMenuDlg::PageSize() const
{
    CSize page = m_pCanvas ? m_pCanvas->GetPageSize() : CSize(0, 0);
    if (page.cx <= 0 || page.cy <= 0) page = CSize(640, 480);
    return page;
}

CString CGenMenuDlg::LoosePath(LPCTSTR lpszExtension) const
{
    return m_strWorkFolder + "\\" + m_strName + lpszExtension;
}

BOOL CGenMenuDlg::Generate()
{
    m_strError.Empty();
    if (m_bBusy || !m_pCanvas) return FALSE;
    if (m_strName.IsEmpty() || m_strDescription.IsEmpty()) {
        if (CZavomgrApp* app = App()) app->m_langManager.MessageBox(this, kSection, IDS_GM_NEEDNAME, MB_ICONINFORMATION);
        return FALSE;
    }
    if (!IsValidMenuName(m_strName)) {
        if (CZavomgrApp* app = App()) app->m_langManager.MessageBox(this, kSection, IDS_GM_BADNAME, MB_ICONINFORMATION);
        return FALSE;
    }
    m_strBasePath.Format("%s\\%s", (LPCTSTR)m_strMenusFolder, (LPCTSTR)m_strName);
    CDiskObject disk;
    if (disk.FileExists(m_strBasePath + ".zip")) {
        CZavomgrApp* app = App();
        int answer = app ? app->m_langManager.MessageBox(this, kSection, IDS_GM_REPLACE, MB_YESNO | MB_ICONINFORMATION)
                         : IDYES;
        if (answer != IDYES) return FALSE;
    }

    BOOL ok = FALSE;
    {
        CBusyScope busy(m_bBusy, m_strWorkFolder);
        CWorkFolder work;
        // the job's pictures stay in memory: the page as rendered, the page
        // the elements drew on, and the files of the image
        CxImage pagePicture;
        CWallpaperCanvas page;
        CPackageFiles files;
        CJpegJob jpeg;
        CPackingJob job;
        // all end before the work folder goes
        CBackgroundJob encoding, packing, cleanup;
        SetStatus(IDS_GM_COLLECT, STATUS_BEGIN);
        // the work folder is made while the page is rendered
        BOOL made = FALSE;
        CBackgroundJob making;
        making.Start([this, &work, &made]() {
            JobStarting(STEP_WORKFOLDER);
            made = work.Make("Kelboot");
        });
        SetStatus(IDS_GM_WALLPAPER, STATUS_TEXT);
        const BOOL rendered = m_pCanvas->RenderPagePicture(pagePicture) && page.Open(pagePicture);
        making.Wait();
        if (!making.Fault().empty()) made = FALSE;
        if (!StepDone(STEP_WORKFOLDER, made)) {
            FailJob(IDS_GM_ERR_WORKFOLDER, making.Fault());
        } else {
            m_strWorkFolder = work.Path();
            // the JPEG is encoded as soon as the wallpaper is final
            jpeg.quality = m_nQuality;
            auto encode = [this, &jpeg, &page, &encoding]() {
                jpeg.size = page.GetSize();
                encoding.Start([this, &jpeg]() {
                    JobStarting(STEP_JPEG);
                    jpeg.Run();
                });
            };
            ok = WriteMenuPackage(rendered, pagePicture, page, files, jpeg.wallpaper, jpeg.rows, encode);
            encoding.Wait();
            if (!encoding.Fault().empty()) jpeg.encoded = FALSE;
            if (ok) {
                SetStatus(IDS_GM_JPEG, STATUS_TEXT);
                if (!jpeg.encoded) FailJob(IDS_GM_ERR_WALLJPEG, encoding.Fault());
                ok = StepDone(STEP_JPEG, jpeg.encoded) || Fail(IDS_GM_ERR_WALLCONVERT);
            }
            if (ok) {
                files.Put("wallpaper.jpg", std::move(jpeg.bytes));
                SetStatus(IDS_GM_ROMFS, STATUS_TEXT);
                job.files = &files;
                job.kelboot = (LPCTSTR)(m_strWorkFolder + "\\Kelboot");
                if (m_nKeepFiles) job.keepFolder = (LPCTSTR)m_strBasePath;
                job.packedPath = (LPCTSTR)LoosePath(".smf.gz");
                packing.Start([this, &job]() {
                    JobStarting(STEP_ROMFS);
                    job.Run();
                });
            }
            ok = ok && WritePreview(LoosePath(".png"), pagePicture) && WriteDescription(LoosePath(".txt"));
            packing.Wait();
            if (!packing.Fault().empty()) job.Faulted(packing.Fault());
            // the image holds the Kelboot folder's files now
            const std::string kelboot = job.kelboot;
            if (!kelboot.empty()) cleanup.Start([kelboot]() { CDiskObject().RemoveFolderTree(kelboot.c_str()); });
            ok = ok && FinishPackage(job.copied, job.romfs, job.packed, job.copyError.c_str(), job.romfsError.c_str(),
                                     job.gzipError.c_str());
            ok = ok && ZipPackage();
        }
        if (ok) SetStatus(IDS_GM_DONE, STATUS_TEXT);
        PlayResultSound(ok);
        SetStatus(0, STATUS_END);
    }
    if (!ok) {
        CString text = LoadText(IDS_GM_FAILED);
        if (!m_strError.IsEmpty()) text += "\n\n" + m_strError;
        AfxShowMessageBox(m_hWnd, text, NULL, MB_OK | MB_ICONSTOP);
    }
    return ok;
}

MenuProgressRecord CGenMenuDlg::NewRecord(CWallpaperCanvas& page, CPackageFiles& files)
{
    MenuProgressRecord record;
    memset(&record, 0, sizeof(record));
    record.timeout = m_pCanvas->GetTimeout();
    record.pagewidth = PageSize().cx;
    record.pageheight = PageSize().cy;
    record.canvas = &page;
    record.files = &files;
    return record;
}

BOOL CGenMenuDlg::WriteElementBlocks(const CString& folder, CStringArray& blocks, MenuProgressRecord& record)
{
    if (m_pControlList && !m_pControlList->WriteMenuItems(blocks, folder, record))
        return Fail(IDS_GM_ERR_ELEMENTPICS);
    return TRUE;
}

BOOL CGenMenuDlg::FinishPackage(BOOL bCopied, BOOL bRomfs, BOOL bPacked, LPCTSTR lpszCopyError,
                                LPCTSTR lpszRomfsError, LPCTSTR lpszGzipError)
{
    if (m_nKeepFiles && !StepDone(STEP_COPY, bCopied)) return Fail(IDS_GM_ERR_KEEPFILES, lpszCopyError);
    if (!StepDone(STEP_ROMFS, bRomfs)) return Fail(IDS_GM_ERR_ROMFS, lpszRomfsError);
    if (!StepDone(STEP_GZIP, bPacked)) return Fail(IDS_GM_ERR_GZIP, lpszGzipError);
    return TRUE;
}

BOOL CGenMenuDlg::PackPointers(const CString& folder)
{
    CThemePointerPacker packer;
    packer.SetArchivePath(m_strCursorThemePath);
    if (!packer.Run(folder)) return Fail(IDS_GM_ERR_POINTERTHEME);
    // the packer does not say when the built-in pointers could not be written
    for (LPCTSTR name : {"cursor", "hand"}) {
        if (!FileHasData(folder + "\\" + name + ".bmp") && !FileHasData(folder + "\\" + name + ".gz"))
            return Fail(IDS_GM_ERR_POINTERS);
    }
    return TRUE;
}

BOOL CGenMenuDlg::MergeWallpaper(const CString& folder, CWallpaperCanvas& page)
{
    BOOL merges = FALSE;
    for (int i = 0; m_pControlList && i < m_pControlList->GetCount(); ++i)
        if (m_pControlList->GetAt(i)->MergesIntoWallpaper()) merges = TRUE;
    if (!merges) return TRUE;
    // the merges see only the merges before them: alone they give the
    // wallpaper the whole walk ends with
    CPackageFiles none;
    MenuProgressRecord record = NewRecord(page, none);
    CStringArray lines;
    int item = 1;
    for (int i = 0; i < m_pControlList->GetCount(); ++i) {
        CUIControl* pControl = m_pControlList->GetAt(i);
        if (pControl->MergesIntoWallpaper() && !pControl->WriteMenuItem(lines, folder, record, item)) return FALSE;
    }
    return TRUE;
}

BOOL CGenMenuDlg::WriteMenuPackage(BOOL bRendered, const CxImage& pagePicture, CWallpaperCanvas& page,
                                   CPackageFiles& files,
                                   CxImage& wallpaper, std::vector<DWORD>& wallpaperRows,
                                   const std::function<void()>& wallpaperFinal)
{
    const CString kelboot = m_strWorkFolder + "\\Kelboot";
    CTextFileWriter writer("ini", "\r\n");

    if (!StepDone(STEP_WALLPAPER, bRendered))
        return Fail(IDS_GM_ERR_WALLWRITE);

    SetStatus(IDS_GM_ELEMENTS, STATUS_TEXT);
    page.SetSaveDeferred(TRUE);
    page.Mark();
    const BOOL early = MergeWallpaper(kelboot, page);
    page.Revert(wallpaperRows);
    if (early && wallpaperRows.empty()) wallpaper = pagePicture;
    if (early) wallpaperFinal();
    MenuProgressRecord record = NewRecord(page, files);
    CStringArray blocks;
    if (!StepDone(STEP_ELEMENTS, WriteElementBlocks(kelboot, blocks, record)))
        return Fail(IDS_GM_ERR_ELEMENTS);
    if (!early) {
        wallpaper = page.GetWallpaper();
        wallpaperFinal();
    }

    SetStatus(IDS_GM_POINTERS, STATUS_TEXT);
    if (!StepDone(STEP_POINTERS, PackPointers(kelboot))) return Fail(IDS_GM_ERR_POINTERS);

    CStringArray lines;
    lines.Add(MakeIniHeader());
    SetStatus(IDS_GM_INIFILE, STATUS_TEXT);
    lines.Add(MakeIniSections(*m_pCanvas, VesaModeOf(PageSize().cx), record));
    for (int i = 0; i < blocks.GetSize(); ++i) lines.Add(blocks[i]);
    lines.Add("; end of file.");
    if (!StepDone(STEP_INI, writer.Save(kelboot + "\\kelmenu.ini", lines)))
        return Fail(IDS_GM_ERR_INIFILE, writer.GetErrorText());
    return TRUE;
}

BOOL CGenMenuDlg::WritePreview(LPCTSTR lpszPreviewPath, CxImage& pagePicture)
{
    SetStatus(IDS_GM_PREVIEW, STATUS_TEXT);
    CxImage preview;
    BOOL drawn = m_pCanvas->MakePreviewPicture(pagePicture, preview) && preview.GetWidth() == 240 &&
                 preview.GetHeight() == 180 && preview.Save(lpszPreviewPath, CXIMAGE_FORMAT_PNG);
    if (!StepDone(STEP_PREVIEW, drawn)) return Fail(IDS_GM_ERR_PREVIEW);
    return TRUE;
}

BOOL CGenMenuDlg::WriteDescription(LPCTSTR lpszTextPath)
{
    CTextFileWriter writer("txt", "\r\n");
    SetStatus(IDS_GM_DESCRIPTION, STATUS_TEXT);
    CStringArray lines;
    lines.Add(m_strDescription);
    CString line;
    line.Format(LoadText(IDS_GM_RESOLUTION), (LPCTSTR)ResolutionText(VesaModeOf(PageSize().cx)));
    lines.Add("\r\n; " + line);
    if (!m_strProjectPath.IsEmpty()) {
        line.Format(LoadText(IDS_GM_PROJECT), (LPCTSTR)m_strProjectPath);
        lines.Add(line);
    }
    if (!StepDone(STEP_DESCRIPTION, writer.Save(lpszTextPath, lines)))
        return Fail(IDS_GM_ERR_DESCRIPTION, writer.GetErrorText());
    return TRUE;
}

BOOL CGenMenuDlg::AddZipMember(void* zip, LPCTSTR lpszFile, LPCTSTR lpszMember)
{
    CScopedFile in(fopen(FwNativePath(lpszFile), "rb"));
    if (!in.IsValid()) return FALSE;
    zip_fileinfo info = ZipEntryInfoNow();
    BOOL ok = zipOpenNewFileInZip((zipFile)zip, lpszMember, &info, NULL, 0, NULL, 0, NULL, Z_DEFLATED,
                                  Z_DEFAULT_COMPRESSION) == ZIP_OK;
    std::vector<char> chunk(65536);
    while (ok) {
        size_t n = fread(&chunk[0], 1, chunk.size(), in);
        if (n == 0) {
            ok = !ferror(in);
            break;
        }
        ok = zipWriteInFileInZip((zipFile)zip, &chunk[0], (unsigned)n) == ZIP_OK;
    }
    if (zipCloseFileInZip((zipFile)zip) != ZIP_OK) ok = FALSE;
    return ok;
}

BOOL CGenMenuDlg::ZipPackage()
{
    CDiskObject disk;
    if (!disk.CreateFolderPath(m_strMenusFolder))
        return Fail(IDS_GM_ERR_MENUSFOLDER, disk.GetErrorText());
    m_strBasePath.Format("%s\\%s", (LPCTSTR)m_strMenusFolder, (LPCTSTR)m_strName);
    const CString zipPath = m_strBasePath + ".zip";
    // the new zip is written beside the old one and replaces it only when complete
    char partial[MAX_PATH] = "";
    if (!::GetTempFileNameA(m_strMenusFolder, "KEL", 0, partial)) {
        SetStatus(IDS_GM_ZIPFAILED, STATUS_TEXT);
        return Fail(IDS_GM_ERR_NOFILE);
    }
    zipFile zip = (zipFile)CArchiveFile::CreateZip(partial);
    BOOL ok = zip != NULL;
    CString members[3][2] = {{LoosePath(".smf.gz"), m_strName + ".gz"},
                             {LoosePath(".png"), m_strName + ".png"},
                             {LoosePath(".txt"), m_strName + ".txt"}};
    for (int i = 0; ok && i < 3; ++i) ok = AddZipMember(zip, members[i][0], members[i][1]);
    if (zip) {
        CString comment = MakeZipComment(m_strDescription, VesaModeOf(PageSize().cx), m_strProjectPath);
        if (zipClose(zip, comment) != ZIP_OK) ok = FALSE;
    }
    if (!StepDone(STEP_ZIP, ok)) {
        ::DeleteFileA(partial);
        SetStatus(IDS_GM_ZIPFAILED, STATUS_TEXT);
        return Fail(IDS_GM_ERR_ZIP);
    }
    // a read-only package stays, as the system's own replace would leave it
    DWORD attributes = ::GetFileAttributesA(zipPath);
    BOOL locked = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (!StepDone(STEP_REPLACE, !locked) || !::MoveFileExA(partial, zipPath, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileA(partial);
        SetStatus(IDS_GM_ZIPFAILED, STATUS_TEXT);
        return Fail(IDS_GM_ERR_REPLACEZIP, zipPath);
    }
    SetStatus(IDS_GM_ZIPPED, STATUS_TEXT);
    for (int i = 0; i < 3; ++i) ::DeleteFileA(members[i][0]);
    return TRUE;
}
