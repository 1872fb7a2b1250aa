// Temp folders and whole-file reads and writes for the installer's tests.
#pragma once

#include "designer/core/DiskObject.h"
#include "framework/Sys.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace installer_test {
typedef std::vector<unsigned char> Bytes;

inline std::string FixturePath(const char* name)
{
    return std::string(ZAVO_BINARY_DIR) + "/installer/fixtures/" + name;
}

inline bool WriteFile(const std::string& path, const Bytes& data)
{
    FILE* f = fopen(FwNativePath(path.c_str()), "wb");
    if (!f)
        return false;
    bool ok = data.empty() || fwrite(data.data(), 1, data.size(), f) == data.size();
    return fclose(f) == 0 && ok;
}

inline bool WriteText(const std::string& path, const std::string& text)
{
    return WriteFile(path, Bytes(text.begin(), text.end()));
}

inline Bytes ReadFile(const std::string& path)
{
    Bytes data;
    FILE* f = fopen(FwNativePath(path.c_str()), "rb");
    if (!f)
        return data;
    unsigned char block[65536];
    size_t n;
    while ((n = fread(block, 1, sizeof(block), f)) > 0)
        data.insert(data.end(), block, block + n);
    fclose(f);
    return data;
}

// A fresh folder in the temp folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        CString file;
        if (FwGetTempFileName(FwGetTempPath(), "itf", file)) {
            FwDeleteFile(file);
            FwCreateDirectory(file);
            m_path = (LPCTSTR)file;
        }
    }
    ~TempFolder()
    {
        if (!m_path.empty())
            CDiskObject().RemoveFolderTree(m_path.c_str());
    }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
}  // namespace installer_test
