#include "controls/ColorFont.h"
#include "controls/FontFileName.h"
#include "framework/DC.h"

#include <string.h>

#include <mutex>

namespace {

// "Microsoft YaHei" in the Chinese code page (GBK).
const char kYaHeiGbk[] = "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA";
const char kYaHeiLatin[] = "Microsoft YaHei";
const UINT kChineseCodePage = 936;

void CopyFaceName(LOGFONT& lf, LPCTSTR lpszFaceName)
{
    lstrcpyn(lf.lfFaceName, lpszFaceName ? lpszFaceName : "", LF_FACESIZE);
}

// Every element makes a font, and scanning the Fonts key costs hundreds of
// registry calls: the answer is kept until the key is written again.
BOOL IsYaHeiInstalled()
{
    static std::mutex s_lock;
    static BOOL s_bInstalled = FALSE;
    std::lock_guard<std::mutex> hold(s_lock);
    if (!FontsKeyMayHaveChanged())
        return s_bInstalled;
    CString strValue, strFile;
    s_bInstalled = GetFontFileName(kYaHeiGbk, strValue, strFile) || GetFontFileName(kYaHeiLatin, strValue, strFile);
    return s_bInstalled;
}

}  // namespace

CString CColorFont::ChooseFaceName(LPCTSTR lpszFaceName)
{
    if (!IsYaHeiInstalled())
        return CString(lpszFaceName ? lpszFaceName : "");
    // The Chinese name only means something to GDI in the Chinese code page.
    return CString(::GetACP() == kChineseCodePage ? kYaHeiGbk : kYaHeiLatin);
}

void CColorFont::InitLogFont(LOGFONT& lf, LPCTSTR lpszFaceName)
{
    ZeroMemory(&lf, sizeof(lf));
    lf.lfHeight = -14;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    CopyFaceName(lf, lpszFaceName);
}

CColorFont::CColorFont(LPCTSTR lpszFaceName)
    : m_crColor(0), m_hBoundDC(NULL), m_nTextFormat(DT_CENTER)
{
    CString strFace = ChooseFaceName(lpszFaceName);
    InitLogFont(m_logFont, strFace);
    Remake();
}

CColorFont::CColorFont(const LOGFONT& lf)
    : m_logFont(lf), m_crColor(0), m_hBoundDC(NULL), m_nTextFormat(DT_CENTER)
{
    m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    Remake();
}

CColorFont::~CColorFont()
{
    DeleteObject();
}

BOOL CColorFont::Remake()
{
    DeleteObject();
    return CreateFontIndirect(&m_logFont);
}

BOOL CColorFont::SetLogFont(const LOGFONT& lf)
{
    m_logFont = lf;
    m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return Remake();
}

int CColorFont::GetLogFont(LOGFONT* pLogFont) const
{
    if (pLogFont == NULL)
        return 0;
    *pLogFont = m_logFont;
    return (int)sizeof(LOGFONT);
}

COLORREF CColorFont::SetColor(COLORREF crColor)
{
    m_crColor = crColor;
    if (m_hBoundDC != NULL)
        return ::SetTextColor(m_hBoundDC, crColor);
    return crColor;
}

void CColorFont::DrawText(CDC* pDC, const CString& strText, LPRECT lpRect)
{
    CScopedSelect select(pDC, this);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOld = pDC->SetTextColor(m_crColor);
    pDC->DrawText(strText, lpRect, m_nTextFormat);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
}
