#pragma once
// The requests to end that reach a Windows program: Ctrl-C, Ctrl-Break and the
// closing of the console it is attached to, and, for a station started with
// pipes (no console of its own), its parent's requests (ChildProcess::endRequestName).
#include <functional>

namespace tessorin::win32 {

// onEnd runs once for each Ctrl-C, Ctrl-Break or closing of the console, on a
// thread the system starts. After the closing that thread does not return:
// Windows ends the process as soon as it does, and the process needs the few
// seconds Windows gives it to end its stations and write their lines.
void takeConsoleEnds(std::function<void()> onEnd);

// onEnd runs on a thread of its own, once for each request of the parent.
void takeParentEnds(std::function<void()> onEnd);

}  // namespace tessorin::win32
