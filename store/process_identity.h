#pragma once
// Who a station process is, so that a later start can tell whether it is gone:
// on the same host, gone when the boot id changed or no process with its pid
// and start time runs; on another host only its lease (heartbeat) can tell.
#include <cstdint>
#include <string>

namespace tessorin::store {

struct ProcessIdentity {
    std::string host;
    std::string bootId;
    int64_t pid = 0;
    int64_t processStart = 0;  // clock ticks after boot, so a reused pid is another process
};

ProcessIdentity thisProcess();
// Only meaningful for a process of this host and this boot.
bool stillRunning(int64_t pid, int64_t processStart);

}  // namespace tessorin::store
