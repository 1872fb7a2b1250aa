#include "framework/GdiObject.h"
#include "framework/WinState.h"
#include "framework/DC.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return NULL;
    AfxThreadState* s = AfxGetThreadState();
    auto it = s->tempGdi.find(hObject);
    if (it != s->tempGdi.end())
        return it->second;
    CGdiObject* p = new CGdiObject;
    p->m_hObject = hObject;
    s->tempGdi[hObject] = p;
    return p;
}

void CGdiObject::DeleteTempMap()
{
    AfxThreadState* s = AfxGetThreadState();
    for (auto& e : s->tempGdi) {
        e.second->m_hObject = NULL;  // borrowed handle
        delete e.second;
    }
    s->tempGdi.clear();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = NULL;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    HGDIOBJ h = Detach();
    CDC::ReleaseFromSelections(h);
    return ::DeleteObject(h);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}
