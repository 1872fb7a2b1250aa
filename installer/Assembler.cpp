#include "installer/Assembler.h"

#include "deploy/core/BootFields.h"
#include "designer/core/ResourceFile.h"
#include "framework/ScopedFile.h"
#include "framework/Sys.h"
#include "installer/BootIniCheck.h"
#include "installer/IniFile.h"
#include "installer/InstallerTexts.h"
#include "installer/LoaderFields.h"
#include "installer/PartitionMap.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

const char kTessuResourceType[] = "TESSU";

namespace {
const char kQuickCaption[] = "Tessumgr 2007";
const char kSysFile[] = "Tessu.sys";
const char kLoaderFile[] = "Zeldr.bin";
const char kFloppyFile[] = "TessuImg.gz";
const size_t kSectorSize = 512;
const size_t kMenuOffset = 192;

const char kFloppyGreeting[] =
    "\r\nHi, friend! \r\n\r\n      This Funny Bootable Floppy Disk        \r\nImage has been Installed to your "
    "\r\nsystem, enjoy it! ;^)\r\n\r\n      Thanks for your using, Again!\r\n"
    "----------------------------------------\r\n"
    "the Kantel's Tessu Product Team.\r\n"
    "Somewhere on the Net,\r\n"
    "2006-4-7";

bool ReadWholeFile(const char* path, std::string& data)
{
    CScopedFile f(FwOpenStdFile(path, "rb"));
    if (!f)
        return false;
    data.clear();
    char block[8192];
    size_t n;
    while ((n = fread(block, 1, sizeof(block), f.Get())) > 0)
        data.append(block, n);
    return !ferror(f.Get());
}

bool FileExists(const CString& path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// A backup name beside the file that no earlier backup holds.
CString NewBackupPath(const CString& path)
{
    CString backup = path + ".tsu";
    for (int n = 1; FileExists(backup); ++n)
        backup.Format("%s.tsu%d", (LPCTSTR)path, n);
    return backup;
}

// Copies the file to a backup beside it; a failed copy leaves no backup.
bool MakeBackup(const CString& path)
{
    const CString backup = NewBackupPath(path);
    if (CopyFileA(path, backup, TRUE))
        return true;
    DeleteFileA(backup);
    return false;
}

// The path after its drive and root ("C:\"): a '\' there means a subfolder.
bool IsInRoot(const CString& path)
{
    return path.Mid(3).Find('\\') < 0;
}
}  // namespace

BOOL WriteResourceToFile(LPCTSTR type, UINT id, LPCTSTR path)
{
    return CResourceFile().SaveToFile(id, type, path);
}

BOOL LoadResourceData(UINT id, LPCTSTR type, unsigned char** buffer, size_t* size)
{
    const void* data = NULL;
    size_t length = 0;
    if (!buffer || !FwFindProgramResource(id, type, data, length))
        return FALSE;
    if (!*buffer)
        *buffer = new (std::nothrow) unsigned char[length ? length : 1];
    if (!*buffer)
        return FALSE;
    memcpy(*buffer, data, length);
    if (size)
        *size = length;
    return TRUE;
}

CAssembler::CAssembler(IInstallerUi& ui, CLangFile* lang, const DiskSource* disks)
    : m_nMode(MODE_VIRTUAL_DISK), m_bExpert(FALSE), m_nStatus(STATUS_OK), m_image(lang), m_loader(lang, &ui),
      m_ui(ui), m_pLang(lang), m_pDisks(disks)
{
    memset(m_menu, 0, sizeof(m_menu));
}

int CAssembler::Message(LPCTSTR key, int style)
{
    return m_ui.Show(PromptText(m_pLang, key), kTessumgrCaption, IInstallerUi::Style(style));
}

void CAssembler::OnAssemble()
{
    m_nStatus = STATUS_OK;
    if (m_nMode == MODE_BOOT_LOADER)
        AssembleBootLoader();
    else
        AssembleVirtualDisk();
    if (m_nStatus == STATUS_OK)
        Message("Operation OK", IInstallerUi::STYLE_OK_INFO);
}

void CAssembler::AssembleBootLoader()
{
    if (m_strLoaderPath.IsEmpty()) {
        Message("Boot Loader Required", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_STOPPED;
        return;
    }
    const BOOL detected = m_loader.Detect(m_strLoaderPath);
    m_ui.OnInfoChanged();
    if (!detected) {
        m_nStatus = STATUS_ANALYSIS_FAILED;
        if (!IsShortName(FileNamePart(m_strLoaderPath)))
            return;  // Detect has shown why
    }
    if (!m_loader.m_bSupported) {
        Message("Boot Loader Unsupported", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_STOPPED;
        return;
    }
    if (m_loader.m_nType == CBootLoaderInfo::TYPE_UNKNOWN &&
        Message("Boot Loader Signature NA", IInstallerUi::STYLE_YESNO_INFO) != IInstallerUi::ANSWER_YES) {
        m_nStatus = STATUS_STOPPED;
        return;
    }
    if (m_loader.m_nType == CBootLoaderInfo::TYPE_GRLDR) {
        m_ui.Show("Not supported, yet!        ", kTessumgrCaption, IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_STOPPED;
        return;
    }
    if (!IsInRoot(m_strLoaderPath)) {
        Message("Boot Loader Not At Root", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_NOT_AT_ROOT;
        return;
    }
    if (!CheckBootIni() || !WriteLoaderFile())
        return;
    if (!AddBootIniEntry(kLoaderFile, "Tessu - " + FileNamePart(m_strLoaderPath)))
        return;
    m_nStatus = STATUS_OK;
    if (m_loader.m_nType == CBootLoaderInfo::TYPE_GRUB2 && !PatchGrub2Head()) {
        Message("Modify Grub2 Failed", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_WRITE_FAILED;
    }
}

BOOL CAssembler::PatchGrub2Head()
{
    std::string loader;
    if (!ReadWholeFile(m_strLoaderPath, loader) || loader.size() < kSectorSize)
        return FALSE;
    // the first sector is kept beside the loader before it is replaced
    const CString backup = NewBackupPath(m_strLoaderPath);
    if (!CResourceFile::WriteBytes(backup, loader.data(), kSectorSize)) {
        DeleteFileA(backup);
        return FALSE;
    }
    unsigned char* head = NULL;
    size_t size = 0;
    if (!LoadResourceData(IDR_GRUB2_HEAD, kTessuResourceType, &head, &size))
        return FALSE;
    std::unique_ptr<unsigned char[]> owner(head);
    std::string error;
    return size == kSectorSize && PatchFileBytes(m_strLoaderPath, 0, head, kSectorSize, error);
}

void CAssembler::AssembleVirtualDisk()
{
    memset(m_menu, 0, sizeof(m_menu));
    if (m_strImagePath.IsEmpty()) {
        Message("Image File Required", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_STOPPED;
        return;
    }
    const BOOL analysed = m_image.Analyse(m_strImagePath);
    m_ui.OnInfoChanged();
    if (!analysed) {
        m_nStatus = STATUS_ANALYSIS_FAILED;
        Message("Analyse Image Failed", IInstallerUi::STYLE_OK_INFO);
    }
    switch (m_image.m_nType) {
    case CDiskImageInfo::TYPE_FLOPPY:
    case CDiskImageInfo::TYPE_HARDDISK:
        BuildDiskImageMenu();
        break;
    case CDiskImageInfo::TYPE_ISO:
        BuildIsoEmuMenu();
        break;
    case CDiskImageInfo::TYPE_ROMFS:
        BuildRomfsMenu();
        return;
    default:
        return;
    }
    if (m_bExpert && m_nStatus == STATUS_OK)
        EditLoaderParameters(GetBootDrive() + "\\" + kSysFile, CBootLoaderInfo::TYPE_TESSU, m_ui, m_pLang);
}

BOOL CAssembler::FindDevice(CString& device)
{
    CPartitionMap map(m_pDisks);
    map.Build();
    if (map.FindDevice(m_strImagePath, device))
        return TRUE;
    Message("Analyse Partition Map Failed", IInstallerUi::STYLE_OK_INFO);
    m_nStatus = STATUS_NO_DEVICE;
    return FALSE;
}

BOOL CAssembler::SetMenu(const CString& text)
{
    if (text.GetLength() > MENU_BLOCK_SIZE) {
        Message("Menu Too Long", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_MENU_TOO_LONG;
        return FALSE;
    }
    memset(m_menu, 0, sizeof(m_menu));
    memcpy(m_menu, (LPCTSTR)text, text.GetLength());
    return TRUE;
}

void CAssembler::BuildIsoEmuMenu()
{
    if (!IsInRoot(m_strImagePath)) {
        Message("ISOEmu Root Required", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_NOT_AT_ROOT;
        return;
    }
    if (m_image.m_bCompressed) {
        Message("ISOEmu No Compress", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_COMPRESSED_ISO;
        return;
    }
    if (!m_image.m_bNoEmulation &&
        Message("ISOEmu Not Non-Emu Bootable", IInstallerUi::STYLE_YESNO_QUESTION) != IInstallerUi::ANSWER_YES) {
        m_nStatus = STATUS_STOPPED;
        return;
    }
    CString device;
    if (!FindDevice(device))
        return;
    if (device.GetLength() > 3 && device[3] != '0')
        Message("ISOEmu May Fail", IInstallerUi::STYLE_OK_INFO);
    CString name = m_strImagePath.Mid(3);
    if (!IsShortName(name)) {
        Message("ISO Image File Name Invalid", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_ISO_NAME;
        return;
    }
    CString grubPath = device + "/" + name.MakeUpper();
    CString sanitized = grubPath;
    if (SanitizeMenuPath(sanitized)) {
        Message("Menu Path Invalid", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_PATH_INVALID;
        return;
    }
    if (SetMenu(IsoEmuMenuText(grubPath)))
        RunInstallSteps(FileNamePart(m_strImagePath));
}

void CAssembler::BuildDiskImageMenu()
{
    CString device;
    if (!FindDevice(device))
        return;
    char longPath[MAX_PATH + 1] = {};
    CString path = m_strImagePath;
    const DWORD n = GetLongPathNameA(m_strImagePath, longPath, MAX_PATH);
    if (n > 0 && n <= MAX_PATH)
        path = longPath;
    path.Replace('\\', '/');
    CString grubPath = device + path.Mid(2);
    CString sanitized = grubPath;
    if (SanitizeMenuPath(sanitized)) {
        Message("Menu Path Invalid", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_PATH_INVALID;
        return;
    }
    if (SetMenu(DiskImageMenuText(grubPath, m_image.m_nType, m_image.m_nCylinders, m_image.m_nHeads,
                                  m_image.m_nSectors)))
        RunInstallSteps(FileNamePart(m_strImagePath));
}

void CAssembler::BuildRomfsMenu()
{
    Message("Romfs Require Grub Experience", IInstallerUi::STYLE_OK_INFO);
    if (m_nStatus == STATUS_OK)
        m_nStatus = STATUS_STOPPED;  // nothing installed
}

void CAssembler::RunInstallSteps(LPCTSTR imageName)
{
    if (CheckBootIni() && WriteSysFile(FALSE) && WriteLoaderFile() &&
        AddBootIniEntry(kLoaderFile, CString("Tessu - ") + imageName))
        m_nStatus = STATUS_OK;
}

BOOL CAssembler::CheckBootIni()
{
    CIniFile ini(m_strBootIniPath);
    if (FileExists(m_strBootIniPath) && !ini.GetValue("boot loader", "timeout").IsEmpty())
        return TRUE;
    Message("Invalid Bootini", IInstallerUi::STYLE_OK_INFO);
    m_nStatus = STATUS_BOOTINI_FAILED;
    return FALSE;
}

BOOL CAssembler::WriteFailed(LPCTSTR key)
{
    Message(key, IInstallerUi::STYLE_OK_INFO);
    m_nStatus = STATUS_WRITE_FAILED;
    return FALSE;
}

BOOL CAssembler::ReplaceWithResource(const CString& path, UINT id, size_t offset, const void* patch, size_t size,
                                     LPCTSTR removeKey)
{
    unsigned char* data = NULL;
    size_t length = 0;
    if (!LoadResourceData(id, kTessuResourceType, &data, &length))
        return WriteFailed("Write Failed");
    std::unique_ptr<unsigned char[]> owner(data);
    if (offset + size > length)
        return WriteFailed("Write Failed");
    if (size)
        memcpy(data + offset, patch, size);
    // the new file is written whole beside the old one before it takes its place
    CString temp;
    if (!FwGetTempFileName(path.Left(path.ReverseFind('\\') + 1), "tsu", temp))
        return WriteFailed("Write Failed");
    if (!CResourceFile::WriteBytes(temp, data, length)) {
        DeleteFileA(temp);
        return WriteFailed("Write Failed");
    }
    const bool existed = FileExists(path);
    if ((existed && (GetFileAttributesA(path) & FILE_ATTRIBUTE_READONLY)) ||
        !MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temp);
        if (!existed)
            return WriteFailed("Write Failed");
        Message(removeKey, IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_REMOVE_FAILED;
        return FALSE;
    }
    return TRUE;
}

BOOL CAssembler::WriteSysFile(BOOL quick)
{
    const CString path = GetBootDrive() + "\\" + kSysFile;
    if (!ReplaceWithResource(path, quick ? IDR_TESSU_QUICK : IDR_TESSU_SYS, kMenuOffset, m_menu, sizeof(m_menu),
                             "Remove Tessusys Failed"))
        return FALSE;
    m_nStatus = STATUS_OK;
    return TRUE;
}

BOOL CAssembler::WriteLoaderFile(BOOL quick)
{
    const CString path = GetBootDrive() + "\\" + kLoaderFile;
    CString chained = "TESSU.SYS";
    if (m_nMode == MODE_BOOT_LOADER && !quick)
        chained = FileNamePart(m_strLoaderPath).MakeUpper();
    unsigned char field[kLoaderNameFieldSize];
    if (!MakeLoaderNameField(chained, field))
        return WriteFailed("Write Failed");
    if (!ReplaceWithResource(path, IDR_ZELDR_BIN, kZeldrNameOffset, field, sizeof(field), "Remove Zeldrbin Failed"))
        return FALSE;
    m_nStatus = STATUS_OK;
    return TRUE;
}

BOOL CAssembler::WriteIniValue(CIniFile& ini, LPCTSTR section, LPCTSTR key, LPCTSTR value)
{
    return ini.WriteValue(section, key, value) != 0;
}

BOOL CAssembler::AddBootIniEntry(LPCTSTR keyFile, LPCTSTR title)
{
    const CString& path = m_strBootIniPath;
    const DWORD attributes = GetFileAttributesA(path);
    std::string before;
    if (attributes == INVALID_FILE_ATTRIBUTES || !ReadWholeFile(path, before) || !MakeBackup(path)) {
        Message("Write Bootini Failed", IInstallerUi::STYLE_OK_INFO);
        m_nStatus = STATUS_BOOTINI_FAILED;
        return FALSE;
    }
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);

    CIniFile ini(path);
    bool written = true;
    if (ini.GetValue("boot loader", "timeout") == "0" &&
        Message("Modify Timout", IInstallerUi::STYLE_YESNO_INFO) == IInstallerUi::ANSWER_YES)
        written = WriteIniValue(ini, "boot loader", "timeout", "5") != FALSE;
    const CString key = GetBootDrive() + "\\" + keyFile;
    const CString value = CString("\"") + title + "\"";
    // each removal takes the first entry of the key in any case; with more
    // than one, all go and the new one is added once
    const size_t entries = CountOurEntries(before, (LPCTSTR)key);
    for (size_t i = 0; written && entries > 1 && i < entries; ++i)
        written = WriteIniValue(ini, "operating systems", key, NULL) != FALSE;
    written = written && WriteIniValue(ini, "operating systems", key, value);

    std::string after;
    if (written && ReadWholeFile(path, after) && BootIniKeptEntries(before, after, (LPCTSTR)key, (LPCTSTR)value)) {
        SetFileAttributesA(path, attributes);
        return TRUE;
    }
    // the original bytes and attributes come back
    CResourceFile::WriteBytes(path, before.data(), before.size());
    SetFileAttributesA(path, attributes);
    Message("Write Bootini Failed", IInstallerUi::STYLE_OK_INFO);
    m_nStatus = STATUS_BOOTINI_FAILED;
    return FALSE;
}

void CAssembler::OnQuickApply()
{
    if (m_ui.Show(PromptText(m_pLang, "Boot Loader Quick Application"), kQuickCaption,
                  IInstallerUi::STYLE_OKCANCEL_QUESTION) != IInstallerUi::ANSWER_OK)
        return;
    m_nStatus = STATUS_OK;
    if (!SetMenu(QuickApplicationText()))
        return;
    if (CheckBootIni() && WriteSysFile(TRUE) && WriteLoaderFile(TRUE) &&
        AddBootIniEntry(kLoaderFile, "Tessu - QuickBoot"))
        Message("Operation OK", IInstallerUi::STYLE_OK_INFO);
}

void CAssembler::OnInstallFloppyImage()
{
    if (!m_bExpert)
        return;
    m_nStatus = STATUS_OK;
    const CString path = GetBootDrive() + "\\" + kFloppyFile;
    if (!CheckBootIni() || !ReplaceWithResource(path, IDR_FLOPPY_IMAGE, 0, NULL, 0, "Write Failed"))
        return;
    m_strImagePath = path;
    m_ui.OnImagePathChanged(path);
    m_nMode = MODE_VIRTUAL_DISK;
    OnAssemble();
    if (m_nStatus == STATUS_OK)
        m_ui.Show(kFloppyGreeting, kQuickCaption, IInstallerUi::STYLE_OK_INFO);
}
