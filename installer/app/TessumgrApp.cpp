#include "installer/app/TessumgrApp.h"

#include "installer/InstallerTexts.h"
#include "installer/app/TessumgrDlg.h"
#include "installer/app/resource.h"
#include "installer/ui/BitmapPushButton.h"
#include "framework/RichEditCtrl.h"

#include <cstdlib>

CLangFile g_langFile;

CTessumgrApp::CTessumgrApp() : CWinApp("Tessumgr"), m_bNT(TRUE) {}

CTessumgrApp* TessuApp() { return static_cast<CTessumgrApp*>(AfxGetApp()); }

void SetUpTessuButton(CBitmapPushButton& button)
{
    button.SetBitmap(IDR_IMG_BUTTON, 5, 3, 3, 3, 3, TRUE);
    button.SetTextColour(RGB(63, 81, 121));
}

void CTessumgrApp::InitEnvironment()
{
    const char* temp = getenv("temp");
    m_strTempPath = temp && *temp ? temp : "C:\\";
    m_bNT = (::GetVersion() & 0x80000000u) == 0;
}

BOOL CTessumgrApp::LoadLanguage() { return g_langFile.Load("Tessumgr.lng") || g_langFile.Load("language\\Tessumgr.lng"); }

BOOL CTessumgrApp::InitInstance()
{
    if (!AfxOleInit()) {
        AfxShowMessageBox(NULL, "Ole INIT Failed!", kTessumgrCaption, MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    AfxEnableControlContainer();
    AfxInitRichEdit();
    Enable3dControls();
    InitEnvironment();
    LoadLanguage();
    SetDialogBkColor(RGB(244, 244, 244), RGB(0, 0, 0));
    SetRegistryKey("Kantel");

    CTessumgrDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = NULL;
    return FALSE;
}
