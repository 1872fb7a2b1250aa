#include "designer/core/ThemePointerPacker.h"

#include "designer/core/ResourceFile.h"
#include "framework/Sys.h"

#include <string>

namespace {
bool NameStartsWith(const CString& name, LPCTSTR prefix, int count)
{
    return name.GetLength() >= count && name.Left(count).CompareNoCase(CString(prefix).Left(count)) == 0;
}
}  // namespace

BOOL CThemePointerPacker::WriteDefaultPointers(LPCTSTR folder)
{
    CResourceFile resource;
    const CString base(folder);
    BOOL ok = resource.SaveToFile(IDR_CURSOR_GZ, "ZAVO_EXEC", base + "\\cursor.gz");
    if (!resource.SaveToFile(IDR_HAND_GZ, "ZAVO_EXEC", base + "\\hand.gz"))
        ok = FALSE;
    return ok;
}

int CThemePointerPacker::CopyPointers(const CString& folder, BOOL& foundHand, BOOL& foundCursor)
{
    const int count = m_archive.GetEntryCount();
    for (int i = 0; i < count; ++i) {
        unsigned char* data = NULL;
        unsigned size = 0;
        BOOL isFile = FALSE;
        CString name;
        if (!m_archive.GetEntry(i, data, size, isFile, name))
            return 0;
        if (!isFile)
            continue;
        if (NameStartsWith(name, "hand.bmp", 7))
            foundHand = CResourceFile::WriteBytes(folder + "\\hand.bmp", data, size);
        else if (NameStartsWith(name, "cursor.bmp", 9))
            foundCursor = CResourceFile::WriteBytes(folder + "\\cursor.bmp", data, size);
    }
    return 1;
}

int CThemePointerPacker::Run(LPCTSTR folder)
{
    const CString target(folder);
    if (m_strArchivePath.IsEmpty() || !m_archive.OpenArchive(m_strArchivePath)) {
        WriteDefaultPointers(target);
        return 1;
    }
    BOOL foundHand = FALSE, foundCursor = FALSE;
    const int result = CopyPointers(target, foundHand, foundCursor);
    m_archive.CloseArchive();
    if (result == 0)
        return 0;
    if (!foundHand || !foundCursor)
        WriteDefaultPointers(target);
    return 1;
}
