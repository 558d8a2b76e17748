#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <windows.h>
#include <shlwapi.h>

#include "base/text.h"
#include "report/log.h"

namespace tessorin {
namespace {

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// The log stream's file or console is opened with _wfopen rather than by
// reopening stdout: a GUI process has no valid standard output to reopen, and
// the log seam carries every log and trace line.
bool attach(const std::u16string& target, const wchar_t* mode) {
    std::FILE* file = _wfopen(wide(target), mode);
    if (!file) return false;
    attachLogFile(file);
    return true;
}

bool attachConsole(LogTarget target) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (target == LogTarget::Console || GetFileType(output) != FILE_TYPE_PIPE) {
        AllocConsole();
        SetConsoleOutputCP(CP_UTF8);
        return attach(u"CONOUT$", L"wt");
    }
    std::FILE* pipe = _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(output), _O_WRONLY | _O_TEXT), "wt");
    if (!pipe) return false;
    attachLogFile(pipe);
    return true;
}

}  // namespace

void openLogDestination(LogDestination& destination, const std::string& programPath, LogTarget target) {
    if (target != LogTarget::File) {
        destination.path.clear();
        destination.attached = attachConsole(target);
        if (destination.attached) writeTrace("console\n");
        return;
    }
    std::u16string folder = utf8ToUtf16(programPath + "log");
    if (!PathIsDirectoryW(wide(folder))) CreateDirectoryW(wide(folder), nullptr);
    destination.path = programPath + "log\\download.log";
    destination.attached = attach(utf8ToUtf16(destination.path), L"w");
    if (destination.attached) writeTrace("file log\n");
}

}  // namespace tessorin
