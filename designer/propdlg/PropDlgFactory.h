// The studio's element property dialogs, handed to the element model at
// start-up.
#pragma once

#include <windows.h>

class CUIControlEditor;

// The dialog of an element type and its template id; NULL for "basic" or an
// unknown type.
CUIControlEditor* CreateElementPropertyDialog(LPCTSTR lpszTypeName, int& nDialogId);
// Sets the factory of the elements and the template picker of the dialogs,
// which opens in lpszTemplateFolder when the profile names no folder.
void RegisterPropertyDialogs(LPCTSTR lpszTemplateFolder);
