#include "deploy/BootFileSet.h"

#include "deploy/core/BootFields.h"
#include "designer/core/ArchiveFile.h"
#include "designer/core/DiskObject.h"
#include "designer/core/ResourceFile.h"
#include "framework/Sys.h"
#include "resources/bootfiles/bootfiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace {
const char kResourceType[] = "ZAVO_EXEC";
const char kBootFolder[] = "Kelboot";
const char kLoaderFile[] = "zeldr.bin";
const char kCdLoaderFile[] = "zavoldr.bin";
const char kSystemFile[] = "zavo.sys";
// Beside the target's set while it is swapped.
const char kNewSetFolder[] = "~ZavoNew.tmp";
const char kOldSetFolder[] = "~ZavoOld.tmp";

bool IsPlainName(const CString& name)
{
    return !name.IsEmpty() && name != "." && name != ".." && name.FindOneOf("/\\:") < 0;
}

// Renames and remembers each rename so that it can be undone.
class CMoveLog {
public:
    // A missing source is no error when `optional`.
    bool Move(const CString& from, const CString& to, bool optional, CString& error)
    {
        if (rename((LPCTSTR)FwNativePath(from), (LPCTSTR)FwNativePath(to)) == 0) {
            m_done.push_back(std::make_pair(from, to));
            return true;
        }
        if (optional && errno == ENOENT)
            return true;
        error.Format("Cannot move %s to %s: %s", (LPCTSTR)from, (LPCTSTR)to, strerror(errno));
        return false;
    }

    // True when every rename was taken back.
    bool Undo()
    {
        bool all = true;
        while (!m_done.empty()) {
            const std::pair<CString, CString>& m = m_done.back();
            if (rename((LPCTSTR)FwNativePath(m.second), (LPCTSTR)FwNativePath(m.first)) != 0)
                all = false;
            m_done.pop_back();
        }
        return all;
    }

private:
    std::vector<std::pair<CString, CString>> m_done;
};

CString ResourceWriteError(LPCTSTR path)
{
    CString text;
    text.Format("Cannot write %s from the program's resources", path);
    return text;
}
}  // namespace

BOOL UnpackBootModules(const void* zip, unsigned long size, LPCTSTR folder, CString& error)
{
    CArchiveFile archive;
    if (!archive.OpenArchiveFromMemory(zip, size)) {
        error = "The boot modules are not a zip archive";
        return FALSE;
    }
    CDiskObject disk;
    const CString target = disk.QualifyFolder(folder);
    if (!disk.CreateFolderPath(target)) {
        error = disk.GetErrorText();
        return FALSE;
    }
    const int count = archive.GetEntryCount();
    if (count < 0) {
        error = archive.GetErrorText();
        return FALSE;
    }
    for (int i = 0; i < count; ++i) {
        unsigned char* data = NULL;
        unsigned length = 0;
        BOOL isFile = FALSE;
        CString name;
        if (!archive.GetEntry(i, data, length, isFile, name)) {
            error.Format("Boot module %d: %s", i, (LPCTSTR)archive.GetErrorText());
            return FALSE;
        }
        if (!isFile)
            continue;
        if (!IsPlainName(name)) {
            error.Format("Boot module %s names another folder", (LPCTSTR)name);
            return FALSE;
        }
        if (!CResourceFile::WriteBytes(target + name, data, length)) {
            error.Format("Cannot write %s", (LPCTSTR)(target + name));
            return FALSE;
        }
    }
    return TRUE;
}

BOOL UnpackBootFileSet(LPCTSTR bootFolder, CString& error)
{
    const void* data = NULL;
    size_t size = 0;
    if (!FwFindProgramResource(IDR_BOOT_MODULES, kResourceType, data, size)) {
        error = "The boot modules are missing from the program";
        return FALSE;
    }
    return UnpackBootModules(data, (unsigned long)size, bootFolder, error);
}

BOOL WriteBootFiles(int mode, LPCTSTR workFolder, CString& loaderPath, CString& systemPath, CString& error)
{
    CDiskObject disk;
    const CString work = disk.QualifyFolder(workFolder);
    const CString boot = work + kBootFolder + "\\";
    if (!disk.CreateFolderPath(boot)) {
        error = disk.GetErrorText();
        return FALSE;
    }
    const bool cd = mode == BOOT_MODE_ISO;
    systemPath = (cd ? boot : work) + kSystemFile;
    loaderPath = work + (cd ? kCdLoaderFile : kLoaderFile);
    CResourceFile resources;
    if (!resources.SaveToFile(IDR_ZAVO_SYS, kResourceType, systemPath)) {
        error = ResourceWriteError(systemPath);
        return FALSE;
    }
    if (!resources.SaveToFile(cd ? IDR_CD_LOADER : IDR_ZELDR, kResourceType, loaderPath)) {
        error = ResourceWriteError(loaderPath);
        return FALSE;
    }
    return TRUE;
}

BOOL PatchLoaderFiles(LPCTSTR loaderPath, LPCTSTR systemPath, BOOL cdMode, LPCTSTR bootPath, time_t now,
                      CString& error)
{
    unsigned char preset[kPresetFieldSize];
    if (!MakePresetField(bootPath, now, preset)) {
        error.Format("The boot path is longer than %u characters: %s", (unsigned)kMaxPresetBootPath,
                     bootPath ? bootPath : "");
        return FALSE;
    }
    std::string text;
    if (!PatchLoaderName((LPCTSTR)FwNativePath(loaderPath), cdMode != FALSE, kChainedSystemName, text) ||
        !PatchFileBytes((LPCTSTR)FwNativePath(systemPath), kPresetFieldOffset, preset, sizeof(preset),
                        text)) {
        error = text.c_str();
        return FALSE;
    }
    return TRUE;
}

BOOL CBootFileInstaller::Install(LPCTSTR sourceFolder, LPCTSTR targetRoot, BOOL keepKelboot, CString& error)
{
    CDiskObject disk;
    const CString source = disk.QualifyFolder(sourceFolder);
    const CString root = disk.QualifyFolder(targetRoot);
    const CString files[] = {kLoaderFile, kSystemFile};
    for (const CString& name : files) {
        if (!disk.FileExists(source + name)) {
            error.Format("%s is missing", (LPCTSTR)(source + name));
            return FALSE;
        }
        if (FwDirectoryExists(root + name)) {
            error.Format("%s is a folder", (LPCTSTR)(root + name));
            return FALSE;
        }
    }
    const CString rootBoot = root + kBootFolder;
    const bool hasBoot = disk.FolderExists(rootBoot);
    if (!hasBoot && FwCanOpenForRead(rootBoot)) {
        error.Format("%s is a file", (LPCTSTR)rootBoot);
        return FALSE;
    }

    // The whole new set first, beside the old one.
    const CString fresh = root + kNewSetFolder + "\\";
    const CString old = root + kOldSetFolder + "\\";
    disk.RemoveFolderTree(fresh);
    disk.RemoveFolderTree(old);
    CStringArray bootFiles;
    if (!disk.CreateFolderPath(fresh) || !disk.CopyFileToFolder(source + kLoaderFile, fresh) ||
        !disk.CopyFileToFolder(source + kSystemFile, fresh) ||
        !disk.CopyFolderFiles(source + kBootFolder, fresh + kBootFolder) ||
        !disk.ListFiles(fresh + kBootFolder, bootFiles, FALSE) || !disk.CreateFolderPath(old + kBootFolder)) {
        error = disk.GetErrorText();
        disk.RemoveFolderTree(fresh);
        disk.RemoveFolderTree(old);
        return FALSE;
    }

    // Old out, new in; every step is taken back when one fails.
    CMoveLog log;
    const bool mergeBoot = hasBoot && keepKelboot;
    bool ok = true;
    for (const CString& name : files)
        ok = ok && log.Move(root + name, old + name, true, error);
    if (mergeBoot) {
        for (int i = 0; ok && i < bootFiles.GetSize(); ++i)
            ok = log.Move(rootBoot + "\\" + bootFiles[i], old + kBootFolder + "\\" + bootFiles[i], true, error);
    } else if (hasBoot) {
        ok = ok && log.Move(rootBoot, old + kBootFolder + "\\" + kBootFolder, false, error);
    }
    for (const CString& name : files)
        ok = ok && log.Move(fresh + name, root + name, false, error);
    if (mergeBoot) {
        for (int i = 0; ok && i < bootFiles.GetSize(); ++i)
            ok = log.Move(fresh + kBootFolder + "\\" + bootFiles[i], rootBoot + "\\" + bootFiles[i], false, error);
    } else {
        ok = ok && log.Move(fresh + kBootFolder, rootBoot, false, error);
    }

    bool restored = ok || log.Undo();
    disk.RemoveFolderTree(fresh);
    if (restored)
        disk.RemoveFolderTree(old);
    else
        error += CString("; the old files are kept in ") + old;
    return ok ? TRUE : FALSE;
}
