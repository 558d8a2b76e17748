#include "tests/store/store_engines.h"

namespace {
// Registered before main runs; does nothing under ctest, whose fixture serves the server.
[[maybe_unused]] const auto* const ownServer = ::testing::AddGlobalTestEnvironment(new tessorin::testing::OwnPostgresServer);
}  // namespace
