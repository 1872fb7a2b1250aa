// CArray and the MFC arrays built on it (header only).
#pragma once

#include "framework/Object.h"

#include <new>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    CArray(const CArray& src) : CArray() { Copy(src); }
    CArray& operator=(const CArray& src)
    {
        if (this != &src)
            Copy(src);
        return *this;
    }
    ~CArray() { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // nGrowBy < 0 keeps the current step (0: grow by an amount that rises with the size).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        if (nNewSize < 0)
            nNewSize = 0;
        if (nNewSize > m_nMaxSize) {
            INT_PTR grow = m_nGrowBy;
            if (grow == 0) {
                grow = m_nSize / 8;
                grow = grow < 4 ? 4 : (grow > 1024 ? 1024 : grow);
            }
            INT_PTR newMax = m_nMaxSize + grow;
            Reallocate(nNewSize > newMax ? nNewSize : newMax);
        }
        for (INT_PTR i = m_nSize; i < nNewSize; ++i)
            new (&m_pData[i]) TYPE();
        for (INT_PTR i = nNewSize; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        m_nSize = nNewSize;
    }

    void FreeExtra()
    {
        if (m_nSize != m_nMaxSize)
            Reallocate(m_nSize);
    }

    void RemoveAll()
    {
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        ::operator delete(m_pData);
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
    }

    const TYPE& GetAt(INT_PTR nIndex) const
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        return m_pData[nIndex];
    }
    TYPE& GetAt(INT_PTR nIndex)
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        return m_pData[nIndex];
    }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement)
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        m_pData[nIndex] = newElement;
    }
    TYPE& ElementAt(INT_PTR nIndex)
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        return m_pData[nIndex];
    }
    const TYPE& ElementAt(INT_PTR nIndex) const
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        return m_pData[nIndex];
    }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            return;
        TYPE value(newElement);  // newElement may live in this array
        if (nIndex >= m_nSize)
            SetSize(nIndex + 1);
        m_pData[nIndex] = std::move(value);
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }

    INT_PTR Append(const CArray& src)
    {
        INT_PTR old = m_nSize;
        if (&src == this) {
            CArray copy(src);
            return Append(copy);
        }
        SetSize(m_nSize + src.m_nSize);
        for (INT_PTR i = 0; i < src.m_nSize; ++i)
            m_pData[old + i] = src.m_pData[i];
        return old;
    }

    void Copy(const CArray& src)
    {
        if (&src == this)
            return;
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < src.m_nSize; ++i)
            m_pData[i] = src.m_pData[i];
    }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            return;
        TYPE value(newElement);
        INT_PTR old = m_nSize;
        if (nIndex >= old) {
            SetSize(nIndex + nCount);
        } else {
            SetSize(old + nCount);
            for (INT_PTR i = old - 1; i >= nIndex; --i)
                m_pData[i + nCount] = std::move(m_pData[i]);
        }
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nIndex + i] = value;
    }

    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (!pNewArray || pNewArray->m_nSize == 0 || nStartIndex < 0)
            return;
        CArray copy(*pNewArray);
        InsertAt(nStartIndex, copy.m_pData[0], copy.m_nSize);
        for (INT_PTR i = 1; i < copy.m_nSize; ++i)
            m_pData[nStartIndex + i] = copy.m_pData[i];
    }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        ASSERT(nIndex >= 0 && nCount >= 0);
        if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)
            return;
        if (nCount > m_nSize - nIndex)
            nCount = m_nSize - nIndex;
        for (INT_PTR i = nIndex + nCount; i < m_nSize; ++i)
            m_pData[i - nCount] = std::move(m_pData[i]);
        for (INT_PTR i = m_nSize - nCount; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        m_nSize -= nCount;
    }

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    void Reallocate(INT_PTR nMax)
    {
        TYPE* p = nMax ? static_cast<TYPE*>(::operator new(sizeof(TYPE) * (size_t)nMax)) : NULL;
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            new (&p[i]) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
        ::operator delete(m_pData);
        m_pData = p;
        m_nMaxSize = nMax;
    }
};

class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CUIntArray : public CArray<UINT, UINT> {};

// An array of pointers to T, as CTypedPtrArray<CPtrArray, T*>.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
};
