#include "deploy/DriveDeviceMap.h"

#include <string>

DriveDeviceMap::DriveDeviceMap(const DiskSource& source) : m_source(source), m_bBuilt(FALSE) {}

#ifdef _WIN32
DriveDeviceMap::DriveDeviceMap() : m_source(Win32DiskSource()), m_bBuilt(FALSE)
{}
#endif

int DriveDeviceMap::Build()
{
    m_bBuilt = FALSE;
    m_entries = ReadPartitionTable(m_source, kQueryStudioDriveTypes);
    m_bBuilt = TRUE;
    return 1;
}

int DriveDeviceMap::Lookup(CString& drive)
{
    if (!m_bBuilt)
        Build();
    std::string device;
    const bool found = FindGrubDevice(m_entries, drive, device);
    drive = device.c_str();
    return found ? 1 : 0;
}
