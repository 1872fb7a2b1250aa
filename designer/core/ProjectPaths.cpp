#include "designer/core/ProjectPaths.h"

#include <vector>

CString CProjectPaths::s_strFolder;

namespace {
// The length of the part that steps cannot climb above: "C:", "\\server\share" or "".
int RootLength(const CString& path)
{
    if (path.GetLength() >= 2 && path[1] == ':')
        return 2;
    if (path.Left(2) == "\\\\") {
        int share = path.Find('\\', 2);
        if (share < 0)
            return path.GetLength();
        int end = path.Find('\\', share + 1);
        return end < 0 ? path.GetLength() : end;
    }
    return 0;
}

CString WithoutTrailingSlash(CString folder)
{
    folder.Replace('/', '\\');
    folder.TrimRight();
    while (folder.GetLength() > 2 && folder.Right(1) == "\\")
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}
}  // namespace

BOOL CProjectPaths::IsRelative(LPCTSTR lpszPath)
{
    if (!lpszPath || !*lpszPath)
        return FALSE;
    if (lpszPath[0] == '\\' || lpszPath[0] == '/')
        return FALSE;
    return !(lpszPath[1] == ':');
}

CString CProjectPaths::Resolve(LPCTSTR lpszPath, LPCTSTR lpszFolder)
{
    CString path(lpszPath ? lpszPath : "");
    CString folder = WithoutTrailingSlash(lpszFolder ? lpszFolder : "");
    if (!IsRelative(path) || folder.IsEmpty())
        return path;
    path.Replace('/', '\\');
    const int root = RootLength(folder);
    CString result = folder.Left(root);
    std::vector<CString> steps;
    CString rest = folder.Mid(root) + "\\" + path;
    for (int start = 0; start <= rest.GetLength();) {
        int end = rest.Find('\\', start);
        if (end < 0)
            end = rest.GetLength();
        CString step = rest.Mid(start, end - start);
        if (step == "..") {
            if (!steps.empty())
                steps.pop_back();
        } else if (!step.IsEmpty() && step != ".") {
            steps.push_back(step);
        }
        start = end + 1;
    }
    for (const CString& step : steps)
        result += "\\" + step;
    return result;
}

CString CProjectPaths::Rebase(LPCTSTR lpszPath, LPCTSTR lpszOldFolder, LPCTSTR lpszNewFolder)
{
    CString path(lpszPath ? lpszPath : "");
    if (!IsRelative(path) || SameFolder(lpszOldFolder, lpszNewFolder))
        return path;
    CString absolute = Resolve(path, lpszOldFolder);
    if (absolute == path)
        return path;
    CString folder = WithoutTrailingSlash(lpszNewFolder ? lpszNewFolder : "");
    const int n = folder.GetLength();
    if (n > 0 && absolute.GetLength() > n + 1 && absolute[n] == '\\' &&
        absolute.Left(n).CompareNoCase(folder) == 0)
        return absolute.Mid(n + 1);
    return absolute;
}

CString CProjectPaths::FolderOf(LPCTSTR lpszFilePath)
{
    CString path(lpszFilePath ? lpszFilePath : "");
    path.Replace('/', '\\');
    int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : WithoutTrailingSlash(path.Left(slash + 1));
}

BOOL CProjectPaths::SameFolder(LPCTSTR lpszFirst, LPCTSTR lpszSecond)
{
    return WithoutTrailingSlash(lpszFirst ? lpszFirst : "")
               .CompareNoCase(WithoutTrailingSlash(lpszSecond ? lpszSecond : "")) == 0;
}

void CProjectPaths::SetProjectFolder(LPCTSTR lpszFolder)
{
    s_strFolder = WithoutTrailingSlash(lpszFolder ? lpszFolder : "");
}
