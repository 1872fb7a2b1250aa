// An array of objects that it owns: destruction deletes every element.
#pragma once
#include "framework/Array.h"

class COwnedObArray : public CObject {
public:
    COwnedObArray() {}
    virtual ~COwnedObArray() { DeleteAll(); }

    INT_PTR Add(CObject* pObject) { return m_array.Add(pObject); }
    INT_PTR GetSize() const { return m_array.GetSize(); }
    CObject* GetAt(INT_PTR nIndex) const { return m_array.GetAt(nIndex); }
    CObArray& GetArray() { return m_array; }

    // Deletes every non-null element and empties the array.
    void DeleteAll()
    {
        for (INT_PTR i = 0; i < m_array.GetSize(); ++i)
            delete m_array[i];
        m_array.RemoveAll();
    }

private:
    COwnedObArray(const COwnedObArray&);
    COwnedObArray& operator=(const COwnedObArray&);

    CObArray m_array;
};
