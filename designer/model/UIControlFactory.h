// CUIControlFactory: the design canvas's element clipboard, and the creation
// of an element of the right type from a default string or a UICONTROL block.
#pragma once

#include "framework/Array.h"
#include "framework/String.h"

class CUIControl;
class CUIControlList;
class CXmlDocument;

class CUIControlFactory {
public:
    CUIControlFactory() {}
    virtual ~CUIControlFactory();

    virtual void CopyOne(CUIControl* pControl);
    virtual void PasteInto(CUIControlList* pList);
    virtual void CopySelected(CUIControlList* pList);
    virtual int GetCount() const { return (int)m_copies.GetSize(); }
    virtual void Clear();
    virtual const CArray<CUIControl*, CUIControl*>& GetArray() const { return m_copies; }

    static CUIControl* CreateFromDefaultString(LPCTSTR lpszText);
    static CUIControl* CreateFromMarkup(CXmlDocument& doc, LPCTSTR lpszType);

private:
    CUIControlFactory(const CUIControlFactory&);
    CUIControlFactory& operator=(const CUIControlFactory&);
    void Store(CUIControl* pCopy);

    CArray<CUIControl*, CUIControl*> m_copies;
};
