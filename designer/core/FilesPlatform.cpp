#include "designer/core/FilesPlatform.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace FilesPlatform {
#ifdef _WIN32

std::string NativePath(const char* path)
{
    return path ? path : "";
}

unsigned long LastError() { return ::GetLastError(); }

std::string ErrorMessage(unsigned long code)
{
    char* text = NULL;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               NULL, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                               (LPSTR)&text, 0, NULL);
    std::string result;
    if (n && text)
        result.assign(text, n);
    else
        result = "Error " + std::to_string(code);
    if (text)
        ::LocalFree(text);
    return result;
}

bool CopyFileOver(const char* source, const char* target) { return ::CopyFileA(source, target, FALSE) != 0; }
bool DeleteFileEntry(const char* path) { return ::DeleteFileA(path) != 0; }
bool CreateFolder(const char* path) { return ::CreateDirectoryA(path, NULL) != 0; }
bool RemoveFolder(const char* path) { return ::RemoveDirectoryA(path) != 0; }

bool IsFolder(const char* path)
{
    DWORD a = ::GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string GetCurrentFolder()
{
    char buffer[MAX_PATH * 2];
    DWORD n = ::GetCurrentDirectoryA(sizeof buffer, buffer);
    return n && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

bool SetCurrentFolder(const char* path) { return ::SetCurrentDirectoryA(path) != 0; }

static bool OpenAndClose(const char* path, DWORD access, DWORD share, DWORD disposition)
{
    HANDLE h = ::CreateFileA(path, access, share, NULL, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(h);
    return true;
}

bool CanOpenForRead(const char* path)
{
    return OpenAndClose(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
}

bool CreateOrTruncate(const char* path) { return OpenAndClose(path, GENERIC_WRITE, 0, CREATE_ALWAYS); }

// Paths are in the system code page; the C library's narrow calls would read
// them in its own locale.
static std::wstring WidePath(const char* path)
{
    const int n = path ? ::MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0) : 0;
    if (n <= 1)
        return std::wstring();
    std::wstring wide((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], n);
    wide.resize((size_t)n - 1);
    return wide;
}

int OpenDescriptor(const char* path, bool write)
{
    const int flags = write ? _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY : _O_RDONLY | _O_BINARY;
    return _wopen(WidePath(path).c_str(), flags, _S_IREAD | _S_IWRITE);
}

void CloseDescriptor(int fd) { _close(fd); }

FILE* OpenStdFile(const char* path, const char* mode)
{
    const std::wstring wideMode(mode, mode + strlen(mode));
    const std::wstring wide = WidePath(path);
    FILE* f = wide.empty() ? NULL : _wfopen(wide.c_str(), wideMode.c_str());
    if (!f)
        ::SetLastError(errno == ENOENT   ? ERROR_FILE_NOT_FOUND
                       : errno == EACCES ? ERROR_ACCESS_DENIED
                                         : ERROR_OPEN_FAILED);
    return f;
}

struct FindFiles::Impl {
    HANDLE handle;
};

FindFiles::FindFiles() : m_impl(new Impl) { m_impl->handle = INVALID_HANDLE_VALUE; }

FindFiles::~FindFiles()
{
    if (m_impl->handle != INVALID_HANDLE_VALUE)
        ::FindClose(m_impl->handle);
    delete m_impl;
}

static void Fill(const WIN32_FIND_DATAA& data, FindEntry& entry)
{
    entry.name = data.cFileName;
    entry.attributes = data.dwFileAttributes;
}

FindFiles::Result FindFiles::First(const char* folder, const char* mask, FindEntry& entry)
{
    std::string pattern = std::string(folder) + mask;
    WIN32_FIND_DATAA data;
    m_impl->handle = ::FindFirstFileA(pattern.c_str(), &data);
    if (m_impl->handle == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? NONE : FAILED;
    Fill(data, entry);
    return FOUND;
}

bool FindFiles::Next(FindEntry& entry)
{
    WIN32_FIND_DATAA data;
    if (!::FindNextFileA(m_impl->handle, &data))
        return false;
    Fill(data, entry);
    return true;
}

void ShowFeedbackText(void* window, const char* text)
{
    if (window)
        ::SetWindowTextA((HWND)window, text);
}

bool FindProgramResource(unsigned id, const char* type, const void*& data, size_t& size)
{
    HMODULE module = ::GetModuleHandleA(NULL);
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!info)
        return false;
    HGLOBAL loaded = ::LoadResource(module, info);
    const void* bytes = loaded ? ::LockResource(loaded) : NULL;
    if (!bytes)
        return false;
    data = bytes;
    size = ::SizeofResource(module, info);
    return true;
}

#else  // POSIX

std::string NativePath(const char* path)
{
    std::string p = path ? path : "";
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}

unsigned long LastError() { return (unsigned long)errno; }

std::string ErrorMessage(unsigned long code) { return strerror((int)code); }

bool CopyFileOver(const char* source, const char* target)
{
    int in = open(NativePath(source).c_str(), O_RDONLY);
    if (in < 0)
        return false;
    struct stat st;
    if (fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        int e = S_ISDIR(st.st_mode) ? EISDIR : errno;
        close(in);
        errno = e;
        return false;
    }
    int out = open(NativePath(target).c_str(), O_WRONLY | O_CREAT | O_TRUNC, st.st_mode & 0777);
    if (out < 0) {
        int e = errno;
        close(in);
        errno = e;
        return false;
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = read(in, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0 || write(out, buffer, (size_t)n) != n) {
            ok = false;
            break;
        }
    }
    int e = errno;
    close(in);
    if (close(out) != 0)
        ok = false, e = errno;
    errno = e;
    return ok;
}

bool DeleteFileEntry(const char* path) { return unlink(NativePath(path).c_str()) == 0; }
bool CreateFolder(const char* path) { return mkdir(NativePath(path).c_str(), 0777) == 0; }

bool RemoveFolder(const char* path)
{
    std::string p = NativePath(path);
    struct stat st;
    if (lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        return unlink(p.c_str()) == 0;
    return rmdir(p.c_str()) == 0;
}

bool IsFolder(const char* path)
{
    struct stat st;
    return stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string GetCurrentFolder()
{
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer))
        return std::string();
    std::string p = buffer;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
}

bool SetCurrentFolder(const char* path) { return chdir(NativePath(path).c_str()) == 0; }

bool CanOpenForRead(const char* path)
{
    int fd = open(NativePath(path).c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    struct stat st;
    bool file = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
    close(fd);
    if (!file)
        errno = EISDIR;
    return file;
}

bool CreateOrTruncate(const char* path)
{
    int fd = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

FILE* OpenStdFile(const char* path, const char* mode) { return fopen(NativePath(path).c_str(), mode); }

int OpenDescriptor(const char* path, bool write)
{
    const int flags = write ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY;
    return open(NativePath(path).c_str(), flags, 0666);
}

void CloseDescriptor(int fd) { close(fd); }

struct FindFiles::Impl {
    DIR* dir;
    std::string folder;
    std::string mask;
};

FindFiles::FindFiles() : m_impl(new Impl) { m_impl->dir = NULL; }

FindFiles::~FindFiles()
{
    if (m_impl->dir)
        closedir(m_impl->dir);
    delete m_impl;
}

FindFiles::Result FindFiles::First(const char* folder, const char* mask, FindEntry& entry)
{
    m_impl->folder = NativePath(folder);
    // Windows reads "*.*" as every name, with or without a dot.
    m_impl->mask = strcmp(mask, "*.*") == 0 ? "*" : mask;
    m_impl->dir = opendir(m_impl->folder.c_str());
    if (!m_impl->dir)
        return FAILED;
    return Next(entry) ? FOUND : NONE;
}

bool FindFiles::Next(FindEntry& entry)
{
    while (struct dirent* d = readdir(m_impl->dir)) {
        if (fnmatch(m_impl->mask.c_str(), d->d_name, FNM_CASEFOLD) != 0)
            continue;
        entry.name = d->d_name;
        entry.attributes = ATTR_ARCHIVE;
        struct stat st;
        std::string full = m_impl->folder + "/" + d->d_name;
        if (lstat(full.c_str(), &st) == 0) {
            if (S_ISLNK(st.st_mode))
                entry.attributes = ATTR_REPARSE;
            else if (S_ISDIR(st.st_mode))
                entry.attributes = ATTR_DIRECTORY;
        }
        return true;
    }
    return false;
}

void ShowFeedbackText(void*, const char*) {}

bool FindProgramResource(unsigned, const char*, const void*&, size_t&) { return false; }

#endif

bool BrowseForFile(bool, const char*, const char*, const char*, std::string&)
{
    return false;
}
}  // namespace FilesPlatform
