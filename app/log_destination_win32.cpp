#include <cstdio>
#include <windows.h>
#include <shlwapi.h>

#include "app/log.h"
#include "base/text.h"

namespace tessorin {
namespace {

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// Standard output itself is reopened, so the trace lines of any code that prints
// to it land in the same file or console as the log stream.
bool reopenStandardOutput(const std::u16string& target, const wchar_t* mode) {
    if (!_wfreopen(wide(target), mode, stdout)) return false;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    setLogOutput(nullptr);
    return true;
}

}  // namespace

void openLogDestination(LogDestination& destination, const std::string& programPath, bool consoleMode) {
    if (consoleMode) {
        AllocConsole();
        SetConsoleOutputCP(CP_UTF8);
        destination.path.clear();
        destination.attached = reopenStandardOutput(u"CONOUT$", L"wt");
        if (destination.attached) writeTrace("console\n");
        return;
    }
    std::u16string folder = utf8ToUtf16(programPath + "log");
    if (!PathIsDirectoryW(wide(folder))) CreateDirectoryW(wide(folder), nullptr);
    destination.path = programPath + "log\\download.log";
    destination.attached = reopenStandardOutput(utf8ToUtf16(destination.path), L"w");
    if (destination.attached) writeTrace("file log\n");
}

}  // namespace tessorin
