#include "framework/ResourceList.h"
#include "framework/WinApp.h"
#include <algorithm>
#include <mutex>
#include <vector>

namespace {
std::mutex g_lock;
std::vector<HINSTANCE>& Modules()
{
    static std::vector<HINSTANCE> modules;
    return modules;
}
}  // namespace

void AfxAddResourceModule(HINSTANCE hModule)
{
    std::lock_guard<std::mutex> lock(g_lock);
    auto& m = Modules();
    if (hModule != NULL && std::find(m.begin(), m.end(), hModule) == m.end())
        m.push_back(hModule);
}

void AfxRemoveResourceModule(HINSTANCE hModule)
{
    std::lock_guard<std::mutex> lock(g_lock);
    auto& m = Modules();
    m.erase(std::remove(m.begin(), m.end(), hModule), m.end());
}

namespace {
// Whether the string table of hInst holds a non-empty string nID. A block
// holds 16 strings, each a WORD length followed by that many UTF-16 units.
bool HasString(HINSTANCE hInst, UINT nID)
{
    HRSRC hRes = ::FindResource(hInst, MAKEINTRESOURCE((nID >> 4) + 1), RT_STRING);
    HGLOBAL hGlobal = hRes ? ::LoadResource(hInst, hRes) : NULL;
    const WORD* p = hGlobal ? (const WORD*)::LockResource(hGlobal) : NULL;
    if (p == NULL)
        return false;
    size_t nWords = ::SizeofResource(hInst, hRes) / sizeof(WORD);
    size_t i = 0;
    for (UINT n = nID & 15; n > 0; --n) {
        if (i >= nWords)
            return false;
        i += 1 + p[i];
    }
    return i < nWords && p[i] != 0;
}
}  // namespace

HINSTANCE AfxFindStringResourceHandle(UINT nID)
{
    HINSTANCE hMain = AfxGetResourceHandle();
    if (HasString(hMain, nID))
        return hMain;
    std::vector<HINSTANCE> copy;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        copy = Modules();
    }
    for (HINSTANCE h : copy) {
        if (HasString(h, nID))
            return h;
    }
    return NULL;
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hMain = AfxGetResourceHandle();
    if (::FindResource(hMain, lpszName, lpszType) != NULL)
        return hMain;
    std::vector<HINSTANCE> copy;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        copy = Modules();
    }
    for (HINSTANCE h : copy) {
        if (::FindResource(h, lpszName, lpszType) != NULL)
            return h;
    }
    return hMain;
}
