// Classifies a boot loader file by its length and first 1,024 bytes.
#pragma once

#include "framework/String.h"

#include <cstddef>
#include <cstdint>

class CLangFile;
class IInstallerUi;

class CBootLoaderInfo {
public:
    enum Type {
        TYPE_UNKNOWN = 0,
        TYPE_X86_BS = 1,
        TYPE_NTLDR = 2,
        TYPE_GRLDR = 3,
        TYPE_TESSU = 4,  // the Tessu.sys head
        TYPE_ZAVO = 5,   // the studio's Zavo loader
        TYPE_GRUB2 = 6,  // NT-loader or plain form
    };
    enum { HEAD_SIZE = 1024,
           SMALL_LIMIT = 8192,
           LARGE_LIMIT = 0x5F000 };

    explicit CBootLoaderInfo(CLangFile* lang = NULL, IInstallerUi* ui = NULL) : m_pLang(lang), m_pUi(ui) {}
    virtual ~CBootLoaderInfo() {}

    // True when the file was read and its name is of the 8.3 form; a longer
    // name is shown as "Invalid Name" and gives false.
    BOOL Detect(LPCTSTR path);
    BOOL GetCaption(CString& caption) const;

    // The type of a file of `length` bytes whose first bytes are `head`
    // (HEAD_SIZE bytes, zero past the file's end); the caption key in `key`.
    static int Classify(const unsigned char* head, uint64_t length, BOOL& supported, const char*& key);

    BOOL m_bSupported = FALSE;
    int m_nType = TYPE_UNKNOWN;
    CString m_strPath;
    CString m_strCaption;

private:
    CLangFile* m_pLang;
    IInstallerUi* m_pUi;
};
