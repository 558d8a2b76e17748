#include <gtest/gtest.h>

#include "dashboard/dashboard_command.h"
#include "dashboard/dashboard_server.h"

namespace tessorin::dashboard {
namespace {

// Refused before anything listens: exit 2 (the reason goes to standard error).
TEST(DashboardCommand, RefusesABadCommandLine) {
    StoreWatch watch("unused.sqlite", [](const std::string&) {});
    DashboardServer taken(watch);
    std::string problem;
    const std::optional<int> port = taken.bind("127.0.0.1", 0, problem);
    ASSERT_TRUE(port) << problem;
    const std::vector<std::vector<std::string>> cases = {
        {"tessorin", "dashboard", "--store"},
        {"tessorin", "dashboard", "--store", "s.sqlite", "--port", "80"},
        {"tessorin", "dashboard", "--store", "s.sqlite", "--listen", "8080"},
        {"tessorin", "dashboard", "--store", "s.sqlite", "--listen", "127.0.0.1:"},
        {"tessorin", "dashboard", "--store", "s.sqlite", "--listen", "127.0.0.1:65536"},
        {"tessorin", "dashboard", "--store", "s.sqlite", "--listen", "127.0.0.1:80x"},
        {"tessorin", "dashboard", "--store", "s.sqlite", "--listen", "127.0.0.1:" + std::to_string(*port)},
    };
    for (const auto& words : cases) EXPECT_EQ(runDashboardCommand(words), 2) << words.back();
    EXPECT_TRUE(isDashboardCommand({"tessorin", "dashboard", "--store", "s.sqlite"}));
    EXPECT_FALSE(isDashboardCommand({"tessorin", "dashboard.rom", "--store", "s.sqlite"}));
    // The seed's station on an image named dashboard, with or without presets.
    EXPECT_FALSE(isDashboardCommand({"tessorin", "dashboard"}));
    EXPECT_FALSE(isDashboardCommand({"tessorin", "dashboard", "1000 00"}));
}

}  // namespace
}  // namespace tessorin::dashboard
