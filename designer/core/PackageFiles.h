// The files of a package made in memory, by name: writers hand their bytes
// over here instead of writing them to disk, and the image builder and the
// zip take them from here.
#pragma once

#include <string>
#include <vector>

class CPackageFiles {
public:
    struct File {
        std::string name;
        std::vector<unsigned char> bytes;
    };

    // Adds the file, or replaces the bytes of one of the same name.
    void Put(const std::string& name, std::vector<unsigned char> bytes);
    // NULL when there is no file of that name (compared as the system
    // compares file names: case-insensitively).
    const File* Find(const std::string& name) const;
    const std::vector<File>& Files() const { return m_files; }
    bool IsEmpty() const { return m_files.empty(); }
    void Clear() { m_files.clear(); }

    // Writes every file into the folder; false with the path that failed.
    bool WriteTo(const std::string& folder, std::string& failedPath) const;

private:
    std::vector<File> m_files;
};
