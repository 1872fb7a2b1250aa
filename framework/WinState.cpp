#include "framework/WinState.h"
#include "framework/Wnd.h"
#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "framework/Menu.h"
#include "framework/ImageList.h"

// The state lives in a Win32 TLS slot and is freed from the library's thread
// and process detach. A C++ thread_local would do the same, but the state's
// destructor reaches the state again (the temp maps), and a thread_local
// reached while the run-time destroys it deadlocks at exit on 64-bit.
namespace {
DWORD g_stateSlot = TLS_OUT_OF_INDEXES;

void FreeThreadState()
{
    if (g_stateSlot == TLS_OUT_OF_INDEXES)
        return;
    AfxThreadState* s = static_cast<AfxThreadState*>(::TlsGetValue(g_stateSlot));
    if (s == nullptr)
        return;
    delete s;  // the slot still names it while it goes
    ::TlsSetValue(g_stateSlot, nullptr);
}
}  // namespace

AfxThreadState::~AfxThreadState()
{
    if (hHookOldCbt != nullptr)
        ::UnhookWindowsHookEx(hHookOldCbt);
    nTempKept = 0;
    AfxDeleteTempMaps();
}

AfxThreadState* AfxGetThreadState()
{
    AfxThreadState* s = static_cast<AfxThreadState*>(::TlsGetValue(g_stateSlot));
    if (s == nullptr) {
        s = new AfxThreadState;
        ::TlsSetValue(g_stateSlot, s);
    }
    return s;
}

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

size_t AfxGetTempWrapperCount()
{
    const AfxThreadState* s = AfxGetThreadState();
    return s->tempWnd.size() + s->tempDC.size() + s->tempGdi.size() + s->tempMenu.size() +
           s->tempImageList.size();
}

CModalTempScope::CModalTempScope() : m_pState(AfxGetThreadState())
{
    m_nOuterKept = m_pState->nTempKept;
    m_nSwept = m_pState->nTempKept = m_pState->nTempMade;
}

CModalTempScope::~CModalTempScope() { m_pState->nTempKept = m_nOuterKept; }

void CModalTempScope::Sweep()
{
    if (m_pState->nTempMade == m_nSwept)
        return;
    AfxDeleteTempMaps();
    m_nSwept = m_pState->nTempMade;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_stateSlot = ::TlsAlloc();
        return g_stateSlot != TLS_OUT_OF_INDEXES;
    case DLL_THREAD_DETACH:
        FreeThreadState();
        break;
    case DLL_PROCESS_DETACH:
        // At process exit the other threads are gone and nothing needs freeing.
        if (reserved == nullptr) {
            FreeThreadState();
            ::TlsFree(g_stateSlot);
            g_stateSlot = TLS_OUT_OF_INDEXES;
        }
        break;
    }
    return TRUE;
}
