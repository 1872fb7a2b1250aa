// The few system calls the file classes need, behind one small interface.
// Paths are Windows-style ('\'); the native build maps them to POSIX paths.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace FilesPlatform {
enum {
    ATTR_READONLY = 0x01,
    ATTR_HIDDEN = 0x02,
    ATTR_DIRECTORY = 0x10,
    ATTR_ARCHIVE = 0x20,
    ATTR_REPARSE = 0x400,  // a symbolic link or junction
};

// The path as the system takes it ('\' becomes '/' natively).
std::string NativePath(const char* path);

unsigned long LastError();
// The system's message for an error code, untrimmed.
std::string ErrorMessage(unsigned long code);

bool CopyFileOver(const char* source, const char* target);
bool DeleteFileEntry(const char* path);
bool CreateFolder(const char* path);
bool RemoveFolder(const char* path);
bool IsFolder(const char* path);
// The current folder with '\' separators.
std::string GetCurrentFolder();
bool SetCurrentFolder(const char* path);
bool CanOpenForRead(const char* path);
bool CreateOrTruncate(const char* path);
FILE* OpenStdFile(const char* path, const char* mode);
// A binary file descriptor (-1 on failure), for libraries that take one.
int OpenDescriptor(const char* path, bool write);
void CloseDescriptor(int fd);

struct FindEntry {
    std::string name;
    unsigned long attributes;
};

// Lists the entries of `folder` (ending in '\') matching `mask`.
class FindFiles {
public:
    enum Result { FOUND,
                  NONE,
                  FAILED };
    FindFiles();
    ~FindFiles();
    Result First(const char* folder, const char* mask, FindEntry& entry);
    bool Next(FindEntry& entry);

private:
    FindFiles(const FindFiles&);
    FindFiles& operator=(const FindFiles&);
    struct Impl;
    Impl* m_impl;
};

// Shows text in a feedback window (an HWND on Windows; no-op natively).
void ShowFeedbackText(void* window, const char* text);

// A resource of the program; false when missing or without resources.
bool FindProgramResource(unsigned id, const char* type, const void*& data, size_t& size);

// The file dialog of the window layer; false when there is none.
bool BrowseForFile(bool forSave, const char* defaultExtension, const char* filter,
                   const char* initialFolder, std::string& path);
}  // namespace FilesPlatform
