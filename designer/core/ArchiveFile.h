// Gzip stream that also reads zip archives and tar archives inside gzip.
#pragma once

#include "designer/core/StreamFile.h"

#include <vector>

class CArchiveFile : public CStreamFile {
public:
    enum { KIND_NONE = 0,
           KIND_ZIP = 1,
           KIND_GZIP = 2,
           KIND_TAR_GZIP = 3 };
    // No entry or decompressed stream grows beyond this.
    enum { MAX_DATA = 256 * 1024 * 1024 };

    CArchiveFile();
    virtual ~CArchiveFile();

    virtual BOOL Close();
    virtual BOOL IsOpen() const;
    virtual int Write(const void* buffer, unsigned length);
    virtual int WriteString(LPCTSTR text);
    virtual int Read(void* buffer, unsigned length);
    // Reads the whole decompressed stream; the buffer belongs to the object.
    virtual BOOL ReadAll(unsigned char*& buffer, unsigned& length);
    virtual BOOL SetParams();

    BOOL Open(LPCTSTR path, int mode);

    BOOL OpenArchive(LPCTSTR path);
    // Opens a zip archive held in memory; the bytes must stay valid until
    // the archive closes.
    BOOL OpenArchiveFromMemory(const void* data, unsigned long size);
    // Opens the bytes as OpenArchive opens a file holding them: a zip (read
    // past its end as a file is), else gzip, tar in gzip or plain bytes. The
    // bytes must stay valid until the archive closes.
    BOOL OpenArchiveBytes(const void* data, unsigned long size);
    int GetEntryCount();
    // The data stay valid until the next entry is read or the archive closes.
    BOOL GetEntry(int index, unsigned char*& data, unsigned& size, BOOL& isFile, CString& name);
    // The entry's name and file flag without reading its data.
    BOOL GetEntryName(int index, CString& name, BOOL& isFile);
    BOOL GetComment(CString& text);
    void CloseArchive();
    int GetKind() const { return m_nKind; }
    const CString& GetErrorText() const { return m_strError; }

    // Compresses path into path + ".gz" at level 9, then deletes path.
    BOOL GzipFile(LPCTSTR path);
    // Writes length bytes of data to output as gzip at level 9, the same
    // bytes GzipFile gives for a file holding them; no output is left behind
    // on failure.
    BOOL GzipData(const void* data, size_t length, LPCTSTR output);
    // A new zip file for the zip library's writer (a zipFile), NULL on failure.
    static void* CreateZip(LPCTSTR path);

private:
    BOOL Fail(LPCTSTR text);
    BOOL ReadZipEntry(int index, unsigned char*& data, unsigned& size, BOOL& isFile, CString& name);
    BOOL ReadTarEntry(int index, unsigned char*& data, unsigned& size, BOOL& isFile, CString& name);
    BOOL GoToZipEntry(int index, CString& name, BOOL& isFile, unsigned long& size);
    void NoteFirstEntry();
    BOOL OpenMemoryZip(const void* data, unsigned long size, bool likeFile);
    BOOL OpenGzipData(const void* bytes, unsigned long size);

    void* m_gz;
    struct GzipBytes;
    GzipBytes* m_gzBytes;  // the gzip stream of OpenArchiveBytes, while it is read
    unsigned long m_nDiskLength;
    void* m_zip;
    int m_nZipIndex;  // the zip's current entry, -1 when not known
    int m_nZipEnd;    // the first entry that could not be reached, INT_MAX before that
    struct MemoryZip;
    MemoryZip* m_memory;                 // the source of a zip opened from memory
    std::vector<unsigned char> m_data;   // decompressed stream, NUL after its end
    std::vector<unsigned char> m_entry;  // the last zip or tar entry read, NUL after its end
    CString m_strError;
    int m_nKind;
};
