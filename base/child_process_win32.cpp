#include <windows.h>

#include <algorithm>
#include <mutex>
#include <vector>

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

// A job whose programs end when this process ends (its last handle closes then).
HANDLE endedWithThisProcess() {
    static HANDLE job = [] {
        HANDLE made = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (made) SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return made;
    }();
    return job;
}

// The end requests of the programs started and not yet waited for.
std::mutex endRequestsMutex;
std::vector<HANDLE> endRequests;

void forgetEndRequest(HANDLE& request) {
    if (!request) return;
    std::lock_guard<std::mutex> lock(endRequestsMutex);
    endRequests.erase(std::remove(endRequests.begin(), endRequests.end(), request), endRequests.end());
    CloseHandle(request);
    request = nullptr;
}

}  // namespace

std::string ChildProcess::endRequestName(unsigned long processId) {
    return "Local\\TessorinStationEnd." + std::to_string(processId);
}

void ChildProcess::signalEveryChild(int) {
    std::lock_guard<std::mutex> lock(endRequestsMutex);
    for (HANDLE request : endRequests) ReleaseSemaphore(request, 1, nullptr);
}

struct ChildProcess::Platform {
    HANDLE process = nullptr;
    HANDLE output = nullptr;      // our end of the pipe
    HANDLE endRequest = nullptr;  // its semaphore of end requests
};

unsigned long ChildProcess::processId() const { return platform_->process ? GetProcessId(platform_->process) : 0; }

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
    : platform_(std::make_unique<Platform>()) {
    problem_ = start(program, arguments);
}

// A program nobody waited for is ended, not left running without its reader.
ChildProcess::~ChildProcess() {
    if (platform_->output) CloseHandle(platform_->output);
    if (!waited_ && started()) TerminateProcess(platform_->process, 1);
    wait();
    forgetEndRequest(platform_->endRequest);
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
    // Suspended until its end requests exist, so none is lost to a program that starts quickly.
    const BOOL ok = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                   CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, nullptr, &startup, &started);
    const DWORD error = GetLastError();
    CloseHandle(writeEnd);
    if (!ok) {
        CloseHandle(readEnd);
        return formatText("cannot start %s: error %u", {program, error});
    }
    // Windows keeps a program running when the one that started it ends; the
    // job ends them together, so no station is left holding its board unseen.
    AssignProcessToJobObject(endedWithThisProcess(), started.hProcess);
    platform_->endRequest = CreateSemaphoreW(nullptr, 0, LONG_MAX, wide(endRequestName(started.dwProcessId)).c_str());
    if (platform_->endRequest) {
        std::lock_guard<std::mutex> lock(endRequestsMutex);
        endRequests.push_back(platform_->endRequest);
    }
    ResumeThread(started.hThread);
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
    forgetEndRequest(platform_->endRequest);
    DWORD code = 0;
    if (!GetExitCodeProcess(platform_->process, &code)) return -1;
    return static_cast<int>(code);
}

}  // namespace tessorin
