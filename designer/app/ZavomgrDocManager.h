// CZavomgrDocManager: the framework's document manager with the studio's file
// dialogs, whose filter and default extension come from the document string
// as the language file gives it.
#pragma once

#include "framework/DocManager.h"

#include <string>

class CLangManager;

class CZavomgrDocManager : public CDocManager {
public:
    CZavomgrDocManager();
    virtual ~CZavomgrDocManager();

    virtual void OnFileNew() override;
    virtual void OnFileOpen() override;
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate) override;

    // Part nIndex of the template's document string (lines split at '\n');
    // the language file's string 117 wins over the resource's.
    BOOL GetDocString(CDocTemplate* pTemplate, CString& rString, int nIndex) const;
    // The dialog filter ("name\0*.ext\0 ... \0") and the default extension.
    std::string BuildFilter(CDocTemplate* pTemplate, CString& strDefaultExt, int& nFilterIndex) const;

    // Where the document strings are translated; NULL: the resource string only.
    CLangManager* m_pLangManager;
};
