#include "installer/ui/SkinFont.h"

#include <cstring>

CSkinFont::CSkinFont(LPCTSTR lpszFace) : m_crText(0), m_hDC(NULL)
{
    memset(&m_logFont, 0, sizeof m_logFont);
    m_logFont.lfHeight = -12;
    m_logFont.lfWeight = FW_NORMAL;
    m_logFont.lfCharSet = DEFAULT_CHARSET;
    m_logFont.lfQuality = PROOF_QUALITY;
    m_logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    if (lpszFace)
        lstrcpyn(m_logFont.lfFaceName, lpszFace, LF_FACESIZE);
    CreateFontIndirect(&m_logFont);
}

CSkinFont::~CSkinFont()
{
    DeleteObject();
}

int CSkinFont::SetWeight(int nWeight)
{
    const int nOld = m_logFont.lfWeight;
    DeleteObject();
    m_logFont.lfWeight = nWeight;
    CreateFontIndirect(&m_logFont);
    return nOld;
}

BOOL CSkinFont::SetBold(BOOL bBold)
{
    return SetWeight(bBold ? FW_BOLD : FW_NORMAL) >= FW_MEDIUM;
}

void CSkinFont::SetColor(COLORREF crText)
{
    m_crText = crText;
    if (m_hDC)
        ::SetTextColor(m_hDC, crText);
}
