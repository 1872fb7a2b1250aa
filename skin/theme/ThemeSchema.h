// The theme schema: typed properties keyed by class, part, state and id,
// read from a package's ini text, with the lookup fallback of the schema.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "skin/support/SysServices.h"
#include "skin/theme/SchemaText.h"

class CVZRSkinContext;
class CVZRThemeClass;
class CVZRThemePackage;
class CVZRFrameNonClient;
struct CVZRScrollBarInfo;

typedef SchemaValue CVZRThemeProperty;

// The property ids the drawing code reads.
enum {
    TMT_IMAGEFILE_ = 3001,
    TMT_IMAGEFILE1_ = 3002,
    TMT_GLYPHIMAGEFILE_ = 3008,
    TMT_IMAGECOUNT_ = 2401,
    TMT_ALPHALEVEL_ = 2402,
    TMT_BORDERSIZE_ = 2403,
    TMT_TRUESIZESTRETCHMARK_ = 2419,
    TMT_TRANSPARENT_ = 2201,
    TMT_BORDERONLY_ = 2203,
    TMT_GLYPHTRANSPARENT_ = 2206,
    TMT_MIRRORIMAGE_ = 2209,
    TMT_UNIFORMSIZING_ = 2210,
    TMT_BORDERCOLOR_ = 3801,
    TMT_FILLCOLOR_ = 3802,
    TMT_TEXTCOLOR_ = 3803,
    TMT_TRANSPARENTCOLOR_ = 3809,
    TMT_TEXTSHADOWCOLOR_ = 3818,
    TMT_SIZINGMARGINS_ = 3601,
    TMT_CONTENTMARGINS_ = 3602,
    TMT_CAPTIONMARGINS_ = 3603,
    TMT_TEXTSHADOWOFFSET_ = 3402,
    TMT_BGTYPE_ = 4001,
    TMT_SIZINGTYPE_ = 4004,
    TMT_CONTENTALIGNMENT_ = 4006,
    TMT_VALIGN_ = 4007,
    TMT_TEXTSHADOWTYPE_ = 4010,
    TMT_IMAGELAYOUT_ = 4011,
    TMT_GLYPHTYPE_ = 4012,
    TMT_IMAGESELECTTYPE_ = 4013,
};

class CVZRThemeSchema {
public:
    CVZRThemeSchema(CVZRSkinContext* owner, LPCSTR name);
    virtual ~CVZRThemeSchema() {}

    virtual BOOL DrawThemeBackground(HDC dc, CVZRThemeClass* themeClass, int part, int state, const RECT* rect) = 0;
    // The non-client area of a skinned frame, in window coordinates.
    virtual void DrawFrame(HDC, CVZRFrameNonClient*) {}
    // Border widths (left, top with the caption, right, bottom).
    virtual RECT CalcFrameBorders(CVZRFrameNonClient* frame);
    // The window region, owned by the caller; NULL for none.
    virtual HRGN CalcFrameRegion(CVZRFrameNonClient*, int, int) { return NULL; }
    virtual void ReloadMetrics() {}
    virtual void DrawScrollBar(HDC, HWND, CVZRScrollBarInfo*) {}
    virtual COLORREF GetSizeBoxColor(HWND window);
    // Lays out and draws the caption buttons; the x where they begin.
    virtual int CalcCaptionButtons(HDC, CVZRFrameNonClient*) { return 0; }

    // Clears the map and reads every line of the package; always 0.
    int ParseSchemaText(CVZRThemePackage* package);
    const CVZRThemeProperty* FindProperty(int classCode, int part, int state, int property) const;
    HRESULT GetIntProperty(int classCode, int part, int state, int property, int* out) const;
    HRESULT GetBoolProperty(int classCode, int part, int state, int property, BOOL* out) const;
    HRESULT GetColorProperty(int classCode, int part, int state, int property, COLORREF* out) const;
    HRESULT GetFontProperty(int classCode, int part, int state, int property, LOGFONTA* out) const;
    // IMAGEFILE5 down to IMAGEFILE2 whose frame fits the rectangle, else IMAGEFILE1, else IMAGEFILE;
    // -1 for an image that cannot be loaded.
    int SelectImageFile(CVZRThemeClass* themeClass, int part, int state, const RECT& target, int frameCount,
                        bool horizontal);

    bool GetPremultiply() const { return m_bPremultiply; }
    const CString& GetName() const { return m_strName; }
    CVZRLock& GetLock() { return m_lock; }
    CVZRSkinContext* GetOwner() const { return m_pOwner; }
    size_t GetPropertyCount() const { return m_store.Size(); }

protected:
    bool m_bPremultiply = true;

private:
    CVZRSkinContext* m_pOwner;
    SchemaStore m_store;
    CString m_strName;
    CVZRLock m_lock;
    int m_globalsClass;
    int m_windowClass;
};

// A LOGFONT from a schema font value.
void SchemaFontToLogFont(const SchemaFontValue& font, LOGFONTA& out);
