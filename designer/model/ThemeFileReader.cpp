#include "designer/model/ThemeFileReader.h"
#include "designer/model/ThemeSettings.h"

#include <vector>

namespace {
BOOL IsIniName(const CString& name)
{
    return name.GetLength() >= 4 && name.Right(4).CompareNoCase(".ini") == 0;
}
}  // namespace

CThemeFileReader::CThemeFileReader() : m_nEntryCount(0) {}

CThemeFileReader::~CThemeFileReader() {}

BOOL CThemeFileReader::ParseTheme(char* text)
{
    (void)text;
    return FALSE;
}

BOOL CThemeFileReader::Open(LPCTSTR path)
{
    m_archive.CloseArchive();
    m_nEntryCount = 0;
    if (!path || !m_archive.OpenArchive(path))
        return FALSE;
    return ParseOpened();
}

BOOL CThemeFileReader::Open(const void* data, unsigned long size)
{
    m_archive.CloseArchive();
    m_nEntryCount = 0;
    if (!m_archive.OpenArchiveBytes(data, size))
        return FALSE;
    return ParseOpened();
}

BOOL CThemeFileReader::ParseOpened()
{
    m_nEntryCount = m_archive.GetEntryCount();
    BOOL parsed = FALSE;
    for (int i = 0; i < m_nEntryCount && !parsed; ++i) {
        unsigned char* data = NULL;
        unsigned size = 0;
        BOOL isFile = FALSE;
        CString name;
        if (!m_archive.GetEntry(i, data, size, isFile, name))
            break;
        if (!IsIniName(name))
            continue;
        // The parse looks pictures up in the same archive, which replaces `data`.
        std::vector<char> text(data, data + size);
        text.push_back('\0');
        parsed = ParseTheme(&text[0]);
    }
    m_archive.CloseArchive();
    m_nEntryCount = 0;
    return parsed;
}

BOOL CThemeFileReader::FindImage(LPCTSTR name, unsigned char*& data, unsigned& size)
{
    data = NULL;
    size = 0;
    if (!name || !*name)
        return FALSE;
    for (int i = 0; i < m_nEntryCount; ++i) {
        unsigned char* entry = NULL;
        unsigned length = 0;
        BOOL isFile = FALSE;
        CString entryName;
        if (!m_archive.GetEntry(i, entry, length, isFile, entryName))
            continue;
        if (isFile && ThemeText::EntryNamesEqual(entryName, name)) {
            data = entry;
            size = length;
            return TRUE;
        }
    }
    return FALSE;
}

CThemeImageReader::CThemeImageReader(CThemeSettings::Kind kind) : m_settings(kind) {}

BOOL CThemeImageReader::ParseTheme(char* text)
{
    // Without the section header the fields keep what they held.
    m_settings.Parse(text);
    for (int i = 0; i < CThemeSettings::IMAGE_COUNT; ++i) {
        int left, top, right, bottom;
        m_settings.GetImageMargins(i, left, top, right, bottom);
        unsigned char* data = NULL;
        unsigned size = 0;
        if (!FindImage(m_settings.m_strImage[i], data, size) ||
            !LoadThemeImage(i, data, size, left, top, right, bottom))
            return FALSE;
    }
    return TRUE;
}
