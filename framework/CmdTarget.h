// Command targets and message maps: static tables of handlers, searched from
// the most derived class to CCmdTarget.
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/Object.h"

class CCmdTarget;
class CCmdUI;
class CWnd;

typedef void (CCmdTarget::*AFX_PMSG)();

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message (WM_COMMAND, WM_NOTIFY, ...)
    UINT nCode;     // control code or WM_NOTIFY code
    UINT nID;       // control id (or 0 for window messages)
    UINT nLastID;   // last id of a range
    UINT_PTR nSig;  // handler signature (AfxSig); for registered messages: &message id
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Handler shapes; the dispatcher casts pfn back to the matching type.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_vv,         // void ()
    AfxSig_bv,         // BOOL ()
    AfxSig_wv,         // UINT ()
    AfxSig_vw,         // void (UINT)                      OnCommand range
    AfxSig_bw,         // BOOL (UINT)                      ON_COMMAND_EX
    AfxSig_cmdui,      // void (CCmdUI*)
    AfxSig_cmduiw,     // void (CCmdUI*, UINT)            (unused by macros, kept for ranges with id)
    AfxSig_vNMHDRpl,   // void (NMHDR*, LRESULT*)
    AfxSig_bNMHDRpl,   // BOOL (NMHDR*, LRESULT*)
    AfxSig_vwNMHDRpl,  // void (UINT, NMHDR*, LRESULT*)
    AfxSig_bwNMHDRpl,  // BOOL (UINT, NMHDR*, LRESULT*)
    AfxSig_lwl,        // LRESULT (WPARAM, LPARAM)
    AfxSig_is,         // int (LPCREATESTRUCT)
    AfxSig_vwii,       // void (UINT, int, int)           OnSize
    AfxSig_vii,        // void (int, int)                 OnMove
    AfxSig_vwp,        // void (UINT, CPoint)             mouse buttons and moves
    AfxSig_vwww,       // void (UINT, UINT, UINT)         keys, chars
    AfxSig_vt,         // void (UINT_PTR)                 OnTimer
    AfxSig_bD,         // BOOL (CDC*)                     OnEraseBkgnd
    AfxSig_hDWw,       // HBRUSH (CDC*, CWnd*, UINT)      OnCtlColor
    AfxSig_hDw,        // HBRUSH (CDC*, UINT)             CtlColor (reflected)
    AfxSig_vis,        // void (int, void*)               OnDrawItem, OnMeasureItem
    AfxSig_vs,         // void (void*)                    pointer in lParam; reflected draw/measure
    AfxSig_vW,         // void (CWnd*)                    focus
    AfxSig_vWp,        // void (CWnd*, CPoint)            OnContextMenu
    AfxSig_vwwx,       // void (UINT, UINT, CScrollBar*)  scroll
    AfxSig_bWww,       // BOOL (CWnd*, UINT, UINT)        OnSetCursor
    AfxSig_vbw,        // void (BOOL, UINT)               OnShowWindow
    AfxSig_vwWb,       // void (UINT, CWnd*, BOOL)        OnActivate
    AfxSig_bwsp,       // BOOL (UINT, short, CPoint)      OnMouseWheel
    AfxSig_vwl,        // void (UINT, LPARAM)             OnSysCommand
    AfxSig_vMwb,       // void (CMenu*, UINT, BOOL)       OnInitMenuPopup
    AfxSig_vh,         // void (HDROP)                    OnDropFiles
    AfxSig_lp,         // LRESULT (CPoint)                OnNcHitTest
    AfxSig_vb,         // void (BOOL)                     OnEnable
    AfxSig_vwwh,       // void (UINT, UINT, HMENU)        OnMenuSelect
    AfxSig_iwWw,       // int (CWnd*, UINT, UINT)         OnMouseActivate
    AfxSig_vws,        // void (UINT, LPTSTR)             OnSettingChange
    AfxSig_vHELPINFO,  // BOOL (HELPINFO*)                OnHelpInfo
    AfxSig_vpW,        // void (CWnd*, CWnd*)             unused
    AfxSig_registered  // internal marker
};

// Notification codes for OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_NOTIFY ((UINT)(-2))  // nCode of WM_NOTIFY passed through pExtra

// Messages reflected back to a control are offset by this base.
#define WM_REFLECT_BASE 0xBC00
// Sent to every window at idle time so that bars update their command states.
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_KICKIDLE 0x036A

struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg when the caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

class FW_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    virtual ~CCmdTarget();

    // Routes a command (nCode CN_COMMAND, CN_UPDATE_COMMAND_UI or a control
    // code) through this object's message map. With pHandlerInfo set, only
    // looks a handler up.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry,
                                                    UINT nMsg, UINT nCode, UINT nID);
    // Finds a map entry for a WM_COMMAND/WM_NOTIFY-style lookup including ranges.
    static const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP* pMap, UINT nMsg,
                                                    UINT nCode, UINT nID);
    static BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn,
                               void* pExtra, UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                                 \
protected:                                                    \
    static const AFX_MSGMAP* GetThisMessageMap();             \
    virtual const AFX_MSGMAP* GetMessageMap() const override; \
                                                              \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        typedef theClass ThisClass;                                                   \
        typedef baseClass TheBaseClass;                                               \
        (void)sizeof(ThisClass*);                                                     \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                         \
    {                                                                                             \
        0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0                                                       \
    }                                                                                             \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

#define afx_msg

// Casts that check the handler's signature at compile time.
#define AFX_SIG_CMD(type, fn) reinterpret_cast<AFX_PMSG>(static_cast<type>(fn))

#define ON_COMMAND(id, memberFxn)                               \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSig_vv, \
     static_cast<AFX_PMSG>(memberFxn)},
#define ON_COMMAND_EX(id, memberFxn)                            \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSig_bw, \
     AFX_SIG_CMD(BOOL(CCmdTarget::*)(UINT), memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                  \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSig_bw, \
     AFX_SIG_CMD(BOOL(CCmdTarget::*)(UINT), memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                     \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSig_vw, \
     AFX_SIG_CMD(void(CCmdTarget::*)(UINT), memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                  \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSig_cmdui, \
     AFX_SIG_CMD(void(CCmdTarget::*)(CCmdUI*), memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                        \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSig_cmdui, \
     AFX_SIG_CMD(void(CCmdTarget::*)(CCmdUI*), memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                           \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_vv, \
     static_cast<AFX_PMSG>(memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                 \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_vw, \
     AFX_SIG_CMD(void(CCmdTarget::*)(UINT), memberFxn)},
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                      \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_vNMHDRpl, \
     AFX_SIG_CMD(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                    \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_bwNMHDRpl, \
     AFX_SIG_CMD(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                             \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_vwNMHDRpl, \
     AFX_SIG_CMD(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                          \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_bwNMHDRpl, \
     AFX_SIG_CMD(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},

// Reflected notifications, handled by the control itself.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                       \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSig_vv, \
     static_cast<AFX_PMSG>(memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                    \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSig_bv, \
     AFX_SIG_CMD(BOOL(CCmdTarget::*)(), memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                  \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_vNMHDRpl, \
     AFX_SIG_CMD(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                               \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_bNMHDRpl, \
     AFX_SIG_CMD(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_BN_CLICKED_RANGE(id, idLast, memberFxn) ON_CONTROL_RANGE(BN_CLICKED, id, idLast, memberFxn)

#define ON_MESSAGE(message, memberFxn)     \
    {(UINT)(message), 0, 0, 0, AfxSig_lwl, \
     AFX_SIG_CMD(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn)},
// The entry holds the address of the variable that receives the registered id.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)  \
    {0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable), \
     AFX_SIG_CMD(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn)},
