// CCanvasContextMenu: the design canvas's own popup (cut, copy, paste,
// group, ungroup), built once and enabled for the selection each time.
#pragma once

#include "framework/Geometry.h"
#include "framework/Menu.h"

class CDesignCanvas;

class CCanvasContextMenu {
public:
    CCanvasContextMenu() : m_bBuilt(FALSE) {}

    // Builds the popup on first use and sets its items' states for the
    // canvas; NULL when no menu could be made.
    CMenu* Prepare(CDesignCanvas* pCanvas);
    // Tracks the prepared popup; the command goes to the canvas.
    void Track(CDesignCanvas* pCanvas, CPoint screenPoint);

private:
    CCanvasContextMenu(const CCanvasContextMenu&);
    CCanvasContextMenu& operator=(const CCanvasContextMenu&);

    CMenu m_menu;
    BOOL m_bBuilt;
};
