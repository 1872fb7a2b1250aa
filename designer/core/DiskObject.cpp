#include "designer/core/DiskObject.h"

#include "framework/FileFind.h"
#include "framework/Sys.h"

namespace {
const char INTERNAL_ERROR[] = "CDiskObject internal error";

CString WithoutTrailingSlash(const CString& folder)
{
    CString result = folder;
    if (result.GetLength() > 1 && result[result.GetLength() - 1] == '\\')
        result = result.Left(result.GetLength() - 1);
    return result;
}

CString DriveOf(const CString& path)
{
    return path.GetLength() >= 2 && path[1] == ':' ? path.Left(2) : CString();
}

// The current folder with '\' separators, as the paths here are written.
CString CurrentFolder()
{
    CString folder = FwGetCurrentDirectory();
    folder.Replace('/', '\\');
    return folder;
}

// Starts a search; a search that matches nothing is no failure.
enum FindStart { FIND_FOUND,
                 FIND_NONE,
                 FIND_FAILED };
FindStart StartFind(CFileFind& find, const CString& pattern)
{
    if (find.FindFile(pattern))
        return FIND_FOUND;
    return FwGetLastError() == ERROR_FILE_NOT_FOUND ? FIND_NONE : FIND_FAILED;
}

bool IsRoot(const CString& qualifiedFolder)
{
    CString rest = qualifiedFolder.Mid(DriveOf(qualifiedFolder).GetLength());
    return rest == "\\" || rest.IsEmpty();
}
}  // namespace

CDiskObject::CDiskObject(void* feedbackWindow) : m_pFeedbackWindow(feedbackWindow) {}

void CDiskObject::Feedback(LPCTSTR text)
{
    FwSetWindowText(m_pFeedbackWindow, text);
}

void CDiskObject::SetSystemError(unsigned long code, LPCTSTR path)
{
    m_strError = FwFormatSystemMessage(code);
    m_strError.TrimLeft();
    m_strError.TrimRight();
    if (!IsEmptyName(path))
        m_strError += CString(" ") + path;
    Feedback(m_strError);
}

void CDiskObject::SetInternalError()
{
    m_strError = INTERNAL_ERROR;
    Feedback(m_strError);
}

CString CDiskObject::QualifyPath(LPCTSTR path)
{
    CString result(path ? path : "");
    result.Replace('/', '\\');
    // Network paths and paths with a drive are complete already.
    if (result.Left(2) == "\\\\" || !DriveOf(result).IsEmpty())
        return result;
    const CString current = CurrentFolder();
    const CString currentBase = WithoutTrailingSlash(current);
    if (result.Left(3) == "..\\") {
        CString up = currentBase;
        while (result.Left(3) == "..\\") {
            result = result.Mid(3);
            const int slash = up.ReverseFind('\\');
            if (slash > DriveOf(up).GetLength())
                up = up.Left(slash);
            else if (slash >= 0)
                up = up.Left(slash + 1);
        }
        return WithoutTrailingSlash(up) + "\\" + result;
    }
    if (result.Left(1) == "\\")
        return DriveOf(current) + result;
    return currentBase + "\\" + result;
}

CString CDiskObject::QualifyFolder(LPCTSTR folder)
{
    CString result(folder ? folder : "");
    result.Replace('/', '\\');
    if (result.IsEmpty() || result[result.GetLength() - 1] != '\\')
        result += "\\";
    if (result.Left(2) == "\\\\")
        return result;
    return QualifyPath(result);
}

CString CDiskObject::GetFileNamePart(LPCTSTR path)
{
    const CString q = QualifyPath(path);
    const int slash = q.ReverseFind('\\');
    return slash < 0 ? CString() : q.Mid(slash + 1);
}

CString CDiskObject::GetFolderPart(LPCTSTR path)
{
    const CString q = QualifyPath(path);
    const int slash = q.ReverseFind('\\');
    return slash < 0 ? CString() : q.Left(slash);
}

BOOL CDiskObject::MakeFolder(const CString& path)
{
    if (FwCreateDirectory(path))
        return TRUE;
    const unsigned long code = FwGetLastError();
    // Made by someone else in the meantime: fine.
    if (FwDirectoryExists(path))
        return TRUE;
    SetSystemError(code, path);
    return FALSE;
}

BOOL CDiskObject::CreateFolderPath(LPCTSTR folder)
{
    ClearError();
    if (IsEmptyName(folder)) {
        SetInternalError();
        return FALSE;
    }
    const CString q = QualifyFolder(folder);
    CString path = DriveOf(q);
    CString rest = q.Mid(path.GetLength());
    if (q.Left(2) == "\\\\") {
        const int slash = q.Find('\\', 2);
        path = slash < 0 ? q : q.Left(slash);
        rest = slash < 0 ? CString() : q.Mid(slash);
    }
    // levels are probed by name: the kept job threads share the current folder
    while (!rest.IsEmpty()) {
        while (rest.Left(1) == "\\")
            rest = rest.Mid(1);
        const int slash = rest.Find('\\');
        const CString level = slash < 0 ? rest : rest.Left(slash);
        rest = slash < 0 ? CString() : rest.Mid(slash);
        if (level.IsEmpty())
            continue;
        path += "\\" + level;
        Feedback(path);
        if (!FwDirectoryExists(path) && !MakeFolder(path))
            return FALSE;
    }
    return TRUE;
}

BOOL CDiskObject::ListEntries(ListKind kind, LPCTSTR mask, const CString& folder, CStringArray& list, BOOL withPath)
{
    CFileFind find;
    const FindStart first = StartFind(find, folder + mask);
    if (first == FIND_FAILED) {
        SetSystemError(FwGetLastError(), folder + mask);
        return FALSE;
    }
    for (BOOL more = first == FIND_FOUND; more;) {
        more = find.FindNextFile();
        const bool directory = find.IsDirectory() != FALSE;
        const bool link = find.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT) != FALSE;
        const bool wanted = kind == LIST_FILES ? !directory : (directory && link);
        if (!wanted || find.IsDots())
            continue;
        const CString name = withPath ? folder + find.GetFileName() : find.GetFileName();
        Feedback(name);
        list.Add(name);
    }
    return TRUE;
}

BOOL CDiskObject::ListFilesMatching(LPCTSTR mask, LPCTSTR folder, CStringArray& list, BOOL withPath)
{
    ClearError();
    if (IsEmptyName(folder) || IsEmptyName(mask)) {
        SetInternalError();
        return FALSE;
    }
    return ListEntries(LIST_FILES, mask, QualifyFolder(folder), list, withPath);
}

BOOL CDiskObject::ListFiles(LPCTSTR folder, CStringArray& list, BOOL withPath)
{
    return ListFilesMatching("*.*", folder, list, withPath);
}

BOOL CDiskObject::CopyFolderFiles(LPCTSTR source, LPCTSTR target)
{
    ClearError();
    if (IsEmptyName(source) || IsEmptyName(target)) {
        SetInternalError();
        return FALSE;
    }
    CStringArray files;
    if (!ListFiles(source, files, FALSE) || !CreateFolderPath(target))
        return FALSE;
    const CString from = QualifyFolder(source);
    const CString to = QualifyFolder(target);
    for (int i = 0; i < files.GetSize(); ++i) {
        const CString sourceFile = from + files[i];
        const CString targetFile = to + files[i];
        Feedback(files[i]);
        if (!FwCopyFile(sourceFile, targetFile, FALSE)) {
            SetSystemError(FwGetLastError(), sourceFile + " -> " + targetFile);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CDiskObject::CopyFileToFolder(LPCTSTR file, LPCTSTR folder)
{
    ClearError();
    if (IsEmptyName(file) || IsEmptyName(folder)) {
        SetInternalError();
        return FALSE;
    }
    if (!CreateFolderPath(folder))
        return FALSE;
    const CString sourceFile = QualifyPath(file);
    Feedback(sourceFile);
    const CString targetFile = QualifyFolder(folder) + GetFileNamePart(file);
    if (!FwCopyFile(sourceFile, targetFile, FALSE)) {
        SetSystemError(FwGetLastError(), sourceFile);
        return FALSE;
    }
    return TRUE;
}

BOOL CDiskObject::RemoveFile(LPCTSTR file)
{
    ClearError();
    if (IsEmptyName(file)) {
        SetInternalError();
        return FALSE;
    }
    const CString path = QualifyPath(file);
    if (!FwDeleteFile(path)) {
        SetSystemError(FwGetLastError(), path);
        return FALSE;
    }
    return TRUE;
}

BOOL CDiskObject::EmptyFolder(LPCTSTR folder)
{
    ClearError();
    // An empty name would stand for the current folder.
    if (IsEmptyName(folder)) {
        SetInternalError();
        return FALSE;
    }
    CStringArray files;
    if (!ListFiles(folder, files, TRUE))
        return FALSE;
    for (int i = 0; i < files.GetSize(); ++i) {
        if (!FwDeleteFile(files[i])) {
            SetSystemError(FwGetLastError(), files[i]);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CDiskObject::RemoveFolder(LPCTSTR folder)
{
    ClearError();
    if (IsEmptyName(folder)) {
        SetInternalError();
        return FALSE;
    }
    if (!EmptyFolder(folder))
        return FALSE;
    const CString path = WithoutTrailingSlash(QualifyFolder(folder));
    if (!FwRemoveDirectory(path)) {
        SetSystemError(FwGetLastError(), path);
        return FALSE;
    }
    return TRUE;
}

BOOL CDiskObject::CopyFolder(LPCTSTR source, LPCTSTR target)
{
    ClearError();
    if (IsEmptyName(source) || IsEmptyName(target)) {
        SetInternalError();
        return FALSE;
    }
    Feedback(target);
    if (!MakeFolder(WithoutTrailingSlash(QualifyFolder(target))))
        return FALSE;
    return CopyFolderFiles(source, target);
}

BOOL CDiskObject::FileExists(LPCTSTR file)
{
    ClearError();
    if (IsEmptyName(file)) {
        SetInternalError();
        return FALSE;
    }
    return FwCanOpenForRead(QualifyPath(file)) ? TRUE : FALSE;
}

BOOL CDiskObject::CreateEmptyFile(LPCTSTR file)
{
    ClearError();
    if (IsEmptyName(file)) {
        SetInternalError();
        return FALSE;
    }
    const CString folder = GetFolderPart(file);
    if (!folder.IsEmpty() && !IsRoot(folder) && !CreateFolderPath(folder))
        return FALSE;
    const CString path = QualifyPath(file);
    if (!FwCreateOrTruncate(path)) {
        SetSystemError(FwGetLastError(), path);
        return FALSE;
    }
    return TRUE;
}

BOOL CDiskObject::FolderExists(LPCTSTR folder)
{
    ClearError();
    if (IsEmptyName(folder)) {
        SetInternalError();
        return FALSE;
    }
    return FwDirectoryExists(QualifyFolder(folder));
}

BOOL CDiskObject::CollectFolders(const CString& folder, CStringArray& list)
{
    CFileFind find;
    const FindStart first = StartFind(find, folder + "*.*");
    if (first == FIND_FAILED) {
        SetSystemError(FwGetLastError(), folder);
        return FALSE;
    }
    for (BOOL more = first == FIND_FOUND; more;) {
        more = find.FindNextFile();
        // Links and junctions are not followed: their targets lie outside the tree.
        if (!find.IsDirectory() || find.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT) || find.IsDots())
            continue;
        const CString name = find.GetFileName();
        const CString sub = folder + name + "\\";
        list.Add(sub);
        Feedback(name);
        if (!CollectFolders(sub, list))
            return FALSE;
    }
    return TRUE;
}

BOOL CDiskObject::ListAllFolders(LPCTSTR folder, CStringArray& list)
{
    ClearError();
    if (IsEmptyName(folder)) {
        SetInternalError();
        return FALSE;
    }
    return CollectFolders(QualifyFolder(folder), list);
}

BOOL CDiskObject::RemoveFolderTree(LPCTSTR folder)
{
    ClearError();
    if (IsEmptyName(folder)) {
        SetInternalError();
        return FALSE;
    }
    const CString root = QualifyFolder(folder);
    if (IsRoot(root)) {
        SetInternalError();
        return FALSE;
    }
    CStringArray folders;
    if (!ListAllFolders(root, folders))
        return FALSE;
    folders.InsertAt(0, root);
    for (int i = (int)folders.GetSize() - 1; i >= 0; --i) {
        // Linked folders inside go first, as links, so that emptying never
        // reaches through them.
        CStringArray links;
        if (!ListEntries(LIST_LINKED_FOLDERS, "*.*", folders[i], links, TRUE))
            return FALSE;
        for (int k = 0; k < links.GetSize(); ++k) {
            if (!FwRemoveDirectory(links[k])) {
                SetSystemError(FwGetLastError(), links[k]);
                return FALSE;
            }
        }
        if (!RemoveFolder(folders[i]))
            return FALSE;
    }
    return TRUE;
}
