// The image object of the browser: the active image with its node tree, and
// the romfs image reader (plain, or inflated from gzip or a zip's first member).
#pragma once

#include "browser/FsNode.h"

class CFile;

class CImageFs {
public:
    enum { MODE_ROMFS = 1 };
    // Why the last OpenImage or CreateImage failed.
    enum { OPEN_OK = 0,
           OPEN_CANNOT_READ,
           OPEN_NOT_IMAGE,
           OPEN_TRUNCATED,
           OPEN_NO_SPACE,
           OPEN_CANNOT_WRITE,
           OPEN_CANCELLED,
           OPEN_NAME_NOT_ALLOWED,
           OPEN_DAMAGED };
    enum { EXTRACT_OK = 0,
           EXTRACT_NO_IMAGE = -1,
           EXTRACT_NO_MEMORY = -2,
           EXTRACT_NO_TARGET = -3,
           EXTRACT_CANCELLED = -4 };

    // Told the bytes of a compressed image inflated, or of a file extracted,
    // so far and the whole size; FALSE stops the work.
    typedef BOOL (*ProgressProc)(void* context, ULONGLONG done, ULONGLONG total);
    // The free bytes of the folder's disk; replaceable for tests.
    typedef BOOL (*FreeSpaceProc)(LPCTSTR folder, ULONGLONG& free);
    static FreeSpaceProc s_pfnFreeSpace;

    CImageFs();
    virtual ~CImageFs();

    void SetProgress(ProgressProc proc, void* context)
    {
        m_pfnProgress = proc;
        m_pProgressContext = context;
    }
    int GetOpenError() const { return m_nOpenError; }
    int GetBuildError() const { return m_nBuildError; }

    // Replaces the active image only when the new one opened and read
    // completely; on failure the previous image and its nodes stay.
    BOOL OpenImage(LPCTSTR path);
    // The same on a file the caller opened (bytes in a CMemFile, say) and
    // keeps open while the image is active; its image path stays empty.
    BOOL OpenImage(CFile& source);
    BOOL NewImage(int mode, LPCTSTR name);
    BOOL CreateImage(LPCTSTR folder, LPCTSTR outputPath, int mode, LPCTSTR volumeName);

    CImageFs* GetActiveImage() const { return m_pActive; }
    // The node tree of the active image (an empty tree without one).
    CFsNodeTree& GetTree() { return m_pActive ? m_pActive->m_tree : m_tree; }
    // ExtractNode of the active image, told this object's progress function.
    int Extract(CFsNode* node, CString& destination, BOOL copyDiskFiles);

    virtual BOOL Open(LPCTSTR path)
    {
        (void)path;
        return FALSE;
    }
    virtual BOOL NewEmpty(LPCTSTR name)
    {
        (void)name;
        return FALSE;
    }
    virtual BOOL ReadTree() { return FALSE; }
    // Writes the node's data to the destination in bounded chunks; a node of
    // a dropped file is copied there, or without copyDiskFiles its path is put
    // in destination. A cancelled or failed copy leaves no destination behind.
    virtual int ExtractNode(CFsNode* node, CString& destination, BOOL copyDiskFiles);

    const CString& GetImagePath() const { return m_strImagePath; }

protected:
    ProgressProc m_pfnProgress;
    void* m_pProgressContext;
    int m_nOpenError;
    int m_nBuildError;

    static int ExtractDiskNode(CFsNode* node, CString& destination, BOOL copyDiskFiles);

    CFsNodeTree m_tree;
    CString m_strImagePath;

private:
    BOOL Adopt(CImageFs* image, BOOL opened);
    BOOL FailBuild(int error);
    CImageFs(const CImageFs&) = delete;
    void operator=(const CImageFs&) = delete;

    CImageFs* m_pActive;
};

class CRomfsImage : public CImageFs {
public:
    CRomfsImage();
    virtual ~CRomfsImage();

    virtual BOOL Open(LPCTSTR path);
    BOOL Open(CFile& source);
    virtual BOOL NewEmpty(LPCTSTR name);
    virtual BOOL ReadTree();
    virtual int ExtractNode(CFsNode* node, CString& destination, BOOL copyDiskFiles);

    // The inflated copy of a compressed image, removed with the image.
    const CString& GetTempFile() const { return m_strTempFile; }

private:
    class Stream;
    BOOL OpenFrom(LPCTSTR path, CFile* source);
    BOOL InflateToTemp(Stream& stream, const BYTE* head, UINT headLength);
    BOOL Refuse(int error);
    BOOL OwnsNode(const CFsNode* node);

    CString m_strTempFile;
    CFile* m_pSource;  // the caller's file of an image opened from one, else NULL
    ULONGLONG m_imageLength;
};
