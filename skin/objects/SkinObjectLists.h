// Skins of the list controls and the MDI client: list box, list view and tree
// view keep their item painting and get the skin's colours, border and scroll
// bars; the header is painted whole; the MDI client keeps maximised children's
// borders outside its client area.
#pragma once

#include "skin/objects/SkinObjectFrame.h"

class CVZRSkinObjectListBox : public CVZRSkinObjectScrollFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectListBox)
public:
    CVZRSkinObjectListBox();
};

class CVZRSkinObjectListView : public CVZRSkinObjectScrollFrame9x {
    DECLARE_DYNCREATE(CVZRSkinObjectListView)
public:
    CVZRSkinObjectListView();
    void OnSkinStateChange(BOOL bPrevState, BOOL bNewState) override;

protected:
    afx_msg LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()
};

class CVZRSkinObjectTreeView : public CVZRSkinObjectScrollFrame9x {
    DECLARE_DYNCREATE(CVZRSkinObjectTreeView)
public:
    CVZRSkinObjectTreeView();
    void OnSkinStateChange(BOOL bPrevState, BOOL bNewState) override;

protected:
    afx_msg LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()
};

class CVZRSkinObjectHeader : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectHeader)
public:
    CVZRSkinObjectHeader();
    int GetHotItem() const { return m_hotItem; }

protected:
    afx_msg LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    DECLARE_MESSAGE_MAP()

private:
    void Draw(HDC dc);
    void SetHot(POINT pt);
    BOOL m_bPressed = FALSE;
    int m_hotItem = -1;
};

class CVZRSkinObjectMDIClient : public CVZRSkinObjectFrame {
    DECLARE_DYNCREATE(CVZRSkinObjectMDIClient)
public:
    CVZRSkinObjectMDIClient() {}
    ~CVZRSkinObjectMDIClient() override;
    void OnSkinAttach(LPCREATESTRUCT lpcs, BOOL bAuto) override;
    void OnSkinDetach(BOOL bAuto) override;
    BOOL HandledInDefProc(UINT msg) override;

protected:
    BOOL HandleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // A maximised skinned child is moved so that its borders lie outside.
    BOOL OnSize(LPARAM lParam);
    LRESULT Arrange();
    void RedrawBars(bool horizontal, bool vertical);
    // Tells the frame it has no MDI client skin any more and lets it go.
    void UnlinkParentFrame();
    BOOL m_bArranging = FALSE;
    CVZRSkinObject* m_pParentFrame = nullptr;  // one reference held, told of this client
};
