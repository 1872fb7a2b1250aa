#include "tools/sarvenid/Sarvenid.h"

#include <cctype>
#include <set>

namespace {

const char kVersion[] = "0.02";
const size_t kNameChars = 261;
const size_t kFsNameChars = 11;

bool IsOption(const std::string& arg)
{
    return arg.size() == 2 && (arg[0] == '-' || arg[0] == '/');
}

std::string WithOneBackslash(std::string path)
{
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path + "\\";
}

std::string WithoutTrailingBackslashes(std::string path)
{
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

class CSarvenid {
public:
    CSarvenid(const SarvenidSystem& sys, const std::string& name)
        : m_sys(sys), m_name(name), m_mountMode(false), m_apiLoaded(false), m_failed(false) {}
    ~CSarvenid()
    {
        if (m_apiLoaded)
            m_sys.FreeMountApi(m_sys.ctx);
    }

    int Run(int argc, char** argv);

private:
    void Usage();
    int ErrorExit(const std::string& message);
    std::string SystemText(uint32_t code);
    void Failed(const std::string& text);
    void FailedWithError(uint32_t code) { Failed(SystemText(code)); }
    void FlushDrive(const std::string& path);
    void Flush(const std::string& path, std::string device);
    void FlushMountPoints(const std::string& path);

    const SarvenidSystem& m_sys;
    std::string m_name;
    bool m_mountMode;
    bool m_apiLoaded;
    bool m_failed;
    std::set<std::string> m_visited;  // volumes met below the current drive
};

void CSarvenid::Usage()
{
    const std::string& n = m_name;
    m_sys.WriteErr(m_sys.ctx,
                   n + " version " + kVersion + "\r\n" +
                       "      flush local drive buffers on windows nt\r\n"
                       "usage:\r\n" +
                       n + " [/m]                   flushes all local drives\r\n" +
                       n + " X: [Y:...] [/m]        flushes only the specified drives\r\n" +
                       std::string(n.size(), ' ') + " /m                     searches for mounted devices on ntfs5\r\n\r\n" +
                       n + " /V                     prints the program's version info\r\n" +
                       n + " /?                     shows this usage screen\r\n");
}

int CSarvenid::ErrorExit(const std::string& message)
{
    m_sys.WriteErr(m_sys.ctx, message + "\r\n");
    return SARVENID_EXIT_ERROR;
}

std::string CSarvenid::SystemText(uint32_t code)
{
    std::string text = m_sys.SystemText(m_sys.ctx, code);
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 0x21)
        text.pop_back();
    return text;
}

void CSarvenid::Failed(const std::string& text)
{
    m_failed = true;
    m_sys.WriteErr(m_sys.ctx, "failed: " + text + "\r\n");
}

int CSarvenid::Run(int argc, char** argv)
{
    bool isNT = false;
    unsigned major = 0;
    if (!m_sys.GetVersion(m_sys.ctx, isNT, major) || !isNT || major < 4)
        return ErrorExit("i need windows nt to run!");

    bool driveNamed = false;
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        if (IsOption(arg) && (arg[1] == '?' || arg[1] == 'H' || arg[1] == 'h')) {
            Usage();
            return SARVENID_EXIT_ERROR;
        }
        if (IsOption(arg) && arg[1] == 'V') {
            m_sys.WriteOut(m_sys.ctx, m_name + " version " + kVersion + "\n");
            m_sys.FlushOut(m_sys.ctx);
            return SARVENID_EXIT_OK;
        }
        if (IsOption(arg) && arg[1] == 'm')
            m_mountMode = true;
        else if (SarvenidIsDriveArgument(arg))
            driveNamed = true;
        else {
            m_sys.WriteErr(m_sys.ctx, m_name + ": unknown option \"" + arg + "\".\r\n\r\n");
            Usage();
            return SARVENID_EXIT_ERROR;
        }
    }

    if (m_mountMode) {
        if (major < 5)
            return ErrorExit("the /m option needs windows nt 5 (2000)!");
        if (!m_sys.LoadMountApi(m_sys.ctx)) {
            const uint32_t error = m_sys.GetLastError(m_sys.ctx);
            return ErrorExit("Cannot initialize mount api functions: \r\n" + SystemText(error));
        }
        m_apiLoaded = true;
    }

    m_sys.WriteOut(m_sys.ctx, "syncing disks...\n");
    if (driveNamed) {
        for (int i = 1; i < argc; i++) {
            const std::string arg = argv[i];
            if (!IsOption(arg))
                FlushDrive(std::string(1, arg[0]) + ":\\");
        }
    } else {
        const uint32_t mask = m_sys.GetLogicalDrives(m_sys.ctx);
        for (int d = 0; d < 26; d++) {
            const std::string path = std::string(1, static_cast<char>('A' + d)) + ":\\";
            if ((mask & (1u << d)) && m_sys.GetDriveType(m_sys.ctx, path.c_str()) == SARVENID_DRIVE_FIXED)
                FlushDrive(path);
        }
    }
    m_sys.FlushOut(m_sys.ctx);
    return m_failed ? SARVENID_EXIT_FLUSH_FAILED : SARVENID_EXIT_OK;
}

void CSarvenid::FlushDrive(const std::string& path)
{
    // The drive's own volume counts as met, so a mount point that leads back
    // to it ends the descent.
    m_visited.clear();
    if (m_mountMode) {
        char volume[kNameChars] = "";
        if (m_sys.GetVolumeNameForMountPoint(m_sys.ctx, path.c_str(), volume, sizeof(volume)))
            m_visited.insert(volume);
    }
    Flush(path, std::string());
}

void CSarvenid::Flush(const std::string& path, std::string device)
{
    if (device.empty())
        device = path;
    if (m_mountMode) {
        char fsName[kFsNameChars + 1] = "";
        const std::string root = WithOneBackslash(path);
        if (m_sys.GetFileSystemName(m_sys.ctx, root.c_str(), fsName, kFsNameChars) &&
            std::string(fsName) == "NTFS")
            FlushMountPoints(path);
    }

    std::string line = path + " ";
    if (device != path)
        line += "(\\" + device + ") ";
    m_sys.WriteOut(m_sys.ctx, line);
    m_sys.FlushOut(m_sys.ctx);

    if (m_sys.GetDriveType(m_sys.ctx, path.c_str()) != SARVENID_DRIVE_FIXED) {
        Failed("not a fixed drive");
        return;
    }
    const std::string name = "\\\\.\\" + WithoutTrailingBackslashes(device);
    void* volume = m_sys.OpenVolume(m_sys.ctx, name.c_str());
    if (!volume) {
        FailedWithError(m_sys.GetLastError(m_sys.ctx));
        return;
    }
    const bool flushed = m_sys.FlushVolume(m_sys.ctx, volume);
    const uint32_t error = flushed ? 0 : m_sys.GetLastError(m_sys.ctx);
    m_sys.CloseVolume(m_sys.ctx, volume);
    if (!flushed) {
        FailedWithError(error);
        return;
    }
    m_sys.WriteOut(m_sys.ctx, "done\n");
}

void CSarvenid::FlushMountPoints(const std::string& path)
{
    const std::string root = WithOneBackslash(path);
    char mountPoint[kNameChars] = "";
    void* find = m_sys.FindFirstMountPoint(m_sys.ctx, root.c_str(), mountPoint, sizeof(mountPoint));
    if (!find) {
        const uint32_t error = m_sys.GetLastError(m_sys.ctx);
        if (error != SARVENID_ERROR_NO_MORE_FILES) {
            m_sys.WriteErr(m_sys.ctx, path + " mount points: ");
            FailedWithError(error);
        }
        return;
    }
    do {
        mountPoint[sizeof(mountPoint) - 1] = 0;
        const std::string mounted = root + mountPoint;
        char volume[kNameChars] = "";
        if (!m_sys.GetVolumeNameForMountPoint(m_sys.ctx, mounted.c_str(), volume, sizeof(volume))) {
            const uint32_t error = m_sys.GetLastError(m_sys.ctx);
            m_sys.WriteErr(m_sys.ctx, path + " mount points: ");
            FailedWithError(error);
            break;
        }
        volume[sizeof(volume) - 1] = 0;
        const std::string volumeName = volume;
        if (!m_visited.insert(volumeName).second)
            continue;  // met before: a cycle of mount points
        // "\\?\Volume{guid}\" is opened as "\\.\Volume{guid}"
        Flush(mounted, volumeName.size() > 4 ? volumeName.substr(4) : volumeName);
    } while (m_sys.FindNextMountPoint(m_sys.ctx, find, mountPoint, sizeof(mountPoint)));
    m_sys.FindMountPointClose(m_sys.ctx, find);
}

}  // namespace

std::string SarvenidProgramName(const std::string& argv0)
{
    std::string name = argv0;
    const size_t slash = name.rfind('\\');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    if (name.size() >= 4 && name[name.size() - 4] == '.')
        name.erase(name.size() - 4);
    return name;
}

bool SarvenidIsDriveArgument(const std::string& arg)
{
    if (arg.size() != 1 && !(arg.size() == 2 && arg[1] == ':'))
        return false;
    const int c = std::toupper(static_cast<unsigned char>(arg[0]));
    return c >= 'A' && c <= 'Z';
}

int SarvenidMain(int argc, char** argv, const SarvenidSystem& sys)
{
    CSarvenid tool(sys, SarvenidProgramName(argc > 0 && argv[0] ? argv[0] : ""));
    return tool.Run(argc, argv);
}
