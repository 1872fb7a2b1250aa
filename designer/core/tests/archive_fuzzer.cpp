// Archive reader on arbitrary bytes, as a zip in memory and as a file's
// bytes: open, walk every entry and its name, read the comment.
#include "designer/core/ArchiveFile.h"

#include <cstdint>
#include <vector>

namespace {
void Walk(CArchiveFile& archive)
{
    int count = archive.GetEntryCount();
    for (int i = 0; i < count && i < 1000; ++i) {
        unsigned char* entry = NULL;
        unsigned length = 0;
        BOOL isFile = FALSE;
        CString name;
        archive.GetEntryName(i, name, isFile);
        if (archive.GetEntry(i, entry, length, isFile, name) && length) {
            volatile unsigned char sink = entry[0] ^ entry[length - 1] ^ entry[length];
            (void)sink;
        }
    }
    CString comment;
    archive.GetComment(comment);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        // An exact-size copy, so reads past the end are caught.
        std::vector<uint8_t> copy(data, data + size);
        CArchiveFile memory;
        if (memory.OpenArchiveFromMemory(copy.data(), (unsigned long)copy.size()))
            Walk(memory);
    }

    // The same bytes as a file would give them (zip, gzip, tar in gzip).
    std::vector<uint8_t> copy(data, data + size);
    CArchiveFile archive;
    if (archive.OpenArchiveBytes(copy.data(), (unsigned long)copy.size()))
        Walk(archive);
    archive.CloseArchive();
    return 0;
}
