#pragma once
// SIGINT, SIGTERM and SIGHUP (Ctrl-C, a service manager, a closed terminal)
// taken by a thread of their own instead of ending the program: no other
// thread is ever interrupted by them (a HID read would fail on EINTR).
#include <functional>

namespace tessorin::qt {

// Before any other thread starts; onSignal runs on that thread, once a signal.
void takeEndSignals(std::function<void(int signalNumber)> onSignal);

}  // namespace tessorin::qt
