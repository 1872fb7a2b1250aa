#include "framework/CmdTarget.h"
#include "framework/CmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() {}
CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
    static const AFX_MSGMAP messageMap = {NULL, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                     UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode &&
            nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindCommandEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode,
                                                     UINT nID)
{
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL) {
        const AFX_MSGMAP_ENTRY* p = FindMessageEntry(pMap->lpEntries, nMsg, nCode, nID);
        if (p != NULL)
            return p;
    }
    return NULL;
}

namespace {
typedef BOOL (CCmdTarget::*PMSG_bv)();
typedef void (CCmdTarget::*PMSG_vw)(UINT);
typedef BOOL (CCmdTarget::*PMSG_bw)(UINT);
typedef void (CCmdTarget::*PMSG_cmdui)(CCmdUI*);
typedef void (CCmdTarget::*PMSG_vNMHDRpl)(NMHDR*, LRESULT*);
typedef BOOL (CCmdTarget::*PMSG_bNMHDRpl)(NMHDR*, LRESULT*);
typedef void (CCmdTarget::*PMSG_vwNMHDRpl)(UINT, NMHDR*, LRESULT*);
typedef BOOL (CCmdTarget::*PMSG_bwNMHDRpl)(UINT, NMHDR*, LRESULT*);
}  // namespace

BOOL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn,
                                void* pExtra, UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo != NULL) {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }
    BOOL bResult = TRUE;
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (nSig) {
    case AfxSig_vv:
        (pTarget->*pfn)();
        break;
    case AfxSig_bv:
        bResult = (pTarget->*reinterpret_cast<PMSG_bv>(pfn))();
        break;
    case AfxSig_vw:
        (pTarget->*reinterpret_cast<PMSG_vw>(pfn))(nID);
        break;
    case AfxSig_bw:
        bResult = (pTarget->*reinterpret_cast<PMSG_bw>(pfn))(nID);
        break;
    case AfxSig_cmdui: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (pCmdUI == NULL || nCode != (int)CN_UPDATE_COMMAND_UI)
            return FALSE;
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*reinterpret_cast<PMSG_cmdui>(pfn))(pCmdUI);
        bResult = !pCmdUI->m_bContinueRouting;
        break;
    }
    case AfxSig_vNMHDRpl:
        if (pNotify == NULL) return FALSE;
        (pTarget->*reinterpret_cast<PMSG_vNMHDRpl>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        break;
    case AfxSig_bNMHDRpl:
        if (pNotify == NULL) return FALSE;
        bResult = (pTarget->*reinterpret_cast<PMSG_bNMHDRpl>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        break;
    case AfxSig_vwNMHDRpl:
        if (pNotify == NULL) return FALSE;
        (pTarget->*reinterpret_cast<PMSG_vwNMHDRpl>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
        break;
    case AfxSig_bwNMHDRpl:
        if (pNotify == NULL) return FALSE;
        bResult = (pTarget->*reinterpret_cast<PMSG_bwNMHDRpl>(pfn))(nID, pNotify->pNMHDR,
                                                                    pNotify->pResult);
        break;
    default:
        return FALSE;
    }
    return bResult;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // nCode carries the message in its high word for notifications and reflections.
    UINT nMsg = 0;
    UINT nLookupCode = (UINT)nCode;
    if (nCode != (int)CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD((UINT)nCode);
        nLookupCode = LOWORD((UINT)nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    const AFX_MSGMAP_ENTRY* p = FindCommandEntry(GetMessageMap(), nMsg, nLookupCode, nID);
    if (p == NULL)
        return FALSE;
    return DispatchCmdMsg(this, nID, nCode, p->pfn, pExtra, p->nSig, pHandlerInfo);
}

void CCmdTarget::BeginWaitCursor() { ::SetCursor(::LoadCursor(NULL, IDC_WAIT)); }
void CCmdTarget::EndWaitCursor() { ::SetCursor(::LoadCursor(NULL, IDC_ARROW)); }
void CCmdTarget::RestoreWaitCursor() { BeginWaitCursor(); }
