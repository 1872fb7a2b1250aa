// Skins of popup menus, progress bars, status bars, up-down controls and
// trackbars; each paints into a memory DC copied to the window.
#pragma once

#include "skin/objects/SkinObjectFrame.h"

const UINT_PTR kMarqueeTimer = 101;

class CVZRSkinObjectMenu : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectMenu)
public:
    CVZRSkinObjectMenu() {}

protected:
    afx_msg LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelectItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()

private:
    void DrawClient(HDC dc);
};

class CVZRSkinObjectProgress : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectProgress)
public:
    CVZRSkinObjectProgress();
    void OnSkinStateChange(BOOL bPrevState, BOOL bNewState) override;
    int GetMarqueeOffset() const { return m_marqueeOffset; }

protected:
    afx_msg LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMarquee(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()

private:
    void SetStaticEdgeState(int wanted);
    int m_staticEdgeState = 0;
    int m_marqueeOffset = 0;
    int m_marqueeInterval = 0;
};

class CVZRSkinObjectStatusBar : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectStatusBar)
public:
    CVZRSkinObjectStatusBar();
    void ReloadMetrics() override;

protected:
    afx_msg LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()
};

class CVZRSkinObjectSpin : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectSpin)
public:
    CVZRSkinObjectSpin();
    int GetHotButton() const { return m_hot; }
    int GetPressedButton() const { return m_pressed; }

protected:
    afx_msg LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()

private:
    int ButtonAt(POINT pt) const;
    void SetHot(POINT pt);
    int m_hot = 0;
    int m_pressed = 0;
};

class CVZRSkinObjectTrackBar : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectTrackBar)
public:
    CVZRSkinObjectTrackBar();
    int GetTickFrequency() const { return m_tickFrequency; }

protected:
    afx_msg LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTicFreq(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()

private:
    void SetHot(POINT pt);
    int m_tickFrequency = 1;
    BOOL m_bHot = FALSE;
};
