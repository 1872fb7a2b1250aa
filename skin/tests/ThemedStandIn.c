/* A stand-in for the theme library of a themed application: its tree views
   have a border colour of their own, and it names no visual style. */
#include <windows.h>

#define TREE_BORDER RGB(1, 99, 201)

__declspec(dllexport) HANDLE WINAPI OpenThemeData(HWND window, LPCWSTR classList)
{
    (void)window;
    return classList && lstrcmpiW(classList, L"TREEVIEW") == 0 ? (HANDLE)2 : NULL;
}

__declspec(dllexport) HRESULT WINAPI CloseThemeData(HANDLE theme)
{
    (void)theme;
    return S_OK;
}

__declspec(dllexport) BOOL WINAPI IsThemeActive(void) { return TRUE; }

__declspec(dllexport) BOOL WINAPI IsAppThemed(void) { return TRUE; }

__declspec(dllexport) HRESULT WINAPI GetThemeColor(HANDLE theme, int part, int state, int property, COLORREF* colour)
{
    (void)part;
    (void)state;
    if (theme != (HANDLE)2 || property != 3801) /* TMT_BORDERCOLOR */
        return E_FAIL;
    *colour = TREE_BORDER;
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI GetCurrentThemeName(LPWSTR fileName, int fileSize, LPWSTR colourName,
                                                         int colourSize, LPWSTR sizeName, int sizeSize)
{
    (void)fileName;
    (void)fileSize;
    (void)colourName;
    (void)colourSize;
    (void)sizeName;
    (void)sizeSize;
    return E_FAIL;
}
