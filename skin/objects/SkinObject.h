// The skin object base: one per skinned window. It subclasses the window,
// sees its messages first (or when the window's own procedure calls a default
// procedure) and counts its own references: the engine's window map holds one,
// each message being handled holds one more.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Wnd.h"
#include "skin/support/SysServices.h"

class CVZRSkinEngine;
class CVZRThemeClass;
class CVZRSkinSystemMetrics;

// Registered when the library is loaded.
extern UINT WM_SKINFRAMEWORK_UPDATESTATE;
extern UINT WM_SKINFRAMEWORK_QUERYSTATE;

// Who called into the object: its window procedure or a default procedure.
enum {
    kContextWindowProc = 0,
    kContextCallWindowProc = 1,
    kContextDefWindowProc = 2,
    kContextDefMDIChildProc = 3,
    kContextDefFrameProc = 4,
    kContextDefDlgProc = 5
};

struct CVZRMessageContext {
    UINT message;
    int kind;
    FARPROC unhooked;  // the default procedure of that kind before the hooks
    void* userData;    // kind 1: the procedure passed on; kind 4: the MDI client
};

class CVZRSkinObject : public CWnd {
    DECLARE_DYNCREATE(CVZRSkinObject)
public:
    CVZRSkinObject();
    virtual ~CVZRSkinObject();

    virtual void OnFinalRelease() override;
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    virtual void OnSkinStateChange(BOOL bPrevState, BOOL bNewState);
    virtual void ReloadMetrics();
    virtual void OnSkinAttach(LPCREATESTRUCT lpcs, BOOL bAuto);
    virtual void OnSkinDetach(BOOL bAuto);
    virtual BOOL HandleSubclassMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result);
    virtual BOOL HandleDefProcMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result);
    virtual BOOL HandledInDefProc(UINT msg);
    virtual BOOL IsPassThroughMessage(UINT msg);
    // True when HandleSubclassMessage would do nothing at all with the
    // message: the window procedure then passes it on at once. A class that
    // handles more in HandleSubclassMessage narrows this too.
    virtual BOOL SubclassIgnores(UINT msg);

    void AttachHook(HWND hwnd, LPCREATESTRUCT lpcs, BOOL bAuto);
    void DetachHook(BOOL bAuto);

    // A message context that holds a reference to the object till it is left.
    void EnterMessageContext(UINT msg, int kind, void* userData, FARPROC unhookedFunction);
    LONG LeaveMessageContext();
    // The same for a caller that holds the object itself meanwhile.
    void PushMessageContext(UINT msg, int kind, void* userData, FARPROC unhookedFunction);
    void PopMessageContext();
    UINT GetCurrentMessage();
    // One remembered answer about a procedure address, for the hooks that
    // ask the same question on every message.
    bool RecallProcedure(const void* proc, bool& answer);
    void RememberProcedure(const void* proc, bool answer);
    LRESULT CallDefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Calls the procedure that was current before the skin's.
    LRESULT CallPrevWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    LONG AddRef();
    LONG Release();
    LONG GetRefCount() const { return m_nRefs; }

    CVZRThemeClass* LookupThemeClass();
    CVZRSkinSystemMetrics* GetMetrics();
    COLORREF GetColor(int index);

    CVZRSkinEngine* GetEngine() const { return m_pEngine; }
    void SetEngine(CVZRSkinEngine* engine) { m_pEngine = engine; }
    WNDPROC GetPrevWndProc() const { return m_pfnPrevProc; }
    // A typed character of an ANSI window to the previous procedure; see the .cpp.
    LRESULT PassCharToPrev(WPARAM wParam, LPARAM lParam);
    BOOL IsInactive() const { return m_bInactive; }
    BOOL IsUnicode() const { return m_bUnicode; }
    // The previous procedure is code of the window's character set, called without CallWindowProc.
    BOOL CallsPrevDirectly() const { return m_bDirectPrev; }
    BOOL IsWindowsForms() const { return m_bWindowsForms; }
    void SetWindowsForms(BOOL set) { m_bWindowsForms = set; }
    const CString& GetThemeClassName() const { return m_strThemeClass; }

protected:
    WNDPROC m_pfnPrevProc;
    CVZRSkinEngine* m_pEngine;
    CString m_strThemeClass;
    BOOL m_bWindowsForms;
    DWORD m_dwSysProcThreshold;  // 0 when the previous procedure is in COMCTL32 or USER32
    BOOL m_bInactive;            // the host keeps the window unskinned
    BOOL m_bUnicode;
    WNDPROC m_pfnPrevProcW;  // the previous procedure's Unicode form
    BYTE m_chLeadByte;       // a typed double-byte character's first byte, waiting
    BOOL m_bDirectPrev;

private:
    CVZRSpinLock m_contextLock;
    std::vector<CVZRMessageContext> m_contexts;  // newest last
    const void* m_pKnownProc;                    // under the context lock, with its answer
    bool m_bKnownProcAnswer;
    volatile LONG m_nRefs;

    // Handlers of the skin classes only: none of CWnd's (no reflection twice).
    DECLARE_MESSAGE_MAP()
};

LRESULT CALLBACK SkinObjectWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The window property that keeps the procedure the skin's replaced.
extern const char kSkinPrevProcProp[];
