// The boot media deployment wizard as the studio starts it: the options page,
// the target page with the build flow, a third page kept for later steps, and
// the sheet with its banner.
#pragma once

#include "controls/CheckableGroupBox.h"
#include "controls/DialogHeader.h"
#include "controls/FileEditCtrl.h"
#include "controls/ThumbnailStatic.h"
#include "deploy/DriveComboBox.h"
#include "deploy/DriveDeviceMap.h"
#include "deploy/ThemePackList.h"
#include "framework/AnimateCtrl.h"
#include "framework/ProgressCtrl.h"
#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"
#include "framework/SliderCtrl.h"
#include "framework/Static.h"

// Sent by the pages to their sheet.
#define WM_DEPWIZ_ENABLEBUTTONS (WM_USER + 101)  // lParam: 0 disables Cancel, Next/Finish and Back
#define WM_DEPWIZ_SETITEMTEXT (WM_USER + 102)    // wParam: control id, lParam: text

// The sheet shows a page's title each time the page comes up: a page takes
// the title its section of the language file gives (caption and page sheet
// record of the page).
void DepWizUseSectionTitle(CString& caption, PROPSHEETPAGE& psp, LPCTSTR section);

class CDepWizStep1 : public CPropertyPage {
public:
    CDepWizStep1();
    virtual ~CDepWizStep1();

    virtual BOOL OnSetActive() override;
    virtual LRESULT OnWizardNext() override;

    // Built at each Next: the zavo.ini text and the ticked packages' paths
    // (the default package always among them).
    const CString& GetConfigText() const { return m_strConfig; }
    const CStringArray& GetTickedPackages() const { return m_tickedPackages; }

    CString m_strConfig;
    CStringArray m_tickedPackages;
    int m_nDefaultIndex;
    BOOL m_bNotify;
    CSliderCtrl m_resolution;
    CThumbnailStatic m_defaultThumb;
    CThumbnailStatic m_itemThumb;
    CThemePackList m_packList;
    char m_szPassword[37];
    BOOL m_bSplash;
    CString m_strVesa;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTickAll();
    afx_msg void OnRescan();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

    void ShowResolution();
};

// The ISO step: builds into a temporary file beside the target and puts it
// in the target's place only when the image is complete.
class CIsoImageBuilder {
public:
    // The builder's result (1 image written), or 0 after a refused check or
    // a failure; GetError then says why when the user was not told yet.
    int Build(LPCTSTR workFolder, LPCTSTR sourceFolder, LPCTSTR isoPath, CWnd* pOwner, CWnd* pProgress);
    const CString& GetError() const { return m_strError; }
    // The source folder exists and the target can be made there under its
    // name; else FALSE with the message that names the cause. probePath
    // takes the free name beside the target the check wrote and removed.
    static BOOL CheckPaths(LPCTSTR sourceFolder, LPCTSTR isoPath, CString& message, CString* probePath = NULL);

private:
    CString m_strError;
};

class CDepWizStep2 : public CPropertyPage {
public:
    enum { MODE_ISO = 1,
           MODE_HARD_DISK = 2,
           MODE_MBR = 3 };
    enum { BUSY_BEGIN = 0,
           BUSY_TEXT = 1,
           BUSY_END = 2 };

    CDepWizStep2();
    virtual ~CDepWizStep2();
    virtual BOOL OnSetActive() override;
    virtual BOOL OnWizardFinish() override;
    virtual BOOL OnQueryCancel() override;
    virtual LRESULT OnWizardBack() override;

    // Handles every message waiting in this thread's queue, then returns.
    void PumpMessages();
    // A unique name in the temp folder ("KEL" prefix, every '.' of the file
    // name turned into '_'); the system creates an empty file of the
    // unconverted name. Returns 1.
    static int MakeWorkFolderName(CString& name);

    void SetBusyState(UINT nStringId, int nState);
    // The checks of the chosen mode, then the build; 1 when it completed.
    int OnBuild();
    int BuildBootTree();
    // Extracts each package's "<title>.gz" into the folder; false with the
    // package's name and the reason at the first failure.
    static BOOL UnpackMenuPackages(LPCTSTR folder, const CStringArray& packages, CString& error);
    void RunEmulatorTest();
    BOOL IsBusy() const { return m_bBusy; }

    CCheckableGroupBox m_mbrBox;
    CStatic m_status;
    CAnimateCtrl m_animation;
    CCheckableGroupBox m_isoBox;
    CCheckableGroupBox m_hddBox;
    DriveComboBox m_partitionBox;
    DriveComboBox m_diskBox;
    CFileEditCtrl m_isoSource;
    CFileEditCtrl m_isoTarget;
    CString m_strIsoSource;
    CString m_strIsoPath;
    CString m_strPartitionRoot;
    CString m_strBootPath;
    DriveDeviceMap m_driveMap;
    int m_nMode;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    afx_msg void OnIsoBox();
    afx_msg void OnHddBox();
    afx_msg void OnMbrBox();
    afx_msg void OnPartitionChanged();
    afx_msg void OnFieldNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnIsoProgress(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    void SelectMode(int nMode);
    int Fail(LPCTSTR lpszText);
    CString LoadText(UINT nId) const;

    BOOL m_bBusy;
    CString m_strFoldersLeftOut;
};

class CDepWizStep3 : public CPropertyPage {
public:
    CDepWizStep3();
    virtual ~CDepWizStep3();
    virtual BOOL OnSetActive() override;
};

class CDepWizard : public CPropertySheet {
public:
    CDepWizard(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage);
    virtual ~CDepWizard();

    virtual BOOL OnInitDialog() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Shows the page's icon and texts in the banner and, once the sheet is
    // set up, puts the page just under the banner.
    void ActivatePage(CPropertyPage* pPage, UINT nIcon, UINT nTitle, UINT nDesc);

    CDialogHeader m_banner;
    CGroupLine* m_pGroupLine;
    BOOL m_bInitialized;

private:
    void ShowBanner();

    int m_nPageTop;
    DWORD m_dwPageShownAt;
    // what the banner shows: the first page is activated before it exists
    UINT m_nBannerIcon, m_nBannerTitle, m_nBannerDesc;
};
