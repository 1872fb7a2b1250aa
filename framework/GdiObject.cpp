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
    CGdiObject* p = AfxFindTemp(s->tempGdi, hObject);
    if (p != NULL)
        return p;
    p = new CGdiObject;
    p->m_hObject = hObject;
    AfxAddTemp(s, s->tempGdi, hObject, p);
    return p;
}

void CGdiObject::DeleteTempMap()
{
    AfxThreadState* s = AfxGetThreadState();
    AfxSweepTemps(s, s->tempGdi, [](CGdiObject* p) { p->m_hObject = NULL; });
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
