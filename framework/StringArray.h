// CStringArray: an array of CString.
#pragma once

#include "framework/Array.h"
#include "framework/String.h"

class CStringArray : public CArray<CString, const CString&> {
public:
    using CArray<CString, const CString&>::Add;
    using CArray<CString, const CString&>::SetAt;
    using CArray<CString, const CString&>::SetAtGrow;
    using CArray<CString, const CString&>::InsertAt;
    INT_PTR Add(LPCTSTR newElement) { return Add(CString(newElement)); }
    void SetAt(INT_PTR nIndex, LPCTSTR newElement) { SetAt(nIndex, CString(newElement)); }
    void SetAtGrow(INT_PTR nIndex, LPCTSTR newElement) { SetAtGrow(nIndex, CString(newElement)); }
    void InsertAt(INT_PTR nIndex, LPCTSTR newElement, INT_PTR nCount = 1) { InsertAt(nIndex, CString(newElement), nCount); }
};
