#include "browser/ImageSave.h"

#include "browser/BrowserPlatform.h"
#include "browser/NodeFiles.h"
#include "designer/core/DiskObject.h"
#include "designer/core/ZipEntryInfo.h"
#include "framework/File.h"
#include "framework/Sys.h"

#include <zip.h>

#include <memory>
#include <vector>

namespace {
const char kDefaultVolume[] = "DemoRomfs";

int LastSeparator(const CString& path)
{
    int back = path.ReverseFind('\\');
    int slash = path.ReverseFind('/');
    return back > slash ? back : slash;
}

// Removes the staging folder when the save ends.
class StagingFolder {
public:
    ~StagingFolder()
    {
        if (!m_path.IsEmpty())
            CDiskObject().RemoveFolderTree(m_path);
    }
    BOOL Create()
    {
        CString temp;
        if (!FwGetTempFileName(FwGetTempPath(), "_ZM", temp))
            return FALSE;
        CDiskObject disk;
        disk.RemoveFile(temp);
        if (!disk.CreateFolderPath(temp))
            return FALSE;
        m_path = temp;
        return TRUE;
    }
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

class ZipWriter {
public:
    ~ZipWriter()
    {
        if (m_zip)
            zipClose(m_zip, NULL);
    }
    BOOL Open(LPCTSTR path)
    {
        m_zip = zipOpen64((LPCTSTR)FwNativePath(path), APPEND_STATUS_CREATE);
        return m_zip != NULL;
    }
    BOOL AddFile(LPCTSTR name, CFile& source)
    {
        zip_fileinfo info = ZipEntryInfoNow();
        ULONGLONG length = source.GetLength();
        if (zipOpenNewFileInZip64(m_zip, name, &info, NULL, 0, NULL, 0, NULL, Z_DEFLATED,
                                  Z_DEFAULT_COMPRESSION, length >= 0xFFFFFFFFull) != ZIP_OK)
            return FALSE;
        std::vector<BYTE> buffer(1 << 16);
        ULONGLONG done = 0;
        BOOL ok = TRUE;
        while (ok && done < length) {
            UINT n = source.Read(buffer.data(), (UINT)buffer.size());
            ok = n > 0 && zipWriteInFileInZip(m_zip, buffer.data(), n) == ZIP_OK;
            done += n;
        }
        return zipCloseFileInZip(m_zip) == ZIP_OK && ok;
    }
    BOOL Close()
    {
        int rc = zipClose(m_zip, NULL);
        m_zip = NULL;
        return rc == ZIP_OK;
    }

private:
    zipFile m_zip = NULL;
};

SaveResult Failed(SaveProblem& problem, const CString& file, int reason, SaveResult result)
{
    problem.file = file;
    problem.reason = reason;
    return result;
}

BOOL WriteZip(LPCTSTR zipPath, LPCTSTR imagePath, const CString& member)
{
    CFile source;
    if (!source.Open(imagePath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return FALSE;
    ZipWriter zip;
    return zip.Open(zipPath) && zip.AddFile(member, source) && zip.Close();
}
}  // namespace

CString AddImageExtension(LPCTSTR path)
{
    CString p = path;
    if (p.Find('.') < 0)  // a dot in a folder name counts too
        p += ".zmn";
    return p;
}

CFsNode* DropFolderFor(CFsNode* selectedRow, CFsNode* dropTarget)
{
    if (!selectedRow)
        return dropTarget;
    if (!selectedRow->IsFolder() && selectedRow->m_pParent)
        return selectedRow->m_pParent;
    return selectedRow;
}

DropResult AddDroppedFile(CImageFs& fs, CFsNode* folder, LPCTSTR path, BOOL readOnly, CFsNode** added)
{
    if (added)
        *added = NULL;
    if (readOnly)
        return DROP_READ_ONLY;
    DWORD attributes = FwGetFileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return DROP_UNREADABLE;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return DROP_FOLDER;
    CFsNode node;
    if (!MakeDiskFileNode(path, node, CFsNode::TYPE_FILE))
        return DROP_UNREADABLE;
    for (CFsNode* n = folder ? folder->m_pChild : NULL; n; n = n->m_pNext)
        if (n->m_strName.CompareNoCase(node.m_strName) == 0)
            return DROP_DUPLICATE;
    CFsNode* inserted = fs.GetTree().Insert(folder, node);
    if (added)
        *added = inserted;
    return DROP_ADDED;
}

BOOL ZipImageFile(LPCTSTR zipPath, LPCTSTR imagePath)
{
    CString zip = zipPath, image = imagePath;
    if (zip.IsEmpty() || image.IsEmpty() || FwAccess(image, 4) != 0)
        return FALSE;
    CString temp;
    if (!BrTempFileBeside(zip, temp))
        return FALSE;
    if (!WriteZip(temp, image, image.Mid(LastSeparator(image) + 1)) || !BrReplaceFile(temp, zip)) {
        FwDeleteFile(temp);
        return FALSE;
    }
    return TRUE;
}

SaveResult SaveNodesAsImage(CImageFs& fs, const CPtrArray& nodes, LPCTSTR chosenPath, BOOL readOnly,
                            BOOL compress, CString& imagePath, SaveProblem* problem)
{
    SaveProblem unused;
    SaveProblem& p = problem ? *problem : unused;
    p = SaveProblem();
    if (nodes.GetSize() == 0)
        return SAVE_NO_FILES;
    if (readOnly)
        return SAVE_READ_ONLY;
    StagingFolder staging;
    if (!staging.Create())
        return Failed(p, FwGetTempPath(), CImageFs::OPEN_CANNOT_WRITE, SAVE_EXTRACT_FAILED);
    CFsNode* node = NULL;
    CString target;
    int error = CImageFs::EXTRACT_OK;
    if (ExtractNodesTo(fs, nodes, staging.Path(), &node, &target, &error) <= 0) {
        if (error == CImageFs::EXTRACT_NO_TARGET)
            return Failed(p, target, CImageFs::OPEN_CANNOT_WRITE, SAVE_EXTRACT_FAILED);
        CString source = node && node->IsDiskFile() ? node->m_strSource : node ? node->m_strName
                                                                               : CString();
        return Failed(p, source, CImageFs::OPEN_CANNOT_READ, SAVE_EXTRACT_FAILED);
    }
    imagePath = AddImageExtension(chosenPath);
    CString volume = fs.GetTree().GetRoot()->m_strName;
    if (volume.IsEmpty() || volume.GetLength() > 15)
        volume = kDefaultVolume;
    if (!fs.CreateImage(staging.Path(), imagePath, CImageFs::MODE_ROMFS, volume)) {
        int reason = fs.GetBuildError();
        return Failed(p, reason == CImageFs::OPEN_CANNOT_READ ? staging.Path() : imagePath, reason,
                      SAVE_BUILD_FAILED);
    }
    if (!compress)
        return SAVE_CREATED;
    if (!ZipImageFile(imagePath + ".zip", imagePath)) {
        if (FwAccess(imagePath, 4) != 0)
            return Failed(p, imagePath, CImageFs::OPEN_CANNOT_READ, SAVE_ZIP_FAILED);
        return Failed(p, imagePath + ".zip", CImageFs::OPEN_CANNOT_WRITE, SAVE_ZIP_FAILED);
    }
    FwDeleteFile(imagePath);
    return SAVE_ZIPPED;
}

LPCTSTR SaveResultText(SaveResult result)
{
    switch (result) {
    case SAVE_NO_FILES:
        return "No file to process, quit.     ";
    case SAVE_READ_ONLY:
        return "This function is only for new created virtual fs.     ";
    case SAVE_CREATED:
        return "file created!     ";
    case SAVE_ZIPPED:
        return "zipped file created!     \n";
    default:  // failures name their file (SaveProblem)
        return "";
    }
}
