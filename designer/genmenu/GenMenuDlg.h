// CGenMenuDlg: turns the project into a menu package in the menus folder:
// <name>.zip holding <name>.gz (gzip of a romfs image with kelmenu.ini and
// the boot-time pictures), <name>.png (preview) and <name>.txt (description).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/CursorPreview.h"
#include "controls/DialogHeader.h"
#include "designer/model/UIControl.h"
#include "framework/AnimateCtrl.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/SliderCtrl.h"
#include "framework/Static.h"
#include "framework/StringArray.h"

class CUIControlList;
class CViewCanvas;
class CWallpaperCanvas;
class CPackageFiles;
class CxImage;

class CGenMenuDlg : public CDialog, public ICursorPreviewSink {
public:
    enum { IDD = 184 };
    enum StatusMode { STATUS_BEGIN = 0,
                      STATUS_TEXT = 1,
                      STATUS_END = 3 };
    // The steps whose result decides the package; StepDone sees each of them.
    enum Step {
        STEP_WORKFOLDER,
        STEP_WALLPAPER,
        STEP_ELEMENTS,
        STEP_JPEG,
        STEP_POINTERS,
        STEP_INI,
        STEP_COPY,
        STEP_ROMFS,
        STEP_GZIP,
        STEP_PREVIEW,
        STEP_DESCRIPTION,
        STEP_ZIP,
        STEP_REPLACE
    };

    explicit CGenMenuDlg(CWnd* pParent = NULL);
    virtual ~CGenMenuDlg();

    // Set by the caller before DoModal.
    CString m_strProjectPath;
    CUIControlList* m_pControlList;
    // The page size, the wallpaper and the boot settings come from the canvas.
    CViewCanvas* m_pCanvas;
    // The menus folder; the application's "\Kel Menus" unless the caller sets another.
    CString m_strMenusFolder;

    CString m_strCursorThemePath;
    CString m_strName;
    CString m_strDescription;
    int m_nQuality;
    int m_nKeepFiles;

    // The whole job on the current name and description: TRUE when the zip was
    // written. A failure leaves a zip of the same name as it was.
    BOOL Generate();
    BOOL IsGenerating() const { return m_bBusy; }
    const CString& GetErrorText() const { return m_strError; }

    // Enter in the quality field takes its number over to the trackbar.
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual void SetCursorPreview(HCURSOR hCursor) override;
    BOOL BrowseCursorTheme(UINT nTitleId);

    // A name that can stand as one file name in the menus folder.
    static BOOL IsValidMenuName(LPCTSTR lpszName);
    // A text as one value line of kelmenu.ini: control characters become blanks.
    static CString IniValue(LPCTSTR lpszText);
    static int VesaModeOf(int nPageWidth);
    // "640 x 480", "800 x 600", "1024 x 768" or "N/A".
    static CString ResolutionText(int nVesaMode);
    static CString MakeIniHeader();
    // The [common] and [progress] sections; nVesaMode 0 (a page width without a
    // mode of its own) writes the project's VESA mode.
    static CString MakeIniSections(const CViewCanvas& canvas, int nVesaMode, const MenuProgressRecord& record);
    // At most 65535 bytes: a longer description is cut.
    static CString MakeZipComment(LPCTSTR lpszDescription, int nVesaMode, LPCTSTR lpszProjectPath);

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    virtual void OnCancel() override;

    afx_msg void OnGenerate();
    afx_msg void OnBrowseCursorTheme();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    // The steps up to kelmenu.ini after the page picture was rendered and
    // page opened on it: the elements' blocks drawn on page with their
    // pictures into files, the pointers and kelmenu.ini in the work folder.
    // wallpaperFinal is called as soon as no element changes the wallpaper:
    // it is then in wallpaper, or in wallpaperRows as the page's rows.
    BOOL WriteMenuPackage(BOOL bRendered, const CxImage& pagePicture, CWallpaperCanvas& page, CPackageFiles& files,
                          CxImage& wallpaper, std::vector<DWORD>& wallpaperRows,
                          const std::function<void()>& wallpaperFinal);
    // Merges the elements that merge into the wallpaper, and only those, into
    // page: the wallpaper the element walk ends with.
    BOOL MergeWallpaper(const CString& folder, CWallpaperCanvas& page);
    BOOL WritePreview(LPCTSTR lpszPreviewPath, CxImage& pagePicture);
    // Tells the steps that ran on the packing thread, in their order.
    BOOL FinishPackage(BOOL bCopied, BOOL bRomfs, BOOL bPacked, LPCTSTR lpszCopyError, LPCTSTR lpszRomfsError,
                       LPCTSTR lpszGzipError);
    BOOL WriteDescription(LPCTSTR lpszTextPath);
    BOOL ZipPackage();
    void SetStatus(UINT nStringId, int nMode);
    void EnableInputs(BOOL bEnable);
    void SyncQuality(BOOL bFromTrackbar);

    // Every step's result passes here; a FALSE ends the job as a failure.
    virtual BOOL StepDone(int nStep, BOOL bOk)
    {
        (void)nStep;
        return bOk;
    }
    virtual void PlayResultSound(BOOL bSuccess);
    // Runs first in each job that a kept thread does for nStep (STEP_WORKFOLDER,
    // STEP_JPEG, STEP_ROMFS), on that thread.
    virtual void JobStarting(int nStep) { (void)nStep; }

    BOOL Fail(LPCTSTR lpszDetail);
    // The string-table text nTextId, with lpszDetail for its %s.
    BOOL Fail(UINT nTextId, LPCTSTR lpszDetail = NULL);
    // The step's text and, when its job threw, what was thrown.
    BOOL FailJob(UINT nTextId, const std::string& fault);
    // A record of the walk over the elements, drawing on the page, pictures into files.
    MenuProgressRecord NewRecord(CWallpaperCanvas& page, CPackageFiles& files);
    BOOL WriteElementBlocks(const CString& folder, CStringArray& blocks, MenuProgressRecord& record);
    BOOL PackPointers(const CString& folder);
    BOOL AddZipMember(void* zip, LPCTSTR lpszFile, LPCTSTR lpszMember);
    CString LoadText(UINT nId);
    CSize PageSize() const;
    CString LoosePath(LPCTSTR lpszExtension) const;

    CDialogHeader m_banner;
    CCursorPreview m_cursorPreview;
    CSliderCtrl m_qualityBar;
    CEdit m_qualityEdit;
    CStatic m_status;
    CAnimateCtrl m_animation;
    HCURSOR m_hCursor;
    CString m_strBasePath;
    CString m_strWorkFolder;
    CString m_strError;
    BOOL m_bBusy;

    DECLARE_MESSAGE_MAP()
};
