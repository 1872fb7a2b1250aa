// The process-wide store of icons by command id and width, with their
// archive form through a property exchange.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Object.h"

#include <map>
#include <memory>
#include <vector>

class CArchive;
class CVZRImageStore;
class CVZRPropExchange;

// One image of an icon: an icon or a 32-bit alpha bitmap.
class CVZRIconImage {
public:
    CVZRIconImage() {}
    ~CVZRIconImage() { Clear(); }
    bool IsEmpty() const { return !m_hIcon && !m_hAlphaBitmap; }
    // Owned handles are destroyed; the extra bitmap always is.
    void Clear();
    void SetIcon(HICON icon);
    void SetAlphaBitmap(HBITMAP bitmap);
    HICON GetIcon() const { return m_hIcon; }
    HBITMAP GetAlphaBitmap() const { return m_hAlphaBitmap; }
    // Two bitmap entries: the alpha bitmap and an empty one, or an icon's
    // colour bitmap and mask, or two empty ones.
    void Serialize(CArchive& ar);

private:
    HICON m_hIcon = NULL;
    HBITMAP m_hAlphaBitmap = NULL;
    HBITMAP m_hExtraBitmap = NULL;
    BOOL m_bOwned = FALSE;
    CVZRIconImage(const CVZRIconImage&);
    CVZRIconImage& operator=(const CVZRIconImage&);
};

const int kIconSlotCount = 8;
const int kIconSchema = 24;

class CVZRManagedIcon : public CObject {
public:
    CVZRManagedIcon(CVZRImageStore* store, UINT id, int width, int height)
        : m_nID(id), m_nWidth(width), m_nHeight(height), m_pStore(store) {}
    // Slots 1 to 8.
    CVZRIconImage& Slot(int n) { return m_images[n - 1]; }
    // The height, the schema, then slots 1, 7 and 4, 5 (schema above 7) and 6 (above 16).
    void Serialize(CArchive& ar) override;

    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    BOOL m_bNotStored = FALSE;  // left out when the set is stored
    BOOL m_bFlag = FALSE;

private:
    CVZRIconImage m_images[kIconSlotCount];
    CVZRImageStore* m_pStore;
};

class CVZRManagedIconSet {
public:
    CVZRManagedIconSet(CVZRImageStore* store, UINT id) : m_nID(id), m_pStore(store) {}
    UINT GetID() const { return m_nID; }
    // The icon of that width; made when create is set.
    CVZRManagedIcon* GetIcon(int width, bool create = false);
    size_t GetIconCount() const { return m_icons.size(); }
    // "CheckSum", then one "Icon" section per stored icon ("Width", "Data").
    // A wrong check value fails the exchange.
    BOOL Exchange(CVZRPropExchange& px);

private:
    UINT m_nID;
    std::map<int, std::unique_ptr<CVZRManagedIcon>> m_icons;
    CVZRImageStore* m_pStore;
};

class CVZRImageStore {
public:
    static CVZRImageStore& Instance();
    CVZRImageStore() {}
    ~CVZRImageStore();

    CVZRManagedIconSet* GetIconSet(UINT id, bool create = false);
    size_t GetIconSetCount() const { return m_sets.size(); }
    UINT GetHighestID() const { return m_maxID; }
    void RemoveAll();
    // Image lists the store hands out; owned ones are destroyed with it.
    void AddImageList(HIMAGELIST list, BOOL owned);
    // The section "IconSet": one item per set with its "Id" and the set.
    BOOL Serialize(CVZRPropExchange& px);

    COLORREF m_maskColor = (COLORREF)-1;

private:
    struct ImageListEntry {
        HIMAGELIST list;
        BOOL owned;
    };
    std::map<UINT, std::unique_ptr<CVZRManagedIconSet>> m_sets;
    std::vector<ImageListEntry> m_lists;
    UINT m_maxID = 0;
    CVZRImageStore(const CVZRImageStore&);
    CVZRImageStore& operator=(const CVZRImageStore&);
};
