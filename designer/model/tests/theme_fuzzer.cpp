// Theme reader on arbitrary bytes, both as an archive and as the ini text.
#include "designer/model/ThemeFileReader.h"

#include <cstdint>
#include <string>

namespace {
class TouchingReader : public CThemeImageReader {
public:
    explicit TouchingReader(CThemeSettings::Kind kind) : CThemeImageReader(kind) {}

protected:
    virtual BOOL LoadThemeImage(int, const unsigned char* data, unsigned size, int, int, int, int)
    {
        if (!size)
            return FALSE;
        volatile unsigned char sink = data[0] ^ data[size - 1];
        (void)sink;
        return TRUE;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text((const char*)data, size);
    CThemeSettings menu(CThemeSettings::MENU_THEME), progress(CThemeSettings::PROGRESS_THEME);
    menu.Parse(text.c_str());
    progress.Parse(text.c_str());

    TouchingReader menuReader(CThemeSettings::MENU_THEME);
    menuReader.Open(data, (unsigned long)size);
    TouchingReader progressReader(CThemeSettings::PROGRESS_THEME);
    progressReader.Open(data, (unsigned long)size);
    return 0;
}
