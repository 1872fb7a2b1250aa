// CDlgInportAll: imports folders of templates (each with a template
// sub-folder) into the template library's folder and lists what is there.
#pragma once

#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/StringArray.h"
#include "templates/GorvanelApi.h"

class CDataExchange;

class GORVANEL_API CDlgInportAll : public CDialog {
public:
    enum { IDD = 2011,
           kTextSize = 32 };
    explicit CDlgInportAll(CWnd* pParent = NULL);
    virtual ~CDlgInportAll();

    void SetTestPersonPath(CString strFolder);
    void SetIndexInfo(CString strFolder, CString strText, char* pszFormat);
    void ShowDirectory(CString strFolder);
    // A folder name that may be created inside the library's folder.
    BOOL CheckForFdrName(CString strName);
    // Copies the templates of strSource's template sub-folder into the
    // library's folder under strName; TRUE when they are all there.
    BOOL DoInputMen(CString strSource, CString strName);
    // Imports every chosen folder; the number imported.
    int ImportChosen();

    CEdit m_edtFolder;        // 2004
    CListCtrl m_lstFolders;   // 1241
    CString m_strChosenText;  // text of 2004
    CImageList m_imgList;
    CString m_strStartFolder;
    CString m_strIndexFolder;
    CString m_strIndexText;
    char m_szIndexText[kTextSize];
    CStringArray m_arrChosenNames;
    CString m_strChosenIn;
    CStringArray m_arrChosenFolders;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    afx_msg void OnBtnSeldir2();
    DECLARE_MESSAGE_MAP()
};
