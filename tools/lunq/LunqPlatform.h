// What Lunq needs of the system: 64-bit file positions, temporary files,
// replacing a file, file identity and a key press.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/ScopedFile.h"

bool LunqFileSize(FILE* fp, uint64_t& size);
bool LunqSeek(FILE* fp, uint64_t offset);

// Creates a new file beside target (same folder, so that it can replace it).
FILE* LunqCreateTemp(const std::string& target, std::string& tempPath);
// Moves source over target, replacing an existing target.
bool LunqReplaceFile(const std::string& source, const std::string& target);
void LunqRemoveFile(const std::string& path);
// True when both paths name one existing file.
bool LunqSameFile(const std::string& a, const std::string& b);
// Waits for a key press when the standard input is a console.
void LunqWaitKey();

// A temporary file that is removed unless committed over its target.
class CTempFile {
public:
    explicit CTempFile(const std::string& target) : m_target(target), m_committed(false) {}
    ~CTempFile();
    bool Create();
    FILE* Get() const { return m_file.Get(); }
    // Closes the file and moves it over the target.
    bool Commit();

private:
    std::string m_target;
    std::string m_path;
    CScopedFile m_file;
    bool m_committed;
};
