// Archive reader on arbitrary bytes, from a file and from memory: open, walk
// every entry and its name, read the comment.
#include "designer/core/ArchiveFile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include <unistd.h>

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

    static const std::string path = "/tmp/archive_fuzzer_" + std::to_string(getpid()) + ".bin";
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);

    CArchiveFile archive;
    if (archive.OpenArchive(path.c_str()))
        Walk(archive);
    archive.CloseArchive();
    return 0;
}
