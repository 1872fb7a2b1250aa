// Lunq's command line: "lunq <e|d> inputFile outputFile".
#pragma once
#include <cstdint>
#include <vector>

// Runs the tool with the given stub (the program's "LUNQ" 101 resource) and
// returns the exit code.
int LunqMain(int argc, char** argv, const std::vector<uint8_t>& stub);

// The stub the program carries.
std::vector<uint8_t> LunqLoadStub();
