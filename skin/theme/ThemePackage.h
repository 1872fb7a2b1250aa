// A theme package: a folder with the ini file and images, or a resource
// library with UTF-16 ini texts and PNG or bitmap resources.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "skin/theme/PackageText.h"

#include <string>

class CVZRSkinBitmap;
class CVZRThemeSchema;
class CVZRSkinContext;

class CVZRThemePackage {
public:
    explicit CVZRThemePackage(CVZRSkinContext* owner = nullptr) : m_pOwner(owner) {}
    virtual ~CVZRThemePackage() { Close(); }

    virtual BOOL Open(LPCSTR path, LPCSTR iniName);
    virtual BOOL ReadLine(CString& line);
    virtual void Close();
    // A new bitmap owned by the caller, or null.
    virtual CVZRSkinBitmap* LoadBitmap(LPCSTR name);
    // The Office 2007 schema when string 5000 says so, else the default schema.
    virtual CVZRThemeSchema* CreateSchema();

    CString GetDefaultIniName() const;
    const CString& GetPackagePath() const { return m_strPath; }
    const CString& GetIniName() const { return m_strIniName; }
    HMODULE GetModule() const { return m_hModule; }
    bool IsOpen() const { return m_bOpen; }
    bool IsFolder() const { return m_bOpen && m_bFolder; }

private:
    CVZRSkinContext* m_pOwner;
    HMODULE m_hModule = NULL;
    CString m_strPath;
    CString m_strIniName;
    bool m_bFolder = false;
    bool m_bOpen = false;
    std::string m_folderText;  // the whole ini file of a folder package
    size_t m_folderPos = 0;
    bool m_bFolderUtf16 = false;
    Utf16LineReader m_text;
    CVZRThemePackage(const CVZRThemePackage&);
    CVZRThemePackage& operator=(const CVZRThemePackage&);
};
