#include "skin/theme/SkinContext.h"

#include "skin/theme/ThemeClass.h"

CVZRSkinContext::CVZRSkinContext() {}

CVZRSkinContext::~CVZRSkinContext() {}

COLORREF CVZRSkinContext::FilterColor(COLORREF colour) const
{
    for (const CVZRColorFilter* filter : m_colorFilters)
        colour = filter->Filter(colour);
    return colour;
}

CVZRThemeClass* CVZRSkinContext::LookupThemeClass(const char* className)
{
    std::string key = className ? className : "";
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    }
    std::unique_ptr<CVZRThemeClass>& entry = m_classes[key];
    if (!entry)
        entry.reset(new CVZRThemeClass(this, key.c_str()));
    return entry.get();
}

void CVZRSkinContext::ClearThemeClasses() { m_classes.clear(); }

bool CVZRSkinContext::OwnsThemeClass(const void* handle) const
{
    if (handle == nullptr)
        return false;
    for (const auto& entry : m_classes) {
        if (entry.second.get() == handle)
            return true;
    }
    return false;
}
