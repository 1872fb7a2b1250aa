// Archive reader on arbitrary bytes: open, walk every entry, read the comment.
#include "designer/core/ArchiveFile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/archive_fuzzer_" + std::to_string(getpid()) + ".bin";
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);

    CArchiveFile archive;
    if (archive.OpenArchive(path.c_str()))
    {
        int count = archive.GetEntryCount();
        for (int i = 0; i < count && i < 1000; ++i)
        {
            unsigned char* entry = NULL;
            unsigned length = 0;
            BOOL isFile = FALSE;
            CString name;
            if (archive.GetEntry(i, entry, length, isFile, name) && length)
            {
                volatile unsigned char sink = entry[0] ^ entry[length - 1] ^ entry[length];
                (void)sink;
            }
        }
        CString comment;
        archive.GetComment(comment);
    }
    archive.CloseArchive();
    return 0;
}
