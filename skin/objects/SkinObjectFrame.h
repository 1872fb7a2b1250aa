// Skin objects of framed windows: the frame itself (windows, dialogs,
// property-sheet pages), the frames that keep a control's own scroll bars in
// step, and the scroll bar control.
#pragma once

#include "skin/objects/FrameNonClient.h"
#include "skin/objects/SkinObject.h"

class CVZRSkinObjectFrame : public CVZRSkinObject, public CVZRFrameNonClient {
    DECLARE_DYNCREATE(CVZRSkinObjectFrame)
public:
    CVZRSkinObjectFrame();
    explicit CVZRSkinObjectFrame(int frameKind);

    void OnSkinStateChange(BOOL bPrevState, BOOL bNewState) override;
    void ReloadMetrics() override;
    void OnSkinAttach(LPCREATESTRUCT lpcs, BOOL bAuto) override;
    void OnSkinDetach(BOOL bAuto) override;
    BOOL HandleSubclassMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;
    BOOL HandleDefProcMessage(UINT msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;
    BOOL HandledInDefProc(UINT msg) override;
    BOOL IsPassThroughMessage(UINT msg) override;
    BOOL SubclassIgnores(UINT msg) override;

    // Calls a dialog's own procedure directly (dialog frames only).
    LRESULT CallDialogProc(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnActivating(WPARAM wParam) override;
    // The frame's own handling: client colours, page background, non-client area.
    BOOL HandleFrameMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, bool fromSubclass);
    // What a subclass handles before the frame; FALSE to go on.
    virtual BOOL HandleControlMessage(UINT, WPARAM, LPARAM, LRESULT&) { return FALSE; }
};

// Keeps the non-client bars of a control in step with its own scrolling.
class CVZRSkinObjectScrollFrame : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectScrollFrame)
public:
    virtual void RefreshScrollBars();

protected:
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    virtual bool RefreshesHere() const;
    SCROLLINFO m_last[2] = {};
};

// The same, only while the engine runs on Windows 9x.
class CVZRSkinObjectScrollFrame9x : public CVZRSkinObjectScrollFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectScrollFrame9x)
protected:
    bool RefreshesHere() const override;
};

// The scroll bar control ("ScrollBar"): one bar over the client area.
class CVZRSkinObjectScrollBar : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectScrollBar)
public:
    CVZRSkinObjectScrollBar();
    void DrawControl(HDC dc);
    CVZRScrollBarInfo m_bar;

protected:
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PrepareBar();
};
