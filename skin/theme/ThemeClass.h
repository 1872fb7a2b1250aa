// What the theme functions hand out for a class name: typed property getters
// with their cache, background and text drawing, and part sizes.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "skin/draw/SkinBitmap.h"

#include <unordered_map>

class CVZRSkinContext;
struct SchemaValue;

const int kPartSizeTrue = 1;
const int kPartSizeDraw = 2;

class CVZRThemeClass {
public:
    CVZRThemeClass(CVZRSkinContext* owner, LPCSTR className);
    virtual ~CVZRThemeClass() {}

    const CString& GetClassName() const { return m_strName; }
    int GetClassCode() const { return m_classCode; }
    CVZRSkinContext* GetOwner() const { return m_pOwner; }

    CString GetString(int part, int state, int property, LPCSTR defaultValue);
    int GetInt(int part, int state, int property, int defaultValue);
    BOOL GetBool(int part, int state, int property, BOOL defaultValue);
    COLORREF GetColor(int part, int state, int property, COLORREF defaultValue);
    RECT GetRect(int part, int state, int property, const RECT& defaultValue);
    int GetEnum(int part, int state, int property, int defaultValue);
    POINT GetPosition(int part, int state, int property, POINT defaultValue);

    BOOL DrawBackground(HDC dc, int part, int state, const RECT* rect);
    int DrawText(HDC dc, int part, int state, LPCSTR text, int length, UINT format, const RECT* rect);
    BOOL GetPartSize(int part, int state, const RECT* rect, int sizeKind, SIZE* size);

    // The class's bitmaps, loaded through the package.
    CVZRSkinBitmap* GetBitmap(LPCSTR name);
    SIZE GetBitmapSize(LPCSTR name);
    // The image of a part: IMAGEFILE, or IMAGEFILE1 when sizes select images.
    CString GetImageName(int part, int state);
    size_t GetCacheSize() const { return m_cache.size(); }

private:
    // The property of the wanted type, cached; another stored type gives null, uncached.
    const SchemaValue* Lookup(int part, int state, int property, int type);

    CVZRSkinContext* m_pOwner;
    CString m_strName;
    int m_classCode;
    CVZRSkinBitmapCache m_bitmaps;
    std::unordered_map<uint32_t, const SchemaValue*> m_cache;
    CVZRThemeClass(const CVZRThemeClass&);
    CVZRThemeClass& operator=(const CVZRThemeClass&);
};
