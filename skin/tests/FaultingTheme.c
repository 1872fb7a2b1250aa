/* A stand-in for the theme library whose functions fault, for the guard tests.
   OpenThemeData answers a handle except for the class list "FAULT". */
#include <windows.h>

static int* volatile g_nowhere = 0;

static void Fault(void) { *g_nowhere = 1; }

__declspec(dllexport) HANDLE WINAPI OpenThemeData(HWND window, LPCWSTR classList)
{
    (void)window;
    if (classList && lstrcmpW(classList, L"FAULT") == 0)
        Fault();
    return (HANDLE)1;
}

__declspec(dllexport) HRESULT WINAPI CloseThemeData(HANDLE theme)
{
    (void)theme;
    Fault();
    return S_OK;
}

__declspec(dllexport) BOOL WINAPI IsThemeActive(void)
{
    Fault();
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI IsAppThemed(void)
{
    Fault();
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI GetThemeColor(HANDLE theme, int part, int state, int property, COLORREF* colour)
{
    (void)theme;
    (void)part;
    (void)state;
    (void)property;
    *colour = 0x123456;
    Fault();
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
    Fault();
    return S_OK;
}
