#include "designer/app/ZavomgrDoc.h"

#include "controls/WaitDialog.h"
#include "deploy/DepWizard.h"
#include "designer/core/DiskObject.h"
#include "designer/genmenu/GenMenuDlg.h"
#include "designer/core/ProjectPaths.h"
#include "designer/canvas/ViewCanvas.h"
#include "designer/core/TextFileWriter.h"
#include "designer/app/WebPreview.h"
#include "designer/app/ZavomgrApp.h"
#include "framework/Sys.h"
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/FwRes.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "resources/zavomgr/resource.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>

IMPLEMENT_DYNCREATE(CZavomgrDoc, CDocument)

BEGIN_MESSAGE_MAP(CZavomgrDoc, CDocument)
    ON_COMMAND(ID_CREATE_MENU, &CZavomgrDoc::OnCreateMenu)
    ON_COMMAND(ID_WEB_PREVIEW, &CZavomgrDoc::OnWebPreview)
    ON_COMMAND(ID_MULTI_BOOT, &CZavomgrDoc::OnMultiBoot)
END_MESSAGE_MAP()

namespace {

// "测试版本工程文件。请根据 ReadME.txt 中的     \n\n“三、Beta 工程文件说明”转换此工程文件后，再试！     "
const char kMsgBeta[] =
    "\xb2\xe2\xca\xd4\xb0\xe6\xb1\xbe\xb9\xa4\xb3\xcc\xce\xc4\xbc\xfe\xa1\xa3\xc7\xeb\xb8\xf9\xbe\xdd"
    " ReadME.txt \xd6\xd0\xb5\xc4     \n\n\xa1\xb0\xc8\xfd\xa1\xa2"
    "Beta \xb9\xa4\xb3\xcc\xce\xc4"
    "\xbc\xfe\xcb\xb5\xc3\xf7\xa1\xb1\xd7\xaa\xbb\xbb\xb4\xcb\xb9\xa4\xb3\xcc\xce\xc4\xbc\xfe\xba"
    "\xf3\xa3\xac\xd4\xd9\xca\xd4\xa3\xa1     ";
// "测试版本工程文件。保存时候，将自动转换成新的配置文件格式。     "
const char kMsgConverted[] =
    "\xb2\xe2\xca\xd4\xb0\xe6\xb1\xbe\xb9\xa4\xb3\xcc\xce\xc4\xbc\xfe\xa1\xa3\xb1\xa3\xb4\xe6\xca"
    "\xb1\xba\xf2\xa3\xac\xbd\xab\xd7\xd4\xb6\xaf\xd7\xaa\xbb\xbb\xb3\xc9\xd0\xc2\xb5\xc4\xc5\xe4"
    "\xd6\xc3\xce\xc4\xbc\xfe\xb8\xf1\xca\xbd\xa1\xa3     ";
// "读取配置文件时发生内部错误！(0x%08X)     "
const char kMsgInternal[] =
    "\xb6\xc1\xc8\xa1\xc5\xe4\xd6\xc3\xce\xc4\xbc\xfe\xca\xb1\xb7\xa2\xc9\xfa\xc4\xda\xb2\xbf\xb4"
    "\xed\xce\xf3\xa3\xa1(0x%08X)     ";
// "未知版本工程文件。     "
const char kMsgUnknown[] = "\xce\xb4\xd6\xaa\xb0\xe6\xb1\xbe\xb9\xa4\xb3\xcc\xce\xc4\xbc\xfe\xa1\xa3     ";

const int kMaxPaper = 8192;

BOOL ReadWholeFile(LPCTSTR path, std::string& bytes)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return FALSE;
    ULONGLONG size = file.GetLength();
    if (size > 0x7FFFFFFF) return FALSE;
    bytes.resize((size_t)size);
    UINT done = size ? file.Read(&bytes[0], (UINT)size) : 0;
    return done == size;
}

std::string ReadWholeArchive(CArchive& ar)
{
    std::string bytes;
    char buf[4096];
    while (UINT n = ar.Read(buf, sizeof(buf))) bytes.append(buf, n);
    return bytes;
}

}  // namespace

CZavomgrDoc::CZavomgrDoc() : m_controlList(NULL) {}

CZavomgrDoc::~CZavomgrDoc() {}

CSize CZavomgrDoc::SanePaperSize(CSize size)
{
    if (size.cx <= 0 || size.cy <= 0 || size.cx > kMaxPaper || size.cy > kMaxPaper)
        return CSize(640, 480);
    return size;
}

BOOL CZavomgrDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument()) return FALSE;
    m_controlList.Clear();
    m_controlList.SetPaperSize(640, 480);
    m_settings.wallpaper.Empty();
    CProjectPaths::SetProjectFolder("");
    return TRUE;
}

void CZavomgrDoc::DeleteContents() { m_controlList.Clear(); }

BOOL CZavomgrDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    std::string bytes;
    if (!ReadWholeFile(lpszPathName, bytes)) {
        ReportSaveLoadException(lpszPathName, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    // the project's relative paths name files beside it, read as it draws; the
    // folder is kept whole, as the current folder may move
    CString folder = CProjectPaths::GetProjectFolder();
    CProjectPaths::SetProjectFolder(CProjectPaths::FolderOf(FwGetFullPathName(lpszPathName)));
    if (!LoadProject(bytes)) {
        CProjectPaths::SetProjectFolder(folder);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CZavomgrDoc::LoadProject(const std::string& bytes)
{
    CUIControlList list(NULL);
    CProjectSettings settings;
    int code = 0;
    CString error, text;
    switch (CProjectFile::Read(bytes, list, settings, code, error)) {
    case CProjectFile::ReadBetaRefused:
        AfxMessageBox(kMsgBeta, MB_ICONEXCLAMATION);
        return FALSE;
    case CProjectFile::ReadUnknownVersion:
        AfxMessageBox(kMsgUnknown, MB_ICONINFORMATION);
        return FALSE;
    case CProjectFile::ReadNotText:
        if (bytes.empty()) OutputDebugStringA("\nFile size is 0.");
        code = 0;
        // fall through
    case CProjectFile::ReadBadStructure:
        text.Format(kMsgInternal, code);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        OutputDebugStringA("\nZavomgr: " + error + "\n");
        return FALSE;
    case CProjectFile::ReadConverted:
        AfxMessageBox(kMsgConverted, MB_ICONINFORMATION);
        break;
    case CProjectFile::ReadOk:
        break;
    }
    DeleteContents();
    m_settings = settings;
    CSize paper = SanePaperSize(list.GetPaperSize());
    CProjectFile::MoveElements(list, m_controlList);
    m_controlList.SetPaperSize(paper.cx, paper.cy);
    m_controlList.SetModified(FALSE);
    return TRUE;
}

BOOL CZavomgrDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    BOOL listModified = m_controlList.IsModified();
    CString oldFolder = CProjectPaths::GetProjectFolder();
    CString newFolder = CProjectPaths::FolderOf(FwGetFullPathName(lpszPathName));
    RebasePaths(oldFolder, newFolder);
    if (CDocument::OnSaveDocument(lpszPathName)) {
        CProjectPaths::SetProjectFolder(newFolder);
        return TRUE;
    }
    RebasePaths(newFolder, oldFolder);
    m_controlList.SetModified(listModified);
    return FALSE;
}

// Relative paths are rewritten so that they still name the same files from
// the folder the project is saved into.
void CZavomgrDoc::RebasePaths(const CString& oldFolder, const CString& newFolder)
{
    if (CProjectPaths::SameFolder(oldFolder, newFolder)) return;
    m_settings.wallpaper = CProjectPaths::Rebase(m_settings.wallpaper, oldFolder, newFolder);
    for (int i = 0; i < m_controlList.GetCount(); ++i) {
        CUIControl* control = m_controlList.GetAt(i);
        if (!control) continue;
        control->SetThemeFile(CProjectPaths::Rebase(control->GetThemeFile(), oldFolder, newFolder));
        control->SetAddPath(CProjectPaths::Rebase(control->GetAddPath(), oldFolder, newFolder));
    }
}

void CZavomgrDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CString text = CProjectFile::Write(m_controlList, m_settings);
        ar.Write((LPCTSTR)text, text.GetLength());
    } else {
        LoadProject(ReadWholeArchive(ar));
    }
}

BOOL CZavomgrDoc::SaveModified()
{
    // settings edits mark the document, element edits the list
    SetModifiedFlag(IsModified() || m_controlList.IsModified());
    return CDocument::SaveModified();
}

CView* CZavomgrDoc::FindView(CRuntimeClass* pClass)
{
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* view = GetNextView(pos);
        if (view && view->IsKindOf(pClass)) return view;
        OutputDebugStringA("Connt Locate the View.");
    }
    return NULL;
}

namespace {

// The page's file through the save dialog, in the folder given.
class CWebPageWriter : public CTextFileWriter {
public:
    CWebPageWriter() : CTextFileWriter("html", "\n") {}
    void SetFolder(const CString& folder)
    {
        m_strFolder = folder;
        SetInitialFolder(folder);
    }
    BOOL BrowseForFile(BOOL forSave, CString& path) override
    {
        CFileDialog dlg(!forSave, "html", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                        "html (*.html)|*.html;*.htm|All Files (*.*)|*.*||", AfxGetMainWnd());
        if (!m_strFolder.IsEmpty()) dlg.m_ofn.lpstrInitialDir = m_strFolder;
        if (dlg.DoModal() != IDOK) return FALSE;
        path = dlg.GetPathName();
        return !path.IsEmpty();
    }

private:
    CString m_strFolder;
};

struct WebSteps {
    CLangManager* lang;
    CWaitDialog* wait;
    BOOL* goOn;
    DWORD lastPump;
};

// Each of the five steps of the web page shows its text and position; between
// the elements' pictures the window is kept alive some 20 times a second.
// FALSE once the user stopped the export.
BOOL ShowWebStep(int nStep, void* pContext)
{
    WebSteps* steps = static_cast<WebSteps*>(pContext);
    if (nStep == 0 && ::GetTickCount() - steps->lastPump < 50) return *steps->goOn;
    if (nStep > 0) {
        CString text;
        steps->lang->LoadString(text, IDS_WEB_STEP_FOLDER + nStep - 1, FALSE);
        steps->wait->SetText(text);
        steps->wait->SetProgress(nStep * 100 / 5);
    }
    if (!CWaitDialog::PumpMessages()) *steps->goOn = FALSE;
    steps->lastPump = ::GetTickCount();
    return *steps->goOn;
}

// A failed export is told in the caption of the studio's other boxes.
void TellWebFailure(CLangManager& lang, const CString& text)
{
    lang.ShowText(AfxGetMainWnd(), text, MB_ICONEXCLAMATION);
}

}  // namespace

CZavomgrDoc::ShellOpenProc CZavomgrDoc::s_pfnShellOpen = ::ShellExecuteA;

void CZavomgrDoc::OnWebPreview()
{
    CZavomgrApp* app = static_cast<CZavomgrApp*>(AfxGetApp());
    CWebPageWriter writer;
    // the folder may be missing: the dialog then starts where it last was
    if (CDiskObject().CreateFolderPath(app->m_strWebPagesPath)) writer.SetFolder(app->m_strWebPagesPath);
    CString path;
    if (!writer.BrowseForFile(TRUE, path) || path.IsEmpty()) return;
    CString script;
    app->m_langManager.LoadString(script, IDS_WEB_PROGRESS_SCRIPT, FALSE);
    CString caption, line;
    app->m_langManager.LoadString(caption, CWaitDialog::IDS_CAPTION, FALSE);
    app->m_langManager.LoadString(line, CWaitDialog::IDS_TEXT, FALSE);
    BOOL goOn = TRUE;
    CWaitDialog wait(&goOn, caption, line);
    WebSteps steps = {&app->m_langManager, &wait, &goOn, ::GetTickCount()};
    const CString images = CWebPreview::ImagesFolderOf(path);
    const BOOL imagesWereThere = FwDirectoryExists(images);
    CStringArray lines;
    CString error;
    const BOOL built = CWebPreview::Build(path, m_settings, m_controlList, script, lines, ShowWebStep, &steps, &error);
    if (!goOn) {
        // stopped: no page is written, and pictures of this export alone go
        wait.Close();
        if (!imagesWereThere) CDiskObject().RemoveFolderTree(images);
        return;
    }
    if (!built) {
        wait.Close();
        TellWebFailure(app->m_langManager, error);
        return;
    }
    if (!writer.Save(path, lines)) {
        wait.Close();
        // a page cut short is no page
        ::DeleteFileA(path);
        CString format, text;
        app->m_langManager.LoadString(format, IDS_WEB_CANNOT_WRITE, FALSE);
        text.Format(format, (LPCTSTR)path, (LPCTSTR)writer.GetErrorText());
        TellWebFailure(app->m_langManager, text);
        return;
    }
    ShowWebStep(5, &steps);
    wait.Close();
    if (!goOn) return;  // the page is whole, but the user asked for nothing more
    if ((INT_PTR)s_pfnShellOpen(NULL, "open", path, NULL, NULL, SW_SHOWNORMAL) <= 32) {
        CString format, text;
        app->m_langManager.LoadString(format, IDS_WEB_CANNOT_OPEN, FALSE);
        text.Format(format, (LPCTSTR)path);
        TellWebFailure(app->m_langManager, text);
    }
    ::PlaySoundA("SystemExclamation", NULL, SND_ALIAS | SND_ASYNC | SND_NODEFAULT);
}

void CZavomgrDoc::OnCreateMenu()
{
    // the view shows the page without a canvas of its own: one is made for the
    // renders from the project's list and settings
    CViewCanvas canvas;
    canvas.SetList(&m_controlList);
    canvas.SetWallpaper(CProjectPaths::Resolve(m_settings.wallpaper), TRUE);
    canvas.SetDefaultEntry(m_settings.defaultEntry);
    canvas.SetTimeout(m_settings.timeout);
    canvas.SetSingleGo(m_settings.singleGo);
    canvas.SetCenterCursor(m_settings.centerCursor);
    CGenMenuDlg dlg(AfxGetMainWnd());
    dlg.m_pControlList = &m_controlList;
    dlg.m_pCanvas = &canvas;
    dlg.m_strProjectPath = GetPathName();
    dlg.DoModal();
}

void CZavomgrDoc::OnMultiBoot()
{
    CDepWizStep1 step1;
    CDepWizStep2 step2;
    CDepWizStep3 step3;
    CDepWizard wizard(IDS_DEPWIZ_CAPTION, AfxGetMainWnd(), 1);
    wizard.AddPage(&step1);
    wizard.AddPage(&step2);
    wizard.m_psh.dwFlags |= PSH_WIZARD;
    wizard.m_psh.dwFlags &= ~PSH_HASHELP;
    step1.m_psp.dwFlags &= ~PSP_HASHELP;
    step2.m_psp.dwFlags &= ~PSP_HASHELP;
    step3.m_psp.dwFlags &= ~PSP_HASHELP;
    wizard.SetActivePage(&step1);
    wizard.DoModal();
}
