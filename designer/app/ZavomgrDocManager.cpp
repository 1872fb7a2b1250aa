#include "designer/app/ZavomgrDocManager.h"

#include "designer/app/LangManager.h"
#include "framework/CreateContext.h"
#include "framework/DocTemplate.h"
#include "framework/FwRes.h"
#include "framework/WinApp.h"

namespace {

const UINT kDocStringId = 117;

CString PartOf(const CString& text, int index)
{
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start = text.Find('\n', start);
        if (start < 0) return CString();
        ++start;
    }
    int end = text.Find('\n', start);
    return end < 0 ? text.Mid(start) : text.Mid(start, end - start);
}

}  // namespace

CZavomgrDocManager::CZavomgrDocManager() : m_pLangManager(NULL) {}

CZavomgrDocManager::~CZavomgrDocManager() {}

BOOL CZavomgrDocManager::GetDocString(CDocTemplate* pTemplate, CString& rString, int nIndex) const
{
    CString text;
    if (m_pLangManager) m_pLangManager->LoadString(text, kDocStringId, FALSE);
    if (text.IsEmpty() && pTemplate) text = pTemplate->m_strDocStrings;
    rString = PartOf(text, nIndex);
    return !rString.IsEmpty();
}

std::string CZavomgrDocManager::BuildFilter(CDocTemplate* pTemplate, CString& strDefaultExt,
                                            int& nFilterIndex) const
{
    std::string filter;
    nFilterIndex = 0;
    int entries = 0;
    auto add = [&](CDocTemplate* t, bool wantExt) {
        CString name, ext;
        if (!GetDocString(t, name, CDocTemplate::filterName) ||
            !GetDocString(t, ext, CDocTemplate::filterExt))
            return;
        ext.Replace(";.", ";*.");
        filter += (LPCTSTR)name;
        filter += '\0';
        filter += "*";
        filter += (LPCTSTR)ext;
        filter += '\0';
        ++entries;
        if (wantExt) {
            CString first = PartOf(ext, 0);
            int semi = first.Find(';');
            if (semi >= 0) first = first.Left(semi);
            strDefaultExt = first.Left(1) == "." ? first.Mid(1) : first;
            nFilterIndex = entries;
        }
    };
    if (pTemplate) {
        add(pTemplate, true);
    } else {
        POSITION pos = GetFirstDocTemplatePosition();
        bool first = true;
        while (pos) {
            add(GetNextDocTemplate(pos), first);
            first = false;
        }
    }
    filter += (LPCTSTR)AfxLoadFwString(AFX_IDS_ALLFILTER);
    filter += '\0';
    filter += "*.*";
    filter += '\0';
    return filter;
}

BOOL CZavomgrDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                          BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    CString title = AfxLoadFwString(nIDSTitle);
    CString defExt;
    int index = 0;
    std::string filter = BuildFilter(pTemplate, defExt, index);
    if (fileName.GetLength() >= MAX_PATH) fileName = fileName.Left(MAX_PATH - 1);
    return RunFileDialog(bOpenFileDialog, title, lFlags, filter.c_str(), index,
                         defExt.IsEmpty() ? NULL : (LPCTSTR)defExt, fileName);
}

void CZavomgrDocManager::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    CDocTemplate* tmpl = pos ? GetNextDocTemplate(pos) : NULL;
    if (!tmpl) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    tmpl->OpenDocumentFile(NULL);
}

void CZavomgrDocManager::OnFileOpen()
{
    CString name;
    if (!DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL))
        return;
    AfxGetApp()->OpenDocumentFile(name);
}
