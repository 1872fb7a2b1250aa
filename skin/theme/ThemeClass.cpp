#include "skin/theme/ThemeClass.h"

#include "skin/support/DrawHelpers.h"
#include "skin/theme/SchemaTables.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeSchema.h"

namespace {
int MulDivOrZero(int a, int b, int c) { return c ? MulDiv(a, b, c) : 0; }
}  // namespace

CVZRThemeClass::CVZRThemeClass(CVZRSkinContext* owner, LPCSTR className)
    : m_pOwner(owner), m_strName(className), m_classCode(0)
{
    m_strName.MakeUpper();
    m_classCode = GetSchemaClassCode(m_strName);
}

const SchemaValue* CVZRThemeClass::Lookup(int part, int state, int property, int type)
{
    uint32_t key = uint32_t(property) + uint32_t(state) * 0x100000 + (uint32_t(part) & 0x3FFFF) * 0x4000;
    auto it = m_cache.find(key);
    if (it != m_cache.end())
        return it->second && it->second->type == type ? it->second : nullptr;
    CVZRThemeSchema* schema = m_pOwner ? m_pOwner->m_pSchema : nullptr;
    if (!schema)
        return nullptr;
    const SchemaValue* value = schema->FindProperty(m_classCode, part, state, property);
    if (value && value->type != type)
        return nullptr;
    m_cache[key] = value;
    return value;
}

CString CVZRThemeClass::GetString(int part, int state, int property, LPCSTR defaultValue)
{
    const SchemaValue* v = Lookup(part, state, property, kSchemaString);
    return v ? CString(v->text.c_str()) : CString(defaultValue ? defaultValue : "");
}

int CVZRThemeClass::GetInt(int part, int state, int property, int defaultValue)
{
    const SchemaValue* v = Lookup(part, state, property, kSchemaInt);
    return v ? v->number : defaultValue;
}

BOOL CVZRThemeClass::GetBool(int part, int state, int property, BOOL defaultValue)
{
    const SchemaValue* v = Lookup(part, state, property, kSchemaBool);
    return v ? v->number : defaultValue;
}

COLORREF CVZRThemeClass::GetColor(int part, int state, int property, COLORREF defaultValue)
{
    const SchemaValue* v = Lookup(part, state, property, kSchemaColor);
    if (!v)
        return defaultValue;
    return m_pOwner ? m_pOwner->FilterColor(COLORREF(v->number)) : COLORREF(v->number);
}

RECT CVZRThemeClass::GetRect(int part, int state, int property, const RECT& defaultValue)
{
    const SchemaValue* v = Lookup(part, state, property, kSchemaRect);
    if (!v)
        return defaultValue;
    RECT rc = {v->left, v->top, v->right, v->bottom};
    return rc;
}

int CVZRThemeClass::GetEnum(int part, int state, int property, int defaultValue)
{
    const SchemaValue* v = Lookup(part, state, property, kSchemaEnum);
    return v ? v->number : defaultValue;
}

POINT CVZRThemeClass::GetPosition(int part, int state, int property, POINT defaultValue)
{
    const SchemaValue* v = Lookup(part, state, property, kSchemaPosition);
    if (!v)
        return defaultValue;
    POINT pt = {v->x, v->y};
    return pt;
}

CVZRSkinBitmap* CVZRThemeClass::GetBitmap(LPCSTR name)
{
    return m_bitmaps.Get(m_pOwner ? m_pOwner->m_pPackage : nullptr, name);
}

SIZE CVZRThemeClass::GetBitmapSize(LPCSTR name)
{
    return m_bitmaps.GetSize(m_pOwner ? m_pOwner->m_pPackage : nullptr, name);
}

CString CVZRThemeClass::GetImageName(int part, int state)
{
    if (GetEnum(part, state, TMT_IMAGESELECTTYPE_, 0) == 0 || GetEnum(part, state, TMT_GLYPHTYPE_, 0) != 0)
        return GetString(part, state, TMT_IMAGEFILE_, "");
    CString name = GetString(part, state, TMT_IMAGEFILE1_, "");
    return name.IsEmpty() ? GetString(part, state, TMT_IMAGEFILE_, "") : name;
}

BOOL CVZRThemeClass::DrawBackground(HDC dc, int part, int state, const RECT* rect)
{
    CVZRThemeSchema* schema = m_pOwner ? m_pOwner->m_pSchema : nullptr;
    return schema && rect ? schema->DrawThemeBackground(dc, this, part, state, rect) : FALSE;
}

int CVZRThemeClass::DrawText(HDC dc, int part, int state, LPCSTR text, int length, UINT format, const RECT* rect)
{
    if (!rect)
        return 0;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    const RECT none = {0, 0, 0, 0};
    RECT margins = GetRect(part, state, TMT_CAPTIONMARGINS_, none);
    RECT target = *rect;
    target.left += margins.left;
    target.right -= margins.right;
    if (GetEnum(part, state, TMT_CONTENTALIGNMENT_, 0) == 1)
        format |= DT_CENTER;
    CVZRFontSelection colours(dc);
    colours.SetTextColor(GetColor(part, state, TMT_TEXTCOLOR_, GetTextColor(dc)));
    POINT zero = {0, 0};
    POINT offset = GetPosition(part, state, TMT_TEXTSHADOWOFFSET_, zero);
    if (GetEnum(part, state, TMT_TEXTSHADOWTYPE_, 0) == 1 && (offset.x || offset.y)) {
        COLORREF textColour = GetTextColor(dc);
        SetTextColor(dc, GetColor(part, state, TMT_TEXTSHADOWCOLOR_, COLORREF(-1)));
        RECT shadow = target;
        OffsetRect(&shadow, offset.x, offset.y);
        ::DrawTextA(dc, text, length, &shadow, format);
        SetTextColor(dc, textColour);
    }
    ::DrawTextA(dc, text, length, &target, format);
    SetBkMode(dc, oldMode);
    return 1;
}

BOOL CVZRThemeClass::GetPartSize(int part, int state, const RECT* rect, int sizeKind, SIZE* size)
{
    if (!size || GetEnum(part, state, TMT_BGTYPE_, 0) != 0)
        return FALSE;
    CString name = GetImageName(part, state);
    if (name.IsEmpty())
        return FALSE;
    CVZRSkinBitmap* bitmap = GetBitmap(name);
    if (!bitmap)
        return FALSE;
    int count = GetInt(part, state, TMT_IMAGECOUNT_, 1);
    if (count < 1)
        count = 1;
    SIZE frame = bitmap->GetSize();
    if (GetEnum(part, state, TMT_IMAGELAYOUT_, 1) == 1)
        frame.cx /= count;
    else
        frame.cy /= count;
    if (sizeKind == kPartSizeTrue) {
        *size = frame;
    } else if (sizeKind == kPartSizeDraw) {
        if (GetEnum(part, state, TMT_SIZINGTYPE_, 1) != 0) {
            size->cx = rect ? rect->right - rect->left : 0;
            size->cy = rect ? rect->bottom - rect->top : 0;
            if (GetBool(part, state, TMT_UNIFORMSIZING_, FALSE))
                size->cx = MulDivOrZero(size->cy, frame.cx, frame.cy);
        } else {
            *size = frame;
        }
    }
    return TRUE;
}
