#include "skin/theme/ThemeSchema.h"

#include "skin/draw/SkinBitmap.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/theme/SchemaTables.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"
#include "skin/theme/ThemePackage.h"

#include <cstring>

namespace {
SchemaScreen ScreenOfDesktop()
{
    SchemaScreen screen;
    CClientDC dc(NULL);
    if (dc) {
        screen.dpi = GetDeviceCaps(dc, LOGPIXELSY);
        screen.charSet = GetTextCharsetInfo(dc, NULL, 0);
    }
    return screen;
}
}  // namespace

void SchemaFontToLogFont(const SchemaFontValue& font, LOGFONTA& out)
{
    memset(&out, 0, sizeof(out));
    out.lfHeight = font.height;
    out.lfWeight = font.weight;
    out.lfCharSet = font.charSet;
    static_assert(sizeof(out.lfFaceName) == sizeof(font.faceName), "face name field");
    memcpy(out.lfFaceName, font.faceName, sizeof(out.lfFaceName));
    out.lfFaceName[sizeof(out.lfFaceName) - 1] = 0;
}

CVZRThemeSchema::CVZRThemeSchema(CVZRSkinContext* owner, LPCSTR name)
    : m_pOwner(owner), m_strName(name), m_globalsClass(GetSchemaClassCode("GLOBALS")),
      m_windowClass(GetSchemaClassCode("WINDOW"))
{
}

COLORREF CVZRThemeSchema::GetSizeBoxColor(HWND) { return GetSysColor(COLOR_BTNFACE); }

RECT CVZRThemeSchema::CalcFrameBorders(CVZRFrameNonClient*)
{
    RECT none = {0, 0, 0, 0};
    return none;
}

int CVZRThemeSchema::ParseSchemaText(CVZRThemePackage* package)
{
    m_store = SchemaStore(ScreenOfDesktop());
    if (!package) {
        m_store.Clear();
        return 0;
    }
    m_store.Parse([package](std::string& line) {
        CString text;
        if (!package->ReadLine(text))
            return false;
        line.assign((LPCSTR)text, size_t(text.GetLength()));
        return true;
    });
    if (!m_store.Premultiply())
        m_bPremultiply = false;
    return 0;
}

const CVZRThemeProperty* CVZRThemeSchema::FindProperty(int classCode, int part, int state, int property) const
{
    return m_store.Find(classCode, part, state, property);
}

HRESULT CVZRThemeSchema::GetIntProperty(int classCode, int part, int state, int property, int* out) const
{
    const CVZRThemeProperty* p = FindProperty(classCode, part, state, property);
    if (!p)
        return E_FAIL;
    if (p->type != kSchemaInt)
        return E_INVALIDARG;
    *out = p->number;
    return S_OK;
}

HRESULT CVZRThemeSchema::GetBoolProperty(int classCode, int part, int state, int property, BOOL* out) const
{
    const CVZRThemeProperty* p = FindProperty(classCode, part, state, property);
    if (!p)
        return E_FAIL;
    if (p->type != kSchemaBool)
        return E_INVALIDARG;
    *out = p->number;
    return S_OK;
}

HRESULT CVZRThemeSchema::GetColorProperty(int classCode, int part, int state, int property, COLORREF* out) const
{
    const CVZRThemeProperty* p = FindProperty(classCode, part, state, property);
    if (!p)
        return E_FAIL;
    if (p->type != kSchemaColor)
        return E_INVALIDARG;
    *out = m_pOwner ? m_pOwner->FilterColor(COLORREF(p->number)) : COLORREF(p->number);
    return S_OK;
}

HRESULT CVZRThemeSchema::GetFontProperty(int classCode, int part, int state, int property, LOGFONTA* out) const
{
    const CVZRThemeProperty* p = FindProperty(classCode, part, state, property);
    if (!p)
        return E_FAIL;
    if (p->type != kSchemaFont)
        return E_INVALIDARG;
    SchemaFontToLogFont(p->font, *out);
    return S_OK;
}

int CVZRThemeSchema::SelectImageFile(CVZRThemeClass* themeClass, int part, int state, const RECT& target,
                                     int frameCount, bool horizontal)
{
    if (frameCount < 1)
        frameCount = 1;
    int width = target.right - target.left, height = target.bottom - target.top;
    for (int id = 3006; id >= 3003; --id) {
        CString name = themeClass->GetString(part, state, id, "");
        if (name.IsEmpty())
            continue;
        SIZE size = themeClass->GetBitmapSize(name);
        if (!size.cx || !size.cy)
            return -1;
        if (horizontal)
            size.cx /= frameCount;
        else
            size.cy /= frameCount;
        if (size.cx <= width && size.cy <= height)
            return id;
    }
    if (!themeClass->GetString(part, state, TMT_IMAGEFILE1_, "").IsEmpty())
        return TMT_IMAGEFILE1_;
    return TMT_IMAGEFILE_;
}
