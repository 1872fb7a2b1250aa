#include "designer/model/DrawnPixels.h"

#include <string.h>

#include <algorithm>
#include <map>
#include <utility>

#include "controls/BitmapPixels.h"
#include "framework/ScopedHandle.h"

namespace {

// Larger drawings (an element at a high zoom) are drawn each time rather than
// held: 64 KB each at most.
const int kKeptPixelsMax = 16 * 1024;
// The drawings before the last ones, of all elements together: the faces of a
// full page of 300 elements up to about zoom 2.
const size_t kPreviousBytesMax = 16 * 1024 * 1024;

BOOL TooLarge(const CRect& rect) { return (LONGLONG)rect.Width() * rect.Height() > kKeptPixelsMax; }

// Between w x h pixels of a target, from pFirst on every nStride bytes, and
// a vector of them.
void CopyRowsOut(const DWORD* pFirst, LONG_PTR nStride, int w, int h, std::vector<DWORD>& out)
{
    out.resize((size_t)w * h);
    for (int y = 0; y < h; ++y)
        memcpy(&out[(size_t)y * w], (const BYTE*)pFirst + y * nStride, w * sizeof(DWORD));
}

void CopyRowsIn(DWORD* pFirst, LONG_PTR nStride, int w, int h, const std::vector<DWORD>& in)
{
    for (int y = 0; y < h; ++y)
        memcpy((BYTE*)pFirst + y * nStride, &in[(size_t)y * w], w * sizeof(DWORD));
}

// Runs of one value along each row, as (count, value) pairs: what a face of
// flat or vertically shaded rows with some text on it takes, a small part of
// its pixels (fewer pages to touch for each face kept). 0 when they would
// take more than half of the pixels' room.
size_t PackedSize(const DWORD* pFirst, LONG_PTR nStride, int w, int h)
{
    const size_t most = (size_t)w * h / 2;
    size_t n = 0;
    for (int y = 0; y < h && 2 * n <= most; ++y) {
        const DWORD* row = (const DWORD*)((const BYTE*)pFirst + y * nStride);
        for (int x = 0; x < w; ++n) {
            const DWORD v = row[x];
            while (x < w && row[x] == v)
                ++x;
        }
    }
    return 2 * n <= most ? 2 * n : 0;
}

void PackRows(const DWORD* pFirst, LONG_PTR nStride, int w, int h, size_t size, std::vector<DWORD>& out)
{
    out.resize(size);
    DWORD* d = &out[0];
    for (int y = 0; y < h; ++y) {
        const DWORD* row = (const DWORD*)((const BYTE*)pFirst + y * nStride);
        for (int x = 0; x < w;) {
            const DWORD v = row[x];
            const int start = x;
            while (x < w && row[x] == v)
                ++x;
            *d++ = (DWORD)(x - start);
            *d++ = v;
        }
    }
}

void UnpackRows(DWORD* pFirst, LONG_PTR nStride, int w, int h, const std::vector<DWORD>& in)
{
    const DWORD* s = &in[0];
    for (int y = 0; y < h; ++y) {
        DWORD* row = (DWORD*)((BYTE*)pFirst + y * nStride);
        for (int x = 0; x < w; s += 2) {
            std::fill_n(row + x, s[0], s[1]);
            x += (int)s[0];
        }
    }
}

BOOL RowsEqual(const DWORD* pFirst, LONG_PTR nStride, int w, int h, const std::vector<DWORD>& kept)
{
    if (kept.size() != (size_t)w * h)
        return FALSE;
    for (int y = 0; y < h; ++y) {
        if (memcmp((const BYTE*)pFirst + y * nStride, &kept[(size_t)y * w], w * sizeof(DWORD)) != 0)
            return FALSE;
    }
    return TRUE;
}

}  // namespace

size_t CDrawnPixels::s_nPreviousBytes = 0;

CDrawnPixels& CDrawnPixels::operator=(const CDrawnPixels& other)
{
    if (this != &other)
        Forget();
    return *this;
}

CDrawnPixels::~CDrawnPixels() { DropPrevious(); }

void CDrawnPixels::AddToKey(std::string& key, LPCTSTR lpszText)
{
    size_t n = lpszText ? strlen(lpszText) : 0;
    AddToKey(key, n);
    key.append(lpszText ? lpszText : "", n);
}

void CDrawnPixels::Forget()
{
    m_current = Entry();
    DropPrevious();
}

void CDrawnPixels::DropPrevious()
{
    s_nPreviousBytes -= m_nPreviousBytes;
    m_nPreviousBytes = 0;
    m_previous = Entry();
}

void CDrawnPixels::StartNew()
{
    DropPrevious();
    const size_t bytes = m_current.Bytes();
    if (!m_current.pixels.empty() && s_nPreviousBytes + bytes <= kPreviousBytesMax) {
        std::swap(m_previous, m_current);
        m_nPreviousBytes = bytes;
        s_nPreviousBytes += bytes;
    }
    m_current = Entry();
}

BOOL CDrawnPixels::FindKept(const std::string& key, CSize size, const DWORD* pUnder, LONG_PTR nStride)
{
    auto matches = [&](const Entry& e) {
        if (e.pixels.empty() || e.size != size || e.key != key)
            return FALSE;
        if (pUnder == NULL)
            return e.under.empty() ? TRUE : FALSE;
        return RowsEqual(pUnder, nStride, size.cx, size.cy, e.under);
    };
    if (matches(m_current))
        return TRUE;
    if (!matches(m_previous))
        return FALSE;
    std::swap(m_current, m_previous);
    s_nPreviousBytes -= m_nPreviousBytes;
    m_nPreviousBytes = m_previous.Bytes();
    s_nPreviousBytes += m_nPreviousBytes;
    if (s_nPreviousBytes > kPreviousBytesMax)
        DropPrevious();
    return TRUE;
}

// A copy gives the pixels drawing there gives: the same depth, device units,
// and nothing of the rectangle cut off by the edge or a clip.
BOOL CDrawnPixels::CanKeep(HDC hdc, const CRect& rect)
{
    if (rect.IsRectEmpty() || ::GetObjectType(hdc) != OBJ_MEMDC || BitsPerPixel(hdc) != 32 ||
        ::GetMapMode(hdc) != MM_TEXT || ::GetGraphicsMode(hdc) != GM_COMPATIBLE)
        return FALSE;
    CRect clip;
    if (::GetClipBox(hdc, &clip) != SIMPLEREGION)
        return FALSE;
    CRect both;
    return both.IntersectRect(&clip, &rect) && both == rect;
}

namespace {

// The bitmap that drawings made apart go into, kept from one to the next: a
// new one for each costs its making and its pages on the first touch. A
// drawing goes to its top left corner, cleared and clipped to the drawing's
// size, as into a new bitmap of that size.
class CScratchBitmap {
public:
    CScratchBitmap() : m_hOld(NULL), m_pBits(NULL), m_size(0, 0), m_nSaved(0), m_bBusy(FALSE) {}
    ~CScratchBitmap() { Release(); }
    // The DC ready for a drawing of the size (its clip saved), or NULL when
    // the size is too large or the bitmap is in use by the drawing around
    // this one.
    HDC Begin(CSize size)
    {
        if (m_bBusy || !Fits(size))
            return NULL;
        ::GdiFlush();
        for (int y = 0; y < size.cy; ++y)
            memset(m_pBits + (size_t)y * m_size.cx, 0, size.cx * sizeof(DWORD));
        m_nSaved = ::SaveDC(m_hDC);
        ::IntersectClipRect(m_hDC, 0, 0, size.cx, size.cy);
        m_bBusy = TRUE;
        return m_hDC;
    }
    void End(CSize size, std::vector<DWORD>& pixels)
    {
        ::RestoreDC(m_hDC, m_nSaved);
        ::GdiFlush();
        CopyRowsOut(m_pBits, (LONG_PTR)m_size.cx * sizeof(DWORD), size.cx, size.cy, pixels);
        m_bBusy = FALSE;
    }

private:
    // Drawings are up to kKeptPixelsMax pixels; the bitmap takes the widest
    // and the tallest, within a few times that.
    BOOL Fits(CSize size)
    {
        if (m_pBits != NULL && size.cx <= m_size.cx && size.cy <= m_size.cy)
            return TRUE;
        CSize grown(std::max(size.cx, m_size.cx), std::max(size.cy, m_size.cy));
        if ((LONGLONG)grown.cx * grown.cy > 4LL * kKeptPixelsMax)
            return FALSE;
        Release();
        m_hDC.Reset(::CreateCompatibleDC(NULL));
        if (!m_hDC.IsValid())
            return FALSE;
        BITMAPINFO bi = TopDown32(grown.cx, grown.cy);
        void* bits = NULL;
        m_hBitmap.Reset(::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, &bits, NULL, 0));
        if (!m_hBitmap.IsValid() || bits == NULL) {
            Release();
            return FALSE;
        }
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        m_pBits = (DWORD*)bits;
        m_size = grown;
        return TRUE;
    }
    void Release()
    {
        if (m_hOld != NULL)
            ::SelectObject(m_hDC, m_hOld);
        m_hOld = NULL;
        m_hBitmap.Reset();
        m_hDC.Reset();
        m_pBits = NULL;
        m_size = CSize(0, 0);
    }

    CScopedMemDC m_hDC;
    CScopedBitmap m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits;
    CSize m_size;
    int m_nSaved;
    BOOL m_bBusy;
};

CScratchBitmap g_scratch;

}  // namespace

BOOL CDrawnPixels::RenderApart(CSize size, const Drawing& drawing, std::vector<DWORD>& pixels)
{
    const int w = size.cx, h = size.cy;
    if (HDC hScratch = g_scratch.Begin(size)) {
        CDC dc;
        dc.Attach(hScratch);
        drawing(&dc, CRect(0, 0, w, h));
        dc.Detach();
        g_scratch.End(size, pixels);
        return TRUE;
    }
    CScopedMemDC mem(::CreateCompatibleDC(NULL));
    if (!mem.IsValid())
        return FALSE;
    BITMAPINFO bi = TopDown32(w, h);
    void* bits = NULL;
    CScopedBitmap bitmap(::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, NULL, 0));
    if (!bitmap.IsValid() || bits == NULL)
        return FALSE;
    {
        CScopedSelect select(mem, bitmap);
        CDC dc;
        dc.Attach(mem);
        drawing(&dc, CRect(0, 0, w, h));
        dc.Detach();
        ::GdiFlush();
    }
    pixels.assign((const DWORD*)bits, (const DWORD*)bits + (size_t)w * h);
    return TRUE;
}

BOOL CDrawnPixels::Render(const CRect& rect, const Drawing& drawing)
{
    if (!RenderApart(rect.Size(), drawing, m_current.pixels))
        return FALSE;
    m_current.size = rect.Size();
    return TRUE;
}

void CDrawnPixels::KeepRows(const DWORD* pFirst, LONG_PTR nStride, CSize size, Entry& entry)
{
    const size_t packed = PackedSize(pFirst, nStride, size.cx, size.cy);
    entry.packed = packed != 0;
    if (entry.packed)
        PackRows(pFirst, nStride, size.cx, size.cy, packed, entry.pixels);
    else
        CopyRowsOut(pFirst, nStride, size.cx, size.cy, entry.pixels);
}

void CDrawnPixels::PutRows(DWORD* pFirst, LONG_PTR nStride, CSize size, const Entry& entry)
{
    if (entry.packed)
        UnpackRows(pFirst, nStride, size.cx, size.cy, entry.pixels);
    else
        CopyRowsIn(pFirst, nStride, size.cx, size.cy, entry.pixels);
}

void CDrawnPixels::PutPixels(HDC hdc, const CRect& rect, const std::vector<DWORD>& pixels)
{
    const int w = rect.Width(), h = rect.Height();
    DWORD* pFirst = NULL;
    LONG_PTR nStride = 0;
    if (FindTargetRows(hdc, rect, pFirst, nStride)) {
        ::GdiFlush();
        CopyRowsIn(pFirst, nStride, w, h, pixels);
        return;
    }
    BITMAPINFO bi = TopDown32(w, h);
    ::StretchDIBits(hdc, rect.left, rect.top, w, h, 0, 0, w, h, &pixels[0], &bi, DIB_RGB_COLORS, SRCCOPY);
}

namespace {

// The shared drawings, each with the tick of its last use.
struct SharedDrawing {
    std::vector<DWORD> pixels;
    unsigned long long used;
};
std::map<std::string, SharedDrawing> g_shared;
size_t g_nSharedBytes = 0;
unsigned long long g_nSharedTick = 0;
const size_t kSharedBytesMax = 4 * 1024 * 1024;

// Drops the least recently used shared drawings until bytes more fit.
void MakeSharedRoom(size_t bytes)
{
    while (!g_shared.empty() && g_nSharedBytes + bytes > kSharedBytesMax) {
        auto oldest = g_shared.begin();
        for (auto it = g_shared.begin(); it != g_shared.end(); ++it) {
            if (it->second.used < oldest->second.used)
                oldest = it;
        }
        g_nSharedBytes -= oldest->second.pixels.size() * sizeof(DWORD);
        g_shared.erase(oldest);
    }
}

}  // namespace

void CDrawnPixels::AddPixelsToKey(std::string& key, const BYTE* pBits, int w, int h)
{
    AddToKey(key, w);
    AddToKey(key, h);
    unsigned long long hash = 14695981039346656037ULL;
    const size_t n = pBits != NULL && w > 0 && h > 0 ? (size_t)w * h * 4 : 0;
    for (size_t i = 0; i < n; ++i)
        hash = (hash ^ pBits[i]) * 1099511628211ULL;
    AddToKey(key, hash);
}

BOOL CDrawnPixels::IsShared(const std::string& key, CSize size)
{
    std::string sized(key);
    AddToKey(sized, size);
    return g_shared.find(sized) != g_shared.end();
}

void CDrawnPixels::DrawShared(CDC* pDC, const CRect& rect, const std::string& key, const Drawing& drawing)
{
    HDC hdc = pDC->GetSafeHdc();
    if (!CanKeep(hdc, rect) || TooLarge(rect)) {
        drawing(pDC, rect);
        return;
    }
    std::string sized(key);
    AddToKey(sized, rect.Size());
    auto it = g_shared.find(sized);
    if (it == g_shared.end()) {
        SharedDrawing made;
        if (!RenderApart(rect.Size(), drawing, made.pixels)) {
            drawing(pDC, rect);
            return;
        }
        const size_t bytes = made.pixels.size() * sizeof(DWORD);
        MakeSharedRoom(bytes);
        g_nSharedBytes += bytes;
        it = g_shared.emplace(sized, std::move(made)).first;
    }
    it->second.used = ++g_nSharedTick;
    PutPixels(hdc, rect, it->second.pixels);
}

HDC CDrawnPixels::s_hDirectDC = NULL;
DWORD* CDrawnPixels::s_pDirectBits = NULL;
CSize CDrawnPixels::s_directSize(0, 0);
int CDrawnPixels::s_nDirectDepth = 0;

int CDrawnPixels::BitsPerPixel(HDC hdc)
{
    if (hdc != NULL && hdc == s_hDirectDC) {
        if (s_nDirectDepth == 0)
            s_nDirectDepth = ::GetDeviceCaps(hdc, BITSPIXEL);
        return s_nDirectDepth;
    }
    return ::GetDeviceCaps(hdc, BITSPIXEL);
}

CDrawnPixels::CDirectTarget::CDirectTarget(HDC hdc, DWORD* pBits, CSize size)
    : m_hOldDC(s_hDirectDC), m_pOldBits(s_pDirectBits), m_oldSize(s_directSize), m_nOldDepth(s_nDirectDepth)
{
    s_hDirectDC = hdc;
    s_pDirectBits = pBits;
    s_directSize = size;
    s_nDirectDepth = 0;
}

CDrawnPixels::CDirectTarget::~CDirectTarget()
{
    s_hDirectDC = m_hOldDC;
    s_pDirectBits = m_pOldBits;
    s_directSize = m_oldSize;
    s_nDirectDepth = m_nOldDepth;
}

// The first row of the rectangle in the direct target's pixels, and the
// distance between rows; FALSE for other DCs.
BOOL CDrawnPixels::FindTargetRows(HDC hdc, const CRect& rect, DWORD*& pFirst, LONG_PTR& nStride)
{
    if (hdc == NULL || hdc != s_hDirectDC || s_pDirectBits == NULL)
        return FALSE;
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    if (!::LPtoDP(hdc, corners, 2) || corners[1].x - corners[0].x != rect.Width() ||
        corners[1].y - corners[0].y != rect.Height())
        return FALSE;
    if (corners[0].x < 0 || corners[0].y < 0 || corners[1].x > s_directSize.cx || corners[1].y > s_directSize.cy)
        return FALSE;
    nStride = (LONG_PTR)s_directSize.cx * sizeof(DWORD);
    pFirst = s_pDirectBits + (size_t)corners[0].y * s_directSize.cx + corners[0].x;
    return TRUE;
}

void CDrawnPixels::Draw(CDC* pDC, const CRect& rect, const std::string& key, const Drawing& drawing)
{
    HDC hdc = pDC->GetSafeHdc();
    if (!CanKeep(hdc, rect) || TooLarge(rect)) {
        if (!m_current.pixels.empty() || !m_previous.pixels.empty())
            Forget();
        drawing(pDC, rect);
        return;
    }
    const BOOL kept = FindKept(key, rect.Size(), NULL, 0);
    const int w = rect.Width(), h = rect.Height();
    DWORD* pFirst = NULL;
    LONG_PTR nStride = 0;
    if (FindTargetRows(hdc, rect, pFirst, nStride)) {
        // the target's own pixels: drawn there and read back, or written there
        ::GdiFlush();
        if (kept) {
            PutRows(pFirst, nStride, rect.Size(), m_current);
            return;
        }
        StartNew();
        drawing(pDC, rect);
        ::GdiFlush();
        KeepRows(pFirst, nStride, rect.Size(), m_current);
        m_current.key = key;
        m_current.size = rect.Size();
        return;
    }
    if (!kept) {
        StartNew();
        if (!Render(rect, drawing)) {
            m_current = Entry();
            drawing(pDC, rect);
            return;
        }
        m_current.key = key;
    }
    // kept packed from a direct target
    std::vector<DWORD> unpacked;
    if (m_current.packed) {
        unpacked.resize((size_t)w * h);
        UnpackRows(&unpacked[0], (LONG_PTR)w * sizeof(DWORD), w, h, m_current.pixels);
    }
    BITMAPINFO bi = TopDown32(w, h);
    ::StretchDIBits(hdc, rect.left, rect.top, w, h, 0, 0, w, h, m_current.packed ? &unpacked[0] : &m_current.pixels[0],
                    &bi, DIB_RGB_COLORS, SRCCOPY);
}

void CDrawnPixels::DrawOver(CDC* pDC, const CRect& rect, const std::string& key, const Drawing& drawing)
{
    HDC hdc = pDC->GetSafeHdc();
    DWORD* pFirst = NULL;
    LONG_PTR nStride = 0;
    if (!CanKeep(hdc, rect) || TooLarge(rect) || !FindTargetRows(hdc, rect, pFirst, nStride)) {
        if (!m_current.pixels.empty() || !m_previous.pixels.empty())
            Forget();
        drawing(pDC, rect);
        return;
    }
    const int w = rect.Width(), h = rect.Height();
    ::GdiFlush();
    if (FindKept(key, rect.Size(), pFirst, nStride)) {
        PutRows(pFirst, nStride, rect.Size(), m_current);
        return;
    }
    StartNew();
    CopyRowsOut(pFirst, nStride, w, h, m_current.under);
    drawing(pDC, rect);
    ::GdiFlush();
    KeepRows(pFirst, nStride, rect.Size(), m_current);
    m_current.key = key;
    m_current.size = rect.Size();
}
