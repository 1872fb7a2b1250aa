#include "deploy/WorkFolder.h"

#include "deploy/DepWizard.h"
#include "designer/core/DiskObject.h"
#include "framework/FileFind.h"
#include "framework/StringArray.h"

namespace {

HANDLE HoldNameFile(LPCTSTR path)
{
    return ::CreateFileA(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

}  // namespace

CWorkFolder::~CWorkFolder()
{
    if (m_strPath.IsEmpty())
        return;
    CDiskObject disk;
    disk.RemoveFolderTree(m_strPath);
    m_nameFile.Reset();
    if (!m_strNameFile.IsEmpty())
        ::DeleteFileA(m_strNameFile);
}

BOOL CWorkFolder::Make(LPCTSTR bootFolder)
{
    CDepWizStep2::MakeWorkFolderName(m_strPath);
    if (m_strPath.IsEmpty())
        return FALSE;
    m_strNameFile = NameFileOf(m_strPath);
    if (!m_strNameFile.IsEmpty())
        m_nameFile.Reset(HoldNameFile(m_strNameFile));
    RemoveLeftBehind(m_strPath.Left(m_strPath.ReverseFind('\\') + 1));
    ::DeleteFileA(m_strPath);
    CDiskObject disk;
    return disk.CreateFolderPath(m_strPath) && disk.CreateFolderPath(m_strPath + "\\" + bootFolder);
}

CString CWorkFolder::NameFileOf(const CString& folder)
{
    const int slash = folder.ReverseFind('\\');
    const CString title = folder.Mid(slash + 1);
    if (title.GetLength() <= 4 || title.Right(4) != "_tmp")
        return CString();
    return folder.Left(slash + 1) + title.Left(title.GetLength() - 4) + ".tmp";
}

void CWorkFolder::RemoveLeftBehind(const CString& tempFolder)
{
    CStringArray left;
    CFileFind find;
    BOOL more = find.FindFile(tempFolder + "KEL*_tmp");
    while (more) {
        more = find.FindNextFile();
        if (!find.IsDirectory() || find.IsDots())
            continue;
        const CString folder = tempFolder + find.GetFileName();
        const CString nameFile = NameFileOf(folder);
        if (nameFile.IsEmpty() || ::GetFileAttributesA(nameFile) == INVALID_FILE_ATTRIBUTES)
            continue;  // not one of ours
        CScopedHandle held(HoldNameFile(nameFile));
        if (held.IsValid())
            left.Add(folder);  // else a job that runs now
    }
    find.Close();
    CDiskObject disk;
    for (int i = 0; i < left.GetSize(); ++i)
        if (disk.RemoveFolderTree(left[i]))
            ::DeleteFileA(NameFileOf(left[i]));
}
