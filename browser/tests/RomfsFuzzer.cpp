#include "browser/ImageFs.h"
#include "browser/NodeFiles.h"
#include "framework/MemFile.h"
#include "framework/Sys.h"

#include <cstdint>
#include <vector>

// Opens the bytes in memory as an image (plain or in a container) and
// extracts every file node into one folder.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CString folder;
    if (folder.IsEmpty()) {
        CString path;
        if (!FwGetTempFileName(FwGetTempPath(), "brf", path))
            return 0;
        folder = path + ".d";
        FwCreateDirectory(folder);
    }
    // an exact-size copy, so reads past the end are caught
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CImageFs fs;
    if (!fs.OpenImage(file))
        return 0;
    std::vector<CFsNode*> todo(1, fs.GetTree().GetRoot());
    CPtrArray files;
    while (!todo.empty() && files.GetSize() < 64) {
        CFsNode* n = todo.back();
        todo.pop_back();
        for (CFsNode* c = n->m_pChild; c; c = c->m_pNext) {
            if (c->IsFolder())
                todo.push_back(c);
            else
                files.Add(c);
        }
    }
    ExtractNodesTo(fs, files, folder);
    for (int i = 0; i < (int)files.GetSize(); ++i)
        FwDeleteFile(NodeTargetPath(folder, static_cast<CFsNode*>(files[i])));
    return 0;
}
