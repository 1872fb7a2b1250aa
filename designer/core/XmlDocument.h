// CXmlDocument: one markup document held as a single 8-bit text plus an index
// of element positions into it, with a cursor to find, read and add elements
// and attributes. Every edit changes the text in place and shifts the index.
#pragma once

#include "framework/String.h"

#include <vector>

// One element's positions in the document text; index 0 means "none" for the links.
struct XmlElemPos {
    int nStartL;  // the "<" of the start tag
    int nStartR;  // the ">" of the start tag
    int nEndL;    // the "<" of the end tag (nStartR - 1 for an empty-element tag)
    int nEndR;    // the ">" of the end tag (nStartR for an empty-element tag)
    int nReserved;
    int iElemParent;
    int iElemChild;
    int iElemNext;
};

class CXmlDocument {
public:
    CXmlDocument();
    explicit CXmlDocument(LPCTSTR szDoc);

    // Replaces the text and parses it; NULL or "" gives an empty document (and FALSE).
    // On failure the text stays, the index is empty and GetError() tells why.
    BOOL SetDoc(LPCTSTR szDoc);
    CString GetDoc() const { return m_strDoc; }
    CString GetError() const { return m_strError; }

    // Navigation; a NULL or empty name matches any element.
    BOOL FindElem(LPCTSTR szName = NULL);
    BOOL FindChildElem(LPCTSTR szName = NULL);
    BOOL IntoElem();
    BOOL OutOfElem();

    CString GetData() const { return GetElemData(m_iPos); }
    CString GetChildData() const { return GetElemData(m_iPosChild); }
    CString GetAttrib(LPCTSTR szAttrib) const { return GetElemAttrib(m_iPos, szAttrib); }
    CString GetChildAttrib(LPCTSTR szAttrib) const { return GetElemAttrib(m_iPosChild, szAttrib); }

    // Adds <szName>value</szName> (or <szName/> without a value) on a line of its own,
    // after the current element (before it with bInsert). AddElem: a sibling of the
    // main position, which then moves to it. AddChildElem: a child of the main
    // position; the child position moves to it.
    BOOL AddElem(LPCTSTR szName, LPCTSTR szValue = NULL, BOOL bInsert = FALSE);
    BOOL AddChildElem(LPCTSTR szName, LPCTSTR szValue = NULL, BOOL bInsert = FALSE);

    // Sets or adds an attribute in the start tag of element record iPos.
    BOOL SetAttrib(int iPos, LPCTSTR szAttrib, LPCTSTR szValue);
    // The same on the main or on the child position.
    BOOL SetAttrib(LPCTSTR szAttrib, LPCTSTR szValue) { return SetAttrib(m_iPos, szAttrib, szValue); }
    BOOL SetChildAttrib(LPCTSTR szAttrib, LPCTSTR szValue) { return SetAttrib(m_iPosChild, szAttrib, szValue); }

    // Cursor record indices (0: none).
    int GetParentPos() const { return m_iPosParent; }
    int GetMainPos() const { return m_iPos; }
    int GetChildPos() const { return m_iPosChild; }

    // Entity escapes: element text escapes < & >, attribute values also ' and ".
    static CString EscapeText(LPCTSTR szText, BOOL bAttrib);
    static CString UnescapeText(LPCTSTR szText, int nLength = -1);  // -1: up to the terminator

    // Deepest element nesting that SetDoc accepts.
    enum { MAX_DEPTH = 256 };

private:
    CString m_strDoc;
    CString m_strError;
    std::vector<XmlElemPos> m_aPos;
    int m_iPosParent;
    int m_iPos;
    int m_iPosChild;
    int m_iPosFree;
    int m_nNodeType;
    int m_nDocAlloc;  // room asked for the text; edits grow it by half

    void ResetIndex(int nRecords);
    int GetFreePos();
    BOOL ParseDoc();
    CString GetElemData(int iPos) const;
    CString GetElemAttrib(int iPos, LPCTSTR szAttrib) const;
    CString GetTagName(int iPos) const;
    BOOL TagMatches(int iPos, LPCTSTR szName) const;
    int ReadEndTag(int iPos, int nTag);
    // Replaces text in place and shifts the positions behind the change, which
    // lies inside iParent (0: the document level) and before its child iFirst
    // and every later child; earlier children end before it.
    void ReplaceText(int nOffset, int nRemove, const CString& strInsert, int iParent, int iFirst);
    BOOL IsEmptyElem(int iPos) const;
    BOOL AddElemImpl(LPCTSTR szName, LPCTSTR szValue, BOOL bInsert, BOOL bChild);
    void Adjust(int nOffset, int nShift, int iParent, int iFirst);
    void AdjustTree(int iPos, int nOffset, int nShift);
    void SetMain(int iPos);
};
