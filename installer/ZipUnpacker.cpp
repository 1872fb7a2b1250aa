#include "installer/ZipUnpacker.h"

#include "framework/ScopedFile.h"
#include "framework/Sys.h"
#include "installer/InstallerPlatform.h"

#include <unzip.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const unsigned kBlockSize = 20480;

unzFile Archive(void* handle) { return static_cast<unzFile>(handle); }
}  // namespace

CZipUnpacker::CZipUnpacker(LPCTSTR path) : m_hArchive(NULL)
{
    if (path)
        Open(path);
}

CZipUnpacker::~CZipUnpacker()
{
    Close();
}

BOOL CZipUnpacker::Open(LPCTSTR path)
{
    Close();
    if (!path || !*path)
        return FALSE;
    m_hArchive = unzOpen(FwNativePath(path));
    if (!m_hArchive)
        return FALSE;
    CString p = path;
    const int dot = p.ReverseFind('.');
    m_strFolder = dot >= 0 ? p.Left(dot) : p;
    return TRUE;
}

void CZipUnpacker::Close()
{
    if (!m_hArchive)
        return;
    unzCloseCurrentFile(Archive(m_hArchive));
    unzClose(Archive(m_hArchive));
    m_hArchive = NULL;
}

BOOL CZipUnpacker::UnzipTo(LPCTSTR folder, BOOL flatten)
{
    if (!m_hArchive || !folder || !*folder || !CreateFolder(folder))
        return FALSE;
    unz_global_info global;
    if (unzGetGlobalInfo(Archive(m_hArchive), &global) != UNZ_OK || global.number_entry == 0)
        return FALSE;
    if (!GotoFirstFile())
        return FALSE;
    do {
        if (!UnzipFile(folder, flatten))
            return FALSE;
    } while (GotoNextFile());
    return TRUE;
}

BOOL CZipUnpacker::MatchExtension(LPCTSTR extension)
{
    if (!extension || !*extension)
        return TRUE;
    FileInfo info;
    if (!GetFileInfo(info))
        return FALSE;
    const char* dot = strrchr(info.szFileName, '.');
    return dot && CString(dot + 1).CompareNoCase(extension) == 0;
}

BOOL CZipUnpacker::GotoFirstFile(LPCTSTR extension)
{
    if (!m_hArchive || unzGoToFirstFile(Archive(m_hArchive)) != UNZ_OK)
        return FALSE;
    return MatchExtension(extension) || GotoNextFile(extension);
}

BOOL CZipUnpacker::GotoNextFile(LPCTSTR extension)
{
    if (!m_hArchive)
        return FALSE;
    while (unzGoToNextFile(Archive(m_hArchive)) == UNZ_OK)
        if (MatchExtension(extension))
            return TRUE;
    return FALSE;
}

BOOL CZipUnpacker::GetFileInfo(FileInfo& info)
{
    memset(&info, 0, sizeof(info));
    if (!m_hArchive)
        return FALSE;
    unz_file_info zi;
    if (unzGetCurrentFileInfo(Archive(m_hArchive), &zi, info.szFileName, sizeof(info.szFileName) - 1, NULL, 0,
                              info.szComment, sizeof(info.szComment) - 1) != UNZ_OK)
        return FALSE;
    for (char* p = info.szFileName; *p; ++p)
        if (*p == '/')
            *p = '\\';
    info.version = zi.version;
    info.versionNeeded = zi.version_needed;
    info.flags = zi.flag;
    info.method = zi.compression_method;
    info.dosDate = uint32_t(zi.dosDate);
    info.crc = zi.crc;
    info.compressedSize = zi.compressed_size;
    info.uncompressedSize = zi.uncompressed_size;
    const size_t n = strlen(info.szFileName);
    info.bFolder = n > 0 && info.szFileName[n - 1] == '\\';
    return TRUE;
}

bool CZipUnpacker::IsSafeEntryName(LPCTSTR name)
{
    if (!name || !*name || name[0] == '\\' || name[0] == '/' || strchr(name, ':'))
        return false;
    const char* part = name;
    for (const char* p = name;; ++p) {
        if (*p == '\\' || *p == '/' || *p == 0) {
            if (p - part == 2 && part[0] == '.' && part[1] == '.')
                return false;
            if (*p == 0)
                return true;
            part = p + 1;
        }
    }
}

BOOL CZipUnpacker::UnzipFile(LPCTSTR folder, BOOL flatten)
{
    CString target = folder && *folder ? folder : (LPCTSTR)m_strFolder;
    if (target.IsEmpty() || !CreateFolder(target))
        return FALSE;
    FileInfo info;
    if (!GetFileInfo(info) || !IsSafeEntryName(info.szFileName))
        return FALSE;
    if (info.bFolder)
        return TRUE;
    CString name = info.szFileName;
    if (flatten)
        name = name.Mid(name.ReverseFind('\\') + 1);
    if (target[target.GetLength() - 1] != '\\')
        target += '\\';
    target += name;
    const int slash = target.ReverseFind('\\');
    if (!CreateFolder(target.Left(slash)))
        return FALSE;
    if (!WriteEntry(target))
        return FALSE;
    InstallerPlatform::SetFileDosTime(target, info.dosDate);
    return TRUE;
}

BOOL CZipUnpacker::WriteEntry(const CString& target)
{
    if (unzOpenCurrentFile(Archive(m_hArchive)) != UNZ_OK)
        return FALSE;
    bool ok = true;
    {
        CScopedFile f(FwOpenStdFile(target, "wb"));
        if (!f) {
            unzCloseCurrentFile(Archive(m_hArchive));
            return FALSE;
        }
        std::vector<char> block(kBlockSize);
        int got;
        while ((got = unzReadCurrentFile(Archive(m_hArchive), block.data(), kBlockSize)) > 0)
            if (fwrite(block.data(), 1, size_t(got), f.Get()) != size_t(got)) {
                ok = false;
                break;
            }
        if (got < 0)
            ok = false;
        if (!f.Close())
            ok = false;
    }
    // The CRC is checked when the entry closes after its last byte.
    if (unzCloseCurrentFile(Archive(m_hArchive)) != UNZ_OK)
        ok = false;
    if (!ok)
        FwDeleteFile(target);  // no damaged file is left behind
    return ok ? TRUE : FALSE;
}

BOOL CZipUnpacker::CreateFolder(LPCTSTR path)
{
    if (!path || !*path)
        return FALSE;
    const DWORD attributes = FwGetFileAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TRUE : FALSE;
    CString p = path;
    int slash = p.ReverseFind('\\');
    const int forward = p.ReverseFind('/');
    if (forward > slash)
        slash = forward;
    if (slash > 0 && !CreateFolder(p.Left(slash)))
        return FALSE;
    return FwCreateDirectory(path);
}
