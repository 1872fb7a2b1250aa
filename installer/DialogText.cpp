#include "installer/DialogText.h"

const char kDefaultBootIni[] = "C:\\Boot.ini";

namespace {
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsDriveRoot(const CString& path)
{
    return path.GetLength() == 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

// Every CR LF, lone CR and lone LF as `end`.
CString WithLineEnds(const CString& text, const char* end)
{
    CString out;
    const int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < n && text[i + 1] == '\n')
                ++i;
            out += end;
        } else if (c == '\n') {
            out += end;
        } else {
            out += c;
        }
    }
    return out;
}
}  // namespace

bool IsDriveRootedPath(const CString& path)
{
    return path.GetLength() > 3 && IsDriveRoot(path.Left(3));
}

CString BootIniFromBootDir(const CString& bootDir)
{
    if (!IsDriveRoot(bootDir))
        return kDefaultBootIni;
    return bootDir + "Boot.ini";
}

CString FileSystemText(uint8_t type, const CString& extended, const CString& unknown)
{
    switch (type) {
    case 0x01:
        return "FAT12";
    case 0x04:
    case 0x06:
        return "FAT16";
    case 0x05:
        return extended;
    case 0x07:
        return "NTFS";
    case 0x0B:
        return "FAT32";
    case 0x0C:
        return "FAT32(INT13h-EXT)";
    case 0x0E:
        return "FAT16(INT13h-EXT)";
    case 0x0F:
        return extended + "(INT13h-EXT)";
    case 0x11:
        return "FAT12(H)";
    case 0x14:
    case 0x16:
    case 0x1E:
        return "FAT16(H)";
    case 0x15:
    case 0x1F:
        return extended + "(H)";
    case 0x17:
        return "NTFS(H)";
    case 0x1B:
    case 0x1C:
        return "FAT32(H)";
    case 0x82:
        return "Linux Swap";
    case 0x83:
        return "Linux Ext2/Ext3";
    default:
        return unknown;
    }
}

CString EditorTextToField(const CString& edited, const CString& original)
{
    return WithLineEnds(edited, original.Find("\r\n") >= 0 ? "\r\n" : "\n");
}

CString FieldTextToEditor(const CString& field) { return WithLineEnds(field, "\r\n"); }
