// The modules searched for resources: the program first, then the extension
// libraries in the order they registered.
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"

FW_API HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// The module holding string nID itself (a block of 16 may be split across
// modules): the program first, then the libraries; NULL when none has it.
FW_API HINSTANCE AfxFindStringResourceHandle(UINT nID);
FW_API void AfxAddResourceModule(HINSTANCE hModule);
FW_API void AfxRemoveResourceModule(HINSTANCE hModule);

// An extension library's registration; construct one in the library's start-up
// (or as a static object) to make its resources visible to the framework.
class FW_API CDynLinkLibrary {
public:
    explicit CDynLinkLibrary(HINSTANCE hModule) : m_hModule(hModule) { AfxAddResourceModule(hModule); }
    ~CDynLinkLibrary() { AfxRemoveResourceModule(m_hModule); }
    HINSTANCE m_hModule;

private:
    CDynLinkLibrary(const CDynLinkLibrary&);
    CDynLinkLibrary& operator=(const CDynLinkLibrary&);
};
