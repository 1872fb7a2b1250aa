// Sarvenid: flushes the write buffers of local fixed drives.
#pragma once
#include <string>

#include "tools/sarvenid/SarvenidSystem.h"

// Exit code when every flush went through; SARVENID_EXIT_FLUSH_FAILED when
// some drive could not be flushed.
const int SARVENID_EXIT_OK = 0;
const int SARVENID_EXIT_ERROR = 1;
const int SARVENID_EXIT_FLUSH_FAILED = 2;

int SarvenidMain(int argc, char** argv, const SarvenidSystem& sys);

// Argument 0 without its folders and without a four-character extension.
std::string SarvenidProgramName(const std::string& argv0);
bool SarvenidIsDriveArgument(const std::string& arg);
