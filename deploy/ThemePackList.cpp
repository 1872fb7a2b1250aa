#include "deploy/ThemePackList.h"

#include "deploy/MenuPackage.h"
#include "designer/core/ArchiveFile.h"
#include "framework/ScopedHandle.h"
#include "imaging/xImage.h"
#include "resources/bootfiles/bootfiles.h"

#include <process.h>

namespace {
const int kThumbSize = 64;
const int kSmallSize = 16;
// Sent by the worker; handled on the user-interface thread, the only one
// that changes the image list.
const UINT kMsgBeginLoad = WM_APP + 0x215;
const UINT kMsgSetThumbnail = WM_APP + 0x216;

class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
    ~ScopedSelect() { ::SelectObject(m_dc, m_old); }

private:
    ScopedSelect(const ScopedSelect&);
    ScopedSelect& operator=(const ScopedSelect&);
    HDC m_dc;
    HGDIOBJ m_old;
};

class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND wnd) : m_wnd(wnd), m_h(::GetDC(wnd)) {}
    ~ScopedWindowDC()
    {
        if (m_h)
            ::ReleaseDC(m_wnd, m_h);
    }
    HDC Get() const { return m_h; }

private:
    ScopedWindowDC(const ScopedWindowDC&);
    ScopedWindowDC& operator=(const ScopedWindowDC&);
    HWND m_wnd;
    HDC m_h;
};

class ScopedFind {
public:
    ScopedFind(LPCTSTR mask, WIN32_FIND_DATA& found) : m_h(::FindFirstFile(mask, &found)) {}
    ~ScopedFind()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            ::FindClose(m_h);
    }
    bool Found() const { return m_h != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATA& found) { return ::FindNextFile(m_h, &found) != FALSE; }

private:
    ScopedFind(const ScopedFind&);
    ScopedFind& operator=(const ScopedFind&);
    HANDLE m_h;
};

// The package's <title>.png, found by name in the zip directory.
bool ReadPicture(CArchiveFile& archive, LPCTSTR path, CxImage& image)
{
    if (!archive.OpenArchive(path) || archive.GetKind() != CArchiveFile::KIND_ZIP)
        return false;
    const CString wanted = GetFileTitleNoExt(path) + ".png";
    const int count = archive.GetEntryCount();
    for (int i = 0; i < count; ++i) {
        CString name;
        BOOL isFile = FALSE;
        if (!archive.GetEntryName(i, name, isFile))
            return false;
        if (!isFile || name.CompareNoCase(wanted) != 0)
            continue;
        unsigned char* data = NULL;
        unsigned size = 0;
        return archive.GetEntry(i, data, size, isFile, name) && image.Decode(data, size, CXIMAGE_FORMAT_PNG);
    }
    return false;
}
}  // namespace

BEGIN_MESSAGE_MAP(CThemePackList, CListCtrl)
    ON_WM_DESTROY()
    ON_MESSAGE(kMsgBeginLoad, &CThemePackList::OnBeginLoad)
    ON_MESSAGE(kMsgSetThumbnail, &CThemePackList::OnSetThumbnail)
END_MESSAGE_MAP()

CThemePackList::CThemePackList()
    : m_bRunning(0), m_bStop(0), m_bWaiting(false), m_nThreadId(0), m_hThread(NULL), m_nLastIndex(-1)
{
}

CThemePackList::~CThemePackList()
{
    StopWorker();
}

void CThemePackList::OnDestroy()
{
    StopWorker();
    // the check boxes' images are made by the control, which leaves them
    // behind when its lists are shared
    CImageList checkBoxes;
    checkBoxes.Attach(ListView_SetImageList(m_hWnd, NULL, LVSIL_STATE));
    CListCtrl::OnDestroy();
}

BOOL CThemePackList::ScanFolder(LPCTSTR folder)
{
    if (!StopWorker())
        return FALSE;
    m_strFolder = folder ? folder : "";
    m_packages.RemoveAll();
    CString base = m_strFolder;
    if (!base.IsEmpty() && base[base.GetLength() - 1] != '\\')
        base += '\\';
    WIN32_FIND_DATA found;
    ScopedFind find(base + "*.zip", found);
    for (bool more = find.Found(); more; more = find.Next(found)) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CString path = base + found.cFileName;
        path.MakeLower();
        if (IsValidMenuPackage(path))
            m_packages.Add(path);
    }

    if (!m_largeImages.GetSafeHandle())
        m_largeImages.Create(kThumbSize, kThumbSize, ILC_COLOR24, 0, 1);
    if (!m_smallImages.GetSafeHandle())
        m_smallImages.Create(kSmallSize, kSmallSize, ILC_COLOR8 | ILC_MASK, 0, 1);
    // The lists belong to this object, not to the control.
    ModifyStyle(0, LVS_SHAREIMAGELISTS);
    SetImageList(&m_largeImages, LVSIL_NORMAL);
    SetImageList(&m_smallImages, LVSIL_SMALL);
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);

    m_bStop = 0;
    m_bRunning = 1;
    m_hThread = (HANDLE)_beginthreadex(NULL, 0, LoadThumbnailsThread, this, 0, &m_nThreadId);
    if (!m_hThread)
        m_bRunning = 0;
    return m_hThread != NULL;
}

BOOL CThemePackList::Rescan()
{
    if (!StopWorker())
        return FALSE;
    const CString folder = m_strFolder;
    return ScanFolder(folder);
}

int CThemePackList::StopWorker()
{
    if (m_bWaiting)
        return 0;
    if (m_hThread)
        m_bStop = 1;
    return WaitWorker();
}

int CThemePackList::WaitWorker()
{
    // A call from inside the pump below (Next pressed again, Rescan) would
    // close the handle the outer call is waiting on.
    if (m_bWaiting)
        return 0;
    if (!m_hThread)
        return 1;
    m_bWaiting = true;
    const HANDLE thread = m_hThread;
    bool quit = false;
    WPARAM quitCode = 0;
    // The worker sends its messages to this thread: handle them while waiting.
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1)
            break;
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);  // Unicode: typed characters stay whole
        }
    }
    ::CloseHandle(thread);
    m_hThread = NULL;
    m_nThreadId = 0;
    m_bRunning = 0;
    m_bStop = 0;
    m_bWaiting = false;
    if (quit)
        ::PostQuitMessage((int)quitCode);
    return 1;
}

int CThemePackList::SelectPackage(int index, CString& path, int& imageType, BOOL force)
{
    if (IsLoading() || (!force && index == m_nLastIndex))
        return 0;
    m_nLastIndex = index;
    if (index >= 0 && index < m_packages.GetSize()) {
        path = m_packages[index];
        imageType = ImageTypeFromExtension(path);
    }
    return 1;
}

int CThemePackList::LoadPreview(int index, CxImage& image, CString& comment)
{
    if (IsLoading() || index < 0 || index >= m_packages.GetSize())
        return 0;
    CArchiveFile archive;
    if (!ReadPicture(archive, m_packages[index], image))
        return 0;
    archive.GetComment(comment);
    return 1;
}

int CThemePackList::LoadThumbnailImage(CxImage& image, LPCTSTR path)
{
    CArchiveFile archive;
    return ReadPicture(archive, path, image) ? 1 : 0;
}

LRESULT CThemePackList::OnBeginLoad(WPARAM count, LPARAM)
{
    DeleteAllItems();
    m_largeImages.Remove(-1);
    m_largeImages.SetImageCount((UINT)count);
    if (!m_hPlaceholder.IsValid())
        m_hPlaceholder.Reset((HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_PACK_PLACEHOLDER),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    for (UINT i = 0; m_hPlaceholder.IsValid() && i < (UINT)count; ++i)
        ImageList_Replace(m_largeImages, (int)i, m_hPlaceholder, NULL);
    return 0;
}

LRESULT CThemePackList::OnSetThumbnail(WPARAM index, LPARAM bitmap)
{
    return ImageList_Replace(m_largeImages, (int)index, (HBITMAP)bitmap, NULL);
}

unsigned __stdcall CThemePackList::LoadThumbnailsThread(void* param)
{
    static_cast<CThemePackList*>(param)->LoadThumbnails();
    return 0;
}

HBITMAP CThemePackList::MakeThumbnail(const CxImage& picture, HDC screen, HBRUSH white, HBRUSH grey) const
{
    CScopedMemDC dc(::CreateCompatibleDC(screen));
    CScopedBitmap bitmap(::CreateCompatibleBitmap(screen, kThumbSize, kThumbSize));
    if (!dc.IsValid() || !bitmap.IsValid())
        return NULL;
    {
        ScopedSelect select(dc.Get(), bitmap.Get());
        RECT all = {0, 0, kThumbSize, kThumbSize};
        ::FillRect(dc.Get(), &all, white);
        ThumbnailRect r = FitThumbnail(picture.GetWidth(), picture.GetHeight(), kThumbSize);
        if (picture.HasAlpha())
            picture.Draw2(dc.Get(), r.x, r.y, r.width, r.height);
        else
            picture.Draw(dc.Get(), r.x, r.y, r.width, r.height, NULL, true);
        ::FrameRect(dc.Get(), &all, grey);
    }
    return bitmap.Detach();
}

void CThemePackList::LoadThumbnails()
{
    const HWND list = m_hWnd;
    const int count = (int)m_packages.GetSize();
    ::SendMessage(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessage(list, kMsgBeginLoad, (WPARAM)count, 0);
    for (int i = 0; i < count && !m_bStop; ++i) {
        CString title = GetFileTitleNoExt(m_packages[i]);
        LVITEM item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = title.GetBuffer(0);
        item.iImage = i;
        ::SendMessage(list, LVM_INSERTITEM, 0, (LPARAM)&item);
        title.ReleaseBuffer();
    }
    ::SendMessage(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, NULL, TRUE);

    {
        CScopedBrush grey(::CreateSolidBrush(RGB(192, 192, 192)));
        CScopedBrush white(::CreateSolidBrush(RGB(255, 255, 255)));
        ScopedWindowDC screen(list);
        for (int i = 0; i < count && !m_bStop && screen.Get(); ++i) {
            CxImage picture;
            if (!LoadThumbnailImage(picture, m_packages[i]) || !picture.IsValid())
                continue;
            CScopedBitmap thumbnail(MakeThumbnail(picture, screen.Get(), white, grey));
            if (thumbnail.IsValid())
                ::SendMessage(list, kMsgSetThumbnail, (WPARAM)i, (LPARAM)thumbnail.Get());
        }
    }
    ::InvalidateRect(list, NULL, TRUE);
    m_bStop = 0;
    m_bRunning = 0;
}
