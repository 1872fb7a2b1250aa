// The modules of a process, through PSAPI when it loads, else Toolhelp.
#pragma once

#include <windows.h>

#include <memory>

class CVZRModuleEnumBackEnd {
public:
    virtual ~CVZRModuleEnumBackEnd() {}
    virtual HMODULE First() = 0;
    virtual HMODULE Next() = 0;
};

class CVZRModuleEnumerator {
public:
    explicit CVZRModuleEnumerator(DWORD processId);
    // The first module; the list is a snapshot taken here.
    HMODULE First() { return m_pBackEnd ? m_pBackEnd->First() : NULL; }
    HMODULE Next() { return m_pBackEnd ? m_pBackEnd->Next() : NULL; }
    bool UsesPsapi() const { return m_bPsapi; }

private:
    std::unique_ptr<CVZRModuleEnumBackEnd> m_pBackEnd;
    bool m_bPsapi;
};

bool IsModuleEnumerationAvailable();
