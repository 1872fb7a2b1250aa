#include "designer/canvas/DesignCanvas.h"

#include <algorithm>
#include <cmath>

#include "designer/canvas/CanvasContextMenu.h"
#include "designer/model/UIControl.h"
#include "designer/model/UIControlList.h"

// ---- commands ------------------------------------------------------------

void CDesignCanvas::SelectAll()
{
    if (m_pList == NULL)
        return;
    m_pList->SelectAll();
    Redraw();
}

void CDesignCanvas::DeselectAll()
{
    if (m_pList)
        m_pList->DeselectAll();
}

void CDesignCanvas::DeleteSelected()
{
    if (m_pList == NULL)
        return;
    m_pList->SaveUndo();
    m_pList->DeleteSelected();
    m_pDragAnchor = NULL;
    Redraw();
}

void CDesignCanvas::Cut()
{
    if (m_pList == NULL)
        return;
    m_pList->SaveUndo();
    m_pList->CopySelected();
    DeleteSelected();
}

void CDesignCanvas::Copy()
{
    if (m_pList == NULL)
        return;
    m_pList->SaveUndo();
    m_pList->CopySelected();
}

void CDesignCanvas::Paste()
{
    if (m_pList == NULL)
        return;
    SetRedraw(FALSE);
    m_pList->SaveUndo();
    m_pList->DeselectAll();
    m_pList->Paste();
    SetRedraw(TRUE);
    Redraw();
}

void CDesignCanvas::Undo()
{
    if (m_pList == NULL)
        return;
    m_pList->Undo();
    m_pDragAnchor = NULL;
    Redraw();
}

void CDesignCanvas::Group()
{
    if (m_pList == NULL)
        return;
    SetRedraw(FALSE);
    m_pList->SaveUndo();
    m_pList->GroupSelected();
    SetRedraw(TRUE);
    Redraw();
}

void CDesignCanvas::Ungroup()
{
    if (m_pList == NULL)
        return;
    SetRedraw(FALSE);
    m_pList->SaveUndo();
    m_pList->UngroupSelected();
    SetRedraw(TRUE);
    Redraw();
}

void CDesignCanvas::DuplicateSelected()
{
    if (SelectedCount() != 1)
        return;
    CUIControl* p = GetSelectedElement();
    m_pList->SaveUndo();
    m_pList->Duplicate(p);
    p->SetSelected(FALSE);
    Redraw();
}

void CDesignCanvas::OrderUp()
{
    if (SelectedCount() != 1)
        return;
    m_pList->MoveUp(GetSelectedElement());
    Redraw();
}

void CDesignCanvas::OrderDown()
{
    if (SelectedCount() != 1)
        return;
    m_pList->MoveDown(GetSelectedElement());
    Redraw();
}

void CDesignCanvas::OrderTop()
{
    if (SelectedCount() != 1)
        return;
    m_pList->BringToTop(GetSelectedElement());
    Redraw();
}

void CDesignCanvas::OrderBottom()
{
    if (SelectedCount() != 1)
        return;
    m_pList->SendToBottom(GetSelectedElement());
    Redraw();
}

void CDesignCanvas::ShowSelectedProperties()
{
    if (SelectedCount() == 1)
        GetSelectedElement()->ShowProperties(this, TRUE);
}

namespace {

enum AlignKind { ALIGN_LEFT,
                 ALIGN_RIGHT,
                 ALIGN_TOP,
                 ALIGN_BOTTOM,
                 ALIGN_SIZE };

void AlignTo(CUIControl* e, const CUIControl* r, AlignKind kind)
{
    double w = e->GetRight() - e->GetLeft(), h = e->GetBottom() - e->GetTop();
    switch (kind) {
    case ALIGN_LEFT: e->SetRect(r->GetLeft(), e->GetTop(), r->GetLeft() + w, e->GetBottom()); break;
    case ALIGN_RIGHT: e->SetRect(r->GetRight() - w, e->GetTop(), r->GetRight(), e->GetBottom()); break;
    case ALIGN_TOP: e->SetRect(e->GetLeft(), r->GetTop(), e->GetRight(), r->GetTop() + h); break;
    case ALIGN_BOTTOM: e->SetRect(e->GetLeft(), r->GetBottom() - h, e->GetRight(), r->GetBottom()); break;
    case ALIGN_SIZE:
        e->SetRect(e->GetLeft(), e->GetTop(), e->GetLeft() + (r->GetRight() - r->GetLeft()),
                   e->GetTop() + (r->GetBottom() - r->GetTop()));
        break;
    }
}

}  // namespace

static void AlignSelection(CDesignCanvas* pCanvas, CUIControlList* pList, int kind)
{
    if (pList == NULL || pCanvas->SelectedCount() < 2)
        return;
    pList->SaveUndo();
    CUIControl* pRef = pCanvas->GetSelectedElement();
    for (int i = 0; i < pList->GetCount(); ++i) {
        CUIControl* e = pList->GetAt(i);
        if (e->IsSelected() && e != pRef)
            AlignTo(e, pRef, (AlignKind)kind);
    }
    AlignTo(pRef, pRef, (AlignKind)kind);
    pList->SetModified(TRUE);
    pCanvas->Redraw();
}

void CDesignCanvas::AlignLeft() { AlignSelection(this, m_pList, ALIGN_LEFT); }
void CDesignCanvas::AlignRight() { AlignSelection(this, m_pList, ALIGN_RIGHT); }
void CDesignCanvas::AlignTop() { AlignSelection(this, m_pList, ALIGN_TOP); }
void CDesignCanvas::AlignBottom() { AlignSelection(this, m_pList, ALIGN_BOTTOM); }
void CDesignCanvas::SameSize() { AlignSelection(this, m_pList, ALIGN_SIZE); }

void CDesignCanvas::SetPictureScale(double scale)
{
    // steps of 0.2 from 1.0 land near 0 and 1, not on them
    const double kTolerance = 1e-9;
    if (!(scale > kTolerance) || m_pList == NULL)
        return;
    CUIControl* pPicture = NULL;
    for (int i = 0; i < ElementCount() && pPicture == NULL; ++i) {
        CUIControl* p = m_pList->GetAt(i);
        if (p->IsSelected() && p->GetTypeName() == "picture")
            pPicture = p;
    }
    if (pPicture != NULL) {
        int x = (int)pPicture->GetLeft(), y = (int)pPicture->GetTop();
        int w = (int)pPicture->GetDefaultWidth(), h = (int)pPicture->GetDefaultHeight();
        if (fabs(scale - 1.0) > kTolerance) {
            w = (int)(pPicture->GetDefaultWidth() * scale);
            h = (int)(pPicture->GetDefaultHeight() * scale);
        }
        CRect rc;
        GetClientRect(&rc);
        // a factor that leaves less than a pixel a side is refused like one too large
        if (w >= 1 && h >= 1 && x + w <= rc.Width() && y + h <= rc.Height()) {
            pPicture->SetRect(pPicture->GetLeft(), pPicture->GetTop(), (double)x + w, (double)y + h);
            m_pictureScale = scale;
        }
    }
    Redraw();
}

void CDesignCanvas::DoElementCommand(UINT nID)
{
    if (m_pList == NULL)
        return;
    m_pList->SaveUndo();
    m_pList->Broadcast(nID, TRUE, NULL, this);
    m_pDragAnchor = NULL;
    Redraw();
}

CCanvasContextMenu* CDesignCanvas::GetContextMenu()
{
    if (m_pContextMenu == NULL)
        m_pContextMenu = new CCanvasContextMenu;
    return m_pContextMenu;
}

void CDesignCanvas::ShowContextMenu(CPoint screenPoint) { GetContextMenu()->Track(this, screenPoint); }

BOOL CDesignCanvas::CanPaste() const { return m_pList != NULL && m_pList->GetClipboardCount() != 0; }

BOOL CDesignCanvas::CanUndo() const { return m_pList != NULL && m_pList->GetUndoCount() > 0; }

void CDesignCanvas::OnUpdateCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(CanCopy()); }
void CDesignCanvas::OnUpdatePaste(CCmdUI* pCmdUI) { pCmdUI->Enable(CanPaste()); }
void CDesignCanvas::OnUpdateUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(CanUndo()); }
void CDesignCanvas::OnUpdateGroup(CCmdUI* pCmdUI) { pCmdUI->Enable(SelectedCount() >= 2); }
void CDesignCanvas::OnUpdateElementCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(AnySelected()); }

void CDesignCanvas::OnEditCopy() { Copy(); }
void CDesignCanvas::OnEditCut() { Cut(); }
void CDesignCanvas::OnEditPaste() { Paste(); }
void CDesignCanvas::OnEditUndo() { Undo(); }
void CDesignCanvas::OnEditGroup() { Group(); }
void CDesignCanvas::OnEditUngroup() { Ungroup(); }
