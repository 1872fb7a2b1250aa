// CMap and the MFC maps built on it (header only). Iteration order is the
// hash table's.
#pragma once

#include "framework/Object.h"
#include "framework/String.h"

inline UINT HashKey(LPCTSTR key)
{
    UINT h = 0;
    for (const unsigned char* p = (const unsigned char*)(key ? key : ""); *p; ++p)
        h = (h << 5) + h + *p;
    return h;
}
inline UINT HashKey(const CString& key) { return HashKey((LPCTSTR)key); }
template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    return (UINT)(((UINT_PTR)key) >> 4) ^ (UINT)(UINT_PTR)key;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0) { (void)nBlockSize; }
    ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT h;
        CAssoc* a = GetAssocAt(key, h);
        if (!a)
            return FALSE;
        rValue = a->value;
        return TRUE;
    }

    VALUE& operator[](ARG_KEY key)
    {
        UINT h;
        CAssoc* a = GetAssocAt(key, h);
        if (a)
            return a->value;
        if (!m_pHashTable)
            InitHashTable(m_nHashTableSize);
        else if ((UINT)m_nCount >= m_nHashTableSize * 2)
            Rehash(m_nHashTableSize * 2 + 1);
        UINT bucket = h % m_nHashTableSize;
        a = new CAssoc{m_pHashTable[bucket], h, KEY(key), VALUE()};
        m_pHashTable[bucket] = a;
        ++m_nCount;
        return a->value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (!m_pHashTable)
            return FALSE;
        UINT h = HashKey(key);
        for (CAssoc** pp = &m_pHashTable[h % m_nHashTableSize]; *pp; pp = &(*pp)->pNext) {
            if ((*pp)->nHashValue == h && (*pp)->key == key) {
                CAssoc* dead = *pp;
                *pp = dead->pNext;
                delete dead;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }

    void RemoveAll()
    {
        if (m_pHashTable) {
            for (UINT i = 0; i < m_nHashTableSize; ++i) {
                for (CAssoc* a = m_pHashTable[i]; a;) {
                    CAssoc* next = a->pNext;
                    delete a;
                    a = next;
                }
            }
            delete[] m_pHashTable;
        }
        m_pHashTable = NULL;
        m_nCount = 0;
    }

    POSITION GetStartPosition() const
    {
        return m_nCount == 0 ? NULL : (POSITION)FirstFrom(0);
    }

    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* a = (CAssoc*)rNextPosition;
        ASSERT(a);
        rKey = a->key;
        rValue = a->value;
        CAssoc* next = a->pNext ? a->pNext : FirstFrom(a->nHashValue % m_nHashTableSize + 1);
        rNextPosition = (POSITION)next;
    }

    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        if (m_nCount > 0) {
            Rehash(hashSize ? hashSize : 17);
            return;
        }
        delete[] m_pHashTable;
        m_pHashTable = NULL;
        m_nHashTableSize = hashSize ? hashSize : 17;
        if (bAllocNow)
            m_pHashTable = new CAssoc*[m_nHashTableSize]();
    }

private:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;

    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const
    {
        nHash = HashKey(key);
        if (!m_pHashTable)
            return NULL;
        for (CAssoc* a = m_pHashTable[nHash % m_nHashTableSize]; a; a = a->pNext)
            if (a->nHashValue == nHash && a->key == key)
                return a;
        return NULL;
    }

    CAssoc* FirstFrom(UINT bucket) const
    {
        for (; m_pHashTable && bucket < m_nHashTableSize; ++bucket)
            if (m_pHashTable[bucket])
                return m_pHashTable[bucket];
        return NULL;
    }

    void Rehash(UINT newSize)
    {
        CAssoc** table = new CAssoc*[newSize]();
        for (UINT i = 0; m_pHashTable && i < m_nHashTableSize; ++i) {
            for (CAssoc* a = m_pHashTable[i]; a;) {
                CAssoc* next = a->pNext;
                a->pNext = table[a->nHashValue % newSize];
                table[a->nHashValue % newSize] = a;
                a = next;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = table;
        m_nHashTableSize = newSize;
    }

    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
