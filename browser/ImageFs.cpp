#include "browser/ImageFs.h"

#include "browser/BrowserPlatform.h"
#include "browser/GzMemberReader.h"
#include "designer/core/RomfsBuilder.h"
#include "framework/File.h"
#include "framework/FileFind.h"
#include "framework/Sys.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {
const char ROMFS_MAGIC[] = "-rom1fs-";
const UINT HEADER_BLOCK = 512;
const size_t kExtractChunk = 1 << 16;

// One header of the image, read through bounds checks against the image's
// usable size: a name must end inside its block and the data inside the image.
struct RomfsHeader {
    DWORD next;  // word 0 without its low 4 bits
    BYTE type;   // low 4 bits of word 0
    DWORD info;
    DWORD size;
    CString name;
    DWORD dataOffset;
};

DWORD Be32(const BYTE* p)
{
    return ((DWORD)p[0] << 24) | ((DWORD)p[1] << 16) | ((DWORD)p[2] << 8) | p[3];
}

class RomfsFile {
public:
    RomfsFile() : m_pFile(&m_file), m_limit(0) {}
    BOOL Open(LPCTSTR path)
    {
        if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
            return FALSE;
        m_limit = m_file.GetLength();
        return TRUE;
    }
    // The same on a file the caller opened (and keeps open).
    BOOL Open(CFile& source)
    {
        m_pFile = &source;
        m_limit = source.GetLength();
        return TRUE;
    }
    ULONGLONG Length() const { return m_limit; }
    void SetLimit(ULONGLONG limit) { m_limit = limit; }

    BOOL Read(ULONGLONG offset, void* buffer, UINT length)
    {
        return ReadFileAt(*m_pFile, m_limit, offset, buffer, length);
    }

    BOOL ReadHeader(DWORD offset, RomfsHeader& h)
    {
        if (offset % 16 || offset >= m_limit || m_limit - offset < 17)
            return FALSE;
        BYTE block[HEADER_BLOCK];
        UINT have = m_limit - offset < HEADER_BLOCK ? (UINT)(m_limit - offset) : HEADER_BLOCK;
        if (!Read(offset, block, have))
            return FALSE;
        const BYTE* name = block + 16;
        const void* nul = memchr(name, 0, have - 16);
        if (!nul)
            return FALSE;
        int len = (int)(static_cast<const BYTE*>(nul) - name);
        h.next = Be32(block) & ~15u;
        h.type = (BYTE)(Be32(block) & 15);
        h.info = Be32(block + 4);
        h.size = Be32(block + 8);
        h.name = CString(reinterpret_cast<const char*>(name), len);
        ULONGLONG data = (ULONGLONG)offset + 16 + ((len + 16) & ~15);
        if (data > m_limit)
            return FALSE;
        h.dataOffset = (DWORD)data;
        return TRUE;
    }

private:
    CFile m_file;
    CFile* m_pFile;  // m_file or the caller's
    ULONGLONG m_limit;
};

BOOL HasMagic(const BYTE* p) { return memcmp(p, ROMFS_MAGIC, 8) == 0; }

// Copies the bytes at offset one chunk at a time, so that a file of any size
// needs little memory: an EXTRACT_ result.
int CopyChunks(RomfsFile& image, DWORD offset, DWORD size, CFile& out, CImageFs::ProgressProc progress,
               void* context)
{
    std::vector<BYTE> chunk(kExtractChunk);
    for (DWORD done = 0; done < size;) {
        if (progress && !progress(context, done, size))
            return CImageFs::EXTRACT_CANCELLED;
        UINT want = size - done < chunk.size() ? (UINT)(size - done) : (UINT)chunk.size();
        if (!image.Read((ULONGLONG)offset + done, chunk.data(), want))
            return CImageFs::EXTRACT_NO_IMAGE;
        if (!out.Write(chunk.data(), want))
            return CImageFs::EXTRACT_NO_TARGET;
        done += want;
    }
    return CImageFs::EXTRACT_OK;
}
}  // namespace

CImageFs::FreeSpaceProc CImageFs::s_pfnFreeSpace = BrGetFreeSpace;

CImageFs::CImageFs()
    : m_pfnProgress(NULL), m_pProgressContext(NULL), m_nOpenError(OPEN_OK), m_nBuildError(OPEN_OK),
      m_pActive(NULL)
{
}

CImageFs::~CImageFs()
{
    delete m_pActive;
}

BOOL CImageFs::OpenImage(LPCTSTR path)
{
    CRomfsImage* image = new CRomfsImage;
    image->SetProgress(m_pfnProgress, m_pProgressContext);
    return Adopt(image, image->Open(path));
}

BOOL CImageFs::OpenImage(CFile& source)
{
    CRomfsImage* image = new CRomfsImage;
    image->SetProgress(m_pfnProgress, m_pProgressContext);
    return Adopt(image, image->Open(source));
}

BOOL CImageFs::Adopt(CImageFs* image, BOOL opened)
{
    if (!opened || !image->ReadTree()) {
        m_nOpenError = image->GetOpenError() ? image->GetOpenError() : OPEN_NOT_IMAGE;
        delete image;
        return FALSE;
    }
    m_nOpenError = OPEN_OK;
    delete m_pActive;
    m_pActive = image;
    return TRUE;
}

BOOL CImageFs::NewImage(int mode, LPCTSTR name)
{
    m_tree.Clear();
    delete m_pActive;
    m_pActive = NULL;
    if (mode != MODE_ROMFS)
        return FALSE;
    m_pActive = new CRomfsImage;
    return m_pActive->NewEmpty(name);
}

int CImageFs::Extract(CFsNode* node, CString& destination, BOOL copyDiskFiles)
{
    if (!m_pActive)
        return node && node->IsDiskFile() ? ExtractDiskNode(node, destination, copyDiskFiles)
                                          : EXTRACT_NO_IMAGE;
    // the image keeps no function of an earlier caller's
    m_pActive->SetProgress(m_pfnProgress, m_pProgressContext);
    int result = m_pActive->ExtractNode(node, destination, copyDiskFiles);
    m_pActive->SetProgress(NULL, NULL);
    return result;
}

int CImageFs::ExtractNode(CFsNode*, CString&, BOOL)
{
    return EXTRACT_NO_IMAGE;
}

int CImageFs::ExtractDiskNode(CFsNode* node, CString& destination, BOOL copyDiskFiles)
{
    if (!copyDiskFiles) {
        destination = node->m_strSource;
        return EXTRACT_OK;
    }
    if (FwCopyFile(node->m_strSource, destination, FALSE))
        return EXTRACT_OK;
    return FwAccess(node->m_strSource, 4) != 0 ? EXTRACT_NO_IMAGE : EXTRACT_NO_TARGET;
}

CRomfsImage::CRomfsImage() : m_pSource(NULL), m_imageLength(0)
{
}

CRomfsImage::~CRomfsImage()
{
    if (!m_strTempFile.IsEmpty())
        FwDeleteFile(m_strTempFile);
}

// The decompressed bytes of a compressed image, read in order: the
// container's data, or when those are a gzip file in turn (the studio's
// packages: a zip holding the gzip image) that inner stream inflated too.
// No layer below that one is opened.
class CRomfsImage::Stream {
public:
    enum { END = 0,
           FAILED = -1 };

    Stream() : m_outerPos(0), m_bNested(FALSE), m_bEnd(FALSE)
    {
        memset(&m_z, 0, sizeof(m_z));
    }
    ~Stream()
    {
        if (m_bNested)
            inflateEnd(&m_z);
    }
    // The reason a container header was refused; OPEN_OK for a file that
    // holds no container at all.
    int HeaderError() const
    {
        switch (m_outer.GetError()) {
        case GzMemberReader::ERR_HEADER_CUT:
            return OPEN_TRUNCATED;
        case GzMemberReader::ERR_BAD_HEADER:
            return OPEN_DAMAGED;
        default:
            return OPEN_OK;
        }
    }
    // FALSE for a file that holds no usable container.
    BOOL Open(LPCTSTR path, CFile* source)
    {
        if ((source ? m_outer.Open(*source) : m_outer.Open(path)) <= 0 || !m_outer.IsCompressed())
            return FALSE;
        BYTE magic[2];
        if (!m_outer.IsZip() || m_outer.ReadAt(magic, 0, 2) != 2 || magic[0] != 0x1F || magic[1] != 0x8B)
            return TRUE;
        if (inflateInit2(&m_z, 16 + MAX_WBITS) != Z_OK)
            return FALSE;
        m_bNested = TRUE;
        m_in.resize(GzMemberReader::INPUT_SIZE);
        return TRUE;
    }
    // Reads until the buffer is full or the data end: the count, or FAILED
    // for damaged data.
    int ReadFull(BYTE* buffer, UINT length)
    {
        UINT done = 0;
        while (done < length) {
            int got = m_bNested ? ReadInner(buffer + done, length - done) : ReadOuter(buffer + done, length - done);
            if (got == FAILED)
                return FAILED;
            if (got == END)
                break;
            done += (UINT)got;
        }
        return (int)done;
    }

private:
    int ReadOuter(BYTE* buffer, UINT length)
    {
        int got = m_outer.ReadAt(buffer, (DWORD)m_outerPos, length);
        if (got > 0)
            m_outerPos += got;
        if (got < 0)  // data cut short end early, as a short stream does
            return m_outer.GetError() == GzMemberReader::ERR_TRUNCATED ? END : FAILED;
        return got;
    }
    int ReadInner(BYTE* buffer, UINT length)
    {
        if (m_bEnd)
            return END;
        m_z.next_out = buffer;
        m_z.avail_out = length;
        while (m_z.avail_out == length) {
            if (m_z.avail_in == 0) {
                int got = ReadOuter(m_in.data(), (UINT)m_in.size());
                if (got == FAILED)
                    return FAILED;
                if (got == END) {  // the inner stream is cut short
                    m_bEnd = TRUE;
                    break;
                }
                m_z.next_in = m_in.data();
                m_z.avail_in = (uInt)got;
            }
            int ret = inflate(&m_z, Z_NO_FLUSH);
            if (ret == Z_STREAM_END) {
                m_bEnd = TRUE;
                break;
            }
            if (ret != Z_OK)
                return FAILED;
        }
        return (int)(length - m_z.avail_out);
    }

    GzMemberReader m_outer;
    ULONGLONG m_outerPos;
    BOOL m_bNested;
    BOOL m_bEnd;
    z_stream m_z;
    std::vector<BYTE> m_in;
};

BOOL CRomfsImage::Refuse(int error)
{
    m_nOpenError = error;
    return FALSE;
}

// Writes no more than the image's own size field says it holds, so that
// data inflating far beyond it (a bomb) never reach the disk.
BOOL CRomfsImage::InflateToTemp(Stream& stream, const BYTE* head, UINT headLength)
{
    DWORD size = Be32(head + 8);
    if (size < headLength)
        headLength = size;
    ULONGLONG free = 0;
    CString folder = FwGetTempPath();
    if (s_pfnFreeSpace(folder, free) && size > free)  // a disk that cannot tell is tried
        return Refuse(OPEN_NO_SPACE);
    CString temp;
    if (!FwGetTempFileName(folder, "_zmn", temp))
        return Refuse(OPEN_CANNOT_WRITE);
    m_strTempFile = temp;
    CFile out;
    if (!out.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary) || !out.Write(head, headLength))
        return Refuse(OPEN_CANNOT_WRITE);
    std::vector<BYTE> chunk(0x8000);
    for (ULONGLONG done = headLength; done < size;) {
        if (m_pfnProgress && !m_pfnProgress(m_pProgressContext, done, size))
            return Refuse(OPEN_CANCELLED);
        UINT want = size - done < chunk.size() ? (UINT)(size - done) : (UINT)chunk.size();
        int got = stream.ReadFull(chunk.data(), want);
        if (got < 0)
            return Refuse(OPEN_DAMAGED);
        if ((UINT)got < want)
            return Refuse(OPEN_TRUNCATED);
        if (!out.Write(chunk.data(), want))
            return Refuse(OPEN_CANNOT_WRITE);
        done += want;
    }
    return out.Close() || Refuse(OPEN_CANNOT_WRITE);
}

BOOL CRomfsImage::Open(LPCTSTR path)
{
    m_nOpenError = OPEN_OK;
    if (!FwFileExists(path))
        return Refuse(OPEN_CANNOT_READ);
    return OpenFrom(path, NULL);
}

BOOL CRomfsImage::Open(CFile& source)
{
    m_nOpenError = OPEN_OK;
    return OpenFrom(NULL, &source);
}

BOOL CRomfsImage::OpenFrom(LPCTSTR path, CFile* source)
{
    BYTE head[HEADER_BLOCK];
    CString file = path ? path : "";
    Stream stream;
    if (stream.Open(path, source)) {
        // refused before any temp file is written
        int got = stream.ReadFull(head, sizeof(head));
        if (got < 0)
            return Refuse(OPEN_DAMAGED);
        if (got < 16)
            return Refuse(got >= 8 && HasMagic(head) ? OPEN_TRUNCATED : OPEN_NOT_IMAGE);
        if (!HasMagic(head))
            return Refuse(OPEN_NOT_IMAGE);
        if (!InflateToTemp(stream, head, (UINT)got))
            return FALSE;
        file = m_strTempFile;
        source = NULL;
    } else if (stream.HeaderError() != OPEN_OK) {
        return Refuse(stream.HeaderError());
    }
    RomfsFile image;
    if (!(source ? image.Open(*source) : image.Open(file)))
        return Refuse(OPEN_CANNOT_READ);
    if (!image.Read(0, head, 16))
        return Refuse(image.Length() >= 8 && image.Read(0, head, 8) && HasMagic(head) ? OPEN_TRUNCATED
                                                                                      : OPEN_NOT_IMAGE);
    if (!HasMagic(head))
        return Refuse(OPEN_NOT_IMAGE);
    m_strImagePath = file;
    m_pSource = source;
    m_imageLength = image.Length();
    return TRUE;
}

BOOL CRomfsImage::NewEmpty(LPCTSTR)
{
    m_tree.Clear();
    CFsNode* root = m_tree.GetRoot();
    root->m_strName = "DemoRomfs";
    root->m_strSource = CFsNode::IMAGE_SOURCE;
    root->m_nType = CFsNode::TYPE_OTHER;
    root->m_dwSize = 30;
    root->m_time = CTime::GetCurrentTime();
    return TRUE;
}

// Folders are walked with an explicit stack of (folder node, next header);
// a header met twice means a cycle or a shared list, and the image is refused.
// Past the magic, a header that does not fit the image's stated size is
// damage; a file shorter than that size is truncated.
BOOL CRomfsImage::ReadTree()
{
    m_tree.Clear();
    RomfsFile image;
    RomfsHeader super;
    BYTE head[16];
    if (!(m_pSource ? image.Open(*m_pSource) : image.Open(m_strImagePath)) || !image.Read(0, head, sizeof(head)))
        return Refuse(OPEN_CANNOT_READ);
    if (Be32(head + 8) > image.Length())
        return Refuse(OPEN_TRUNCATED);
    if (!image.ReadHeader(0, super) || super.dataOffset >= super.size)
        return Refuse(OPEN_DAMAGED);
    image.SetLimit(super.size);

    CTime now = CTime::GetCurrentTime();
    CFsNode* root = m_tree.GetRoot();
    root->m_strName = super.name;
    root->m_dwSize = super.size;
    root->m_nType = CFsNode::TYPE_OTHER;
    root->m_strSource = CFsNode::IMAGE_SOURCE;
    root->m_time = now;

    std::unordered_set<DWORD> seen;
    std::vector<std::pair<CFsNode*, DWORD>> walk;
    walk.push_back(std::make_pair(root, super.dataOffset));
    CFsNode tmpl;
    tmpl.m_strSource = CFsNode::IMAGE_SOURCE;
    tmpl.m_time = now;
    while (!walk.empty()) {
        DWORD at = walk.back().second;
        CFsNode* parent = walk.back().first;
        if (at == 0) {
            walk.pop_back();
            continue;
        }
        RomfsHeader h;
        if (!seen.insert(at).second || !image.ReadHeader(at, h)) {
            m_tree.Clear();
            return Refuse(OPEN_DAMAGED);
        }
        walk.back().second = h.next;
        if (h.name == "." || h.name == "..")
            continue;
        BYTE type = h.type & 7;
        if (type != CFsNode::TYPE_FOLDER && type != CFsNode::TYPE_FILE)
            continue;  // links, devices, sockets, fifos
        tmpl.m_strName = h.name;
        tmpl.m_nType = type;
        tmpl.m_dwSize = type == CFsNode::TYPE_FILE ? h.size : 0;
        tmpl.m_dwOffset = type == CFsNode::TYPE_FILE ? h.dataOffset : 0;
        if (type == CFsNode::TYPE_FILE && h.size > super.size - h.dataOffset) {
            m_tree.Clear();
            return Refuse(OPEN_DAMAGED);
        }
        if (type == CFsNode::TYPE_FOLDER && h.size != 0) {
            fprintf(stderr, "nonstandard size `%u'\n", (unsigned)h.size);
            tmpl.m_dwSize = h.size;
        }
        CFsNode* node = m_tree.Insert(parent, tmpl);
        DWORD first = h.info & ~15u;
        if (type == CFsNode::TYPE_FOLDER && first != at)
            walk.push_back(std::make_pair(node, first));
    }
    return TRUE;
}

BOOL CRomfsImage::OwnsNode(const CFsNode* node)
{
    while (node && node->m_pParent)
        node = node->m_pParent;
    return node && node == m_tree.GetRoot();
}

int CRomfsImage::ExtractNode(CFsNode* node, CString& destination, BOOL copyDiskFiles)
{
    if (node && node->IsDiskFile())
        return ExtractDiskNode(node, destination, copyDiskFiles);
    if (!node || node->m_nType != CFsNode::TYPE_FILE || !OwnsNode(node))
        return EXTRACT_NO_IMAGE;
    RomfsFile image;
    if (!(m_pSource ? image.Open(*m_pSource) : image.Open(m_strImagePath)) || image.Length() < m_imageLength ||
        node->m_dwOffset > image.Length() || node->m_dwSize > image.Length() - node->m_dwOffset)
        return EXTRACT_NO_IMAGE;
    CFile out;
    if (!out.Open(destination, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return EXTRACT_NO_TARGET;
    int result = CopyChunks(image, node->m_dwOffset, node->m_dwSize, out, m_pfnProgress, m_pProgressContext);
    if (result == EXTRACT_OK && !out.Close())
        result = EXTRACT_NO_TARGET;
    if (result != EXTRACT_OK) {
        out.Abort();
        FwDeleteFile(destination);
    }
    return result;
}

namespace {
// A file name Windows would refuse, or none at all.
BOOL IsNameAllowed(const CString& path)
{
    int back = path.ReverseFind('\\');
    int slash = path.ReverseFind('/');
    CString name = path.Mid((back > slash ? back : slash) + 1);
    return !name.IsEmpty() && name.FindOneOf("<>:\"|?*") < 0 && name != "." && name != "..";
}

// No image of the folder is smaller: a 32-byte header for every entry, two
// more for the "." and ".." of each folder, and the files' data. Counting
// stops once the sum passes limit.
ULONGLONG LeastImageSize(const CString& folder, ULONGLONG limit)
{
    ULONGLONG need = 32;
    std::vector<CString> folders(1, folder);
    while (!folders.empty() && need <= limit) {
        CString at = folders.back();
        folders.pop_back();
        CFileFind find;
        for (BOOL more = find.FindFile(at + FwPathSeparator() + "*.*"); more && need <= limit;) {
            more = find.FindNextFile();
            if (find.IsDots())
                continue;
            if (!find.IsDirectory()) {
                need += 32 + ((find.GetLength() + 15) & ~15ull);
                continue;
            }
            need += 96;
            if (!find.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT))  // a link may lead back up
                folders.push_back(find.GetFilePath());
        }
    }
    return need;
}

}  // namespace

BOOL CImageFs::FailBuild(int error)
{
    m_nBuildError = error;
    return FALSE;
}

// A failure names its side: OPEN_CANNOT_READ for the source, any other
// reason for the output.
BOOL CImageFs::CreateImage(LPCTSTR folder, LPCTSTR outputPath, int mode, LPCTSTR volumeName)
{
    m_nBuildError = OPEN_OK;
    if (mode != MODE_ROMFS)
        return FALSE;
    if (!FwDirectoryExists(folder))
        return FailBuild(OPEN_CANNOT_READ);
    if (!IsNameAllowed(outputPath))
        return FailBuild(OPEN_NAME_NOT_ALLOWED);
    // built beside the target, which is replaced only by a complete image
    CString temp;
    if (!BrTempFileBeside(outputPath, temp))
        return FailBuild(OPEN_CANNOT_WRITE);
    ULONGLONG free = 0;
    if (s_pfnFreeSpace(BrFolderOf(outputPath), free) && LeastImageSize(folder, free) > free) {
        FwDeleteFile(temp);
        return FailBuild(OPEN_NO_SPACE);
    }
    CRomfsBuilder builder;
    if (builder.BuildRomfsImage(folder, temp, volumeName) != 1) {
        FwNoteStdioError();
        DWORD error = FwGetLastError();
        FwDeleteFile(temp);
        if (!builder.OutputFailed())
            return FailBuild(OPEN_CANNOT_READ);
        BOOL full = error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
        return FailBuild(full ? OPEN_NO_SPACE : OPEN_CANNOT_WRITE);
    }
    if (!BrReplaceFile(temp, outputPath)) {
        FwDeleteFile(temp);
        return FailBuild(OPEN_CANNOT_WRITE);
    }
    return TRUE;
}
