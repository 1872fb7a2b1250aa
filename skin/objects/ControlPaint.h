// Painting of the skinned controls into a DC from the theme classes and skin
// metrics of a skin context. The skin objects call these from their message
// handlers; the system's own painting, where a control needs it, comes through
// the default procedure that the caller passes.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "skin/objects/ControlStates.h"

#include <functional>

class CVZRSkinContext;
class CVZRThemeClass;

// The window's own (unskinned) procedure for a message.
typedef std::function<LRESULT(UINT, WPARAM, LPARAM)> VZRDefProc;

// Asks for WM_MOUSELEAVE once the mouse leaves the window.
void TrackMouseLeave(HWND window);
// A control's hot part changed: keep it, repaint, and follow the mouse out when
// something is hot ("hot" compares true).
template <class T>
void SetControlHot(HWND window, T& current, T hot, bool tracked)
{
    if (hot == current)
        return;
    current = hot;
    ::InvalidateRect(window, NULL, FALSE);
    if (tracked)
        TrackMouseLeave(window);
}

VZREdges SkinEdges(CVZRSkinContext& skin);
COLORREF SkinColor(CVZRSkinContext& skin, int index);
HBRUSH SkinBrush(CVZRSkinContext& skin, int index);
// The parent's answer to the colour message: a system colour index + 1 gives
// the skin brush of it, a larger one is a brush; no answer gives the skin's
// window brush for edit and list colours, else the button face brush.
HBRUSH GetControlBrush(CVZRSkinContext& skin, HWND window, HDC dc, UINT message);
// Fills the rectangle with the parent's brush, or the skin button face.
HBRUSH FillControlBackground(CVZRSkinContext& skin, HWND window, HDC dc, const RECT& rect, UINT message);

// Buttons: the whole client, or nothing for owner-drawn and newer types.
bool IsSkinnedButton(HWND button);
void PaintButton(CVZRSkinContext& skin, HWND button, HDC dc, bool hot, bool pushed);

// Input controls.
UINT InputCtlColorMessage(HWND window, bool fromChild);
void PaintComboBox(CVZRSkinContext& skin, HWND combo, HDC dc, bool hot, const VZRDefProc& defProc);
// The picker's own text comes from defProc; without one from WM_PRINTCLIENT sent
// to the picker, which must then not be subclassed by the skin (it would recurse).
void PaintDateTime(CVZRSkinContext& skin, HWND picker, HDC dc, bool hot, DWORD comctlVersion,
                   const VZRDefProc& defProc = VZRDefProc());
void SetCalendarColors(CVZRSkinContext& skin, HWND window, bool dateTime);
// Creation: the border and client edges go, the skin draws its own.
void StripInputBorders(HWND window);

// Lists.
void ApplyListViewColors(CVZRSkinContext& skin, HWND list, bool skinned);
void ApplyTreeViewColors(CVZRSkinContext& skin, HWND tree, bool skinned);
void PaintHeader(CVZRSkinContext& skin, HWND header, HDC dc, int hot, bool pressed, const VZRDefProc& defProc,
                 DWORD comctlVersion);

// Bars and menus.
void PaintPopupMenuBorder(HWND menu, HDC dc);
void PaintPopupMenuClient(CVZRSkinContext& skin, HWND menu, HDC dc, const VZRDefProc& defProc);
void PaintProgress(CVZRSkinContext& skin, HWND progress, HDC dc, int marqueeOffset);
// The marquee offset after one timer tick.
int AdvanceMarquee(CVZRSkinContext& skin, HWND progress, int offset, int interval);
void PaintSpin(CVZRSkinContext& skin, HWND spin, HDC dc, int hot, int pressed);
void PaintTrackbar(CVZRSkinContext& skin, HWND trackbar, HDC dc, bool hot, int tickFrequency);

// Tabs and toolbars.
RECT GetTabBand(CVZRSkinContext& skin, HWND tab);
void PaintTabBackground(CVZRSkinContext& skin, HWND tab, HDC dc, const RECT& rect);
void PaintTab(CVZRSkinContext& skin, HWND tab, HDC dc, int hot);
int TabItemAt(HWND tab, POINT pt);
void PaintToolbar(CVZRSkinContext& skin, HWND toolbar, HDC dc, DWORD comctlVersion);
// A button's text, asked for its length first; empty when there is none.
CString GetToolbarButtonText(HWND toolbar, int command);
