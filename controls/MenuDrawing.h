// Helpers shared by the owner-drawn menu, the menu bar and the toolbar images:
// the system menu font, toolbar resources and embossed images.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <vector>

// A font made from the system's menu font (NULL when it cannot be read).
HFONT CreateMenuFont();

// The toolbar resource (type 241) in either layout the framework reads: image
// width and height and one command id per button (0: separator). FALSE when
// missing or damaged.
struct CToolBarResource {
    int nWidth = 0, nHeight = 0;
    std::vector<UINT> ids;
    BOOL Load(HINSTANCE hInst, UINT nID);
};

// A toolbar control made only to read a toolbar resource's buttons; it is never
// shown and is destroyed with this object.
class CHiddenToolBar {
public:
    struct Button {
        UINT nID;
        int nImage;
    };
    CHiddenToolBar() : m_hWnd(NULL) {}
    ~CHiddenToolBar();
    BOOL Create(HINSTANCE hInst, UINT nToolBarID);
    HWND GetSafeHwnd() const { return m_hWnd; }
    const std::vector<Button>& GetButtons() const { return m_buttons; }

private:
    HWND m_hWnd;
    std::vector<Button> m_buttons;
    CHiddenToolBar(const CHiddenToolBar&);
    CHiddenToolBar& operator=(const CHiddenToolBar&);
};

// Loads bitmap nID into the list masked with COLOR_3DFACE: a 16-colour bitmap with the
// system colours mapped; any other one with its crBackground and magenta pixels
// turned into COLOR_3DFACE.
BOOL LoadToolbarBitmap(HINSTANCE hInst, UINT nID, HIMAGELIST hList, int cx, int cy, COLORREF crBackground);

// A rectangle filled or framed (one pixel) in one colour.
void FillSolid(HDC hDC, const RECT& rc, COLORREF cr);
void FrameSolid(HDC hDC, const RECT& rc, COLORREF cr);

// Bits per pixel of a bitmap resource, 0 when missing.
int BitmapResourceDepth(HINSTANCE hInst, UINT nID);

// Paints the shape of an image (its pixels that differ from crFace when drawn over it)
// in COLOR_BTNHIGHLIGHT one pixel right and down (when bHighlight) and in
// COLOR_BTNSHADOW at (x, y).
void EmbossImage(HDC hDC, HIMAGELIST hList, int nImage, int x, int y, int cx, int cy,
                 COLORREF crFace, BOOL bHighlight);
