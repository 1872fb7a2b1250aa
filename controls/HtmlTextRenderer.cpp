#include "controls/HtmlTextRenderer.h"
#include "controls/ColorFont.h"
#include "controls/HtmlColor.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char kEntityMarker = '\x01';
const COLORREF kWhite = RGB(255, 255, 255);
// Font heights beyond this come only from hostile SIZE values.
const LONG kMaxFontHeight = 1000;

struct Entity {
    const char* name;
    char character;
};

// The code of an entity is its index here plus 2.
const Entity kEntities[] = {
    {"&amp;", '\x26'},
    {"&bull;", '\x95'},
    {"&copy;", '\xA9'},
    {"&euro;", '\x80'},
    {"&gt;", '\x3E'},
    {"&iquest;", '\xBF'},
    {"&lt;", '\x3C'},
    {"&nbsp;", '\x20'},
    {"&para;", '\xB6'},
    {"&pound;", '\xA3'},
    {"&quot;", '\x22'},
    {"&reg;", '\xAE'},
    {"&trade;", '\x99'},
};
const int kEntityCount = sizeof(kEntities) / sizeof(kEntities[0]);

BOOL StartsNoCase(const char* p, const char* tag)
{
    return _strnicmp(p, tag, strlen(tag)) == 0;
}

// Like StartsNoCase, but only within [p, end).
BOOL StartsNoCaseWithin(const char* p, const char* end, const char* word)
{
    size_t length = strlen(word);
    return (size_t)(end - p) >= length && _strnicmp(p, word, length) == 0;
}

const char* FindWithin(const char* p, const char* end, char c)
{
    return p < end ? (const char*)memchr(p, c, end - p) : NULL;
}

// A decimal number with optional sign, saturated to the int range.
int ParseNumber(const char* p)
{
    long value = strtol(p, NULL, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return (int)value;
}

LONG ClampHeight(long long height)
{
    if (height > kMaxFontHeight)
        return kMaxFontHeight;
    if (height < -kMaxFontHeight)
        return -kMaxFontHeight;
    return (LONG)height;
}

// One pixel more (or less) in magnitude; a height of 0 counts as negative.
void ChangeHeight(LOGFONT& lf, BOOL bLarger)
{
    if (bLarger)
        lf.lfHeight = lf.lfHeight <= 0 ? lf.lfHeight - 1 : lf.lfHeight + 1;
    else if (lf.lfHeight < 0)
        lf.lfHeight += 1;
    else if (lf.lfHeight > 0)
        lf.lfHeight -= 1;
    lf.lfHeight = ClampHeight(lf.lfHeight);
}

// The characters of a run as they are drawn, for measuring.
CString DecodedRun(const CString& strRun)
{
    CString strOut;
    LPCTSTR p = strRun;
    BOOL bBreak = FALSE;
    while (*p)
        strOut += CHtmlTextRenderer::GetNextWord(p, bBreak);
    return strOut;
}

}  // namespace

struct CHtmlTextRenderer::RunState {
    LOGFONT font;
    LOGFONT base;
    COLORREF crText;
    COLORREF crBack;
    BOOL bSizeChanged;
    int nIndent;
    int nLastDescent;
    CRect work;
};

CHtmlTextRenderer::CHtmlTextRenderer()
    : m_crHostColor(0), m_bTransparent(TRUE), m_nLeftMargin(0), m_nRightMargin(0)
{
    CColorFont::InitLogFont(m_hostFont, "Tahoma");
    ResetState(0);
}

CHtmlTextRenderer::~CHtmlTextRenderer() {}

void CHtmlTextRenderer::SetFont(const LOGFONT& lf, COLORREF crColor)
{
    m_hostFont = lf;
    m_hostFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    m_crHostColor = crColor;
}

void CHtmlTextRenderer::SetFont(const CColorFont& font)
{
    SetFont(font.GetLogFontData(), font.GetColor());
}

void CHtmlTextRenderer::ResetState(int nTop)
{
    m_nLineTop = nTop;
    m_nBold = m_nItalic = m_nUnderline = m_nStrikeOut = 0;
    m_nCenter = m_nSubscript = m_nSuperscript = 0;
    m_nPendingRules = 0;
    m_nRuleThickness = 2;
    m_bLineBreak = FALSE;
}

TCHAR CHtmlTextRenderer::DecodeEntity(BYTE nCode)
{
    if (nCode < 2 || nCode >= 2 + kEntityCount)
        return ' ';
    return kEntities[nCode - 2].character;
}

CString CHtmlTextRenderer::PrepareText(const CString& strText)
{
    CString strIn = strText;
    // A marker byte typed into the text would swallow the byte after it.
    strIn.Replace(kEntityMarker, ' ');
    strIn.Replace("\\r\\n", "\r\n");
    CString strOut;
    LPCTSTR p = strIn;
    while (*p) {
        int i = 0;
        if (*p == '&') {
            while (i < kEntityCount && strncmp(p, kEntities[i].name, strlen(kEntities[i].name)) != 0)
                ++i;
        }
        if (*p == '&' && i < kEntityCount) {
            strOut += kEntityMarker;
            strOut += (TCHAR)(i + 2);
            p += strlen(kEntities[i].name);
        } else {
            strOut += *p++;
        }
    }
    return strOut;
}

CString CHtmlTextRenderer::GetNextWord(LPCTSTR& lpszPos, BOOL& bLineBreak)
{
    CString strWord;
    bLineBreak = FALSE;
    LPCTSTR p = lpszPos;
    while (*p) {
        char c = *p;
        if (c == kEntityMarker) {
            // A marker at the very end stands for nothing.
            if (p[1]) {
                strWord += DecodeEntity((BYTE)p[1]);
                p += 2;
            } else {
                ++p;
            }
            continue;
        }
        ++p;
        if (c == '\r')
            continue;
        if (c == '\n') {
            strWord += ' ';
            bLineBreak = TRUE;
            break;
        }
        strWord += c;
        if (c == ' ')
            break;
    }
    lpszPos = p;
    return strWord;
}

void CHtmlTextRenderer::OutputLine(CDC* pDC, int x, int y, const CString& strLine)
{
    pDC->TextOut(x, y, strLine);
}

int CHtmlTextRenderer::DrawLine(CDC* pDC, LPCTSTR lpszRun, CRect& rect, int nIndent)
{
    if (!(rect.top < rect.bottom - 1))
        return 0;
    ::SetTextJustification(pDC->GetSafeHdc(), 0, 0);
    LPCTSTR p = lpszRun ? lpszRun : "";
    if (nIndent == 0)
        while (*p == ' ')
            ++p;
    int nEnd = 0;
    BOOL bNotFitting = FALSE;
    BOOL bEndsWithFeed = FALSE;
    while (*p && m_nLineTop < rect.bottom) {
        CString strLine;
        BOOL bFeed = FALSE;
        while (*p && !bFeed) {
            LPCTSTR pWord = p;
            BOOL bBreak = FALSE;
            CString strTry = strLine + GetNextWord(p, bBreak);
            if (!strLine.IsEmpty() && pDC->GetTextExtent(strTry).cx >= rect.right - nIndent - 2) {
                p = pWord;  // starts the next line
                break;
            }
            strLine = strTry;
            bFeed = bBreak;
        }
        if (strLine.IsEmpty())
            break;
        CSize size = pDC->GetTextExtent(strLine);
        int x = rect.left + nIndent;
        if (m_nLineTop > rect.bottom - size.cy) {
            bNotFitting = TRUE;
            break;
        }
        OutputLine(pDC, x, m_nLineTop, strLine);
        nEnd = x + size.cx;
        bEndsWithFeed = bFeed;
        if (*p || bFeed)
            m_nLineTop += size.cy;
        nIndent = 0;
    }
    // After a run whose last line was ended by a line feed, the next run starts
    // at the left of the new line, not behind the line above.
    if (bEndsWithFeed)
        m_bLineBreak = TRUE;
    rect.top = bNotFitting ? rect.bottom : m_nLineTop;
    return nEnd;
}

// Handles the tag or text at p; a text to draw comes back in strRun.
LPCTSTR CHtmlTextRenderer::ApplyTag(LPCTSTR p, RunState& state, CString& strRun)
{
    static const struct {
        const char* tag;
        int CHtmlTextRenderer::*count;
    } kCounters[] = {
        {"<B>", &CHtmlTextRenderer::m_nBold},
        {"<I>", &CHtmlTextRenderer::m_nItalic},
        {"<U>", &CHtmlTextRenderer::m_nUnderline},
        {"<CENTER>", &CHtmlTextRenderer::m_nCenter},
        {"<STRIKE>", &CHtmlTextRenderer::m_nStrikeOut},
        {"<SUB>", &CHtmlTextRenderer::m_nSubscript},
        {"<SUP>", &CHtmlTextRenderer::m_nSuperscript},
    };
    for (size_t i = 0; i < sizeof(kCounters) / sizeof(kCounters[0]); ++i) {
        int& count = this->*kCounters[i].count;
        if (StartsNoCase(p, kCounters[i].tag)) {
            ++count;
            return p + strlen(kCounters[i].tag);
        }
        if (p[0] == '<' && p[1] == '/' && StartsNoCase(p + 2, kCounters[i].tag + 1)) {
            if (count > 0)
                --count;
            return p + 1 + strlen(kCounters[i].tag);
        }
    }
    if (StartsNoCase(p, "<BIG>") || StartsNoCase(p, "</SMALL>")) {
        ChangeHeight(state.font, TRUE);
        return strchr(p, '>') + 1;
    }
    if (StartsNoCase(p, "</BIG>") || StartsNoCase(p, "<SMALL>")) {
        ChangeHeight(state.font, FALSE);
        return strchr(p, '>') + 1;
    }
    const char* pEnd = strchr(p, '>');
    if (StartsNoCase(p, "<FONT") && pEnd) {
        ReadFontAttributes(p + 5, pEnd, state);
        return pEnd + 1;
    }
    if (StartsNoCase(p, "</FONT>")) {
        state.crText = m_crHostColor;
        state.crBack = kWhite;
        state.font = state.base;
        if (state.bSizeChanged) {
            m_nLineTop += state.nLastDescent;
            state.bSizeChanged = FALSE;
        }
        return p + 7;
    }
    if (StartsNoCase(p, "<CODE>")) {
        lstrcpyn(state.font.lfFaceName, "Courier New", LF_FACESIZE);
        return p + 6;
    }
    if (StartsNoCase(p, "</CODE>")) {
        state.font = state.base;
        return p + 7;
    }
    if (StartsNoCase(p, "<A HREF=") && pEnd)
        return pEnd + 1;  // the link target is not used
    if (StartsNoCase(p, "</A>"))
        return p + 4;
    if (StartsNoCase(p, "<HR") && pEnd) {
        const char* pEquals = FindWithin(p + 3, pEnd, '=');
        if (pEquals) {
            const char* pNumber = pEquals + 1;
            while (*pNumber == ' ' || *pNumber == '"')
                ++pNumber;
            int nThickness = ParseNumber(pNumber);
            m_nRuleThickness = nThickness < 0 ? 0 : (nThickness > kMaxFontHeight ? kMaxFontHeight : nThickness);
        }
        ++m_nPendingRules;
        m_bLineBreak = TRUE;
        strRun = "\r\n";
        return pEnd + 1;
    }
    const char* pTag = strchr(p, '<');
    if (!pTag) {
        strRun = p;
        return p + strlen(p);
    }
    if (StartsNoCase(p, "<BR>")) {
        m_bLineBreak = TRUE;
        strRun = "\r\n";
        return p + 4;
    }
    if (pTag == p) {
        strRun = "<";
        return p + 1;
    }
    strRun = CString(p, (int)(pTag - p));
    return pTag;
}

void CHtmlTextRenderer::ReadFontAttributes(LPCTSTR p, LPCTSTR pEnd, RunState& state)
{
    static const char* const kNames[] = {"COLOR", "BGCOLOR", "FACE", "SIZE"};
    while (p < pEnd) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        int nName = 0;
        while (nName < 4 && !StartsNoCaseWithin(p, pEnd, kNames[nName]))
            ++nName;
        if (nName == 4) {
            while (p < pEnd && *p != ' ')
                ++p;
            continue;
        }
        const char* pOpen = FindWithin(p, pEnd, '"');
        if (!pOpen)
            break;
        const char* pClose = FindWithin(pOpen + 1, pEnd, '"');
        if (!pClose)
            pClose = pEnd;
        CString strValue(pOpen + 1, (int)(pClose - pOpen - 1));
        p = pClose < pEnd ? pClose + 1 : pEnd;
        switch (nName) {
        case 0:
            state.crText = CHtmlColor(strValue).GetColor();
            break;
        case 1:
            state.crBack = CHtmlColor(strValue).GetColor();
            break;
        case 2:
            lstrcpyn(state.font.lfFaceName, strValue, LF_FACESIZE);
            break;
        default:
            state.font.lfHeight = ClampHeight((long long)state.font.lfHeight - ParseNumber(strValue));
            state.bSizeChanged = TRUE;
            break;
        }
    }
}

void CHtmlTextRenderer::DrawRun(CDC* pDC, const CString& strRun, RunState& state)
{
    LOGFONT lf = state.font;
    lf.lfWeight = m_nBold > 0 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (BYTE)m_nItalic;
    lf.lfUnderline = (BYTE)m_nUnderline;
    lf.lfStrikeOut = (BYTE)m_nStrikeOut;
    CFont font;
    font.CreateFontIndirect(&lf);
    CScopedSelect select(pDC, &font);
    pDC->SetTextColor(state.crText);
    pDC->SetBkMode(m_bTransparent ? TRANSPARENT : OPAQUE);
    pDC->SetBkColor(state.crBack);

    TEXTMETRIC tm;
    ZeroMemory(&tm, sizeof(tm));
    pDC->GetTextMetrics(&tm);
    state.nLastDescent = tm.tmDescent;
    int nHalf = tm.tmAscent / 2;
    int nShift = (m_nSubscript > 0 ? nHalf : 0) - (m_nSuperscript > 0 ? nHalf : 0);
    state.work.top += nShift;
    state.work.bottom += nShift;
    m_nLineTop += nShift;
    int nLeft = state.work.left;
    if (m_nCenter > 0)
        state.work.left = (state.work.Width() - pDC->GetTextExtent(DecodedRun(strRun)).cx) / 2;

    state.nIndent = DrawLine(pDC, strRun, state.work, state.nIndent);
    if (m_bLineBreak)
        state.nIndent = 0;
    state.work.left = nLeft;
    state.work.top -= nShift;
    state.work.bottom -= nShift;
    m_nLineTop -= nShift;

    if (m_nPendingRules > 0) {
        CPen pen(PS_SOLID, m_nRuleThickness, state.crText);
        CScopedSelect selectPen(pDC, &pen);
        pDC->MoveTo(state.work.left - m_nLeftMargin, m_nLineTop);
        pDC->LineTo(state.work.right + m_nRightMargin, m_nLineTop);
        m_nLineTop += m_nRuleThickness;
        state.work.top += m_nRuleThickness;
        state.work.bottom += m_nRuleThickness;
        state.nIndent = 0;
        --m_nPendingRules;
    }
    m_bLineBreak = FALSE;
}

void CHtmlTextRenderer::DrawRuns(CDC* pDC, const CString& strText, int w, int h)
{
    // The run fonts are selected inside; the DC's own font comes back here.
    CScopedSelect keepFont(pDC->GetSafeHdc(), ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
    ResetState(0);
    RunState state;
    state.font = state.base = m_hostFont;
    state.crText = m_crHostColor;
    state.crBack = kWhite;
    state.bSizeChanged = FALSE;
    state.nIndent = 0;
    state.nLastDescent = 0;
    state.work = CRect(m_nLeftMargin, 0, w - m_nRightMargin, h);
    LPCTSTR p = strText;
    while (*p) {
        CString strRun;
        p = ApplyTag(p, state, strRun);
        if (!strRun.IsEmpty())
            DrawRun(pDC, strRun, state);
    }
}

void CHtmlTextRenderer::Draw(CDC* pDC, const CRect& rect)
{
    int w = rect.Width(), h = rect.Height();
    CString strText = PrepareText(m_strText);
    if (strText.IsEmpty() || !pDC || w <= 0 || h <= 0)
        return;
    HDC hdc = pDC->GetSafeHdc();
    // A memory DC in device units (the canvas draws into one) takes the text
    // straight, moved and clipped to the rectangle: the pixels a second buffer
    // gives, without making one for each text.
    if (::GetObjectType(hdc) == OBJ_MEMDC && ::GetMapMode(hdc) == MM_TEXT &&
        ::GetGraphicsMode(hdc) == GM_COMPATIBLE) {
        int saved = ::SaveDC(hdc);
        ::OffsetWindowOrgEx(hdc, -rect.left, -rect.top, NULL);
        ::IntersectClipRect(hdc, 0, 0, w, h);
        ::SetTextAlign(hdc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
        ::SetTextCharacterExtra(hdc, 0);
        if (!m_bTransparent)
            pDC->FillSolidRect(0, 0, w, h, kWhite);
        DrawRuns(pDC, strText, w, h);
        ::RestoreDC(hdc, saved);
        return;
    }
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, w, h))
        return;
    CScopedSelect selectBitmap(&memDC, &bitmap);
    memDC.BitBlt(0, 0, w, h, pDC, rect.left, rect.top, SRCCOPY);
    if (!m_bTransparent)
        memDC.FillSolidRect(0, 0, w, h, kWhite);
    DrawRuns(&memDC, strText, w, h);
    pDC->BitBlt(rect.left, rect.top, w, h, &memDC, 0, 0, SRCCOPY);
}
