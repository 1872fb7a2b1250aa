// GDI object wrappers: each owns its handle and deletes it.
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/Object.h"

class FW_API CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject() : m_hObject(NULL) {}
    virtual ~CGdiObject();
    HGDIOBJ m_hObject;
    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // A temporary wrapper (freed at idle) unless a permanent one is passed in.
    static CGdiObject* FromHandle(HGDIOBJ hObject);
    static void DeleteTempMap();
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObject(m_hObject, nCount, lpObject); }
    UINT GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

private:
    CGdiObject(const CGdiObject&);
    CGdiObject& operator=(const CGdiObject&);
};
