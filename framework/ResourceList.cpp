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
}

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
