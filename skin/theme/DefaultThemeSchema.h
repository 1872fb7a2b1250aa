// The schemas that draw: any part of any class from the theme images, and the
// non-client areas of skinned frames.
#pragma once

#include "skin/theme/ThemeSchema.h"

#include <map>
#include <memory>
#include <utility>

// The key-colour shape of the caption at one top border height.
struct CVZRCaptionCornerRecord {
    int topBorder = 0;
    BOOL toolWindow = FALSE;
    HRGN left = NULL;   // from x = 0
    HRGN right = NULL;  // from the right sizing margin
    RECT margins = {0, 0, 0, 0};
    int transparentRows = 0;
    BOOL temporary = FALSE;
    ~CVZRCaptionCornerRecord();
};

class CVZRDefaultThemeSchema : public CVZRThemeSchema {
public:
    explicit CVZRDefaultThemeSchema(CVZRSkinContext* owner, LPCSTR name = "Default") : CVZRThemeSchema(owner, name) {}
    BOOL DrawThemeBackground(HDC dc, CVZRThemeClass* themeClass, int part, int state, const RECT* rect) override;
    void DrawFrame(HDC dc, CVZRFrameNonClient* frame) override;
    RECT CalcFrameBorders(CVZRFrameNonClient* frame) override;
    HRGN CalcFrameRegion(CVZRFrameNonClient* frame, int width, int height) override;
    void ReloadMetrics() override;
    void DrawScrollBar(HDC dc, HWND window, CVZRScrollBarInfo* bar) override;
    COLORREF GetSizeBoxColor(HWND window) override;
    int CalcCaptionButtons(HDC dc, CVZRFrameNonClient* frame) override;

    size_t GetCornerCacheSize() const { return m_corners.size(); }
    int m_captionCorrection = 0;

protected:
    void DrawBorderFill(HDC dc, CVZRThemeClass* themeClass, int part, int state, RECT rect);
    void DrawGlyph(HDC dc, CVZRThemeClass* themeClass, int part, int state, RECT rect);
    void DrawClassicBorders(HDC dc, CVZRFrameNonClient* frame, RECT rect);
    void DrawClientEdge(HDC dc, CVZRFrameNonClient* frame, const RECT& rect);
    void DrawCaptionIcon(HDC dc, CVZRFrameNonClient* frame, int captionTop);
    std::unique_ptr<CVZRCaptionCornerRecord> BuildCornerRecord(CVZRFrameNonClient* frame, int width, int topBorder,
                                                               BOOL toolWindow);

private:
    std::map<std::pair<int, BOOL>, std::unique_ptr<CVZRCaptionCornerRecord>> m_corners;
};

class CVZROffice2007ThemeSchema : public CVZRDefaultThemeSchema {
public:
    explicit CVZROffice2007ThemeSchema(CVZRSkinContext* owner) : CVZRDefaultThemeSchema(owner, "Office2007")
    {
        m_bPremultiply = false;
    }
    void DrawScrollBar(HDC dc, HWND window, CVZRScrollBarInfo* bar) override;
    COLORREF GetSizeBoxColor(HWND window) override;
};

bool IsInCaptionedCorner(HWND window);
// Whether a scroll bar can be used: a range, and for a control an enabled window.
bool IsScrollBarEnabled(HWND window, const CVZRScrollBarInfo& bar);
