#include "designer/canvas/CanvasContextMenu.h"

#include "designer/canvas/DesignCanvas.h"
#include "designer/model/UIControl.h"

namespace {

struct MenuItem {
    UINT nCommand;
    UINT nText;
    LPCTSTR lpszFallback;
};

const MenuItem kItems[] = {
    {CANVAS_ID_EDIT_CUT, 219, "Cu&t"},
    {CANVAS_ID_EDIT_COPY, 220, "&Copy"},
    {CANVAS_ID_EDIT_PASTE, 221, "&Paste"},
    {0, 0, NULL},
    {CANVAS_ID_EDIT_GROUP, 222, "&Group"},
    {CANVAS_ID_EDIT_UNGROUP, 223, "&Ungroup"},
};

UINT EnableFlag(BOOL bOn) { return MF_BYCOMMAND | (bOn ? MF_ENABLED : MF_GRAYED); }

}  // namespace

CMenu* CCanvasContextMenu::Prepare(CDesignCanvas* pCanvas)
{
    if (!m_bBuilt) {
        if (!m_menu.CreatePopupMenu())
            return NULL;
        for (const MenuItem& item : kItems) {
            if (item.nCommand == 0)
                m_menu.AppendMenu(MF_SEPARATOR);
            else
                m_menu.AppendMenu(MF_STRING, item.nCommand,
                                  CUIControl::LoadInterfaceString(item.nText, item.lpszFallback));
        }
        m_bBuilt = TRUE;
    }
    BOOL any = pCanvas->AnySelected();
    BOOL several = pCanvas->SelectedCount() >= 2;
    m_menu.EnableMenuItem(CANVAS_ID_EDIT_CUT, EnableFlag(any));
    m_menu.EnableMenuItem(CANVAS_ID_EDIT_COPY, EnableFlag(any));
    m_menu.EnableMenuItem(CANVAS_ID_EDIT_PASTE, EnableFlag(pCanvas->CanPaste()));
    m_menu.EnableMenuItem(CANVAS_ID_EDIT_GROUP, EnableFlag(several));
    m_menu.EnableMenuItem(CANVAS_ID_EDIT_UNGROUP, EnableFlag(several));
    return &m_menu;
}

void CCanvasContextMenu::Track(CDesignCanvas* pCanvas, CPoint screenPoint)
{
    if (Prepare(pCanvas))
        m_menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, pCanvas);
}
