#include "download/auto_reset_event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tessorin::download {
namespace {

TEST(AutoResetEvent, ReleasesAWaiterOnAnotherThreadOncePerSet) {
    AutoResetEvent event;
    std::atomic<int> released{0};
    std::thread waiter([&] {
        event.wait();
        released = 1;
        event.wait();
        released = 2;
    });
    event.set();  // may come before the waiter waits: it must not be lost
    while (released.load() < 1) std::this_thread::yield();
    EXPECT_EQ(released.load(), 1);  // the first wait cleared the event: the second still waits
    event.set();
    waiter.join();
    EXPECT_EQ(released.load(), 2);
}

}  // namespace
}  // namespace tessorin::download
