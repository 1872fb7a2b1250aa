#include "designer/model/UIControl.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Menu.h"
#include "framework/Pen.h"
#include "framework/Brush.h"
#include "controls/ColorFont.h"
#include "controls/BarPainter.h"
#include "designer/app/LangManager.h"
#include "designer/model/ThemePicture.h"
#include "designer/core/Md5Crypt.h"
#include "designer/core/PathValue.h"
#include "designer/core/StringSplitter.h"
#include "designer/model/UIControlList.h"
#include "designer/model/WallpaperCanvas.h"
#include "designer/core/XmlDocument.h"
#include "imaging/xImage.h"

CLangManager* CUIControl::s_pLang = NULL;
CPositionDisplay* CUIControl::s_pPositionDisplay = NULL;
CUIControl::PropertyDialogFactory CUIControl::s_pfnDialogFactory = NULL;

namespace {

const char kFontFormat[] = "%d-%d-%d-%d-%d-%d-%d-%d-%d-%d-%d-%d-%d-%x-%x";
const char kFontWarning[] = "GetDefaultFromString(): Invalid font attr. settings.\n";

// Last position and size shown by the handle drawing, shared by all elements.
CPoint g_lastShownPos(-1, -1);
CSize g_lastShownSize(-1, -1);

// Coordinates may come from a file: a value out of the int range is held at a
// bound from which widths and offsets still fit an int, NaN reads as 0.
int Truncate(double v)
{
    const double kLimit = 1073741823.0;
    if (v != v)
        return 0;
    if (v > kLimit)
        return (int)kLimit;
    if (v < -kLimit)
        return -(int)kLimit;
    return (int)v;
}
int Round(double v) { return Truncate(v + 0.5); }
double NotNan(double v) { return v == v ? v : 0.0; }

CRect Normalized(const RECT& r)
{
    CRect n(r);
    n.NormalizeRect();
    return n;
}

LPCTSTR BoolText(BOOL b) { return b ? "TRUE" : "FALSE"; }

}  // namespace

CUIControl::CUIControl()
    : m_pFont(NULL), m_nThemeEntries(0), m_bThemeReload(FALSE), m_left(0.0), m_right(0.0), m_top(0.0),
      m_bottom(0.0), m_handleSize(6, 6), m_minSize(1, 1), m_maxSize(-1, -1), m_zoom(1.0), m_bSelected(FALSE),
      m_strTypeName("basic"), m_bQuickGo(FALSE), m_bAsMenu(FALSE), m_nEnablePass(0), m_crChunk(0),
      m_bImageLoaded(FALSE), m_nGroup(0), m_pPropertyDlg(NULL), m_nPropertyDlgId(0), m_pOwner(NULL),
      m_bOwnsPropertyDlg(FALSE)
{
    m_szImagePath[0] = '\0';
    for (int i = 0; i < 4; ++i)
        m_imageMargins[i] = 0;
    Reset();
}

CUIControl::~CUIControl()
{
    delete m_pFont;
    if (m_bOwnsPropertyDlg)
        delete m_pPropertyDlg;
}

void CUIControl::Reset()
{
    SetSizeLimits(1, 1, -1, -1);
    SetRect(0.0, 0.0, 0.0, 0.0);
    m_handleSize = CSize(6, 6);
    SetSelected(FALSE);
    m_pOwner = NULL;
    m_strName.Empty();
}

BOOL CUIControl::LoadTheme(LPCTSTR) { return FALSE; }

CUIControl* CUIControl::Clone()
{
    CUIControl* pCopy = new CUIControl;
    pCopy->CopyFrom(this);
    return pCopy;
}

void CUIControl::CopyFrom(CUIControl* pSource)
{
    Reset();
    m_handleSize = pSource->m_handleSize;
    m_maxSize = pSource->m_maxSize;
    m_minSize = pSource->m_minSize;
    SetSelected(pSource->m_bSelected);
    m_pOwner = pSource->m_pOwner;
    m_strTypeName = pSource->m_strTypeName;
    m_strTitle = pSource->m_strTitle;
    m_strCaption = pSource->m_strCaption;
    m_strCmdLine = pSource->m_strCmdLine;
    m_strThemeFile = pSource->m_strThemeFile;
    m_strName = pSource->m_strName;
    SetRect(pSource->m_left, pSource->m_top, pSource->m_right, pSource->m_bottom);
    m_strImageFile = pSource->m_strImageFile;
    SetFont(pSource->m_pFont);
    m_strShortKey = pSource->m_strShortKey;
    m_bQuickGo = pSource->m_bQuickGo;
    m_nEnablePass = pSource->m_nEnablePass;
    m_strPassword = pSource->m_strPassword;
    m_strAddPath = pSource->m_strAddPath;
    m_bAsMenu = pSource->m_bAsMenu;
    m_crChunk = pSource->m_crChunk;
    m_bThemeReload = TRUE;
}

BOOL CUIControl::ExportHtml(CString&, CString&, LPCTSTR, int) { return TRUE; }

BOOL CUIControl::WriteMenuItem(CStringArray&, LPCTSTR, MenuProgressRecord&, int&) { return TRUE; }

CWallpaperCanvas* CUIControl::OpenMenuCanvas(MenuProgressRecord& progress, LPCTSTR lpszFolder,
                                             CWallpaperCanvas& own)
{
    CWallpaperCanvas* pCanvas = progress.canvas ? progress.canvas : &own;
    if (!pCanvas->IsOpen() && !pCanvas->Open(lpszFolder))
        return NULL;
    return pCanvas;
}

CString CUIControl::GetDefaultString() { return GetDefaultBody() + ";"; }

CString CUIControl::GetDefaultBody() { return CString(); }

CRect CUIControl::GetRect() const
{
    return CRect(Truncate(m_left), Truncate(m_top), Truncate(m_right), Truncate(m_bottom));
}

void CUIControl::SetRect(double left, double top, double right, double bottom)
{
    SetLeft(NotNan(left));
    SetTop(NotNan(top));
    SetRight(NotNan(right));
    SetBottom(NotNan(bottom));
    CRect r = GetRect();
    if (m_minSize.cx != -1 && r.Width() < m_minSize.cx)
        SetRight(m_left + m_minSize.cx);
    if (m_minSize.cy != -1 && r.Height() < m_minSize.cy)
        SetBottom(m_top + m_minSize.cy);
    r = GetRect();
    if (m_maxSize.cx != -1 && r.Width() > m_maxSize.cx)
        SetRight(m_left + m_maxSize.cx);
    if (m_maxSize.cy != -1 && r.Height() > m_maxSize.cy)
        SetBottom(m_top + m_maxSize.cy);
    if (m_pPropertyDlg)
        m_pPropertyDlg->InitControls();
}

void CUIControl::SetRect(const RECT& rect)
{
    CRect r = Normalized(rect);
    SetRect((double)r.left, (double)r.top, (double)r.right, (double)r.bottom);
}

void CUIControl::Offset(double dx, double dy)
{
    SetRect(m_left + dx, m_top + dy, m_right + dx, m_bottom + dy);
}

double CUIControl::GetDefaultWidth() { return 32.0; }
double CUIControl::GetDefaultHeight() { return 32.0; }

void CUIControl::SetSizeLimits(int minCx, int minCy, int maxCx, int maxCy)
{
    SetMinSize(minCx, minCy);
    SetMaxSize(maxCx, maxCy);
}

void CUIControl::SetSelected(BOOL bSelected)
{
    m_bSelected = bSelected;
    if (bSelected && m_nGroup != 0 && m_pOwner)
        m_pOwner->Broadcast(UICMD_GROUPSELECT, FALSE, this, NULL);
}

BOOL CUIControl::IntersectsRect(const RECT& rect) const
{
    CRect a = Normalized(GetRect());
    CRect b = Normalized(rect);
    CRect both;
    return both.IntersectRect(&a, &b);
}

int CUIControl::HitTest(const RECT& rect, POINT point) const
{
    int result = ::PtInRect(&rect, point) ? UIHANDLE_BODY : UIHANDLE_NONE;
    for (int id = UIHANDLE_TOPLEFT; id <= UIHANDLE_RIGHT; ++id) {
        CRect h = GetHandleRect(id, rect);
        if (::PtInRect(&h, point))
            result = id;
    }
    return result;
}

int CUIControl::HitTest(POINT point) const
{
    CRect r = GetRect();
    return HitTest(r, point);
}

CRect CUIControl::GetHandleRect(int nHandle, const RECT& rect) const
{
    CRect r(rect);
    r.InflateRect(2, 2);
    int hx = m_handleSize.cx / 2;
    int hy = m_handleSize.cy / 2;
    int cx = r.left, cy = r.top;
    switch (nHandle) {
    case UIHANDLE_TOPLEFT: cx = r.left; cy = r.top; break;
    case UIHANDLE_TOP: cx = r.left + (r.right - r.left) / 2; cy = r.top; break;
    case UIHANDLE_TOPRIGHT: cx = r.right; cy = r.top; break;
    case UIHANDLE_BOTTOMLEFT: cx = r.left; cy = r.bottom; break;
    case UIHANDLE_BOTTOM: cx = r.left + (r.right - r.left) / 2; cy = r.bottom; break;
    case UIHANDLE_BOTTOMRIGHT: cx = r.right; cy = r.bottom; break;
    case UIHANDLE_LEFT: cx = r.left; cy = r.top + (r.bottom - r.top) / 2; break;
    case UIHANDLE_RIGHT: cx = r.right; cy = r.top + (r.bottom - r.top) / 2; break;
    default: break;
    }
    return CRect(cx - hx, cy - hy, cx + hx, cy + hy);
}

HCURSOR CUIControl::GetHandleCursor(int nHandle) const
{
    LPCSTR id = NULL;
    switch (nHandle) {
    case UIHANDLE_BODY: id = IDC_SIZEALL; break;
    case UIHANDLE_TOPLEFT:
    case UIHANDLE_BOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case UIHANDLE_TOP:
    case UIHANDLE_BOTTOM: id = IDC_SIZENS; break;
    case UIHANDLE_TOPRIGHT:
    case UIHANDLE_BOTTOMLEFT: id = IDC_SIZENESW; break;
    case UIHANDLE_LEFT:
    case UIHANDLE_RIGHT: id = IDC_SIZEWE; break;
    default: return NULL;
    }
    return ::LoadCursor(NULL, id);
}

BOOL CUIControl::OnCommand(UINT nCommand, CUIControl* pSender, CWnd* pParent)
{
    if (nCommand == UICMD_GROUPSELECT) {
        if (pSender && pSender != this && pSender->m_nGroup == m_nGroup)
            m_bSelected = TRUE;
        return FALSE;
    }
    if (nCommand == UICMD_PROPERTIES) {
        if (!m_bSelected)
            return FALSE;
        ShowProperties(pParent, TRUE);
        return TRUE;
    }
    if (nCommand < UICMD_CUT || nCommand > UICMD_BOTTOM || !m_pOwner || !m_bSelected)
        return FALSE;
    CUIControlList* pOwner = m_pOwner;
    switch (nCommand) {
    case UICMD_CUT: pOwner->Cut(this); break;  // deletes this element
    case UICMD_COPY: pOwner->Copy(this); break;
    case UICMD_DUPLICATE:
        pOwner->Duplicate(this);
        SetSelected(FALSE);
        break;
    case UICMD_MOVEUP: pOwner->MoveUp(this); break;
    case UICMD_MOVEDOWN: pOwner->MoveDown(this); break;
    case UICMD_TOP: pOwner->BringToTop(this); break;
    case UICMD_BOTTOM: pOwner->SendToBottom(this); break;
    }
    return TRUE;
}

void CUIControl::ShowProperties(CWnd* pParent, BOOL bShow)
{
    if (!m_pPropertyDlg || !bShow)
        return;
    m_pPropertyDlg->SetOwnerWnd(pParent);
    m_pPropertyDlg->DoModal();
}

CString CUIControl::LoadInterfaceString(UINT nID, LPCTSTR lpszFallback)
{
    CString text;
    if (s_pLang)
        s_pLang->LoadString(text, nID, FALSE);
    else if (!text.LoadString(nID))
        text.Empty();
    if (text.IsEmpty())
        text = lpszFallback;
    return text;
}

void CUIControl::TrackContextMenu(int x, int y, CWnd* pWnd)
{
    static const UINT kItems[] = {UICMD_CUT, UICMD_COPY, UICMD_DUPLICATE, 0, UICMD_MOVEUP,
                                  UICMD_MOVEDOWN, UICMD_TOP, UICMD_BOTTOM, 0, UICMD_PROPERTIES};
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    for (UINT id : kItems) {
        if (id == 0)
            menu.AppendMenu(MF_SEPARATOR);
        else
            menu.AppendMenu(MF_STRING, id, LoadInterfaceString(id, ""));
    }
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, x, y, pWnd);
}

void CUIControl::Draw(CDC* pDC, int left, int top, int right, int bottom)
{
    CScopedSelect pen(pDC->GetSafeHdc(), ::GetStockObject(BLACK_PEN));
    CScopedSelect brush(pDC->GetSafeHdc(), ::GetStockObject(WHITE_BRUSH));
    pDC->Rectangle(left, top, right, bottom);
}

void CUIControl::DrawBadge(CDC* pDC, int left, int top, int nNumber)
{
    CRect badge(left - 3, top - 3, left + 21, top + 17);
    if (pDC->GetDeviceCaps(BITSPIXEL) > 8) {
        int saved = pDC->SaveDC();
        pDC->ExcludeClipRect(badge.left, badge.top, badge.left + 1, badge.top + 1);
        pDC->ExcludeClipRect(badge.right - 1, badge.top, badge.right, badge.top + 1);
        pDC->ExcludeClipRect(badge.left, badge.bottom - 1, badge.left + 1, badge.bottom);
        pDC->ExcludeClipRect(badge.right - 1, badge.bottom - 1, badge.right, badge.bottom);
        CBarPainter painter(pDC);
        painter.FillGradient(badge, RGB(255, 255, 255), RGB(255, 255, 255), 90);
        pDC->RestoreDC(saved);
        CRect inner(badge);
        inner.DeflateRect(1, 1);
        painter.FillGradient(inner, RGB(77, 180, 251), RGB(62, 65, 142), 90);
    } else {
        pDC->FillSolidRect(&badge, RGB(49, 105, 182));
    }
    CString text;
    text.Format("%d", nNumber);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF oldColor = pDC->SetTextColor(RGB(255, 255, 255));
    pDC->DrawText(text, &badge, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
}

void CUIControl::DrawOnCanvas(CDC* pDC, double zoom, int nNumber)
{
    m_zoom = zoom;
    CRect r(Truncate(m_left * zoom + 0.5), Truncate(m_top * zoom + 0.5), Truncate(m_right * zoom + 0.5),
            Truncate(m_bottom * zoom + 0.5));
    Draw(pDC, r.left, r.top, r.right, r.bottom);
    if (nNumber >= 0)
        DrawBadge(pDC, r.left, r.top, nNumber);
    if (m_bSelected)
        DrawHandles(pDC, r);
}

void CUIControl::DrawActualSize(CDC* pDC)
{
    m_zoom = 1.0;
    Draw(pDC, Round(m_left), Round(m_top), Round(m_right), Round(m_bottom));
}

void CUIControl::DrawDottedFrame(CDC* pDC, const RECT& rect)
{
    HDC hdc = pDC->GetSafeHdc();
    HPEN hPen = ::CreatePen(PS_DOT, 0, kFrameColor);
    {
        CScopedSelect pen(hdc, hPen);
        CScopedSelect brush(hdc, ::GetStockObject(NULL_BRUSH));
        int oldRop = pDC->SetROP2(R2_COPYPEN);
        pDC->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
        pDC->SetROP2(oldRop);
    }
    if (hPen)
        ::DeleteObject(hPen);
}

void CUIControl::DrawHandles(CDC* pDC, const RECT& rect)
{
    HDC hdc = pDC->GetSafeHdc();
    {
        CScopedSelect black(hdc, ::GetStockObject(BLACK_BRUSH));
        for (int id = UIHANDLE_TOPLEFT; id <= UIHANDLE_RIGHT; ++id) {
            CRect h = GetHandleRect(id, rect);
            pDC->FillSolidRect(&h, kFrameColor);
        }
    }
    DrawDottedFrame(pDC, rect);

    CPoint pos(rect.left, rect.top);
    CSize size(rect.right - rect.left, rect.bottom - rect.top);
    if (pos != g_lastShownPos) {
        g_lastShownPos = pos;
        if (s_pPositionDisplay)
            s_pPositionDisplay->ShowPosition(pos, FALSE);
    }
    if (size != g_lastShownSize) {
        g_lastShownSize = size;
        if (s_pPositionDisplay)
            s_pPositionDisplay->ShowSize(size, FALSE);
    }
}

void CUIControl::SetImageFile(LPCTSTR lpszPath)
{
    m_strImageFile = lpszPath ? lpszPath : "";
    if (m_strImageFile.IsEmpty())
        return;
    CopyBounded(m_szImagePath, m_strImageFile);
    for (int i = 0; i < 4; ++i)
        m_imageMargins[i] = 4;
    m_bImageLoaded = FALSE;
    CImageObject probe;
    probe.SetMargins(5, 5, 5, 5);
    if (probe.LoadFile(m_strImageFile)) {
        m_image.SetMargins(5, 5, 5, 5);
        m_bImageLoaded = m_image.LoadFile(m_strImageFile) ? TRUE : FALSE;
    }
}

void CUIControl::SetFont(const CColorFont* pFont)
{
    if (!pFont || pFont == m_pFont)
        return;
    CColorFont* pNew = new CColorFont(pFont->GetLogFontData());
    pNew->SetTextFormat(pFont->GetTextFormat());
    pNew->SetColor(pFont->GetColor());
    delete m_pFont;
    m_pFont = pNew;
}

void CUIControl::SetPropertyDialog(CUIControlEditor* pDialog, int nDialogId)
{
    if (m_bOwnsPropertyDlg && pDialog != m_pPropertyDlg)
        delete m_pPropertyDlg;
    m_bOwnsPropertyDlg = FALSE;
    m_pPropertyDlg = pDialog;
    m_nPropertyDlgId = nDialogId;
    if (pDialog)
        pDialog->SetControl(this);
}

void CUIControl::CreatePropertyDialog()
{
    if (!s_pfnDialogFactory)
        return;
    int nId = 0;
    CUIControlEditor* pDialog = s_pfnDialogFactory(m_strTypeName, nId);
    if (!pDialog)
        return;
    SetPropertyDialog(pDialog, nId);
    m_bOwnsPropertyDlg = TRUE;
}

void CUIControl::InitType(LPCTSTR lpszType, UINT nTextFormat)
{
    SetTypeName(lpszType);
    CreatePropertyDialog();
    SetName(lpszType);
    delete m_pFont;
    m_pFont = new CColorFont("Tahoma");
    m_pFont->SetColor(0);
    m_pFont->SetTextFormat(nTextFormat);
}

void CUIControl::SetBootEntryTexts()
{
    CString text = LoadInterfaceString(61467, "Boot from 1st hard disk.");
    SetCaption(text);
    SetTitle(text);
    SetCmdLine("chainloader (hd0,0)+1\r\nboot");
}

CString CUIControl::GetFontString() const
{
    CString s;
    if (!m_pFont)
        return s;
    const LOGFONT& lf = m_pFont->GetLogFontData();
    s.Format(kFontFormat, (int)lf.lfHeight, (int)lf.lfWidth, (int)lf.lfEscapement, (int)lf.lfOrientation,
             (int)lf.lfWeight, (int)lf.lfItalic, (int)lf.lfUnderline, (int)lf.lfStrikeOut, (int)lf.lfCharSet,
             (int)lf.lfOutPrecision, (int)lf.lfClipPrecision, (int)lf.lfQuality, (int)lf.lfPitchAndFamily,
             m_pFont->GetTextFormat(), (unsigned)m_pFont->GetColor());
    return s;
}

CString CUIControl::GetFontFaceName() const
{
    return m_pFont ? CString(m_pFont->GetLogFontData().lfFaceName) : CString();
}

void CUIControl::ReadFontValues(LPCTSTR lpszValues, LPCTSTR lpszFace)
{
    int v[13] = {0};
    unsigned format = 0, color = 0;
    int n = sscanf(lpszValues ? lpszValues : "", kFontFormat, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                   &v[7], &v[8], &v[9], &v[10], &v[11], &v[12], &format, &color);
    if (n < 15)
        ::OutputDebugStringA(kFontWarning);
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = v[0];
    lf.lfWidth = v[1];
    lf.lfEscapement = v[2];
    lf.lfOrientation = v[3];
    lf.lfWeight = v[4];
    lf.lfItalic = (BYTE)v[5];
    lf.lfUnderline = (BYTE)v[6];
    lf.lfStrikeOut = (BYTE)v[7];
    lf.lfCharSet = (BYTE)v[8];
    lf.lfOutPrecision = (BYTE)v[9];
    lf.lfClipPrecision = (BYTE)v[10];
    lf.lfQuality = (BYTE)v[11];
    lf.lfPitchAndFamily = (BYTE)v[12];
    CopyBounded(lf.lfFaceName, lpszFace);
    CColorFont* pNew = new CColorFont(lf);
    pNew->SetTextFormat(format);
    pNew->SetColor(color);
    delete m_pFont;
    m_pFont = pNew;
}

CString CUIControl::SplitKeyValue(LPCTSTR lpszText, CString& strValue)
{
    CStringSplitter parts(lpszText, ':');
    if (parts.GetCount() != 2)
        return CString();
    CString key, value;
    parts.GetText(0, key);
    parts.GetText(1, value);
    strValue = value.Trim();
    return key.Trim();
}

BOOL CUIControl::LoadFromDefaultString(LPCTSTR lpszText)
{
    CString value;
    CString key = SplitKeyValue(lpszText, value);
    return key == m_strTypeName && GetDefaultFromString(value);
}

CString CUIControl::DecodeDefaultText(const CString& text)
{
    CString s(text);
    s.Replace("\\colon", ":");
    s.Replace("\\semicolon", ";");
    s.Replace("\\comma", ",");
    s.Replace("\\newline", "\r\n");
    return s;
}

BOOL CUIControl::GetDefaultFromString(CString& strValue)
{
    CString value(strValue);
    if (!value.IsEmpty() && value[value.GetLength() - 1] == ';')
        value = value.Left(value.GetLength() - 1);
    CStringSplitter fields(value, ',');
    if (fields.GetCount() < 13)
        return FALSE;
    double left, top, right, bottom;
    fields.GetDouble(0, left);
    fields.GetDouble(1, top);
    fields.GetDouble(2, right);
    fields.GetDouble(3, bottom);
    SetRect(left, top, right, bottom);

    CString caption, name, title, cmd, theme, key, quick, asMenu, font, face;
    int group = 0;
    fields.GetText(4, caption);
    fields.GetText(5, name);
    fields.GetInt(6, group);
    fields.GetText(7, title);
    fields.GetText(8, cmd);
    fields.GetText(9, theme);
    fields.GetText(10, key);
    fields.GetText(11, quick);
    fields.GetText(12, asMenu);
    fields.GetText(13, font);
    fields.GetText(14, face);
    m_strTitle = DecodeDefaultText(title);
    m_strCmdLine = DecodeDefaultText(cmd);
    m_strThemeFile = DecodeDefaultText(theme);
    m_strShortKey = key;
    m_bQuickGo = quick.CompareNoCase("true") == 0;
    m_bAsMenu = asMenu.CompareNoCase("true") == 0;
    SetCaption(DecodeDefaultText(caption));
    SetName(DecodeDefaultText(name));
    SetGroup(group);
    m_bThemeReload = TRUE;
    ReadFontValues(font, face);

    CString rest;
    for (int i = 15; i < fields.GetCount(); ++i) {
        CString f;
        fields.GetText(i, f);
        if (i > 15)
            rest += ",";
        rest += f;
    }
    strValue = rest;
    return TRUE;
}

// Command lines go into the project file on one line: CR and LF become "\r"
// and "\n". A backslash that would read as the start of such an escape is
// doubled, so that a typed "\n" survives; other backslashes stay single.
CString CUIControl::EncodeCmdLine(const CString& text, BOOL& bDoubled)
{
    CString out;
    bDoubled = FALSE;
    int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        char c = text[i];
        char next = i + 1 < n ? text[i + 1] : '\0';
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\' && next && strchr("rn\\\r\n", next)) {
            out += "\\\\";
            bDoubled = TRUE;
        } else {
            out += c;
        }
    }
    return out;
}

// Without the escape mark (older files, or nothing was doubled) a backslash
// pair stays as it is.
CString CUIControl::DecodeCmdLine(const CString& text, BOOL bBackslashEscaped)
{
    CString out;
    int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        char c = text[i];
        char next = i + 1 < n ? text[i + 1] : '\0';
        if (c == '\\' && next == 'r') {
            out += '\r';
            ++i;
        } else if (c == '\\' && next == 'n') {
            out += '\n';
            ++i;
        } else if (c == '\\' && next == '\\' && bBackslashEscaped) {
            out += '\\';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

namespace {
// The CMDLINE child carries this attribute when its backslashes are doubled.
const char kCmdEscapeAttr[] = "ESC";
}  // namespace

BOOL CUIControl::SaveToMarkup(CXmlDocument& doc)
{
    CString s;
    doc.AddChildElem("UICONTROL", NULL);
    doc.SetChildAttrib("UITYPE", m_strTypeName);
    doc.IntoElem();
    doc.AddChildElem("CAPTION", m_strCaption);
    doc.AddChildElem("NAME", m_strName);
    doc.AddChildElem("TITLE", m_strTitle);
    BOOL doubled = FALSE;
    doc.AddChildElem("CMDLINE", EncodeCmdLine(m_strCmdLine, doubled));
    if (doubled)
        doc.SetChildAttrib(kCmdEscapeAttr, "1");
    doc.AddChildElem("THEMEFILE", m_strThemeFile);
    doc.AddChildElem("SHORTKEY", m_strShortKey);
    doc.AddChildElem("QUICKGO", BoolText(m_bQuickGo));
    doc.AddChildElem("ASMENU", BoolText(m_bAsMenu));
    doc.AddChildElem("FONT", GetFontString());
    doc.SetChildAttrib("NAME", GetFontFaceName());
    s.Format("%d", m_nGroup);
    doc.AddChildElem("GROUP", s);
    doc.AddChildElem("ITEMPOS", NULL);
    CRect r = GetRect();
    s.Format("%d", r.left);
    doc.SetChildAttrib("LEFT", s);
    s.Format("%d", r.right);
    doc.SetChildAttrib("RIGTH", s);
    s.Format("%d", r.top);
    doc.SetChildAttrib("TOP", s);
    s.Format("%d", r.bottom);
    doc.SetChildAttrib("BOTTOM", s);
    doc.AddChildElem("PASSWORD", m_strPassword);
    s.Format("%d", m_nEnablePass);
    doc.AddChildElem("ENABLEPASS", s);
    doc.AddChildElem("ADDPATH", m_strAddPath);
    s.Format("%x", (unsigned)m_crChunk);
    doc.AddChildElem("CHUNKCOLOR", s);
    doc.OutOfElem();
    return TRUE;
}

BOOL CUIControl::LoadFromMarkup(CXmlDocument& doc)
{
    if (doc.FindChildElem("CAPTION"))
        SetCaption(doc.GetChildData());
    if (doc.FindChildElem("NAME"))
        SetName(doc.GetChildData());
    if (doc.FindChildElem("TITLE"))
        SetTitle(doc.GetChildData());
    if (doc.FindChildElem("CMDLINE")) {
        BOOL escaped = !doc.GetChildAttrib(kCmdEscapeAttr).IsEmpty();
        SetCmdLine(DecodeCmdLine(doc.GetChildData(), escaped));
    }
    if (doc.FindChildElem("THEMEFILE"))
        SetThemeFile(doc.GetChildData());
    if (doc.FindChildElem("SHORTKEY"))
        SetShortKey(doc.GetChildData());
    if (doc.FindChildElem("QUICKGO"))
        SetQuickGo(doc.GetChildData().CompareNoCase("TRUE") == 0);
    if (doc.FindChildElem("ASMENU"))
        SetAsMenu(doc.GetChildData().CompareNoCase("TRUE") == 0);
    if (doc.FindChildElem("FONT"))
        ReadFontValues(doc.GetChildData(), doc.GetChildAttrib("NAME"));
    if (doc.FindChildElem("GROUP"))
        SetGroup(atoi(doc.GetChildData()));
    if (doc.FindChildElem("ITEMPOS")) {
        SetRect(atof(doc.GetChildAttrib("LEFT")), atof(doc.GetChildAttrib("TOP")),
                atof(doc.GetChildAttrib("RIGTH")), atof(doc.GetChildAttrib("BOTTOM")));
    }
    if (doc.FindChildElem("PASSWORD"))
        SetPassword(doc.GetChildData());
    if (doc.FindChildElem("ENABLEPASS"))
        SetEnablePass(atoi(doc.GetChildData()));
    if (doc.FindChildElem("ADDPATH"))
        SetAddPath(doc.GetChildData());
    if (doc.FindChildElem("CHUNKCOLOR"))
        SetChunkColor((COLORREF)strtoul(doc.GetChildData(), NULL, 16));
    m_bThemeReload = TRUE;
    return TRUE;
}

BOOL CUIControl::OpenThemeArchive(LPCTSTR lpszPath)
{
    BOOL accepted = FALSE;
    if (m_themeArchive.OpenArchive(lpszPath)) {
        m_nThemeEntries = m_themeArchive.GetEntryCount();
        for (int i = 0; i < m_nThemeEntries && !accepted; ++i) {
            unsigned char* data = NULL;
            unsigned size = 0;
            BOOL isFile = FALSE;
            CString name;
            if (!m_themeArchive.GetEntry(i, data, size, isFile, name))
                break;
            CString lower(name);
            lower.MakeLower();
            if (lower.GetLength() < 4 || lower.Right(4) != ".ini")
                continue;
            CString text((LPCTSTR)data, (int)size);
            accepted = LoadTheme(text);
        }
    }
    m_themeArchive.CloseArchive();
    return accepted;
}

BOOL CUIControl::FindThemeEntry(LPCTSTR lpszName, unsigned char*& pData, unsigned& nSize)
{
    int count = m_themeArchive.GetEntryCount();
    for (int i = 0; i < count; ++i) {
        unsigned char* data = NULL;
        unsigned size = 0;
        BOOL isFile = FALSE;
        CString name;
        if (!m_themeArchive.GetEntry(i, data, size, isFile, name))
            break;
        if (isFile && name.CompareNoCase(lpszName) == 0) {
            pData = data;
            nSize = size;
            return TRUE;
        }
    }
    pData = NULL;
    nSize = 0;
    return FALSE;
}

BOOL CUIControl::LoadThemeEntry(LPCTSTR lpszName, int nLeft, int nTop, int nRight, int nBottom,
                                CThemePicture& picture)
{
    unsigned char* data = NULL;
    unsigned size = 0;
    if (!FindThemeEntry(lpszName, data, size))
        return FALSE;
    CThemePicture decoded;
    decoded.SetMargins(nLeft, nTop, nRight, nBottom);
    if (!decoded.LoadMemory(data, size, CXIMAGE_FORMAT_UNKNOWN))
        return FALSE;
    picture = decoded;
    return TRUE;
}

CRect CUIControl::ParseClipBox(LPCTSTR lpszText)
{
    CRect r(0, 0, 0, 0);
    const char* p = lpszText ? strchr(lpszText, '(') : NULL;
    if (!p)
        return r;
    LONG* edges[4] = {&r.left, &r.top, &r.right, &r.bottom};
    ++p;
    for (int i = 0; i < 4; ++i) {
        *edges[i] = atoi(p);
        p = strchr(p, ',');
        if (!p)
            break;
        ++p;
    }
    return r;
}

void CUIControl::GetPasswordHash(CString& strHash) const
{
    strHash.Empty();
    if (m_nEnablePass == 0 || m_strPassword.IsEmpty())
        return;
    char out[40] = {0};
    MakeMd5CryptPassword(m_strPassword, out);
    strHash = out;
}

void CUIControl::ToLoaderPath(CString& strPath)
{
    CString out;
    CPathValue(strPath).GetParentRelativePath(out);
    out.Replace('\\', '/');
    strPath = out;
}

namespace {
BOOL SaveScreenRect(CDC* pDC, const RECT& rect, LPCTSTR lpszPath, DWORD type)
{
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return FALSE;
    HDC hdc = pDC->GetSafeHdc();
    HDC mem = ::CreateCompatibleDC(hdc);
    HBITMAP bmp = ::CreateCompatibleBitmap(hdc, w, h);
    BOOL ok = FALSE;
    if (mem && bmp) {
        {
            CScopedSelect sel(mem, bmp);
            ::BitBlt(mem, 0, 0, w, h, hdc, rect.left, rect.top, SRCCOPY);
        }
        CxImage image;
        ok = image.CreateFromHBITMAP(bmp) && image.Save(lpszPath, type);
    }
    if (bmp)
        ::DeleteObject(bmp);
    if (mem)
        ::DeleteDC(mem);
    return ok;
}
}  // namespace

BOOL CUIControl::SaveScreenRectPng(CDC* pDC, const RECT& rect, LPCTSTR lpszPath)
{
    return SaveScreenRect(pDC, rect, lpszPath, CXIMAGE_FORMAT_PNG);
}

BOOL CUIControl::SaveScreenRectBmp(CDC* pDC, const RECT& rect, LPCTSTR lpszPath)
{
    return SaveScreenRect(pDC, rect, lpszPath, CXIMAGE_FORMAT_BMP);
}

namespace {
// Appends c as a JavaScript hex escape.
void AppendScriptHex(CString& out, unsigned char c)
{
    char buf[8];
    snprintf(buf, sizeof(buf), "\\x%02x", c);
    out += buf;
}

// A quoted kelmenu.ini value: each line break (CR LF, CR or LF) becomes
// lpszBreak, double quotes single ones.
CString EscapeIniValue(LPCTSTR lpszText, LPCTSTR lpszBreak)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        if (*p == '\r' && p[1] == '\n')
            ++p;
        if (*p == '\r' || *p == '\n')
            out += lpszBreak;
        else if (*p == '"')
            out += '\'';
        else
            out += *p;
    }
    return out;
}
}  // namespace

CString CUIControl::EscapeIniText(LPCTSTR lpszText)
{
    return EscapeIniValue(lpszText, " ");
}

CString CUIControl::EscapeIniCommands(LPCTSTR lpszText)
{
    return EscapeIniValue(lpszText, "\\r");
}

CString CUIControl::EscapeScriptText(LPCTSTR lpszText)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        unsigned char c = (unsigned char)*p;
        if (c == '\r' && p[1] == '\n') {
            ++p;
            c = '\n';
        }
        switch (c) {
        case ' ': out += "&nbsp;"; break;
        case '&': out += "&amp;"; break;
        case '\r':
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        // Characters that would end the string, the unquoted attribute or
        // the tag.
        case '"': case '\'': case '<': case '>': case '=': case '`':
            AppendScriptHex(out, c);
            break;
        default:
            if (c < 0x20 || c == 0x7F)
                AppendScriptHex(out, c);
            else
                out += (char)c;
        }
    }
    return out;
}

CString CUIControl::EscapeHtmlAttribute(LPCTSTR lpszText)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += *p;
        }
    }
    return out;
}

CString CUIControl::EscapeCssUrl(LPCTSTR lpszText)
{
    CString out;
    for (const char* p = lpszText ? lpszText : ""; *p; ++p) {
        unsigned char c = (unsigned char)*p;
        if (c == '\'' || c == '"' || c == '\\' || c == '<' || c == '>' || c < 0x20 || c == 0x7F) {
            char buf[8];
            snprintf(buf, sizeof(buf), "\\%x ", c);
            out += buf;
        } else {
            out += (char)c;
        }
    }
    return out;
}

CString CUIControl::FormatMenuItemBlock(int nItem, const CRect& rect, LPCTSTR lpszNormal, LPCTSTR lpszHover) const
{
    CString hash;
    GetPasswordHash(hash);
    CString block;
    block.Format("\r\n[menuitem %d]\r\ntitle=\"%s\"\r\npassword=%s\r\nnormalimage=%s\r\nhoverimage=%s\r\n"
                 "left=%d\r\ntop=%d\r\nwidth=%d\r\nheight=%d\r\nshortkey=%s\r\ncommands=\"%s\"\r\n",
                 nItem, (LPCTSTR)EscapeIniText(m_strTitle), (LPCTSTR)hash, lpszNormal, lpszHover, (int)rect.left,
                 (int)rect.top, rect.Width(), rect.Height(), (LPCTSTR)EscapeIniText(m_strShortKey),
                 (LPCTSTR)EscapeIniCommands(m_strCmdLine));
    return block;
}

CString CUIControl::FormatAnchorStyle(LPCTSTR lpszPrefix, int nIndex, const CRect& rect, LPCTSTR lpszNormalUrl,
                                      LPCTSTR lpszHoverUrl)
{
    CString rule;
    rule.Format("#%s_%d a{\r\n    position: absolute;\r\n    top: %dpx;\r\n    left: %dpx;\r\n\r\n"
                "    width: %dpx;\r\n    background: url('%s');\r\n    background-repeat: no-repeat;\r\n"
                "    height: %dpx;\r\n    overflow: hidden;\r\n}\r\n\r\n#%s_%d a:hover{\r\n"
                "    background: url('%s');\r\n}\r\n",
                lpszPrefix, nIndex, (int)rect.top, (int)rect.left, rect.Width(), (LPCTSTR)EscapeCssUrl(lpszNormalUrl),
                rect.Height(), lpszPrefix, nIndex, (LPCTSTR)EscapeCssUrl(lpszHoverUrl));
    return rule;
}

CString CUIControl::FormatAnchorBody(LPCTSTR lpszPrefix, int nIndex) const
{
    CString body;
    body.Format("<div id=\"%s_%d\"><a href=\"#\" onClick=alert(\"%s\") title=\"%s\"></a></div>", lpszPrefix, nIndex,
                (LPCTSTR)EscapeScriptText(m_strCmdLine), (LPCTSTR)EscapeHtmlAttribute(m_strTitle));
    return body;
}

void CUIControl::DrawFontText(CDC* pDC, const CRect& rect, const CString& text, BOOL bCanvas)
{
    if (!m_pFont)
        return;
    LOGFONT lf = m_pFont->GetLogFontData();
    if (bCanvas) {
        lf.lfHeight = (LONG)(lf.lfHeight * m_zoom + 0.5);
        if (m_zoom < 1.0)
            CopyBounded(lf.lfFaceName, "Tahoma");
    }
    HFONT hFont = ::CreateFontIndirect(&lf);
    {
        CScopedSelect font(pDC->GetSafeHdc(), hFont);
        int oldMode = pDC->SetBkMode(TRANSPARENT);
        COLORREF oldColor = pDC->SetTextColor(m_pFont->GetColor());
        CRect r(rect);
        pDC->DrawText(text, &r, m_pFont->GetTextFormat());
        pDC->SetTextColor(oldColor);
        pDC->SetBkMode(oldMode);
    }
    if (hFont)
        ::DeleteObject(hFont);
}
