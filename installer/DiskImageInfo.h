// Classifies a disk image: floppy, hard disk, El Torito ISO or romfs, plain
// or gzip-compressed; gives its geometry, size and a caption.
#pragma once

#include "framework/String.h"

#include <cstddef>
#include <cstdint>

class CFile;
class CLangFile;

class CDiskImageInfo {
public:
    enum Type { TYPE_NONE = 0,
                TYPE_FLOPPY = 1,
                TYPE_HARDDISK = 2,
                TYPE_ISO = 3,
                TYPE_ROMFS = 4 };
    enum { BUFFER_SIZE = 0x10000,
           VOLUME_NAME_SIZE = 32 };

    explicit CDiskImageInfo(CLangFile* lang = NULL) : m_pLang(lang) {}
    virtual ~CDiskImageInfo() {}

    // True when the type is not TYPE_NONE.
    BOOL Analyse(LPCTSTR path);
    // The same on a file the caller opened (bytes in a CMemFile, say).
    BOOL Analyse(CFile& source);
    BOOL GetCaption(CString& caption) const;
    // "%03u Byte", "%0.2f KB", "%0.2f MB" or "%0.2f GB"; valid until the next call.
    LPCTSTR FormatSize(uint64_t bytes);

    CString m_strPath;
    int m_nType = TYPE_NONE;
    int m_nCylinders = 0;
    int m_nHeads = 0;
    int m_nSectors = 0;
    uint64_t m_size = 0;
    char m_szVolume[VOLUME_NAME_SIZE + 1] = {};
    BOOL m_bNoEmulation = FALSE;
    BOOL m_bCompressed = FALSE;
    CString m_strCaption;

private:
    BOOL AnalyseOpened();
    bool MatchFloppy(const unsigned char* b);
    bool MatchHardDisk(const unsigned char* b);
    bool MatchIso(const unsigned char* b, bool& dataOnly);
    bool MatchRomfs(const unsigned char* b);
    bool ReadCatalog(uint64_t offset, unsigned char* sector);
    CString Text(LPCTSTR key) const;
    CString Suggestion() const;

    CLangFile* m_pLang;
    CFile* m_pSource = NULL;  // while Analyse reads the caller's file, else NULL
    char m_szSize[64] = {};
};
