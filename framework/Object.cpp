#include "framework/Object.h"

#include <cstring>

namespace {
CRuntimeClass* g_firstClass = NULL;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    pNewClass->m_pNextClass = g_firstClass;
    g_firstClass = pNewClass;
}

CObject* CRuntimeClass::CreateObject()
{
    return m_pfnCreateObject ? m_pfnCreateObject() : NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p; p = p->m_pfnGetBaseClass ? p->m_pfnGetBaseClass() : NULL) {
        if (p == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (!lpszClassName)
        return NULL;
    for (CRuntimeClass* p = g_firstClass; p; p = p->m_pNextClass) {
        if (strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    }
    return NULL;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* p = FromName(lpszClassName);
    return p ? p->CreateObject() : NULL;
}

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL,
                                       &CObject::_GetBaseClass, NULL};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* CObject::_GetBaseClass() { return NULL; }
CRuntimeClass* CObject::GetThisClass() { return &CObject::classCObject; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }
CObject::~CObject() {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

void CObject::Serialize(CArchive&) {}
