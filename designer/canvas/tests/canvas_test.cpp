// Design canvas driven by messages as a user would: placing, dragging,
// resizing, nudging, aligning, the clipboard and undo; the page drawn at
// several zooms and scroll positions; command states; the page renders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "designer/canvas/CanvasContextMenu.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"
#include "designer/canvas/ViewCanvas.h"
#include "designer/core/XmlDocument.h"
#include "framework/CmdUI.h"
#include "imaging/xImage.h"

namespace {

const COLORREF kHandle = RGB(197, 231, 246);
const COLORREF kFrame = RGB(10, 20, 30);

// The view's commands that the canvas carries out.
enum { ID_ALIGN_LEFT = 32808,
       ID_ALIGN_RIGHT,
       ID_ALIGN_TOP,
       ID_ALIGN_BOTTOM,
       ID_SAME_SIZE };

class TestCanvas : public CViewCanvas {
public:
    using CDesignCanvas::PaintClient;
    void DrawElements(CDC* pDC, double zoom) override
    {
        ++paints;
        CViewCanvas::DrawElements(pDC, zoom);
    }
    int paints = 0;
};

// A top-level window standing in for the view: it hosts the canvas over its
// whole client area and forwards the alignment commands as the view does.
class CanvasHost : public CWnd {
public:
    CanvasHost(int w, int h, CUIControlList* pList)
    {
        CreateEx(0, AfxRegisterWndClass(0), "canvas host", WS_POPUP | WS_VISIBLE, 0, 0, w, h, NULL, NULL);
        canvas.SetFrameColor(kFrame);
        canvas.Create(CRect(0, 0, w, h), this, pList);
    }
    ~CanvasHost()
    {
        if (m_hWnd != NULL)
            DestroyWindow();
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        switch (LOWORD(wParam)) {
        case ID_ALIGN_LEFT: canvas.AlignLeft(); return TRUE;
        case ID_ALIGN_RIGHT: canvas.AlignRight(); return TRUE;
        case ID_ALIGN_TOP: canvas.AlignTop(); return TRUE;
        case ID_ALIGN_BOTTOM: canvas.AlignBottom(); return TRUE;
        case ID_SAME_SIZE: canvas.SameSize(); return TRUE;
        default: return CWnd::OnCommand(wParam, lParam);
        }
    }
    TestCanvas canvas;
};

CString Serialize(const CUIControlList& list)
{
    CXmlDocument doc;
    doc.AddElem("ROOT");
    for (int i = 0; i < list.GetCount(); ++i)
        list.GetAt(i)->SaveToMarkup(doc);
    return list.GetPaperMarkup() + doc.GetDoc();
}

std::string RectText(const CUIControl* p)
{
    CRect r = p->GetRect();
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// A 32-bit top-down DIB in a memory DC.
class Pixels {
public:
    Pixels(int w, int h) : m_w(w), m_h(h), m_bits(NULL)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_bitmap = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, (void**)&m_bits, NULL, 0);
        dc.Attach(::CreateCompatibleDC(NULL));
        m_old = ::SelectObject(dc, m_bitmap);
    }
    ~Pixels()
    {
        ::SelectObject(dc, m_old);
        ::DeleteObject(m_bitmap);
    }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        if (x < 0 || y < 0 || x >= m_w || y >= m_h) {
            ADD_FAILURE() << "pixel outside the picture: " << x << "," << y;
            return CLR_INVALID;
        }
        DWORD v = m_bits[y * m_w + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    CDC dc;

private:
    int m_w, m_h;
    DWORD* m_bits;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.SetPaperSize(640, 480);
        host = new CanvasHost(800, 600, &list);
        canvas = &host->canvas;
        canvas->SetGridVisible(FALSE);
    }
    void TearDown() override { delete host; }

    HWND Wnd() const { return canvas->GetSafeHwnd(); }
    void Down(int x, int y, UINT flags = 0) { ::SendMessage(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(x, y)); }
    void Move(int x, int y) { ::SendMessage(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Up(int x, int y) { ::SendMessage(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    void Drag(int x0, int y0, int x1, int y1, UINT flags = 0)
    {
        Down(x0, y0, flags);
        Move((x0 + x1) / 2, (y0 + y1) / 2);
        Move(x1, y1);
        Up(x1, y1);
    }
    // Sends a key with Ctrl and Shift as the thread's key state says.
    void Key(UINT vk, BOOL ctrl = FALSE, BOOL shift = FALSE)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        BYTE saved[256];
        memcpy(saved, state, sizeof(state));
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(state);
        ::SendMessage(Wnd(), WM_KEYDOWN, vk, 1);
        ::SetKeyboardState(saved);
    }
    void Command(HWND hWnd, UINT id) { ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    CUIControl* Place(CUIControl* prototype, int x0, int y0, int x1, int y1)
    {
        canvas->SetPrototype(prototype);
        EXPECT_TRUE(canvas->IsAdding());
        int before = list.GetCount();
        Drag(x0, y0, x1, y1);
        EXPECT_EQ(before + 1, list.GetCount());
        EXPECT_FALSE(canvas->IsAdding());
        return list.GetAt(list.GetCount() - 1);
    }

    CUIControlList list;
    CanvasHost* host;
    TestCanvas* canvas;
};

TEST_F(CanvasTest, EditingByMouseAndKeysUndoesBackToTheStart)
{
    CUIStatic* first = new CUIStatic;
    first->SetRect(500.0, 400.0, 560.0, 430.0);
    list.Add(first);
    list.SetModified(FALSE);
    const CString start = Serialize(list);

    CUIControl* button = Place(new CUIButton, 100, 100, 200, 140);
    EXPECT_EQ("100,100,200,140", RectText(button));
    EXPECT_TRUE(button->IsSelected());
    CUIControl* picture = Place(new CUIPicture, 300, 50, 360, 90);
    EXPECT_EQ("300,50,360,90", RectText(picture));
    CUIControl* text = Place(new CUIStatic, 20, 300, 120, 330);
    EXPECT_EQ("20,300,120,330", RectText(text));
    CUIControl* progress = Place(new CUIProgress, 200, 400, 400, 420);
    EXPECT_EQ("200,400,400,420", RectText(progress));
    EXPECT_EQ(1, canvas->SelectedCount());
    EXPECT_TRUE(list.IsModified());

    // Drag the button by its body, then size it by its bottom-right handle.
    Drag(150, 120, 250, 170);
    EXPECT_EQ("200,150,300,190", RectText(button));
    EXPECT_TRUE(button->IsSelected());
    EXPECT_FALSE(progress->IsSelected());
    Drag(302, 192, 340, 220);
    EXPECT_EQ("200,150,340,220", RectText(button));

    // Nudge it: three steps right, two down; Shift+Right widens it.
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ("203,152,343,222", RectText(button));
    Key(VK_RIGHT, FALSE, TRUE);
    EXPECT_EQ("203,152,344,222", RectText(button));

    // Ctrl+click adds the picture; the picture is higher, so it leads.
    Down(330, 70, MK_CONTROL);
    Up(330, 70);
    EXPECT_EQ(2, canvas->SelectedCount());
    Command(host->GetSafeHwnd(), ID_ALIGN_LEFT);
    EXPECT_EQ("300,152,441,222", RectText(button));
    EXPECT_EQ("300,50,360,90", RectText(picture));
    Command(host->GetSafeHwnd(), ID_SAME_SIZE);
    EXPECT_EQ("300,152,360,192", RectText(button));
    Command(host->GetSafeHwnd(), ID_ALIGN_BOTTOM);
    EXPECT_EQ("300,50,360,90", RectText(button));

    // Copy and paste through the canvas's own commands.
    Command(Wnd(), CANVAS_ID_EDIT_COPY);
    Command(Wnd(), CANVAS_ID_EDIT_PASTE);
    EXPECT_EQ(7, list.GetCount());
    EXPECT_EQ(2, canvas->SelectedCount());
    EXPECT_FALSE(button->IsSelected());

    // Ctrl+Z until nothing is left to undo gives back the first list.
    int guard = 0;
    while (list.GetUndoCount() > 0 && guard++ < 100)
        Key('Z', TRUE);
    EXPECT_EQ(0, list.GetUndoCount());
    EXPECT_STREQ(start, Serialize(list));
}

TEST_F(CanvasTest, DraggedElementFollowsThePointerAtAnyZoomAndScroll)
{
    CUIStatic* e = new CUIStatic;
    e->SetRect(50.0, 40.0, 150.0, 100.0);
    list.Add(e);

    canvas->SetZoom(2.0);  // page 1280 x 960 in 800 x 600: both bars
    EXPECT_TRUE(canvas->GetStyle() & WS_HSCROLL);
    EXPECT_TRUE(canvas->GetStyle() & WS_VSCROLL);
    Drag(120, 100, 220, 300);  // grabbed 20 x 20 client pixels inside
    EXPECT_EQ("100,140,200,200", RectText(e));
    EXPECT_EQ(CPoint(200, 280), canvas->PageToClient(100, 140));

    canvas->SetHScrollPos(100);
    canvas->SetVScrollPos(60);
    EXPECT_EQ(100, canvas->GetHScrollPos());
    CPoint corner = canvas->PageToClient(100, 140);
    EXPECT_EQ(CPoint(100, 220), corner);
    Drag(corner.x + 5, corner.y + 7, corner.x + 5 + 41, corner.y + 7 + 21);
    // 41 x 21 client pixels at zoom 2 are 20.5 x 10.5 page pixels.
    EXPECT_EQ(CPoint(121, 151), CPoint(e->GetRect().left, e->GetRect().top));
    EXPECT_EQ(CPoint(121, 151), canvas->ClientToPage(canvas->PageToClient(121, 151)));

    canvas->SetZoom(0.5);
    EXPECT_FALSE(canvas->GetStyle() & WS_HSCROLL);
    EXPECT_EQ(0, canvas->GetHScrollPos());
    corner = canvas->PageToClient(121, 151);
    Drag(corner.x + 2, corner.y + 2, corner.x + 12, corner.y + 2);
    EXPECT_EQ(141, e->GetRect().left);

    // Arrow steps: 2 page pixels at zoom 0.5, 1 at zoom 2.
    Key(VK_LEFT);
    EXPECT_EQ(139, e->GetRect().left);
    canvas->SetZoom(2.0);
    Key(VK_LEFT);
    EXPECT_EQ(138, e->GetRect().left);
}

TEST_F(CanvasTest, ZeroZoomAndGridNeverDivideByZero)
{
    CUIStatic* e = new CUIStatic;
    e->SetRect(10.0, 10.0, 50.0, 30.0);
    e->SetSelected(TRUE);
    list.Add(e);
    canvas->SetZoom(0.0);
    EXPECT_GT(canvas->GetZoom(), 0.0);
    canvas->SetZoom(-3.0);
    EXPECT_GT(canvas->GetZoom(), 0.0);
    for (int i = 0; i < 300; ++i)
        Key(VK_SUBTRACT);
    EXPECT_GT(canvas->GetZoom(), 0.0);
    CPoint q = canvas->ClientToPage(CPoint(5, 5));
    EXPECT_GE(q.x, 0);
    EXPECT_LT(q.x, 100000);

    canvas->SetZoom(1.0);
    canvas->SetGridSize(0, 0);
    EXPECT_EQ(CSize(1, 1), canvas->GetGridSize());
    canvas->SetGridSize(-5, 8);
    EXPECT_EQ(CSize(1, 8), canvas->GetGridSize());
    canvas->SetGridVisible(TRUE);
    canvas->SetSnapToGrid(TRUE);
    Key(VK_RIGHT);
    EXPECT_EQ(13, e->GetRect().left);  // 11 on a grid of 1, plus the grid's offset of 2
    canvas->SetZoom(1e9);
    EXPECT_DOUBLE_EQ(10.0, canvas->GetZoom());
}

TEST_F(CanvasTest, SnappingKeepInsideAndRubberBand)
{
    canvas->SetSnapToGrid(TRUE);
    CUIControl* a = Place(new CUIStatic, 13, 13, 61, 45);
    EXPECT_EQ("18,18,66,50", RectText(a));  // the dragged corner snaps too
    EXPECT_EQ(18, canvas->SnapX(13));

    canvas->SetSnapToGrid(FALSE);
    canvas->SetKeepInside(2);  // margins 4
    Drag(30, 30, -200, -200);
    EXPECT_EQ("4,4,52,36", RectText(a));
    Drag(20, 20, 900, 900);
    EXPECT_EQ("588,444,636,476", RectText(a));

    // Adding outside the margins places nothing and ends placing.
    canvas->SetPrototype(new CUIStatic);
    Down(2, 2);
    Up(2, 2);
    EXPECT_EQ(1, list.GetCount());
    EXPECT_FALSE(canvas->IsAdding());

    CUIControl* b = Place(new CUIStatic, 100, 100, 140, 120);
    Key(VK_ESCAPE);
    canvas->DeselectAll();
    Drag(90, 90, 700, 500);  // the band covers both
    EXPECT_TRUE(a->IsSelected());
    EXPECT_TRUE(b->IsSelected());
    Down(300, 300);  // a click on the empty page selects nothing
    Up(300, 300);
    EXPECT_EQ(0, canvas->SelectedCount());
    Down(120, 110);  // a click without dragging selects what is under it
    Up(120, 110);
    EXPECT_TRUE(b->IsSelected());
    EXPECT_FALSE(a->IsSelected());
}

TEST_F(CanvasTest, MultiSelectionMovesTogetherInsideThePage)
{
    CUIStatic* a = new CUIStatic;
    a->SetRect(10.0, 10.0, 50.0, 30.0);
    CUIStatic* b = new CUIStatic;
    b->SetRect(100.0, 100.0, 200.0, 150.0);
    list.Add(a);
    list.Add(b);
    canvas->SetKeepInside(1);
    Key('A', TRUE);
    EXPECT_EQ(2, canvas->SelectedCount());
    Drag(150, 120, 130, 100);             // by b, 20 up and left
    EXPECT_EQ("0,0,40,20", RectText(a));  // stopped at the page's corner
    EXPECT_EQ("90,90,190,140", RectText(b));
    Key(VK_DELETE);
    EXPECT_EQ(0, list.GetCount());
    Key('Z', TRUE);
    EXPECT_EQ(2, list.GetCount());
}

class CountingDisplay : public CPositionDisplay {
public:
    int positions = 0, sizes = 0;
    CPoint lastPos;
    void ShowPosition(CPoint point, BOOL) override
    {
        ++positions;
        lastPos = point;
    }
    void ShowSize(CSize, BOOL) override { ++sizes; }
};

// With many elements selected, a drawing tells the frame one position (of
// the last element drawn), and held arrow keys paint once when they end.
TEST_F(CanvasTest, ManySelectedReportOnePositionAndHeldKeysPaintOnce)
{
    for (int i = 0; i < 40; ++i) {
        CUIStatic* p = new CUIStatic;
        p->SetRect(10.0 + i * 12, 10.0, 20.0 + i * 12, 30.0);
        list.Add(p);
    }
    CountingDisplay display;
    CUIControl::SetPositionDisplay(&display);
    Key('A', TRUE);
    EXPECT_EQ(1, display.positions);
    EXPECT_EQ(CPoint(10 + 39 * 12, 10), display.lastPos);
    Key(VK_RIGHT);
    EXPECT_EQ(2, display.positions);

    // five repeats waiting: each moves the elements, only the last one paints
    for (int i = 0; i < 5; ++i)
        ::PostMessage(Wnd(), WM_KEYDOWN, VK_DOWN, 1 | (1 << 30));
    MSG msg;
    while (::PeekMessage(&msg, Wnd(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE))
        ::DispatchMessage(&msg);
    EXPECT_EQ(15.0, list.GetAt(0)->GetTop());
    EXPECT_EQ(3, display.positions);
    EXPECT_EQ(CPoint(10 + 39 * 12 + 1, 15), display.lastPos);
    EXPECT_EQ(6, list.GetUndoCount());
    CUIControl::SetPositionDisplay(NULL);
}

TEST_F(CanvasTest, PlacingSeveralUntilCancelledAndEditingKeys)
{
    canvas->SetMultiCreate(TRUE);
    canvas->SetPrototype(new CUIStatic);
    Drag(100, 100, 140, 120);
    Drag(200, 200, 240, 220);
    EXPECT_EQ(2, list.GetCount());
    EXPECT_TRUE(canvas->IsAdding());
    Key(VK_ESCAPE);
    EXPECT_FALSE(canvas->IsAdding());
    // Once cancelled, clicks select and never place again.
    Down(120, 110);
    Up(120, 110);
    EXPECT_FALSE(canvas->IsAdding());
    Down(400, 300);
    Up(400, 300);
    EXPECT_EQ(2, list.GetCount());
    // A right press cancels placing too.
    canvas->SetPrototype(new CUIStatic);
    ::SendMessage(Wnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(400, 300));
    EXPECT_FALSE(canvas->IsAdding());
    Down(400, 300);
    Up(400, 300);
    Down(410, 310);
    Up(410, 310);
    EXPECT_EQ(2, list.GetCount());
    canvas->SetMultiCreate(FALSE);

    // Insert duplicates the one selected element; the copy is the selection.
    CUIControl* a = list.GetAt(0);
    Down(120, 110);
    Up(120, 110);
    Key(VK_INSERT);
    ASSERT_EQ(3, list.GetCount());
    CUIControl* copy = list.GetAt(2);
    EXPECT_FALSE(a->IsSelected());
    EXPECT_TRUE(copy->IsSelected());
    EXPECT_EQ("110,110,150,130", RectText(copy));
    Key(VK_DELETE, FALSE, TRUE);  // Shift+Delete cuts
    EXPECT_EQ(2, list.GetCount());
    Key(VK_INSERT, FALSE, TRUE);  // Shift+Insert pastes
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(1, canvas->SelectedCount());

    // Ctrl+click adds to the selection; Ctrl+click on the empty page keeps it.
    Down(120, 110, MK_CONTROL);
    Up(120, 110);
    EXPECT_EQ(2, canvas->SelectedCount());
    Down(600, 400, MK_CONTROL);
    Up(600, 400);
    EXPECT_EQ(2, canvas->SelectedCount());

    Key(VK_ADD);
    EXPECT_DOUBLE_EQ(1.01, canvas->GetZoom());
    Key(VK_SUBTRACT);
    EXPECT_DOUBLE_EQ(1.0, canvas->GetZoom());
}

TEST_F(CanvasTest, CommandsAndContextMenuFollowTheSelection)
{
    struct Probe : CCmdUI {
        BOOL enabled = TRUE;
        void Enable(BOOL bOn) override { enabled = bOn; }
    };
    auto enabled = [this](UINT id) {
        Probe probe;
        probe.m_nID = id;
        probe.DoUpdate(canvas, FALSE);
        return probe.enabled;
    };
    CUIStatic* a = new CUIStatic;
    a->SetRect(10.0, 10.0, 50.0, 30.0);
    CUIStatic* b = new CUIStatic;
    b->SetRect(40.0, 100.0, 80.0, 130.0);
    list.Add(a);
    list.Add(b);

    const UINT elementIds[] = {CANVAS_ID_EDIT_COPY, CANVAS_ID_EDIT_CUT, UICMD_CUT, UICMD_COPY, UICMD_DUPLICATE,
                               UICMD_MOVEUP, UICMD_MOVEDOWN, UICMD_TOP, UICMD_BOTTOM, UICMD_PROPERTIES};
    for (UINT id : elementIds)
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_FALSE(enabled(CANVAS_ID_EDIT_PASTE));
    EXPECT_FALSE(enabled(CANVAS_ID_EDIT_UNDO));
    CMenu* menu = canvas->GetContextMenu()->Prepare(canvas);
    ASSERT_TRUE(menu != NULL);
    EXPECT_EQ(6u, menu->GetMenuItemCount());
    for (UINT id : {CANVAS_ID_EDIT_CUT, CANVAS_ID_EDIT_COPY, CANVAS_ID_EDIT_PASTE, CANVAS_ID_EDIT_GROUP,
                    CANVAS_ID_EDIT_UNGROUP})
        EXPECT_TRUE(menu->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) << id;

    Down(20, 20);
    Up(20, 20);
    for (UINT id : elementIds)
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(CANVAS_ID_EDIT_GROUP));
    EXPECT_TRUE(enabled(CANVAS_ID_EDIT_UNDO));
    Command(Wnd(), CANVAS_ID_EDIT_COPY);
    EXPECT_TRUE(enabled(CANVAS_ID_EDIT_PASTE));
    canvas->GetContextMenu()->Prepare(canvas);
    EXPECT_FALSE(menu->GetMenuState(CANVAS_ID_EDIT_PASTE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu->GetMenuState(CANVAS_ID_EDIT_GROUP, MF_BYCOMMAND) & MF_GRAYED);

    // Element commands reach the selected element: 303 raises it.
    Command(Wnd(), UICMD_MOVEUP);
    EXPECT_EQ(a, list.GetAt(1));
    Key(VK_NEXT);  // Page Down lowers it again
    EXPECT_EQ(a, list.GetAt(0));
    Key('A', TRUE);
    Key(VK_PRIOR);  // with two selected the order stays
    EXPECT_EQ(a, list.GetAt(0));
    EXPECT_TRUE(enabled(CANVAS_ID_EDIT_GROUP));

    // Cut records two snapshots: one Undo brings the elements back.
    Command(Wnd(), CANVAS_ID_EDIT_CUT);
    EXPECT_EQ(0, list.GetCount());
    Key('Z', TRUE);
    EXPECT_EQ(2, list.GetCount());
}

TEST_F(CanvasTest, PageGridMarginsAndElementsAtEachZoom)
{
    CUIStatic* e = new CUIStatic;
    e->SetCaption("");
    e->SetRect(40.0, 40.0, 80.0, 60.0);
    e->SetSelected(TRUE);
    list.Add(e);
    canvas->SetGridVisible(TRUE);
    canvas->SetGridColor(RGB(0, 0, 0));
    const COLORREF page = CANVAS_PAGE_COLOR;

    struct Case {
        double zoom;
        int firstDot, secondDot;  // x of the first two grid dots on the first row
        CPoint handle;            // centre of the top-left handle
        CPoint frame;             // a point right of or below the page
    };
    const Case cases[] = {
        {0.5, 1, 5, CPoint(18, 18), CPoint(400, 100)},
        {1.0, 2, 10, CPoint(38, 38), CPoint(100, 550)},
        {2.0, 4, 20, CPoint(78, 78), CPoint(-1, -1)},
    };
    for (const Case& c : cases) {
        canvas->SetZoom(c.zoom);
        CRect rc;
        canvas->GetClientRect(&rc);
        Pixels px(rc.Width(), rc.Height());
        canvas->PaintClient(&px.dc);
        SCOPED_TRACE(c.zoom);
        EXPECT_EQ(RGB(0, 0, 0), px.At(c.firstDot, c.firstDot));
        EXPECT_EQ(RGB(0, 0, 0), px.At(c.secondDot, c.firstDot));
        EXPECT_EQ(page, px.At(c.firstDot + 1, c.firstDot));
        EXPECT_EQ(kHandle, px.At(c.handle.x, c.handle.y));
        if (c.frame.x >= 0) {
            EXPECT_EQ(kFrame, px.At(c.frame.x, c.frame.y));
            EXPECT_FALSE(canvas->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
        }
    }

    // At zoom 2 the page scrolls: range 0 to 1280.
    SCROLLINFO si;
    ASSERT_TRUE(canvas->GetScrollInfo(SB_HORZ, &si));
    EXPECT_EQ(0, si.nMin);
    EXPECT_EQ(1280, si.nMax);
    canvas->SetHScrollPos(40);
    canvas->SetVScrollPos(8);
    {
        CRect rc;
        canvas->GetClientRect(&rc);
        Pixels px(rc.Width(), rc.Height());
        canvas->PaintClient(&px.dc);
        EXPECT_EQ(kHandle, px.At(38, 70));
        EXPECT_EQ(RGB(0, 0, 0), px.At(4 + 48 - 40, 4 + 16 - 8));
    }

    // Margins at zoom 1: left line at x 4; none on a side whose margin is 0.
    canvas->SetZoom(1.0);
    canvas->SetGridVisible(FALSE);
    canvas->SetMargins(4, 4, 0, 4);
    canvas->SetMarginsVisible(TRUE);
    CRect rc;
    canvas->GetClientRect(&rc);
    Pixels px(rc.Width(), rc.Height());
    canvas->PaintClient(&px.dc);
    EXPECT_EQ(RGB(0x80, 0x80, 0xFF), px.At(4, 150));
    EXPECT_EQ(RGB(0x80, 0x80, 0xFF), px.At(150, 4));
    EXPECT_EQ(page, px.At(5, 150));
}

// The whole canvas window with its scroll bars as the screen shows it.
std::vector<COLORREF> WindowPixels(HWND hWnd)
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    Pixels shot(rc.Width(), rc.Height());
    HDC hWindow = ::GetWindowDC(hWnd);
    ::BitBlt(shot.dc, 0, 0, rc.Width(), rc.Height(), hWindow, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hWindow);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rc.Height(); ++y)
        for (int x = 0; x < rc.Width(); ++x)
            pixels.push_back(shot.At(x, y));
    return pixels;
}

// The scroll bars show the range of each zoom: stepped from one zoom to the
// next with the bars staying, the bars are drawn again and show what a
// canvas opened at that zoom shows (up to the edges of the thumb, which the
// system draws a shade apart).
TEST_F(CanvasTest, ScrollBarsFollowEachZoomStep)
{
    canvas->SetZoom(2.0);
    ASSERT_TRUE(canvas->GetStyle() & WS_VSCROLL);
    std::vector<COLORREF> before = WindowPixels(Wnd());
    canvas->SetZoom(3.0);
    std::vector<COLORREF> stepped = WindowPixels(Wnd());
    delete host;
    host = new CanvasHost(800, 600, &list);
    canvas = &host->canvas;
    canvas->SetGridVisible(FALSE);
    canvas->SetZoom(3.0);
    std::vector<COLORREF> opened = WindowPixels(Wnd());
    ASSERT_EQ(opened.size(), stepped.size());
    ASSERT_EQ(before.size(), stepped.size());
    int changed = 0, differ = 0;
    for (size_t i = 0; i < opened.size(); ++i) {
        changed += before[i] != stepped[i];
        differ += opened[i] != stepped[i];
    }
    EXPECT_GT(changed, 1000);
    EXPECT_LT(differ, 400);
}

// A click on the empty page shows the deselection with the press and paints
// no second time on the release; a band dragged on the page is wiped by the
// paint of the release, and an element the release's band touches shows
// selected.
TEST_F(CanvasTest, ClickOnTheEmptyPagePaintsOnceAndABandIsWiped)
{
    CUIControl* a = Place(new CUIStatic, 100, 100, 140, 120);
    canvas->SelectAll();
    canvas->paints = 0;
    Down(300, 300);
    EXPECT_EQ(0, canvas->SelectedCount());
    EXPECT_EQ(1, canvas->paints);
    Up(300, 300);
    EXPECT_EQ(1, canvas->paints);

    CRect rc;
    canvas->GetClientRect(&rc);
    Pixels before(rc.Width(), rc.Height());
    canvas->PaintClient(&before.dc);
    canvas->paints = 0;
    Down(300, 300);
    Move(360, 340);
    Up(300, 300);
    EXPECT_EQ(2, canvas->paints);
    std::vector<COLORREF> shown = WindowPixels(Wnd());
    int differ = 0;
    for (int y = 0; y < rc.Height(); ++y)
        for (int x = 0; x < rc.Width(); ++x)
            differ += shown[(size_t)y * rc.Width() + x] != before.At(x, y);
    EXPECT_EQ(0, differ);

    canvas->paints = 0;
    Down(141, 121);
    Up(141, 121);
    EXPECT_TRUE(a->IsSelected());
    EXPECT_EQ(2, canvas->paints);
}

TEST_F(CanvasTest, PictureScaleAppliesToTheLowestSelectedPictureThatFits)
{
    CUIPicture* low = new CUIPicture;  // no image: 32 x 32 of its own
    low->SetRect(100.0, 100.0, 150.0, 150.0);
    CUIPicture* high = new CUIPicture;
    high->SetRect(700.0, 100.0, 750.0, 150.0);
    CUIStatic* text = new CUIStatic;
    text->SetRect(0.0, 0.0, 50.0, 20.0);
    list.Add(text);
    list.Add(low);
    list.Add(high);
    text->SetSelected(TRUE);
    canvas->SetPictureScale(2.0);
    EXPECT_DOUBLE_EQ(1.0, canvas->GetPictureScale());  // only a text selected

    low->SetSelected(TRUE);
    high->SetSelected(TRUE);
    canvas->SetPictureScale(2.0);
    EXPECT_EQ("100,100,164,164", RectText(low));
    EXPECT_EQ("700,100,750,150", RectText(high));
    EXPECT_DOUBLE_EQ(2.0, canvas->GetPictureScale());
    canvas->SetPictureScale(1.0);
    EXPECT_EQ("100,100,132,132", RectText(low));

    low->SetSelected(FALSE);
    canvas->SetPictureScale(4.0);  // 700 + 128 is beyond the 800 pixels
    EXPECT_EQ("700,100,750,150", RectText(high));
    EXPECT_DOUBLE_EQ(1.0, canvas->GetPictureScale());
    canvas->SetPictureScale(0.0);
    canvas->SetPictureScale(-1.0);
    EXPECT_DOUBLE_EQ(1.0, canvas->GetPictureScale());
}

// Counts its drawings on the canvas.
class CountedPicture : public CUIPicture {
public:
    int draws = 0;
    void DrawOnCanvas(CDC* pDC, double zoom, int nNumber) override
    {
        ++draws;
        CUIPicture::DrawOnCanvas(pDC, zoom, nNumber);
    }
};

TEST_F(CanvasTest, ShrinkPressedTenTimesLeavesThePictureAtLeastAPixel)
{
    CountedPicture* picture = new CountedPicture;  // no image: 32 x 32
    picture->SetRect(100.0, 100.0, 132.0, 132.0);
    list.Add(picture);
    picture->SetSelected(TRUE);
    for (int i = 0; i < 10; ++i)  // the view's shrink command
        canvas->SetPictureScale(canvas->GetPictureScale() - 10 * canvas->GetPictureScaleStep());
    EXPECT_EQ("100,100,106,106", RectText(picture));  // 0.2 is the last factor that keeps a pixel
    EXPECT_NEAR(0.2, canvas->GetPictureScale(), 1e-9);
    picture->draws = 0;
    canvas->Redraw();
    EXPECT_GT(picture->draws, 0);
}

// Records the number each element is drawn with.
class NumberedStatic : public CUIStatic {
public:
    int number = -2;
    void DrawOnCanvas(CDC* pDC, double zoom, int nNumber) override
    {
        number = nNumber;
        CUIStatic::DrawOnCanvas(pDC, zoom, nNumber);
    }
};

TEST_F(CanvasTest, NumbersGoToMenuEntriesInListOrder)
{
    NumberedStatic* e[3];
    for (int i = 0; i < 3; ++i) {
        e[i] = new NumberedStatic;
        e[i]->SetRect(10.0 + 100 * i, 10.0, 60.0 + 100 * i, 40.0);
        e[i]->SetAsMenu(i != 1);
        list.Add(e[i]);
    }
    canvas->SetShowNumbers(TRUE);
    canvas->Redraw();
    EXPECT_EQ(0, e[0]->number);
    EXPECT_EQ(-1, e[1]->number);
    EXPECT_EQ(1, e[2]->number);
    canvas->SetShowNumbers(FALSE);
    canvas->Redraw();
    EXPECT_EQ(-1, e[0]->number);
    EXPECT_EQ(-1, e[2]->number);
    EXPECT_EQ(CSize(260, 40), canvas->GetContentExtent());
}

TEST_F(CanvasTest, WheelPanningCursorsAndReset)
{
    CUIStatic* e = new CUIStatic;
    e->SetRect(50.0, 50.0, 100.0, 80.0);
    list.Add(e);

    // No scroll bars: the middle button does not pan.
    ::SendMessage(Wnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(400, 300));
    EXPECT_FALSE(canvas->IsPanning());

    canvas->SetZoom(2.0);
    canvas->SetVScrollPos(100);
    ::SendMessage(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(-WHEEL_DELTA * 3)), 0);
    EXPECT_EQ(103, canvas->GetVScrollPos());
    ::SendMessage(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(102, canvas->GetVScrollPos());

    ::SendMessage(Wnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(400, 300));
    EXPECT_TRUE(canvas->IsPanning());
    HCURSOR ns = ::LoadCursor(NULL, IDC_SIZENS), we = ::LoadCursor(NULL, IDC_SIZEWE);
    HCURSOR nwse = ::LoadCursor(NULL, IDC_SIZENWSE), nesw = ::LoadCursor(NULL, IDC_SIZENESW);
    EXPECT_EQ(ns, canvas->GetCursorForPoint(CPoint(410, 100)));
    EXPECT_EQ(we, canvas->GetCursorForPoint(CPoint(300, 310)));
    EXPECT_EQ(nwse, canvas->GetCursorForPoint(CPoint(450, 350)));
    EXPECT_EQ(nesw, canvas->GetCursorForPoint(CPoint(350, 350)));
    EXPECT_EQ(nesw, canvas->GetCursorForPoint(CPoint(450, 250)));
    // A tick scrolls by a sixteenth of the pointer's distance from the
    // anchor. The pointer stays where it is (tests running beside this one
    // may use it): the anchor is put 160 x 80 pixels away from it instead.
    ::SendMessage(Wnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(400, 300));
    EXPECT_FALSE(canvas->IsPanning());
    CPoint pointer;
    ASSERT_TRUE(::GetCursorPos(&pointer));
    CPoint client = pointer;
    canvas->ScreenToClient(&client);
    ::SendMessage(Wnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(client.x - 160, client.y - 80));
    ASSERT_TRUE(canvas->IsPanning());
    int h = canvas->GetHScrollPos(), v = canvas->GetVScrollPos();
    ::SendMessage(Wnd(), WM_TIMER, 100, 0);
    CPoint now;
    ::GetCursorPos(&now);
    if (now == pointer) {
        EXPECT_EQ(h + 10, canvas->GetHScrollPos());
        EXPECT_EQ(v + 5, canvas->GetVScrollPos());
    }
    EXPECT_TRUE(canvas->IsPanning());
    Key(VK_SHIFT);
    EXPECT_FALSE(canvas->IsPanning());

    // Handles of a selected element show their own cursors; placing shows a cross.
    e->SetSelected(TRUE);
    canvas->SetHScrollPos(0);
    canvas->SetVScrollPos(0);
    CRect r = canvas->PageToClient(e->GetRect());
    EXPECT_EQ(e->GetHandleCursor(UIHANDLE_BOTTOMRIGHT), canvas->GetCursorForPoint(CPoint(r.right + 2, r.bottom + 2)));
    EXPECT_TRUE(canvas->GetCursorForPoint(r.CenterPoint()) == NULL);
    canvas->SetPrototype(new CUIStatic);
    EXPECT_EQ(::LoadCursor(NULL, IDC_CROSS), canvas->GetCursorForPoint(CPoint(5, 5)));

    canvas->SetHScrollPos(200);
    canvas->Reset();
    EXPECT_DOUBLE_EQ(1.0, canvas->GetZoom());
    EXPECT_FALSE(canvas->IsAdding());
    EXPECT_EQ(0, canvas->GetHScrollPos());
    EXPECT_FALSE(canvas->GetStyle() & WS_HSCROLL);
}

TEST_F(CanvasTest, DraggingPastTheEdgeScrollsAndRightClickSelects)
{
    CUIStatic* a = new CUIStatic;
    a->SetRect(50.0, 50.0, 100.0, 80.0);
    CUIStatic* b = new CUIStatic;
    b->SetRect(60.0, 60.0, 120.0, 100.0);  // above a where they overlap
    list.Add(a);
    list.Add(b);

    // At zoom 1 the page fits: nothing scrolls.
    Down(70, 55);
    Move(900, 55);
    EXPECT_EQ(0, canvas->GetHScrollPos());
    Up(900, 55);

    canvas->SetZoom(2.0);
    CPoint inside = canvas->PageToClient(a->GetLeft() + 5, a->GetTop() + 5);
    Down(inside.x, inside.y);
    Move(900, inside.y);
    Move(901, inside.y);
    EXPECT_EQ(20, canvas->GetHScrollPos());  // 10 pixels per move
    Move(-5, inside.y);
    EXPECT_EQ(10, canvas->GetHScrollPos());
    Up(-5, inside.y);
    // The first pixel past the client area already counts as outside it.
    CRect client;
    canvas->GetClientRect(&client);
    int v = canvas->GetVScrollPos();
    Down(inside.x, inside.y);
    Move(client.right, client.bottom);
    EXPECT_EQ(20, canvas->GetHScrollPos());
    EXPECT_EQ(v + 10, canvas->GetVScrollPos());
    Move(client.right - 1, client.bottom - 1);
    EXPECT_EQ(20, canvas->GetHScrollPos());
    Up(client.right - 1, client.bottom - 1);

    // A right press on an unselected element makes it the only selection;
    // where two overlap the higher one wins.
    canvas->SetZoom(1.0);
    canvas->DeselectAll();
    a->SetSelected(TRUE);
    ::SendMessage(Wnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(65, 65));
    EXPECT_FALSE(a->IsSelected());
    EXPECT_TRUE(b->IsSelected());
    ::SendMessage(Wnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(300, 300));
    EXPECT_TRUE(b->IsSelected());
}

TEST_F(CanvasTest, PageSizeSetsTheVesaMode)
{
    canvas->SetPageSize(CSize(1024, 768));
    EXPECT_EQ(0x117, canvas->GetVesaMode());
    EXPECT_EQ(CSize(1024, 768), list.GetPaperSize());
    EXPECT_TRUE(canvas->GetStyle() & WS_HSCROLL);  // 1024 x 768 in 800 x 600
    canvas->SetPageSize(CSize(800, 600));
    EXPECT_EQ(0x114, canvas->GetVesaMode());
    canvas->SetPageSize(CSize(700, 500));
    EXPECT_EQ(0x111, canvas->GetVesaMode());
    EXPECT_FALSE(canvas->GetStyle() & (WS_HSCROLL | WS_VSCROLL));

    CUIStatic* e = new CUIStatic;
    e->SetRect(10.5, 20.7, 60.2, 50.9);
    list.Add(e);
    int x, y, w, h;
    EXPECT_FALSE(canvas->GetSelectedRect(x, y, w, h));
    e->SetSelected(TRUE);
    ASSERT_TRUE(canvas->GetSelectedRect(x, y, w, h));
    EXPECT_EQ(10, x);
    EXPECT_EQ(20, y);
    EXPECT_EQ(49, w);
    EXPECT_EQ(30, h);
    EXPECT_TRUE(canvas->SetSelectedRect(5, 6, 70, 40));
    EXPECT_EQ("5,6,75,46", RectText(e));
}

std::string TempFolder()
{
    char path[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, path);
    std::string folder = std::string(path) + "zavo_canvas_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

TEST_F(CanvasTest, PageRendersForThePackageAndTheWebPage)
{
    list.SetPaperSize(800, 600);
    canvas->SetWallpaper("", TRUE);
    std::string folder = TempFolder();
    std::string preview = folder + "\\preview.png";
    canvas->RenderWallpaper(folder.c_str(), preview.c_str());

    CxImage wallpaper;
    ASSERT_TRUE(wallpaper.Load((folder + "\\wallpaper.png").c_str()));
    EXPECT_EQ(800u, wallpaper.GetWidth());
    EXPECT_EQ(600u, wallpaper.GetHeight());
    RGBQUAD q = wallpaper.GetPixelColor(400, 300);
    EXPECT_EQ(0x4A, q.rgbRed);
    EXPECT_EQ(0x7B, q.rgbGreen);
    EXPECT_EQ(0xC6, q.rgbBlue);

    CUIStatic* e = new CUIStatic;
    e->SetCaption("");
    e->SetRect(0.0, 0.0, 800.0, 600.0);
    list.Add(e);
    canvas->SavePreviewPicture();
    CxImage thumb;
    ASSERT_TRUE(thumb.Load(preview.c_str()));
    EXPECT_EQ(240u, thumb.GetWidth());
    EXPECT_EQ(180u, thumb.GetHeight());
    q = thumb.GetPixelColor(120, 90);
    EXPECT_EQ(0x4A, q.rgbRed);

    CString style, body;
    canvas->ExportWallpaperHtml(style, body, folder.c_str());
    EXPECT_NE(-1, style.Find("width: 800px;"));
    EXPECT_NE(-1, style.Find("height: 600px;"));
    EXPECT_NE(-1, style.Find("/wallpaper.png')"));
    EXPECT_NE(-1, body.Find("<div id=\"Wallpaper\""));
    ::DeleteFileA((folder + "\\wallpaper.png").c_str());
    ::DeleteFileA(preview.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(CanvasTest, WallpaperOfThePageSizeIsThePagePictureAsDrawn)
{
    std::string folder = TempFolder();
    // a gradient without alpha (taken as it is), and the same with alpha
    // (drawn, which drops the alpha)
    CxImage plain, blended;
    ASSERT_TRUE(plain.Create(120, 90, 24));
    ASSERT_TRUE(blended.Create(120, 90, 32));
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x) {
            RGBQUAD c = {(BYTE)(x * 2), (BYTE)(y * 2), (BYTE)(x + y), 255};
            plain.SetPixelColor(x, y, c);
            c.rgbReserved = (BYTE)(x < 60 ? 255 : 100);
            blended.SetPixelColor(x, y, c);
        }
    const std::string plainPath = folder + "\same.bmp", blendedPath = folder + "\same.png";
    ASSERT_TRUE(plain.Save(plainPath.c_str(), CXIMAGE_FORMAT_BMP));
    ASSERT_TRUE(blended.Save(blendedPath.c_str(), CXIMAGE_FORMAT_PNG));
    for (const std::string& path : {plainPath, blendedPath}) {
        list.SetPaperSize(120, 90);
        canvas->SetWallpaper(path.c_str(), TRUE);
        CxImage page;
        ASSERT_TRUE(canvas->RenderPagePicture(page));
        ASSERT_EQ(120u, page.GetWidth());
        EXPECT_EQ(24u, page.GetBpp());
        EXPECT_FALSE(page.HasAlpha());
        for (int y = 0; y < 90; y += 7)
            for (int x = 0; x < 120; x += 5) {
                RGBQUAD p = page.GetPixelColor(x, y), w = plain.GetPixelColor(x, y);
                EXPECT_EQ(RGB(w.rgbRed, w.rgbGreen, w.rgbBlue), RGB(p.rgbRed, p.rgbGreen, p.rgbBlue))
                    << path << " " << x << "," << y;
                EXPECT_EQ(255, p.rgbReserved);
            }
        // the wallpaper the canvas shows is the same page
        ASSERT_TRUE(canvas->SetWallpaper(path.c_str()));
        const CxImage shown = canvas->GetWallpaperImage();
        ASSERT_EQ(120u, shown.GetWidth());
        ASSERT_EQ(90u, shown.GetHeight());
        EXPECT_EQ(24u, shown.GetBpp());
        EXPECT_FALSE(shown.HasAlpha());
        EXPECT_EQ(0, memcmp(shown.GetBits(), page.GetBits(), (size_t)120 * 90 * 4)) << path;
        ::DeleteFileA(path.c_str());
    }
    ::RemoveDirectoryA(folder.c_str());
}

// A box of one colour with the type name it is given.
class FilledBox : public CUIStatic {
public:
    FilledBox(LPCTSTR type, COLORREF color) : m_color(color) { SetTypeName(type); }
    void Draw(CDC* pDC, int left, int top, int right, int bottom) override
    {
        CRect r(left, top, right, bottom);
        pDC->FillSolidRect(&r, m_color);
    }

private:
    COLORREF m_color;
};

TEST_F(CanvasTest, PreviewDrawsOnlyTheLowestProgressBarAndOutlivesAFailedWallpaper)
{
    list.SetPaperSize(800, 600);
    std::string folder = TempFolder();
    std::string preview = folder + "\\preview.png";
    // The wallpaper's folder does not exist: the preview is written all the same.
    canvas->RenderWallpaper((folder + "\\missing").c_str(), preview.c_str());
    CxImage page;
    ASSERT_TRUE(page.Load(preview.c_str()));
    EXPECT_EQ(800u, page.GetWidth());

    list.Add(new FilledBox("progress", RGB(255, 0, 0)));
    list.Add(new FilledBox("PROGRESS", RGB(0, 255, 0)));
    list.Add(new FilledBox("picture", RGB(0, 0, 255)));
    list.GetAt(0)->SetRect(0.0, 0.0, 400.0, 300.0);
    list.GetAt(1)->SetRect(400.0, 300.0, 800.0, 600.0);
    list.GetAt(2)->SetRect(400.0, 0.0, 800.0, 300.0);
    canvas->SavePreviewPicture();
    CxImage thumb;
    ASSERT_TRUE(thumb.Load(preview.c_str()));
    ASSERT_EQ(240u, thumb.GetWidth());
    auto rgb = [&thumb](int x, int y) {
        RGBQUAD q = thumb.GetPixelColor(x, y);
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    };
    EXPECT_EQ(RGB(255, 0, 0), rgb(60, 45));
    EXPECT_EQ(RGB(0, 0, 255), rgb(180, 45));
    EXPECT_EQ(RGB(0x4A, 0x7B, 0xC6), rgb(180, 135));  // the second bar is left out
    ::DeleteFileA(preview.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// Paints keep the pixels under the elements from one paint to the next; each
// setting they are drawn from shows in the next paint all the same.
TEST_F(CanvasTest, EachSettingUnderTheElementsShowsInTheNextPaint)
{
    CRect rc;
    canvas->GetClientRect(&rc);
    Pixels px(rc.Width(), rc.Height());
    auto paint = [&] { canvas->PaintClient(&px.dc); };
    paint();
    EXPECT_EQ(kFrame, px.At(700, 240));
    canvas->SetFrameColor(RGB(1, 2, 3));
    paint();
    EXPECT_EQ(RGB(1, 2, 3), px.At(700, 240));

    canvas->SetGridVisible(TRUE);
    canvas->SetGridColor(RGB(0, 0, 0));
    paint();
    EXPECT_EQ(RGB(0, 0, 0), px.At(10, 10));
    canvas->SetGridColor(RGB(200, 0, 0));
    paint();
    EXPECT_EQ(RGB(200, 0, 0), px.At(10, 10));
    canvas->SetGridSize(6, 6);
    paint();
    EXPECT_EQ(CANVAS_PAGE_COLOR, px.At(10, 10));
    EXPECT_EQ(RGB(200, 0, 0), px.At(8, 8));
    canvas->SetGridVisible(FALSE);
    paint();
    EXPECT_EQ(CANVAS_PAGE_COLOR, px.At(8, 8));

    canvas->SetMarginsVisible(TRUE);
    canvas->SetMargins(4, 4, 4, 4);
    paint();
    EXPECT_EQ(RGB(0x80, 0x80, 0xFF), px.At(4, 150));
    canvas->SetMargins(9, 4, 4, 4);
    paint();
    EXPECT_EQ(CANVAS_PAGE_COLOR, px.At(4, 150));
    EXPECT_EQ(RGB(0x80, 0x80, 0xFF), px.At(9, 150));
    canvas->SetMarginsVisible(FALSE);
    paint();
    EXPECT_EQ(CANVAS_PAGE_COLOR, px.At(9, 150));

    list.SetPaperSize(700, 480);
    paint();
    EXPECT_EQ(CANVAS_PAGE_COLOR, px.At(650, 240));
    canvas->SetZoom(0.5);
    paint();
    EXPECT_EQ(RGB(1, 2, 3), px.At(400, 240));

    std::string folder = TempFolder();
    std::string path = folder + "\\paper.bmp";
    CxImage image;
    image.Create(32, 24, 24, CXIMAGE_FORMAT_BMP);
    RGBQUAD green = {0, 255, 0, 0};
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            image.SetPixelColor(x, y, green);
    ASSERT_TRUE(image.Save(path.c_str(), CXIMAGE_FORMAT_BMP));
    ASSERT_TRUE(canvas->SetWallpaper(path.c_str()));
    paint();
    EXPECT_EQ(RGB(0, 255, 0), px.At(100, 100));
    canvas->SetWallpaper("", FALSE);
    paint();
    EXPECT_EQ(CANVAS_PAGE_COLOR, px.At(100, 100));
    ::DeleteFileA(path.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// The background of the zoom before is kept for the step back: it is used
// only while nothing under the elements changed since it was drawn.
TEST_F(CanvasTest, StepBackToTheZoomBeforeShowsSettingsChangedMeanwhile)
{
    CRect rc;
    canvas->GetClientRect(&rc);
    Pixels px(rc.Width(), rc.Height());
    auto paint = [&] { canvas->PaintClient(&px.dc); };
    canvas->SetGridVisible(TRUE);
    canvas->SetGridColor(RGB(0, 0, 0));
    paint();
    EXPECT_EQ(RGB(0, 0, 0), px.At(10, 10));
    canvas->SetZoom(2.0);
    paint();
    canvas->SetZoom(1.0);
    paint();
    EXPECT_EQ(RGB(0, 0, 0), px.At(10, 10));
    canvas->SetZoom(2.0);
    paint();
    canvas->SetGridColor(RGB(200, 0, 0));
    paint();
    canvas->SetZoom(1.0);
    paint();
    EXPECT_EQ(RGB(200, 0, 0), px.At(10, 10));
    canvas->SetZoom(2.0);
    paint();
    canvas->SetFrameColor(RGB(1, 2, 3));
    canvas->SetZoom(1.0);
    paint();
    EXPECT_EQ(RGB(1, 2, 3), px.At(700, 240));
    EXPECT_EQ(RGB(200, 0, 0), px.At(10, 10));
}

// The bitmap of a paint stays while the scroll bars come and go: the client
// area, smaller than it, paints what a canvas that had that size from the
// start paints, an element across the client area's edge included.
TEST_F(CanvasTest, ScrollBarsComingAndGoingPaintAsANewCanvas)
{
    CUIStatic* text = new CUIStatic;
    text->SetCaption("edge");
    text->SetRect(360.0, 100.0, 420.0, 120.0);
    list.Add(text);
    CUIButton* entry = new CUIButton;
    entry->SetRect(20.0, 40.0, 140.0, 64.0);
    list.Add(entry);
    canvas->SelectAll();
    auto paintAt = [&](TestCanvas* c, double zoom) {
        // zoomed first: the new canvas's first paint has the scroll bars
        c->SetZoom(zoom);
        c->SetGridVisible(TRUE);
        c->SetHScrollPos(9);
        c->SetVScrollPos(7);
        CRect rc;
        c->GetClientRect(&rc);
        Pixels px(rc.Width(), rc.Height());
        c->PaintClient(&px.dc);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < rc.Height(); ++y)
            for (int x = 0; x < rc.Width(); ++x)
                pixels.push_back(px.At(x, y));
        return pixels;
    };
    paintAt(canvas, 1.0);
    std::vector<COLORREF> stepped = paintAt(canvas, 2.0);
    ASSERT_TRUE(canvas->GetStyle() & WS_VSCROLL);
    CanvasHost fresh(800, 600, &list);
    std::vector<COLORREF> opened = paintAt(&fresh.canvas, 2.0);
    ASSERT_EQ(opened.size(), stepped.size());
    int differ = 0;
    for (size_t i = 0; i < opened.size(); ++i)
        differ += opened[i] != stepped[i];
    EXPECT_EQ(0, differ);
}

TEST_F(CanvasTest, WallpaperThatDoesNotLoadChangesNothing)
{
    std::string folder = TempFolder();
    std::string path = folder + "\\wall.bmp";
    CxImage image;
    image.Create(32, 24, 24, CXIMAGE_FORMAT_BMP);
    RGBQUAD red = {0, 0, 255, 0};
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            image.SetPixelColor(x, y, red);
    ASSERT_TRUE(image.Save(path.c_str(), CXIMAGE_FORMAT_BMP));
    EXPECT_TRUE(canvas->SetWallpaper(path.c_str()));
    EXPECT_EQ(640u, canvas->GetWallpaperImage().GetWidth());
    EXPECT_FALSE(canvas->SetWallpaper((folder + "\\missing.png").c_str()));
    EXPECT_STREQ(path.c_str(), canvas->GetWallpaper());
    Pixels px(800, 600);
    canvas->PaintClient(&px.dc);
    EXPECT_EQ(RGB(255, 0, 0), px.At(320, 240));
    EXPECT_EQ(kFrame, px.At(700, 240));
    ::DeleteFileA(path.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
