#include "win32/console_ends.h"

#include <windows.h>

#include <climits>
#include <thread>

#include "base/child_process.h"
#include "win32/win32_text.h"

namespace tessorin::win32 {
namespace {

std::function<void()>& consoleEnd() {
    static std::function<void()> onEnd;
    return onEnd;
}

BOOL WINAPI onConsoleControl(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            consoleEnd()();
            return TRUE;
        case CTRL_CLOSE_EVENT:
            consoleEnd()();
            Sleep(INFINITE);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void takeConsoleEnds(std::function<void()> onEnd) {
    consoleEnd() = std::move(onEnd);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

void takeParentEnds(std::function<void()> onEnd) {
    // Opens the parent's semaphore when it made one; a station started by hand gets one nobody releases.
    HANDLE requests =
        CreateSemaphoreW(nullptr, 0, LONG_MAX, toWide(ChildProcess::endRequestName(GetCurrentProcessId())).c_str());
    if (!requests) return;
    std::thread([requests, onEnd = std::move(onEnd)] {
        while (WaitForSingleObject(requests, INFINITE) == WAIT_OBJECT_0) onEnd();
    }).detach();
}

}  // namespace tessorin::win32
