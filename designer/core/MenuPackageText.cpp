#include "designer/core/MenuPackageText.h"

#include "framework/ScopedHandle.h"
#include "framework/Sys.h"

#include <cstdio>
#include <cstring>

namespace {
const int kMaxZipComment = 0xFFFF;
const int kMaxNameLength = 200;
const size_t kPngHeaderSize = 24;
}  // namespace

namespace MenuPackageText {
bool IsValidMenuName(LPCTSTR lpszName)
{
    CString name(lpszName ? lpszName : "");
    if (name.IsEmpty() || name.GetLength() > kMaxNameLength || name.Find("..") >= 0)
        return false;
    char last = name[name.GetLength() - 1];
    if (last == '.' || last == ' ')
        return false;
    for (const unsigned char* p = (const unsigned char*)(LPCTSTR)name; *p; ++p) {
        if (FwIsLeadByte(*p) && p[1]) {
            ++p;  // a trail byte may look like '\' or '|'
            continue;
        }
        if (*p < 0x20 || strchr("\\/:*?\"<>|", *p))
            return false;
    }
    CString device = name;
    int dot = device.Find('.');
    if (dot >= 0)
        device = device.Left(dot);
    device.TrimRight();
    device.MakeUpper();
    static const char* const kReserved[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};
    for (const char* r : kReserved)
        if (device == r)
            return false;
    if (device.GetLength() == 4 && (device.Left(3) == "COM" || device.Left(3) == "LPT") && device[3] >= '0' &&
        device[3] <= '9')
        return false;
    return true;
}

CString IniValue(LPCTSTR lpszText)
{
    CString value(lpszText ? lpszText : "");
    for (int i = 0; i < value.GetLength(); ++i)
        if ((unsigned char)value[i] < 0x20)
            value.SetAt(i, ' ');
    return value;
}

int VesaModeOf(int nPageWidth)
{
    switch (nPageWidth) {
    case 640: return 0x111;
    case 800: return 0x114;
    case 1024: return 0x117;
    default: return 0;
    }
}

CString ResolutionText(int nVesaMode)
{
    switch (nVesaMode) {
    case 0x111: return "640 x 480";
    case 0x114: return "800 x 600";
    case 0x117: return "1024 x 768";
    default: return "N/A";
    }
}

CString ZipComment(LPCTSTR lpszDescription, int nVesaMode, LPCTSTR lpszProjectPath)
{
    CString tail = "\r\n\r\n// " + CString('=', 59);
    tail += "\r\n// Resolution: " + ResolutionText(nVesaMode);
    CString project(lpszProjectPath ? lpszProjectPath : "");
    tail += "\r\n// Project: " + (project.IsEmpty() ? CString("N/A") : project);
    tail += "\r\n//\r\n";
    // the zip stores the comment's length in 16 bits: a longer description is
    // cut at a whole character
    CString description(lpszDescription ? lpszDescription : "");
    const int room = kMaxZipComment - 2 - tail.GetLength();
    if (description.GetLength() > room) {
        LPCTSTR start = description, p = start;
        while (*p) {
            LPCTSTR next = p + (FwIsLeadByte((unsigned char)*p) && p[1] ? 2 : 1);
            if (next - start > room)
                break;
            p = next;
        }
        description = description.Left(room > 0 ? (int)(p - start) : 0);
    }
    return "\r\n" + description + tail;
}

bool PngHeaderSize(const unsigned char* head, size_t size, int& cx, int& cy)
{
    if (size < kPngHeaderSize || memcmp(head, "\x89PNG\r\n\x1a\n", 8) != 0 || memcmp(head + 12, "IHDR", 4) != 0)
        return false;
    unsigned long w = ((unsigned long)head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19];
    unsigned long h = ((unsigned long)head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23];
    cx = (int)w;
    cy = (int)h;
    return true;
}

bool PngFileSize(LPCTSTR lpszPath, int& cx, int& cy)
{
    unsigned char head[kPngHeaderSize];
    CScopedFile f(fopen(FwNativePath(lpszPath), "rb"));
    if (!f.IsValid())
        return false;
    size_t n = fread(head, 1, sizeof(head), f);
    return PngHeaderSize(head, n, cx, cy);
}
}  // namespace MenuPackageText
