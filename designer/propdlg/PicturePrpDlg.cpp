#include "designer/propdlg/PicturePrpDlg.h"
#include "designer/core/ProjectPaths.h"

#include "controls/ColorFont.h"
#include "designer/capture/ScreenCaptureDlg.h"
#include "framework/DataExchange.h"
#include "imaging/xImage.h"
#include "framework/ResourceList.h"
#include "resources/zavomgr/resource.h"

namespace {
// Left, centred and right: single line, word break, vertically centred.
const UINT kAlignFlags[3] = {52, 53, 54};
}  // namespace

BEGIN_MESSAGE_MAP(CPicturePrpDlg, CEntryPrpDlg)
    ON_BN_CLICKED(IDC_PT_THEMEPICK, OnPictureButton)
    ON_BN_CLICKED(IDC_PT_HOVERPICK, OnHoverButton)
    ON_BN_CLICKED(IDC_PT_MAKEHOVER, OnMakeHoverButton)
    ON_BN_CLICKED(IDC_PT_CAPTURE, OnCaptureButton)
END_MESSAGE_MAP()

CPicturePrpDlg::CPicturePrpDlg() : CEntryPrpDlg(IDD_PICTUREPRP, "PicturePrp_Dlg", IDC_PT_ASMENU, kAlignFlags) {}

CPicturePrpDlg::~CPicturePrpDlg() {}

void CPicturePrpDlg::DoDataExchange(CDataExchange* pDX)
{
    CEntryPrpDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PT_PREVIEW, m_preview);
    DDX_Control(pDX, IDC_PT_CAPTURE, m_captureButton);
}

void CPicturePrpDlg::ShowFont()
{
    if (m_pFont)
        m_preview.SetFont(*m_pFont);
}

void CPicturePrpDlg::InitControls()
{
    if (GetSafeHwnd() == NULL || m_pControl == NULL)
        return;
    FillEntryControls();
    SetDlgItemText(IDC_PT_THEMEFILE, m_pControl->GetThemeFile());
    SetDlgItemText(IDC_PT_HOVERFILE, m_pControl->GetAddPath());
    if (m_groupBox.GetSafeHwnd())
        m_groupBox.SetCheck(m_pControl->GetAsMenu() ? BST_CHECKED : BST_UNCHECKED);
    UpdatePasswordField();
    if (m_captureButton.GetSafeHwnd()) {
        m_captureButton.SetIcon(IDI_CAPTURE);
        m_captureButton.EnableWindow(TRUE);
    }
    m_strPickedFile = m_pControl->GetThemeFile();
    if (m_strPickedFile.IsEmpty())
        m_preview.LoadResourceImages(IDR_CTRL_PICTURE);
    else
        m_preview.LoadImageFile(CProjectPaths::Resolve(m_strPickedFile), TRUE);
}

void CPicturePrpDlg::OnApply()
{
    if (m_pControl == NULL)
        return;
    EntryFields fields;
    ReadEntryControls(fields);
    CString picture, hover;
    GetDlgItemText(IDC_PT_THEMEFILE, picture);
    GetDlgItemText(IDC_PT_HOVERFILE, hover);
    if (!CheckLengths(fields, picture, hover))
        return;
    BOOL bAsMenu = m_groupBox.GetSafeHwnd() && m_groupBox.GetCheck() > 0;
    if (bAsMenu) {
        if (!CheckEntryComplete(fields))
            return;
        m_pControl->SetAsMenu(TRUE);
    } else {
        m_pControl->SetAsMenu(FALSE);
    }
    if (picture.IsEmpty()) {
        Tell(IDS_PT_NOPICTURE);
        ApplyFailed();
        return;
    }
    WriteEntryHead(fields, picture);
    WriteEntryTail(fields);
    UpdatePasswordField();
    m_pControl->SetAddPath(hover);
    RedrawOwner();
}

void CPicturePrpDlg::OnPictureButton()
{
    CString folder;
    folder.Format("%s\\Pictures\\", (LPCTSTR)GetThemesFolder());
    SetPickFolder(folder);
    if (ChoosePath(CUIControl::LoadInterfaceString(IDS_GM_CHOOSETHEME, ""), PICK_PICTURE)) {
        if (m_preview.LoadImageFile(m_strPickedFile, TRUE))
            SetDlgItemText(IDC_PT_THEMEFILE, m_strPickedFile);
        else
            Tell(IDS_PT_UNREADABLE);
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE);
}

void CPicturePrpDlg::OnHoverButton()
{
    CString folder;
    folder.Format("%s\\Pictures\\", (LPCTSTR)GetThemesFolder());
    SetPickFolder(folder);
    if (ChoosePath(CUIControl::LoadInterfaceString(IDS_GM_CHOOSETHEME, ""), PICK_PICTURE)) {
        if (m_preview.LoadImageFile(m_strPickedFile, FALSE))
            SetDlgItemText(IDC_PT_HOVERFILE, m_strPickedFile);
        else
            Tell(IDS_PT_UNREADABLE);
    }
}

BOOL CPicturePrpDlg::MakeHoverPicture(LPCTSTR lpszPicture, LPCTSTR lpszTarget)
{
    CxImage image;
    BOOL bLoaded;
    if (lpszPicture && *lpszPicture) {
        bLoaded = image.Load(CProjectPaths::Resolve(lpszPicture), CXIMAGE_FORMAT_UNKNOWN);
    } else {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(IDR_CTRL_PICTURE), "CTRL_IMGS");
        HRSRC hRes = ::FindResource(hInst, MAKEINTRESOURCE(IDR_CTRL_PICTURE), "CTRL_IMGS");
        bLoaded = hRes && image.LoadResource(hRes, CXIMAGE_FORMAT_UNKNOWN, hInst);
    }
    if (!bLoaded || !CreateFolderPath(lpszTarget))
        return FALSE;
    image.Light(20, 0);
    return image.Save(lpszTarget, CXIMAGE_FORMAT_PNG);
}

void CPicturePrpDlg::OnMakeHoverButton()
{
    CString picture, target;
    GetDlgItemText(IDC_PT_THEMEFILE, picture);
    target.Format("%s\\Pictures\\HoverPic\\Hotscreen_%s.png", (LPCTSTR)GetThemesFolder(),
                  (LPCTSTR)FileTimeStamp());
    if (target.GetLength() > MAX_PATHTEXT)
        return;
    // A picture that could not be written is not offered as the hover file.
    if (!MakeHoverPicture(picture, target))
        return;
    m_preview.LoadImageFile(target, FALSE);
    SetDlgItemText(IDC_PT_HOVERFILE, target);
}

void CPicturePrpDlg::OnCaptureButton()
{
    CString file;
    if (CScreenCaptureDlg::CaptureToFile(this, GetThemesFolder(), FileTimeStamp(), file) != IDOK)
        return;
    m_preview.LoadImageFile(file, TRUE);
    SetDlgItemText(IDC_PT_THEMEFILE, file);
}
