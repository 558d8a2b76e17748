#include "dashboard/dashboard_command.h"

#include <cstdio>
#include <optional>

#include "dashboard/dashboard_server.h"

namespace tessorin::dashboard {
namespace {

constexpr int kBadCommand = 2;
constexpr const char* kUsage = "usage: tessorin dashboard --store STORE [--listen ADDR:PORT]\n";

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

int refuse(const std::string& why) {
    std::fprintf(stderr, "tessorin: %s\n%s", why.c_str(), kUsage);
    return kBadCommand;
}

struct Listen {
    std::string host;
    int port = 0;
};

std::optional<Listen> parseListen(const std::string& text) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) return std::nullopt;
    const std::string digits = text.substr(colon + 1);
    if (digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const int port = std::stoi(digits);
    if (port > 65535) return std::nullopt;
    return Listen{text.substr(0, colon), port};
}

}  // namespace

// An option must follow, so `tessorin dashboard` alone, or with presets, is still
// a station downloading the image named dashboard, as it always was.
bool isDashboardCommand(const std::vector<std::string>& arguments) {
    return arguments.size() > 2 && arguments[1] == "dashboard" && arguments[2].starts_with("--");
}

int runDashboardCommand(const std::vector<std::string>& arguments) {
    std::string location, listenText = "127.0.0.1:8080";
    for (size_t i = 2; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        std::string* value = word == "--store" ? &location : word == "--listen" ? &listenText : nullptr;
        if (!value) return refuse("not an option of the dashboard: " + word);
        if (i + 1 == arguments.size()) return refuse(word + " needs a value");
        *value = arguments[++i];
    }
    if (location.empty()) return refuse("--store needs a value");
    const std::optional<Listen> listen = parseListen(listenText);
    if (!listen) return refuse("--listen takes ADDRESS:PORT, such as 127.0.0.1:8080, not " + listenText);
    StoreWatch watch(location, say);
    DashboardServer server(watch);
    std::string problem;
    const std::optional<int> port = server.bind(listen->host, listen->port, problem);
    if (!port) {
        std::fprintf(stderr, "tessorin: %s\n", problem.c_str());
        return kBadCommand;
    }
    say("dashboard: http://" + listen->host + ":" + std::to_string(*port) + "/ shows " + location + " (read-only)");
    // Said at once when the store is not there, not only at the first look.
    watch.ask(summaryView, problem);
    server.serve();
    return 0;
}

}  // namespace tessorin::dashboard
