#include "designer/core/XmlDocument.h"

#include "designer/core/XmlPlatform.h"

#include <cstring>

namespace {
// Scanning over the document text p[0..n); every step stays below n and
// advances by whole characters of the code page.

bool IsWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDelimiter(char c)
{
    switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\r':
    case '<':
    case '>':
    case '=':
    case '\\':
    case '/':
    case '?':
    case '!': return true;
    default: return false;
    }
}

int CharLen(const char* p, int i, int n)
{
    if (i + 1 < n && XmlPlatform::IsLeadByte(static_cast<unsigned char>(p[i])))
        return 2;
    return 1;
}

struct Token {
    int nL;     // first character of the text
    int nR;     // one past the text
    int nNext;  // where scanning continues
    bool bQuoted;
    bool bClosed;  // a quoted token found its closing mark
};

// The next token at or after i, before n; false at the end of the text.
bool NextToken(const char* p, int i, int n, Token& t)
{
    while (i < n && IsWhite(p[i]))
        ++i;
    if (i >= n)
        return false;
    char c = p[i];
    if (c == '"' || c == '\'') {
        int j = i + 1;
        while (j < n && p[j] != c)
            j += CharLen(p, j, n);
        t.bQuoted = true;
        t.bClosed = j < n;
        if (t.bClosed) {
            t.nL = i + 1;
            t.nR = j;
            t.nNext = j + 1;
        } else {
            // a quote that never closes is a token of its own; scanning goes on after it
            t.nL = i;
            t.nR = t.nNext = i + 1;
        }
        return true;
    }
    t.nL = i;
    t.bQuoted = false;
    t.bClosed = true;
    if (IsDelimiter(c)) {
        t.nR = t.nNext = i + 1;
        return true;
    }
    int j = i;
    while (j < n && !IsDelimiter(p[j]) && p[j] != '\0')
        j += CharLen(p, j, n);
    if (j > n)
        j = n;
    t.nR = t.nNext = j;
    return true;
}

bool IsChar(const char* p, const Token& t, char c)
{
    return !t.bQuoted && t.nR - t.nL == 1 && p[t.nL] == c;
}

// A token names szName when szName starts with its text and ends there or
// goes on with one of " =/[".
bool Matches(const char* p, const Token& t, LPCTSTR szName)
{
    int len = t.nR - t.nL;
    if (len <= 0 || std::strncmp(szName, p + t.nL, len) != 0)
        return false;
    char next = szName[len];
    return next == '\0' || next == ' ' || next == '=' || next == '/' || next == '[';
}

int FindChar(const char* p, int i, int n, char c)
{
    while (i < n) {
        if (p[i] == c)
            return i;
        i += CharLen(p, i, n);
    }
    return -1;
}

bool At(const char* p, int i, int n, const char* s)
{
    int len = static_cast<int>(std::strlen(s));
    return i >= 0 && i <= n - len && std::memcmp(p + i, s, len) == 0;
}

int FindText(const char* p, int i, int n, const char* s)
{
    while (i < n) {
        if (At(p, i, n, s))
            return i;
        i += CharLen(p, i, n);
    }
    return -1;
}

// End of a "<!" declaration: the ">" outside square brackets, or -1.
int FindDeclEnd(const char* p, int i, int n)
{
    int depth = 0;
    while (i < n) {
        char c = p[i];
        if (c == '[')
            ++depth;
        else if (c == ']' && depth > 0)
            --depth;
        else if (c == '>' && depth == 0)
            return i;
        i += CharLen(p, i, n);
    }
    return -1;
}

// A name that reads back as one token: not empty, no delimiter, no quote.
bool IsValidName(LPCTSTR szName)
{
    if (szName == NULL || szName[0] == '\0')
        return false;
    int n = static_cast<int>(std::strlen(szName));
    for (int i = 0; i < n; i += CharLen(szName, i, n)) {
        char c = szName[i];
        if (IsDelimiter(c) || c == '"' || c == '\'')
            return false;
    }
    return true;
}

enum TagKind { TAG_NONE,
               TAG_NAME,
               TAG_END,
               TAG_ERROR };

struct Entity {
    const char* text;
    char ch;
};

const Entity kEntities[] = {
    {"&lt;", '<'},
    {"&amp;", '&'},
    {"&gt;", '>'},
    {"&apos;", '\''},
    {"&quot;", '"'},
};

const XmlElemPos kEmptyPos = {0, 0, 0, 0, 0, 0, 0, 0};

void ShiftPos(XmlElemPos& pos, int nOffset, int nShift)
{
    int* fields[] = {&pos.nStartL, &pos.nStartR, &pos.nEndL, &pos.nEndR};
    for (int* f : fields) {
        if (*f >= nOffset)
            *f += nShift;
    }
}
}  // namespace

CXmlDocument::CXmlDocument()
{
    SetDoc(NULL);
}

CXmlDocument::CXmlDocument(LPCTSTR szDoc)
{
    SetDoc(szDoc);
}

void CXmlDocument::ResetIndex(int nRecords)
{
    m_aPos.assign(nRecords < 1 ? 1 : nRecords, kEmptyPos);
    m_iPosFree = 1;
    m_iPosParent = 0;
    m_iPos = 0;
    m_iPosChild = 0;
    m_nNodeType = 0;
}

int CXmlDocument::GetFreePos()
{
    int size = static_cast<int>(m_aPos.size());
    if (m_iPosFree >= size)
        m_aPos.resize(size + size / 2 + 1, kEmptyPos);
    m_aPos[m_iPosFree] = kEmptyPos;
    return m_iPosFree++;
}

void CXmlDocument::SetMain(int iPos)
{
    m_iPos = iPos;
    m_nNodeType = iPos ? 1 : 0;
}

BOOL CXmlDocument::SetDoc(LPCTSTR szDoc)
{
    m_strDoc = szDoc ? szDoc : "";
    m_nDocAlloc = m_strDoc.GetLength();
    m_strError.Empty();
    int nRecords = m_strDoc.GetLength() / 64 + 8;
    ResetIndex(nRecords);
    if (ParseDoc())
        return TRUE;
    ResetIndex(static_cast<int>(m_aPos.size()));
    return FALSE;
}

// Finds the next tag from nScan, skipping processing instructions, comments,
// CDATA sections and declarations. On TAG_NAME or TAG_END, nTag is its "<".
static TagKind FindTag(const char* p, int n, int nScan, int& nTag, Token& name, CString& strError)
{
    int i = nScan;
    for (;;) {
        int lt = FindChar(p, i, n, '<');
        if (lt < 0)
            return TAG_NONE;
        if (!NextToken(p, lt + 1, n, name)) {
            strError = "Abrupt end within tag";
            return TAG_ERROR;
        }
        if (name.bQuoted) {
            strError = "Tag starts with quote";
            return TAG_ERROR;
        }
        char c = p[name.nL];
        if (c == '?' || c == '!') {
            int end;
            if (c == '?') {
                end = FindText(p, name.nL + 1, n, "?>");
                end = end < 0 ? -1 : end + 2;
            } else if (At(p, name.nL, n, "!--")) {
                end = FindText(p, name.nL + 3, n, "-->");
                end = end < 0 ? -1 : end + 3;
            } else if (At(p, name.nL, n, "![")) {
                end = FindText(p, name.nL + 2, n, "]]>");
                end = end < 0 ? -1 : end + 3;
            } else {
                end = FindDeclEnd(p, name.nL + 1, n);
                end = end < 0 ? -1 : end + 1;
            }
            if (end < 0) {
                strError = "Invalid node";
                return TAG_ERROR;
            }
            i = end;
            continue;
        }
        nTag = lt;
        return c == '/' ? TAG_END : TAG_NAME;
    }
}

BOOL CXmlDocument::ParseDoc()
{
    const char* p = m_strDoc;
    int n = m_strDoc.GetLength();
    int nScan = 0;
    int iParent = 0;
    std::vector<int> aLast(1, 0);  // last child found so far, per open element

    for (;;) {
        int nTag = 0;
        Token name;
        TagKind kind = FindTag(p, n, nScan, nTag, name, m_strError);
        if (kind == TAG_ERROR)
            return FALSE;
        if (iParent == 0 && kind != TAG_NAME) {
            m_strError = "Element tag not found";
            return FALSE;
        }
        if (kind == TAG_NONE) {
            m_strError.Format("End tag of %s element not found", (LPCTSTR)GetTagName(iParent));
            return FALSE;
        }
        if (kind == TAG_END) {
            int nEnd = ReadEndTag(iParent, nTag);
            if (nEnd < 0)
                return FALSE;
            m_aPos[iParent].nEndL = nTag;
            m_aPos[iParent].nEndR = nEnd;
            nScan = nEnd + 1;
            int iDone = iParent;
            iParent = m_aPos[iDone].iElemParent;
            aLast.pop_back();
            if (iParent == 0)
                return TRUE;
            continue;
        }

        int nGt = FindChar(p, name.nNext, n, '>');
        if (nGt < 0) {
            m_strError = "End of tag not found";
            return FALSE;
        }
        int iPos = GetFreePos();
        XmlElemPos& pos = m_aPos[iPos];
        pos.nStartL = nTag;
        pos.nStartR = nGt;
        pos.iElemParent = iParent;
        if (aLast.back())
            m_aPos[aLast.back()].iElemNext = iPos;
        else
            m_aPos[iParent].iElemChild = iPos;
        aLast.back() = iPos;
        nScan = nGt + 1;
        if (p[nGt - 1] == '/') {
            pos.nEndL = nGt - 1;
            pos.nEndR = nGt;
            if (iParent == 0)
                return TRUE;
            continue;
        }
        if (static_cast<int>(aLast.size()) > MAX_DEPTH) {
            m_strError = "Elements nested too deeply";
            return FALSE;
        }
        iParent = iPos;
        aLast.push_back(0);
    }
}

// Reads the end tag of iPos whose "<" is at nTag; the position of its ">", or -1.
int CXmlDocument::ReadEndTag(int iPos, int nTag)
{
    const char* p = m_strDoc;
    int n = m_strDoc.GetLength();
    CString strName = GetTagName(iPos);
    Token t;
    if (!NextToken(p, nTag + 1, n, t) || !IsChar(p, t, '/')) {
        m_strError.Format("Expecting end tag of element %s", (LPCTSTR)strName);
        return -1;
    }
    if (!NextToken(p, t.nNext, n, t)) {
        m_strError.Format("End tag not completed for element %s", (LPCTSTR)strName);
        return -1;
    }
    if (!Matches(p, t, strName)) {
        m_strError.Format("End tag does not correspond to %s", (LPCTSTR)strName);
        return -1;
    }
    // an end tag holds nothing more: quotes in it do not hide a ">", so that
    // text inserted later behind it cannot change where it ends
    int nGt = FindChar(p, t.nNext, n, '>');
    if (nGt >= 0)
        return nGt;
    m_strError.Format("End tag not completed for element %s", (LPCTSTR)strName);
    return -1;
}

CString CXmlDocument::GetTagName(int iPos) const
{
    if (iPos <= 0 || iPos >= m_iPosFree)
        return CString();
    const XmlElemPos& pos = m_aPos[iPos];
    Token t;
    if (!NextToken(m_strDoc, pos.nStartL + 1, pos.nStartR, t) || t.bQuoted)
        return CString();
    return CString(static_cast<LPCTSTR>(m_strDoc) + t.nL, t.nR - t.nL);
}

BOOL CXmlDocument::IsEmptyElem(int iPos) const
{
    return m_aPos[iPos].nEndR == m_aPos[iPos].nStartR;
}

BOOL CXmlDocument::TagMatches(int iPos, LPCTSTR szName) const
{
    if (szName == NULL || szName[0] == '\0')
        return TRUE;
    const XmlElemPos& pos = m_aPos[iPos];
    Token t;
    return NextToken(m_strDoc, pos.nStartL + 1, pos.nStartR, t) && !t.bQuoted && Matches(m_strDoc, t, szName);
}

BOOL CXmlDocument::FindElem(LPCTSTR szName)
{
    int iPos = m_iPos ? m_aPos[m_iPos].iElemNext : m_aPos[m_iPosParent].iElemChild;
    for (; iPos; iPos = m_aPos[iPos].iElemNext) {
        if (TagMatches(iPos, szName)) {
            SetMain(iPos);
            m_iPosChild = 0;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CXmlDocument::FindChildElem(LPCTSTR szName)
{
    if (!m_iPos && !FindElem(NULL))
        return FALSE;
    int iPos = m_iPosChild ? m_aPos[m_iPosChild].iElemNext : m_aPos[m_iPos].iElemChild;
    for (; iPos; iPos = m_aPos[iPos].iElemNext) {
        if (TagMatches(iPos, szName)) {
            m_iPosChild = iPos;
            SetMain(m_aPos[iPos].iElemParent);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CXmlDocument::IntoElem()
{
    if (!m_iPos || m_nNodeType != 1)
        return FALSE;
    m_iPosParent = m_iPos;
    SetMain(m_iPosChild);
    m_iPosChild = 0;
    return TRUE;
}

BOOL CXmlDocument::OutOfElem()
{
    if (!m_iPosParent)
        return FALSE;
    m_iPosChild = m_iPos;
    SetMain(m_iPosParent);
    m_iPosParent = m_aPos[m_iPosParent].iElemParent;
    return TRUE;
}

CString CXmlDocument::GetElemData(int iPos) const
{
    if (iPos <= 0 || iPos >= m_iPosFree)
        return CString();
    const XmlElemPos& pos = m_aPos[iPos];
    if (pos.iElemChild || IsEmptyElem(iPos))
        return CString();
    const char* p = m_strDoc;
    int nStart = pos.nStartR + 1;
    int nEnd = pos.nEndL;
    int i = nStart;
    while (i < nEnd && IsWhite(p[i]))
        ++i;
    if (At(p, i, nEnd, "<![CDATA[")) {
        int nClose = FindText(p, i + 9, nEnd, "]]>");
        if (nClose >= 0)
            return CString(p + i + 9, nClose - (i + 9));
    }
    return UnescapeText(p + nStart, nEnd - nStart);
}

// Finds attribute szAttrib in the start tag of iPos; t is its value token.
static bool FindAttrib(const char* p, const XmlElemPos& pos, LPCTSTR szAttrib, Token& value)
{
    int n = pos.nStartR;
    Token t;
    if (!NextToken(p, pos.nStartL + 1, n, t))
        return false;
    int i = t.nNext;  // after the tag name
    while (NextToken(p, i, n, t)) {
        i = t.nNext;
        if (t.bQuoted || IsDelimiter(p[t.nL]))
            continue;
        Token eq;
        if (!NextToken(p, i, n, eq) || !IsChar(p, eq, '='))
            continue;
        Token v;
        if (!NextToken(p, eq.nNext, n, v) || !v.bClosed || (!v.bQuoted && IsDelimiter(p[v.nL])))
            continue;
        i = v.nNext;
        if (Matches(p, t, szAttrib)) {
            value = v;
            return true;
        }
    }
    return false;
}

CString CXmlDocument::GetElemAttrib(int iPos, LPCTSTR szAttrib) const
{
    if (iPos <= 0 || iPos >= m_iPosFree || szAttrib == NULL || szAttrib[0] == '\0')
        return CString();
    Token v;
    if (!FindAttrib(m_strDoc, m_aPos[iPos], szAttrib, v))
        return CString();
    return UnescapeText(static_cast<LPCTSTR>(m_strDoc) + v.nL, v.nR - v.nL);
}

void CXmlDocument::Adjust(int nOffset, int nShift, int iParent, int iFirst)
{
    if (nShift == 0)
        return;
    for (int i = iFirst; i; i = m_aPos[i].iElemNext)
        AdjustTree(i, nOffset, nShift);
    for (int p = iParent; p; p = m_aPos[p].iElemParent) {
        ShiftPos(m_aPos[p], nOffset, nShift);
        for (int i = m_aPos[p].iElemNext; i; i = m_aPos[i].iElemNext)
            AdjustTree(i, nOffset, nShift);
    }
}

// iPos and its descendants, in document order through the links; a record
// that ends before nOffset holds nothing to shift.
void CXmlDocument::AdjustTree(int iPos, int nOffset, int nShift)
{
    int i = iPos;
    for (;;) {
        XmlElemPos& pos = m_aPos[i];
        bool bReaches = pos.nEndR >= nOffset;
        if (bReaches)
            ShiftPos(pos, nOffset, nShift);
        if (bReaches && pos.iElemChild) {
            i = pos.iElemChild;
            continue;
        }
        while (i != iPos && !m_aPos[i].iElemNext)
            i = m_aPos[i].iElemParent;
        if (i == iPos)
            return;
        i = m_aPos[i].iElemNext;
    }
}

void CXmlDocument::ReplaceText(int nOffset, int nRemove, const CString& strInsert, int iParent, int iFirst)
{
    // in place: only the tail moves, and the buffer grows by half when full,
    // so a document written front to back costs linear time
    int nOld = m_strDoc.GetLength();
    int nInsert = strInsert.GetLength();
    int nNew = nOld - nRemove + nInsert;
    if (nNew > m_nDocAlloc)
        m_nDocAlloc = nNew + nNew / 2;
    LPTSTR p = m_strDoc.GetBuffer(m_nDocAlloc);
    std::memmove(p + nOffset + nInsert, p + nOffset + nRemove, nOld - nOffset - nRemove);
    std::memcpy(p + nOffset, static_cast<LPCTSTR>(strInsert), nInsert);
    m_strDoc.ReleaseBuffer(nNew);
    Adjust(nOffset + nRemove, nInsert - nRemove, iParent, iFirst);
}

BOOL CXmlDocument::SetAttrib(int iPos, LPCTSTR szAttrib, LPCTSTR szValue)
{
    if (iPos <= 0 || iPos >= m_iPosFree || !IsValidName(szAttrib))
        return FALSE;
    CString strValue = EscapeText(szValue ? szValue : "", TRUE);
    const XmlElemPos& pos = m_aPos[iPos];
    int nAt, nRemove, nValueAt;
    CString strInsert;
    Token v;
    if (FindAttrib(m_strDoc, pos, szAttrib, v)) {
        nAt = v.nL;
        nRemove = v.nR - v.nL;
        strInsert = v.bQuoted ? strValue : "\"" + strValue + "\"";
        nValueAt = v.bQuoted ? nAt : nAt + 1;
    } else {
        nAt = IsEmptyElem(iPos) ? pos.nStartR - 1 : pos.nStartR;
        nRemove = 0;
        strInsert.Format(" %s=\"%s\"", szAttrib, (LPCTSTR)strValue);
        nValueAt = nAt + static_cast<int>(std::strlen(szAttrib)) + 3;
    }
    // a stray quote or "=" elsewhere in the tag could pair with the new text:
    // try the changed start tag first
    CString strTag = m_strDoc.Mid(pos.nStartL, nAt - pos.nStartL) + strInsert +
                     m_strDoc.Mid(nAt + nRemove, pos.nStartR - nAt - nRemove);
    XmlElemPos tag = kEmptyPos;
    tag.nStartR = strTag.GetLength();
    Token check;
    if (!FindAttrib(strTag, tag, szAttrib, check) || check.nL != nValueAt - pos.nStartL ||
        check.nR - check.nL != strValue.GetLength())
        return FALSE;
    ReplaceText(nAt, nRemove, strInsert, iPos, pos.iElemChild);
    return TRUE;
}

BOOL CXmlDocument::AddElem(LPCTSTR szName, LPCTSTR szValue, BOOL bInsert)
{
    return AddElemImpl(szName, szValue, bInsert, FALSE);
}

BOOL CXmlDocument::AddChildElem(LPCTSTR szName, LPCTSTR szValue, BOOL bInsert)
{
    return AddElemImpl(szName, szValue, bInsert, TRUE);
}

BOOL CXmlDocument::AddElemImpl(LPCTSTR szName, LPCTSTR szValue, BOOL bInsert, BOOL bChild)
{
    if (!IsValidName(szName))
        return FALSE;
    int iParent, iCur;
    if (bChild) {
        if (!m_iPos)
            return FALSE;
        iParent = m_iPos;
        iCur = m_iPosChild;
    } else {
        iParent = m_iPosParent;
        iCur = m_iPos;
        if (!iParent && m_aPos[0].iElemChild)
            return FALSE;
    }
    if (iCur && m_aPos[iCur].iElemParent != iParent)
        return FALSE;

    CString strValue = szValue ? EscapeText(szValue, FALSE) : CString();
    int nName = static_cast<int>(std::strlen(szName));
    CString strElem;
    if (strValue.IsEmpty())
        strElem.Format("<%s/>\r\n", szName);
    else
        strElem.Format("<%s>%s</%s>\r\n", szName, (LPCTSTR)strValue, szName);

    int nStart;  // where the new element's "<" lands
    int iPrev = 0, iNext = 0;
    if (!iParent) {
        nStart = m_strDoc.GetLength();
        ReplaceText(nStart, 0, strElem, 0, 0);
    } else if (!m_aPos[iParent].iElemChild) {
        XmlElemPos& parent = m_aPos[iParent];
        if (IsEmptyElem(iParent)) {
            // <P/> becomes <P>\r\n<new/>\r\n</P>: the "/" turns into the rest
            int nSlash = parent.nStartR - 1;
            CString strInsert = ">\r\n" + strElem + "</" + GetTagName(iParent);
            ReplaceText(nSlash, 1, strInsert, iParent, 0);
            XmlElemPos& pp = m_aPos[iParent];
            pp.nEndR = pp.nStartR;
            pp.nStartR = nSlash;
            pp.nEndL = nSlash + 3 + strElem.GetLength();
            nStart = nSlash + 3;
        } else {
            nStart = parent.nStartR + 1;
            CString strInsert = strElem;
            if (parent.nEndL == parent.nStartR + 1) {
                strInsert = "\r\n" + strElem;
                nStart += 2;
            }
            ReplaceText(parent.nStartR + 1, 0, strInsert, iParent, 0);
        }
    } else {
        int iRef = iCur;
        if (!iRef) {
            iRef = m_aPos[iParent].iElemChild;
            if (!bInsert) {
                while (m_aPos[iRef].iElemNext)
                    iRef = m_aPos[iRef].iElemNext;
            }
        }
        if (bInsert) {
            nStart = m_aPos[iRef].nStartL;
            iNext = iRef;
            for (int i = m_aPos[iParent].iElemChild; i != iRef; i = m_aPos[i].iElemNext)
                iPrev = i;
        } else {
            nStart = m_aPos[iRef].nEndR + 1;
            if (At(m_strDoc, nStart, m_strDoc.GetLength(), "\r\n"))
                nStart += 2;
            iPrev = iRef;
            iNext = m_aPos[iRef].iElemNext;
        }
        ReplaceText(nStart, 0, strElem, iParent, iNext);
    }

    int iPos = GetFreePos();
    XmlElemPos& pos = m_aPos[iPos];
    pos.nStartL = nStart;
    if (strValue.IsEmpty()) {
        pos.nStartR = nStart + nName + 2;
        pos.nEndL = pos.nStartR - 1;
        pos.nEndR = pos.nStartR;
    } else {
        pos.nStartR = nStart + nName + 1;
        pos.nEndL = pos.nStartR + 1 + strValue.GetLength();
        pos.nEndR = pos.nEndL + nName + 2;
    }
    pos.iElemParent = iParent;
    pos.iElemNext = iNext;
    if (iPrev)
        m_aPos[iPrev].iElemNext = iPos;
    else
        m_aPos[iParent].iElemChild = iPos;

    if (bChild) {
        m_iPosChild = iPos;
    } else {
        SetMain(iPos);
        m_iPosChild = 0;
    }
    return TRUE;
}

CString CXmlDocument::EscapeText(LPCTSTR szText, BOOL bAttrib)
{
    if (szText == NULL)
        return CString();
    int n = static_cast<int>(std::strlen(szText));
    std::vector<char> buf(n + 6 + n / 10);
    int out = 0;
    for (int i = 0; i < n;) {
        int len = CharLen(szText, i, n);
        const char* piece = szText + i;
        int nPiece = len;
        if (len == 1) {
            for (const Entity& e : kEntities) {
                if (e.ch == szText[i] && (bAttrib || (e.ch != '\'' && e.ch != '"'))) {
                    piece = e.text;
                    nPiece = static_cast<int>(std::strlen(e.text));
                    break;
                }
            }
        }
        while (out + nPiece > static_cast<int>(buf.size()))
            buf.resize(buf.size() * 2);
        std::memcpy(&buf[out], piece, nPiece);
        out += nPiece;
        i += len;
    }
    return CString(buf.data(), out);
}

CString CXmlDocument::UnescapeText(LPCTSTR szText, int nLength)
{
    if (szText == NULL)
        return CString();
    int n = nLength < 0 ? static_cast<int>(std::strlen(szText)) : nLength;
    CString result;
    LPTSTR out = result.GetBuffer(n);
    int nOut = 0;
    for (int i = 0; i < n;) {
        if (szText[i] == '&') {
            const Entity* hit = NULL;
            for (const Entity& e : kEntities) {
                if (At(szText, i, n, e.text)) {
                    hit = &e;
                    break;
                }
            }
            if (hit) {
                out[nOut++] = hit->ch;
                i += static_cast<int>(std::strlen(hit->text));
                continue;
            }
        }
        int len = CharLen(szText, i, n);
        std::memcpy(out + nOut, szText + i, len);
        nOut += len;
        i += len;
    }
    result.ReleaseBuffer(nOut);
    return result;
}
