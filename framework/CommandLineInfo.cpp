#include "framework/CommandLineInfo.h"

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew) {}

CCommandLineInfo::~CCommandLineInfo() {}

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(LPCTSTR pszParam)
{
    CString s(pszParam);
    if (s.CompareNoCase("p") == 0) {
        m_nShellCommand = FilePrint;
    } else if (s.CompareNoCase("pt") == 0) {
        m_nShellCommand = FilePrintTo;
    } else if (s.CompareNoCase("dde") == 0) {
        m_nShellCommand = FileDDE;
    } else if (s.CompareNoCase("Embedding") == 0) {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (s.CompareNoCase("Automation") == 0) {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    } else if (s.CompareNoCase("Unregister") == 0 || s.CompareNoCase("Unregserver") == 0) {
        m_nShellCommand = AppUnregister;
    } else if (s.CompareNoCase("Register") == 0 || s.CompareNoCase("Regserver") == 0) {
        m_nShellCommand = AppRegister;
    }
}

void CCommandLineInfo::ParseParamNotFlag(LPCTSTR pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
}
