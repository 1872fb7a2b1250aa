// The installing half of the main dialog, without windows: Assemble in its
// two modes, the menu builders, the install steps that write Tessu.sys,
// Zeldr.bin and the boot.ini entry on the boot drive, the Grub2 head patch,
// the quick application and the floppy image.
#pragma once

#include "installer/BootLoaderInfo.h"
#include "installer/DiskImageInfo.h"
#include "installer/MenuText.h"

#include "framework/String.h"

struct DiskSource;
class CIniFile;
class CLangFile;
class IInstallerUi;

// Resources of type TESSU.
enum {
    IDR_TESSU_SYS = 133,
    IDR_TESSU_QUICK = 149,
    IDR_ZELDR_BIN = 134,
    IDR_FLOPPY_IMAGE = 150,
    IDR_GRUB2_HEAD = 154,
};
extern const char kTessuResourceType[];

// Writes a resource of the program to a new file; false when it is missing
// or not written whole.
BOOL WriteResourceToFile(LPCTSTR type, UINT id, LPCTSTR path);
// Copies a resource into `*buffer`, allocated (new[]) when null; the caller
// frees it. Its size in `size`.
BOOL LoadResourceData(UINT id, LPCTSTR type, unsigned char** buffer, size_t* size = NULL);

class CAssembler {
public:
    enum Mode { MODE_VIRTUAL_DISK = 1,
                MODE_BOOT_LOADER = 2 };
    enum Status {
        STATUS_OK = 0,
        STATUS_NO_DEVICE = 1,
        STATUS_MENU_TOO_LONG = 2,
        STATUS_NOT_AT_ROOT = 3,
        STATUS_COMPRESSED_ISO = 4,
        STATUS_ISO_NAME = 5,
        STATUS_REMOVE_FAILED = 6,
        STATUS_PATH_INVALID = 7,  // the menu would name a missing file
        STATUS_WRITE_FAILED = 8,
        STATUS_BOOTINI_FAILED = 9,  // invalid, or the entry was not kept
        STATUS_STOPPED = 10,        // refused or declined before any write
        STATUS_ANALYSIS_FAILED = 99,
    };

    // Disks: the system's when null.
    CAssembler(IInstallerUi& ui, CLangFile* lang, const DiskSource* disks = NULL);
    virtual ~CAssembler() {}

    void OnAssemble();
    void OnQuickApply();
    // Installs the built-in floppy image in virtual-disk mode (expert only).
    void OnInstallFloppyImage();

    void BuildDiskImageMenu();
    void BuildIsoEmuMenu();
    void BuildRomfsMenu();
    BOOL WriteSysFile(BOOL quick);
    BOOL WriteLoaderFile(BOOL quick = FALSE);
    BOOL AddBootIniEntry(LPCTSTR keyFile, LPCTSTR title);
    // An existing boot.ini with a [boot loader] timeout; else "Invalid Bootini".
    BOOL CheckBootIni();

    CString GetBootDrive() const { return m_strBootIniPath.Left(2); }

    int m_nMode;
    CString m_strImagePath;
    CString m_strLoaderPath;
    CString m_strBootIniPath;
    BOOL m_bExpert;
    int m_nStatus;
    CDiskImageInfo m_image;
    CBootLoaderInfo m_loader;
    unsigned char m_menu[MENU_BLOCK_SIZE];

protected:
    // Writes one boot.ini value; tests replace it to force a failure.
    virtual BOOL WriteIniValue(CIniFile& ini, LPCTSTR section, LPCTSTR key, LPCTSTR value);

private:
    void AssembleBootLoader();
    void AssembleVirtualDisk();
    BOOL FindDevice(CString& device);
    BOOL SetMenu(const CString& text);
    void RunInstallSteps(LPCTSTR imageName);
    BOOL PatchGrub2Head();
    // The resource with `size` bytes of `patch` at `offset` in place of the
    // file; an old file that cannot be replaced shows removeKey.
    BOOL ReplaceWithResource(const CString& path, UINT id, size_t offset, const void* patch, size_t size,
                             LPCTSTR removeKey);
    BOOL WriteFailed(LPCTSTR key);
    int Message(LPCTSTR key, int style);

    IInstallerUi& m_ui;
    CLangFile* m_pLang;
    const DiskSource* m_pDisks;
};
