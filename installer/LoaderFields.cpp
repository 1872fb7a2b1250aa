#include "installer/LoaderFields.h"

#include "framework/ScopedFile.h"
#include "framework/Sys.h"
#include "installer/BootLoaderInfo.h"
#include "installer/InstallerTexts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
const size_t kGrub2Offset = 532;

size_t TextLength(const unsigned char* p, size_t width)
{
    const void* nul = memchr(p, 0, width);
    return nul ? size_t(static_cast<const unsigned char*>(nul) - p) : width;
}
}  // namespace

bool GetLoaderFieldLayout(int type, LoaderFieldLayout& layout)
{
    switch (type) {
    case CBootLoaderInfo::TYPE_TESSU:
        // Text and NUL in 314 bytes; a full-width text goes unterminated.
        layout = LoaderFieldLayout{512, 192, 314, 314};
        return true;
    case CBootLoaderInfo::TYPE_ZAVO:
        // The 318-byte preset field; its terminator stays inside.
        layout = LoaderFieldLayout{1024, 704, 318, 317};
        return true;
    case CBootLoaderInfo::TYPE_GRUB2:
        layout = LoaderFieldLayout{1024, kGrub2Offset, 4, 0};
        return true;
    default:
        return false;
    }
}

CString ReadLoaderField(int type, const unsigned char* sectors)
{
    LoaderFieldLayout l;
    if (!GetLoaderFieldLayout(type, l))
        return CString();
    CString text;
    if (l.maxText == 0) {
        text.Format("%08X", (unsigned)(int)(signed char)sectors[l.offset]);
        return text;
    }
    return CString(reinterpret_cast<const char*>(sectors + l.offset), int(TextLength(sectors + l.offset, l.width)));
}

bool WriteLoaderField(int type, unsigned char* sectors, const CString& text)
{
    LoaderFieldLayout l;
    if (!GetLoaderFieldLayout(type, l))
        return false;
    unsigned char* field = sectors + l.offset;
    if (l.maxText == 0) {
        const char* s = text;
        char* end = NULL;
        const unsigned long v = strtoul(s, &end, 16);
        if (text.IsEmpty() || text.GetLength() > 8 || *end != 0 || *s == '-' || *s == '+' || *s == ' ')
            return false;
        for (int i = 0; i < 4; ++i)
            field[i] = (unsigned char)(v >> (8 * i));
        return true;
    }
    const size_t n = size_t(text.GetLength());
    if (n > size_t(l.maxText) || memchr((LPCTSTR)text, 0, n))
        return false;
    memcpy(field, (LPCTSTR)text, n);
    if (n < l.width)
        field[n] = 0;  // bytes behind the terminator keep their values
    return true;
}

bool LoaderFieldAccepts(int type, const CString& text)
{
    LoaderFieldLayout l;
    if (!GetLoaderFieldLayout(type, l))
        return false;
    std::vector<unsigned char> scratch(l.sectorBytes, 0);
    return WriteLoaderField(type, scratch.data(), text);
}

BOOL EditLoaderParameters(LPCTSTR path, int type, IInstallerUi& ui, CLangFile* lang)
{
    LoaderFieldLayout l;
    if (!GetLoaderFieldLayout(type, l))
        return TRUE;
    CScopedFile f(FwOpenStdFile(path, "r+b"));
    if (!f) {
        CString text;
        text.Format("open %s in R/W mode faild with: 0x%08X.      \n\nYou should check its attribute, or close "
                    "other program(s) to continue.     \n",
                    path, (unsigned)FwGetLastError());
        ui.Show(text, kTessumgrCaption, IInstallerUi::STYLE_OK_PLAIN);
        return FALSE;
    }
    std::vector<unsigned char> sectors(l.sectorBytes, 0);
    if (fread(sectors.data(), 1, sectors.size(), f.Get()) != sectors.size()) {
        ui.Show(PromptText(lang, "Loader Too Short"), kTessumgrCaption, IInstallerUi::STYLE_OK_INFO);
        return FALSE;
    }
    const CString shown = ReadLoaderField(type, sectors.data());
    const int maxLength = l.maxText ? l.maxText : 8;
    CString edited = ui.EditText(shown, maxLength, type);
    std::vector<unsigned char> changed = sectors;
    while (!edited.IsEmpty() && edited != shown && !WriteLoaderField(type, changed.data(), edited)) {
        ui.Show(PromptText(lang, "Loader Value Invalid"), kTessumgrCaption, IInstallerUi::STYLE_OK_INFO);
        edited = ui.EditText(edited, maxLength, type);
    }
    if (edited.IsEmpty() || edited == shown)
        return TRUE;
    if (changed == sectors)
        return TRUE;
    bool ok = fseek(f.Get(), 0, SEEK_SET) == 0 && fwrite(changed.data(), 1, changed.size(), f.Get()) == changed.size();
    if (!f.Close())
        ok = false;
    if (!ok)
        ui.Show(PromptText(lang, "Write Failed"), kTessumgrCaption, IInstallerUi::STYLE_OK_INFO);
    return ok ? TRUE : FALSE;
}
