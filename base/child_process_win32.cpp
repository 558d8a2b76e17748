#include <windows.h>

#include "base/child_process.h"
#include "base/format.h"
#include "base/text.h"
#include "base/windows_command_line.h"

namespace tessorin {
namespace {

std::wstring wide(const std::string& text) {
    std::u16string units = utf8ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

}  // namespace

struct ChildProcess::Platform {
    HANDLE process = nullptr;
    HANDLE output = nullptr;  // our end of the pipe
};

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
    : platform_(std::make_unique<Platform>()) {
    problem_ = start(program, arguments);
}

// Closing our end first: a program still writing then ends instead of waiting for a reader.
ChildProcess::~ChildProcess() {
    if (platform_->output) CloseHandle(platform_->output);
    wait();
    if (platform_->process) CloseHandle(platform_->process);
}

std::string ChildProcess::start(const std::string& program, const std::vector<std::string>& arguments) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return formatText("no pipe: error %u", {GetLastError()});
    // Only the write end goes to the program; ours stays here.
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::wstring commandLine = wide(windowsCommandLine(words));
    std::wstring path = wide(program);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION started{};
    const BOOL ok = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                   nullptr, nullptr, &startup, &started);
    const DWORD error = GetLastError();
    CloseHandle(writeEnd);
    if (!ok) {
        CloseHandle(readEnd);
        return formatText("cannot start %s: error %u", {program, error});
    }
    CloseHandle(started.hThread);
    platform_->process = started.hProcess;
    platform_->output = readEnd;
    return {};
}

size_t ChildProcess::readSome(char* buffer, size_t size) {
    DWORD count = 0;
    // A broken pipe is the end of the output: the program and all it started have closed theirs.
    if (!ReadFile(platform_->output, buffer, static_cast<DWORD>(size), &count, nullptr)) return 0;
    return count;
}

int ChildProcess::waitForExit() {
    WaitForSingleObject(platform_->process, INFINITE);
    DWORD code = 0;
    if (!GetExitCodeProcess(platform_->process, &code)) return -1;
    return static_cast<int>(code);
}

}  // namespace tessorin
