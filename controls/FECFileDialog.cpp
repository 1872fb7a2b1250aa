#include "controls/FECFileDialog.h"

#include <string.h>

#include <new>

IMPLEMENT_DYNAMIC(CFECFileDialog, CFileDialog)

CFECFileDialog::CFECFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                               LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd), m_bParsed(FALSE),
      m_pszFolder(NULL), m_pszNames(NULL), m_nNames(0)
{
}

CFECFileDialog::~CFECFileDialog() { FreeBuffers(); }

void CFECFileDialog::FreeBuffers()
{
    delete[] m_pszFolder;
    delete[] m_pszNames;
    m_pszFolder = NULL;
    m_pszNames = NULL;
    m_nNames = 0;
    m_bParsed = FALSE;
}

INT_PTR CFECFileDialog::DoModal()
{
    FreeBuffers();
    INT_PTR result = CFileDialog::DoModal();
    // Some systems end such a selection with Cancel, others with a list cut
    // to the buffer: either way the own buffers hold all of it.
    if (result == IDCANCEL && GetExtendedError() == FNERR_BUFFERTOOSMALL && m_pszNames)
        return IDOK;
    return result;
}

void CFECFileDialog::OnFileNameChange()
{
    HWND hFrame = DialogFrame();
    if (hFrame) {
        const int nSpec = (int)::SendMessage(hFrame, CDM_GETSPEC, 0, 0);
        const int nFolder = (int)::SendMessage(hFrame, CDM_GETFOLDERPATH, 0, 0);
        if (nSpec <= 0 || nFolder <= 0 || (DWORD)(nSpec + nFolder) <= m_ofn.nMaxFile) {
            FreeBuffers();
        } else {
            FreeBuffers();
            // sizes plus one: each buffer keeps its NUL whatever the dialog reports
            m_pszNames = new (std::nothrow) char[nSpec + 2];
            m_pszFolder = new (std::nothrow) char[nFolder + 1];
            if (!m_pszNames || !m_pszFolder) {
                FreeBuffers();
            } else {
                m_pszNames[0] = m_pszFolder[0] = '\0';
                ::SendMessage(hFrame, CDM_GETSPEC, (WPARAM)(nSpec + 1), (LPARAM)m_pszNames);
                ::SendMessage(hFrame, CDM_GETFOLDERPATH, (WPARAM)(nFolder + 1), (LPARAM)m_pszFolder);
                m_pszNames[nSpec] = m_pszNames[nSpec + 1] = '\0';
                m_pszFolder[nFolder] = '\0';
                m_nNames = strlen(m_pszNames);
            }
        }
    }
    CFileDialog::OnFileNameChange();
}

void CFECFileDialog::OnInitDone()
{
    if (!m_strOkCaption.IsEmpty())
        SetControlText(IDOK, m_strOkCaption);
    CFileDialog::OnInitDone();
}

// The typed list "a" "b" "c" becomes a\0b\0c\0\0 in place; a text without
// quotes is one name.
POSITION CFECFileDialog::GetStartPosition()
{
    if (!m_pszNames)
        return CFileDialog::GetStartPosition();
    if (!m_bParsed) {
        m_bParsed = TRUE;
        const char* src = m_pszNames;
        char* dst = m_pszNames;
        const BOOL bQuoted = strchr(m_pszNames, '"') != NULL;
        while (*src) {
            if (!bQuoted) {
                while (*src == ' ')
                    ++src;
                size_t n = strlen(src);
                while (n && src[n - 1] == ' ')
                    --n;
                memmove(dst, src, n);
                dst += n;
                if (n)
                    *dst++ = '\0';
                break;
            }
            if (*src != '"') {
                ++src;
                continue;
            }
            const char* start = ++src;
            while (*src && *src != '"')
                src = ::CharNextA(src);
            const size_t n = (size_t)(src - start);
            if (*src)
                ++src;
            if (n == 0)
                continue;
            memmove(dst, start, n);
            dst += n;
            *dst++ = '\0';
        }
        *dst = '\0';  // the list ends with an empty name; the buffer has room for it
    }
    return *m_pszNames ? (POSITION)m_pszNames : NULL;
}

CString CFECFileDialog::GetNextPathName(POSITION& pos) const
{
    if (!m_pszNames)
        return CFileDialog::GetNextPathName(pos);
    const char* name = (const char*)pos;
    if (!name || name < m_pszNames || name >= m_pszNames + m_nNames + 1) {
        pos = NULL;
        return CString();
    }
    const size_t n = strlen(name);
    const char* next = name + n + 1;
    pos = (next < m_pszNames + m_nNames + 1 && *next) ? (POSITION)next : NULL;
    CString path = name;
    if ((path.GetLength() >= 2 && path[1] == ':') || path.Left(1) == "\\")
        return path;
    CString folder = m_pszFolder ? m_pszFolder : "";
    if (!folder.IsEmpty() && folder.Right(1) != "\\")
        folder += '\\';
    return folder + path;
}
