#pragma once
// The process command line split as the shell splits it; argument 0 is the program.
#include <string>
#include <vector>

namespace tessorin::win32 {

std::vector<std::string> splitCommandLine(const wchar_t* commandLine);
std::vector<std::string> processArguments();

}  // namespace tessorin::win32
