// CDlgExports: picks a command template (.gmd) from a folder. The host reaches
// the public data members by their position, so their order must not change.
#pragma once

#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "templates/GorvanelApi.h"

class CDataExchange;

// The host's text service. (dialog, 0, "Dlg_GORVANL", NULL, 0): translate the
// dialog; (NULL, id, "String", buffer, size): copy string id into the buffer
// when it fits. The result is not used.
typedef int(CALLBACK* GORVANEL_HOSTPROC)(CWnd* pDlg, UINT nID, LPCSTR lpszSection,
                                         LPSTR lpszBuffer, int nBufferSize);

class GORVANEL_API CDlgExports : public CDialog {
public:
    enum { IDD = 2002 };
    explicit CDlgExports(CWnd* pParent = NULL);
    virtual ~CDlgExports();

    void SetTestPersonPath(CString strFolder);
    int ReadModFile(CString& strPath);
    const char* TranslateString(UINT nID);

    CString m_strFileName;  // chosen template's name followed by ".gmd"
    CString m_strAuthor;
    CString m_strDateTime;
    CString m_strDescription;
    CString m_strContents;     // the command lines the host inserts
    CEdit m_edtFolder;         // 2007, read-only
    CListCtrl m_lstTemplates;  // 2008, icon view, single selection
    CString m_strFolder;       // folder being listed (text of 2007)
    GORVANEL_HOSTPROC m_pfnHostCallback;
    CImageList m_imgList;
    CString m_strStartFolder;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    afx_msg void OnBtnSeldir1();
    afx_msg void OnDblclkFolderIlist1(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetdispinfoFolderIlist1(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnInfoTip(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void ShowDirectory(CString strFolder);
    CString TemplatePath(const CString& strName) const;
};
