#include "installer/BootLoaderInfo.h"

#include "framework/File.h"
#include "installer/InstallerTexts.h"
#include "installer/MenuText.h"

#include <cstring>

namespace {
const char kSection[] = "BL Installer";
const uint32_t kMultibootMagic = 0x1BADB002;

uint32_t ReadLE32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int ClassifyMidSize(const unsigned char* head, const char*& key)
{
    if (head[0] == 0xE9) {
        if (memcmp(head + 516, "ZAVO\0Zavo", 9) == 0) {
            key = "Type NTLDR.Zavo";
            return CBootLoaderInfo::TYPE_ZAVO;
        }
        if (head[512] == 0xEA && ReadLE32(head + 592) == kMultibootMagic) {
            key = "Type NTLDR.Grub2";
            return CBootLoaderInfo::TYPE_GRUB2;
        }
        if (memcmp(head + 9, "Vesker200", 9) == 0) {
            key = "Type NTLDR.Tessu";
            return CBootLoaderInfo::TYPE_TESSU;
        }
        key = "Type NTLDR";
        return CBootLoaderInfo::TYPE_NTLDR;
    }
    if (head[0] == 0xEB) {
        key = "Type NTLDR.grldr";
        return CBootLoaderInfo::TYPE_GRLDR;
    }
    if (head[0] == 'R' && head[1] == 'V' && head[512] == 0xEA) {
        for (int i = 0; i < 10; ++i)
            if (ReadLE32(head + 592 + 4 * i) == kMultibootMagic) {
                key = "Type Grub2";
                return CBootLoaderInfo::TYPE_GRUB2;
            }
    }
    return CBootLoaderInfo::TYPE_UNKNOWN;
}
}  // namespace

int CBootLoaderInfo::Classify(const unsigned char* head, uint64_t length, BOOL& supported, const char*& key)
{
    key = "Type Unknown";
    supported = FALSE;
    if (length >= LARGE_LIMIT)
        return TYPE_UNKNOWN;
    supported = TRUE;
    if (length >= SMALL_LIMIT)
        return ClassifyMidSize(head, key);
    if (head[0] == 0x55 || head[0] == 0xAA || head[0] == 0xEA || head[0] == 0xEB) {
        key = "Type x86 BS";
        return TYPE_X86_BS;
    }
    return TYPE_UNKNOWN;
}

BOOL CBootLoaderInfo::Detect(LPCTSTR path)
{
    m_bSupported = FALSE;
    m_nType = TYPE_UNKNOWN;
    m_strPath = path;
    m_strCaption = InstallerText(m_pLang, kSection, "Type Unknown");

    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        m_strCaption = InstallerText(m_pLang, kSection, "Error Access");
        return FALSE;
    }
    unsigned char head[HEAD_SIZE] = {};
    const uint64_t length = file.GetLength();
    UINT got = 0, n;
    while (got < HEAD_SIZE && (n = file.Read(head + got, HEAD_SIZE - got)) > 0)
        got += n;
    file.Close();

    const char* key = NULL;
    m_nType = Classify(head, length, m_bSupported, key);
    m_strCaption = InstallerText(m_pLang, kSection, key);

    if (IsShortName(FileNamePart(path)))
        return TRUE;
    if (m_pUi)
        m_pUi->Show(InstallerText(m_pLang, kSection, "Invalid Name"), kTessumgrCaption, IInstallerUi::STYLE_OK_INFO);
    return FALSE;
}

BOOL CBootLoaderInfo::GetCaption(CString& caption) const
{
    if (m_strCaption.IsEmpty())
        return FALSE;
    caption = m_strCaption;
    return TRUE;
}
