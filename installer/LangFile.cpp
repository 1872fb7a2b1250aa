#include "installer/LangFile.h"

#include "framework/ScopedFile.h"
#include "framework/Sys.h"
#include "installer/InstallerPlatform.h"

#include <cstdio>
#include <cstring>

namespace {
bool IsRelative(const CString& path)
{
    if (path.IsEmpty())
        return true;
    if (path[0] == '\\' || path[0] == '/')
        return false;
    return !(path.GetLength() >= 2 && path[1] == ':');
}
}  // namespace

BOOL CLangFile::Load(LPCTSTR path)
{
    CString p = path ? path : "";
    if (IsRelative(p))
        p = InstallerPlatform::ProgramFolder() + "\\" + p;
    m_strPath = p;
    return Parse();
}

BOOL CLangFile::Parse()
{
    CScopedFile f(FwOpenStdFile(m_strPath, "rb"));
    if (!f) {
        m_strError.Format("Unable to open file: \"%s\"!!", (LPCTSTR)m_strPath);
        return FALSE;
    }
    std::vector<char> data;
    char block[16384];
    size_t got;
    while ((got = fread(block, 1, sizeof(block), f.Get())) > 0)
        data.insert(data.end(), block, block + got);
    if (ferror(f.Get())) {
        m_strError.Format("Unable to open file: \"%s\"!!", (LPCTSTR)m_strPath);
        return FALSE;
    }
    return ParseText(data.data(), data.size());
}

BOOL CLangFile::ParseText(const char* data, size_t size)
{
    CString section;
    size_t at = 0;
    while (at < size) {
        const char* start = data + at;
        const char* end = static_cast<const char*>(memchr(start, '\n', size - at));
        size_t length = end ? size_t(end - start) : size - at;
        at += length + (end ? 1 : 0);
        if (length && start[length - 1] == '\r')
            --length;
        if (length > MAX_LINE)
            break;  // a longer line ends the reading; what was read stays
        AddLine(start, length, section);
    }
    m_bLoaded = TRUE;
    return TRUE;
}

void CLangFile::AddLine(const char* line, size_t length, CString& section)
{
    if (length == 0 || line[0] == ';')
        return;
    if (line[0] == '[' && line[length - 1] == ']') {
        size_t first = 0, last = length;
        while (first < last && line[first] == '[')
            ++first;
        while (last > first && line[last - 1] == ']')
            --last;
        section = CString(line + first, int(last - first));
        return;
    }
    const char* eq = static_cast<const char*>(memchr(line, '=', length));
    if (!eq) {
        AddValue(section, "", CString(line, int(length)), TRUE);
        return;
    }
    const size_t keyLength = size_t(eq - line);
    AddValue(section, CString(line, int(keyLength)), CString(eq + 1, int(length - keyLength - 1)), TRUE);
}

BOOL CLangFile::AddValue(LPCTSTR section, LPCTSTR key, LPCTSTR value, BOOL create)
{
    int s = FindSection(section);
    if (s < 0) {
        if (!create)
            return FALSE;
        m_sections.push_back(Section());
        m_sections.back().name = section;
        s = int(m_sections.size()) - 1;
    }
    Section& sec = m_sections[s];
    int k = FindKey(s, key);
    if (k < 0) {
        if (!create)
            return FALSE;
        sec.keys.push_back(key);
        sec.values.push_back(CString());
        k = int(sec.keys.size()) - 1;
    }
    CString v = value;
    v.Replace("\\n", " \n");
    sec.values[k] = v;
    return TRUE;
}

int CLangFile::FindSection(LPCTSTR name) const
{
    for (size_t i = 0; i < m_sections.size(); ++i)
        if (m_sections[i].name == name)
            return int(i);
    return -1;
}

int CLangFile::FindKey(int section, LPCTSTR key) const
{
    if (section < 0 || size_t(section) >= m_sections.size())
        return -1;
    const Section& sec = m_sections[section];
    for (size_t i = 0; i < sec.keys.size(); ++i)
        if (sec.keys[i] == key)
            return int(i);
    return -1;
}

CString CLangFile::GetValue(LPCTSTR section, LPCTSTR key)
{
    const int s = FindSection(section);
    if (s < 0) {
        m_strError.Format("Unable to locate specified key: [%s]", section);
        return CString();
    }
    const int k = FindKey(s, key);
    if (k < 0) {
        m_strError.Format("Unable to locate specified value: %s.", key);
        return CString();
    }
    return m_sections[s].values[k];
}
