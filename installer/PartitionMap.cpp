#include "installer/PartitionMap.h"

#include <cctype>
#include <string>

namespace {
const DiskSource* SystemDisks()
{
#ifdef _WIN32
    return &Win32DiskSource();
#else
    return NULL;
#endif
}
}  // namespace

CPartitionMap::CPartitionMap(const DiskSource* source) : m_pSource(source ? source : SystemDisks()) {}

BOOL CPartitionMap::Build()
{
    m_entries.clear();
    if (m_pSource)
        m_entries = ReadPartitionTable(*m_pSource, kQueryAllDriveTypes);
    return TRUE;
}

BOOL CPartitionMap::QueryVolumeExtents(char letter, void* buffer, uint32_t size)
{
    if (!m_pSource)
        return FALSE;
    return m_pSource->QueryVolumeExtents(m_pSource->ctx, letter, buffer, size) ? TRUE : FALSE;
}

BOOL CPartitionMap::FindDevice(LPCTSTR path, CString& device) const
{
    device.Empty();
    if (!path || !path[0] || path[1] != ':')
        return FALSE;
    const char drive[3] = {(char)toupper((unsigned char)path[0]), ':', 0};
    std::string found;
    if (!FindGrubDevice(m_entries, drive, found))
        return FALSE;
    device = found.c_str();
    return TRUE;
}
