// The studio's window menu without the skin: popup items are owner-drawn with
// a column of command icons, check marks and radio dots.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "framework/Menu.h"
#include "framework/String.h"

class CImageList;
class CDC;

// One record per item; an owner-drawn item carries it as its item data.
struct COwnerDrawItem {
    std::wstring strText;  // may hold a tab and the accelerator text
    int nGlobalImage;      // first of the item's four images, -1: none
    UINT nFlags;           // MF_ flags as appended
    UINT_PTR nID;          // command id, popup handle, 0 for a separator
    int nSynced;           // mark used while re-synchronising
};

class COwnerDrawMenu : public CMenu {
public:
    COwnerDrawMenu();
    virtual ~COwnerDrawMenu();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMIS);
    virtual BOOL LoadMenu(UINT nIDResource);
    virtual BOOL LoadMenu(LPCTSTR lpszResourceName);
    virtual BOOL DestroyMenu();

    BOOL AddToolbarIcons(UINT nToolBarID);
    BOOL AppendOwnerDrawnItem(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID);
    BOOL SetCommandIcon(LPCWSTR lpszText, UINT nID, CImageList* pList, int nImage);
    BOOL GetMenuText(UINT nIDOrPos, CString& rText, UINT nFlags);
    BOOL SetMenuText(UINT nIDOrPos, LPCTSTR lpszText, UINT nFlags);
    // The object of this menu or one of its popups that holds the handle, or NULL;
    // its texts are then read and set by position.
    COwnerDrawMenu* FindPopup(HMENU hMenu);

    static BOOL IsOwnerDrawMenu(HMENU hMenu);
    // Whether item data is a record of a live owner-drawn menu; MeasureItem and
    // DrawItem ignore any other item.
    static BOOL IsRecord(const COwnerDrawItem* pItem);
    static BOOL IsOwnerDrawMenu(CMenu* pMenu) { return pMenu != NULL && IsOwnerDrawMenu(pMenu->m_hMenu); }
    static void UpdateMenu(CMenu* pMenu);
    static LRESULT FindMnemonic(UINT nChar, UINT nFlags, CMenu* pMenu);

    // 0..7 as below; 7 is the newest branch (XP and every later NT version).
    static int GetVersionCode();
    static int ComputeVersionCode(const OSVERSIONINFO& vi);
    static BOOL IsXPStyle();
    // The process-wide image list of the menu icons (four per command).
    static CImageList* GetGlobalImages();
    static int FindGlobalImage(UINT nID);
    // Lightening and darkening of a colour by 0 <= f <= 1.
    static COLORREF LightenColor(COLORREF cr, double f);
    static COLORREF DarkenColor(COLORREF cr, double f);

    enum { ICON_WIDTH = 16,
           ICON_HEIGHT = 15,
           GAP = 7 };

    int GetRecordCount() const { return (int)m_records.size(); }
    COwnerDrawItem* GetRecord(int nPos) const { return nPos >= 0 && nPos < (int)m_records.size() ? m_records[nPos] : NULL; }
    COLORREF m_crBitmapBackground;

private:
    std::vector<COwnerDrawItem*> m_records;
    std::vector<HMENU> m_popupHandles;
    std::vector<COwnerDrawMenu*> m_popups;  // the popup objects this menu made
    BOOL m_bLoaded;
    BOOL m_bIsPopup;  // destroyed with its parent's handle

    BOOL LoadTemplate(const BYTE* p, const BYTE* pEnd);
    const BYTE* ParseLevel(COwnerDrawMenu* pParent, const BYTE* p, const BYTE* pEnd, int nDepth);
    void RegisterPopup(HMENU hPopup);
    void RewriteTopLevel();
    void AlignAccelerators();
    void Resync();
    void ReleaseContent();
    COwnerDrawMenu* FindCommandOwner(UINT nID, int& nPos);
    // The record of a command (searched through the popups) or of a position.
    COwnerDrawItem* FindItem(UINT nIDOrPos, UINT nFlags, COwnerDrawMenu*& pOwner, int& nPos);
    BOOL HasCommand(UINT nID);
    COwnerDrawItem* FindRecord(UINT nID);
    void DrawFlat(CDC* pDC, const RECT& rc, COwnerDrawItem* pItem, UINT nState, BOOL bRadio);
    void DrawClassic(CDC* pDC, const RECT& rc, COwnerDrawItem* pItem, UINT nState, BOOL bRadio);
};

// Re-reads the menu font and draws the check glyph; shared by both looks.
void OwnerDrawCheckGlyph(CDC* pDC, int x, int y, COLORREF cr, int nExtra);
