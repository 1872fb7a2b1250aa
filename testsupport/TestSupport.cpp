#include "testsupport/TestSupport.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace zavotest {
std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadFile(const std::string& path) { return ReadFile(fs::path(path)); }
std::string ReadFile(const char* path) { return ReadFile(fs::path(path ? path : "")); }

bool WriteFile(const fs::path& path, const std::string& bytes)
{
    std::error_code ec;
    if (path.has_parent_path())
        fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), (std::streamsize)bytes.size());
    out.close();
    return !out.fail();
}

bool WriteFile(const std::string& path, const std::string& bytes) { return WriteFile(fs::path(path), bytes); }
bool WriteFile(const char* path, const std::string& bytes) { return WriteFile(fs::path(path ? path : ""), bytes); }

TempFolder::TempFolder(const std::string& prefix)
{
    std::random_device random;
    const auto tick = (unsigned long long)std::chrono::steady_clock::now().time_since_epoch().count();
    std::error_code ec;
    for (int i = 0; i < 100 && m_path.empty(); ++i) {
        fs::path candidate = fs::temp_directory_path(ec) /
                             (prefix + "_" + std::to_string(tick % 1000000) + "_" + std::to_string(random() % 100000));
        if (fs::create_directory(candidate, ec))
            m_path = candidate;
    }
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    if (!m_path.empty())
        fs::remove_all(m_path, ec);
}

std::string FindTool(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (!path)
        return std::string();
#ifdef _WIN32
    const char separator = ';';
    const char* const suffixes[] = {".exe", ""};
#else
    const char separator = ':';
    const char* const suffixes[] = {""};
#endif
    std::string all(path);
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find(separator, start);
        if (end == std::string::npos)
            end = all.size();
        std::string folder = all.substr(start, end - start);
        start = end + 1;
        if (folder.empty())
            continue;
        for (const char* suffix : suffixes) {
            std::error_code ec;
            fs::path candidate = fs::path(folder) / (name + suffix);
            if (fs::is_regular_file(candidate, ec))
                return candidate.string();
        }
    }
    return std::string();
}
}  // namespace zavotest
