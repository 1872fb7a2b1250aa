#include "installer/MenuText.h"

#include "installer/InstallerPlatform.h"

namespace {
// The program's build stamp, as in "Aug 23 2008 20:38:48".
const char kBuildStamp[] = __DATE__ " " __TIME__;
}  // namespace

bool IsShortName(LPCTSTR name)
{
    const CString n = name ? name : "";
    const int dot = n.Find('.');
    const int base = dot < 0 ? n.GetLength() : dot;
    if (base < 1 || base > 8)
        return false;
    if (dot < 0)
        return true;
    const CString ext = n.Mid(dot + 1);
    return ext.Find('.') < 0 && ext.GetLength() <= 3;
}

CString FileNamePart(LPCTSTR path)
{
    const CString p = path ? path : "";
    const int slash = p.ReverseFind('\\'), forward = p.ReverseFind('/');
    return p.Mid((slash > forward ? slash : forward) + 1);
}

bool SanitizeMenuPath(CString& path)
{
    const CString before = path;
    CString out;
    const int length = path.GetLength();
    for (int i = 0; i < length; ++i) {
        const unsigned char c = (unsigned char)path[i];
        if (c == ' ') {
            out += '_';
        } else if (c >= 0x80 && InstallerPlatform::IsLeadByte(c)) {
            out += '_';
            if (i + 1 < length)
                ++i;  // the trail byte, never past the end
        } else {
            out += char(c);
        }
    }
    if (out.GetLength() > MENU_PATH_LIMIT)
        out = out.Left(MENU_PATH_LIMIT);
    path = out;
    return path != before;
}

CString InstallHeaderText()
{
    CString text;
    text.Format("#\n# Tessumgr Generated, \n# %s \n#\ndefault 0\ntimeout 0\nfallback 1\n\ntitle Tessu Default",
                kBuildStamp);
    return text;
}

CString IsoEmuMenuText(LPCTSTR grubPath)
{
    CString text = InstallHeaderText();
    text.AppendFormat("\nisoemu %s", grubPath);
    return text;
}

CString DiskImageMenuText(LPCTSTR grubPath, int imageType, int cylinders, int heads, int sectors)
{
    CString kernel;
    kernel.Format("\nkernel (rd)/memdisk.gz c=%d h=%d s=%d%s", cylinders, heads, sectors,
                  imageType == 1 ? " floppy" : " harddisk");
    CString text = InstallHeaderText();
    text.AppendFormat("\n%s\ninitrd %s", (LPCTSTR)kernel, grubPath);
    return text;
}

CString QuickApplicationText()
{
    CString text;
    text.Format("#\n# Tessumgr Quick Application \n# %s \n#\ndefault 0\ntimeout 0\nfallback 1\n\n"
                "title Tessu Default Img \nkernel (rd)/memdisk.gz \ninitrd (rd)/TQA.gz \n\n",
                kBuildStamp);
    return text;
}
