// The schemas that draw: any part of any class from the theme images.
#pragma once

#include "skin/theme/ThemeSchema.h"

class CVZRDefaultThemeSchema : public CVZRThemeSchema {
public:
    explicit CVZRDefaultThemeSchema(CVZRSkinContext* owner, LPCSTR name = "Default") : CVZRThemeSchema(owner, name) {}
    BOOL DrawThemeBackground(HDC dc, CVZRThemeClass* themeClass, int part, int state, const RECT* rect) override;
    COLORREF GetSizeBoxColor(HWND window) override;

protected:
    void DrawBorderFill(HDC dc, CVZRThemeClass* themeClass, int part, int state, RECT rect);
    void DrawGlyph(HDC dc, CVZRThemeClass* themeClass, int part, int state, RECT rect);
};

class CVZROffice2007ThemeSchema : public CVZRDefaultThemeSchema {
public:
    explicit CVZROffice2007ThemeSchema(CVZRSkinContext* owner) : CVZRDefaultThemeSchema(owner, "Office2007")
    {
        m_bPremultiply = false;
    }
    COLORREF GetSizeBoxColor(HWND window) override;
};

bool IsInCaptionedCorner(HWND window);
