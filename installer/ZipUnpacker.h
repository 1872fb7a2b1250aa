// Unpacks a zip archive into a folder with its folder structure and the
// entries' modification times.
#pragma once

#include "framework/String.h"

#include <cstdint>

class CZipUnpacker {
public:
    struct FileInfo {
        char szFileName[261];
        char szComment[256];
        unsigned long version, versionNeeded, flags, method;
        uint32_t dosDate;
        unsigned long crc, compressedSize, uncompressedSize;
        bool bFolder;
    };

    explicit CZipUnpacker(LPCTSTR path = NULL);
    virtual ~CZipUnpacker();

    BOOL Open(LPCTSTR path);
    void Close();
    BOOL UnzipTo(LPCTSTR folder, BOOL flatten = FALSE);
    // With an extension, only entries whose text after the last '.' matches it.
    BOOL GotoFirstFile(LPCTSTR extension = NULL);
    BOOL GotoNextFile(LPCTSTR extension = NULL);
    BOOL GetFileInfo(FileInfo& info);
    // A name with a ".." part, a drive or a leading separator writes nothing
    // and fails; so does an entry whose data fails its CRC.
    BOOL UnzipFile(LPCTSTR folder = NULL, BOOL flatten = FALSE);
    static BOOL CreateFolder(LPCTSTR path);
    // A name that stays inside the folder it is unpacked into.
    static bool IsSafeEntryName(LPCTSTR name);

private:
    CZipUnpacker(const CZipUnpacker&);
    CZipUnpacker& operator=(const CZipUnpacker&);
    BOOL MatchExtension(LPCTSTR extension);
    BOOL WriteEntry(const CString& target);

    void* m_hArchive;
    CString m_strFolder;
};
