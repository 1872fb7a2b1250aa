// The Win32 side of Sarvenid's system table.
#include "tools/sarvenid/SarvenidSystem.h"

#include <cstdio>
#include <windows.h>

namespace {

typedef HANDLE(WINAPI* FindFirstVolumeMountPointAFn)(LPCSTR, LPSTR, DWORD);
typedef BOOL(WINAPI* FindNextVolumeMountPointAFn)(HANDLE, LPSTR, DWORD);
typedef BOOL(WINAPI* FindVolumeMountPointCloseFn)(HANDLE);
typedef BOOL(WINAPI* GetVolumeNameForVolumeMountPointAFn)(LPCSTR, LPSTR, DWORD);

struct CMountApi {
    HMODULE library;
    FindFirstVolumeMountPointAFn findFirst;
    FindNextVolumeMountPointAFn findNext;
    FindVolumeMountPointCloseFn findClose;
    GetVolumeNameForVolumeMountPointAFn volumeName;
};

CMountApi g_mount;

CMountApi& Api(void* ctx) { return *static_cast<CMountApi*>(ctx); }

bool WinGetVersion(void*, bool& isNT, unsigned& major)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExA(&info))
        return false;
    isNT = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    major = info.dwMajorVersion;
    return true;
}

uint32_t WinGetLogicalDrives(void*) { return GetLogicalDrives(); }

unsigned WinGetDriveType(void*, const char* path) { return GetDriveTypeA(path); }

bool WinGetFileSystemName(void*, const char* root, char* buf, size_t size)
{
    return GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, buf,
                                 static_cast<DWORD>(size)) != 0;
}

bool WinLoadMountApi(void* ctx)
{
    CMountApi& api = Api(ctx);
    api.library = LoadLibraryA("kernel32.dll");
    if (!api.library)
        return false;
    api.findFirst = reinterpret_cast<FindFirstVolumeMountPointAFn>(
        reinterpret_cast<void*>(GetProcAddress(api.library, "FindFirstVolumeMountPointA")));
    api.findNext = api.findFirst ? reinterpret_cast<FindNextVolumeMountPointAFn>(
                                       reinterpret_cast<void*>(GetProcAddress(api.library, "FindNextVolumeMountPointA")))
                                 : nullptr;
    api.findClose = api.findNext ? reinterpret_cast<FindVolumeMountPointCloseFn>(
                                       reinterpret_cast<void*>(GetProcAddress(api.library, "FindVolumeMountPointClose")))
                                 : nullptr;
    api.volumeName = api.findClose ? reinterpret_cast<GetVolumeNameForVolumeMountPointAFn>(
                                         reinterpret_cast<void*>(GetProcAddress(api.library, "GetVolumeNameForVolumeMountPointA")))
                                   : nullptr;
    if (api.volumeName)
        return true;
    const DWORD error = GetLastError();
    FreeLibrary(api.library);
    api = CMountApi();
    SetLastError(error);
    return false;
}

void WinFreeMountApi(void* ctx)
{
    CMountApi& api = Api(ctx);
    if (api.library)
        FreeLibrary(api.library);
    api = CMountApi();
}

void* WinFindFirstMountPoint(void* ctx, const char* root, char* buf, size_t size)
{
    HANDLE h = Api(ctx).findFirst(root, buf, static_cast<DWORD>(size));
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

bool WinFindNextMountPoint(void* ctx, void* find, char* buf, size_t size)
{
    return Api(ctx).findNext(find, buf, static_cast<DWORD>(size)) != 0;
}

void WinFindMountPointClose(void* ctx, void* find) { Api(ctx).findClose(find); }

bool WinGetVolumeName(void* ctx, const char* mountPoint, char* buf, size_t size)
{
    CMountApi& api = Api(ctx);
    return api.volumeName && api.volumeName(mountPoint, buf, static_cast<DWORD>(size)) != 0;
}

void* WinOpenVolume(void*, const char* device)
{
    HANDLE h = CreateFileA(device, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

bool WinFlushVolume(void*, void* volume) { return FlushFileBuffers(volume) != 0; }

void WinCloseVolume(void*, void* volume) { CloseHandle(volume); }

uint32_t WinGetLastError(void*) { return GetLastError(); }

std::string WinSystemText(void*, uint32_t code)
{
    char text[1024] = "";
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                   code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text,
                                   sizeof(text) - 1, nullptr);
    if (n == 0)
        return std::string();
    CharToOemBuffA(text, text, n);
    return std::string(text, n);
}

void WinWriteOut(void*, const std::string& text) { std::fputs(text.c_str(), stdout); }

void WinFlushOut(void*) { std::fflush(stdout); }

void WinWriteErr(void*, const std::string& text)
{
    DWORD written;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

const SarvenidSystem& SarvenidWin32System()
{
    static const SarvenidSystem table = {
        &g_mount,
        WinGetVersion,
        WinGetLogicalDrives,
        WinGetDriveType,
        WinGetFileSystemName,
        WinLoadMountApi,
        WinFreeMountApi,
        WinFindFirstMountPoint,
        WinFindNextMountPoint,
        WinFindMountPointClose,
        WinGetVolumeName,
        WinOpenVolume,
        WinFlushVolume,
        WinCloseVolume,
        WinGetLastError,
        WinSystemText,
        WinWriteOut,
        WinFlushOut,
        WinWriteErr,
    };
    return table;
}
