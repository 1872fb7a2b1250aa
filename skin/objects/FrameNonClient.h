// The non-client part of a skinned frame: borders, caption and its buttons,
// region, hit-testing, non-client scroll bars with their tracking loop, and the
// client colours. The frame skin object and the scroll bar skin build on it.
#pragma once

#include <windows.h>

#include "skin/objects/NonClientGeometry.h"
#include "skin/theme/SkinContext.h"

#include <memory>
#include <vector>

class CVZRSkinContext;
class CVZRFrameNonClient;
class CVZRThemeClass;
class CVZRThemeSchema;
class CVZRSkinSystemMetrics;

const UINT_PTR kHoverTimer = 2763;
const UINT_PTR kResetTimer = 2765;
const UINT_PTR kScrollRepeatTimer = 64069;

struct CVZRCaptionButton {
    int hitCode;
    RECT rect;
    int part;
    CVZRFrameNonClient* frame;
    int command;
    BOOL enabled;
    // Draws itself by its state in the frame.
    void Draw(HDC dc, BOOL active);
};

// Exists only while a scroll bar is tracked.
struct CVZRScrollTracking {
    BOOL inside = FALSE;
    BOOL vertical = FALSE;
    RECT rect = {0, 0, 0, 0};
    int command = -1;
    UINT_PTR timer = 0;
    int thumbOffset = 0;
    int lastThumbTop = 0;
    int lastPos = 0;
    int newPos = 0;
    HWND notify = NULL;
    HWND target = NULL;
    int barType = kBarHorz;
    BOOL nonClient = TRUE;
    BOOL thumbDrag = FALSE;
    CVZRScrollBarInfo* bar = nullptr;
};

class CVZRFrameNonClient {
public:
    explicit CVZRFrameNonClient(CVZRSkinContext* context);
    virtual ~CVZRFrameNonClient();

    HWND GetFrameWindow() const { return m_hFrameWnd; }
    CVZRSkinContext* GetContext() const { return m_pContext; }
    CVZRThemeSchema* GetSchema() const;
    CVZRSkinSystemMetrics* GetMetrics() const;
    int GetMetric(int index) const;
    COLORREF GetSkinColor(int index) const;
    HBRUSH GetSkinBrush(int index) const;
    bool AppliesFrames() const;

    // Asks the parent with the client colour message for the background brush.
    virtual HBRUSH GetClientBrush(HDC dc);
    UINT GetCtlColorMessage() const { return m_ctlColorMessage; }
    virtual void DrawFrame(HDC dc);
    HBRUSH FillBackground(HDC dc, const RECT& rect, UINT msg);
    HBRUSH GetCtlColorBrush(HDC dc, HWND child, int type);
    void RedrawFrame();
    void UpdateRegion(int cx, int cy);
    void ResetNonClient();
    void RebuildCaptionButtons(bool force = false);
    void CalcBorders();
    BOOL IsInSizableCorner() const;
    BOOL IsInCaptionedCorner() const;

    // Scroll bars.
    RECT GetScrollBarRect(int type) const;
    void UpdateScrollBar(CVZRScrollBarInfo& bar);
    void RedrawScrollBar(CVZRScrollBarInfo& bar);
    // Whether the skin draws this window's non-client bars (not flat ones).
    bool DrawsNonClientBars() const;
    // Redraws the non-client bar of a type (SB_HORZ, SB_VERT or SB_BOTH).
    void RedrawNonClientBars(int type);
    virtual void DrawScrollBarInto(HDC dc, CVZRScrollBarInfo& bar);
    void StartScrollTracking(POINT pt, CVZRScrollBarInfo& bar, BOOL shift);
    // The tracked position while a thumb of that bar is dragged.
    BOOL GetTrackPos(int barType, int* pos) const;
    const CVZRScrollTracking* GetTracking() const { return m_pTracking; }

    // Non-client messages: TRUE when handled, with the result.
    BOOL HandleNonClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The creation adjustment of a captioned window.
    void AdjustCreation();
    // The message the frame ignores or handles first; TRUE to leave it to the system.
    BOOL IsPassThroughFrameMessage(UINT msg);

    int m_lockCount = 0;
    int m_frameKind = kFrameWindow;
    // The skin of this frame's MDI client, set by that skin while attached.
    CVZRFrameNonClient* m_pMDIClient = nullptr;
    std::vector<std::unique_ptr<CVZRCaptionButton>> m_buttons;
    RECT m_borders = {0, 0, 0, 0};
    CVZRCaptionButton* m_pHotButton = nullptr;
    CVZRCaptionButton* m_pPressedButton = nullptr;
    BOOL m_bRegion = FALSE;
    CVZRScrollTracking* m_pTracking = nullptr;
    CVZRScrollBarInfo m_hBar;
    CVZRScrollBarInfo m_vBar;
    int m_cachedWidth = -1;
    int m_cachedHeight = -1;
    BOOL m_bActive = TRUE;
    DWORD m_cachedStyle = DWORD(-1);
    DWORD m_cachedExStyle = DWORD(-1);
    BOOL m_bInRegion = FALSE;
    UINT m_ctlColorMessage = WM_CTLCOLORDLG;
    // The window's answer to WM_QUERYDRAGICON, asked once (a default answer
    // searches the module's resources); WM_SETICON forgets it.
    HICON m_hDragIcon = NULL;

protected:
    // The window's own processing of a message.
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // Before the caption follows an activation change.
    virtual void OnActivating(WPARAM) {}
    void SetFrameWindow(HWND window) { m_hFrameWnd = window; }
    void SetContext(CVZRSkinContext* context) { m_pContext = context; }

    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(LPARAM lParam);
    int OwnHitTest(POINT windowPoint);
    BOOL TrackNonClientHot(POINT windowPoint);
    void OnNcPress(WPARAM hitCode, LPARAM lParam);
    BOOL RunCaptionButtonLoop();
    LRESULT OnNcActivate(WPARAM wParam);
    void OnHoverTimer();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    void OnPrint(HDC dc, LPARAM flags, LRESULT& result);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    void DrawSizeBox(HDC dc);
    POINT ToWindowPoint(LPARAM screenPoint) const;
    CVZRCaptionButton* ButtonAt(POINT windowPoint) const;
    bool UsesFlatScrollBars() const;
    bool IsCloseDisabled() const;

    // Tracking steps.
    void TrackArrowOrPage(UINT msg, POINT pt);
    void TrackThumb(UINT msg, POINT pt);
    void RepeatStep();
    void EndTracking();
    void SendScroll(int command, int position);
    POINT TrackingPoint(POINT screenPoint) const;

    HWND m_hFrameWnd = NULL;
    CVZRSkinContext* m_pContext;
    bool m_bTrackingDone = false;

private:
    CVZRFrameNonClient(const CVZRFrameNonClient&);
    CVZRFrameNonClient& operator=(const CVZRFrameNonClient&);
};

// Whether a window's bottom-right corner lies at the client corner of the
// first sizable (or captioned) window among it and its parents.
bool IsInFrameCorner(HWND window, bool sizable);
// Where the system menu's popup moves while a caption's menu command runs.
POINT GetSkinMenuOffset();
SkinRect ToSkinRect(const RECT& r);
RECT ToRect(const SkinRect& r);
