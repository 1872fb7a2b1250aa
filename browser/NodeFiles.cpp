#include "browser/NodeFiles.h"

#include "browser/BrowserPlatform.h"
#include "framework/File.h"
#include "framework/Sys.h"

#include <cstring>

namespace {
BOOL IsDeviceName(const CString& name)
{
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    CString base = name;
    int dot = base.Find('.');
    if (dot >= 0)
        base = base.Left(dot);
    base.TrimRight(" ");
    base.MakeUpper();
    for (const char* d : devices)
        if (base == d)
            return TRUE;
    return base.GetLength() == 4 && (base.Left(3) == "COM" || base.Left(3) == "LPT") &&
           base[3] >= '0' && base[3] <= '9';
}
}  // namespace

CString MakeSafeFileName(LPCTSTR name)
{
    CString safe;
    for (const unsigned char* p = (const unsigned char*)(name ? name : ""); *p; ++p)
        safe += (*p < 0x20 || *p == 0x7F || strchr("\\/:*?\"<>|", *p)) ? '_' : (char)*p;
    if (safe.IsEmpty())
        return CString("_");
    TCHAR last = safe[safe.GetLength() - 1];
    if (last == '.' || last == ' ')
        safe += '_';  // Windows would drop them and could reach "." or ".."
    if (safe == "._" || safe == ".._" || IsDeviceName(safe))
        safe = "_" + safe;
    return safe;
}

CString ShortenForMessage(LPCTSTR text, int maxBytes)
{
    CString all = text ? text : "";
    int length = all.GetLength();
    const int kDots = 3;
    if (length <= maxBytes || maxBytes <= kDots)
        return length <= maxBytes ? all : CString("...").Left(maxBytes);
    int keep = maxBytes - kDots;
    int headEnd = 0, tailStart = length;
    for (int at = 0; at < length;) {
        int next = at + (FwIsLeadByte((unsigned char)all[at]) && at + 1 < length ? 2 : 1);
        if (next <= (keep + 1) / 2)
            headEnd = next;
        if (length - at <= keep - headEnd && tailStart == length)
            tailStart = at;
        at = next;
    }
    return all.Left(headEnd) + "..." + all.Mid(tailStart);
}

CString NodeTargetPath(LPCTSTR folder, const CFsNode* node)
{
    CString path = folder;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\' && path[path.GetLength() - 1] != '/')
        path += FwPathSeparator();
    return path + MakeSafeFileName(node->m_strName);
}

int ExtractNodesTo(CImageFs& fs, const CPtrArray& nodes, LPCTSTR folder, CFsNode** failed,
                   CString* failedTarget, int* error)
{
    int count = (int)nodes.GetSize();
    for (int i = 0; i < count; ++i) {
        CFsNode* node = static_cast<CFsNode*>(nodes[i]);
        if (node->IsFolder())
            continue;
        CString target = NodeTargetPath(folder, node);
        int result = fs.Extract(node, target, TRUE);
        if (result != CImageFs::EXTRACT_OK) {
            if (failed)
                *failed = node;
            if (failedTarget)
                *failedTarget = target;
            if (error)
                *error = result;
            return 0;
        }
    }
    return count;
}

BOOL ExtractNodesToTemp(CImageFs& fs, const CPtrArray& nodes, CStringArray& paths)
{
    if (nodes.GetSize() == 0)
        return FALSE;
    CString temp = FwGetTempPath();
    for (int i = 0; i < (int)nodes.GetSize(); ++i) {
        CFsNode* node = static_cast<CFsNode*>(nodes[i]);
        if (node->IsFolder())
            continue;
        CString target = NodeTargetPath(temp, node);
        if (fs.Extract(node, target, TRUE) == CImageFs::EXTRACT_OK)
            paths.Add(target);
    }
    return TRUE;
}

void BuildDropFilesBlock(const CStringArray& paths, std::vector<BYTE>& block)
{
    size_t total = 0;
    for (int i = 0; i < (int)paths.GetSize(); ++i)
        total += paths[i].GetLength() + 1;
    block.assign(((total + 22) / 32 + 1) * 32, 0);
    block[0] = 20;  // pFiles; the points, fNC and fWide stay 0
    size_t at = 20;
    for (int i = 0; i < (int)paths.GetSize(); ++i) {
        memcpy(&block[at], (LPCTSTR)paths[i], paths[i].GetLength());
        at += paths[i].GetLength() + 1;
    }
}

CString FormatSizeText(ULONGLONG size)
{
    CString text;
    if (size < 1024)
        text.Format("%03u Byte", (unsigned)size);
    else if (size <= 0xFFFFF)
        text.Format("%0.2f KB", size / 1024.0);
    else if (size <= 0x3FFFFFFF)
        text.Format("%0.2f MB", size / 1048576.0);
    else
        text.Format("%0.2f GB", size / 1073741824.0);
    return text;
}

BOOL MakeDiskFileNode(LPCTSTR path, CFsNode& node, BYTE type)
{
    CFileStatus status;
    if (!CFile::GetStatus(path, status))
        return FALSE;
    CString p = path;
    BOOL folder = (status.m_attribute & CFile::directory) != 0;
    node.m_strSource = p;
    if (p.GetLength() == 3 && p[1] == ':') {
        node.m_strName.Format("%s(%c:)", (LPCTSTR)BrGetVolumeLabel(p), p[0]);
    } else {
        CString trimmed = p;
        trimmed.TrimRight("\\/");
        int cut = trimmed.ReverseFind('\\');
        int slash = trimmed.ReverseFind('/');
        node.m_strName = trimmed.Mid((cut > slash ? cut : slash) + 1);
    }
    node.m_nType = type;
    node.m_dwSize = folder ? 0 : (DWORD)status.m_size;
    node.m_time = status.m_mtime;
    node.m_dwOffset = 0;
    node.m_hItem = node.m_hParentItem = NULL;
    return TRUE;
}
