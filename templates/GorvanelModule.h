// The library's module handle, its debug log and its list icon.
#pragma once

#include <windows.h>

class CImageList;
class CListCtrl;

HINSTANCE GorvanelInstance();
void GorvanelLog(LPCSTR lpszFormat, ...);
// Fills images with the 32x32 template icon and makes it the list's
// large-icon image list.
void SetTemplateIcons(CListCtrl& list, CImageList& images);
