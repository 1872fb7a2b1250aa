// CList and the MFC lists built on it (header only).
#pragma once

#include "framework/Object.h"
#include "framework/String.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0) { (void)nBlockSize; }
    ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead()
    {
        ASSERT(m_pNodeHead);
        return m_pNodeHead->data;
    }
    const TYPE& GetHead() const
    {
        ASSERT(m_pNodeHead);
        return m_pNodeHead->data;
    }
    TYPE& GetTail()
    {
        ASSERT(m_pNodeTail);
        return m_pNodeTail->data;
    }
    const TYPE& GetTail() const
    {
        ASSERT(m_pNodeTail);
        return m_pNodeTail->data;
    }

    TYPE RemoveHead()
    {
        ASSERT(m_pNodeHead);
        CNode* p = m_pNodeHead;
        TYPE value = p->data;
        FreeNode(p);
        return value;
    }

    TYPE RemoveTail()
    {
        ASSERT(m_pNodeTail);
        CNode* p = m_pNodeTail;
        TYPE value = p->data;
        FreeNode(p);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertNode(NULL, m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertNode(m_pNodeTail, NULL, newElement); }

    void AddHead(const CList* pNewList)
    {
        if (!pNewList || pNewList == this)
            return;
        for (CNode* p = pNewList->m_pNodeTail; p; p = p->pPrev)
            AddHead(p->data);
    }

    void AddTail(const CList* pNewList)
    {
        if (!pNewList || pNewList == this)
            return;
        for (CNode* p = pNewList->m_pNodeHead; p; p = p->pNext)
            AddTail(p->data);
    }

    void RemoveAll()
    {
        for (CNode* p = m_pNodeHead; p;) {
            CNode* next = p->pNext;
            delete p;
            p = next;
        }
        m_pNodeHead = m_pNodeTail = NULL;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }

    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* p = (CNode*)rPosition;
        rPosition = (POSITION)p->pNext;
        return p->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* p = (CNode*)rPosition;
        rPosition = (POSITION)p->pNext;
        return p->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* p = (CNode*)rPosition;
        rPosition = (POSITION)p->pPrev;
        return p->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* p = (CNode*)rPosition;
        rPosition = (POSITION)p->pPrev;
        return p->data;
    }

    TYPE& GetAt(POSITION position) { return ((CNode*)position)->data; }
    const TYPE& GetAt(POSITION position) const { return ((CNode*)position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ((CNode*)pos)->data = newElement; }
    void RemoveAt(POSITION position) { FreeNode((CNode*)position); }

    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (!position)
            return AddHead(newElement);
        CNode* p = (CNode*)position;
        return InsertNode(p->pPrev, p, newElement);
    }

    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (!position)
            return AddTail(newElement);
        CNode* p = (CNode*)position;
        return InsertNode(p, p->pNext, newElement);
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* p = startAfter ? ((CNode*)startAfter)->pNext : m_pNodeHead;
        for (; p; p = p->pNext)
            if (p->data == searchValue)
                return (POSITION)p;
        return NULL;
    }

    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* p = m_pNodeHead;
        while (nIndex--)
            p = p->pNext;
        return (POSITION)p;
    }

private:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;

    POSITION InsertNode(CNode* prev, CNode* next, ARG_TYPE value)
    {
        CNode* p = new CNode{next, prev, TYPE(value)};
        if (prev)
            prev->pNext = p;
        else
            m_pNodeHead = p;
        if (next)
            next->pPrev = p;
        else
            m_pNodeTail = p;
        ++m_nCount;
        return (POSITION)p;
    }

    void FreeNode(CNode* p)
    {
        if (p->pPrev)
            p->pPrev->pNext = p->pNext;
        else
            m_pNodeHead = p->pNext;
        if (p->pNext)
            p->pNext->pPrev = p->pPrev;
        else
            m_pNodeTail = p->pPrev;
        --m_nCount;
        delete p;
    }

    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
};

class CPtrList : public CList<void*, void*> {
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};

class CObList : public CList<CObject*, CObject*> {
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
};

class CStringList : public CList<CString, LPCTSTR> {
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, LPCTSTR>(nBlockSize) {}
};

// A list of pointers to T, as CTypedPtrList<CPtrList, T*>.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
public:
    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
};
