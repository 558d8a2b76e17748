#pragma once
// The dashboard's HTTP server (cpp-httplib): the page and its files, and the
// JSON API (/api/boards, /api/summary, /api/failures, /api/pools). It only
// reads; every other path is 404. docs/dashboard.md.
#include <memory>
#include <optional>
#include <string>

#include "dashboard/store_watch.h"

namespace httplib {
class Server;
}

namespace tessorin::dashboard {

class DashboardServer {
public:
    explicit DashboardServer(StoreWatch& watch);
    ~DashboardServer();

    // The port bound (port 0: one the system picks); nothing, with the reason, when it cannot be bound.
    std::optional<int> bind(const std::string& host, int port, std::string& problem);
    // Answers requests until stop().
    void serve();
    void stop();

private:
    std::unique_ptr<httplib::Server> server_;
};

// The page's language for an Accept-Language header: "zh" when Chinese comes first, else "en".
std::string pageLanguage(const std::string& acceptLanguage);

}  // namespace tessorin::dashboard
