// Small helpers shared by the tests that run the studio or its windows.
#pragma once
#include <windows.h>

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

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
