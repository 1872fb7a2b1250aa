#include "framework/WinState.h"
#include "framework/Wnd.h"
#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "framework/Menu.h"
#include "framework/ImageList.h"

AfxThreadState::~AfxThreadState()
{
    if (hHookOldCbt != nullptr)
        ::UnhookWindowsHookEx(hHookOldCbt);
    AfxDeleteTempMaps();
}

AfxThreadState* AfxGetThreadState()
{
    static thread_local AfxThreadState state;
    return &state;
}

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}
