// Reader of theme files (.zmt): a zip or gzip-compressed tar archive with an
// ini text and the pictures it names. Concrete readers parse the text and load
// their pictures through FindImage while the archive is open.
#pragma once

#include "designer/core/ArchiveFile.h"

class CThemeFileReader {
public:
    CThemeFileReader();
    virtual ~CThemeFileReader();

    // Opens the theme file and runs ParseTheme on each ".ini" entry in archive
    // order until one succeeds; the archive is closed again before returning.
    BOOL Open(LPCTSTR path);
    // The same on the bytes of a theme file (they need not outlive the call).
    BOOL Open(const void* data, unsigned long size);
    // The entry's text, NUL-terminated and writable. The base reads nothing.
    virtual BOOL ParseTheme(char* text);
    // The first file entry named `name` (any case). The data stay valid until
    // the next entry is read or the archive closes; on failure data is NULL.
    BOOL FindImage(LPCTSTR name, unsigned char*& data, unsigned& size);

protected:
    CArchiveFile m_archive;
    int m_nEntryCount;

private:
    BOOL ParseOpened();
    CThemeFileReader(const CThemeFileReader&);
    CThemeFileReader& operator=(const CThemeFileReader&);
};

#include "designer/model/ThemeSettings.h"

// A theme reader for one section kind: parses the key lines into m_settings,
// then hands the four pictures, in slot order, to LoadThemeImage. Open is true
// only when the text was read and all four pictures were found and loaded; a
// failed picture leaves the ones before it replaced.
class CThemeImageReader : public CThemeFileReader {
public:
    explicit CThemeImageReader(CThemeSettings::Kind kind);

    virtual BOOL ParseTheme(char* text);

    CThemeSettings m_settings;

protected:
    // Decodes one picture (slot index as in CThemeSettings, margins to cut it by).
    virtual BOOL LoadThemeImage(int index, const unsigned char* data, unsigned size,
                                int left, int top, int right, int bottom) = 0;
};
