// The shell's system image lists (small and large icons), shared by the
// browser's views: attached by the first user, detached by the last.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/String.h"

class CShellImageLists {
public:
    CShellImageLists();
    ~CShellImageLists();

    HIMAGELIST Small() const { return s_hSmall; }
    HIMAGELIST Large() const { return s_hLarge; }
    static int Users() { return s_nUsers; }

    // The icon of the system's folder (closed or open).
    static int FolderIcon(BOOL bOpen = FALSE);
    // Icon and type name of a name by its extension alone, or of a file that
    // exists on disk (bOnDisk).
    static int FileIcon(LPCTSTR name, BOOL bOnDisk, CString* pTypeName = NULL);

private:
    CShellImageLists(const CShellImageLists&);
    CShellImageLists& operator=(const CShellImageLists&);

    static int s_nUsers;
    static HIMAGELIST s_hSmall;
    static HIMAGELIST s_hLarge;
};
