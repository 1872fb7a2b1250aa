#include "framework/OleDataSource.h"

#include <shlobj.h>
#include <cstring>
#include <vector>

namespace {

HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    SIZE_T size = ::GlobalSize(hSource);
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
    if (!hCopy)
        return NULL;
    void* from = ::GlobalLock(hSource);
    void* to = ::GlobalLock(hCopy);
    if (from && to)
        memcpy(to, from, size);
    if (from)
        ::GlobalUnlock(hSource);
    if (to)
        ::GlobalUnlock(hCopy);
    if (!from || !to) {
        ::GlobalFree(hCopy);
        return NULL;
    }
    return hCopy;
}

class CDropSource : public IDropSource {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDropSource) {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    // lives on the stack of DoDragDrop
    STDMETHODIMP_(ULONG)
    AddRef() override { return 2; }
    STDMETHODIMP_(ULONG)
    Release() override { return 1; }
    STDMETHODIMP QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override
    {
        if (fEscapePressed || (grfKeyState & MK_RBUTTON))
            return DRAGDROP_S_CANCEL;
        return (grfKeyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

class CDataObject final : public IDataObject {
public:
    CDataObject() : m_cRef(1) {}

    void Cache(CLIPFORMAT cf, HGLOBAL hGlobal)
    {
        for (Entry& e : m_entries) {
            if (e.cf == cf) {
                ::GlobalFree(e.hGlobal);
                e.hGlobal = hGlobal;
                return;
            }
        }
        m_entries.push_back(Entry{cf, hGlobal});
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG)
    AddRef() override { return ::InterlockedIncrement(&m_cRef); }
    STDMETHODIMP_(ULONG)
    Release() override
    {
        LONG n = ::InterlockedDecrement(&m_cRef);
        if (n == 0)
            delete this;
        return n;
    }
    STDMETHODIMP GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override
    {
        const Entry* e = Find(pFormat);
        if (!e)
            return DV_E_FORMATETC;
        HGLOBAL hCopy = CopyGlobal(e->hGlobal);
        if (!hCopy)
            return E_OUTOFMEMORY;
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = hCopy;
        pMedium->pUnkForRelease = NULL;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* pFormat) override { return Find(pFormat) ? S_OK : DV_E_FORMATETC; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        pOut->ptd = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        *ppEnum = NULL;
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        for (const Entry& e : m_entries)
            formats.push_back(FORMATETC{e.cf, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        return ::SHCreateStdEnumFmtEtc((UINT)formats.size(), formats.empty() ? NULL : formats.data(), ppEnum);
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct Entry {
        CLIPFORMAT cf;
        HGLOBAL hGlobal;
    };
    ~CDataObject()
    {
        for (Entry& e : m_entries)
            ::GlobalFree(e.hGlobal);
    }
    const Entry* Find(const FORMATETC* pFormat) const
    {
        if (!pFormat || !(pFormat->tymed & TYMED_HGLOBAL) || pFormat->dwAspect != DVASPECT_CONTENT)
            return NULL;
        for (const Entry& e : m_entries)
            if (e.cf == pFormat->cfFormat)
                return &e;
        return NULL;
    }

    LONG m_cRef;
    std::vector<Entry> m_entries;
};

COleDataSource::COleDataSource() : m_pObject(new CDataObject) {}

COleDataSource::~COleDataSource()
{
    m_pObject->Release();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal)
{
    if (hGlobal)
        m_pObject->Cache(cfFormat, hGlobal);
}

IDataObject* COleDataSource::GetDataObject()
{
    return m_pObject;
}

DWORD COleDataSource::DoDragDrop(DWORD dwEffects)
{
    CDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    if (::DoDragDrop(m_pObject, &source, dwEffects, &effect) != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return effect;
}
