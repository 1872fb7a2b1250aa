// What a dialog needs to wear the theme: its frame, the shared button skin
// and the skinned push buttons, made once by LoadSkin.
#pragma once
#include <vector>

#include "framework/Array.h"
#include "framework/Wnd.h"
#include "installer/ui/SkinButton.h"
#include "installer/ui/SkinFrame.h"

class CDialogSkin {
public:
    CDialogSkin();
    virtual ~CDialogSkin();

    // Loads the frame's theme and the button skin from theme.ini. On the
    // first call it attaches the frame and skins every plain and default
    // push button of the dialog. With bRequireAll (the main dialog) a failed
    // load returns FALSE and changes nothing; otherwise what loaded is used
    // and the result is TRUE.
    BOOL LoadSkin(CWnd *pDialog, LPCTSTR lpszIniPath, BOOL bRequireAll);

    CSkinFrame &GetFrame() { return m_frame; }
    CButtonSkin &GetButtonSkin() { return m_buttonSkin; }
    int GetButtonCount() const { return (int)m_buttons.size(); }
    CSkinButton *GetButton(int i) const { return m_buttons[(size_t)i]; }

private:
    static BOOL CALLBACK AddButton(HWND hChild, LPARAM lParam);

    CSkinFrame m_frame;
    CButtonSkin m_buttonSkin;
    std::vector<CSkinButton *> m_buttons;
    HWND m_hDialog;
    BOOL m_bApplied;
};
