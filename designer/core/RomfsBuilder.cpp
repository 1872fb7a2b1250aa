#include "designer/core/RomfsBuilder.h"

#include "designer/core/PackageFiles.h"
#include "designer/core/RomfsPlatform.h"
#include "framework/FileFind.h"
#include "framework/String.h"
#include "framework/ScopedHandle.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {
const uint32_t kTypeDirectory = 1;
const uint32_t kTypeRegular = 2;
const uint32_t kExecutable = 8;
const size_t kFirstBlock = 512;
const size_t kDataChunk = 4096;
const uint64_t kMaxImage = 0xFFFFFFF0u;

struct Node {
    std::string name;
    std::string path;
    bool isDirectory = false;
    bool isDot = false;                                 // "." or "..": an empty directory, never descended into
    const std::vector<unsigned char>* bytes = nullptr;  // a file given in memory
    uint32_t offset = 0;
    uint32_t size = 0;
    std::vector<std::unique_ptr<Node>> children;
};

inline uint32_t NameField(size_t length) { return uint32_t((length + 16) & ~size_t(15)); }
inline uint64_t Padded(uint64_t size) { return (size + 15) & ~uint64_t(15); }

inline void StoreBE(unsigned char* p, uint32_t v)
{
    p[0] = (unsigned char)(v >> 24);
    p[1] = (unsigned char)(v >> 16);
    p[2] = (unsigned char)(v >> 8);
    p[3] = (unsigned char)v;
}

uint32_t WordSum(const unsigned char* p, size_t length)
{
    uint32_t sum = 0;
    for (size_t i = 0; i + 4 <= length; i += 4)
        sum += (uint32_t(p[i]) << 24) | (uint32_t(p[i + 1]) << 16) | (uint32_t(p[i + 2]) << 8) | p[i + 3];
    return sum;
}

bool IsExecutableName(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return ext == ".exe" || ext == ".com" || ext == ".bat" || ext == ".cmd";
}

bool NameBefore(const std::string& a, const std::string& b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (x >= 'A' && x <= 'Z')
            x = (unsigned char)(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = (unsigned char)(y - 'A' + 'a');
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

// The folder walk: gives every node its offset in depth-first pre-order.
class Walker {
public:
    uint64_t offset = 0;
    bool tooLarge = false;

    // given: files in memory that join the folder's own entries and stand in
    // for entries of the same name
    void Walk(Node& parent, const std::string& folder, const CPackageFiles* given = nullptr)
    {
        CString pattern;
        pattern.Format("%s\\*.*", folder.c_str());
        std::vector<Listed> entries;
        bool dots = false;
        {
            CFileFind find;
            BOOL more = find.FindFile(pattern);
            while (more) {
                more = find.FindNextFile();
                Listed entry;
                entry.name = (LPCTSTR)find.GetFileName();
                if (entry.name == "." || entry.name == "..") {
                    dots = true;
                    continue;
                }
                if (given && given->Find(entry.name))
                    continue;
#ifdef _WIN32
                // the listing already holds what a status would say, but for
                // links: those are asked for what they lead to
                if (!find.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT)) {
                    entry.listed = true;
                    entry.status = RomfsPlatform::FileStatus();
                    entry.status.isDirectory = find.IsDirectory() != FALSE;
                    entry.status.isRegular = !entry.status.isDirectory;
                    entry.status.size = entry.status.isRegular ? (uint64_t)find.GetLength() : 0;
                }
#endif
                entries.push_back(entry);
            }
        }
        if (given) {
            for (const CPackageFiles::File& file : given->Files()) {
                Listed entry;
                entry.name = file.name;
                entry.listed = true;
                entry.status = RomfsPlatform::FileStatus();
                entry.status.isRegular = true;
                entry.status.size = file.bytes.size();
                entry.bytes = &file.bytes;
                entries.push_back(entry);
            }
        }
        std::sort(entries.begin(), entries.end(),
                  [](const Listed& a, const Listed& b) { return NameBefore(a.name, b.name); });
        if (dots) {
            Listed dot;
            dot.listed = true;
            dot.status = RomfsPlatform::FileStatus();
            dot.status.isDirectory = true;
            dot.name = ".";
            Add(parent, folder, dot, true);
            dot.name = "..";
            Add(parent, folder, dot, true);
        }
        for (const Listed& entry : entries)
            Add(parent, folder, entry, false);
    }

private:
    struct Listed {
        std::string name;
        bool listed = false;  // status holds the entry's status
        RomfsPlatform::FileStatus status;
        const std::vector<unsigned char>* bytes = nullptr;
    };

    void Add(Node& parent, const std::string& folder, const Listed& entry, bool isDot)
    {
        const std::string& name = entry.name;
        std::unique_ptr<Node> node(new Node);
        node->name = name;
        node->path = folder + "\\" + name;
        node->isDot = isDot;
        node->bytes = entry.bytes;
        RomfsPlatform::FileStatus status = entry.status;
        if (!entry.listed && !RomfsPlatform::GetFileStatus(node->path.c_str(), status)) {
            std::fprintf(stderr, "ignoring '%s' (lstat failed)\n", node->path.c_str());
            return;
        }
        if (isDot)
            status.isDirectory = true, status.isRegular = false, status.size = 0;
        if (!status.isDirectory && !status.isRegular) {
            std::fprintf(stderr, "ignoring '%s' (not a file or folder)\n", node->path.c_str());
            return;
        }
        node->isDirectory = status.isDirectory;
        uint64_t space = 16 + NameField(name.size()) + Padded(status.size);
        if (status.size > kMaxImage || offset + space > kMaxImage) {
            tooLarge = true;
            return;
        }
        node->size = uint32_t(status.size);
        node->offset = uint32_t(offset);
        offset += space;
        Node* added = node.get();
        parent.children.push_back(std::move(node));
        if (added->isDirectory && !isDot)
            Walk(*added, added->path);
    }
};

// Output with the first block held back until its checksum is known.
class Writer {
public:
    Writer(FILE* file, uint32_t fullSize) : m_file(file), m_fullSize(fullSize) {}
    // into memory, reserved at the image's full size
    Writer(std::vector<unsigned char>& memory, uint32_t fullSize) : m_memory(&memory), m_fullSize(fullSize)
    {
        memory.clear();
        memory.reserve(fullSize % 1024 ? fullSize + 1024 - fullSize % 1024 : fullSize);
    }

    bool Failed() const { return m_failed; }

    void Put(const void* data, size_t length)
    {
        const unsigned char* p = static_cast<const unsigned char*>(data);
        if (m_firstUsed < kFirstBlock) {
            size_t take = std::min(length, kFirstBlock - m_firstUsed);
            std::memcpy(m_first + m_firstUsed, p, take);
            m_firstUsed += take;
            p += take;
            length -= take;
            if (m_firstUsed == kFirstBlock)
                FlushFirst();
        }
        if (length)
            Emit(p, length);
    }

    void Zeros(uint64_t count)
    {
        static const unsigned char zeros[kDataChunk] = {};
        while (count > 0) {
            size_t take = count > kDataChunk ? kDataChunk : size_t(count);
            Put(zeros, take);
            count -= take;
        }
    }

    void Finish()
    {
        if (m_firstUsed < kFirstBlock)
            FlushFirst();
    }

private:
    void FlushFirst()
    {
        size_t summed = std::min<size_t>(kFirstBlock, m_fullSize);
        StoreBE(m_first + 12, 0);
        StoreBE(m_first + 12, 0u - WordSum(m_first, std::min(summed, m_firstUsed)));
        Emit(m_first, m_firstUsed);
        m_firstUsed = kFirstBlock + 1;  // later bytes go straight to the file
    }

    void Emit(const unsigned char* p, size_t length)
    {
        if (m_memory)
            m_memory->insert(m_memory->end(), p, p + length);
        else if (std::fwrite(p, 1, length, m_file) != length)
            m_failed = true;
    }

    FILE* m_file = nullptr;
    std::vector<unsigned char>* m_memory = nullptr;
    uint32_t m_fullSize;
    unsigned char m_first[kFirstBlock] = {};
    size_t m_firstUsed = 0;
    bool m_failed = false;
};

// Exactly the recorded size, or false (with the path in error) when the
// file cannot be opened or holds less now: a blank picture is no image.
bool WriteData(Writer& out, const Node& node, std::string& error)
{
    if (node.bytes) {
        if (!node.bytes->empty())
            out.Put(node.bytes->data(), node.bytes->size());
        out.Zeros(Padded(node.size) - node.size);
        return true;
    }
    uint64_t left = node.size;
    CScopedFile file(RomfsPlatform::OpenFile(node.path.c_str(), "rb"));
    if (!file.IsValid()) {
        error = "cannot open '" + node.path + "'";
        return false;
    }
    std::vector<unsigned char> buffer(kDataChunk);
    while (left > 0) {
        size_t want = left > kDataChunk ? kDataChunk : size_t(left);
        size_t got = std::fread(buffer.data(), 1, want, file);
        if (got < want) {
            error = "cannot read '" + node.path + "'";
            return false;
        }
        out.Put(buffer.data(), got);
        left -= got;
    }
    out.Zeros(Padded(node.size) - node.size);
    return true;
}

bool WriteNode(Writer& out, const Node& node, uint32_t next, std::string& error)
{
    std::vector<unsigned char> header(16 + NameField(node.name.size()), 0);
    uint32_t type = node.isDirectory ? (kTypeDirectory | kExecutable)
                                     : (kTypeRegular | (IsExecutableName(node.name) ? kExecutable : 0));
    uint32_t info = 0;
    if (node.isDirectory)
        info = node.children.empty() ? node.offset : node.children.front()->offset;
    StoreBE(&header[0], next | type);
    StoreBE(&header[4], info);
    StoreBE(&header[8], node.size);
    std::memcpy(&header[16], node.name.data(), node.name.size());
    StoreBE(&header[12], 0u - WordSum(header.data(), header.size()));
    out.Put(header.data(), header.size());
    if (!node.isDirectory && !WriteData(out, node, error))
        return false;
    for (size_t i = 0; i < node.children.size(); ++i) {
        uint32_t sibling = i + 1 < node.children.size() ? node.children[i + 1]->offset : 0;
        if (!WriteNode(out, *node.children[i], sibling, error))
            return false;
    }
    return true;
}

template <typename Sink>
int BuildImage(Sink& sink, const std::string& folder, const CPackageFiles* given, const std::string& volume,
               std::string& error)
{
    Node root;
    root.name = volume;
    root.path = folder + "\\.";
    root.isDirectory = true;

    Walker walker;
    walker.offset = 16 + NameField(volume.size());
    std::string listed = folder;
    while (listed.size() > 1 && (listed.back() == '\\' || listed.back() == '/'))
        listed.pop_back();
    walker.Walk(root, listed, given);
    if (walker.tooLarge) {
        error = "image too large";
        return 0;
    }
    uint32_t fullSize = uint32_t(walker.offset);

    Writer out(sink, fullSize);
    std::vector<unsigned char> super(16 + NameField(volume.size()), 0);
    std::memcpy(&super[0], "-rom1fs-", 8);
    StoreBE(&super[8], fullSize);
    StoreBE(&super[12], 0x55555555);
    std::memcpy(&super[16], volume.data(), volume.size());
    out.Put(super.data(), super.size());
    for (size_t i = 0; i < root.children.size(); ++i) {
        uint32_t sibling = i + 1 < root.children.size() ? root.children[i + 1]->offset : 0;
        if (!WriteNode(out, *root.children[i], sibling, error))
            return 0;
    }
    if (fullSize % 1024)
        out.Zeros(1024 - fullSize % 1024);
    out.Finish();
    if (out.Failed()) {
        error = "cannot write the image";
        return 0;
    }
    return 1;
}
}  // namespace

CRomfsBuilder::CRomfsBuilder() {}

CRomfsBuilder::~CRomfsBuilder() {}

int CRomfsBuilder::BuildRomfsImage(LPCTSTR folder, LPCTSTR outputPath, LPCTSTR volumeName)
{
    m_strError.Empty();
    m_bOutputFailed = FALSE;
    if (!folder || !outputPath)
        return 0;
    RomfsPlatform::FileStatus source;
    if (!RomfsPlatform::GetFileStatus(folder, source) || !source.isDirectory) {
        m_strError.Format("cannot read the folder '%s'", folder);
        return 0;
    }
    CScopedFile file(RomfsPlatform::OpenFile(outputPath, "wb"));
    if (!file.IsValid()) {
        m_strError.Format("cannot create '%s'", outputPath);
        m_bOutputFailed = TRUE;
        return 0;
    }
    std::string error;
    int result = 0;
    FILE* raw = file;
    try {
        result = BuildImage(raw, folder, nullptr, volumeName ? volumeName : "", error);
    } catch (const std::bad_alloc&) {
        error = "out of memory";
        result = 0;
    }
    // a failed write leaves its mark on the stream; a source failure does not
    m_bOutputFailed = !result && std::ferror(raw);
    if (!file.Close() && result) {
        error = "cannot write the image";
        result = 0;
        m_bOutputFailed = TRUE;
    }
    if (!result) {
        RomfsPlatform::RemoveFile(outputPath);
        std::fprintf(stderr, "%s\n", error.c_str());
        m_strError = error.c_str();
    }
    return result;
}

int CRomfsBuilder::BuildRomfsImage(LPCTSTR folder, std::vector<unsigned char>& image, LPCTSTR volumeName)
{
    return BuildRomfsImage(folder, nullptr, image, volumeName);
}

int CRomfsBuilder::BuildRomfsImage(LPCTSTR folder, const CPackageFiles* files, std::vector<unsigned char>& image,
                                   LPCTSTR volumeName)
{
    m_strError.Empty();
    m_bOutputFailed = FALSE;
    image.clear();
    if (!folder)
        return 0;
    RomfsPlatform::FileStatus source;
    if (!RomfsPlatform::GetFileStatus(folder, source) || !source.isDirectory) {
        m_strError.Format("cannot read the folder '%s'", folder);
        return 0;
    }
    std::string error;
    int result = 0;
    try {
        result = BuildImage(image, folder, files, volumeName ? volumeName : "", error);
    } catch (const std::bad_alloc&) {
        error = "out of memory";
        result = 0;
    }
    if (!result) {
        std::vector<unsigned char>().swap(image);
        std::fprintf(stderr, "%s\n", error.c_str());
        m_strError = error.c_str();
    }
    return result;
}
