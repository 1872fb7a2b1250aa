// Times opening a menu image (inflating a compressed one) and extracting
// every file into a folder tree.
//   browser_bench build <folder> <image>     writes a romfs image of the folder
//   browser_bench extract <image> <folder>   opens and extracts, prints seconds
#include "browser/ImageFs.h"
#include "browser/NodeFiles.h"
#include "framework/Sys.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    CImageFs fs;
    if (strcmp(argv[1], "build") == 0)
        return fs.CreateImage(argv[2], argv[3], CImageFs::MODE_ROMFS, "bench") ? 0 : 1;
    auto t0 = std::chrono::steady_clock::now();
    if (!fs.OpenImage(argv[2])) {
        fprintf(stderr, "open failed\n");
        return 1;
    }
    auto t1 = std::chrono::steady_clock::now();
    std::vector<std::pair<CFsNode*, CString>> todo(1, std::make_pair(fs.GetTree().GetRoot(), CString(argv[3])));
    FwCreateDirectory(argv[3]);
    int files = 0;
    while (!todo.empty()) {
        std::pair<CFsNode*, CString> f = todo.back();
        todo.pop_back();
        CPtrArray nodes;
        for (CFsNode* n = f.first->m_pChild; n; n = n->m_pNext) {
            if (n->IsFolder()) {
                CString sub = NodeTargetPath(f.second, n);
                FwCreateDirectory(sub);
                todo.push_back(std::make_pair(n, sub));
            } else {
                nodes.Add(n);
                ++files;
            }
        }
        if (nodes.GetSize() && !ExtractNodesTo(fs, nodes, f.second)) {
            fprintf(stderr, "extract failed in %s\n", (LPCTSTR)f.second);
            return 1;
        }
    }
    auto t2 = std::chrono::steady_clock::now();
    printf("open %.3f s, extract %.3f s, total %.3f s, %d files\n",
           std::chrono::duration<double>(t1 - t0).count(), std::chrono::duration<double>(t2 - t1).count(),
           std::chrono::duration<double>(t2 - t0).count(), files);
    return 0;
}
