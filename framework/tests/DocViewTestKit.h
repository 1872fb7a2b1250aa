// Document, view, frame and application classes shared by the document/view tests.
#pragma once
#include "framework/WinApp.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "framework/ScrollView.h"
#include "framework/FrameWnd.h"
#include "framework/SingleDocTemplate.h"
#include "framework/DocManager.h"
#include "framework/Archive.h"
#include "framework/CmdUI.h"
#include "DocViewTestRes.h"
#include <string>
#include <vector>

#include "testsupport/TestSupport.h"

// Which object handled which command, in order.
extern std::vector<std::string> g_log;

// A note: one string, stored after a magic word.
class CNoteDoc : public CDocument {
    DECLARE_DYNCREATE(CNoteDoc)
public:
    CString m_strText;
    bool m_bHandleDocUp = true;
    void DeleteContents() override { m_strText.Empty(); }
    void Serialize(CArchive& ar) override;
    afx_msg void OnAll() { g_log.push_back("doc:all"); }
    afx_msg void OnDocUp() { g_log.push_back("doc:docup"); }
    DECLARE_MESSAGE_MAP()
};

class CNoteView : public CView {
    DECLARE_DYNCREATE(CNoteView)
public:
    int m_nInitialUpdates = 0;
    int m_nUpdates = 0;
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        ++m_nInitialUpdates;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        ++m_nUpdates;
        CView::OnUpdate(pSender, lHint, pHint);
    }
    afx_msg void OnAll() { g_log.push_back("view:all"); }
    afx_msg void OnUpdateUpdated(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

class CNoteScrollView : public CScrollView {
    DECLARE_DYNCREATE(CNoteScrollView)
public:
    void OnDraw(CDC*) override {}
};

class CNoteFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CNoteFrame)
public:
    afx_msg void OnAll() { g_log.push_back("frame:all"); }
    afx_msg void OnDocUp() { g_log.push_back("frame:docup"); }
    afx_msg void OnFrameUp() { g_log.push_back("frame:frameup"); }
    DECLARE_MESSAGE_MAP()
};

// Answers message boxes from a script and records their texts.
class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("DocView Test") {}
    int m_nAnswer = IDNO;
    std::vector<std::string> m_prompts;
    int m_nExits = 0;
    int ExitInstance() override
    {
        ++m_nExits;
        return CWinApp::ExitInstance();
    }
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        m_prompts.push_back(lpszPrompt ? lpszPrompt : "");
        return m_nAnswer;
    }
    afx_msg void OnAll() { g_log.push_back("app:all"); }
    afx_msg void OnDocUp() { g_log.push_back("app:docup"); }
    afx_msg void OnFrameUp() { g_log.push_back("app:frameup"); }
    afx_msg void OnApp() { g_log.push_back("app:app"); }
    DECLARE_MESSAGE_MAP()
};

// Lets the window system deliver what is posted.
inline void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// Writes bytes as they stand.
inline bool WriteBytes(const CString& path, const std::string& bytes)
{
    HANDLE h = ::CreateFile(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD n = 0;
    BOOL ok = ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, NULL);
    ::CloseHandle(h);
    return ok && n == bytes.size();
}
