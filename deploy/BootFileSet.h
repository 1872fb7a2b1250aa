// The boot files of the deploy wizard's work folder: the boot modules
// unpacked from the program's resources, the loader and Zavo.sys with their
// patched fields, and the installer that puts the hard-disk set on a partition.
// Window-free; the wizard page's members forward here.
#pragma once

#include "framework/Framework.h"

#include <ctime>

enum BootMode {
    BOOT_MODE_ISO = 1,        // zavo.sys in Kelboot, zavoldr.bin at the top
    BOOT_MODE_HARD_DISK = 2,  // zavo.sys and zeldr.bin at the top
};

// Writes every file entry of the boot-module zip into the folder under its
// stored name; entries naming other folders are refused. False at the first
// failure, with its text.
BOOL UnpackBootModules(const void* zip, unsigned long size, LPCTSTR folder, CString& error);

// The same for the program's boot-module resource.
BOOL UnpackBootFileSet(LPCTSTR bootFolder, CString& error);

// Writes the mode's loader and Zavo.sys from the program's resources into
// the work folder (see BootMode) and gives their paths.
BOOL WriteBootFiles(int mode, LPCTSTR workFolder, CString& loaderPath, CString& systemPath, CString& error);

// Writes the chained name "ZAVO.SYS" into the loader (at 2032 in the CD
// mode, 752 otherwise) and the preset menu naming `bootPath`/zavo.ini into
// Zavo.sys. False when either file cannot be patched; a boot path over 53
// characters leaves both files as they were.
BOOL PatchLoaderFiles(LPCTSTR loaderPath, LPCTSTR systemPath, BOOL cdMode, LPCTSTR bootPath, time_t now,
                      CString& error);

// Puts Zeldr.bin, Zavo.sys and the Kelboot folder of a work folder on a
// partition root.
class CBootFileInstaller {
public:
    virtual ~CBootFileInstaller() {}

    // The whole new set is copied to the root before anything old is
    // removed; the old files are then swapped out and back in again when a
    // step fails, so a failed install leaves the root as it was. Without
    // `keepKelboot` the root's Kelboot folder is replaced; with it the new
    // files are copied over it and its other files stay.
    BOOL Install(LPCTSTR sourceFolder, LPCTSTR targetRoot, BOOL keepKelboot, CString& error);
};
