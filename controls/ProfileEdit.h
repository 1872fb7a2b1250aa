// An edit whose text is kept in the application profile.
#pragma once
#include "framework/Edit.h"

class CProfileEdit : public CEdit {
public:
    CProfileEdit() {}
    // FALSE for an empty section; otherwise the text becomes the profile string.
    BOOL LoadState(LPCTSTR lpszSection, LPCTSTR lpszEntry);
    BOOL SaveState(LPCTSTR lpszSection, LPCTSTR lpszEntry);
};
