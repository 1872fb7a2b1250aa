#include "skin/support/ImageStore.h"

#include "framework/Archive.h"
#include "skin/support/PropExchange.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"

#include <cstring>
#include <vector>

namespace {
const char kCheckSum[] = "CVZRImageManagerIcons";
const int kMaxIconSide = 1024;
const int kLoadedIconHeight = 15;

// The colour table that travels with a header of that depth.
DWORD TableBytes(int bitCount)
{
    return 4 * (bitCount == 4 ? 16 : bitCount == 8 ? 256
                                                   : 3);
}

void WriteEmpty(CArchive& ar) { ar << (DWORD)0; }

void WriteBitmap(CArchive& ar, HBITMAP bitmap)
{
    BITMAP bm = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        WriteEmpty(ar);
        return;
    }
    int bitCount = bm.bmBitsPixel == 1 || bm.bmBitsPixel == 4 || bm.bmBitsPixel == 8 ? bm.bmBitsPixel : 32;
    DWORD infoSize = sizeof(BITMAPINFOHEADER) + TableBytes(bitCount);
    std::vector<BYTE> info(infoSize);
    BITMAPINFO* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi->bmiHeader.biWidth = bm.bmWidth;
    bi->bmiHeader.biHeight = bm.bmHeight;
    bi->bmiHeader.biPlanes = 1;
    bi->bmiHeader.biBitCount = (WORD)bitCount;
    bi->bmiHeader.biCompression = BI_RGB;
    DWORD stride = ((DWORD)bm.bmWidth * bitCount + 31) / 32 * 4;
    std::vector<BYTE> bits(stride * bm.bmHeight);
    CClientDC screen(NULL);
    if (!GetDIBits(screen, bitmap, 0, bm.bmHeight, bits.data(), bi, DIB_RGB_COLORS)) {
        WriteEmpty(ar);
        return;
    }
    bi->bmiHeader.biSizeImage = (DWORD)bits.size();
    bi->bmiHeader.biClrUsed = 0;
    ar << infoSize;
    ar.Write(info.data(), infoSize);
    ar << (DWORD)bits.size();
    ar.Write(bits.data(), (UINT)bits.size());
}

// A bitmap entry; NULL for an empty one. Sizes are checked against the header
// and against what the archive still holds before anything is made.
HBITMAP ReadBitmap(CArchive& ar)
{
    DWORD infoSize = 0;
    ar >> infoSize;
    if (ar.IsFailed() || infoSize == 0)
        return NULL;
    if (infoSize < sizeof(BITMAPINFOHEADER) || infoSize > sizeof(BITMAPINFOHEADER) + TableBytes(8) ||
        infoSize > ar.Remaining()) {
        ar.SetFailed();
        return NULL;
    }
    std::vector<BYTE> info(infoSize);
    ar.Read(info.data(), infoSize);
    DWORD bitsSize = 0;
    ar >> bitsSize;
    if (ar.IsFailed() || bitsSize > ar.Remaining()) {
        ar.SetFailed();
        return NULL;
    }
    BITMAPINFOHEADER header;
    memcpy(&header, info.data(), sizeof(header));
    int bits = header.biBitCount;
    bool depthOk = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    bool compressionOk = header.biCompression == BI_RGB || (header.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32));
    LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (header.biSize != sizeof(header) || header.biPlanes != 1 || !depthOk || !compressionOk ||
        infoSize != sizeof(header) + TableBytes(bits) || header.biWidth <= 0 || header.biWidth > kMaxIconSide ||
        height <= 0 || height > kMaxIconSide) {
        ar.SetFailed();
        return NULL;
    }
    DWORD stride = ((DWORD)header.biWidth * bits + 31) / 32 * 4;
    if (bitsSize != stride * (DWORD)height) {
        ar.SetFailed();
        return NULL;
    }
    std::vector<BYTE> pixels(bitsSize);
    if (ar.Read(pixels.data(), bitsSize) != bitsSize) {
        ar.SetFailed();
        return NULL;
    }
    BITMAPINFO* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader.biClrUsed = 0;
    bi->bmiHeader.biSizeImage = bitsSize;
    void* target = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, bi, DIB_RGB_COLORS, &target, NULL, 0);
    if (bitmap && target)
        memcpy(target, pixels.data(), bitsSize);
    return bitmap;
}

// An icon from a colour bitmap and its mask, through a temporary image list.
HICON MakeIcon(HBITMAP colour, HBITMAP mask)
{
    BITMAP bm = {};
    if (!GetObjectA(colour, sizeof(bm), &bm))
        return NULL;
    HIMAGELIST list = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (!list)
        return NULL;
    HICON icon = ImageList_Add(list, colour, mask) >= 0 ? ImageList_GetIcon(list, 0, ILD_NORMAL) : NULL;
    ImageList_Destroy(list);
    return icon;
}
}  // namespace

void CVZRIconImage::Clear()
{
    if (m_bOwned) {
        if (m_hIcon)
            DestroyIcon(m_hIcon);
        if (m_hAlphaBitmap)
            DeleteObject(m_hAlphaBitmap);
    }
    if (m_hExtraBitmap)
        DeleteObject(m_hExtraBitmap);
    m_hIcon = NULL;
    m_hAlphaBitmap = NULL;
    m_hExtraBitmap = NULL;
    m_bOwned = FALSE;
}

void CVZRIconImage::SetIcon(HICON icon)
{
    Clear();
    m_hIcon = icon;
    m_bOwned = TRUE;
}

void CVZRIconImage::SetAlphaBitmap(HBITMAP bitmap)
{
    Clear();
    m_hAlphaBitmap = bitmap;
    m_bOwned = TRUE;
}

void CVZRIconImage::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        if (m_hAlphaBitmap) {
            WriteBitmap(ar, m_hAlphaBitmap);
            WriteEmpty(ar);
            return;
        }
        ICONINFO info = {};
        if (m_hIcon && GetIconInfo(m_hIcon, &info)) {
            CScopedBitmap colour(info.hbmColor), mask(info.hbmMask);
            WriteBitmap(ar, colour);
            WriteBitmap(ar, mask);
            return;
        }
        WriteEmpty(ar);
        WriteEmpty(ar);
        return;
    }
    Clear();
    CScopedBitmap colour(ReadBitmap(ar));
    CScopedBitmap mask(ReadBitmap(ar));
    if (ar.IsFailed() || !colour)
        return;
    if (mask) {
        HICON icon = MakeIcon(colour, mask);
        if (icon)
            SetIcon(icon);
        return;
    }
    SetAlphaBitmap(colour.Detach());
}

void CVZRManagedIcon::Serialize(CArchive& ar)
{
    static const int kOrder[] = {1, 7, 4};
    int schema = kIconSchema;
    if (ar.IsStoring()) {
        ar << (LONG)m_nHeight << (LONG)schema;
    } else {
        LONG height = 0, stored = 0;
        ar >> height >> stored;
        if (ar.IsFailed() || height <= 0 || height > kMaxIconSide) {
            ar.SetFailed();
            return;
        }
        m_nHeight = height;
        schema = stored;
    }
    for (int slot : kOrder)
        Slot(slot).Serialize(ar);
    if (schema > 7)
        Slot(5).Serialize(ar);
    if (schema > 16)
        Slot(6).Serialize(ar);
}

CVZRManagedIcon* CVZRManagedIconSet::GetIcon(int width, bool create)
{
    auto it = m_icons.find(width);
    if (it != m_icons.end())
        return it->second.get();
    if (!create)
        return NULL;
    CVZRManagedIcon* icon = new CVZRManagedIcon(m_pStore, m_nID, width, kLoadedIconHeight);
    m_icons[width].reset(icon);
    return icon;
}

BOOL CVZRManagedIconSet::Exchange(CVZRPropExchange& px)
{
    CString check = kCheckSum;
    if (!px.ExchangeText("CheckSum", check))
        return FALSE;
    if (px.IsLoading() && check != kCheckSum) {
        px.MarkFailed();
        return FALSE;
    }
    CVZRPropExchangeEnum items(&px, "Icon");
    DWORD count = 0;
    std::vector<CVZRManagedIcon*> stored;
    if (!px.IsLoading()) {
        for (auto& entry : m_icons) {
            if (!entry.second->m_bNotStored)
                stored.push_back(entry.second.get());
        }
        count = (DWORD)stored.size();
    }
    items.GetPosition(count);
    if (!items.IsValid())
        return FALSE;
    for (DWORD i = 0; i < count; ++i) {
        std::unique_ptr<CVZRPropExchange> item = items.GetNext();
        if (!item)
            return FALSE;
        int width = px.IsLoading() ? 16 : stored[i]->m_nWidth;
        if (!item->ExchangeInt("Width", width, 16))
            return FALSE;
        if (px.IsLoading() && (width <= 0 || width > kMaxIconSide)) {
            px.MarkFailed();
            return FALSE;
        }
        CVZRManagedIcon* icon = px.IsLoading() ? GetIcon(width, true) : stored[i];
        if (!item->ExchangeObject("Data", icon))
            return FALSE;
    }
    return TRUE;
}

CVZRImageStore& CVZRImageStore::Instance()
{
    static CVZRImageStore store;
    return store;
}

CVZRImageStore::~CVZRImageStore()
{
    RemoveAll();
    for (const ImageListEntry& entry : m_lists) {
        if (entry.owned)
            ImageList_Destroy(entry.list);
    }
}

CVZRManagedIconSet* CVZRImageStore::GetIconSet(UINT id, bool create)
{
    auto it = m_sets.find(id);
    if (it != m_sets.end())
        return it->second.get();
    if (!create)
        return NULL;
    CVZRManagedIconSet* set = new CVZRManagedIconSet(this, id);
    m_sets[id].reset(set);
    if (id > m_maxID)
        m_maxID = id;
    return set;
}

void CVZRImageStore::RemoveAll() { m_sets.clear(); }

void CVZRImageStore::AddImageList(HIMAGELIST list, BOOL owned)
{
    if (list)
        m_lists.push_back(ImageListEntry{list, owned});
}

BOOL CVZRImageStore::Serialize(CVZRPropExchange& px)
{
    CVZRPropExchangeEnum items(&px, "IconSet");
    DWORD count = (DWORD)m_sets.size();
    items.GetPosition(count);
    if (!items.IsValid())
        return FALSE;
    auto next = m_sets.begin();
    for (DWORD i = 0; i < count; ++i) {
        std::unique_ptr<CVZRPropExchange> item = items.GetNext();
        if (!item)
            return FALSE;
        UINT id = px.IsLoading() ? 0 : next->first;
        if (!item->ExchangeUInt("Id", id))
            return FALSE;
        CVZRManagedIconSet* set = px.IsLoading() ? GetIconSet(id, true) : (next++)->second.get();
        if (!set->Exchange(*item))
            return FALSE;
    }
    return TRUE;
}
