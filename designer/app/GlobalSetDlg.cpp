#include "designer/app/GlobalSetDlg.h"

#include "designer/app/ZavomgrApp.h"
#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "resources/zavomgr/resource.h"

BEGIN_MESSAGE_MAP(CGlobalSetDlg, CDialog)
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_GS_BROWSE, &CGlobalSetDlg::OnBrowseWallpaper)
    ON_BN_CLICKED(IDC_GS_QUICKGO, &CGlobalSetDlg::OnQuickGo)
    ON_BN_CLICKED(IDC_GS_CENTERCURSOR, &CGlobalSetDlg::OnCenterCursor)
END_MESSAGE_MAP()

namespace {

// Grid and margins stay in these bounds, so that nothing later divides by a
// zero grid or draws margins outside any page.
const int kGridMin = 1, kGridMax = 128;
const int kMarginMax = 512;
const int kEntryMax = 999;

CZavomgrApp* App() { return static_cast<CZavomgrApp*>(AfxGetApp()); }

}  // namespace

CGlobalSetDlg::CGlobalSetDlg(CWnd* pParent)
    : CDialog(IDD_GLOBALSET, pParent), m_nGridHeight(0), m_nGridWidth(0), m_nMarginLeft(0),
      m_nMarginTop(0), m_nMarginBottom(0), m_nMarginRight(0), m_nTimeout(5), m_nQuickGo(0),
      m_nDefaultEntry(1), m_nCenterCursor(0), m_nPageWidth(640), m_nPageHeight(480),
      m_nResolutionIndex(1), m_nVesaMode(0x111) {}

CSize CGlobalSetDlg::PageSizeOf(int nIndex)
{
    switch (nIndex) {
    case 2: return CSize(800, 600);
    case 3: return CSize(1024, 768);
    default: return CSize(640, 480);
    }
}

int CGlobalSetDlg::VesaModeOf(int nIndex)
{
    return nIndex == 2 ? 0x114 : nIndex == 3 ? 0x117
                                             : 0x111;
}

int CGlobalSetDlg::ResolutionIndexOf(int nPageWidth)
{
    return nPageWidth == 800 ? 2 : nPageWidth == 1024 ? 3
                                                      : 1;
}

CString CGlobalSetDlg::GetResolutionText(int nVesaMode)
{
    switch (nVesaMode) {
    case 0x111: return "640x480";
    case 0x114: return "800x600";
    case 0x117: return "1024x768";
    default: return CString();
    }
}

void CGlobalSetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GS_RESOLUTION, m_resolution);
    DDX_Control(pDX, IDC_GS_WALLPAPER, m_wallpaperEdit);
    DDX_Text(pDX, IDC_GS_GRIDHEIGHT, m_nGridHeight);
    DDV_MinMaxInt(pDX, m_nGridHeight, kGridMin, kGridMax);
    DDX_Text(pDX, IDC_GS_GRIDWIDTH, m_nGridWidth);
    DDV_MinMaxInt(pDX, m_nGridWidth, kGridMin, kGridMax);
    DDX_Text(pDX, IDC_GS_MARGINLEFT, m_nMarginLeft);
    DDV_MinMaxInt(pDX, m_nMarginLeft, 0, kMarginMax);
    DDX_Text(pDX, IDC_GS_MARGINTOP, m_nMarginTop);
    DDV_MinMaxInt(pDX, m_nMarginTop, 0, kMarginMax);
    DDX_Text(pDX, IDC_GS_MARGINBOTTOM, m_nMarginBottom);
    DDV_MinMaxInt(pDX, m_nMarginBottom, 0, kMarginMax);
    DDX_Text(pDX, IDC_GS_MARGINRIGHT, m_nMarginRight);
    DDV_MinMaxInt(pDX, m_nMarginRight, 0, kMarginMax);
    DDX_Text(pDX, IDC_GS_TIMEOUT, m_nTimeout);
    DDV_MinMaxInt(pDX, m_nTimeout, 0, 99);
    DDX_Check(pDX, IDC_GS_QUICKGO, m_nQuickGo);
    DDX_Text(pDX, IDC_GS_DEFAULT, m_nDefaultEntry);
    DDV_MinMaxInt(pDX, m_nDefaultEntry, 0, kEntryMax);
    DDX_Check(pDX, IDC_GS_CENTERCURSOR, m_nCenterCursor);
}

void CGlobalSetDlg::ShowResolution()
{
    SetDlgItemText(IDC_GS_RESOLUTIONTEXT, GetResolutionText(VesaModeOf(m_nResolutionIndex)));
}

BOOL CGlobalSetDlg::OnInitDialog()
{
    // values from the canvas may lie outside what the dialog accepts
    if (m_nGridHeight < kGridMin) m_nGridHeight = kGridMin;
    if (m_nGridWidth < kGridMin) m_nGridWidth = kGridMin;
    CDialog::OnInitDialog();
    App()->m_langManager.TranslateDialog(this, "GlobalSet_Dlg");
    m_nResolutionIndex = ResolutionIndexOf(m_nPageWidth);
    m_nVesaMode = VesaModeOf(m_nResolutionIndex);
    ShowResolution();
    m_resolution.SetRange(1, 3);
    m_resolution.SetPos(m_nResolutionIndex);
    m_resolution.SetTicFreq(1);
    m_resolution.SetPageSize(1);
    SetDlgItemInt(IDC_GS_DEFAULT, m_nDefaultEntry);
    SetDlgItemInt(IDC_GS_TIMEOUT, m_nTimeout);
    CheckDlgButton(IDC_GS_QUICKGO, m_nQuickGo ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_GS_CENTERCURSOR, m_nCenterCursor ? BST_CHECKED : BST_UNCHECKED);
    m_wallpaperEdit.LoadState("History", "Wallpaper Path");
    if (!m_strWallpaper.IsEmpty()) SetDlgItemText(IDC_GS_WALLPAPER, m_strWallpaper);
    return TRUE;
}

void CGlobalSetDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    int index = m_resolution.GetPos();
    if (index < 1 || index > 3 || index == m_nResolutionIndex) return;
    m_nResolutionIndex = index;
    CSize page = PageSizeOf(index);
    m_nPageWidth = page.cx;
    m_nPageHeight = page.cy;
    ShowResolution();
}

BOOL CGlobalSetDlg::BrowseImage(UINT nTitleId)
{
    CString title, filter;
    App()->m_langManager.LoadString(title, nTitleId, FALSE);
    App()->m_langManager.LoadString(filter, IDS_GS_IMAGEFILTER, FALSE);
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, filter, this);
    dlg.m_ofn.lpstrInitialDir = m_strInitialFolder;
    dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK) {
        m_strChosenFile.Empty();
        return FALSE;
    }
    m_strChosenFile = dlg.GetPathName();
    return TRUE;
}

void CGlobalSetDlg::OnBrowseWallpaper()
{
    m_strInitialFolder.Format("%s\\Wallpaper\\", (LPCTSTR)App()->m_strThemesPath);
    if (!BrowseImage(IDS_GS_CHOOSEIMAGE)) return;
    m_strWallpaper = m_strChosenFile;
    SetDlgItemText(IDC_GS_WALLPAPER, m_strWallpaper);
}

void CGlobalSetDlg::OnQuickGo() { m_nQuickGo = !m_nQuickGo; }

void CGlobalSetDlg::OnCenterCursor() { m_nCenterCursor = !m_nCenterCursor; }

void CGlobalSetDlg::OnOK()
{
    if (!UpdateData(TRUE)) return;
    m_wallpaperEdit.SaveState("History", "Wallpaper Path");
    GetDlgItemText(IDC_GS_WALLPAPER, m_strWallpaper);
    m_nVesaMode = VesaModeOf(m_nResolutionIndex);
    EndDialog(IDOK);
}
