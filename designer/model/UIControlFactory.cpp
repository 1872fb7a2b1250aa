#include "designer/model/UIControlFactory.h"

#include <cstring>

#include "controls/UniqueId.h"
#include "designer/model/UIButton.h"
#include "designer/model/UIControlList.h"
#include "designer/model/UIPicture.h"
#include "designer/model/UIProgress.h"
#include "designer/model/UIStatic.h"

CUIControlFactory::~CUIControlFactory()
{
    Clear();
}

void CUIControlFactory::Clear()
{
    for (INT_PTR i = m_copies.GetSize() - 1; i >= 0; --i)
        delete m_copies[i];
    m_copies.RemoveAll();
}

// Stored copies belong to no list: their source list may go away first.
void CUIControlFactory::Store(CUIControl* pCopy)
{
    pCopy->SetOwner(NULL);
    m_copies.Add(pCopy);
}

void CUIControlFactory::CopyOne(CUIControl* pControl)
{
    Clear();
    CUIControl* pCopy = pControl->Clone();
    pCopy->SetSelected(TRUE);
    pCopy->Offset(10.0, 10.0);
    Store(pCopy);
}

void CUIControlFactory::CopySelected(CUIControlList* pList)
{
    Clear();
    for (int i = 0; i < pList->GetCount(); ++i) {
        CUIControl* pSource = pList->GetAt(i);
        if (!pSource->IsSelected())
            continue;
        CUIControl* pCopy = pSource->Clone();
        pCopy->SetSelected(TRUE);
        pCopy->Offset(10.0, 10.0);
        pCopy->SetGroup(pSource->GetGroup());
        Store(pCopy);
    }
}

void CUIControlFactory::PasteInto(CUIControlList* pList)
{
    CArray<int, int> oldGroups, newGroups;
    for (INT_PTR i = 0; i < m_copies.GetSize(); ++i) {
        int group = m_copies[i]->GetGroup();
        if (group == 0)
            continue;
        BOOL seen = FALSE;
        for (INT_PTR j = 0; j < oldGroups.GetSize() && !seen; ++j)
            seen = oldGroups[j] == group;
        if (!seen) {
            oldGroups.Add(group);
            newGroups.Add(NewUniqueId());
        }
    }
    for (INT_PTR i = 0; i < m_copies.GetSize(); ++i) {
        CUIControl* pClone = m_copies[i]->Clone();
        int group = m_copies[i]->GetGroup();
        int newGroup = 0;
        for (INT_PTR j = 0; j < oldGroups.GetSize() && group != 0; ++j) {
            if (oldGroups[j] == group)
                newGroup = newGroups[j];
        }
        pClone->SetGroup(newGroup);
        pList->Add(pClone);
    }
}

CUIControl* CUIControlFactory::CreateFromDefaultString(LPCTSTR lpszText)
{
    CUIControl* pControl = CUIButton::CreateFromDefaultString(lpszText);
    if (!pControl)
        pControl = CUIPicture::CreateFromDefaultString(lpszText);
    if (!pControl)
        pControl = CUIStatic::CreateFromDefaultString(lpszText);
    if (!pControl)
        pControl = CUIProgress::CreateFromDefaultString(lpszText);
    return pControl;
}

namespace {
// The type text matches a keyword over the keyword's length, case ignored.
bool MatchesKeyword(LPCTSTR lpszType, LPCTSTR lpszKeyword)
{
    return lpszType && _strnicmp(lpszType, lpszKeyword, strlen(lpszKeyword)) == 0;
}
}  // namespace

CUIControl* CUIControlFactory::CreateFromMarkup(CXmlDocument& doc, LPCTSTR lpszType)
{
    if (MatchesKeyword(lpszType, "BUTTON"))
        return CUIButton::CreateFromMarkup(doc);
    if (MatchesKeyword(lpszType, "PICTURE"))
        return CUIPicture::CreateFromMarkup(doc);
    if (MatchesKeyword(lpszType, "STATIC"))
        return CUIStatic::CreateFromMarkup(doc);
    if (MatchesKeyword(lpszType, "PROGRESS"))
        return CUIProgress::CreateFromMarkup(doc);
    return NULL;
}
