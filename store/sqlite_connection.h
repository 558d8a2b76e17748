#pragma once
// The embedded store: one SQLite file shared by every station process of a PC.
// WAL lets readers go on beside the one writer; a writer waits up to the busy
// time-out for the lock; synchronous=FULL makes each commit durable (fsync).
#include <memory>
#include <string>

#include "store/connection.h"

namespace tessorin::store {

std::unique_ptr<Connection> openSqlite(const std::string& path);

}  // namespace tessorin::store
