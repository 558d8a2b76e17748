#include "qt/end_signals.h"

#include <pthread.h>
#include <signal.h>

#include <thread>

namespace tessorin::qt {

void takeEndSignals(std::function<void(int signalNumber)> onSignal) {
    sigset_t ending;
    sigemptyset(&ending);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&ending, signalNumber);
    // Blocked here, so in every thread started after this; the thread below takes them.
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);
    // Output to a closed terminal or a gone reader fails as a write, not as a signal.
    signal(SIGPIPE, SIG_IGN);
    std::thread([ending, onSignal = std::move(onSignal)] {
        for (int signalNumber = 0;;)
            if (sigwait(&ending, &signalNumber) == 0) onSignal(signalNumber);
    }).detach();
}

}  // namespace tessorin::qt
