#include "base/windows_command_line.h"

namespace tessorin {

// Backslashes are literal except in front of a quote, where each pair stands
// for one backslash and an odd one out escapes the quote.
std::string quotedCommandLineWord(std::string_view word) {
    if (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string_view::npos) return std::string(word);
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    // The closing quote must not be escaped by the word's own trailing backslashes.
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

std::string windowsCommandLine(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty()) line += ' ';
        line += quotedCommandLineWord(word);
    }
    return line;
}

}  // namespace tessorin
