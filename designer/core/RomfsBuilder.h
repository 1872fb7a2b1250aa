// Writes a romfs ("-rom1fs-") image of one folder. Entries of every folder
// are written "." and ".." first (when the system lists them), then the rest
// sorted by name: case-insensitively, ties broken bytewise, so the same folder
// always gives the same image.
#pragma once

#include "framework/FwDefs.h"
#include "framework/String.h"

#include <vector>

class CPackageFiles;

class CRomfsBuilder {
public:
    CRomfsBuilder();
    virtual ~CRomfsBuilder();

    // 1 when the image was written; 0 when the output cannot be created or
    // written, a listed file cannot be opened or read to its listed size,
    // memory runs out or the image would pass 4 GiB (no output is left
    // behind then, and GetErrorText says why, naming the file).
    int BuildRomfsImage(LPCTSTR folder, LPCTSTR outputPath, LPCTSTR volumeName);
    // The same image into memory: 1 when built; 0 with image empty and
    // GetErrorText saying why.
    int BuildRomfsImage(LPCTSTR folder, std::vector<unsigned char>& image, LPCTSTR volumeName);
    // The same with files given in memory at the top of the folder, as if
    // they were written there (over files of the same name).
    int BuildRomfsImage(LPCTSTR folder, const CPackageFiles* files, std::vector<unsigned char>& image,
                        LPCTSTR volumeName);

    // Why the last build failed; empty after a success.
    const CString& GetErrorText() const { return m_strError; }
    // Whether the last build into a file failed on the output (it could not
    // be created or written) rather than on the source.
    BOOL OutputFailed() const { return m_bOutputFailed; }

private:
    CString m_strError;
    BOOL m_bOutputFailed = FALSE;
};
