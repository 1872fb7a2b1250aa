#include "installer/DiskImageInfo.h"

#include "browser/GzMemberReader.h"
#include "browser/NodeFiles.h"
#include "framework/File.h"
#include "installer/GunzipFile.h"
#include "installer/InstallerTexts.h"
#include "installer/LangFile.h"

#include <cstring>
#include <vector>

namespace {
const char kSection[] = "VD Installer";
const size_t kSector = 2048;
const size_t kPrimaryDescriptor = 16 * kSector;
const size_t kBootDescriptor = 17 * kSector;

unsigned Le16(const unsigned char* p) { return unsigned(p[0]) | unsigned(p[1]) << 8; }
uint32_t Le32(const unsigned char* p) { return Le16(p) | uint32_t(Le16(p + 2)) << 16; }
uint32_t Be32(const unsigned char* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

bool HasBootSignature(const unsigned char* b) { return Le16(b + 510) == 0xAA55; }

const char* MediaKey(unsigned media)
{
    switch (media) {
    case 0: return "ISO-NoEmu";
    case 1: return "ISO-120";
    case 2: return "ISO-144";
    case 3: return "ISO-288";
    case 4: return "ISO-HDD";
    default: return "ISO-NA";
    }
}

// The CHS triple of a partition entry: head, sector byte, cylinder byte.
void WidenChs(const unsigned char* chs, int& cyl, int& head, int& sector)
{
    const int c = chs[2] | ((chs[1] & 0xC0) << 2);
    if (c > cyl)
        cyl = c;
    if (chs[0] > head)
        head = chs[0];
    if ((chs[1] & 0x3F) > sector)
        sector = chs[1] & 0x3F;
}
}  // namespace

CString CDiskImageInfo::Text(LPCTSTR key) const
{
    return InstallerText(m_pLang, kSection, key);
}

CString CDiskImageInfo::Suggestion() const
{
    if (m_bCompressed)
        return CString();
    if (m_pLang && m_pLang->IsLoaded())
        return "\nSuggestion : " + Text("Suggestion");
    return Text("Suggestion");
}

BOOL CDiskImageInfo::Analyse(LPCTSTR path)
{
    m_strPath = path;
    m_pSource = NULL;
    return AnalyseOpened();
}

BOOL CDiskImageInfo::Analyse(CFile& source)
{
    m_strPath.Empty();
    m_pSource = &source;
    BOOL found = AnalyseOpened();
    m_pSource = NULL;
    return found;
}

BOOL CDiskImageInfo::AnalyseOpened()
{
    m_nType = TYPE_NONE;
    m_nCylinders = m_nHeads = m_nSectors = 0;
    m_size = 0;
    memset(m_szVolume, 0, sizeof(m_szVolume));
    m_bNoEmulation = FALSE;
    m_bCompressed = FALSE;
    m_strCaption.Empty();

    std::vector<unsigned char> buffer(BUFFER_SIZE, 0);
    if (m_pSource ? GunzipFile(buffer.data(), buffer.size(), *m_pSource)
                  : GunzipFile(buffer.data(), buffer.size(), m_strPath)) {
        m_bCompressed = TRUE;
    } else {
        std::fill(buffer.begin(), buffer.end(), 0);
        CFile file;
        CFile* in = m_pSource;
        if (in ? in->Seek(0, CFile::begin) != 0 : !file.Open(m_strPath, CFile::modeRead | CFile::shareDenyNone)) {
            m_strCaption = Text("Unknown Type");
            return FALSE;
        }
        if (!in)
            in = &file;
        UINT got = 0, n;
        while (got < BUFFER_SIZE && (n = in->Read(&buffer[got], BUFFER_SIZE - got)) > 0)
            got += n;
    }

    const unsigned char* b = buffer.data();
    bool dataOnly = false;
    if (HasBootSignature(b) && (MatchFloppy(b) || MatchHardDisk(b)))
        return TRUE;
    if (MatchIso(b, dataOnly) || MatchRomfs(b))
        return TRUE;
    if (dataOnly) {
        m_strCaption.Format("%s %s", (LPCTSTR)Text("Disk Image Type"), (LPCTSTR)Text("Data ISO"));
        return FALSE;
    }
    m_strCaption = Text("Unknown Type");
    return FALSE;
}

bool CDiskImageInfo::MatchFloppy(const unsigned char* b)
{
    // Only a plausible BPB: a jump, 512-byte sectors, sane heads and sectors.
    const bool jump = (b[0] == 0xEB && b[2] == 0x90) || b[0] == 0xE9;
    const unsigned heads = Le16(b + 26), sectors = Le16(b + 24);
    if (!jump || Le16(b + 11) != 512 || heads < 1 || heads > 255 || sectors < 1 || sectors > 63)
        return false;
    uint32_t total = Le16(b + 19);
    if (total == 0)
        total = Le32(b + 32);
    const uint32_t cylinders = total / heads / sectors;
    if (cylinders == 0)
        return false;
    m_nType = TYPE_FLOPPY;
    m_nCylinders = int(cylinders);
    m_nHeads = int(heads);
    m_nSectors = int(sectors);
    m_strCaption.Format("%s FDD (c=%d h=%d s=%d)", (LPCTSTR)Text("Disk Image Type"), m_nCylinders, m_nHeads,
                        m_nSectors);
    m_strCaption += Suggestion();
    return true;
}

bool CDiskImageInfo::MatchHardDisk(const unsigned char* b)
{
    const unsigned char* table = b + 446;
    bool active = false;
    for (int i = 0; i < 4; ++i)
        active = active || table[16 * i] == 0x80;
    if (!active)
        return false;
    int cyl = 0, head = 0, sector = 1;
    for (int i = 0; i < 4; ++i) {
        const unsigned char* e = table + 16 * i;
        if (e[4] == 0)
            continue;
        WidenChs(e + 1, cyl, head, sector);
        WidenChs(e + 5, cyl, head, sector);
    }
    m_nType = TYPE_HARDDISK;
    m_nCylinders = cyl + 1;
    m_nHeads = head + 1;
    m_nSectors = sector;
    m_strCaption.Format("%s HDD (c=%d h=%d s=%d)", (LPCTSTR)Text("Disk Image Type"), m_nCylinders, m_nHeads,
                        m_nSectors);
    m_strCaption += Suggestion();
    return true;
}

bool CDiskImageInfo::ReadCatalog(uint64_t offset, unsigned char* sector)
{
    if (m_bCompressed) {
        if (offset > 0xFFFFFFFFull - kSector)
            return false;
        GzMemberReader reader;
        if ((m_pSource ? reader.Open(*m_pSource) : reader.Open(m_strPath)) <= 0)
            return false;
        return reader.ReadAt(sector, DWORD(offset), UINT(kSector)) == int(kSector);
    }
    if (m_pSource)
        return ReadFileAt(*m_pSource, m_pSource->GetLength(), offset, sector, UINT(kSector)) != FALSE;
    CFile file;
    if (!file.Open(m_strPath, CFile::modeRead | CFile::shareDenyNone))
        return false;
    return ReadFileAt(file, file.GetLength(), offset, sector, UINT(kSector)) != FALSE;
}

bool CDiskImageInfo::MatchIso(const unsigned char* b, bool& dataOnly)
{
    if (memcmp(b + kPrimaryDescriptor + 1, "CD001", 5) != 0)
        return false;
    if (memcmp(b + kBootDescriptor + 1, "CD001", 5) != 0 ||
        memcmp(b + kBootDescriptor + 7, "EL TORITO SPECIFICATION", 23) != 0) {
        dataOnly = true;
        return false;
    }
    unsigned char catalog[kSector];
    const uint64_t at = uint64_t(Le32(b + kBootDescriptor + 71)) * kSector;
    if (!ReadCatalog(at, catalog) || catalog[0] != 1 || catalog[1] != 0 || catalog[30] != 0x55 ||
        catalog[31] != 0xAA)
        return false;

    CString media;
    if (catalog[32] == 0x88) {
        const unsigned type = catalog[33] & 0x0F;
        m_bNoEmulation = type == 0;
        media = Text(MediaKey(type));
    } else {
        media = Text("ISO-NB");
    }
    m_nType = TYPE_ISO;
    memcpy(m_szVolume, b + kPrimaryDescriptor + 40, VOLUME_NAME_SIZE);
    m_szVolume[VOLUME_NAME_SIZE] = 0;
    for (int i = int(strlen(m_szVolume)) - 1; i >= 0 && m_szVolume[i] == ' '; --i)
        m_szVolume[i] = 0;
    m_size = uint64_t(Le32(b + kPrimaryDescriptor + 80)) * kSector;
    m_strCaption.Format("%s CDFS (%s: \"%s\", %s: %s)", (LPCTSTR)Text("Disk Image Type"),
                        (LPCTSTR)Text("Volume Name"), m_szVolume, (LPCTSTR)Text("Volume Size"), FormatSize(m_size));
    if (m_bCompressed)
        m_strCaption += Text("ISO-Compressed");
    m_strCaption += "\n" + Text("ISO-BTip") + media;
    return true;
}

bool CDiskImageInfo::MatchRomfs(const unsigned char* b)
{
    if (memcmp(b, "-rom1fs-", 8) != 0)
        return false;
    m_nType = TYPE_ROMFS;
    memcpy(m_szVolume, b + 16, VOLUME_NAME_SIZE);  // a longer name is cut at 32 bytes
    m_szVolume[VOLUME_NAME_SIZE] = 0;
    m_size = Be32(b + 8);
    m_strCaption.Format("%s Romfs (%s: \"%s\", %s: %s)", (LPCTSTR)Text("Disk Image Type"),
                        (LPCTSTR)Text("Volume Name"), m_szVolume, (LPCTSTR)Text("Volume Size"), FormatSize(m_size));
    m_strCaption += Suggestion();
    return true;
}

LPCTSTR CDiskImageInfo::FormatSize(uint64_t bytes)
{
    const CString text = FormatSizeText(bytes);
    strncpy(m_szSize, text, sizeof(m_szSize) - 1);
    m_szSize[sizeof(m_szSize) - 1] = 0;
    return m_szSize;
}

BOOL CDiskImageInfo::GetCaption(CString& caption) const
{
    if (m_strCaption.IsEmpty())
        return FALSE;
    caption = m_strCaption;
    return TRUE;
}
