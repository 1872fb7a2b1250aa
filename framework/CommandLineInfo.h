#pragma once
#include <windows.h>
#include "framework/FwDefs.h"
#include "framework/Object.h"
#include "framework/String.h"

class FW_API CCommandLineInfo : public CObject {
public:
    CCommandLineInfo();
    virtual ~CCommandLineInfo();
    // Called for each argument; bFlag when it started with '-' or '/' (removed).
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum { FileNew,
           FileOpen,
           FilePrint,
           FilePrintTo,
           FileDDE,
           AppRegister,
           AppUnregister,
           FileNothing = -1 } m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(LPCTSTR pszParam);
    void ParseParamNotFlag(LPCTSTR pszParam);
    void ParseLast(BOOL bLast);
};
