// CPoint, CSize and CRect over the Win32 POINT, SIZE and RECT (header only).
#pragma once

#include "framework/FwDefs.h"

#ifndef _WIN32
struct POINT {
    LONG x;
    LONG y;
};
struct SIZE {
    LONG cx;
    LONG cy;
};
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
typedef POINT* LPPOINT;
typedef SIZE* LPSIZE;
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;
#endif

class CSize;
class CRect;

class CPoint : public POINT {
public:
    CPoint()
    {
        x = 0;
        y = 0;
    }
    CPoint(int initX, int initY)
    {
        x = initX;
        y = initY;
    }
    CPoint(POINT initPt)
    {
        x = initPt.x;
        y = initPt.y;
    }
    inline CPoint(SIZE initSize);

    void Offset(int xOffset, int yOffset)
    {
        x += xOffset;
        y += yOffset;
    }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void SetPoint(int X, int Y)
    {
        x = X;
        y = Y;
    }
    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
    void operator+=(POINT point) { Offset(point); }
    void operator-=(POINT point)
    {
        x -= point.x;
        y -= point.y;
    }
    inline void operator+=(SIZE size);
    inline void operator-=(SIZE size);
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    inline CSize operator-(POINT point) const;
    inline CPoint operator+(SIZE size) const;
    inline CPoint operator-(SIZE size) const;
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CSize : public SIZE {
public:
    CSize()
    {
        cx = 0;
        cy = 0;
    }
    CSize(int initCX, int initCY)
    {
        cx = initCX;
        cy = initCY;
    }
    CSize(SIZE initSize)
    {
        cx = initSize.cx;
        cy = initSize.cy;
    }
    CSize(POINT initPt)
    {
        cx = initPt.x;
        cy = initPt.y;
    }

    void SetSize(int CX, int CY)
    {
        cx = CX;
        cy = CY;
    }
    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    void operator+=(SIZE size)
    {
        cx += size.cx;
        cy += size.cy;
    }
    void operator-=(SIZE size)
    {
        cx -= size.cx;
        cy -= size.cy;
    }
    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};

inline CPoint::CPoint(SIZE initSize)
{
    x = initSize.cx;
    y = initSize.cy;
}
inline void CPoint::operator+=(SIZE size)
{
    x += size.cx;
    y += size.cy;
}
inline void CPoint::operator-=(SIZE size)
{
    x -= size.cx;
    y -= size.cy;
}
inline CSize CPoint::operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
inline CPoint CPoint::operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
inline CPoint CPoint::operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }

class CRect : public RECT {
public:
    CRect() { SetRectEmpty(); }
    CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
    CRect(const RECT& srcRect) { CopyRect(&srcRect); }
    CRect(LPCRECT lpSrcRect) { CopyRect(lpSrcRect); }
    CRect(POINT point, SIZE size) { SetRect(point.x, point.y, point.x + size.cx, point.y + size.cy); }
    CRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(this); }
    CPoint& BottomRight() { return *(reinterpret_cast<CPoint*>(this) + 1); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(this); }
    const CPoint& BottomRight() const { return *(reinterpret_cast<const CPoint*>(this) + 1); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return left >= right || top >= bottom; }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }

    void SetRect(int x1, int y1, int x2, int y2)
    {
        left = x1;
        top = y1;
        right = x2;
        bottom = y2;
    }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT lpSrcRect) { *static_cast<RECT*>(this) = *lpSrcRect; }
    BOOL EqualRect(LPCRECT r) const
    {
        return left == r->left && top == r->top && right == r->right && bottom == r->bottom;
    }

    void InflateRect(int x, int y)
    {
        left -= x;
        top -= y;
        right += x;
        bottom += y;
    }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT r)
    {
        left -= r->left;
        top -= r->top;
        right += r->right;
        bottom += r->bottom;
    }
    void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT r)
    {
        left += r->left;
        top += r->top;
        right -= r->right;
        bottom -= r->bottom;
    }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void NormalizeRect()
    {
        if (left > right) {
            LONG t = left;
            left = right;
            right = t;
        }
        if (top > bottom) {
            LONG t = top;
            top = bottom;
            bottom = t;
        }
    }
    void OffsetRect(int x, int y)
    {
        left += x;
        right += x;
        top += y;
        bottom += y;
    }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x)
    {
        right = Width() + x;
        left = x;
    }
    void MoveToY(int y)
    {
        bottom = Height() + y;
        top = y;
    }
    void MoveToXY(int x, int y)
    {
        MoveToX(x);
        MoveToY(y);
    }
    void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }

    // As the Win32 calls: an empty result is set to (0,0,0,0) and gives FALSE.
    BOOL IntersectRect(LPCRECT a, LPCRECT b)
    {
        SetRect(a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
                a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom);
        if (IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        return TRUE;
    }
    BOOL UnionRect(LPCRECT a, LPCRECT b)
    {
        const CRect ra(a), rb(b);
        if (ra.IsRectEmpty()) {
            *this = rb;
        } else if (rb.IsRectEmpty()) {
            *this = ra;
        } else {
            SetRect(ra.left < rb.left ? ra.left : rb.left, ra.top < rb.top ? ra.top : rb.top,
                    ra.right > rb.right ? ra.right : rb.right, ra.bottom > rb.bottom ? ra.bottom : rb.bottom);
        }
        if (IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        return TRUE;
    }

    void operator=(const RECT& srcRect) { CopyRect(&srcRect); }
    bool operator==(const RECT& rect) const { return EqualRect(&rect) != FALSE; }
    bool operator!=(const RECT& rect) const { return !EqualRect(&rect); }
    void operator+=(POINT point) { OffsetRect(point); }
    void operator+=(SIZE size) { OffsetRect(size); }
    void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
    void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
    void operator&=(const RECT& rect)
    {
        CRect a(*this);
        IntersectRect(&a, &rect);
    }
    void operator|=(const RECT& rect)
    {
        CRect a(*this);
        UnionRect(&a, &rect);
    }
    CRect operator+(POINT pt) const
    {
        CRect r(*this);
        r.OffsetRect(pt);
        return r;
    }
    CRect operator-(POINT pt) const
    {
        CRect r(*this);
        r.OffsetRect(-pt.x, -pt.y);
        return r;
    }
    CRect operator+(SIZE size) const
    {
        CRect r(*this);
        r.OffsetRect(size);
        return r;
    }
    CRect operator-(SIZE size) const
    {
        CRect r(*this);
        r.OffsetRect(-size.cx, -size.cy);
        return r;
    }
    CRect operator&(const RECT& rect2) const
    {
        CRect r;
        r.IntersectRect(this, &rect2);
        return r;
    }
    CRect operator|(const RECT& rect2) const
    {
        CRect r;
        r.UnionRect(this, &rect2);
        return r;
    }
};
