// The first wizard page's list of menu packages: 64 x 64 thumbnails with
// check boxes, filled by a worker thread so that the page stays usable.
#pragma once

#include "framework/Framework.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/ScopedHandle.h"

class CxImage;

class CThemePackList : public CListCtrl {
public:
    CThemePackList();
    virtual ~CThemePackList();

    // Stops a running worker (FALSE when that is refused, see StopWorker), lists the folder's valid packages (lower-case
    // full paths, in the order the search gives them) and starts the worker
    // that fills the items and their thumbnails.
    BOOL ScanFolder(LPCTSTR folder);
    // Scans the stored folder again.
    BOOL Rescan();
    // Ends a running worker, handling this thread's messages meanwhile (a
    // WM_QUIT met on the way is posted again); returns 1, or 0 when called
    // from a message handled inside another wait (the worker still runs).
    int StopWorker();
    // The same wait, letting the worker finish the list; 1, or 0 as above.
    int WaitWorker();
    BOOL IsLoading() const { return m_bRunning != 0; }

    // 0 while loading, and without `force` when `index` was chosen last.
    // Otherwise stores the index; when it names a package, gives its path
    // and image type. Returns 1.
    int SelectPackage(int index, CString& path, int& imageType, BOOL force);
    // The package's picture and its zip comment; 0 while loading or when
    // the index names no package or the picture does not decode.
    int LoadPreview(int index, CxImage& image, CString& comment);
    // Decodes the package's <title>.png; 1 on success.
    static int LoadThumbnailImage(CxImage& image, LPCTSTR path);

    int GetPackageCount() const { return (int)m_packages.GetSize(); }

protected:
    afx_msg void OnDestroy();
    afx_msg LRESULT OnBeginLoad(WPARAM count, LPARAM);
    afx_msg LRESULT OnSetThumbnail(WPARAM index, LPARAM bitmap);
    DECLARE_MESSAGE_MAP()

private:
    static unsigned __stdcall LoadThumbnailsThread(void* param);
    void LoadThumbnails();
    HBITMAP MakeThumbnail(const CxImage& picture, HDC screen, HBRUSH white, HBRUSH grey) const;

    CImageList m_largeImages;
    CImageList m_smallImages;
    CString m_strFolder;
    CStringArray m_packages;
    volatile BYTE m_bRunning;
    volatile BYTE m_bStop;
    bool m_bWaiting;
    unsigned m_nThreadId;
    HANDLE m_hThread;
    int m_nLastIndex;
    CScopedBitmap m_hPlaceholder;
};
