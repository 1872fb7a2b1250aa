// The default schema's non-client drawing: borders, caption, icon, text,
// caption buttons and the window region with its caption corners.
#include "skin/theme/DefaultThemeSchema.h"

#include "skin/draw/SkinBitmap.h"
#include "skin/draw/SkinSystemMetrics.h"
#include "skin/objects/FrameNonClient.h"
#include "skin/support/DrawHelpers.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/theme/SkinContext.h"
#include "skin/theme/ThemeClass.h"

#include <algorithm>

namespace {
const COLORREF kMagenta = RGB(255, 0, 255);
const int kPartCaption = 1;
const int kPartSmallCaption = 2;
const int kPartFrameLeft = 7;
const int kPartSmallFrameLeft = 10;
const int kPartCloseButton = 18;
const int kStateActive = 1;
const int kStateInactive = 2;

DWORD StyleOf(HWND window) { return DWORD(GetWindowLongA(window, GWL_STYLE)); }
DWORD ExStyleOf(HWND window) { return DWORD(GetWindowLongA(window, GWL_EXSTYLE)); }
bool IsCaptioned(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

SIZE WindowSize(HWND window)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(window, &r);
    SIZE s = {r.right - r.left, r.bottom - r.top};
    return s;
}

FrameMetrics MetricsOf(CVZRFrameNonClient* frame)
{
    FrameMetrics m;
    m.cxBorder = frame->GetMetric(SM_CXBORDER);
    m.cyBorder = frame->GetMetric(SM_CYBORDER);
    m.cxEdge = frame->GetMetric(SM_CXEDGE);
    m.cyEdge = frame->GetMetric(SM_CYEDGE);
    CVZRSkinSystemMetrics* metrics = frame->GetMetrics();
    m.borderMultiplier = metrics ? metrics->GetBorderMultiplier() : 1;
    m.captionHeight = metrics ? metrics->GetCaptionHeight() : GetSystemMetrics(SM_CYCAPTION);
    m.smallCaptionHeight = metrics ? metrics->GetSmallCaptionHeight() : GetSystemMetrics(SM_CYSMCAPTION);
    return m;
}

int BorderUnits(CVZRFrameNonClient* frame, DWORD style, DWORD exStyle)
{
    CVZRSkinSystemMetrics* metrics = frame->GetMetrics();
    return BorderCount(style, exStyle, true, false, metrics ? metrics->GetBorderMultiplier() : 1);
}

// Frame size of a part's image from its count and layout; 0 x 0 without one.
SIZE ImageFrameSize(CVZRThemeClass* tc, int part, int state)
{
    SIZE none = {0, 0};
    CString name = tc->GetImageName(part, state);
    CVZRSkinBitmap* bitmap = name.IsEmpty() ? nullptr : tc->GetBitmap(name);
    if (!bitmap)
        return none;
    int count = std::max(1, tc->GetInt(part, state, TMT_IMAGECOUNT_, 1));
    SIZE frame = bitmap->GetSize();
    if (tc->GetEnum(part, state, TMT_IMAGELAYOUT_, 1) == 1)
        frame.cx /= count;
    else
        frame.cy /= count;
    return frame;
}

HRGN RegionOfRuns(const std::vector<PixelRun>& runs)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const PixelRun& run : runs) {
        CScopedRgn part(CreateRectRgn(run.x0, run.y, run.x1, run.y + 1));
        CombineRgn(region, region, part, RGN_OR);
    }
    return region;
}
}  // namespace

CVZRCaptionCornerRecord::~CVZRCaptionCornerRecord()
{
    if (left)
        DeleteObject(left);
    if (right)
        DeleteObject(right);
}

RECT CVZRDefaultThemeSchema::CalcFrameBorders(CVZRFrameNonClient* frame)
{
    HWND window = frame->GetFrameWindow();
    DWORD style = StyleOf(window), exStyle = ExStyleOf(window);
    FrameMetrics m = MetricsOf(frame);
    SkinRect b;
    if (IsCaptioned(style) && IsZoomed(window) && !(style & WS_CHILD)) {
        RECT probe = {0, 0, 100, 100};
        AdjustWindowRectEx(&probe, style, FALSE, exStyle);
        b = MaximizedFrameBorders(exStyle, -probe.left, m);
    } else {
        b = FrameBorders(style, exStyle, m);
    }
    return ToRect(b);
}

void CVZRDefaultThemeSchema::DrawClientEdge(HDC dc, CVZRFrameNonClient* frame, const RECT& rect)
{
    HWND window = frame->GetFrameWindow();
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    CVZRThemeClass* tc = GetOwner()->LookupThemeClass(className);
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    if (tc->GetEnum(0, 0, TMT_BGTYPE_, 0) == 1) {
        FrameRectSolid(dc, rect, 1, tc->GetColor(0, 0, TMT_BORDERCOLOR_, 0));
        FrameRectBrush(dc, inner, 1, frame->GetClientBrush(dc));
        return;
    }
    CVZRSkinSystemMetrics* m = frame->GetMetrics();
    COLORREF shadow = m ? m->GetShadow() : GetSysColor(COLOR_BTNSHADOW);
    COLORREF highlight = m ? m->GetHighlight() : GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF dark = m ? m->GetDarkShadow() : GetSysColor(COLOR_3DDKSHADOW);
    COLORREF light = m ? m->GetLight() : GetSysColor(COLOR_3DLIGHT);
    for (int ring = 0; ring < 2; ++ring) {
        const RECT& r = ring ? inner : rect;
        COLORREF topLeft = ring ? dark : shadow;
        COLORREF bottomRight = ring ? light : highlight;
        FillSolidRect(dc, r.left, r.top, r.right - r.left - 1, 1, topLeft);
        FillSolidRect(dc, r.left, r.top, 1, r.bottom - r.top - 1, topLeft);
        FillSolidRect(dc, r.left, r.bottom - 1, r.right - r.left, 1, bottomRight);
        FillSolidRect(dc, r.right - 1, r.top, 1, r.bottom - r.top, bottomRight);
    }
}

void CVZRDefaultThemeSchema::DrawClassicBorders(HDC dc, CVZRFrameNonClient* frame, RECT rect)
{
    HWND window = frame->GetFrameWindow();
    DWORD style = StyleOf(window), exStyle = ExStyleOf(window);
    if (exStyle & WS_EX_WINDOWEDGE)
        DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
    else if (exStyle & WS_EX_STATICEDGE)
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME)) {
        bool face = (exStyle & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) ||
                    (style & WS_DLGFRAME);
        FrameRectSolid(dc, rect, 1, frame->GetSkinColor(face ? COLOR_BTNFACE : COLOR_WINDOWFRAME));
        InflateRect(&rect, -1, -1);
    }
    if (style & WS_THICKFRAME) {
        CVZRSkinSystemMetrics* m = frame->GetMetrics();
        int width = m ? m->GetBorderMultiplier() : 1;
        FrameRectSolid(dc, rect, width, frame->GetSkinColor(COLOR_BTNFACE));
        InflateRect(&rect, -width, -width);
    }
    if (exStyle & WS_EX_CLIENTEDGE)
        DrawClientEdge(dc, frame, rect);
}

void CVZRDefaultThemeSchema::DrawCaptionIcon(HDC dc, CVZRFrameNonClient* frame, int captionTop)
{
    HWND window = frame->GetFrameWindow();
    DWORD style = StyleOf(window), exStyle = ExStyleOf(window);
    HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    bool dialogFrame = (style & WS_CAPTION) == WS_DLGFRAME || (exStyle & WS_EX_DLGMODALFRAME);
    if (!icon && !dialogFrame) {
        DWORD_PTR answer = 0;
        if (!frame->m_hDragIcon && SendMessageTimeoutA(window, WM_QUERYDRAGICON, 0, 0, SMTO_NORMAL, 100, &answer))
            frame->m_hDragIcon = reinterpret_cast<HICON>(answer);
        icon = frame->m_hDragIcon;
    }
    if (!icon)
        icon = LoadIconA(NULL, MAKEINTRESOURCEA(32517));  // IDI_WINLOGO
    int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    int x = frame->m_borders.left + 2;
    int y = captionTop + (frame->m_borders.top - captionTop - cy) / 2;
    CVZRBlendFunctions& blend = CVZRBlendFunctions::Instance();
    bool rtl = blend.IsContextRTL(dc);
    if (rtl)
        blend.SetContextRTL(dc, LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED);
    DrawIconEx(dc, x, y, icon, cx, cy, 0, NULL, DI_NORMAL);
    if (rtl)
        blend.SetContextRTL(dc, LAYOUT_RTL);
}

void CVZRDefaultThemeSchema::DrawFrame(HDC dc, CVZRFrameNonClient* frame)
{
    HWND window = frame->GetFrameWindow();
    DWORD style = StyleOf(window), exStyle = ExStyleOf(window);
    SIZE size = WindowSize(window);
    RECT whole = {0, 0, size.cx, size.cy};
    if (!IsCaptioned(style)) {
        DrawClassicBorders(dc, frame, whole);
        return;
    }
    RECT b = frame->m_borders;
    if (exStyle & WS_EX_CLIENTEDGE) {
        RECT edge = {b.left - 2, b.top - 2, size.cx - b.right + 2, size.cy - b.bottom + 2};
        DrawClientEdge(dc, frame, edge);
        b.left -= 2;
        b.top -= 2;
        b.right -= 2;
        b.bottom -= 2;
    }
    CVZRThemeClass* tc = GetOwner()->LookupThemeClass("WINDOW");
    int state = frame->m_bActive ? kStateActive : kStateInactive;
    bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    int sides = tool ? kPartSmallFrameLeft : kPartFrameLeft;
    RECT left = {0, b.top, b.left, size.cy - b.bottom};
    RECT right = {size.cx - b.right, b.top, size.cx, size.cy - b.bottom};
    RECT bottom = {0, size.cy - b.bottom, size.cx, size.cy};
    DrawThemeBackground(dc, tc, sides, state, &left);
    DrawThemeBackground(dc, tc, sides + 1, state, &right);
    DrawThemeBackground(dc, tc, sides + 2, state, &bottom);

    CVZRScopedLock lock(GetLock());
    RECT captionRect = {0, 0, size.cx, b.top};
    CVZRMemoryCanvas canvas(dc, captionRect);
    BitBlt(canvas, 0, 0, size.cx, b.top, dc, 0, 0, SRCCOPY);
    int captionPart = tool ? kPartSmallCaption : kPartCaption;
    DrawThemeBackground(canvas, tc, captionPart, state, &captionRect);
    int captionTop = BorderUnits(frame, style, exStyle) * frame->GetMetric(SM_CYBORDER);
    int textLeft = b.left;
    if (!tool && (style & WS_SYSMENU)) {
        DrawCaptionIcon(canvas, frame, captionTop);
        textLeft = b.left + GetSystemMetrics(SM_CXSMICON) + 2;
    }
    int buttonsLeft = CalcCaptionButtons(canvas, frame);
    char text[512] = "";
    int length = GetWindowTextA(window, text, sizeof(text));
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    if (exStyle & WS_EX_RIGHT)
        format |= DT_RIGHT;
    if (exStyle & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    CVZRSkinSystemMetrics* m = frame->GetMetrics();
    HFONT font = m ? (tool ? m->GetSmallCaptionFont() : m->GetCaptionFont()) : NULL;
    CVZRFontSelection selection(canvas, font);
    selection.SetTextColor(frame->GetSkinColor(frame->m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT textRect = {textLeft, captionTop + 1, buttonsLeft, b.top};
    if (length > 0 && textRect.right > textRect.left)
        tc->DrawText(canvas, captionPart, state, text, length, format, &textRect);
}

int CVZRDefaultThemeSchema::CalcCaptionButtons(HDC dc, CVZRFrameNonClient* frame)
{
    HWND window = frame->GetFrameWindow();
    DWORD style = StyleOf(window), exStyle = ExStyleOf(window);
    SIZE size = WindowSize(window);
    int units = BorderUnits(frame, style, exStyle);
    bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    int g = CaptionButtonHeight(frame->m_borders.top, m_captionCorrection, units, frame->GetMetric(SM_CXBORDER),
                                exStyle);
    SIZE image = ImageFrameSize(GetOwner()->LookupThemeClass("WINDOW"), kPartCloseButton, 1);
    int width, height;
    CaptionButtonSize(g, tool, image.cx, image.cy, &width, &height);
    CVZRSkinSystemMetrics* m = frame->GetMetrics();
    int top = CaptionButtonTop(style, exStyle, m ? m->GetBorderMultiplier() : 1, frame->m_borders.top, height);
    int right = size.cx - units - 2;
    int left = size.cx - units;
    for (const std::unique_ptr<CVZRCaptionButton>& button : frame->m_buttons) {
        SetRect(&button->rect, right - width, top, right, top + height);
        button->Draw(dc, frame->m_bActive);
        left = button->rect.left;
        right -= width + 2;
    }
    return left;
}

void CVZRDefaultThemeSchema::ReloadMetrics()
{
    CVZRScopedLock lock(GetLock());
    m_corners.clear();
}

std::unique_ptr<CVZRCaptionCornerRecord> CVZRDefaultThemeSchema::BuildCornerRecord(CVZRFrameNonClient*, int width,
                                                                                   int topBorder, BOOL toolWindow)
{
    std::unique_ptr<CVZRCaptionCornerRecord> record(new CVZRCaptionCornerRecord);
    record->topBorder = topBorder;
    record->toolWindow = toolWindow;
    CVZRThemeClass* tc = GetOwner()->LookupThemeClass("WINDOW");
    int part = toolWindow ? kPartSmallCaption : kPartCaption;
    CString name = tc->GetImageName(part, 1);
    CVZRSkinBitmap* bitmap = name.IsEmpty() ? nullptr : tc->GetBitmap(name);
    if (!bitmap || topBorder <= 0 || tc->GetInt(part, 1, TMT_IMAGECOUNT_, 1) <= 0)
        return record;
    SIZE frameSize = ImageFrameSize(tc, part, 1);
    const RECT none = {0, 0, 0, 0};
    RECT margins = tc->GetRect(part, 1, TMT_SIZINGMARGINS_, none);
    margins.top = std::min<LONG>(margins.top, topBorder);
    margins.bottom = std::min<LONG>(margins.bottom, topBorder - margins.top);
    int bitmapWidth = frameSize.cx;
    if (width < margins.left + margins.right) {
        record->temporary = TRUE;
        bitmapWidth = width;
        int left = SkinMulDiv(width, margins.left, margins.left + margins.right);
        margins.right = width - left;
        margins.left = left;
    }
    if (bitmapWidth <= 0)
        return record;
    COLORREF key = kMagenta;
    if (tc->GetBool(part, 1, TMT_TRANSPARENT_, FALSE) && !bitmap->HasAlpha())
        key = tc->GetColor(part, 1, TMT_TRANSPARENTCOLOR_, kMagenta);
    void* bits = nullptr;
    CClientDC screen(NULL);
    CScopedBitmap dib(CVZRBlendFunctions::CreateDIB32(screen, bitmapWidth, topBorder, &bits));
    CScopedMemDC memory(::CreateCompatibleDC(screen));
    if (!dib || !bits || !memory)
        return record;
    {
        CScopedSelect select(memory, dib);
        RECT all = {0, 0, bitmapWidth, topBorder};
        FillSolidRect(memory, all, key);
        DrawThemeBackground(memory, tc, part, 1, &all);
        GdiFlush();
    }
    // The DIB is bottom-up: read its rows top first.
    std::vector<uint32_t> pixels(size_t(bitmapWidth) * topBorder);
    const uint32_t* source = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < topBorder; ++y) {
        int row = topBorder - 1 - y;
        std::copy(source + size_t(row) * bitmapWidth, source + size_t(row + 1) * bitmapWidth,
                  pixels.begin() + size_t(y) * bitmapWidth);
    }
    uint32_t keyPixel = uint32_t(GetRValue(key)) << 16 | GetGValue(key) << 8 | GetBValue(key);
    CaptionCorners corners =
        ScanCaptionCorners(pixels.data(), bitmapWidth, topBorder, keyPixel, margins.left, margins.right);
    record->left = RegionOfRuns(corners.left);
    record->right = RegionOfRuns(corners.right);
    record->margins = margins;
    record->transparentRows = corners.transparentRows;
    return record;
}

HRGN CVZRDefaultThemeSchema::CalcFrameRegion(CVZRFrameNonClient* frame, int width, int height)
{
    HWND window = frame->GetFrameWindow();
    DWORD style = StyleOf(window), exStyle = ExStyleOf(window);
    if (IsZoomed(window) && !(style & WS_CHILD)) {
        int b = frame->m_borders.left;
        MONITORINFO info = {sizeof(info)};
        HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
        bool fullWidth = monitor && GetMonitorInfoA(monitor, &info) && info.rcMonitor.right - info.rcMonitor.left == width;
        int e = fullWidth ? 2 * b : -b;
        return CreateRectRgn(b, b, width + e, height + e);
    }
    HRGN region = CreateRectRgn(0, 0, width, height);
    BOOL tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    int top = frame->m_borders.top;
    CVZRScopedLock lock(GetLock());
    std::unique_ptr<CVZRCaptionCornerRecord> temporary;
    CVZRCaptionCornerRecord* record = nullptr;
    auto found = m_corners.find(std::make_pair(top, tool));
    if (found != m_corners.end() && width >= found->second->margins.left + found->second->margins.right) {
        record = found->second.get();
    } else {
        std::unique_ptr<CVZRCaptionCornerRecord> made = BuildCornerRecord(frame, width, top, tool);
        if (made->temporary) {
            temporary = std::move(made);
            record = temporary.get();
        } else {
            record = made.get();
            m_corners[std::make_pair(top, tool)] = std::move(made);
        }
    }
    if (record->left)
        CombineRgn(region, region, record->left, RGN_DIFF);
    if (record->right) {
        CScopedRgn right(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(right, record->right, NULL, RGN_COPY);
        OffsetRgn(right, width - record->margins.right, 0);
        CombineRgn(region, region, right, RGN_DIFF);
    }
    if (record->transparentRows > 0) {
        CScopedRgn rows(
            CreateRectRgn(record->margins.left, 0, width - record->margins.right, record->transparentRows));
        CombineRgn(region, region, rows, RGN_DIFF);
    }
    return region;
}
