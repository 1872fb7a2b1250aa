// Small helpers shared by the tests that run the studio or its windows.
#pragma once
#include <windows.h>

#include "testsupport/TestSupport.h"

#include <fstream>
#include <sstream>
#include <string>

// The folder of the running test program (the build's bin folder).
inline std::string BinDir() {
  char path[MAX_PATH];
  GetModuleFileNameA(NULL, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.rfind('\\'));
}

// A folder of this process's own under the temp folder, made when missing.
inline std::string ProcessTempDir(const std::string& prefix) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string dir = std::string(tmp) + prefix + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), NULL);
  return dir;
}

using zavotest::ReadFile;
using zavotest::WriteFile;
