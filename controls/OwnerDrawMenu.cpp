#include "controls/OwnerDrawMenu.h"
#include "controls/MenuDrawing.h"
#include "framework/DC.h"
#include "framework/ImageList.h"
#include "framework/ScopedHandle.h"
#include "framework/ResourceList.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include <algorithm>
#include <map>
#include <set>

namespace {

// Popup handles made by LoadMenu or appended as popups, with their objects.
std::map<HMENU, COwnerDrawMenu*>& Registry()
{
    static std::map<HMENU, COwnerDrawMenu*> s_registry;
    return s_registry;
}

// Every live record: item data that is not one of them is never read.
std::set<const COwnerDrawItem*>& Records()
{
    static std::set<const COwnerDrawItem*> s_records;
    return s_records;
}

COwnerDrawItem* NewRecord()
{
    COwnerDrawItem* p = new COwnerDrawItem;
    Records().insert(p);
    return p;
}

void DeleteRecord(COwnerDrawItem* p)
{
    Records().erase(p);
    delete p;
}

std::vector<UINT>& ImageIds()
{
    static std::vector<UINT> s_ids;
    return s_ids;
}

int ReadVersionCode()
{
    OSVERSIONINFO vi;
    ZeroMemory(&vi, sizeof(vi));
    vi.dwOSVersionInfoSize = sizeof(vi);
    if (!::GetVersionEx(&vi))
        return 0;
    return COwnerDrawMenu::ComputeVersionCode(vi);
}

const int g_nVersionCode = ReadVersionCode();
int g_nClassic = -1;

const int kIconColumn = COwnerDrawMenu::ICON_WIDTH + COwnerDrawMenu::GAP;  // 23

std::wstring Widen(LPCTSTR psz)
{
    if (psz == NULL || *psz == 0)
        return std::wstring();
    int n = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, NULL, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring w((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, psz, -1, &w[0], n);
    w.resize((size_t)n - 1);
    return w;
}

CString Narrow(const std::wstring& w)
{
    if (w.empty())
        return CString();
    int n = ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, NULL, 0, NULL, NULL);
    if (n <= 0)
        return CString();
    std::vector<char> buf((size_t)n);
    ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, buf.data(), n, NULL, NULL);
    return CString(buf.data());
}

std::wstring ItemTextW(HMENU hMenu, UINT nPos)
{
    int n = ::GetMenuStringW(hMenu, nPos, NULL, 0, MF_BYPOSITION);
    if (n <= 0)
        return std::wstring();
    std::vector<wchar_t> buf((size_t)n + 1);
    ::GetMenuStringW(hMenu, nPos, buf.data(), n + 1, MF_BYPOSITION);
    return std::wstring(buf.data());
}

SIZE TextExtentW(HDC hDC, const std::wstring& s)
{
    SIZE sz = {0, 0};
    if (!s.empty())
        ::GetTextExtentPoint32W(hDC, s.c_str(), (int)s.size(), &sz);
    return sz;
}

// A DC of the main window (the desktop's when there is none), released on scope exit.
class CMeasureDC {
public:
    CMeasureDC()
    {
        CWnd* pMain = AfxGetMainWnd();
        m_hWnd = (pMain != NULL && ::IsWindow(pMain->m_hWnd)) ? pMain->m_hWnd : ::GetDesktopWindow();
        m_hDC = ::GetDC(m_hWnd);
    }
    ~CMeasureDC()
    {
        if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
    }
    HDC m_hDC;

private:
    HWND m_hWnd;
};

void DrawImage(int nImage, HDC hDC, int x, int y)
{
    CImageList* pList = COwnerDrawMenu::GetGlobalImages();
    if (pList != NULL && pList->m_hImageList != NULL && nImage >= 0)
        ImageList_Draw(pList->m_hImageList, nImage, hDC, x, y, ILD_TRANSPARENT);
}

BOOL IsRadioItem(HMENU hMenu, UINT nID)
{
    if (hMenu == NULL)
        return FALSE;
    MENUITEMINFO mii;
    ZeroMemory(&mii, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_CHECKMARKS | MIIM_FTYPE;
    if (!::GetMenuItemInfo(hMenu, nID, FALSE, &mii))
        return FALSE;
    return mii.hbmpChecked != NULL || (mii.fType & MFT_RADIOCHECK) != 0;
}

// WM_MENUCHAR of our (8-bit) windows carries a byte of the system code page.
wchar_t MenuCharToWide(UINT nChar)
{
    if (nChar > 0xFF)
        return (wchar_t)nChar;
    char c = (char)nChar;
    wchar_t w = 0;
    if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &c, 1, &w, 1) != 1)
        return (wchar_t)nChar;
    return w;
}

void SplitText(const std::wstring& s, std::wstring& label, std::wstring& accel)
{
    size_t first = s.find(L'\t');
    size_t last = s.rfind(L'\t');
    label = first == std::wstring::npos ? s : s.substr(0, first);
    accel = last == std::wstring::npos ? std::wstring() : s.substr(last + 1);
}

void DrawLabelAndAccel(HDC hDC, RECT rc, const std::wstring& label, const std::wstring& accel)
{
    if (!accel.empty())
        rc.right -= 16;
    ::DrawTextW(hDC, label.c_str(), (int)label.size(), &rc, DT_VCENTER | DT_SINGLELINE);
    if (!accel.empty())
        ::DrawTextW(hDC, accel.c_str(), (int)accel.size(), &rc, DT_VCENTER | DT_SINGLELINE | DT_RIGHT);
}

}  // namespace

// ---- process-wide helpers ----

int COwnerDrawMenu::ComputeVersionCode(const OSVERSIONINFO& vi)
{
    if (vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (vi.dwMajorVersion < 4)
            return 0;
        if (vi.dwMajorVersion == 4 && vi.dwMinorVersion == 10)
            return 3;
        if (vi.dwMajorVersion == 4 && vi.dwMinorVersion == 90)
            return 4;
        return 2;
    }
    if (vi.dwMajorVersion < 4)
        return 1;
    if (vi.dwMajorVersion == 4)
        return 5;
    if (vi.dwMajorVersion == 5 && vi.dwMinorVersion == 0)
        return 6;
    // XP and every later version take the newest branch.
    return 7;
}

int COwnerDrawMenu::GetVersionCode()
{
    return g_nVersionCode;
}

BOOL COwnerDrawMenu::IsXPStyle()
{
    if (g_nClassic < 0) {
        g_nClassic = 0;
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0,
                            KEY_READ, &hKey) == ERROR_SUCCESS) {
            char buf[261] = "";
            DWORD cb = 260, type = 0;
            if (::RegQueryValueExA(hKey, NULL, NULL, &type, (LPBYTE)buf, &cb) == ERROR_SUCCESS &&
                type == REG_SZ) {
                buf[std::min<DWORD>(cb, 260)] = 0;
                static const char kClassic[] = "Windows Classic.theme";
                size_t n = strlen(buf), k = sizeof(kClassic) - 1;
                if (n >= k && lstrcmpiA(buf + n - k, kClassic) == 0)
                    g_nClassic = 1;
            }
            ::RegCloseKey(hKey);
        }
    }
    return g_nVersionCode == 7 && g_nClassic == 0;
}

CImageList* COwnerDrawMenu::GetGlobalImages()
{
    static CImageList s_images;
    if (s_images.m_hImageList == NULL)
        s_images.Create(ICON_WIDTH, ICON_HEIGHT, ILC_COLORDDB | ILC_MASK, 0, 4);
    return &s_images;
}

int COwnerDrawMenu::FindGlobalImage(UINT nID)
{
    const std::vector<UINT>& ids = ImageIds();
    for (size_t i = 0; i < ids.size(); ++i)
        if (ids[i] == nID)
            return (int)i;
    return -1;
}

COLORREF COwnerDrawMenu::LightenColor(COLORREF cr, double f)
{
    if (f < 0.0 || f > 1.0)
        return cr;
    int r = GetRValue(cr), g = GetGValue(cr), b = GetBValue(cr);
    return RGB((int)(r + (255 - r) * f), (int)(g + (255 - g) * f), (int)(b + (255 - b) * f));
}

COLORREF COwnerDrawMenu::DarkenColor(COLORREF cr, double f)
{
    if (f < 0.0 || f > 1.0)
        return cr;
    int r = GetRValue(cr), g = GetGValue(cr), b = GetBValue(cr);
    return RGB((int)(r - r * f), (int)(g - g * f), (int)(b - b * f));
}

BOOL COwnerDrawMenu::IsRecord(const COwnerDrawItem* pItem)
{
    return pItem != NULL && Records().count(pItem) != 0;
}

BOOL COwnerDrawMenu::IsOwnerDrawMenu(HMENU hMenu)
{
    return hMenu != NULL && Registry().count(hMenu) != 0;
}

// ---- construction and loading ----

COwnerDrawMenu::COwnerDrawMenu()
    : m_crBitmapBackground(RGB(192, 192, 192)), m_bLoaded(FALSE), m_bIsPopup(FALSE)
{
}

COwnerDrawMenu::~COwnerDrawMenu()
{
    DestroyMenu();
}

void COwnerDrawMenu::ReleaseContent()
{
    for (HMENU h : m_popupHandles)
        Registry().erase(h);
    m_popupHandles.clear();
    for (COwnerDrawMenu* p : m_popups)
        delete p;  // each popup detaches its handle: the parent's handle destroys it
    m_popups.clear();
    for (COwnerDrawItem* p : m_records)
        DeleteRecord(p);
    m_records.clear();
    m_bLoaded = FALSE;
}

BOOL COwnerDrawMenu::DestroyMenu()
{
    ReleaseContent();
    if (m_bIsPopup) {
        Detach();
        return TRUE;
    }
    return CMenu::DestroyMenu();
}

BOOL COwnerDrawMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCE(nIDResource));
}

BOOL COwnerDrawMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    DestroyMenu();
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    HRSRC hRes = hInst ? ::FindResource(hInst, lpszResourceName, RT_MENU) : NULL;
    if (hRes == NULL) {
        hInst = ::GetModuleHandle(NULL);
        hRes = ::FindResource(hInst, lpszResourceName, RT_MENU);
    }
    if (hRes == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const BYTE* p = hGlobal ? (const BYTE*)::LockResource(hGlobal) : NULL;
    DWORD cb = ::SizeofResource(hInst, hRes);
    if (p == NULL || cb < 4)
        return FALSE;
    if (!CreateMenu())
        return FALSE;
    if (!LoadTemplate(p, p + cb)) {
        DestroyMenu();
        return FALSE;
    }
    RewriteTopLevel();
    m_bLoaded = TRUE;
    return TRUE;
}

BOOL COwnerDrawMenu::LoadTemplate(const BYTE* p, const BYTE* pEnd)
{
    WORD wVersion = *(const WORD*)p;
    WORD wOffset = *(const WORD*)(p + 2);
    if (wVersion != 0 || (size_t)(pEnd - p) < 4u + wOffset)
        return FALSE;
    return ParseLevel(this, p + 4 + wOffset, pEnd, 0) != NULL;
}

// Reads the items of one level; returns the position after its last item, NULL on a
// damaged template.
const BYTE* COwnerDrawMenu::ParseLevel(COwnerDrawMenu* pParent, const BYTE* p, const BYTE* pEnd, int nDepth)
{
    if (nDepth > 16)
        return NULL;
    for (;;) {
        if (pEnd - p < 2)
            return NULL;
        WORD wFlags = *(const WORD*)p;
        p += 2;
        WORD wID = 0;
        if (!(wFlags & MF_POPUP)) {
            if (pEnd - p < 2)
                return NULL;
            wID = *(const WORD*)p;
            p += 2;
        }
        const wchar_t* psz = (const wchar_t*)p;
        size_t nMax = (size_t)(pEnd - p) / 2, n = 0;
        while (n < nMax && psz[n] != 0)
            ++n;
        if (n == nMax)
            return NULL;
        std::wstring text(psz, n);
        p += (n + 1) * 2;
        BOOL bEnd = (wFlags & MF_END) != 0;
        UINT nFlags = wFlags & ~MF_END;
        if (nFlags & MF_POPUP) {
            COwnerDrawMenu* pPopup = new COwnerDrawMenu;
            pPopup->m_bIsPopup = TRUE;
            if (!pPopup->CreatePopupMenu()) {
                delete pPopup;
                return NULL;
            }
            pParent->m_popups.push_back(pPopup);
            Registry()[pPopup->m_hMenu] = pPopup;
            pParent->AppendOwnerDrawnItem(text.c_str(), nFlags, (UINT_PTR)pPopup->m_hMenu);
            p = ParseLevel(pPopup, p, pEnd, nDepth + 1);
            if (p == NULL)
                return NULL;
            pPopup->AlignAccelerators();
            pPopup->m_bLoaded = TRUE;
        } else {
            pParent->AppendOwnerDrawnItem(text.c_str(), nFlags, wID);
        }
        if (bEnd)
            return p;
    }
}

void COwnerDrawMenu::RegisterPopup(HMENU hPopup)
{
    if (std::find(m_popupHandles.begin(), m_popupHandles.end(), hPopup) == m_popupHandles.end())
        m_popupHandles.push_back(hPopup);
    if (!Registry().count(hPopup))
        Registry()[hPopup] = NULL;
}

BOOL COwnerDrawMenu::AppendOwnerDrawnItem(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID)
{
    if (m_hMenu == NULL)
        return FALSE;
    if (nID != 0)
        nFlags |= MF_OWNERDRAW;
    else
        nFlags = MF_SEPARATOR | MF_OWNERDRAW | (nFlags & MF_BYPOSITION);
    if (nFlags & MF_POPUP)
        RegisterPopup((HMENU)nID);
    COwnerDrawItem* rec = NewRecord();
    rec->strText = lpszText ? lpszText : L"";
    rec->nFlags = nFlags;
    rec->nID = nID;
    rec->nSynced = 0;
    rec->nGlobalImage = (nFlags & MF_POPUP) ? -1 : FindGlobalImage((UINT)nID);
    if (!::AppendMenuW(m_hMenu, nFlags & ~MF_BYPOSITION, nID, (LPCWSTR)rec)) {
        DeleteRecord(rec);
        return FALSE;
    }
    m_records.push_back(rec);
    if (m_bLoaded && !m_bIsPopup)
        RewriteTopLevel();
    return TRUE;
}

// The bar's own items are plain text, drawn by the system.
void COwnerDrawMenu::RewriteTopLevel()
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        COwnerDrawItem* rec = m_records[i];
        UINT keep = rec->nFlags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK | MF_HELP);
        if (rec->nFlags & MF_POPUP)
            ::ModifyMenuW(m_hMenu, (UINT)i, MF_BYPOSITION | MF_STRING | MF_POPUP | keep, rec->nID, rec->strText.c_str());
        else if (m_bLoaded == FALSE && !(rec->nFlags & MF_SEPARATOR))
            ::ModifyMenuW(m_hMenu, (UINT)i, MF_BYPOSITION | MF_STRING | keep, rec->nID, rec->strText.c_str());
    }
}

void COwnerDrawMenu::AlignAccelerators()
{
    CMeasureDC dc;
    if (dc.m_hDC == NULL)
        return;
    CScopedFont hFont(CreateMenuFont());
    CScopedSelect fontSelect(dc.m_hDC, hFont);
    LONG w = 0;
    for (COwnerDrawItem* rec : m_records) {
        std::wstring label = rec->strText.substr(0, rec->strText.find(L'\t'));
        w = std::max(w, TextExtentW(dc.m_hDC, label + L" ").cx);
    }
    for (COwnerDrawItem* rec : m_records) {
        size_t tab = rec->strText.find(L'\t');
        if (tab == std::wstring::npos)
            continue;
        std::wstring label = rec->strText.substr(0, tab);
        LONG cx = TextExtentW(dc.m_hDC, label).cx;
        // A space that adds no width (a broken font) must not stall the loop.
        for (int guard = 0; cx < w && guard < 256; ++guard) {
            label += L' ';
            LONG next = TextExtentW(dc.m_hDC, label).cx;
            if (next <= cx)
                break;
            cx = next;
        }
        rec->strText = label + rec->strText.substr(tab);
    }
}

// ---- icons ----

namespace {

// A 16 x 15 DDB drawn over the face colour from one image of a list.
CScopedBitmap RenderIcon(HDC hScreen, HIMAGELIST hList, int nImage, COLORREF crFace)
{
    CScopedMemDC hMem(::CreateCompatibleDC(hScreen));
    CScopedBitmap hbm(::CreateCompatibleBitmap(hScreen, COwnerDrawMenu::ICON_WIDTH, COwnerDrawMenu::ICON_HEIGHT));
    {
        CScopedSelect select(hMem, hbm);
        RECT rc = {0, 0, COwnerDrawMenu::ICON_WIDTH, COwnerDrawMenu::ICON_HEIGHT};
        FillSolid(hMem, rc, crFace);
        ImageList_Draw(hList, nImage, hMem, 0, 0, ILD_TRANSPARENT);
    }
    return hbm;
}

enum EffectKind { EFFECT_NORMAL,
                  EFFECT_WASHED,
                  EFFECT_SHADOW,
                  EFFECT_DISABLED };

// A copy of the icon with one effect; background pixels become black in the image and
// set in the mask, as the masked image list expects.
void MakeEffect(HDC hScreen, HBITMAP hSrc, COLORREF crBack, EffectKind kind, CScopedBitmap& hImage,
                CScopedBitmap& hMask)
{
    const int cx = COwnerDrawMenu::ICON_WIDTH, cy = COwnerDrawMenu::ICON_HEIGHT;
    CScopedMemDC hSrcDC(::CreateCompatibleDC(hScreen));
    CScopedMemDC hDstDC(::CreateCompatibleDC(hScreen));
    CScopedMemDC hMaskDC(::CreateCompatibleDC(hScreen));
    hImage.Reset(::CreateCompatibleBitmap(hScreen, cx, cy));
    hMask.Reset(::CreateBitmap(cx, cy, 1, 1, NULL));
    CScopedSelect o1(hSrcDC, hSrc);
    CScopedSelect o2(hDstDC, hImage);
    CScopedSelect o3(hMaskDC, hMask);
    COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            COLORREF c = ::GetPixel(hSrcDC, x, y);
            if (c == crBack) {
                ::SetPixel(hDstDC, x, y, RGB(0, 0, 0));
                ::SetPixel(hMaskDC, x, y, RGB(255, 255, 255));
                continue;
            }
            switch (kind) {
            case EFFECT_WASHED: c = COwnerDrawMenu::LightenColor(c, 0.3); break;
            case EFFECT_SHADOW: c = COwnerDrawMenu::LightenColor(crShadow, 0.49); break;
            case EFFECT_DISABLED:
                c = COwnerDrawMenu::LightenColor(crShadow, (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3.0 / 255.0);
                break;
            default: break;
            }
            ::SetPixel(hDstDC, x, y, c);
            ::SetPixel(hMaskDC, x, y, RGB(0, 0, 0));
        }
    }
}

// Adds (or replaces) the four images of a command; returns the first index or -1.
int StoreCommandImages(UINT nID, HIMAGELIST hList, int nImage)
{
    CImageList* pGlobal = COwnerDrawMenu::GetGlobalImages();
    if (pGlobal == NULL || pGlobal->m_hImageList == NULL || hList == NULL ||
        nImage < 0 || nImage >= ImageList_GetImageCount(hList))
        return -1;
    HDC hScreen = ::GetDC(NULL);
    COLORREF crFace = ::GetSysColor(COLOR_3DFACE);
    CScopedBitmap hIcon = RenderIcon(hScreen, hList, nImage, crFace);
    int nFirst = COwnerDrawMenu::FindGlobalImage(nID);
    static const EffectKind kinds[4] = {EFFECT_NORMAL, EFFECT_WASHED, EFFECT_SHADOW, EFFECT_DISABLED};
    int nResult = nFirst;
    for (int k = 0; k < 4; ++k) {
        CScopedBitmap hImage, hMask;
        MakeEffect(hScreen, hIcon, crFace, kinds[k], hImage, hMask);
        if (nFirst >= 0) {
            ImageList_Replace(pGlobal->m_hImageList, nFirst + k, hImage, hMask);
        } else {
            int n = ImageList_Add(pGlobal->m_hImageList, hImage, hMask);
            if (n >= 0) {
                if (k == 0)
                    nResult = n;
                std::vector<UINT>& ids = ImageIds();
                if ((int)ids.size() <= n)
                    ids.resize((size_t)n + 1, 0);
                ids[(size_t)n] = nID;
            }
        }
    }
    ::ReleaseDC(NULL, hScreen);
    return nResult;
}

}  // namespace

COwnerDrawItem* COwnerDrawMenu::FindRecord(UINT nID)
{
    for (COwnerDrawItem* rec : m_records)
        if (!(rec->nFlags & (MF_POPUP | MF_SEPARATOR)) && rec->nID == nID)
            return rec;
    for (COwnerDrawMenu* p : m_popups)
        if (COwnerDrawItem* rec = p->FindRecord(nID))
            return rec;
    return NULL;
}

BOOL COwnerDrawMenu::HasCommand(UINT nID)
{
    return m_hMenu != NULL && ::GetMenuState(m_hMenu, nID, MF_BYCOMMAND) != (UINT)-1;
}

BOOL COwnerDrawMenu::SetCommandIcon(LPCWSTR lpszText, UINT nID, CImageList* pList, int nImage)
{
    COwnerDrawItem* rec = FindRecord(nID);
    if (rec == NULL) {
        if (!AppendOwnerDrawnItem(lpszText, MF_STRING, nID))
            return FALSE;
        rec = m_records.back();
    } else if (lpszText != NULL) {
        rec->strText = lpszText;
    }
    int nFirst = StoreCommandImages(nID, pList ? pList->m_hImageList : NULL, nImage);
    // Every record of the command shares the same four images.
    std::vector<COwnerDrawMenu*> stack(1, this);
    while (!stack.empty()) {
        COwnerDrawMenu* p = stack.back();
        stack.pop_back();
        for (COwnerDrawItem* r : p->m_records)
            if (!(r->nFlags & (MF_POPUP | MF_SEPARATOR)) && r->nID == nID)
                r->nGlobalImage = nFirst;
        stack.insert(stack.end(), p->m_popups.begin(), p->m_popups.end());
    }
    return nFirst >= 0;
}

BOOL COwnerDrawMenu::AddToolbarIcons(UINT nToolBarID)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nToolBarID), MAKEINTRESOURCE(241));
    if (hInst == NULL)
        hInst = ::GetModuleHandle(NULL);
    CHiddenToolBar bar;
    if (!bar.Create(hInst, nToolBarID))
        return FALSE;
    CImageList list;
    if (!list.Create(ICON_WIDTH, ICON_HEIGHT, ILC_COLORDDB | ILC_MASK, 0, 4))
        return FALSE;
    if (!LoadToolbarBitmap(hInst, nToolBarID, list.m_hImageList, ICON_WIDTH, ICON_HEIGHT, m_crBitmapBackground))
        return FALSE;
    BOOL bAny = FALSE;
    const std::vector<CHiddenToolBar::Button>& buttons = bar.GetButtons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        UINT nID = buttons[i].nID;
        if (nID == 0 || !HasCommand(nID))
            continue;
        int nImage = buttons[i].nImage > 0 ? buttons[i].nImage : (int)i;
        bAny |= SetCommandIcon(NULL, nID, &list, nImage);
    }
    return bAny;
}

// ---- texts ----

COwnerDrawMenu* COwnerDrawMenu::FindPopup(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    if (m_hMenu == hMenu)
        return this;
    for (COwnerDrawMenu* p : m_popups)
        if (COwnerDrawMenu* pFound = p->FindPopup(hMenu))
            return pFound;
    return NULL;
}

COwnerDrawMenu* COwnerDrawMenu::FindCommandOwner(UINT nID, int& nPos)
{
    int n = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int i = 0; i < n; ++i) {
        if (::GetSubMenu(m_hMenu, i) == NULL && ::GetMenuItemID(m_hMenu, i) == nID) {
            nPos = i;
            return this;
        }
    }
    for (COwnerDrawMenu* p : m_popups)
        if (COwnerDrawMenu* pOwner = p->FindCommandOwner(nID, nPos))
            return pOwner;
    return NULL;
}

COwnerDrawItem* COwnerDrawMenu::FindItem(UINT nIDOrPos, UINT nFlags, COwnerDrawMenu*& pOwner, int& nPos)
{
    pOwner = this;
    nPos = (int)nIDOrPos;
    if (!(nFlags & MF_BYPOSITION)) {
        pOwner = FindCommandOwner(nIDOrPos, nPos);
        if (pOwner == NULL)
            return NULL;
    }
    return pOwner->GetRecord(nPos);
}

BOOL COwnerDrawMenu::GetMenuText(UINT nIDOrPos, CString& rText, UINT nFlags)
{
    COwnerDrawMenu* pOwner = NULL;
    int nPos = 0;
    COwnerDrawItem* rec = FindItem(nIDOrPos, nFlags, pOwner, nPos);
    if (rec == NULL)
        return FALSE;
    rText = Narrow(rec->strText);
    return TRUE;
}

BOOL COwnerDrawMenu::SetMenuText(UINT nIDOrPos, LPCTSTR lpszText, UINT nFlags)
{
    COwnerDrawMenu* pOwner = NULL;
    int nPos = 0;
    COwnerDrawItem* rec = FindItem(nIDOrPos, nFlags, pOwner, nPos);
    if (rec == NULL)
        return FALSE;
    rec->strText = Widen(lpszText);
    // A plain text item (the bar's own) shows the new text too.
    MENUITEMINFOW mii;
    ZeroMemory(&mii, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    if (::GetMenuItemInfoW(pOwner->m_hMenu, (UINT)nPos, TRUE, &mii) && !(mii.fType & MFT_OWNERDRAW)) {
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = const_cast<LPWSTR>(rec->strText.c_str());
        ::SetMenuItemInfoW(pOwner->m_hMenu, (UINT)nPos, TRUE, &mii);
    }
    return TRUE;
}

// ---- re-synchronising and mnemonics ----

void COwnerDrawMenu::Resync()
{
    for (COwnerDrawItem* rec : m_records)
        rec->nSynced = 0;
    int n = ::GetMenuItemCount(m_hMenu);
    std::vector<COwnerDrawItem*> ordered;
    for (int i = 0; i < n; ++i) {
        HMENU hSub = ::GetSubMenu(m_hMenu, i);
        MENUITEMINFOW mii;
        ZeroMemory(&mii, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
        ::GetMenuItemInfoW(m_hMenu, (UINT)i, TRUE, &mii);
        BOOL bSeparator = (mii.fType & MFT_SEPARATOR) != 0;
        UINT_PTR nID = hSub ? (UINT_PTR)hSub : bSeparator ? 0
                                                          : mii.wID;
        COwnerDrawItem* found = NULL;
        for (COwnerDrawItem* rec : m_records) {
            if (!rec->nSynced && rec->nID == nID) {
                found = rec;
                break;
            }
        }
        std::wstring text = ItemTextW(m_hMenu, (UINT)i);
        if (found != NULL) {
            found->nSynced = 1;
            if (!text.empty())
                found->strText = text;
            found->nFlags |= MF_BYPOSITION | MF_OWNERDRAW;
        } else {
            found = NewRecord();
            found->strText = text;
            found->nID = nID;
            found->nSynced = 1;
            found->nFlags = MF_BYPOSITION | MF_OWNERDRAW | (hSub ? MF_POPUP : bSeparator ? MF_SEPARATOR
                                                                                         : 0);
            found->nGlobalImage = (hSub || bSeparator) ? -1 : FindGlobalImage((UINT)nID);
            m_records.push_back(found);
            if (hSub)
                RegisterPopup(hSub);
        }
        // Every item points at its record again, and an item that was rewritten as
        // text (translated in place) is owner-drawn again.
        MENUITEMINFOW set;
        ZeroMemory(&set, sizeof(set));
        set.cbSize = sizeof(set);
        set.fMask = MIIM_FTYPE | MIIM_DATA;
        set.fType = mii.fType | MFT_OWNERDRAW;
        set.dwItemData = (ULONG_PTR)found;
        ::SetMenuItemInfoW(m_hMenu, (UINT)i, TRUE, &set);
        ordered.push_back(found);
    }
    for (COwnerDrawItem* rec : m_records)
        if (!rec->nSynced)
            DeleteRecord(rec);
    m_records.swap(ordered);
}

void COwnerDrawMenu::UpdateMenu(CMenu* pMenu)
{
    if (pMenu == NULL || pMenu->m_hMenu == NULL)
        return;
    auto it = Registry().find(pMenu->m_hMenu);
    if (it == Registry().end() || it->second == NULL)
        return;
    it->second->Resync();
}

LRESULT COwnerDrawMenu::FindMnemonic(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (pMenu == NULL || pMenu->m_hMenu == NULL || !(nFlags & MF_POPUP))
        return 0;
    auto it = Registry().find(pMenu->m_hMenu);
    COwnerDrawMenu* pOwn = it != Registry().end() ? it->second : NULL;
    if (pOwn == NULL)
        return 0;
    int n = ::GetMenuItemCount(pMenu->m_hMenu);
    if (n != pOwn->GetRecordCount())
        pOwn->Resync();
    wchar_t key[3] = {L'&', MenuCharToWide(nChar), 0};
    ::CharLowerW(key);
    for (int i = 0; i < n && i < pOwn->GetRecordCount(); ++i) {
        std::wstring text = pOwn->m_records[(size_t)i]->strText;
        if (!text.empty())
            ::CharLowerBuffW(&text[0], (DWORD)text.size());
        if (text.find(key) != std::wstring::npos)
            return MAKELONG(i, MNC_EXECUTE);
    }
    return 0;
}

// ---- measuring and drawing ----

void COwnerDrawMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS == NULL)
        return;
    COwnerDrawItem* rec = (COwnerDrawItem*)lpMIS->itemData;
    if (!IsRecord(rec))
        return;
    if (rec->nFlags & MF_SEPARATOR) {
        lpMIS->itemWidth = 0;
        lpMIS->itemHeight = 3;
        return;
    }
    CMeasureDC dc;
    CScopedFont hFont(g_nVersionCode >= 2 ? CreateMenuFont() : NULL);
    SIZE sz = {0, 0};
    if (dc.m_hDC) {
        CScopedSelect fontSelect(dc.m_hDC, hFont);
        sz = TextExtentW(dc.m_hDC, rec->strText);
    }
    lpMIS->itemWidth = (UINT)(sz.cx + ICON_WIDTH + GAP + 8);
    lpMIS->itemHeight = (UINT)std::max(::GetSystemMetrics(SM_CYMENU), ICON_HEIGHT + GAP);
}

void COwnerDrawMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == NULL || lpDIS->CtlType != ODT_MENU)
        return;
    COwnerDrawItem* rec = (COwnerDrawItem*)lpDIS->itemData;
    if (!IsRecord(rec))
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    BOOL bRadio = !(rec->nFlags & (MF_POPUP | MF_SEPARATOR)) && (lpDIS->itemState & ODS_CHECKED) &&
                  IsRadioItem((HMENU)lpDIS->hwndItem, lpDIS->itemID);
    if (::GetDeviceCaps(lpDIS->hDC, RASTERCAPS) & RC_PALETTE)
        DrawClassic(pDC, lpDIS->rcItem, rec, lpDIS->itemState, bRadio);
    else
        DrawFlat(pDC, lpDIS->rcItem, rec, lpDIS->itemState, bRadio);
}

void OwnerDrawCheckGlyph(CDC* pDC, int x, int y, COLORREF cr, int nExtra)
{
    static const int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
    CScopedPen hPen(::CreatePen(PS_SOLID, 1, cr));
    CScopedSelect select(pDC->m_hDC, hPen);
    for (int i = 0; i < 7; ++i) {
        ::MoveToEx(pDC->m_hDC, x + i, y + kTop[i], NULL);
        ::LineTo(pDC->m_hDC, x + i, y + kTop[i] + 2 + nExtra);
    }
}

namespace {

void DrawRadioDot(HDC hDC, int x, int y, COLORREF cr)
{
    CScopedBrush hbr(::CreateSolidBrush(cr));
    CScopedPen hPen(::CreatePen(PS_SOLID, 1, cr));
    CScopedSelect brushSelect(hDC, hbr);
    CScopedSelect penSelect(hDC, hPen);
    ::Ellipse(hDC, x, y, x + 6, y + 6);
}

// Greyed items are drawn off-screen with the menu font and copied at the end.
class COffscreenItem {
public:
    COffscreenItem(HDC hTarget, const RECT& rc, BOOL bUse)
        : m_hTarget(hTarget), m_rc(rc), m_hDC(hTarget), m_hOldBm(NULL), m_hOldFont(NULL)
    {
        int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
        if (!bUse || cx <= 0 || cy <= 0)
            return;
        m_hMem.Reset(::CreateCompatibleDC(hTarget));
        m_hbm.Reset(::CreateCompatibleBitmap(hTarget, cx, cy));
        if (!m_hMem.IsValid() || !m_hbm.IsValid())
            return;
        m_hOldBm = ::SelectObject(m_hMem, m_hbm);
        ::SetWindowOrgEx(m_hMem, rc.left, rc.top, NULL);
        m_hFont.Reset(CreateMenuFont());
        if (m_hFont.IsValid())
            m_hOldFont = ::SelectObject(m_hMem, m_hFont);
        m_hDC = m_hMem;
    }
    ~COffscreenItem()
    {
        if (m_hDC == m_hMem.Get() && m_hMem.IsValid()) {
            ::BitBlt(m_hTarget, m_rc.left, m_rc.top, m_rc.right - m_rc.left, m_rc.bottom - m_rc.top,
                     m_hMem, m_rc.left, m_rc.top, SRCCOPY);
            if (m_hOldFont)
                ::SelectObject(m_hMem, m_hOldFont);
            ::SelectObject(m_hMem, m_hOldBm);
        }
    }
    HDC m_hTarget;
    RECT m_rc;
    HDC m_hDC;

private:
    CScopedMemDC m_hMem;
    CScopedBitmap m_hbm;
    HGDIOBJ m_hOldBm;
    CScopedFont m_hFont;
    HGDIOBJ m_hOldFont;
};

}  // namespace

namespace {

// What both menu styles draw the same way: the check mark or radio dot of an
// item without an image, and the label with its accelerator in one or two
// passes (a sunken grey text is a light copy one pixel down and right).
struct ItemMarks {
    BOOL bGlyph = FALSE;
    BOOL bRadio = FALSE;
    POINT ptCheck = {0, 0}, ptRadio = {0, 0};
    int nCheckExtra = 0;
    RECT rcText = {0, 0, 0, 0};
    struct Pass {
        int dx, dy;
        COLORREF cr;
    } passes[2] = {};
    int nPasses = 0;

    void AddPass(int dx, int dy, COLORREF cr) { passes[nPasses++] = Pass{dx, dy, cr}; }
};

void DrawGlyphAndText(CDC* pDC, const std::wstring& text, const ItemMarks& marks)
{
    HDC hDC = pDC->m_hDC;
    if (marks.bGlyph) {
        if (marks.bRadio)
            DrawRadioDot(hDC, marks.ptRadio.x, marks.ptRadio.y, ::GetSysColor(COLOR_MENUTEXT));
        else
            OwnerDrawCheckGlyph(pDC, marks.ptCheck.x, marks.ptCheck.y, ::GetSysColor(COLOR_MENUTEXT),
                                marks.nCheckExtra);
    }
    if (text.empty())
        return;
    std::wstring label, accel;
    SplitText(text, label, accel);
    int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF oldColor = ::GetTextColor(hDC);
    for (int i = 0; i < marks.nPasses; ++i) {
        RECT rc = marks.rcText;
        ::OffsetRect(&rc, marks.passes[i].dx, marks.passes[i].dy);
        ::SetTextColor(hDC, marks.passes[i].cr);
        DrawLabelAndAccel(hDC, rc, label, accel);
    }
    ::SetTextColor(hDC, oldColor);
    ::SetBkMode(hDC, oldMode);
}

}  // namespace

void COwnerDrawMenu::DrawFlat(CDC* pTarget, const RECT& rcItem, COwnerDrawItem* rec, UINT nState, BOOL bRadio)
{
    BOOL bGrayed = (nState & ODS_GRAYED) != 0;
    BOOL bSelected = !bGrayed && (nState & ODS_SELECTED) != 0;
    BOOL bChecked = (nState & ODS_CHECKED) != 0;
    BOOL bXP = IsXPStyle();
    COffscreenItem off(pTarget->m_hDC, rcItem, bGrayed);
    HDC hDC = off.m_hDC;
    CDC* pDC = CDC::FromHandle(hDC);

    COLORREF crBack = DarkenColor(::GetSysColor(COLOR_WINDOW), 0.02);
    COLORREF crFace = ::GetSysColor(COLOR_3DFACE);
    COLORREF crColumn = bXP ? crFace : LightenColor(crFace, 0.25);
    COLORREF crHigh = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF crSel = LightenColor(crHigh, bXP ? 0.7 : 0.85);
    RECT rc = rcItem;
    RECT rcColumn = {rc.left, rc.top, rc.left + kIconColumn, rc.bottom};
    int dx = std::max(0, (int)((kIconColumn - ICON_WIDTH + 1) * 0.5));
    int dy = std::max(0, (int)((rc.bottom - rc.top - ICON_HEIGHT + 1) * 0.5));
    int x = rc.left + dx, y = rc.top + dy;
    RECT rcBox = {rc.left + 1, rc.top + 1, rc.left + 21, rc.bottom - 1};
    ItemMarks marks;
    marks.bRadio = bRadio;

    if (rec->nFlags & MF_SEPARATOR) {
        FillSolid(hDC, rc, crBack);
        FillSolid(hDC, rcColumn, crColumn);
        FrameSolid(hDC, rcColumn, crColumn);
        int mid = (rc.top + rc.bottom) >> 1;
        RECT rcLine = {rc.left + 30, mid, rc.right, mid + 2};
        ::DrawEdge(hDC, &rcLine, EDGE_ETCHED, BF_TOP);
        return;
    }
    if (bSelected) {
        FillSolid(hDC, rc, crSel);
        FrameSolid(hDC, rc, crHigh);
    } else {
        FillSolid(hDC, rc, crBack);
        FillSolid(hDC, rcColumn, crColumn);
        FrameSolid(hDC, rc, crBack);
        FrameSolid(hDC, rcColumn, crColumn);
    }
    int nImage = rec->nGlobalImage;
    if (nImage >= 0) {
        if (bGrayed) {
            DrawImage(nImage + 3, hDC, x, y);
        } else if (bSelected) {
            if (bChecked) {
                FillSolid(hDC, rcBox, LightenColor(crHigh, 0.55));
                FrameSolid(hDC, rcBox, crHigh);
                DrawImage(nImage, hDC, x - 1, y - 1);
            } else {
                FillSolid(hDC, rcBox, crSel);
                DrawImage(nImage + 2, hDC, x + 1, y + 1);
                DrawImage(nImage, hDC, x - 1, y - 1);
            }
        } else if (bChecked) {
            FillSolid(hDC, rcBox, LightenColor(crHigh, 0.85));
            FrameSolid(hDC, rcBox, crHigh);
            DrawImage(nImage, hDC, x - 1, y - 1);
        } else {
            FillSolid(hDC, rcBox, crColumn);
            FrameSolid(hDC, rcBox, crColumn);
            DrawImage(nImage + 1, hDC, x, y);
        }
    } else if (bChecked) {
        FillSolid(hDC, rcBox, LightenColor(crHigh, bSelected ? 0.55 : 0.85));
        FrameSolid(hDC, rcBox, crHigh);
        int gx = rcBox.left + std::max(0, (int)(rcBox.right - rcBox.left) / 2 - 3);
        int gy = rcBox.top + std::max(0, (int)(rcBox.bottom - rcBox.top) / 2 - 3);
        marks.bGlyph = TRUE;
        marks.ptCheck = marks.ptRadio = POINT{gx, gy};
    }
    COLORREF crText = ::GetSysColor(COLOR_MENUTEXT);
    if (bGrayed) {
        crText = ::GetSysColor(COLOR_GRAYTEXT);
        if (!bXP && !bSelected)
            crText = LightenColor(crText, 0.4);
    }
    marks.rcText = RECT{rc.left + 31, rc.top - 1, rc.right, rc.bottom - 1};
    marks.AddPass(0, 0, crText);
    DrawGlyphAndText(pDC, rec->strText, marks);
}

void COwnerDrawMenu::DrawClassic(CDC* pDC, const RECT& rcItem, COwnerDrawItem* rec, UINT nState, BOOL bRadio)
{
    HDC hDC = pDC->m_hDC;
    BOOL bGrayed = (nState & ODS_GRAYED) != 0;
    BOOL bSelected = (nState & ODS_SELECTED) != 0;
    BOOL bChecked = (nState & ODS_CHECKED) != 0;
    BOOL bXP = IsXPStyle();
    COLORREF crBack = ::GetSysColor(bXP ? COLOR_3DFACE : COLOR_MENU);
    COLORREF crHigh = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF crText = ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    COLORREF crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT), crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    RECT rc = rcItem;
    int dy = std::max((int)(rc.bottom - rc.top - ICON_HEIGHT - 4) / 2, 0);
    RECT rcBox = {rc.left + 1, rc.top + dy + 1, rc.left + 19, rc.top + dy + 18};
    RECT rcButton = {rc.left, rc.top + dy, rc.left + 20, rc.top + dy + 19};
    int nImage = rec->nGlobalImage;
    BOOL bFrames = g_nVersionCode >= 2;
    ItemMarks marks;
    marks.bRadio = bRadio;
    marks.nCheckExtra = 1;

    if (rec->nFlags & MF_SEPARATOR) {
        FillSolid(hDC, rc, crBack);
        int mid = (rc.top + rc.bottom) >> 1;
        RECT rcLine = {rc.left, mid, rc.right, mid + 2};
        ::DrawEdge(hDC, &rcLine, EDGE_ETCHED, BF_TOP);
        return;
    }
    if (bSelected) {
        RECT rcFill = rc;
        if (nImage >= 0 || bChecked)
            rcFill.left += 21;
        FillSolid(hDC, rcFill, crHigh);
    } else {
        FillSolid(hDC, rc, crBack);
        FrameSolid(hDC, rc, crBack);
    }
    if (nImage >= 0) {
        if (!bGrayed) {
            if (bSelected) {
                FillSolid(hDC, rcBox, crBack);
                DrawImage(nImage, hDC, rc.left + 2, rc.top + dy + 2);
                if (bFrames)
                    pDC->Draw3dRect(&rcButton, bChecked ? crShadow : crLight, bChecked ? crLight : crShadow);
            } else if (bChecked) {
                FillSolid(hDC, rcBox, LightenColor(crBack, 0.6));
                DrawImage(nImage, hDC, rc.left + 2, rc.top + dy + 2);
                if (bFrames)
                    pDC->Draw3dRect(&rcButton, crShadow, crLight);
            } else {
                FillSolid(hDC, rcBox, crBack);
                DrawImage(nImage, hDC, rc.left + 2, rc.top + dy + 2);
                FrameSolid(hDC, rcButton, crBack);
            }
        } else {
            FrameSolid(hDC, rcButton, crBack);
            EmbossImage(hDC, GetGlobalImages()->m_hImageList, nImage, rc.left + 2, rc.top + dy + 2,
                        ICON_WIDTH, ICON_HEIGHT, ::GetSysColor(COLOR_3DFACE), TRUE);
        }
    } else if (bChecked) {
        RECT rcCheck = {rc.left + 1, rc.top + dy + 2, rc.left + 17, rc.top + dy + 17};
        FillSolid(hDC, rcCheck, bSelected ? crBack : LightenColor(crBack, 0.6));
        if (bFrames)
            ::DrawEdge(hDC, &rcCheck, BDR_SUNKENOUTER, BF_RECT);
        marks.bGlyph = TRUE;
        marks.ptCheck = POINT{rcCheck.left + 4, rcCheck.top + 4};
        marks.ptRadio = POINT{rcCheck.left + 5, rcCheck.top + 4};
    }
    marks.rcText = RECT{rc.left + 25, rc.top - 1, rc.right, rc.bottom - 1};
    if (!bGrayed) {
        marks.AddPass(0, 0, crText);
    } else if (bSelected) {
        marks.AddPass(0, 0, crBack);
    } else {
        marks.AddPass(1, 1, crLight);
        marks.AddPass(0, 0, ::GetSysColor(COLOR_GRAYTEXT));
    }
    DrawGlyphAndText(pDC, rec->strText, marks);
}
