// Checks a skinned top-level window of another process from outside: its
// region leaves out the caption's rounded corners, and the screen shows the
// theme's border colour on the caption's top row and on the left and bottom
// sides (a dialog's left side only). With "about" it then opens the program's About box and checks it too.
// The other forms drive the program for a screenshot script and print the
// rectangle of the window to shoot ("x y w h"):
//   skinned_window_check <title part> [about]
//   skinned_window_check <title part> post <command id>   the dialog a command opens
//   skinned_window_check <title part> press <button id>   the front dialog after a click
//                                                          ("closed" when it went away)
//   skinned_window_check <title part> dblclick <control id> a double click near the
//                                                          control's top left (its first item)
//   skinned_window_check <title part> menu                 the open popup menu
//
// Exit code 0 when every check holds, 1 when one fails, 2 when no window.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
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
// The program's front popup, once it is there and idle, or NULL.
HWND FrontPopup(HWND main)
{
    for (int i = 0; i < 100; ++i) {
        HWND popup = GetLastActivePopup(main);
        if (popup && popup != main && IsWindowVisible(popup)) {
            DWORD_PTR result;
            SendMessageTimeoutA(popup, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
            return popup;
        }
        Sleep(100);
    }
    return NULL;
}

struct MenuSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindMenu(HWND hwnd, LPARAM lParam)
{
    MenuSearch* s = reinterpret_cast<MenuSearch*>(lParam);
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == s->process && IsWindowVisible(hwnd) && strcmp(cls, "#32768") == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

int PrintRect(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

// The program's main window must still answer: a hung one fails.
bool Answers(HWND main)
{
    DWORD_PTR result;
    return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

struct ControlSearch {
    UINT id;
    HWND found;
};

BOOL CALLBACK FindControl(HWND hwnd, LPARAM lParam)
{
    ControlSearch* s = reinterpret_cast<ControlSearch*>(lParam);
    if (UINT(GetDlgCtrlID(hwnd)) == s->id && IsWindowVisible(hwnd)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

int Drive(HWND main, const char* action, UINT id)
{
    if (strcmp(action, "dblclick") == 0) {
        // on a page of a property sheet too: any visible descendant
        ControlSearch s = {id, NULL};
        HWND popup = GetLastActivePopup(main);
        if (popup != main)
            EnumChildWindows(popup, FindControl, LPARAM(&s));
        if (!s.found) {
            printf("no control %u in the front dialog\n", id);
            return 1;
        }
        const LPARAM at = MAKELPARAM(60, 35);
        PostMessageA(s.found, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(s.found, WM_LBUTTONUP, 0, at);
        PostMessageA(s.found, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(s.found, WM_LBUTTONUP, 0, at);
        return Answers(main) ? PrintRect(popup) : 1;
    }
    if (strcmp(action, "menu") == 0) {
        MenuSearch s = {0, NULL};
        GetWindowThreadProcessId(main, &s.process);
        for (int i = 0; i < 30 && !s.found; ++i) {
            EnumWindows(FindMenu, LPARAM(&s));
            if (!s.found)
                Sleep(100);
        }
        return s.found ? PrintRect(s.found) : 2;
    }
    if (strcmp(action, "post") == 0) {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        HWND popup = FrontPopup(main);
        if (!popup)
            printf("no dialog after command %u\n", id);
        return popup ? PrintRect(popup) : 1;
    }
    if (strcmp(action, "press") == 0) {
        HWND popup = GetLastActivePopup(main);
        HWND button = popup != main ? GetDlgItem(popup, id) : NULL;
        if (!button) {
            printf("no button %u in the front dialog\n", id);
            return 1;
        }
        if (!IsWindowEnabled(button) || !IsWindowVisible(button)) {
            printf("button %u is disabled\n", id);
            return 3;
        }
        PostMessageA(popup, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(button));
        for (int i = 0; i < 10 && IsWindow(popup); ++i)
            Sleep(100);  // a page turns at once; a closing dialog goes soon
        if (!Answers(main)) {
            printf("the program does not answer\n");
            return 1;
        }
        HWND front = GetLastActivePopup(main);
        if (front == main || !IsWindowVisible(front)) {
            printf("closed\n");
            return 0;
        }
        return PrintRect(front);
    }
    return 2;
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
    // a dialog of the program may carry its title too
    HWND main = GetAncestor(s.found, GA_ROOTOWNER);
    if (argc > 2 && strcmp(argv[2], "about") != 0)
        return Drive(main, argv[2], argc > 3 ? strtoul(argv[3], NULL, 0) : 0);
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
