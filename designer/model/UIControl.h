// CUIControl: the base of every element placed on the menu screen, with its
// geometry, selection handles, shared properties and its project-file block.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Object.h"
#include "framework/String.h"
#include "framework/StringArray.h"
#include "framework/Geometry.h"
#include "framework/DC.h"
#include "framework/Wnd.h"
#include "designer/core/ArchiveFile.h"
#include "designer/model/ImageObject.h"

class CColorFont;
class CUIControl;
class CUIControlList;
class CXmlDocument;
class CLangManager;
class CWallpaperCanvas;
class CPackageFiles;
class CThemePicture;
class CMarkupFieldSink;

// The progress bar's values that the menu build collects from the elements
// and writes as the "[progress]" section.
struct MenuProgressRecord {
    int timeout;
    int pagewidth;
    int pageheight;
    int pleft;
    int ptop;
    int pwidth;
    int pheight;
    int pchkleft;
    char ptrack[260];
    char pchunk[260];
    // The page the elements of one build share, so that the wallpaper is
    // read once; NULL makes each element open the folder's wallpaper itself.
    CWallpaperCanvas* canvas;
    // Where the elements' pictures go, by file name; NULL writes them into
    // the folder.
    CPackageFiles* files;
};

// Copies text into a fixed buffer, cut to its size and always terminated.
template <size_t N>
inline void CopyBounded(char (&dst)[N], const char* src)
{
    size_t i = 0;
    for (; src && src[i] && i + 1 < N; ++i)
        dst[i] = src[i];
    dst[i] = '\0';
}

// What an element needs of its property dialog; the dialog base implements it.
class CUIControlEditor {
public:
    virtual ~CUIControlEditor() {}
    virtual void SetControl(CUIControl* pControl) = 0;
    // Refills the dialog's fields from the element.
    virtual void InitControls() = 0;
    virtual void SetOwnerWnd(CWnd* pWnd) = 0;
    // Runs the dialog modally.
    virtual INT_PTR DoModal() = 0;
};

// The main frame's position and size display, fed by the handle drawing.
class CPositionDisplay {
public:
    virtual ~CPositionDisplay() {}
    virtual void ShowPosition(CPoint point, BOOL bFromToolbar) = 0;
    virtual void ShowSize(CSize size, BOOL bFromToolbar) = 0;
};

// Handle ids of HitTest, GetHandleRect and GetHandleCursor.
enum {
    UIHANDLE_NONE = 0,
    UIHANDLE_BODY = 1,
    UIHANDLE_TOPLEFT = 2,
    UIHANDLE_TOP = 3,
    UIHANDLE_TOPRIGHT = 4,
    UIHANDLE_BOTTOMLEFT = 5,
    UIHANDLE_BOTTOM = 6,
    UIHANDLE_BOTTOMRIGHT = 7,
    UIHANDLE_LEFT = 8,
    UIHANDLE_RIGHT = 9
};

// Context-menu commands of an element; 308 selects the rest of a group.
enum {
    UICMD_CUT = 300,
    UICMD_COPY = 301,
    UICMD_DUPLICATE = 302,
    UICMD_MOVEUP = 303,
    UICMD_MOVEDOWN = 304,
    UICMD_TOP = 305,
    UICMD_BOTTOM = 306,
    UICMD_PROPERTIES = 307,
    UICMD_GROUPSELECT = 308
};

class CUIControl : public CObject {
public:
    CUIControl();
    virtual ~CUIControl();

    virtual void Reset();
    virtual BOOL LoadTheme(LPCTSTR lpszTheme);
    virtual CUIControl* Clone();
    virtual void CopyFrom(CUIControl* pSource);
    virtual BOOL LoadFromDefaultString(LPCTSTR lpszText);
    virtual BOOL LoadFromMarkup(CXmlDocument& doc);
    // Both return FALSE when a picture or bitmap the element needs could not
    // be read or written; an element with nothing to write returns TRUE.
    virtual BOOL ExportHtml(CString& strStyle, CString& strPage, LPCTSTR lpszFolder, int nIndex);
    virtual BOOL WriteMenuItem(CStringArray& lines, LPCTSTR lpszFolder, MenuProgressRecord& progress,
                               int& nItem);
    // Whether WriteMenuItem draws the element into the page's wallpaper
    // (what the later elements see) instead of writing pictures of its own.
    virtual BOOL MergesIntoWallpaper() const { return FALSE; }
    virtual CString GetDefaultString();
    virtual CRect GetRect() const;
    virtual void SetRect(double left, double top, double right, double bottom);
    virtual void SetRect(const RECT& rect);
    virtual void Offset(double dx, double dy);
    virtual double GetDefaultWidth();
    virtual double GetDefaultHeight();
    virtual void SetLeft(double v) { m_left = v; }
    virtual void SetRight(double v) { m_right = v; }
    virtual void SetTop(double v) { m_top = v; }
    virtual void SetBottom(double v) { m_bottom = v; }
    virtual void SetMinSize(int cx, int cy) { m_minSize = CSize(cx, cy); }
    virtual CSize GetMinSize() const { return m_minSize; }
    virtual void SetMaxSize(int cx, int cy) { m_maxSize = CSize(cx, cy); }
    virtual CSize GetMaxSize() const { return m_maxSize; }
    virtual void SetSizeLimits(int minCx, int minCy, int maxCx, int maxCy);
    virtual void SetSelected(BOOL bSelected);
    virtual BOOL IsSelected() const { return m_bSelected; }
    virtual BOOL IntersectsRect(const RECT& rect) const;
    virtual int HitTest(const RECT& rect, POINT point) const;
    virtual int HitTest(POINT point) const;
    virtual BOOL OnCommand(UINT nCommand, CUIControl* pSender, CWnd* pParent);
    virtual void ShowProperties(CWnd* pParent, BOOL bShow);
    virtual void TrackContextMenu(int x, int y, CWnd* pWnd);
    virtual void Draw(CDC* pDC, int left, int top, int right, int bottom);
    virtual HCURSOR GetHandleCursor(int nHandle) const;
    virtual void DrawOnCanvas(CDC* pDC, double zoom, int nNumber);
    virtual void DrawActualSize(CDC* pDC);

    virtual CString GetCaption() const { return m_strCaption; }
    virtual void SetCaption(LPCTSTR s) { m_strCaption = s; }
    virtual CString GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR s) { m_strTitle = s; }
    virtual CString GetCmdLine() const { return m_strCmdLine; }
    virtual void SetCmdLine(LPCTSTR s) { m_strCmdLine = s; }
    virtual CString GetName() const { return m_strName; }
    virtual void SetName(LPCTSTR s) { m_strName = s; }
    virtual CString GetImageFile() const { return m_strImageFile; }
    virtual void SetImageFile(LPCTSTR lpszPath);
    virtual CColorFont* GetFont() const { return m_pFont; }
    virtual void SetFont(const CColorFont* pFont);
    virtual CString GetThemeFile() const { return m_strThemeFile; }
    virtual void SetThemeFile(LPCTSTR s) { m_strThemeFile = s; }
    virtual CString GetShortKey() const { return m_strShortKey; }
    virtual void SetShortKey(LPCTSTR s) { m_strShortKey = s; }
    virtual BOOL GetQuickGo() const { return m_bQuickGo; }
    virtual void SetQuickGo(BOOL b) { m_bQuickGo = b; }
    virtual BOOL GetAsMenu() const { return m_bAsMenu; }
    virtual void SetAsMenu(BOOL b) { m_bAsMenu = b; }
    virtual CString GetPassword() const { return m_strPassword; }
    virtual void SetPassword(LPCTSTR s) { m_strPassword = s; }
    virtual int GetEnablePass() const { return m_nEnablePass; }
    virtual void SetEnablePass(int n) { m_nEnablePass = n < 2 ? n : 2; }
    virtual CString GetAddPath() const { return m_strAddPath; }
    virtual void SetAddPath(LPCTSTR s) { m_strAddPath = s; }
    virtual COLORREF GetChunkColor() const { return m_crChunk; }
    virtual void SetChunkColor(COLORREF cr) { m_crChunk = cr; }
    virtual BOOL IsThemeReloadPending() const { return m_bThemeReload; }
    virtual void SetThemeReloadPending(BOOL b) { m_bThemeReload = b; }
    virtual void DrawHandles(CDC* pDC, const RECT& rect);
    // The light blue of the selection handles and of the dotted frame drawn
    // around a rectangle (a selected element, a menu text).
    static const COLORREF kFrameColor = 0xF6E7C5;
    static void DrawDottedFrame(CDC* pDC, const RECT& rect);
    virtual CRect GetHandleRect(int nHandle, const RECT& rect) const;
    virtual CString GetDefaultBody();
    virtual CString SplitKeyValue(LPCTSTR lpszText, CString& strValue);
    virtual BOOL GetDefaultFromString(CString& strValue);

    // Adds the UICONTROL block as a child of the document's main position.
    BOOL SaveToMarkup(CXmlDocument& doc);
    // The same block as the text SaveToMarkup gives it, less its ITEMPOS and
    // GROUP lines, written without a document (what undo compares). FALSE,
    // and strBody untouched, when a text holds a double-byte character whose
    // second byte is a markup character or ends in a lone lead byte: such
    // text only the document itself writes as it does.
    BOOL WriteUndoBody(CString& strBody) const;

    double GetLeft() const { return m_left; }
    double GetRight() const { return m_right; }
    double GetTop() const { return m_top; }
    double GetBottom() const { return m_bottom; }
    CString GetTypeName() const { return m_strTypeName; }
    void SetTypeName(LPCTSTR s) { m_strTypeName = s; }
    int GetGroup() const { return m_nGroup; }
    void SetGroup(int n) { m_nGroup = n; }
    CUIControlList* GetOwner() const { return m_pOwner; }
    void SetOwner(CUIControlList* pOwner) { m_pOwner = pOwner; }
    void SetPropertyDialog(CUIControlEditor* pDialog, int nDialogId);
    CUIControlEditor* GetPropertyDialog() const { return m_pPropertyDlg; }
    // Makes the property dialog of an element type ("button", "picture",
    // "static", "progress") and its template id, or NULL. The studio sets it
    // at start-up; the element model itself links no dialogs.
    typedef CUIControlEditor* (*PropertyDialogFactory)(LPCTSTR lpszTypeName, int& nDialogId);
    static void SetDialogFactory(PropertyDialogFactory pfn) { s_pfnDialogFactory = pfn; }
    static PropertyDialogFactory GetDialogFactory() { return s_pfnDialogFactory; }
    int GetPropertyDialogId() const { return m_nPropertyDlgId; }
    CSize GetHandleSize() const { return m_handleSize; }
    void SetHandleSize(int cx, int cy) { m_handleSize = CSize(cx, cy); }
    double GetZoom() const { return m_zoom; }
    void SetZoom(double zoom) { m_zoom = zoom; }
    // The 13 LOGFONT numbers, the text format and the colour, "-" separated.
    CString GetFontString() const;
    CString GetFontFaceName() const;
    BOOL IsImageLoaded() const { return m_bImageLoaded; }
    CImageObject& GetImage() { return m_image; }
    LPCTSTR GetImagePath() const { return m_szImagePath; }

    // Theme packages (zip, gzip or tar-gzip with an ini text).
    BOOL OpenThemeArchive(LPCTSTR lpszPath);
    BOOL FindThemeEntry(LPCTSTR lpszName, unsigned char*& pData, unsigned& nSize);
    // Decodes the open archive's entry into picture, cut by the margins; an
    // entry that is missing or does not decode returns FALSE and leaves
    // picture as it was.
    BOOL LoadThemeEntry(LPCTSTR lpszName, int nLeft, int nTop, int nRight, int nBottom, CThemePicture& picture);
    static CRect ParseClipBox(LPCTSTR lpszText);
    void GetPasswordHash(CString& strHash) const;
    // The page-relative form "./<folder>/<name>" of a file's path.
    static void ToLoaderPath(CString& strPath);
    static BOOL SaveScreenRectPng(CDC* pDC, const RECT& rect, LPCTSTR lpszPath);
    static BOOL SaveScreenRectBmp(CDC* pDC, const RECT& rect, LPCTSTR lpszPath);
    // The rectangle as the BMP file lpszName of the folder, or into the
    // build's files when it hands them over in memory.
    static BOOL SaveMenuBitmap(MenuProgressRecord& progress, CDC* pDC, const RECT& rect, LPCTSTR lpszFolder,
                               LPCTSTR lpszName);

    // Texts of the context menu and the element types' defaults; without a
    // language manager the resource strings are taken.
    static void SetLangManager(CLangManager* pLang) { s_pLang = pLang; }
    static CLangManager* GetLangManager() { return s_pLang; }
    static CString LoadInterfaceString(UINT nID, LPCTSTR lpszFallback);
    static void SetPositionDisplay(CPositionDisplay* pDisplay) { s_pPositionDisplay = pDisplay; }
    // Shows the place of the last element drawn with handles, when it changed.
    static void ShowDrawnPosition();
    // Forgets the places drawn and shown: the next element drawn with handles
    // shows its place again, even where the last one shown was the same.
    static void ForgetShownPlace();

    // Escapes of text fields in default strings and of command lines in the
    // project file.
    static CString DecodeDefaultText(const CString& text);
    static CString EncodeCmdLine(const CString& text, BOOL& bDoubled);
    static CString DecodeCmdLine(const CString& text, BOOL bBackslashEscaped);

    // Values of kelmenu.ini: a quoted one-line text (line breaks become
    // blanks, double quotes single ones) and the quoted command lines (each
    // line break becomes the two characters "\r").
    static CString EscapeIniText(LPCTSTR lpszText);
    static CString EscapeIniCommands(LPCTSTR lpszText);
    // The web preview: command lines as the text of alert("...") in an
    // unquoted onClick value (blanks as &nbsp;, line breaks as "\n"), text
    // for a quoted HTML attribute, and text for a quoted CSS url('...').
    static CString EscapeScriptText(LPCTSTR lpszText);
    static CString EscapeHtmlAttribute(LPCTSTR lpszText);
    static CString EscapeCssUrl(LPCTSTR lpszText);

protected:
    // The build's shared page, opened on first use, or else own opened on the
    // folder's wallpaper; NULL when the wallpaper does not load.
    static CWallpaperCanvas* OpenMenuCanvas(MenuProgressRecord& progress, LPCTSTR lpszFolder,
                                            CWallpaperCanvas& own);
    // The "[menuitem N]" block of a menu entry, picture or text; the image
    // names are the boot-time ones.
    CString FormatMenuItemBlock(int nItem, const CRect& rect, LPCTSTR lpszNormal, LPCTSTR lpszHover) const;
    // The web preview's anchor rule ("#<prefix>_N a" and its hover) and its
    // body fragment.
    static CString FormatAnchorStyle(LPCTSTR lpszPrefix, int nIndex, const CRect& rect, LPCTSTR lpszNormalUrl,
                                     LPCTSTR lpszHoverUrl);
    CString FormatAnchorBody(LPCTSTR lpszPrefix, int nIndex) const;
    // Draws text into the rectangle with the element font, its colour and its
    // text format, background transparent. On the canvas the height follows
    // the zoom, and below zoom 1.0 the face is Tahoma.
    void DrawFontText(CDC* pDC, const CRect& rect, const CString& text, BOOL bCanvas);
    // Appends what DrawFontText on the canvas depends on besides the
    // rectangle (zoom, text, font) to a drawing's key; FALSE when the text may
    // reach out of the rectangle.
    BOOL AddTextToKey(std::string& key, LPCTSTR lpszText) const;

    // The element types' copies and their readers of a UICONTROL block or a
    // default string: a T that does not load is deleted and NULL returned.
    template <class T>
    CUIControl* CloneAs()
    {
        T* pCopy = new T;
        pCopy->CopyFrom(this);
        return pCopy;
    }
    template <class T>
    static CUIControl* NewFromMarkup(CXmlDocument& doc)
    {
        T* pControl = new T;
        if (pControl->LoadFromMarkup(doc))
            return pControl;
        delete pControl;
        return NULL;
    }
    template <class T>
    static CUIControl* NewFromDefaultString(LPCTSTR lpszText)
    {
        T* pControl = new T;
        if (pControl->LoadFromDefaultString(lpszText))
            return pControl;
        delete pControl;
        return NULL;
    }

    // Called by the element types' constructors after the type name is set:
    // the factory's dialog becomes this element's own (deleted with it).
    void CreatePropertyDialog();
    // The start of every element type's constructor: the type (also the
    // name), its property dialog and a black Tahoma font with the format.
    void InitType(LPCTSTR lpszType, UINT nTextFormat);
    // A new boot entry's texts: the "Boot from 1st hard disk." caption and
    // title (in the interface language) and the chain-loading command.
    void SetBootEntryTexts();

    void ReadFontValues(LPCTSTR lpszValues, LPCTSTR lpszFace);
    // The children of the UICONTROL block in file order, for both writers;
    // without bPlace less the GROUP and ITEMPOS children.
    void WriteMarkupFields(CMarkupFieldSink& sink, BOOL bPlace) const;
    static void DrawBadge(CDC* pDC, int left, int top, int nNumber);

    CColorFont* m_pFont;
    CArchiveFile m_themeArchive;
    int m_nThemeEntries;
    BOOL m_bThemeReload;
    double m_left, m_right, m_top, m_bottom;
    CSize m_handleSize;
    CSize m_minSize;
    CSize m_maxSize;
    double m_zoom;
    BOOL m_bSelected;
    CString m_strTypeName;
    CString m_strCaption;
    CString m_strTitle;
    CString m_strCmdLine;
    CString m_strName;
    CString m_strImageFile;
    CString m_strThemeFile;
    CString m_strShortKey;
    BOOL m_bQuickGo;
    BOOL m_bAsMenu;
    CString m_strPassword;
    int m_nEnablePass;
    CString m_strAddPath;
    COLORREF m_crChunk;
    CImageObject m_image;
    char m_szImagePath[260];
    BOOL m_bImageLoaded;
    int m_imageMargins[4];
    int m_nGroup;
    CUIControlEditor* m_pPropertyDlg;
    int m_nPropertyDlgId;
    CUIControlList* m_pOwner;
    BOOL m_bOwnsPropertyDlg;

    static CLangManager* s_pLang;
    static PropertyDialogFactory s_pfnDialogFactory;
    static CPositionDisplay* s_pPositionDisplay;
};
