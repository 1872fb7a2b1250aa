#include "skin/hooks/ModuleEnumerator.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "framework/ScopedHandle.h"

namespace {

struct Availability {
    HMODULE psapi;
    bool available;
};

const Availability& GetAvailability()
{
    static const Availability availability = [] {
        Availability a = {::LoadLibraryA("PSAPI.DLL"), false};
        a.available = a.psapi != NULL || ::GetProcAddress(::GetModuleHandleA("KERNEL32.DLL"),
                                                          "CreateToolhelp32Snapshot") != NULL;
        return a;
    }();
    return availability;
}

template <typename T>
T Proc(HMODULE module, LPCSTR name)
{
    return module ? reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : NULL;
}

class CPsapiBackEnd : public CVZRModuleEnumBackEnd {
public:
    CPsapiBackEnd(HMODULE psapi, DWORD processId)
        : m_pfnEnum(Proc<EnumFn>(psapi, "EnumProcessModules")), m_processId(processId)
    {}
    HMODULE First() override
    {
        m_modules.clear();
        m_index = 0;
        if (m_pfnEnum == NULL)
            return NULL;
        HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, m_processId);
        if (process == NULL)
            return NULL;
        CScopedHandle owner(process);
        HMODULE one = NULL;
        DWORD needed = 0;
        if (!m_pfnEnum(process, &one, sizeof(one), &needed) || needed == 0)
            return NULL;
        m_modules.resize(needed / sizeof(HMODULE));
        if (!m_pfnEnum(process, m_modules.data(), DWORD(m_modules.size() * sizeof(HMODULE)), &needed)) {
            m_modules.clear();
            return NULL;
        }
        // A module loaded since the first call is left to the loader hooks.
        m_modules.resize(std::min(m_modules.size(), size_t(needed / sizeof(HMODULE))));
        return m_modules.empty() ? NULL : m_modules[0];
    }
    HMODULE Next() override { return ++m_index < m_modules.size() ? m_modules[m_index] : NULL; }

private:
    typedef BOOL(WINAPI* EnumFn)(HANDLE, HMODULE*, DWORD, LPDWORD);
    EnumFn m_pfnEnum;
    DWORD m_processId;
    std::vector<HMODULE> m_modules;
    size_t m_index = 0;
};

class CToolhelpBackEnd : public CVZRModuleEnumBackEnd {
public:
    explicit CToolhelpBackEnd(DWORD processId) : m_processId(processId)
    {
        HMODULE kernel = ::GetModuleHandleA("KERNEL32");
        m_pfnSnapshot = Proc<SnapshotFn>(kernel, "CreateToolhelp32Snapshot");
        m_pfnFirst = Proc<WalkFn>(kernel, "Module32First");
        m_pfnNext = Proc<WalkFn>(kernel, "Module32Next");
        m_entry.dwSize = sizeof(m_entry);
    }
    HMODULE First() override
    {
        if (!m_pfnSnapshot || !m_pfnFirst || !m_pfnNext)
            return NULL;
        m_snapshot.Reset(m_pfnSnapshot(TH32CS_SNAPMODULE, m_processId));
        if (!m_snapshot.IsValid() || !m_pfnFirst(m_snapshot, &m_entry))
            return NULL;
        return m_entry.hModule;
    }
    HMODULE Next() override
    {
        if (!m_snapshot.IsValid() || !m_pfnNext(m_snapshot, &m_entry))
            return NULL;
        return m_entry.hModule;
    }

private:
    typedef HANDLE(WINAPI* SnapshotFn)(DWORD, DWORD);
    typedef BOOL(WINAPI* WalkFn)(HANDLE, MODULEENTRY32*);
    DWORD m_processId;
    SnapshotFn m_pfnSnapshot;
    WalkFn m_pfnFirst;
    WalkFn m_pfnNext;
    CScopedHandle m_snapshot;
    MODULEENTRY32 m_entry;
};

}  // namespace

bool IsModuleEnumerationAvailable()
{
    return GetAvailability().available;
}

CVZRModuleEnumerator::CVZRModuleEnumerator(DWORD processId) : m_bPsapi(false)
{
    const Availability& a = GetAvailability();
    if (a.psapi != NULL) {
        m_pBackEnd.reset(new CPsapiBackEnd(a.psapi, processId));
        m_bPsapi = true;
    } else if (a.available) {
        m_pBackEnd.reset(new CToolhelpBackEnd(processId));
    }
}
