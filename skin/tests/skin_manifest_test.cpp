// Built with a manifest that asks for the version 6 common controls.
#include "skin/support/SysServices.h"

#include <gtest/gtest.h>

#include <string>

TEST(SystemServices, ComCtlVersionWithAManifestComesFromTheSideBySideLibrary)
{
    DWORD version = GetComCtlVersion();
    CVZRLoadedModule comctl("COMCTL32.DLL");
    ASSERT_TRUE(comctl.GetHandle());
    char path[MAX_PATH] = "";
    GetModuleFileNameA(comctl.GetHandle(), path, MAX_PATH);
    EXPECT_NE(std::string(path).find("winsxs"), std::string::npos) << path;
    // Windows answers 6.0 here; Wine's side-by-side library answers 5.81 as its plain one does.
    EXPECT_EQ(version, comctl.GetVersion());
    EXPECT_TRUE(version == 0x60000u || version == 0x50051u) << std::hex << version;
}
