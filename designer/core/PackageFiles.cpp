#include "designer/core/PackageFiles.h"

#include "framework/ScopedFile.h"
#include "framework/Sys.h"

#include <cstdio>

namespace {
bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}
}  // namespace

void CPackageFiles::Put(const std::string& name, std::vector<unsigned char> bytes)
{
    for (File& file : m_files) {
        if (SameName(file.name, name)) {
            file.bytes.swap(bytes);
            return;
        }
    }
    m_files.push_back(File());
    m_files.back().name = name;
    m_files.back().bytes.swap(bytes);
}

const CPackageFiles::File* CPackageFiles::Find(const std::string& name) const
{
    for (const File& file : m_files)
        if (SameName(file.name, name))
            return &file;
    return nullptr;
}

bool CPackageFiles::WriteTo(const std::string& folder, std::string& failedPath) const
{
    for (const File& file : m_files) {
        const std::string path = folder + "\\" + file.name;
        CScopedFile out(FwOpenStdFile(path.c_str(), "wb"));
        bool ok = out.IsValid();
        if (ok && !file.bytes.empty())
            ok = std::fwrite(file.bytes.data(), 1, file.bytes.size(), out) == file.bytes.size();
        if (!out.Close() || !ok) {
            failedPath = path;
            return false;
        }
    }
    return true;
}
