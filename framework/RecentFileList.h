// The most-recently-used file list kept in the application's profile.
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/String.h"

class CCmdUI;

#define AFX_ABBREV_FILENAME_LEN 30

class FW_API CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Puts the file at the top; an entry for the same file (any case) moves up.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Replaces the menu's placeholder item with the list's entries.
    virtual void UpdateMenu(CCmdUI* pCmdUI);

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    CString m_strOriginal;  // the placeholder's menu text
    int m_nMaxDisplayLength;

protected:
    int m_nSize;
    CString* m_arrNames;

private:
    CRecentFileList(const CRecentFileList&);
    CRecentFileList& operator=(const CRecentFileList&);
};
