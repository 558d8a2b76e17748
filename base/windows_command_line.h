#pragma once
// The command line Windows hands a new program as one text: each word quoted
// so that CommandLineToArgvW and the C runtime split it back into the same words.
#include <string>
#include <string_view>
#include <vector>

namespace tessorin {

std::string quotedCommandLineWord(std::string_view word);
// The words, each quoted as needed, separated by single spaces.
std::string windowsCommandLine(const std::vector<std::string>& words);

}  // namespace tessorin
