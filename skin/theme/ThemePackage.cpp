#include "skin/theme/ThemePackage.h"

#include "framework/ScopedFile.h"
#include "skin/draw/SkinBitmap.h"
#include "skin/theme/DefaultThemeSchema.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeSchema.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {
const size_t kMaxIniFile = size_t(16) << 20;
const UINT kSchemaStringId = 5000;

bool IsFile(const CString& path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString Narrow(const std::u16string& text)
{
    if (text.empty())
        return CString();
    int size = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(text.data()), int(text.size()), NULL, 0,
                                   NULL, NULL);
    if (size <= 0)
        return CString();
    std::vector<char> out(size_t(size) + 1, 0);
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(text.data()), int(text.size()), out.data(), size, NULL,
                        NULL);
    return CString(out.data(), size);
}

bool FindText(HMODULE module, LPCSTR name, const void** data, DWORD* size)
{
    HRSRC res = FindResourceA(module, name, "TEXTFILE");
    HGLOBAL loaded = res ? LoadResource(module, res) : NULL;
    *data = loaded ? LockResource(loaded) : NULL;
    *size = *data ? SizeofResource(module, res) : 0;
    return *data != NULL;
}

bool BeginsWith(const std::string& text, const char* prefix, size_t length)
{
    return text.size() >= length && text.compare(0, length, prefix, length) == 0;
}
}  // namespace

void CVZRThemePackage::Close()
{
    if (m_hModule)
        FreeLibrary(m_hModule);
    m_hModule = NULL;
    m_folderText.clear();
    m_folderPos = 0;
    m_bFolderUtf16 = false;
    m_bFolder = false;
    m_bOpen = false;
    m_text.Reset(nullptr, 0);
}

BOOL CVZRThemePackage::Open(LPCSTR path, LPCSTR iniName)
{
    Close();
    m_strPath = path ? path : "";
    m_strIniName = iniName ? iniName : "";
    if (m_strPath.IsEmpty())
        return FALSE;
    if (!m_strIniName.IsEmpty() && IsFile(m_strPath + "\\" + m_strIniName)) {
        CScopedFile file(fopen(m_strPath + "\\" + m_strIniName, "rb"));
        if (!file)
            return FALSE;
        char buffer[16384];
        size_t n;
        while ((n = fread(buffer, 1, sizeof(buffer), file.Get())) > 0) {
            if (m_folderText.size() + n > kMaxIniFile)
                return FALSE;
            m_folderText.append(buffer, n);
        }
        // A UTF-16 file (with its mark) reads as a text resource does; a UTF-8 mark is skipped.
        if (BeginsWith(m_folderText, "\xFF\xFE", 2)) {
            m_bFolderUtf16 = true;
            m_text.Reset(m_folderText.data(), m_folderText.size(), true);
        } else if (BeginsWith(m_folderText, "\xEF\xBB\xBF", 3)) {
            m_folderPos = 3;
        }
        m_bFolder = true;
        m_bOpen = true;
        return TRUE;
    }
    m_hModule = LoadLibraryA(m_strPath);
    if (!m_hModule)
        m_hModule = LoadLibraryExA(m_strPath, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!m_hModule)
        return FALSE;
    if (m_strIniName.IsEmpty())
        m_strIniName = GetDefaultIniName();
    const void* data = NULL;
    DWORD size = 0;
    if (m_strIniName.IsEmpty() || !FindText(m_hModule, MangleResourceName((LPCSTR)m_strIniName).c_str(), &data, &size)) {
        Close();
        return FALSE;
    }
    m_text.Reset(data, size);
    m_bOpen = true;
    return TRUE;
}

BOOL CVZRThemePackage::ReadLine(CString& line)
{
    line.Empty();
    if (!m_bOpen)
        return FALSE;
    if (m_bFolder && !m_bFolderUtf16) {
        if (m_folderPos >= m_folderText.size())
            return FALSE;
        size_t end = m_folderText.find_first_of("\r\n", m_folderPos);
        if (end == std::string::npos)
            end = m_folderText.size();
        line = CString(m_folderText.data() + m_folderPos, int(end - m_folderPos));
        m_folderPos = end;
        if (m_folderPos < m_folderText.size() && m_folderText[m_folderPos] == '\r')
            ++m_folderPos;
        else if (m_folderPos < m_folderText.size())
            ++m_folderPos;  // a lone LF
        else
            return TRUE;
        if (m_folderText[end] == '\r' && m_folderPos < m_folderText.size() && m_folderText[m_folderPos] == '\n')
            ++m_folderPos;
        return TRUE;
    }
    std::u16string wide;
    if (!m_text.ReadLine(wide))
        return FALSE;
    line = Narrow(wide);
    return TRUE;
}

CString CVZRThemePackage::GetDefaultIniName() const
{
    const void* data = NULL;
    DWORD size = 0;
    if (!m_hModule || !FindText(m_hModule, "THEMES_INI", &data, &size))
        return CString();
    return Narrow(GetDefaultIniNameFromText(data, size));
}

CVZRSkinBitmap* CVZRThemePackage::LoadBitmap(LPCSTR name)
{
    if (!m_bOpen || !name || !*name)
        return nullptr;
    bool premultiply = !m_pOwner || !m_pOwner->m_pSchema || m_pOwner->m_pSchema->GetPremultiply();
    std::unique_ptr<CVZRSkinBitmap> bitmap(new CVZRSkinBitmap);
    if (m_bFolder) {
        CString path = m_strPath + "\\" + name;
        if (!IsFile(path) || !bitmap->LoadFromFile(path, premultiply))
            return nullptr;
    } else if (!bitmap->LoadFromResource(m_hModule, MangleResourceName(name).c_str(), premultiply)) {
        return nullptr;
    }
    return bitmap.release();
}

CVZRThemeSchema* CVZRThemePackage::CreateSchema()
{
    char text[201] = {0};
    LoadStringA(m_bFolder ? GetModuleHandleA(NULL) : m_hModule, kSchemaStringId, text, sizeof(text));
    if (lstrcmpiA(text, "Office 2007 Style") == 0)
        return new CVZROffice2007ThemeSchema(m_pOwner);
    return new CVZRDefaultThemeSchema(m_pOwner);
}
