// Path and text helpers of the template dialogs (code-page aware).
#pragma once

#include "framework/String.h"

// True when the last character (not a second byte) is '\'.
bool EndsWithBackslash(const CString& strPath);
CString WithBackslash(const CString& strFolder);
// A plain file or folder name: not empty, not "." or "..", no separator,
// drive colon or wildcard, so that it stays inside the folder it is joined to.
bool IsPlainName(const CString& strName);
// folder\name.gmd, or empty when the name is not plain.
CString TemplateFilePath(const CString& strFolder, const CString& strName);
// The format with its first three "%s" replaced by the texts, "%%" by '%';
// any other '%' stays as it is (the format comes from the host).
CString FormatTip(const CString& strFormat, const CString& a, const CString& b, const CString& c);
// Copies at most nSize - 1 bytes, never half a double-byte character, and ends with a zero.
void CopyTipText(LPSTR pszDest, int nSize, const CString& strText);
