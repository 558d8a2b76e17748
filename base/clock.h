#pragma once
// Every wait, time-out and timestamp goes through this seam, so tests and the
// headless runner can run the 1000 ms sleeps and 2000 ms time-outs on a virtual clock.
#include <atomic>
#include <cstdint>

namespace tessorin {

struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int utcOffsetMinutes = 0;  // local time minus UTC
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime localTime() = 0;
    virtual uint64_t tickMs() = 0;           // millisecond tick count
    virtual void sleepMs(uint32_t ms) = 0;
    virtual int64_t perfCounter() = 0;       // high-resolution counter
    virtual int64_t perfFrequency() = 0;     // counts per second
};

// The process clock; the system clock unless a test installed another.
Clock& processClock();
// Installs a clock (nullptr restores the system clock). Not for use while threads run.
void setProcessClock(Clock* clock);

// Time that passes only when asked to. Every read moves it on by a small step so
// that busy-waits and polling loops always end, whatever the thread does.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(uint64_t stepPerReadMicros = 1) : step_(stepPerReadMicros) {}
    LocalTime localTime() override;
    uint64_t tickMs() override;
    void sleepMs(uint32_t ms) override;
    int64_t perfCounter() override;
    int64_t perfFrequency() override { return 1'000'000; }

    void advanceMicros(uint64_t micros) { now_.fetch_add(micros); }
    uint64_t nowMicros() const { return now_.load(); }
    uint64_t sleptMs() const { return slept_.load(); }

private:
    uint64_t readAndStep();
    std::atomic<uint64_t> now_{0};
    std::atomic<uint64_t> slept_{0};
    uint64_t step_;
};

// Installs a clock for the lifetime of a scope.
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock) { setProcessClock(&clock); }
    ~ScopedClock() { setProcessClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

}  // namespace tessorin
