// UTF-16 to the system code page: the A code page under Windows, UTF-8 natively.
#include "designer/core/ProjectText.h"

#ifdef _WIN32
#include <windows.h>

BOOL ProjectWideToSystem(const std::u16string& wide, CString& text)
{
    text.Empty();
    if (wide.empty()) return TRUE;
    const wchar_t* src = reinterpret_cast<const wchar_t*>(wide.data());
    int n = WideCharToMultiByte(CP_ACP, 0, src, (int)wide.size(), NULL, 0, NULL, NULL);
    if (n <= 0) return FALSE;
    char* buf = text.GetBuffer(n);
    int done = WideCharToMultiByte(CP_ACP, 0, src, (int)wide.size(), buf, n, NULL, NULL);
    text.ReleaseBuffer(done > 0 ? done : 0);
    return done > 0;
}

#else

BOOL ProjectWideToSystem(const std::u16string& wide, CString& text)
{
    std::string out;
    for (size_t i = 0; i < wide.size(); ++i) {
        unsigned long c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = '?';
        }
        if (c < 0x80) {
            out += (char)c;
        } else if (c < 0x800) {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += (char)(0xE0 | (c >> 12));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        } else {
            out += (char)(0xF0 | (c >> 18));
            out += (char)(0x80 | ((c >> 12) & 0x3F));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    text = CString(out.data(), (int)out.size());
    return TRUE;
}

#endif
