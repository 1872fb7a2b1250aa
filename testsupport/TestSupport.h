// Helpers shared by the test programs: whole-file reads and writes, a temp
// folder removed with its content, and the lookup of outside tools.
// Window-free: the same in the native and the Windows tests.
#pragma once

#include <filesystem>
#include <string>

namespace zavotest {
// The whole file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
std::string ReadFile(const std::string& path);
std::string ReadFile(const char* path);

// Writes the bytes, making missing parent folders; false on failure.
bool WriteFile(const std::filesystem::path& path, const std::string& bytes);
bool WriteFile(const std::string& path, const std::string& bytes);
bool WriteFile(const char* path, const std::string& bytes);

// A new folder under the system's temp folder, removed with all it holds
// when the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "zavotest");
    ~TempFolder();
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path m_path;
};

// The full path of a program found on the PATH; empty when there is none.
std::string FindTool(const std::string& name);
}  // namespace zavotest
