// What the skin engine owns and lends to the drawing code: apply options,
// colour filters, the package, the schema, the metrics and the theme classes.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CVZRThemeClass;
class CVZRThemePackage;
class CVZRThemeSchema;
class CVZRSkinSystemMetrics;

class CVZRColorFilter {
public:
    virtual ~CVZRColorFilter() {}
    virtual COLORREF Filter(COLORREF colour) const = 0;
};

const DWORD kApplyMetrics = 1;
const DWORD kApplyFrames = 2;
const DWORD kApplyColors = 4;

// Frame kinds of window and dialog skins.
const int kFrameWindow = 1;
const int kFrameDialog = 2;
const int kFramePropertyPage = 6;

class CVZRSkinContext {
public:
    CVZRSkinContext();
    ~CVZRSkinContext();

    DWORD m_applyOptions = kApplyMetrics | kApplyFrames | kApplyColors;
    std::vector<const CVZRColorFilter*> m_colorFilters;  // not owned
    CVZRThemePackage* m_pPackage = nullptr;              // not owned
    CVZRThemeSchema* m_pSchema = nullptr;                // not owned
    CVZRSkinSystemMetrics* m_pMetrics = nullptr;         // not owned

    // Every filter in order.
    COLORREF FilterColor(COLORREF colour) const;
    // The theme class of the name (upper-cased), made on first request.
    CVZRThemeClass* LookupThemeClass(const char* className);
    void ClearThemeClasses();
    // Whether the pointer is one of the theme classes handed out.
    bool OwnsThemeClass(const void* handle) const;

private:
    std::map<std::string, std::unique_ptr<CVZRThemeClass>> m_classes;
    CVZRSkinContext(const CVZRSkinContext&);
    CVZRSkinContext& operator=(const CVZRSkinContext&);
};
