// What a frame needs to create its view: the view class, the document it
// shows and the template both came from. Also the private messages of the
// document/view classes.
#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/Object.h"
#include "framework/String.h"

class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

#define WM_SETMESSAGESTRING 0x0362  // wParam: string id, or lParam: text
#define WM_INITIALUPDATE 0x0364     // sent to the views of a new frame

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = NULL;
    CDocument* m_pCurrentDoc = NULL;
    CDocTemplate* m_pNewDocTemplate = NULL;
    CView* m_pLastView = NULL;
    CFrameWnd* m_pCurrentFrame = NULL;
};

// Strings of the framework: the resource string when a module has one, else
// the built-in English text.
FW_API CString AfxLoadFwString(UINT nID);
