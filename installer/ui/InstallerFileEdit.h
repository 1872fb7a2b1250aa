// The installer's path fields: the file edit control with the installer's
// texts ([Tool Tips] of the language file, else the built-in ones), the grey
// 244 face drawn flat, the gradient tooltip and an icon on the button.
#pragma once
#include "controls/FileEditCtrl.h"
#include "installer/ui/VistaToolTipCtrl.h"

class CLangFile;

FileEditTexts InstallerFileEditTexts(CLangFile *pLang);

// hIcon goes to the field (owned when bOwned); the tooltip must outlive the
// field's window. Button 26 pixels wide, tips on the button and the text.
BOOL SetupInstallerFileEdit(CFileEditCtrl &edit, CLangFile *pLang, CVistaToolTipCtrl *pToolTip,
                            HICON hIcon, BOOL bOwned);
