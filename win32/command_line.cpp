#include "win32/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "win32/win32_text.h"

namespace tessorin::win32 {

std::vector<std::string> splitCommandLine(const wchar_t* commandLine) {
    int count = 0;
    LPWSTR* pieces = CommandLineToArgvW(commandLine, &count);
    std::vector<std::string> arguments;
    if (!pieces) return arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(fromWide(pieces[i]));
    LocalFree(pieces);
    return arguments;
}

std::vector<std::string> processArguments() { return splitCommandLine(GetCommandLineW()); }

}  // namespace tessorin::win32
