// The library loaded at run time, as a host that does not link it would:
// loading leaves the thread's choice of apartment open.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(GorvanelLoad, LoadingLeavesTheThreadFreeToEnterTheMultithreadedApartment)
{
    HRESULT hr = E_FAIL;
    bool loaded = false;
    std::thread([&] {
        HMODULE hLib = ::LoadLibraryA("Gorvanel.dll");
        loaded = hLib != NULL;
        hr = ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
        if (SUCCEEDED(hr))
            ::CoUninitialize();
        if (hLib)
            ::FreeLibrary(hLib);
    }).join();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(S_OK, hr);
}

TEST(GorvanelLoad, LoadsAndFreesAHundredTimes)
{
    // what the library links stays loaded, so each round loads the library alone
    const char* const kLinked[] = {"zavofw.dll", "shell32.dll", "comctl32.dll", "comdlg32.dll", "ole32.dll"};
    std::vector<HMODULE> linked;
    for (const char* name : kLinked)
        linked.push_back(::LoadLibraryA(name));
    for (int i = 0; i < 100; ++i) {
        HMODULE hLib = ::LoadLibraryA("Gorvanel.dll");
        ASSERT_TRUE(hLib != NULL) << "load " << i;
        ASSERT_TRUE(::FreeLibrary(hLib)) << "free " << i;
    }
    EXPECT_TRUE(::GetModuleHandleA("Gorvanel.dll") == NULL);
    for (HMODULE h : linked)
        if (h)
            ::FreeLibrary(h);
    HRESULT hr = ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
    EXPECT_EQ(S_OK, hr);
    if (SUCCEEDED(hr))
        ::CoUninitialize();
}
