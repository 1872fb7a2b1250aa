#include "deploy/DepWizard.h"

#include "deploy/MenuPackage.h"
#include "deploy/ZavoIni.h"
#include "designer/app/ZavomgrApp.h"
#include "framework/DataExchange.h"
#include "imaging/xImage.h"
#include "resources/zavomgr/resource.h"

#include <commctrl.h>

#include <ctime>

namespace {

const char kStep1Section[] = "Dep_Step1_Dlg";
const char kGroupLineCaption[] = "Zavo Studio 2007 ";
const int kTickedImage = 2, kUntickedImage = 1;

CZavomgrApp* App() { return static_cast<CZavomgrApp*>(AfxGetApp()); }

CString LoadAppString(UINT nId)
{
    CString text;
    if (CZavomgrApp* app = App())
        app->m_langManager.LoadString(text, nId, TRUE);
    return text;
}

}  // namespace

void DepWizUseSectionTitle(CString& caption, PROPSHEETPAGE& psp, LPCTSTR section)
{
    CZavomgrApp* app = App();
    LPCTSTR title = app ? app->m_langManager.Lookup(section, "Title") : NULL;
    if (!title || !*title)
        return;
    caption = title;
    psp.dwFlags |= PSP_USETITLE;
}

// ---- sheet ----

CDepWizard::CDepWizard(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_pGroupLine(NULL), m_bInitialized(FALSE),
      m_nPageTop(-1), m_dwPageShownAt(0), m_nBannerIcon(0), m_nBannerTitle(0), m_nBannerDesc(0)
{
    const CString caption = LoadAppString(nIDCaption);
    if (!caption.IsEmpty())
        m_strCaption = caption;
}

CDepWizard::~CDepWizard() { delete m_pGroupLine; }

BOOL CDepWizard::OnInitDialog()
{
    BOOL result = CPropertySheet::OnInitDialog();
    m_banner.SetIconResource(FALSE, IDI_DEPWIZ_OPTIONS);
    m_banner.Init(this);
    m_banner.MoveCtrls(this);
    ShowBanner();
    CenterWindow();
    m_bInitialized = TRUE;
    // the active page was moved with the other children: that is the place
    if (CPropertyPage* page = GetActivePage()) {
        if (page->m_hWnd) {
            CRect rect;
            page->GetWindowRect(&rect);
            ScreenToClient(&rect);
            m_nPageTop = rect.top;
        }
    }

    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = "";
        ::GetClassNameA(child, cls, sizeof(cls));
        if (::GetWindowTextLengthA(child) != 0 || _strnicmp(cls, "Static", 6) != 0 ||
            ::GetDlgCtrlID(child) != IDC_DW_SEPARATOR)
            continue;
        m_pGroupLine = new CGroupLine;
        m_pGroupLine->m_strCaption = kGroupLineCaption;
        m_pGroupLine->SubclassWindow(child);
        m_pGroupLine->SetWindowText(kGroupLineCaption);
        CRect rect;
        ::GetWindowRect(child, &rect);
        ScreenToClient(&rect);
        ::MoveWindow(child, rect.left, rect.top - 8, rect.Width(), 16, TRUE);
        break;
    }
    return result;
}

LRESULT CDepWizard::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DEPWIZ_ENABLEBUTTONS) {
        static const int ids[] = {IDCANCEL, ID_WIZFINISH, ID_WIZNEXT, ID_WIZBACK};
        for (int id : ids)
            if (HWND button = ::GetDlgItem(m_hWnd, id))
                ::EnableWindow(button, lParam != 0);
        return 0;
    }
    // the second click of a double click on Next lands on Finish in the same
    // place: a click that comes that soon after the page showed is dropped
    if (message == WM_COMMAND && LOWORD(wParam) == ID_WIZFINISH && HIWORD(wParam) == BN_CLICKED &&
        (LONG)(::GetMessageTime() - m_dwPageShownAt) < (LONG)::GetDoubleClickTime())
        return 0;
    if (message == WM_DEPWIZ_SETITEMTEXT) {
        if (HWND item = ::GetDlgItem(m_hWnd, (int)wParam))
            ::SetWindowTextA(item, (LPCTSTR)lParam);
        return 0;
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

void CDepWizard::ShowBanner()
{
    if (!m_banner.m_hWnd || !m_nBannerTitle)
        return;
    m_banner.SetIconResource(FALSE, m_nBannerIcon);
    m_banner.SetTitleText(LoadAppString(m_nBannerTitle));
    m_banner.SetDescText(LoadAppString(m_nBannerDesc));
}

void CDepWizard::ActivatePage(CPropertyPage* pPage, UINT nIcon, UINT nTitle, UINT nDesc)
{
    if (m_bInitialized && pPage->m_hWnd) {
        CRect rect;
        pPage->GetWindowRect(&rect);
        ScreenToClient(&rect);
        // a page made after the sheet's set-up still sits where the sheet put it
        if (m_nPageTop < 0)
            m_nPageTop = rect.top + m_banner.GetHeaderHeight();
        pPage->SetWindowPos(NULL, rect.left, m_nPageTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_dwPageShownAt = ::GetTickCount();
    m_nBannerIcon = nIcon;
    m_nBannerTitle = nTitle;
    m_nBannerDesc = nDesc;
    ShowBanner();
    if (pPage->m_hWnd) {
        CString caption;
        pPage->GetWindowText(caption);
        SetWindowText(caption);
    }
}

// ---- options page ----

BEGIN_MESSAGE_MAP(CDepWizStep1, CPropertyPage)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DW_PACKLIST, &CDepWizStep1::OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_DW_PACKLIST, &CDepWizStep1::OnItemDblClk)
    ON_BN_CLICKED(IDC_DW_TICKALL, &CDepWizStep1::OnTickAll)
    ON_BN_CLICKED(IDC_DW_RESCAN, &CDepWizStep1::OnRescan)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CDepWizStep1::CDepWizStep1()
    : CPropertyPage(IDD_DEPWIZ_STEP1), m_nDefaultIndex(-1), m_bNotify(TRUE), m_bSplash(FALSE)
{
    DepWizUseSectionTitle(m_strCaption, m_psp, kStep1Section);
    m_szPassword[0] = '\0';
}

CDepWizStep1::~CDepWizStep1() {}

void CDepWizStep1::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DW_RESOLUTIONBAR, m_resolution);
    DDX_Control(pDX, IDC_DW_DEFAULTTHUMB, m_defaultThumb);
    DDX_Control(pDX, IDC_DW_ITEMTHUMB, m_itemThumb);
    DDX_Control(pDX, IDC_DW_PACKLIST, m_packList);
}

BOOL CDepWizStep1::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (CZavomgrApp* app = App())
        app->m_langManager.TranslateDialog(this, kStep1Section);
    m_packList.ModifyStyle(0, LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE);
    if (CZavomgrApp* app = App())
        m_packList.ScanFolder(app->m_strMenusPath);
    m_resolution.SetRange(1, 3, TRUE);
    m_resolution.SetPos(1);
    m_resolution.SetTicFreq(1);
    m_resolution.SetPageSize(1);
    ShowResolution();
    return TRUE;
}

BOOL CDepWizStep1::OnSetActive()
{
    CDepWizard* sheet = static_cast<CDepWizard*>(GetSheet());
    if (sheet) {
        ::PostMessage(sheet->m_hWnd, PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);
        sheet->ActivatePage(this, IDI_DEPWIZ_OPTIONS, IDS_DW_STEP1TITLE, IDS_DW_STEP1DESC);
    }
    return CPropertyPage::OnSetActive();
}

void CDepWizStep1::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bNotify || m_packList.IsLoading())
        return;
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    CxImage picture;
    CString comment;
    if (!m_packList.LoadPreview(change->iItem, picture, comment))
        return;
    m_itemThumb.SetImage(picture);
    SetDlgItemText(IDC_DW_COMMENT, comment);
}

void CDepWizStep1::OnItemDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int index = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR)->iItem;
    m_defaultThumb.EnableWindow(TRUE);
    CxImage picture;
    CString comment;
    if (!m_packList.LoadPreview(index, picture, comment))
        return;
    m_defaultThumb.SetImage(picture);
    m_nDefaultIndex = index;
    m_packList.SetItemState(index, INDEXTOSTATEIMAGEMASK(kTickedImage), LVIS_STATEIMAGEMASK);
}

void CDepWizStep1::OnTickAll()
{
    const BOOL tick = IsDlgButtonChecked(IDC_DW_TICKALL) == BST_CHECKED;
    m_bNotify = FALSE;
    for (int i = 0; i < m_packList.GetItemCount(); ++i)
        m_packList.SetItemState(i, INDEXTOSTATEIMAGEMASK(tick ? kTickedImage : kUntickedImage),
                                LVIS_STATEIMAGEMASK);
    m_bNotify = TRUE;
}

void CDepWizStep1::OnRescan()
{
    if (!m_packList.Rescan())
        return;
    m_nDefaultIndex = -1;
    m_defaultThumb.EnableWindow(FALSE);
}

void CDepWizStep1::ShowResolution()
{
    static const char* const names[] = {"640 x 480", "800 x 600", "1024 x 768"};
    const int pos = m_resolution.GetPos();
    CString text;
    text.Format(LoadAppString(IDS_GM_RESOLUTION), pos >= 1 && pos <= 3 ? names[pos - 1] : "");
    SetDlgItemText(IDC_DW_RESOLUTIONTEXT, text);
}

void CDepWizStep1::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    ShowResolution();
    CPropertyPage::OnHScroll(nSBCode, nPos, pScrollBar);
}

LRESULT CDepWizStep1::OnWizardNext()
{
    CZavomgrApp* app = App();
    // the thumbnails may still be loading: the list answers once they are in;
    // a second Next pressed during that wait is refused
    if (!m_packList.WaitWorker())
        return -1;
    CString defaultPath;
    int imageType = 0;
    if (m_nDefaultIndex >= 0)
        m_packList.SelectPackage(m_nDefaultIndex, defaultPath, imageType, TRUE);
    if (defaultPath.IsEmpty()) {
        if (app)
            app->m_langManager.MessageBoxWithCaption(this, "String", IDS_DW_NODEFAULT, IDS_DW_BUILDCAPTION,
                                                     MB_ICONEXCLAMATION);
        return -1;
    }

    m_tickedPackages.RemoveAll();
    BOOL defaultTicked = FALSE;
    for (int i = 0; i < m_packList.GetItemCount(); ++i) {
        if ((m_packList.GetItemState(i, LVIS_STATEIMAGEMASK) >> 12) != kTickedImage)
            continue;
        CString path;
        if (m_packList.SelectPackage(i, path, imageType, TRUE) && !path.IsEmpty()) {
            m_tickedPackages.Add(path);
            defaultTicked |= path == defaultPath;
        }
    }
    // the default menu is what the boot loads first: it always goes along
    if (!defaultTicked)
        m_tickedPackages.Add(defaultPath);

    CString password;
    GetDlgItemText(IDC_DW_PASSWORD, password);
    m_bSplash = IsDlgButtonChecked(IDC_DW_SPLASH) == BST_CHECKED;
    ZavoIniChoices choices;
    choices.resolution = m_resolution.GetPos();
    choices.splash = m_bSplash;
    choices.defaultPackage = defaultPath;
    choices.password = password;
    CString text;
    if (BuildZavoIniText(choices, time(NULL), text) == ZAVOINI_PASSWORD_TOO_LONG) {
        if (app)
            app->m_langManager.MessageBox(this, "String", IDS_MD5_TOOLONG, MB_ICONINFORMATION);
        SetDlgItemText(IDC_DW_PASSWORD, "");
        GetDlgItem(IDC_DW_PASSWORD)->SetFocus();
        return -1;
    }
    m_strVesa = VesaModeOfResolution(choices.resolution);
    m_strConfig = text;
    return CPropertyPage::OnWizardNext();
}

// ---- unused third page ----

CDepWizStep3::CDepWizStep3() : CPropertyPage(IDD_DEPWIZ_STEP3) {}
CDepWizStep3::~CDepWizStep3() {}

BOOL CDepWizStep3::OnSetActive()
{
    CDepWizard* sheet = static_cast<CDepWizard*>(GetSheet());
    if (sheet) {
        ::PostMessage(sheet->m_hWnd, PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
        sheet->ActivatePage(this, IDI_DEPWIZ_TARGET, IDS_DW_STEP2TITLE, IDS_DW_STEP2DESC);
    }
    return CPropertyPage::OnSetActive();
}
