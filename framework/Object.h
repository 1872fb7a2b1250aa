// CObject with run-time class information and dynamic creation.
#pragma once

#include "framework/FwDefs.h"

class CObject;
class CArchive;

struct FW_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serializable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;  // list of all registered classes

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);
};

// Links a class into the list searched by CRuntimeClass::FromName.
struct FW_API AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class FW_API CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

    static CRuntimeClass classCObject;
    static CRuntimeClass* _GetBaseClass();
    static CRuntimeClass* GetThisClass();

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    void operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)         \
public:                                     \
    static CRuntimeClass class##class_name; \
    static CRuntimeClass* _GetBaseClass();  \
    static CRuntimeClass* GetThisClass();   \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                    \
    CRuntimeClass* class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); }       \
    CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class class_name),  \
                                                   wSchema, pfnNew, &class_name::_GetBaseClass, \
                                                   NULL};                                       \
    static AFX_CLASSINIT _init_##class_name(&class_name::class##class_name);                    \
    CRuntimeClass* class_name::GetThisClass() { return &class_name::class##class_name; }        \
    CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)           \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)     \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((object) && (object)->IsKindOf(RUNTIME_CLASS(class_name)) ? static_cast<class_name*>(object) : NULL)
