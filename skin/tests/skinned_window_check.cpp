// Checks a skinned top-level window of another process from outside: its
// region leaves out the caption's rounded corners, and the screen shows the
// theme's border colour on the caption's top row and on the left and bottom
// sides (a dialog's left side only). With "about" it then opens the program's About box and checks it too.
//
//   skinned_window_check <title part> [about]
//
// Exit code 0 when every check holds, 1 when one fails, 2 when no window.
#include <windows.h>
#include <stdio.h>
#include <string.h>

namespace {
// The theme's panel border, active and inactive.
const COLORREF kBorders[] = {RGB(20, 50, 120), RGB(54, 60, 74)};
const WPARAM kAboutCommand = 0xE140;

struct Search {
    const char* part;
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindByTitle(HWND hwnd, LPARAM lParam)
{
    Search* s = reinterpret_cast<Search*>(lParam);
    char title[256] = "";
    GetWindowTextA(hwnd, title, sizeof(title));
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (IsWindowVisible(hwnd) && (s->process ? process == s->process : strstr(title, s->part) != NULL)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

bool IsBorder(COLORREF c)
{
    for (COLORREF b : kBorders) {
        if (c == b)
            return true;
    }
    return false;
}

// A dialog's thin bottom border squeezes the image's margins: its sides only.
int Check(HWND hwnd, const char* what, bool withBottom)
{
    int failures = 0;
    RECT r;
    GetWindowRect(hwnd, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hwnd, region) == ERROR) {
        printf("%s: no window region\n", what);
        ++failures;
    } else if (PtInRegion(region, 0, 0) || PtInRegion(region, w - 1, 0) || !PtInRegion(region, w / 2, 0) ||
               !PtInRegion(region, w / 2, h - 1)) {
        printf("%s: the region keeps the caption corners or loses the middle\n", what);
        ++failures;
    }
    DeleteObject(region);
    HDC screen = GetDC(NULL);
    struct {
        int x, y;
        const char* place;
    } places[] = {{w / 2, 0, "caption top"}, {0, h / 2, "left side"}, {w / 2, h - 1, "bottom"}};
    for (const auto& p : places) {
        if (!withBottom && p.y == h - 1)
            continue;
        COLORREF c = GetPixel(screen, r.left + p.x, r.top + p.y);
        if (!IsBorder(c)) {
            printf("%s: %s is %06lx, not the theme's border\n", what, p.place, (unsigned long)c);
            ++failures;
        }
    }
    ReleaseDC(NULL, screen);
    printf("%s: %dx%d, %s\n", what, w, h, failures ? "FAILED" : "themed");
    return failures;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    Search s = {argv[1], 0, NULL};
    for (int i = 0; i < 50 && !s.found; ++i) {
        EnumWindows(FindByTitle, LPARAM(&s));
        if (!s.found)
            Sleep(100);
    }
    if (!s.found)
        return 2;
    HWND main = s.found;
    int failures = 0;
    // Painting may still be under way: a few looks.
    for (int i = 0; i < 10; ++i) {
        Sleep(300);
        failures = Check(main, "main window", true);
        if (!failures)
            break;
    }
    if (argc > 2 && strcmp(argv[2], "about") == 0) {
        PostMessageA(main, WM_COMMAND, kAboutCommand, 0);
        HWND about = NULL;
        for (int i = 0; i < 50 && !about; ++i) {
            Sleep(100);
            HWND popup = GetLastActivePopup(main);
            if (popup && popup != main)
                about = popup;
        }
        if (!about) {
            printf("no About box\n");
            return 1;
        }
        int aboutFailures = 0;
        for (int i = 0; i < 10; ++i) {
            Sleep(300);
            aboutFailures = Check(about, "About box", false);
            if (!aboutFailures)
                break;
        }
        failures += aboutFailures;
    }
    return failures ? 1 : 0;
}
