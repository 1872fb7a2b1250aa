// The framework's one platform file: every system call of the portable
// classes is here, for Win32 (A functions) and for POSIX.
#include "framework/Sys.h"

#include "framework/File.h"
#include "framework/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
HINSTANCE g_hResource = NULL;

}

void AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResource = hInstResource; }

TCHAR FwPathSeparator()
{
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

CString FwNativePath(LPCTSTR lpszPath)
{
    CString s(lpszPath);
#ifndef _WIN32
    s.Replace('\\', '/');
#endif
    return s;
}

BOOL FwIsLeadByte(unsigned char c) { return fwplat::IsLeadByte(c) ? TRUE : FALSE; }

BOOL FwFileExists(LPCTSTR lpszPath) { return FwGetFileAttributes(lpszPath) != INVALID_FILE_ATTRIBUTES; }

BOOL FwDirectoryExists(LPCTSTR lpszPath)
{
    DWORD a = FwGetFileAttributes(lpszPath);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

namespace {
time_t FileTimeToTime(const FILETIME& ft)
{
    const ULONGLONG epoch = 116444736000000000ULL;  // 1601 to 1970 in 100 ns
    ULONGLONG v = ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
    return v < epoch ? 0 : (time_t)((v - epoch) / 10000000ULL);
}

void EntryFromFind(const WIN32_FIND_DATAA& fd, CFileFind::Entry& e)
{
    e.strName = fd.cFileName;
    e.dwAttributes = fd.dwFileAttributes;
    e.nSize = ((ULONGLONG)fd.nFileSizeHigh << 32) | fd.nFileSizeLow;
    e.tCreation = FileTimeToTime(fd.ftCreationTime);
    e.tAccess = FileTimeToTime(fd.ftLastAccessTime);
    e.tWrite = FileTimeToTime(fd.ftLastWriteTime);
}
}  // namespace

HINSTANCE AfxGetResourceHandle() { return g_hResource ? g_hResource : ::GetModuleHandleA(NULL); }

CString FwGetCurrentDirectory()
{
    CString s;
    DWORD n = ::GetCurrentDirectoryA(MAX_PATH, s.GetBuffer(MAX_PATH));
    if (n >= MAX_PATH) {
        s.ReleaseBuffer(0);
        n = ::GetCurrentDirectoryA(n, s.GetBuffer(n));
    }
    s.ReleaseBuffer(n < 0x8000 ? (int)n : 0);
    return s;
}

BOOL FwSetCurrentDirectory(LPCTSTR p) { return ::SetCurrentDirectoryA(p); }
BOOL FwCreateDirectory(LPCTSTR p) { return ::CreateDirectoryA(p, NULL); }
BOOL FwRemoveDirectory(LPCTSTR p) { return ::RemoveDirectoryA(p); }
BOOL FwDeleteFile(LPCTSTR p) { return ::DeleteFileA(p); }
BOOL FwCopyFile(LPCTSTR s, LPCTSTR d, BOOL bFailIfExists) { return ::CopyFileA(s, d, bFailIfExists); }
BOOL FwMoveFile(LPCTSTR s, LPCTSTR d) { return ::MoveFileA(s, d); }
DWORD FwGetFileAttributes(LPCTSTR p) { return ::GetFileAttributesA(p); }
DWORD FwGetLastError() { return ::GetLastError(); }
void FwSetLastError(DWORD e) { ::SetLastError(e); }

CString FwFormatSystemMessage(DWORD dwError)
{
    char buf[1024];
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                               dwError, 0, buf, sizeof buf, NULL);
    CString s;
    if (n == 0)
        s.Format("Error %lu", (unsigned long)dwError);
    else
        s = CString(buf, (int)n);
    s.TrimRight();
    return s;
}

CString FwGetTempPath()
{
    CString s;
    DWORD n = ::GetTempPathA(MAX_PATH + 1, s.GetBuffer(MAX_PATH + 1));
    s.ReleaseBuffer(n <= MAX_PATH ? (int)n : 0);
    return s;
}

UINT FwGetTempFileName(LPCTSTR lpszFolder, LPCTSTR lpszPrefix, CString& strPath)
{
    char buf[MAX_PATH];
    UINT n = ::GetTempFileNameA(lpszFolder, lpszPrefix ? lpszPrefix : "", 0, buf);
    strPath = n ? buf : "";
    return n;
}

int FwAccess(LPCTSTR p, int nMode) { return _access(p, nMode); }

CString FwGetFullPathName(LPCTSTR p)
{
    CString s;
    LPSTR file = NULL;
    DWORD n = ::GetFullPathNameA(p, MAX_PATH, s.GetBuffer(MAX_PATH), &file);
    if (n >= MAX_PATH) {
        s.ReleaseBuffer(0);
        n = ::GetFullPathNameA(p, n, s.GetBuffer(n), &file);
    }
    s.ReleaseBuffer(n < 0x8000 ? (int)n : 0);
    return s;
}

// Paths are in the system code page; the C library's narrow calls would read
// them in its own locale.
static std::wstring WidePath(LPCTSTR path)
{
    const int n = path ? ::MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0) : 0;
    if (n <= 1)
        return std::wstring();
    std::wstring wide((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], n);
    wide.resize((size_t)n - 1);
    return wide;
}

FILE* FwOpenStdFile(LPCTSTR lpszPath, LPCTSTR lpszMode)
{
    const std::wstring wideMode(lpszMode, lpszMode + strlen(lpszMode));
    const std::wstring wide = WidePath(lpszPath);
    FILE* f = wide.empty() ? NULL : _wfopen(wide.c_str(), wideMode.c_str());
    if (!f)
        ::SetLastError(errno == ENOENT   ? ERROR_FILE_NOT_FOUND
                       : errno == EACCES ? ERROR_ACCESS_DENIED
                                         : ERROR_OPEN_FAILED);
    return f;
}

void FwNoteStdioError() {}

int FwOpenDescriptor(LPCTSTR lpszPath, BOOL bWrite)
{
    const int flags = bWrite ? _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY : _O_RDONLY | _O_BINARY;
    return _wopen(WidePath(lpszPath).c_str(), flags, _S_IREAD | _S_IWRITE);
}

void FwCloseDescriptor(int fd) { _close(fd); }

static BOOL OpenAndClose(LPCTSTR path, DWORD access, DWORD share, DWORD disposition)
{
    HANDLE h = ::CreateFileA(path, access, share, NULL, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    ::CloseHandle(h);
    return TRUE;
}

BOOL FwCanOpenForRead(LPCTSTR p)
{
    return OpenAndClose(p, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
}

BOOL FwCreateOrTruncate(LPCTSTR p) { return OpenAndClose(p, GENERIC_WRITE, 0, CREATE_ALWAYS); }

BOOL FwFindProgramResource(UINT nID, LPCTSTR lpszType, const void*& pData, size_t& nSize)
{
    HMODULE module = ::GetModuleHandleA(NULL);
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(nID), lpszType);
    if (!info)
        return FALSE;
    HGLOBAL loaded = ::LoadResource(module, info);
    const void* bytes = loaded ? ::LockResource(loaded) : NULL;
    if (!bytes)
        return FALSE;
    pData = bytes;
    nSize = ::SizeofResource(module, info);
    return TRUE;
}

void FwSetWindowText(void* hWnd, LPCTSTR lpszText)
{
    if (hWnd)
        ::SetWindowTextA((HWND)hWnd, lpszText);
}

namespace fwplat {
bool IsLeadByte(unsigned char c) { return c >= 0x80 && ::IsDBCSLeadByte(c); }

HANDLE OpenFile(LPCTSTR path, UINT flags)
{
    DWORD access = 0;
    switch (flags & 3) {
    case CFile::modeRead: access = GENERIC_READ; break;
    case CFile::modeWrite: access = GENERIC_WRITE; break;
    case CFile::modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: ::SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
    DWORD share = 0;
    switch (flags & 0x70) {
    case CFile::shareDenyWrite: share = FILE_SHARE_READ; break;
    case CFile::shareDenyRead: share = FILE_SHARE_WRITE; break;
    case CFile::shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
    }
    DWORD create = OPEN_EXISTING;
    if (flags & CFile::modeCreate)
        create = (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, (flags & CFile::modeNoInherit) == 0};
    return ::CreateFileA(path, access, share, &sa, create, FILE_ATTRIBUTE_NORMAL, NULL);
}

BOOL ReadFile(HANDLE h, void* buf, UINT count, UINT& done)
{
    DWORD n = 0;
    BOOL ok = ::ReadFile(h, buf, count, &n, NULL);
    done = ok ? n : 0;
    return ok;
}

BOOL WriteFile(HANDLE h, const void* buf, UINT count)
{
    const char* p = static_cast<const char*>(buf);
    while (count > 0) {
        DWORD n = 0;
        if (!::WriteFile(h, p, count, &n, NULL))
            return FALSE;
        if (n == 0) {
            ::SetLastError(ERROR_DISK_FULL);
            return FALSE;
        }
        p += n;
        count -= n;
    }
    return TRUE;
}

BOOL SeekFile(HANDLE h, LONGLONG off, UINT from, ULONGLONG& pos)
{
    static const DWORD methods[3] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    if (from > 2) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    LARGE_INTEGER li, out;
    li.QuadPart = off;
    if (!::SetFilePointerEx(h, li, &out, methods[from]))
        return FALSE;
    pos = (ULONGLONG)out.QuadPart;
    return TRUE;
}

BOOL TruncateFile(HANDLE h, ULONGLONG size)
{
    ULONGLONG pos = 0, old = 0;
    if (!SeekFile(h, 0, CFile::current, old) || !SeekFile(h, (LONGLONG)size, CFile::begin, pos))
        return FALSE;
    BOOL ok = ::SetEndOfFile(h);
    DWORD err = ::GetLastError();
    SeekFile(h, (LONGLONG)(old < size ? old : size), CFile::begin, pos);
    ::SetLastError(err);
    return ok;
}

BOOL FlushFile(HANDLE h) { return ::FlushFileBuffers(h); }
BOOL CloseFile(HANDLE h) { return ::CloseHandle(h); }

BOOL FileSize(HANDLE h, ULONGLONG& size)
{
    LARGE_INTEGER li;
    if (!::GetFileSizeEx(h, &li))
        return FALSE;
    size = (ULONGLONG)li.QuadPart;
    return TRUE;
}

BOOL StatPath(LPCTSTR path, CFileFind::Entry& e)
{
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &d))
        return FALSE;
    CString p(path);
    int cut = p.FindOneOf("\\/") >= 0 ? (p.ReverseFind('\\') > p.ReverseFind('/') ? p.ReverseFind('\\')
                                                                                  : p.ReverseFind('/'))
                                      : -1;
    e.strName = p.Mid(cut + 1);
    e.dwAttributes = d.dwFileAttributes;
    e.nSize = ((ULONGLONG)d.nFileSizeHigh << 32) | d.nFileSizeLow;
    e.tCreation = FileTimeToTime(d.ftCreationTime);
    e.tAccess = FileTimeToTime(d.ftLastAccessTime);
    e.tWrite = FileTimeToTime(d.ftLastWriteTime);
    return TRUE;
}

struct FindState {
    HANDLE h;
};

FindState* FindFirst(LPCTSTR pattern, CFileFind::Entry& e)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE)
        return NULL;
    EntryFromFind(fd, e);
    return new FindState{h};
}

BOOL FindNext(FindState* s, CFileFind::Entry& e)
{
    WIN32_FIND_DATAA fd;
    if (!::FindNextFileA(s->h, &fd))
        return FALSE;
    EntryFromFind(fd, e);
    return TRUE;
}

void FindClose(FindState* s)
{
    if (s) {
        ::FindClose(s->h);
        delete s;
    }
}
}  // namespace fwplat

#else  // POSIX

#include <cerrno>
#include <cctype>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {
thread_local DWORD t_lastError = 0;

BOOL HasWildcard(LPCTSTR s) { return strpbrk(s, "*?") != NULL; }

CString TempName(LPCTSTR folder, LPCTSTR prefix, UINT n)
{
    CString path(folder);
    if (!path.IsEmpty() && path.Right(1) != "\\" && path.Right(1) != "/")
        path += FwPathSeparator();
    CString pre = CString(prefix).Left(3);
    path.AppendFormat("%s%X.tmp", (LPCTSTR)pre, n);
    return path;
}

struct ErrnoMap {
    int err;
    DWORD code;
};
// first match wins in both directions
const ErrnoMap kErrnoMap[] = {
    {0, ERROR_SUCCESS},
    {ENOENT, ERROR_FILE_NOT_FOUND},
    {ENOTDIR, ERROR_PATH_NOT_FOUND},
    {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
    {EACCES, ERROR_ACCESS_DENIED},
    {EPERM, ERROR_ACCESS_DENIED},
    {EISDIR, ERROR_ACCESS_DENIED},
    {EROFS, ERROR_WRITE_PROTECT},
    {EBADF, ERROR_INVALID_HANDLE},
    {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
    {EBUSY, ERROR_BUSY},
    {EEXIST, ERROR_ALREADY_EXISTS},
    {EEXIST, ERROR_FILE_EXISTS},
    {EINVAL, ERROR_INVALID_PARAMETER},
    {ENOSPC, ERROR_DISK_FULL},
    {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
    {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
    {ENOSYS, ERROR_NOT_SUPPORTED},
};
const DWORD kErrnoFlag = 0x20000000;  // an errno value without a Win32 twin

DWORD FromErrno(int err)
{
    for (const ErrnoMap& m : kErrnoMap)
        if (m.err == err)
            return m.code;
    return kErrnoFlag | (DWORD)err;
}

int ToErrno(DWORD code)
{
    if (code & kErrnoFlag)
        return (int)(code & ~kErrnoFlag);
    for (const ErrnoMap& m : kErrnoMap)
        if (m.code == code)
            return m.err;
    return -1;
}

BOOL Fail(int err = errno)
{
    t_lastError = FromErrno(err);
    return FALSE;
}

// ENOENT for a path whose folder is missing, told apart as Windows does
BOOL FailPath(const char* path, int err = errno)
{
    if (err == ENOENT) {
        std::string p(path);
        size_t slash = p.find_last_of('/');
        std::string parent = slash == std::string::npos ? "." : (slash == 0 ? "/" : p.substr(0, slash));
        struct stat st;
        if (stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            t_lastError = ERROR_PATH_NOT_FOUND;
            return FALSE;
        }
    }
    return Fail(err);
}

BOOL Succeed()
{
    t_lastError = ERROR_SUCCESS;
    return TRUE;
}

HANDLE FdToHandle(int fd) { return (HANDLE)(intptr_t)fd; }
int HandleToFd(HANDLE h) { return (int)(intptr_t)h; }

void EntryFromStat(const struct stat& st, const CString& name, CFileFind::Entry& e)
{
    e.strName = name;
    DWORD a = 0;
    if (S_ISDIR(st.st_mode))
        a |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(st.st_mode & S_IWUSR))
        a |= FILE_ATTRIBUTE_READONLY;
    if (name.GetLength() > 1 && name[0] == '.' && name != "..")
        a |= FILE_ATTRIBUTE_HIDDEN;
    e.dwAttributes = a ? a : FILE_ATTRIBUTE_NORMAL;
    e.nSize = S_ISDIR(st.st_mode) ? 0 : (ULONGLONG)st.st_size;
    e.tCreation = st.st_ctime;
    e.tAccess = st.st_atime;
    e.tWrite = st.st_mtime;
}

// stat that also reports a dangling symbolic link
int StatOrLink(const char* path, struct stat& st)
{
    if (stat(path, &st) == 0)
        return 0;
    return lstat(path, &st);
}

// A symbolic link is a reparse point, as a Windows link or junction is.
void MarkLink(const char* path, CFileFind::Entry& e)
{
    struct stat st;
    if (lstat(path, &st) != 0 || !S_ISLNK(st.st_mode))
        return;
    if (e.dwAttributes == FILE_ATTRIBUTE_NORMAL)
        e.dwAttributes = 0;
    e.dwAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
}

bool GlobNoCase(const char* m, const char* n)
{
    for (; *m; ++m, ++n) {
        if (*m == '*') {
            while (m[1] == '*')
                ++m;
            if (!m[1])
                return true;
            for (; *n; ++n)
                if (GlobNoCase(m + 1, n))
                    return true;
            return false;
        }
        if (!*n)
            return false;
        if (*m != '?' && tolower((unsigned char)*m) != tolower((unsigned char)*n))
            return false;
    }
    return !*n;
}

// Windows matching: "*.*" takes every name, "x.*" also "x", "*." names without a dot.
bool MatchesPattern(const CString& mask, const CString& name)
{
    if (mask == "*" || mask == "*.*")
        return true;
    if (!HasWildcard(mask))
        return mask == name;
    if (GlobNoCase(mask, name))
        return true;
    int len = mask.GetLength();
    if (name.Find('.') < 0) {
        if (len >= 2 && mask.Right(2) == ".*")
            return GlobNoCase(mask.Left(len - 2), name);
        if (len >= 1 && mask.Right(1) == ".")
            return GlobNoCase(mask.Left(len - 1), name);
    }
    return false;
}

CString JoinPath(const CString& dir, const CString& name)
{
    if (dir.IsEmpty() || dir.Right(1) == "/")
        return dir + name;
    return dir + "/" + name;
}
}  // namespace

HINSTANCE AfxGetResourceHandle() { return g_hResource; }

CString FwGetCurrentDirectory()
{
    char buf[4096];
    if (!getcwd(buf, sizeof buf)) {
        Fail();
        return CString();
    }
    return CString(buf);
}

BOOL FwSetCurrentDirectory(LPCTSTR p)
{
    return chdir(FwNativePath(p)) == 0 ? Succeed() : Fail();
}

BOOL FwCreateDirectory(LPCTSTR p)
{
    CString n = FwNativePath(p);
    return mkdir(n, 0777) == 0 ? Succeed() : FailPath(n);
}

BOOL FwRemoveDirectory(LPCTSTR p)
{
    // a link to a folder goes itself, as RemoveDirectory takes a folder link
    CString n = FwNativePath(p);
    struct stat st;
    if (lstat(n, &st) == 0 && S_ISLNK(st.st_mode) && stat(n, &st) == 0 && S_ISDIR(st.st_mode))
        return unlink(n) == 0 ? Succeed() : Fail();
    return rmdir(n) == 0 ? Succeed() : Fail();
}

BOOL FwDeleteFile(LPCTSTR p)
{
    CString n = FwNativePath(p);
    struct stat st;
    if (lstat(n, &st) == 0 && S_ISDIR(st.st_mode))
        return Fail(EACCES);
    return unlink(n) == 0 ? Succeed() : Fail();
}

BOOL FwCopyFile(LPCTSTR lpszSource, LPCTSTR lpszTarget, BOOL bFailIfExists)
{
    CString src = FwNativePath(lpszSource), dst = FwNativePath(lpszTarget);
    int in = open(src, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return Fail();
    struct stat st, dt;
    if (fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        int err = S_ISDIR(st.st_mode) ? EACCES : errno;
        close(in);
        return Fail(err);
    }
    // copying a file onto itself would truncate it first
    if (stat(dst, &dt) == 0 && dt.st_dev == st.st_dev && dt.st_ino == st.st_ino) {
        close(in);
        t_lastError = bFailIfExists ? ERROR_FILE_EXISTS : ERROR_SHARING_VIOLATION;
        return FALSE;
    }
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (bFailIfExists ? O_EXCL : O_TRUNC);
    int out = open(dst, flags, st.st_mode & 0777);
    if (out < 0) {
        int err = errno;
        close(in);
        if (err == EEXIST) {
            t_lastError = ERROR_FILE_EXISTS;
            return FALSE;
        }
        return Fail(err);
    }
    char buf[65536];
    int err = 0;
    for (;;) {
        ssize_t n = read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            err = n < 0 ? errno : 0;
            break;
        }
        for (ssize_t done = 0; done < n && !err;) {
            ssize_t w = write(out, buf + done, n - done);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                err = w < 0 ? errno : ENOSPC;
            else
                done += w;
        }
        if (err)
            break;
    }
    if (!err) {
        struct timespec times[2] = {st.st_atim, st.st_mtim};
        futimens(out, times);  // as CopyFile, keep the write time
    }
    close(in);
    if (close(out) != 0 && !err)
        err = errno;
    return err ? Fail(err) : Succeed();
}

BOOL FwMoveFile(LPCTSTR lpszSource, LPCTSTR lpszTarget)
{
    CString src = FwNativePath(lpszSource), dst = FwNativePath(lpszTarget);
    struct stat st;
    if (lstat(src, &st) != 0)
        return Fail();
    if (lstat(dst, &st) == 0) {
        t_lastError = ERROR_ALREADY_EXISTS;  // MoveFile never replaces
        return FALSE;
    }
    if (rename(src, dst) == 0)
        return Succeed();
    if (errno != EXDEV || S_ISDIR(st.st_mode))
        return Fail();
    return FwCopyFile(src, dst, TRUE) && FwDeleteFile(src);
}

DWORD FwGetFileAttributes(LPCTSTR p)
{
    CFileFind::Entry e;
    if (!fwplat::StatPath(p, e))
        return INVALID_FILE_ATTRIBUTES;
    return e.dwAttributes;
}

DWORD FwGetLastError() { return t_lastError; }
void FwSetLastError(DWORD e) { t_lastError = e; }

CString FwFormatSystemMessage(DWORD dwError)
{
    int err = ToErrno(dwError);
    CString s;
    if (err < 0)
        s.Format("Error %lu", (unsigned long)dwError);
    else
        s = strerror(err);
    return s;
}

CString FwGetTempPath()
{
    const char* t = getenv("TMPDIR");
    CString s = t && *t ? t : "/tmp";
    if (s.Right(1) != "/")
        s += '/';
    return s;
}

UINT FwGetTempFileName(LPCTSTR lpszFolder, LPCTSTR lpszPrefix, CString& strPath)
{
    static unsigned s_counter = 0;
    UINT start = ((UINT)time(NULL) ^ ((UINT)getpid() << 4)) + __atomic_add_fetch(&s_counter, 7, __ATOMIC_RELAXED);
    for (UINT i = 0; i < 0xFFFF; ++i) {
        UINT n = (start + i) % 0xFFFF + 1;
        CString path = TempName(FwNativePath(lpszFolder), lpszPrefix ? lpszPrefix : "", n);
        int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            strPath = path;
            Succeed();
            return n;
        }
        if (errno != EEXIST)
            break;
    }
    Fail();
    strPath.Empty();
    return 0;
}

int FwAccess(LPCTSTR p, int nMode)
{
    int m = F_OK;
    if (nMode & 2)
        m |= W_OK;
    if (nMode & 4)
        m |= R_OK;
    if (access(FwNativePath(p), m) == 0)
        return 0;
    Fail();
    return -1;
}

CString FwGetFullPathName(LPCTSTR p)
{
    CString in = FwNativePath(p);
    CString whole = in;
    if (in.IsEmpty() || in[0] != '/')
        whole = JoinPath(FwGetCurrentDirectory(), in);
    std::vector<CString> parts;
    int pos = 0;
    for (CString part = whole.Tokenize("/", pos); pos >= 0; part = whole.Tokenize("/", pos)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    CString out;
    for (const CString& part : parts)
        out += "/" + part;
    if (out.IsEmpty() || (whole.Right(1) == "/" && !parts.empty()))
        out += "/";
    return out;
}

FILE* FwOpenStdFile(LPCTSTR lpszPath, LPCTSTR lpszMode)
{
    CString native = FwNativePath(lpszPath);
    FILE* f = fopen(native, lpszMode);
    if (!f)
        FailPath(native);
    return f;
}

void FwNoteStdioError() { Fail(); }

int FwOpenDescriptor(LPCTSTR lpszPath, BOOL bWrite)
{
    const int flags = bWrite ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY;
    CString native = FwNativePath(lpszPath);
    int fd = open(native, flags | O_CLOEXEC, 0666);
    if (fd < 0)
        FailPath(native);
    return fd;
}

void FwCloseDescriptor(int fd) { close(fd); }

BOOL FwCanOpenForRead(LPCTSTR p)
{
    int fd = open(FwNativePath(p), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fail();
    struct stat st;
    const bool file = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
    close(fd);
    return file ? Succeed() : Fail(EACCES);
}

BOOL FwCreateOrTruncate(LPCTSTR p)
{
    CString native = FwNativePath(p);
    int fd = open(native, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return FailPath(native);
    close(fd);
    return Succeed();
}

BOOL FwFindProgramResource(UINT, LPCTSTR, const void*&, size_t&) { return FALSE; }

void FwSetWindowText(void*, LPCTSTR) {}

namespace fwplat {
// UTF-8 and single-byte code pages: no byte of a character looks like ASCII.
bool IsLeadByte(unsigned char) { return false; }

HANDLE OpenFile(LPCTSTR path, UINT flags)
{
    int oflags = O_CLOEXEC;
    switch (flags & 3) {
    case CFile::modeRead: oflags |= O_RDONLY; break;
    case CFile::modeWrite: oflags |= O_WRONLY; break;
    case CFile::modeReadWrite: oflags |= O_RDWR; break;
    default: Fail(EINVAL); return INVALID_HANDLE_VALUE;
    }
    if (flags & CFile::modeCreate)
        oflags |= O_CREAT | ((flags & CFile::modeNoTruncate) ? 0 : O_TRUNC);
    CString native = FwNativePath(path);
    struct stat st;
    // a folder opens on POSIX but not on Windows
    if (stat(native, &st) == 0 && S_ISDIR(st.st_mode)) {
        Fail(EACCES);
        return INVALID_HANDLE_VALUE;
    }
    int fd = open(native, oflags, 0666);
    if (fd < 0) {
        FailPath(native);
        return INVALID_HANDLE_VALUE;
    }
    Succeed();
    return FdToHandle(fd);
}

BOOL ReadFile(HANDLE h, void* buf, UINT count, UINT& done)
{
    done = 0;
    char* p = static_cast<char*>(buf);
    while (done < count) {
        ssize_t n = read(HandleToFd(h), p + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail();
        if (n == 0)
            break;
        done += (UINT)n;
    }
    return Succeed();
}

BOOL WriteFile(HANDLE h, const void* buf, UINT count)
{
    const char* p = static_cast<const char*>(buf);
    while (count > 0) {
        ssize_t n = write(HandleToFd(h), p, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(n < 0 ? errno : ENOSPC);
        p += n;
        count -= (UINT)n;
    }
    return Succeed();
}

BOOL SeekFile(HANDLE h, LONGLONG off, UINT from, ULONGLONG& pos)
{
    static const int whence[3] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (from > 2)
        return Fail(EINVAL);
    off_t r = lseek(HandleToFd(h), (off_t)off, whence[from]);
    if (r < 0)
        return Fail();
    pos = (ULONGLONG)r;
    return Succeed();
}

BOOL TruncateFile(HANDLE h, ULONGLONG size)
{
    int fd = HandleToFd(h);
    if (ftruncate(fd, (off_t)size) != 0)
        return Fail();
    off_t cur = lseek(fd, 0, SEEK_CUR);
    if (cur > (off_t)size)
        lseek(fd, (off_t)size, SEEK_SET);  // as SetEndOfFile leaves it
    return Succeed();
}

BOOL FlushFile(HANDLE h) { return fsync(HandleToFd(h)) == 0 || errno == EINVAL ? Succeed() : Fail(); }
BOOL CloseFile(HANDLE h) { return close(HandleToFd(h)) == 0 ? Succeed() : Fail(); }

BOOL FileSize(HANDLE h, ULONGLONG& size)
{
    struct stat st;
    if (fstat(HandleToFd(h), &st) != 0)
        return Fail();
    size = (ULONGLONG)st.st_size;
    return Succeed();
}

BOOL StatPath(LPCTSTR path, CFileFind::Entry& e)
{
    CString native = FwNativePath(path);
    struct stat st;
    if (StatOrLink(native, st) != 0)
        return Fail();
    CString trimmed = native;
    while (trimmed.GetLength() > 1 && trimmed.Right(1) == "/")
        trimmed = trimmed.Left(trimmed.GetLength() - 1);
    EntryFromStat(st, trimmed.Mid(trimmed.ReverseFind('/') + 1), e);
    MarkLink(native, e);
    return Succeed();
}

struct FindState {
    CString dir;
    CString mask;
    DIR* d;
    int dots;  // how many of "." and ".." are still to come
};

static BOOL NextMatch(FindState* s, CFileFind::Entry& e)
{
    while (s->dots > 0) {
        CString name = s->dots == 2 ? "." : "..";
        --s->dots;
        struct stat st;
        if (MatchesPattern(s->mask, name) && StatOrLink(JoinPath(s->dir, name), st) == 0) {
            EntryFromStat(st, name, e);
            return TRUE;
        }
    }
    while (struct dirent* de = readdir(s->d)) {
        CString name = de->d_name;
        if (name == "." || name == ".." || !MatchesPattern(s->mask, name))
            continue;
        struct stat st;
        const CString path = JoinPath(s->dir, name);
        if (StatOrLink(path, st) != 0)
            continue;  // vanished meanwhile
        EntryFromStat(st, name, e);
        MarkLink(path, e);
        return TRUE;
    }
    t_lastError = ERROR_NO_MORE_FILES;
    return FALSE;
}

FindState* FindFirst(LPCTSTR pattern, CFileFind::Entry& e)
{
    CString native = FwNativePath(pattern);
    int slash = native.ReverseFind('/');
    CString mask = native.Mid(slash + 1);
    CString dir = slash < 0 ? CString(".") : (slash == 0 ? CString("/") : native.Left(slash));
    if (mask.IsEmpty()) {
        Fail(ENOENT);
        return NULL;
    }
    if (!HasWildcard(mask)) {
        // a plain name: no need to read the folder
        if (!StatPath(native, e))
            return NULL;
        return new FindState{dir, mask, NULL, 0};
    }
    DIR* d = opendir(dir);
    if (!d) {
        Fail(errno == ENOENT ? ENOTDIR : errno);
        return NULL;
    }
    FindState* s = new FindState{dir, mask, d, 2};
    if (!NextMatch(s, e)) {
        FindClose(s);
        t_lastError = ERROR_FILE_NOT_FOUND;
        return NULL;
    }
    return s;
}

BOOL FindNext(FindState* s, CFileFind::Entry& e)
{
    if (!s->d) {
        t_lastError = ERROR_NO_MORE_FILES;
        return FALSE;
    }
    return NextMatch(s, e);
}

void FindClose(FindState* s)
{
    if (s) {
        if (s->d)
            closedir(s->d);
        delete s;
    }
}
}  // namespace fwplat

#endif
