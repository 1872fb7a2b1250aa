#include "designer/core/TextFileWriter.h"

#include "framework/ScopedHandle.h"
#include "framework/Sys.h"

#include <cstdio>

namespace {
CString SystemText(unsigned long code)
{
    CString result = FwFormatSystemMessage(code).Left(256);
    result.TrimLeft();
    result.TrimRight();
    return result;
}
}  // namespace

CTextFileWriter::CTextFileWriter(LPCTSTR extension, LPCTSTR lineTerminator)
    : m_strExtension(extension ? extension : ""), m_strLineEnd(lineTerminator ? lineTerminator : "")
{
}

// The window-free core shows no file dialog; the studio's writer overrides this.
BOOL CTextFileWriter::BrowseForFile(BOOL, CString&) { return FALSE; }

int CTextFileWriter::Save(LPCTSTR path, const CStringArray& lines)
{
    m_strError.Empty();
    CString target(path ? path : "");
    if (target.IsEmpty() && !BrowseForFile(TRUE, target))
        return 0;
    CScopedFile file(FwOpenStdFile(target, "wb"));
    if (!file.IsValid()) {
        m_strError = SystemText(FwGetLastError());
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
        FwNoteStdioError();
        m_strError = SystemText(FwGetLastError());
        return 0;
    }
    return 1;
}
