// The installer's language file: sections of key=value lines, read once into
// memory; every text user asks GetValue when the file is loaded.
#pragma once

#include "framework/String.h"

#include <cstddef>
#include <vector>

class CLangFile {
public:
    enum { MAX_LINE = 2047 };

    CLangFile() : m_bLoaded(FALSE) {}
    virtual ~CLangFile() {}

    // A relative path is taken from the program's folder.
    BOOL Load(LPCTSTR path);
    // Reads the stored path.
    BOOL Parse();
    // Reads file contents already in memory (LF or CR LF lines).
    BOOL ParseText(const char* data, size_t size);

    // Empty when the section or key is missing (the last error says which).
    CString GetValue(LPCTSTR section, LPCTSTR key);
    BOOL AddValue(LPCTSTR section, LPCTSTR key, LPCTSTR value, BOOL create);
    int FindSection(LPCTSTR name) const;
    int FindKey(int section, LPCTSTR key) const;

    BOOL IsLoaded() const { return m_bLoaded; }
    const CString& GetPath() const { return m_strPath; }
    const CString& GetLastError() const { return m_strError; }

private:
    struct Section {
        CString name;
        std::vector<CString> keys;
        std::vector<CString> values;
    };
    void AddLine(const char* line, size_t length, CString& section);

    std::vector<Section> m_sections;
    CString m_strPath;
    BOOL m_bLoaded;
    CString m_strError;
};
