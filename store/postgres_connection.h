#pragma once
// A line's store: a PostgreSQL server shared by the stations of many PCs,
// reached by a libpq connection string (postgresql://...).
#include <memory>
#include <string>

#include "store/connection.h"

namespace tessorin::store {

std::unique_ptr<Connection> openPostgres(const std::string& location);

}  // namespace tessorin::store
