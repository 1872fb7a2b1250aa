#include "browser/app/ShellImageLists.h"

#include <shellapi.h>

int CShellImageLists::s_nUsers = 0;
HIMAGELIST CShellImageLists::s_hSmall = NULL;
HIMAGELIST CShellImageLists::s_hLarge = NULL;

CShellImageLists::CShellImageLists()
{
    if (s_nUsers++ > 0)
        return;
    SHFILEINFOA info = {};
    s_hSmall = (HIMAGELIST)::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    s_hLarge = (HIMAGELIST)::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_LARGEICON);
}

CShellImageLists::~CShellImageLists()
{
    // the system owns the lists: detaching only forgets them
    if (--s_nUsers == 0)
        s_hSmall = s_hLarge = NULL;
}

int CShellImageLists::FolderIcon(BOOL bOpen)
{
    SHFILEINFOA info = {};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | (bOpen ? SHGFI_OPENICON : 0);
    ::SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags);
    return info.iIcon;
}

int CShellImageLists::FileIcon(LPCTSTR name, BOOL bOnDisk, CString* pTypeName)
{
    SHFILEINFOA info = {};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME | (bOnDisk ? 0 : SHGFI_USEFILEATTRIBUTES);
    ::SHGetFileInfoA(name, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags);
    if (pTypeName)
        *pTypeName = info.szTypeName;
    return info.iIcon;
}
