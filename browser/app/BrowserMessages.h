// Private messages between the browser's views and its main frame.
#pragma once
#include <windows.h>

#define WM_SHOW_FOLDER (WM_USER + 101)       // wParam: the tree item of the folder to list
#define WM_SELECT_TREE_ITEM (WM_USER + 102)  // wParam: the tree item to select
#define WM_OPEN_FILE_NODE (WM_USER + 103)    // wParam: the file node to extract and open
