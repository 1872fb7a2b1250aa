// The installer's off-screen DC: drawing collects in a bitmap of the target
// rectangle and is copied to the target when the object goes away.
#pragma once
#include "controls/OffscreenDC.h"

class CMemDC : public COffscreenDC {
public:
    explicit CMemDC(CDC *pDC, const RECT *pRect = NULL) : COffscreenDC(pDC, pRect) {}
};
