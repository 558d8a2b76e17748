#include "base/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace tessorin {
namespace {

class SystemClock final : public Clock {
public:
    LocalTime localTime() override {
        std::time_t now = std::time(nullptr);
        std::tm parts{};
#ifdef _WIN32
        localtime_s(&parts, &now);
        // The local fields read as if they were UTC, less the real instant.
        std::tm asUtc = parts;
        const long offsetSeconds = static_cast<long>(_mkgmtime(&asUtc) - now);
#else
        localtime_r(&now, &parts);
        const long offsetSeconds = parts.tm_gmtoff;
#endif
        return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                parts.tm_min, parts.tm_sec, static_cast<int>(offsetSeconds / 60)};
    }
    uint64_t tickMs() override {
        using namespace std::chrono;
        return static_cast<uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void sleepMs(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    int64_t perfCounter() override {
        using namespace std::chrono;
        return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
    }
    int64_t perfFrequency() override { return 1'000'000'000; }
};

SystemClock systemClock;
std::atomic<Clock*> installed{nullptr};

}  // namespace

Clock& processClock() {
    Clock* clock = installed.load();
    return clock ? *clock : systemClock;
}

void setProcessClock(Clock* clock) { installed.store(clock); }

uint64_t VirtualClock::readAndStep() { return now_.fetch_add(step_) + step_; }

LocalTime VirtualClock::localTime() {
    // A fixed day in a fixed zone; seconds follow the virtual time so ordering stays visible.
    uint64_t seconds = nowMicros() / 1'000'000;
    LocalTime t{2026, 12, 9, 8, 0, 0, 8 * 60};
    t.hour += static_cast<int>(seconds / 3600 % 16);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

uint64_t VirtualClock::tickMs() { return readAndStep() / 1000; }

void VirtualClock::sleepMs(uint32_t ms) {
    slept_.fetch_add(ms);
    advanceMicros(static_cast<uint64_t>(ms) * 1000);
}

int64_t VirtualClock::perfCounter() { return static_cast<int64_t>(readAndStep()); }

}  // namespace tessorin
