#include "tools/lunq/LunqPlatform.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#include <conio.h>
#include <io.h>
#else
#include <unistd.h>
#endif

bool LunqFileSize(FILE* fp, uint64_t& size)
{
#ifdef _WIN32
    const __int64 pos = _ftelli64(fp);
    if (pos < 0 || _fseeki64(fp, 0, SEEK_END) != 0)
        return false;
    const __int64 end = _ftelli64(fp);
    if (end < 0 || _fseeki64(fp, pos, SEEK_SET) != 0)
        return false;
#else
    const off_t pos = ftello(fp);
    if (pos < 0 || fseeko(fp, 0, SEEK_END) != 0)
        return false;
    const off_t end = ftello(fp);
    if (end < 0 || fseeko(fp, pos, SEEK_SET) != 0)
        return false;
#endif
    size = static_cast<uint64_t>(end);
    return true;
}

bool LunqSeek(FILE* fp, uint64_t offset)
{
#ifdef _WIN32
    return _fseeki64(fp, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return fseeko(fp, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

FILE* LunqCreateTemp(const std::string& target, std::string& tempPath)
{
    for (unsigned n = 0; n < 1000; n++) {
        const std::string path = target + ".~lq" + std::to_string(n);
#ifdef _WIN32
        const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                             _S_IREAD | _S_IWRITE);
#else
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
#endif
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return nullptr;
        }
#ifdef _WIN32
        FILE* fp = _fdopen(fd, "wb");
#else
        FILE* fp = fdopen(fd, "wb");
#endif
        if (!fp) {
#ifdef _WIN32
            _close(fd);
#else
            close(fd);
#endif
            std::remove(path.c_str());
            return nullptr;
        }
        tempPath = path;
        return fp;
    }
    return nullptr;
}

bool LunqReplaceFile(const std::string& source, const std::string& target)
{
#ifdef _WIN32
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(source.c_str(), target.c_str()) == 0;
#endif
}

void LunqRemoveFile(const std::string& path)
{
    std::remove(path.c_str());
}

bool LunqSameFile(const std::string& a, const std::string& b)
{
#ifdef _WIN32
    BY_HANDLE_FILE_INFORMATION info[2];
    const std::string* paths[2] = {&a, &b};
    for (int i = 0; i < 2; i++) {
        HANDLE h = CreateFileA(paths[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        const BOOL ok = GetFileInformationByHandle(h, &info[i]);
        CloseHandle(h);
        if (!ok)
            return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
#else
    struct stat sa, sb;
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
}

void LunqWaitKey()
{
#ifdef _WIN32
    DWORD mode;
    if (GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode))
        _getch();
#else
    if (isatty(STDIN_FILENO))
        std::getchar();
#endif
}

CTempFile::~CTempFile()
{
    if (!m_committed && !m_path.empty()) {
        m_file.Reset();
        LunqRemoveFile(m_path);
    }
}

bool CTempFile::Create()
{
    m_file.Reset(LunqCreateTemp(m_target, m_path));
    return m_file.Get() != nullptr;
}

bool CTempFile::Commit()
{
    if (!m_file.Close())
        return false;
    if (!LunqReplaceFile(m_path, m_target))
        return false;
    m_committed = true;
    return true;
}
