#include "framework/Wnd.h"
#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "framework/ClientDC.h"
#include "framework/ImageList.h"
#include <gtest/gtest.h>

namespace {

HGDIOBJ Current(HDC hDC, UINT nType) { return ::GetCurrentObject(hDC, nType); }

// A window whose DC keeps its selections between GetDC calls, so that what a
// CClientDC leaves behind can be seen.
class COwnDCWnd : public CWnd {
public:
    bool Make()
    {
        LPCTSTR cls = AfxRegisterWndClass(CS_OWNDC, ::LoadCursor(NULL, IDC_ARROW),
                                          (HBRUSH)::GetStockObject(WHITE_BRUSH), NULL);
        return CreateEx(0, cls, "owndc", WS_POPUP, 0, 0, 40, 40, NULL, NULL) != FALSE;
    }
};

// Paints with a pen and a font and never puts them back.
class CCarelessPainter : public COwnDCWnd {
public:
    CPen m_pen{PS_SOLID, 1, RGB(0, 0, 255)};
    CFont m_font;
    int m_nPaints = 0;
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        dc.SelectObject(&m_pen);
        dc.SelectObject(&m_font);
        dc.MoveTo(0, 0);
        dc.LineTo(10, 10);
        ++m_nPaints;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCarelessPainter, COwnDCWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

}  // namespace

TEST(GdiSelections, MemoryDCGivesBackABitmapDeletedBeforeIt)
{
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(NULL));
    HGDIOBJ hStock = Current(mem.m_hDC, OBJ_BITMAP);
    HGDIOBJ hBmp;
    {
        CBitmap bmp;
        ASSERT_TRUE(bmp.CreateBitmap(8, 8, 1, 1, NULL));
        hBmp = bmp.m_hObject;
        ASSERT_TRUE(mem.SelectObject(&bmp) != NULL);
        EXPECT_EQ(hBmp, Current(mem.m_hDC, OBJ_BITMAP));
    }                                            // the bitmap goes first, still selected
    EXPECT_EQ(0u, (UINT)::GetObjectType(hBmp));  // really deleted
    EXPECT_EQ(hStock, Current(mem.m_hDC, OBJ_BITMAP));

    // a failed or missing selection gives NULL instead of crashing
    EXPECT_EQ(NULL, mem.SelectObject((CPen*)NULL));
    EXPECT_EQ(NULL, mem.SelectObject((CFont*)NULL));
    EXPECT_EQ(NULL, mem.SelectObject((CBitmap*)NULL));
    CDC none;
    CBrush br(RGB(1, 2, 3));
    EXPECT_EQ(NULL, none.SelectObject(&br));
}

TEST(GdiSelections, WindowDCsPutBackWhatTheySelected)
{
    COwnDCWnd w;
    ASSERT_TRUE(w.Make());
    HDC hOwn = ::GetDC(w.m_hWnd);
    HGDIOBJ hPen0 = Current(hOwn, OBJ_PEN), hBrush0 = Current(hOwn, OBJ_BRUSH);
    HGDIOBJ hFont0 = Current(hOwn, OBJ_FONT);
    ::ReleaseDC(w.m_hWnd, hOwn);

    CPen pen(PS_SOLID, 2, RGB(255, 0, 0));
    CBrush brush(RGB(0, 255, 0));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
    {
        CClientDC dc(&w);
        ASSERT_EQ(hOwn, dc.m_hDC);
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        CFont* pOld = dc.SelectObject(&font);
        ASSERT_TRUE(pOld != NULL);
        EXPECT_EQ(hFont0, pOld->m_hObject);
        dc.SelectObject(pOld);  // put back by hand once, then selected again
        dc.SelectObject(&font);
        EXPECT_EQ(font.m_hObject, Current(dc.m_hDC, OBJ_FONT));
    }
    hOwn = ::GetDC(w.m_hWnd);
    EXPECT_EQ(hPen0, Current(hOwn, OBJ_PEN));
    EXPECT_EQ(hBrush0, Current(hOwn, OBJ_BRUSH));
    EXPECT_EQ(hFont0, Current(hOwn, OBJ_FONT));
    ::ReleaseDC(w.m_hWnd, hOwn);

    // Borrowed DCs (FromHandle) are left as the caller made them.
    hOwn = ::GetDC(w.m_hWnd);
    CDC* pTemp = CDC::FromHandle(hOwn);
    pTemp->SelectObject(&pen);
    CDC::DeleteTempMap();
    EXPECT_EQ(pen.m_hObject, Current(hOwn, OBJ_PEN));
    ::SelectObject(hOwn, hPen0);
    ::ReleaseDC(w.m_hWnd, hOwn);
    w.DestroyWindow();
}

TEST(GdiSelections, PaintDCOfAWindowMessageRestoresPenAndFont)
{
    CCarelessPainter w;
    ASSERT_TRUE(w.m_font.CreatePointFont(100, "Arial"));
    ASSERT_TRUE(w.Make());
    HDC hOwn = ::GetDC(w.m_hWnd);
    HGDIOBJ hPen0 = Current(hOwn, OBJ_PEN), hFont0 = Current(hOwn, OBJ_FONT);
    ::ReleaseDC(w.m_hWnd, hOwn);
    w.ShowWindow(SW_SHOWNA);
    w.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(w.m_nPaints, 1);
    hOwn = ::GetDC(w.m_hWnd);
    EXPECT_EQ(hPen0, Current(hOwn, OBJ_PEN));
    EXPECT_EQ(hFont0, Current(hOwn, OBJ_FONT));
    ::ReleaseDC(w.m_hWnd, hOwn);
    w.DestroyWindow();
    // the pen and font were free to go
    HGDIOBJ hPen = w.m_pen.m_hObject;
    EXPECT_TRUE(w.m_pen.DeleteObject());
    EXPECT_EQ(0u, (UINT)::GetObjectType(hPen));
}

TEST(GdiSelections, MissingObjectsAreRefusedNotFollowed)
{
    // wrappers of NULL handles come back as NULL pointers; passing them on fails softly
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(NULL));
    CRect r(0, 0, 4, 4);
    mem.FillRect(&r, CBrush::FromHandle(NULL));
    mem.FrameRect(&r, NULL);
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 2, 2));
    EXPECT_FALSE(mem.FillRgn(&rgn, NULL));
    EXPECT_FALSE(mem.FrameRgn(NULL, NULL, 1, 1));
    EXPECT_EQ(ERROR, rgn.CombineRgn(NULL, NULL, RGN_OR));
    EXPECT_EQ(ERROR, rgn.CopyRgn(NULL));
    EXPECT_FALSE(rgn.EqualRgn(NULL));
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, 0};
    EXPECT_FALSE(mem.AlphaBlend(0, 0, 1, 1, NULL, 0, 0, 1, 1, bf));
    EXPECT_FALSE(mem.TransparentBlt(0, 0, 1, 1, NULL, 0, 0, 1, 1, 0));
    CImageList images;
    ASSERT_TRUE(images.Create(4, 4, ILC_COLOR24, 1, 1));
    EXPECT_EQ(-1, images.Add((CBitmap*)NULL, (CBitmap*)NULL));
    EXPECT_EQ(-1, images.Add((CBitmap*)NULL, RGB(0, 0, 0)));
    EXPECT_FALSE(images.Draw(NULL, 0, CPoint(0, 0), ILD_NORMAL));
}
