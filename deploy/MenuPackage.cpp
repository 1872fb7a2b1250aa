#include "deploy/MenuPackage.h"

#include "designer/core/ArchiveFile.h"

#include <cstring>

namespace {
bool EndsWithNoCase(const CString& text, LPCTSTR tail)
{
    const int n = (int)strlen(tail);
    return text.GetLength() >= n && text.Right(n).CompareNoCase(tail) == 0;
}
}  // namespace

CString GetFileTitleNoExt(LPCTSTR path)
{
    if (!path)
        return CString();
    LPCTSTR name = path;
    for (LPCTSTR p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    CString title(name);
    int dot = title.Find('.');
    return dot >= 0 ? title.Left(dot) : title;
}

int ImageTypeFromExtension(LPCTSTR path)
{
    CString text(path ? path : "");
    if (EndsWithNoCase(text, "bmp"))
        return 1;
    if (EndsWithNoCase(text, "gif"))
        return 2;
    if (EndsWithNoCase(text, "jpg") || EndsWithNoCase(text, "jpeg"))
        return 3;
    if (EndsWithNoCase(text, "png"))
        return 4;
    if (EndsWithNoCase(text, "ico"))
        return 5;
    return 0;
}

int IsValidMenuPackage(LPCTSTR path)
{
    const CString title = GetFileTitleNoExt(path);
    if (title.IsEmpty())
        return 0;
    CArchiveFile archive;
    if (!archive.OpenArchive(path) || archive.GetKind() != CArchiveFile::KIND_ZIP)
        return 0;
    const CString picture = title + ".png";
    const CString menu = title + ".gz";
    bool hasPicture = false, hasMenu = false;
    const int count = archive.GetEntryCount();
    for (int i = 0; i < count && !(hasPicture && hasMenu); ++i) {
        CString name;
        BOOL isFile = FALSE;
        if (!archive.GetEntryName(i, name, isFile) || !isFile)
            continue;
        hasPicture = hasPicture || name.CompareNoCase(picture) == 0;
        hasMenu = hasMenu || name.CompareNoCase(menu) == 0;
    }
    return hasPicture && hasMenu ? 1 : 0;
}

ThumbnailRect FitThumbnail(unsigned width, unsigned height, int size)
{
    ThumbnailRect r = {0, 0, 0, 0};
    if (width == 0 || height == 0 || size <= 0)
        return r;
    const double ratio = (double)height / width;
    if (ratio > 1) {
        r.width = (int)(size / ratio);
        r.height = size;
        r.x = (size - r.width) / 2;
    } else {
        r.width = size;
        r.height = (int)(size * ratio);
        r.y = (size - r.height) / 2;
    }
    if (r.width == 0)
        r.width = 1;
    if (r.height == 0)
        r.height = 1;
    return r;
}
