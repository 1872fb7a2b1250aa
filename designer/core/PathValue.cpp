#include "designer/core/PathValue.h"

namespace {
int Clamp(int part)
{
    return part < 0 ? 0 : part > 3 ? 3
                                   : part;
}
}  // namespace

CPathValue::CPathValue(LPCTSTR path) : m_strPath(path ? path : "")
{
    Split();
}

void CPathValue::Split()
{
    for (int i = 0; i < 4; ++i)
        m_nStart[i] = m_nLength[i] = 0;
    m_strPath.TrimLeft();
    m_strPath.TrimRight();
    const int length = m_strPath.GetLength();
    if (length == 0)
        return;
    const int first = m_strPath.Find('\\');
    if (first < 0) {
        m_nLength[PART_DRIVE] = length;
        return;
    }
    m_nLength[PART_DRIVE] = first;
    int folder = first;
    if (first + 1 < length && m_strPath[first + 1] == '\\')
        folder = first + 1;
    const int nameStart = m_strPath.ReverseFind('\\') + 1;
    m_nStart[PART_FOLDER] = folder;
    m_nLength[PART_FOLDER] = nameStart - folder;
    m_nStart[PART_NAME] = nameStart;
    const int dot = m_strPath.ReverseFind('.');
    if (dot >= nameStart) {
        m_nStart[PART_EXTENSION] = dot;
        m_nLength[PART_EXTENSION] = length - dot;
        m_nLength[PART_NAME] = dot - nameStart;
    } else {
        m_nLength[PART_NAME] = length - nameStart;
    }
}

CString CPathValue::GetPart(int from, LPCTSTR suffix, int to) const
{
    to = Clamp(to);
    from = Clamp(from);
    const int first = from < to ? from : to;
    const int start = m_nStart[first];
    // An empty part has no position of its own: end at the last part present.
    int end = start;
    for (int p = first; p <= to; ++p)
        if (m_nLength[p] > 0 && m_nStart[p] + m_nLength[p] > end)
            end = m_nStart[p] + m_nLength[p];
    CString result = m_strPath.Mid(start, end - start);
    if (suffix)
        result += suffix;
    return result;
}

void CPathValue::GetParentRelativePath(CString& out) const
{
    out.Empty();
    CString folder = GetPart(PART_FOLDER, NULL, PART_FOLDER);
    if (folder.GetLength() > 0 && folder[folder.GetLength() - 1] == '\\')
        folder = folder.Left(folder.GetLength() - 1);
    const CString last = folder.Mid(folder.ReverseFind('\\') + 1);
    if (last.IsEmpty())
        return;
    out = ".\\" + last + "\\" + GetPart(PART_NAME, NULL, PART_EXTENSION);
}
