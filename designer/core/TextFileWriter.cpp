#include "designer/core/TextFileWriter.h"

#include "designer/core/FilesPlatform.h"
#include "framework/ScopedHandle.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
CString SystemText(unsigned long code)
{
    std::string text = FilesPlatform::ErrorMessage(code);
    if (text.size() > 256)
        text.resize(256);
    CString result(text.c_str());
    result.TrimLeft();
    result.TrimRight();
    return result;
}
}  // namespace

CTextFileWriter::CTextFileWriter(LPCTSTR extension, LPCTSTR lineTerminator)
    : m_strExtension(extension ? extension : ""), m_strLineEnd(lineTerminator ? lineTerminator : "")
{
}

BOOL CTextFileWriter::BrowseForFile(BOOL forSave, CString& path)
{
    CString filter;
    if (!m_strExtension.IsEmpty())
        filter = m_strExtension + " (*." + m_strExtension + ")|*." + m_strExtension;
    filter += "|All Files (*.*)|*.*||";
    std::string chosen;
    if (!FilesPlatform::BrowseForFile(forSave != FALSE, m_strExtension, filter, m_strInitialFolder, chosen))
        return FALSE;
    path = chosen.c_str();
    return TRUE;
}

int CTextFileWriter::Save(LPCTSTR path, const CStringArray& lines)
{
    m_strError.Empty();
    CString target(path ? path : "");
    if (target.IsEmpty() && !BrowseForFile(TRUE, target))
        return 0;
    CScopedFile file(FilesPlatform::OpenStdFile(target, "wb"));
    if (!file.IsValid()) {
        m_strError = SystemText(FilesPlatform::LastError());
        return 0;
    }
    const size_t endLength = (size_t)m_strLineEnd.GetLength();
    bool ok = true;
    for (int i = 0; i < lines.GetSize() && ok; ++i) {
        const CString& line = lines[i];
        const size_t length = (size_t)line.GetLength();
        ok = fwrite((LPCTSTR)line, 1, length, file) == length &&
             fwrite((LPCTSTR)m_strLineEnd, 1, endLength, file) == endLength;
    }
    if (!file.Close())
        ok = false;
    if (!ok) {
        m_strError = SystemText(FilesPlatform::LastError());
        return 0;
    }
    return 1;
}
