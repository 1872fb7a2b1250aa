// The skin's edge and frame-control drawing, in place of the system's.
#pragma once

#include <windows.h>

class CVZRSkinContext;

// DrawEdge with the skin's edge colours; 0 for an edge part with both bits set.
BOOL SkinDrawEdge(CVZRSkinContext& context, HDC dc, LPRECT rect, UINT edge, UINT flags);
// Scroll arrows, the size grip and push buttons from the theme, caption buttons
// with the skin's colours and glyphs of its own; false for the rest, which the
// system draws.
BOOL SkinDrawFrameControl(CVZRSkinContext& context, HDC dc, LPRECT rect, UINT type, UINT state);
