// The version strings and fixed information of a module's version resource.
#pragma once
#include <windows.h>
#include "framework/String.h"

class CVersionInfo {
public:
    enum {
        CompanyName,
        FileDescription,
        FileVersion,
        InternalName,
        LegalCopyright,
        OriginalFileName,
        ProductName,
        ProductVersion,
        Comments,
        LegalTrademarks,
        PrivateBuild,
        SpecialBuild,
        StringCount
    };

    CVersionInfo();

    // Both clear what an earlier read found; FALSE without a version resource.
    BOOL ReadFromModule(HMODULE hModule);
    BOOL ReadFromFile(LPCTSTR lpszPath);

    const VS_FIXEDFILEINFO& GetFixedFileInfo() const { return m_fixed; }
    const CString& GetString(int nIndex) const;

    CString GetCompanyName() const { return m_strings[CompanyName]; }
    CString GetFileDescription() const { return m_strings[FileDescription]; }
    CString GetFileVersion() const { return m_strings[FileVersion]; }
    CString GetInternalName() const { return m_strings[InternalName]; }
    CString GetLegalCopyright() const { return m_strings[LegalCopyright]; }
    CString GetOriginalFileName() const { return m_strings[OriginalFileName]; }
    CString GetProductName() const { return m_strings[ProductName]; }
    CString GetProductVersion() const { return m_strings[ProductVersion]; }
    CString GetComments() const { return m_strings[Comments]; }
    CString GetLegalTrademarks() const { return m_strings[LegalTrademarks]; }
    CString GetPrivateBuild() const { return m_strings[PrivateBuild]; }
    CString GetSpecialBuild() const { return m_strings[SpecialBuild]; }

    // Index of the language and code page pair to read (pairs are language,
    // code page): the user's language, then its primary language, then a
    // neutral one, then English, then the first. -1 for an empty table.
    static int ChooseTranslation(const WORD* pPairs, int nPairs, WORD wUserLang);

private:
    void Clear();

    VS_FIXEDFILEINFO m_fixed;
    CString m_strings[StringCount];
};
