// Tessumgr's application object: start-up in a fixed order, then the main
// dialog modally; the program ends when it closes.
#pragma once

#include "framework/WinApp.h"
#include "installer/LangFile.h"

class CTessumgrApp : public CWinApp {
public:
    CTessumgrApp();

    virtual BOOL InitInstance() override;
    // The temp folder and whether the system is of the NT family.
    void InitEnvironment();
    // Tessumgr.lng, else language\Tessumgr.lng, in the program folder.
    BOOL LoadLanguage();

    CString m_strTempPath;
    BOOL m_bNT;
};

// The language file of the whole program; its loaded flag decides between
// its texts and the built-in ones.
extern CLangFile g_langFile;

CTessumgrApp* TessuApp();

class CBitmapPushButton;
// The dialogs' push buttons: bitmap 135's five cells with 3-pixel slices.
void SetUpTessuButton(CBitmapPushButton& button);
