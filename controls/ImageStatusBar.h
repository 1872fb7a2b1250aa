// The main frame's status bar: the position and size panes (indexes 1 and 2,
// owner-drawn) show a small picture in front of their text.
#pragma once
#include "framework/StatusBar.h"

#define IDB_STATUS_POSITION 131
#define IDB_STATUS_SIZE 144

class CImageStatusBar : public CStatusBar {
public:
    CImageStatusBar() {}
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};
